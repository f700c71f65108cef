#pragma once

// Texts of the drill settings sheet, the system setup dialogs, the dictionary backup and the
// status reset, verbatim.

namespace quorvel::strings {

// "List Setup" sheet.
inline constexpr const char* kListSetupCaption = "List Setup";
inline constexpr const char* kPageListSetup = "User List Setup";
inline constexpr const char* kPageDisplay = "Display";
inline constexpr const char* kPageListOptions = "User List Options";
inline constexpr const char* kPageLearn = "Learn Setup";

inline constexpr const char* kMinimumLetters = "Minimum Letters";
inline constexpr const char* kMaximumLetters = "Maximum  Letters";
inline constexpr const char* kListSize = "List size";
inline constexpr const char* kOneLetterBox = "One letter only ";
inline constexpr const char* kPredefinedBox = "Pre-defined";
inline constexpr const char* kListTypeGroup = "List Type";
inline constexpr const char* kTypeFailures = "Failures only";
inline constexpr const char* kTypePredefined = "Pre-defined start";
inline constexpr const char* kTypeOneLetter = "One letter only";
inline constexpr const char* kTypeRandom = "Random";

inline constexpr const char* kTimingSetup = "Timing  setup ";
inline constexpr const char* kSecondsApprox = "Seconds  (approx)";
inline constexpr const char* kWordShowTime = "How long a word should be displayed";
inline constexpr const char* kAnswerDelay = "How long before you can input your answer";
inline constexpr const char* kSpellTime = "How long you have to spell the word";
inline constexpr const char* kBetweenWords = "Time you allow between words";
inline constexpr const char* kDisplayWordIn = "Display  word  in";
inline constexpr const char* kUpperCase = "Upper case";
inline constexpr const char* kLowerCase = "Lower case";

inline constexpr const char* kLevelAdjustment = "Level Adjustment";
inline constexpr const char* kAdjustPractice = "Practice";
inline constexpr const char* kAdjustManual = "Manual";
inline constexpr const char* kAdjustAuto = "Auto ";
inline constexpr const char* kRepeatControl = "Repeat control";
inline constexpr const char* kRepeatAll = "Re&peat all";
inline constexpr const char* kRepeatFailures = "Repeat list Failures";
inline constexpr const char* kUserLevel = "User Level";
inline constexpr const char* kLevelElementary = "&Elementary";
inline constexpr const char* kLevelIntermediate = "&Intermediate";
inline constexpr const char* kLevelAdvanced = "Ad&vanced";
inline constexpr const char* kLanguageGroup = "Language";
inline constexpr const char* kLanguageUK = "English     Uk";
inline constexpr const char* kLanguageUS = "English     USA";
inline constexpr const char* kShowLanguageFlag = "Tick to show language flag in status bar";

inline constexpr const char* kLearnHeading = "Set Learn mode then adjust parameters";
inline constexpr const char* kLearnModeGroup = "Learn mode";
inline constexpr const char* kLearnFlash = "Flash";
inline constexpr const char* kLearnRipple = "Ripple";
inline constexpr const char* kLearnContinuous = "Continuous";
inline constexpr const char* kTimeInSeconds = "Time in Seconds";
inline constexpr const char* kFlashDuration = "Flash duration";
inline constexpr const char* kFlashScale = "1  Rapid            Slow  500";
inline constexpr const char* kFlashCount = "No of Flashs";
inline constexpr const char* kRippleDuration = "Ripple duration";
inline constexpr const char* kRippleScale = "1   Rapid        Slow   500";
inline constexpr const char* kRippleCount = "No of Ripples";

// System Setup dialog.
inline constexpr const char* kSystemSetupCaption = "System Setup";
inline constexpr const char* kResetUsersStatusFor = "Reset Users status for:-";
inline constexpr const char* kSelectHistoryUser = "Select User history to print";
inline constexpr const char* kUserButton = "User %1"; // %1: the slot number 1..10
inline constexpr const char* kResetWordLevelTo = "Reset word level to ";
inline constexpr const char* kResetDefault = "Default";
inline constexpr const char* kResetSuccess = "Success";
inline constexpr const char* kPromotionThreshold = "Promotion  threshold  %";
inline constexpr const char* kDemotionThreshold = "Demotion   threshold  %";
inline constexpr const char* kResetButton = "Re&set";
inline constexpr const char* kDoneButton = "&Done";
inline constexpr const char* kHelpButton = "&Help";

// Sound and Backup settings dialog.
inline constexpr const char* kSoundBackupCaption = "Sound and Backup settings";
inline constexpr const char* kWaveformFolderLabel = "Folder of the recorded word sounds";
inline constexpr const char* kWaveformFolderHint
    = "The recorded word sounds are kept in a folder named \"waveform\". If they are on a CD-ROM, "
      "type the path of its waveform folder, or use the browse button and pick any waveform file "
      "inside it.";
inline constexpr const char* kBackupPathLabel
    = "Path used  for Backup and Additional  dictionary  files";
inline constexpr const char* kBrowseWaveform = "< B&rowse";
inline constexpr const char* kBrowseBackup = "< Br&owse";
inline constexpr const char* kResetToDefaultDirectory = "Reset to default directory";
inline constexpr const char* kPathFilter = "Path  (*.*)|*.*|";
inline constexpr const char* kIncorrectWaveformPath = "Incorrect path for waveform directory";
inline constexpr const char* kBadSoundPath = "Bad sound path. Unable to save information";

// Dictionary backup.
inline constexpr const char* kBackupQuestion
    = "Recommend system password is disabled.\r\nInsert disk into the designated disk drive. \r\n";
inline constexpr const char* kBackupCaption = "Backup Dictionary.";
inline constexpr const char* kBackupFailed = "Backup Failed";
inline constexpr const char* kUnableToCreateDestination
    = "Unable to create file at your destination!";
inline constexpr const char* kDiskSpaceProblem
    = "There could be problems in the availability of disk space.";
inline constexpr const char* kUnableToOpenConfig = "Unable to open your config file";
inline constexpr const char* kUnableToCreateStartupCopy
    = "Unable to create start up file at your destination!";

// Status reset.
inline constexpr const char* kResetQuestion
    = "Are you sure you want to Reset the users Dictionary status?  \r\n Yes to continue.";
inline constexpr const char* kResetCaption = "WARNING!   Resetting the users Dictionary.";
inline constexpr const char* kResetSecondChance
    = "Second Chance ..  This will take some time \r\n  Backup your dictionary.";
inline constexpr const char* kResetTotals
    = "Main Dictionary Total = %ld :         Category Total = %ld";
inline constexpr const char* kDictionaryCount = "Dictionary Count.";
inline constexpr const char* kResetError = "Error in Reset -   Retry with backup copy.";
inline constexpr const char* kUnableToOpenDictionaryFiles = "Unable to open Dictionary files!";

} // namespace quorvel::strings
