#pragma once

// Passes over every record of a bucket table, bucket by bucket in slot order and along each
// chain: the statistics of the dictionary reports and the reset of one user's word status.

#include "dictionary_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// visit(slot offset within the table, record offset, header, text) -> go on?
using RecordVisitor
    = std::function<bool(std::uint32_t, std::uint32_t, const WordRecordHeader&, std::string_view)>;

// Calls `visit` for every record of the table; `visit` returns false to
// stop. `withText` reads each record's text too (an empty text is then a damaged chain). False
// when a seek or read fails or a chain is damaged; records visited before stay visited.
bool forEachRecord(
    File& file, std::uint32_t tableOffset, bool withText, const RecordVisitor& visit);

// What the dictionary reports count over one table.
struct DictionaryStatistics
{
    std::uint32_t words = 0;
    std::array<std::array<std::uint32_t, 4>, 10> statusCounts {}; // [user][WordStatus]
    std::array<std::uint32_t, 64> categoryCounts {};
    std::array<std::uint32_t, 4> languageCounts {}; // by stored language value 0..3
    std::array<std::uint32_t, 38> lengthCounts {}; // by word length 0..37
    std::array<std::uint32_t, 26> firstLetterCounts {};

    DictionaryStatistics& operator+=(const DictionaryStatistics& other);
};

// Collects the statistics of one table; false on a read failure or a word of 38 or more letters.
bool collectDictionaryStatistics(File& file, Table table, DictionaryStatistics& out);

// Sets the current user's status of every word of the table to `status`, record by record in
// place. Returns the number of records changed, or -1 when the user slot is above 9, a write
// fails, or a read fails or a chain is damaged on the way (the records before stay changed).
long ResetStatus(File& file, std::uint32_t tableOffset, int status, int currentUser);

// Every word of the file as "M:" (main table) or "C:" (category table), the two letters of its
// bucket and the word, in table, bucket and chain order; an entry "damaged" where a table cannot
// be walked. What the tests and fuzz targets compare a dictionary's words by.
std::vector<std::string> tableContents(File& file);

} // namespace quorvel
