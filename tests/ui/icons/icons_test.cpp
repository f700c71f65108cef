#include "icons/icons.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace icons = quorvel::ui::icons;

namespace {

// The command ids that have a button on one of the two tool bars.
const std::vector<int> kToolBarCommands = { 228, 229, 230, 231, 24331, 24332, 24333, 24339, 232,
    24337, 233, 234, 2001, 235, 274, 262, 24321, 24322, 24323, 24324, 24351, 24353 };

QPalette lightPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xF3, 0xF3, 0xF3));
    p.setColor(QPalette::WindowText, QColor(0x1B, 0x1B, 0x1B));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, QColor(0x1B, 0x1B, 0x1B));
    p.setColor(QPalette::Button, QColor(0xF3, 0xF3, 0xF3));
    p.setColor(QPalette::ButtonText, QColor(0x1B, 0x1B, 0x1B));
    return p;
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2E));
    p.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x21));
    p.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x38));
    p.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    return p;
}

// Sets the application palette for one test and puts the old one back.
class PaletteScope
{
public:
    explicit PaletteScope(const QPalette& palette)
        : m_saved(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~PaletteScope() { QApplication::setPalette(m_saved); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    QPalette m_saved;
};

QImage imageOf(const QIcon& icon, int side, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(side, side), 1.0, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int visiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

// The largest gap between the colour channels of any clearly visible pixel: 0 for pure greys.
int largestColourSpread(const QImage& image)
{
    int spread = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) < 128)
                continue;
            const int hi = std::max({ qRed(px), qGreen(px), qBlue(px) });
            const int lo = std::min({ qRed(px), qGreen(px), qBlue(px) });
            spread = std::max(spread, hi - lo);
        }
    }
    return spread;
}

} // namespace

TEST(CommandIcons, EveryToolBarButtonHasAPictureVisibleAtSmallAndLargeSizes)
{
    for (int id : kToolBarCommands) {
        SCOPED_TRACE(id);
        const QIcon icon = icons::commandIcon(id);
        ASSERT_FALSE(icon.isNull());
        for (int side : { 16, 48 }) {
            const QImage image = imageOf(icon, side);
            EXPECT_EQ(image.size(), QSize(side, side));
            // A picture should cover a fair part of its square, not a stray dot.
            EXPECT_GT(visiblePixels(image), side * side / 6) << side << " px";
        }
    }
}

TEST(CommandIcons, NoTwoButtonsShareAPicture)
{
    std::vector<std::pair<int, QImage>> images;
    for (int id : kToolBarCommands)
        images.emplace_back(id, imageOf(icons::commandIcon(id), 24));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i].second, images[j].second)
                << images[i].first << " and " << images[j].first;
}

TEST(CommandIcons, CommandsWithoutAButtonHaveNoPicture)
{
    for (int id : { 0, -1, 1, 238, 244, 1900, 24330, 24334, 2002, 99999 }) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(icons::commandIcon(id).isNull());
    }
}

TEST(CommandIcons, FollowTheLightOrDarkPalette)
{
    QImage onLight;
    QImage onDark;
    {
        PaletteScope scope(lightPalette());
        onLight = imageOf(icons::commandIcon(24331), 24);
    }
    {
        PaletteScope scope(darkPalette());
        onDark = imageOf(icons::commandIcon(24331), 24);
    }
    EXPECT_NE(onLight, onDark);
    // The page's left edge (the first solid pixel at mid-height) takes the palette's text colour:
    // dark on the light palette, light on the dark one.
    const auto leftEdge = [](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, 12)) >= 200)
                return qGray(image.pixel(x, 12));
        return -1;
    };
    EXPECT_GE(leftEdge(onLight), 0);
    EXPECT_LT(leftEdge(onLight), 100);
    EXPECT_GT(leftEdge(onDark), 150);
}

TEST(CommandIcons, DisabledPicturesAreGreyedButStillVisible)
{
    std::vector<QIcon> all;
    for (int id : kToolBarCommands)
        all.push_back(icons::commandIcon(id));
    all.push_back(icons::soundIcon(true));
    all.push_back(icons::listIcon(2));
    all.push_back(icons::languageIcon(0));
    all.push_back(icons::languageIcon(1));
    for (const QPalette& palette : { lightPalette(), darkPalette() }) {
        PaletteScope scope(palette);
        for (size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(i);
            const QImage normal = imageOf(all[i], 24);
            const QImage disabled = imageOf(all[i], 24, QIcon::Disabled);
            EXPECT_NE(normal, disabled);
            EXPECT_GT(visiblePixels(disabled), 24 * 24 / 6);
            EXPECT_LE(largestColourSpread(disabled), 6);
        }
    }
}

TEST(CommandIcons, HighResolutionPixmapsAreDrawnAtFullResolution)
{
    const QIcon icon = icons::commandIcon(24351);
    const QPixmap pixmap = icon.pixmap(QSize(24, 24), 2.0);
    EXPECT_EQ(pixmap.size(), QSize(48, 48));
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0);
    // Drawn, not blown up: the 48-pixel rendering shows detail a doubled 24-pixel one cannot.
    const QImage sharp = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage blown = imageOf(icon, 24).scaled(48, 48);
    EXPECT_NE(sharp, blown);
    EXPECT_GT(visiblePixels(sharp), 48 * 48 / 6);
}

TEST(StatusIcons, SoundListAndLanguagePicturesAreDistinct)
{
    const std::vector<std::pair<const char*, QIcon>> pictures = {
        { "sound on", icons::soundIcon(true) },
        { "sound off", icons::soundIcon(false) },
        { "dictionary list", icons::listIcon(1) },
        { "bee-file list", icons::listIcon(2) },
        { "scrap-pad list", icons::listIcon(3) },
        { "UK", icons::languageIcon(0) },
        { "US", icons::languageIcon(1) },
        { "application", icons::applicationIcon() },
    };
    std::vector<QImage> images;
    for (const auto& [name, icon] : pictures) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(icon.isNull());
        images.push_back(imageOf(icon, 16));
        EXPECT_GT(visiblePixels(images.back()), 16 * 16 / 6);
        EXPECT_GT(visiblePixels(imageOf(icon, 48)), 48 * 48 / 6);
    }
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << pictures[i].first << " and " << pictures[j].first;
}

TEST(StatusIcons, NoFlagKeepsItsPlaceButShowsNothing)
{
    const QIcon none = icons::languageIcon(2);
    ASSERT_FALSE(none.isNull());
    const QImage image = imageOf(none, 16);
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(visiblePixels(image), 0);
}

TEST(StatusIcons, ImagesOutsideTheirSetsHaveNoPicture)
{
    EXPECT_TRUE(icons::listIcon(0).isNull());
    EXPECT_TRUE(icons::listIcon(4).isNull());
    EXPECT_TRUE(icons::listIcon(-1).isNull());
    EXPECT_TRUE(icons::languageIcon(3).isNull());
    EXPECT_TRUE(icons::languageIcon(-1).isNull());
}

TEST(Splash, Is440By360WithTitleAndAClearCaptionBand)
{
    const QPixmap splash = icons::splashPicture();
    EXPECT_EQ(splash.deviceIndependentSize().toSize(), QSize(440, 360));
    const QImage image = splash.toImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = splash.devicePixelRatio();
    const auto darkPixelsIn = [&](int top, int bottom) {
        int dark = 0;
        for (int y = static_cast<int>(top * ratio); y < static_cast<int>(bottom * ratio); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 90 ? 1 : 0;
        return dark;
    };
    // The title is there in dark letters, and the band left for the caption is free of them.
    EXPECT_GT(darkPixelsIn(168, 232), 500);
    EXPECT_EQ(darkPixelsIn(318, 360), 0);
    // Opaque throughout, so nothing shows through from behind the start-up window.
    for (int y = 0; y < image.height(); y += 17)
        for (int x = 0; x < image.width(); x += 13)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
}

TEST(HelpCursor, IsAThirtyTwoPixelArrowWithItsHotSpotAtTheTip)
{
    const QCursor cursor = icons::helpCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
    const QPixmap pixmap = cursor.pixmap();
    EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(32, 32));
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int r = static_cast<int>(pixmap.devicePixelRatio());
    // The arrow body just inside the tip is dark and opaque; the far corner is empty.
    const QRgb nearTip = image.pixel(3 * r, 6 * r);
    EXPECT_EQ(qAlpha(nearTip), 255);
    EXPECT_LT(qGray(nearTip), 60);
    EXPECT_EQ(qAlpha(image.pixel(31 * r - 1, 0)), 0);
    EXPECT_GT(visiblePixels(image), 200 * r * r);
}
