// "&Browse Dictionary" in the running program: a word sent with V reaches the end of page 1 of
// the open scrap pad (not its file), and the word the browser ends on is saved for next time.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "scrappad/scrap_pad_window.h"
#include "support/drill_installation.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/records.h"
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

TEST(BrowseCommand, VGoesToTheEndOfTheOpenScrapPadAndTheLastWordIsSaved)
{
    TempFolder folder;
    StartupInfo info;
    layOutDrillInstallation(folder, info, drillWords(), [](StartupInfo& i) {
        i.setSoundOn(0, 0);
        i.setBrowseWord(0, "CAT");
    });
    writeBytes(folder.file("progdata/spaduse0.pad"), {});
    writeBytes(folder.file("progdata/spadusp0.pad"), {});
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    ui::MainFrame& frame = runtime.frame();
    frame.runCommand(command::kOpenScrapPad);
    auto* pad = qobject_cast<ui::ScrapPadWindow*>(frame.mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(pad, nullptr);
    // The caret at the start of a page whose last line has no line end.
    QTest::keyClicks(pad->page(0), "top");
    QTextCursor caret = pad->page(0)->textCursor();
    caret.setPosition(0);
    pad->page(0)->setTextCursor(caret);

    bool driven = false;
    onNextModal([&](QWidget* dialog) {
        child<QPushButton>(dialog, "orderButton")->click();
        child<QPushButton>(dialog, "goButton")->click();
        EXPECT_EQ(child<QLineEdit>(dialog, "wordField")->text(), "DOG");
        child<QPushButton>(dialog, "scrapPadButton")->click();
        child<QPushButton>(dialog, "closeButton")->click();
        driven = true;
    });
    frame.runCommand(command::kBrowseDictionary);
    ASSERT_TRUE(driven);
    EXPECT_EQ(pad->page(0)->toPlainText(), "top\n DOG\n");
    EXPECT_TRUE(readBytes(folder.file("progdata/spaduse0.pad")).empty());
    EXPECT_EQ(savedRecord(folder.path()).browseWord(0), "DOG");
    EXPECT_TRUE(prompter.shown.empty());

    pad->page(0)->document()->setModified(false);
    runtime.frame().setQuitCheck([] { return true; });
    runtime.frame().close();
}

} // namespace
} // namespace quorvel::test
