#include "scrappad/notebook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quorvel::ui {

namespace {

// The notebook is designed on a 790 x 426 grid; a window of another size stretches the grid.
constexpr qreal kGridWidth = 790;
constexpr qreal kGridHeight = 426;

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QRectF scaled(qreal left, qreal top, qreal right, qreal bottom, qreal sx, qreal sy)
{
    return QRectF(QPointF(left * sx, top * sy), QPointF(right * sx, bottom * sy));
}

// A picture `w` x `h` grid units at scale `s`, centred across [left, right] at `top`, made
// smaller when the margin is narrower than it.
QRectF inMargin(qreal left, qreal right, qreal top, qreal w, qreal h, qreal s)
{
    const qreal room = std::max<qreal>(right - left, 1);
    const qreal k = std::min<qreal>(s, room * 0.8 / w);
    return QRectF(left + (room - w * k) / 2, top, w * k, h * k);
}

void paintCover(QPainter& p, const NotebookLayout& l, bool dark, qreal s)
{
    const QColor cloth = dark ? QColor(0x4A, 0x33, 0x24) : QColor(0x8A, 0x57, 0x34);
    const qreal radius = 10 * s;
    // A soft shadow under the cover.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, dark ? 90 : 60));
    p.drawRoundedRect(l.cover.translated(3 * s, 4 * s), radius, radius);

    QPainterPath cover;
    cover.addRoundedRect(l.cover, radius, radius);
    QLinearGradient shade(l.cover.topLeft(), l.cover.bottomRight());
    shade.setColorAt(0, cloth.lighter(112));
    shade.setColorAt(1, cloth.darker(112));
    p.fillPath(cover, shade);

    // The cloth's weave: fine diagonal threads both ways, clipped to the cover.
    p.save();
    p.setClipPath(cover);
    const qreal gap = std::max<qreal>(4 * s, 3);
    QPen thread(QColor(255, 255, 255, dark ? 14 : 22), std::max<qreal>(0.8 * s, 0.6));
    p.setPen(thread);
    const qreal span = l.cover.width() + l.cover.height();
    for (qreal d = 0; d < span; d += gap) {
        p.drawLine(QPointF(l.cover.left() + d, l.cover.top()),
            QPointF(l.cover.left() + d - l.cover.height(), l.cover.bottom()));
    }
    thread.setColor(QColor(0, 0, 0, dark ? 30 : 26));
    p.setPen(thread);
    for (qreal d = 0; d < span; d += gap) {
        p.drawLine(QPointF(l.cover.right() - d, l.cover.top()),
            QPointF(l.cover.right() - d + l.cover.height(), l.cover.bottom()));
    }
    p.restore();

    // Stitching just inside the cover's edge.
    QPen stitch(dark ? QColor(0xD9, 0xB8, 0x8C, 150) : QColor(0xF3, 0xD9, 0xB1, 190),
        std::max<qreal>(1.2 * s, 1), Qt::DashLine, Qt::FlatCap);
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    const qreal inset = 6 * s;
    p.drawRoundedRect(l.cover.adjusted(inset, inset, -inset, -inset), radius * 0.7, radius * 0.7);
}

void paintPageShadows(QPainter& p, const NotebookLayout& l, bool dark, qreal s, const QPalette& pal)
{
    p.setPen(Qt::NoPen);
    for (const QRectF& page : l.pages) {
        // Sheets stacked under each page show as two thin edges.
        for (int sheet = 2; sheet >= 1; --sheet) {
            const qreal o = sheet * 2.5 * s;
            p.setBrush(pal.color(QPalette::Base).darker(dark ? 90 + 25 * sheet : 100 + 6 * sheet));
            p.drawRect(page.translated(o * 0.4, o));
        }
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRect(page.adjusted(-1 * s, -1 * s, 1 * s, 1 * s));
    }
}

// Wire rings: each an arch over the column from a hole at one page's edge to a hole at the
// other's, with its shadow on the cover below it.
void paintRings(QPainter& p, const NotebookLayout& l, bool dark, qreal s)
{
    const QRectF& b = l.binder;
    const qreal w = b.width();
    const qreal rise = l.ringPitch * 0.42;
    const qreal wire = std::max<qreal>(l.ringPitch * 0.16, 1.5);
    const qreal hole = std::max<qreal>(wire * 0.75, 1.2);
    for (int i = 0; i < l.rings; ++i) {
        const qreal y = b.top() + i * l.ringPitch + l.ringPitch * 0.7;
        const QPointF from(b.left() + hole, y), to(b.right() - hole, y);
        QPainterPath arch(from);
        arch.cubicTo(
            QPointF(b.left() + w * 0.15, y - rise), QPointF(b.right() - w * 0.15, y - rise), to);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, dark ? 150 : 120));
        p.drawEllipse(from, hole, hole * 0.8);
        p.drawEllipse(to, hole, hole * 0.8);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, dark ? 110 : 70), wire, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arch.translated(0, wire * 0.8 + s));
        QLinearGradient metal(QPointF(0, y - rise), QPointF(0, y));
        metal.setColorAt(0, dark ? QColor(0xE6, 0xE8, 0xEC) : QColor(0xF4, 0xF5, 0xF7));
        metal.setColorAt(1, dark ? QColor(0x70, 0x76, 0x7E) : QColor(0x7A, 0x80, 0x88));
        p.setPen(QPen(QBrush(metal), wire, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arch);
        p.setPen(QPen(QColor(255, 255, 255, 150), wire * 0.3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arch.translated(0, -wire * 0.2));
    }
}

// A ribbon bookmark: a band with a swallow-tail end, pointing toward its page.
void paintMarker(QPainter& p, const QRectF& r, bool pointsRight, bool dark)
{
    const QColor ribbon = dark ? QColor(0xFF, 0x6B, 0x6B) : QColor(0xC6, 0x28, 0x28);
    QPainterPath band;
    const qreal notch = r.width() * 0.6;
    if (pointsRight) {
        band.moveTo(r.right(), r.top());
        band.lineTo(r.left(), r.top());
        band.lineTo(r.left() + notch, r.center().y());
        band.lineTo(r.left(), r.bottom());
        band.lineTo(r.right(), r.bottom());
    } else {
        band.moveTo(r.left(), r.top());
        band.lineTo(r.right(), r.top());
        band.lineTo(r.right() - notch, r.center().y());
        band.lineTo(r.right(), r.bottom());
        band.lineTo(r.left(), r.bottom());
    }
    band.closeSubpath();
    QLinearGradient shine(r.topLeft(), r.topRight());
    shine.setColorAt(0, ribbon.lighter(120));
    shine.setColorAt(1, ribbon.darker(115));
    p.fillPath(band, shine);
    p.setPen(QPen(ribbon.darker(150), std::max<qreal>(r.width() * 0.06, 0.8)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(band);
}

// A pencil standing upright, point down.
void paintPencil(QPainter& p, const QRectF& r, bool dark)
{
    const qreal w = r.width();
    const qreal eraser = r.height() * 0.12, ferrule = r.height() * 0.08;
    const qreal tip = r.height() * 0.2;
    const QRectF body(r.left(), r.top() + eraser + ferrule, w, r.height() - eraser - ferrule - tip);
    const QPen outline(
        dark ? QColor(0x1B, 0x1B, 0x1F) : QColor(0x3A, 0x2A, 0x1A), std::max<qreal>(w * 0.08, 0.8));
    p.setPen(outline);
    p.setBrush(QColor(0xF2, 0x8B, 0xA8));
    p.drawRoundedRect(QRectF(r.left(), r.top(), w, eraser + w * 0.2), w * 0.3, w * 0.3);
    p.setBrush(QColor(0xB8, 0xBE, 0xC6));
    p.drawRect(QRectF(r.left(), r.top() + eraser, w, ferrule));
    QLinearGradient paint(body.topLeft(), body.topRight());
    paint.setColorAt(0, QColor(0xFF, 0xD4, 0x3B));
    paint.setColorAt(1, QColor(0xD9, 0x9A, 0x00));
    p.setBrush(paint);
    p.drawRect(body);
    QPainterPath wood;
    wood.moveTo(body.bottomLeft());
    wood.lineTo(body.bottomRight());
    wood.lineTo(r.center().x(), r.bottom());
    wood.closeSubpath();
    p.setBrush(QColor(0xF1, 0xD3, 0xA4));
    p.drawPath(wood);
    QPainterPath lead;
    lead.moveTo(r.center().x() - w * 0.17, r.bottom() - tip * 0.34);
    lead.lineTo(r.center().x() + w * 0.17, r.bottom() - tip * 0.34);
    lead.lineTo(r.center().x(), r.bottom());
    lead.closeSubpath();
    p.setBrush(QColor(0x33, 0x33, 0x38));
    p.drawPath(lead);
}

// A paper clip, drawn as one bent wire.
void paintClip(QPainter& p, const QRectF& r, bool dark)
{
    const qreal w = r.width();
    const qreal x0 = r.left() + w * 0.15, x1 = r.right() - w * 0.15;
    const qreal xi = r.left() + w * 0.33, xj = r.right() - w * 0.33;
    const qreal top = r.top() + w * 0.35, bottom = r.bottom() - w * 0.35;
    QPainterPath wire;
    wire.moveTo(xj, r.top() + r.height() * 0.3);
    wire.lineTo(xj, bottom - (xj - xi) / 2);
    wire.arcTo(QRectF(xi, bottom - (xj - xi), xj - xi, xj - xi), 0, -180);
    wire.lineTo(xi, top);
    wire.arcTo(
        QRectF(xi - (x1 - x0 - (xj - xi)) / 2, top - (x1 - x0) / 2, x1 - x0, x1 - x0), 180, -180);
    wire.lineTo(x1 - 0 * w, bottom);
    wire.arcTo(QRectF(x0, bottom - (x1 - x0) / 2, x1 - x0, x1 - x0), 0, -180);
    wire.lineTo(x0, r.top() + r.height() * 0.35);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(dark ? QColor(0x30, 0x33, 0x38) : QColor(0x4B, 0x50, 0x58),
        std::max<qreal>(w * 0.2, 1.6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wire);
    p.setPen(QPen(dark ? QColor(0xD8, 0xDC, 0xE2) : QColor(0xC9, 0xCE, 0xD6),
        std::max<qreal>(w * 0.1, 0.8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wire);
}

} // namespace

QSizeF notebookMinimumSize()
{
    return { kGridWidth / 2, kGridHeight / 2 };
}

NotebookLayout notebookLayout(QSizeF size)
{
    const qreal sx = std::max<qreal>(size.width(), 1) / kGridWidth;
    const qreal sy = std::max<qreal>(size.height(), 1) / kGridHeight;
    const qreal s = std::min(sx, sy);
    NotebookLayout l;
    l.cover = scaled(30, 16, 760, 410, sx, sy);
    l.pages[0] = scaled(60, 30, 380, 390, sx, sy);
    l.pages[1] = scaled(410, 30, 730, 390, sx, sy);
    l.binder = QRectF(QPointF(l.pages[0].right(), l.pages[0].top()),
        QPointF(l.pages[1].left(), l.pages[0].bottom()));
    // The ribbons lie against their pages' outer edges, at their heights on the grid.
    const qreal markerW = 16 * s, markerH = 40 * s;
    l.markers[0] = QRectF(l.pages[0].left() - markerW - 1 * s, 66 * sy, markerW, markerH);
    l.markers[1] = QRectF(l.pages[1].right() + 1 * s, 96 * sy, markerW, markerH);
    l.decorations[0] = inMargin(l.cover.left(), l.pages[0].left(), 26 * sy, 10, 34, s);
    l.decorations[1] = inMargin(l.pages[1].right(), l.cover.right(), 40 * sy, 14, 40, s);
    l.ringPitch = std::max<qreal>(l.binder.width(), 1);
    l.rings = static_cast<int>(l.pages[0].height() / l.ringPitch);
    return l;
}

void paintNotebook(
    QPainter& painter, const NotebookLayout& layout, int currentPage, const QPalette& palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dark = isDark(palette);
    const qreal s = layout.markers[0].width() / 16;
    paintCover(painter, layout, dark, s);
    paintPageShadows(painter, layout, dark, s, palette);
    paintRings(painter, layout, dark, s);
    const int page = currentPage == 1 ? 1 : 0;
    paintMarker(painter, layout.markers[page], page == 0, dark);
    paintPencil(painter, layout.decorations[0], dark);
    paintClip(painter, layout.decorations[1], dark);
    painter.restore();
}

} // namespace quorvel::ui
