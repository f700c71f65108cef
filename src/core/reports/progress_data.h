#pragma once

// What the Progress window draws for one user: a point for every drill the user's history file
// keeps (when, the score, the level it was spelt at) and how many dictionary words the user has
// failed, not met yet, spelt and mastered now. Reading never writes anything, and a damaged file
// gives what could be read before the damage together with a note that says so.

#include "dictionary/dictionary_pass.h"
#include "history/history_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// One drill on the chart.
struct ProgressPoint
{
    std::int64_t when = 0; // seconds since the epoch, from the record's local date text
    int words = 0;
    int correct = 0;
    int scorePercent = 0; // 100 x correct / words, whole percent, rounded down
    int level = 0; // 1 Elementary, 2 Intermediate, 3 Advanced; 0 when the record holds no level
    // The level after the drill: an automatic drill that promoted or demoted the user leaves a
    // second record, and the two are one drill here.
    int levelAfter = 0;
    bool automatic = false;
    int listType = 0;
    bool operator==(const ProgressPoint&) const = default;
};

enum class HistoryReading : std::uint8_t
{
    Complete, // every record of the ring was read
    NoFile, // the user has no history file
    Unreadable, // the file is there but cannot be opened or its header read
    Damaged, // the ring breaks off; the points are the drills read before the break
    Oversized, // the header claims more records than a history file may hold; read as far as
               // the file goes
};

enum class StatusReading : std::uint8_t
{
    Complete,
    NoDictionary, // the dictionary cannot be opened
    Damaged, // a pass over a table could not be completed: no counts are given
};

// WordStatus 0..3: Failure, Neutral, Successful, Mastered.
using StatusCounts = std::array<std::uint32_t, 4>;

struct ProgressData
{
    std::vector<ProgressPoint> points; // oldest first
    HistoryReading history = HistoryReading::Complete;
    // Records that held a drill but could not be drawn: a date that does not read as a date, or
    // more words right than words in the list.
    int leftOut = 0;
    StatusCounts statuses {};
    StatusReading statusReading = StatusReading::Complete;
};

// The local time of a date text in the classic form ("Thu Dec 10 14:03:05 2026"), as seconds
// since the epoch; false when the text is not such a date.
bool parseClassicDate(const std::string& text, std::int64_t& when);

// The drills of history records (oldest first), one point each. Records that never held a drill
// are skipped; records that cannot be drawn are counted in `leftOut`.
std::vector<ProgressPoint> progressPoints(const std::vector<HistoryRecord>& records, int& leftOut);

// A user's four status counts over both tables.
StatusCounts userStatusCounts(
    const DictionaryStatistics& main, const DictionaryStatistics& category, int user);

// Reads the user's history file (dataFolder/progdata/histuse<slot>.his) and the dictionary
// (dictionaryFolder/progdata/sonddict.dis). Neither file is changed.
ProgressData readProgress(
    const std::string& dataFolder, const std::string& dictionaryFolder, int user);

} // namespace quorvel
