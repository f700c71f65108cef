#include "app/session.h"
#include "config/user_settings.h"
#include "dictionary_tools/browser_dialog.h"
#include "documents/scrap_pad.h"
#include "platform/paths.h"
#include "sound/sound_device.h"
#include "sound/sound_names.h"
#include "strings/browser_strings.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/modal.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

using ui::BrowserDialog;

// Plays nothing: a sound lasts as many polls as asked, and a stop is counted.
class FakeSound final : public SoundDevice
{
public:
    std::vector<std::string> outputDevices() override { return { "Fake output" }; }
    std::vector<std::string> inputDevices() override { return {}; }
    PlayStart play(const std::string& path, std::string&) override
    {
        played.push_back(path);
        m_pollsLeft = pollsPerSound;
        return PlayStart::Started;
    }
    PlayStart playSamples(const std::int16_t*, std::size_t, int, std::string&) override
    {
        return PlayStart::Started;
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
    std::string takePlayError() override { return {}; }
    bool playing() const { return m_pollsLeft > 0; }

    std::vector<std::string> played;
    int pollsPerSound = 3;
    int stoppedWhilePlaying = 0;

private:
    int m_pollsLeft = 0;
};

bool waitFor(const std::function<bool()>& condition, int ms = 4000)
{
    for (int waited = 0; waited < ms; waited += 10) {
        if (condition())
            return true;
        QTest::qWait(10);
    }
    return condition();
}

// User 0 browses words of 3 to 10 letters, starting at CAT, with no display waits and two
// seconds to spell.
struct BrowserDialogFixture : ::testing::Test, DialogWorld
{
    SystemClock clock;
    DefaultRandomSource random;

    void SetUp() override
    {
        std::vector<DictionaryEntry> words;
        for (const char* w : { "CAT", "DOG", "EMU" }) {
            words.push_back(entry(w));
            words.back().soundFlag = 1;
            words.back().soundIndex = 3;
        }
        writeBytes(paths::dictionaryFile(folder.path()), buildDictionaryImage(words));
        StartupInfo& info = session.info;
        ListSetupRecord list = info.listSetup(0);
        list.minLetters = "3";
        list.maxLetters = "10";
        info.setListSetup(0, list);
        DisplaySetupRecord display = info.displaySetup(0);
        display.wordShowTime = display.betweenWords = "0";
        display.spellTime = "2";
        info.setDisplaySetup(0, display);
        info.setBrowseWord(0, "CAT");
        info.setSoundOn(0, 0);
        ASSERT_TRUE(SaveStartupInfo(info));
    }

    std::unique_ptr<BrowserDialog> makeDialog(SoundDevice* sound = nullptr)
    {
        auto dialog = std::make_unique<BrowserDialog>(context,
            BrowserContext { session.info, session.documents, 0, folder.path(), clock, random },
            sound);
        dialog->show();
        return dialog;
    }
    static QPushButton* button(QWidget* dialog, const char* name)
    {
        auto* b = child<QPushButton>(dialog, name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    static QString field(QWidget* dialog) { return child<QLineEdit>(dialog, "wordField")->text(); }
    static QString status(QWidget* dialog) { return child<QLabel>(dialog, "statusLine")->text(); }
};

TEST_F(BrowserDialogFixture, SlideShowRunsOnTheTimerUntilStopped)
{
    auto dialog = makeDialog();
    EXPECT_EQ(field(dialog.get()), "CAT");
    EXPECT_EQ(status(dialog.get()), strings::kBrowseStart);
    EXPECT_EQ(child<QLabel>(dialog.get(), "speedDisplay")->text(), "8");
    EXPECT_EQ(child<QLabel>(dialog.get(), "orderSwitch")->text(), strings::kBrowseOrderRandom);

    dialog->show();
    QApplication::processEvents();
    const QSize size = dialog->size();
    button(dialog.get(), "orderButton")->click();
    EXPECT_EQ(child<QLabel>(dialog.get(), "orderSwitch")->text(), strings::kBrowseOrderSequence);
    QApplication::processEvents();
    EXPECT_EQ(dialog->size(), size) << "the window keeps its size as the switch changes";
    button(dialog.get(), "playButton")->click();
    EXPECT_EQ(field(dialog.get()), "DOG");
    EXPECT_TRUE(dialog->timerActive());
    auto* lamps = dialog->findChild<ui::BrowserLampsWidget*>();
    ASSERT_TRUE(lamps);
    EXPECT_TRUE(lamps->lamps().play);
    // The next word comes from the timer, the window painting meanwhile.
    EXPECT_TRUE(waitFor([&] { return field(dialog.get()) == "EMU"; }));
    EXPECT_TRUE(waitFor([&] { return field(dialog.get()) == "CAT"; }));

    button(dialog.get(), "stopButton")->click();
    EXPECT_EQ(status(dialog.get()), strings::kBrowseStopped);
    EXPECT_FALSE(dialog->timerActive());
    EXPECT_TRUE(lamps->lamps().stopped());
    const QString stoppedAt = field(dialog.get());
    QTest::qWait(700);
    EXPECT_EQ(field(dialog.get()), stoppedAt);
}

TEST_F(BrowserDialogFixture, ASoundHoldsTheNextStepAndStopCutsIt)
{
    FakeSound sound;
    sound.pollsPerSound = 100000; // a sound that would not end by itself within the test
    const std::string recordings = folder.path() + "/waveform/";
    session.info.setWaveformPath(recordings);
    const std::string dog = *wordRecordingPath(recordings, "DOG", 3);
    QDir().mkpath(QString::fromStdString(dog.substr(0, dog.rfind('/'))));
    writeBytes(dog, { 'R', 'I', 'F', 'F' });

    session.info.setSoundOn(0, 1);
    auto dialog = makeDialog(&sound);
    button(dialog.get(), "orderButton")->click();
    button(dialog.get(), "goButton")->click();
    EXPECT_EQ(field(dialog.get()), "DOG");
    ASSERT_EQ(sound.played, std::vector<std::string> { dog });
    // While the word sounds, the step after it waits, and a click on I waits too.
    button(dialog.get(), "fasterButton")->click();
    QTest::qWait(300);
    EXPECT_TRUE(sound.playing());
    EXPECT_FALSE(dialog->timerActive());
    EXPECT_EQ(status(dialog.get()), strings::kBrowseStart);

    button(dialog.get(), "stopButton")->click();
    EXPECT_EQ(sound.stoppedWhilePlaying, 1);
    EXPECT_EQ(status(dialog.get()), strings::kBrowseStopped);
    EXPECT_FALSE(dialog->timerActive());
}

TEST_F(BrowserDialogFixture, SingleStepTestIsTypedAndEnterChecksIt)
{
    auto dialog = makeDialog();
    auto* word = child<QLineEdit>(dialog.get(), "wordField");
    button(dialog.get(), "orderButton")->click();
    button(dialog.get(), "testButton")->click();
    button(dialog.get(), "goButton")->click();
    EXPECT_EQ(word->text(), "");
    ASSERT_TRUE(waitFor([&] { return dialog->browser().awaitingSpelling(); }));
    EXPECT_EQ(status(dialog.get()), strings::kBrowseSpellIt);
    word->setText(QStringLiteral("CAT"));
    QTest::keyClick(word, Qt::Key_Return);
    EXPECT_EQ(status(dialog.get()), strings::kBrowseSpeltRight);
    // After the verdict: the next word, to be tested with G, and the focus on S.
    ASSERT_TRUE(waitFor([&] { return status(dialog.get()) == strings::kBrowseTestThisWord; }));
    EXPECT_EQ(word->text(), "DOG");
    EXPECT_FALSE(dialog->browser().dictionaryOpen());

    // Enter on S stops the test.
    button(dialog.get(), "stopButton")->setFocus();
    QTest::keyClick(button(dialog.get(), "stopButton"), Qt::Key_Return);
    EXPECT_FALSE(dialog->browser().singleStep());
    EXPECT_EQ(status(dialog.get()), strings::kBrowseStopped);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(BrowserDialogFixture, WithoutASoundCardSoundStaysOff)
{
    session.info.setSoundOn(0, 1);
    auto dialog = makeDialog(nullptr);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
        "Sorry, I cannot recognize your sound card, I must disable the sound.");
    auto* sound = child<QLabel>(dialog.get(), "soundSwitch");
    EXPECT_EQ(sound->text(), strings::kBrowseSoundOff);
    button(dialog.get(), "soundButton")->click();
    EXPECT_EQ(sound->text(), strings::kBrowseSoundOff);
    EXPECT_FALSE(dialog->browser().soundOn());
}

TEST_F(BrowserDialogFixture, VAddsTheWordToThePageFileOrTheOpenScrapPad)
{
    auto dialog = makeDialog();
    auto* word = child<QLineEdit>(dialog.get(), "wordField");
    const std::string page = scrapPadFile(folder.path(), 0, 0);
    writeBytes(page, { 'a', 'n', 't', '\r', '\n' });

    word->setText(QStringLiteral("DOG"));
    button(dialog.get(), "scrapPadButton")->click();
    EXPECT_EQ(status(dialog.get()), strings::kBrowseWordAdded);
    const std::string text = "ant\r\n DOG\r\n";
    EXPECT_EQ(readBytes(page), Bytes(text.begin(), text.end()));

    word->setText(QStringLiteral("D0G"));
    button(dialog.get(), "scrapPadButton")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kBrowseUnableToAdd);

    // An open scrap pad takes the line; the file is left to it.
    std::vector<std::string> lines;
    dialog->setScrapPadSink([&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    session.documents.scrapPadOpen = true;
    word->setText(QStringLiteral("EMU"));
    button(dialog.get(), "scrapPadButton")->click();
    EXPECT_EQ(lines, std::vector<std::string> { " EMU\r\n" });
    EXPECT_EQ(readBytes(page), Bytes(text.begin(), text.end()));
}

TEST_F(BrowserDialogFixture, ClosingKeepsTheWordInTheSavedRecord)
{
    bool shown = false;
    onNextModal([&](QWidget* dialog) {
        shown = true;
        button(dialog, "orderButton")->click();
        button(dialog, "goButton")->click();
        EXPECT_EQ(field(dialog), "DOG");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(ui::runBrowser(context, nullptr, {}));
    EXPECT_TRUE(shown);
    EXPECT_EQ(savedRecord().browseWord(0), "DOG");
}

TEST_F(BrowserDialogFixture, WithoutADictionaryTheBrowserSaysSoAndDoesNotOpen)
{
    std::remove(paths::dictionaryFile(folder.path()).c_str());
    bool shown = false;
    onNextModal([&](QWidget*) { shown = true; }, nullptr, 300);
    EXPECT_TRUE(ui::runBrowser(context, nullptr, {}));
    QTest::qWait(350); // the watch for a window ends before the next test
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kBrowseUnableToOpenDictionary);
    EXPECT_EQ(prompter.shown[0].caption, "Information.");
}

} // namespace
} // namespace quorvel::test
