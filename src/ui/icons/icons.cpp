#include "icons/icons.h"

#include "common/ui_text.h"
#include "strings/icons_strings.h"
#include "strings/strings.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRadialGradient>
#include <QTransform>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace quorvel::ui::icons {
namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the size asked for. Outlines take the
// palette's text colour and page fills its base colour, so a picture reads on light and dark
// palettes alike; each family of commands has one accent colour, in a darker shade for light
// palettes and a lighter one for dark palettes.
constexpr qreal kGrid = 24.0;

enum class Family
{
    Bee,
    Dictionary,
    Document,
    Edit,
    Report,
    Sound,
    Mute,
    Fixed
};

struct Accent
{
    QRgb onLight;
    QRgb onDark;
};

Accent accentOf(Family family)
{
    switch (family) {
    case Family::Bee:
        return { 0xE39B00, 0xFFC233 };
    case Family::Dictionary:
        return { 0x2563EB, 0x60A5FA };
    case Family::Document:
        return { 0x0E9472, 0x34D3A6 };
    case Family::Edit:
        return { 0x7C3AED, 0xB39DFA };
    case Family::Report:
        return { 0xE5484D, 0xFF7E82 };
    case Family::Sound:
        return { 0x16A34A, 0x4ADE80 };
    case Family::Mute:
        return { 0xDC2626, 0xFF6B6B };
    case Family::Fixed:
        break;
    }
    return { 0x6B7280, 0x9CA3AF };
}

QColor mix(const QColor& a, const QColor& b, qreal towardB)
{
    const qreal k = 1.0 - towardB;
    return QColor::fromRgbF(static_cast<float>(a.redF() * k + b.redF() * towardB),
        static_cast<float>(a.greenF() * k + b.greenF() * towardB),
        static_cast<float>(a.blueF() * k + b.blueF() * towardB),
        static_cast<float>(a.alphaF() * k + b.alphaF() * towardB));
}

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Window).lightness() < 128;
}

// The colours one picture is drawn with.
class Ink
{
public:
    Ink(const QPalette& palette, QIcon::Mode mode, Family family)
        : m_disabled(mode == QIcon::Disabled)
        , m_dark(isDark(palette))
        , m_window(palette.color(QPalette::Active, QPalette::Window))
    {
        const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
        line = tone(mode == QIcon::Selected
                ? palette.color(QPalette::Active, QPalette::HighlightedText)
                : text);
        paper = tone(palette.color(QPalette::Active, QPalette::Base));
        window = tone(m_window);
        const Accent shades = accentOf(family);
        accent = tone(QColor(m_dark ? shades.onDark : shades.onLight));
        soft = mix(accent, paper, 0.72);
        onAccent = tone(m_dark ? QColor(0x1B, 0x1B, 0x1F) : QColor(Qt::white));
        dark = tone(QColor(0x2B, 0x21, 0x18));
    }

    // A colour as this picture's mode shows it: greyed and faded toward the window when disabled.
    QColor tone(const QColor& colour) const
    {
        if (!m_disabled)
            return colour;
        const int grey = qGray(colour.rgb());
        QColor greyed = mix(QColor(grey, grey, grey), m_window, 0.5);
        greyed.setAlphaF(colour.alphaF());
        return greyed;
    }

    QColor line; // outlines and marks
    QColor paper; // inside of pages and lenses
    QColor window; // the background the picture usually sits on, for halos
    QColor accent; // the family colour
    QColor soft; // the family colour faded into the paper
    QColor onAccent; // marks drawn on the accent colour
    QColor dark; // the bee's stripes, dark on every palette

private:
    bool m_disabled;
    bool m_dark;
    QColor m_window;
};

// The painter, the colours and the outline width of one picture, with the drawing steps the
// pictures share.
class Canvas
{
public:
    Canvas(QPainter& painter, const Ink& colours, qreal stroke)
        : p(painter)
        , ink(colours)
        , s(stroke)
    { }

    void fill(const QPainterPath& path, const QColor& colour) { p.fillPath(path, colour); }

    void line(const QPainterPath& path, const QColor& colour, qreal widthFactor = 1.0)
    {
        QPen pen(colour, s * widthFactor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.strokePath(path, pen);
    }

    void shape(const QPainterPath& path, const QColor& fillColour, const QColor& lineColour)
    {
        fill(path, fillColour);
        line(path, lineColour);
    }

    QPainter& p;
    const Ink& ink;
    qreal s; // outline width in grid units
};

using DrawFn = void (*)(Canvas&);

// --- Shapes on the grid -------------------------------------------------------------------------

QPainterPath roundRect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry, qreal angle = 0)
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), rx, ry);
    QTransform t;
    t.translate(cx, cy);
    t.rotate(angle);
    return t.map(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points, bool closed = true)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath segment(qreal x1, qreal y1, qreal x2, qreal y2)
{
    return polygon({ { x1, y1 }, { x2, y2 } }, false);
}

// An open arrow head at `tip`, pointing along `angle` degrees (0 = right, 90 = down).
QPainterPath arrowHead(QPointF tip, qreal angle, qreal length)
{
    const qreal a = qDegreesToRadians(angle);
    const qreal spread = qDegreesToRadians(42.0);
    const QPointF left(
        tip.x() - length * std::cos(a - spread), tip.y() - length * std::sin(a - spread));
    const QPointF right(
        tip.x() - length * std::cos(a + spread), tip.y() - length * std::sin(a + spread));
    return polygon({ left, tip, right }, false);
}

// A sheet of paper with a folded top-right corner.
QPainterPath page(qreal x, qreal y, qreal w, qreal h, qreal fold)
{
    const qreal r = 1.5;
    QPainterPath path;
    path.moveTo(x + r, y);
    path.lineTo(x + w - fold, y);
    path.lineTo(x + w, y + fold);
    path.lineTo(x + w, y + h - r);
    path.quadTo(x + w, y + h, x + w - r, y + h);
    path.lineTo(x + r, y + h);
    path.quadTo(x, y + h, x, y + h - r);
    path.lineTo(x, y + r);
    path.quadTo(x, y, x + r, y);
    path.closeSubpath();
    return path;
}

void drawPage(Canvas& c, qreal x, qreal y, qreal w, qreal h, qreal fold)
{
    c.shape(page(x, y, w, h, fold), c.ink.paper, c.ink.line);
    c.line(polygon({ { x + w - fold, y }, { x + w - fold, y + fold }, { x + w, y + fold } }, false),
        c.ink.line);
}

// Text lines on a page, from (x, y) downwards.
void drawTextLines(Canvas& c, qreal x, qreal y, qreal width, int count, qreal gap,
    const QColor& colour, qreal widthFactor = 0.8)
{
    for (int i = 0; i < count; ++i) {
        const qreal ly = y + i * gap;
        const qreal lw = (i == count - 1 && count > 1) ? width * 0.6 : width;
        c.line(segment(x, ly, x + lw, ly), colour, widthFactor);
    }
}

// A round badge in the accent colour, set off from what lies under it by a ring of background.
void drawBadge(Canvas& c, qreal cx, qreal cy, qreal r)
{
    c.fill(circle(cx, cy, r + c.s * 0.9), c.ink.window);
    c.fill(circle(cx, cy, r), c.ink.accent);
}

// A pencil lying from its tip at (x, y) up and to the right at `angle` degrees.
void drawPencil(Canvas& c, qreal x, qreal y, qreal angle, qreal length, qreal body)
{
    c.p.save();
    c.p.translate(x, y);
    c.p.rotate(-angle);
    const qreal h = body / 2;
    const qreal tip = h * 2.2;
    const QPainterPath outline
        = polygon({ { 0, 0 }, { tip, -h }, { length, -h }, { length, h }, { tip, h } });
    c.fill(outline, c.ink.accent);
    c.fill(polygon({ { 0, 0 }, { tip, -h }, { tip, h } }), c.ink.paper);
    c.fill(polygon({ { 0, 0 }, { tip * 0.45, -h * 0.45 }, { tip * 0.45, h * 0.45 } }), c.ink.line);
    c.line(outline, c.ink.line);
    c.line(segment(tip, -h, tip, h), c.ink.line, 0.7);
    c.line(segment(length - h * 1.6, -h, length - h * 1.6, h), c.ink.line, 0.7);
    c.p.restore();
}

// A magnifying glass: lens centre, lens radius, handle end.
void drawMagnifier(Canvas& c, qreal cx, qreal cy, qreal r, qreal hx, qreal hy)
{
    const qreal dx = hx - cx;
    const qreal dy = hy - cy;
    const qreal len = std::hypot(dx, dy);
    const qreal sx = cx + dx / len * (r + c.s * 0.5);
    const qreal sy = cy + dy / len * (r + c.s * 0.5);
    c.line(segment(sx, sy, hx, hy), c.ink.window, 2.6);
    c.fill(circle(cx, cy, r + c.s), c.ink.window);
    c.line(segment(sx, sy, hx, hy), c.ink.accent, 1.9);
    c.shape(circle(cx, cy, r), c.ink.paper, c.ink.line);
    QPainterPath glint;
    glint.arcMoveTo(QRectF(cx - r * 0.6, cy - r * 0.6, r * 1.2, r * 1.2), 100);
    glint.arcTo(QRectF(cx - r * 0.6, cy - r * 0.6, r * 1.2, r * 1.2), 100, 60);
    c.line(glint, c.ink.accent, 0.7);
}

// An open book; pages from `top` to `bottom`.
void drawOpenBook(Canvas& c, qreal left, qreal right, qreal top, qreal bottom)
{
    const qreal mid = (left + right) / 2;
    QPainterPath cover;
    cover.moveTo(mid, bottom + 1.6);
    cover.quadTo((left + mid) / 2, bottom - 0.2, left - 0.6, bottom + 0.6);
    cover.lineTo(left - 0.6, top + 2.2);
    cover.lineTo(right + 0.6, top + 2.2);
    cover.lineTo(right + 0.6, bottom + 0.6);
    cover.quadTo((right + mid) / 2, bottom - 0.2, mid, bottom + 1.6);
    cover.closeSubpath();
    c.fill(cover, c.ink.accent);

    QPainterPath leftPage;
    leftPage.moveTo(mid, top + 1.5);
    leftPage.quadTo((left + mid) / 2, top - 0.8, left, top + 0.2);
    leftPage.lineTo(left, bottom - 0.8);
    leftPage.quadTo((left + mid) / 2, bottom - 1.8, mid, bottom);
    leftPage.closeSubpath();
    QPainterPath rightPage;
    rightPage.moveTo(mid, top + 1.5);
    rightPage.quadTo((right + mid) / 2, top - 0.8, right, top + 0.2);
    rightPage.lineTo(right, bottom - 0.8);
    rightPage.quadTo((right + mid) / 2, bottom - 1.8, mid, bottom);
    rightPage.closeSubpath();
    c.shape(leftPage, c.ink.paper, c.ink.line);
    c.shape(rightPage, c.ink.paper, c.ink.line);
}

// A closed book standing upright, cover in the accent colour.
void drawClosedBook(Canvas& c, qreal x, qreal y, qreal w, qreal h)
{
    const qreal pagesH = 2.6;
    c.shape(roundRect(x, y, w, h, 1.8), c.ink.accent, c.ink.line);
    c.fill(roundRect(x + 2.2, y + h - pagesH - 0.2, w - 2.2, pagesH, 0.8), c.ink.paper);
    c.line(segment(x + 2.2, y + h - pagesH - 0.2, x + w, y + h - pagesH - 0.2), c.ink.line);
    c.line(segment(x + 2.2, y + 0.5, x + 2.2, y + h - 0.5), c.ink.line, 0.8);
    c.line(segment(x + 4.4, y + h * 0.28, x + w - 2.2, y + h * 0.28), c.ink.onAccent, 0.8);
}

// A list: bullets and lines.
void drawList(Canvas& c, qreal x, qreal y, qreal width, int rows, qreal gap, const QColor& bullet)
{
    for (int i = 0; i < rows; ++i) {
        const qreal ry = y + i * gap;
        c.fill(circle(x, ry, c.s * 0.75), bullet);
        c.line(segment(x + 3.2, ry, x + width, ry), c.ink.line);
    }
}

// A bee facing left, its body centred at (cx, cy); `scale` 1 fills most of the grid.
void drawBeeAt(Canvas& c, qreal cx, qreal cy, qreal scale)
{
    c.p.save();
    c.p.translate(cx, cy);
    c.p.scale(scale, scale);
    const qreal savedStroke = c.s;
    c.s = c.s / scale;
    const QColor wing = mix(c.ink.paper, c.ink.tone(QColor(0x9C, 0xC8, 0xF0)), 0.25);
    c.shape(ellipse(-2.6, -6.4, 2.7, 4.0, -28), wing, c.ink.line);
    c.shape(ellipse(2.2, -6.4, 2.7, 4.0, 28), wing, c.ink.line);
    const QPainterPath body = ellipse(0.5, 0.5, 7.3, 5.3);
    c.fill(polygon({ { 7.0, -1.2 }, { 10.2, 0.5 }, { 7.0, 2.2 } }), c.ink.line);
    c.fill(body, c.ink.accent);
    c.p.save();
    c.p.setClipPath(body);
    c.fill(roundRect(-1.4, -6, 2.3, 14, 0.5), c.ink.dark);
    c.fill(roundRect(3.0, -6, 2.3, 14, 0.5), c.ink.dark);
    c.p.restore();
    c.line(body, c.ink.line);
    c.shape(circle(-7.4, 0.2, 2.9), c.ink.dark, c.ink.line);
    c.s = savedStroke;
    c.p.restore();
}

// --- The pictures -------------------------------------------------------------------------------

void drawSpellingBee(Canvas& c)
{
    drawBeeAt(c, 11.6, 13.6, 1.0);
}

void drawBrowseDictionary(Canvas& c)
{
    drawOpenBook(c, 2, 19.5, 4.5, 16);
    drawTextLines(c, 4, 8.2, 4.2, 2, 3, c.ink.soft);
    drawMagnifier(c, 16, 15.5, 4.0, 21.6, 21.3);
}

void drawListProperties(Canvas& c)
{
    drawList(c, 3.5, 5, 13, 3, 5.2, c.ink.line);
    // A gear: eight teeth round a hole.
    const qreal cx = 17;
    const qreal cy = 16.5;
    const qreal outer = 5.6;
    const qreal root = 4.1;
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = qDegreesToRadians(360.0 / (teeth * 4) * (i + 0.5) - 90.0);
        const qreal r = ((i % 4) == 1 || (i % 4) == 2) ? outer : root;
        const QPointF point(cx + r * std::cos(a), cy + r * std::sin(a));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    c.fill(circle(cx, cy, outer + c.s * 0.8), c.ink.window);
    const QPainterPath ring = gear.subtracted(circle(cx, cy, 1.7));
    c.fill(ring, c.ink.accent);
    c.line(ring, c.ink.line, 0.6);
}

void drawNotepad(Canvas& c, qreal x, qreal y, qreal w, qreal h)
{
    c.shape(roundRect(x, y, w, h, 1.6), c.ink.paper, c.ink.line);
    QPainterPath top;
    top.addRoundedRect(QRectF(x, y, w, 4.2), 1.6, 1.6);
    top.addRect(QRectF(x, y + 2.2, w, 2.0));
    top.setFillRule(Qt::WindingFill);
    c.fill(top.simplified(), c.ink.accent);
    c.line(roundRect(x, y, w, h, 1.6), c.ink.line);
    c.line(segment(x, y + 4.2, x + w, y + 4.2), c.ink.line, 0.8);
    drawTextLines(c, x + 2.4, y + 8, w - 4.8, (h > 14) ? 3 : 2, 3.4, c.ink.line, 0.7);
}

void drawScrapPad(Canvas& c)
{
    drawNotepad(c, 3, 3, 13, 18);
    drawPencil(c, 12.5, 20.5, 55, 15, 3.6);
}

void drawNewFile(Canvas& c)
{
    drawPage(c, 3.5, 2, 14, 19.5, 4.5);
    drawTextLines(c, 6.5, 8, 6.5, 2, 3.2, c.ink.line, 0.7);
    drawBadge(c, 17.5, 17.5, 5.6);
    c.line(segment(17.5, 14.6, 17.5, 20.4), c.ink.onAccent, 1.2);
    c.line(segment(14.6, 17.5, 20.4, 17.5), c.ink.onAccent, 1.2);
}

void drawOpenFile(Canvas& c)
{
    QPainterPath back;
    back.moveTo(2, 18.5);
    back.lineTo(2, 6);
    back.quadTo(2, 4.5, 3.5, 4.5);
    back.lineTo(8.2, 4.5);
    back.lineTo(10.2, 6.8);
    back.lineTo(18.5, 6.8);
    back.quadTo(20, 6.8, 20, 8.3);
    back.lineTo(20, 10);
    c.shape(back, c.ink.soft, c.ink.line);
    c.fill(roundRect(5, 8.6, 13, 6, 0.6), c.ink.paper);
    QPainterPath front = polygon({ { 5.2, 10.5 }, { 22.5, 10.5 }, { 19.4, 19.8 }, { 2, 19.8 } });
    c.shape(front, c.ink.accent, c.ink.line);
}

void drawSave(Canvas& c)
{
    QPainterPath disk;
    disk.moveTo(4.5, 3);
    disk.lineTo(17, 3);
    disk.lineTo(21, 7);
    disk.lineTo(21, 19.5);
    disk.quadTo(21, 21, 19.5, 21);
    disk.lineTo(4.5, 21);
    disk.quadTo(3, 21, 3, 19.5);
    disk.lineTo(3, 4.5);
    disk.quadTo(3, 3, 4.5, 3);
    disk.closeSubpath();
    c.fill(disk, c.ink.accent);
    c.shape(roundRect(7, 3, 9, 5.5, 0.5), c.ink.paper, c.ink.line);
    c.fill(roundRect(12.6, 4.2, 1.8, 3.0, 0.3), c.ink.line);
    c.shape(roundRect(6.5, 12.5, 11, 8.5, 1.0), c.ink.paper, c.ink.line);
    c.line(segment(8.8, 15.5, 15.2, 15.5), c.ink.soft, 0.8);
    c.line(segment(8.8, 18.2, 15.2, 18.2), c.ink.soft, 0.8);
    c.line(disk, c.ink.line);
}

void drawCloseWindow(Canvas& c)
{
    drawPage(c, 3.5, 2, 14, 19.5, 4.5);
    drawTextLines(c, 6.5, 8, 6.5, 2, 3.2, c.ink.line, 0.7);
    drawBadge(c, 17.5, 17.5, 5.6);
    c.line(segment(15.4, 15.4, 19.6, 19.6), c.ink.onAccent, 1.2);
    c.line(segment(19.6, 15.4, 15.4, 19.6), c.ink.onAccent, 1.2);
}

void drawMakeList(Canvas& c)
{
    drawPage(c, 2.5, 2, 10, 12.5, 3.2);
    drawTextLines(c, 5, 7.2, 4.5, 2, 3, c.ink.line, 0.7);
    c.line(polygon({ { 7.5, 16.5 }, { 7.5, 19.5 }, { 12.5, 19.5 } }, false), c.ink.accent, 1.1);
    c.line(arrowHead({ 13.2, 19.5 }, 0, 3.0), c.ink.accent, 1.1);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 6 + i * 4.6;
        c.fill(circle(16, y, c.s * 0.8), c.ink.accent);
        c.line(segment(18.5, y, 22, y), c.ink.line);
    }
}

void drawPrint(Canvas& c)
{
    c.shape(roundRect(6.5, 2.5, 11, 7, 0.8), c.ink.paper, c.ink.line);
    c.shape(roundRect(2.5, 8.5, 19, 9, 2.0), c.ink.accent, c.ink.line);
    c.fill(circle(18.2, 11.6, c.s * 0.6), c.ink.onAccent);
    c.shape(roundRect(6.5, 13.5, 11, 8, 0.8), c.ink.paper, c.ink.line);
    c.line(segment(8.8, 16.5, 15.2, 16.5), c.ink.line, 0.7);
    c.line(segment(8.8, 19, 13.5, 19), c.ink.line, 0.7);
}

void drawDictionaryEditor(Canvas& c)
{
    drawClosedBook(c, 3, 2.5, 13, 19);
    drawPencil(c, 12.5, 21.5, 55, 15, 3.6);
}

void drawHistoryReport(Canvas& c)
{
    c.line(polygon({ { 3, 2.5 }, { 3, 21 }, { 21.5, 21 } }, false), c.ink.line);
    const qreal heights[] = { 6, 10.5, 8, 14.5 };
    for (int i = 0; i < 4; ++i) {
        const qreal x = 6 + i * 4;
        const qreal h = heights[i];
        c.shape(roundRect(x, 18.2 - h, 2.8, h, 0.7), c.ink.accent, c.ink.accent);
    }
}

// A question mark drawn as strokes centred on (cx, cy) with the given height.
void drawQuestionMark(
    Canvas& c, qreal cx, qreal cy, qreal height, const QColor& colour, qreal width)
{
    const qreal r = height * 0.26;
    const qreal top = cy - height / 2;
    QPainterPath mark;
    mark.arcMoveTo(QRectF(cx - r, top, 2 * r, 2 * r), 160);
    mark.arcTo(QRectF(cx - r, top, 2 * r, 2 * r), 160, -220);
    mark.quadTo(cx, top + 2 * r + height * 0.05, cx, top + height * 0.68);
    c.line(mark, colour, width);
    c.fill(circle(cx, top + height * 0.93, c.s * width * 0.62), colour);
}

void drawHelp(Canvas& c)
{
    c.shape(circle(12, 12, 9.5), c.ink.accent, c.ink.accent);
    drawQuestionMark(c, 12, 12, 11, c.ink.onAccent, 1.25);
}

void drawUserList(Canvas& c)
{
    drawList(c, 3.5, 5, 15, 3, 5, c.ink.line);
    const QPainterPath badge = circle(17.3, 17.3, 5.7);
    drawBadge(c, 17.3, 17.3, 5.7);
    c.fill(circle(17.3, 15.4, 2.2), c.ink.onAccent);
    QPainterPath shoulders;
    shoulders.moveTo(13.0, 23.0);
    shoulders.quadTo(13.2, 18.6, 17.3, 18.6);
    shoulders.quadTo(21.4, 18.6, 21.6, 23.0);
    shoulders.closeSubpath();
    c.fill(shoulders.intersected(badge), c.ink.onAccent);
}

void drawTransferToDictionary(Canvas& c)
{
    drawOpenBook(c, 2.5, 21.5, 11.5, 21);
    c.line(segment(12, 2, 12, 10.5), c.ink.window, 2.6);
    c.line(segment(12, 2, 12, 10.5), c.ink.accent, 1.2);
    c.line(arrowHead({ 12, 11.2 }, 90, 3.6), c.ink.accent, 1.2);
}

void drawDownload(Canvas& c)
{
    QPainterPath cloud;
    cloud.addEllipse(QPointF(8, 12), 4.2, 4.2);
    cloud.addEllipse(QPointF(13.2, 9.2), 5.4, 5.4);
    cloud.addEllipse(QPointF(18, 12.6), 3.8, 3.8);
    cloud.addRoundedRect(QRectF(3.8, 11.5, 18, 5), 2.5, 2.5);
    cloud.setFillRule(Qt::WindingFill);
    cloud = cloud.simplified();
    c.shape(cloud, c.ink.paper, c.ink.line);
    c.line(segment(12.8, 11, 12.8, 21), c.ink.window, 2.8);
    c.line(segment(12.8, 11, 12.8, 21), c.ink.accent, 1.2);
    c.line(arrowHead({ 12.8, 21.5 }, 90, 3.8), c.ink.window, 2.6);
    c.line(arrowHead({ 12.8, 21.5 }, 90, 3.8), c.ink.accent, 1.2);
}

void drawUndo(Canvas& c)
{
    QPainterPath path;
    path.moveTo(5, 10);
    path.lineTo(14, 10);
    path.cubicTo(18.5, 10, 20.5, 12.5, 20.5, 15);
    path.cubicTo(20.5, 17.8, 18.5, 20, 14, 20);
    path.lineTo(10, 20);
    c.line(path, c.ink.accent, 1.2);
    c.line(arrowHead({ 4.4, 10 }, 180, 4.2), c.ink.accent, 1.2);
}

void drawCut(Canvas& c)
{
    c.line(segment(8.8, 14.5, 16.5, 2.5), c.ink.line);
    c.line(segment(15.2, 14.5, 7.5, 2.5), c.ink.line);
    c.fill(circle(12, 11, c.s * 0.7), c.ink.line);
    c.line(circle(7, 17.5, 3.2), c.ink.accent, 1.1);
    c.line(circle(17, 17.5, 3.2), c.ink.accent, 1.1);
}

void drawCopy(Canvas& c)
{
    c.shape(roundRect(3, 2.5, 11.5, 14, 1.6), c.ink.paper, c.ink.line);
    c.shape(roundRect(9.5, 7.5, 11.5, 14, 1.6), c.ink.soft, c.ink.accent);
    drawTextLines(c, 12.2, 11.5, 6, 3, 2.8, c.ink.accent, 0.7);
}

void drawPaste(Canvas& c)
{
    c.shape(roundRect(3, 4, 14, 17.5, 1.8), c.ink.accent, c.ink.line);
    c.shape(roundRect(6.5, 2, 7, 4.2, 1.2), c.ink.paper, c.ink.line);
    c.shape(roundRect(10, 9.5, 11, 13, 1.4), c.ink.paper, c.ink.line);
    drawTextLines(c, 12.5, 13.5, 6, 3, 2.8, c.ink.line, 0.7);
}

void drawFind(Canvas& c)
{
    drawMagnifier(c, 10, 10, 6.5, 20.5, 20.5);
}

void drawFindNext(Canvas& c)
{
    drawMagnifier(c, 9, 9, 5.8, 15.2, 15.2);
    c.line(segment(11, 20, 20.5, 20), c.ink.accent, 1.2);
    c.line(arrowHead({ 21.2, 20 }, 0, 3.6), c.ink.accent, 1.2);
}

void drawSpeaker(Canvas& c)
{
    const QPainterPath speaker
        = polygon({ { 2.5, 9 }, { 6.5, 9 }, { 12, 4 }, { 12, 20 }, { 6.5, 15 }, { 2.5, 15 } });
    c.shape(speaker, c.ink.line, c.ink.line);
}

void drawSoundOn(Canvas& c)
{
    drawSpeaker(c);
    for (int i = 0; i < 2; ++i) {
        const qreal r = 4.0 + i * 4.0;
        QPainterPath wave;
        wave.arcMoveTo(QRectF(12 - r, 12 - r, 2 * r, 2 * r), -50);
        wave.arcTo(QRectF(12 - r, 12 - r, 2 * r, 2 * r), -50, 100);
        c.line(wave, c.ink.accent, 1.05);
    }
}

void drawSoundOff(Canvas& c)
{
    drawSpeaker(c);
    c.line(segment(15.5, 8.5, 21.5, 14.5), c.ink.accent, 1.1);
    c.line(segment(21.5, 8.5, 15.5, 14.5), c.ink.accent, 1.1);
}

void drawDictionaryList(Canvas& c)
{
    drawClosedBook(c, 5, 2.5, 14, 19);
}

void drawBeeFileList(Canvas& c)
{
    drawPage(c, 3.5, 2, 15, 20, 4.5);
    drawTextLines(c, 6.5, 7.5, 6, 2, 3, c.ink.line, 0.7);
    drawBeeAt(c, 13.2, 16.6, 0.55);
}

void drawScrapPadList(Canvas& c)
{
    drawNotepad(c, 4.5, 2.5, 15, 19);
}

// Flags keep their own colours on every palette; a thin rim keeps them apart from a background of
// the same colour.
void drawUkFlag(Canvas& c)
{
    const QRectF field(1, 5, 22, 14);
    const QPainterPath fieldPath
        = roundRect(field.x(), field.y(), field.width(), field.height(), 1.5);
    c.p.save();
    c.p.setClipPath(fieldPath);
    c.fill(fieldPath, c.ink.tone(QColor(0x01, 0x21, 0x69)));
    const QColor white = c.ink.tone(Qt::white);
    const QColor red = c.ink.tone(QColor(0xC8, 0x10, 0x2E));
    QPen pen(white, 3.4, Qt::SolidLine, Qt::FlatCap);
    c.p.setPen(pen);
    c.p.drawLine(field.topLeft(), field.bottomRight());
    c.p.drawLine(field.bottomLeft(), field.topRight());
    pen.setColor(red);
    pen.setWidthF(1.3);
    c.p.setPen(pen);
    c.p.drawLine(field.topLeft(), field.bottomRight());
    c.p.drawLine(field.bottomLeft(), field.topRight());
    c.p.fillRect(QRectF(9.5, 5, 5, 14), white);
    c.p.fillRect(QRectF(1, 9.5, 22, 5), white);
    c.p.fillRect(QRectF(10.5, 5, 3, 14), red);
    c.p.fillRect(QRectF(1, 10.5, 22, 3), red);
    c.p.restore();
    c.line(fieldPath, mix(c.ink.line, Qt::transparent, 0.65), 0.5);
}

void drawUsFlag(Canvas& c)
{
    const QRectF field(1, 5, 22, 14);
    const QPainterPath fieldPath
        = roundRect(field.x(), field.y(), field.width(), field.height(), 1.5);
    c.p.save();
    c.p.setClipPath(fieldPath);
    c.fill(fieldPath, c.ink.tone(Qt::white));
    const QColor red = c.ink.tone(QColor(0xB2, 0x22, 0x34));
    const qreal stripe = 14.0 / 7.0;
    for (int i = 0; i < 7; i += 2)
        c.p.fillRect(QRectF(1, 5 + i * stripe, 22, stripe), red);
    c.p.fillRect(QRectF(1, 5, 10, stripe * 4), c.ink.tone(QColor(0x3C, 0x3B, 0x6E)));
    const QColor star = c.ink.tone(Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            c.fill(circle(2.9 + col * 3.1, 6.5 + row * 2.5, 0.55), star);
    c.p.restore();
    c.line(fieldPath, mix(c.ink.line, Qt::transparent, 0.65), 0.5);
}

void drawNothing(Canvas&)
{ }

// The application's mark: a honey tile with a "Q" whose bowl is a striped bee body, with wings
// above, and whose tail tapers into the sting.
void drawApplication(Canvas& c)
{
    const QPainterPath tile = roundRect(1, 1, 22, 22, 5.5);
    QLinearGradient gradient(1, 1, 23, 23);
    gradient.setColorAt(0, c.ink.tone(QColor(0xFF, 0xD2, 0x4D)));
    gradient.setColorAt(1, c.ink.tone(QColor(0xF2, 0x8C, 0x05)));
    c.p.fillPath(tile, gradient);
    const QColor brown = c.ink.tone(QColor(0x2B, 0x21, 0x18));
    const QColor cream = c.ink.tone(QColor(0xFF, 0xF6, 0xDC));
    const QColor wing = c.ink.tone(QColor(255, 255, 255, 225));
    c.fill(ellipse(8.6, 5.4, 2.3, 3.4, -34), wing);
    c.fill(ellipse(14.2, 5.4, 2.3, 3.4, 34), wing);
    const QPainterPath bowl = ellipse(11.4, 12.2, 6.0, 6.2);
    c.fill(bowl, cream);
    c.p.save();
    c.p.setClipPath(bowl);
    c.fill(roundRect(4, 10.0, 16, 1.9, 0), brown);
    c.fill(roundRect(4, 13.7, 16, 1.9, 0), brown);
    c.p.restore();
    c.p.strokePath(bowl, QPen(brown, 2.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tail;
    tail.moveTo(11.0, 17.0);
    tail.cubicTo(14.0, 17.4, 16.2, 20.2, 21.0, 20.2);
    tail.cubicTo(16.8, 22.6, 13.4, 21.4, 10.6, 19.6);
    tail.closeSubpath();
    c.fill(tail, brown);
}

// Status-bar and command pictures by id.
struct Picture
{
    int id;
    Family family;
    DrawFn draw;
};

constexpr Picture kCommandPictures[] = {
    { 228, Family::Bee, drawSpellingBee },
    { 229, Family::Dictionary, drawBrowseDictionary },
    { 230, Family::Bee, drawListProperties },
    { 231, Family::Document, drawScrapPad },
    { 24331, Family::Document, drawNewFile },
    { 24332, Family::Document, drawOpenFile },
    { 24333, Family::Document, drawSave },
    { 24339, Family::Document, drawCloseWindow },
    { 232, Family::Document, drawMakeList },
    { 24337, Family::Document, drawPrint },
    { 233, Family::Dictionary, drawDictionaryEditor },
    { 234, Family::Report, drawHistoryReport },
    { 2001, Family::Report, drawHelp },
    { 235, Family::Bee, drawUserList },
    { 274, Family::Dictionary, drawTransferToDictionary },
    { 262, Family::Dictionary, drawDownload },
    { 24321, Family::Edit, drawUndo },
    { 24322, Family::Edit, drawCut },
    { 24323, Family::Edit, drawCopy },
    { 24324, Family::Edit, drawPaste },
    { 24351, Family::Edit, drawFind },
    { 24353, Family::Edit, drawFindNext },
};

QPalette paletteFor(QPainter* painter)
{
    // Painting straight onto a widget follows that widget's palette; pixmaps follow the
    // application's.
    if (painter != nullptr) {
        if (auto* widget = dynamic_cast<QWidget*>(painter->device()))
            return widget->palette();
    }
    return QGuiApplication::palette();
}

void render(QPainter& painter, const QRectF& rect, qreal deviceScale, const QPalette& palette,
    QIcon::Mode mode, Family family, DrawFn draw)
{
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const qreal scale = side / kGrid;
    // Small pictures get relatively heavier outlines so that a line never falls below about
    // 1.3 device pixels.
    const qreal devicePixels = side * std::max<qreal>(deviceScale, 1.0);
    const qreal stroke = std::max<qreal>(1.75, 1.3 * kGrid / devicePixels);
    const Ink ink(palette, mode, family);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.translate(square.topLeft());
    painter.scale(scale, scale);
    Canvas canvas(painter, ink, stroke);
    draw(canvas);
    painter.restore();
}

class PictureEngine final : public QIconEngine
{
public:
    PictureEngine(Family family, DrawFn draw, QString key)
        : m_family(family)
        , m_draw(draw)
        , m_key(std::move(key))
    { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal deviceScale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        render(*painter, QRectF(rect), deviceScale, paletteFor(painter), mode, m_family, m_draw);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon asks for high-resolution pixmaps with the size already in device pixels and the
    // ratio beside it; it sets the ratio on the result itself.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override
    {
        if (size.isEmpty())
            return {};
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            render(painter, QRectF(QPointF(0, 0), QSizeF(size)), 1.0, QGuiApplication::palette(),
                mode, m_family, m_draw);
        }
        return QPixmap::fromImage(image);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return { { 16, 16 }, { 24, 24 }, { 32, 32 }, { 48, 48 }, { 64, 64 } };
    }

    QIconEngine* clone() const override { return new PictureEngine(m_family, m_draw, m_key); }
    QString key() const override { return QStringLiteral("quorvel-picture"); }
    QString iconName() override { return m_key; }
    bool isNull() override { return false; }

private:
    Family m_family;
    DrawFn m_draw;
    QString m_key;
};

QIcon makeIcon(Family family, DrawFn draw, const QString& name)
{
    return QIcon(new PictureEngine(family, draw, name));
}

} // namespace

QIcon commandIcon(int commandId)
{
    for (const Picture& picture : kCommandPictures) {
        if (picture.id == commandId)
            return makeIcon(
                picture.family, picture.draw, QStringLiteral("quorvel-command-%1").arg(commandId));
    }
    return {};
}

QIcon soundIcon(bool on)
{
    return on ? makeIcon(Family::Sound, drawSoundOn, QStringLiteral("quorvel-sound-on"))
              : makeIcon(Family::Mute, drawSoundOff, QStringLiteral("quorvel-sound-off"));
}

QIcon listIcon(int image)
{
    switch (image) {
    case 1:
        return makeIcon(
            Family::Dictionary, drawDictionaryList, QStringLiteral("quorvel-list-dict"));
    case 2:
        return makeIcon(Family::Bee, drawBeeFileList, QStringLiteral("quorvel-list-bee"));
    case 3:
        return makeIcon(Family::Document, drawScrapPadList, QStringLiteral("quorvel-list-scrap"));
    default:
        return {};
    }
}

QIcon languageIcon(int image)
{
    switch (image) {
    case 0:
        return makeIcon(Family::Fixed, drawUkFlag, QStringLiteral("quorvel-flag-uk"));
    case 1:
        return makeIcon(Family::Fixed, drawUsFlag, QStringLiteral("quorvel-flag-us"));
    case 2:
        // "No flag" still takes its place in the status bar, so the fields beside it keep still.
        return makeIcon(Family::Fixed, drawNothing, QStringLiteral("quorvel-flag-none"));
    default:
        return {};
    }
}

QIcon applicationIcon()
{
    return makeIcon(Family::Fixed, drawApplication, QStringLiteral("quorvel-application"));
}

QPixmap splashPicture()
{
    constexpr int kWidth = 440;
    constexpr int kHeight = 360;
    const qreal ratio
        = qGuiApp != nullptr ? std::max<qreal>(qGuiApp->devicePixelRatio(), 1.0) : 1.0;
    QImage image(static_cast<int>(std::lround(kWidth * ratio)),
        static_cast<int>(std::lround(kHeight * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    QLinearGradient sky(0, 0, kWidth, kHeight);
    sky.setColorAt(0.0, QColor(0xFF, 0xE7, 0x9A));
    sky.setColorAt(0.55, QColor(0xFF, 0xC2, 0x3D));
    sky.setColorAt(1.0, QColor(0xF0, 0x8A, 0x0C));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);

    // A faint honeycomb across the top right.
    QPen comb(QColor(255, 255, 255, 70), 2.0);
    p.setPen(comb);
    p.setBrush(Qt::NoBrush);
    const qreal hexR = 22;
    const qreal hexW = std::sqrt(3.0) * hexR;
    for (int row = -1; row < 6; ++row) {
        for (int col = 0; col < 8; ++col) {
            const qreal cx = 250 + col * hexW + ((row & 1) ? hexW / 2 : 0);
            const qreal cy = row * hexR * 1.5;
            const qreal fade = std::clamp((cx - 200.0) / 240.0 - cy / 260.0, 0.0, 1.0);
            if (fade <= 0.05)
                continue;
            QPolygonF hex;
            for (int k = 0; k < 6; ++k) {
                const qreal a = qDegreesToRadians(60.0 * k + 30.0);
                hex << QPointF(cx + hexR * std::cos(a), cy + hexR * std::sin(a));
            }
            comb.setColor(QColor(255, 255, 255, static_cast<int>(90 * fade)));
            p.setPen(comb);
            p.drawPolygon(hex);
        }
    }

    // The application mark, with a soft shadow.
    const QRectF mark(kWidth / 2.0 - 56, 42, 112, 112);
    QRadialGradient shadow(mark.center() + QPointF(0, 10), 74);
    shadow.setColorAt(0.0, QColor(120, 60, 0, 90));
    shadow.setColorAt(1.0, QColor(120, 60, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(mark.center() + QPointF(0, 10), 74, 74);
    applicationIcon().paint(&p, mark.toRect());

    const QColor brown(0x2B, 0x21, 0x18);
    QFont title(QStringLiteral("Sans Serif"));
    title.setStyleHint(QFont::SansSerif);
    title.setPixelSize(50);
    title.setWeight(QFont::Bold);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    p.setPen(brown);
    p.drawText(QRectF(0, 168, kWidth, 64), Qt::AlignHCenter | Qt::AlignVCenter,
        uiText(strings::kProductName));

    QFont subtitle(QStringLiteral("Sans Serif"));
    subtitle.setStyleHint(QFont::SansSerif);
    subtitle.setPixelSize(19);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(subtitle);
    p.setPen(QColor(0x5A, 0x3A, 0x0A));
    p.drawText(QRectF(0, 232, kWidth, 30), Qt::AlignHCenter | Qt::AlignVCenter,
        uiText(strings::kSplashSubtitle));

    // The bottom band is left plain for the one-line caption the start-up window writes there.
    p.fillRect(QRectF(0, kHeight - 44, kWidth, 44), QColor(255, 255, 255, 70));
    p.fillRect(QRectF(0, kHeight - 44, kWidth, 1), QColor(255, 255, 255, 120));
    p.end();

    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(ratio);
    return result;
}

QCursor helpCursor()
{
    constexpr int kSide = 32;
    const qreal ratio
        = qGuiApp != nullptr ? std::max<qreal>(qGuiApp->devicePixelRatio(), 1.0) : 1.0;
    const int pixels = static_cast<int>(std::lround(kSide * ratio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(ratio, ratio);
        // The usual arrow, black with a white rim, its tip at (1, 1).
        const QPainterPath arrow = polygon({ { 1, 1 }, { 1, 18 }, { 5.2, 14.2 }, { 8.2, 21 },
            { 11, 19.8 }, { 8.1, 13.2 }, { 13.6, 13.2 } });
        p.strokePath(arrow, QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.fillPath(arrow, QColor(0x11, 0x11, 0x11));
        // A question-mark badge below and to the right of the tip.
        const QPointF centre(22.5, 22.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, 8.6, 8.6);
        p.setBrush(QColor(0x25, 0x63, 0xEB));
        p.drawEllipse(centre, 7.4, 7.4);
        QPainterPath mark;
        const QRectF bowl(centre.x() - 2.6, centre.y() - 5.2, 5.2, 5.2);
        mark.arcMoveTo(bowl, 160);
        mark.arcTo(bowl, 160, -220);
        mark.quadTo(centre.x(), centre.y() + 0.1, centre.x(), centre.y() + 1.6);
        p.strokePath(mark, QPen(Qt::white, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(centre.x(), centre.y() + 4.4), 1.15, 1.15);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return QCursor(pixmap, 1, 1);
}

} // namespace quorvel::ui::icons
