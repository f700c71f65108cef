// Context help: Shift+F1 switches it on and the next command opens its help instead of running;
// Escape leaves it; F1 opens the contents, or the page of the highlighted menu item.

#include "help/context_help_mode.h"
#include "icons/icons.h"
#include "support/fake_ui.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

class ContextHelp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qApp->installEventFilter(&mode);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override
    {
        qApp->removeEventFilter(&mode);
        mode.switchOff();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&window, key, modifiers);
    }

    FakeHelp help;
    ui::ContextHelpMode mode { help };
    QWidget window;
};

TEST_F(ContextHelp, ShiftF1ThenPrintOpensThePrintTopicAndPrintsNothing)
{
    press(Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(mode.isOn());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), ui::icons::helpCursor().shape());

    EXPECT_TRUE(mode.intercept(24337));
    EXPECT_EQ(help.contexts, std::vector<int> { 1622 });
    EXPECT_FALSE(mode.isOn());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The mode lasts for one command only.
    EXPECT_FALSE(mode.intercept(24337));
    EXPECT_EQ(help.contexts.size(), 1u);
}

TEST_F(ContextHelp, CommandWithoutATopicOpensTheContents)
{
    press(Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(mode.intercept(24310));
    EXPECT_EQ(help.contexts, std::vector<int> { 2001 });
}

TEST_F(ContextHelp, EscapeLeavesTheProgramAsBefore)
{
    press(Qt::Key_F1, Qt::ShiftModifier);
    press(Qt::Key_F1, Qt::ShiftModifier); // twice on still needs only one Escape
    press(Qt::Key_Escape);
    EXPECT_FALSE(mode.isOn());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(mode.intercept(24337));
    EXPECT_TRUE(help.contexts.empty());
    EXPECT_EQ(help.indexShown, 0);
}

TEST_F(ContextHelp, EscapeBelongsToTheWindowsWhileTheModeIsOff)
{
    QDialog dialog(&window);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    QTest::keyClick(&dialog, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(&dialog, Qt::Key_Escape); // ends the mode, not the dialog
    EXPECT_FALSE(mode.isOn());
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ContextHelp, F1OpensTheContentsAheadOfAnyShortcut)
{
    int shortcutRuns = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_F1), &window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++shortcutRuns; });

    press(Qt::Key_F1);
    EXPECT_EQ(help.indexShown, 1);
    EXPECT_EQ(shortcutRuns, 0);
    EXPECT_FALSE(mode.isOn());
    EXPECT_TRUE(help.contexts.empty());
}

TEST_F(ContextHelp, F1OnAHighlightedMenuItemOpensItsTopic)
{
    struct Case
    {
        int commandId; // 0: an item without a command, such as a submenu
        bool enabled;
        int opened; // the topic opened, 0 for the contents
    };
    for (const Case& c : { Case { 24337, true, 1622 }, Case { 233, false, 233 },
             Case { 24331, true, 1621 }, Case { 0, true, 0 } }) {
        help.contexts.clear();
        help.indexShown = 0;
        QMenu menu(&window);
        QAction* other = menu.addAction(QStringLiteral("Other"));
        other->setData(228);
        QAction* item = menu.addAction(QStringLiteral("Item"));
        if (c.commandId != 0)
            item->setData(c.commandId);
        item->setEnabled(c.enabled);
        menu.popup(window.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(item);
        // Some styles never highlight a greyed item; where one can be highlighted, it has help.
        if (!c.enabled && menu.activeAction() != item)
            continue;
        ASSERT_EQ(menu.activeAction(), item);

        QTest::keyClick(&menu, Qt::Key_F1);
        if (c.opened != 0) {
            EXPECT_EQ(help.contexts, std::vector<int> { c.opened }) << c.commandId;
            EXPECT_EQ(help.indexShown, 0);
            EXPECT_FALSE(menu.isVisible());
        } else {
            EXPECT_TRUE(help.contexts.empty());
            EXPECT_EQ(help.indexShown, 1);
        }
        EXPECT_FALSE(mode.isOn());
        menu.close();
    }
}

TEST(ContextHelpLifetime, EndingTheModeObjectRestoresTheCursor)
{
    FakeHelp help;
    {
        ui::ContextHelpMode mode(help);
        mode.switchOn();
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace quorvel::test
