// The Spelling Bee window on a temporary installation: a whole drill typed into the real window,
// the answer box's key guard, input held during the drill's waits, the colour schemes, Stop during
// a pass and while a list is drawn, and the sounds played through a fake device.

#include "drill/spelling_bee_window.h"

#include "common/monospace_font.h"
#include "common/ui_text.h"

#include "app/session.h"
#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "history/history_file.h"
#include "sound/sound_device.h"
#include "sound/sound_names.h"
#include "sound/speech.h"
#include "strings/drill_strings.h"
#include "strings/sound_strings.h"
#include "strings/spelling_bee_strings.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/drill_installation.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace quorvel::test {
namespace {

using ui::SpellingBeeWindow;

// Plays nothing; answers as scripted and counts its polls, so a sound "plays" for a few ticks.
class FakeSound final : public SoundDevice
{
public:
    std::vector<std::string> outputDevices() override { return { "Fake output" }; }
    std::vector<std::string> inputDevices() override { return {}; }
    PlayStart play(const std::string& path, std::string& error) override
    {
        if (m_pollsLeft > 0)
            ++cutShort;
        played.push_back(path);
        if (failWith.empty()) {
            m_pollsLeft = pollsPerSound;
            return PlayStart::Started;
        }
        error = failWith;
        return PlayStart::Failed;
    }
    PlayStart playSamples(const std::int16_t*, std::size_t count, int, std::string& error) override
    {
        return play("<speech " + std::to_string(count) + ">", error);
    }
    bool finished() override
    {
        if (m_pollsLeft == 0)
            return true;
        --m_pollsLeft;
        return false;
    }
    void waitUntilFinished() override { m_pollsLeft = 0; }
    void stop() override
    {
        if (m_pollsLeft > 0)
            ++stoppedWhilePlaying;
        m_pollsLeft = 0;
    }
    bool playing() const { return m_pollsLeft > 0; }
    std::string takePlayError() override { return {}; }

    std::vector<std::string> played;
    int cutShort = 0; // plays started before the previous one had finished
    int stoppedWhilePlaying = 0;
    std::string failWith; // every play fails with this text when set
    int pollsPerSound = 3;

private:
    int m_pollsLeft = 0;
};

// Speaks every word as a fixed number of samples per letter, so each spoken word is told apart.
class FakeSpeech final : public SpeechSynthesizer
{
public:
    bool available() override { return true; }
    std::string unavailableReason() override { return {}; }
    bool synthesize(const std::string& word, Language, SpeechSamples& out, std::string&) override
    {
        spoken.push_back(word);
        out.rate = 8000;
        out.samples.assign(word.size() * 100, 1000);
        return true;
    }
    std::vector<std::string> spoken;
};

// The drill installation with user 0's own display settings: no waits but the word's own time,
// 30 seconds to spell, the sound off.
struct Installation : DialogWorld
{
    FakeSound sound;

    explicit Installation(const char* wordShowTime = "0")
    {
        layOutDrillInstallation(folder, session.info, drillWords(), [&](StartupInfo& info) {
            DisplaySetupRecord display = info.displaySetup(0);
            display.wordShowTime = wordShowTime;
            display.spellTime = "30";
            info.setDisplaySetup(0, display);
            info.setSoundOn(0, 0);
        });
    }

    std::vector<WordFileEntry> listed()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        std::vector<WordFileEntry> entries;
        EXPECT_TRUE(file && file->readList(entries));
        return entries;
    }
    int listState()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        return file ? file->readState() : -1;
    }
    int status(const std::string& word)
    {
        auto file = openDictionaryFile(folder.file("progdata/sonddict.dis"), false, nullptr);
        CurrentWordInfo w;
        EXPECT_TRUE(file);
        EXPECT_TRUE(isFound(FindWord(*file, word, w))) << word;
        return w.status(0);
    }
    std::vector<HistorySummary> drills()
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
    // Every voice prompt of both sets, as empty files: the drill plays what exists.
    void installVoicePrompts()
    {
        for (int i = 0; i < kVoicePromptCount; ++i) {
            for (const bool uk : { true, false })
                std::ofstream(voicePromptPath(folder.path(), i, uk)).put('\0');
        }
    }
};

// The window opened directly, on a clock that moves only when told.
struct Window
{
    Installation& inst;
    FakeClock clock;
    DefaultRandomSource random;
    std::unique_ptr<SpellingBeeWindow> window;

    // With `speech`, words without a recording are spoken.
    explicit Window(Installation& installation, SoundDevice* sound = nullptr,
        SpeechSynthesizer* speech = nullptr)
        : inst(installation)
    {
        Session& s = inst.session;
        DrillContext drill { s.info, s.documents, 0, s.programFolder, clock, random };
        drill.speechOn = speech != nullptr;
        window = std::make_unique<SpellingBeeWindow>(inst.context, drill, sound, nullptr, speech);
        window->show();
    }
    DrillSession& session() { return window->session(); }
    template <typename T> T* get(const char* name) { return child<T>(window.get(), name); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    QLineEdit* answer() { return get<QLineEdit>("answerBox"); }
    QString prompt() { return get<QLabel>("promptLine")->text(); }
    int light() { return get<ui::TrafficLight>("trafficLight")->state(); }

    bool awaitingAnswer()
    {
        return QTest::qWaitFor(
            [&] {
                // Green: the word was shown and the box waits for the answer.
                return !window->carryingOut() && session().passRunning()
                    && session().pendingAction() == DrillAction::Present && session().light() == 2;
            },
            5000);
    }
    bool idle()
    {
        return QTest::qWaitFor(
            [&] { return !window->carryingOut() && !session().passRunning(); }, 5000);
    }
    void enter() { QTest::keyClick(answer(), Qt::Key_Return); }
};

TEST(SpellingBeeWindow, AWholeDrillTypedIntoTheWindowUpdatesTheListTheDictionaryAndTheHistory)
{
    Installation inst;
    std::vector<std::string> spelt;
    bool driven = false;
    onNextModal([&](QWidget* dialog) {
        auto* w = qobject_cast<SpellingBeeWindow*>(dialog);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(strings::kDrillCaption));
        auto* answer = child<QLineEdit>(w, "answerBox");
        child<QPushButton>(w, "startButton")->click();
        const auto awaiting = [&] {
            return QTest::qWaitFor(
                [&] {
                    return !w->carryingOut() && w->session().passRunning()
                        && w->session().pendingAction() == DrillAction::Present
                        && w->session().light() == 2;
                },
                5000);
        };
        ASSERT_TRUE(awaiting());
        EXPECT_EQ(child<QPushButton>(w, "enterButton")->text(),
            QString::fromLatin1(strings::kEnterLabel));
        // The list was drawn at random: the word file says what is asked, in chain order.
        const std::vector<WordFileEntry> list = inst.listed();
        ASSERT_EQ(list.size(), 3u);
        const bool right[] = { true, false, true };
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_TRUE(awaiting()) << i;
            EXPECT_EQ(w->session().currentWord(), list[i].record.word);
            EXPECT_EQ(child<ui::TrafficLight>(w, "trafficLight")->state(), 2);
            // Past the guard time after the box got the focus, as a person would be.
            QTest::qWait(260);
            const QString typed
                = right[i] ? QString::fromLatin1(list[i].record.word).toLower() : "wrongly";
            QTest::keyClicks(answer, typed);
            EXPECT_EQ(answer->text(), typed);
            QTest::keyClick(answer, Qt::Key_Return);
            spelt.push_back(list[i].record.word);
        }
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !w->carryingOut() && !w->session().passRunning(); }, 5000));
        EXPECT_EQ(child<QLabel>(w, "scoreCorrect")->text(), "2");
        EXPECT_EQ(child<QLabel>(w, "scoreWords")->text(), "3");
        EXPECT_EQ(child<QLabel>(w, "promptLine")->text(),
            QString::fromLatin1(strings::kPressStartOrRepeat));
        EXPECT_EQ(child<ui::TrafficLight>(w, "trafficLight")->state(), 0);
        // Quit.
        child<QPushButton>(w, "enterButton")->click();
        driven = true;
    });
    EXPECT_TRUE(ui::runSpellingBee(nullptr, inst.context, &inst.sound));
    ASSERT_TRUE(driven);
    ASSERT_EQ(spelt.size(), 3u);

    EXPECT_EQ(inst.listState(), ListState::kSpeltOnce);
    const std::vector<WordFileEntry> list = inst.listed();
    ASSERT_EQ(list.size(), 3u);
    std::vector<int> results;
    for (const auto& e : list)
        results.push_back(e.record.result);
    EXPECT_EQ(results, (std::vector<int> { 1, 0, 1 }));
    EXPECT_EQ(list[1].record.answer, "WRONGLY");
    // Right answers move a Neutral word up to Successful, the wrong one down to Failure.
    EXPECT_EQ(inst.status(spelt[0]), 2);
    EXPECT_EQ(inst.status(spelt[1]), 0);
    EXPECT_EQ(inst.status(spelt[2]), 2);
    const std::vector<HistorySummary> drills = inst.drills();
    ASSERT_EQ(drills.size(), 1u);
    EXPECT_EQ(drills[0].words, 3);
    EXPECT_EQ(drills[0].correct, 2);
    EXPECT_EQ(drills[0].listType, listTypeNumber(ListType::Random));
    // Nothing went wrong on the way, and the record on disk is the one in memory.
    EXPECT_TRUE(inst.prompter.shown.empty());
    StartupInfo saved;
    ASSERT_EQ(ReadStartupInfo(saved, inst.folder.path()), kStartupRead);
    EXPECT_EQ(saved.bytes(), inst.session.info.bytes());
}

TEST(SpellingBeeWindow, AFailedSaveOfTheRecordAfterTheDrillIsReported)
{
    Installation inst;
    // The data folder is gone by the time the window closes.
    inst.session.info.setDataFolder(inst.folder.file("missing"));
    onNextModal([](QWidget* dialog) { child<QPushButton>(dialog, "enterButton")->click(); });
    EXPECT_FALSE(ui::runSpellingBee(nullptr, inst.context, nullptr));
    ASSERT_EQ(inst.prompter.shown.size(), 1u);
    EXPECT_EQ(inst.prompter.shown[0].text, strings::kErrorWritingUserInfo);
    EXPECT_EQ(inst.prompter.shown[0].caption, strings::kWarning);
    EXPECT_EQ(inst.prompter.shown[0].icon, MessageIcon::Exclamation);
}

TEST(SpellingBeeWindow, EveryKeyOfTheAnswerCountsAndOnlyLettersAfterTheLimitEndTheWord)
{
    Installation inst;
    Window w(inst);
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());

    // Typed the moment the light turned green: every key is kept.
    EXPECT_EQ(w.light(), 2);
    const std::string first = w.session().currentWord();
    QTest::keyClicks(w.answer(), QString::fromLatin1(first));
    EXPECT_EQ(w.answer()->text(), QString::fromLatin1(first));
    w.enter();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_EQ(w.get<QLabel>("scoreCorrect")->text(), "1");

    // Typed in time and entered after the 30 seconds: judged, and right.
    const std::string second = w.session().currentWord();
    w.clock.advance(1000);
    QTest::keyClicks(w.answer(), QString::fromLatin1(second));
    w.clock.advance(30000);
    w.enter();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_EQ(w.session().correct(), 2);

    // A letter after the 30 seconds: dropped, says so, and the word counts as wrong.
    w.clock.advance(30001);
    QTest::keyClicks(w.answer(), "x");
    EXPECT_EQ(w.answer()->text(), QString::fromLatin1(strings::kOutOfTime));
    ASSERT_TRUE(w.idle());
    EXPECT_EQ(w.session().correct(), 2);
    const std::vector<WordFileEntry> list = inst.listed();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].record.result, 1);
    EXPECT_EQ(list[2].record.result, 0);
    EXPECT_EQ(list[2].record.answer, "");
}

// The spoken request to type the answer takes seconds; the light is green and the box takes keys
// from its first word on, and an Enter typed before it ends judges the answer at once.
TEST(SpellingBeeWindow, AnAnswerTypedWhileTheRequestIsSpokenIsKept)
{
    Installation inst;
    inst.session.info.setSoundOn(0, 1);
    inst.installVoicePrompts();
    inst.sound.pollsPerSound = 1000000; // a sound that would take hours at the window's pace
    const bool uk = inst.session.info.listOptions(0).languageUK == 1;
    const std::string request = voicePromptPath(inst.folder.path(), prompt::kEnterAnswer, uk);
    Window w(inst, &inst.sound);
    w.button("startButton")->click();
    // The words' own sounds play out; here only "Please" and the stand-in for the word come
    // first, each of which the fake lets end once the test has seen it.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (inst.sound.playing() && inst.sound.played.back() != request)
                inst.sound.stop();
            return inst.sound.playing() && inst.sound.played.back() == request;
        },
        5000));
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_EQ(w.light(), 2);
    EXPECT_FALSE(w.window->carryingOut());
    const std::string word = w.session().currentWord();
    QTest::keyClicks(w.answer(), QString::fromLatin1(word));
    EXPECT_EQ(w.answer()->text(), QString::fromLatin1(word));
    EXPECT_TRUE(inst.sound.playing()); // still speaking
    w.enter();
    EXPECT_EQ(w.session().pendingAction(), DrillAction::Check);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.session().correct() == 1; }, 5000));
    // The praise that followed cut the request short.
    EXPECT_GE(inst.sound.cutShort, 1);
}

TEST(SpellingBeeWindow, InputDuringAWaitIsHeldAndHandledAfterIt)
{
    Installation inst("1"); // each word is shown for a second
    Window w(inst);
    w.button("startButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.window->carryingOut() && w.light() == 1; }, 5000));
    EXPECT_EQ(w.prompt(), QString::fromLatin1(w.session().currentWord()));

    w.button("learnButton")->click();
    QTest::keyClicks(w.answer(), "ab");
    EXPECT_FALSE(w.session().learnOn());
    EXPECT_EQ(w.window->heldCount(), 3u);
    EXPECT_EQ(w.answer()->text(), "");

    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_TRUE(w.session().learnOn());
    EXPECT_EQ(w.button("learnButton")->text(), QString::fromLatin1(strings::kLearnOnLabel));
    // The keys reached the box only after it got the focus for the answer: typed ahead, lost.
    EXPECT_EQ(w.window->heldCount(), 0u);
    EXPECT_EQ(w.answer()->text(), "");
}

TEST(SpellingBeeWindow, TheColourButtonCyclesFromTheLastSchemeToThePalette)
{
    Installation inst;
    inst.session.info.setDrillWindowLayout(0, 5);
    Window w(inst);
    QLineEdit* answer = w.answer();
    QLabel* score = w.get<QLabel>("scoreCorrect");
    EXPECT_EQ(answer->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(answer->palette().color(QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(score->palette().color(QPalette::Text), QColor(255, 255, 0));

    w.button("coloursButton")->click();
    EXPECT_EQ(w.session().colourScheme(), 0);
    EXPECT_EQ(inst.session.info.drillWindowLayout(0), 0);
    const QLineEdit plain;
    EXPECT_EQ(answer->palette().color(QPalette::Base), plain.palette().color(QPalette::Base));
    EXPECT_EQ(answer->palette().color(QPalette::Text), plain.palette().color(QPalette::Text));

    w.button("coloursButton")->click();
    EXPECT_EQ(inst.session.info.drillWindowLayout(0), 1);
    EXPECT_EQ(answer->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(w.get<QLabel>("promptLine")->palette().color(QPalette::Text), QColor(0, 0, 0));
}

TEST(SpellingBeeWindow, StopDuringAPassReturnsToIdleWithoutTouchingDictionaryOrHistory)
{
    Installation inst;
    Window w(inst);
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());
    w.clock.advance(500);
    QTest::keyClicks(w.answer(), QString::fromLatin1(w.session().currentWord()));

    w.button("stopButton")->click();
    EXPECT_EQ(w.prompt(), QString::fromLatin1(strings::kUserStopped));
    ASSERT_TRUE(w.idle());
    EXPECT_EQ(w.prompt(), QString::fromLatin1(strings::kPressStartOrRepeat));
    EXPECT_EQ(w.light(), 0);
    EXPECT_EQ(w.button("enterButton")->text(), QString::fromLatin1(strings::kQuitLabel));
    EXPECT_EQ(inst.listState(), ListState::kFreshDictionary);
    for (const WordFileEntry& e : inst.listed())
        EXPECT_EQ(inst.status(e.record.word), 1) << e.record.word;
    EXPECT_TRUE(inst.drills().empty());
    EXPECT_TRUE(w.window->isVisible());
}

// Stop and the close box do not sit out the word's presentation: the sound playing is cut and
// the waits still to come are dropped.
TEST(SpellingBeeWindow, StopAndCloseActAtOnceDuringThePresentation)
{
    for (const bool close : { false, true }) {
        SCOPED_TRACE(close ? "close" : "stop");
        Installation inst("20"); // each word stays on the screen for 20 seconds
        inst.session.info.setSoundOn(0, 1);
        inst.installVoicePrompts();
        inst.sound.pollsPerSound = 1000000;
        Window w(inst, &inst.sound);
        w.button("startButton")->click();
        // "Please" is playing, with the word's presentation still to come.
        ASSERT_TRUE(QTest::qWaitFor([&] { return inst.sound.playing(); }, 5000));
        ASSERT_TRUE(w.window->carryingOut());
        QElapsedTimer clock;
        clock.start();
        if (close) {
            w.window->close();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.window->isVisible(); }, 5000));
            EXPECT_FALSE(w.session().passRunning());
        } else {
            w.button("stopButton")->click();
            EXPECT_EQ(w.prompt(), QString::fromLatin1(strings::kUserStopped));
            // Nothing of the stopped word's presentation shows: no green light, no request.
            EXPECT_NE(w.light(), 2);
            ASSERT_TRUE(w.idle());
            EXPECT_TRUE(w.window->isVisible());
        }
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(inst.sound.stoppedWhilePlaying, 1);
        EXPECT_FALSE(inst.sound.playing());
        EXPECT_EQ(inst.listState(), ListState::kFreshDictionary);
        EXPECT_TRUE(inst.drills().empty());
    }
}

TEST(SpellingBeeWindow, ClosingTheWindowDuringAPassStopsItFirst)
{
    Installation inst;
    Window w(inst);
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());
    w.window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.window->isVisible(); }, 5000));
    EXPECT_EQ(w.window->result(), QDialog::Accepted);
    EXPECT_FALSE(w.session().passRunning());
    EXPECT_EQ(inst.listState(), ListState::kFreshDictionary);
    EXPECT_TRUE(inst.drills().empty());
}

TEST(SpellingBeeWindow, StopWhileTheListIsDrawnKeepsTheWordsFoundSoFar)
{
    Installation inst;
    Window w(inst);
    // Clicked from the event loop, which runs between the words of the list being drawn.
    QTimer::singleShot(0, w.button("stopButton"), &QPushButton::click);
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_EQ(w.session().wordsInPass(), 1);
    EXPECT_EQ(inst.listed().size(), 1u);
    EXPECT_EQ(w.get<QLabel>("scoreWords")->text(), "1");
}

// The close box between the words of a list being drawn: the list ends, its pass is stopped
// before a word is asked, and the window closes with nothing written but the short list.
TEST(SpellingBeeWindow, ClosingTheWindowWhileTheListIsDrawnStopsAndCloses)
{
    Installation inst;
    Window w(inst);
    QTimer::singleShot(0, w.window.get(), &QWidget::close);
    w.button("startButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.window->isVisible(); }, 5000));
    EXPECT_EQ(w.window->result(), QDialog::Accepted);
    EXPECT_FALSE(w.session().busy());
    EXPECT_FALSE(w.session().passRunning());
    EXPECT_EQ(w.session().wordsInPass(), 1);
    EXPECT_EQ(inst.listState(), ListState::kFreshDictionary);
    EXPECT_TRUE(inst.drills().empty());
    EXPECT_TRUE(inst.prompter.shown.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the draw's wait cursor is gone
}

TEST(SpellingBeeWindow, SoundsPlayToTheirEndInOrderBeforeTheAnswerIsAskedFor)
{
    Installation inst;
    inst.session.info.setSoundOn(0, 1);
    inst.installVoicePrompts();
    Window w(inst, &inst.sound);
    EXPECT_EQ(w.button("soundButton")->text(), QString::fromLatin1(strings::kDrillSoundOn));
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());
    const bool uk = inst.session.info.listOptions(0).languageUK == 1;
    // "Please", the stand-in for a word without a recording, "enter your answer".
    EXPECT_EQ(inst.sound.played,
        (std::vector<std::string> { voicePromptPath(inst.folder.path(), prompt::kPlease, uk),
            voicePromptPath(inst.folder.path(), prompt::kFollowing, uk),
            voicePromptPath(inst.folder.path(), prompt::kEnterAnswer, uk) }));
    EXPECT_EQ(inst.sound.cutShort, 0);
    EXPECT_TRUE(inst.prompter.shown.empty());
}

// Say it again, by F5 or by its button, while the answer is awaited: the word is spoken once more
// and the typed letters, the focus and the time limit stay as they were.
TEST(SpellingBeeWindow, SayItAgainSpeaksTheWordOnceMoreAndLeavesTheAnswerAlone)
{
    for (const bool byKey : { true, false }) {
        SCOPED_TRACE(byKey ? "F5" : "button");
        Installation inst;
        inst.session.info.setSoundOn(0, 1);
        FakeSpeech speech;
        Window w(inst, &inst.sound, &speech);
        // F5 is the window's shortcut: it reaches the window that is active.
        QApplication::setActiveWindow(w.window.get());
        const auto sayAgain = [&] {
            if (byKey)
                QTest::keyClick(w.answer(), Qt::Key_F5);
            else
                w.button("sayAgainButton")->click();
        };
        // Before a word is asked there is nothing to say.
        sayAgain();
        EXPECT_TRUE(inst.sound.played.empty());

        w.button("startButton")->click();
        ASSERT_TRUE(w.awaitingAnswer());
        const std::string word = w.session().currentWord();
        const std::string lower = QString::fromLatin1(word).toLower().toStdString();
        ASSERT_EQ(speech.spoken, std::vector<std::string> { lower });
        const std::size_t playedBefore = inst.sound.played.size();
        const std::string spokenSound = "<speech " + std::to_string(lower.size() * 100) + ">";
        EXPECT_EQ(std::count(inst.sound.played.begin(), inst.sound.played.end(), spokenSound), 1);

        w.clock.advance(5000);
        QTest::keyClicks(w.answer(), "ab");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return w.get<QLabel>("countdown")->text() == ui::uiText(strings::kTimeLeft).arg(25);
            },
            2000));
        sayAgain();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.window->carryingOut(); }, 5000));
        EXPECT_EQ(speech.spoken, (std::vector<std::string> { lower, lower }));
        ASSERT_EQ(inst.sound.played.size(), playedBefore + 1);
        EXPECT_EQ(inst.sound.played.back(), spokenSound);
        EXPECT_EQ(w.answer()->text(), "ab");
        EXPECT_EQ(w.window->focusWidget(), w.answer());
        EXPECT_EQ(w.session().pendingAction(), DrillAction::Present);
        EXPECT_EQ(w.get<QLabel>("countdown")->text(), ui::uiText(strings::kTimeLeft).arg(25));
        // The limit still counts from when the word was first asked for: a letter past its 30
        // seconds ends the word.
        w.clock.advance(25'001);
        QTest::keyClicks(w.answer(), "c");
        EXPECT_EQ(w.answer()->text(), QString::fromLatin1(strings::kOutOfTime));
        ASSERT_TRUE(w.awaitingAnswer());
        EXPECT_NE(w.session().currentWord(), word);
        EXPECT_EQ(w.session().correct(), 0);
        EXPECT_TRUE(inst.prompter.shown.empty());
    }
}

TEST(SpellingBeeWindow, AFailedSoundIsReportedOnceAndSwitchesTheWindowsSoundOff)
{
    Installation inst;
    inst.session.info.setSoundOn(0, 1);
    inst.installVoicePrompts();
    inst.sound.failWith = "The device has gone away.";
    Window w(inst, &inst.sound);
    w.button("startButton")->click();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_EQ(inst.sound.played.size(), 1u);
    ASSERT_EQ(inst.prompter.shown.size(), 1u);
    EXPECT_EQ(inst.prompter.shown[0].text, "The device has gone away.");
    EXPECT_EQ(inst.prompter.shown[0].caption, strings::kErrorOpeningWaveform);
    EXPECT_FALSE(w.session().soundOn());
    EXPECT_EQ(w.button("soundButton")->text(), QString::fromLatin1(strings::kDrillSoundOff));

    // Switched on again, the next sound tries the device anew.
    w.button("soundButton")->click();
    EXPECT_EQ(w.button("soundButton")->text(), QString::fromLatin1(strings::kDrillSoundOn));
    inst.sound.failWith.clear();
    w.clock.advance(500);
    w.enter();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_GT(inst.sound.played.size(), 1u);
    EXPECT_EQ(inst.prompter.shown.size(), 1u);
}

TEST(SpellingBeeWindow, ControlsCarryTheirNamesLabelsAndKeyboardAccess)
{
    Installation inst;
    Window w(inst);
    for (const char* name : { "answerBox", "promptLine", "startButton", "stopButton",
             "repeatButton", "enterButton", "helpButton", "soundButton", "failuresButton",
             "learnButton", "coloursButton", "wordNumber", "scoreCorrect", "scoreWords",
             "learnMode", "levelName", "levelPercent", "progressBar", "trafficLight" }) {
        QWidget* widget = w.get<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        const QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(access, nullptr) << name;
        EXPECT_FALSE(access->text(QAccessible::Name).isEmpty()) << name;
    }
    // A window just opened starts the drill on Enter.
    EXPECT_TRUE(w.button("startButton")->isDefault());
    // It fits a 1366 × 768 screen at double scale (683 × 384 in the window's own pixels).
    EXPECT_LE(w.window->minimumSizeHint().width(), 683);
    EXPECT_LE(w.window->minimumSizeHint().height(), 384);
    EXPECT_EQ(w.answer()->maxLength(), 36);
    // Monospaced by measure: every character the same width (whatever flag the font carries).
    EXPECT_TRUE(ui::hasEqualAdvances(w.get<QLabel>("promptLine")->font()))
        << QFontInfo(w.get<QLabel>("promptLine")->font()).family().toStdString();
    EXPECT_FALSE(ui::hasEqualAdvances(QFontDatabase::systemFont(QFontDatabase::GeneralFont)));
    EXPECT_EQ(w.prompt(), QString::fromLatin1(strings::kPressStartOrRepeat));
    EXPECT_EQ(w.light(), 0);
    // Every push button has its own mnemonic.
    QSet<QChar> mnemonics;
    for (QPushButton* b : w.window->findChildren<QPushButton*>()) {
        const QString t = b->text();
        const qsizetype at = t.indexOf(QLatin1Char('&'));
        if (at < 0)
            continue;
        EXPECT_FALSE(mnemonics.contains(t.at(at + 1).toLower())) << t.toStdString();
        mnemonics.insert(t.at(at + 1).toLower());
    }
    EXPECT_EQ(mnemonics.size(), 11); // Say it again included

    w.button("helpButton")->click();
    EXPECT_EQ(inst.help.contexts, (std::vector<int> { 3200 }));
}

// Enter in a window that has just opened starts the drill; at the end the summary lists each
// missed word beside what was typed, and Practise these spells exactly those words.
TEST(SpellingBeeWindow, TheSummaryListsMissedWordsAndPractiseTheseSpellsThem)
{
    Installation inst;
    Window w(inst);
    ASSERT_TRUE(w.idle());
    auto* summary = w.get<QWidget>("summaryPanel");
    auto* practise = w.button("practiseButton");
    EXPECT_TRUE(summary->isHidden());
    EXPECT_TRUE(w.button("startButton")->isDefault());
    w.enter();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_TRUE(w.button("enterButton")->isDefault());
    // The countdown shows the seconds left, for the eye and for a screen reader.
    auto* countdown = w.get<QLabel>("countdown");
    EXPECT_EQ(countdown->text(), ui::uiText(strings::kTimeLeft).arg(30));
    w.clock.advance(10'000);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return countdown->text() == ui::uiText(strings::kTimeLeft).arg(20); }, 2000));

    const std::vector<WordFileEntry> list = inst.listed();
    ASSERT_EQ(list.size(), 3u);
    const QString typed[] = { "wrongly", QString::fromLatin1(list[1].record.word), "" };
    for (const QString& t : typed) {
        ASSERT_TRUE(w.awaitingAnswer());
        QTest::keyClicks(w.answer(), t);
        w.enter();
    }
    ASSERT_TRUE(w.idle());
    EXPECT_TRUE(countdown->text().isEmpty());
    ASSERT_FALSE(summary->isHidden());
    auto* missed = w.get<QTreeWidget>("missedList");
    ASSERT_EQ(missed->topLevelItemCount(), 2);
    EXPECT_EQ(missed->topLevelItem(0)->text(0), "WRONGLY");
    EXPECT_EQ(missed->topLevelItem(0)->text(1), QString::fromLatin1(list[0].record.word));
    EXPECT_EQ(missed->topLevelItem(1)->text(0), ui::uiText(strings::kNothingTyped));
    EXPECT_EQ(missed->topLevelItem(1)->text(1), QString::fromLatin1(list[2].record.word));
    EXPECT_FALSE(practise->isHidden());

    practise->click();
    ASSERT_TRUE(w.awaitingAnswer());
    EXPECT_TRUE(summary->isHidden());
    const std::vector<WordFileEntry> practised = inst.listed();
    ASSERT_EQ(practised.size(), 2u);
    EXPECT_EQ(practised[0].record.word, list[0].record.word);
    EXPECT_EQ(practised[1].record.word, list[2].record.word);
    for (std::size_t i = 0; i < practised.size(); ++i) {
        ASSERT_TRUE(w.awaitingAnswer());
        QTest::keyClicks(w.answer(), QString::fromLatin1(practised[i].record.word));
        w.enter();
    }
    ASSERT_TRUE(w.idle());
    // Nothing missed this time: the cheerful line, no list and no Practise these.
    ASSERT_FALSE(summary->isHidden());
    EXPECT_EQ(w.get<QLabel>("summaryHeading")->text(), ui::uiText(strings::kNothingMissed));
    EXPECT_TRUE(practise->isHidden());
    const std::vector<HistorySummary> drills = inst.drills();
    ASSERT_EQ(drills.size(), 2u);
    EXPECT_EQ(drills[1].words, 2);
    EXPECT_EQ(drills[1].correct, 2);
    EXPECT_EQ(drills[1].listType, listTypeNumber(ListType::Failures));
    // Escape quits an idle window.
    QTest::keyClick(w.window.get(), Qt::Key_Escape);
    EXPECT_TRUE(w.session().closed());
}

} // namespace
} // namespace quorvel::test
