// drill: the Spelling Bee on a terminal. The same drill engine as the window's, its effects
// carried out as lines of text: prompts on standard output (standard error with --json, which
// keeps standard output for the one result object), messages on standard error, answers read a
// line at a time from standard input, typed or piped.

#include "cli.h"
#include "config/startup_info.h"
#include "drill/drill_session.h"
#include "drill/level_adjustment.h"
#include "sound/sound_playback.h"
#include "strings/cli_strings.h"
#include "strings/drill_strings.h"
#include "strings/strings.h"

#ifdef QUORVEL_CLI_SOUND
#include "audio/sdl_sound_device.h"
#endif

#include <QJsonArray>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <optional>
#include <termios.h>
#include <unistd.h>

namespace quorvel::cli {

namespace {

// The answer box holds at most this many characters.
constexpr std::size_t kAnswerWidth = 36;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl+C during the drill stops it as Stop would, so the startup record is still saved. The
// handler is installed without SA_RESTART: a read or a sleep in progress returns at once.
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
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptGuard() { sigaction(SIGINT, &m_previous, nullptr); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction m_previous = {};
};

// Lines from standard input, read with read(2) so that an interrupt ends a read in progress.
class LineReader
{
public:
    // The next line without its line end; nothing at the end of input or after an interrupt.
    std::optional<std::string> readLine()
    {
        for (;;) {
            const std::size_t end = m_buffer.find('\n');
            if (end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return line;
            }
            if (g_interrupted)
                return std::nullopt;
            if (m_eof) {
                if (m_buffer.empty())
                    return std::nullopt;
                // A last line without its line end still counts.
                std::string line;
                line.swap(m_buffer);
                return line;
            }
            char chunk[256];
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n > 0)
                m_buffer.append(chunk, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                m_eof = true;
        }
    }

    // Drops whatever was typed before now. Only for a terminal: a pipe's lines are the answers
    // to come.
    void discardTypedAhead()
    {
        tcflush(STDIN_FILENO, TCIFLUSH);
        m_buffer.clear();
    }

private:
    std::string m_buffer;
    bool m_eof = false;
};

// The terminal side: which stream the drill's lines go to, and the word shown during the
// presentation, which is wiped off the screen once the next prompt replaces it.
class Screen
{
public:
    Screen(std::FILE* lines, bool fast)
        : m_lines(lines)
        , m_linesTty(::isatty(::fileno(lines)) == 1)
        , m_errTty(::isatty(STDERR_FILENO) == 1)
        , m_inputTty(::isatty(STDIN_FILENO) == 1)
        , m_waits(!fast && m_inputTty)
    { }

    bool inputIsTerminal() const { return m_inputTty; }

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

    void wait(int ms)
    {
        if (!m_waits || ms <= 0 || g_interrupted)
            return;
        timespec left { ms / 1000, static_cast<long>(ms % 1000) * 1000000L };
        while (::nanosleep(&left, &left) != 0 && errno == EINTR && !g_interrupted) { }
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
    int m_linesBelowWord = -1; // -1: no word on the screen
};

// Message boxes as lines on standard error. A question is asked on the terminal; with the
// answers coming from a pipe nobody can answer it, so it gets its cautious answer.
class TerminalPrompter final : public Prompter
{
public:
    TerminalPrompter(Screen& screen, LineReader& input)
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
            m_input.discardTypedAhead();
            const std::optional<std::string> line = m_input.readLine();
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
    LineReader& m_input;
};

std::unique_ptr<SoundDevice> makeSoundDevice()
{
#ifdef QUORVEL_CLI_SOUND
    return std::make_unique<services::SdlSoundDevice>();
#else
    return nullptr;
#endif
}

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
    TerminalDrill(DrillContext context, Screen& screen, LineReader& input, SoundPlayback* playback)
        : m_session(context)
        , m_screen(screen)
        , m_input(input)
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
        while (!m_session.closed() && m_session.awaitingAnswer() && !m_stopped)
            answerOne();
        // Quit: Enter while idle closes the drill.
        if (!m_session.closed())
            drive(m_session.press(DrillButton::Enter));
        showDisplays();
        return m_passStarted && !m_stopped && m_finishedShown;
    }

    const DrillSession& session() const { return m_session; }
    const std::vector<WordResult>& results() const { return m_results; }

private:
    // The engine waits for the answer: one line, or the time-out when it came too late. The end
    // of input stops the drill.
    void answerOne()
    {
        std::optional<std::string> line = g_interrupted ? std::nullopt : m_input.readLine();
        if (!line) {
            if (g_interrupted) {
                // The terminal echoed ^C where the answer was being typed.
                m_screen.error(
                    std::string(m_screen.inputIsTerminal() ? "\n" : "") + strings::kCliInterrupted);
            }
            m_stopped = true;
            drive(m_session.press(DrillButton::Stop));
            return;
        }
        if (m_screen.inputIsTerminal())
            m_screen.typedLine();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - m_focusedAt)
                                 .count();
        WordResult result { m_session.currentWord(), line->substr(0, kAnswerWidth) };
        const int correctBefore = m_session.correct();
        if (elapsed > m_timeLimit) {
            // As in the window: the late key shows the time-out, and the engine then takes the
            // empty answer itself.
            result.timedOut = true;
            result.answer.clear();
            drive(m_session.timeOut());
        } else {
            drive(m_session.press(DrillButton::Enter, result.answer));
        }
        result.correct = m_session.correct() > correctBefore;
        m_results.push_back(std::move(result));
    }

    // Carries out a batch of effects, then runs the steps it asked for until the engine waits
    // for the person.
    void drive(DrillEffects effects)
    {
        for (;;) {
            m_stepAsked = false;
            carryOut(effects);
            if (!m_stepAsked || m_session.closed())
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
                    // box drops them, and so does the terminal.
                    if (m_screen.inputIsTerminal())
                        m_input.discardTypedAhead();
                    m_focusedAt = std::chrono::steady_clock::now();
                }
                break;
            case K::SetTimeLimit:
                m_timeLimit = e.value;
                m_focusedAt = std::chrono::steady_clock::now();
                break;
            case K::UpdateDisplays:
                // Shown with the next prompt line: a step often refreshes the numbers twice.
                m_latestDisplays = e.displays;
                break;
            case K::Wait:
                m_screen.wait(e.value);
                break;
            case K::Play:
                play(e.text);
                break;
            case K::Message:
                m_screen.error(oneLine(e.caption) + ": " + oneLine(e.text));
                break;
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
        m_screen.prompt(text, transient);
    }

    void play(const std::string& path)
    {
        if (!m_playback)
            return;
        const bool wasOff = m_playback->switchedOff();
        if (m_playback->start(path) == PlayStart::Started)
            m_playback->waitUntilFinished();
        if (!wasOff && m_playback->switchedOff()) {
            // The error has been shown; the drill goes on without sound.
            carryOut(m_session.handle({ DrillEvent::Kind::SoundFailed }));
        }
    }

    DrillSession m_session;
    Screen& m_screen;
    LineReader& m_input;
    SoundPlayback* m_playback;
    std::vector<WordResult> m_results;
    std::optional<DrillDisplays> m_latestDisplays;
    std::optional<DrillDisplays> m_shownDisplays;
    std::chrono::steady_clock::time_point m_focusedAt = std::chrono::steady_clock::now();
    long long m_timeLimit = 5000;
    bool m_stepAsked = false;
    bool m_passStarted = false;
    bool m_stopped = false;
    bool m_finishedShown = false;
};

void drillCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, { "no-sound", "repeat", "fast" });
    args.expectPositionals(0);
    const int user = userOption(args);
    StartupInfo info = ctx.startup(true);

    InterruptGuard interrupts;
    LineReader input;
    Screen screen(ctx.out().json() ? stderr : stdout, args.has("fast"));
    TerminalPrompter prompter(screen, input);

    std::unique_ptr<SoundDevice> device = args.has("no-sound") ? nullptr : makeSoundDevice();
    std::optional<SoundPlayback> playback;
    bool soundUsable = false;
    if (device) {
        playback.emplace(device.get(), prompter);
        soundUsable = playback->checkSoundDevice(info.soundOn(user) == 1);
    }

    SystemClock clock;
    DefaultRandomSource random;
    DocumentState documents;
    TerminalDrill drill(DrillContext { info, documents, user, ctx.folder(), clock, random, prompter,
                            soundUsable, nullptr },
        screen, input, soundUsable ? &*playback : nullptr);
    const bool completed = drill.run(args.has("repeat"));
    if (playback)
        playback->stop();

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
        { "", "drill", "drill --user U [--no-sound] [--repeat] [--fast]", drillCommand },
    };
}

} // namespace quorvel::cli
