#include "common/status_field.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace quorvel::ui {

namespace {

constexpr int kPadding = 4; // on each side of the text, inside the frame

} // namespace

StatusField::StatusField(const QString& text, int widthInCharacters, QWidget* parent)
    : QLabel(text, parent)
    , m_widthInCharacters(widthInCharacters)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize StatusField::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    // Measured in fractions and rounded up, so the whole text fits the room it asks for.
    const int whole
        = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(this->text()))) + 1;
    const int text = std::max(metrics.averageCharWidth() * m_widthInCharacters, whole);
    return { text + 2 * (frameWidth() + kPadding), metrics.height() + 2 * frameWidth() + 2 };
}

QSize StatusField::minimumSizeHint() const
{
    // Room for a letter and the ellipsis, or the whole text when it is shorter than that.
    const QFontMetrics metrics = fontMetrics();
    const int least = std::min(
        metrics.horizontalAdvance(text()), metrics.horizontalAdvance(QStringLiteral("M\u2026")));
    return { least + 2 * (frameWidth() + kPadding), metrics.height() + 2 * frameWidth() + 2 };
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
    const QString shown = shownText();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, foregroundRole()));
    painter.drawText(room, static_cast<int>(alignment()), shown);
}

} // namespace quorvel::ui
