#include "history_file.h"

#include "platform/file_errors.h"
#include "platform/le_codec.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/strings.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quorvel {

namespace {

constexpr std::size_t kDateOffset = 18;
constexpr std::size_t kDateWidth = 34;
constexpr std::size_t kNextOffset = 52;

char slotCharacter(int slot)
{
    return slot == kHistoryTemporarySlot ? 'X' : static_cast<char>('0' + slot);
}

std::string historyPath(const std::string& dataFolder, int slot)
{
    return paths::historyFile(dataFolder, slotCharacter(slot));
}

HistorySummary decodeSummary(const std::uint8_t* block)
{
    HistorySummary s;
    std::uint16_t* fields[] = { &s.autoFlag, &s.words, &s.correct, &s.minLetters, &s.maxLetters,
        &s.levelPercent, &s.listType, &s.level };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = le::u16(block + 2 + 2 * i);
    return s;
}

void encodeSummary(std::uint8_t* block, const HistorySummary& s)
{
    const std::uint16_t fields[] = { s.autoFlag, s.words, s.correct, s.minLetters, s.maxLetters,
        s.levelPercent, s.listType, s.level };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        le::putU16(block + 2 + 2 * i, fields[i]);
}

// Replaces the date text and its terminator only: the bytes after it stay what the block held.
void putDate(std::uint8_t* block, const std::string& date)
{
    const std::size_t len = std::min(date.size(), kDateWidth - 1);
    std::memcpy(block + kDateOffset, date.data(), len);
    block[kDateOffset + len] = 0;
}

} // namespace

std::unique_ptr<HistoryFile> HistoryFile::open(
    const std::string& dataFolder, int slot, OpenMode mode)
{
    if (slot < 0 || slot > kHistoryTemporarySlot || dataFolder.empty())
        return nullptr;
    auto file = File::open(historyPath(dataFolder, slot), mode);
    if (!file)
        return nullptr;
    return std::unique_ptr<HistoryFile>(new HistoryFile(std::move(file)));
}

bool HistoryFile::close()
{
    return m_file->close();
}

bool HistoryFile::readBlock(std::uint32_t offset, std::uint8_t* block)
{
    return m_file->readAt(offset, block, kHistoryBlockSize);
}

int HistoryFile::count()
{
    std::uint8_t bytes[2];
    if (!m_file->readAt(0, bytes, 2))
        return 0;
    return le::u16(bytes);
}

bool HistoryFile::readHeader(HistoryHeader& header)
{
    std::uint8_t block[kHistoryBlockSize];
    if (!readBlock(0, block))
        return false;
    header.records = le::u16(block);
    header.summary = decodeSummary(block);
    header.created = le::text(block + kDateOffset, kDateWidth);
    header.nextWrite = le::u32(block + kNextOffset);
    return true;
}

namespace {

// A ring link must name one of the N record blocks that lie inside the file.
bool ringOffsetValid(std::uint32_t offset, int records, std::uint64_t fileSize)
{
    return offset >= kHistoryBlockSize && offset % kHistoryBlockSize == 0
        && offset / kHistoryBlockSize <= static_cast<std::uint32_t>(records)
        && std::uint64_t(offset) + kHistoryBlockSize <= fileSize;
}

} // namespace

bool HistoryFile::readRecord(int k, HistoryRecord& record)
{
    HistoryHeader header;
    if (!readHeader(header) || k < 1 || k > header.records)
        return false;
    std::uint32_t offset = header.nextWrite;
    std::uint8_t block[kHistoryBlockSize];
    for (int step = 1;; ++step) {
        if (!ringOffsetValid(offset, header.records, m_file->size()) || !readBlock(offset, block))
            return false;
        if (step == k)
            break;
        offset = le::u32(block + kNextOffset);
    }
    record.records = le::u16(block);
    record.summary = decodeSummary(block);
    record.date = le::text(block + kDateOffset, kDateWidth);
    record.next = le::u32(block + kNextOffset);
    return true;
}

bool HistoryFile::readRecords(std::vector<HistoryRecord>& records)
{
    records.clear();
    HistoryHeader header;
    if (!readHeader(header))
        return false;
    const int n = header.records;
    // Each block once: a ring shorter than it claims is not read round twice.
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    records.reserve(std::min<std::size_t>(n, m_file->size() / kHistoryBlockSize));
    std::uint32_t offset = header.nextWrite;
    std::uint8_t block[kHistoryBlockSize];
    for (int k = 1; k <= n; ++k) {
        if (!ringOffsetValid(offset, n, m_file->size()))
            return false;
        const std::size_t index = offset / kHistoryBlockSize;
        if (seen[index] || !readBlock(offset, block))
            return false;
        seen[index] = true;
        HistoryRecord& record = records.emplace_back();
        record.records = le::u16(block);
        record.summary = decodeSummary(block);
        record.date = le::text(block + kDateOffset, kDateWidth);
        record.next = le::u32(block + kNextOffset);
        offset = record.next;
    }
    return true;
}

namespace {

// Puts a drill into a record block: its summary and date. The block's N and next fields stay.
void fillRecord(std::uint8_t* block, const HistorySummary& summary, const std::string& date)
{
    encodeSummary(block, summary);
    putDate(block, date);
}

} // namespace

bool HistoryFile::append(
    const HistorySummary& summary, const std::string& date, bool keepDate, Clock& clock)
{
    std::uint8_t header[kHistoryBlockSize];
    if (!readBlock(0, header))
        return false;
    const std::uint32_t at = le::u32(header + kNextOffset);
    std::uint8_t block[kHistoryBlockSize];
    if (!ringOffsetValid(at, le::u16(header), m_file->size()) || !readBlock(at, block))
        return false;
    fillRecord(block, summary, keepDate ? date : classicDateText(clock.now()));
    if (!m_file->writeAt(at, block, sizeof block))
        return false;
    std::memcpy(header + kNextOffset, block + kNextOffset, 4);
    return m_file->writeAt(0, header, sizeof header);
}

namespace {

// A fresh ring of `records` empty records dated now: the header points at record 1, and the
// records, each holding N and the date, link 1 -> 2 -> ... -> N -> 1.
std::vector<std::uint8_t> emptyRing(int records, Clock& clock)
{
    std::vector<std::uint8_t> ring(kHistoryBlockSize * static_cast<std::size_t>(records + 1), 0);
    std::uint8_t block[kHistoryBlockSize] = {};
    putDate(block, classicDateText(clock.now()));
    le::putU16(block, static_cast<std::uint16_t>(records));
    for (int i = 0; i <= records; ++i) {
        const std::uint32_t next = i == 0 || i == records
            ? kHistoryBlockSize
            : kHistoryBlockSize * static_cast<std::uint32_t>(i + 1);
        le::putU32(block + kNextOffset, next);
        std::memcpy(
            ring.data() + kHistoryBlockSize * static_cast<std::size_t>(i), block, sizeof block);
    }
    return ring;
}

// A drill with its own date written into a ring held in memory, as an append writes it into a
// file: the oldest record takes it and the header moves on to the record after it.
void appendToRing(std::vector<std::uint8_t>& ring, const HistoryRecord& record)
{
    std::uint8_t* header = ring.data();
    const std::uint32_t at = le::u32(header + kNextOffset);
    std::uint8_t* block = ring.data() + at;
    fillRecord(block, record.summary, record.date);
    std::memcpy(header + kNextOffset, block + kNextOffset, 4);
}

// The drills of an old ring to carry into a new one of `records` records, oldest first. A ring
// that claims more records than a file may hold is taken as far as it can be read, and only its
// newest `records` drills are kept; any other ring must be read whole.
bool oldDrills(HistoryFile& old, int records, bool oversized, std::vector<HistoryRecord>& drills)
{
    if (!old.readRecords(drills) && !oversized)
        return false;
    std::erase_if(drills, [](const HistoryRecord& r) { return r.summary.words == 0; });
    if (oversized && drills.size() > static_cast<std::size_t>(records))
        drills.erase(drills.begin(), drills.end() - records);
    return true;
}

} // namespace

bool GenerateHistoryFile(
    const std::string& dataFolder, int records, int slot, Clock& clock, bool rebuildOversized)
{
    if (records < kHistoryMinRecords || records > kHistoryMaxRecords || slot < 0 || slot > 9
        || dataFolder.empty())
        return false;
    const std::string path = historyPath(dataFolder, slot);
    auto old = HistoryFile::open(dataFolder, slot, OpenMode::ReadOnly);
    // A file that is there but cannot be opened is not a missing one: making a new file in its
    // place would throw its drills away.
    if (!old && testFileExists(path) != FileError::kFileNotFound)
        return false;

    // The new ring is made in memory, the old file's drills copied into it, and only then does
    // it replace the old file, which stays untouched until the new one is complete on disk.
    std::vector<std::uint8_t> ring = emptyRing(records, clock);
    if (old) {
        // A file too short to hold its number of records has no drills to keep; one whose
        // number cannot be read has drills that must not be thrown away.
        std::uint8_t number[2];
        int oldRecords = 0;
        if (old->file().readAt(0, number, 2))
            oldRecords = le::u16(number);
        else if (old->file().size() >= 2)
            return false;
        const bool oversized = oldRecords > kHistoryMaxRecords;
        if (oversized && !rebuildOversized)
            return false;
        std::vector<HistoryRecord> drills;
        if (oldRecords > 0 && !oldDrills(*old, records, oversized, drills))
            return false;
        for (const HistoryRecord& record : drills)
            appendToRing(ring, record);
        if (!old->close())
            return false;
    }
    return replaceFile(path, ring.data(), ring.size()).ok();
}

bool historyFileOversized(const std::string& dataFolder, int slot)
{
    auto file = HistoryFile::open(dataFolder, slot, OpenMode::ReadOnly);
    return file && file->count() > kHistoryMaxRecords;
}

bool appendDrillHistory(const std::string& dataFolder, int slot, const HistorySummary& summary,
    Clock& clock, Prompter& prompter)
{
    auto file = HistoryFile::open(dataFolder, slot, OpenMode::ReadWrite);
    bool ok = false;
    if (file) {
        if (file->count() > kHistoryMaxRecords)
            prompter.show(strings::kHistoryTooManyRecords, strings::kHistorySeeSystemPerson,
                MessageIcon::Information);
        ok = file->append(summary, std::string(), false, clock) && file->file().sync();
        ok = file->close() && ok;
    }
    if (!ok)
        prompter.show(
            strings::kUnableToSaveHistory, strings::kInformation, MessageIcon::Information);
    return ok;
}

} // namespace quorvel
