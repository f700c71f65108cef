#pragma once

// Labels of the Spelling Bee window's controls, and the names its controls give to assistive
// technology. The texts the drill itself shows are in drill_strings.h.

namespace quorvel::strings {

inline constexpr const char* kAnswerLabel = "Answer >";
inline constexpr const char* kPromptLabel = "Help >";
inline constexpr const char* kWordNumberLabel = "Word number ";
inline constexpr const char* kScoreLabel = "Score";
inline constexpr const char* kLearnModeLabel = "Learn  Mode :       ";
inline constexpr const char* kLevelSetAtLabel = "Level set at ";
inline constexpr const char* kPercentLabel = "%";

inline constexpr const char* kStartLabel = "&Start";
inline constexpr const char* kStopLabel = "S&top";
inline constexpr const char* kRepeatLabel = "&Repeat";
inline constexpr const char* kDrillHelpLabel = "&Help";
inline constexpr const char* kChangeColoursLabel = "&Change Text  and  Background";

// Accessible names of the controls whose on-screen label is a picture or a separate text.
inline constexpr const char* kAnswerBoxName = "Answer";
inline constexpr const char* kPromptLineName = "Help line";
inline constexpr const char* kWordNumberName = "Word number";
inline constexpr const char* kScoreCorrectName = "Score: words spelt correctly";
inline constexpr const char* kScoreWordsName = "Score: words in this pass";
inline constexpr const char* kLearnModeName = "Learn mode";
inline constexpr const char* kLevelName = "Level set at";
inline constexpr const char* kLevelPercentName = "Level percent";
inline constexpr const char* kDrillProgressName = "Words remaining";
inline constexpr const char* kTrafficLightName = "Traffic light";
inline constexpr const char* kTrafficLightRed = "Red: waiting for Start or Repeat";
inline constexpr const char* kTrafficLightYellow = "Yellow: look at the word";
inline constexpr const char* kTrafficLightGreen = "Green: type your answer";

} // namespace quorvel::strings
