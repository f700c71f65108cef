// The bulk transfer from the window: the words of the active bee window's selection go into the
// current user's working category, and the report opens in a new text window.

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_desk.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "documents/document_editor.h"
#include "documents/text_document_window.h"
#include "platform/paths.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(TransferCommand, TheSelectionGoesInAndTheReportOpensInANewWindow)
{
    TempFolder folder;
    folder.makeProgdata();
    const std::string dictionary = paths::dictionaryFile(folder.path());
    writeBytes(dictionary, buildDictionaryImage({ entry("CAT") }));
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::QuorvelRuntime runtime(folder.path(), { &prompter, &asker, &help });
    ASSERT_TRUE(runtime.start());
    Session& session = runtime.session();
    session.systemAccessGranted = true;
    session.info.setWorkingCategory(session.currentUser(), 1);
    ui::MainFrame& frame = runtime.frame();
    auto* desk = frame.findChild<ui::DocumentDesk*>();
    ASSERT_NE(desk, nullptr);

    frame.refreshCommandStates();
    EXPECT_FALSE(frame.action(command::kTransfer)->isEnabled()) << "no bee window";

    ui::TextDocumentWindow* bee = desk->newBeeWindow();
    bee->editor()->setPlainText(QStringLiteral("zebra cat\nmoose ox cat"));
    QTextCursor cursor = bee->editor()->textCursor();
    cursor.setPosition(10);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    bee->editor()->setTextCursor(cursor);
    frame.refreshCommandStates();
    ASSERT_TRUE(frame.action(command::kTransfer)->isEnabled());

    QSignalSpy changed(&session, &Session::dictionaryChanged);
    bool shown = false;
    onNextModal([&](QWidget* dialog) {
        shown = true;
        child<QAbstractButton>(dialog, "transferButton")->click();
    });
    frame.runCommand(command::kTransfer);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(prompter.shown.empty()) << prompter.shown.front().text;

    QMdiSubWindow* active = frame.mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    auto* report = qobject_cast<ui::TextDocumentWindow*>(active->widget());
    ASSERT_NE(report, nullptr);
    ASSERT_NE(report, bee);
    EXPECT_EQ(report->documentTitle(), "Bulk transfer report - New bee list");
    const QString text = report->editor()->toPlainText();
    EXPECT_TRUE(text.startsWith("Report on status of Bulk transfer to Spelling Dictionary\n"
                                "Start Bulk transfer to Spelling Dictionary\n"
                                "Transferred to dictionary ok    = moose\n"
                                "Failed to transfer word        = ox\n"
                                "Already in dictionary          = cat\n"
                                "Stats Information\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Word count total                   =3\n")) << text.toStdString();
    EXPECT_GE(changed.count(), 1);

    DictionaryHandle file = openDictionaryFile(dictionary, false);
    ASSERT_TRUE(file);
    CurrentWordInfo word;
    ASSERT_TRUE(isFound(FindWord(*file, "MOOSE", word)));
    EXPECT_EQ(word.category(), 1);
    EXPECT_EQ(FindWord(*file, "ZEBRA", word), FindResult::NotFound) << "not selected";
    EXPECT_TRUE(checkDictionary(*file).ok);
    file.reset();

    for (QMdiSubWindow* w : frame.mdiArea()->subWindowList())
        if (auto* d = qobject_cast<ui::TextDocumentWindow*>(w->widget()))
            d->editor()->document()->setModified(false);
    frame.setQuitCheck([] { return true; });
    frame.close();
}

} // namespace
} // namespace quorvel::test
