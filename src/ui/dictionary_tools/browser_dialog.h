#pragma once

// The "Browse " dialog: a thin front end over DictionaryBrowser. The browser decides every step
// and answers each event with effects; the dialog carries them out in order. Its one timer stands
// for the browser's timer, and a sound is played while the window keeps painting: whatever is
// clicked meanwhile is held until the sound has ended, except S and closing, which cut it short.

#include "dictionary/dictionary_browser.h"
#include "sound/sound_playback.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace quorvel {
class SoundDevice;
} // namespace quorvel

namespace quorvel::ui {

struct UiContext;

// The lamps: stopped, play, test, fast and error. A lit lamp is filled and its name bold, so
// that the state does not rest on colour alone.
class BrowserLampsWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit BrowserLampsWidget(QWidget* parent = nullptr);
    void setLamps(const BrowserLamps& lamps);
    const BrowserLamps& lamps() const { return m_lamps; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BrowserLamps m_lamps;
};

class BrowserDialog final : public QDialog
{
    Q_OBJECT
public:
    // Takes the line (" WORD\r\n") for the end of page 1 of the open scrap pad; false when no
    // scrap pad of this user is open, and the line then goes to the page file.
    using ScrapPadSink = std::function<bool(const std::string& line)>;

    // `browser.soundUsable` is found out here; `sound` may be null (no sound card).
    BrowserDialog(
        UiContext& context, BrowserContext browser, SoundDevice* sound, QWidget* parent = nullptr);
    ~BrowserDialog() override;

    DictionaryBrowser& browser() { return *m_browser; }
    void setScrapPadSink(ScrapPadSink sink) { m_scrapPad = std::move(sink); }
    // The browser closed while it opened (no dictionary, no criteria): there is nothing to show.
    bool closedAtOpening() const { return m_browser->closed(); }
    // The browser's timer is running.
    bool timerActive() const { return m_timer.isActive(); }

    // Escape and the close box close the browser as O does.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    QPushButton* addButton(
        BrowserButton button, const char* label, const char* tip, const char* name);

    // Hands the event to the browser, or holds it while effects are being carried out.
    void send(BrowserEvent event);
    void carryOutQueued();
    void carryOut(const BrowserEffect& effect, bool& suspend);
    void playFinished();
    void soundFailed();
    // S and closing end a sound at once: the sounds still queued are dropped.
    void cutSound();
    void addToScrapPad(const std::string& line);
    void showSlider(int bucket);
    void showSwitches(int switches);

    UiContext& m_context;
    BrowserContext m_browserContext;
    SoundPlayback m_playback;
    std::unique_ptr<DictionaryBrowser> m_browser;
    ScrapPadSink m_scrapPad;

    QLineEdit* m_word = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_speed = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_bucket = nullptr;
    QLabel* m_order = nullptr;
    QLabel* m_sound = nullptr;
    BrowserLampsWidget* m_lamps = nullptr;
    std::array<QPushButton*, 13> m_buttons {};

    QTimer m_timer; // the browser's timer
    QTimer m_playTimer; // polls the sound being played
    std::deque<BrowserEffect> m_effects;
    std::deque<BrowserEvent> m_held;
    bool m_running = false; // effects are being carried out: events are held
    bool m_playing = false; // a sound holds the effects after it back
    bool m_done = false;
};

// The "&Browse Dictionary" command: runs the browser modally for the current user, then saves the
// startup record ("Error in writing user Information." under "Warning!" when that fails).
// Returns whether the record was saved.
bool runBrowser(UiContext& context, SoundDevice* sound, BrowserDialog::ScrapPadSink scrapPad,
    QWidget* parent = nullptr);

} // namespace quorvel::ui
