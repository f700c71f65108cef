#pragma once

// What the three dictionary implementations of the benchmarks share: the words of a built
// dictionary as plain rows (read once through core), the drill filters they all apply, the
// statistics they all compute, and a scratch folder for the working copies. The benchmarks
// change the dictionary (adding, removing, resetting), so they always work on copies and the
// built file stays as the build left it.

#include "dictionary/dictionary_pass.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::bench {

// One word with every attribute the dictionary record carries.
struct WordRow
{
    std::string word; // upper-case, with its first two letters
    std::array<std::uint8_t, 10> status {}; // WordStatus per user slot
    std::uint8_t language = 3; // as stored: 1 UK, 2 US, 3 both
    std::uint8_t category = 0;
    std::uint8_t added = 0;
    std::uint8_t media = 0;
    std::uint8_t soundFlag = 0;
    std::uint16_t soundIndex = 0;
};

// A word the dictionary does not hold yet: every user Neutral, both dialects, main dictionary
// (what AddWord makes of a fresh CurrentWordInfo with language 3 and category 0).
WordRow newWordRow(const std::string& word);

// Every record of both tables, main table first, each in bucket and chain order. Throws
// std::runtime_error when the file cannot be read: figures from half a dictionary would mislead.
std::vector<WordRow> loadWordRows(const std::string& path);

// The record test a drill list applies, for one user: dialect, category, word length and
// status (statusWanted 3 = anything but Mastered, 0 = Failure only).
struct DrillFilter
{
    int user = 0;
    int language = 2; // 1 UK, 2 US
    int category = 0;
    int minLength = 4; // whole word, letters
    int maxLength = 10;
    int statusWanted = 3;

    bool accepts(const WordRow& row) const;
};

// The statistics of both tables together, in the shape the dictionary reports use.
DictionaryStatistics statisticsOf(const std::vector<WordRow>& rows);
bool sameStatistics(const DictionaryStatistics& a, const DictionaryStatistics& b);

// A fresh folder, removed with everything in it when this object goes.
class ScratchFolder
{
public:
    // Created inside `parent` (the system's temporary folder when empty).
    explicit ScratchFolder(const std::string& parent = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace quorvel::bench
