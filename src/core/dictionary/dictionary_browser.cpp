#include "dictionary_browser.h"

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/word_sounds.h"
#include "documents/scrap_pad.h"
#include "drill/answer_judging.h"
#include "drill/drill_settings.h"
#include "drill/list_generation.h"
#include "sound/sound_names.h"
#include "strings/browser_strings.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <deque>

namespace quorvel {

using namespace dict;

namespace {

using Kind = BrowserEffect::Kind;

// The browse command's help topic.
constexpr int kBrowserHelpContext = 229;
// The verdict and the correct spelling each stay this long; the out-of-time notice this long
// before the check.
constexpr int kVerdictMs = 2000;
constexpr int kOutOfTimeMs = 1000;
// R goes back through this many words.
constexpr std::size_t kHistoryLength = 64;
// Four recordings each praise a right answer and console a wrong one.
constexpr unsigned kPraiseVariants = prompt::kSuccessFirst - prompt::kFailedFirst;

bool fileExists(const std::string& path)
{
    return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

std::string upper(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// The list picker seeds its generator from the clock's seconds at every call. The browser draws
// several words a second (fast forward every 40 ms), so that would show one word over and over:
// its generator is seeded once, when the window opens, and runs on from there.
class RunningRandom final : public RandomSource
{
public:
    explicit RunningRandom(RandomSource& inner)
        : m_inner(inner)
    { }
    void seed(std::uint32_t) override { }
    std::uint32_t next() override { return m_inner.next(); }

private:
    RandomSource& m_inner;
};

} // namespace

int browserSpeedTicks(int speed)
{
    if (speed < kBrowserMinSpeed || speed > kBrowserMaxSpeed)
        speed = kBrowserMaxSpeed;
    return kBrowserMaxSpeed + 1 - speed;
}

bool validForBrowsing(const std::string& word, int minLetters, int maxLetters)
{
    const int length = static_cast<int>(word.size());
    if (length < minLetters || length > maxLetters)
        return false;
    return std::all_of(word.begin(), word.end(),
        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

struct DictionaryBrowser::Impl
{
    // What a Tick carries on with.
    enum class Next
    {
        None,
        State, // the browser state in `nextState`
        MemorizeHidden, // the word has been shown for the display time
        SpellStart, // the pause before the spelling is over
        OutOfTime, // the spelling time ran out
        TimedOutCheck, // the out-of-time notice has been shown
        ShowCorrect, // the wrong verdict has been shown
        CaretBack, // the correct spelling has been shown
        AfterVerdict, // the time between words after a verdict is over
    };

    // A word shown, with what is needed to sound it.
    struct Shown
    {
        std::string word;
        std::uint16_t soundIndex = 0;
        std::uint16_t soundFlag = 0;
        bool fromDictionary = false; // the sound fields are the dictionary's
    };

    explicit Impl(BrowserContext c)
        : ctx(c)
        , random(c.random)
    { }

    BrowserContext ctx;
    RunningRandom random;
    BrowserEffects out;

    DictionaryHandle dictionary;
    ListCriteria criteria;
    std::uint32_t table = kNoOffset;
    DictionaryWalk walk;
    DrillSettings settings;
    bool uk = true;

    Shown current;
    std::deque<Shown> history;
    std::string testWord;

    int state = 11;
    Next next = Next::None;
    int nextState = 0;
    int speed = kBrowserMaxSpeed;
    int ticks = 0;
    bool singleStep = false;
    bool slideShow = false;
    bool fast = false;
    bool sequence = false; // the browser opens in random order
    bool soundOn = false;
    bool testing = false;
    bool awaiting = false;
    bool error = false;
    bool closed = false;
    bool opened = false;

    BrowserLamps shownLamps;
    int shownSwitches = -1;

    // --- effects -------------------------------------------------------------------------------

    void emit(Kind kind, int value = 0, std::string text = {})
    {
        out.emplace_back(kind, value, std::move(text));
    }
    void status(const std::string& text) { emit(Kind::Status, 0, text); }
    void showWord(const std::string& word) { emit(Kind::ShowWord, 0, word); }
    void message(const char* text, const char* caption, MessageIcon icon)
    {
        message(std::string(text), caption, icon);
    }
    void message(const std::string& text, const char* caption, MessageIcon icon)
    {
        BrowserEffect e { Kind::Message, 0, text };
        e.caption = caption;
        e.icon = icon;
        out.push_back(std::move(e));
    }
    void schedule(Next what, int ms, int stateAfter = 0)
    {
        next = what;
        nextState = stateAfter;
        emit(Kind::StartTimer, std::max(ms, 0));
    }
    void focus(BrowserFocus where) { emit(Kind::Focus, static_cast<int>(where)); }
    void slider(const std::string& word)
    {
        std::string w = word;
        if (CheckWord(w))
            emit(Kind::Slider, static_cast<int>(BucketOffset(w) / 4));
    }

    BrowserLamps lamps() const
    {
        BrowserLamps l;
        l.play = slideShow;
        l.test = singleStep;
        l.fast = fast;
        l.error = error;
        return l;
    }
    int switches() const { return (soundOn ? 1 : 0) | (sequence ? 2 : 0); }

    // What changed in the lamps and the switches during a call is shown at its end.
    void showIndicators()
    {
        if (closed)
            return;
        if (lamps() != shownLamps) {
            shownLamps = lamps();
            BrowserEffect e { Kind::Lamps };
            e.lamps = shownLamps;
            out.push_back(std::move(e));
        }
        if (switches() != shownSwitches) {
            shownSwitches = switches();
            emit(Kind::Switches, shownSwitches);
        }
    }

    // --- sound ---------------------------------------------------------------------------------

    bool soundAllowed() const { return soundOn && ctx.soundUsable; }
    void play(const std::string& path)
    {
        if (soundAllowed() && fileExists(path))
            emit(Kind::Play, 0, path);
    }
    void voicePrompt(int index)
    {
        if (soundAllowed())
            play(voicePromptPath(ctx.programFolder, index, uk));
    }
    // The word's own recording, when it has one; a word without one is silent here.
    void sayWord(const Shown& word)
    {
        if (!soundAllowed() || word.soundFlag == 0 || word.soundIndex == 0)
            return;
        // Found whatever the case of its folder and name, as the drill finds it.
        if (const auto path
            = findWordRecording(ctx.info.waveformPath(), word.word, word.soundIndex))
            play(*path);
    }

    // --- the dictionary ------------------------------------------------------------------------

    bool openDictionary()
    {
        if (dictionary)
            return true;
        dictionary = OpenDictionary(ctx.info);
        if (dictionary) {
            table = ReadTableOffset(
                *dictionary, criteria.category != 0 ? Table::Category : Table::Main);
            if (table != kNoOffset)
                return true;
            CloseDictionary(dictionary);
        }
        message(strings::kBrowseUnableToOpenDictionary, strings::kInformation,
            MessageIcon::Information);
        error = true;
        return false;
    }
    void closeDictionary()
    {
        if (dictionary)
            CloseDictionary(dictionary);
    }

    // A read of the dictionary failed: the step ends, browsing stops and the file is closed.
    void readFailed()
    {
        message(strings::kBrowseReadError, strings::kWarning, MessageIcon::Exclamation);
        error = true;
        stopBrowsing();
    }

    // --- words ---------------------------------------------------------------------------------

    bool valid(const std::string& word) const
    {
        return validForBrowsing(word, settings.minLetters, settings.maxLetters);
    }

    // The field's word becomes the current one when it can be browsed to; otherwise the last
    // word shown goes back into the field.
    void takeFieldWord(const std::string& field)
    {
        if (valid(field)) {
            const std::string word = upper(field);
            if (word != current.word)
                current = Shown { word };
            return;
        }
        showWord(current.word);
    }

    // A word now shown in the field: R can come back to the one before it.
    void shown(Shown word)
    {
        if (!current.word.empty() && current.word != word.word) {
            history.push_back(current);
            if (history.size() > kHistoryLength)
                history.pop_front();
        }
        current = std::move(word);
        showWord(current.word);
        slider(current.word);
    }

    // A word taken from the field or the start record: its sound, when the dictionary knows it.
    void lookUpSound(Shown& word)
    {
        if (word.fromDictionary || !dictionary)
            return;
        CurrentWordInfo info;
        if (isFound(FindWord(*dictionary, word.word, info))) {
            word.soundIndex = info.soundIndex();
            word.soundFlag = info.soundFlag();
        }
        word.fromDictionary = true;
    }

    void positionWalk(const std::string& word)
    {
        walk.prepare(table, word);
        criteria.failed = 0;
    }

    enum class Found
    {
        Word,
        None, // no word fits; said, and browsing stopped
        Failed, // a read failed; said, and browsing stopped
    };

    Found randomWord()
    {
        ListCriteria c = criteria;
        c.listType = ListType::Random;
        c.count = 1;
        std::string word;
        pickRandomWords(*dictionary, c, {}, {}, random, ctx.clock, 1, word);
        if (word.empty()) {
            if (c.failed) {
                readFailed();
                return Found::Failed;
            }
            message(strings::kBrowseNoRandomWords, strings::kInformation, MessageIcon::Information);
            stopBrowsing();
            return Found::None;
        }
        positionWalk(word);
        shown(Shown { word, c.outSoundIndex, c.outSoundFlag, true });
        return Found::Word;
    }

    // The word after the current one: the walk starts at the current word (its text is the
    // lower bound) and passes over the word itself. The walk's lap never comes back to the words
    // of the start bucket that sort before the start text, so when it ends without a word the
    // bucket is read again from its beginning: the last word of the dictionary is followed by
    // the first, and a word of the same bucket by the first of that bucket.
    Found sequenceWord()
    {
        std::string from = current.word;
        bool found = false;
        if (CheckWord(from)) {
            positionWalk(from);
            found = WalkFirst(*dictionary, criteria, walk, ctx.user);
            if (found && walk.word == from)
                found = WalkNext(*dictionary, criteria, walk, ctx.user);
            if (!found && !criteria.failed) {
                positionWalk(from);
                walk.startText.clear();
                found = WalkFirst(*dictionary, criteria, walk, ctx.user);
            }
        } else {
            found = WalkNext(*dictionary, criteria, walk, ctx.user);
        }
        if (criteria.failed) {
            readFailed();
            return Found::Failed;
        }
        if (!found) {
            message(strings::kBrowseNoWords, strings::kInformation, MessageIcon::Information);
            stopBrowsing();
            return Found::None;
        }
        shown(Shown { walk.word, criteria.outSoundIndex, criteria.outSoundFlag, true });
        return Found::Word;
    }

    Found nextWord() { return sequence ? sequenceWord() : randomWord(); }

    // --- states --------------------------------------------------------------------------------

    void stopBrowsing()
    {
        next = Next::None;
        if (testing) {
            // The word under test comes back, and the field takes input again.
            showWord(current.word);
            emit(Kind::Caret, 1);
        }
        status(strings::kBrowseStopped);
        singleStep = false;
        slideShow = false;
        fast = false;
        testing = false;
        awaiting = false;
        closeDictionary();
        state = 11;
    }

    void run(int s)
    {
        next = Next::None;
        state = s;
        switch (s) {
        case 3:
        case 5:
            step(s);
            return;
        case 4:
            stopBrowsing();
            return;
        case 6:
            if (nextWord() == Found::Word)
                schedule(Next::State, kBrowserFastMs, 6);
            return;
        case 7:
            status(strings::kBrowseTestThisWord);
            state = 11;
            return;
        case 8:
            // The answer is asked for from here: a word typed while the prompt plays is checked
            // on Enter, as if the prompt had ended.
            awaiting = true;
            voicePrompt(prompt::kEnterAnswer);
            schedule(Next::State, kBrowserStepMs, 9);
            return;
        case 9:
            focus(BrowserFocus::Word);
            awaiting = true;
            schedule(Next::OutOfTime, std::max(settings.spellSeconds, 1) * 1000);
            return;
        case 12:
            if (ticks <= 0) {
                run(5);
                return;
            }
            --ticks;
            schedule(Next::State, kBrowserTickMs, 12);
            return;
        default:
            state = 11;
            return;
        }
    }

    // State 3 (one step, then stop) and state 5 (a slide show step).
    void step(int s)
    {
        if (singleStep) {
            present();
            return;
        }
        if (nextWord() != Found::Word)
            return;
        sayWord(current);
        if (s == 3) {
            schedule(Next::State, kBrowserStepMs, 4);
        } else {
            ticks = browserSpeedTicks(speed) - 1;
            schedule(Next::State, kBrowserTickMs, 12);
        }
    }

    // The single step test: the word is shown for the display time, then hidden for the time
    // between words, then asked for.
    void present()
    {
        lookUpSound(current);
        testWord = current.word;
        testing = true;
        status(std::string(strings::kBrowseMemorize) + testWord);
        showWord({});
        sayWord(current);
        schedule(Next::MemorizeHidden, settings.wordShowSeconds * 1000);
    }

    void check(const std::string& typed, bool inTime)
    {
        next = Next::None;
        state = 10;
        awaiting = false;
        // Words are kept in capitals: "aback" spells ABACK as well as "ABACK" does.
        const bool right = inTime && upperCased(typed) == testWord;
        const unsigned pick = random.next() % kPraiseVariants;
        if (right) {
            status(strings::kBrowseSpeltRight);
            voicePrompt(static_cast<int>(pick) + prompt::kSuccessFirst);
            schedule(Next::AfterVerdict, settings.betweenSeconds * 1000);
        } else {
            status(strings::kBrowseSpeltWrong);
            voicePrompt(static_cast<int>(pick) + prompt::kFailedFirst);
            schedule(Next::ShowCorrect, kVerdictMs);
        }
    }

    void afterVerdict()
    {
        testing = false;
        if (nextWord() != Found::Word)
            return;
        focus(BrowserFocus::Stop);
        schedule(Next::State, kBrowserStepMs, slideShow ? 5 : 7);
    }

    void onTick(const std::string& field)
    {
        const Next what = next;
        next = Next::None;
        switch (what) {
        case Next::None:
            return; // a tick that was no longer wanted
        case Next::State:
            if (nextState == 3 || nextState == 5)
                takeFieldWord(field);
            run(nextState);
            return;
        case Next::MemorizeHidden:
            status(strings::kBrowseMemorize);
            schedule(Next::SpellStart, settings.betweenSeconds * 1000);
            return;
        case Next::SpellStart:
            status(strings::kBrowseSpellIt);
            schedule(Next::State, kBrowserStepMs, 8);
            return;
        case Next::OutOfTime:
            awaiting = false;
            showWord(strings::kOutOfTime);
            voicePrompt(prompt::kOutOfTime);
            schedule(Next::TimedOutCheck, kOutOfTimeMs);
            return;
        case Next::TimedOutCheck:
            check(field, false);
            return;
        case Next::ShowCorrect:
            emit(Kind::Caret, 0);
            status(strings::kBrowseCorrectSpelling);
            showWord(testWord);
            schedule(Next::CaretBack, kVerdictMs);
            return;
        case Next::CaretBack:
            emit(Kind::Caret, 1);
            schedule(Next::AfterVerdict, settings.betweenSeconds * 1000);
            return;
        case Next::AfterVerdict:
            afterVerdict();
            return;
        }
    }

    // --- opening -------------------------------------------------------------------------------

    void open()
    {
        opened = true;
        dictionary = OpenDictionary(ctx.info);
        if (!dictionary) {
            message(strings::kBrowseUnableToOpenDictionary, strings::kInformation,
                MessageIcon::Information);
            close(false);
            return;
        }
        settings = readDrillSettings(ctx.info, ctx.user);
        const int category = ctx.info.workingCategory(ctx.user);
        criteria = ListCriteria {};
        criteria.category = static_cast<std::uint16_t>(category);
        criteria.minText = static_cast<std::int16_t>(settings.minLetters - 2);
        criteria.maxText = static_cast<std::int16_t>(settings.maxLetters - 2);
        uk = settings.language == Language::UK;
        criteria.language = uk ? 1 : 2;
        criteria.user = static_cast<std::uint16_t>(ctx.user);
        criteria.skipMismatch = 1;
        criteria.filterMode = 1;
        if (category >= kCategorySlots || criteria.minText <= 0 || criteria.maxText <= 0) {
            closeDictionary();
            message(strings::kBrowseNoCriteria, strings::kWarning, MessageIcon::Exclamation);
            close(false);
            return;
        }
        table = ReadTableOffset(*dictionary, category != 0 ? Table::Category : Table::Main);
        closeDictionary();
        if (table == kNoOffset) {
            message(strings::kBrowseUnableToOpenDictionary, strings::kInformation,
                MessageIcon::Information);
            close(false);
            return;
        }

        std::string start = ctx.info.browseWord(ctx.user);
        if (!CheckWord(start))
            start = kBrowserFirstWord;
        current = Shown { start };
        showWord(start);
        status(strings::kBrowseStart);
        emit(Kind::Speed, speed);
        slider(start);
        positionWalk(start);
        soundOn = ctx.soundUsable && ctx.info.soundOn(ctx.user) == 1;
        ctx.random.seed(ctx.clock.ticks());
        shownLamps = BrowserLamps { true, true, true, true }; // so that the first call shows them
        emit(Kind::Caret, 1);
    }

    // O, Enter without the test, and the window's close box: the word in the field (else the
    // last word shown), when it can be browsed to, is where the browser starts next time.
    void close(bool keepWord, const std::string& field = {})
    {
        if (keepWord) {
            const std::string word = !testing && valid(field) ? upper(field) : current.word;
            if (valid(word))
                ctx.info.setBrowseWord(ctx.user, word);
        }
        next = Next::None;
        closeDictionary();
        closed = true;
        emit(Kind::Close);
    }

    // --- buttons -------------------------------------------------------------------------------

    void press(BrowserButton button, const std::string& field)
    {
        switch (button) {
        case BrowserButton::Go:
            if (singleStep && testing) {
                if (awaiting)
                    focus(BrowserFocus::Word);
                return;
            }
            error = false;
            if (!openDictionary())
                return;
            slideShow = false;
            fast = false;
            takeFieldWord(field);
            run(3);
            return;
        case BrowserButton::Stop:
            run(4);
            return;
        case BrowserButton::Play:
            if (slideShow)
                return;
            if (testing) {
                // The test under way finishes; the slide show goes on after its verdict.
                slideShow = true;
                return;
            }
            error = false;
            if (!openDictionary())
                return;
            slideShow = true;
            fast = false;
            takeFieldWord(field);
            run(5);
            return;
        case BrowserButton::Fast:
            if (singleStep || fast)
                return;
            error = false;
            if (!openDictionary())
                return;
            fast = true;
            slideShow = false;
            takeFieldWord(field);
            run(6);
            return;
        case BrowserButton::SingleStep:
            singleStep = true;
            if (fast) {
                // Fast forward has no test: it stops at the word it reached, to be tested.
                fast = false;
                run(7);
            }
            return;
        case BrowserButton::Back:
            back();
            return;
        case BrowserButton::ScrapPad:
            toScrapPad(field);
            return;
        case BrowserButton::SpeedUp:
        case BrowserButton::SpeedDown:
            speed = std::clamp(speed + (button == BrowserButton::SpeedUp ? 1 : -1),
                kBrowserMinSpeed, kBrowserMaxSpeed);
            emit(Kind::Speed, speed);
            return;
        case BrowserButton::Sound:
            if (ctx.soundUsable)
                soundOn = !soundOn;
            return;
        case BrowserButton::Order:
            sequence = !sequence;
            return;
        case BrowserButton::Close:
            close(true, field);
            return;
        case BrowserButton::Help:
            emit(Kind::OpenHelp, kBrowserHelpContext);
            return;
        }
    }

    void back()
    {
        if (testing)
            return; // the word under test stays until its verdict
        while (!history.empty()) {
            Shown previous = std::move(history.back());
            history.pop_back();
            if (!valid(previous.word))
                continue;
            current = std::move(previous);
            showWord(current.word);
            slider(current.word);
            if (table != kNoOffset)
                positionWalk(current.word);
            return;
        }
    }

    void toScrapPad(const std::string& field)
    {
        if (!valid(field)) {
            message(strings::kBrowseUnableToAdd, strings::kWarning, MessageIcon::Exclamation);
            return;
        }
        if (ctx.documents.scrapPadOpen) {
            emit(Kind::InsertIntoScrapPad, 0, " " + field + "\r\n");
        } else {
            const ScrapPadSaveResult added
                = appendToScrapPadPage1(ctx.info.dataFolder(), ctx.user, field);
            if (!added) {
                message(std::string(strings::kProblemsSavingScrapPad) + "\n" + added.message,
                    strings::kWarning, MessageIcon::Exclamation);
                return;
            }
        }
        status(strings::kBrowseWordAdded);
    }

    void movedSlider(int bucket, const std::string& field)
    {
        if (testing) {
            slider(current.word); // the word under test stays until its verdict
            return;
        }
        (void)field;
        if (!openDictionary())
            return;
        walk = DictionaryWalk {};
        walk.tableOffset = table;
        walk.bucket
            = table + static_cast<std::uint32_t>(std::clamp(bucket, 0, int(kSlots) - 1)) * 4;
        criteria.failed = 0;
        const bool found = WalkFirst(*dictionary, criteria, walk, ctx.user);
        if (criteria.failed) {
            readFailed();
            return;
        }
        if (!found) {
            message(strings::kBrowseNoWords, strings::kInformation, MessageIcon::Information);
            return;
        }
        shown(Shown { walk.word, criteria.outSoundIndex, criteria.outSoundFlag, true });
    }

    // --- one call ------------------------------------------------------------------------------

    BrowserEffects handle(const BrowserEvent& event)
    {
        out.clear();
        if (closed)
            return {};
        const bool wasPending = next != Next::None;
        switch (event.kind) {
        case BrowserEvent::Kind::Open:
            if (!opened)
                open();
            break;
        case BrowserEvent::Kind::Button:
            press(event.button, event.field);
            break;
        case BrowserEvent::Kind::Enter:
            enter(event);
            break;
        case BrowserEvent::Kind::Slider:
            movedSlider(event.bucket, event.field);
            break;
        case BrowserEvent::Kind::Tick:
            onTick(event.field);
            break;
        case BrowserEvent::Kind::SoundFailed:
            soundOn = false;
            break;
        case BrowserEvent::Kind::NoSoundDevice:
            ctx.soundUsable = false;
            soundOn = false;
            break;
        }
        if (!closed) {
            // Idle: nothing runs, so the dictionary is not kept open.
            if (next == Next::None) {
                closeDictionary();
                if (wasPending)
                    emit(Kind::StopTimer);
            }
            showIndicators();
        }
        return std::move(out);
    }

    void enter(const BrowserEvent& event)
    {
        if (!singleStep) {
            close(true, event.field);
            return;
        }
        if (event.focusOnStop) {
            run(4);
            return;
        }
        if (awaiting) {
            check(event.field, true);
            return;
        }
        // Nothing is asked for yet: Enter starts the test of the word in the field, as G does.
        // While a word is shown or a verdict stands, it waits.
        if (!testing)
            press(BrowserButton::Go, event.field);
    }
};

DictionaryBrowser::DictionaryBrowser(BrowserContext context)
    : m_impl(std::make_unique<Impl>(context))
{ }

DictionaryBrowser::~DictionaryBrowser() = default;

BrowserEffects DictionaryBrowser::handle(const BrowserEvent& event)
{
    return m_impl->handle(event);
}

int DictionaryBrowser::state() const
{
    return m_impl->state;
}
bool DictionaryBrowser::singleStep() const
{
    return m_impl->singleStep;
}
bool DictionaryBrowser::slideShow() const
{
    return m_impl->slideShow;
}
bool DictionaryBrowser::fastForward() const
{
    return m_impl->fast;
}
bool DictionaryBrowser::sequence() const
{
    return m_impl->sequence;
}
bool DictionaryBrowser::soundOn() const
{
    return m_impl->soundOn;
}
int DictionaryBrowser::speed() const
{
    return m_impl->speed;
}
const std::string& DictionaryBrowser::currentWord() const
{
    return m_impl->current.word;
}
bool DictionaryBrowser::dictionaryOpen() const
{
    return m_impl->dictionary != nullptr;
}
bool DictionaryBrowser::timerPending() const
{
    return m_impl->next != Impl::Next::None;
}
bool DictionaryBrowser::awaitingSpelling() const
{
    return m_impl->awaiting;
}
bool DictionaryBrowser::testing() const
{
    return m_impl->testing;
}
bool DictionaryBrowser::closed() const
{
    return m_impl->closed;
}

} // namespace quorvel
