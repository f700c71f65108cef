// "&Progress" on the Utilities menu: placed after the history report, open to every user, and
// opening the current user's Progress window in the client area (one per user).

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "progress/progress_window.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/progress_fixture.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(ProgressCommand, SitsAfterTheHistoryReportAndOpensOneWindowPerUser)
{
    TempFolder folder;
    folder.makeProgdata();
    writeStatusDictionary(folder.path());
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    writeHistory(folder.path(), 0, 5, { { drillSummary(10, 6, 1), 1765375385 } });
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    ui::MainFrame& frame = runtime.frame();

    QAction* progress = frame.action(command::kProgress);
    ASSERT_NE(progress, nullptr);
    ASSERT_FALSE(progress->associatedObjects().isEmpty());
    auto* menu = qobject_cast<QMenu*>(progress->associatedObjects().constFirst());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    const qsizetype at = items.indexOf(progress);
    ASSERT_GT(at, 0);
    EXPECT_EQ(items[at - 1], frame.action(command::kHistoryReport));
    frame.refreshCommandStates();
    EXPECT_TRUE(progress->isEnabled());

    frame.runCommand(command::kProgress);
    ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 1);
    auto* first = qobject_cast<ui::ProgressWindow*>(frame.mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->user(), 0);
    EXPECT_EQ(first->data().points.size(), 1u);
    EXPECT_EQ(first->data().statuses, kStatusesOfUser0);

    frame.runCommand(command::kProgress);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
    runtime.session().setCurrentUser(2);
    frame.runCommand(command::kProgress);
    ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 2);
    auto* second = qobject_cast<ui::ProgressWindow*>(frame.mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->user(), 2);
    EXPECT_EQ(second->data().history, HistoryReading::NoFile);
    EXPECT_EQ(second->data().statuses, kStatusesOfUser2);

    frame.setQuitConfirmed(true);
    frame.close();
}

} // namespace
} // namespace quorvel::test
