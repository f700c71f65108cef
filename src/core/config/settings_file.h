#pragma once

// The machine's settings file ("Fenwa.ini"): a sectioned profile file read and written one key
// at a time. Section and key names match without regard to letter case. Reading goes through
// SimpleIni; a write changes only the one line it concerns (or adds it), so comments, unknown
// keys and even lines the program cannot make sense of stay exactly as they were.
//
// The file is read and parsed once, at the first call, and kept: reads are answered from what
// was kept, however large the file, and every write goes to the file at once and into what is
// kept. While the window runs it is the one program writing the file (it holds the installation
// lock), so reads need not look at the file again; a write does look whether the file changed
// since it was read (edited by hand, say) and then reads it afresh first, so that it never undoes
// such a change.

#include <memory>
#include <string>
#include <string_view>

namespace quorvel {

class SettingsFile
{
public:
    explicit SettingsFile(std::string path);
    ~SettingsFile();
    SettingsFile(SettingsFile&&) noexcept;
    SettingsFile& operator=(SettingsFile&&) noexcept;

    const std::string& path() const { return m_path; }

    // The stored value cut to limit - 1 bytes, or `absent` when the file or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view absent,
        std::size_t limit) const;
    // The stored value's leading decimal number, or `absent` when the file or key is missing.
    int readInt(std::string_view section, std::string_view key, int absent) const;
    // Sets the key (adding the section or key when missing); false when the file cannot be saved,
    // and for a value holding a line break or a NUL byte, which no line of the file can hold.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Parsed;
    // Reads and parses the file; a missing file is an empty one. Null when the file is there but
    // cannot be read.
    static std::unique_ptr<Parsed> readFile(const std::string& path);
    // The kept file, read at the first call; null while the file cannot be read.
    const Parsed* parsed() const;

    std::string m_path;
    mutable std::unique_ptr<Parsed> m_parsed;
};

} // namespace quorvel
