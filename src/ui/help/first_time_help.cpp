#include "help/first_time_help.h"

#include "common/ui_text.h"
#include "strings/help_strings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace quorvel::ui {

namespace {

// The tips are printed on pale yellow paper in black ink, whatever the desktop's colours, so
// that they read the same on a light or a dark desktop.
const QColor kPaper(255, 255, 128);
const QColor kInk(Qt::black);
const QColor kBox(255, 255, 224);
const QColor kAccent(0, 0, 128);

void paintOnPaper(QWidget* page)
{
    QPalette palette = page->palette();
    for (QPalette::ColorGroup group :
        { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        palette.setColor(group, QPalette::Window, kPaper);
        palette.setColor(group, QPalette::WindowText, kInk);
        palette.setColor(group, QPalette::Text, kInk);
        palette.setColor(group, QPalette::Base, kPaper);
    }
    page->setPalette(palette);
    page->setAutoFillBackground(true);
}

QLabel* tipLabel(const QString& content, QWidget* parent, const char* name)
{
    auto* label = new QLabel(content, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// One page of the sheet: a heading, the tip text, and a captioned figure for pages that have one.
QWidget* tipPage(const char* heading, const char* body, int figure, const char* caption)
{
    auto* page = new QWidget;
    paintOnPaper(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);

    QLabel* title = tipLabel(uiText(heading), page, "tipHeading");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(tipLabel(uiText(body), page, "tipText"));

    if (figure != 0) {
        auto* picture = new TipFigure(figure, page);
        picture->setObjectName(QStringLiteral("tipFigure"));
        layout->addWidget(picture, 0, Qt::AlignHCenter);
        QLabel* under = tipLabel(uiText(caption), page, "tipFigureCaption");
        under->setAlignment(Qt::AlignHCenter);
        QFont italic = under->font();
        italic.setItalic(true);
        under->setFont(italic);
        layout->addWidget(under);
    }
    layout->addStretch(1);

    // The pages scroll rather than clip when the window is small or the font is large.
    auto* scroller = new QScrollArea;
    scroller->setWidget(page);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    paintOnPaper(scroller->viewport());
    return scroller;
}

void drawBox(QPainter& p, const QRectF& r, const QString& label, bool bold = false)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kBox);
    p.drawRoundedRect(r, 6, 6);
    QFont f = p.font();
    f.setBold(bold);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, label);
    f.setBold(false);
    p.setFont(f);
}

void drawArrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kAccent, 2));
    p.drawLine(from, to);
    const QLineF line(to, from);
    const double angle = line.angle();
    QLineF wing1 = QLineF::fromPolar(10, angle + 25).translated(to);
    QLineF wing2 = QLineF::fromPolar(10, angle - 25).translated(to);
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(wing1.p2());
    head.lineTo(wing2.p2());
    head.closeSubpath();
    p.setBrush(kAccent);
    p.drawPath(head);
}

// Figure 1: the dictionary, text files and the scrap pad each feed the spelling list.
void drawSources(QPainter& p, const QRectF& area)
{
    const double w = area.width();
    const double h = area.height();
    const double boxW = w * 0.3;
    const double boxH = h * 0.2;
    const char* sources[]
        = { strings::kFigureDictionary, strings::kFigureTextFiles, strings::kFigureScrapPad };
    const QRectF target(area.right() - boxW - 4, area.center().y() - boxH * 0.75, boxW, boxH * 1.5);
    for (int i = 0; i < 3; ++i) {
        const QRectF box(area.left() + 4, area.top() + 6 + i * (h - 12 - boxH) / 2, boxW, boxH);
        drawBox(p, box, uiText(sources[i]));
        drawArrow(p, QPointF(box.right() + 4, box.center().y()),
            QPointF(target.left() - 4, target.center().y() + (i - 1) * boxH * 0.4));
    }
    drawBox(p, target, uiText(strings::kFigureSpellingBee), true);
}

// Figure 2: a new bee window with a few words, and Make list turning them into the list.
void drawMakeList(QPainter& p, const QRectF& area)
{
    const double w = area.width();
    const QFontMetricsF metrics(p.font());
    const double line = metrics.height() + 2;
    const int wordCount = static_cast<int>(std::size(strings::kFigureWords));
    const double windowH = std::min(area.height() - 8, line * (wordCount + 1) + 16);
    const QRectF window(area.left() + 4, area.center().y() - windowH / 2, w * 0.36, windowH);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(window);
    const QRectF titleBar(window.left(), window.top(), window.width(), line + 4);
    p.setBrush(kAccent);
    p.drawRect(titleBar);
    p.setPen(Qt::white);
    p.drawText(titleBar.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
        uiText(strings::kFigureBeeWindow));
    p.setPen(kInk);
    double y = titleBar.bottom() + 4;
    for (const char* word : strings::kFigureWords) {
        p.drawText(QRectF(window.left() + 8, y, window.width() - 12, line),
            Qt::AlignLeft | Qt::AlignVCenter, toQString(word));
        y += line;
    }

    const double middle = area.center().y();
    const QRectF button(area.left() + w * 0.44, middle - line, w * 0.2, line * 2);
    drawBox(p, button, uiText(strings::kFigureMakeList), true);
    drawArrow(p, QPointF(window.right() + 4, middle), QPointF(button.left() - 4, middle));

    const QRectF status(area.left() + w * 0.72, middle - line * 1.4, w * 0.28 - 4, line * 2.8);
    drawBox(p, status,
        uiText(strings::kFigureListStatus) + QLatin1Char('\n') + uiText(strings::kFigureBeeFile)
            + QStringLiteral("  ") + QString::number(wordCount));
    drawArrow(p, QPointF(button.right() + 4, middle), QPointF(status.left() - 4, middle));
}

} // namespace

TipFigure::TipFigure(int figure, QWidget* parent)
    : QWidget(parent)
    , m_figure(figure)
{
    setMinimumSize(360, 150);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(uiText(figure == 1 ? strings::kTipFigure1 : strings::kTipFigure2));
}

QSize TipFigure::sizeHint() const
{
    const int line = fontMetrics().height();
    return { std::max(420, line * 28), std::max(160, line * 9) };
}

void TipFigure::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    if (m_figure == 1)
        drawSources(p, area);
    else
        drawMakeList(p, area);
}

FirstTimeHelpSheet::FirstTimeHelpSheet(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("firstTimeHelp"));
    setWindowTitle(uiText(strings::kFirstTimeHelpTitle));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("firstTimeHelpTabs"));
    tabs->setAccessibleName(uiText(strings::kFirstTimeHelpTitle));
    tabs->addTab(tipPage(strings::kTipWelcomeHeading, strings::kTipWelcomeText, 0, nullptr),
        uiText(strings::kTipWelcomeCaption));
    tabs->addTab(
        tipPage(strings::kTipPage1Heading, strings::kTipPage1Text, 1, strings::kTipFigure1),
        uiText(strings::kTipPage1Caption));
    tabs->addTab(
        tipPage(strings::kTipPage2Heading, strings::kTipPage2Text, 2, strings::kTipFigure2),
        uiText(strings::kTipPage2Caption));
    tabs->addTab(tipPage(strings::kTipPage3Heading, strings::kTipPage3Text, 0, nullptr),
        uiText(strings::kTipPage3Caption));
    tabs->addTab(tipPage(strings::kTipPage4Heading, strings::kTipPage4Text, 0, nullptr),
        uiText(strings::kTipPage4Caption));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("firstTimeHelpButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("firstTimeHelpOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(buttons);
    setTabOrder(tabs, buttons);

    const int line = fontMetrics().height();
    resize(std::max(560, line * 36), std::max(520, line * 32));
}

void runFirstTimeHelp(QWidget* parent)
{
    FirstTimeHelpSheet sheet(parent);
    sheet.exec();
}

} // namespace quorvel::ui
