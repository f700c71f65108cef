// Any text as the settings file: every group reads to values or "not stored", a value just written
// reads back, and every other key keeps the value it had.

#include "config/settings_groups.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <tuple>

using namespace quorvel;

namespace {

// What the groups read, but for the key the write changes.
auto otherValues(const SettingsFile& file)
{
    return std::make_tuple(readFirstTimeStored(file), readPlacement(file),
        readConnectionOptions(file), readDownloadFileOptions(file), readBulkEditorSettings(file),
        readRecordingData(file), readRecentFiles(file),
        file.readString("Print options", "Left hand Margin", settings::kSentinel, 20));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInput("Fenwa.ini", data, size);
    SettingsFile file(path);
    readPrintOptions(file);
    const auto before = otherValues(file);
    if (!file.writeString("Print options", "Print size", "large"))
        return 0;
    // A value just written must read back, from what this run keeps and from the file as the
    // next start reads it.
    if (file.readString("print OPTIONS", "print size", settings::kSentinel, 20) != "large")
        std::abort();
    if (SettingsFile(path).readString("print OPTIONS", "print size", settings::kSentinel, 20)
        != "large")
        std::abort();
    if (otherValues(file) != before || otherValues(SettingsFile(path)) != before)
        std::abort();
    return 0;
}
