// Any text as the settings file: every group reads to values or "not stored", and writing a key
// keeps every line it does not concern. The input's last three bytes arm the file-failure hooks
// for the write: a write that fails leaves the file as it was, byte for byte, unless only the
// folder could not be synced once the new file was in place.

#include "config/settings_groups.h"
#include "fuzz_support.h"

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
    const fuzz::FaultPlan plan = fuzz::trailingFaultPlan(data, size);
    bool written;
    {
        fuzz::ArmedFaults armed(plan);
        written = file.writeString("Print options", "Print size", "large");
    }
    const bool readsBack
        = file.readString("print OPTIONS", "print size", settings::kSentinel, 20) == "large";
    if (!written) {
        FUZZ_CHECK(plan.armed, "a write failed without a failure");
        const bool unchanged
            = fuzz::readScratchFile("Fenwa.ini") == std::vector<std::uint8_t>(data, data + size);
        FUZZ_CHECK(unchanged || (plan.op == FileOp::Sync && readsBack),
            "a failed write changed the file; " + fuzz::describe(plan));
        return 0;
    }
    FUZZ_CHECK(readsBack, "a value just written does not read back");
    return 0;
}
