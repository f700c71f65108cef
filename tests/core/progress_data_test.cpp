// What the Progress window draws: a point per drill from the history records, the user's word
// status from the dictionary, and what a missing or damaged file gives.

#include "platform/paths.h"
#include "reports/progress_data.h"
#include "support/dictionary_test_support.h"
#include "support/progress_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>

namespace quorvel::test {
namespace {

// Dates in the files are local time: the zone is fixed so that they read the same everywhere.
class ProgressDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
};

constexpr std::time_t kStart = 1765375385; // Wed Dec 10 14:03:05 2025 UTC

HistoryRecord record(int words, int correct, int level, std::time_t when, bool automatic = false)
{
    HistoryRecord r;
    r.summary = drillSummary(words, correct, level, automatic);
    r.date = classicDateText(when);
    return r;
}

ProgressPoint point(int words, int correct, int percent, int level, std::time_t when,
    bool automatic = false, int levelAfter = -1)
{
    ProgressPoint p;
    p.when = when;
    p.words = words;
    p.correct = correct;
    p.scorePercent = percent;
    p.level = level;
    p.levelAfter = levelAfter < 0 ? level : levelAfter;
    p.automatic = automatic;
    p.listType = 1;
    return p;
}

TEST_F(ProgressDataTest, RecordsBecomePoints)
{
    const std::time_t t = kStart;
    const std::time_t day = 86400;
    HistoryRecord badDate = record(10, 5, 1, t);
    badDate.date = "not a date";
    HistoryRecord levelOutOfRange = record(4, 4, 1, t);
    levelOutOfRange.summary.level = 7;

    struct Case
    {
        const char* name;
        std::vector<HistoryRecord> records;
        std::vector<ProgressPoint> points;
        int leftOut;
    };
    const Case cases[] = {
        { "empty records are skipped, scores round down",
            { HistoryRecord {}, record(3, 2, 1, t), HistoryRecord {}, record(10, 10, 2, t + day) },
            { point(3, 2, 66, 1, t), point(10, 10, 100, 2, t + day) }, 0 },
        // Worked out as (100 / 97) x 97 in floating point this is 99: a perfect list must be 100.
        { "a perfect long list is 100 percent", { record(97, 97, 3, t) },
            { point(97, 97, 100, 3, t) }, 0 },
        { "more right than words, or no date, cannot be drawn",
            { record(5, 6, 1, t), badDate, record(5, 0, 1, t + day) },
            { point(5, 0, 0, 1, t + day) }, 2 },
        { "a level out of range is no level", { levelOutOfRange }, { point(4, 4, 100, 0, t) }, 0 },
        // An automatic drill leaves a record before and one after the promotion: one point, at
        // the level it was spelt at, noting the level after. The next drill's pair is its own.
        { "an automatic drill's two records are one point",
            { record(10, 10, 1, t, true), record(10, 10, 2, t + 2, true),
                record(10, 10, 2, t + 60, true), record(10, 10, 2, t + 61, true) },
            { point(10, 10, 100, 1, t, true, 2), point(10, 10, 100, 2, t + 60, true) }, 0 },
        { "records unlike a pair stay apart",
            { record(10, 10, 1, t), record(10, 10, 1, t + 1), // manual drills
                record(10, 9, 1, t + 100, true), record(10, 8, 1, t + 101, true), // other score
                record(5, 5, 1, t + 200, true), record(5, 5, 1, t + 260, true) }, // a minute apart
            { point(10, 10, 100, 1, t), point(10, 10, 100, 1, t + 1),
                point(10, 9, 90, 1, t + 100, true), point(10, 8, 80, 1, t + 101, true),
                point(5, 5, 100, 1, t + 200, true), point(5, 5, 100, 1, t + 260, true) },
            0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int leftOut = -1;
        EXPECT_EQ(progressPoints(c.records, leftOut), c.points);
        EXPECT_EQ(leftOut, c.leftOut);
    }
}

TEST_F(ProgressDataTest, ClassicDatesAreReadStrictly)
{
    std::int64_t when = 0;
    ASSERT_TRUE(parseClassicDate("Wed Dec 10 14:03:05 2025\n", when));
    EXPECT_EQ(when, kStart);
    ASSERT_TRUE(parseClassicDate("Thu Jan  1 00:00:00 1970\n", when));
    EXPECT_EQ(when, 0);
    for (const char* bad : { "", "Wed Dec 10 14:03:05", "Wed Dec 10 14:03:05 2025 extra",
             "Wed Foo 10 14:03:05 2025", "Wed Feb 30 14:03:05 2025", "Wed Dec 10 25:03:05 2025",
             "Wed Dec 10 14:03 2025", "drill 1" }) {
        EXPECT_FALSE(parseClassicDate(bad, when)) << bad;
    }
}

// The fixture: user 2's history of four drills in a ring of five, the dictionary with user 2's
// status apart from everyone else's. Each test, and each case of a table, has a folder of its own.
struct Installation
{
    Installation()
    {
        folder.makeProgdata();
        writeHistory(folder.path(), 2, 5,
            { { drillSummary(10, 4, 1), kStart }, { drillSummary(10, 7, 1), kStart + 3600 },
                { drillSummary(12, 12, 2), kStart + 7200 },
                { drillSummary(8, 2, 2), kStart + 10800 } });
        writeStatusDictionary(folder.path());
    }

    std::string historyPath() const { return paths::historyFile(folder.path(), '2'); }
    std::string dictionaryPath() const { return paths::dictionaryFile(folder.path()); }
    ProgressData read(int user = 2) const
    {
        return readProgress(folder.path(), folder.path(), user);
    }

    TempFolder folder;
};

std::vector<int> scores(const ProgressData& data)
{
    std::vector<int> out;
    for (const ProgressPoint& p : data.points)
        out.push_back(p.scorePercent);
    return out;
}

TEST_F(ProgressDataTest, ReadsTheUsersDrillsAndStatusAndChangesNothing)
{
    const Installation in;
    const Bytes history = readBytes(in.historyPath());
    const Bytes dictionary = readBytes(in.dictionaryPath());
    const ProgressData data = in.read();
    EXPECT_EQ(data.history, HistoryReading::Complete);
    EXPECT_EQ(scores(data), (std::vector<int> { 40, 70, 100, 25 }));
    EXPECT_EQ(data.points[2].level, 2);
    EXPECT_EQ(data.points[3].when, kStart + 10800);
    EXPECT_EQ(data.leftOut, 0);
    EXPECT_EQ(data.statusReading, StatusReading::Complete);
    EXPECT_EQ(data.statuses, kStatusesOfUser2);
    EXPECT_EQ(in.read(0).statuses, kStatusesOfUser0);
    EXPECT_EQ(readBytes(in.historyPath()), history);
    EXPECT_EQ(readBytes(in.dictionaryPath()), dictionary);
}

TEST_F(ProgressDataTest, DamagedOrMissingFilesGiveWhatCouldBeReadAndSaySo)
{
    struct Case
    {
        const char* name;
        std::function<void(const Installation&)> damage;
        HistoryReading history;
        std::vector<int> scores;
        StatusReading statuses;
    };
    const Case cases[] = {
        // The ring as written: blocks 1..4 hold the drills, block 5 is empty and oldest.
        { "a link of the ring points outside the file",
            [](const Installation& in) { setHistoryLink(in.historyPath(), 2, 56 * 40); },
            HistoryReading::Damaged, { 40, 70 }, StatusReading::Complete },
        { "a link of the ring comes back round early",
            [](const Installation& in) { setHistoryLink(in.historyPath(), 3, 56 * 5); },
            HistoryReading::Damaged, { 40, 70, 100 }, StatusReading::Complete },
        { "the header claims more records than a file may hold",
            [](const Installation& in) {
                Bytes bytes = readBytes(in.historyPath());
                bytes[0] = 61;
                writeBytes(in.historyPath(), bytes);
            },
            HistoryReading::Oversized, { 40, 70, 100, 25 }, StatusReading::Complete },
        { "a file too short for its header",
            [](const Installation& in) { writeBytes(in.historyPath(), Bytes(20, 0)); },
            HistoryReading::Unreadable, {}, StatusReading::Complete },
        { "no history file", [](const Installation& in) { std::remove(in.historyPath().c_str()); },
            HistoryReading::NoFile, {}, StatusReading::Complete },
        { "no dictionary", [](const Installation& in) { std::remove(in.dictionaryPath().c_str()); },
            HistoryReading::Complete, { 40, 70, 100, 25 }, StatusReading::NoDictionary },
        { "a dictionary chain that leads outside the file",
            [](const Installation& in) {
                Bytes bytes = readBytes(in.dictionaryPath());
                putU32(bytes, kCategoryTable + slotOf("ZEBRA"), 0x00FFFFF0);
                writeBytes(in.dictionaryPath(), bytes);
            },
            HistoryReading::Complete, { 40, 70, 100, 25 }, StatusReading::Damaged },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Installation in;
        c.damage(in);
        const Bytes history = fileExists(in.historyPath()) ? readBytes(in.historyPath()) : Bytes {};
        const ProgressData data = in.read();
        EXPECT_EQ(data.history, c.history);
        EXPECT_EQ(scores(data), c.scores);
        EXPECT_EQ(data.statusReading, c.statuses);
        // Counts from a pass that could not finish would be too low: none are given.
        if (c.statuses != StatusReading::Complete)
            EXPECT_EQ(data.statuses, (StatusCounts {}));
        else
            EXPECT_EQ(data.statuses, kStatusesOfUser2);
        EXPECT_EQ(fileExists(in.historyPath()) ? readBytes(in.historyPath()) : Bytes {}, history);
    }
}

} // namespace
} // namespace quorvel::test
