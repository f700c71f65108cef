#include "progress/progress_window.h"

#include "app/session.h"
#include "common/ui_text.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "platform/services.h"
#include "strings/progress_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSplitter>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace quorvel::ui {

namespace {

QString text(const char* s)
{
    return uiText(s);
}

// A table text with "%s" standing for a name.
QString withName(const char* s, const QString& name)
{
    return text(s).replace(QStringLiteral("%s"), name);
}

const char* levelName(int level)
{
    switch (level) {
    case 1:
        return strings::kProgressElementary;
    case 2:
        return strings::kProgressIntermediate;
    case 3:
        return strings::kProgressAdvanced;
    default:
        return strings::kProgressNoLevel;
    }
}

// Series order on the chart: the levels 1..3, then the points without a level.
constexpr std::array kLevels { 1, 2, 3, 0 };

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

// Colours that stand apart on the palette's background, and shapes that tell the levels apart
// without colour.
QColor levelColour(int level, const QPalette& palette)
{
    const bool dark = isDark(palette);
    switch (level) {
    case 1:
        return dark ? QColor(0x81, 0xc7, 0x84) : QColor(0x2e, 0x7d, 0x32);
    case 2:
        return dark ? QColor(0x64, 0xb5, 0xf6) : QColor(0x15, 0x65, 0xc0);
    case 3:
        return dark ? QColor(0xff, 0xb7, 0x4d) : QColor(0xc4, 0x5a, 0x00);
    default:
        return palette.color(QPalette::Disabled, QPalette::Text);
    }
}

QScatterSeries::MarkerShape levelShape(int level)
{
    switch (level) {
    case 1:
        return QScatterSeries::MarkerShapeCircle;
    case 2:
        return QScatterSeries::MarkerShapeRectangle;
    case 3:
        return QScatterSeries::MarkerShapeTriangle;
    default:
        return QScatterSeries::MarkerShapeRotatedRectangle;
    }
}

QColor statusColour(int status, const QPalette& palette)
{
    const bool dark = isDark(palette);
    switch (status) {
    case 0:
        return dark ? QColor(0xe5, 0x73, 0x73) : QColor(0xc6, 0x28, 0x28);
    case 1:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 2:
        return dark ? QColor(0x81, 0xc7, 0x84) : QColor(0x2e, 0x7d, 0x32);
    default:
        return dark ? QColor(0xff, 0xd5, 0x4f) : QColor(0xb2, 0x80, 0x00);
    }
}

const char* const kStatusNames[] = { strings::kProgressFailed, strings::kProgressNeutral,
    strings::kProgressSuccessful, strings::kProgressMastered };

// Dark text on white, whatever the screen shows: for paper.
QPalette printPalette()
{
    QPalette p;
    for (auto role : { QPalette::Base, QPalette::Window })
        p.setColor(role, Qt::white);
    for (auto role : { QPalette::Text, QPalette::WindowText })
        p.setColor(role, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x75, 0x75, 0x75));
    p.setColor(QPalette::Mid, QColor(0xc0, 0xc0, 0xc0));
    return p;
}

void styleAxis(QAbstractAxis* axis, const QPalette& palette, const QFont& font)
{
    const QColor textColour = palette.color(QPalette::Text);
    axis->setLabelsBrush(textColour);
    axis->setLabelsFont(font);
    axis->setTitleBrush(textColour);
    axis->setTitleFont(font);
    axis->setLinePenColor(palette.color(QPalette::Mid));
    axis->setGridLineColor(palette.color(QPalette::Mid));
}

void styleChart(QChart* chart, const QPalette& palette, const QFont& font)
{
    chart->setBackgroundBrush(palette.color(QPalette::Base));
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundVisible(false);
    QFont title = font;
    title.setBold(true);
    title.setPointSizeF(font.pointSizeF() * 1.15);
    chart->setTitleFont(title);
    chart->setTitleBrush(palette.color(QPalette::Text));
    chart->legend()->setLabelColor(palette.color(QPalette::Text));
    chart->legend()->setFont(font);
    for (QAbstractAxis* axis : chart->axes())
        styleAxis(axis, palette, font);
}

// Draws a chart laid out afresh in the proportions of `target`, so that it fills the room on the
// page, at a width where its texts read as they do on the screen; then puts it back as it was.
void renderChart(QChartView* view, QPainter& painter, const QRectF& target)
{
    QChart* chart = view->chart();
    const QRectF shown = chart->geometry();
    const qreal width
        = std::max<qreal>(shown.width(), QFontMetricsF(view->font()).averageCharWidth() * 90);
    const QRectF laidOut(0, 0, width, width * target.height() / target.width());
    chart->setGeometry(laidOut);
    if (QGraphicsLayout* layout = chart->layout())
        layout->activate();
    view->scene()->render(&painter, target, laidOut);
    chart->setGeometry(shown);
    if (QGraphicsLayout* layout = chart->layout())
        layout->activate();
}

} // namespace

ProgressWindow::ProgressWindow(UiContext context, int user, QWidget* parent)
    : QWidget(parent)
    , m_ctx(context)
    , m_user(user)
    , m_notes(new QLabel(this))
    , m_charts(new QSplitter(Qt::Vertical, this))
    , m_scoreView(new QChartView(m_charts))
    , m_statusView(new QChartView(m_charts))
    , m_printButton(new QPushButton(text(strings::kProgressPrintButton), this))
    , m_saveButton(new QPushButton(text(strings::kProgressSaveButton), this))
{
    setObjectName(QStringLiteral("progressWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_notes->setObjectName(QStringLiteral("progressNotes"));
    m_notes->setWordWrap(true);
    m_notes->setTextFormat(Qt::PlainText);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_charts->setObjectName(QStringLiteral("progressCharts"));
    m_charts->setChildrenCollapsible(false);
    m_scoreView->setObjectName(QStringLiteral("scoreChartView"));
    m_statusView->setObjectName(QStringLiteral("statusChartView"));
    for (QChartView* view : { m_scoreView, m_statusView }) {
        // Reached with Tab, so that a screen reader can say what each chart shows.
        view->setFocusPolicy(Qt::TabFocus);
        view->setRenderHint(QPainter::Antialiasing);
        view->setFrameShape(QFrame::NoFrame);
        // The view's own chart: a chart set in its place would leave this one to nobody.
        view->chart()->setAnimationOptions(QChart::NoAnimation);
    }
    m_scoreView->setAccessibleName(text(strings::kProgressScoreChart));
    m_statusView->setAccessibleName(text(strings::kProgressStatusChart));
    setFocusProxy(m_scoreView);
    m_charts->setStretchFactor(0, 3);
    m_charts->setStretchFactor(1, 2);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    connect(m_printButton, &QPushButton::clicked, this, &ProgressWindow::print);
    connect(m_saveButton, &QPushButton::clicked, this, &ProgressWindow::saveAsPngAsked);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notes);
    layout->addWidget(m_charts, 1);
    layout->addLayout(buttons);

    // Room for a year of drills and four readable bars, in lines and characters of the font.
    const QFontMetrics metrics(font());
    m_scoreView->setMinimumSize(metrics.averageCharWidth() * 50, metrics.height() * 12);
    m_statusView->setMinimumSize(metrics.averageCharWidth() * 50, metrics.height() * 9);

    setWindowTitle(withName(
        strings::kProgressTitle, toQString(context.session.info.userName(user)).trimmed()));
    reload();
}

QChart* ProgressWindow::scoreChart() const
{
    return m_scoreView->chart();
}

QChart* ProgressWindow::statusChart() const
{
    return m_statusView->chart();
}

QString ProgressWindow::notes() const
{
    return m_notes->isHidden() ? QString() : m_notes->text();
}

void ProgressWindow::reload()
{
    const Session& s = m_ctx.session;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_data = readProgress(s.info.dataFolder(), s.info.dictionaryFolder(), m_user);
    QApplication::restoreOverrideCursor();
    buildCharts();
    showNotes();
}

void ProgressWindow::showNotes()
{
    const QString name = toQString(m_ctx.session.info.userName(m_user)).trimmed();
    QStringList lines;
    switch (m_data.history) {
    case HistoryReading::Complete:
        break;
    case HistoryReading::NoFile:
        lines << withName(strings::kProgressNoHistoryFile, name);
        break;
    case HistoryReading::Unreadable:
        lines << withName(strings::kProgressHistoryUnreadable, name);
        break;
    case HistoryReading::Damaged:
        lines << withName(strings::kProgressHistoryDamaged, name);
        break;
    case HistoryReading::Oversized:
        lines << text(strings::kProgressHistoryOversized);
        break;
    }
    const bool historyRead
        = m_data.history == HistoryReading::Complete || m_data.history == HistoryReading::Oversized;
    if (historyRead && m_data.points.empty() && m_data.leftOut == 0)
        lines << withName(strings::kProgressNoDrills, name);
    if (m_data.leftOut > 0)
        lines << text(strings::kProgressLeftOut).arg(m_data.leftOut);
    if (m_data.statusReading == StatusReading::NoDictionary)
        lines << text(strings::kProgressNoDictionary);
    else if (m_data.statusReading == StatusReading::Damaged)
        lines << text(strings::kProgressDictionaryDamaged);
    m_notes->setText(lines.join(QLatin1Char('\n')));
    m_notes->setVisible(!lines.isEmpty());
}

void ProgressWindow::buildCharts()
{
    // The score chart: a faint line through the drills in order, and over it a series of
    // points for each level.
    QChart* score = scoreChart();
    score->removeAllSeries();
    // A removed axis is handed back, no longer the chart's: it goes here.
    for (QAbstractAxis* axis : score->axes()) {
        score->removeAxis(axis);
        delete axis;
    }
    score->setTitle(text(strings::kProgressScoreChart));

    auto* dates = new QDateTimeAxis(score);
    dates->setObjectName(QStringLiteral("dateAxis"));
    dates->setTitleText(text(strings::kProgressDateAxis));
    auto* percent = new QValueAxis(score);
    percent->setObjectName(QStringLiteral("scoreAxis"));
    percent->setTitleText(text(strings::kProgressScoreAxis));
    // A little room beyond 0 and 100 so that the points there are drawn whole; the ticks stay
    // on the tens.
    percent->setRange(-5, 105);
    percent->setTickType(QValueAxis::TicksDynamic);
    percent->setTickAnchor(0);
    percent->setTickInterval(20);
    percent->setLabelFormat(QStringLiteral("%d"));
    score->addAxis(dates, Qt::AlignBottom);
    score->addAxis(percent, Qt::AlignLeft);

    auto* line = new QLineSeries(score);
    line->setObjectName(QStringLiteral("scoreLine"));
    line->setName(text(strings::kProgressScoreLine));
    std::array<QScatterSeries*, 4> byLevel {};
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
        byLevel[i] = new QScatterSeries(score);
        byLevel[i]->setObjectName(QStringLiteral("level%1Points").arg(kLevels[i]));
        byLevel[i]->setName(text(levelName(kLevels[i])));
        byLevel[i]->setMarkerShape(levelShape(kLevels[i]));
    }
    for (const ProgressPoint& p : m_data.points) {
        const QPointF at(static_cast<qreal>(p.when) * 1000.0, p.scorePercent);
        line->append(at);
        const auto index = static_cast<std::size_t>(
            std::find(kLevels.begin(), kLevels.end(), p.level) - kLevels.begin());
        byLevel[index]->append(at);
    }
    score->addSeries(line);
    line->attachAxis(dates);
    line->attachAxis(percent);
    for (QScatterSeries* series : byLevel) {
        // The points without a level are listed only when there are some.
        if (series == byLevel[3] && series->count() == 0) {
            delete series;
            continue;
        }
        score->addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(percent);
        connect(series, &QScatterSeries::hovered, this, &ProgressWindow::pointHovered);
    }
    // The line itself needs no entry in the legend.
    for (QLegendMarker* marker : score->legend()->markers(line))
        marker->setVisible(false);
    score->legend()->setAlignment(Qt::AlignBottom);

    // The time axis spans the drills with a little room either side, at least a day.
    QDateTime first = QDateTime::currentDateTime(), last = first;
    if (!m_data.points.empty()) {
        first = QDateTime::fromSecsSinceEpoch(m_data.points.front().when);
        last = QDateTime::fromSecsSinceEpoch(m_data.points.back().when);
        for (const ProgressPoint& p : m_data.points) {
            first = std::min(first, QDateTime::fromSecsSinceEpoch(p.when));
            last = std::max(last, QDateTime::fromSecsSinceEpoch(p.when));
        }
    }
    const qint64 span = std::max<qint64>(first.secsTo(last), 24 * 3600);
    const qint64 room = span / 20 + (first.secsTo(last) < 24 * 3600 ? span / 2 : 0);
    dates->setRange(first.addSecs(-room), last.addSecs(room));
    // Day and month in the order of the user's English.
    const bool uk = m_ctx.session.info.listOptions(m_user).languageUK == 1;
    QString format = uk ? QStringLiteral("d MMM yyyy") : QStringLiteral("MMM d yyyy");
    if (span <= 3 * 24 * 3600)
        format += QStringLiteral(" hh:mm");
    dates->setFormat(format);
    dates->setTickCount(5);

    // The word status now: one bar for each status, coloured and named in the legend.
    QChart* status = statusChart();
    status->removeAllSeries();
    // A removed axis is handed back, no longer the chart's: it goes here.
    for (QAbstractAxis* axis : status->axes()) {
        status->removeAxis(axis);
        delete axis;
    }
    status->setTitle(text(strings::kProgressStatusChart));
    auto* bars = new QBarSeries(status);
    bars->setObjectName(QStringLiteral("statusBars"));
    std::uint32_t highest = 0;
    for (std::size_t s = 0; s < m_data.statuses.size(); ++s) {
        auto* set = new QBarSet(text(kStatusNames[s]), bars);
        set->setObjectName(QStringLiteral("status%1").arg(s));
        *set << static_cast<qreal>(m_data.statuses[s]);
        bars->append(set);
        highest = std::max(highest, m_data.statuses[s]);
    }
    bars->setLabelsVisible(m_data.statusReading == StatusReading::Complete);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value"));
    status->addSeries(bars);
    auto* kinds = new QBarCategoryAxis(status);
    kinds->append(text(strings::kProgressWordsAxis));
    kinds->setLabelsVisible(false);
    kinds->setGridLineVisible(false);
    auto* words = new QValueAxis(status);
    words->setObjectName(QStringLiteral("wordsAxis"));
    words->setTitleText(text(strings::kProgressWordsAxis));
    words->setLabelFormat(QStringLiteral("%d"));
    // Room above the tallest bar for its number.
    words->setRange(0, std::max<qreal>(4, highest * 1.15));
    words->applyNiceNumbers();
    status->addAxis(kinds, Qt::AlignBottom);
    status->addAxis(words, Qt::AlignLeft);
    bars->attachAxis(kinds);
    bars->attachAxis(words);
    status->legend()->setAlignment(Qt::AlignBottom);

    // What a screen reader says for each chart.
    QStringList counts;
    for (std::size_t s = 0; s < m_data.statuses.size(); ++s)
        counts << QStringLiteral("%1 %2").arg(text(kStatusNames[s])).arg(m_data.statuses[s]);
    m_statusView->setAccessibleDescription(m_data.statusReading == StatusReading::Complete
            ? counts.join(QStringLiteral(", "))
            : QString());
    QStringList drills;
    for (const ProgressPoint& p : m_data.points) {
        drills << QStringLiteral("%1 %2%").arg(
            QDateTime::fromSecsSinceEpoch(p.when).toString(format),
            QString::number(p.scorePercent));
    }
    m_scoreView->setAccessibleDescription(drills.join(QStringLiteral(", ")));

    restyle(palette());
}

void ProgressWindow::restyle(const QPalette& palette)
{
    m_restyling = true;
    const QFont font = this->font();
    const qreal unit = QFontMetricsF(font).height();
    for (QChart* chart : { scoreChart(), statusChart() })
        styleChart(chart, palette, font);
    for (QAbstractSeries* series : scoreChart()->series()) {
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            const int level = points->objectName().mid(5, 1).toInt();
            points->setColor(levelColour(level, palette));
            points->setBorderColor(palette.color(QPalette::Base));
            points->setMarkerSize(unit * 0.75);
        } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
            QColor faint = palette.color(QPalette::Text);
            faint.setAlphaF(0.45f);
            line->setPen(QPen(faint, std::max<qreal>(1.0, unit / 10.0)));
        }
    }
    for (QAbstractSeries* series : statusChart()->series()) {
        auto* bars = qobject_cast<QBarSeries*>(series);
        if (!bars)
            continue;
        const auto sets = bars->barSets();
        for (qsizetype s = 0; s < sets.size(); ++s) {
            sets[s]->setColor(statusColour(static_cast<int>(s), palette));
            sets[s]->setBorderColor(sets[s]->color());
            sets[s]->setLabelColor(palette.color(QPalette::Text));
            sets[s]->setLabelFont(font);
        }
    }
    for (QChartView* view : { m_scoreView, m_statusView }) {
        view->setBackgroundBrush(palette.color(QPalette::Base));
        view->viewport()->update();
    }
    m_restyling = false;
}

void ProgressWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (!m_restyling
        && (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange))
        restyle(palette());
}

void ProgressWindow::pointHovered(const QPointF& point, bool state)
{
    if (!state) {
        QToolTip::hideText();
        return;
    }
    for (const ProgressPoint& p : m_data.points) {
        if (static_cast<qreal>(p.when) * 1000.0 != point.x() || p.scorePercent != point.y())
            continue;
        QStringList lines;
        const QDateTime when = QDateTime::fromSecsSinceEpoch(p.when);
        const bool uk = m_ctx.session.info.listOptions(m_user).languageUK == 1;
        lines << when.toString(
            uk ? QStringLiteral("ddd d MMM yyyy hh:mm") : QStringLiteral("ddd MMM d yyyy hh:mm"));
        lines << text(strings::kProgressPointRight).arg(p.correct).arg(p.words).arg(p.scorePercent);
        lines << withName(strings::kProgressPointLevel, text(levelName(p.level)));
        if (p.automatic)
            lines << text(strings::kProgressPointAutomatic);
        if (p.levelAfter != p.level)
            lines << withName(strings::kProgressPointChanged, text(levelName(p.levelAfter)));
        QToolTip::showText(QCursor::pos(), lines.join(QLatin1Char('\n')), m_scoreView);
        return;
    }
}

void ProgressWindow::saveAsPngAsked()
{
    const QString name = toQString(m_ctx.session.info.userName(m_user)).trimmed();
    QString file = text(strings::kProgressFilePrefix) + name;
    file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("-"));
    // Beside the bee files in mydata when there is one, else in the home folder.
    std::string folder = paths::join(m_ctx.session.info.dictionaryFolder(), "mydata");
    if (m_ctx.session.info.dictionaryFolder().empty()
        || !QDir(QString::fromStdString(folder)).exists())
        folder = QDir::homePath().toStdString();
    const std::string suggested
        = paths::join(folder, (file + QStringLiteral(".png")).toStdString());
    const std::optional<std::string> chosen = m_ctx.asker.askSaveFile(
        strings::kProgressSaveCaption, strings::kProgressSaveFilter, suggested);
    if (!chosen || chosen->empty())
        return;
    std::string path = *chosen;
    if (!QString::fromStdString(path).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += ".png";
    saveAsPng(path);
}

bool ProgressWindow::saveAsPng(const std::string& path)
{
    // The picture is made whole in memory, then replaces the file in one step.
    const QPixmap picture = m_charts->grab();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    bool encoded = buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG");
    ReplaceResult result;
    if (encoded)
        result = replaceFile(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (encoded && result.ok())
        return true;
    std::string message = strings::kProgressUnableToSave;
    message.replace(message.find("%s"), 2, path);
    if (encoded && result.fileError != 0)
        message += "\n\n" + FileErrorMessage(result.fileError);
    m_ctx.prompter.show(message, strings::kWarning, MessageIcon::Exclamation);
    return false;
}

void ProgressWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(text(strings::kProgressPrintDocument));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

QString ProgressWindow::heading() const
{
    const bool uk = m_ctx.session.info.listOptions(m_user).languageUK == 1;
    return windowTitle() + QStringLiteral("    ")
        + QDate::currentDate().toString(
            uk ? QStringLiteral("d MMMM yyyy") : QStringLiteral("MMMM d yyyy"));
}

void ProgressWindow::printTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    paintPage(painter, QRectF(0, 0, page.width(), page.height()));
    painter.end();
}

void ProgressWindow::paintPage(QPainter& painter, const QRectF& area)
{
    QFont font = this->font();
    font.setPointSizeF(std::max<qreal>(font.pointSizeF(), 10) * 1.2);
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const qreal headingHeight = QFontMetricsF(font, painter.device()).height() * 2;
    painter.fillRect(area, Qt::white);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), headingHeight),
        Qt::AlignLeft | Qt::AlignTop, heading());

    // The charts are drawn in print colours, then go back to the screen's.
    restyle(printPalette());
    const qreal top = area.top() + headingHeight;
    const qreal height = area.height() - headingHeight;
    renderChart(m_scoreView, painter, QRectF(area.left(), top, area.width(), height * 0.58));
    renderChart(m_statusView, painter,
        QRectF(area.left(), top + height * 0.62, area.width(), height * 0.38));
    restyle(palette());
    painter.restore();
}

ProgressWindow* openProgressWindow(QMdiArea* area, UiContext context)
{
    const int user = context.session.currentUser();
    for (QMdiSubWindow* sub : area->subWindowList()) {
        auto* window = qobject_cast<ProgressWindow*>(sub->widget());
        if (window && window->user() == user) {
            window->reload();
            area->setActiveSubWindow(sub);
            window->setFocus();
            return window;
        }
    }
    auto* window = new ProgressWindow(context, user);
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QApplication::windowIcon());
    const QFontMetrics metrics(window->font());
    const QSize wanted(metrics.averageCharWidth() * 90, metrics.height() * 36);
    sub->resize(wanted.boundedTo(area->viewport()->size()).expandedTo(window->minimumSizeHint()));
    sub->show();
    area->setActiveSubWindow(sub);
    window->setFocus();
    return window;
}

} // namespace quorvel::ui
