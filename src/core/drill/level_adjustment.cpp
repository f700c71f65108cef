#include "drill/level_adjustment.h"

#include "strings/drill_strings.h"

#include <algorithm>

namespace quorvel {

LevelBand levelBand(int minLetters, int maxLetters)
{
    const int m = std::min((minLetters + maxLetters) / 2, 18);
    if (m <= 7)
        return { Level::Elementary, (m - 2) * 20 };
    if (m <= 11)
        return { Level::Intermediate, (m - 7) * 25 };
    const int percent = (m - 11) * 14;
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
        if (maxLetters >= 37 && minLetters >= 12)
            return LevelChange::None;
        if (maxLetters < 37)
            ++maxLetters;
        if (minLetters < 12)
            ++minLetters;
        return LevelChange::Promoted;
    }
    if (percent < demotionPercent) {
        if (minLetters == 3 && maxLetters <= 4)
            return LevelChange::None;
        if (minLetters > 3)
            --minLetters;
        if (maxLetters > 4)
            --maxLetters;
        return LevelChange::Demoted;
    }
    return LevelChange::None;
}

bool levelQuestionRange(LevelAnswer answer, int& minLetters, int& maxLetters, std::string& refusal)
{
    if (answer == LevelAnswer::Up) {
        if (maxLetters >= 37 && minLetters >= 12) {
            refusal = strings::kNoMoreWords;
            return false;
        }
        if (maxLetters < 22) {
            maxLetters += 2;
            minLetters = minLetters >= 10 ? 12 : minLetters + 2;
        } else {
            maxLetters = 37;
            minLetters = 12;
        }
        return true;
    }
    if (minLetters == 3 && maxLetters < 5) {
        refusal = strings::kLowestLevel;
        return false;
    }
    minLetters = minLetters < 5 ? 3 : minLetters - 2;
    if (maxLetters < 22)
        maxLetters = maxLetters < 6 ? 4 : maxLetters - 2;
    else
        maxLetters = 21;
    return true;
}

} // namespace quorvel
