#pragma once

// Drawing drill lists from the dictionary: the range of buckets a list type may use, a random
// start bucket weighted like the first two letters of English words, and a walk from there that
// takes the first word passing every test. GenerateDrillList writes the list into the user's word
// file; the single-word picker serves the dictionary browser.

#include "dictionary/dictionary_walk.h"
#include "platform/services.h"

#include <ctime>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

class ReviewSchedule;
class StartupInfo;

struct ListGenerationServices
{
    RandomSource& random;
    Clock& clock;
    ProgressSink* progress = nullptr; // told the count after each word; may ask to stop
};

// The letter pattern of a Pre-defined start list: the first ten characters of `predefined`, "?"
// standing for any letter. Nothing when that is empty or holds anything besides A-Z and "?".
std::optional<std::string> predefinedPattern(const std::string& predefined);

// Draws criteria.count words of criteria.listType (1..4) for user criteria.user into that user's
// word file, which the new list replaces whole once it is drawn. Returns the number of words
// written, 0 on failure (the word file is then left in state 0). The user's one-letter and
// pre-defined settings come from the record.
int GenerateDrillList(
    StartupInfo& info, ListCriteria& criteria, ListGenerationServices& services, bool showProgress);

// The same list drawn a word at a time, so that a front end can take input between the words
// (the drill's Stop ends the list with the words found so far). GenerateDrillList is this draw
// run to its end. The dictionary and the word file stay open from construction until finish;
// a draw dropped unfinished leaves the word file in state 0.
class DrillListDraw
{
public:
    // Opens the files and sets up the draw. `criteria` and `services` must outlive the draw.
    DrillListDraw(StartupInfo& info, ListCriteria& criteria, ListGenerationServices& services,
        bool showProgress);
    ~DrillListDraw();
    DrillListDraw(const DrillListDraw&) = delete;
    DrillListDraw& operator=(const DrillListDraw&) = delete;

    // Draws and writes the next word. False once no word is to follow: the list is full, the
    // dictionary holds no more that fit, the progress sink asked to stop, or the draw failed.
    bool drawNext();
    // Ends the list with the words drawn so far and closes the files. Returns the number of words
    // written, 0 on failure. Further calls return 0.
    int finish();
    // Words drawn and written so far.
    int drawn() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A "Review due" list: the words of the user's review schedule that are due, the longest overdue
// first.
struct ReviewListResult
{
    int words = 0; // written to the word file
    std::size_t swept = 0; // words that left the schedule because the dictionary no longer has them
    bool failed = false; // the dictionary could not be read or the word file not written
};

// Sweeps `schedule` against the dictionary (a word it no longer holds leaves the schedule), then
// writes up to `listSize` of the words due at `now` into the user's word file as a fresh
// dictionary list, whatever their length, category or language. The word file is kept in the
// Failures list type, the kind of list the words come from. With no word due, or on failure,
// the word file is left as it was. The caller saves the schedule when words were swept.
ReviewListResult generateReviewList(
    StartupInfo& info, int user, ReviewSchedule& schedule, std::time_t now, int listSize);

// The browser's picker: draws `count` words by the same rules (no word file), seeding the
// generator from the clock first. Returns the number drawn; `lastWord` is the last one, empty
// when none could be drawn.
int pickRandomWords(File& dictionary, ListCriteria& criteria, const std::string& oneLetter,
    const std::string& predefined, RandomSource& random, Clock& clock, int count,
    std::string& lastWord);

} // namespace quorvel
