// drill: the Spelling Bee on a terminal. The same drill engine as the window's, its effects
// carried out as lines of text: prompts on standard output (standard error with --json, which
// keeps standard output for the one result object), messages on standard error. On a terminal
// the keys are read as they are typed, so the answer box's rules hold as in the window: keys
// typed before the answer is asked for are dropped, keys typed while the request to type is
// still being spoken are kept, and an answer typed in time but entered late is judged. Piped
// answers are read a line at a time.

#include "cli.h"
#include "config/startup_info.h"
#include "drill/answer_judging.h"
#include "drill/drill_session.h"
#include "drill/level_adjustment.h"
#include "sound/sound_playback.h"
#include "strings/cli_strings.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"

#include "config/settings_groups.h"
#include "platform/paths.h"

#ifdef QUORVEL_CLI_SOUND
#include "audio/sdl_sound_device.h"
#include "speech/espeak_synthesizer.h"
#endif

#include <QJsonArray>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <deque>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace quorvel::cli {

namespace {

// The answer box holds at most this many characters.
constexpr std::size_t kAnswerWidth = kMaxAnswerLength;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl+C during the drill stops it as Stop would, so the startup record is still saved; so do a
// hang-up and a polite kill, which also gives the terminal its settings back. The handlers are
// installed without SA_RESTART: a read or a sleep in progress returns at once.
class InterruptGuard
{
public:
    InterruptGuard()
    {
        g_interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &action, &m_previous[i]);
    }
    ~InterruptGuard()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    static constexpr int kSignals[] = { SIGINT, SIGTERM, SIGHUP };
    struct sigaction m_previous[std::size(kSignals)] = {};
};

// Standard input. A pipe is read a line at a time. A terminal is switched out of line mode and
// echo for the drill (and back at the end): each key is taken as it arrives, stamped with the
// moment it came, and the drill echoes only what the answer keeps.
class KeyInput
{
public:
    struct Key
    {
        char c;
        std::uint32_t at;
    };

    explicit KeyInput(Clock& clock)
        : m_clock(clock)
        , m_terminal(::isatty(STDIN_FILENO) == 1)
    {
        if (m_terminal && tcgetattr(STDIN_FILENO, &m_saved) == 0) {
            termios raw = m_saved;
            // Signals (Ctrl+C) stay on; line editing and echo are the drill's own now.
            raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            m_raw = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
        }
    }
    ~KeyInput()
    {
        if (m_raw)
            tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    KeyInput(const KeyInput&) = delete;
    KeyInput& operator=(const KeyInput&) = delete;

    // Keys one by one (a terminal whose line mode could be switched off), else lines.
    bool keyByKey() const { return m_raw; }
    bool terminal() const { return m_terminal; }
    bool ended() const { return m_eof; }

    // Takes in what has arrived, waiting up to `ms` for the first byte (-1: until something
    // comes, the end of input or an interrupt). Returns whether anything came.
    bool pump(int ms)
    {
        if (m_eof || g_interrupted)
            return false;
        pollfd fd { STDIN_FILENO, POLLIN, 0 };
        const int ready = ::poll(&fd, 1, ms);
        if (ready <= 0)
            return false;
        char chunk[256];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
            m_eof = true;
            return false;
        }
        if (n < 0)
            return false;
        const std::uint32_t now = m_clock.ticks();
        for (ssize_t i = 0; i < n; ++i)
            m_keys.push_back({ chunk[i], now });
        return true;
    }

    // Takes in everything that has arrived so far, without waiting.
    void drain()
    {
        while (pump(0)) { }
    }

    std::optional<Key> takeKey()
    {
        if (m_keys.empty())
            return std::nullopt;
        const Key k = m_keys.front();
        m_keys.pop_front();
        return k;
    }
    // Drops the rest of a burst that arrived with `at` (the tail of an escape sequence) and
    // returns it.
    std::string dropBurst(std::uint32_t at)
    {
        std::string tail;
        while (!m_keys.empty() && m_keys.front().at == at) {
            tail.push_back(m_keys.front().c);
            m_keys.pop_front();
        }
        return tail;
    }
    // Drops whatever was typed before now.
    void discardTypedAhead()
    {
        drain();
        m_keys.clear();
    }
    // Drops the keys that came before `moment`.
    void discardBefore(std::uint32_t moment)
    {
        drain();
        while (!m_keys.empty() && static_cast<std::int32_t>(m_keys.front().at - moment) < 0)
            m_keys.pop_front();
    }

    // The next line without its line end; nothing at the end of input or after an interrupt.
    // On a terminal in key mode the typed characters are echoed to `echo` as they come.
    std::optional<std::string> readLine(std::FILE* echo = nullptr)
    {
        std::string line;
        for (;;) {
            while (const std::optional<Key> k = takeKey()) {
                if (k->c == '\n' || (m_raw && k->c == '\r')) {
                    if (!line.empty() && line.back() == '\r')
                        line.pop_back();
                    if (m_raw && echo)
                        writeEcho(echo, "\n");
                    return line;
                }
                if (!m_raw) {
                    line.push_back(k->c);
                    continue;
                }
                if (k->c == 0x7F || k->c == '\b') {
                    if (!line.empty()) {
                        line.pop_back();
                        writeEcho(echo, "\b \b");
                    }
                } else if (k->c == 0x04 && line.empty()) {
                    m_eof = true; // Ctrl+D on an empty line ends the input, as it always did
                    return std::nullopt;
                } else if (k->c == 0x1B) {
                    dropBurst(k->at);
                } else if (std::isprint(static_cast<unsigned char>(k->c))) {
                    line.push_back(k->c);
                    writeEcho(echo, std::string(1, k->c));
                }
            }
            if (g_interrupted)
                return std::nullopt;
            if (m_eof) {
                // A last line without its line end still counts.
                if (line.empty())
                    return std::nullopt;
                return line;
            }
            pump(-1);
        }
    }

    static void writeEcho(std::FILE* to, const std::string& text)
    {
        if (!to)
            return;
        std::fputs(text.c_str(), to);
        std::fflush(to);
    }

private:
    Clock& m_clock;
    bool m_terminal;
    bool m_raw = false;
    bool m_eof = false;
    termios m_saved {};
    std::deque<Key> m_keys;
};

// The terminal side: which stream the drill's lines go to, and the word shown during the
// presentation, which is wiped off the screen once the next prompt replaces it.
class Screen
{
public:
    Screen(std::FILE* lines, bool fast, KeyInput& input)
        : m_lines(lines)
        , m_linesTty(::isatty(::fileno(lines)) == 1)
        , m_errTty(::isatty(STDERR_FILENO) == 1)
        , m_inputTty(input.terminal())
        , m_waits(!fast && m_inputTty)
        , m_input(input)
    { }

    bool inputIsTerminal() const { return m_inputTty; }
    // Where typed keys are echoed: the terminal the drill's lines or its messages go to.
    std::FILE* echoStream() const
    {
        if (!m_input.keyByKey())
            return nullptr;
        return m_linesTty ? m_lines : m_errTty ? stderr : nullptr;
    }

    // A prompt line. `transient` lines (the word, a part of it, a blank) replace each other and
    // are erased by the next prompt.
    void prompt(const std::string& text, bool transient)
    {
        const bool blank = text.find_first_not_of(' ') == std::string::npos;
        eraseTransient();
        if (blank)
            return; // a blank prompt line only clears the word
        std::fprintf(m_lines, "%s\n", oneLine(text).c_str());
        std::fflush(m_lines);
        if (transient && m_linesTty)
            m_linesBelowWord = 0;
        else
            lineBelowWord(m_linesTty);
    }

    // Any other line on the drill's stream.
    void line(const std::string& text)
    {
        std::fprintf(m_lines, "%s\n", text.c_str());
        std::fflush(m_lines);
        lineBelowWord(m_linesTty);
    }

    // A line on standard error (messages, questions).
    void error(const std::string& text, bool newline = true)
    {
        std::fprintf(stderr, "%s%s", text.c_str(), newline ? "\n" : "");
        std::fflush(stderr);
        if (newline)
            lineBelowWord(m_errTty);
    }

    // A question's answer typed on the terminal ended its line.
    void typedLine() { lineBelowWord(m_inputTty); }

    // A drill's wait. Keys typed meanwhile are taken in with the moment they came (the answer
    // box drops them later as typed ahead); an interrupt ends the wait at once.
    void wait(int ms)
    {
        if (!m_waits || ms <= 0 || g_interrupted)
            return;
        using namespace std::chrono;
        const auto end = steady_clock::now() + milliseconds(ms);
        while (!g_interrupted) {
            const auto left = duration_cast<milliseconds>(end - steady_clock::now()).count();
            if (left <= 0)
                return;
            if (m_input.keyByKey() && !m_input.ended()) {
                m_input.pump(static_cast<int>(left));
                continue;
            }
            timespec t { static_cast<time_t>(left / 1000),
                static_cast<long>(left % 1000) * 1000000L };
            ::nanosleep(&t, nullptr);
        }
    }

private:
    void lineBelowWord(bool onTerminal)
    {
        if (m_linesBelowWord >= 0 && onTerminal)
            ++m_linesBelowWord;
    }

    // Moves up to the word's line, clears it and comes back. The lines printed below it (a score
    // line, a message) stay; the word's line is reused when it is the last one.
    void eraseTransient()
    {
        if (m_linesBelowWord < 0)
            return;
        const int up = m_linesBelowWord + 1;
        if (m_linesBelowWord == 0)
            std::fprintf(m_lines, "\033[1A\033[2K\r");
        else
            std::fprintf(m_lines, "\033[%dA\033[2K\033[%dB\r", up, up);
        std::fflush(m_lines);
        m_linesBelowWord = -1;
    }

    std::FILE* m_lines;
    bool m_linesTty;
    bool m_errTty;
    bool m_inputTty;
    bool m_waits;
    KeyInput& m_input;
    int m_linesBelowWord = -1; // -1: no word on the screen
};

// Message boxes as lines on standard error. A question is asked on the terminal; with the
// answers coming from a pipe nobody can answer it, so it gets its cautious answer.
class TerminalPrompter final : public Prompter
{
public:
    TerminalPrompter(Screen& screen, KeyInput& input)
        : m_screen(screen)
        , m_input(input)
    { }

    MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon,
        MessageButtons buttons) override
    {
        m_screen.error(oneLine(caption) + ": " + oneLine(text));
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        const MessageAnswer cautious
            = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
        if (!m_screen.inputIsTerminal()) {
            m_screen.error(strings::kCliQuestionCancelled);
            return cautious;
        }
        const char* keys = buttons == MessageButtons::YesNoCancel ? strings::kCliAskYesNoCancel
            : buttons == MessageButtons::YesNo                    ? strings::kCliAskYesNo
                                                                  : strings::kCliAskOkCancel;
        for (;;) {
            m_screen.error(keys, false);
            if (m_input.terminal())
                m_input.discardTypedAhead();
            const std::optional<std::string> line = m_input.readLine(m_screen.echoStream());
            if (!line)
                return cautious;
            m_screen.typedLine();
            const char c = line->empty()
                ? '\0'
                : static_cast<char>(std::tolower(static_cast<unsigned char>((*line)[0])));
            if (buttons == MessageButtons::OkCancel) {
                if (c == 'o')
                    return MessageAnswer::Ok;
                if (c == 'c')
                    return MessageAnswer::Cancel;
            } else {
                if (c == 'y')
                    return MessageAnswer::Yes;
                if (c == 'n')
                    return MessageAnswer::No;
                if (c == 'c' && buttons == MessageButtons::YesNoCancel)
                    return MessageAnswer::Cancel;
            }
        }
    }

private:
    Screen& m_screen;
    KeyInput& m_input;
};

std::unique_ptr<SoundDevice> makeSoundDevice()
{
#ifdef QUORVEL_CLI_SOUND
    return std::make_unique<services::SdlSoundDevice>();
#else
    return nullptr;
#endif
}

SpeechSynthesizer* programSynthesizer()
{
#ifdef QUORVEL_CLI_SOUND
    return &services::programSynthesizer();
#else
    return nullptr;
#endif
}

// What a terminal sends for F5 after its escape character.
constexpr const char* kF5Tail = "[15~";
// An answer line holding only this says the word again, as F5 does.
constexpr const char* kSayAgainLine = "?";

std::string scoreLine(const DrillDisplays& d)
{
    return std::string(strings::kCliWordNumber) + std::to_string(d.wordNumber) + "   "
        + strings::kCliScore + " " + std::to_string(d.correct) + " / "
        + std::to_string(d.wordsInPass) + "   " + strings::kCliLevelSetAt + d.levelName + " "
        + std::to_string(d.levelPercent) + "%";
}

// Runs one drill: carries out the engine's effects in order and feeds it the answers.
class TerminalDrill
{
public:
    TerminalDrill(DrillContext context, Screen& screen, KeyInput& input, Prompter& prompter,
        SoundPlayback* playback)
        : m_session(context)
        , m_clock(context.clock)
        , m_screen(screen)
        , m_input(input)
        , m_prompter(prompter)
        , m_playback(playback)
    { }

    struct WordResult
    {
        std::string word;
        std::string answer;
        bool correct = false;
        bool timedOut = false;
    };

    // Open, Start (or Repeat), the answers until the pass ends, then Quit. True when a pass ran
    // to its end.
    bool run(bool repeat)
    {
        drive(m_session.open());
        if (!m_session.closed())
            drive(m_session.press(repeat ? DrillButton::Repeat : DrillButton::Start));
        m_passStarted = m_session.passRunning();
        while (!m_session.closed() && !m_stopped) {
            if (g_interrupted) {
                stop();
                break;
            }
            if (!m_session.awaitingAnswer())
                break;
            answerOne();
        }
        // The same summary the window shows: each missed word beside what was typed.
        if (m_session.summaryReady() && !m_stopped) {
            showDisplays();
            for (const std::string& line : missedWordsSummary(m_session.missedWords()))
                m_screen.line(line);
        }
        // Quit: Enter while idle closes the drill.
        if (!m_session.closed())
            drive(m_session.press(DrillButton::Enter));
        if (m_playback)
            m_playback->stop();
        showDisplays();
        return m_passStarted && !m_stopped && m_finishedShown;
    }

    const DrillSession& session() const { return m_session; }
    const std::vector<WordResult>& results() const { return m_results; }

private:
    // Ctrl+C or the end of input: Stop, at once.
    void stop()
    {
        if (g_interrupted) {
            // A terminal in line mode echoed ^C after what was typed: the message starts on a
            // line of its own. (Typing key by key, the answer's line was ended already.)
            const bool lineOpen = m_screen.inputIsTerminal() && !m_input.keyByKey();
            m_screen.error(std::string(lineOpen ? "\n" : "") + strings::kCliInterrupted);
        }
        m_stopped = true;
        if (m_playback)
            m_playback->stop();
        drive(m_session.press(DrillButton::Stop));
    }

    // The engine waits for the answer.
    void answerOne()
    {
        WordResult result { m_session.currentWord(), {} };
        const int correctBefore = m_session.correct();
        const Answer a = m_input.keyByKey() ? typeAnswer() : readAnswerLine();
        if (a.kind == Answer::Kind::Ended) {
            stop();
            return;
        }
        if (a.kind == Answer::Kind::TimedOut) {
            // As in the window: the late key shows the time-out, and the engine then takes the
            // empty answer itself.
            result.timedOut = true;
            drive(m_session.timeOut());
        } else {
            result.answer = a.text;
            drive(m_session.press(DrillButton::Enter, result.answer));
        }
        result.correct = m_session.correct() > correctBefore;
        m_results.push_back(std::move(result));
    }

    struct Answer
    {
        enum class Kind
        {
            Entered,
            TimedOut,
            Ended, // end of input or an interrupt
        } kind;
        std::string text;
    };

    // Piped answers: a line is the answer; when it came after the time limit it is too late.
    Answer readAnswerLine()
    {
        std::optional<std::string> line;
        for (;;) {
            line = g_interrupted ? std::nullopt : m_input.readLine(m_screen.echoStream());
            if (!line)
                return { Answer::Kind::Ended, {} };
            if (m_screen.inputIsTerminal())
                m_screen.typedLine();
            if (*line != kSayAgainLine)
                break;
            sayAgain();
        }
        const std::uint32_t elapsed = m_clock.ticks() - m_focusedAt;
        if (elapsed > m_guard.limit())
            return { Answer::Kind::TimedOut, {} };
        return { Answer::Kind::Entered, line->substr(0, kAnswerWidth) };
    }

    // Keys on a terminal, by the answer box's rules: each key as it was typed, with the time it
    // came. Letters typed while the request to type was still being spoken are already waiting.
    Answer typeAnswer()
    {
        std::FILE* echo = m_screen.echoStream();
        std::string text;
        for (;;) {
            while (const std::optional<KeyInput::Key> k = m_input.takeKey()) {
                if ((k->c == '\r' || k->c == '\n') && text == kSayAgainLine) {
                    KeyInput::writeEcho(echo, "\b \b");
                    text.clear();
                    sayAgain();
                    continue;
                }
                if (k->c == '\r' || k->c == '\n') {
                    KeyInput::writeEcho(echo, "\n");
                    m_screen.typedLine();
                    return { Answer::Kind::Entered, text };
                }
                if (k->c == 0x7F || k->c == '\b') {
                    if (!text.empty()) {
                        text.pop_back();
                        KeyInput::writeEcho(echo, "\b \b");
                    }
                    continue;
                }
                if (k->c == 0x04 && text.empty())
                    return { Answer::Kind::Ended, {} };
                if (k->c == 0x1B) {
                    if (m_input.dropBurst(k->at) == kF5Tail)
                        sayAgain();
                    continue;
                }
                if (!std::isprint(static_cast<unsigned char>(k->c)))
                    continue;
                switch (m_guard.key(k->c, k->at)) {
                case AnswerGuard::Verdict::Accept:
                    if (text.size() < kAnswerWidth) {
                        text.push_back(k->c);
                        KeyInput::writeEcho(echo, std::string(1, k->c));
                    }
                    break;
                case AnswerGuard::Verdict::Drop:
                    break;
                case AnswerGuard::Verdict::DropAndTimeOut:
                    if (!text.empty()) {
                        KeyInput::writeEcho(echo, "\n");
                        m_screen.typedLine();
                    }
                    return { Answer::Kind::TimedOut, {} };
                }
            }
            if (g_interrupted || m_input.ended()) {
                if (!text.empty())
                    KeyInput::writeEcho(echo, "\n");
                return { Answer::Kind::Ended, {} };
            }
            m_input.pump(-1);
        }
    }

    // F5 or a "?" line: the word once more, in the background; the time limit runs on.
    void sayAgain() { carryOut(m_session.press(DrillButton::SayAgain)); }

    // Carries out a batch of effects, then runs the steps it asked for until the engine waits
    // for the person. A list being drawn is drawn to its end first, whatever came meanwhile.
    void drive(DrillEffects effects)
    {
        for (;;) {
            m_stepAsked = false;
            carryOut(effects);
            if (!m_stepAsked || m_session.closed()
                || (g_interrupted && !m_stopped && !m_session.busy()))
                break;
            effects = m_session.step();
        }
    }

    void carryOut(const DrillEffects& effects)
    {
        for (const DrillEffect& e : effects) {
            using K = DrillEffect::Kind;
            switch (e.kind) {
            case K::ShowPrompt:
                showPrompt(e.text);
                break;
            case K::SetAnswer:
                // Only the time-out's notice is worth a line; clearing the box is not.
                if (!e.text.empty())
                    m_screen.line(e.text);
                break;
            case K::Focus:
                if (e.value == static_cast<int>(DrillFocus::Answer)) {
                    // Keys typed while the word was on the screen were typed ahead: the answer
                    // box drops them, and so does the terminal. Keys typed once the request to
                    // type was on the screen are the answer's.
                    if (m_input.keyByKey())
                        m_input.discardBefore(m_promptShownAt);
                    m_focusedAt = m_clock.ticks();
                    m_guard.focused(m_focusedAt);
                }
                break;
            case K::SetTimeLimit:
                m_guard.setLimit(static_cast<std::uint32_t>(std::max(e.value, 0)));
                break;
            case K::UpdateDisplays:
                // Shown with the next prompt line: a step often refreshes the numbers twice.
                m_latestDisplays = e.displays;
                break;
            case K::Wait:
                m_screen.wait(e.value);
                break;
            case K::Play:
                play(e.text, e.background, std::nullopt);
                break;
            case K::Speak:
                play(e.text, e.background, static_cast<Language>(e.value));
                break;
            case K::Message:
                m_screen.error(oneLine(e.caption) + ": " + oneLine(e.text));
                break;
            case K::Question: {
                // The question is the last effect of its batch; the answer's effects follow.
                const MessageAnswer reply = m_prompter.show(e.text, e.caption, e.icon, e.buttons);
                carryOut(m_session.answer(reply));
                break;
            }
            case K::ScheduleStep:
                m_stepAsked = true;
                break;
            case K::Close:
            case K::SetLight:
            case K::SetProgressRange:
            case K::SetProgress:
            case K::SetButtonText:
            case K::SetColourScheme:
            case K::WaitCursor:
            case K::InsertIntoScrapPad: // the terminal has no open scrap pad
            case K::OpenHelp:
                break;
            }
        }
    }

    // The score line, when the numbers changed since it was last printed.
    void showDisplays()
    {
        if (m_latestDisplays && m_latestDisplays != m_shownDisplays) {
            m_screen.line(scoreLine(*m_latestDisplays));
            m_shownDisplays = m_latestDisplays;
        }
    }

    void showPrompt(const std::string& text)
    {
        if (text.find_first_not_of(' ') != std::string::npos)
            showDisplays();
        if (m_session.passRunning()
            && (text == strings::kFinished || text == strings::kNoFailedWords))
            m_finishedShown = true;
        // The word, a part of it (Ripple) and the blank between flashes are taken off the
        // screen again, so the word cannot be copied into the answer.
        const std::string& word = m_session.currentWord();
        const bool transient
            = !word.empty() && !text.empty() && word.compare(0, text.size(), text) == 0;
        // The keys typed so far are stamped before the new line shows.
        if (m_input.keyByKey())
            m_input.drain();
        m_promptShownAt = m_clock.ticks();
        m_screen.prompt(text, transient);
    }

    // Plays a sound to its end, taking in the keys typed meanwhile; a background sound (the
    // request to type the answer) plays on while the answer is typed, until the next sound or
    // Stop cuts it.
    // With `speak` the text is a word to be spoken in that language, else a file to play.
    void play(const std::string& text, bool background, std::optional<Language> speak)
    {
        if (!m_playback || g_interrupted)
            return;
        const bool wasOff = m_playback->switchedOff();
        const PlayStart started
            = speak ? m_playback->startSpeech(text, *speak) : m_playback->start(text);
        if (started == PlayStart::Started && !background) {
            while (!m_playback->finished()) {
                if (g_interrupted) {
                    m_playback->stop();
                    break;
                }
                if (m_input.keyByKey() && !m_input.ended())
                    m_input.pump(10);
                else
                    ::usleep(10000);
            }
        }
        if (!wasOff && m_playback->switchedOff()) {
            // The error has been shown; the drill goes on without sound.
            carryOut(m_session.handle({ DrillEvent::Kind::SoundFailed }));
        }
    }

    DrillSession m_session;
    Clock& m_clock;
    Screen& m_screen;
    KeyInput& m_input;
    Prompter& m_prompter;
    SoundPlayback* m_playback;
    AnswerGuard m_guard;
    std::vector<WordResult> m_results;
    std::optional<DrillDisplays> m_latestDisplays;
    std::optional<DrillDisplays> m_shownDisplays;
    std::uint32_t m_focusedAt = 0;
    std::uint32_t m_promptShownAt = 0;
    bool m_stepAsked = false;
    bool m_passStarted = false;
    bool m_stopped = false;
    bool m_finishedShown = false;
};

void drillCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, { "no-sound", "repeat", "fast", "review" });
    args.expectPositionals(0);
    const int user = userOption(args);
    if (args.has("repeat") && args.has("review"))
        throw UsageError("--repeat and --review cannot be used together");
    StartupInfo info = ctx.startup(true);

    InterruptGuard interrupts;
    SystemClock clock;
    KeyInput input(clock);
    Screen screen(ctx.out().json() ? stderr : stdout, args.has("fast"), input);
    TerminalPrompter prompter(screen, input);

    std::unique_ptr<SoundDevice> device = args.has("no-sound") ? nullptr : makeSoundDevice();
    std::optional<SoundPlayback> playback;
    bool soundUsable = false;
    const SettingsFile settings(paths::settingsFile(ctx.folder()));
    bool speechOn = false;
    if (device) {
        playback.emplace(device.get(), prompter);
        soundUsable = playback->checkSoundDevice(info.soundOn(user) == 1);
        playback->setSpeech(programSynthesizer());
        speechOn = soundUsable && readSpeakUnrecordedWords(settings)
            && playback->checkSpeech(info.soundOn(user) == 1);
    }

    DefaultRandomSource random;
    DocumentState documents;
    DrillContext context { info, documents, user, ctx.folder(), clock, random, soundUsable, nullptr,
        args.has("review") };
    context.speechOn = speechOn;
    context.hearOnly = readHearOnly(settings, user);
    TerminalDrill drill(context, screen, input, prompter, soundUsable ? &*playback : nullptr);
    const bool completed = drill.run(args.has("repeat"));

    // As when the drill window closes: the record is saved whole, the drill may have changed it.
    if (!SaveStartupInfo(info))
        prompter.show(strings::kErrorWritingUserInfo, strings::kWarning, MessageIcon::Exclamation,
            MessageButtons::Ok);

    const DrillSession& session = drill.session();
    QJsonArray results;
    for (const TerminalDrill::WordResult& r : drill.results()) {
        results.append(QJsonObject {
            { "word", QString::fromLatin1(r.word.c_str()) },
            { "answer", QString::fromLatin1(r.answer.c_str()) },
            { "correct", r.correct },
            { "timedOut", r.timedOut },
        });
    }
    const int wordsInPass = drill.results().empty() ? 0 : session.wordsInPass();
    const QJsonObject out {
        { "completed", completed },
        { "words", wordsInPass },
        { "correct", session.correct() },
        { "percent", passPercent(session.correct(), wordsInPass) },
        { "results", results },
    };
    if (!completed)
        throw CommandError(Exit::kNotSuccess, strings::kCliDrillIncomplete, out);
    ctx.out().print(out);
}

} // namespace

std::vector<Command> drillCommands()
{
    return {
        { "", "drill", "drill --user U [--no-sound] [--repeat | --review] [--fast]", drillCommand },
    };
}

} // namespace quorvel::cli
