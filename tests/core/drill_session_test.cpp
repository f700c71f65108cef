// The drill's step machine on a real installation in a temporary folder, a fake clock and a
// scripted prompter. A small driver plays the effects the way a front end would: Step events
// are sent at once, and the test answers whenever the machine waits for the Enter button.

#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/drill_session.h"
#include "drill/level_adjustment.h"
#include "history/history_file.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "sound/sound_names.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/drill_installation.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fstream>

#include <algorithm>
#include <functional>
#include <optional>

namespace quorvel::test {
namespace {

using Kind = DrillEffect::Kind;

struct Drill
{
    TempFolder folder;
    StartupInfo info;
    DocumentState documents;
    FakeClock clock;
    DefaultRandomSource random;
    FakePrompter prompter;
    std::unique_ptr<DrillSession> session;
    DrillEffects log; // every effect so far, in order
    bool speechOn = false; // given to the session as it opens
    bool hearOnly = false;

    explicit Drill(const std::vector<DictionaryEntry>& words = drillWords())
    {
        layOutDrillInstallation(folder, info, words);
    }
    // Lists of one letter: the word is found whatever the draw (a random list skips words of the
    // first chain it meets that sort after a random letter).
    void oneLetter(char letter)
    {
        ListSetupRecord list = info.listSetup(0);
        list.typeRandom = 0;
        list.typeOneLetter = 1;
        list.oneLetter = std::string(1, letter);
        info.setListSetup(0, list);
    }
    void open(bool soundUsable = true)
    {
        DrillContext ctx { info, documents, 0, folder.path(), clock, random, soundUsable, nullptr };
        ctx.speechOn = speechOn;
        ctx.hearOnly = hearOnly;
        session = std::make_unique<DrillSession>(ctx);
        play(session->open());
    }
    // Carries out effects: a ScheduleStep sends Step at once; a question is answered by the
    // scripted prompter.
    void play(DrillEffects effects)
    {
        while (true) {
            bool stepAgain = false;
            std::optional<MessageAnswer> reply;
            for (const DrillEffect& e : effects) {
                log.push_back(e);
                if (e.kind == Kind::ScheduleStep)
                    stepAgain = true;
                if (e.kind == Kind::Question)
                    reply = prompter.show(e.text, e.caption, e.icon, e.buttons);
            }
            if (reply)
                effects = session->answer(*reply);
            else if (stepAgain)
                effects = session->step();
            else
                return;
        }
    }
    bool waitingForAnswer() const
    {
        return session->passRunning()
            && (session->pendingAction() == DrillAction::Present
                || session->pendingAction() == DrillAction::PresentRepeat);
    }
    // Answers every word with `answer(word)` until the pass ends.
    void answerAll(const std::function<std::string(const std::string&)>& answer)
    {
        int guard = 0;
        while (waitingForAnswer() && guard++ < 100)
            play(session->press(DrillButton::Enter, answer(session->currentWord())));
    }
    std::vector<std::string> texts(Kind kind) const
    {
        std::vector<std::string> out;
        for (const DrillEffect& e : log) {
            if (e.kind == kind)
                out.push_back(e.text);
        }
        return out;
    }
    bool prompted(const std::string& text) const
    {
        const auto p = texts(Kind::ShowPrompt);
        return std::find(p.begin(), p.end(), text) != p.end();
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out = texts(Kind::Message);
        for (const auto& m : prompter.shown)
            out.push_back(m.text);
        return out;
    }
    WordFileHeader header()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        WordFileHeader h;
        EXPECT_TRUE(file && file->readHeader(h));
        return h;
    }
    std::vector<WordFileRecord> records()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        std::vector<WordFileEntry> entries;
        EXPECT_TRUE(file && file->readList(entries));
        std::vector<WordFileRecord> out;
        for (const auto& e : entries)
            out.push_back(e.record);
        return out;
    }
    int status(const std::string& word, int user = 0)
    {
        auto file = openDictionaryFile(folder.file("progdata/sonddict.dis"), false, nullptr);
        CurrentWordInfo w;
        EXPECT_TRUE(file);
        EXPECT_TRUE(isFound(FindWord(*file, word, w))) << word;
        return w.status(user);
    }
    int historyDrills()
    {
        auto h = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
        int drills = 0;
        for (int k = 1; h && k <= h->count(); ++k) {
            HistoryRecord r;
            if (h->readRecord(k, r) && r.summary.words != 0)
                ++drills;
        }
        return drills;
    }
    std::vector<HistorySummary> history()
    {
        auto h = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
        std::vector<HistorySummary> out;
        for (int k = 1; h && k <= h->count(); ++k) {
            HistoryRecord r;
            if (h->readRecord(k, r) && r.summary.words != 0)
                out.push_back(r.summary);
        }
        return out;
    }
    // Statuses of the words in the word file, for user 0.
    std::vector<int> listedStatuses()
    {
        std::vector<int> out;
        for (const auto& r : records())
            out.push_back(status(r.word));
        return out;
    }
    void setOptions(const std::function<void(ListOptionsRecord&)>& change)
    {
        ListOptionsRecord o = info.listOptions(0);
        change(o);
        info.setListOptions(0, o);
    }
    // A right, wrong, right... pattern by position in the pass.
    std::function<std::string(const std::string&)> pattern(std::vector<bool> right)
    {
        auto at = std::make_shared<std::size_t>(0);
        return [right, at](const std::string& word) {
            const bool ok = right[(*at)++ % right.size()];
            return ok ? word : word + "X";
        };
    }
};

TEST(DrillSession, OpensIdle)
{
    Drill d;
    d.open();
    EXPECT_FALSE(d.session->passRunning());
    EXPECT_TRUE(d.prompted(strings::kPressStartOrRepeat));
    EXPECT_EQ(d.session->light(), 0);
    EXPECT_EQ(d.session->displays().levelName, strings::kElementary);
}

TEST(DrillSession, ThreeWordsRightWrongRight)
{
    Drill d;
    d.open();
    d.play(d.session->press(DrillButton::Start));
    ASSERT_TRUE(d.waitingForAnswer());
    EXPECT_EQ(d.session->light(), 2);
    EXPECT_EQ(d.session->timeLimit(), 60000);
    std::vector<std::string> words;
    auto answers = d.pattern({ true, false, true });
    d.answerAll([&](const std::string& w) {
        words.push_back(w);
        return answers(w);
    });
    EXPECT_FALSE(d.session->passRunning());
    EXPECT_EQ(d.session->correct(), 2);
    EXPECT_EQ(d.session->wordsInPass(), 3);
    EXPECT_TRUE(d.prompted(strings::kFinished));
    EXPECT_TRUE(d.prompted(std::string(strings::kYouHaveSpelt) + words[1] + strings::kIncorrectly));
    EXPECT_EQ(d.header().state, ListState::kSpeltOnce);
    const auto r = d.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].result, 1);
    EXPECT_EQ(r[1].result, 0);
    EXPECT_EQ(r[1].answer, words[1] + "X");
    EXPECT_EQ(r[2].result, 1);
    // Manual mode: the statuses move one rung, and one history record is written.
    EXPECT_EQ(d.status(words[0]), 2);
    EXPECT_EQ(d.status(words[1]), 0);
    EXPECT_EQ(d.status(words[2]), 2);
    EXPECT_EQ(d.status(words[0], 1), 1); // other users untouched
    ASSERT_EQ(d.history().size(), 1u);
    EXPECT_EQ(d.history()[0].words, 3);
    EXPECT_EQ(d.history()[0].correct, 2);
}

// The summary lists each missed word once, in the order first missed, with its latest wrong
// answer; a repeat pass that gets it right does not take it off. Practise these spells exactly
// those words as a failures list: results, statuses and history written as for any first pass.
TEST(DrillSession, MissedWordsSummaryAndPractiseThese)
{
    Drill d;
    d.open();
    // Nothing missed yet: Practise these only returns to the answer box.
    d.play(d.session->press(DrillButton::PractiseThese));
    EXPECT_FALSE(d.session->passRunning());
    d.play(d.session->press(DrillButton::Start));
    std::vector<std::string> words;
    auto answers = d.pattern({ false, true, false });
    d.answerAll([&](const std::string& w) {
        words.push_back(w);
        return answers(w);
    });
    ASSERT_EQ(words.size(), 3u);
    EXPECT_TRUE(d.session->summaryReady());
    const std::vector<MissedWord> firstPass { { words[0], words[0] + "X" },
        { words[2], words[2] + "X" } };
    EXPECT_EQ(d.session->missedWords(), firstPass);
    EXPECT_EQ(missedWordsSummary(firstPass),
        (std::vector<std::string> { strings::kMissedWordsHeading,
            "  " + words[0] + "X  ->  " + words[0], "  " + words[2] + "X  ->  " + words[2] }));

    // Repeat all: the first right now, the second (right before) missed with nothing typed.
    d.setOptions([](ListOptionsRecord& o) {
        o.repeatAll = 1;
        o.repeatFailures = 0;
    });
    d.play(d.session->press(DrillButton::Repeat));
    d.answerAll([&](const std::string& w) {
        if (w == words[0])
            return w;
        return w == words[1] ? std::string() : w + "XY";
    });
    const std::vector<MissedWord> drill { { words[0], words[0] + "X" },
        { words[2], words[2] + "XY" }, { words[1], "" } };
    EXPECT_EQ(d.session->missedWords(), drill);
    EXPECT_EQ(missedWordsSummary(drill).back(),
        "  " + std::string(strings::kNothingTyped) + "  ->  " + words[1]);
    const int historyBefore = static_cast<int>(d.history().size());

    d.play(d.session->press(DrillButton::PractiseThese));
    ASSERT_TRUE(d.waitingForAnswer());
    EXPECT_FALSE(d.session->summaryReady());
    EXPECT_TRUE(d.session->missedWords().empty());
    EXPECT_EQ(d.session->wordsInPass(), 3);
    std::vector<std::string> practised;
    d.answerAll([&](const std::string& w) {
        practised.push_back(w);
        return w;
    });
    EXPECT_EQ(practised, (std::vector<std::string> { words[0], words[2], words[1] }));
    EXPECT_EQ(d.header().state, ListState::kSpeltOnce);
    EXPECT_EQ(d.header().listType, static_cast<int>(ListType::Failures));
    const auto r = d.records();
    ASSERT_EQ(r.size(), 3u);
    for (const auto& rec : r) {
        EXPECT_EQ(rec.result, 1) << rec.word;
        EXPECT_EQ(rec.attempts, 0) << rec.word;
    }
    // All right this time: each word's status went up a rung, one more history record.
    for (const auto& w : practised)
        EXPECT_GT(d.status(w), 0) << w;
    ASSERT_EQ(static_cast<int>(d.history().size()), historyBefore + 1);
    EXPECT_EQ(d.history().back().words, 3);
    EXPECT_EQ(d.history().back().correct, 3);
    EXPECT_EQ(d.history().back().listType, static_cast<int>(ListType::Failures));
    EXPECT_TRUE(d.session->summaryReady());
    EXPECT_TRUE(d.session->missedWords().empty());
    EXPECT_EQ(missedWordsSummary({}), std::vector<std::string> { strings::kNothingMissed });
}

// A stopped first pass keeps nothing to practise or summarise.
TEST(DrillSession, StoppedFirstPassHasNoSummary)
{
    Drill d;
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.play(d.session->press(DrillButton::Enter, "WRONG"));
    ASSERT_TRUE(d.session->passRunning());
    d.play(d.session->press(DrillButton::Stop));
    EXPECT_FALSE(d.session->summaryReady());
    EXPECT_TRUE(d.session->missedWords().empty());
    const auto before = d.records();
    d.play(d.session->press(DrillButton::PractiseThese));
    EXPECT_FALSE(d.session->passRunning());
    EXPECT_EQ(d.records(), before);
}

TEST(DrillSession, LowerCaseComparesInSmallLettersAndCutsLongAnswers)
{
    Drill d({ entry("CAT") });
    DisplaySetupRecord display = d.info.displaySetup(0);
    display.upperCase = 0;
    display.lowerCase = 1;
    d.info.setDisplaySetup(0, display);
    d.oneLetter('C');
    d.open();
    d.play(d.session->press(DrillButton::Start));
    ASSERT_EQ(d.session->currentWord(), "cat");
    d.play(d.session->press(DrillButton::Enter, "Cat"));
    EXPECT_EQ(d.session->correct(), 1);
    EXPECT_TRUE(d.prompted(std::string(strings::kYouHaveSpelt) + "cat" + strings::kCorrectly));

    // An answer longer than the box is cut to 36 characters before it is judged and stored.
    d.play(d.session->press(DrillButton::Repeat));
    d.play(d.session->press(DrillButton::Enter, std::string(50, 'q')));
    EXPECT_EQ(d.records()[0].answer, std::string(36, 'Q'));
}

TEST(DrillSession, PracticeAndWindowListsWriteWhatTheirModeAllows)
{
    {
        SCOPED_TRACE("practice with a dictionary list: nothing written");
        Drill d;
        d.setOptions([](ListOptionsRecord& o) {
            o.adjustManual = 0;
            o.adjustPractice = 1;
        });
        d.open();
        d.play(d.session->press(DrillButton::Start));
        d.answerAll(d.pattern({ false }));
        EXPECT_EQ(d.listedStatuses(), std::vector<int>(3, 1));
        EXPECT_EQ(d.historyDrills(), 0);
        EXPECT_EQ(d.header().state, ListState::kSpeltOnce);
    }
    {
        SCOPED_TRACE("a bee window list: one history record, no dictionary change");
        Drill d;
        {
            auto file = WordFile::open(d.folder.path(), 0, OpenMode::Create);
            ASSERT_TRUE(file);
            int i = 0;
            for (const char* w : { "CAT", "DOG" }) {
                WordFileRecord r;
                r.word = w;
                ASSERT_TRUE(file->appendListRecord(
                    i++, r, ListState::kFreshWindow, 0, 2, ListType::Window));
            }
            ASSERT_TRUE(file->finishList(2, ListType::Window, ListState::kFreshWindow));
            file->close();
        }
        d.documents.beeWindowCount = 1;
        d.documents.beeListMade = true;
        d.setOptions([](ListOptionsRecord& o) {
            o.adjustManual = 0;
            o.adjustAuto = 1;
        });
        d.open();
        d.play(d.session->press(DrillButton::Start));
        EXPECT_EQ(d.session->wordsInPass(), 2);
        d.answerAll(d.pattern({ true }));
        EXPECT_EQ(d.session->correct(), 2);
        EXPECT_EQ(d.status("CAT"), 1);
        EXPECT_EQ(d.historyDrills(), 1);
        EXPECT_EQ(d.info.listSetup(0).maxLetters, "6"); // no level change for a window list
        // Spelt once: Start refuses it and points at Repeat.
        d.play(d.session->press(DrillButton::Start));
        EXPECT_FALSE(d.session->passRunning());
        const auto m = d.messages();
        EXPECT_NE(std::find(m.begin(), m.end(), strings::kAlreadyTested), m.end());
    }
}

TEST(DrillSession, RepeatFailuresWithNoneFailedRunsNoPass)
{
    Drill d;
    d.setOptions([](ListOptionsRecord& o) {
        o.repeatAll = 0;
        o.repeatFailures = 1;
    });
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.answerAll(d.pattern({ true }));
    d.play(d.session->press(DrillButton::Repeat));
    EXPECT_FALSE(d.session->passRunning());
    EXPECT_TRUE(d.prompted(strings::kNoFailedWords));
}

TEST(DrillSession, RepeatWithoutASpeltListIsRefused)
{
    Drill d;
    d.open();
    d.play(d.session->press(DrillButton::Repeat));
    EXPECT_FALSE(d.session->passRunning());
    const auto m = d.messages();
    EXPECT_TRUE(std::find(m.begin(), m.end(), strings::kNoFileToRepeat) != m.end()
        || std::find(m.begin(), m.end(), strings::kUnableToOpenYourFile) != m.end());
}

TEST(DrillSession, TwoWrongRepeatsThenRight)
{
    Drill d({ entry("CAT") });
    d.setOptions([](ListOptionsRecord& o) {
        o.repeatAll = 0;
        o.repeatFailures = 1;
    });
    d.oneLetter('C');
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.answerAll(d.pattern({ false }));
    for (int i = 0; i < 2; ++i) {
        d.play(d.session->press(DrillButton::Repeat));
        ASSERT_TRUE(d.waitingForAnswer());
        d.answerAll(d.pattern({ false }));
    }
    EXPECT_EQ(d.records()[0].attempts, 2);
    EXPECT_EQ(d.records()[0].result, 0);
    d.play(d.session->press(DrillButton::Repeat));
    d.answerAll(d.pattern({ true }));
    EXPECT_EQ(d.records()[0].result, 1);
    EXPECT_EQ(d.records()[0].attempts, 3);
    EXPECT_EQ(d.header().state, ListState::kSpeltOnce);
    // Repeats never touch the dictionary or the history.
    EXPECT_EQ(d.status("CAT"), 0);
    EXPECT_EQ(d.historyDrills(), 1);
}

TEST(DrillSession, EnterTypedAheadOfTheNextWordIsNotTakenAsItsAnswer)
{
    Drill d;
    d.open();
    d.play(d.session->press(DrillButton::Start));
    ASSERT_TRUE(d.session->awaitingAnswer());
    // Enter on the first word, then the check step; the next Step would show the second word.
    d.session->press(DrillButton::Enter, d.session->currentWord());
    d.session->step();
    ASSERT_EQ(d.session->pendingAction(), DrillAction::Present);
    EXPECT_FALSE(d.session->awaitingAnswer());
    // A second Enter, held by the front end during the verdict's waits, arrives now.
    const DrillEffects ignored = d.session->press(DrillButton::Enter, "");
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_EQ(ignored[0].kind, Kind::Focus);
    d.play(d.session->step());
    EXPECT_TRUE(d.session->awaitingAnswer());
    EXPECT_EQ(d.session->correct(), 1);
    EXPECT_EQ(d.session->displays().wordNumber, 2);
    d.answerAll(d.pattern({ true }));
    EXPECT_EQ(d.session->correct(), 3);
}

TEST(DrillSession, TimeOutJudgesTheEmptyAnswerWrong)
{
    Drill d({ entry("CAT") });
    d.oneLetter('C');
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.play(d.session->timeOut());
    EXPECT_EQ(d.session->correct(), 0);
    EXPECT_FALSE(d.session->passRunning());
    const auto answers = d.texts(Kind::SetAnswer);
    EXPECT_NE(std::find(answers.begin(), answers.end(), strings::kOutOfTime), answers.end());
    EXPECT_EQ(d.records()[0].result, 0);
}

TEST(DrillSession, StopInAPassLeavesDictionaryAndHistoryAlone)
{
    Drill d;
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.play(d.session->press(DrillButton::Enter, "WRONG"));
    d.play(d.session->press(DrillButton::Stop));
    EXPECT_FALSE(d.session->passRunning());
    EXPECT_TRUE(d.prompted(strings::kUserStopped));
    EXPECT_EQ(d.header().state, ListState::kFreshDictionary);
    EXPECT_EQ(d.listedStatuses(), std::vector<int>(3, 1));
    EXPECT_EQ(d.historyDrills(), 0);
}

// A list is drawn a word a step, the first in Start's own call. Between the words only Stop
// counts: it ends the list with the words found so far and their pass begins.
TEST(DrillSession, StopWhileTheListIsDrawnKeepsTheWordsFoundSoFar)
{
    Drill d;
    d.open();
    const DrillEffects started = d.session->press(DrillButton::Start);
    ASSERT_FALSE(started.empty());
    EXPECT_EQ(started.back().kind, Kind::ScheduleStep);
    EXPECT_EQ(started.back().value, 0);
    ASSERT_TRUE(d.session->busy());
    EXPECT_FALSE(d.session->passRunning());

    for (const DrillButton b : { DrillButton::Learn, DrillButton::Enter, DrillButton::Repeat }) {
        const DrillEffects e = d.session->press(b);
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].kind, Kind::Focus);
    }
    EXPECT_TRUE(d.session->timeOut().empty());
    EXPECT_FALSE(d.session->learnOn());

    d.play(d.session->press(DrillButton::Stop));
    EXPECT_FALSE(d.session->busy());
    EXPECT_FALSE(d.prompted(strings::kUserStopped));
    ASSERT_TRUE(d.waitingForAnswer());
    EXPECT_EQ(d.session->wordsInPass(), 1);
    EXPECT_EQ(d.records().size(), 1u);
    EXPECT_EQ(d.header().state, ListState::kFreshDictionary);
    const auto cursors = std::count_if(d.log.begin(), d.log.end(),
        [](const DrillEffect& e) { return e.kind == Kind::WaitCursor && e.value == 0; });
    EXPECT_EQ(cursors, 1);
}

TEST(DrillSession, ButtonsDuringAPassAndTheColourSchemeWrap)
{
    Drill d;
    d.info.setDrillWindowLayout(0, 5);
    d.open();
    EXPECT_EQ(d.session->colourScheme(), 5);
    d.play(d.session->press(DrillButton::ChangeColours));
    EXPECT_EQ(d.session->colourScheme(), 0);
    EXPECT_EQ(d.info.drillWindowLayout(0), 0);

    d.play(d.session->press(DrillButton::Start));
    d.play(d.session->press(DrillButton::ChangeColours)); // ignored during a pass
    EXPECT_EQ(d.session->colourScheme(), 0);
    d.play(d.session->press(DrillButton::Learn)); // allowed during a pass
    EXPECT_TRUE(d.session->learnOn());
    d.play(d.session->press(DrillButton::FailuresToScrapPad));
    EXPECT_TRUE(d.session->failuresToScrapPad());
    d.play(d.session->press(DrillButton::Start)); // ignored: the pass goes on
    EXPECT_TRUE(d.waitingForAnswer());
}

TEST(DrillSession, NoSoundDeviceKeepsSoundOff)
{
    Drill d;
    d.open(false);
    EXPECT_FALSE(d.session->soundOn());
    d.play(d.session->press(DrillButton::Sound));
    EXPECT_FALSE(d.session->soundOn());
    EXPECT_EQ(d.texts(Kind::SetButtonText).back(), strings::kDrillSoundOff);
}

TEST(DrillSession, FailuresGoToAnExistingScrapPadFileOnly)
{
    Drill d({ entry("CAT") });
    d.oneLetter('C');
    d.open();
    d.play(d.session->press(DrillButton::FailuresToScrapPad));
    d.play(d.session->press(DrillButton::Start));
    d.answerAll(d.pattern({ false }));
    EXPECT_FALSE(fileExists(d.folder.file("progdata/spaduse0.pad")));

    writeBytes(d.folder.file("progdata/spaduse0.pad"), { 'h', 'i', '\r', '\n' });
    d.play(d.session->press(DrillButton::Repeat));
    d.answerAll(d.pattern({ false }));
    const auto bytes = readBytes(d.folder.file("progdata/spaduse0.pad"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "hi\r\n CAT\r\n");
}

// A scrap pad that is there but cannot be opened or written is reported, after the verdict, once
// in the drill window's life; a missing one is not (nothing is written to it).
TEST(DrillSession, ScrapPadThatCannotTakeAFailureIsReportedOnce)
{
    const struct
    {
        const char* name;
        bool padThere;
        std::optional<FileOp> fails;
        int reports;
    } cases[] = {
        { "no scrap pad", false, std::nullopt, 0 },
        { "open fails", true, FileOp::Open, 1 },
        { "write fails", true, FileOp::Write, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drill d({ entry("CAT") });
        d.oneLetter('C');
        const std::string pad = d.folder.file("progdata/spaduse0.pad");
        if (c.padThere)
            writeBytes(pad, { 'h', 'i', '\r', '\n' });
        d.open();
        d.play(d.session->press(DrillButton::FailuresToScrapPad));
        for (DrillButton start : { DrillButton::Start, DrillButton::Repeat }) {
            d.play(d.session->press(start));
            ASSERT_TRUE(d.waitingForAnswer());
            if (c.fails)
                FileFaults::failNth(*c.fails, 1);
            d.play(d.session->press(DrillButton::Enter, "CAX"));
            FileFaults::reset();
        }
        std::vector<std::size_t> reports;
        for (std::size_t i = 0; i < d.log.size(); ++i) {
            const DrillEffect& e = d.log[i];
            if (e.kind == Kind::Message && e.text == strings::kProblemsSavingScrapPad) {
                EXPECT_EQ(e.caption, strings::kWarning);
                EXPECT_EQ(e.icon, MessageIcon::Exclamation);
                reports.push_back(i);
            }
        }
        ASSERT_EQ(reports.size(), static_cast<std::size_t>(c.reports));
        if (c.padThere) {
            const auto verdict = std::find_if(d.log.begin(), d.log.end(), [](const DrillEffect& e) {
                return e.kind == Kind::ShowPrompt
                    && e.text
                    == std::string(strings::kYouHaveSpelt) + "CAT" + strings::kIncorrectly;
            });
            EXPECT_LT(verdict - d.log.begin(), static_cast<long>(reports[0]));
            const auto bytes = readBytes(pad);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "hi\r\n");
        } else {
            EXPECT_FALSE(fileExists(pad));
        }
    }
}

// --- Sounds ------------------------------------------------------------------------------------

struct SoundDrill : Drill
{
    using Drill::Drill;
    void installPrompts()
    {
        for (int i = 0; i < kVoicePromptCount; ++i) {
            for (bool uk : { true, false })
                writeBytes(voicePromptPath(folder.path(), i, uk), { 1 });
        }
        for (char c = 'a'; c <= 'z'; ++c)
            writeBytes(letterSoundPath(folder.path(), c, false), { 1 });
        writeBytes(letterSoundPath(folder.path(), 'z', true), { 1 });
    }
    std::vector<std::string> played() const
    {
        std::vector<std::string> names;
        for (const auto& p : texts(Kind::Play))
            names.push_back(p.substr(p.rfind('/') + 1));
        return names;
    }
};

TEST(DrillSound, PromptSetFollowsTheLanguage)
{
    for (bool uk : { true, false }) {
        SCOPED_TRACE(uk ? "UK" : "US");
        SoundDrill d({ entry("CAT") });
        d.installPrompts();
        d.setOptions([uk](ListOptionsRecord& o) {
            o.languageUK = uk;
            o.languageUS = !uk;
        });
        d.oneLetter('C');
        d.open();
        d.play(d.session->press(DrillButton::Start));
        d.answerAll(d.pattern({ true }));
        const auto p = d.played();
        const std::vector<std::string> expectedStart = { uk ? "aplease.wav" : "uplease.wav",
            uk ? "afollow.wav" : "ufollow.wav", uk ? "aenteran.wav" : "uenteran.wav" };
        ASSERT_GE(p.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(p.begin(), p.begin() + 3), expectedStart);
        const std::string praise = p[3];
        const std::vector<std::string> allowed = uk
            ? std::vector<std::string> { "asuccess.wav", "bsuccess.wav", "csuccess.wav",
                  "dsuccess.wav" }
            : std::vector<std::string> { "usuccess.wav", "vsuccess.wav", "wsuccess.wav",
                  "xsuccess.wav" };
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), praise), allowed.end()) << praise;
    }
}

TEST(DrillSound, RippleOnZooInAUsDrillSaysEachLetter)
{
    SoundDrill d({ entry("ZOO") });
    d.installPrompts();
    d.setOptions([](ListOptionsRecord& o) {
        o.languageUK = 0;
        o.languageUS = 1;
    });
    LearnSetupRecord learn = d.info.learnSetup(0);
    learn.learnFlash = learn.learnContinuous = 0;
    learn.learnRipple = 1;
    learn.rippleCountText = "1";
    d.info.setLearnSetup(0, learn);
    d.oneLetter('Z');
    d.open();
    d.play(d.session->press(DrillButton::Learn));
    d.play(d.session->press(DrillButton::Start));
    const auto p = d.played();
    const std::vector<std::string> letters = { "squarezz.wav", "squareo.wav", "squareo.wav" };
    EXPECT_NE(std::search(p.begin(), p.end(), letters.begin(), letters.end()), p.end());
    const auto shown = d.texts(Kind::ShowPrompt);
    for (const char* part : { "Z", "ZO", "ZOO" })
        EXPECT_NE(std::find(shown.begin(), shown.end(), part), shown.end()) << part;
}

TEST(DrillSound, MissingPromptFilesAreSkippedAndTheDrillGoesOn)
{
    SoundDrill d({ entry("CAT") });
    d.oneLetter('C');
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.answerAll(d.pattern({ true }));
    EXPECT_TRUE(d.played().empty());
    EXPECT_EQ(d.session->correct(), 1);
}

// A recording copied from elsewhere may differ in the case of its folder and file name.
TEST(DrillSound, AWordsOwnRecordingIsPlayedWhenItExistsWhateverItsCase)
{
    for (const auto& [folder, name] :
        { std::pair { "Cwavefrm", "CATX0042.wav" }, std::pair { "cwavefrm", "catx0042.WAV" } }) {
        SCOPED_TRACE(name);
        SoundDrill d({ [] {
            DictionaryEntry e = entry("CAT");
            e.soundFlag = 1;
            e.soundIndex = 42;
            return e;
        }() });
        d.installPrompts();
        QDir().mkpath(QString::fromStdString(paths::join(d.info.waveformPath(), folder)));
        writeBytes(paths::join(paths::join(d.info.waveformPath(), folder), name), { 1 });
        d.oneLetter('C');
        d.open();
        d.play(d.session->press(DrillButton::Start));
        const auto p = d.played();
        EXPECT_NE(std::find(p.begin(), p.end(), name), p.end());
        EXPECT_EQ(std::find(p.begin(), p.end(), "ufollow.wav"), p.end());
    }
}

// --- Speech and hear only ----------------------------------------------------------------------

DictionaryEntry recordedCat()
{
    DictionaryEntry e = entry("CAT");
    e.soundFlag = 1;
    e.soundIndex = 42;
    return e;
}

std::string installCatRecording(SoundDrill& d)
{
    const std::string recording = paths::join(d.info.waveformPath(), "Cwavefrm/CATX0042.wav");
    QDir().mkpath(QString::fromStdString(paths::join(d.info.waveformPath(), "Cwavefrm")));
    writeBytes(recording, { 1 });
    return recording;
}

std::vector<const DrillEffect*> effectsOf(const DrillEffects& effects, Kind kind)
{
    std::vector<const DrillEffect*> out;
    for (const DrillEffect& e : effects)
        if (e.kind == kind)
            out.push_back(&e);
    return out;
}

// The word's own recording always wins; speech stands in only for a word without one, in the
// list's dialect; with speech off the "here is the word" prompt stands in as before.
TEST(DrillSpeech, SpeechStandsInOnlyForAWordWithoutARecording)
{
    struct Case
    {
        const char* name;
        bool speechOn;
        bool recorded;
        bool uk;
        const char* played; // the file heard for the word, or "" when it is spoken
    };
    const Case cases[] = {
        { "recording, speech on", true, true, true, "CATX0042.wav" },
        { "recording, speech off", false, true, false, "CATX0042.wav" },
        { "no recording, speech on, UK", true, false, true, "" },
        { "no recording, speech on, US", true, false, false, "" },
        { "no recording, speech off", false, false, false, "ufollow.wav" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundDrill d({ c.recorded ? recordedCat() : entry("CAT") });
        d.installPrompts();
        if (c.recorded)
            installCatRecording(d);
        d.setOptions([&](ListOptionsRecord& o) {
            o.languageUK = c.uk;
            o.languageUS = !c.uk;
        });
        d.oneLetter('C');
        d.speechOn = c.speechOn;
        d.open();
        d.play(d.session->press(DrillButton::Start));
        ASSERT_TRUE(d.session->awaitingAnswer());
        const auto spoken = effectsOf(d.log, Kind::Speak);
        const auto p = d.played();
        if (*c.played) {
            EXPECT_TRUE(spoken.empty());
            ASSERT_GE(p.size(), 2u);
            EXPECT_EQ(p[1], c.played); // after "please spell the next word"
        } else {
            ASSERT_EQ(spoken.size(), 1u);
            EXPECT_EQ(spoken[0]->text, "cat"); // capitals would be spelt out
            EXPECT_EQ(spoken[0]->value, static_cast<int>(c.uk ? Language::UK : Language::US));
            EXPECT_FALSE(spoken[0]->background);
            EXPECT_EQ(std::find(p.begin(), p.end(), c.uk ? "afollow.wav" : "ufollow.wav"), p.end());
        }
    }
}

// Say it again speaks the word once more in the background while the answer is awaited: the
// time limit, the focus and the typed text are left alone. At any other moment it does nothing.
TEST(DrillSpeech, SayItAgainKeepsTheTimeLimitAndTheAnswer)
{
    for (const bool recorded : { false, true }) {
        SCOPED_TRACE(recorded ? "recorded" : "spoken");
        SoundDrill d({ recorded ? recordedCat() : entry("CAT") });
        const std::string recording = recorded ? installCatRecording(d) : std::string();
        d.oneLetter('C');
        d.speechOn = true;
        d.open();
        EXPECT_TRUE(d.session->press(DrillButton::SayAgain).empty()); // idle
        d.play(d.session->press(DrillButton::Start));
        ASSERT_TRUE(d.session->awaitingAnswer());
        const int limit = d.session->timeLimit();
        const DrillEffects again = d.session->press(DrillButton::SayAgain, "CA");
        ASSERT_EQ(again.size(), 1u);
        EXPECT_EQ(again[0].kind, recorded ? Kind::Play : Kind::Speak);
        EXPECT_EQ(again[0].text, recorded ? recording : std::string("cat"));
        EXPECT_TRUE(again[0].background);
        EXPECT_EQ(d.session->timeLimit(), limit);
        EXPECT_TRUE(d.session->awaitingAnswer());
        // The answer typed after it is judged as usual.
        d.play(d.session->press(DrillButton::Enter, "CAT"));
        EXPECT_EQ(d.session->correct(), 1);
        EXPECT_FALSE(d.session->passRunning());
        EXPECT_TRUE(d.session->press(DrillButton::SayAgain).empty()); // the pass is over
    }
}

// A hear-only drill speaks each word twice and never shows it, skips the Learn animation, and
// leaves the word file, the statuses and the history exactly as the same drill shown would.
TEST(DrillSpeech, HearOnlyWritesWhatAShownDrillWrites)
{
    struct Outcome
    {
        std::vector<WordFileRecord> records;
        std::vector<int> statuses;
        std::vector<HistorySummary> history;
    };
    auto run = [](bool hearOnly, SoundDrill* d) {
        d->speechOn = true;
        d->hearOnly = hearOnly;
        d->open();
        d->play(d->session->press(DrillButton::Learn)); // hear only skips it
        d->play(d->session->press(DrillButton::Start));
        d->answerAll(d->pattern({ true, false, true }));
        EXPECT_TRUE(d->prompted(strings::kFinished));
        return Outcome { d->records(), d->listedStatuses(), d->history() };
    };
    const auto shownDrill = std::make_unique<SoundDrill>();
    const auto heardDrill = std::make_unique<SoundDrill>();
    const Outcome shown = run(false, shownDrill.get());
    const Outcome heard = run(true, heardDrill.get());

    ASSERT_EQ(heard.records.size(), 3u);
    ASSERT_EQ(shown.records.size(), heard.records.size());
    for (std::size_t i = 0; i < heard.records.size(); ++i) {
        EXPECT_EQ(heard.records[i].word, shown.records[i].word);
        EXPECT_EQ(heard.records[i].answer, shown.records[i].answer);
        EXPECT_EQ(heard.records[i].result, shown.records[i].result);
    }
    EXPECT_EQ(heard.statuses, shown.statuses);
    ASSERT_EQ(heard.history.size(), 1u);
    ASSERT_EQ(shown.history.size(), 1u);
    EXPECT_EQ(heard.history[0].words, shown.history[0].words);
    EXPECT_EQ(heard.history[0].correct, shown.history[0].correct);
    EXPECT_EQ(heard.history[0].listType, shown.history[0].listType);
    EXPECT_EQ(heard.history[0].level, shown.history[0].level);

    // Never shown: no prompt line holds a word until the first verdict.
    for (const DrillEffect& e : heardDrill->log) {
        if (e.kind != Kind::ShowPrompt)
            continue;
        if (e.text.rfind(strings::kYouHaveSpelt, 0) == 0)
            break;
        for (const WordFileRecord& r : heard.records)
            EXPECT_EQ(e.text.find(r.word), std::string::npos) << e.text;
    }
    EXPECT_TRUE(heardDrill->prompted(strings::kListen));
    EXPECT_FALSE(heardDrill->prompted(strings::kNowMemorise));
    EXPECT_EQ(effectsOf(heardDrill->log, Kind::Speak).size(), 6u); // twice each
    EXPECT_TRUE(heardDrill->messages().empty());
}

// Hear only never hides a word nobody can hear: with sound off, or a word without a recording
// while speech is off, the word is shown as usual and why is said once.
TEST(DrillSpeech, HearOnlyShowsAWordThatCannotBeHeard)
{
    struct Case
    {
        const char* name;
        bool soundUsable;
        bool speechOn;
    };
    const Case cases[] = {
        { "speech off, no recordings", true, false },
        { "no sound device", false, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drill d;
        d.hearOnly = true;
        d.speechOn = c.speechOn;
        d.open(c.soundUsable);
        d.play(d.session->press(DrillButton::Start));
        std::vector<std::string> words;
        d.answerAll([&](const std::string& w) {
            words.push_back(w);
            return w;
        });
        ASSERT_EQ(words.size(), 3u);
        for (const std::string& w : words)
            EXPECT_TRUE(d.prompted(w)) << w;
        EXPECT_FALSE(d.prompted(strings::kListen));
        const auto m = d.messages();
        EXPECT_EQ(std::count(m.begin(), m.end(), std::string(strings::kHearOnlyShown)), 1);
        EXPECT_EQ(d.session->correct(), 3);
    }
}

// --- Damaged word file ---------------------------------------------------------------------------

// A window list written by hand: `next` of the first record and the header's state as given.
void writeWindowList(Drill& d, std::uint32_t firstNext, int state)
{
    auto file = WordFile::open(d.folder.path(), 0, OpenMode::Create);
    ASSERT_TRUE(file);
    int i = 0;
    for (const char* w : { "CAT", "DOG" }) {
        WordFileRecord r;
        r.word = w;
        ASSERT_TRUE(
            file->appendListRecord(i++, r, ListState::kFreshWindow, 0, 2, ListType::Window));
    }
    ASSERT_TRUE(file->finishList(2, ListType::Window, ListState::kFreshWindow));
    WordFileRecord first;
    ASSERT_TRUE(file->readRecord(kWordFileHeaderSize, first));
    first.next = firstNext;
    ASSERT_NE(file->writeRecord(kWordFileHeaderSize, first), 0u);
    file->close();
    auto bytes = readBytes(paths::wordFile(d.folder.path(), '0'));
    bytes[4] = static_cast<std::uint8_t>(state); // the state field follows the first offset
    writeBytes(paths::wordFile(d.folder.path(), '0'), bytes);
    d.documents.beeWindowCount = 1;
    d.documents.beeListMade = true;
}

TEST(DrillSession, DamagedWordFilesEndThePassAndChangeNothing)
{
    {
        SCOPED_TRACE("a chain leading out of the file");
        Drill d;
        writeWindowList(d, 50000, ListState::kFreshWindow);
        d.open();
        d.play(d.session->press(DrillButton::Start));
        ASSERT_TRUE(d.waitingForAnswer());
        d.play(d.session->press(DrillButton::Enter, "CAT"));
        EXPECT_FALSE(d.session->passRunning());
        EXPECT_TRUE(d.prompted(strings::kPressStartOrRepeat));
        EXPECT_EQ(d.historyDrills(), 0);
        EXPECT_EQ(d.status("CAT"), 1);
    }
    {
        SCOPED_TRACE("an unknown list state");
        Drill d;
        writeWindowList(d, kWordFileLastRecord, 5);
        d.open();
        d.play(d.session->press(DrillButton::Start));
        EXPECT_FALSE(d.session->passRunning());
        const auto m = d.messages();
        EXPECT_NE(std::find(m.begin(), m.end(), strings::kListNotValid), m.end());
    }
    {
        SCOPED_TRACE("a repeat over a chain that loops");
        Drill d;
        writeWindowList(d, kWordFileHeaderSize, ListState::kSpeltOnce);
        d.setOptions([](ListOptionsRecord& o) {
            o.repeatAll = 0;
            o.repeatFailures = 1;
        });
        d.open();
        d.play(d.session->press(DrillButton::Repeat));
        EXPECT_FALSE(d.session->passRunning());
        EXPECT_EQ(d.historyDrills(), 0);
    }
}

// Another program changes the dictionary while a pass runs and does not, or cannot, mark the list
// used up: the results land on no word, the dictionary stays byte for byte, and the drill says
// why. The pass itself is recorded and the list can be repeated.
TEST(DrillSession, ResultsOfAListThatIsOutOfDateLandNowhere)
{
    const struct
    {
        const char* name;
        std::function<void(Drill&, const WordFileRecord& first)> change;
    } cases[] = {
        { "a listed word removed and a word of its length added in its record",
            [](Drill& d, const WordFileRecord& first) {
                auto file = openDictionaryFile(d.folder.file("progdata/sonddict.dis"), false);
                ASSERT_TRUE(file);
                const std::string newcomer = "ZZ" + std::string(first.word.size() - 2, 'Q');
                CurrentWordInfo info;
                std::uint32_t at = 0;
                ASSERT_EQ(RemoveWord(*file, first.word), RemoveResult::Removed);
                ASSERT_EQ(AddWord(*file, newcomer, info), AddResult::Added);
                ASSERT_EQ(FindWord(*file, newcomer, info, &at), FindResult::InMain);
                ASSERT_EQ(at, first.dictionaryOffset) << "the newcomer took the listed record";
            } },
        { "every list marked used up by a change",
            [](Drill& d, const WordFileRecord&) {
                auto file = openDictionaryFile(d.folder.file("progdata/sonddict.dis"), false);
                CurrentWordInfo info;
                ASSERT_EQ(AddWord(*file, "QUAY", info), AddResult::Added);
                ASSERT_TRUE(invalidateAllWordFiles(d.folder.path()));
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drill d;
        d.open();
        d.play(d.session->press(DrillButton::Start));
        ASSERT_TRUE(d.waitingForAnswer());
        c.change(d, d.records().at(0));
        const Bytes before = readBytes(d.folder.file("progdata/sonddict.dis"));
        d.answerAll(d.pattern({ true }));
        EXPECT_FALSE(d.session->passRunning());
        EXPECT_EQ(readBytes(d.folder.file("progdata/sonddict.dis")), before);
        const auto shown = std::find_if(d.log.begin(), d.log.end(), [](const DrillEffect& e) {
            return e.kind == Kind::Message && e.text == strings::kListOutOfDate;
        });
        ASSERT_NE(shown, d.log.end());
        EXPECT_EQ(shown->caption, strings::kInformation);
        const auto m = d.messages();
        EXPECT_EQ(std::find(m.begin(), m.end(), strings::kFailedToUpdateDictionary), m.end());
        EXPECT_EQ(d.historyDrills(), 1);
        EXPECT_EQ(d.header().state, ListState::kSpeltOnce);
    }
}

// --- Level adjustment ----------------------------------------------------------------------------

TEST(LevelAdjustment, LevelBand)
{
    struct Case
    {
        int lo, hi, level, percent;
    };
    for (const Case& c : { Case { 4, 6, 1, 60 }, Case { 5, 7, 1, 80 }, Case { 3, 4, 1, 20 },
             Case { 7, 9, 2, 25 }, Case { 10, 14, 3, 14 }, Case { 12, 37, 3, 100 },
             Case { 10, 12, 2, 100 }, Case { 12, 13, 3, 14 } }) {
        const LevelBand b = levelBand(c.lo, c.hi);
        EXPECT_EQ(levelNumber(b.level), c.level) << c.lo << ".." << c.hi;
        EXPECT_EQ(b.percent, c.percent) << c.lo << ".." << c.hi;
    }
}

TEST(LevelAdjustment, PromotionAndDemotionAreStrictAndBounded)
{
    struct Case
    {
        int percent, lo, hi;
        LevelChange change;
        int newLo, newHi;
    };
    for (const Case& c : {
             Case { 100, 4, 6, LevelChange::Promoted, 5, 7 },
             Case { 90, 4, 6, LevelChange::None, 4, 6 },
             Case { 10, 3, 4, LevelChange::None, 3, 4 },
             Case { 10, 5, 9, LevelChange::Demoted, 4, 8 },
             Case { 100, 12, 37, LevelChange::None, 12, 37 },
             Case { 100, 12, 20, LevelChange::Promoted, 12, 21 },
             Case { 20, 5, 9, LevelChange::None, 5, 9 },
         }) {
        int lo = c.lo, hi = c.hi;
        EXPECT_EQ(adjustLetters(c.percent, 90, 20, lo, hi), c.change) << c.percent;
        EXPECT_EQ(lo, c.newLo);
        EXPECT_EQ(hi, c.newHi);
    }
    EXPECT_EQ(passPercent(9, 10), 90);
    EXPECT_EQ(passPercent(2, 3), 66);
    EXPECT_EQ(passPercent(0, 0), 0);
}

TEST(LevelAdjustment, LevelQuestionRanges)
{
    struct Case
    {
        LevelAnswer answer;
        int lo, hi;
        bool ok;
        int newLo, newHi;
        const char* refusal;
    };
    for (const Case& c : {
             Case { LevelAnswer::Up, 10, 21, true, 12, 23, "" },
             Case { LevelAnswer::Up, 9, 22, true, 12, 37, "" },
             Case { LevelAnswer::Up, 4, 6, true, 6, 8, "" },
             Case { LevelAnswer::Up, 12, 37, false, 12, 37, strings::kNoMoreWords },
             Case { LevelAnswer::Down, 4, 5, true, 3, 4, "" },
             Case { LevelAnswer::Down, 3, 4, false, 3, 4, strings::kLowestLevel },
             Case { LevelAnswer::Down, 9, 25, true, 7, 21, "" },
         }) {
        int lo = c.lo, hi = c.hi;
        std::string refusal;
        EXPECT_EQ(levelQuestionRange(c.answer, lo, hi, refusal), c.ok) << c.lo << ".." << c.hi;
        EXPECT_EQ(lo, c.newLo);
        EXPECT_EQ(hi, c.newHi);
        EXPECT_EQ(refusal, c.refusal);
    }
}

struct AutoDrill : Drill
{
    explicit AutoDrill(int words, int lo, int hi)
        : Drill(makeWords(2 * words, lo, hi))
    {
        ListSetupRecord list = info.listSetup(0);
        list.listSize = std::to_string(words);
        list.minLetters = std::to_string(lo);
        list.maxLetters = std::to_string(hi);
        info.setListSetup(0, list);
        setOptions([](ListOptionsRecord& o) {
            o.adjustManual = 0;
            o.adjustAuto = 1;
        });
    }
    static std::vector<DictionaryEntry> makeWords(int count, int lo, int hi)
    {
        // Words of lengths inside the range, distinct: BAAB.., spread over buckets.
        std::vector<DictionaryEntry> out;
        const int length = std::clamp(lo + 1, lo, hi);
        for (int i = 0; i < count; ++i) {
            std::string w(static_cast<std::size_t>(length), 'A');
            w[0] = static_cast<char>('B' + i % 20);
            w[1] = static_cast<char>('A' + i / 20);
            w[2] = static_cast<char>('C' + i % 7);
            out.push_back(entry(w));
        }
        return out;
    }
};

TEST(LevelAdjustment, AutoPassPromotesAndWritesTwoHistoryRecords)
{
    AutoDrill d(10, 4, 6);
    d.open();
    d.play(d.session->press(DrillButton::Start));
    ASSERT_EQ(d.session->wordsInPass(), 10);
    d.answerAll(d.pattern({ true }));
    EXPECT_TRUE(d.prompted(strings::kPromoted));
    EXPECT_EQ(d.info.listSetup(0).minLetters, "5");
    EXPECT_EQ(d.info.listSetup(0).maxLetters, "7");
    EXPECT_EQ(d.session->displays().levelName, strings::kElementary);
    EXPECT_EQ(d.session->displays().levelPercent, 80);
    const auto h = d.history();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].minLetters, 4);
    EXPECT_EQ(h[1].minLetters, 5);
    EXPECT_EQ(h[1].levelPercent, 80);
    EXPECT_EQ(h[0].autoFlag, 1);
    // The new letters were saved at once.
    StartupInfo stored;
    ASSERT_EQ(ReadStartupInfo(stored, d.folder.path()), kStartupRead);
    EXPECT_EQ(stored.listSetup(0).maxLetters, "7");
}

TEST(LevelAdjustment, AutoPassAtTheThresholdChangesNothing)
{
    AutoDrill d(10, 4, 6);
    d.open();
    d.play(d.session->press(DrillButton::Start));
    d.answerAll(d.pattern({ true, true, true, true, true, true, true, true, true, false }));
    EXPECT_FALSE(d.prompted(strings::kPromoted));
    EXPECT_EQ(d.info.listSetup(0).maxLetters, "6");
    EXPECT_EQ(d.history().size(), 2u);
}

TEST(LevelAdjustment, AutoStartAsksTheLevelQuestionWhenNoWordFits)
{
    // Only ten-letter words, but the range asks for 4..7: no list, so the question comes; "No"
    // moves the range down to 3..5, still nothing; so Start fails with the Auto message.
    AutoDrill d(3, 9, 12);
    d.prompter.answers = { MessageAnswer::No };
    ListSetupRecord list = d.info.listSetup(0);
    list.minLetters = "4";
    list.maxLetters = "7";
    d.info.setListSetup(0, list);
    d.open();
    d.play(d.session->press(DrillButton::Start));
    EXPECT_FALSE(d.session->passRunning());
    ASSERT_FALSE(d.prompter.shown.empty());
    EXPECT_EQ(d.prompter.shown[0].text, strings::kLevelQuestion);
    EXPECT_EQ(d.prompter.shown[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(d.info.listSetup(0).minLetters, "3");
    EXPECT_EQ(d.info.listSetup(0).maxLetters, "5");
    const auto m = d.texts(Kind::Message);
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(
        m.back(), std::string(strings::kUnableToSetAuto) + " " + strings::kWordsGenerated + " 0");
}

// What a person reads comes in the order of the drill: the greeting before the level question
// (and the failed draw that led to it), the verdict before a warning about the history file.
TEST(DrillSession, MessagesAndQuestionsComeInTheirPlaceAmongTheTexts)
{
    // The first effect of this kind whose text ends with `text`.
    auto indexOf = [](const DrillEffects& log, Kind kind, const std::string& text) {
        for (std::size_t i = 0; i < log.size(); ++i) {
            const std::string& t = log[i].text;
            if (log[i].kind == kind && t.size() >= text.size()
                && t.compare(t.size() - text.size(), text.size(), text) == 0)
                return static_cast<long>(i);
        }
        return -1L;
    };
    {
        AutoDrill d(3, 9, 12);
        d.prompter.answers = { MessageAnswer::No };
        ListSetupRecord list = d.info.listSetup(0);
        list.minLetters = "4";
        list.maxLetters = "7";
        d.info.setListSetup(0, list);
        d.open();
        const std::size_t before = d.log.size();
        d.play(d.session->press(DrillButton::Start));
        const DrillEffects log(d.log.begin() + static_cast<long>(before), d.log.end());
        const long greeting = indexOf(log, Kind::ShowPrompt, strings::kGetReady);
        const long noList = indexOf(log, Kind::Message, strings::kUnableToGenerateList);
        const long question = indexOf(log, Kind::Question, strings::kLevelQuestion);
        ASSERT_GE(greeting, 0);
        ASSERT_GE(noList, 0);
        ASSERT_GE(question, 0);
        EXPECT_LT(greeting, noList);
        EXPECT_LT(noList, question);
        // Nothing else was said behind the person's back, outside the effects.
        ASSERT_EQ(d.prompter.shown.size(), 1u);
        EXPECT_EQ(d.prompter.shown[0].text, strings::kLevelQuestion);
        EXPECT_FALSE(d.session->questionPending());
    }
    {
        Drill d({ entry("CAT") });
        d.oneLetter('C');
        ASSERT_TRUE(QFile::remove(QString::fromStdString(d.folder.file("progdata/histuse0.his"))));
        d.open();
        d.play(d.session->press(DrillButton::Start));
        d.play(d.session->press(DrillButton::Enter, "CAT"));
        const long verdict = indexOf(d.log, Kind::ShowPrompt,
            std::string(strings::kYouHaveSpelt) + "CAT" + strings::kCorrectly);
        const long history = indexOf(d.log, Kind::Message, strings::kUnableToSaveHistory);
        ASSERT_GE(verdict, 0);
        ASSERT_GE(history, 0);
        EXPECT_LT(verdict, history);
        EXPECT_TRUE(d.prompter.shown.empty());
    }
}

// The light turns green as the answer box gets the focus, before the spoken request to type, so
// nothing typed while it speaks is lost; that request plays on while the person types.
TEST(DrillSession, TheAnswerIsAskedForBeforeTheRequestToTypeIsSpoken)
{
    Drill d({ entry("CAT") });
    d.oneLetter('C');
    for (int i = 0; i < kVoicePromptCount; ++i)
        std::ofstream(voicePromptPath(d.folder.path(), i, false)).put('\0');
    d.open();
    d.play(d.session->press(DrillButton::Start));
    ASSERT_TRUE(d.session->awaitingAnswer());
    const std::string request = voicePromptPath(d.folder.path(), prompt::kEnterAnswer, false);
    long green = -1, focus = -1, spoken = -1, limit = -1;
    for (std::size_t i = 0; i < d.log.size(); ++i) {
        const DrillEffect& e = d.log[i];
        if (e.kind == Kind::SetLight && e.value == 2)
            green = static_cast<long>(i);
        if (e.kind == Kind::Focus && e.value == static_cast<int>(DrillFocus::Answer))
            focus = static_cast<long>(i);
        if (e.kind == Kind::SetTimeLimit)
            limit = static_cast<long>(i);
        if (e.kind == Kind::Play && e.text == request) {
            spoken = static_cast<long>(i);
            EXPECT_TRUE(e.background);
        }
    }
    ASSERT_GE(spoken, 0);
    EXPECT_LT(limit, green);
    EXPECT_LT(green, focus);
    EXPECT_LT(focus, spoken);
    EXPECT_EQ(spoken, static_cast<long>(d.log.size()) - 1);
    // Every other sound holds the drill until it has played.
    for (const DrillEffect& e : d.log) {
        if (e.kind == Kind::Play && e.text != request) {
            EXPECT_FALSE(e.background) << e.text;
        }
    }
}

// --- Settings as the drill reads them ----------------------------------------------------------

TEST(DrillSettings, TextsReadingZeroOrBelowFallBack)
{
    Drill d;
    struct Case
    {
        const char* text;
        int seconds;
    };
    for (const Case& c : { Case { "0", 0 }, Case { "-5", 1 }, Case { "abc", 0 }, Case { "3", 3 },
             Case { " 7", 7 } }) {
        DisplaySetupRecord display = d.info.displaySetup(0);
        display.wordShowTime = display.answerDelay = display.spellTime = display.betweenWords
            = c.text;
        d.info.setDisplaySetup(0, display);
        const DrillSettings s = readDrillSettings(d.info, 0, d.documents);
        EXPECT_EQ(s.wordShowSeconds, c.seconds) << c.text;
        EXPECT_EQ(s.answerDelaySeconds, c.seconds) << c.text;
        EXPECT_EQ(s.spellSeconds, c.seconds) << c.text;
        EXPECT_EQ(s.betweenSeconds, c.seconds) << c.text;
    }
    ListSetupRecord list = d.info.listSetup(0);
    list.listSize = list.minLetters = list.maxLetters = "0";
    d.info.setListSetup(0, list);
    d.info.setPromotionThreshold("0");
    d.info.setDemotionThreshold("x");
    LearnSetupRecord learn = d.info.learnSetup(0);
    learn.continuousTime = learn.flashCountText = learn.rippleCountText = "0";
    learn.flashDurationText = learn.rippleDurationText = "";
    d.info.setLearnSetup(0, learn);
    d.info.setWorkingCategory(0, 70);
    EXPECT_EQ(readDrillSettings(d.info, 0, d.documents).category, 0);
    EXPECT_EQ(d.info.workingCategory(0), 70) << "reading leaves the record alone";
    EXPECT_TRUE(resetStrayWorkingCategory(d.info, 0));
    const DrillSettings s = readDrillSettings(d.info, 0, d.documents);
    EXPECT_EQ(s.listSize, 10);
    EXPECT_EQ(s.minLetters, 5);
    EXPECT_EQ(s.maxLetters, 9);
    EXPECT_EQ(s.promotionPercent, 90);
    EXPECT_EQ(s.demotionPercent, 40);
    EXPECT_EQ(s.continuousSeconds, 3);
    EXPECT_EQ(s.flashCount, 3);
    EXPECT_EQ(s.rippleCount, 2);
    EXPECT_EQ(s.flashDuration, 120);
    EXPECT_EQ(s.rippleDuration, 120);
    EXPECT_EQ(s.category, 0);
    EXPECT_EQ(d.info.workingCategory(0), 0); // repaired in the record too
}

// A damaged or hand-made record: every number the drill reads is bounded to what its field may
// hold, so "-5" words is not read as 65,531 (a list that ran for many minutes) and a display
// time of two billion seconds does not overflow into a negative wait.
TEST(DrillSettings, NumbersOutsideTheirRangeAreBounded)
{
    struct Case
    {
        const char* name;
        const char* text;
        std::function<void(StartupInfo&, const std::string&)> store;
        std::function<int(const DrillSettings&)> read;
        int expected;
    };
    auto list = [](std::string ListSetupRecord::*field) {
        return [field](StartupInfo& info, const std::string& text) {
            ListSetupRecord r = info.listSetup(0);
            r.*field = text;
            info.setListSetup(0, r);
        };
    };
    auto display = [](std::string DisplaySetupRecord::*field) {
        return [field](StartupInfo& info, const std::string& text) {
            DisplaySetupRecord r = info.displaySetup(0);
            r.*field = text;
            info.setDisplaySetup(0, r);
        };
    };
    auto learn = [](std::string LearnSetupRecord::*field) {
        return [field](StartupInfo& info, const std::string& text) {
            LearnSetupRecord r = info.learnSetup(0);
            r.*field = text;
            info.setLearnSetup(0, r);
        };
    };
    auto promotion = [](StartupInfo& info, const std::string& t) { info.setPromotionThreshold(t); };
    auto demotion = [](StartupInfo& info, const std::string& t) { info.setDemotionThreshold(t); };
    const Case cases[] = {
        { "list size below", "-5", list(&ListSetupRecord::listSize),
            [](const DrillSettings& s) { return s.listSize; }, 1 },
        { "list size above", "65531", list(&ListSetupRecord::listSize),
            [](const DrillSettings& s) { return s.listSize; }, 50 },
        { "list size beyond int", "99999999999999", list(&ListSetupRecord::listSize),
            [](const DrillSettings& s) { return s.listSize; }, 50 },
        { "minimum letters", "-1", list(&ListSetupRecord::minLetters),
            [](const DrillSettings& s) { return s.minLetters; }, 3 },
        { "maximum letters", "400", list(&ListSetupRecord::maxLetters),
            [](const DrillSettings& s) { return s.maxLetters; }, 37 },
        { "word shown", "2000000000", display(&DisplaySetupRecord::wordShowTime),
            [](const DrillSettings& s) { return s.wordShowSeconds; }, 20 },
        { "answer delay", "21", display(&DisplaySetupRecord::answerDelay),
            [](const DrillSettings& s) { return s.answerDelaySeconds; }, 20 },
        { "spelling time", "600", display(&DisplaySetupRecord::spellTime),
            [](const DrillSettings& s) { return s.spellSeconds; }, 90 },
        { "between words", "-2000000000", display(&DisplaySetupRecord::betweenWords),
            [](const DrillSettings& s) { return s.betweenSeconds; }, 1 },
        { "promotion", "250", promotion, [](const DrillSettings& s) { return s.promotionPercent; },
            100 },
        { "demotion", "-3", demotion, [](const DrillSettings& s) { return s.demotionPercent; }, 1 },
        { "continuous", "99", learn(&LearnSetupRecord::continuousTime),
            [](const DrillSettings& s) { return s.continuousSeconds; }, 15 },
        { "flashes", "70000", learn(&LearnSetupRecord::flashCountText),
            [](const DrillSettings& s) { return s.flashCount; }, 10 },
        { "ripples", "-7", learn(&LearnSetupRecord::rippleCountText),
            [](const DrillSettings& s) { return s.rippleCount; }, 1 },
        { "flash duration", "100000", learn(&LearnSetupRecord::flashDurationText),
            [](const DrillSettings& s) { return s.flashDuration; }, 500 },
        { "ripple duration", "-100", learn(&LearnSetupRecord::rippleDurationText),
            [](const DrillSettings& s) { return s.rippleDuration; }, 1 },
        // Inside its range a number is read as it stands.
        { "list size inside", "37", list(&ListSetupRecord::listSize),
            [](const DrillSettings& s) { return s.listSize; }, 37 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartupInfo info;
        FillStartupDefaults(info, std::string("/tmp/quorvel-unused"));
        c.store(info, c.text);
        const StartupInfo::Bytes before = info.bytes();
        const DrillSettings s = readDrillSettings(info, 0);
        EXPECT_EQ(c.read(s), c.expected);
        EXPECT_EQ(info.bytes(), before) << "bounded silently, the record as it was";
    }
}

// --- The answer box ------------------------------------------------------------------------------

TEST(AnswerGuard, KeepsEveryKeyOfTheAnswerAndReportsTheTimeOutOnce)
{
    AnswerGuard g;
    g.setLimit(1000);
    g.focused(10000);
    using V = AnswerGuard::Verdict;
    EXPECT_EQ(g.key('a', 10000), V::Accept); // at once: the answer has been asked for
    EXPECT_EQ(g.key('b', 10050), V::Accept);
    EXPECT_EQ(g.key('c', 11000), V::Accept);
    EXPECT_EQ(g.key('d', 11001), V::DropAndTimeOut);
    EXPECT_EQ(g.key('e', 11100), V::Drop);
    EXPECT_EQ(g.key('\r', 11200), V::Accept); // letters typed in time, entered late
    g.focused(0xFFFFFF00u); // the tick counter wraps during the answer
    EXPECT_EQ(g.key('f', 0x00000100u), V::Accept);
    EXPECT_EQ(g.key('g', 0x00000400u), V::DropAndTimeOut);
}

} // namespace
} // namespace quorvel::test
