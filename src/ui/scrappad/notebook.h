#pragma once

// The scrap pad's notebook picture: a cloth cover, two pages side by side with binder rings in
// the column between them, a ribbon marking the current page, a pencil in the left margin and a
// paper clip in the right one. Everything is placed in proportion to the window and drawn with
// QPainter at the window's own scale, so it fills any size and stays sharp.

#include <QPalette>
#include <QRectF>
#include <QSizeF>

#include <array>

class QPainter;

namespace quorvel::ui {

struct NotebookLayout
{
    QRectF cover; // the notebook behind the pages
    std::array<QRectF, 2> pages; // where the two page editors go
    QRectF binder; // the column between the pages, as tall as they are
    std::array<QRectF, 2> markers; // the ribbon beside page 1 (left) or page 2 (right)
    std::array<QRectF, 2> decorations; // the pencil (left margin), the paper clip (right margin)
    qreal ringPitch = 0; // one ring per pitch down the binder, the pitch being its width
    int rings = 0;
};

// The notebook in a window of `size`: the cover and pages keep their places relative to the
// window's width and height; the small pictures keep their own proportions.
NotebookLayout notebookLayout(QSizeF size);
// The smallest window the pages stay usable in.
QSizeF notebookMinimumSize();

void paintNotebook(
    QPainter& painter, const NotebookLayout& layout, int currentPage, const QPalette& palette);

} // namespace quorvel::ui
