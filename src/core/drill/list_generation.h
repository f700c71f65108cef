#pragma once

// Drawing drill lists from the dictionary: the range of buckets a list type may use, a random
// start bucket weighted like the first two letters of English words, and a walk from there that
// takes the first word passing every test. GenerateDrillList writes the list into the user's word
// file; the single-word picker serves the dictionary browser.

#include "dictionary/dictionary_walk.h"
#include "platform/services.h"

#include <string>

namespace quorvel {

class StartupInfo;

struct ListGenerationServices
{
    RandomSource& random;
    Clock& clock;
    ProgressSink* progress = nullptr; // told the count after each word; may ask to stop
};

// Draws criteria.count words of criteria.listType (1..4) for user criteria.user into that user's
// word file, which the new list replaces whole once it is drawn. Returns the number of words
// written, 0 on failure (the word file is then left in state 0). The user's one-letter and
// pre-defined settings come from the record.
int GenerateDrillList(
    StartupInfo& info, ListCriteria& criteria, ListGenerationServices& services, bool showProgress);

// The browser's picker: draws `count` words by the same rules (no word file), seeding the
// generator from the clock first. Returns the number drawn; `lastWord` is the last one, empty
// when none could be drawn.
int pickRandomWords(File& dictionary, ListCriteria& criteria, const std::string& oneLetter,
    const std::string& predefined, RandomSource& random, Clock& clock, int count,
    std::string& lastWord);

} // namespace quorvel
