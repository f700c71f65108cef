#pragma once

// Texts of the statistics window and its reports. The report lines are printf formats with their
// line breaks ("\r\n") where the report has always had them: saved reports and the people who
// read them know these columns.

namespace quorvel::strings {

// The window.
inline constexpr const char* kStatsWindowCaption = "%d Stats Window";
inline constexpr const char* kNoStatsFile = "No stats file. Generate a new one to view stats file";
inline constexpr const char* kStatsOutOfMemory = "Out of Memory";
// Shown while a report is made; not part of the report.
inline constexpr const char* kReportWorking = "\r\n\r\nWorking...";
inline constexpr const char* kCollectingMain = "Collecting information on Main dictionary... ";
inline constexpr const char* kCollectingCategories
    = "Collecting information on dictionary categories...";

// The last list.
inline constexpr const char* kLastListInvalid = "Your last list was Invalid!";
inline constexpr const char* kLastListHeading
    = "Word                          Your Last attempt           Correct     Repeats\r\n";
inline constexpr const char* kLastListLine = "%s%s %s%s  %s          %d%s";
inline constexpr const char* kLastListCorrect = "Y";
inline constexpr const char* kLastListWrong = "N";
// The word file cannot be opened or its header read: there is nothing to show.
inline constexpr const char* kLastListUnreadable = "Unable to read your last list.";
// A record of the word file cannot be read: the report ends before it.
inline constexpr const char* kLastListDamaged
    = "Your last list is damaged: the report ends at the last word that could be read.";

// History reports.
inline constexpr const char* kReportRule
    = "_____________________________________________________________________________%s";
inline constexpr const char* kHistoryReportTitle = "History Report for %s      Dated %s%s%s";
inline constexpr const char* kHistoryColumns
    = "Date                          Score    Level  Difficulty    Min  Max   Type      ";
inline constexpr const char* kHistoryLine = " %s%d /%s%d %s %d%% at %s   %s%d   %s%d ";
inline constexpr const char* kHistoryEnd
    = "_________________________________ End Report ________________________________\r\n";
inline constexpr const char* kLevelElementary = "Elementary  ";
inline constexpr const char* kLevelIntermediate = "Intermediate";
inline constexpr const char* kLevelAdvanced = "Advanced    ";
inline constexpr const char* kLevelNone = "No Level    ";
inline constexpr const char* kListTypeRandom = "Random     ";
inline constexpr const char* kListTypeOneLetter = "One Letter ";
inline constexpr const char* kListTypePredefined = "Predefined ";
inline constexpr const char* kListTypeErrorsOnly = "Errors only";
inline constexpr const char* kListTypeScrapPad = "Scrap Pad  ";
inline constexpr const char* kListTypeTextFile = "Text file  ";
inline constexpr const char* kListTypeNone = "No type    ";
// The user's history file cannot be opened, or is too short to hold its header (%s: the name).
inline constexpr const char* kHistoryReportUnreadable = "Unable to read the history file of %s.";
// A drill record cannot be read: the report ends before it (%s: the user's name).
inline constexpr const char* kHistoryReportDamaged
    = "The history file of %s is damaged: the report ends at the last drill that could be read.";

// Dictionary report and a user's dictionary status.
inline constexpr const char* kReportUnableToOpenDictionary = "Unable to open dictionary";
inline constexpr const char* kUnableToFindStatsFile = "Unable to find stats file";
inline constexpr const char* kUnableToCollectStats = "Unable to collect stats";
inline constexpr const char* kDictionaryReportTitle
    = "Dictionary Report                        Dated  %s%s";
inline constexpr const char* kDictionaryTotals
    = "Main Dictionary total      =  %5ld\r\nDictionary category total  =  %5ld\r\n";
inline constexpr const char* kUsersWordStatus
    = "\r\nUsers Word status for the whole of the dictionary";
inline constexpr const char* kUserStatusLine
    = "%s%sFailed = %5ld    Default = %5ld  Success = %5ld  Mastered = %5ld\r\n";
inline constexpr const char* kCategoryStatsTitle = "%sDictionary Category stats %s";
inline constexpr const char* kCategoryCount = "%s%s=%5ld  ";
inline constexpr const char* kLanguageStatusTitle = "%sLanguage Status%s";
inline constexpr const char* kLanguageCount = "%s  = %5ld\r\n";
inline constexpr const char* kLanguageUkOnly = "English Uk only";
inline constexpr const char* kLanguageUsOnly = "English US only";
inline constexpr const char* kLanguageBoth = "In both        ";
inline constexpr const char* kWordsPerLength = "\r\nNumber of words per length\r\n";
inline constexpr const char* kLengthCount = "%4d = %4ld ";
inline constexpr const char* kAtoZTitle = "\r\nA to Z breakdown \r\n";
inline constexpr const char* kAtoZKey = "Main Dictionary = Main.      Categories = Cat\r\n";
inline constexpr const char* kAtoZLine
    = "Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld\r\n";
inline constexpr const char* kAtoZLastLine = "Main=%c=%4ld Cat=%c=%3ld  Main=%c=%4ld Cat=%c=%3ld";

// Day and month names of report dates.
inline constexpr const char* kDayNames[7]
    = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
inline constexpr const char* kMonthNames[12] = { "January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December" };

} // namespace quorvel::strings
