// The File menu's printing and sending commands in the main window: offered while a document
// window is active (Send only for a saved bee list or statistics file, and only with a mail
// hand-off), each opening what it should, and the print options in force from their OK on.

#include "app/application.h"
#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "config/settings_file.h"
#include "printing/sending.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"
#include "support/test_document.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using ui::DocumentKind;

class FakeMailSender final : public MailSender
{
public:
    bool available() const override { return isAvailable; }
    void send(const std::string& file, std::function<void(SendOutcome)> done) override
    {
        sent.push_back(file);
        done(outcome);
    }
    bool isAvailable = true;
    SendOutcome outcome;
    std::vector<std::string> sent;
};

class PrintCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage({ entry("CAT") }));
        StartupInfo info;
        ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    }
    void TearDown() override
    {
        if (runtime) {
            runtime->frame().setQuitConfirmed(true);
            runtime->frame().close();
        }
    }
    void start()
    {
        runtime = std::make_unique<ui::QuorvelRuntime>(
            folder.path(), ui::RuntimeServices { &prompter, &asker, &help, nullptr, &mail });
        ASSERT_TRUE(runtime->start());
    }
    ui::MainFrame& frame() { return runtime->frame(); }
    TestDocument* open(DocumentKind kind, const QString& title, std::string file = {})
    {
        auto* document = new TestDocument(kind, title, { QStringLiteral("CAT") }, std::move(file));
        QMdiSubWindow* child = frame().mdiArea()->addSubWindow(document);
        child->show();
        frame().mdiArea()->setActiveSubWindow(child);
        frame().refreshCommandStates();
        return document;
    }
    bool enabled(int id) { return frame().action(id)->isEnabled(); }

    TempFolder folder;
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    FakeMailSender mail;
    std::unique_ptr<ui::QuorvelRuntime> runtime;
};

TEST_F(PrintCommands, PrintingIsOfferedForAnActiveDocumentAndSendForASavedListOnly)
{
    start();
    const int printing[] = { command::kPrint, command::kPrintPreview, command::kPrintSetup };
    frame().refreshCommandStates();
    for (int id : printing)
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(enabled(command::kSend));
    EXPECT_TRUE(enabled(command::kPrintOptions)) << "the options need no document";

    const std::string saved = folder.file("cats.bee");
    writeBytes(saved, { 'C', 'A', 'T' });
    const struct
    {
        const char* name;
        DocumentKind kind;
        std::string file;
        bool send;
    } cases[] = {
        { "untitled bee list", DocumentKind::BeeList, "", false },
        { "scrap pad", DocumentKind::ScrapPad, saved, false },
        { "saved bee list", DocumentKind::BeeList, saved, true },
        { "statistics", DocumentKind::Statistics, saved, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.kind, QString::fromLatin1(c.name), c.file);
        for (int id : printing)
            EXPECT_TRUE(enabled(id)) << id;
        EXPECT_EQ(enabled(command::kSend), c.send);
    }

    // Without a mail hand-off Send is still offered for the saved window, and says so when run.
    mail.isAvailable = false;
    frame().refreshCommandStates();
    EXPECT_TRUE(enabled(command::kSend));

    // The scrap pad itself prints and is never sent.
    mail.isAvailable = true;
    frame().runCommand(command::kOpenScrapPad);
    ASSERT_NE(
        dynamic_cast<ui::DocumentWindow*>(frame().mdiArea()->activeSubWindow()->widget()), nullptr);
    EXPECT_EQ(ui::activeDocument(frame().mdiArea())->documentKind(), DocumentKind::ScrapPad);
    frame().refreshCommandStates();
    EXPECT_TRUE(enabled(command::kPrint));
    EXPECT_FALSE(enabled(command::kSend));

    // The preview sits beside Print on the File menu.
    QAction* preview = frame().action(command::kPrintPreview);
    auto* menu = qobject_cast<QMenu*>(preview->associatedObjects().constFirst());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    EXPECT_EQ(items[items.indexOf(preview) - 1], frame().action(command::kPrint));
}

TEST_F(PrintCommands, SendHandsTheActiveWindowsFileOnAndReportsARefusal)
{
    start();
    const std::string saved = folder.file("cats.bee");
    writeBytes(saved, { 'C', 'A', 'T' });
    open(DocumentKind::BeeList, QStringLiteral("cats.bee"), saved);
    frame().runCommand(command::kSend);
    EXPECT_EQ(mail.sent, (std::vector<std::string> { saved }));
    EXPECT_TRUE(prompter.shown.empty());

    mail.outcome = { SendOutcome::Kind::NoMailProgram, 3 };
    frame().runCommand(command::kSend);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, sendFailureText(mail.outcome, saved));
}

TEST_F(PrintCommands, PreviewAndSetUpOpenTheirDialogsAndTheOptionsApplyFromOk)
{
    start();
    open(DocumentKind::BeeList, QStringLiteral("cats.bee"));

    QString previewTitle;
    onNextModal([&](QWidget* w) {
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(w), nullptr);
        previewTitle = w->windowTitle();
        qobject_cast<QDialog*>(w)->reject();
    });
    frame().runCommand(command::kPrintPreview);
    EXPECT_EQ(previewTitle, "Print Preview - cats.bee");

    // The print dialog offers neither a selection nor a page range: the whole document prints.
    bool asked = false;
    onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_EQ(dialog->printer()->docName(), "cats.bee");
        dialog->reject();
    });
    frame().runCommand(command::kPrint);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(prompter.shown.empty()) << "a cancelled print dialog is no failure";

    bool setUp = false;
    onNextModal([&](QWidget* w) {
        setUp = qobject_cast<QPageSetupDialog*>(w) != nullptr;
        qobject_cast<QDialog*>(w)->reject();
    });
    frame().runCommand(command::kPrintSetup);
    EXPECT_TRUE(setUp);

    // No options stored: printing has its start values until the dialog's OK.
    EXPECT_EQ(runtime->session().printSettings, (PrintSettings { PrintSize::Normal, 22 }));
    onNextModal([&](QWidget* w) {
        typeInto(w->findChild<QLineEdit*>(QStringLiteral("marginBox")), QStringLiteral("50"));
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    frame().runCommand(command::kPrintOptions);
    EXPECT_EQ(runtime->session().printSettings, (PrintSettings { PrintSize::Normal, 50 }));
    EXPECT_EQ(runtime->settings().readString("Print options", "Left hand Margin", "-", 20), "50");
}

} // namespace
} // namespace quorvel::test
