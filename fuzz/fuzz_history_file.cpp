// Any bytes as a history ring: counting, reading, appending and rebuilding must end with a
// result and never touch memory they do not own.

#include "fuzz_support.h"
#include "history/history_file.h"

#include <cstdlib>

using namespace quorvel;

namespace {

class StillClock final : public Clock
{
public:
    std::uint32_t ticks() override { return 0; }
    std::time_t now() override { return 1765375385; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StillClock clock;
    fuzz::writeInput("progdata/histuse0.his", data, size);
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
        file->append(summary, {}, false, clock);
        file->close();
    }
    // Every other input as if the person agreed to rebuilding a file of more than 60 records.
    GenerateHistoryFile(
        fuzz::scratchFolder(), 3 + static_cast<int>(size % 5), 0, clock, size % 2 == 0);
    return 0;
}
