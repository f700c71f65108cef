// The "First time help" sheet: its five pages in order, the two drawn figures with their
// captions, and pale yellow paper with dark text even on a dark desktop.

#include "help/first_time_help.h"
#include "support/modal.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

int inkedPixels(const QImage& image, QColor paper)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != paper)
                ++count;
    return count;
}

QImage render(QWidget* widget)
{
    widget->resize(widget->sizeHint());
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(QColor(255, 255, 128));
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(FirstTimeHelp, FivePagesOnYellowPaperAndOkEndsIt)
{
    // A dark desktop: the tips must stay dark on yellow regardless.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);

    bool checked = false;
    onNextModal([&](QWidget* modal) {
        checked = true;
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("First time help"));
        auto* tabs = child<QTabWidget>(modal, "firstTimeHelpTabs");
        ASSERT_NE(tabs, nullptr);
        const QStringList captions { "Welcome", "Page 1", "Page 2", "Page 3", "Page 4" };
        ASSERT_EQ(tabs->count(), captions.size());
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_EQ(tabs->tabText(i), captions[i]);
            auto* scroller = qobject_cast<QScrollArea*>(tabs->widget(i));
            ASSERT_NE(scroller, nullptr);
            QWidget* page = scroller->widget();
            EXPECT_EQ(page->palette().color(QPalette::Window), QColor(255, 255, 128));
            EXPECT_TRUE(page->autoFillBackground());
            const auto labels = page->findChildren<QLabel*>(QStringLiteral("tipText"));
            ASSERT_EQ(labels.size(), 1);
            EXPECT_GT(labels[0]->text().size(), 200) << i;
            EXPECT_LT(labels[0]->palette().color(QPalette::WindowText).lightness(), 80);

            // Figures on Page 1 and Page 2 only, each with its caption.
            const auto figures = page->findChildren<ui::TipFigure*>();
            const auto caption = page->findChild<QLabel*>(QStringLiteral("tipFigureCaption"));
            if (i == 1 || i == 2) {
                ASSERT_EQ(figures.size(), 1);
                EXPECT_EQ(figures[0]->figure(), i);
                ASSERT_NE(caption, nullptr);
                EXPECT_EQ(caption->text(), QStringLiteral("Figure %1").arg(i));
            } else {
                EXPECT_TRUE(figures.isEmpty());
                EXPECT_EQ(caption, nullptr);
            }
        }
        auto* ok = child<QPushButton>(modal, "firstTimeHelpOk");
        ASSERT_NE(ok, nullptr);
        ok->click();
    });
    ui::runFirstTimeHelp(nullptr);
    QApplication::setPalette(before);
    EXPECT_TRUE(checked);
}

TEST(FirstTimeHelp, FiguresAreDrawnAndDiffer)
{
    ui::TipFigure one(1);
    ui::TipFigure two(2);
    const QImage a = render(&one);
    const QImage b = render(&two);
    const QColor paper(255, 255, 128);
    // Boxes, arrows and words cover a fair part of each figure.
    EXPECT_GT(inkedPixels(a, paper), a.width() * a.height() / 10);
    EXPECT_GT(inkedPixels(b, paper), b.width() * b.height() / 10);
    EXPECT_NE(a, b);
}

} // namespace
} // namespace quorvel::test
