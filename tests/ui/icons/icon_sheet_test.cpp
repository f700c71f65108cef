// Contact sheets of every picture on light and dark backgrounds, for looking at the drawings.
// Not part of the normal run: start it with
//   ui_icons_tests --gtest_also_run_disabled_tests --gtest_filter='IconSheet.*'
// and it writes its PNG files to $QUORVEL_ICON_SHEET_DIR, or /tmp/quorvel-icons.

#include "icons/icons.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace icons = quorvel::ui::icons;

namespace {

struct Named
{
    QString name;
    QIcon icon;
};

std::vector<Named> allPictures()
{
    std::vector<Named> all;
    for (int id : { 228, 229, 230, 231, 24331, 24332, 24333, 24339, 232, 24337, 233, 234, 2001, 235,
             274, 262, 24321, 24322, 24323, 24324, 24351, 24353 })
        all.push_back({ QString::number(id), icons::commandIcon(id) });
    all.push_back({ QStringLiteral("snd on"), icons::soundIcon(true) });
    all.push_back({ QStringLiteral("snd off"), icons::soundIcon(false) });
    all.push_back({ QStringLiteral("list 1"), icons::listIcon(1) });
    all.push_back({ QStringLiteral("list 2"), icons::listIcon(2) });
    all.push_back({ QStringLiteral("list 3"), icons::listIcon(3) });
    all.push_back({ QStringLiteral("UK"), icons::languageIcon(0) });
    all.push_back({ QStringLiteral("US"), icons::languageIcon(1) });
    all.push_back({ QStringLiteral("app"), icons::applicationIcon() });
    return all;
}

QPalette sheetPalette(bool dark)
{
    QPalette p;
    p.setColor(QPalette::Window, dark ? QColor(0x2B, 0x2B, 0x2E) : QColor(0xF3, 0xF3, 0xF3));
    p.setColor(QPalette::WindowText, dark ? QColor(0xEE, 0xEE, 0xEE) : QColor(0x1B, 0x1B, 0x1B));
    p.setColor(QPalette::Base, dark ? QColor(0x1E, 0x1E, 0x21) : QColor(Qt::white));
    return p;
}

// One cell: the picture at `side` pixels, blown up `zoom` times without smoothing.
QImage cell(const QIcon& icon, int side, int zoom, QIcon::Mode mode)
{
    QImage image = icon.pixmap(QSize(side, side), 1.0, mode).toImage();
    if (zoom > 1)
        image
            = image.scaled(side * zoom, side * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

void writeZoomSheet(const std::vector<Named>& pictures, size_t from, size_t to, const QString& path)
{
    const int cellW = 60;
    const int labelW = 64;
    const int rowH = 56;
    struct Variant
    {
        int side;
        int zoom;
        QIcon::Mode mode;
    };
    const Variant variants[] = { { 16, 3, QIcon::Normal }, { 24, 2, QIcon::Normal },
        { 48, 1, QIcon::Normal }, { 24, 2, QIcon::Disabled } };
    const int columns = 8;
    QImage sheet(labelW + columns * cellW, static_cast<int>(to - from) * rowH,
        QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int dark = 0; dark < 2; ++dark) {
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(sheetPalette(dark == 1));
        const QColor bg = QApplication::palette().color(QPalette::Window);
        for (size_t i = from; i < to; ++i) {
            const int y = static_cast<int>(i - from) * rowH;
            for (int v = 0; v < 4; ++v) {
                const int x = labelW + (dark * 4 + v) * cellW;
                p.fillRect(x, y, cellW, rowH, bg);
                const QImage img
                    = cell(pictures[i].icon, variants[v].side, variants[v].zoom, variants[v].mode);
                p.drawImage(x + (cellW - img.width()) / 2, y + (rowH - img.height()) / 2, img);
            }
        }
        QApplication::setPalette(saved);
    }
    p.setPen(Qt::black);
    for (size_t i = from; i < to; ++i)
        p.drawText(QRect(4, static_cast<int>(i - from) * rowH, labelW - 4, rowH), Qt::AlignVCenter,
            pictures[i].name);
    p.end();
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

// Every picture at its real sizes, as a tool bar would show it.
void writeActualSheet(const std::vector<Named>& pictures, const QString& path)
{
    const int pitch = 56;
    const int sides[] = { 16, 24, 32, 48 };
    QImage sheet(static_cast<int>(pictures.size()) * pitch + 8, 2 * 4 * pitch,
        QImage::Format_ARGB32_Premultiplied);
    QPainter p(&sheet);
    for (int dark = 0; dark < 2; ++dark) {
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(sheetPalette(dark == 1));
        p.fillRect(0, dark * 4 * pitch, sheet.width(), 4 * pitch,
            QApplication::palette().color(QPalette::Window));
        for (int s = 0; s < 4; ++s)
            for (size_t i = 0; i < pictures.size(); ++i) {
                const int side = sides[s];
                const QPixmap pm = pictures[i].icon.pixmap(QSize(side, side), 1.0);
                p.drawPixmap(4 + static_cast<int>(i) * pitch + (pitch - side) / 2,
                    (dark * 4 + s) * pitch + (pitch - side) / 2, pm);
            }
        QApplication::setPalette(saved);
    }
    p.end();
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

// Every picture at `side` pixels blown up `zoom` times, eight to a row, light palette above dark.
void writeGridSheet(const std::vector<Named>& pictures, int side, int zoom, const QString& path)
{
    const int pitch = side * zoom + 12;
    const int perRow = 8;
    const int rows = static_cast<int>((pictures.size() + perRow - 1) / perRow);
    QImage sheet(perRow * pitch, 2 * rows * pitch, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&sheet);
    for (int dark = 0; dark < 2; ++dark) {
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(sheetPalette(dark == 1));
        p.fillRect(0, dark * rows * pitch, sheet.width(), rows * pitch,
            QApplication::palette().color(QPalette::Window));
        for (size_t i = 0; i < pictures.size(); ++i) {
            const int col = static_cast<int>(i) % perRow;
            const int row = static_cast<int>(i) / perRow + dark * rows;
            p.drawImage(col * pitch + 6, row * pitch + 6,
                cell(pictures[i].icon, side, zoom, QIcon::Normal));
        }
        QApplication::setPalette(saved);
    }
    p.end();
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

} // namespace

TEST(IconSheet, DISABLED_WriteContactSheets)
{
    QString folder = qEnvironmentVariable("QUORVEL_ICON_SHEET_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp/quorvel-icons");
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::vector<Named> pictures = allPictures();
    const size_t half = (pictures.size() + 1) / 2;
    writeZoomSheet(pictures, 0, half, folder + QStringLiteral("/zoom-1.png"));
    writeZoomSheet(pictures, half, pictures.size(), folder + QStringLiteral("/zoom-2.png"));
    writeActualSheet(pictures, folder + QStringLiteral("/actual.png"));
    writeGridSheet(pictures, 64, 1, folder + QStringLiteral("/large.png"));
    writeGridSheet(pictures, 16, 4, folder + QStringLiteral("/small16.png"));
    writeGridSheet(pictures, 24, 3, folder + QStringLiteral("/small24.png"));
    ASSERT_TRUE(icons::splashPicture().save(folder + QStringLiteral("/splash.png")));
    QImage cursor(64, 64, QImage::Format_ARGB32_Premultiplied);
    cursor.fill(QColor(0x80, 0xA0, 0xC0));
    {
        QPainter p(&cursor);
        p.drawPixmap(0, 0, icons::helpCursor().pixmap().scaled(64, 64));
    }
    ASSERT_TRUE(cursor.save(folder + QStringLiteral("/cursor.png")));
}
