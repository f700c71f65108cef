// The review schedule wired into the drill: failures entering it from any drill, "Review due"
// lists drawn from it (oldest first, only words still in the dictionary), answers moving words
// through the boxes over several weeks on a fake clock, the choice kept in the settings file, the
// status bar's count, a damaged schedule file, and removed words leaving every schedule.

#include "app/list_status.h"
#include "app/session.h"
#include "config/settings_file.h"
#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/drill_session.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "platform/paths.h"
#include "review/review_file.h"
#include "review/review_list.h"
#include "strings/app_strings.h"
#include "strings/review_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/drill_installation.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace quorvel::test {
namespace {

using Kind = DrillEffect::Kind;

constexpr std::time_t kDay = 24 * 60 * 60;
// 2025-12-10 00:00 UTC.
constexpr std::time_t kMidnight = 1765324800;

void useUtc()
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

// A drill installation (lists of three words) with user 0's drills driven as a front end would.
struct ReviewDrill
{
    TempFolder folder;
    StartupInfo info;
    DocumentState documents;
    FakeClock clock;
    DefaultRandomSource random;
    std::unique_ptr<DrillSession> session;
    DrillEffects log;

    explicit ReviewDrill(const std::vector<DictionaryEntry>& words = drillWords())
    {
        useUtc();
        layOutDrillInstallation(folder, info, words);
        clock.setNow(kMidnight + 17 * 3600);
    }
    void at(int day, int hour) { clock.setNow(kMidnight + day * kDay + hour * 3600); }
    void open(bool reviewOnly = false)
    {
        log.clear();
        session = std::make_unique<DrillSession>(DrillContext {
            info, documents, 0, folder.path(), clock, random, true, nullptr, reviewOnly });
        play(session->open());
    }
    void play(DrillEffects effects)
    {
        for (;;) {
            bool stepAgain = false;
            for (const DrillEffect& e : effects) {
                log.push_back(e);
                stepAgain = stepAgain || e.kind == Kind::ScheduleStep;
            }
            if (!stepAgain)
                return;
            effects = session->step();
        }
    }
    // Start, then every word answered right or wrong by `right(word)`; the words in the order
    // asked.
    std::vector<std::string> drill(const std::function<bool(const std::string&)>& right)
    {
        play(session->press(DrillButton::Start));
        std::vector<std::string> asked;
        for (int guard = 0; session->passRunning() && guard < 100; ++guard) {
            const std::string word = session->currentWord();
            asked.push_back(word);
            play(session->press(DrillButton::Enter, right(word) ? word : word + "X"));
        }
        return asked;
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const DrillEffect& e : log)
            if (e.kind == Kind::Message)
                out.push_back(e.text);
        return out;
    }
    ReviewSchedule schedule()
    {
        ReviewSchedule s;
        EXPECT_TRUE(loadReviewSchedule(folder.path(), 0, s).ok());
        return s;
    }
    void saveSchedule(const ReviewSchedule& s)
    {
        ASSERT_TRUE(saveReviewSchedule(folder.path(), 0, s).ok());
    }
};

// Three words failed in an ordinary drill come back in "Review due" drills on the days they fall
// due (drilled at 16:00, an hour earlier than they were failed), one answered wrong once, and
// leave the schedule after a right answer in box 5.
TEST(ReviewDrill, FailedWordsComeBackOnTheirDaysAndLeave)
{
    ReviewDrill d;
    d.open();
    const std::vector<std::string> failed = d.drill([](const std::string&) { return false; });
    ASSERT_EQ(failed.size(), 3u);
    ReviewSchedule s = d.schedule();
    ASSERT_EQ(s.size(), 3u);
    for (const std::string& w : failed) {
        ASSERT_NE(s.find(w), nullptr) << w;
        EXPECT_EQ(s.find(w)->box, 1);
        EXPECT_EQ(s.find(w)->due, kMidnight + kDay);
    }
    std::vector<std::string> sorted = failed;
    std::sort(sorted.begin(), sorted.end());
    const std::string wrongOnce = sorted[1];

    // The same evening nothing is due: said, and no pass.
    d.open(true);
    EXPECT_TRUE(d.drill([](const std::string&) { return true; }).empty());
    EXPECT_EQ(d.messages(), std::vector<std::string> { strings::kReviewNoneDue });

    // Every day at 16:00 for six weeks: a review drill of what is due, `wrongOnce` wrong on day 1.
    std::map<std::string, std::vector<int>> drilledOn;
    for (int day = 1; day <= 42; ++day) {
        d.at(day, 16);
        d.open(true);
        const auto asked
            = d.drill([&](const std::string& w) { return day != 1 || w != wrongOnce; });
        if (day == 1) {
            EXPECT_EQ(asked, sorted) << "due at the same moment: in alphabetical order";
        }
        for (const std::string& w : asked)
            drilledOn[w].push_back(day);
    }
    for (const std::string& w : sorted) {
        SCOPED_TRACE(w);
        const std::vector<int> expected = w == wrongOnce ? std::vector<int> { 1, 2, 4, 8, 16, 32 }
                                                         : std::vector<int> { 1, 3, 7, 15, 31 };
        EXPECT_EQ(drilledOn[w], expected);
    }
    EXPECT_TRUE(d.schedule().empty());
}

// In a review drill a wrong answer puts the word back in box 1; a Repeat of the list counts its
// failures again but moves no word up.
TEST(ReviewDrill, WrongAnswersAndRepeatPasses)
{
    ReviewDrill d;
    ReviewSchedule s;
    ASSERT_TRUE(s.restore("EMU", 3, kMidnight - 10 * kDay)); // due 6 days ago
    ASSERT_TRUE(s.restore("CAT", 2, kMidnight - 10 * kDay)); // due 8 days ago
    d.saveSchedule(s);
    d.at(0, 9);
    d.open(true);
    EXPECT_EQ(d.drill([](const std::string& w) { return w == "CAT"; }),
        (std::vector<std::string> { "CAT", "EMU" }));
    EXPECT_EQ(d.schedule().find("EMU")->box, 1);
    EXPECT_EQ(d.schedule().find("EMU")->enteredBox, d.clock.now());
    EXPECT_EQ(d.schedule().find("CAT")->box, 3);
    // Three days on EMU is due again, but a Repeat of the list answered right moves nothing.
    const ReviewSchedule before = d.schedule();
    d.at(3, 9);
    d.play(d.session->press(DrillButton::Repeat));
    int guard = 0;
    while (d.session->passRunning() && guard++ < 10)
        d.play(d.session->press(DrillButton::Enter, d.session->currentWord()));
    EXPECT_EQ(d.schedule(), before);
}

// The list: up to the list size of the due words, the longest overdue first; words no longer in
// the dictionary leave the schedule and are never drawn; none due leaves the last list alone.
TEST(ReviewList, DrawsDueWordsOldestFirstUpToTheListSize)
{
    useUtc();
    TempFolder folder;
    StartupInfo info;
    layOutDrillInstallation(folder, info);
    const std::time_t now = kMidnight + 20 * kDay;
    ReviewSchedule s;
    ASSERT_TRUE(s.restore("YAK", 1, now - 2 * kDay)); // due yesterday
    ASSERT_TRUE(s.restore("EMU", 2, now - 9 * kDay)); // due a week ago
    ASSERT_TRUE(s.restore("GONE", 1, now - 15 * kDay)); // not in the dictionary
    ASSERT_TRUE(s.restore("CAT", 1, now - 3 * kDay)); // due two days ago
    ASSERT_TRUE(s.restore("DOG", 1, now - 2 * kDay)); // due yesterday, before YAK by name
    ASSERT_TRUE(s.restore("HEN", 1, now)); // due tomorrow
    struct Case
    {
        int listSize;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        { 3, { "EMU", "CAT", "DOG" } },
        { 10, { "EMU", "CAT", "DOG", "YAK" } },
        { 1, { "EMU" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listSize);
        ReviewSchedule copy = s;
        const ReviewListResult r = generateReviewList(info, 0, copy, now, c.listSize);
        EXPECT_FALSE(r.failed);
        EXPECT_EQ(r.words, static_cast<int>(c.words.size()));
        EXPECT_EQ(r.swept, 1u);
        EXPECT_EQ(copy.find("GONE"), nullptr);
        EXPECT_EQ(copy.size(), 5u);

        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        ASSERT_TRUE(file);
        WordFileHeader header;
        ASSERT_TRUE(file->readHeader(header));
        EXPECT_EQ(header.state, ListState::kFreshDictionary);
        EXPECT_EQ(header.count, c.words.size());
        std::vector<WordFileEntry> entries;
        ASSERT_TRUE(file->readList(entries));
        std::vector<std::string> listed;
        for (const WordFileEntry& e : entries)
            listed.push_back(e.record.word);
        EXPECT_EQ(listed, c.words);
        // Each record names the word's dictionary record, so the pass's results can land.
        auto dictionary = openDictionaryFile(folder.file("progdata/sonddict.dis"), false);
        ASSERT_TRUE(dictionary);
        for (const WordFileEntry& e : entries) {
            CurrentWordInfo w;
            std::uint32_t offset = 0;
            ASSERT_TRUE(isFound(FindWord(*dictionary, e.record.word, w, &offset)));
            EXPECT_EQ(e.record.dictionaryOffset, offset);
        }
    }

    // Nothing due: no words, and the word file is as it was.
    const Bytes before = readBytes(paths::wordFile(folder.path(), '0'));
    ReviewSchedule later;
    ASSERT_TRUE(later.restore("CAT", 5, now));
    const ReviewListResult none = generateReviewList(info, 0, later, now + kDay, 10);
    EXPECT_FALSE(none.failed);
    EXPECT_EQ(none.words, 0);
    EXPECT_EQ(readBytes(paths::wordFile(folder.path(), '0')), before);
}

// "Review due" is kept in the settings file: while set the drill draws due words and the status
// bar says so; cleared, the record's own list type is back. The record never changes.
TEST(ReviewList, ChoiceInTheSettingsFileAndTheStatusBar)
{
    ReviewDrill d;
    ReviewSchedule s;
    ASSERT_TRUE(s.restore("YAK", 1, kMidnight - 5 * kDay));
    ASSERT_TRUE(s.restore("EMU", 1, kMidnight - 4 * kDay));
    ASSERT_TRUE(s.restore("CAT", 1, kMidnight + 2 * kDay));
    d.saveSchedule(s);
    const Bytes record = readBytes(paths::startupRecordFile(d.folder.path()));

    Session session;
    session.info = d.info;
    session.programFolder = d.folder.path();
    EXPECT_EQ(computeListStatus(session, kMidnight).listType, strings::kListTypeRandom);
    EXPECT_EQ(computeListStatus(session, kMidnight).reviewDue, "Review due: 2");
    EXPECT_EQ(computeListStatus(session, kMidnight + 3 * kDay).reviewDue, "Review due: 3");

    SettingsFile settings(paths::settingsFile(d.folder.path()));
    ASSERT_TRUE(setReviewListChosen(settings, 0, true));
    EXPECT_TRUE(reviewListChosen(d.folder.path(), 0));
    EXPECT_FALSE(reviewListChosen(d.folder.path(), 1));
    EXPECT_EQ(computeListStatus(session, kMidnight).listType, strings::kListTypeReview);
    d.open();
    EXPECT_EQ(d.drill([](const std::string&) { return true; }),
        (std::vector<std::string> { "YAK", "EMU" }));

    ASSERT_TRUE(setReviewListChosen(settings, 0, false));
    EXPECT_EQ(computeListStatus(session, kMidnight).listType, strings::kListTypeRandom);
    d.open();
    EXPECT_EQ(d.drill([](const std::string&) { return true; }).size(), 3u) << "a random list";
    EXPECT_EQ(readBytes(paths::startupRecordFile(d.folder.path())), record);

    // Another user's count is their own; a schedule that cannot be read shows as unknown.
    ASSERT_TRUE(session.setCurrentUser(1));
    EXPECT_EQ(computeListStatus(session, kMidnight).reviewDue, "Review due: 0");
    writeBytes(reviewFilePath(d.folder.path(), 1), { '[' });
    EXPECT_EQ(computeListStatus(session, kMidnight).reviewDue, strings::kReviewDueUnknown);
}

// A schedule file that cannot be used is said once in the window's life and left byte for byte;
// the drills go on. Asking for a review list with it says so each time.
TEST(ReviewDrill, DamagedScheduleIsReportedOnceAndKept)
{
    ReviewDrill d;
    const std::string path = reviewFilePath(d.folder.path(), 0);
    const Bytes damaged { '{', '"', 'v' };
    writeBytes(path, damaged);
    d.open();
    for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(d.drill([](const std::string&) { return false; }).size(), 3u);
    const auto said = d.messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind(path, 0), 0u) << said[0];
    EXPECT_NE(said[0].find("not a JSON object"), std::string::npos) << said[0];
    EXPECT_EQ(readBytes(path), damaged);

    d.open(true);
    EXPECT_TRUE(d.drill([](const std::string&) { return true; }).empty());
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].rfind(path, 0), 0u);
    EXPECT_EQ(readBytes(path), damaged);
}

// A removed word leaves every user's schedule; a schedule that cannot be read is named and left,
// and the others are still done.
TEST(ReviewList, RemovedWordLeavesEverySchedule)
{
    TempFolder folder;
    folder.makeProgdata();
    for (int user : { 0, 4, 9 }) {
        ReviewSchedule s;
        ASSERT_TRUE(s.restore("CAT", 2, 0));
        if (user != 4) {
            ASSERT_TRUE(s.restore("DOG", 1, 0));
        }
        ASSERT_TRUE(saveReviewSchedule(folder.path(), user, s).ok());
    }
    const std::string damaged = reviewFilePath(folder.path(), 6);
    writeBytes(damaged, { 'x' });

    const ReviewForgetResult r = forgetInReviewSchedules(folder.path(), "dog");
    EXPECT_EQ(r.schedules, 2);
    ASSERT_TRUE(r.failure.has_value());
    EXPECT_EQ(r.failure->status, ReviewFileStatus::Damaged);
    EXPECT_EQ(r.failedPath, damaged);
    EXPECT_EQ(readBytes(damaged), Bytes { 'x' });
    for (int user : { 0, 4, 9 }) {
        ReviewSchedule s;
        ASSERT_TRUE(loadReviewSchedule(folder.path(), user, s).ok());
        EXPECT_EQ(s.find("DOG"), nullptr);
        EXPECT_NE(s.find("CAT"), nullptr);
    }
    EXPECT_FALSE(fileExists(reviewFilePath(folder.path(), 1))) << "no schedule made for nobody";
}

} // namespace
} // namespace quorvel::test
