// The statistics window's reports: each report's lines for a small history, word list and
// dictionary; dates in UK and US order; what each report does with a missing or damaged file;
// the saved report file.

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "history/history_file.h"
#include "platform/paths.h"
#include "reports/reports.h"
#include "strings/report_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace quorvel::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kRule(77, '_');
const std::string kFreePair = "Free                    =    0  Free                    =    0  ";

// Compares line by line, so that a failure names the first line that differs.
void expectLines(const Lines& actual, const Lines& expected)
{
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    EXPECT_EQ(actual.size(), expected.size());
}

// Saturday 5 December 2026, 14:03:05 UTC, and the drills of the history fixture.
constexpr std::time_t kNow = 1796479385;
constexpr std::time_t kTuesday0905 = 1796115900;
constexpr std::time_t kWednesday1830 = 1796236200;
constexpr std::time_t kWednesday2000 = 1796241600;
constexpr std::time_t kThursday0700 = 1796281200;

// A dictionary of seven words: four in the main table, three in categories, one of them 37
// letters long and one with a stored language of 0.
const std::string kLongWord = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJK";
std::vector<DictionaryEntry> fixtureWords()
{
    return {
        entry("AARDVARK", 0, 1, 1),
        entry("CAT", 0, 1, 2),
        entry("CATS", 0, 1, 0),
        entry("ZZZ", 0, 1, 3),
        entry("BEAR", 5, 1, 3),
        entry("DEAR", 9, 1, 1),
        entry(kLongWord, 12, 1, 2),
    };
}

class ReportsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // History dates are local time: fix the zone so that they are the same everywhere.
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        clock.setNow(kNow);
        FillStartupDefaults(info, dictionary.folder());
        info.setDataFolder(dictionary.folder());
        info.setDictionaryFolder(dictionary.folder());
        const char* names[]
            = { "Alice", "Bob", "Carol", "Dave", "Eve", "Fay", "Gus", "Hal", "Ivy", "Jo" };
        for (int u = 0; u < 10; ++u)
            info.setUserName(u, names[u]);
        for (int slot = 0; slot < 64; ++slot)
            info.setCategoryName(slot, "Free");
        info.setCategoryName(0, "Main Dictionary");
        info.setCategoryName(5, "Chemistry");
        info.setCategoryName(9, "Countries");
        // 26 characters: wider than its column, so nothing pads it.
        info.setCategoryName(12, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        setLanguage(0, Language::UK);
        setLanguage(1, Language::US);
    }

    void setLanguage(int user, Language language)
    {
        ListOptions options = ListOptions::read(info, user);
        options.language = language;
        options.write(info, user);
    }

    void setStatus(const std::string& word, int user, int status)
    {
        DictionaryHandle file = dictionary.open();
        ASSERT_TRUE(file);
        CurrentWordInfo current;
        std::uint32_t offset = 0;
        const FindResult found = FindWord(*file, word, current, &offset);
        ASSERT_TRUE(found == FindResult::InMain || found == FindResult::InCategory) << word;
        ASSERT_TRUE(LoadWordInfo(*file, offset, current));
        current.setStatus(user, static_cast<std::uint16_t>(status));
        ASSERT_TRUE(StoreWordInfo(*file, offset, current));
        ASSERT_TRUE(CloseDictionary(file));
    }

    std::string historyPath(int user) const
    {
        return paths::historyFile(dictionary.folder(), static_cast<char>('0' + user));
    }

    // User 0's history: a ring of five records, four of them written (one with no words) after
    // the ring was made; the oldest record is the one never written.
    void writeHistory()
    {
        ASSERT_TRUE(GenerateHistoryFile(dictionary.folder(), 5, 0, clock));
        auto file = HistoryFile::open(dictionary.folder(), 0, OpenMode::ReadWrite);
        ASSERT_TRUE(file);
        auto append = [&](std::time_t when, HistorySummary s) {
            clock.setNow(when);
            ASSERT_TRUE(file->append(s, {}, false, clock));
        };
        // auto, words, correct, min, max, percent, list type, level
        append(kTuesday0905, { 0, 10, 7, 4, 6, 40, 1, 1 });
        append(kWednesday1830, { 1, 10, 10, 4, 12, 100, 4, 3 });
        append(kWednesday2000, { 0, 0, 0, 3, 5, 50, 1, 1 });
        append(kThursday0700, { 0, 5, 3, 10, 37, 60, 9, 0 });
        ASSERT_TRUE(file->close());
        clock.setNow(kNow);
    }

    DictionaryOnDisk dictionary { buildDictionaryImage(fixtureWords()) };
    StartupInfo info;
    FakeClock clock;
};

// Dates as reports show them: the day of the month always in two digits (the C library gives a
// blank before a single digit), the full day name in a column of ten, names of a damaged date
// kept as they are rather than guessed.
TEST(ReportDates, DayAndMonthOrderFollowTheUsersEnglish)
{
    const struct
    {
        const char* source;
        bool withDay;
        Language language;
        const char* shown;
    } cases[] = {
        { "Sat Dec  5 14:03:05 2026\n", true, Language::UK, "Saturday  05 Dec 14:03 2026" },
        { "Sat Dec  5 14:03:05 2026\n", true, Language::US, "Saturday  Dec 05 14:03 2026" },
        { "Sat Dec  5 14:03:05 2026\n", false, Language::UK, "05 December 2026" },
        { "Sat Dec  5 14:03:05 2026\n", false, Language::US, "December 05 2026" },
        { "Wed Sep 30 09:15:59 2026\n", true, Language::UK, "Wednesday 30 Sep 09:15 2026" },
        { "Thu Jan 01 00:00:00 1970\n", false, Language::US, "January 01 1970" },
        { "Sun May 17 23:59:00 2026", false, Language::UK, "17 May 2026" },
        { "Xyz Abc 12 10:00:00 2026\n", true, Language::UK, "Xyz       12 Abc 10:00 2026" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(c.source, c.withDay, c.language), c.shown) << c.source;
    // Whatever the date text holds, the result stays inside its column.
    for (const char* damaged : { "", "Sat", "\n", "Sat Dec 05 14:03:05 2026 and more text" })
        EXPECT_LE(DateText(damaged, true, Language::UK).size(), 33u) << damaged;
}

TEST(ReportDates, ClockDateOfASingleDigitDay)
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(DateText(classicDateText(kNow), false, Language::UK), "05 December 2026");
}

TEST_F(ReportsTest, HistoryReportListsEveryDrillOldestFirst)
{
    writeHistory();
    const ReportResult r = historyReport(info, 0, Language::UK, clock);
    ASSERT_EQ(r.status, ReportStatus::Complete) << r.message;
    // The record never written and the one with no words are skipped. Padding: 7 of 10 at 40%
    // has three blanks before the 7 and a blank after the slash; 10 of 10 at 100% has two
    // blanks before each 10 and before the 100; letters below 10 get one more blank.
    const Lines expected {
        kRule,
        "History Report for Alice      Dated 05 December 2026",
        "",
        kRule,
        "Date                          Score    Level  Difficulty    Min  Max   Type      ",
        kRule,
        "Tuesday   01 Dec 09:05 2026   7 / 10   40% at Elementary      4    6   Random     ",
        "Wednesday 02 Dec 18:30 2026  10 / 10  100% at Advanced        4   12   Errors only",
        "Thursday  03 Dec 07:00 2026   3 /  5   60% at No Level       10   37   No type    ",
        "_________________________________ End Report ________________________________",
        "",
        "",
    };
    expectLines(r.report.lines(), expected);
}

// The selected history report is another user's history in the current user's date order.
TEST_F(ReportsTest, SelectedHistoryIsDatedInTheCurrentUsersOrder)
{
    writeHistory();
    const ReportResult r
        = makeReport(info, { ReportKind::SelectedHistory, 1, 0 }, clock, /*progress*/ {});
    ASSERT_EQ(r.status, ReportStatus::Complete) << r.message;
    const Lines lines = r.report.lines();
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[1], "History Report for Alice      Dated December 05 2026");
    EXPECT_EQ(lines[6].substr(0, 28), "Tuesday   Dec 01 09:05 2026 ");

    // The current user's own history: user 1 has none.
    const ReportResult own = makeReport(info, { ReportKind::History, 1, 0 }, clock);
    EXPECT_EQ(own.status, ReportStatus::Unavailable);
    EXPECT_EQ(own.message, "Unable to read the history file of Bob.");
    EXPECT_TRUE(own.report.empty());
}

TEST_F(ReportsTest, HistoryReportStopsAtADamagedRecordAndRefusesAnOversizedFile)
{
    writeHistory();
    const Bytes good = readBytes(historyPath(0));

    // The second drill's link leads outside the file: its line is the last one, and the closing
    // rule is not there to make the report look whole.
    Bytes damaged = good;
    putU32(damaged, 2 * kHistoryBlockSize + 52, 99999);
    writeBytes(historyPath(0), damaged);
    ReportResult r = historyReport(info, 0, Language::UK, clock);
    EXPECT_EQ(r.status, ReportStatus::Cut);
    EXPECT_EQ(r.message,
        "The history file of Alice is damaged: the report ends at the last drill that could be "
        "read.");
    EXPECT_EQ(r.caption, strings::kWarning);
    Lines lines = r.report.lines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[7].substr(0, 10), "Wednesday ");
    EXPECT_EQ(lines[8], "");

    // A ring whose link comes back to a record already read is not read round again.
    damaged = good;
    putU32(damaged, 2 * kHistoryBlockSize + 52, kHistoryBlockSize);
    writeBytes(historyPath(0), damaged);
    r = historyReport(info, 0, Language::UK, clock);
    EXPECT_EQ(r.status, ReportStatus::Cut);
    EXPECT_EQ(r.report.lines().size(), 9u);

    // More records than a history file may hold: nothing is read from it.
    damaged = good;
    damaged[0] = 61;
    writeBytes(historyPath(0), damaged);
    r = historyReport(info, 0, Language::UK, clock);
    EXPECT_EQ(r.status, ReportStatus::Unavailable);
    EXPECT_EQ(r.message, strings::kHistoryTooManyRecords);
    EXPECT_TRUE(r.report.empty());

    // Too short to hold its header.
    writeBytes(historyPath(0), Bytes(20, 0));
    EXPECT_EQ(historyReport(info, 0, Language::UK, clock).status, ReportStatus::Unavailable);
}

class LastListTest : public ReportsTest
{
protected:
    static std::vector<WordFileRecord> threeWords()
    {
        std::vector<WordFileRecord> records(3);
        records[0].word = "CAT";
        records[0].answer = "CAT";
        records[0].result = 1;
        records[1].word = "ELEPHANT";
        records[1].answer = "ELEFANT";
        records[1].attempts = 2;
        // Longer than its column: no blanks after it but the one the line puts there.
        records[2].word = "PNEUMONOULTRAMICROSCOPICSILICO";
        records[2].answer = "PNEUMONOULTRAMICROSCOPICSILIC";
        records[2].attempts = 1;
        return records;
    }
    void saveList(int state)
    {
        WordListImage list;
        if (state != ListState::kNone)
            list = { threeWords(), state, kMainTable, 3, 1 };
        ASSERT_TRUE(saveWordList(dictionary.folder(), 0, list));
    }
    std::string wordFilePath() const { return paths::wordFile(dictionary.folder(), '0'); }
};

TEST_F(LastListTest, WordsAloneAndWithTheLastAnswers)
{
    saveList(ListState::kSpeltOnce);
    ReportResult r = lastListReport(dictionary.folder(), 0, false);
    ASSERT_EQ(r.status, ReportStatus::Complete);
    EXPECT_EQ(
        r.report.lines(), (Lines { "CAT", "ELEPHANT", "PNEUMONOULTRAMICROSCOPICSILICO", "" }));

    r = makeReport(info, { ReportKind::LastListWithAttempts, 0, 0 }, clock);
    ASSERT_EQ(r.status, ReportStatus::Complete);
    const Lines expected {
        "Word                          Your Last attempt           Correct     Repeats",
        "CAT                           CAT                            Y          0",
        "ELEPHANT                      ELEFANT                        N          2",
        "PNEUMONOULTRAMICROSCOPICSILICO PNEUMONOULTRAMICROSCOPICSILIC  N          1",
        "",
    };
    expectLines(r.report.lines(), expected);
}

TEST_F(LastListTest, InvalidMissingAndDamagedLists)
{
    // Every state but 1, 2, 4 and 8 says so, in place of the list.
    saveList(ListState::kNone);
    ReportResult r = lastListReport(dictionary.folder(), 0, true);
    EXPECT_EQ(r.status, ReportStatus::InvalidList);
    EXPECT_EQ(r.report.lines(), Lines { "Your last list was Invalid!" });

    saveList(ListState::kFreshWindow);
    Bytes bytes = readBytes(wordFilePath());
    bytes[4] = 3;
    writeBytes(wordFilePath(), bytes);
    EXPECT_EQ(lastListReport(dictionary.folder(), 0, false).status, ReportStatus::InvalidList);

    // The first record's link leads outside the file: the list ends after it, and says why.
    bytes[4] = ListState::kFreshWindow;
    putU32(bytes, kWordFileHeaderSize + 102, 0x7FFFFFFF);
    writeBytes(wordFilePath(), bytes);
    r = lastListReport(dictionary.folder(), 0, false);
    EXPECT_EQ(r.status, ReportStatus::Cut);
    EXPECT_EQ(r.report.lines(), (Lines { "CAT", "" }));
    EXPECT_EQ(r.message, strings::kLastListDamaged);

    // No word file for this user, and one too short for its header.
    r = lastListReport(dictionary.folder(), 4, false);
    EXPECT_EQ(r.status, ReportStatus::Unavailable);
    EXPECT_EQ(r.message, strings::kLastListUnreadable);
    writeBytes(wordFilePath(), Bytes(10, 1));
    EXPECT_EQ(lastListReport(dictionary.folder(), 0, false).status, ReportStatus::Unavailable);
}

class DictionaryReportTest : public ReportsTest
{
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        setStatus("CAT", 0, 0); // Alice failed CAT (main table)
        setStatus("BEAR", 0, 3); // and mastered BEAR (category table)
        setStatus("AARDVARK", 2, 2); // Carol succeeded with AARDVARK
    }

    ReportResult report(ReportKind kind, int currentUser)
    {
        std::vector<std::string> shown;
        ReportResult r = makeReport(info, { kind, currentUser, 0 }, clock,
            [&](std::string_view text) { shown.emplace_back(text); });
        if (r) {
            EXPECT_EQ(shown,
                (Lines { strings::kReportWorking, strings::kCollectingMain,
                    strings::kCollectingCategories }));
        }
        return r;
    }

    static Lines header(const char* date)
    {
        return {
            kRule,
            std::string("Dictionary Report                        Dated  ") + date,
            kRule,
            "Main Dictionary total      =      4",
            "Dictionary category total  =      3",
            "",
            "Users Word status for the whole of the dictionary",
        };
    }

    static Lines categories()
    {
        Lines lines { "", "", "Dictionary Category stats " };
        lines.push_back("Main Dictionary         =    4  Free                    =    0  ");
        lines.push_back(kFreePair);
        lines.push_back("Free                    =    0  Chemistry               =    1  ");
        lines.push_back(kFreePair);
        lines.push_back("Free                    =    0  Countries               =    1  ");
        lines.push_back(kFreePair);
        lines.push_back("ABCDEFGHIJKLMNOPQRSTUVWXYZ=    1  Free                    =    0  ");
        lines.insert(lines.end(), 25, kFreePair);
        return lines;
    }
};

TEST_F(DictionaryReportTest, WholeReport)
{
    const ReportResult r = report(ReportKind::Dictionary, 0);
    ASSERT_EQ(r.status, ReportStatus::Complete) << r.message;
    Lines expected = header("05 December 2026");
    // Each user's counts are those of both tables added.
    const Lines users {
        "Alice",
        "Failed =     1    Default =     5  Success =     0  Mastered =     1",
        "Bob",
        "Failed =     0    Default =     7  Success =     0  Mastered =     0",
        "Carol",
        "Failed =     0    Default =     6  Success =     1  Mastered =     0",
    };
    expected.insert(expected.end(), users.begin(), users.end());
    for (const char* name : { "Dave", "Eve", "Fay", "Gus", "Hal", "Ivy", "Jo" }) {
        expected.push_back(name);
        expected.push_back("Failed =     0    Default =     7  Success =     0  Mastered =     0");
    }
    const Lines cats = categories();
    expected.insert(expected.end(), cats.begin(), cats.end());
    const Lines rest {
        "",
        "Language Status",
        // CATS, stored with language 0, is a word in both Englishes: the three lines add up.
        "English Uk only  =     2",
        "English US only  =     2",
        "In both          =     3",
        "",
        "Number of words per length",
        "   3 =    2    4 =    3    5 =    0    6 =    0    7 =    0    8 =    1 ",
        "   9 =    0   10 =    0   11 =    0   12 =    0   13 =    0   14 =    0 ",
        "  15 =    0   16 =    0   17 =    0   18 =    0   19 =    0   20 =    0 ",
        "  21 =    0   22 =    0   23 =    0   24 =    0   25 =    0   26 =    0 ",
        "  27 =    0   28 =    0   29 =    0   30 =    0   31 =    0   32 =    0 ",
        "  33 =    0   34 =    0   35 =    0   36 =    0   37 =    1 ",
        "",
        "A to Z breakdown ",
        "Main Dictionary = Main.      Categories = Cat",
        "Main=A=   1 Cat=A=  1  Main=B=   0 Cat=B=  1  Main=C=   2 Cat=C=  0",
        "Main=D=   0 Cat=D=  1  Main=E=   0 Cat=E=  0  Main=F=   0 Cat=F=  0",
        "Main=G=   0 Cat=G=  0  Main=H=   0 Cat=H=  0  Main=I=   0 Cat=I=  0",
        "Main=J=   0 Cat=J=  0  Main=K=   0 Cat=K=  0  Main=L=   0 Cat=L=  0",
        "Main=M=   0 Cat=M=  0  Main=N=   0 Cat=N=  0  Main=O=   0 Cat=O=  0",
        "Main=P=   0 Cat=P=  0  Main=Q=   0 Cat=Q=  0  Main=R=   0 Cat=R=  0",
        "Main=S=   0 Cat=S=  0  Main=T=   0 Cat=T=  0  Main=U=   0 Cat=U=  0",
        "Main=V=   0 Cat=V=  0  Main=W=   0 Cat=W=  0  Main=X=   0 Cat=X=  0",
        "Main=Y=   0 Cat=Y=  0  Main=Z=   1 Cat=Z=  0",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    expectLines(r.report.lines(), expected);
}

// A user's dictionary status: that user's line and the categories, nothing after them.
TEST_F(DictionaryReportTest, StatusOfTheCurrentUserOnly)
{
    setLanguage(2, Language::US);
    const ReportResult r = report(ReportKind::DictionaryStatus, 2);
    ASSERT_EQ(r.status, ReportStatus::Complete) << r.message;
    Lines expected = header("December 05 2026");
    expected.push_back("Carol");
    expected.push_back("Failed =     0    Default =     6  Success =     1  Mastered =     0");
    const Lines cats = categories();
    expected.insert(expected.end(), cats.begin(), cats.end());
    expected.push_back("");
    expectLines(r.report.lines(), expected);
}

TEST_F(DictionaryReportTest, EachFailureHasItsMessageAndNoText)
{
    const Bytes good = dictionary.bytes();
    const struct
    {
        std::uint32_t slot; // a bucket slot whose link is made to lead outside the file
        const char* message;
    } cases[] = {
        { kMainTable + slotOf("CAT"), "Unable to find stats file" },
        { kCategoryTable + slotOf("BEAR"), "Unable to collect stats" },
    };
    for (const auto& c : cases) {
        Bytes damaged = good;
        putU32(damaged, c.slot, static_cast<std::uint32_t>(good.size() + 100));
        dictionary.reset(damaged);
        for (ReportKind kind : { ReportKind::Dictionary, ReportKind::DictionaryStatus }) {
            const ReportResult r = report(kind, 0);
            EXPECT_EQ(r.status, ReportStatus::Unavailable);
            EXPECT_EQ(r.message, c.message);
            EXPECT_EQ(r.caption, strings::kWarning);
            EXPECT_TRUE(r.report.empty());
        }
    }
    // A dictionary that cannot be opened.
    info.setDictionaryFolder(dictionary.folder() + "/nowhere");
    const ReportResult r = report(ReportKind::Dictionary, 0);
    EXPECT_EQ(r.status, ReportStatus::Unavailable);
    EXPECT_EQ(r.message, "Unable to open dictionary");
}

TEST_F(ReportsTest, SavedReportIsReadBackAsLastSaved)
{
    // None saved yet: the window shows the line that says so.
    ReportResult r = makeReport(info, { ReportKind::SavedStats, 0, 0 }, clock);
    EXPECT_EQ(r.status, ReportStatus::Unavailable);
    EXPECT_EQ(r.report.lines(), Lines { strings::kNoStatsFile });

    writeHistory();
    const ReportResult history = historyReport(info, 0, Language::UK, clock);
    ASSERT_TRUE(saveStatsFile(dictionary.folder(), history.report.text()));
    EXPECT_EQ(readBytes(paths::join(dictionary.folder(), "statswnd.txt")).size(),
        history.report.text().size());
    r = savedStatsReport(dictionary.folder());
    ASSERT_EQ(r.status, ReportStatus::Complete);
    EXPECT_EQ(r.report.lines(), history.report.lines());

    // Saving another report replaces it; a text saved with bare line feeds reads the same way.
    ASSERT_TRUE(saveStatsFile(dictionary.folder(), "edited\nby hand"));
    EXPECT_EQ(
        savedStatsReport(dictionary.folder()).report.lines(), (Lines { "edited", "by hand" }));
}

} // namespace
} // namespace quorvel::test
