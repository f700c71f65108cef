#include "drill/answer_judging.h"

#include "strings/drill_strings.h"

#include <algorithm>
#include <cctype>

namespace quorvel {

namespace {

constexpr int kMaxAttempts = 255; // the record keeps the count in one byte

} // namespace

std::string upperCased(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string lowerCased(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

Judgement judgeAnswer(const std::string& typed, const std::string& word, bool upperCase)
{
    Judgement j;
    j.answer = typed.substr(0, kMaxAnswerLength);
    if (upperCase) {
        j.answer = upperCased(std::move(j.answer));
        j.right = j.answer == word;
    } else {
        j.answer = lowerCased(std::move(j.answer));
        j.right = j.answer == lowerCased(word);
    }
    return j;
}

std::string verdictText(const std::string& word, bool right)
{
    return std::string(strings::kYouHaveSpelt) + word
        + (right ? strings::kCorrectly : strings::kIncorrectly);
}

void recordJudgement(
    WordFileRecord& record, const std::string& word, const Judgement& judgement, bool repeat)
{
    record.result = judgement.right ? 1 : 0;
    record.word = upperCased(word);
    record.answer = upperCased(judgement.answer);
    record.attempts = repeat
        ? static_cast<std::uint8_t>(std::min(kMaxAttempts, record.attempts + 1))
        : std::uint8_t { 0 };
}

} // namespace quorvel
