#pragma once

// Histories and dictionaries for the Progress window's tests, in core and in the user interface:
// a history file holding chosen drills at chosen times, a way to break its ring, and a small
// dictionary whose word status differs between users.

#include "history/history_file.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace quorvel::test {

struct Drill
{
    HistorySummary summary;
    std::time_t when = 0;
};

// A drill of `words` words with `correct` right at `level`, from a random list.
HistorySummary drillSummary(int words, int correct, int level, bool automatic = false);

// Makes the slot's history file with room for `records` drills and appends these, oldest first,
// each with its own date.
void writeHistory(
    const std::string& dataFolder, int slot, int records, const std::vector<Drill>& drills);

// Points the link of the history file's record block `block` (1 = the block at offset 56) at
// `offset`, as a damaged disk or another program might leave it.
void setHistoryLink(const std::string& path, int block, std::uint32_t offset);

// Writes dictionaryFolder/progdata/sonddict.dis: three words in the main dictionary and two in
// a category, every user Failed on CAT, Neutral on DOG and APPLE, Successful on FISH and
// Mastered on ZEBRA, except that user 2 has mastered every word of the main dictionary.
void writeStatusDictionary(const std::string& dictionaryFolder);

// What writeStatusDictionary gives users 0 and 2 (Failed, Neutral, Successful, Mastered).
inline constexpr std::array<std::uint32_t, 4> kStatusesOfUser0 { 1, 2, 1, 1 };
inline constexpr std::array<std::uint32_t, 4> kStatusesOfUser2 { 0, 1, 0, 4 };

} // namespace quorvel::test
