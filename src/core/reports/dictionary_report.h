#pragma once

// The dictionary report (every user's word status, categories, languages, word lengths and first
// letters) and a user's dictionary status (that user's status line and the categories), both from
// one pass over the two tables of the dictionary.

#include "report_text.h"

#include <functional>
#include <string_view>

namespace quorvel {

class Clock;
class File;

struct DictionaryReportRequest
{
    // Only this user's status line and no language, length or letter sections (the user's
    // dictionary status); otherwise the whole report with every user.
    bool statusOnly = false;
    int currentUser = 0;
    Language language = Language::UK; // the order of the date
};

// What the window shows while the pass runs ("Working...", "Collecting information on ...").
using ReportProgress = std::function<void(std::string_view)>;

// The report over an open dictionary (the caller closes it). Unavailable, with the message the
// window shows under "Warning!", when a table's pass fails or meets a word of 38 or more letters.
ReportResult dictionaryReport(File& dictionary, const StartupInfo& info,
    const DictionaryReportRequest& request, Clock& clock, const ReportProgress& progress = {});

// Opens the record's dictionary, makes the report and closes it; Unavailable with "Unable to open
// dictionary" when it cannot be opened.
ReportResult dictionaryReport(StartupInfo& info, const DictionaryReportRequest& request,
    Clock& clock, const ReportProgress& progress = {});

} // namespace quorvel
