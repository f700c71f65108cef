#pragma once

// Texts of the Spelling Bee window and of level adjustment.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kDrillCaption = QT_TRANSLATE_NOOP("Quorvel", "Spelling Bee");
inline constexpr const char* kPressStartOrRepeat
    = QT_TRANSLATE_NOOP("Quorvel", "Press the start or Repeat Buttons.");
inline constexpr const char* kGetReady
    = QT_TRANSLATE_NOOP("Quorvel", " get ready to spell the following... ");
inline constexpr const char* kNowMemorise = QT_TRANSLATE_NOOP("Quorvel", "Now memorise");
// Hear only: the word is spoken, never shown.
inline constexpr const char* kListen = QT_TRANSLATE_NOOP("Quorvel", "Listen...");
inline constexpr const char* kHearOnlyShownCaption = QT_TRANSLATE_NOOP("Quorvel", "Hear only");
inline constexpr const char* kHearOnlyShown = QT_TRANSLATE_NOOP("Quorvel",
    "A word that cannot be heard is shown instead: sound is off, or the word has no recording "
    "and speech is not available.");
inline constexpr const char* kSayAgainLabel = QT_TRANSLATE_NOOP("Quorvel", "Say it &again (F5)");
inline constexpr const char* kSayAgainName = QT_TRANSLATE_NOOP("Quorvel", "Say the word again");
inline constexpr const char* kPutAnswerInBox
    = QT_TRANSLATE_NOOP("Quorvel", "Please  put  your  answer  in  box");
inline constexpr const char* kYouHaveSpelt = QT_TRANSLATE_NOOP("Quorvel", "You have spelt  ");
inline constexpr const char* kCorrectly = QT_TRANSLATE_NOOP("Quorvel", "   correctly");
inline constexpr const char* kIncorrectly = QT_TRANSLATE_NOOP("Quorvel", "   incorrectly");
inline constexpr const char* kFinished = QT_TRANSLATE_NOOP("Quorvel", "Finished.");
inline constexpr const char* kPractiseTheseLabel = QT_TRANSLATE_NOOP("Quorvel", "&Practise these");
inline constexpr const char* kNothingMissed
    = QT_TRANSLATE_NOOP("Quorvel", "Well done! Every word was spelt right.");
inline constexpr const char* kMissedWordsHeading
    = QT_TRANSLATE_NOOP("Quorvel", "Words to practise (what was typed  ->  right spelling):");
inline constexpr const char* kNothingTyped = QT_TRANSLATE_NOOP("Quorvel", "(nothing typed)");
inline constexpr const char* kUnableToMakePracticeList
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to make a list of the missed words.");
inline constexpr const char* kNoFailedWords
    = QT_TRANSLATE_NOOP("Quorvel", "No failed words to repeat.    Finished.");
inline constexpr const char* kUserStopped
    = QT_TRANSLATE_NOOP("Quorvel", "User has stopped the Spelling Bee.");
inline constexpr const char* kOutOfTime
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry!  you are out of time.");
inline constexpr const char* kUnableToSetAuto
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to set Auto Mode \r\n");
inline constexpr const char* kWordsGenerated = QT_TRANSLATE_NOOP("Quorvel", "Words generated  : ");
inline constexpr const char* kUnableToOpenYourFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open your file");
inline constexpr const char* kAlreadyTested
    = QT_TRANSLATE_NOOP("Quorvel", "Already tested...  please use the repeat button.");
inline constexpr const char* kNoFileToRepeat
    = QT_TRANSLATE_NOOP("Quorvel", "No file to repeat. Please make a new one.");
inline constexpr const char* kProblemClosingWordFile
    = QT_TRANSLATE_NOOP("Quorvel", "Problem closing word file");

// Button labels (with their mnemonics).
inline constexpr const char* kQuitLabel = QT_TRANSLATE_NOOP("Quorvel", "&Quit");
inline constexpr const char* kEnterLabel = QT_TRANSLATE_NOOP("Quorvel", "Enter");
inline constexpr const char* kDrillSoundOn = QT_TRANSLATE_NOOP("Quorvel", "Sound &On");
inline constexpr const char* kDrillSoundOff = QT_TRANSLATE_NOOP("Quorvel", "Sound &Off");
inline constexpr const char* kFailuresOff
    = QT_TRANSLATE_NOOP("Quorvel", "&Failures to Scrap Pad  : Off");
inline constexpr const char* kFailuresOn
    = QT_TRANSLATE_NOOP("Quorvel", "&Failures to Scrap Pad  : On");
inline constexpr const char* kLearnOffLabel = QT_TRANSLATE_NOOP("Quorvel", "&Learn Off");
inline constexpr const char* kLearnOnLabel = QT_TRANSLATE_NOOP("Quorvel", "&Learn On");

// Level and learn mode names.
inline constexpr const char* kElementary = QT_TRANSLATE_NOOP("Quorvel", "Elementary");
inline constexpr const char* kIntermediate = QT_TRANSLATE_NOOP("Quorvel", "Intermediate");
inline constexpr const char* kAdvanced = QT_TRANSLATE_NOOP("Quorvel", "Advanced");
inline constexpr const char* kLearnFlash = QT_TRANSLATE_NOOP("Quorvel", "Flash");
inline constexpr const char* kLearnRipple = QT_TRANSLATE_NOOP("Quorvel", "Ripple");
inline constexpr const char* kLearnContinuous = QT_TRANSLATE_NOOP("Quorvel", "Continuous");

// Level adjustment.
inline constexpr const char* kPromoted
    = QT_TRANSLATE_NOOP("Quorvel", "Congratulations you have been promoted a level");
inline constexpr const char* kDemoted
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry you have to go down a level");
inline constexpr const char* kUnableToSaveConfig
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to save your config file.");
inline constexpr const char* kUnableToUsePrevious = QT_TRANSLATE_NOOP(
    "Quorvel", "Unable to use previous minimum and maximum values. Will use current values.");
inline constexpr const char* kLevelQuestion = QT_TRANSLATE_NOOP(
    "Quorvel", "If you wish to increase the level press YES. To decrease the level press NO");
inline constexpr const char* kNoMoreWords
    = QT_TRANSLATE_NOOP("Quorvel", "Congratulations!  there are no more words to spell. ");
inline constexpr const char* kLowestLevel
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry you have reached the lowest level of difficulty.");

} // namespace quorvel::strings
