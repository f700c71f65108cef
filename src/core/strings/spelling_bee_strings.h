#pragma once

// Labels of the Spelling Bee window's controls, and the names its controls give to assistive
// technology. The texts the drill itself shows are in drill_strings.h.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kAnswerLabel = QT_TRANSLATE_NOOP("Quorvel", "Answer >");
inline constexpr const char* kPromptLabel = QT_TRANSLATE_NOOP("Quorvel", "Help >");
inline constexpr const char* kWordNumberLabel = QT_TRANSLATE_NOOP("Quorvel", "Word number ");
inline constexpr const char* kScoreLabel = QT_TRANSLATE_NOOP("Quorvel", "Score");
inline constexpr const char* kLearnModeLabel = QT_TRANSLATE_NOOP("Quorvel", "Learn  Mode :       ");
inline constexpr const char* kLevelSetAtLabel = QT_TRANSLATE_NOOP("Quorvel", "Level set at ");
inline constexpr const char* kPercentLabel = QT_TRANSLATE_NOOP("Quorvel", "%");

inline constexpr const char* kStartLabel = QT_TRANSLATE_NOOP("Quorvel", "&Start");
inline constexpr const char* kStopLabel = QT_TRANSLATE_NOOP("Quorvel", "S&top");
inline constexpr const char* kRepeatLabel = QT_TRANSLATE_NOOP("Quorvel", "&Repeat");
inline constexpr const char* kDrillHelpLabel = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kChangeColoursLabel
    = QT_TRANSLATE_NOOP("Quorvel", "&Change Text  and  Background");

// Accessible names of the controls whose on-screen label is a picture or a separate text.
inline constexpr const char* kAnswerBoxName = QT_TRANSLATE_NOOP("Quorvel", "Answer");
inline constexpr const char* kPromptLineName = QT_TRANSLATE_NOOP("Quorvel", "Help line");
inline constexpr const char* kWordNumberName = QT_TRANSLATE_NOOP("Quorvel", "Word number");
inline constexpr const char* kScoreCorrectName
    = QT_TRANSLATE_NOOP("Quorvel", "Score: words spelt correctly");
inline constexpr const char* kScoreWordsName
    = QT_TRANSLATE_NOOP("Quorvel", "Score: words in this pass");
inline constexpr const char* kLearnModeName = QT_TRANSLATE_NOOP("Quorvel", "Learn mode");
inline constexpr const char* kLevelName = QT_TRANSLATE_NOOP("Quorvel", "Level set at");
inline constexpr const char* kLevelPercentName = QT_TRANSLATE_NOOP("Quorvel", "Level percent");
inline constexpr const char* kDrillProgressName = QT_TRANSLATE_NOOP("Quorvel", "Words remaining");
inline constexpr const char* kTrafficLightName = QT_TRANSLATE_NOOP("Quorvel", "Traffic light");
inline constexpr const char* kTrafficLightRed
    = QT_TRANSLATE_NOOP("Quorvel", "Red: waiting for Start or Repeat");
inline constexpr const char* kTrafficLightYellow
    = QT_TRANSLATE_NOOP("Quorvel", "Yellow: look at the word");
inline constexpr const char* kTrafficLightGreen
    = QT_TRANSLATE_NOOP("Quorvel", "Green: type your answer");
inline constexpr const char* kCountdownName = QT_TRANSLATE_NOOP("Quorvel", "Time left");
inline constexpr const char* kTimeLeft = QT_TRANSLATE_NOOP("Quorvel", "Time left: %1 s");
inline constexpr const char* kSummaryName = QT_TRANSLATE_NOOP("Quorvel", "Missed words");
inline constexpr const char* kTypedColumn = QT_TRANSLATE_NOOP("Quorvel", "What was typed");
inline constexpr const char* kRightSpellingColumn = QT_TRANSLATE_NOOP("Quorvel", "Right spelling");

} // namespace quorvel::strings
