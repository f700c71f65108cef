// Any text as the settings file: every group reads to values or "not stored", and writing a key
// keeps every line it does not concern.

#include "config/settings_groups.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInput("Fenwa.ini", data, size);
    SettingsFile file(path);
    readFirstTimeStored(file);
    readPlacement(file);
    readPrintOptions(file);
    readConnectionOptions(file);
    readDownloadFileOptions(file);
    readBulkEditorSettings(file);
    readRecordingData(file);
    readRecentFiles(file);
    if (!file.writeString("Print options", "Print size", "large"))
        return 0;
    // A value just written must read back, from what this run keeps and from the file as the
    // next start reads it.
    if (file.readString("print OPTIONS", "print size", settings::kSentinel, 20) != "large")
        std::abort();
    if (SettingsFile(path).readString("print OPTIONS", "print size", settings::kSentinel, 20)
        != "large")
        std::abort();
    return 0;
}
