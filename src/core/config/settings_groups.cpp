#include "settings_groups.h"

#include <cstdlib>

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

// A value and its allowed words: the index of the word it equals, or -1 (also for the sentinel,
// which no allowed word equals).
int wordIndex(const std::string& value, std::initializer_list<const char*> words)
{
    int i = 0;
    for (const char* w : words) {
        if (value == w)
            return i;
        ++i;
    }
    return -1;
}

std::string readOther(
    const SettingsFile& f, const char* section, const char* key, std::size_t limit)
{
    return f.readString(section, key, kSentinel, limit);
}

// Reads the group; when it is not stored, writes and returns the defaults.
template <class T, class Read, class Write> T loadGroup(SettingsFile& file, Read read, Write write)
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
    const std::string size = readOther(file, kPrint, "Print size", 20);
    const std::string margin = readOther(file, kPrint, "Left hand Margin", 20);
    const int sizeIndex = wordIndex(size, { "small", "normal", "large" });
    if (sizeIndex < 0 || margin == kSentinel)
        return std::nullopt;
    const long m = std::strtol(margin.c_str(), nullptr, 10);
    if (m < 0 || m > 142)
        return std::nullopt;
    return PrintOptions { static_cast<PrintSize>(sizeIndex), static_cast<int>(m) };
}

bool writePrintOptions(SettingsFile& file, const PrintOptions& o)
{
    static const char* const kSizes[] = { "small", "normal", "large" };
    bool ok = file.writeString(kPrint, "Print size", kSizes[static_cast<int>(o.size)]);
    return file.writeString(kPrint, "Left hand Margin", std::to_string(o.leftMargin)) && ok;
}

PrintOptions loadPrintOptions(SettingsFile& file)
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
    const int connection = wordIndex(
        readOther(file, kInternet, "Internet connection", 32), { "Use present", "Use direct" });
    const int passive = wordIndex(readOther(file, kInternet, "Passive FTP", 32), { "No", "Yes" });
    if (connection < 0 || passive < 0)
        return std::nullopt;
    return ConnectionOptions { connection == 1, passive == 1 };
}

bool writeConnectionOptions(SettingsFile& file, const ConnectionOptions& o)
{
    bool ok = file.writeString(
        kInternet, "Internet connection", o.useDirect ? "Use direct" : "Use present");
    return file.writeString(kInternet, "Passive FTP", o.passive ? "Yes" : "No") && ok;
}

ConnectionOptions loadConnectionOptions(SettingsFile& file)
{
    return loadGroup<ConnectionOptions>(file, readConnectionOptions, writeConnectionOptions);
}

std::optional<DownloadFileOptions> readDownloadFileOptions(const SettingsFile& file)
{
    const int ext = wordIndex(
        readOther(file, kInternet, "Extension type", 20), { "Bee extension", "Txt extension" });
    const int mode
        = wordIndex(readOther(file, kInternet, "Write mode", 20), { "New only", "Overwrite" });
    if (ext < 0 || mode < 0)
        return std::nullopt;
    return DownloadFileOptions { ext == 1, mode == 1 };
}

bool writeDownloadFileOptions(SettingsFile& file, const DownloadFileOptions& o)
{
    bool ok = file.writeString(
        kInternet, "Extension type", o.txtExtension ? "Txt extension" : "Bee extension");
    return file.writeString(kInternet, "Write mode", o.overwrite ? "Overwrite" : "New only") && ok;
}

DownloadFileOptions loadDownloadFileOptions(SettingsFile& file)
{
    return loadGroup<DownloadFileOptions>(file, readDownloadFileOptions, writeDownloadFileOptions);
}

// --- Bulk Editor settings --------------------------------------------------------------------

std::optional<BulkEditorSettings> readBulkEditorSettings(const SettingsFile& file)
{
    const int type
        = wordIndex(readOther(file, kBulk, "Bulk Editor transfer type", 20), { "New", "All" });
    const int language = wordIndex(readOther(file, kBulk, "Language", 20), { "UK", "USA", "Both" });
    const int lock
        = wordIndex(readOther(file, kBulk, "Lock words linked to sounds", 20), { "No", "Yes" });
    if (type < 0 || language < 0 || lock < 0)
        return std::nullopt;
    return BulkEditorSettings { type == 1, static_cast<BulkLanguage>(language), lock == 1 };
}

bool writeBulkEditorSettings(SettingsFile& file, const BulkEditorSettings& s)
{
    static const char* const kLanguages[] = { "UK", "USA", "Both" };
    bool ok = file.writeString(kBulk, "Bulk Editor transfer type", s.transferAll ? "All" : "New");
    ok = file.writeString(kBulk, "Language", kLanguages[static_cast<int>(s.language)]) && ok;
    return file.writeString(kBulk, "Lock words linked to sounds", s.lockSoundWords ? "Yes" : "No")
        && ok;
}

BulkEditorSettings loadBulkEditorSettings(SettingsFile& file)
{
    return loadGroup<BulkEditorSettings>(file, readBulkEditorSettings, writeBulkEditorSettings);
}

// --- Recording data --------------------------------------------------------------------------

std::optional<RecordingData> readRecordingData(const SettingsFile& file)
{
    const int rate
        = wordIndex(readOther(file, kRecording, "Sample rate", 40), { "11025", "22050", "44100" });
    const int size = wordIndex(readOther(file, kRecording, "Sample size", 40), { "8", "16" });
    const int channels = wordIndex(readOther(file, kRecording, "Channels", 40), { "1", "2" });
    if (rate < 0 || size < 0 || channels < 0)
        return std::nullopt;
    static const int kRates[] = { 11025, 22050, 44100 };
    return RecordingData { kRates[rate], size == 0 ? 8 : 16, channels + 1 };
}

bool writeRecordingData(SettingsFile& file, const RecordingData& d)
{
    bool ok = file.writeString(kRecording, "Sample rate", std::to_string(d.sampleRate));
    ok = file.writeString(kRecording, "Sample size", std::to_string(d.sampleSize)) && ok;
    return file.writeString(kRecording, "Channels", std::to_string(d.channels)) && ok;
}

RecordingData loadRecordingData(SettingsFile& file)
{
    return loadGroup<RecordingData>(file, readRecordingData, writeRecordingData);
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

} // namespace quorvel
