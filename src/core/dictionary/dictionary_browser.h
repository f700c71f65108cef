#pragma once

// The dictionary browser's step machine. It shows the words of the dictionary one after another,
// alphabetically or at random, within the user's letters range, language and working category:
// a step at a time, as a slide show, or fast; with the single step test on, each word is shown,
// hidden, and the user spells it.
//
// Like the drill it never blocks and owns no timer: each call takes one event (the window opened,
// a button, Enter, the slider, the tick of the timer it asked for) and returns the effects the
// front end carries out in order. Every event carries the word field's text as it stands, since
// the person may type into it at any time. A Play effect is played to its end before the effects
// after it; a StartTimer effect asks for one Tick after that many milliseconds and replaces any
// tick still to come.
//
// The browser's states:
//    3 one step (then 4)                  8 ask for the spelling (then 9)
//    4 stop (then 11)                     9 the field takes the spelling, under the time limit
//    5 slide show step (then 12)         10 check the spelling
//    6 fast forward (every 40 ms)        11 idle
//    7 "test yourself" (then 11)         12 a slide show tick of 480 ms; back to 5 at 0
//
// The dictionary is open only while browsing runs: a step that ends idle closes it, and so does
// a read error, which also ends the step.

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_walk.h"
#include "platform/services.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

class StartupInfo;
struct DocumentState;

enum class BrowserButton
{
    Back, // R: the word before this one
    Go, // G: one step
    Stop, // S
    Play, // P: slide show
    Fast, // F: fast forward
    SingleStep, // B: single step test on
    ScrapPad, // V: the word to the scrap pad
    SpeedUp, // I
    SpeedDown, // D
    Sound, // K: sound on/off
    Order, // T: sequence / random
    Close, // O
    Help,
};

enum class BrowserFocus
{
    Word, // the word field, to type the spelling
    Stop, // the S button
};

// The lamps; none lit means stopped.
struct BrowserLamps
{
    bool play = false;
    bool test = false;
    bool fast = false;
    bool error = false;
    bool stopped() const { return !play && !test && !fast && !error; }
    bool operator==(const BrowserLamps&) const = default;
};

struct BrowserEffect
{
    enum class Kind
    {
        ShowWord, // text: the word field
        Status, // text: the status line
        Speed, // value: 1..8
        Slider, // value: the bucket 0..675 (AA..ZZ)
        Lamps, // lamps
        Switches, // value: bit 0 sound on, bit 1 sequence order
        Play, // text: a wave file to play to its end (it exists; sound is on)
        StartTimer, // value: milliseconds until the front end sends Tick
        StopTimer, // no Tick is to come
        Focus, // value: BrowserFocus
        Caret, // value: 1 the word field takes input and shows its caret, 0 not
        InsertIntoScrapPad, // text: a line (" WORD\r\n") for the end of the open scrap pad's page 1
        Message, // text, caption, icon
        OpenHelp, // value: help context
        Close, // the browser ends; the window closes
    };
    BrowserEffect(Kind k, int v = 0, std::string t = {})
        : kind(k)
        , value(v)
        , text(std::move(t))
    { }
    Kind kind;
    int value = 0;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    BrowserLamps lamps;
};
using BrowserEffects = std::vector<BrowserEffect>;

struct BrowserEvent
{
    enum class Kind
    {
        Open, // the window was set up
        Button,
        Enter, // the Enter key
        Slider, // the person moved the slider to `bucket`
        Tick, // the timer of the last StartTimer ran out
        SoundFailed, // a play failed (already reported): sound off
        NoSoundDevice, // after opening: no output device answered, so sound stays off
    };
    explicit BrowserEvent(Kind k, BrowserButton b = BrowserButton::Go, std::string f = {})
        : kind(k)
        , button(b)
        , field(std::move(f))
    { }
    Kind kind = Kind::Open;
    BrowserButton button = BrowserButton::Go;
    int bucket = 0;
    std::string field; // the word field's text
    bool focusOnStop = false; // Enter: the S button has the focus
};

// What the browser reaches outside itself.
struct BrowserContext
{
    StartupInfo& info;
    DocumentState& documents;
    int user = 0;
    std::string programFolder; // voice prompts lie in its progdata/
    Clock& clock;
    RandomSource& random;
    bool soundUsable = true; // a wave output device answered
};

inline constexpr int kBrowserStepMs = 100;
inline constexpr int kBrowserFastMs = 40;
inline constexpr int kBrowserTickMs = 480;
inline constexpr int kBrowserMinSpeed = 1;
inline constexpr int kBrowserMaxSpeed = 8;
inline constexpr const char* kBrowserFirstWord = "AARDVARK";

// Slide show ticks of 480 ms between two words at a speed: 8 at speed 1 down to 1 at speed 8.
// A speed outside 1..8 counts as 8.
int browserSpeedTicks(int speed);

// The word can be browsed to: its length lies within the letters range and it holds letters A-Z
// (either case) only.
bool validForBrowsing(const std::string& word, int minLetters, int maxLetters);

class DictionaryBrowser
{
public:
    explicit DictionaryBrowser(BrowserContext context);
    ~DictionaryBrowser();
    DictionaryBrowser(const DictionaryBrowser&) = delete;
    DictionaryBrowser& operator=(const DictionaryBrowser&) = delete;

    BrowserEffects handle(const BrowserEvent& event);

    // Convenience forms of handle.
    BrowserEffects open() { return handle(BrowserEvent { BrowserEvent::Kind::Open }); }
    BrowserEffects press(BrowserButton button, std::string field)
    {
        return handle(BrowserEvent { BrowserEvent::Kind::Button, button, std::move(field) });
    }
    BrowserEffects enter(std::string field, bool focusOnStop = false)
    {
        BrowserEvent e { BrowserEvent::Kind::Enter, BrowserButton::Go, std::move(field) };
        e.focusOnStop = focusOnStop;
        return handle(e);
    }
    BrowserEffects tick(std::string field)
    {
        return handle(
            BrowserEvent { BrowserEvent::Kind::Tick, BrowserButton::Go, std::move(field) });
    }
    BrowserEffects slider(int bucket, std::string field)
    {
        BrowserEvent e { BrowserEvent::Kind::Slider, BrowserButton::Go, std::move(field) };
        e.bucket = bucket;
        return handle(e);
    }

    // State, for front ends and tests.
    int state() const;
    bool singleStep() const;
    bool slideShow() const;
    bool fastForward() const;
    bool sequence() const;
    bool soundOn() const;
    int speed() const;
    // The last word shown from the dictionary (or taken from the field).
    const std::string& currentWord() const;
    bool dictionaryOpen() const;
    // A Tick has been asked for and not yet handled.
    bool timerPending() const;
    // The single step test waits for the spelling.
    bool awaitingSpelling() const;
    // A test is under way (from showing the word to the verdict's end).
    bool testing() const;
    bool closed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quorvel
