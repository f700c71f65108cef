#pragma once

// Texts of the Spelling Bee window and of level adjustment.

namespace quorvel::strings {

inline constexpr const char* kDrillCaption = "Spelling Bee";
inline constexpr const char* kPressStartOrRepeat = "Press the start or Repeat Buttons.";
inline constexpr const char* kGetReady = " get ready to spell the following... ";
inline constexpr const char* kNowMemorise = "Now memorise";
inline constexpr const char* kPutAnswerInBox = "Please  put  your  answer  in  box";
inline constexpr const char* kYouHaveSpelt = "You have spelt  ";
inline constexpr const char* kCorrectly = "   correctly";
inline constexpr const char* kIncorrectly = "   incorrectly";
inline constexpr const char* kFinished = "Finished.";
inline constexpr const char* kNoFailedWords = "No failed words to repeat.    Finished.";
inline constexpr const char* kUserStopped = "User has stopped the Spelling Bee.";
inline constexpr const char* kOutOfTime = "Sorry!  you are out of time.";
inline constexpr const char* kUnableToSetAuto = "Unable to set Auto Mode \r\n";
inline constexpr const char* kWordsGenerated = "Words generated  : ";
inline constexpr const char* kUnableToOpenYourFile = "Unable to open your file";
inline constexpr const char* kAlreadyTested = "Already tested...  please use the repeat button.";
inline constexpr const char* kNoFileToRepeat = "No file to repeat. Please make a new one.";
inline constexpr const char* kProblemClosingWordFile = "Problem closing word file";

// Button labels (with their mnemonics).
inline constexpr const char* kQuitLabel = "&Quit";
inline constexpr const char* kEnterLabel = "Enter";
inline constexpr const char* kDrillSoundOn = "Sound &On";
inline constexpr const char* kDrillSoundOff = "Sound &Off";
inline constexpr const char* kFailuresOff = "&Failures to Scrap Pad  : Off";
inline constexpr const char* kFailuresOn = "&Failures to Scrap Pad  : On";
inline constexpr const char* kLearnOffLabel = "&Learn Off";
inline constexpr const char* kLearnOnLabel = "&Learn On";

// Level and learn mode names.
inline constexpr const char* kElementary = "Elementary";
inline constexpr const char* kIntermediate = "Intermediate";
inline constexpr const char* kAdvanced = "Advanced";
inline constexpr const char* kLearnFlash = "Flash";
inline constexpr const char* kLearnRipple = "Ripple";
inline constexpr const char* kLearnContinuous = "Continuous";

// Level adjustment.
inline constexpr const char* kPromoted = "Congratulations you have been promoted a level";
inline constexpr const char* kDemoted = "Sorry you have to go down a level";
inline constexpr const char* kUnableToSaveConfig = "Unable to save your config file.";
inline constexpr const char* kUnableToUsePrevious
    = "Unable to use previous minimum and maximum values. Will use current values.";
inline constexpr const char* kLevelQuestion
    = "If you wish to increase the level press YES. To decrease the level press NO";
inline constexpr const char* kNoMoreWords = "Congratulations!  there are no more words to spell. ";
inline constexpr const char* kLowestLevel
    = "Sorry you have reached the lowest level of difficulty.";

} // namespace quorvel::strings
