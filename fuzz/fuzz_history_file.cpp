// Any bytes as a history ring: counting, reading, appending and rebuilding must end with a
// result and never touch memory they do not own. The input's last three bytes arm the
// file-failure hooks for the append and, afresh, for the rebuild: a rebuild that fails leaves the
// file as it was (or, when only the folder could not be synced, the new file in its place).

#include "fuzz_support.h"
#include "history/history_file.h"

#include <cstdlib>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::StillClock clock;
    const char* const kRelative = "progdata/histuse0.his";
    fuzz::writeInput(kRelative, data, size);
    const fuzz::FaultPlan plan = fuzz::trailingFaultPlan(data, size);
    if (auto file = HistoryFile::open(fuzz::scratchFolder(), 0, OpenMode::ReadWrite)) {
        const int n = file->count();
        HistoryHeader header;
        file->readHeader(header);
        for (int k = 1; k <= n && k <= 70; ++k) {
            HistoryRecord record;
            file->readRecord(k, record);
        }
        std::vector<HistoryRecord> records;
        if (file->readRecords(records) && records.size() != static_cast<std::size_t>(n))
            std::abort(); // a ring read whole holds its N records
        if (records.size() > static_cast<std::size_t>(n))
            std::abort();
        HistorySummary summary;
        summary.words = 5;
        fuzz::ArmedFaults armed(plan);
        file->append(summary, {}, false, clock);
        file->close();
    }
    // Every other input as if the person agreed to rebuilding a file of more than 60 records.
    const std::vector<std::uint8_t> before = fuzz::readScratchFile(kRelative);
    bool rebuilt;
    {
        fuzz::ArmedFaults armed(plan);
        rebuilt = GenerateHistoryFile(
            fuzz::scratchFolder(), 3 + static_cast<int>(size % 5), 0, clock, size % 2 == 0);
    }
    FUZZ_CHECK(rebuilt || fuzz::readScratchFile(kRelative) == before
            || (plan.armed && plan.op == FileOp::Sync),
        "a failed rebuild changed the file; " + fuzz::describe(plan));
    return 0;
}
