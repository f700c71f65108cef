#pragma once

// The filtered alphabetical walk over one bucket table: buckets in ring order (AA follows ZZ),
// each bucket's chain in alphabetical order. The browser, the editor, the category tools and
// the reports use it; list generation shares its record test.

#include "config/user_settings.h"
#include "dictionary_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// The request record of a walk and of list generation.
struct ListCriteria
{
    // Read by the walk.
    std::uint16_t category = 0;
    std::int16_t language = 1; // 1 UK: stored 1 or 3 pass; 2 US: stored 2 or 3 pass
    std::int16_t minText = 1, maxText = 35; // bounds on the stored text (word length - 2)
    std::uint8_t skipMismatch = 1;
    std::uint32_t filterMode = 0; // 1 language+category, 2 category, other: also not Mastered
    // Written by the walk.
    std::uint16_t outSoundIndex = 0, outMedia = 0, outSoundFlag = 0;
    std::uint16_t failed = 0;
    // List generation's own fields.
    std::uint16_t count = 0;
    std::uint16_t user = 0;
    ListType listType = ListType::Random;
    std::uint32_t statusWanted = 3;
    std::uint16_t firstChain = 0;
};

struct DictionaryWalk
{
    std::string word; // the last word returned
    std::string startText; // lower bound of the first bucket: the start word from its third letter
    std::string previousWord;
    std::uint32_t tableOffset = 0;
    std::uint32_t bucket = 0; // file offset of the slot being scanned
    std::uint32_t cursor = 0;
    std::uint32_t stopSlot = 0;
    std::uint32_t link = 0;
    std::uint32_t record = 0;
    std::uint32_t resume = dict::kNoOffset;
    bool lowerBound = false; // the start bucket's lower bound is in force

    // Sets the walk up to start at `startWord` (an unsuitable word starts at AA) in `table`.
    void prepare(std::uint32_t table, std::string_view startWord);
};

// The record test of the walk and of list generation, for the current user slot.
bool MatchesFilter(const WordRecordHeader& header, int language, int category, int status,
    std::uint32_t filterMode, int currentUser);

// True with walk.word and the criteria's out fields set; false at the end of a lap or on an
// error (criteria.failed tells which).
bool WalkFirst(File& file, ListCriteria& criteria, DictionaryWalk& walk, int currentUser);
bool WalkNext(File& file, ListCriteria& criteria, DictionaryWalk& walk, int currentUser);

// One lap from the start word: every qualifying word once, in ring order from the start. The
// walk itself goes round for ever (the browser wants that); a lap ends when it comes back to where
// it began.
struct WalkLap
{
    std::vector<std::string> words;
    bool failed = false;
};
WalkLap walkOneLap(File& file, ListCriteria criteria, Table table, std::string_view startWord,
    int currentUser, std::size_t maxWords = SIZE_MAX);

} // namespace quorvel
