#pragma once

// Texts of the statistics window and its reports. The report lines are printf formats with their
// line breaks ("\r\n") where the report has always had them: saved reports and the people who
// read them know these columns.

#include <QtGlobal>

namespace quorvel::strings {

// The window.
inline constexpr const char* kStatsWindowCaption = QT_TRANSLATE_NOOP("Quorvel", "%d Stats Window");
inline constexpr const char* kNoStatsFile
    = QT_TRANSLATE_NOOP("Quorvel", "No stats file. Generate a new one to view stats file");
inline constexpr const char* kStatsOutOfMemory = QT_TRANSLATE_NOOP("Quorvel", "Out of Memory");
// Shown while a report is made; not part of the report.
inline constexpr const char* kReportWorking = QT_TRANSLATE_NOOP("Quorvel", "\r\n\r\nWorking...");
inline constexpr const char* kCollectingMain
    = QT_TRANSLATE_NOOP("Quorvel", "Collecting information on Main dictionary... ");
inline constexpr const char* kCollectingCategories
    = QT_TRANSLATE_NOOP("Quorvel", "Collecting information on dictionary categories...");

// The last list.
inline constexpr const char* kLastListInvalid
    = QT_TRANSLATE_NOOP("Quorvel", "Your last list was Invalid!");
inline constexpr const char* kLastListHeading = QT_TRANSLATE_NOOP(
    "Quorvel", "Word                          Your Last attempt           Correct     Repeats\r\n");
inline constexpr const char* kLastListLine
    = QT_TRANSLATE_NOOP("Quorvel", "%s%s %s%s  %s          %d%s");
inline constexpr const char* kLastListCorrect = QT_TRANSLATE_NOOP("Quorvel", "Y");
inline constexpr const char* kLastListWrong = QT_TRANSLATE_NOOP("Quorvel", "N");
// The word file cannot be opened or its header read: there is nothing to show.
inline constexpr const char* kLastListUnreadable
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to read your last list.");
// A record of the word file cannot be read: the report ends before it.
inline constexpr const char* kLastListDamaged = QT_TRANSLATE_NOOP(
    "Quorvel", "Your last list is damaged: the report ends at the last word that could be read.");

// History reports.
inline constexpr const char* kReportRule = QT_TRANSLATE_NOOP(
    "Quorvel", "_____________________________________________________________________________%s");
inline constexpr const char* kHistoryReportTitle
    = QT_TRANSLATE_NOOP("Quorvel", "History Report for %s      Dated %s%s%s");
inline constexpr const char* kHistoryColumns = QT_TRANSLATE_NOOP(
    "Quorvel", "Date                          Score    Level  Difficulty    Min  Max   Type      ");
inline constexpr const char* kHistoryLine
    = QT_TRANSLATE_NOOP("Quorvel", " %s%d /%s%d %s %d%% at %s   %s%d   %s%d ");
inline constexpr const char* kHistoryEnd = QT_TRANSLATE_NOOP(
    "Quorvel", "_________________________________ End Report ________________________________\r\n");
inline constexpr const char* kLevelElementary = QT_TRANSLATE_NOOP("Quorvel", "Elementary  ");
inline constexpr const char* kLevelIntermediate = QT_TRANSLATE_NOOP("Quorvel", "Intermediate");
inline constexpr const char* kLevelAdvanced = QT_TRANSLATE_NOOP("Quorvel", "Advanced    ");
inline constexpr const char* kLevelNone = QT_TRANSLATE_NOOP("Quorvel", "No Level    ");
inline constexpr const char* kHistoryListRandom = QT_TRANSLATE_NOOP("Quorvel", "Random     ");
inline constexpr const char* kHistoryListOneLetter = QT_TRANSLATE_NOOP("Quorvel", "One Letter ");
inline constexpr const char* kHistoryListPredefined = QT_TRANSLATE_NOOP("Quorvel", "Predefined ");
inline constexpr const char* kListTypeErrorsOnly = QT_TRANSLATE_NOOP("Quorvel", "Errors only");
inline constexpr const char* kListTypeScrapPad = QT_TRANSLATE_NOOP("Quorvel", "Scrap Pad  ");
inline constexpr const char* kListTypeTextFile = QT_TRANSLATE_NOOP("Quorvel", "Text file  ");
inline constexpr const char* kListTypeNone = QT_TRANSLATE_NOOP("Quorvel", "No type    ");
// The user's history file cannot be opened, or is too short to hold its header (%s: the name).
inline constexpr const char* kHistoryReportUnreadable
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to read the history file of %s.");
// A drill record cannot be read: the report ends before it (%s: the user's name).
inline constexpr const char* kHistoryReportDamaged = QT_TRANSLATE_NOOP("Quorvel",
    "The history file of %s is damaged: the report ends at the last drill that could be read.");

// Dictionary report and a user's dictionary status.
inline constexpr const char* kReportUnableToOpenDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open dictionary");
inline constexpr const char* kUnableToFindStatsFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to find stats file");
inline constexpr const char* kUnableToCollectStats
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to collect stats");
inline constexpr const char* kDictionaryReportTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Dictionary Report                        Dated  %s%s");
inline constexpr const char* kDictionaryTotals = QT_TRANSLATE_NOOP(
    "Quorvel", "Main Dictionary total      =  %5ld\r\nDictionary category total  =  %5ld\r\n");
inline constexpr const char* kUsersWordStatus
    = QT_TRANSLATE_NOOP("Quorvel", "\r\nUsers Word status for the whole of the dictionary");
inline constexpr const char* kUserStatusLine = QT_TRANSLATE_NOOP(
    "Quorvel", "%s%sFailed = %5ld    Default = %5ld  Success = %5ld  Mastered = %5ld\r\n");
inline constexpr const char* kCategoryStatsTitle
    = QT_TRANSLATE_NOOP("Quorvel", "%sDictionary Category stats %s");
inline constexpr const char* kCategoryCount = QT_TRANSLATE_NOOP("Quorvel", "%s%s=%5ld  ");
inline constexpr const char* kLanguageStatusTitle
    = QT_TRANSLATE_NOOP("Quorvel", "%sLanguage Status%s");
inline constexpr const char* kLanguageCount = QT_TRANSLATE_NOOP("Quorvel", "%s  = %5ld\r\n");
inline constexpr const char* kLanguageUkOnly = QT_TRANSLATE_NOOP("Quorvel", "English Uk only");
inline constexpr const char* kLanguageUsOnly = QT_TRANSLATE_NOOP("Quorvel", "English US only");
inline constexpr const char* kLanguageBoth = QT_TRANSLATE_NOOP("Quorvel", "In both        ");
inline constexpr const char* kWordsPerLength
    = QT_TRANSLATE_NOOP("Quorvel", "\r\nNumber of words per length\r\n");
inline constexpr const char* kLengthCount = QT_TRANSLATE_NOOP("Quorvel", "%4d = %4ld ");
inline constexpr const char* kAtoZTitle = QT_TRANSLATE_NOOP("Quorvel", "\r\nA to Z breakdown \r\n");
inline constexpr const char* kAtoZKey
    = QT_TRANSLATE_NOOP("Quorvel", "Main Dictionary = Main.      Categories = Cat\r\n");
inline constexpr const char* kAtoZLine = QT_TRANSLATE_NOOP(
    "Quorvel", "Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld\r\n");
inline constexpr const char* kAtoZLastLine
    = QT_TRANSLATE_NOOP("Quorvel", "Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld");

// Day and month names of report dates.
inline constexpr const char* kDayNames[7]
    = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
inline constexpr const char* kMonthNames[12] = { "January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December" };

} // namespace quorvel::strings
