#include "common/status_field.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

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
    const int text = std::max(
        metrics.averageCharWidth() * m_widthInCharacters, metrics.horizontalAdvance(this->text()));
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

void StatusField::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, foregroundRole()));
    painter.drawText(room, static_cast<int>(alignment()), shown);
}

} // namespace quorvel::ui
