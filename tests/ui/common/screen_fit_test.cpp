#include "common/screen_fit.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace quorvel::ui {
namespace {

// A dialog of `rows` fields, a hidden note and OK/Cancel, about 30 px a row.
struct TallDialog
{
    explicit TallDialog(int rows)
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (int i = 0; i < rows; ++i) {
            auto* field = new QLineEdit(&dialog);
            field->setObjectName(QStringLiteral("field%1").arg(i));
            field->setMinimumHeight(24);
            layout->addWidget(field);
        }
        hidden = new QLabel(QStringLiteral("shown only while recording"), &dialog);
        hidden->setVisible(false);
        layout->addWidget(hidden);
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
    }

    QScrollArea* scroller() const
    {
        return dialog.findChild<QScrollArea*>(QStringLiteral("screenFitScroller"));
    }

    QDialog dialog;
    QLabel* hidden = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

TEST(ScreenFit, OnlyADialogLargerThanTheRoomScrollsAndItIsFittedOnce)
{
    struct Case
    {
        int rows;
        QRect room;
        bool scrolls;
    };
    for (const Case& c : {
             Case { 5, { 0, 0, 1366, 768 }, false }, Case { 40, { 0, 0, 1920, 2000 }, false },
             Case { 40, { 0, 0, 683, 384 }, true }, // a 1366x768 screen at twice the scale
             Case { 5, { 0, 0, 120, 700 }, true }, // too narrow
         }) {
        TallDialog t(c.rows);
        QLayout* own = t.dialog.layout();
        EXPECT_EQ(fitDialogToScreen(t.dialog, c.room), c.scrolls) << c.rows << " rows";
        EXPECT_EQ(t.scroller() != nullptr, c.scrolls);
        if (!c.scrolls) {
            EXPECT_EQ(t.dialog.layout(), own);
            continue;
        }
        // Everything is still the dialog's, inside the scroll area, and the dialog fits.
        EXPECT_TRUE(t.scroller()->isAncestorOf(t.buttons));
        EXPECT_EQ(t.buttons->window(), &t.dialog);
        EXPECT_LE(t.dialog.width(), c.room.width());
        EXPECT_LE(t.dialog.height(), c.room.height());
        EXPECT_FALSE(fitDialogToScreen(t.dialog, c.room)) << "fitted twice";
    }
}

TEST(ScreenFit, MessageBoxesKeepTheirOwnLayout)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), QString(400, QLatin1Char('w')),
        QMessageBox::Ok);
    QLayout* own = box.layout();
    EXPECT_FALSE(fitDialogToScreen(box, QRect(0, 0, 100, 80)));
    EXPECT_EQ(box.layout(), own);
}

TEST(ScreenFit, AShownDialogFitsTheScreenAndStillWorks)
{
    DialogScreenFit fit;
    qApp->installEventFilter(&fit);
    const QRect room = QApplication::primaryScreen()->availableGeometry();
    TallDialog t(room.height() / 20);
    ASSERT_GT(t.dialog.sizeHint().height(), room.height());
    auto* third = t.dialog.findChild<QLineEdit*>(QStringLiteral("field2"));
    third->setFocus();
    t.dialog.show();
    qApp->removeEventFilter(&fit);
    QApplication::processEvents(); // the new layout places its widgets

    ASSERT_NE(t.scroller(), nullptr);
    EXPECT_LE(t.dialog.height(), room.height());
    EXPECT_TRUE(t.scroller()->isVisible());
    EXPECT_TRUE(t.dialog.findChild<QLineEdit*>(QStringLiteral("field0"))->isVisible());
    EXPECT_FALSE(t.hidden->isVisible()) << "a hidden part stays hidden";
    EXPECT_TRUE(t.buttons->isVisible());

    // The focus stays where the dialog put it, and Tab goes on to the next field.
    EXPECT_EQ(t.dialog.focusWidget(), third);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.dialog));
    QTest::keyClick(third, Qt::Key_Tab);
    EXPECT_EQ(
        QApplication::focusWidget(), t.dialog.findChild<QLineEdit*>(QStringLiteral("field3")));

    // The last button can be scrolled to and pressed; the dialog ends as it would unfitted.
    QPushButton* ok = t.buttons->button(QDialogButtonBox::Ok);
    t.scroller()->ensureWidgetVisible(ok);
    const QPoint where = ok->mapTo(t.scroller()->viewport(), QPoint(0, 0));
    EXPECT_GE(where.y(), 0);
    EXPECT_LE(where.y() + ok->height(), t.scroller()->viewport()->height());
    ok->click();
    EXPECT_EQ(t.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(t.dialog.isVisible());
}

} // namespace
} // namespace quorvel::ui
