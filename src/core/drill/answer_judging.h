#pragma once

// Judging an answer: how the typed text is compared with the word, the verdict line shown for
// it, and what the word file's record keeps of it.

#include "drill/word_file.h"

#include <cstddef>
#include <string>

namespace quorvel {

// The answer box holds at most this many characters; a longer answer is cut to it before it is
// judged and stored.
inline constexpr std::size_t kMaxAnswerLength = 36;

struct Judgement
{
    bool right = false;
    // The answer as it was compared: cut to kMaxAnswerLength, in the drill's case.
    std::string answer;
};

// Compares `typed` with `word` (the word as the drill shows it). In an upper-case drill the
// answer is compared in capitals, otherwise both are compared in small letters.
Judgement judgeAnswer(const std::string& typed, const std::string& word, bool upperCase);

// "You have spelt  WORD   correctly" or "...   incorrectly".
std::string verdictText(const std::string& word, bool right);

// Stores the judgement in the word's record: the result, the word and the answer in capitals,
// and how many times the word has been repeated (a first pass starts the count at 0; each
// repeat adds one, up to 255).
void recordJudgement(
    WordFileRecord& record, const std::string& word, const Judgement& judgement, bool repeat);

// Case conversion of the ASCII letters, as the drill shows and stores words.
std::string upperCased(std::string text);
std::string lowerCased(std::string text);

} // namespace quorvel
