#include "drill/spelling_bee_window.h"

#include "app/session.h"
#include "common/fitting_label.h"
#include "common/monospace_font.h"
#include "common/ui_text.h"
#include "config/settings_groups.h"
#include "config/startup_info.h"
#include "platform/paths.h"
#include "strings/drill_strings.h"
#include "strings/spelling_bee_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvel::ui {

namespace {

constexpr int buttonIndex(DrillButton button)
{
    return static_cast<int>(button);
}

// Text and background of the answer box and the drill's texts, by colour scheme 1..5; scheme 0
// is the palette's own.
struct SchemeColours
{
    QColor text;
    QColor background;
};

const SchemeColours kSchemes[] = {
    { {}, {} },
    { QColor(0, 0, 0), QColor(192, 192, 192) },
    { QColor(255, 255, 255), QColor(0, 0, 0) },
    { QColor(0, 0, 0), QColor(255, 255, 255) },
    { QColor(255, 255, 255), QColor(192, 192, 192) },
    { QColor(255, 255, 0), QColor(0, 0, 0) },
};
static_assert(std::size(kSchemes) == kColourSchemeCount);

const char* lightName(int state)
{
    switch (state) {
    case 1:
        return strings::kTrafficLightYellow;
    case 2:
        return strings::kTrafficLightGreen;
    default:
        return strings::kTrafficLightRed;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TrafficLight

TrafficLight::TrafficLight(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("trafficLight"));
    setAccessibleName(uiText(strings::kTrafficLightName));
    setAccessibleDescription(uiText(lightName(0)));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TrafficLight::setState(int state)
{
    const int s = state == 1 || state == 2 ? state : 0;
    if (s == m_state)
        return;
    m_state = s;
    setAccessibleDescription(uiText(lightName(s)));
    update();
}

QSize TrafficLight::sizeHint() const
{
    return { kWidth * 2, kHeight * 2 };
}

QSize TrafficLight::minimumSizeHint() const
{
    return { kWidth, kHeight };
}

void TrafficLight::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // Keep the picture's 1:4 proportions, centred in whatever room the layout gives.
    const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
    p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
    p.scale(scale, scale);

    p.setPen(QPen(QColor(20, 20, 20), 0.5));
    p.setBrush(QColor(45, 45, 45));
    p.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1.0, kHeight - 1.0), 3, 3);

    struct Lamp
    {
        QColor lit, dim;
    };
    const Lamp lamps[] = {
        { QColor(255, 40, 30), QColor(90, 20, 18) },
        { QColor(255, 210, 0), QColor(90, 75, 10) },
        { QColor(40, 230, 60), QColor(15, 80, 25) },
    };
    const qreal radius = 5.5;
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(kWidth / 2.0, 11.0 + i * 21.0);
        const bool lit = i == m_state;
        QRadialGradient glow(centre - QPointF(1.5, 1.5), radius * 1.2);
        glow.setColorAt(0, lit ? lamps[i].lit.lighter(150) : lamps[i].dim.lighter(120));
        glow.setColorAt(1, lit ? lamps[i].lit : lamps[i].dim);
        p.setPen(QPen(QColor(10, 10, 10), 0.6));
        p.setBrush(glow);
        p.drawEllipse(centre, radius, radius);
    }
}

// ---------------------------------------------------------------------------------------------
// AnswerBox

AnswerBox::AnswerBox(Clock& clock, QWidget* parent)
    : QLineEdit(parent)
    , m_clock(clock)
{
    setMaxLength(kMaxLength);
}

void AnswerBox::focusForAnswer()
{
    setFocus(Qt::OtherFocusReason);
    m_guard.focused(m_clock.ticks());
    ++m_answerRequests;
}

void AnswerBox::setTimeLimit(int milliseconds)
{
    m_guard.setLimit(static_cast<std::uint32_t>(std::max(milliseconds, 0)));
}

void AnswerBox::replayKey(QKeyEvent& event, std::uint32_t typedAt, unsigned answerRequest)
{
    // Typed before the answer was asked for: while the word was shown, or meant for the word
    // before. It cannot be part of this answer.
    if (answerRequest != m_answerRequests)
        return;
    m_replayTypedAt = typedAt;
    QCoreApplication::sendEvent(this, &event);
    m_replayTypedAt.reset();
}

void AnswerBox::keyPressEvent(QKeyEvent* event)
{
    if (!m_replayTypedAt && m_hold && m_hold(*event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    const QString typed = event->text();
    // Enter belongs to the dialog's default button and Escape to the window; keys without a
    // character (arrows, Home) never change the answer.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || typed.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t unit = typed.at(0).unicode();
    const char c = unit < 0x100 ? static_cast<char>(unit) : '?';
    switch (m_guard.key(c, m_replayTypedAt ? *m_replayTypedAt : m_clock.ticks())) {
    case AnswerGuard::Verdict::Accept:
        QLineEdit::keyPressEvent(event);
        return;
    case AnswerGuard::Verdict::Drop:
        event->accept();
        return;
    case AnswerGuard::Verdict::DropAndTimeOut:
        event->accept();
        Q_EMIT timedOut();
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// SpellingBeeWindow

bool SpellingBeeWindow::Progress::progress(int count)
{
    m_window.showProgress(count);
    // A Stop clicked between the words reaches the session as the button; the list ends there.
    return false;
}

SpellingBeeWindow::SpellingBeeWindow(UiContext& context, DrillContext drill, SoundDevice* sound,
    QWidget* parent, SpeechSynthesizer* speech)
    : QDialog(parent)
    , m_context(context)
    , m_clock(drill.clock)
    , m_progressSink(*this)
    , m_playback(sound, context.prompter)
{
    setObjectName(QStringLiteral("spellingBeeWindow"));
    setWindowTitle(uiText(strings::kDrillCaption));
    setModal(true);

    const bool userSoundOn = drill.info.soundOn(drill.user) == 1;
    drill.soundUsable = m_playback.checkSoundDevice(userSoundOn);
    // The synthesizer is set up now, so that the first word is not kept waiting for it.
    m_playback.setSpeech(speech);
    drill.speechOn = drill.speechOn && m_playback.checkSpeech(userSoundOn) && drill.soundUsable;
    drill.progress = &m_progressSink;
    m_session = std::make_unique<DrillSession>(drill);

    buildControls();
    openAtComfortableSize();

    m_stepTimer.setSingleShot(true);
    m_waitTimer.setSingleShot(true);
    m_countdownTimer.setInterval(200);
    connect(&m_countdownTimer, &QTimer::timeout, this, [this] { updateCountdown(); });
    m_playTimer.setInterval(10);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] { deliver({ Held::Kind::Step }); });
    connect(&m_waitTimer, &QTimer::timeout, this, [this] { carryOutQueued(); });
    connect(&m_playTimer, &QTimer::timeout, this, [this] {
        if (!m_playback.finished())
            return;
        m_playTimer.stop();
        playFinished();
    });

    callEngine([this] { return m_session->open(); });
    pump();
}

SpellingBeeWindow::~SpellingBeeWindow()
{
    m_stepTimer.stop();
    m_waitTimer.stop();
    m_playTimer.stop();
    m_playback.stop();
    while (m_waitCursors > 0)
        setWaitCursor(false);
}

void SpellingBeeWindow::openAtComfortableSize()
{
    // Room for the longest verdict ("You have spelt  " + a long word + "   incorrectly") on one
    // line where the screen allows, never more than the screen.
    const QFontMetrics metrics(m_prompt->font());
    QSize size = sizeHint();
    size.rwidth() += metrics.horizontalAdvance(QString(26, QLatin1Char('M')));
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        size = size.boundedTo(room.size() - QSize(16, 40)).expandedTo(minimumSizeHint());
    }
    resize(size);
}

QLabel* SpellingBeeWindow::addValue(const char* name, const char* accessibleName, bool large)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(uiText(accessibleName));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    const QFontMetrics metrics(label->font());
    label->setMinimumWidth(
        metrics.horizontalAdvance(large ? uiText(strings::kIntermediate) : QStringLiteral("0000"))
        + 2 * metrics.averageCharWidth());
    return label;
}

QPushButton* SpellingBeeWindow::addButton(DrillButton button, const char* label, const char* name)
{
    auto* b = new QPushButton(uiText(label), this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, [this, button] { buttonClicked(button); });
    m_buttons[static_cast<std::size_t>(buttonIndex(button))] = b;
    return b;
}

void SpellingBeeWindow::buildControls()
{
    m_answer = new AnswerBox(m_clock, this);
    m_answer->setObjectName(QStringLiteral("answerBox"));
    m_answer->setAccessibleName(uiText(strings::kAnswerBoxName));
    QFont answerFont = m_answer->font();
    answerFont.setPointSizeF(answerFont.pointSizeF() * 1.6);
    answerFont.setBold(true);
    m_answer->setFont(answerFont);
    {
        const QFontMetrics metrics(answerFont);
        m_answer->setMinimumWidth(metrics.horizontalAdvance(QString(14, QLatin1Char('M'))));
        m_answer->setMinimumHeight(metrics.height() + 14);
    }
    m_answer->setKeyHold([this](const QKeyEvent& event) {
        if (!m_running)
            return false;
        m_held.push_back({ Held::Kind::Key, DrillButton::Enter, event.key(), event.modifiers(),
            event.text(), m_clock.ticks(), m_answer->answerRequests() });
        return true;
    });
    connect(m_answer, &AnswerBox::timedOut, this, [this] { deliver({ Held::Kind::TimeOut }); });

    // The shown word fills the room the window gives it, so a child reads it from afar.
    m_prompt = new FittingLabel(this);
    m_prompt->setObjectName(QStringLiteral("promptLine"));
    m_prompt->setAccessibleName(uiText(strings::kPromptLineName));
    QFont fixed = monospaceFont();
    fixed.setPointSizeF(std::max(fixed.pointSizeF(), font().pointSizeF()) * 1.2);
    m_prompt->setFont(fixed);
    m_prompt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_prompt->setWordWrap(true);
    m_prompt->setMargin(4);
    m_prompt->setTextFormat(Qt::PlainText);
    {
        // At least a short verdict on one line, so the window fits a small screen (a 1366-pixel
        // screen at double scale); longer ones take the second line. The window opens wider
        // where there is room (see below).
        const QFontMetrics metrics(fixed);
        m_prompt->setMinimumWidth(metrics.horizontalAdvance(QString(30, QLatin1Char('M'))));
        m_prompt->setMinimumHeight(2 * metrics.lineSpacing() + 12);
    }
    m_prompt->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_light = new TrafficLight(this);

    m_wordNumber = addValue("wordNumber", strings::kWordNumberName);
    m_scoreCorrect = addValue("scoreCorrect", strings::kScoreCorrectName);
    m_scoreWords = addValue("scoreWords", strings::kScoreWordsName);
    m_learnMode = addValue("learnMode", strings::kLearnModeName, true);
    m_levelName = addValue("levelName", strings::kLevelName, true);
    m_levelPercent = addValue("levelPercent", strings::kLevelPercentName);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setAccessibleName(uiText(strings::kDrillProgressName));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    auto* start = addButton(DrillButton::Start, strings::kStartLabel, "startButton");
    auto* stop = addButton(DrillButton::Stop, strings::kStopLabel, "stopButton");
    auto* repeat = addButton(DrillButton::Repeat, strings::kRepeatLabel, "repeatButton");
    auto* enter = addButton(DrillButton::Enter, strings::kQuitLabel, "enterButton");
    auto* help = addButton(DrillButton::Help, strings::kDrillHelpLabel, "helpButton");
    auto* sound = addButton(DrillButton::Sound, strings::kDrillSoundOff, "soundButton");
    auto* failures
        = addButton(DrillButton::FailuresToScrapPad, strings::kFailuresOff, "failuresButton");
    auto* learn = addButton(DrillButton::Learn, strings::kLearnOffLabel, "learnButton");
    auto* colours
        = addButton(DrillButton::ChangeColours, strings::kChangeColoursLabel, "coloursButton");
    // Says the word once more while the answer is typed: it takes no focus, so the answer box
    // keeps its caret and typing goes on; F5 is its key.
    auto* sayAgain = addButton(DrillButton::SayAgain, strings::kSayAgainLabel, "sayAgainButton");
    sayAgain->setFocusPolicy(Qt::NoFocus);
    sayAgain->setAccessibleName(uiText(strings::kSayAgainName));
    sayAgain->setToolTip(uiText(strings::kSayAgainName) + QStringLiteral(" (F5)"));
    auto* sayAgainKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(
        sayAgainKey, &QShortcut::activated, this, [this] { buttonClicked(DrillButton::SayAgain); });
    // Enter in the answer box submits the answer (and quits when no pass runs).
    enter->setDefault(true);
    auto* practise
        = addButton(DrillButton::PractiseThese, strings::kPractiseTheseLabel, "practiseButton");
    // A window that has just opened starts the drill on Enter; from the first pass on, Enter in
    // the answer box submits the answer (and quits when no pass runs).
    start->setDefault(true);

    m_countdown = new QLabel(this);
    m_countdown->setObjectName(QStringLiteral("countdown"));
    m_countdown->setAccessibleName(uiText(strings::kCountdownName));
    m_countdown->setMinimumWidth(
        QFontMetrics(font()).horizontalAdvance(uiText(strings::kTimeLeft).arg(9999)));

    m_summary = new QWidget(this);
    m_summary->setObjectName(QStringLiteral("summaryPanel"));
    m_summaryHeading = new QLabel(m_summary);
    m_summaryHeading->setObjectName(QStringLiteral("summaryHeading"));
    m_summaryHeading->setWordWrap(true);
    m_missedList = new QTreeWidget(m_summary);
    m_missedList->setObjectName(QStringLiteral("missedList"));
    m_missedList->setAccessibleName(uiText(strings::kSummaryName));
    m_missedList->setRootIsDecorated(false);
    m_missedList->setColumnCount(2);
    m_missedList->setHeaderLabels(
        { uiText(strings::kTypedColumn), uiText(strings::kRightSpellingColumn) });
    m_missedList->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_missedList->setMinimumHeight(QFontMetrics(font()).lineSpacing() * 4);
    m_summaryHeading->setBuddy(m_missedList);
    auto* summaryLayout = new QVBoxLayout(m_summary);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    summaryLayout->addWidget(m_summaryHeading);
    auto* summaryRow = new QHBoxLayout;
    summaryRow->addWidget(m_missedList, 1);
    summaryRow->addWidget(practise, 0, Qt::AlignTop);
    summaryLayout->addLayout(summaryRow, 1);
    m_summary->hide();

    auto* answerLabel = new QLabel(uiText(strings::kAnswerLabel), this);
    answerLabel->setBuddy(m_answer);
    auto* promptLabel = new QLabel(uiText(strings::kPromptLabel), this);
    promptLabel->setBuddy(m_prompt);

    auto* lines = new QGridLayout;
    lines->addWidget(answerLabel, 0, 0);
    lines->addWidget(m_answer, 0, 1);
    lines->addWidget(promptLabel, 1, 0);
    lines->addWidget(m_prompt, 1, 1);
    lines->setColumnStretch(1, 1);
    lines->setRowStretch(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_light, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(lines, 1);

    auto* stats = new QGridLayout;
    stats->addWidget(new QLabel(uiText(strings::kWordNumberLabel), this), 0, 0);
    stats->addWidget(m_wordNumber, 0, 1);
    stats->addWidget(new QLabel(uiText(strings::kScoreLabel), this), 1, 0);
    auto* score = new QHBoxLayout;
    score->addWidget(m_scoreCorrect);
    score->addWidget(m_scoreWords);
    stats->addLayout(score, 1, 1, 1, 2);
    stats->setColumnMinimumWidth(3, 24);
    stats->addWidget(new QLabel(uiText(strings::kLevelSetAtLabel), this), 0, 4);
    stats->addWidget(m_levelName, 0, 5);
    auto* percent = new QHBoxLayout;
    percent->addWidget(m_levelPercent);
    percent->addWidget(new QLabel(uiText(strings::kPercentLabel), this));
    stats->addLayout(percent, 0, 6);
    stats->addWidget(new QLabel(uiText(strings::kLearnModeLabel), this), 1, 4);
    stats->addWidget(m_learnMode, 1, 5);
    stats->setColumnStretch(7, 1);

    auto* switches = new QHBoxLayout;
    switches->addWidget(sound);
    switches->addWidget(failures);
    switches->addWidget(learn);
    switches->addWidget(colours);
    switches->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(top, 2);
    left->addSpacing(6);
    left->addLayout(stats);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_countdown);
    left->addLayout(progressRow);
    left->addWidget(m_summary, 1);
    left->addSpacing(6);
    left->addLayout(switches);

    auto* commands = new QVBoxLayout;
    for (QPushButton* b : { start, stop, repeat, enter, help, sayAgain })
        commands->addWidget(b);
    commands->addStretch(1);

    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addSpacing(8);
    main->addLayout(commands);

    // Tab order follows the layout: the answer, the commands on the right, then the switches.
    QWidget* order[] = { m_answer, start, stop, repeat, enter, help, m_missedList, practise, sound,
        failures, learn, colours };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The text fields take the colour scheme; their own background shows it.
    for (QWidget* w :
        std::initializer_list<QWidget*> { m_prompt, m_wordNumber, m_scoreCorrect, m_scoreWords }) {
        w->setBackgroundRole(QPalette::Base);
        w->setForegroundRole(QPalette::Text);
        w->setAutoFillBackground(true);
    }
    setColourScheme(0);
}

void SpellingBeeWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape is easily hit by accident while spelling: during a pass it is ignored. When no pass
    // runs it quits, as the Quit button does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!m_running && !m_session->passRunning() && !m_session->busy())
            closeRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SpellingBeeWindow::reject()
{
    closeRequested();
}

void SpellingBeeWindow::closeRequested()
{
    if (m_finished)
        return;
    // A list being drawn ends with the words found so far; the pass it begins is stopped below
    // like any other.
    if (m_session->busy())
        stopNow();
    if (m_session->passRunning()) {
        // Closing in the middle of a pass is a Stop and then a Quit, at once: the pass ends as
        // Stop ends it, with nothing written to the dictionary or the history, and the waits
        // that Stop itself asks for are not sat through either.
        stopNow();
        if (m_finished)
            return;
        cutPendingEffects();
        if (m_session->passRunning()) {
            m_held.push_back({ Held::Kind::Close });
            return;
        }
    } else {
        cutPendingEffects();
    }
    callEngine([this] { return m_session->press(DrillButton::Enter, answerText()); });
    pump();
    if (!m_finished && !m_running && m_session->closed())
        finish();
}

void SpellingBeeWindow::buttonClicked(DrillButton button)
{
    if (m_finished)
        return;
    if (button == DrillButton::Stop) {
        stopNow();
        return;
    }
    deliver({ Held::Kind::Button, button });
}

void SpellingBeeWindow::deliver(Held item)
{
    if (m_finished)
        return;
    if (m_running) {
        m_held.push_back(std::move(item));
        return;
    }
    handleNow(item);
    pump();
}

void SpellingBeeWindow::handleNow(const Held& item)
{
    switch (item.kind) {
    case Held::Kind::Button:
        callEngine([this, &item] { return m_session->press(item.button, answerText()); });
        // Switching sound on again lets the player try the device anew after an error.
        if (item.button == DrillButton::Sound && m_session->soundOn())
            m_playback.switchOn();
        return;
    case Held::Kind::Key: {
        QKeyEvent key(QEvent::KeyPress, item.key, item.modifiers, item.text);
        m_answer->replayKey(key, item.typedAt, item.answerRequest);
        return;
    }
    case Held::Kind::Step:
        callEngine([this] { return m_session->step(); });
        return;
    case Held::Kind::TimeOut:
        callEngine([this] { return m_session->timeOut(); });
        return;
    case Held::Kind::Close:
        closeRequested();
        return;
    }
}

void SpellingBeeWindow::callEngine(const std::function<DrillEffects()>& call)
{
    const DrillEffects effects = call();
    m_effects.insert(m_effects.end(), effects.begin(), effects.end());
}

void SpellingBeeWindow::pump()
{
    if (m_running || m_finished)
        return;
    m_running = true;
    carryOutQueued();
}

void SpellingBeeWindow::carryOutQueued()
{
    for (;;) {
        while (!m_effects.empty() && !m_finished) {
            const DrillEffect effect = m_effects.front();
            m_effects.pop_front();
            bool suspend = false;
            carryOut(effect, suspend);
            if (suspend)
                return;
        }
        m_running = false;
        followSession();
        if (m_finished || m_held.empty())
            return;
        const Held item = m_held.front();
        m_held.pop_front();
        handleNow(item);
        // A replayed key that came too late has had its time-out carried out meanwhile, and that
        // may be waiting now: its end goes on from there.
        if (m_running)
            return;
        m_running = true;
    }
}

void SpellingBeeWindow::carryOut(const DrillEffect& effect, bool& suspend)
{
    using Kind = DrillEffect::Kind;
    switch (effect.kind) {
    case Kind::ShowPrompt:
        m_prompt->setText(toQString(effect.text));
        return;
    case Kind::SetAnswer:
        m_answer->setText(toQString(effect.text));
        return;
    case Kind::Focus:
        switch (static_cast<DrillFocus>(effect.value)) {
        case DrillFocus::Answer:
            m_answer->focusForAnswer();
            // The countdown runs from the moment the box is ready for the answer.
            if (m_session->awaitingAnswer()) {
                m_answerDeadline = m_clock.ticks() + static_cast<std::uint32_t>(m_timeLimit);
                updateCountdown();
                m_countdownTimer.start();
            }
            return;
        case DrillFocus::Start:
            m_buttons[buttonIndex(DrillButton::Start)]->setFocus(Qt::OtherFocusReason);
            return;
        case DrillFocus::Repeat:
            m_buttons[buttonIndex(DrillButton::Repeat)]->setFocus(Qt::OtherFocusReason);
            return;
        }
        return;
    case Kind::SetLight:
        setLight(effect.value);
        return;
    case Kind::SetProgressRange:
        m_progress->setRange(0, std::max(effect.value, 1));
        return;
    case Kind::SetProgress:
        m_progress->setValue(std::clamp(effect.value, 0, m_progress->maximum()));
        return;
    case Kind::UpdateDisplays:
        setDisplays(effect.displays);
        return;
    case Kind::SetButtonText:
        if (effect.value >= 0 && effect.value < static_cast<int>(m_buttons.size()))
            m_buttons[static_cast<std::size_t>(effect.value)]->setText(uiText(effect.text.c_str()));
        return;
    case Kind::SetColourScheme:
        setColourScheme(effect.value);
        return;
    case Kind::SetTimeLimit:
        m_answer->setTimeLimit(effect.value);
        m_timeLimit = effect.value;
        return;
    case Kind::Wait:
        // The drill's waits keep the window painting; whatever is clicked or typed meanwhile
        // is held and handled once the effects are done.
        if (effect.value > 0) {
            m_waitTimer.start(effect.value);
            suspend = true;
        }
        return;
    case Kind::Play:
    case Kind::Speak: {
        // Starting a sound cuts one still playing in the background.
        m_playTimer.stop();
        const PlayStart started = effect.kind == Kind::Speak
            ? m_playback.startSpeech(effect.text, static_cast<Language>(effect.value))
            : m_playback.start(effect.text);
        if (started == PlayStart::Failed) {
            soundFailed();
            return;
        }
        if (started == PlayStart::Started && !m_playback.finished()) {
            m_playTimer.start();
            // A background sound (the request to type the answer) lets the effects, and the
            // person's typing, go on while it plays.
            m_playHoldsEffects = !effect.background;
            suspend = m_playHoldsEffects;
            return;
        }
        if (m_playback.switchedOff())
            soundFailed();
        return;
    }
    case Kind::Message:
        m_context.prompter.show(effect.text, effect.caption, effect.icon, MessageButtons::Ok);
        return;
    case Kind::Question: {
        // The question is the last effect of its call; the answer's effects follow the ones
        // still queued.
        const MessageAnswer reply
            = m_context.prompter.show(effect.text, effect.caption, effect.icon, effect.buttons);
        callEngine([this, reply] { return m_session->answer(reply); });
        return;
    }
    case Kind::WaitCursor:
        setWaitCursor(effect.value != 0);
        return;
    case Kind::InsertIntoScrapPad:
        // The session asks for this only while the scrap pad is open; otherwise it appends the
        // line to the page file itself.
        if (m_scrapPad)
            m_scrapPad(effect.text);
        return;
    case Kind::OpenHelp:
        m_context.help.showContext(effect.value);
        return;
    case Kind::ScheduleStep:
        m_stepTimer.start(std::max(effect.value, 0));
        return;
    case Kind::Close:
        finish();
        return;
    }
}

void SpellingBeeWindow::playFinished()
{
    const bool held = m_playHoldsEffects;
    m_playHoldsEffects = false;
    if (m_playback.switchedOff())
        soundFailed();
    if (held)
        carryOutQueued();
}

void SpellingBeeWindow::soundFailed()
{
    // The error has been shown once; the rest of this batch's sounds are not tried, and the
    // session switches sound off and says so on the Sound button before anything else happens.
    m_effects.erase(std::remove_if(m_effects.begin(), m_effects.end(),
                        [](const DrillEffect& e) {
                            return e.kind == DrillEffect::Kind::Play
                                || e.kind == DrillEffect::Kind::Speak;
                        }),
        m_effects.end());
    const DrillEffects effects = m_session->handle({ DrillEvent::Kind::SoundFailed });
    m_effects.insert(m_effects.begin(), effects.begin(), effects.end());
    // A sound that failed in the background, after its batch was done, starts a batch of its
    // own for the Sound button's new label.
    pump();
}

void SpellingBeeWindow::cutPendingEffects()
{
    m_stepTimer.stop();
    m_waitTimer.stop();
    m_playTimer.stop();
    m_playback.stop();
    m_playHoldsEffects = false;
    // What was still to be shown of the word being presented no longer applies (its prompts,
    // its green light); only what the person must still be told stays: messages, and the labels
    // of the switches.
    m_effects.erase(std::remove_if(m_effects.begin(), m_effects.end(),
                        [](const DrillEffect& e) {
                            using K = DrillEffect::Kind;
                            return e.kind != K::Message && e.kind != K::SetButtonText;
                        }),
        m_effects.end());
    // Keys, steps and time-outs belonged to the pass being stopped; clicks and a close stay.
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(),
                     [](const Held& h) {
                         return h.kind == Held::Kind::Key || h.kind == Held::Kind::Step
                             || h.kind == Held::Kind::TimeOut;
                     }),
        m_held.end());
    m_running = false;
}

void SpellingBeeWindow::stopNow()
{
    cutPendingEffects();
    callEngine([this] { return m_session->press(DrillButton::Stop); });
    pump();
}

void SpellingBeeWindow::showProgress(int count)
{
    m_progress->setRange(0, std::max({ m_session->settings().listSize, count, 1 }));
    m_progress->setValue(count);
}

void SpellingBeeWindow::finish()
{
    m_finished = true;
    m_stepTimer.stop();
    m_waitTimer.stop();
    m_playTimer.stop();
    m_playback.stop();
    m_effects.clear();
    m_held.clear();
    m_running = false;
    QDialog::accept();
}

void SpellingBeeWindow::updateCountdown()
{
    if (!m_session->awaitingAnswer() || m_finished) {
        m_countdownTimer.stop();
        m_countdown->clear();
        return;
    }
    const auto now = m_clock.ticks();
    const int left
        = now >= m_answerDeadline ? 0 : static_cast<int>((m_answerDeadline - now + 999) / 1000);
    const QString text = uiText(strings::kTimeLeft).arg(left);
    if (m_countdown->text() != text) {
        m_countdown->setText(text);
        // Words as well as colour: the seconds say it; the last five are also shown in bold.
        QFont f = m_countdown->font();
        f.setBold(left <= 5);
        m_countdown->setFont(f);
    }
}

void SpellingBeeWindow::followSession()
{
    if (m_finished)
        return;
    updateCountdown();
    if (m_justOpened && m_session->passRunning()) {
        m_justOpened = false;
        m_buttons[buttonIndex(DrillButton::Enter)]->setDefault(true);
    }
    const bool show = m_session->summaryReady() && !m_session->passRunning();
    if (show == !m_summary->isHidden())
        return;
    if (!show) {
        m_summary->hide();
        return;
    }
    const std::vector<MissedWord>& missed = m_session->missedWords();
    m_missedList->clear();
    for (const MissedWord& m : missed) {
        auto* item = new QTreeWidgetItem(m_missedList);
        item->setText(0, m.typed.empty() ? uiText(strings::kNothingTyped) : toQString(m.typed));
        item->setText(1, toQString(m.word));
    }
    if (!missed.empty())
        m_missedList->setCurrentItem(m_missedList->topLevelItem(0));
    m_summaryHeading->setText(
        uiText(missed.empty() ? strings::kNothingMissed : strings::kMissedWordsHeading));
    m_missedList->setVisible(!missed.empty());
    m_buttons[buttonIndex(DrillButton::PractiseThese)]->setVisible(!missed.empty());
    m_summary->show();
}

void SpellingBeeWindow::setLight(int state)
{
    m_light->setState(state);
}

void SpellingBeeWindow::setDisplays(const DrillDisplays& d)
{
    m_wordNumber->setNum(d.wordNumber);
    m_scoreCorrect->setNum(d.correct);
    m_scoreWords->setNum(d.wordsInPass);
    m_levelPercent->setNum(d.levelPercent);
    m_levelName->setText(toQString(d.levelName));
    m_learnMode->setText(toQString(d.learnModeName));
}

void SpellingBeeWindow::setColourScheme(int scheme)
{
    const std::initializer_list<QWidget*> targets
        = { m_answer, m_prompt, m_wordNumber, m_scoreCorrect, m_scoreWords };
    if (scheme < 1 || scheme >= kColourSchemeCount) {
        for (QWidget* w : targets)
            w->setPalette(QPalette());
        return;
    }
    const SchemeColours& colours = kSchemes[scheme];
    for (QWidget* w : targets) {
        QPalette palette = w->palette();
        for (const auto group : { QPalette::Active, QPalette::Inactive }) {
            palette.setColor(group, QPalette::Base, colours.background);
            palette.setColor(group, QPalette::Text, colours.text);
            palette.setColor(group, QPalette::Window, colours.background);
            palette.setColor(group, QPalette::WindowText, colours.text);
        }
        w->setPalette(palette);
    }
}

void SpellingBeeWindow::setWaitCursor(bool on)
{
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCursors;
    } else if (m_waitCursors > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
}

std::string SpellingBeeWindow::answerText() const
{
    return m_answer->text().toLatin1().toStdString();
}

// ---------------------------------------------------------------------------------------------

bool runSpellingBee(QWidget* parent, UiContext& context, SoundDevice* sound,
    SpellingBeeWindow::ScrapPadSink scrapPad, SpeechSynthesizer* speech)
{
    Session& session = context.session;
    SystemClock clock;
    DefaultRandomSource random;
    {
        DrillContext drill { session.info, session.documents, session.currentUser(),
            session.programFolder, clock, random };
        const SettingsFile settings(paths::settingsFile(session.programFolder));
        drill.speechOn = readSpeakUnrecordedWords(settings);
        drill.hearOnly = readHearOnly(settings, session.currentUser());
        SpellingBeeWindow window(context, drill, sound, parent, speech);
        window.setScrapPadSink(std::move(scrapPad));
        window.exec();
    }
    return session.saveStartupInfo(context.prompter, strings::kErrorWritingUserInfo);
}

} // namespace quorvel::ui
