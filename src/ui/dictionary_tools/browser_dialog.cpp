#include "dictionary_tools/browser_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "dictionary/dictionary_file.h"
#include "documents/scrap_pad.h"
#include "strings/browser_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel::ui {

namespace {

using Kind = BrowserEffect::Kind;

constexpr int kMaxWordLength = 39;
constexpr int kPlayPollMs = 10;

std::size_t index(BrowserButton button)
{
    return static_cast<std::size_t>(button);
}

struct Lamp
{
    const char* name;
    QColor colour;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// BrowserLampsWidget

BrowserLampsWidget::BrowserLampsWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("browserLamps"));
    setAccessibleName(uiText(strings::kLampsName));
    setLamps({});
}

void BrowserLampsWidget::setLamps(const BrowserLamps& lamps)
{
    m_lamps = lamps;
    // A screen reader hears the lamps that are lit.
    QStringList lit;
    const std::pair<bool, const char*> states[] = { { lamps.stopped(), strings::kLampStopped },
        { lamps.play, strings::kLampPlay }, { lamps.test, strings::kLampTest },
        { lamps.fast, strings::kLampFast }, { lamps.error, strings::kLampError } };
    for (const auto& [on, name] : states) {
        if (on)
            lit << uiText(name) + QLatin1Char(' ') + uiText(strings::kLampLit);
    }
    setAccessibleDescription(lit.join(QStringLiteral(", ")));
    update();
}

QSize BrowserLampsWidget::sizeHint() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int width = 0;
    for (const char* name : { strings::kLampStopped, strings::kLampPlay, strings::kLampTest,
             strings::kLampFast, strings::kLampError })
        width += fm.height() + fm.horizontalAdvance(uiText(name)) + 2 * fm.averageCharWidth() + 8;
    return { width, fm.height() + 8 };
}

void BrowserLampsWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Lamp lamps[] = {
        { strings::kLampStopped, QColor(150, 150, 150) },
        { strings::kLampPlay, QColor(40, 200, 70) },
        { strings::kLampTest, QColor(60, 140, 240) },
        { strings::kLampFast, QColor(245, 165, 20) },
        { strings::kLampError, QColor(230, 50, 40) },
    };
    const bool on[]
        = { m_lamps.stopped(), m_lamps.play, m_lamps.test, m_lamps.fast, m_lamps.error };
    QFont normal = font();
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const qreal diameter = fm.height() * 0.7;
    const qreal middle = height() / 2.0;
    qreal x = 4;
    const QPalette& pal = palette();
    for (std::size_t i = 0; i < std::size(lamps); ++i) {
        const QRectF circle(x, middle - diameter / 2, diameter, diameter);
        if (on[i]) {
            p.setPen(QPen(lamps[i].colour.darker(160), 1));
            p.setBrush(lamps[i].colour);
        } else {
            p.setPen(QPen(pal.color(QPalette::Disabled, QPalette::WindowText), 1));
            p.setBrush(Qt::NoBrush);
        }
        p.drawEllipse(circle);
        x += diameter + fm.averageCharWidth();
        const QString name = uiText(lamps[i].name);
        p.setFont(on[i] ? bold : normal);
        p.setPen(pal.color(on[i] ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRectF text(x, 0, fm.horizontalAdvance(name) + 2, height());
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, name);
        x += text.width() + fm.averageCharWidth() + 8 + fm.height() - diameter;
    }
}

// ---------------------------------------------------------------------------------------------
// BrowserDialog

BrowserDialog::BrowserDialog(
    UiContext& context, BrowserContext browser, SoundDevice* sound, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_browserContext(browser)
    , m_playback(sound, context.prompter)
{
    setObjectName(QStringLiteral("browserDialog"));
    setWindowTitle(uiText(strings::kBrowserTitle));
    setModal(true);

    m_browser = std::make_unique<DictionaryBrowser>(m_browserContext);

    buildControls();

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this,
        [this] { send(BrowserEvent { BrowserEvent::Kind::Tick }); });
    m_playTimer.setInterval(kPlayPollMs);
    connect(&m_playTimer, &QTimer::timeout, this, [this] {
        if (!m_playback.finished())
            return;
        m_playTimer.stop();
        playFinished();
    });

    send(BrowserEvent { BrowserEvent::Kind::Open });
    // The sound card is looked for once the dictionary and the criteria have been found, so a
    // browser that cannot open says only why.
    if (!m_browser->closed()
        && !m_playback.checkSoundDevice(browser.info.soundOn(browser.user) == 1))
        send(BrowserEvent { BrowserEvent::Kind::NoSoundDevice });
}

BrowserDialog::~BrowserDialog()
{
    m_timer.stop();
    m_playTimer.stop();
    m_playback.stop();
}

QPushButton* BrowserDialog::addButton(
    BrowserButton button, const char* label, const char* tip, const char* name)
{
    auto* b = new QPushButton(uiText(label), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setToolTip(uiText(tip));
    b->setAccessibleName(uiText(tip));
    // One letter each: square buttons, as wide as they are high.
    const QFontMetrics fm(b->font());
    b->setFixedWidth(std::max(fm.height() * 2 + 8, fm.horizontalAdvance(b->text()) + 16));
    connect(b, &QPushButton::clicked, this, [this, button] {
        send(BrowserEvent { BrowserEvent::Kind::Button, button });
    });
    m_buttons[index(button)] = b;
    return b;
}

void BrowserDialog::buildControls()
{
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("wordField"));
    m_word->setMaxLength(kMaxWordLength);
    m_word->setAccessibleName(uiText(strings::kBrowseWordName));
    QFont large = m_word->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    m_word->setFont(large);
    m_word->setMinimumWidth(QFontMetrics(large).horizontalAdvance(QString(16, QLatin1Char('M'))));

    auto* speedLabel = new QLabel(uiText(strings::kBrowseSpeedLabel), this);
    m_speed = new QLabel(this);
    m_speed->setObjectName(QStringLiteral("speedDisplay"));
    m_speed->setAccessibleName(uiText(strings::kBrowseSpeedLabel));
    m_speed->setFrameShape(QFrame::Panel);
    m_speed->setFrameShadow(QFrame::Sunken);
    m_speed->setAlignment(Qt::AlignCenter);
    m_speed->setFont(large);
    m_speed->setMinimumWidth(QFontMetrics(large).horizontalAdvance(QStringLiteral("88")) + 12);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumHeight(m_status->fontMetrics().height() + 10);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("letterSlider"));
    m_slider->setAccessibleName(uiText(strings::kBrowseSliderName));
    m_slider->setRange(0, static_cast<int>(dict::kSlots) - 1);
    m_slider->setPageStep(26); // a page is one first letter
    m_bucket = new QLabel(this);
    m_bucket->setObjectName(QStringLiteral("bucketLetters"));
    m_bucket->setMinimumWidth(m_bucket->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        showSlider(value);
        if (!m_slider->isSliderDown()) {
            BrowserEvent e { BrowserEvent::Kind::Slider };
            e.bucket = value;
            send(e);
        }
    });
    connect(m_slider, &QSlider::sliderReleased, this, [this] {
        BrowserEvent e { BrowserEvent::Kind::Slider };
        e.bucket = m_slider->value();
        send(e);
    });

    m_lamps = new BrowserLampsWidget(this);
    m_order = new QLabel(this);
    m_order->setObjectName(QStringLiteral("orderSwitch"));
    m_sound = new QLabel(this);
    m_sound->setObjectName(QStringLiteral("soundSwitch"));
    // Wide enough for either text, so the window keeps its size when a switch changes.
    const auto fitBoth = [](QLabel* label, const char* one, const char* other) {
        const QFontMetrics metrics(label->font());
        label->setMinimumWidth(std::max(metrics.horizontalAdvance(uiText(one)),
                                   metrics.horizontalAdvance(uiText(other)))
            + metrics.averageCharWidth());
    };
    fitBoth(m_order, strings::kBrowseOrderSequence, strings::kBrowseOrderRandom);
    fitBoth(m_sound, strings::kBrowseSoundOn, strings::kBrowseSoundOff);

    using B = BrowserButton;
    auto* moving = new QHBoxLayout;
    moving->setSpacing(4);
    moving->addWidget(
        addButton(B::Back, strings::kBrowseBack, strings::kBrowseBackTip, "backButton"));
    moving->addWidget(addButton(B::Go, strings::kBrowseGo, strings::kBrowseGoTip, "goButton"));
    moving->addWidget(
        addButton(B::Stop, strings::kBrowseStop, strings::kBrowseStopTip, "stopButton"));
    moving->addWidget(
        addButton(B::Play, strings::kBrowsePlay, strings::kBrowsePlayTip, "playButton"));
    moving->addWidget(
        addButton(B::Fast, strings::kBrowseFast, strings::kBrowseFastTip, "fastButton"));
    moving->addSpacing(12);
    moving->addWidget(
        addButton(B::SingleStep, strings::kBrowseTest, strings::kBrowseTestTip, "testButton"));
    moving->addWidget(addButton(
        B::ScrapPad, strings::kBrowseScrapPad, strings::kBrowseScrapPadTip, "scrapPadButton"));
    moving->addSpacing(12);
    moving->addWidget(
        addButton(B::SpeedUp, strings::kBrowseFaster, strings::kBrowseFasterTip, "fasterButton"));
    moving->addWidget(
        addButton(B::SpeedDown, strings::kBrowseSlower, strings::kBrowseSlowerTip, "slowerButton"));
    moving->addSpacing(12);
    moving->addWidget(
        addButton(B::Sound, strings::kBrowseSound, strings::kBrowseSoundTip, "soundButton"));
    moving->addWidget(
        addButton(B::Order, strings::kBrowseOrder, strings::kBrowseOrderTip, "orderButton"));
    moving->addStretch(1);
    moving->addWidget(
        addButton(B::Close, strings::kBrowseClose, strings::kBrowseCloseTip, "closeButton"));
    moving->addWidget(
        addButton(B::Help, strings::kBrowseHelp, strings::kBrowseHelpTip, "helpButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_word, 1);
    top->addSpacing(12);
    top->addWidget(speedLabel);
    top->addWidget(m_speed);

    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(new QLabel(QStringLiteral("A"), this));
    sliderRow->addWidget(m_slider, 1);
    sliderRow->addWidget(new QLabel(QStringLiteral("Z"), this));
    sliderRow->addSpacing(8);
    sliderRow->addWidget(m_bucket);

    auto* switches = new QHBoxLayout;
    switches->addWidget(m_lamps);
    switches->addStretch(1);
    switches->addWidget(m_order);
    switches->addSpacing(16);
    switches->addWidget(m_sound);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    layout->addLayout(sliderRow);
    layout->addLayout(switches);
    layout->addSpacing(4);
    layout->addLayout(moving);

    // Tab goes from the word to the slider and along the buttons.
    QWidget* previous = m_word;
    setTabOrder(previous, m_slider);
    previous = m_slider;
    for (QPushButton* b : m_buttons) {
        setTabOrder(previous, b);
        previous = b;
    }
    m_word->setFocus();
}

void BrowserDialog::showSlider(int bucket)
{
    char letters[2];
    if (BucketLetters(static_cast<std::uint32_t>(bucket) * 4, letters))
        m_bucket->setText(QString::fromLatin1(letters, 2));
}

void BrowserDialog::showSwitches(int switches)
{
    m_sound->setText(uiText((switches & 1) ? strings::kBrowseSoundOn : strings::kBrowseSoundOff));
    m_order->setText(
        uiText((switches & 2) ? strings::kBrowseOrderSequence : strings::kBrowseOrderRandom));
}

void BrowserDialog::send(BrowserEvent event)
{
    if (m_done)
        return;
    if (event.kind == BrowserEvent::Kind::Enter)
        event.focusOnStop = focusWidget() == m_buttons[index(BrowserButton::Stop)];
    m_held.push_back(std::move(event));
    const BrowserEvent& held = m_held.back();
    const bool cuts = held.kind == BrowserEvent::Kind::Button
        && (held.button == BrowserButton::Stop || held.button == BrowserButton::Close);
    if (m_running) {
        // S and closing do not wait for a sound to end.
        if (cuts && m_playing)
            cutSound();
        return;
    }
    m_running = true;
    carryOutQueued();
}

void BrowserDialog::carryOutQueued()
{
    m_running = true;
    while (!m_done) {
        while (!m_effects.empty() && !m_done) {
            const BrowserEffect effect = m_effects.front();
            m_effects.pop_front();
            bool suspend = false;
            carryOut(effect, suspend);
            if (suspend)
                return; // the sound's end goes on from here
        }
        if (m_held.empty() || m_done)
            break;
        BrowserEvent event = std::move(m_held.front());
        m_held.pop_front();
        // The field as it stands now: the effects before may have changed it.
        event.field = m_word->text().toStdString();
        const BrowserEffects effects = m_browser->handle(event);
        m_effects.insert(m_effects.end(), effects.begin(), effects.end());
    }
    m_running = false;
}

void BrowserDialog::carryOut(const BrowserEffect& effect, bool& suspend)
{
    switch (effect.kind) {
    case Kind::ShowWord:
        m_word->setText(toQString(effect.text));
        return;
    case Kind::Status:
        m_status->setText(toQString(effect.text));
        return;
    case Kind::Speed:
        m_speed->setText(QString::number(effect.value));
        return;
    case Kind::Slider: {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(effect.value);
        showSlider(effect.value);
        return;
    }
    case Kind::Lamps:
        m_lamps->setLamps(effect.lamps);
        return;
    case Kind::Switches:
        showSwitches(effect.value);
        return;
    case Kind::Play: {
        const PlayStart started = m_playback.start(effect.text);
        if (started == PlayStart::Failed) {
            soundFailed();
            return;
        }
        if (started == PlayStart::Started && !m_playback.finished()) {
            m_playing = true;
            m_playTimer.start();
            suspend = true;
            return;
        }
        if (m_playback.switchedOff())
            soundFailed();
        return;
    }
    case Kind::StartTimer:
        m_timer.start(effect.value);
        return;
    case Kind::StopTimer:
        m_timer.stop();
        return;
    case Kind::Focus:
        if (static_cast<BrowserFocus>(effect.value) == BrowserFocus::Word) {
            // Letters typed already stay as they are, with the caret after them: a selection
            // would let the next key wipe them.
            m_word->setFocus(Qt::OtherFocusReason);
            m_word->end(false);
        } else {
            m_buttons[index(BrowserButton::Stop)]->setFocus(Qt::OtherFocusReason);
        }
        return;
    case Kind::Caret:
        // A read-only field shows no caret and takes no typing while the right spelling shows.
        m_word->setReadOnly(effect.value == 0);
        return;
    case Kind::InsertIntoScrapPad:
        addToScrapPad(effect.text);
        return;
    case Kind::Message:
        m_context.prompter.show(effect.text, effect.caption, effect.icon, MessageButtons::Ok);
        return;
    case Kind::OpenHelp:
        m_context.help.showContext(effect.value);
        return;
    case Kind::Close:
        m_done = true;
        m_timer.stop();
        m_playTimer.stop();
        m_playback.stop();
        m_effects.clear();
        m_held.clear();
        QDialog::accept();
        return;
    }
}

void BrowserDialog::addToScrapPad(const std::string& line)
{
    if (m_scrapPad && m_scrapPad(line))
        return;
    // The scrap pad closed, or belongs to someone else: the page file takes the word.
    std::string word = line;
    word.erase(std::remove_if(word.begin(), word.end(),
                   [](char c) { return c == ' ' || c == '\r' || c == '\n'; }),
        word.end());
    const ScrapPadSaveResult added
        = appendToScrapPadPage1(m_browserContext.info.dataFolder(), m_browserContext.user, word);
    if (!added)
        m_context.prompter.show(
            std::string(strings::kProblemsSavingScrapPad) + "\n" + added.message, strings::kWarning,
            MessageIcon::Exclamation, MessageButtons::Ok);
}

void BrowserDialog::playFinished()
{
    m_playing = false;
    if (m_playback.switchedOff())
        soundFailed();
    carryOutQueued();
}

void BrowserDialog::soundFailed()
{
    // The error has been shown once; the sounds still queued are not tried, and the browser
    // switches its sound off before anything else happens.
    m_effects.erase(std::remove_if(m_effects.begin(), m_effects.end(),
                        [](const BrowserEffect& e) { return e.kind == Kind::Play; }),
        m_effects.end());
    const BrowserEffects effects
        = m_browser->handle(BrowserEvent { BrowserEvent::Kind::SoundFailed });
    m_effects.insert(m_effects.begin(), effects.begin(), effects.end());
}

void BrowserDialog::cutSound()
{
    m_playTimer.stop();
    m_playback.stop();
    m_playing = false;
    m_effects.erase(std::remove_if(m_effects.begin(), m_effects.end(),
                        [](const BrowserEffect& e) { return e.kind == Kind::Play; }),
        m_effects.end());
    carryOutQueued();
}

void BrowserDialog::reject()
{
    if (m_done || m_browser->closed()) {
        m_done = true;
        QDialog::reject();
        return;
    }
    send(BrowserEvent { BrowserEvent::Kind::Button, BrowserButton::Close });
}

void BrowserDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        send(BrowserEvent { BrowserEvent::Kind::Enter });
        event->accept();
        return;
    case Qt::Key_F1:
        send(BrowserEvent { BrowserEvent::Kind::Button, BrowserButton::Help });
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool runBrowser(
    UiContext& context, SoundDevice* sound, BrowserDialog::ScrapPadSink scrapPad, QWidget* parent)
{
    Session& session = context.session;
    SystemClock clock;
    DefaultRandomSource random;
    {
        BrowserDialog dialog(context,
            BrowserContext { session.info, session.documents, session.currentUser(),
                session.programFolder, clock, random },
            sound, parent);
        dialog.setScrapPadSink(std::move(scrapPad));
        if (!dialog.closedAtOpening())
            dialog.exec();
    }
    return session.saveStartupInfo(context.prompter, strings::kErrorWritingUserInfo);
}

} // namespace quorvel::ui
