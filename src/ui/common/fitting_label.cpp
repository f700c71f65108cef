#include "common/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace quorvel::ui {

namespace {

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
// Below this share of the font's own size a text is no longer worth shrinking for.
constexpr double kSmallestShare = 0.5;

QFont withPixelSize(QFont font, int pixels)
{
    font.setPixelSize(std::max(1, pixels));
    return font;
}

int basePixelSize(const QFont& font)
{
    return std::max(1, QFontMetrics(font).height());
}

bool fits(const QFont& font, const QString& text, const QRect& room)
{
    const QRect needed = QFontMetrics(font).boundingRect(room, kTextFlags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace

FittingLabel::FittingLabel(QWidget* parent)
    : QLabel(parent)
{ }

int FittingLabel::fittingPixelSize(const QString& text, const QRect& room) const
{
    const QFont base = font();
    const int own = QFontInfo(base).pixelSize();
    if (text.trimmed().isEmpty() || room.isEmpty())
        return own;
    // The font's height grows a little faster than its pixel size; the room's height bounds it.
    const int high = std::max(own, room.height() * own / basePixelSize(base));
    // The largest size in [lo, hi] at which the text fits (lo when none does).
    const auto largestFitting = [&](int lo, int hi) {
        while (lo < hi) {
            const int mid = (lo + hi + 1) / 2;
            if (fits(withPixelSize(base, mid), text, room))
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    };
    if (fits(withPixelSize(base, own), text, room))
        return largestFitting(own, high);
    return largestFitting(std::max(1, static_cast<int>(own * kSmallestShare)), own - 1);
}

QFont FittingLabel::fittedFont() const
{
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (m_fittedText != text() || m_fittedFor != room.size() || m_fittedPixels == 0) {
        m_fittedText = text();
        m_fittedFor = room.size();
        m_fittedPixels = fittingPixelSize(m_fittedText, room);
    }
    return withPixelSize(font(), m_fittedPixels);
}

void FittingLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_fittedPixels = 0;
    QLabel::changeEvent(event);
}

void FittingLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setFont(fittedFont());
    QStyleOption option;
    option.initFrom(this);
    style()->drawItemText(
        &painter, room, kTextFlags, option.palette, isEnabled(), text(), foregroundRole());
}

} // namespace quorvel::ui
