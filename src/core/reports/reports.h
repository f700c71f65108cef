#pragma once

// The statistics window's reports by kind, as its commands ask for them.

#include "dictionary_report.h"
#include "history_report.h"
#include "list_report.h"
#include "report_text.h"
#include "stats_file.h"

#include <cstdint>

namespace quorvel {

enum class ReportKind : std::uint8_t
{
    LastList = 1, // "Display &Current user's last List"
    LastListWithAttempts = 2, // "D&isplay current users last list with attempt"
    Dictionary = 3, // "Dictionary &Report"
    DictionaryStatus = 4, // "&Display user's  dictionary status "
    History = 5, // "&History report": the current user
    SelectedHistory = 6, // "&Selected History Report", "&All History Reports": a chosen user
    SavedStats = 7, // "&View last saved stats report"
};

struct ReportRequest
{
    ReportKind kind = ReportKind::SavedStats;
    int currentUser = 0; // whose list, status and English
    int historyUser = 0; // SelectedHistory: whose history (System Setup's choice)
};

// Makes a report of any kind from the record's files, dated by the clock.
ReportResult makeReport(StartupInfo& info, const ReportRequest& request, Clock& clock,
    const ReportProgress& progress = {});

} // namespace quorvel
