#include "dictionary_pass.h"

#include <string>

namespace quorvel {

using namespace dict;

bool forEachRecord(File& file, std::uint32_t tableOffset, bool withText, const RecordVisitor& visit)
{
    RecordReader reader(file);
    RecordPeek record;
    for (std::uint32_t slot = 0; slot <= kLastSlotOffset; slot += 4) {
        const std::uint32_t end = endMarker(tableOffset, slot);
        std::uint32_t current = 0;
        if (!ReadLink(file, tableOffset + slot, current))
            return false;
        reader.startChain();
        while (current != end) {
            if (!reader.read(current, record) || (withText && record.text.empty()))
                return false;
            const WordRecordHeader header = WordRecordHeader::decode(record.header);
            const bool goOn = visit(slot, current, header, record.text);
            reader.forget(); // the visitor may have used the file
            if (!goOn)
                return true;
            current = header.next;
        }
    }
    return true;
}

DictionaryStatistics& DictionaryStatistics::operator+=(const DictionaryStatistics& other)
{
    words += other.words;
    for (std::size_t u = 0; u < statusCounts.size(); ++u) {
        for (std::size_t s = 0; s < 4; ++s)
            statusCounts[u][s] += other.statusCounts[u][s];
    }
    for (std::size_t i = 0; i < categoryCounts.size(); ++i)
        categoryCounts[i] += other.categoryCounts[i];
    for (std::size_t i = 0; i < languageCounts.size(); ++i)
        languageCounts[i] += other.languageCounts[i];
    for (std::size_t i = 0; i < lengthCounts.size(); ++i)
        lengthCounts[i] += other.lengthCounts[i];
    for (std::size_t i = 0; i < firstLetterCounts.size(); ++i)
        firstLetterCounts[i] += other.firstLetterCounts[i];
    return *this;
}

bool collectDictionaryStatistics(File& file, Table table, DictionaryStatistics& out)
{
    const std::uint32_t tableOffset = ReadTableOffset(file, table);
    if (tableOffset == kNoOffset)
        return false;
    DictionaryStatistics stats;
    bool tooLong = false;
    const bool ok = forEachRecord(file, tableOffset, true,
        [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& h, std::string_view text) {
            const std::size_t length = text.size() + 2;
            if (length >= stats.lengthCounts.size()) {
                tooLong = true;
                return false;
            }
            ++stats.words;
            for (int u = 0; u < 10; ++u)
                ++stats.statusCounts[static_cast<std::size_t>(u)]
                                    [static_cast<std::size_t>(h.status(u))];
            ++stats.categoryCounts[static_cast<std::size_t>(h.category())];
            ++stats.languageCounts[static_cast<std::size_t>(h.rawLanguage())];
            ++stats.lengthCounts[length];
            ++stats.firstLetterCounts[slot / 4 / 26];
            return true;
        });
    if (!ok || tooLong)
        return false;
    out = stats;
    return true;
}

long ResetStatus(File& file, std::uint32_t tableOffset, int status, int currentUser)
{
    if (currentUser < 0 || currentUser > 9)
        return -1;
    long count = 0;
    bool writeFailed = false;
    std::uint8_t bytes[kRecordHeaderSize];
    // Each changed record is a few bytes; the batch writes each changed block of the file once.
    file.beginBatch();
    // A pass that cannot read on, or meets a damaged chain (a record without its text included),
    // has not reset the table: the caller must not show its count as a total.
    const bool walked = forEachRecord(file, tableOffset, true,
        [&](std::uint32_t, std::uint32_t offset, const WordRecordHeader& header, std::string_view) {
            WordRecordHeader changed = header;
            changed.setStatus(currentUser, status);
            changed.encode(bytes);
            if (!file.writeAt(offset, bytes, sizeof bytes)) {
                writeFailed = true;
                return false;
            }
            ++count;
            return true;
        });
    const bool written = file.endBatch();
    return writeFailed || !walked || !written ? -1 : count;
}

std::vector<std::string> tableContents(File& file)
{
    std::vector<std::string> out;
    for (Table table : { Table::Main, Table::Category }) {
        const std::uint32_t offset = ReadTableOffset(file, table);
        const std::string prefix = table == Table::Main ? "M:" : "C:";
        const bool ok = offset != dict::kNoOffset
            && forEachRecord(file, offset, true,
                [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader&,
                    std::string_view text) {
                    char letters[2];
                    BucketLetters(slot, letters);
                    out.push_back(prefix + std::string(letters, 2) + std::string(text));
                    return true;
                });
        if (!ok)
            out.push_back("damaged");
    }
    return out;
}

} // namespace quorvel
