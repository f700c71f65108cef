// "Open  Scrap Pa&d" in the running program: one scrap pad at most, the drill's failed words
// arriving at page 1's caret while it is open (and not in its file as well), a list made from a
// page showing as "Scrap Pad " in the status bar, and the close command putting it back.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "drill/spelling_bee_window.h"
#include "scrappad/scrap_pad_window.h"
#include "strings/app_strings.h"
#include "strings/scrap_pad_strings.h"
#include "support/drill_installation.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(ScrapPadCommand, OneScrapPadTakesTheDrillsFailuresAndMakesTheNextList)
{
    TempFolder folder;
    StartupInfo info;
    layOutDrillInstallation(folder, info, drillWords(), [](StartupInfo& i) {
        DisplaySetupRecord display = i.displaySetup(0);
        display.wordShowTime = "0";
        display.spellTime = "30";
        i.setDisplaySetup(0, display);
        i.setSoundOn(0, 0);
    });
    // Both page files exist, so a failure written to the file as well would show there.
    writeBytes(folder.file("progdata/spaduse0.pad"), {});
    writeBytes(folder.file("progdata/spadusp0.pad"), {});
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    ui::MainFrame& frame = runtime.frame();
    QMdiArea* area = frame.mdiArea();

    frame.runCommand(command::kOpenScrapPad);
    frame.runCommand(command::kOpenScrapPad);
    ASSERT_EQ(area->subWindowList().size(), 1);
    auto* pad = qobject_cast<ui::ScrapPadWindow*>(area->activeSubWindow()->widget());
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(runtime.session().documents.scrapPadOpen);
    EXPECT_FALSE(frame.action(command::kSave)->isEnabled());
    QTest::keyClicks(pad->page(0), "top");
    QTest::keyClick(pad->page(0), Qt::Key_Return);
    QTest::keyClicks(pad->page(0), "end");
    EXPECT_TRUE(frame.action(command::kSave)->isEnabled());
    QTextCursor caret = pad->page(0)->textCursor();
    caret.setPosition(4);
    pad->page(0)->setTextCursor(caret);

    // A drill with failures to the scrap pad: the first word spelt wrongly, the others right.
    std::string failed;
    bool driven = false;
    onNextModal([&](QWidget* dialog) {
        auto* w = qobject_cast<ui::SpellingBeeWindow*>(dialog);
        ASSERT_NE(w, nullptr);
        child<QPushButton>(w, "failuresButton")->click();
        child<QPushButton>(w, "startButton")->click();
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    return !w->carryingOut() && w->session().passRunning()
                        && w->session().pendingAction() == DrillAction::Present
                        && w->session().light() == 2;
                },
                5000));
            QTest::qWait(260);
            const std::string word = w->session().currentWord();
            if (i == 0)
                failed = word;
            auto* answer = child<QLineEdit>(w, "answerBox");
            QTest::keyClicks(
                answer, i == 0 ? QStringLiteral("wrongly") : QString::fromStdString(word));
            QTest::keyClick(answer, Qt::Key_Return);
        }
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !w->carryingOut() && !w->session().passRunning(); }, 5000));
        child<QPushButton>(w, "enterButton")->click(); // Quit
        driven = true;
    });
    frame.runCommand(command::kSpellingBee);
    ASSERT_TRUE(driven);
    ASSERT_FALSE(failed.empty());
    EXPECT_EQ(pad->page(0)->toPlainText(),
        QStringLiteral("top\n %1\nend").arg(QString::fromStdString(failed)));
    EXPECT_EQ(readBytes(folder.file("progdata/spaduse0.pad")).size(), 0u);

    // A list from page 1 is the next list, and the status bar says where it came from.
    caret.setPosition(0);
    pad->page(0)->setTextCursor(caret);
    frame.runCommand(command::kMakeList);
    EXPECT_TRUE(runtime.session().documents.scrapListMade);
    EXPECT_EQ(frame.statusText("listSourceField"), QString::fromLatin1(strings::kSourceScrapPad));

    // Closed without saving, the list is no longer the scrap pad's.
    prompter.answers = { MessageAnswer::No };
    frame.runCommand(command::kCloseActive);
    EXPECT_TRUE(area->subWindowList().isEmpty());
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, strings::kSaveScrapPadQuestion);
    EXPECT_FALSE(runtime.session().documents.scrapPadOpen);
    EXPECT_EQ(frame.statusText("listSourceField"), QString::fromLatin1(strings::kSourceDictionary));

    frame.setQuitConfirmed(true);
    frame.close();
}

} // namespace
} // namespace quorvel::test
