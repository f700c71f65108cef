#include "history_report.h"

#include "history/history_file.h"
#include "platform/services.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

namespace quorvel {

const char* historyLevelName(int level)
{
    switch (level) {
    case 1:
        return strings::kLevelElementary;
    case 2:
        return strings::kLevelIntermediate;
    case 3:
        return strings::kLevelAdvanced;
    default:
        return strings::kLevelNone;
    }
}

const char* historyListTypeName(int listType)
{
    switch (listType) {
    case 1:
        return strings::kHistoryListRandom;
    case 2:
        return strings::kHistoryListOneLetter;
    case 3:
        return strings::kHistoryListPredefined;
    case 4:
        return strings::kListTypeErrorsOnly;
    case 5:
        return strings::kListTypeScrapPad;
    case 6:
        return strings::kListTypeTextFile;
    default:
        return strings::kListTypeNone;
    }
}

ReportResult historyReport(const StartupInfo& info, int user, Language language, Clock& clock)
{
    const std::string name = info.userName(user);
    // Slot 10 would name the temporary file of a rebuild, which holds nobody's history.
    auto file = user >= 0 && user <= 9
        ? HistoryFile::open(info.dataFolder(), user, OpenMode::ReadOnly)
        : nullptr;
    HistoryHeader header;
    if (!file || !file->readHeader(header))
        return ReportResult::failed(
            formatText(strings::kHistoryReportUnreadable, name.c_str()), strings::kInformation);
    // As the drill says of such a file: it needs replacing before it can be used.
    if (header.records > kHistoryMaxRecords)
        return ReportResult::failed(
            strings::kHistoryTooManyRecords, strings::kHistorySeeSystemPerson);

    ReportResult result;
    Report& report = result.report;
    report.appendFormat(strings::kReportRule, "\r\n");
    report.appendFormat(strings::kHistoryReportTitle, name.c_str(),
        DateText(classicDateText(clock.now()), false, language).c_str(), "\r\n", "\r\n");
    report.appendFormat(strings::kReportRule, "\r\n");
    report.append(strings::kHistoryColumns);
    report.append("\r\n");
    report.appendFormat(strings::kReportRule, "\r\n");

    std::vector<HistoryRecord> records;
    const bool whole = file->readRecords(records);
    for (const HistoryRecord& record : records) {
        const HistorySummary& s = record.summary;
        // A record that never held a drill.
        if (s.words == 0)
            continue;
        report.append(DateText(record.date, true, language));
        report.appendFormat(strings::kHistoryLine, threeDigitPadding(s.correct).c_str(),
            int(s.correct), threeDigitPadding(s.words).c_str(), int(s.words),
            threeDigitPadding(s.levelPercent).c_str(), int(s.levelPercent),
            historyLevelName(s.level), twoDigitPadding(s.minLetters).c_str(), int(s.minLetters),
            twoDigitPadding(s.maxLetters).c_str(), int(s.maxLetters));
        report.append("  ");
        report.append(historyListTypeName(s.listType));
        report.append("\r\n");
    }
    if (!whole) {
        result.status = ReportStatus::Cut;
        result.message = formatText(strings::kHistoryReportDamaged, name.c_str());
        result.caption = strings::kWarning;
        return result;
    }
    report.append(strings::kHistoryEnd);
    report.append("\r\n");
    return result;
}

} // namespace quorvel
