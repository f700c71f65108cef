// Bee/text windows and statistics windows in the running program: opening (by name, with the
// dialog, from the recent files, by dropping), making a list that the drill then uses, saving in
// the file's own encoding and line ends, failed saves, the close question, Find, bad files
// refused without a trace, and the reports shown exactly as they are made.

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_desk.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "app/startup_sequence.h"
#include "common/monospace_font.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "documents/document_editor.h"
#include "documents/recent_files.h"
#include "documents/text_document_window.h"
#include "drill/spelling_bee_window.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "reports/reports.h"
#include "scrappad/scrap_pad_window.h"
#include "strings/document_strings.h"
#include "strings/report_strings.h"
#include "support/drill_installation.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quorvel::test {
namespace {

using ui::DocumentKind;
using ui::TextDocumentWindow;

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Types characters that have no key of their own on the test's keyboard (QTest types ASCII).
void typeText(QWidget* editor, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(editor, &press);
    }
}

// The program on the drill installation (user 0: lists of three words of 3 to 6 letters, no
// waits, sound off), with scripted message boxes and file dialogs and a fixed clock for reports.
struct Program
{
    TempFolder folder;
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    FakeClock clock;
    std::unique_ptr<ui::QuorvelRuntime> runtime;
    ui::DocumentDesk* desk = nullptr;

    Program()
    {
        StartupInfo info;
        layOutDrillInstallation(folder, info, drillWords(), [](StartupInfo& record) {
            DisplaySetupRecord display = record.displaySetup(0);
            display.wordShowTime = "0";
            display.spellTime = "30";
            record.setDisplaySetup(0, display);
            record.setSoundOn(0, 0);
        });
        runtime = std::make_unique<ui::QuorvelRuntime>(
            folder.path(), ui::RuntimeServices { &prompter, &asker, &help });
        EXPECT_TRUE(runtime->start());
        desk = frame().findChild<ui::DocumentDesk*>();
        EXPECT_NE(desk, nullptr);
        desk->setClock(&clock);
    }
    ~Program()
    {
        // Whatever a test left unsaved is let go without questions.
        for (QMdiSubWindow* w : frame().mdiArea()->subWindowList())
            if (auto* d = qobject_cast<TextDocumentWindow*>(w->widget()))
                d->editor()->document()->setModified(false);
        frame().setQuitCheck([] { return true; });
        frame().close();
    }
    ui::MainFrame& frame() { return runtime->frame(); }
    Session& session() { return runtime->session(); }
    QList<QMdiSubWindow*> windows() { return frame().mdiArea()->subWindowList(); }
    TextDocumentWindow* active()
    {
        QMdiSubWindow* w = frame().mdiArea()->activeSubWindow();
        return w ? qobject_cast<TextDocumentWindow*>(w->widget()) : nullptr;
    }
    bool enabled(int id)
    {
        frame().refreshCommandStates();
        return frame().action(id)->isEnabled();
    }
    // Runs the close command and lets the closed window go.
    void closeActive()
    {
        frame().runCommand(command::kCloseActive);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::string sample(const char* name)
    {
        return fixturePath(std::string("../../resources/beefiles/") + name);
    }
    std::vector<std::string> recent() { return RecentFiles::load(runtime->settings()).paths(); }
};

TEST(BeeWindow, ASampleFileMakesTheListThatTheDrillThenAsks)
{
    Program p;
    TextDocumentWindow* window = p.desk->openByName(p.sample("animals.bee"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->documentKind(), DocumentKind::BeeList);
    // The caption is the file's plain path, without the ".." it was named with.
    const std::string plain
        = std::filesystem::path(p.sample("animals.bee")).lexically_normal().string();
    EXPECT_EQ(window->documentTitle(), QString::fromStdString(plain));
    EXPECT_EQ(p.recent(), std::vector<std::string> { plain });
    EXPECT_TRUE(window->editor()->toPlainText().startsWith(QStringLiteral("rabbit\nbadger\n")));
    EXPECT_FALSE(window->modified());
    EXPECT_EQ(p.session().documents.beeWindowCount, 1);
    EXPECT_TRUE(p.enabled(command::kMakeList));

    // The caret is at the start: the first three words of 3 to 6 letters.
    p.frame().runCommand(command::kMakeList);
    EXPECT_TRUE(p.prompter.shown.empty());
    EXPECT_TRUE(p.session().documents.beeListMade);
    EXPECT_EQ(p.frame().statusText("listSourceField"), QStringLiteral("Bee File  "));
    EXPECT_EQ(p.frame().statusText("wordCountField"), QStringLiteral("3"));
    auto file = WordFile::open(p.folder.path(), 0, OpenMode::ReadOnly);
    ASSERT_TRUE(file);
    std::vector<WordFileEntry> listed;
    ASSERT_TRUE(file->readList(listed));
    file.reset();
    std::vector<std::string> words;
    for (const auto& e : listed)
        words.push_back(e.record.word);
    EXPECT_EQ(words, (std::vector<std::string> { "RABBIT", "BADGER", "BEAVER" }));

    // The drill takes that list as it is, and each word spelt right is marked so.
    std::vector<std::string> asked;
    onNextModal([&](QWidget* dialog) {
        auto* w = qobject_cast<ui::SpellingBeeWindow*>(dialog);
        ASSERT_NE(w, nullptr);
        auto* answer = child<QLineEdit>(w, "answerBox");
        child<QPushButton>(w, "startButton")->click();
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    return !w->carryingOut() && w->session().passRunning()
                        && w->session().pendingAction() == DrillAction::Present
                        && w->session().light() == 2;
                },
                5000));
            asked.push_back(w->session().currentWord());
            QTest::qWait(260);
            QTest::keyClicks(answer, QString::fromStdString(asked.back()).toLower());
            QTest::keyClick(answer, Qt::Key_Return);
        }
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !w->carryingOut() && !w->session().passRunning(); }, 5000));
        child<QPushButton>(w, "enterButton")->click();
    });
    p.frame().runCommand(command::kSpellingBee);
    EXPECT_EQ(asked, words);
    file = WordFile::open(p.folder.path(), 0, OpenMode::ReadOnly);
    ASSERT_TRUE(file && file->readList(listed));
    for (const auto& e : listed)
        EXPECT_EQ(e.record.result, 1) << e.record.word;
}

// However small the area, every new window lies inside it, title bar and all: none is placed
// where it cannot be seen or dragged.
TEST(BeeWindow, NewWindowsStayInsideASmallArea)
{
    Program p;
    p.frame().showNormal();
    p.frame().resize(520, 380);
    QCoreApplication::processEvents();
    const QRect area = p.frame().mdiArea()->viewport()->rect();
    ASSERT_LT(area.height(), 300);
    for (int i = 0; i < 4; ++i) {
        p.desk->newBeeWindow();
        const QRect placed = p.frame().mdiArea()->activeSubWindow()->geometry();
        EXPECT_TRUE(area.contains(placed.topLeft())) << i;
        EXPECT_LE(placed.right(), area.right()) << i;
        EXPECT_LE(placed.bottom(), area.bottom()) << i;
    }
}

TEST(BeeWindow, MakeListResultsAndTheListFlagWithTwoWindows)
{
    Program p;
    TextDocumentWindow* first = p.desk->newBeeWindow();
    // Nothing fits: the message of the table, and the status says Dictionary.
    first->editor()->setPlainText(QStringLiteral("a an"));
    p.frame().runCommand(command::kMakeList);
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].caption, strings::kNoListProduced);
    EXPECT_EQ(p.prompter.shown[0].text, strings::kUnableToProduceList);
    EXPECT_EQ(p.prompter.shown[0].icon, MessageIcon::Question);
    EXPECT_FALSE(p.session().documents.beeListMade);
    EXPECT_EQ(p.frame().statusText("listSourceField"), QStringLiteral("Dictionary"));

    // With a selection only its words count (and the character right after it).
    first->editor()->setPlainText(QStringLiteral("cat dog mouse horse"));
    QTextCursor c = first->editor()->textCursor();
    c.setPosition(4);
    c.setPosition(13, QTextCursor::KeepAnchor);
    first->editor()->setTextCursor(c);
    p.frame().runCommand(command::kMakeList);
    EXPECT_TRUE(p.session().documents.beeListMade);
    EXPECT_EQ(p.frame().statusText("wordCountField"), QStringLiteral("2"));

    // Closing one of two bee windows keeps the list's source; closing the last clears it.
    p.desk->newBeeWindow();
    EXPECT_EQ(p.session().documents.beeWindowCount, 2);
    p.closeActive();
    EXPECT_EQ(p.session().documents.beeWindowCount, 1);
    EXPECT_TRUE(p.session().documents.beeListMade);
    p.closeActive();
    EXPECT_EQ(p.session().documents.beeWindowCount, 0);
    EXPECT_FALSE(p.session().documents.beeListMade);
    EXPECT_TRUE(p.windows().isEmpty());
    EXPECT_EQ(p.frame().statusText("listSourceField"), QStringLiteral("Dictionary"));
}

TEST(BeeWindow, SavingKeepsTheFilesEncodingAndLineEnds)
{
    struct Case
    {
        const char* name;
        std::string bytes; // as found
        std::string added; // "é!" typed at the end, as the file holds it
    };
    const Case cases[] = {
        { "utf8-lf.bee", "caf\xC3\xA9\nzebra", "\xC3\xA9!" },
        { "cp1252-crlf.txt", "caf\xE9\r\nzebra", "\xE9!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        const std::string path = p.folder.file(c.name);
        writeText(path, c.bytes);
        TextDocumentWindow* w = p.desk->openByName(path);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(p.enabled(command::kSave));
        w->editor()->moveCursor(QTextCursor::End);
        typeText(w->editor(), QString::fromUtf8("\xC3\xA9!"));
        EXPECT_TRUE(w->modified());
        EXPECT_TRUE(p.enabled(command::kSave));
        p.frame().runCommand(command::kSave);
        EXPECT_TRUE(p.prompter.shown.empty());
        EXPECT_FALSE(w->modified());
        EXPECT_EQ(fileText(path), c.bytes + c.added);

        // Save As writes the same bytes under the new name, which the window and the recent
        // files then carry.
        const std::string copy = p.folder.file(std::string("copy-") + c.name);
        p.asker.saveDocuments.push_back({ copy, 0 });
        p.frame().runCommand(command::kSaveAs);
        EXPECT_EQ(fileText(copy), c.bytes + c.added);
        EXPECT_EQ(w->path(), copy);
        EXPECT_EQ(w->documentTitle(), QString::fromStdString(copy));
        ASSERT_FALSE(p.recent().empty());
        EXPECT_EQ(p.recent().front(), copy);
        EXPECT_EQ(p.asker.documentQuestions.back().start, path);
    }
}

TEST(BeeWindow, ANewWindowIsSavedAsUtf8AndAFileWithAZeroShowsTheTextBeforeIt)
{
    Program p;
    p.frame().runCommand(command::kNewBeeFile);
    TextDocumentWindow* w = p.active();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->documentTitle(), QString::fromLatin1(strings::kNewBeeList));
    EXPECT_TRUE(w->untitled());
    EXPECT_TRUE(w->attachableFile().empty());
    typeText(w->editor(), QString::fromUtf8("na\xC3\xAFve"));
    QTest::keyClick(w->editor(), Qt::Key_Return);
    // Save of an untitled window asks for a name, starting in mydata/beefiles.
    const std::string path = p.folder.file("new.bee");
    p.asker.saveDocuments.push_back({ path, 0 });
    p.frame().runCommand(command::kSave);
    EXPECT_EQ(fileText(path), "na\xC3\xAFve\n");
    EXPECT_EQ(p.asker.documentQuestions.back().start,
        paths::beeFilesFolder(p.session().info.dictionaryFolder()));
    EXPECT_EQ(p.asker.documentQuestions.back().defaultSuffix, "bee");
    EXPECT_EQ(w->attachableFile(), path);

    const std::string zero = p.folder.file("zero.txt");
    writeText(zero, std::string("one\r\ntwo\0\0\0", 11));
    TextDocumentWindow* z = p.desk->openByName(zero);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->editor()->toPlainText(), QStringLiteral("one\ntwo"));
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].icon, MessageIcon::Information);
    // Unchanged, Save writes nothing.
    p.frame().runCommand(command::kSave);
    EXPECT_EQ(fileText(zero).size(), 11u);
}

TEST(BeeWindow, AFailedSaveKeepsTheOldFileAndTheChanges)
{
    struct Case
    {
        const char* name;
        FileOp op;
        int error;
        const char* reason;
    };
    const Case cases[] = {
        { "folder not writable", FileOp::Open, EACCES, strings::kTextFolderNotWritable },
        { "disk full", FileOp::Write, ENOSPC, strings::kTextDiskFull },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        const std::string path = p.folder.file("list.bee");
        writeText(path, "apple\npear\n");
        TextDocumentWindow* w = p.desk->openByName(path);
        ASSERT_NE(w, nullptr);
        w->editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(w->editor(), QStringLiteral("plum"));
        const auto listing = [&] {
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(p.folder.path()))
                names.push_back(e.path().filename().string());
            std::sort(names.begin(), names.end());
            return names;
        };
        const std::vector<std::string> before = listing();
        FileFaults::failNth(c.op, 1, 1, c.error);
        p.frame().runCommand(command::kSave);
        FileFaults::reset();
        ASSERT_EQ(p.prompter.shown.size(), 1u);
        const std::string& text = p.prompter.shown[0].text;
        EXPECT_EQ(text.rfind("Unable to write file " + path + " to disk.", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_EQ(p.prompter.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(fileText(path), "apple\npear\n");
        EXPECT_TRUE(w->modified());
        EXPECT_EQ(p.windows().size(), 1);
        // No temporary file is left beside it.
        EXPECT_EQ(listing(), before);
    }
}

TEST(BeeWindow, TheCloseQuestionsThreeAnswers)
{
    struct Case
    {
        MessageAnswer answer;
        bool closed;
        bool saved;
    };
    for (const Case& c :
        { Case { MessageAnswer::Yes, true, true }, Case { MessageAnswer::No, true, false },
            Case { MessageAnswer::Cancel, false, false } }) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        Program p;
        TextDocumentWindow* w = p.desk->newBeeWindow();
        QTest::keyClicks(w->editor(), QStringLiteral("words"));
        const std::string path = p.folder.file("closing.bee");
        p.asker.saveDocuments.push_back({ path, 0 });
        p.prompter.answers = { c.answer };
        // The close box goes through the close command.
        p.windows().first()->close();
        QTest::qWait(20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(p.prompter.shown.size(), 1u);
        EXPECT_EQ(p.prompter.shown[0].text,
            "The text in the New bee list file has changed.\n\nDo you want to save the changes?");
        EXPECT_EQ(p.prompter.shown[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(p.windows().isEmpty(), c.closed);
        EXPECT_EQ(p.session().documents.beeWindowCount, c.closed ? 0 : 1);
        EXPECT_EQ(fileExists(path), c.saved);
    }
}

TEST(BeeWindow, QuittingAsksEachChangedWindowFirst)
{
    Program p;
    TextDocumentWindow* w = p.desk->newBeeWindow();
    QTest::keyClicks(w->editor(), QStringLiteral("words"));
    p.frame().setQuitCheck([] { return true; });
    p.prompter.answers = { MessageAnswer::Cancel };
    EXPECT_FALSE(p.frame().close());
    EXPECT_EQ(p.windows().size(), 1);
    EXPECT_TRUE(w->modified());
}

TEST(BeeWindow, OverwriteModeLightsTheIndicatorOfTheActiveWindow)
{
    Program p;
    auto* ovr = p.frame().findChild<QLabel*>(QStringLiteral("overtypeIndicator"));
    ASSERT_NE(ovr, nullptr);
    TextDocumentWindow* first = p.desk->newBeeWindow();
    first->editor()->setPlainText(QStringLiteral("spell"));
    first->editor()->moveCursor(QTextCursor::Start);
    QTest::keyClick(first->editor(), Qt::Key_Insert);
    EXPECT_TRUE(ovr->isEnabled());
    QTest::keyClicks(first->editor(), QStringLiteral("SP"));
    EXPECT_EQ(first->editor()->toPlainText(), QStringLiteral("SPell"));
    // Another window inserts: the indicator follows the active one.
    p.desk->newBeeWindow();
    EXPECT_FALSE(ovr->isEnabled());
    p.frame().mdiArea()->setActiveSubWindow(p.windows().first());
    EXPECT_TRUE(ovr->isEnabled());

    // In the scrap pad the indicator follows the page that has the focus.
    p.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.frame()));
    p.frame().runCommand(command::kOpenScrapPad);
    ui::ScrapPadWindow* pad = ui::findScrapPad(p.frame().mdiArea());
    ASSERT_NE(pad, nullptr);
    EXPECT_FALSE(ovr->isEnabled());
    QTest::keyClick(pad->page(1), Qt::Key_Insert);
    EXPECT_FALSE(ovr->isEnabled()); // page 1 is still the current page
    QTest::keyClick(pad->page(0), Qt::Key_Tab);
    ASSERT_EQ(pad->currentPage(), 1);
    EXPECT_TRUE(ovr->isEnabled());
    QTest::keyClick(pad->page(1), Qt::Key_Insert);
    EXPECT_FALSE(ovr->isEnabled());
    QTest::keyClick(pad->page(1), Qt::Key_Insert);
    EXPECT_TRUE(ovr->isEnabled());
    // Away to the second (inserting) bee window and back, both pages overwriting now.
    QTest::keyClick(pad->page(0), Qt::Key_Insert);
    p.frame().mdiArea()->setActiveSubWindow(p.windows()[1]);
    EXPECT_FALSE(ovr->isEnabled());
    p.frame().mdiArea()->setActiveSubWindow(p.windows()[2]);
    EXPECT_TRUE(ovr->isEnabled());
}

TEST(BeeWindow, FindNextAndTheEditingCommandsEnabling)
{
    Program p;
    TextDocumentWindow* w = p.desk->newBeeWindow();
    w->editor()->setPlainText(QStringLiteral("zebra and zebu"));
    w->editor()->document()->setModified(false);
    EXPECT_FALSE(p.enabled(command::kFindNext));
    EXPECT_FALSE(p.enabled(command::kCut));
    EXPECT_FALSE(p.enabled(command::kCopy));
    EXPECT_FALSE(p.enabled(command::kDelete));
    EXPECT_TRUE(p.enabled(command::kFind));
    EXPECT_TRUE(p.enabled(command::kClearAll));

    EXPECT_FALSE(w->findNext({ QStringLiteral("lion"), false, false }));
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text, "Cannot find \"lion\".");
    // F3 repeats the last search.
    EXPECT_TRUE(p.enabled(command::kFindNext));
    w->findNext({ QStringLiteral("zeb"), false, false });
    EXPECT_EQ(w->editor()->textCursor().selectionStart(), 0);
    p.frame().runCommand(command::kFindNext);
    EXPECT_EQ(w->editor()->textCursor().selectionStart(), 10);
    EXPECT_TRUE(p.enabled(command::kCut));
    EXPECT_TRUE(p.enabled(command::kDelete));
    p.frame().runCommand(command::kDelete);
    EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("zebra and u"));
    EXPECT_TRUE(p.enabled(command::kUndo));
    p.frame().runCommand(command::kUndo);
    EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("zebra and zebu"));
    p.frame().runCommand(command::kSelectAll);
    p.frame().runCommand(command::kCopy);
    EXPECT_TRUE(p.enabled(command::kPaste));
    p.frame().runCommand(command::kClearAll);
    EXPECT_TRUE(w->editor()->toPlainText().isEmpty());
    p.frame().runCommand(command::kPaste);
    EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("zebra and zebu"));

    // The Find dialog searches from its own field.
    p.frame().runCommand(command::kFind);
    auto* dialog = p.frame().findChild<QDialog*>(QStringLiteral("findDialog"));
    ASSERT_NE(dialog, nullptr);
    child<QLineEdit>(dialog, "findText")->setText(QStringLiteral("and"));
    child<QPushButton>(dialog, "findNextButton")->click();
    EXPECT_EQ(w->editor()->textCursor().selectedText(), QStringLiteral("and"));
    dialog->close();
}

// The bee window's editor and both scrap pad pages show the same commands.
TEST(BeeWindow, TheContextMenuHoldsTheMainWindowsCommands)
{
    Program p;
    TextDocumentWindow* w = p.desk->newBeeWindow();
    ui::ScrapPadWindow* pad = p.desk->openScrapPad();
    ASSERT_NE(pad, nullptr);
    const int ids[]
        = { command::kMakeList, command::kTransfer, command::kUndo, command::kCut, command::kCopy,
              command::kPaste, command::kSelectAll, command::kClearAll, command::kDelete };
    for (ui::DocumentEditor* editor : { w->editor(), pad->page(0), pad->page(1) }) {
        SCOPED_TRACE(editor->objectName().toStdString());
        std::unique_ptr<QMenu> menu(editor->makeContextMenu(nullptr));
        QList<QAction*> items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                items.append(a);
        ASSERT_EQ(items.size(), static_cast<qsizetype>(std::size(ids)));
        for (std::size_t i = 0; i < std::size(ids); ++i)
            EXPECT_EQ(items[qsizetype(i)], p.frame().action(ids[i])) << ids[i];
    }
}

TEST(BeeWindow, BadFilesAreRefusedAndChangeNothing)
{
    Program p;
    const std::string binary = p.folder.file("picture.bee");
    writeText(binary,
        std::string("\x7f"
                    "ELF\x02\x01\x01\0\0\0\0",
            11));
    const std::string huge = p.folder.file("huge.txt");
    writeText(huge, "");
    std::filesystem::resize_file(huge, std::uintmax_t(200) << 20);
    const std::string gone = p.folder.file("gone.bee");
    const std::string folder = p.folder.file("mydata");
    struct Case
    {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        { binary, strings::kTextFileNotText },
        { huge, "larger than 64 MB" },
        { gone, strings::kTextFileMissing },
        { folder, strings::kTextFileIsFolder },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        p.prompter.shown.clear();
        EXPECT_EQ(p.desk->openByName(c.path), nullptr);
        ASSERT_EQ(p.prompter.shown.size(), 1u);
        const std::string& text = p.prompter.shown[0].text;
        EXPECT_EQ(text.rfind("Unable to read file " + c.path + " from disk.", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_TRUE(p.windows().isEmpty());
        EXPECT_EQ(p.session().documents.beeWindowCount, 0);
        EXPECT_TRUE(p.recent().empty());
    }
}

TEST(BeeWindow, RecentFilesKeepEightAndDropOneThatVanished)
{
    Program p;
    std::vector<std::string> files;
    for (int i = 1; i <= 9; ++i) {
        files.push_back(p.folder.file("list" + std::to_string(i) + ".bee"));
        writeText(files.back(), "word\n");
        ASSERT_NE(p.desk->openByName(files.back()), nullptr);
    }
    const std::vector<std::string> expected(files.rbegin(), files.rbegin() + 8);
    EXPECT_EQ(p.recent(), expected);
    auto* entry = p.frame().findChild<QAction*>(QStringLiteral("recentFile1"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text().toStdString(), "&1 " + files[8]);
    EXPECT_EQ(p.frame().findChild<QAction*>(QStringLiteral("recentFile9")), nullptr);

    // Choosing an entry opens it again.
    p.frame().findChild<QAction*>(QStringLiteral("recentFile3"))->trigger();
    ASSERT_NE(p.active(), nullptr);
    EXPECT_EQ(p.active()->path(), files[6]);
    EXPECT_EQ(p.recent().front(), files[6]);

    // A file deleted since: a message, no window, and the entry is gone from the menu.
    std::filesystem::remove(files[8]);
    const qsizetype open = p.windows().size();
    p.frame().findChild<QAction*>(QStringLiteral("recentFile2"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text,
        "The file " + files[8]
            + " is no longer there. It has been taken off the list of recent files.");
    EXPECT_EQ(p.windows().size(), open);
    EXPECT_EQ(p.recent().size(), 7u);
    for (int i = 1; i <= 7; ++i) {
        auto* a = p.frame().findChild<QAction*>(QStringLiteral("recentFile%1").arg(i));
        ASSERT_NE(a, nullptr);
        EXPECT_NE(a->data().toString().toStdString(), files[8]);
    }
}

TEST(BeeWindow, TheOpenDialogsFilterOrderAndTheChoiceKeptForTheNextStart)
{
    Program p;
    const std::string path = p.folder.file("story.txt");
    writeText(path, "once upon a time\n");
    p.asker.openDocuments.push_back({ path, 2 });
    p.frame().runCommand(command::kOpenBeeFile);
    ASSERT_EQ(p.asker.documentQuestions.size(), 1u);
    const ui::DocumentFileQuestion& q = p.asker.documentQuestions[0];
    EXPECT_EQ(q.filters, "(*.BEE *.bee);;Text Files(*.TXT *.txt);;All Files(*)");
    EXPECT_EQ(q.filter, 1);
    EXPECT_EQ(q.start, paths::beeFilesFolder(p.session().info.dictionaryFolder()));
    ASSERT_NE(p.active(), nullptr);
    EXPECT_EQ(p.active()->path(), path);
    EXPECT_EQ(p.frame().filterPosition(), 2);

    // Quitting puts text files first for the next start.
    p.frame().setQuitCheck({});
    p.frame().setQuitCheck([&] {
        return CanQuit(p.session(), p.runtime->settings(), p.prompter, p.frame().filterPosition());
    });
    p.prompter.answers = { MessageAnswer::Yes };
    ASSERT_TRUE(p.frame().close());
    EXPECT_EQ(p.runtime->settings().readString("Startup", "File extension", "", 40),
        std::to_string(settings::kTextFilesFirst));
}

TEST(BeeWindow, FilesDroppedOnTheMainWindowOpenInOrder)
{
    Program p;
    const std::string a = p.folder.file("a.bee"), b = p.folder.file("b.txt");
    writeText(a, "ant\n");
    writeText(b, "bee\n");
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QString::fromStdString(a)),
        QUrl::fromLocalFile(QString::fromStdString(b)) });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&p.frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&p.frame(), &drop);
    ASSERT_EQ(p.windows().size(), 2);
    EXPECT_EQ(qobject_cast<TextDocumentWindow*>(p.windows()[0]->widget())->path(), a);
    EXPECT_EQ(qobject_cast<TextDocumentWindow*>(p.windows()[1]->widget())->path(), b);
    EXPECT_EQ(p.session().documents.beeWindowCount, 2);
}

TEST(BeeWindow, FilesDroppedOnAScrapPadPageOpenAsBeeWindows)
{
    Program p;
    const std::string a = p.folder.file("a.bee");
    writeText(a, "ant\n");
    ui::ScrapPadWindow* pad = p.desk->openScrapPad();
    ASSERT_NE(pad, nullptr);
    QWidget* page = pad->page(1)->viewport();
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QString::fromStdString(a)) });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &drop);
    ASSERT_EQ(p.windows().size(), 2);
    EXPECT_EQ(p.active()->path(), a);
    EXPECT_EQ(p.session().documents.beeWindowCount, 1);
    // The file's name is not typed onto the page.
    EXPECT_TRUE(pad->page(1)->toPlainText().isEmpty());
    EXPECT_FALSE(pad->isModified());
}

// --- Statistics windows ---------------------------------------------------------------------

TEST(StatisticsWindow, ShowsEachReportAsItIsMade)
{
    Program p;
    // A list to report on.
    TextDocumentWindow* bee = p.desk->newBeeWindow();
    bee->editor()->setPlainText(QStringLiteral("cat dog owl"));
    p.frame().runCommand(command::kMakeList);
    p.session().systemAccessGranted = true;

    struct Case
    {
        int command;
        ReportKind kind;
    };
    const Case cases[] = {
        { command::kLastList, ReportKind::LastList },
        { command::kLastListAttempts, ReportKind::LastListWithAttempts },
        { command::kDictionaryReport, ReportKind::Dictionary },
        { command::kDictionaryStatus, ReportKind::DictionaryStatus },
        { command::kHistoryReport, ReportKind::History },
        { command::kSelectedHistory, ReportKind::SelectedHistory },
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(p.enabled(c.command));
        p.frame().runCommand(c.command);
        TextDocumentWindow* w = p.active();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->documentKind(), DocumentKind::Statistics);
        EXPECT_EQ(w->documentTitle(), QStringLiteral("%1 Stats Window").arg(++number));
        EXPECT_EQ(w->path(), paths::statsFile(p.session().info.dataFolder()));
        EXPECT_FALSE(w->modified());
        EXPECT_TRUE(ui::hasEqualAdvances(w->editor()->font()));
        EXPECT_EQ(w->editor()->document()->defaultFont(), w->editor()->font());
        EXPECT_EQ(w->printFont(), w->editor()->font());
        const ReportResult made = makeReport(p.session().info, { c.kind, 0, 0 }, p.clock);
        ASSERT_TRUE(made) << made.message;
        QString expected = QString::fromStdString(made.report.text());
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(w->editor()->toPlainText(), expected);
        EXPECT_EQ(w->printLines(), expected.split(QLatin1Char('\n')));
    }
    EXPECT_TRUE(p.prompter.shown.empty());
}

TEST(StatisticsWindow, SavedReportIsWhatViewLastSavedShows)
{
    Program p;
    p.frame().runCommand(command::kViewStats);
    TextDocumentWindow* empty = p.active();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->editor()->toPlainText(), QString::fromLatin1(strings::kNoStatsFile));
    EXPECT_FALSE(empty->modified());

    p.frame().runCommand(command::kHistoryReport);
    TextDocumentWindow* history = p.active();
    ASSERT_NE(history, nullptr);
    const QString shown = history->editor()->toPlainText();
    // Saving an unchanged report writes nothing; a change is saved with the report's CRLF lines.
    QTest::keyClicks(history->editor(), QStringLiteral("Note "));
    p.frame().runCommand(command::kSave);
    const std::string saved = fileText(paths::statsFile(p.session().info.dataFolder()));
    QString expected = QStringLiteral("Note ") + shown;
    expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    EXPECT_EQ(QString::fromStdString(saved), expected);

    p.frame().runCommand(command::kViewStats);
    ASSERT_NE(p.active(), nullptr);
    EXPECT_EQ(p.active()->editor()->toPlainText(), QStringLiteral("Note ") + shown);
    EXPECT_EQ(p.active()->documentTitle(), QStringLiteral("3 Stats Window"));
}

TEST(StatisticsWindow, AllHistoryReportsOpenOneWindowPerUserAndKeepTheChoice)
{
    Program p;
    p.session().systemAccessGranted = true;
    p.session().choices.historyUser = { 0, 0, 1, 0, 0, 0, 0, 0, 0, 0 };
    p.frame().runCommand(command::kAllHistory);
    QList<QMdiSubWindow*> windows = p.windows();
    ASSERT_EQ(windows.size(), kUserSlots);
    // User 0 has drills; the others have no history file, which each window reports.
    auto* first = qobject_cast<TextDocumentWindow*>(windows[0]->widget());
    const ReportResult made
        = makeReport(p.session().info, { ReportKind::SelectedHistory, 0, 0 }, p.clock);
    EXPECT_EQ(first->editor()->toPlainText(),
        QString::fromStdString(made.report.text()).replace("\r\n", "\n"));
    EXPECT_EQ(p.prompter.shown.size(), 9u);
    EXPECT_EQ(p.session().choices.historyUser,
        (std::array<std::uint16_t, kUserSlots> { 0, 0, 1, 0, 0, 0, 0, 0, 0, 0 }));
    // Close All closes every one of them.
    p.frame().runCommand(command::kCloseAll);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(p.windows().isEmpty());
}

} // namespace
} // namespace quorvel::test
