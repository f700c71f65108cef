#include "reports/progress_data.h"

#include "dictionary/dictionary_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdio>
#include <sstream>

namespace quorvel {

namespace {

// An automatic drill writes its second record straight after the first, once the promotion or
// demotion has been shown (a second and a half at most). Two separate drills of the same list
// cannot both be spelt in less time than this.
constexpr std::int64_t kAutoPairSeconds = 10;

int monthNumber(const std::string& name)
{
    static const char* const kMonths[]
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    for (int i = 0; i < 12; ++i) {
        if (name == kMonths[i])
            return i + 1;
    }
    return 0;
}

bool isDayName(const std::string& name)
{
    for (const char* day : { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" }) {
        if (name == day)
            return true;
    }
    return false;
}

// The second record of an automatic drill repeats the first one's result with the letters and
// level after the adjustment.
bool secondOfAutoPair(const ProgressPoint& first, const ProgressPoint& second)
{
    return first.automatic && second.automatic && first.words == second.words
        && first.correct == second.correct && first.listType == second.listType
        && second.when >= first.when && second.when - first.when <= kAutoPairSeconds;
}

} // namespace

bool parseClassicDate(const std::string& text, std::int64_t& when)
{
    std::istringstream in(text);
    std::string day, month, clock, rest;
    int mday = 0, year = 0;
    if (!(in >> day >> month >> mday >> clock >> year) || (in >> rest))
        return false;
    int hour = -1, minute = -1, second = -1;
    char tail = 0;
    if (!isDayName(day)
        || std::sscanf(clock.c_str(), "%2d:%2d:%2d%c", &hour, &minute, &second, &tail) != 3)
        return false;
    const QDate date(year, monthNumber(month), mday);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return false;
    when = QDateTime(date, time, Qt::LocalTime).toSecsSinceEpoch();
    return true;
}

std::vector<ProgressPoint> progressPoints(const std::vector<HistoryRecord>& records, int& leftOut)
{
    leftOut = 0;
    std::vector<ProgressPoint> points;
    bool lastMayPair = false;
    for (const HistoryRecord& record : records) {
        const HistorySummary& s = record.summary;
        if (s.words == 0)
            continue; // never held a drill
        ProgressPoint p;
        if (s.correct > s.words || !parseClassicDate(record.date, p.when)) {
            ++leftOut;
            lastMayPair = false;
            continue;
        }
        p.words = s.words;
        p.correct = s.correct;
        p.scorePercent = static_cast<int>(100 * static_cast<long>(s.correct) / s.words);
        p.level = s.level >= 1 && s.level <= 3 ? s.level : 0;
        p.levelAfter = p.level;
        p.automatic = s.autoFlag == 1;
        p.listType = s.listType;
        if (lastMayPair && secondOfAutoPair(points.back(), p)) {
            points.back().levelAfter = p.level;
            lastMayPair = false;
            continue;
        }
        points.push_back(p);
        lastMayPair = true;
    }
    return points;
}

StatusCounts userStatusCounts(
    const DictionaryStatistics& main, const DictionaryStatistics& category, int user)
{
    StatusCounts counts {};
    if (user < 0 || user >= static_cast<int>(main.statusCounts.size()))
        return counts;
    const auto u = static_cast<std::size_t>(user);
    for (std::size_t s = 0; s < counts.size(); ++s)
        counts[s] = main.statusCounts[u][s] + category.statusCounts[u][s];
    return counts;
}

ProgressData readProgress(
    const std::string& dataFolder, const std::string& dictionaryFolder, int user)
{
    ProgressData data;

    std::vector<HistoryRecord> records;
    std::unique_ptr<HistoryFile> history;
    if (user >= 0 && user < kHistoryTemporarySlot)
        history = HistoryFile::open(dataFolder, user, OpenMode::ReadOnly);
    if (user < 0 || user >= kHistoryTemporarySlot) {
        data.history = HistoryReading::NoFile;
    } else if (!history) {
        const FileTest test = testFileExists(paths::historyFile(dataFolder, char('0' + user)));
        data.history = test.missing() ? HistoryReading::NoFile : HistoryReading::Unreadable;
    } else {
        HistoryHeader header;
        if (!history->readHeader(header)) {
            data.history = HistoryReading::Unreadable;
        } else {
            // The ring is read round once whatever N claims: every link is checked against the
            // file, so an oversized header costs no more than the file holds.
            const bool whole = history->readRecords(records);
            if (header.records > kHistoryMaxRecords)
                data.history = HistoryReading::Oversized;
            else if (!whole)
                data.history = HistoryReading::Damaged;
        }
        history->close();
    }
    data.points = progressPoints(records, data.leftOut);

    int fileError = 0;
    DictionaryHandle dictionary = dictionaryFolder.empty()
        ? nullptr
        : openDictionaryFile(paths::dictionaryFile(dictionaryFolder), false, &fileError);
    if (!dictionary) {
        data.statusReading = StatusReading::NoDictionary;
        return data;
    }
    DictionaryStatistics main, category;
    if (collectDictionaryStatistics(*dictionary, Table::Main, main)
        && collectDictionaryStatistics(*dictionary, Table::Category, category))
        data.statuses = userStatusCounts(main, category, user);
    else
        data.statusReading = StatusReading::Damaged;
    CloseDictionary(dictionary);
    return data;
}

} // namespace quorvel
