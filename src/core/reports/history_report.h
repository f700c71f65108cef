#pragma once

// A user's history report: every drill of the user's history file, oldest first.

#include "report_text.h"

namespace quorvel {

class Clock;

// The history of user slot `user` (names from the record, the file from its data folder), dated
// now, with dates in the order of `language` (the current user's English, whoever the report is
// for). Unavailable when the file cannot be opened or holds more records than a history file may;
// Cut when a drill record cannot be read: the report ends before it, without its closing rule.
ReportResult historyReport(const StartupInfo& info, int user, Language language, Clock& clock);

// The name of a level and of a list type in a history line.
const char* historyLevelName(int level);
const char* historyListTypeName(int listType);

} // namespace quorvel
