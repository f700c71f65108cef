#include "common/fitting_label.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace quorvel::ui {
namespace {

int pixels(const FittingLabel& label)
{
    return QFontInfo(label.fittedFont()).pixelSize();
}

int widthOf(const FittingLabel& label, const QString& text)
{
    return QFontMetrics(label.fittedFont()).horizontalAdvance(text);
}

TEST(FittingLabel, TheWordGrowsWithTheLabelAndAlwaysFitsItsWidth)
{
    FittingLabel label;
    QFont font = label.font();
    font.setPixelSize(14);
    label.setFont(font);
    label.setText(QStringLiteral("ELEPHANT"));

    struct Case
    {
        QSize size;
    };
    int previous = 0;
    for (const Case& c : { Case { { 200, 40 } }, Case { { 400, 120 } }, Case { { 900, 300 } } }) {
        label.resize(c.size);
        const int now = pixels(label);
        EXPECT_GT(now, previous) << c.size.width() << "x" << c.size.height();
        EXPECT_LE(widthOf(label, label.text()), label.contentsRect().width());
        EXPECT_LE(QFontMetrics(label.fittedFont()).height(), label.contentsRect().height());
        previous = now;
    }
    EXPECT_GT(previous, 3 * 14) << "a big window shows the word in big type";

    // A 40-letter word in a narrow label is drawn smaller than the font's own size, not cut.
    const QString longWord(40, QLatin1Char('W'));
    label.setText(longWord);
    label.resize(QFontMetrics(font).horizontalAdvance(longWord) * 3 / 4, 40);
    EXPECT_LT(pixels(label), 14);
    EXPECT_LE(widthOf(label, longWord), label.contentsRect().width());

    // No text: the font's own size, and a new font is taken up at once.
    label.setText(QString());
    EXPECT_EQ(pixels(label), 14);
    font.setPixelSize(20);
    label.setFont(font);
    EXPECT_EQ(pixels(label), 20);
}

} // namespace
} // namespace quorvel::ui
