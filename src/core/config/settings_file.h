#pragma once

// The machine's settings file ("Fenwa.ini"): a sectioned profile file read and written one key
// at a time. Section and key names match without regard to letter case. Reading goes through
// SimpleIni; a write changes only the one line it concerns (or adds it), so comments, unknown
// keys and even lines the program cannot make sense of stay exactly as they were. Every call
// reads the file afresh, so two objects on the same file never undo each other's writes.

#include <string>
#include <string_view>

namespace quorvel {

class SettingsFile
{
public:
    explicit SettingsFile(std::string path);

    const std::string& path() const { return m_path; }

    // The stored value cut to limit - 1 bytes, or `absent` when the file or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view absent,
        std::size_t limit) const;
    // The stored value's leading decimal number, or `absent` when the file or key is missing.
    int readInt(std::string_view section, std::string_view key, int absent) const;
    // Sets the key (adding the section or key when missing); false when the file cannot be saved.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string m_path;
};

} // namespace quorvel
