#pragma once

// Which words of the list a pass asks, and in what form: a first pass takes every record in chain
// order; a repeat pass takes every record again, or only those answered wrong.

#include "drill/word_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// The word of a record as the drill shows it and expects it typed.
std::string shownWord(const WordFileRecord& record, bool upperCase);

// The words of a list answered wrong.
int failedWords(const std::vector<WordFileEntry>& entries);

struct RepeatPick
{
    enum class Outcome
    {
        Word, // `record` at `offset` is the next to ask
        NoneLeft, // the chain ended without another word to ask
        Error, // a record could not be read, or the chain loops
    };
    Outcome outcome = Outcome::Error;
    std::uint32_t offset = 0; // where the walk stopped
    WordFileRecord record;
    int visited = 0; // the records the walk went to, the one it stopped at included
};

// From `from` along the chain: the next record a repeat pass asks, any record or with
// `failedOnly` only one answered wrong. A chain cannot hold more records than the file has room
// for, so a longer walk is a loop and ends as an Error.
RepeatPick nextRepeatWord(WordFile& file, std::uint32_t from, bool failedOnly);

} // namespace quorvel
