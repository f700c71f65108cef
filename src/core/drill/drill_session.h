#pragma once

// The spelling drill's step machine. It never blocks and owns no timer: each call takes one
// event (the window opened, the step timer fired, a button, the answer box's time-out, a failed
// sound, the answer to a question) and returns the effects the front end carries out in order:
// texts to show, waits, sounds to play, message boxes and questions, and when to send the next
// Step. The front end holds any click that arrives while it is still carrying out effects (a
// wait, a sound) and hands it over afterwards, so a drill behaves the same in the window and in a
// terminal. Stop is the exception: it cuts the waits and sounds still to come and is handled at
// once.
//
// Messages and questions are effects like everything else, so they appear in their place among
// the texts (the greeting before the level question, the verdict before a history warning). A
// question is always the last effect of its call; the engine then waits for the Answer event.
//
// File work (the word file, the dictionary, the history file, the startup record, the review
// schedule) is done inside the call that decides it; the effects only show it.
//
// The user's review schedule follows every pass: a word answered wrong enters it (or goes back
// to its first box), and in the first pass of a "Review due" list a word answered right moves up
// a box. The schedule is read and saved once, when the pass ends or is stopped; a schedule file
// that cannot be used is reported once in the window's life, left as it is, and the drill goes
// on without it. A list is drawn one word a call: the call
// that begins it draws the first word and each Step the next, so that the front end takes input
// between the words without running an event loop of its own. While a list is drawn Stop ends it
// with the words found so far, and every other button only returns to the answer box.

#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "history/history_file.h"
#include "platform/services.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

class StartupInfo;

// The drill window's colour schemes: 0 is the palette's own, 1..5 the fixed pairs of colours.
inline constexpr int kColourSchemeCount = 6;

enum class DrillButton
{
    Start, // 502
    Stop, // 520
    Repeat, // 522
    Enter, // 1: "&Quit" when idle, "Enter" during a pass
    Help, // 9
    Sound, // 530
    FailuresToScrapPad, // 505
    Learn, // 506
    ChangeColours, // 532
    // Idle, after a drill with missed words: a list of exactly those words is written to the
    // word file and spelt as a failures list is.
    PractiseThese,
    SayAgain, // speaks the word once more while its answer is awaited
};

enum class DrillFocus
{
    Answer,
    Start,
    Repeat,
};

// What the window's number fields show.
struct DrillDisplays
{
    int wordNumber = 0;
    int correct = 0;
    int wordsInPass = 0;
    int levelPercent = 0;
    std::string levelName; // "Elementary", "Intermediate", "Advanced"
    std::string learnModeName; // "Flash", "Ripple", "Continuous"
    bool operator==(const DrillDisplays&) const = default;
};

struct DrillEffect
{
    enum class Kind
    {
        ShowPrompt, // text: the prompt line (503)
        SetAnswer, // text: the answer box (501)
        Focus, // value: DrillFocus
        SetLight, // value: 0 red, 1 yellow, 2 green
        SetProgressRange, // value: the maximum (the minimum is 0)
        SetProgress, // value
        UpdateDisplays, // displays
        SetButtonText, // value: DrillButton; text: the label with its mnemonic
        SetColourScheme, // value: 0..kColourSchemeCount - 1
        SetTimeLimit, // value: milliseconds the answer box allows from the next focus
        Wait, // value: milliseconds during which the window takes no input
        Play, // text: a wave file to play to its end (it exists; sound is on); see `background`
        // text: a word without a recording, to be spoken by speech synthesis and played as Play
        // plays a file; value: its Language (1 UK, 2 US); see `background`
        Speak,
        Message, // text, caption, icon: a message box with an OK button
        Question, // text, caption, icon, buttons: the front end sends the Answer event
        WaitCursor, // value: 1 show the wait cursor, 0 restore it
        InsertIntoScrapPad, // text: inserted at the caret of the open scrap pad's page 1
        OpenHelp, // value: help context
        ScheduleStep, // value: milliseconds until the front end sends the Step event
        Close, // the drill ends; the window closes
    };
    DrillEffect(Kind k, int v = 0, std::string t = {})
        : kind(k)
        , value(v)
        , text(std::move(t))
    { }
    Kind kind;
    int value = 0;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // Play and Speak: the sound goes on while the person types the answer (the request to type it);
    // the front end takes keys meanwhile and cuts the sound when the next one starts or Stop comes.
    bool background = false;
    DrillDisplays displays;
};
using DrillEffects = std::vector<DrillEffect>;

struct DrillEvent
{
    enum class Kind
    {
        Open, // the window was set up
        Step, // the step timer fired
        Button, // a button was pressed
        TimeOut, // the answer box's time limit ran out (noticed at a keystroke)
        SoundFailed, // a play failed with an error (already reported): sound off for the window
        Answer, // the button chosen in the question the last effects asked
    };
    DrillEvent(Kind k, DrillButton b = DrillButton::Enter, std::string a = {})
        : kind(k)
        , button(b)
        , answer(std::move(a))
    { }
    Kind kind;
    DrillButton button = DrillButton::Enter;
    std::string answer; // with Button: the answer box's text at that moment
    MessageAnswer reply = MessageAnswer::Cancel; // with Answer
};

// What the engine reaches outside itself.
struct DrillContext
{
    StartupInfo& info;
    DocumentState& documents;
    int user = 0;
    std::string programFolder; // voice prompts and letter sounds lie in its progdata/
    Clock& clock;
    RandomSource& random;
    bool soundUsable = true; // a wave output device answered
    // Told the count after each word drawn for a list of three or more words, and 0 when the
    // draw fails; the front end shows it. May be null.
    ProgressSink* progress = nullptr;
    // Every Start drills the user's due review words, whatever list type is chosen (the
    // terminal's drill --review). Otherwise they are drilled while the user's list type in the
    // program folder's settings file is "Review due".
    bool reviewOnly = false;
    // Words without a recording are spoken (the user's switch is on and the synthesizer can
    // speak); otherwise the prompt "here is the word" stands in for them.
    bool speechOn = false;
    // The user's "Hear only": each word is spoken twice and never shown, whenever it can be heard.
    bool hearOnly = false;
};

enum class DrillAction
{
    Present = 1,
    Check = 2,
    PresentRepeat = 3,
    CheckRepeat = 4,
    Finish = 10,
};

// A word missed in the drill: as it was shown, and what was typed for it (empty when nothing
// was typed in time).
struct MissedWord
{
    std::string word;
    std::string typed;
    bool operator==(const MissedWord&) const = default;
};

// The end-of-drill summary as lines of text: "typed  ->  WORD" for each missed word, or the
// cheerful line when nothing was missed.
std::vector<std::string> missedWordsSummary(const std::vector<MissedWord>& missed);

class DrillSession
{
public:
    explicit DrillSession(DrillContext context);
    ~DrillSession();
    DrillSession(const DrillSession&) = delete;
    DrillSession& operator=(const DrillSession&) = delete;

    DrillEffects handle(const DrillEvent& event);

    // Convenience forms of handle.
    DrillEffects open() { return handle({ DrillEvent::Kind::Open }); }
    DrillEffects step() { return handle({ DrillEvent::Kind::Step }); }
    DrillEffects press(DrillButton button, std::string answer = {})
    {
        return handle({ DrillEvent::Kind::Button, button, std::move(answer) });
    }
    DrillEffects timeOut() { return handle({ DrillEvent::Kind::TimeOut }); }
    DrillEffects answer(MessageAnswer reply)
    {
        DrillEvent e { DrillEvent::Kind::Answer };
        e.reply = reply;
        return handle(e);
    }

    // State, for front ends and tests.
    DrillAction pendingAction() const;
    bool passRunning() const;
    // A word has been shown and hidden and the answer box waits for Enter.
    bool awaitingAnswer() const;
    // A question was asked and its Answer event is awaited.
    bool questionPending() const;
    bool firstPassRunning() const;
    bool repeatPassRunning() const;
    // A list is being drawn: each Step draws its next word.
    bool busy() const;
    bool soundOn() const;
    bool learnOn() const;
    bool failuresToScrapPad() const;
    int colourScheme() const;
    int light() const;
    const DrillDisplays& displays() const;
    const DrillSettings& settings() const;
    const std::string& currentWord() const;
    int wordsInPass() const;
    int correct() const;
    int lastPercent() const;
    // The answer box's limit in milliseconds (5000 until the first answer is asked for).
    int timeLimit() const;
    // The words missed since the last Start (or Practise these), in the order they were first
    // missed, each once with its latest wrong answer. A word missed in the first pass stays
    // listed when a repeat pass gets it right. A stopped first pass leaves none.
    const std::vector<MissedWord>& missedWords() const;
    // True when the last pass ended by itself (not stopped), so its summary can be shown; false
    // again once a new pass begins.
    bool summaryReady() const;
    // True once the window should close.
    bool closed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The answer box's keystroke rules once the answer has been asked for (the box got the focus):
// every key typed from then on is the answer's, even while the request to type it is still being
// spoken. After the time limit a letter is dropped and the first such letter reports the
// time-out; Enter still submits what was typed in time. Keys typed before the answer was asked
// for (held while the word was shown, or meant for the previous word) never reach the guard: the
// front ends drop them.
class AnswerGuard
{
public:
    enum class Verdict
    {
        Accept,
        Drop,
        DropAndTimeOut,
    };
    void focused(std::uint32_t now)
    {
        m_focusAt = now;
        m_timedOut = false;
    }
    void setLimit(std::uint32_t ms) { m_limit = ms; }
    std::uint32_t limit() const { return m_limit; }
    // `typedAt` is when the key was pressed, which for a key held back while the window was busy
    // is earlier than when it is handed over.
    Verdict key(char c, std::uint32_t typedAt)
    {
        if (c == '\r' || typedAt - m_focusAt <= m_limit)
            return Verdict::Accept;
        if (m_timedOut)
            return Verdict::Drop;
        m_timedOut = true;
        return Verdict::DropAndTimeOut;
    }

private:
    std::uint32_t m_focusAt = 0;
    std::uint32_t m_limit = 5000;
    bool m_timedOut = false;
};

} // namespace quorvel
