#pragma once

// A user's history file (progdata/histuse<slot>.his): a fixed ring of 56-byte records, one per
// finished drill, made in advance with 3 to 60 records. Appending overwrites the oldest record.

#include "platform/file.h"
#include "platform/services.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

inline constexpr std::uint32_t kHistoryBlockSize = 56;
inline constexpr int kHistoryMinRecords = 3;
inline constexpr int kHistoryMaxRecords = 60;
// Slot 10 names the "X" file (progdata/histuseX.his), opened on request only: a rebuild writes
// its new file under a temporary name of its own that no link or other file can stand in for.
inline constexpr int kHistoryTemporarySlot = 10;

// The eight summary values of a drill (a record's bytes 2..17).
struct HistorySummary
{
    std::uint16_t autoFlag = 0;
    std::uint16_t words = 0; // 0: the record never held a drill
    std::uint16_t correct = 0;
    std::uint16_t minLetters = 0;
    std::uint16_t maxLetters = 0;
    std::uint16_t levelPercent = 0;
    std::uint16_t listType = 0;
    std::uint16_t level = 0; // 1 Elementary, 2 Intermediate, 3 Advanced
    bool operator==(const HistorySummary&) const = default;
};

struct HistoryHeader
{
    std::uint16_t records = 0; // N
    HistorySummary summary;
    std::string created; // date text
    std::uint32_t nextWrite = 0; // the oldest record, written next
};

struct HistoryRecord
{
    std::uint16_t records = 0; // N as made
    HistorySummary summary;
    std::string date;
    std::uint32_t next = 0;
};

class HistoryFile
{
public:
    // Slot 0..9, or 10 for the temporary "X" file; null for other slots, an empty data folder, or
    // a file that cannot be opened in this mode.
    static std::unique_ptr<HistoryFile> open(
        const std::string& dataFolder, int slot, OpenMode mode);

    bool close();
    File& file() { return *m_file; }

    // N from the header, 0 when it cannot be read.
    int count();
    bool readHeader(HistoryHeader& header);
    // The k-th record counted from the oldest (k = 1..N).
    bool readRecord(int k, HistoryRecord& record);
    // Records 1..N, oldest first, read in one pass along the ring. False at a link that names no
    // record block of the file, a block that cannot be read, or a ring that comes back on itself
    // before N records; `records` then holds the records read before it.
    bool readRecords(std::vector<HistoryRecord>& records);
    // Writes one drill into the ring. With keepDate the record's own date text is kept; otherwise
    // the clock's current date is written.
    bool append(
        const HistorySummary& summary, const std::string& date, bool keepDate, Clock& clock);

private:
    explicit HistoryFile(std::unique_ptr<File> file)
        : m_file(std::move(file))
    { }
    bool readBlock(std::uint32_t offset, std::uint8_t* block);

    std::unique_ptr<File> m_file;
};

// Makes (or rebuilds, keeping the newest drills) the slot's history file with N records. The
// old file is replaced only by a complete new one; any failure leaves it as it was. An old file
// that claims more than 60 records is refused unless `rebuildOversized` (the person agreed): then
// the newest of its drills that can be read are kept, up to N.
bool GenerateHistoryFile(const std::string& dataFolder, int records, int slot, Clock& clock,
    bool rebuildOversized = false);

// True when the slot's history file claims more records than a history file may hold.
bool historyFileOversized(const std::string& dataFolder, int slot);

// AppendHistory of a history record.
inline bool AppendHistory(
    HistoryFile& file, const HistoryRecord& record, bool keepDate, Clock& clock)
{
    return file.append(record.summary, record.date, keepDate, clock);
}

// The drill's append at the end of a pass: warns when the file holds too many records, and
// reports a failure (a missing file included) without creating anything.
bool appendDrillHistory(const std::string& dataFolder, int slot, const HistorySummary& summary,
    Clock& clock, Prompter& prompter);

} // namespace quorvel
