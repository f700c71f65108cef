#pragma once

// How a user's difficulty moves: the level and level percent derived from the letters range, the
// promotion or demotion after an automatic pass, and the range the level question gives.

#include "config/user_settings.h"

#include <string>

namespace quorvel {

// The letters range a drill may reach by promotion, demotion and the level question: the minimum
// within 3..12, the maximum within 4..37 (the List Setup sheet's spin buttons allow the same).
namespace letters {
inline constexpr int kLowestMinimum = 3;
inline constexpr int kHighestMinimum = 12;
inline constexpr int kLowestMaximum = 4;
inline constexpr int kHighestMaximum = 37;
// A range read back from the history file is taken when its minimum lies within 1..12 and its
// maximum between that minimum and 40.
inline constexpr int kHistoryLowestMinimum = 1;
inline constexpr int kHistoryHighestMaximum = 40;
} // namespace letters

struct LevelBand
{
    Level level = Level::Elementary;
    int percent = 0;
};

// The middle of the range (limited to 18) decides the level and how far into it the user is.
LevelBand levelBand(int minLetters, int maxLetters);

// Whether the letters range of the last automatic drill, as the history file keeps it, can be
// taken up again.
bool usableHistoryRange(int minLetters, int maxLetters);

// The integer part of 100 x correct / words, computed as (100 / words) x correct; 0 for no
// words.
int passPercent(int correct, int words);

enum class LevelChange
{
    None,
    Promoted,
    Demoted,
};

// After an automatic pass: strictly above the promotion threshold widens the range upwards,
// strictly below the demotion threshold moves it down, within the letters bounds above.
LevelChange adjustLetters(
    int percent, int promotionPercent, int demotionPercent, int& minLetters, int& maxLetters);

enum class LevelAnswer
{
    Up, // Yes
    Down, // No
};

// The range the level question's answer gives. False (with the message to show) when the range
// is already at the top or the bottom.
bool levelQuestionRange(LevelAnswer answer, int& minLetters, int& maxLetters, std::string& refusal);

} // namespace quorvel
