#include "dictionary_report.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_pass.h"
#include "platform/services.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

namespace quorvel {

namespace {

long count(std::uint32_t value)
{
    return static_cast<long>(value);
}

void appendUserStatus(
    Report& report, const StartupInfo& info, int user, const DictionaryStatistics& both)
{
    const auto& s = both.statusCounts[static_cast<std::size_t>(user)];
    report.appendFormat(strings::kUserStatusLine, info.userName(user).c_str(), "\r\n", count(s[0]),
        count(s[1]), count(s[2]), count(s[3]));
}

void appendCategories(Report& report, const StartupInfo& info, const DictionaryStatistics& both)
{
    report.appendFormat(strings::kCategoryStatsTitle, "\r\n", "\r\n");
    for (int slot = 0; slot < 64; ++slot) {
        const std::string name = info.categoryName(slot);
        const std::string pad = name.size() < 24 ? std::string(24 - name.size(), ' ') : "";
        report.appendFormat(strings::kCategoryCount, name.c_str(), pad.c_str(),
            count(both.categoryCounts[static_cast<std::size_t>(slot)]));
        if (slot % 2 == 1)
            report.append("\r\n");
    }
}

void appendLanguages(Report& report, const DictionaryStatistics& both)
{
    report.appendFormat(strings::kLanguageStatusTitle, "\r\n", "\r\n");
    const auto& l = both.languageCounts;
    report.appendFormat(strings::kLanguageCount, strings::kLanguageUkOnly, count(l[1]));
    report.appendFormat(strings::kLanguageCount, strings::kLanguageUsOnly, count(l[2]));
    // A stored language 0 is read as both everywhere else: so it is counted here, and the three
    // lines add up to the dictionary's words.
    report.appendFormat(strings::kLanguageCount, strings::kLanguageBoth, count(l[3] + l[0]));
}

void appendLengths(Report& report, const DictionaryStatistics& both)
{
    report.append(strings::kWordsPerLength);
    for (int length = 3; length <= 37; ++length) {
        report.appendFormat(strings::kLengthCount, length,
            count(both.lengthCounts[static_cast<std::size_t>(length)]));
        if ((length - 3) % 6 == 5 || length == 37)
            report.append("\r\n");
    }
}

void appendLetters(
    Report& report, const DictionaryStatistics& main, const DictionaryStatistics& category)
{
    report.append(strings::kAtoZTitle);
    report.append(strings::kAtoZKey);
    auto letter = [](int i) { return 'A' + i; };
    auto inMain = [&](int i) { return count(main.firstLetterCounts[static_cast<std::size_t>(i)]); };
    auto inCategories
        = [&](int i) { return count(category.firstLetterCounts[static_cast<std::size_t>(i)]); };
    for (int i = 0; i < 24; i += 3) {
        report.appendFormat(strings::kAtoZLine, letter(i), inMain(i), letter(i), inCategories(i),
            letter(i + 1), inMain(i + 1), letter(i + 1), inCategories(i + 1), letter(i + 2),
            inMain(i + 2), letter(i + 2), inCategories(i + 2));
    }
    report.appendFormat(strings::kAtoZLastLine, letter(24), inMain(24), letter(24),
        inCategories(24), letter(25), inMain(25), letter(25), inCategories(25));
}

} // namespace

ReportResult dictionaryReport(File& dictionary, const StartupInfo& info,
    const DictionaryReportRequest& request, Clock& clock, const ReportProgress& progress)
{
    auto show = [&](const char* text) {
        if (progress)
            progress(text);
    };
    if (request.statusOnly && (request.currentUser < 0 || request.currentUser > 9))
        return ReportResult::failed(strings::kUnableToCollectStats, strings::kWarning);
    const std::string date = classicDateText(clock.now());
    DictionaryStatistics main, category;
    show(strings::kReportWorking);
    show(strings::kCollectingMain);
    if (!collectDictionaryStatistics(dictionary, Table::Main, main))
        return ReportResult::failed(strings::kUnableToFindStatsFile, strings::kWarning);
    show(strings::kCollectingCategories);
    if (!collectDictionaryStatistics(dictionary, Table::Category, category))
        return ReportResult::failed(strings::kUnableToCollectStats, strings::kWarning);
    DictionaryStatistics both = main;
    both += category;

    ReportResult result;
    Report& report = result.report;
    report.appendFormat(strings::kReportRule, "\r\n");
    report.appendFormat(
        strings::kDictionaryReportTitle, DateText(date, false, request.language).c_str(), "\r\n");
    report.appendFormat(strings::kReportRule, "\r\n");
    report.appendFormat(strings::kDictionaryTotals, count(main.words), count(category.words));
    report.append(strings::kUsersWordStatus);
    report.append("\r\n");
    if (request.statusOnly) {
        appendUserStatus(report, info, request.currentUser, both);
    } else {
        for (int user = 0; user < 10; ++user)
            appendUserStatus(report, info, user, both);
    }
    report.append("\r\n");
    appendCategories(report, info, both);
    if (!request.statusOnly) {
        appendLanguages(report, both);
        appendLengths(report, both);
        appendLetters(report, main, category);
    }
    return result;
}

ReportResult dictionaryReport(StartupInfo& info, const DictionaryReportRequest& request,
    Clock& clock, const ReportProgress& progress)
{
    DictionaryHandle dictionary = OpenDictionary(info);
    if (!dictionary)
        return ReportResult::failed(strings::kReportUnableToOpenDictionary, strings::kWarning);
    ReportResult result = dictionaryReport(*dictionary, info, request, clock, progress);
    CloseDictionary(dictionary);
    return result;
}

} // namespace quorvel
