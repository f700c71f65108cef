// The review schedule: its box rules, calendar days in local time, several weeks of reviews on a
// fake clock, the order in which due words come, and its file (round trip, missing, damaged,
// never written over).

#include "review/review_file.h"
#include "review/review_schedule.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::time_t kDay = 24 * 60 * 60;
// 2025-12-10 00:00 UTC.
constexpr std::time_t kMidnight = 1765324800;

// Days are local calendar days: each test names the time zone it reckons in.
void useTimeZone(const char* zone)
{
    ::setenv("TZ", zone, 1);
    ::tzset();
}

TEST(ReviewSchedule, BoxRules)
{
    useTimeZone("UTC");
    // Each row: a word in `box`, answered `right` once it is due (or `early`, an hour before).
    struct Case
    {
        int box;
        bool right;
        bool early;
        ReviewOutcome outcome;
        int boxAfter; // 0: out of the schedule
    };
    const Case cases[] = {
        { 1, true, false, ReviewOutcome::MovedUp, 2 },
        { 4, true, false, ReviewOutcome::MovedUp, 5 },
        { 5, true, false, ReviewOutcome::Left, 0 },
        { 1, false, false, ReviewOutcome::BackToFirstBox, 1 },
        { 3, false, false, ReviewOutcome::BackToFirstBox, 1 },
        { 5, false, false, ReviewOutcome::BackToFirstBox, 1 },
        // Right before it is due does not count; wrong always does.
        { 2, true, true, ReviewOutcome::NotDue, 2 },
        { 5, true, true, ReviewOutcome::NotDue, 5 },
        { 4, false, true, ReviewOutcome::BackToFirstBox, 1 },
    };
    const int intervals[] = { 1, 2, 4, 8, 16 };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            testing::Message() << "box " << c.box << " right " << c.right << " early " << c.early);
        const std::time_t entered = 1000 * kDay;
        ReviewSchedule s;
        ASSERT_TRUE(s.restore("cat", c.box, entered));
        const ReviewEntry* before = s.find("CAT");
        ASSERT_NE(before, nullptr);
        EXPECT_EQ(before->due, entered + intervals[c.box - 1] * kDay);
        const std::time_t when = before->due + (c.early ? -3600 : 0);
        EXPECT_EQ(s.reviewAnswered("Cat", c.right, when), c.outcome);
        const ReviewEntry* after = s.find("CAT");
        if (c.boxAfter == 0) {
            EXPECT_EQ(after, nullptr);
            continue;
        }
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(after->box, c.boxAfter);
        // A word that moved entered its new box at the answer; one that stayed keeps its time.
        const bool moved = c.outcome != ReviewOutcome::NotDue;
        EXPECT_EQ(after->enteredBox, moved ? when : entered);
        // Due from the UTC midnight that many days after the day it entered the box.
        EXPECT_EQ(after->due, (after->enteredBox / kDay + intervals[c.boxAfter - 1]) * kDay);
    }
}

// A word is due from local midnight of the day its interval ends, whatever the hour it entered
// its box, and across a change to or from summer time.
TEST(ReviewSchedule, DueFromTheStartOfALocalDay)
{
    struct Case
    {
        const char* zone;
        std::time_t entered;
        int box;
        std::time_t due;
    };
    const Case cases[] = {
        // 17:00 on 10 December: due from midnight, so at 16:00 the next day it is due.
        { "UTC", kMidnight + 17 * 3600, 1, kMidnight + kDay },
        { "UTC", kMidnight + 17 * 3600, 5, kMidnight + 16 * kDay },
        { "UTC", kMidnight, 3, kMidnight + 4 * kDay },
        { "UTC", kMidnight + kDay - 1, 1, kMidnight + kDay },
        // Seven hours west of UTC, 17:00 local is 00:00 UTC the next day.
        { "MST7", kMidnight + kDay, 1, kMidnight + kDay + 7 * 3600 },
        // London, 28 March 2026 17:00 GMT; summer time begins on the 29th at 01:00 GMT.
        { "Europe/London", 1774717200, 1, 1774742400 }, // 29th 00:00 GMT
        { "Europe/London", 1774717200, 2, 1774825200 }, // 30th 00:00 BST, 23:00 GMT the 29th
        // 24 October 2026 17:00 BST; summer time ends on the 25th at 01:00 GMT.
        { "Europe/London", 1792857600, 1, 1792882800 }, // 25th 00:00 BST
        { "Europe/London", 1792857600, 2, 1792972800 }, // 26th 00:00 GMT
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.entered << " box " << c.box);
        useTimeZone(c.zone);
        ReviewSchedule s;
        ASSERT_TRUE(s.restore("CAT", c.box, c.entered));
        EXPECT_EQ(s.find("CAT")->due, c.due);
        EXPECT_EQ(s.dueCount(c.due - 1), 0u);
        EXPECT_EQ(s.dueCount(c.due), 1u);
    }
    useTimeZone("UTC");
}

TEST(ReviewSchedule, WordsThatCannotBeScheduled)
{
    ReviewSchedule s;
    EXPECT_FALSE(s.wordFailed("", 0));
    EXPECT_FALSE(s.wordFailed("TWO WORDS", 0));
    EXPECT_FALSE(s.wordFailed(std::string(41, 'A'), 0));
    EXPECT_TRUE(s.wordFailed(std::string(40, 'a'), 0));
    EXPECT_FALSE(s.restore("CAT", 0, 0));
    EXPECT_FALSE(s.restore("CAT", 6, 0));
    EXPECT_FALSE(s.restore("CAT", 1, -1));
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.reviewAnswered("DOG", true, 10 * kDay), ReviewOutcome::NotScheduled);
}

// Two words over six weeks, reviewed on the days they fall due, as a user would meet them.
TEST(ReviewSchedule, SeveralWeeksOnAFakeClock)
{
    useTimeZone("UTC");
    FakeClock clock;
    // Drills at 17:00, except the first review, at 16:00.
    const std::time_t start = kMidnight + 17 * 3600;
    auto day = [&](int n) {
        clock.setNow(start + n * kDay);
        return clock.now();
    };
    auto midnight = [](int n) { return kMidnight + n * kDay; };
    ReviewSchedule s;
    auto dueWords = [&](std::time_t now) {
        std::vector<std::string> words;
        for (const ReviewEntry& e : s.due(now))
            words.push_back(e.word);
        return words;
    };
    ASSERT_TRUE(s.wordFailed("CAT", day(0)));
    ASSERT_TRUE(s.wordFailed("DOG", day(0)));
    EXPECT_EQ(s.dueCount(day(0)), 0u);

    // Day 1 at 16:00, not yet 24 hours on: both due; CAT right (box 2, due day 3), DOG wrong
    // (box 1, due day 2).
    EXPECT_EQ(dueWords(day(1) - 3600), (std::vector<std::string> { "CAT", "DOG" }));
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(1)), ReviewOutcome::MovedUp);
    EXPECT_EQ(s.reviewAnswered("DOG", false, day(1)), ReviewOutcome::BackToFirstBox);
    EXPECT_EQ(s.dueCount(day(1)), 0u);
    EXPECT_EQ(dueWords(day(2)), (std::vector<std::string> { "DOG" }));
    EXPECT_EQ(s.reviewAnswered("DOG", true, day(2)), ReviewOutcome::MovedUp); // box 2, due 4

    // CAT climbs on its due days: 3 (box 3, due 7), 7 (box 4, due 15), 15 (box 5, due 31).
    EXPECT_EQ(dueWords(day(3)), (std::vector<std::string> { "CAT" }));
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(3)), ReviewOutcome::MovedUp);
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(6)), ReviewOutcome::NotDue);
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(7)), ReviewOutcome::MovedUp);
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(15)), ReviewOutcome::MovedUp);
    EXPECT_EQ(s.find("CAT")->box, 5);
    EXPECT_EQ(s.find("CAT")->due, midnight(31));

    // DOG was not reviewed on day 4 and waits, overdue, until day 10; then wrong again.
    EXPECT_EQ(dueWords(day(10)), (std::vector<std::string> { "DOG" }));
    EXPECT_EQ(s.reviewAnswered("DOG", false, day(10)), ReviewOutcome::BackToFirstBox);
    // Failed in a drill on day 12 while still in box 1: due a day after that failure.
    ASSERT_TRUE(s.wordFailed("dog", day(12)));
    EXPECT_EQ(s.find("DOG")->due, midnight(13));

    // Day 31: CAT right in box 5 leaves; DOG (due since day 13) is still there.
    EXPECT_EQ(dueWords(day(31)), (std::vector<std::string> { "DOG", "CAT" }));
    EXPECT_EQ(s.reviewAnswered("CAT", true, day(31)), ReviewOutcome::Left);
    EXPECT_EQ(s.find("CAT"), nullptr);
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.dueCount(day(42)), 1u);
}

TEST(ReviewSchedule, DueOrderForgetAndSweep)
{
    useTimeZone("UTC");
    ReviewSchedule s;
    ASSERT_TRUE(s.restore("PEAR", 3, 0)); // due day 4
    ASSERT_TRUE(s.restore("APPLE", 1, 2 * kDay)); // due day 3
    ASSERT_TRUE(s.restore("FIG", 2, kDay)); // due day 3
    ASSERT_TRUE(s.restore("LIME", 1, 9 * kDay)); // due day 10
    std::vector<std::string> order;
    for (const ReviewEntry& e : s.due(4 * kDay))
        order.push_back(e.word);
    // Longest overdue first; the same moment in alphabetical order; LIME not yet.
    EXPECT_EQ(order, (std::vector<std::string> { "APPLE", "FIG", "PEAR" }));
    EXPECT_EQ(s.dueCount(4 * kDay), 3u);
    EXPECT_EQ(s.dueCount(3 * kDay - 1), 0u);

    EXPECT_TRUE(s.forget("fig"));
    EXPECT_FALSE(s.forget("FIG"));
    EXPECT_EQ(s.dueCount(4 * kDay), 2u);
    EXPECT_EQ(s.keepOnly([](const std::string& w) { return w != "PEAR" && w != "LIME"; }), 2u);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NE(s.find("APPLE"), nullptr);
}

TEST(ReviewFile, RoundTripAndMissingFile)
{
    TempFolder folder;
    ReviewSchedule loaded;
    // No progdata folder, then no file: both an empty schedule.
    ASSERT_TRUE(loadReviewSchedule(folder.path(), 3, loaded).ok());
    folder.makeProgdata();
    ASSERT_TRUE(loadReviewSchedule(folder.path(), 3, loaded).ok());
    EXPECT_TRUE(loaded.empty());

    ReviewSchedule s;
    ASSERT_TRUE(s.restore("CAT", 5, 1765375385));
    ASSERT_TRUE(s.restore("DOG", 1, 1765375385 + kDay));
    ASSERT_TRUE(s.restore("EMU", 3, 0));
    ASSERT_TRUE(saveReviewSchedule(folder.path(), 3, s).ok());
    EXPECT_EQ(reviewFilePath(folder.path(), 3), folder.file("progdata/review3.json"));
    EXPECT_TRUE(fileExists(folder.file("progdata/review3.json")));
    EXPECT_FALSE(fileExists(folder.file("progdata/review4.json")));

    ASSERT_TRUE(s.wordFailed("OWL", 1765375385));
    ASSERT_TRUE(saveReviewSchedule(folder.path(), 3, s).ok()); // over its own earlier save
    ASSERT_TRUE(loadReviewSchedule(folder.path(), 3, loaded).ok());
    EXPECT_EQ(loaded, s);
    EXPECT_EQ(loaded.size(), 4u);

    // A save that cannot be made (no progdata folder) says so.
    TempFolder bare;
    const ReviewFileResult failed = saveReviewSchedule(bare.path(), 0, s);
    EXPECT_EQ(failed.status, ReviewFileStatus::WriteFailed);
    EXPECT_NE(failed.fileError, 0);
    EXPECT_NE(reviewFileMessage(failed, reviewFilePath(bare.path(), 0))
                  .find("Unable to save the review schedule "),
        std::string::npos);
}

// Files that are not a schedule this program can use: loading says what is wrong and gives an
// empty schedule; saving leaves the file byte for byte.
TEST(ReviewFile, DamagedFilesAreReportedAndKept)
{
    struct Case
    {
        const char* name;
        std::string text;
        ReviewFileStatus status;
        const char* detail; // part of the message
    };
    const std::string word = R"({"word": "CAT", "box": 2, "entered": 100})";
    const Case cases[] = {
        { "truncated", R"({"version": 1, "words": [)", ReviewFileStatus::Damaged,
            "not a JSON object" },
        { "an array", "[1, 2]", ReviewFileStatus::Damaged, "not a JSON object" },
        { "no version", R"({"words": []})", ReviewFileStatus::Damaged, "no version number" },
        { "no words", R"({"version": 1})", ReviewFileStatus::Damaged, "no list of words" },
        { "box 6", R"({"version": 1, "words": [{"word": "CAT", "box": 6, "entered": 0}]})",
            ReviewFileStatus::Damaged, "entry 1 is not" },
        { "half a box", R"({"version": 1, "words": [{"word": "CAT", "box": 1.5, "entered": 0}]})",
            ReviewFileStatus::Damaged, "entry 1 is not" },
        { "no time", R"({"version": 1, "words": [{"word": "CAT", "box": 1}]})",
            ReviewFileStatus::Damaged, "entry 1 is not" },
        { "a space in the word",
            R"({"version": 1, "words": [{"word": "A B", "box": 1, "entered": 0}]})",
            ReviewFileStatus::Damaged, "entry 1 is not" },
        { "twice", R"({"version": 1, "words": [)" + word + ", " + word + "]}",
            ReviewFileStatus::Damaged, "the word CAT is there twice" },
        { "newer", R"({"version": 2, "words": []})", ReviewFileStatus::NewerVersion,
            "newer version" },
        { "oversized", std::string(kReviewFileMaxBytes + 1, ' '), ReviewFileStatus::Oversized,
            "too large" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.makeProgdata();
        const std::string path = folder.file("progdata/review0.json");
        const std::vector<std::uint8_t> bytes(c.text.begin(), c.text.end());
        writeBytes(path, bytes);

        ReviewSchedule s;
        ASSERT_TRUE(s.restore("OLD", 1, 0));
        const ReviewFileResult loaded = loadReviewSchedule(folder.path(), 0, s);
        EXPECT_EQ(loaded.status, c.status);
        EXPECT_TRUE(s.empty());
        const std::string message = reviewFileMessage(loaded, path);
        EXPECT_NE(message.find(c.detail), std::string::npos) << message;
        EXPECT_EQ(message.rfind(path, 0), 0u) << message;

        ASSERT_TRUE(s.wordFailed("NEW", 0));
        EXPECT_EQ(saveReviewSchedule(folder.path(), 0, s).status, c.status);
        EXPECT_EQ(readBytes(path), bytes);
    }
}

} // namespace
