#pragma once

// Texts of the drill settings sheet, the system setup dialogs, the dictionary backup and the
// status reset, verbatim.

#include <QtGlobal>

namespace quorvel::strings {

// "List Setup" sheet.
inline constexpr const char* kListSetupCaption = QT_TRANSLATE_NOOP("Quorvel", "List Setup");
inline constexpr const char* kPageListSetup = QT_TRANSLATE_NOOP("Quorvel", "User List Setup");
inline constexpr const char* kPageDisplay = QT_TRANSLATE_NOOP("Quorvel", "Display");
inline constexpr const char* kPageListOptions = QT_TRANSLATE_NOOP("Quorvel", "User List Options");
inline constexpr const char* kPageLearn = QT_TRANSLATE_NOOP("Quorvel", "Learn Setup");

inline constexpr const char* kMinimumLetters = QT_TRANSLATE_NOOP("Quorvel", "&Minimum Letters");
inline constexpr const char* kMaximumLetters = QT_TRANSLATE_NOOP("Quorvel", "Ma&ximum  Letters");
inline constexpr const char* kListSize = QT_TRANSLATE_NOOP("Quorvel", "List size");
inline constexpr const char* kListSizeLabel = QT_TRANSLATE_NOOP("Quorvel", "&List size");
inline constexpr const char* kOneLetterBox = QT_TRANSLATE_NOOP("Quorvel", "&One letter only ");
inline constexpr const char* kPredefinedBox = QT_TRANSLATE_NOOP("Quorvel", "&Pre-defined");
inline constexpr const char* kListTypeGroup = QT_TRANSLATE_NOOP("Quorvel", "List Type");
inline constexpr const char* kTypeFailures = QT_TRANSLATE_NOOP("Quorvel", "&Failures only");
inline constexpr const char* kTypePredefined = QT_TRANSLATE_NOOP("Quorvel", "Pre-defined &start");
inline constexpr const char* kTypeOneLetter = QT_TRANSLATE_NOOP("Quorvel", "O&ne letter only");
inline constexpr const char* kTypeRandom = QT_TRANSLATE_NOOP("Quorvel", "&Random");

inline constexpr const char* kTimingSetup = QT_TRANSLATE_NOOP("Quorvel", "Timing  setup ");
inline constexpr const char* kSecondsApprox = QT_TRANSLATE_NOOP("Quorvel", "Seconds  (approx)");
inline constexpr const char* kWordShowTime
    = QT_TRANSLATE_NOOP("Quorvel", "How long a word should be displayed");
inline constexpr const char* kWordShowTimeLabel
    = QT_TRANSLATE_NOOP("Quorvel", "How long a &word should be displayed");
inline constexpr const char* kAnswerDelay
    = QT_TRANSLATE_NOOP("Quorvel", "How long before you can input your answer");
inline constexpr const char* kAnswerDelayLabel
    = QT_TRANSLATE_NOOP("Quorvel", "How long before you can &input your answer");
inline constexpr const char* kSpellTime
    = QT_TRANSLATE_NOOP("Quorvel", "How long you have to spell the word");
inline constexpr const char* kSpellTimeLabel
    = QT_TRANSLATE_NOOP("Quorvel", "How long you have to &spell the word");
inline constexpr const char* kBetweenWords
    = QT_TRANSLATE_NOOP("Quorvel", "Time you allow between words");
inline constexpr const char* kBetweenWordsLabel
    = QT_TRANSLATE_NOOP("Quorvel", "&Time you allow between words");
inline constexpr const char* kDisplayWordIn = QT_TRANSLATE_NOOP("Quorvel", "Display  word  in");
inline constexpr const char* kUpperCase = QT_TRANSLATE_NOOP("Quorvel", "&Upper case");
inline constexpr const char* kLowerCase = QT_TRANSLATE_NOOP("Quorvel", "&Lower case");

inline constexpr const char* kLevelAdjustment = QT_TRANSLATE_NOOP("Quorvel", "Level Adjustment");
inline constexpr const char* kAdjustPractice = QT_TRANSLATE_NOOP("Quorvel", "P&ractice");
inline constexpr const char* kAdjustManual = QT_TRANSLATE_NOOP("Quorvel", "&Manual");
inline constexpr const char* kAdjustAuto = QT_TRANSLATE_NOOP("Quorvel", "&Auto ");
inline constexpr const char* kRepeatControl = QT_TRANSLATE_NOOP("Quorvel", "Repeat control");
inline constexpr const char* kRepeatAll = QT_TRANSLATE_NOOP("Quorvel", "Re&peat all");
inline constexpr const char* kRepeatFailures
    = QT_TRANSLATE_NOOP("Quorvel", "Repeat list &Failures");
inline constexpr const char* kUserLevel = QT_TRANSLATE_NOOP("Quorvel", "User Level");
inline constexpr const char* kLevelElementary = QT_TRANSLATE_NOOP("Quorvel", "&Elementary");
inline constexpr const char* kLevelIntermediate = QT_TRANSLATE_NOOP("Quorvel", "&Intermediate");
inline constexpr const char* kLevelAdvanced = QT_TRANSLATE_NOOP("Quorvel", "Ad&vanced");
inline constexpr const char* kLanguageGroup = QT_TRANSLATE_NOOP("Quorvel", "Language");
inline constexpr const char* kLanguageUK = QT_TRANSLATE_NOOP("Quorvel", "English     &Uk");
inline constexpr const char* kLanguageUS = QT_TRANSLATE_NOOP("Quorvel", "English     U&SA");
inline constexpr const char* kShowLanguageFlag
    = QT_TRANSLATE_NOOP("Quorvel", "&Tick to show language flag in status bar");

inline constexpr const char* kLearnHeading
    = QT_TRANSLATE_NOOP("Quorvel", "Set Learn mode then adjust parameters");
inline constexpr const char* kLearnModeGroup = QT_TRANSLATE_NOOP("Quorvel", "Learn mode");
inline constexpr const char* kLearnFlash = QT_TRANSLATE_NOOP("Quorvel", "Flash");
inline constexpr const char* kLearnRipple = QT_TRANSLATE_NOOP("Quorvel", "Ripple");
inline constexpr const char* kLearnContinuous = QT_TRANSLATE_NOOP("Quorvel", "Continuous");
inline constexpr const char* kLearnFlashLabel = QT_TRANSLATE_NOOP("Quorvel", "&Flash");
inline constexpr const char* kLearnRippleLabel = QT_TRANSLATE_NOOP("Quorvel", "&Ripple");
inline constexpr const char* kLearnContinuousLabel = QT_TRANSLATE_NOOP("Quorvel", "&Continuous");
inline constexpr const char* kTimeInSeconds = QT_TRANSLATE_NOOP("Quorvel", "Time in &Seconds");
inline constexpr const char* kFlashDuration = QT_TRANSLATE_NOOP("Quorvel", "Flash &duration");
inline constexpr const char* kFlashScale
    = QT_TRANSLATE_NOOP("Quorvel", "1  Rapid            Slow  500");
inline constexpr const char* kFlashCount = QT_TRANSLATE_NOOP("Quorvel", "&No of Flashs");
inline constexpr const char* kRippleDuration = QT_TRANSLATE_NOOP("Quorvel", "Ripple d&uration");
inline constexpr const char* kRippleScale
    = QT_TRANSLATE_NOOP("Quorvel", "1   Rapid        Slow   500");
inline constexpr const char* kRippleCount = QT_TRANSLATE_NOOP("Quorvel", "No of Ri&pples");

// System Setup dialog.
inline constexpr const char* kSystemSetupCaption = QT_TRANSLATE_NOOP("Quorvel", "System Setup");
inline constexpr const char* kResetUsersStatusFor
    = QT_TRANSLATE_NOOP("Quorvel", "Reset Users status for:-");
inline constexpr const char* kSelectHistoryUser
    = QT_TRANSLATE_NOOP("Quorvel", "Select User history to print");
inline constexpr const char* kUserButton
    = QT_TRANSLATE_NOOP("Quorvel", "User %1"); // %1: the slot number 1..10
inline constexpr const char* kResetWordLevelTo
    = QT_TRANSLATE_NOOP("Quorvel", "Reset word level to ");
inline constexpr const char* kResetDefault = QT_TRANSLATE_NOOP("Quorvel", "De&fault");
inline constexpr const char* kResetSuccess = QT_TRANSLATE_NOOP("Quorvel", "S&uccess");
inline constexpr const char* kPromotionThreshold
    = QT_TRANSLATE_NOOP("Quorvel", "&Promotion  threshold  %");
inline constexpr const char* kDemotionThreshold
    = QT_TRANSLATE_NOOP("Quorvel", "D&emotion   threshold  %");
inline constexpr const char* kResetButton = QT_TRANSLATE_NOOP("Quorvel", "Re&set");
inline constexpr const char* kDoneButton = QT_TRANSLATE_NOOP("Quorvel", "&Done");
inline constexpr const char* kHelpButton = QT_TRANSLATE_NOOP("Quorvel", "&Help");

// Sound and Backup settings dialog.
inline constexpr const char* kSoundBackupCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Sound and Backup settings");
inline constexpr const char* kWaveformFolderLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Folder of the recorded word sounds");
inline constexpr const char* kWaveformFolderMnemonic
    = QT_TRANSLATE_NOOP("Quorvel", "&Folder of the recorded word sounds");
inline constexpr const char* kWaveformFolderHint = QT_TRANSLATE_NOOP("Quorvel",
    "The recorded word sounds are kept in a folder named \"waveform\". If they are on a CD-ROM, "
    "type the path of its waveform folder, or use the browse button and pick any waveform file "
    "inside it.");
inline constexpr const char* kBackupPathLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Path used  for Backup and Additional  dictionary  files");
inline constexpr const char* kBackupPathMnemonic
    = QT_TRANSLATE_NOOP("Quorvel", "&Path used  for Backup and Additional  dictionary  files");
inline constexpr const char* kBrowseWaveform = QT_TRANSLATE_NOOP("Quorvel", "< B&rowse");
inline constexpr const char* kBrowseBackup = QT_TRANSLATE_NOOP("Quorvel", "< Br&owse");
inline constexpr const char* kResetToDefaultDirectory
    = QT_TRANSLATE_NOOP("Quorvel", "Reset to default director&y");
inline constexpr const char* kPathFilter = QT_TRANSLATE_NOOP("Quorvel", "Path  (*.*)|*.*|");
inline constexpr const char* kIncorrectWaveformPath
    = QT_TRANSLATE_NOOP("Quorvel", "Incorrect path for waveform directory");
inline constexpr const char* kBadSoundPath
    = QT_TRANSLATE_NOOP("Quorvel", "Bad sound path. Unable to save information");

// Dictionary backup.
inline constexpr const char* kBackupQuestion = QT_TRANSLATE_NOOP("Quorvel",
    "Recommend system password is disabled.\r\nInsert disk into the designated disk drive. \r\n");
inline constexpr const char* kBackupCaption = QT_TRANSLATE_NOOP("Quorvel", "Backup Dictionary.");
inline constexpr const char* kBackupFailed = QT_TRANSLATE_NOOP("Quorvel", "Backup Failed");
inline constexpr const char* kUnableToCreateDestination
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to create file at your destination!");
inline constexpr const char* kDiskSpaceProblem
    = QT_TRANSLATE_NOOP("Quorvel", "There could be problems in the availability of disk space.");
inline constexpr const char* kUnableToOpenConfig
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open your config file");
inline constexpr const char* kUnableToCreateStartupCopy
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to create start up file at your destination!");

// Status reset.
inline constexpr const char* kResetQuestion = QT_TRANSLATE_NOOP("Quorvel",
    "Are you sure you want to Reset the users Dictionary status?  \r\n Yes to continue.");
inline constexpr const char* kResetCaption
    = QT_TRANSLATE_NOOP("Quorvel", "WARNING!   Resetting the users Dictionary.");
inline constexpr const char* kResetSecondChance = QT_TRANSLATE_NOOP(
    "Quorvel", "Second Chance ..  This will take some time \r\n  Backup your dictionary.");
inline constexpr const char* kResetTotals
    = QT_TRANSLATE_NOOP("Quorvel", "Main Dictionary Total = %ld :         Category Total = %ld");
inline constexpr const char* kDictionaryCount = QT_TRANSLATE_NOOP("Quorvel", "Dictionary Count.");
inline constexpr const char* kResetError
    = QT_TRANSLATE_NOOP("Quorvel", "Error in Reset -   Retry with backup copy.");
inline constexpr const char* kUnableToOpenDictionaryFiles
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open Dictionary files!");

// The drill's speech: the machine's switch (Sound and Backup) and the user's dictation option
// (List Options).
inline constexpr const char* kSpeakUnrecorded
    = QT_TRANSLATE_NOOP("Quorvel", "Spea&k words that have no recording");
inline constexpr const char* kHearOnly = QT_TRANSLATE_NOOP("Quorvel", "&Hear only");
inline constexpr const char* kHearOnlyHint
    = QT_TRANSLATE_NOOP("Quorvel", "The drill speaks each word twice and never shows it.");
inline constexpr const char* kSpeechSettingsNotSaved
    = QT_TRANSLATE_NOOP("Quorvel", "The speech setting could not be saved in the settings file.");

} // namespace quorvel::strings
