#include "settings_groups.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace quorvel {

using namespace settings;

namespace {

constexpr const char* kStartup = "Startup";
constexpr const char* kSize = "Size";
constexpr const char* kPrint = "Print options";
constexpr const char* kInternet = "Internet Options";
constexpr const char* kBulk = "Bulk Editor settings";
constexpr const char* kRecording = "Recording data";
constexpr const char* kMru = "MRU";

// A key whose value is one of a few allowed words; a group keeps each such key as the index of
// its word.
struct ChoiceKey
{
    const char* key;
    std::array<const char*, 3> words; // unused places are null
    std::size_t limit; // longest value read, terminator included
};

// The index of each key's word, or nothing when any key is absent or holds a word not allowed
// (the sentinel is never an allowed word).
template <std::size_t N>
std::optional<std::array<int, N>> readChoices(
    const SettingsFile& file, const char* section, const std::array<ChoiceKey, N>& keys)
{
    std::array<int, N> chosen {};
    for (std::size_t i = 0; i < N; ++i) {
        const std::string value = file.readString(section, keys[i].key, kSentinel, keys[i].limit);
        const auto& words = keys[i].words;
        const auto found = std::find_if(
            words.begin(), words.end(), [&](const char* w) { return w && value == w; });
        if (found == words.end())
            return std::nullopt;
        chosen[i] = static_cast<int>(found - words.begin());
    }
    return chosen;
}

template <std::size_t N>
bool writeChoices(SettingsFile& file, const char* section, const std::array<ChoiceKey, N>& keys,
    const std::array<int, N>& chosen)
{
    // Only the keys whose stored word differs are written: each write rewrites the file.
    bool ok = true;
    for (std::size_t i = 0; i < N; ++i) {
        const char* word = keys[i].words[static_cast<std::size_t>(chosen[i])];
        if (file.readString(section, keys[i].key, kSentinel, keys[i].limit) == word)
            continue;
        ok = file.writeString(section, keys[i].key, word) && ok;
    }
    return ok;
}

constexpr std::array<ChoiceKey, 1> kPrintSizeKey {
    { { "Print size", { "small", "normal", "large" }, 20 } }
};
constexpr std::array<ChoiceKey, 2> kConnectionKeys { {
    { "Internet connection", { "Use present", "Use direct" }, 32 },
    { "Passive FTP", { "No", "Yes" }, 32 },
} };
constexpr std::array<ChoiceKey, 2> kDownloadFileKeys { {
    { "Extension type", { "Bee extension", "Txt extension" }, 20 },
    { "Write mode", { "New only", "Overwrite" }, 20 },
} };
constexpr std::array<ChoiceKey, 3> kBulkKeys { {
    { "Bulk Editor transfer type", { "New", "All" }, 20 },
    { "Language", { "UK", "USA", "Both" }, 20 },
    { "Lock words linked to sounds", { "No", "Yes" }, 20 },
} };
constexpr std::array<ChoiceKey, 3> kRecordingKeys { {
    { "Sample rate", { "11025", "22050", "44100" }, 40 },
    { "Sample size", { "8", "16" }, 40 },
    { "Channels", { "1", "2" }, 40 },
} };
constexpr std::array<int, 3> kSampleRates { 11025, 22050, 44100 };
constexpr std::array<int, 2> kSampleSizes { 8, 16 };
constexpr std::array<int, 2> kChannels { 1, 2 };

// The index of a value among the allowed ones, or of the fallback when it is none of them.
int indexOf(int value, std::span<const int> allowed, int fallback)
{
    const auto it = std::find(allowed.begin(), allowed.end(), value);
    return it == allowed.end() ? fallback : static_cast<int>(it - allowed.begin());
}

// Reads the group; when it is not stored, writes and returns the defaults.
template <class T, class Read, class Write>
T readOrWriteDefaults(SettingsFile& file, Read read, Write write)
{
    if (auto stored = read(file))
        return *stored;
    const T defaults {};
    write(file, defaults);
    return defaults;
}

} // namespace

// --- Startup ---------------------------------------------------------------------------------

bool readFirstTimeStored(const SettingsFile& file)
{
    return file.readString(kStartup, "First time", kStartupSentinel, 41) != kStartupSentinel;
}

bool writeFirstTimeDone(SettingsFile& file)
{
    return file.writeString(kStartup, "First time", "No");
}

int startFileExtension(SettingsFile& file)
{
    const std::string stored = file.readString(kStartup, "File extension", kStartupSentinel, 41);
    int value = kBeeFilesFirst;
    if (stored != kStartupSentinel) {
        const long v = std::strtol(stored.c_str(), nullptr, 10);
        if (v == kTextFilesFirst)
            value = kTextFilesFirst;
    }
    file.writeString(kStartup, "File extension", std::to_string(value));
    return value;
}

int quitFileExtension(SettingsFile& file, int inUse, int filterPosition)
{
    int value;
    if (inUse == kTextFilesFirst)
        value = filterPosition == 1 ? kTextFilesFirst : kBeeFilesFirst;
    else
        value = filterPosition == 2 ? kTextFilesFirst : kBeeFilesFirst;
    file.writeString(kStartup, "File extension", std::to_string(value));
    return value;
}

// --- Size ------------------------------------------------------------------------------------

std::optional<WindowPlacement> readPlacement(const SettingsFile& file)
{
    WindowPlacement p;
    p.x = file.readInt(kSize, "X", 0);
    p.y = file.readInt(kSize, "Y", 0);
    p.w = file.readInt(kSize, "W", 0);
    p.h = file.readInt(kSize, "H", 0);
    p.status = file.readInt(kSize, "Status", 0);
    if (p.x == 0 || p.y == 0 || p.w == 0 || p.h == 0 || p.status == 0)
        return std::nullopt;
    return p;
}

bool writePlacement(SettingsFile& file, const WindowPlacement& p)
{
    bool ok = file.writeString(kSize, "X", std::to_string(p.x));
    ok = file.writeString(kSize, "Y", std::to_string(p.y)) && ok;
    ok = file.writeString(kSize, "W", std::to_string(p.w)) && ok;
    ok = file.writeString(kSize, "H", std::to_string(p.h)) && ok;
    ok = file.writeString(kSize, "Status", std::to_string(p.status)) && ok;
    return ok;
}

// --- Print options ---------------------------------------------------------------------------

std::optional<PrintOptions> readPrintOptions(const SettingsFile& file)
{
    const auto size = readChoices(file, kPrint, kPrintSizeKey);
    const std::string margin = file.readString(kPrint, "Left hand Margin", kSentinel, 20);
    if (!size || margin == kSentinel)
        return std::nullopt;
    const long m = std::strtol(margin.c_str(), nullptr, 10);
    if (m < 0 || m > 142)
        return std::nullopt;
    return PrintOptions { static_cast<PrintSize>((*size)[0]), static_cast<int>(m) };
}

bool writePrintOptions(SettingsFile& file, const PrintOptions& o)
{
    const bool ok = writeChoices(file, kPrint, kPrintSizeKey, { static_cast<int>(o.size) });
    return file.writeString(kPrint, "Left hand Margin", std::to_string(o.leftMargin)) && ok;
}

PrintOptions readOrWriteDefaultPrintOptions(SettingsFile& file)
{
    if (auto stored = readPrintOptions(file)) {
        // The margin is kept in its normalised decimal form ("010" becomes "10").
        file.writeString(kPrint, "Left hand Margin", std::to_string(stored->leftMargin));
        return *stored;
    }
    const PrintOptions defaults;
    writePrintOptions(file, defaults);
    return defaults;
}

// --- Internet Options ------------------------------------------------------------------------

std::optional<ConnectionOptions> readConnectionOptions(const SettingsFile& file)
{
    const auto c = readChoices(file, kInternet, kConnectionKeys);
    if (!c)
        return std::nullopt;
    return ConnectionOptions { (*c)[0] == 1, (*c)[1] == 1 };
}

bool writeConnectionOptions(SettingsFile& file, const ConnectionOptions& o)
{
    return writeChoices(
        file, kInternet, kConnectionKeys, { o.useDirect ? 1 : 0, o.passive ? 1 : 0 });
}

ConnectionOptions readOrWriteDefaultConnectionOptions(SettingsFile& file)
{
    return readOrWriteDefaults<ConnectionOptions>(
        file, readConnectionOptions, writeConnectionOptions);
}

std::optional<DownloadFileOptions> readDownloadFileOptions(const SettingsFile& file)
{
    const auto c = readChoices(file, kInternet, kDownloadFileKeys);
    if (!c)
        return std::nullopt;
    return DownloadFileOptions { (*c)[0] == 1, (*c)[1] == 1 };
}

bool writeDownloadFileOptions(SettingsFile& file, const DownloadFileOptions& o)
{
    return writeChoices(
        file, kInternet, kDownloadFileKeys, { o.txtExtension ? 1 : 0, o.overwrite ? 1 : 0 });
}

DownloadFileOptions readOrWriteDefaultDownloadFileOptions(SettingsFile& file)
{
    return readOrWriteDefaults<DownloadFileOptions>(
        file, readDownloadFileOptions, writeDownloadFileOptions);
}

// --- Bulk Editor settings --------------------------------------------------------------------

std::optional<BulkEditorSettings> readBulkEditorSettings(const SettingsFile& file)
{
    const auto c = readChoices(file, kBulk, kBulkKeys);
    if (!c)
        return std::nullopt;
    return BulkEditorSettings { (*c)[0] == 1, static_cast<BulkLanguage>((*c)[1]), (*c)[2] == 1 };
}

bool writeBulkEditorSettings(SettingsFile& file, const BulkEditorSettings& s)
{
    return writeChoices(file, kBulk, kBulkKeys,
        { s.transferAll ? 1 : 0, static_cast<int>(s.language), s.lockSoundWords ? 1 : 0 });
}

BulkEditorSettings readOrWriteDefaultBulkEditorSettings(SettingsFile& file)
{
    return readOrWriteDefaults<BulkEditorSettings>(
        file, readBulkEditorSettings, writeBulkEditorSettings);
}

// --- Recording data --------------------------------------------------------------------------

std::optional<RecordingData> readRecordingData(const SettingsFile& file)
{
    const auto c = readChoices(file, kRecording, kRecordingKeys);
    if (!c)
        return std::nullopt;
    return RecordingData { kSampleRates[static_cast<std::size_t>((*c)[0])],
        kSampleSizes[static_cast<std::size_t>((*c)[1])],
        kChannels[static_cast<std::size_t>((*c)[2])] };
}

bool writeRecordingData(SettingsFile& file, const RecordingData& d)
{
    // A value the file cannot hold is written as the group's default.
    return writeChoices(file, kRecording, kRecordingKeys,
        { indexOf(d.sampleRate, kSampleRates, 1), indexOf(d.sampleSize, kSampleSizes, 0),
            indexOf(d.channels, kChannels, 0) });
}

RecordingData readOrWriteDefaultRecordingData(SettingsFile& file)
{
    return readOrWriteDefaults<RecordingData>(file, readRecordingData, writeRecordingData);
}

// --- MRU -------------------------------------------------------------------------------------

std::vector<std::string> readRecentFiles(const SettingsFile& file, int count)
{
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        const std::string entry = file.readString(kMru, "MRU" + std::to_string(i), kSentinel, 260);
        if (entry == kSentinel || entry.empty() || entry == "Default")
            continue;
        out.push_back(entry);
    }
    return out;
}

bool writeRecentFiles(SettingsFile& file, const std::vector<std::string>& files, int count)
{
    bool ok = file.writeString(kMru, "Count", std::to_string(count));
    for (int i = 0; i < count; ++i) {
        const std::string value = i < static_cast<int>(files.size())
            ? files[static_cast<std::size_t>(i)]
            : std::string();
        ok = file.writeString(kMru, "MRU" + std::to_string(i), value) && ok;
    }
    return ok;
}

// --- "Speech" ----------------------------------------------------------------------------------

namespace {

constexpr const char* kSpeechSection = "Speech";
constexpr const char* kSpeakUnrecordedKey = "Speak unrecorded words";

std::string hearOnlyKey(int user)
{
    return "Hear only " + std::to_string(user);
}

bool readYesNo(const SettingsFile& file, const std::string& key, bool absent)
{
    const std::string value = file.readString(kSpeechSection, key, kSentinel, 8);
    if (value == kSentinel)
        return absent;
    if (absent)
        return value != "No";
    return value == "Yes";
}

bool writeYesNo(SettingsFile& file, const std::string& key, bool absent, bool on)
{
    if (readYesNo(file, key, absent) == on)
        return true;
    return file.writeString(kSpeechSection, key, on ? "Yes" : "No");
}

} // namespace

bool readSpeakUnrecordedWords(const SettingsFile& file)
{
    return readYesNo(file, kSpeakUnrecordedKey, true);
}

bool readHearOnly(const SettingsFile& file, int user)
{
    return readYesNo(file, hearOnlyKey(user), false);
}

bool writeSpeakUnrecordedWords(SettingsFile& file, bool on)
{
    return writeYesNo(file, kSpeakUnrecordedKey, true, on);
}

bool writeHearOnly(SettingsFile& file, int user, bool on)
{
    return writeYesNo(file, hearOnlyKey(user), false, on);
}

} // namespace quorvel
