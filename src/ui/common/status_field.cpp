#include "common/status_field.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel::ui {

namespace {

constexpr int kPadding = 4; // on each side of a field's text, inside its frame
constexpr int kSpacing = 3; // between the items of a strip

} // namespace

StatusField::StatusField(const QString& text, int widthInCharacters, QWidget* parent)
    : QLabel(text, parent)
    , m_widthInCharacters(widthInCharacters)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
}

int StatusField::wholeTextWidth() const
{
    // Measured in fractions and rounded up, so the whole text fits the room it asks for.
    const int text
        = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(this->text()))) + 1;
    return text + 2 * (frameWidth() + kPadding);
}

QSize StatusField::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int reserved
        = metrics.averageCharWidth() * m_widthInCharacters + 2 * (frameWidth() + kPadding);
    return { std::max(reserved, wholeTextWidth()), metrics.height() + 2 * frameWidth() + 2 };
}

QSize StatusField::minimumSizeHint() const
{
    // Room for a letter and the ellipsis, or the whole text when it is shorter than that.
    const int least = static_cast<int>(std::ceil(
                          QFontMetricsF(font()).horizontalAdvance(QStringLiteral("M\u2026"))))
        + 2 * (frameWidth() + kPadding);
    return { std::min(least, wholeTextWidth()), sizeHint().height() };
}

QString StatusField::shownText() const
{
    const QRect room = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    return fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
}

void StatusField::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, foregroundRole()));
    painter.drawText(room, static_cast<int>(alignment()), shownText());
}

StatusStrip::StatusStrip(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusStrip::add(QWidget* item)
{
    item->setParent(this);
    m_items.push_back(item);
    updateGeometry();
    arrange();
}

QSize StatusStrip::sizeHint() const
{
    int width = 0, height = 0;
    for (const QWidget* w : m_items) {
        width += w->sizeHint().width() + kSpacing;
        height = std::max(height, w->sizeHint().height());
    }
    return { std::max(0, width - kSpacing), height };
}

QSize StatusStrip::minimumSizeHint() const
{
    int width = 0;
    for (const QWidget* w : m_items)
        width += w->minimumSizeHint().width() + kSpacing;
    return { std::max(0, width - kSpacing), sizeHint().height() };
}

bool StatusStrip::event(QEvent* event)
{
    // A field's text changed and with it what it asks for.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        arrange();
    }
    return QWidget::event(event);
}

void StatusStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void StatusStrip::arrange()
{
    // Three widths per item: what it asks for, what shows its whole text, the least it can do
    // with. The room is shared out between two neighbouring levels, so the spare width goes
    // first and texts are cut only when even whole texts do not fit.
    struct Want
    {
        int asks, whole, least;
    };
    std::vector<Want> wants;
    long asks = 0, whole = 0, least = 0;
    for (const QWidget* w : m_items) {
        const auto* field = dynamic_cast<const StatusField*>(w);
        const int a = w->sizeHint().width();
        const int l = std::min(a, w->minimumSizeHint().width());
        const int h = field ? std::clamp(field->wholeTextWidth(), l, a) : a;
        wants.push_back({ a, h, l });
        asks += a;
        whole += h;
        least += l;
    }
    const long room = width() - kSpacing * std::max<long>(0, static_cast<long>(m_items.size()) - 1);
    auto share = [room](long lowSum, long highSum, int low, int high) {
        if (highSum == lowSum)
            return low;
        return low
            + static_cast<int>(
                (static_cast<long long>(high - low) * (room - lowSum)) / (highSum - lowSum));
    };
    int x = width();
    for (std::size_t i = m_items.size(); i-- > 0;) {
        const Want& want = wants[i];
        int w;
        if (room >= asks)
            w = want.asks;
        else if (room >= whole)
            w = share(whole, asks, want.whole, want.asks);
        else if (room >= least)
            w = share(least, whole, want.least, want.whole);
        else
            w = want.least;
        x -= w;
        QWidget* item = m_items[i];
        // Narrower than every field's least: what does not fit on the left is left out rather
        // than drawn over its neighbour.
        item->setVisible(x >= 0);
        item->setGeometry(x, (height() - item->sizeHint().height()) / 2, w,
            std::min(height(), item->sizeHint().height()));
        x -= kSpacing;
    }
}

} // namespace quorvel::ui
