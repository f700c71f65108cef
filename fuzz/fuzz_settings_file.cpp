// Any text as the settings file: every group reads to values or "not stored", a value just written
// reads back, and every other key keeps the value it had. The input's last three bytes arm the
// file-failure hooks for the write: a write that fails leaves the file as it was, byte for byte,
// unless only the folder could not be synced once the new file was in place.

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
    // A value just written must read back, from what this run keeps and from the file as the
    // next start reads it, and every other key keeps its value.
    FUZZ_CHECK(readsBack, "a value just written does not read back");
    FUZZ_CHECK(SettingsFile(path).readString("print OPTIONS", "print size", settings::kSentinel, 20)
            == "large",
        "a value just written does not read back from the file");
    FUZZ_CHECK(otherValues(file) == before && otherValues(SettingsFile(path)) == before,
        "a write changed another key");
    return 0;
}
