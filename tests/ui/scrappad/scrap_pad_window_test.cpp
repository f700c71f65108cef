// The scrap pad window on a temporary installation: one window at most, the first-use warning
// and the first save, the close question, moving words and making a list in the window, the
// drill's failed words at page 1's caret, insert and overwrite, bad page files, and the notebook
// filling the window.

#include "scrappad/scrap_pad_window.h"

#include "app/command_table.h"
#include "app/session.h"
#include "drill/word_file.h"
#include "strings/document_strings.h"
#include "strings/scrap_pad_strings.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quorvel::test {
namespace {

using ui::ScrapPadWindow;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeAll(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// An installation whose dictionary knows APPLE, PEAR and CAT, and a documents area to open the
// scrap pad in.
struct Pad : DialogWorld
{
    QMdiArea area;

    Pad()
    {
        writeBytes(folder.file("progdata/sonddict.dis"),
            buildDictionaryImage({ entry("APPLE"), entry("PEAR"), entry("CAT") }));
        session.info.setUserName(0, "Ann");
        area.resize(900, 600);
        area.show();
        area.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&area));
    }
    ScrapPadWindow* open() { return ui::openScrapPad(&area, context); }
    std::string page1File() const { return folder.file("progdata/spaduse0.pad"); }
    std::string page2File() const { return folder.file("progdata/spadusp0.pad"); }
    void havePages(std::string_view page1, std::string_view page2)
    {
        writeAll(page1File(), page1);
        writeAll(page2File(), page2);
    }
};

QString pageText(ScrapPadWindow* pad, int page)
{
    return pad->page(page)->toPlainText();
}

void putCaret(ScrapPadWindow* pad, int page, int position)
{
    QTextCursor c = pad->page(page)->textCursor();
    c.setPosition(position);
    pad->page(page)->setTextCursor(c);
}

TEST(ScrapPadWindow, FirstUseWarnsOnceAndTheFirstSaveMakesBothFiles)
{
    Pad p;
    ScrapPadWindow* pad = p.open();
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text, strings::kNoScrapPad);
    EXPECT_EQ(p.prompter.shown[0].caption, strings::kWarning);
    EXPECT_TRUE(pageText(pad, 0).isEmpty());
    EXPECT_TRUE(pageText(pad, 1).isEmpty());
    EXPECT_EQ(pad->windowTitle(), QStringLiteral("Ann's  Scrap Pad "));
    EXPECT_TRUE(p.area.activeSubWindow()->isMaximized());
    EXPECT_TRUE(p.session.documents.scrapPadOpen);
    EXPECT_FALSE(pad->commandEnabled(command::kSave));

    // Opening again leaves the one window, and warns no more.
    EXPECT_EQ(p.open(), pad);
    EXPECT_EQ(p.area.subWindowList().size(), 1);
    EXPECT_EQ(p.prompter.shown.size(), 1u);

    QTest::keyClicks(pad->page(0), "apple");
    EXPECT_TRUE(pad->commandEnabled(command::kSave));
    pad->runDocumentCommand(command::kSave);
    EXPECT_EQ(readAll(p.page1File()), "apple");
    EXPECT_TRUE(fileExists(p.page2File()));
    EXPECT_EQ(readAll(p.page2File()), "");
    EXPECT_FALSE(pad->isModified());
    EXPECT_EQ(p.prompter.shown.size(), 1u);
}

TEST(ScrapPadWindow, PagesOpenAsSavedAndTheMarkerFollowsTheFocusedPage)
{
    Pad p;
    p.havePages(" CAT\r\n DOG\r\n", "caf\xE9\n");
    ScrapPadWindow* pad = p.open();
    EXPECT_TRUE(p.prompter.shown.empty());
    EXPECT_EQ(pageText(pad, 0), " CAT\n DOG\n");
    EXPECT_EQ(pageText(pad, 1), u"café\n"_qs);
    EXPECT_FALSE(pad->isModified());
    EXPECT_EQ(pad->currentPage(), 0);
    EXPECT_EQ(pad->printLines().first(), " CAT");

    QTest::keyClick(pad->page(0), Qt::Key_Tab); // Tab goes to the other page
    EXPECT_TRUE(pad->page(1)->hasFocus());
    EXPECT_EQ(pad->currentPage(), 1);
    EXPECT_EQ(pad->printLines().first(), u"café"_qs);
    pad->page(0)->setFocus();
    EXPECT_EQ(pad->currentPage(), 0);

    // The page whose context menu opens becomes current, so the menu's commands work on it.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
        pad->page(1)->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(pad->page(1)->viewport(), &menuEvent);
    EXPECT_EQ(pad->currentPage(), 1);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();
}

TEST(ScrapPadWindow, CloseAsksAboutChangesAndClearsTheScrapPadFlags)
{
    struct Case
    {
        const char* name;
        MessageAnswer answer;
        bool closes;
        const char* page1After;
    };
    const Case cases[] = {
        { "yes saves", MessageAnswer::Yes, true, " old\r\nnew" },
        { "no drops", MessageAnswer::No, true, " old\r\n" },
        { "cancel keeps", MessageAnswer::Cancel, false, " old\r\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pad p;
        p.havePages(" old\r\n", "");
        ScrapPadWindow* pad = p.open();
        p.session.documents.scrapListMade = true;
        putCaret(pad, 0, 5);
        QTest::keyClicks(pad->page(0), "new");
        p.prompter.answers = { c.answer };
        p.area.closeActiveSubWindow();
        QTest::qWait(0);
        ASSERT_EQ(p.prompter.shown.size(), 1u);
        EXPECT_EQ(p.prompter.shown[0].text, strings::kSaveScrapPadQuestion);
        EXPECT_EQ(p.prompter.shown[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(readAll(p.page1File()), c.page1After);
        EXPECT_EQ(p.area.subWindowList().size(), c.closes ? 0 : 1);
        EXPECT_EQ(p.session.documents.scrapPadOpen, !c.closes);
        EXPECT_EQ(p.session.documents.scrapListMade, !c.closes);
    }
    // Unchanged, it closes without a question.
    Pad p;
    p.havePages("", "");
    p.open();
    p.area.closeActiveSubWindow();
    EXPECT_TRUE(p.prompter.shown.empty());
    EXPECT_FALSE(p.session.documents.scrapPadOpen);
}

TEST(ScrapPadWindow, MovesWordsToPageTwoAtItsCaretAsOneUndoableStep)
{
    Pad p;
    p.havePages("apple zzzq\r\npear qqx\r\n", "top\r\nend\r\n");
    ScrapPadWindow* pad = p.open();
    putCaret(pad, 1, 4);
    pad->runDocumentCommand(command::kMoveNonDictionary);
    EXPECT_EQ(pageText(pad, 0), "apple pear ");
    EXPECT_EQ(pageText(pad, 1), "top\nzzzq\nqqx\nend\n");
    EXPECT_EQ(pad->page(1)->textCursor().position(), 13);

    pad->runDocumentCommand(command::kMoveDictionary);
    EXPECT_EQ(pageText(pad, 0), "  ");
    EXPECT_EQ(pageText(pad, 1), "top\nzzzq\nqqx\napple\npear\nend\n");
    EXPECT_TRUE(pad->isModified());

    // Undo on page 1 takes back the last move there in one step.
    pad->page(0)->setFocus();
    pad->runDocumentCommand(command::kUndo);
    EXPECT_EQ(pageText(pad, 0), "apple pear ");
    EXPECT_TRUE(p.prompter.shown.empty());
}

TEST(ScrapPadWindow, MoveWordsWithoutADictionarySaysSoAndChangesNothing)
{
    Pad p;
    p.havePages("zzzq qqx\r\n", "");
    std::filesystem::remove(p.folder.file("progdata/sonddict.dis"));
    ScrapPadWindow* pad = p.open();
    pad->runDocumentCommand(command::kMoveNonDictionary);
    EXPECT_EQ(pageText(pad, 0), "zzzq qqx\n");
    EXPECT_TRUE(pageText(pad, 1).isEmpty());
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].text, strings::kUnableToOpenDictionary);
}

TEST(ScrapPadWindow, MakesAListFromTheCurrentPage)
{
    Pad p;
    p.havePages("", "house mouse horse\r\n");
    ScrapPadWindow* pad = p.open();
    pad->page(1)->setFocus();
    putCaret(pad, 1, 0);
    pad->runDocumentCommand(command::kMakeList);
    EXPECT_TRUE(p.prompter.shown.empty());
    EXPECT_TRUE(p.session.documents.scrapListMade);
    auto file = WordFile::open(p.folder.path(), 0, OpenMode::ReadOnly);
    ASSERT_TRUE(file);
    std::vector<WordFileEntry> list;
    ASSERT_TRUE(file->readList(list));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].record.word, "HOUSE");
    EXPECT_EQ(file->readState(), ListState::kFreshScrapPad);

    // Page 1 is empty: no list, and the scrap pad's mark goes.
    pad->page(0)->setFocus();
    pad->runDocumentCommand(command::kMakeList);
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_EQ(p.prompter.shown[0].caption, strings::kNoListProduced);
    EXPECT_EQ(p.prompter.shown[0].text, strings::kUnableToProduceList);
    EXPECT_FALSE(p.session.documents.scrapListMade);
}

TEST(ScrapPadWindow, DrillFailuresGoInAtPageOnesCaret)
{
    Pad p;
    p.havePages("first\r\nlast\r\n", "");
    ScrapPadWindow* pad = p.open();
    putCaret(pad, 0, 6);
    pad->insertFailure(" CAT\r\n");
    pad->insertFailure(" DOG\r\n");
    EXPECT_EQ(pageText(pad, 0), "first\n CAT\n DOG\nlast\n");
    EXPECT_EQ(readAll(p.page1File()), "first\r\nlast\r\n"); // only the window has them yet
}

TEST(ScrapPadWindow, InsertKeySwitchesBetweenInsertAndOverwrite)
{
    Pad p;
    p.havePages("cat\r\n", "");
    ScrapPadWindow* pad = p.open();
    ui::DocumentEditor* page = pad->page(0);
    putCaret(pad, 0, 0);
    QTest::keyClick(page, Qt::Key_Insert);
    EXPECT_TRUE(page->overwriting());
    QTest::keyClicks(page, "b");
    EXPECT_EQ(page->toPlainText(), "bat\n");
    QTest::keyClick(page, Qt::Key_Insert);
    EXPECT_FALSE(page->overwriting());
    QTest::keyClicks(page, "r");
    EXPECT_EQ(page->toPlainText(), "brat\n");
    // Ctrl+Insert is Copy, not the switch.
    QTest::keyClick(page, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_FALSE(page->overwriting());
}

// A folder or a file that is not text where a page file belongs: a clear message at opening, and
// a save that writes nothing and leaves the window's changes in place.
TEST(ScrapPadWindow, UnusablePageFilesAreReportedAndNeverWrittenOver)
{
    Pad p;
    writeAll(p.page1File(), "kept\r\n");
    std::filesystem::create_directory(p.page2File());
    ScrapPadWindow* pad = p.open();
    ASSERT_EQ(p.prompter.shown.size(), 1u);
    EXPECT_NE(p.prompter.shown[0].text.find(strings::kTextFileIsFolder), std::string::npos);
    EXPECT_EQ(pageText(pad, 0), "kept\n");

    QTest::keyClicks(pad->page(0), "more ");
    pad->runDocumentCommand(command::kSave);
    ASSERT_EQ(p.prompter.shown.size(), 2u);
    EXPECT_EQ(p.prompter.shown[1].text.rfind(strings::kProblemsSavingScrapPad, 0), 0u);
    EXPECT_NE(p.prompter.shown[1].text.find(p.page2File()), std::string::npos);
    EXPECT_EQ(readAll(p.page1File()), "kept\r\n");
    EXPECT_TRUE(pad->isModified());
}

// The notebook fills the window at any size: the two pages stay the same size as each other and
// in the same proportion to the window, the editors sit on them, and the rings fill the binder.
TEST(ScrapPadWindow, TheNotebookScalesWithTheWindow)
{
    Pad p;
    p.havePages("", "");
    ScrapPadWindow* pad = p.open();
    for (const QSize size : { QSize(790, 426), QSize(1580, 852), QSize(1200, 500) }) {
        SCOPED_TRACE(size.width());
        p.area.subWindowList().first()->showNormal();
        pad->resize(size);
        const ui::NotebookLayout& l = pad->layout();
        EXPECT_NEAR(l.pages[0].width(), l.pages[1].width(), 0.01);
        EXPECT_NEAR(l.pages[0].height(), l.pages[1].height(), 0.01);
        EXPECT_NEAR(l.pages[0].width() / size.width(), 320.0 / 790, 0.001);
        EXPECT_NEAR(l.pages[0].height() / size.height(), 360.0 / 426, 0.001);
        EXPECT_EQ(pad->page(0)->geometry(), l.pages[0].toAlignedRect());
        EXPECT_EQ(pad->page(1)->geometry(), l.pages[1].toAlignedRect());
        EXPECT_TRUE(l.cover.contains(l.markers[0]) && l.cover.contains(l.markers[1]));
        EXPECT_EQ(l.rings, static_cast<int>(l.pages[0].height() / l.binder.width()));
        // Painted at twice the pixel density, the picture covers the same logical places.
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        ui::paintNotebook(painter, l, 0, pad->palette());
        painter.end();
        EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), 0u);
        EXPECT_EQ(image.pixel(2, 2), 0u); // outside the cover
    }
}

} // namespace
} // namespace quorvel::test
