// The help pages and the help window: every topic a user can reach has a page, every link of a
// page leads to a page, and the window and the help service open, follow and keep pages.

#include "help/help_contexts.h"
#include "help/help_window.h"
#include "support/modal.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using ui::HelpWindow;

QTextBrowser* browserOf(HelpWindow& window)
{
    return child<QTextBrowser>(&window, "helpBrowser");
}

TEST(HelpPages, EveryReachableTopicHasAPage)
{
    // Every command, through the context table.
    for (int command = 0; command <= 30000; ++command) {
        const int context = help::helpContextForCommand(command);
        ASSERT_TRUE(HelpWindow::hasPage(context))
            << "command " << command << " context " << context;
    }
    // Help buttons of dialogs and pages.
    for (int context : { 241, 242, 248, 253, 260, 262, 1900, 1901, 2001, 2002, 2009, 3200, 4350,
             5771, 5772, 5773, 5774 })
        EXPECT_TRUE(HelpWindow::hasPage(context)) << context;
    EXPECT_FALSE(HelpWindow::hasPage(9999));
    EXPECT_EQ(HelpWindow::pageUrl(9999), HelpWindow::pageUrl(2001));
}

TEST(HelpPages, LinksLeadToPagesAndEveryPageIsInTheContents)
{
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    const QRegularExpression page(QStringLiteral("^(\\d+)\\.html$"));
    QFile contentsFile(QStringLiteral(":/help/2001.html"));
    ASSERT_TRUE(contentsFile.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(contentsFile.readAll());

    const QStringList pages = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
    ASSERT_GE(pages.size(), 40);
    for (const QString& name : pages) {
        QFile file(QStringLiteral(":/help/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << name.toStdString();
        for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
            const QRegularExpressionMatch target = page.match(m.captured(1));
            ASSERT_TRUE(target.hasMatch())
                << name.toStdString() << ": " << m.captured(1).toStdString();
            EXPECT_TRUE(HelpWindow::hasPage(target.captured(1).toInt()))
                << name.toStdString() << " links to " << m.captured(1).toStdString();
        }
        // The wizard's dialog number shares the wizard's page, so the contents lists it once.
        if (name != QLatin1String("2001.html") && name != QLatin1String("1900.html")) {
            EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1\"").arg(name)))
                << name.toStdString() << " is missing from the contents";
        }
    }
}

TEST(HelpWindow, OpensPagesByContextAndFallsBackToTheContents)
{
    HelpWindow window;
    window.showContext(228);
    EXPECT_EQ(window.currentContext(), 228);
    EXPECT_FALSE(browserOf(window)->toPlainText().isEmpty());
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Spelling Bee")));

    window.showContext(12345);
    EXPECT_EQ(window.currentContext(), 2001);
    window.showContext(-1);
    EXPECT_EQ(window.currentContext(), 2001);
}

TEST(HelpWindow, FollowsLinksAndGoesBackAndForward)
{
    HelpWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* back = child<QPushButton>(&window, "helpBack");
    auto* forward = child<QPushButton>(&window, "helpForward");
    auto* contents = child<QPushButton>(&window, "helpContents");
    QTextBrowser* browser = browserOf(window);

    window.showContext(2009);
    EXPECT_FALSE(back->isEnabled());
    // Follow the first link of the page from the keyboard: Tab selects it, Enter opens it.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(window.currentContext(), 2001);
    EXPECT_TRUE(back->isEnabled());

    back->click();
    EXPECT_EQ(window.currentContext(), 2009);
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(window.currentContext(), 2001);

    window.showContext(228);
    QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window.currentContext(), 2001);
    window.showContext(230);
    contents->click();
    EXPECT_EQ(window.currentContext(), 2001);
}

TEST(HelpBrowser, OneWindowServesContextsIndexAndUsingHelp)
{
    QWidget owner;
    ui::HelpBrowser help(&owner);
    EXPECT_EQ(help.window(), nullptr);

    help.showContext(1622);
    HelpWindow* window = help.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->currentContext(), 1622);

    help.showIndex();
    EXPECT_EQ(window->currentContext(), 2001);
    help.showUsingHelp();
    EXPECT_EQ(window->currentContext(), 2002);
    EXPECT_EQ(help.window(), window);

    // Closed and asked for again: the same window comes back.
    window->close();
    help.showContext(248);
    EXPECT_EQ(help.window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentContext(), 248);
}

TEST(HelpBrowser, HelpFromAModalDialogIsUsableAndOutlivesTheDialog)
{
    QWidget owner;
    ui::HelpBrowser help(&owner);
    help.showContext(228);
    QPointer<HelpWindow> window = help.window();

    bool ran = false;
    {
        QDialog dialog(&owner);
        onNextModal([&](QWidget* modal) {
            ran = true;
            help.showContext(4350);
            // A child of the modal dialog is not blocked by it.
            EXPECT_EQ(window->parentWidget(), modal);
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(window->currentContext(), 4350);
            modal->close();
        });
        dialog.exec();
    }
    ASSERT_TRUE(ran);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentContext(), 4350);
}

} // namespace
} // namespace quorvel::test
