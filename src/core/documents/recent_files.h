#pragma once

// The File menu's list of recently used files: eight paths, most recent first, kept in section
// "MRU" of the settings file (keys "Count" and "MRU0" ... "MRU7").

#include <string>
#include <vector>

namespace quorvel {

class SettingsFile;

class RecentFiles
{
public:
    static constexpr int kCapacity = 8;

    // The stored list: empty entries, "Default", entries past "Count" and repeats are passed over.
    static RecentFiles load(const SettingsFile& settings);
    // Writes the whole list; false when the settings file could not be written.
    bool save(SettingsFile& settings) const;

    const std::vector<std::string>& paths() const { return m_paths; }
    // Puts the path first (moving it up when listed already), dropping the oldest beyond eight.
    // A path that no settings line can hold (a line break in it) is not entered.
    bool add(const std::string& path);
    bool remove(const std::string& path);

    // The menu entry of the path at `index` (0 = most recent): "&1 /home/ann/words.bee".
    std::string menuText(std::size_t index) const;

    // Opening entry `index`: its path when the file is still there. A file deleted or moved since
    // it was listed is taken off the list (and the list saved), and `goneMessage` tells the user.
    // Empty when there is no such entry or the file is gone.
    std::string open(std::size_t index, SettingsFile& settings, std::string* goneMessage = nullptr);

private:
    std::vector<std::string> m_paths;
};

} // namespace quorvel
