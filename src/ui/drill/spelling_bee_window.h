#pragma once

// The "Spelling Bee" window: a thin front end over DrillSession. The session decides everything
// and answers each event with effects; this window carries them out in order, turning the
// drill's waits and sounds into timers so the window keeps painting, and holding any click or key
// that arrives meanwhile until the effects are done. Stop and the close box are not held: they
// cut the waits and sounds still to come and act at once.

#include "common/ui_services.h"
#include "drill/answer_judging.h"
#include "drill/drill_session.h"
#include "sound/sound_playback.h"

#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace quorvel {
class SoundDevice;
class SpeechSynthesizer;
} // namespace quorvel

namespace quorvel::ui {

// The red, yellow and green lamps beside the answer box: red idle, yellow while a word is shown,
// green while the answer is awaited.
class TrafficLight final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 16; // the picture's proportions, in logical pixels
    static constexpr int kHeight = 64;

    explicit TrafficLight(QWidget* parent = nullptr);
    int state() const { return m_state; }
    // 0 red, 1 yellow, 2 green; anything else lights red.
    void setState(int state);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_state = 0;
};

// The answer box: at most kMaxAnswerLength characters, every typed character passing the
// AnswerGuard (typed before the answer was asked for, or after the time limit, it is dropped).
class AnswerBox final : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int kMaxLength = static_cast<int>(kMaxAnswerLength);

    explicit AnswerBox(Clock& clock, QWidget* parent = nullptr);

    // Gives the box the focus and starts the guard's clock: the drill asks for the answer now.
    void focusForAnswer();
    void setTimeLimit(int milliseconds);
    const AnswerGuard& guard() const { return m_guard; }
    // How many times the answer has been asked for; a held key remembers the count it was
    // typed under.
    unsigned answerRequests() const { return m_answerRequests; }
    // Hands over a key that was held back while the drill was busy, with the moment it was
    // typed: a key typed before the answer was asked for is dropped, Enter included.
    void replayKey(QKeyEvent& event, std::uint32_t typedAt, unsigned answerRequest);
    // While `hold` answers true for a key, the key is the owner's to keep and hand back later.
    void setKeyHold(std::function<bool(const QKeyEvent&)> hold) { m_hold = std::move(hold); }

Q_SIGNALS:
    // The first key after the time limit: the answer comes too late.
    void timedOut();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Clock& m_clock;
    AnswerGuard m_guard;
    std::function<bool(const QKeyEvent&)> m_hold;
    std::optional<std::uint32_t> m_replayTypedAt;
    unsigned m_answerRequests = 0;
};

class SpellingBeeWindow final : public QDialog
{
    Q_OBJECT
public:
    // `drill` names the user, the clock, the random source and the files; the window adds its
    // own progress sink and the sound check. `sound` may be null (no sound at all). `speech`
    // speaks words without a recording when `drill.speechOn` (the user's switch) asks for it;
    // it may be null.
    SpellingBeeWindow(UiContext& context, DrillContext drill, SoundDevice* sound,
        QWidget* parent = nullptr, SpeechSynthesizer* speech = nullptr);
    ~SpellingBeeWindow() override;

    DrillSession& session() { return *m_session; }
    // True while effects are still being carried out (a wait, a sound, a message).
    bool carryingOut() const { return m_running; }
    // Clicks and keys held until the current effects are done.
    std::size_t heldCount() const { return m_held.size(); }
    // Where failed words go while the scrap pad is open: the line (" WORD\r\n") is put in at the
    // caret of its page 1.
    using ScrapPadSink = std::function<void(const std::string& line)>;
    void setScrapPadSink(ScrapPadSink sink) { m_scrapPad = std::move(sink); }

    // The system's close command (and Escape) while a pass runs stops the pass first; the window
    // then closes as Quit would.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Something that came in while effects were being carried out, kept in arrival order.
    struct Held
    {
        enum class Kind
        {
            Button,
            Key,
            Step,
            TimeOut,
            Close,
        } kind;
        DrillButton button = DrillButton::Enter;
        int key = 0;
        Qt::KeyboardModifiers modifiers {};
        QString text {};
        std::uint32_t typedAt = 0; // Key: when it was typed
        unsigned answerRequest = 0; // Key: the answer box's count of requests then
    };

    // Shows the count of the list being drawn on the progress bar.
    class Progress final : public ProgressSink
    {
    public:
        explicit Progress(SpellingBeeWindow& window)
            : m_window(window)
        { }
        bool progress(int count) override;

    private:
        SpellingBeeWindow& m_window;
    };

    void buildControls();
    void openAtComfortableSize();
    QPushButton* addButton(DrillButton button, const char* label, const char* name);
    QLabel* addValue(const char* name, const char* accessibleName, bool large = false);

    void buttonClicked(DrillButton button);
    void deliver(Held item);
    void handleNow(const Held& item);
    // Queues the session's answer to a call; pump() carries it out.
    void callEngine(const std::function<DrillEffects()>& call);
    // Carries out the queued effects unless that is already under way.
    void pump();
    // The effects in order, then what was held meanwhile, until a wait or a sound holds the rest
    // back (its end goes on from here) or nothing is left.
    void carryOutQueued();
    void carryOut(const DrillEffect& effect, bool& suspend);
    void playFinished();
    void soundFailed();
    // Stop and close: the effects still to come are dropped (what they would have shown and said
    // no longer matters), except the messages and switch labels, which are carried out at once.
    void cutPendingEffects();
    void stopNow();
    void showProgress(int count);
    void closeRequested();
    void finish();
    // After each batch of effects: the countdown, the summary and the default button follow the
    // session's state.
    void followSession();
    void updateCountdown();

    void setLight(int state);
    void setDisplays(const DrillDisplays& displays);
    void setColourScheme(int scheme);
    void setWaitCursor(bool on);
    std::string answerText() const;

    UiContext& m_context;
    Clock& m_clock;
    Progress m_progressSink;
    SoundPlayback m_playback;
    std::unique_ptr<DrillSession> m_session;

    AnswerBox* m_answer = nullptr;
    QLabel* m_prompt = nullptr;
    QLabel* m_wordNumber = nullptr;
    QLabel* m_scoreCorrect = nullptr;
    QLabel* m_scoreWords = nullptr;
    QLabel* m_learnMode = nullptr;
    QLabel* m_levelName = nullptr;
    QLabel* m_levelPercent = nullptr;
    QProgressBar* m_progress = nullptr;
    TrafficLight* m_light = nullptr;
    std::array<QPushButton*, 11> m_buttons {};
    // The time left for the answer, counted down while it is awaited.
    QLabel* m_countdown = nullptr;
    QTimer m_countdownTimer;
    std::uint32_t m_answerDeadline = 0;
    int m_timeLimit = 0;
    // The end-of-drill summary: each missed word beside what was typed, and Practise these.
    QWidget* m_summary = nullptr;
    QLabel* m_summaryHeading = nullptr;
    QTreeWidget* m_missedList = nullptr;
    // Until the first pass begins, Enter means Start (a just-opened window is not to close).
    bool m_justOpened = true;

    QTimer m_stepTimer; // the drill's one-shot step timer
    QTimer m_waitTimer; // a wait of the effects being carried out
    QTimer m_playTimer; // polls the sound being played

    std::deque<DrillEffect> m_effects;
    std::deque<Held> m_held;
    bool m_running = false; // effects are being carried out: input is held
    bool m_finished = false;
    bool m_playHoldsEffects = false; // the sound playing holds back the effects after it
    int m_waitCursors = 0;
    ScrapPadSink m_scrapPad;
};

// The "&Spelling Bee" command: runs the drill window modally for the current user, then saves the
// startup record ("Error in writing user Information." under "Warning!" when that fails).
// Returns whether the record was saved. `scrapPad` takes the failed words while the scrap pad is
// open.
// `speech` speaks the words without a recording (may be null); the switches for it come from the
// settings file.
bool runSpellingBee(QWidget* parent, UiContext& context, SoundDevice* sound,
    SpellingBeeWindow::ScrapPadSink scrapPad = {}, SpeechSynthesizer* speech = nullptr);

} // namespace quorvel::ui
