#include "drill/level_adjustment.h"

#include "drill/list_setup_rules.h"
#include "strings/drill_strings.h"

#include <algorithm>

namespace quorvel {

using namespace letters;

static_assert(kLowestMinimum == spin::kMinLetters.minimum
    && kHighestMinimum == spin::kMinLetters.maximum && kLowestMaximum == spin::kMaxLetters.minimum
    && kHighestMaximum == spin::kMaxLetters.maximum);

namespace {

// The middle of the range is counted up to this many letters.
constexpr int kLongestMiddle = 18;
constexpr int kElementaryTop = 7;
constexpr int kIntermediateTop = 11;
// Below this maximum the level question moves the range two letters at a time; from it on "Yes"
// goes to the top at once and "No" to just below it.
constexpr int kLevelQuestionStepLimit = 22;
constexpr int kLevelQuestionStep = 2;

} // namespace

bool usableHistoryRange(int minLetters, int maxLetters)
{
    return minLetters >= kHistoryLowestMinimum && minLetters <= kHighestMinimum
        && maxLetters >= minLetters && maxLetters <= kHistoryHighestMaximum;
}

LevelBand levelBand(int minLetters, int maxLetters)
{
    const int m = std::min((minLetters + maxLetters) / 2, kLongestMiddle);
    // Elementary runs to a middle of 7 letters, 20% a letter from 2; Intermediate to 11, 25% a
    // letter from 7; Advanced 14% a letter from 11, shown as 100% past 90.
    if (m <= kElementaryTop)
        return { Level::Elementary, (m - 2) * 20 };
    if (m <= kIntermediateTop)
        return { Level::Intermediate, (m - kElementaryTop) * 25 };
    const int percent = (m - kIntermediateTop) * 14;
    return { Level::Advanced, percent > 90 ? 100 : percent };
}

int passPercent(int correct, int words)
{
    if (words <= 0)
        return 0;
    return static_cast<int>((100.0 / words) * correct);
}

LevelChange adjustLetters(
    int percent, int promotionPercent, int demotionPercent, int& minLetters, int& maxLetters)
{
    if (percent > promotionPercent) {
        if (maxLetters >= kHighestMaximum && minLetters >= kHighestMinimum)
            return LevelChange::None;
        if (maxLetters < kHighestMaximum)
            ++maxLetters;
        if (minLetters < kHighestMinimum)
            ++minLetters;
        return LevelChange::Promoted;
    }
    if (percent < demotionPercent) {
        if (minLetters == kLowestMinimum && maxLetters <= kLowestMaximum)
            return LevelChange::None;
        if (minLetters > kLowestMinimum)
            --minLetters;
        if (maxLetters > kLowestMaximum)
            --maxLetters;
        return LevelChange::Demoted;
    }
    return LevelChange::None;
}

bool levelQuestionRange(LevelAnswer answer, int& minLetters, int& maxLetters, std::string& refusal)
{
    if (answer == LevelAnswer::Up) {
        if (maxLetters >= kHighestMaximum && minLetters >= kHighestMinimum) {
            refusal = strings::kNoMoreWords;
            return false;
        }
        if (maxLetters < kLevelQuestionStepLimit) {
            maxLetters += kLevelQuestionStep;
            minLetters = minLetters >= kHighestMinimum - kLevelQuestionStep
                ? kHighestMinimum
                : minLetters + kLevelQuestionStep;
        } else {
            maxLetters = kHighestMaximum;
            minLetters = kHighestMinimum;
        }
        return true;
    }
    if (minLetters == kLowestMinimum && maxLetters <= kLowestMaximum) {
        refusal = strings::kLowestLevel;
        return false;
    }
    minLetters = minLetters < kLowestMinimum + kLevelQuestionStep ? kLowestMinimum
                                                                  : minLetters - kLevelQuestionStep;
    if (maxLetters < kLevelQuestionStepLimit)
        maxLetters = maxLetters < kLowestMaximum + kLevelQuestionStep
            ? kLowestMaximum
            : maxLetters - kLevelQuestionStep;
    else
        maxLetters = kLevelQuestionStepLimit - 1;
    return true;
}

} // namespace quorvel
