#include "reports.h"

namespace quorvel {

ReportResult makeReport(
    StartupInfo& info, const ReportRequest& request, Clock& clock, const ReportProgress& progress)
{
    const Language language = reportLanguage(info, request.currentUser);
    switch (request.kind) {
    case ReportKind::LastList:
    case ReportKind::LastListWithAttempts:
        return lastListReport(info.dataFolder(), request.currentUser,
            request.kind == ReportKind::LastListWithAttempts);
    case ReportKind::Dictionary:
    case ReportKind::DictionaryStatus:
        return dictionaryReport(info,
            { request.kind == ReportKind::DictionaryStatus, request.currentUser, language }, clock,
            progress);
    case ReportKind::History:
        return historyReport(info, request.currentUser, language, clock);
    case ReportKind::SelectedHistory:
        return historyReport(info, request.historyUser, language, clock);
    case ReportKind::SavedStats:
        break;
    }
    return savedStatsReport(info.dataFolder());
}

} // namespace quorvel
