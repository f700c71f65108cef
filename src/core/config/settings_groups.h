#pragma once

// Readers and writers for each group of keys of the settings file. A reader returns the
// group's values, or nothing when any key of the group is absent or holds a value outside its
// allowed words ("not stored"); its owner then writes the group's defaults (the
// readOrWriteDefault... functions below do exactly that).

#include "settings_file.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

namespace settings {
inline constexpr const char* kStartupSentinel = "HNR32";
inline constexpr const char* kSentinel = "N283G32";

inline constexpr int kBeeFilesFirst = 21257;
inline constexpr int kTextFilesFirst = 21262;
} // namespace settings

// --- "Startup" -------------------------------------------------------------------------------

// "First time": true when the key is stored (whatever its value).
bool readFirstTimeStored(const SettingsFile& file);
bool writeFirstTimeDone(SettingsFile& file); // "No"

// "File extension" at start: the value in use (21257 or 21262), written back as decimal text.
int startFileExtension(SettingsFile& file);
// "File extension" at quit, from the value in use and the 1-based filter position last chosen
// in the open dialog; returns the value written.
int quitFileExtension(SettingsFile& file, int inUse, int filterPosition);

// --- "Size" ----------------------------------------------------------------------------------

struct WindowPlacement
{
    int x = 0, y = 0, w = 0, h = 0;
    int status = 0; // 1 normal, 2 minimised, 3 maximised
    bool operator==(const WindowPlacement&) const = default;
};
// Nothing when any of the five keys is absent or 0.
std::optional<WindowPlacement> readPlacement(const SettingsFile& file);
bool writePlacement(SettingsFile& file, const WindowPlacement& placement);

// --- "Print options" -------------------------------------------------------------------------

enum class PrintSize
{
    Small,
    Normal,
    Large
};
struct PrintOptions
{
    PrintSize size = PrintSize::Normal;
    int leftMargin = 10; // 0..142
    bool operator==(const PrintOptions&) const = default;
};
std::optional<PrintOptions> readPrintOptions(const SettingsFile& file);
bool writePrintOptions(SettingsFile& file, const PrintOptions& options);
PrintOptions readOrWriteDefaultPrintOptions(SettingsFile& file);

// --- "Internet Options" ----------------------------------------------------------------------

struct ConnectionOptions // "Internet connection" with "Passive FTP"
{
    bool useDirect = false; // "Use direct" / "Use present"
    bool passive = false;
    bool operator==(const ConnectionOptions&) const = default;
};
std::optional<ConnectionOptions> readConnectionOptions(const SettingsFile& file);
bool writeConnectionOptions(SettingsFile& file, const ConnectionOptions& options);
ConnectionOptions readOrWriteDefaultConnectionOptions(SettingsFile& file);

struct DownloadFileOptions // "Extension type" with "Write mode"
{
    bool txtExtension = false; // "Txt extension" / "Bee extension"
    bool overwrite = false; // "Overwrite" / "New only"
    bool operator==(const DownloadFileOptions&) const = default;
};
std::optional<DownloadFileOptions> readDownloadFileOptions(const SettingsFile& file);
bool writeDownloadFileOptions(SettingsFile& file, const DownloadFileOptions& options);
DownloadFileOptions readOrWriteDefaultDownloadFileOptions(SettingsFile& file);

// --- "Bulk Editor settings" ------------------------------------------------------------------

enum class BulkLanguage
{
    UK,
    USA,
    Both
};
struct BulkEditorSettings
{
    bool transferAll = false; // "All" / "New"
    BulkLanguage language = BulkLanguage::Both;
    bool lockSoundWords = true; // "Lock words linked to sounds"
    bool operator==(const BulkEditorSettings&) const = default;
};
std::optional<BulkEditorSettings> readBulkEditorSettings(const SettingsFile& file);
bool writeBulkEditorSettings(SettingsFile& file, const BulkEditorSettings& settings);
BulkEditorSettings readOrWriteDefaultBulkEditorSettings(SettingsFile& file);

// --- "Recording data" ------------------------------------------------------------------------

struct RecordingData
{
    int sampleRate = 22050; // 11025, 22050 or 44100
    int sampleSize = 8; // 8 or 16
    int channels = 1; // 1 or 2
    bool operator==(const RecordingData&) const = default;
};
std::optional<RecordingData> readRecordingData(const SettingsFile& file);
bool writeRecordingData(SettingsFile& file, const RecordingData& data);
RecordingData readOrWriteDefaultRecordingData(SettingsFile& file);

// --- "MRU" -----------------------------------------------------------------------------------

inline constexpr int kRecentFileCount = 8;
// The remembered files, most recent first; empty and "Default" entries are skipped.
std::vector<std::string> readRecentFiles(const SettingsFile& file, int count = kRecentFileCount);
bool writeRecentFiles(
    SettingsFile& file, const std::vector<std::string>& files, int count = kRecentFileCount);

// --- "Speech" (this program's own section) ------------------------------------------------

// "Speak unrecorded words": the drill speaks a word that has no recording with speech synthesis.
// On unless stored as "No".
bool readSpeakUnrecordedWords(const SettingsFile& file);
// "Hear only <user>": the user's drill speaks each word and never shows it. Off unless "Yes".
bool readHearOnly(const SettingsFile& file, int user);
// Each writes only when the value read differs, so saving an unchanged value leaves the file as
// it was. False when the file cannot be saved.
bool writeSpeakUnrecordedWords(SettingsFile& file, bool on);
bool writeHearOnly(SettingsFile& file, int user, bool on);

} // namespace quorvel
