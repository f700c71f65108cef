// "&Generate new user history file..." from the main window: greyed while the system menu is
// locked, and once access is granted it opens the dialog, which makes the file on disk.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "platform/paths.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(HistoryCommand, LockedUntilAccessThenMakesTheCurrentUsersFile)
{
    TempFolder folder;
    folder.makeProgdata();
    writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage({ entry("CAT") }));
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    info.setSystemPasswordOn(1);
    ASSERT_TRUE(SaveStartupInfo(info));
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    ui::MainFrame& frame = runtime.frame();
    const std::string file = paths::historyFile(folder.path(), '0');
    const auto before = fileExists(file) ? readBytes(file) : std::vector<std::uint8_t> {};

    // Locked: greyed, and running it opens nothing.
    frame.refreshCommandStates();
    EXPECT_FALSE(frame.action(command::kNewHistoryFile)->isEnabled());
    bool opened = false;
    onNextModal(
        [&](QWidget* dialog) {
            opened = true;
            dialog->close();
        },
        nullptr, 200);
    frame.runCommand(command::kNewHistoryFile);
    QTest::qWait(300);
    EXPECT_FALSE(opened);
    EXPECT_EQ(fileExists(file) ? readBytes(file) : std::vector<std::uint8_t> {}, before);

    runtime.session().systemAccessGranted = true;
    frame.refreshCommandStates();
    EXPECT_TRUE(frame.action(command::kNewHistoryFile)->isEnabled());

    // An open drop-down list of a tool-bar box does not stay open over the dialog.
    frame.categoryBox()->showPopup();
    QTest::qWait(20);
    EXPECT_TRUE(frame.categoryBox()->view()->isVisible());
    onNextModal([&](QWidget* dialog) {
        opened = true;
        EXPECT_FALSE(frame.categoryBox()->view()->isVisible());
        EXPECT_EQ(dialog->windowTitle(), strings::kHistoryDialogTitle);
        typeInto(child<QLineEdit>(dialog, "recordsEdit"), QStringLiteral("3"));
        child<QPushButton>(dialog, "generateButton")->click();
        child<QPushButton>(dialog, "okButton")->click();
    });
    frame.runCommand(command::kNewHistoryFile);
    EXPECT_TRUE(opened);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, strings::kHistoryWillBeLost);
    EXPECT_EQ(prompter.shown[1].text, strings::kHistoryCreated);
    EXPECT_EQ(readBytes(file).size(), 224u);

    frame.setQuitCheck([] { return true; });
    frame.close();
}

} // namespace
} // namespace quorvel::test
