// The dictionary browser's step machine on a real installation in a temporary folder. A small
// driver keeps the word field as the effects leave it and hands it back with every event, as
// the window does; the timer's ticks are sent by the test.

#include "config/startup_info.h"
#include "config/user_settings.h"
#include "dictionary/dictionary_browser.h"
#include "documents/scrap_pad.h"
#include "drill/drill_settings.h"
#include "platform/paths.h"
#include "sound/sound_names.h"
#include "strings/browser_strings.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/drill_installation.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <numeric>

namespace quorvel::test {
namespace {

using Kind = BrowserEffect::Kind;

std::vector<DictionaryEntry> entries(std::initializer_list<const char*> words)
{
    std::vector<DictionaryEntry> out;
    for (const char* w : words)
        out.push_back(entry(w));
    return out;
}

void touch(const std::string& path)
{
    QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
    writeBytes(path, { 'R', 'I', 'F', 'F' });
}

// An installation whose user 0 browses words of 3 to 10 letters in UK English, the main
// dictionary, with display times of 1, 1 and 5 seconds (shown, between, to spell).
struct Browse
{
    TempFolder folder;
    StartupInfo info;
    DocumentState documents;
    FakeClock clock;
    ScriptedRandom random { { 0 } };
    std::unique_ptr<DictionaryBrowser> browser;
    std::string field;
    bool soundUsable = false;

    explicit Browse(const std::vector<DictionaryEntry>& words,
        const std::function<void(StartupInfo&)>& adjust = {})
    {
        layOutDrillInstallation(folder, info, words, [&](StartupInfo& i) {
            ListSetupRecord list = i.listSetup(0);
            list.minLetters = "3";
            list.maxLetters = "10";
            i.setListSetup(0, list);
            DisplaySetupRecord display = i.displaySetup(0);
            display.wordShowTime = "1";
            display.betweenWords = "1";
            display.spellTime = "5";
            i.setDisplaySetup(0, display);
            ListOptions options = ListOptions::read(i, 0);
            options.language = Language::UK;
            options.write(i, 0);
            if (adjust)
                adjust(i);
        });
    }

    BrowserEffects open()
    {
        browser = std::make_unique<DictionaryBrowser>(
            BrowserContext { info, documents, 0, folder.path(), clock, random, soundUsable });
        return keep(browser->open());
    }
    BrowserEffects keep(BrowserEffects effects)
    {
        for (const BrowserEffect& e : effects) {
            if (e.kind == Kind::ShowWord)
                field = e.text;
        }
        return effects;
    }
    BrowserEffects press(BrowserButton b) { return keep(browser->press(b, field)); }
    BrowserEffects tick() { return keep(browser->tick(field)); }
    BrowserEffects enter(bool focusOnStop = false)
    {
        return keep(browser->enter(field, focusOnStop));
    }
    // Ticks until a word is shown; `waited` gets the milliseconds of the timers that ran out.
    std::string tickToNextWord(int& waited, int lastTimer)
    {
        waited = lastTimer;
        for (int i = 0; i < 50; ++i) {
            const BrowserEffects effects = tick();
            for (const BrowserEffect& e : effects) {
                if (e.kind == Kind::ShowWord)
                    return e.text;
            }
            waited += timerOf(effects);
        }
        return {};
    }
    static int timerOf(const BrowserEffects& effects)
    {
        for (const BrowserEffect& e : effects) {
            if (e.kind == Kind::StartTimer)
                return e.value;
        }
        return 0;
    }
};

std::vector<std::string> shownWords(const BrowserEffects& effects)
{
    std::vector<std::string> out;
    for (const BrowserEffect& e : effects) {
        if (e.kind == Kind::ShowWord)
            out.push_back(e.text);
    }
    return out;
}

const BrowserEffect* find(const BrowserEffects& effects, Kind kind)
{
    for (const BrowserEffect& e : effects) {
        if (e.kind == kind)
            return &e;
    }
    return nullptr;
}

// The effects that matter to a person, as short lines: what is shown, said, waited for.
std::vector<std::string> trace(const BrowserEffects& effects)
{
    std::vector<std::string> out;
    for (const BrowserEffect& e : effects) {
        switch (e.kind) {
        case Kind::ShowWord:
            out.push_back("field " + e.text);
            break;
        case Kind::Status:
            out.push_back("status " + e.text);
            break;
        case Kind::Play:
            out.push_back("play " + e.text.substr(e.text.rfind('/') + 1));
            break;
        case Kind::StartTimer:
            out.push_back("timer " + std::to_string(e.value));
            break;
        case Kind::Focus:
            out.push_back(
                e.value == static_cast<int>(BrowserFocus::Word) ? "focus word" : "focus stop");
            break;
        case Kind::Caret:
            out.push_back("caret " + std::to_string(e.value));
            break;
        case Kind::Message:
            out.push_back("message " + e.text);
            break;
        default:
            break;
        }
    }
    return out;
}

TEST(DictionaryBrowser, SpeedGivesTheTicksOfTheSlideShow)
{
    for (int speed = kBrowserMinSpeed; speed <= kBrowserMaxSpeed; ++speed) {
        SCOPED_TRACE(speed);
        Browse b(entries({ "CAT", "DOG", "EMU", "FROG" }),
            [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
        b.open();
        for (int s = kBrowserMaxSpeed; s > speed; --s)
            b.press(BrowserButton::SpeedDown);
        EXPECT_EQ(b.browser->speed(), speed);
        b.press(BrowserButton::Order);
        ASSERT_TRUE(b.browser->sequence());
        const BrowserEffects first = b.press(BrowserButton::Play);
        EXPECT_EQ(shownWords(first), std::vector<std::string> { "DOG" });
        EXPECT_TRUE(b.browser->dictionaryOpen());
        int waited = 0;
        EXPECT_EQ(b.tickToNextWord(waited, Browse::timerOf(first)), "EMU");
        EXPECT_EQ(waited, (kBrowserMaxSpeed + 1 - speed) * kBrowserTickMs);
        // Stop ends the slide show and closes the dictionary.
        const BrowserEffects stopped = b.press(BrowserButton::Stop);
        EXPECT_EQ(trace(stopped)[0], std::string("status ") + strings::kBrowseStopped);
        EXPECT_TRUE(find(stopped, Kind::StopTimer));
        EXPECT_FALSE(b.browser->dictionaryOpen());
        EXPECT_FALSE(b.browser->slideShow());
    }
    // A speed out of its range counts as the fastest.
    EXPECT_EQ(browserSpeedTicks(0), 1);
    EXPECT_EQ(browserSpeedTicks(9), 1);
}

TEST(DictionaryBrowser, SequenceFollowsTheCriteriaAndWrapsFromZToA)
{
    struct Case
    {
        const char* name;
        std::vector<DictionaryEntry> words;
        const char* from;
        std::vector<std::string> next; // the words G shows, one press each
    };
    const Case cases[] = {
        { "alphabetical", entries({ "CAT", "DOG", "ZEBRA" }), "CAT", { "DOG", "ZEBRA", "CAT" } },
        { "the last Z word is followed by the first A word",
            entries({ "ANT", "DOG", "ZEBRA", "ZULU" }), "ZEBRA", { "ZULU", "ANT" } },
        { "within one bucket the walk comes back to its first word", entries({ "CAB", "CAT" }),
            "CAT", { "CAB", "CAT" } },
        { "a single word follows itself", entries({ "CAT" }), "CAT", { "CAT" } },
        { "other languages, categories and lengths are passed over",
            { entry("CAT"), entry("COLOR", 0, 1, 2), entry("CELLO", 1), entry("CATERPILLAR"),
                entry("DOG") },
            "CAT", { "DOG", "CAT" } },
        { "a word not in the dictionary starts the walk at its place",
            entries({ "CAT", "DOG", "EMU" }), "DEER", { "DOG", "EMU" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Browse b(c.words, [&](StartupInfo& i) { i.setBrowseWord(0, c.from); });
        b.open();
        b.press(BrowserButton::Order);
        for (const std::string& expected : c.next) {
            const BrowserEffects step = b.press(BrowserButton::Go);
            ASSERT_EQ(shownWords(step), std::vector<std::string> { expected });
            // One step, then the browser stops and lets the dictionary go.
            EXPECT_EQ(trace(b.tick()).front(), std::string("status ") + strings::kBrowseStopped);
            EXPECT_FALSE(b.browser->dictionaryOpen());
        }
    }
}

TEST(DictionaryBrowser, BackReturnsToTheWordsShownBefore)
{
    Browse b(entries({ "CAT", "DOG", "EMU" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
    b.open();
    b.press(BrowserButton::Order);
    b.press(BrowserButton::Go);
    b.tick();
    b.press(BrowserButton::Go);
    b.tick();
    ASSERT_EQ(b.field, "EMU");
    EXPECT_EQ(shownWords(b.press(BrowserButton::Back)), std::vector<std::string> { "DOG" });
    EXPECT_EQ(shownWords(b.press(BrowserButton::Back)), std::vector<std::string> { "CAT" });
    // The walk goes on from where Back left it.
    EXPECT_EQ(shownWords(b.press(BrowserButton::Go)), std::vector<std::string> { "DOG" });
}

TEST(DictionaryBrowser, RandomOrderDrawsWordsOrSaysThereAreNone)
{
    {
        Browse b(entries({ "DOG" }));
        b.open();
        ASSERT_FALSE(b.browser->sequence()); // the browser opens in random order
        EXPECT_EQ(shownWords(b.press(BrowserButton::Fast)), std::vector<std::string> { "DOG" });
        EXPECT_TRUE(b.browser->fastForward());
    }
    // Every word is too long for the user's letters range.
    Browse b(entries({ "CATERPILLAR", "DRAGONFLIES" }));
    b.open();
    const BrowserEffects effects = b.press(BrowserButton::Play);
    const BrowserEffect* m = find(effects, Kind::Message);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, strings::kBrowseNoRandomWords);
    EXPECT_EQ(m->caption, strings::kInformation);
    EXPECT_FALSE(b.browser->slideShow());
    EXPECT_FALSE(b.browser->timerPending());
    EXPECT_FALSE(b.browser->dictionaryOpen());
    EXPECT_EQ(b.field, kBrowserFirstWord);
}

TEST(DictionaryBrowser, OpeningStartsAtTheSavedWordWhenItIsSuitable)
{
    struct Case
    {
        const char* saved;
        const char* start;
        int bucket;
    };
    const Case cases[] = {
        { "ZEBRA", "ZEBRA", 25 * 26 + 4 },
        { "zebra", "ZEBRA", 25 * 26 + 4 },
        { "AB", kBrowserFirstWord, 0 },
        { "CAT-S", kBrowserFirstWord, 0 },
        { "", kBrowserFirstWord, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        Browse b(entries({ "CAT" }), [&](StartupInfo& i) { i.setBrowseWord(0, c.saved); });
        const BrowserEffects effects = b.open();
        EXPECT_EQ(shownWords(effects), std::vector<std::string> { c.start });
        ASSERT_TRUE(find(effects, Kind::Slider));
        EXPECT_EQ(find(effects, Kind::Slider)->value, c.bucket);
        EXPECT_EQ(find(effects, Kind::Status)->text, strings::kBrowseStart);
        EXPECT_EQ(find(effects, Kind::Speed)->value, kBrowserMaxSpeed);
        EXPECT_TRUE(find(effects, Kind::Lamps)->lamps.stopped());
        EXPECT_FALSE(b.browser->dictionaryOpen());
    }
}

TEST(DictionaryBrowser, OpeningFailsWithoutDictionaryOrCriteria)
{
    struct Case
    {
        const char* name;
        std::function<void(Browse&)> spoil;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        { "no dictionary",
            [](Browse& b) { std::remove(paths::dictionaryFile(b.folder.path()).c_str()); },
            strings::kBrowseUnableToOpenDictionary, strings::kInformation },
        { "working category beyond 63", [](Browse& b) { b.info.setWorkingCategory(0, 64); },
            strings::kBrowseNoCriteria, strings::kWarning },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Browse b(entries({ "CAT" }));
        c.spoil(b);
        const BrowserEffects effects = b.open();
        ASSERT_EQ(effects.size(), 2u);
        EXPECT_EQ(effects[0].kind, Kind::Message);
        EXPECT_EQ(effects[0].text, c.text);
        EXPECT_EQ(effects[0].caption, c.caption);
        EXPECT_EQ(effects[1].kind, Kind::Close);
        EXPECT_TRUE(b.browser->closed());
        EXPECT_FALSE(b.browser->dictionaryOpen());
    }
}

TEST(DictionaryBrowser, SingleStepTestGivesItsVerdictThenTheNextWord)
{
    const std::string wrongStatus = std::string("status ") + strings::kBrowseSpeltWrong;
    const std::string correctWord = std::string("status ") + strings::kBrowseCorrectSpelling;
    const std::vector<std::string> showCorrect
        = { "caret 0", correctWord, "field CAT", "timer 2000" };
    const std::vector<std::string> caretBack = { "caret 1", "timer 1000" };
    struct Case
    {
        const char* name;
        const char* typed; // nullptr: nothing in time
        std::vector<std::string> verdict;
    };
    const Case cases[] = {
        { "right", "CAT",
            { std::string("status ") + strings::kBrowseSpeltRight, "play asuccess.wav",
                "timer 1000" } },
        { "right in small letters", "cat",
            { std::string("status ") + strings::kBrowseSpeltRight, "play asuccess.wav",
                "timer 1000" } },
        { "wrong", "KAT", { wrongStatus, "play afailed1.wav", "timer 2000" } },
        { "wrong in small letters", "kat", { wrongStatus, "play afailed1.wav", "timer 2000" } },
        { "out of time", nullptr,
            { std::string("field ") + strings::kOutOfTime, "play autoftim.wav", "timer 1000",
                wrongStatus, "play afailed1.wav", "timer 2000" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Browse b(entries({ "CAT", "DOG" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
        b.soundUsable = true;
        for (int p : { prompt::kEnterAnswer, prompt::kOutOfTime, prompt::kSuccessFirst,
                 prompt::kFailedFirst })
            touch(voicePromptPath(b.folder.path(), p, true));
        b.open();
        b.press(BrowserButton::Order);
        b.press(BrowserButton::SingleStep);
        EXPECT_TRUE(b.browser->singleStep());

        std::vector<std::string> seen = trace(b.press(BrowserButton::Go));
        for (int i = 0; i < 4; ++i) {
            const auto more = trace(b.tick());
            seen.insert(seen.end(), more.begin(), more.end());
        }
        const std::string memorize = std::string("status ") + strings::kBrowseMemorize;
        EXPECT_EQ(seen,
            (std::vector<std::string> { memorize + "CAT", "field ", "timer 1000", memorize,
                "timer 1000", std::string("status ") + strings::kBrowseSpellIt, "timer 100",
                "play aenteran.wav", "timer 100", "focus word", "timer 5000" }));
        ASSERT_TRUE(b.browser->awaitingSpelling());
        EXPECT_TRUE(b.browser->dictionaryOpen());

        std::vector<std::string> verdict;
        if (c.typed) {
            b.field = c.typed;
            verdict = trace(b.enter());
        } else {
            verdict = trace(b.tick());
            const auto more = trace(b.tick());
            verdict.insert(verdict.end(), more.begin(), more.end());
        }
        EXPECT_EQ(verdict, c.verdict);
        if (verdict.size() >= 3 && verdict[verdict.size() - 3] == wrongStatus) {
            EXPECT_EQ(trace(b.tick()), showCorrect);
            EXPECT_EQ(trace(b.tick()), caretBack);
        }
        // After the time between words: the next word, the focus on S, and the invitation.
        EXPECT_EQ(
            trace(b.tick()), (std::vector<std::string> { "field DOG", "focus stop", "timer 100" }));
        EXPECT_EQ(trace(b.tick()),
            (std::vector<std::string> { std::string("status ") + strings::kBrowseTestThisWord }));
        EXPECT_FALSE(b.browser->testing());
        EXPECT_FALSE(b.browser->dictionaryOpen());
        // Enter on S stops, and single step goes off.
        b.enter(true);
        EXPECT_FALSE(b.browser->singleStep());
    }
}

// A child quick enough to type the word while the "enter your answer" prompt plays is marked on
// Enter, and the focus step that was due does not come after the verdict.
TEST(DictionaryBrowser, AnAnswerTypedWhileThePromptPlaysIsChecked)
{
    Browse b(entries({ "CAT", "DOG" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
    b.soundUsable = true;
    touch(voicePromptPath(b.folder.path(), prompt::kEnterAnswer, true));
    b.open();
    b.press(BrowserButton::Order);
    b.press(BrowserButton::SingleStep);
    b.press(BrowserButton::Go);
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i)
        seen = trace(b.tick());
    ASSERT_EQ(seen, (std::vector<std::string> { "play aenteran.wav", "timer 100" }));
    EXPECT_TRUE(b.browser->awaitingSpelling());
    b.field = "CAT";
    const auto verdict = trace(b.enter());
    ASSERT_FALSE(verdict.empty());
    EXPECT_EQ(verdict.front(), std::string("status ") + strings::kBrowseSpeltRight);
    EXPECT_EQ(
        trace(b.tick()), (std::vector<std::string> { "field DOG", "focus stop", "timer 100" }));
}

TEST(DictionaryBrowser, StopDuringTheTestGivesTheWordBack)
{
    Browse b(entries({ "CAT", "DOG" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
    b.open();
    b.press(BrowserButton::SingleStep);
    b.press(BrowserButton::Go);
    ASSERT_EQ(b.field, "");
    const BrowserEffects stopped = b.press(BrowserButton::Stop);
    EXPECT_EQ(b.field, "CAT");
    ASSERT_TRUE(find(stopped, Kind::Caret));
    EXPECT_EQ(find(stopped, Kind::Caret)->value, 1);
    EXPECT_FALSE(b.browser->testing());
    EXPECT_FALSE(b.browser->timerPending());
}

TEST(DictionaryBrowser, AWalkErrorEndsTheStepAndClosesTheDictionary)
{
    Browse b(entries({ "CAT", "DOG" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
    // The DO bucket's slot points beyond the end of the file.
    Bytes image = readBytes(paths::dictionaryFile(b.folder.path()));
    putU32(image, kMainTable + slotOf("DOG"), static_cast<std::uint32_t>(image.size() + 100));
    writeBytes(paths::dictionaryFile(b.folder.path()), image);
    b.open();
    b.press(BrowserButton::Order);
    const BrowserEffects effects = b.press(BrowserButton::Play);
    const BrowserEffect* m = find(effects, Kind::Message);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, strings::kBrowseReadError);
    EXPECT_EQ(m->caption, strings::kWarning);
    EXPECT_TRUE(shownWords(effects).empty());
    EXPECT_FALSE(b.browser->dictionaryOpen());
    EXPECT_FALSE(b.browser->timerPending());
    EXPECT_FALSE(b.browser->slideShow());
    ASSERT_TRUE(find(effects, Kind::Lamps));
    EXPECT_TRUE(find(effects, Kind::Lamps)->lamps.error);
}

TEST(DictionaryBrowser, WordsOutsideTheLimitsStayOffTheScrapPad)
{
    Browse b(entries({ "CAT" }));
    b.open();
    const std::string page = scrapPadFile(b.folder.path(), 0, 0);
    for (const char* word : { "CATERPILLARS", "AB", "CAT5", "", "CAT S" }) {
        SCOPED_TRACE(word);
        b.field = word;
        const BrowserEffects effects = b.press(BrowserButton::ScrapPad);
        ASSERT_EQ(effects.size(), 1u);
        EXPECT_EQ(effects[0].kind, Kind::Message);
        EXPECT_EQ(effects[0].text, strings::kBrowseUnableToAdd);
        EXPECT_EQ(effects[0].caption, strings::kWarning);
    }
    EXPECT_FALSE(fileExists(page));

    b.field = "cat";
    EXPECT_EQ(trace(b.press(BrowserButton::ScrapPad)),
        std::vector<std::string> { std::string("status ") + strings::kBrowseWordAdded });
    EXPECT_EQ(readBytes(page), (Bytes { ' ', 'c', 'a', 't', '\r', '\n' }));

    // With the scrap pad window open the line goes to the window, not the file.
    b.documents.scrapPadOpen = true;
    b.field = "CAT";
    const BrowserEffects effects = b.press(BrowserButton::ScrapPad);
    ASSERT_TRUE(find(effects, Kind::InsertIntoScrapPad));
    EXPECT_EQ(find(effects, Kind::InsertIntoScrapPad)->text, " CAT\r\n");
    EXPECT_EQ(readBytes(page).size(), 6u);
}

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

TEST(DictionaryBrowser, AddingToThePageFileKeepsWhatIsThere)
{
    struct Case
    {
        const char* name;
        std::string before; // "" with `missing`: no file
        bool missing;
        bool added;
        std::string after;
    };
    const Case cases[] = {
        { "a new page", "", true, true, " CAT\r\n" },
        { "an empty page", "", false, true, " CAT\r\n" },
        { "line ends of the page", "apple\r\n", false, true, "apple\r\n CAT\r\n" },
        { "a page of line feeds without a last one", "apple\nbanana", false, true,
            "apple\nbanana\n CAT\n" },
        { "Windows-1252 bytes stay as they are", "caf\xe9\r\n", false, true,
            "caf\xe9\r\n CAT\r\n" },
        { "a page holding a zero byte is refused", std::string("ab\0cd", 5), false, false,
            std::string("ab\0cd", 5) },
        { "a page that is not text is refused",
            std::string("\xff\xfe"
                        "a\0b\0",
                6),
            false, false,
            std::string("\xff\xfe"
                        "a\0b\0",
                6) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.makeProgdata();
        const std::string page = scrapPadFile(folder.path(), 3, 0);
        if (!c.missing)
            writeBytes(page, bytesOf(c.before));
        const ScrapPadSaveResult result = appendToScrapPadPage1(folder.path(), 3, "CAT");
        EXPECT_EQ(result.saved, c.added) << result.message;
        EXPECT_EQ(result.message.empty(), c.added);
        EXPECT_EQ(readBytes(page), bytesOf(c.after));
    }
    // A folder where the page should be is left alone.
    TempFolder folder;
    folder.makeProgdata();
    const std::string page = scrapPadFile(folder.path(), 0, 0);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(page)));
    EXPECT_FALSE(appendToScrapPadPage1(folder.path(), 0, "CAT"));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(page)).isDir());
}

TEST(DictionaryBrowser, CloseKeepsTheWordForNextTime)
{
    struct Case
    {
        const char* field;
        const char* kept;
    };
    const Case cases[] = {
        { "dog", "DOG" }, // typed, and browsable
        { "CATERPILLARS", "CAT" }, // too long: the last word shown
        { "", "CAT" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Browse b(entries({ "CAT", "DOG" }), [](StartupInfo& i) { i.setBrowseWord(0, "CAT"); });
        b.open();
        b.field = c.field;
        const BrowserEffects effects = b.enter(); // Enter closes while single step is off
        ASSERT_FALSE(effects.empty());
        EXPECT_EQ(effects.back().kind, Kind::Close);
        EXPECT_EQ(b.info.browseWord(0), c.kept);
        EXPECT_TRUE(b.browser->closed());
    }
}

TEST(DictionaryBrowser, SoundPlaysInStepsButNotInFastForward)
{
    std::vector<DictionaryEntry> words = entries({ "CAT", "DOG" });
    for (DictionaryEntry& e : words) {
        e.soundFlag = 1;
        e.soundIndex = 7;
    }
    Browse b(words, [](StartupInfo& i) { i.setBrowseWord(0, "DOG"); });
    b.soundUsable = true;
    const std::string recordings = b.folder.path() + "/waveform/";
    b.info.setWaveformPath(recordings);
    for (const char* w : { "CAT", "DOG" })
        touch(*wordRecordingPath(recordings, w, 7));
    b.open();
    b.press(BrowserButton::Order);
    EXPECT_EQ(trace(b.press(BrowserButton::Go)),
        (std::vector<std::string> { "field CAT", "play CATX0007.wav", "timer 100" }));
    b.tick();
    EXPECT_EQ(trace(b.press(BrowserButton::Fast)),
        (std::vector<std::string> { "field DOG", "timer 40" }));
    EXPECT_EQ(trace(b.tick()), (std::vector<std::string> { "field CAT", "timer 40" }));
    b.press(BrowserButton::Stop);
    // K turns the sound off.
    b.press(BrowserButton::Sound);
    EXPECT_FALSE(b.browser->soundOn());
    EXPECT_EQ(
        trace(b.press(BrowserButton::Go)), (std::vector<std::string> { "field DOG", "timer 100" }));
}

} // namespace
} // namespace quorvel::test
