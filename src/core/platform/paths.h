#pragma once

// Where the program's files lie. Every fixed fragment ("progdata", "waveform", ...) is joined
// to its base folder with this platform's separator, never doubled. File names are UTF-8 and
// need no code-page conversion here.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::paths {

inline constexpr char kSeparator = '/';

// base + separator + part, with exactly one separator between them.
std::string join(std::string_view base, std::string_view part);
// The folder with a separator at its end (added when missing).
std::string withTrailingSeparator(std::string_view folder);

// base/progdata/<name>
std::string progdataFile(std::string_view base, std::string_view name);
std::string startupRecordFile(std::string_view base); // progdata/zelinf32.cfg
std::string dictionaryFile(std::string_view dictionaryFolder); // progdata/sonddict.dis
// progdata/worduse<c>.wrd and progdata/histuse<c>.his, c being the slot digit (or 'X')
std::string wordFile(std::string_view dataFolder, char slotChar);
std::string historyFile(std::string_view dataFolder, char slotChar);

std::string waveformFolder(std::string_view base); // base/waveform/ (with its separator)
std::string backupFolder(std::string_view base); // base/backup/  (stands for drive A:)
std::string beeFilesFolder(std::string_view dictionaryFolder); // base/mydata/beefiles
std::string myDataFolder(std::string_view dictionaryFolder, std::string_view name); // mydata/<name>
std::string settingsFile(std::string_view programFolder); // base/Fenwa.ini
// The statistics window's file, dataFolder/statswnd.txt: the last saved report.
std::string statsFile(std::string_view dataFolder);

// The folder used when the current folder cannot be read: the home folder + /TORNWEAL.
std::string fallbackBaseFolder();
// The process's current folder, or nothing when it cannot be read.
std::optional<std::string> currentFolder();

inline constexpr const char* kStartupRecordName = "zelinf32.cfg";
inline constexpr const char* kStartupBackupName = "infoback.cfg";
inline constexpr const char* kDictionaryName = "sonddict.dis";
inline constexpr const char* kDictionaryBackupName = "sondback.dis";
inline constexpr const char* kSettingsName = "Fenwa.ini";
inline constexpr const char* kStatsName = "statswnd.txt";

} // namespace quorvel::paths
