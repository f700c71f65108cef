// The document windows' editor on its own: insert and overwrite mode with its caret, the keys it
// leaves to the main window, searching and replacing, and file drops.

#include "documents/document_editor.h"
#include "documents/file_filters.h"
#include "documents/find_dialog.h"

#include "config/settings_groups.h"
#include "support/modal.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using ui::DocumentEditor;
using ui::SearchRequest;

struct Editor
{
    DocumentEditor editor;
    explicit Editor(const QString& text, int caret = 0)
    {
        editor.loadText(text);
        QTextCursor c = editor.textCursor();
        c.setPosition(caret);
        editor.setTextCursor(c);
        editor.show();
        editor.setFocus();
    }
    QString text() const { return editor.toPlainText(); }
};

TEST(DocumentEditor, InsertKeySwitchesToOverwriteWithABlockCaret)
{
    Editor e(QStringLiteral("abcd\nef"));
    QSignalSpy switched(&e.editor, &DocumentEditor::overwritingChanged);
    EXPECT_FALSE(e.editor.overwriting());
    EXPECT_EQ(e.editor.cursorWidth(), 1);

    QTest::keyClick(&e.editor, Qt::Key_Insert);
    ASSERT_TRUE(e.editor.overwriting());
    EXPECT_EQ(switched.count(), 1);
    EXPECT_EQ(e.editor.cursorWidth(), e.editor.fontMetrics().averageCharWidth());
    // Typed characters take the place of the next ones.
    QTest::keyClicks(&e.editor, QStringLiteral("XY"));
    EXPECT_EQ(e.text(), QStringLiteral("XYcd\nef"));
    // At the end of a line the character is added: two lines are never joined.
    QTest::keyClick(&e.editor, Qt::Key_End);
    QTest::keyClicks(&e.editor, QStringLiteral("Z"));
    EXPECT_EQ(e.text(), QStringLiteral("XYcdZ\nef"));
    // Backspace still removes the character before the caret.
    QTest::keyClick(&e.editor, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), QStringLiteral("XYcd\nef"));
    // A selection is replaced as a whole.
    e.editor.selectAll();
    QTest::keyClicks(&e.editor, QStringLiteral("q"));
    EXPECT_EQ(e.text(), QStringLiteral("q"));

    // Shift+Insert is Paste, not the mode switch.
    QTest::keyClick(&e.editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(e.editor.overwriting());
    QTest::keyClick(&e.editor, Qt::Key_Insert);
    EXPECT_FALSE(e.editor.overwriting());
    EXPECT_EQ(e.editor.cursorWidth(), 1);
    QTest::keyClick(&e.editor, Qt::Key_Home);
    QTest::keyClicks(&e.editor, QStringLiteral("p"));
    EXPECT_EQ(e.text(), QStringLiteral("pq"));
}

TEST(DocumentEditor, LeavesClearAllAndUndoKeysToTheMainWindow)
{
    Editor e(QStringLiteral("one two"));
    for (const auto& [key, mods, taken] :
        { std::tuple { Qt::Key_Delete, Qt::ControlModifier, false },
            std::tuple { Qt::Key_Backspace, Qt::AltModifier, false },
            std::tuple { Qt::Key_Delete, Qt::NoModifier, true } }) {
        QKeyEvent override(QEvent::ShortcutOverride, key, mods);
        override.ignore();
        QCoreApplication::sendEvent(&e.editor, &override);
        EXPECT_EQ(override.isAccepted(), taken) << key << " " << mods;
    }
}

TEST(DocumentEditor, FindsWrappingRoundAndReplaces)
{
    Editor e(QStringLiteral("Cat dog cat\nCAT"), 5);
    // From the caret on, then once round from the start.
    EXPECT_TRUE(e.editor.findNext({ QStringLiteral("cat"), true, false }));
    EXPECT_EQ(e.editor.textCursor().selectionStart(), 8);
    EXPECT_TRUE(e.editor.findNext({ QStringLiteral("cat"), true, false }));
    EXPECT_EQ(e.editor.textCursor().selectionStart(), 8);
    EXPECT_TRUE(e.editor.findNext({ QStringLiteral("cat"), false, false }));
    EXPECT_EQ(e.editor.textCursor().selectionStart(), 12);
    EXPECT_TRUE(e.editor.findNext({ QStringLiteral("cat"), false, true }));
    EXPECT_EQ(e.editor.textCursor().selectionStart(), 8);
    EXPECT_FALSE(e.editor.findNext({ QStringLiteral("cow"), false, false }));
    EXPECT_FALSE(e.editor.findNext({ QString(), false, false }));

    // Replace takes the selected match and moves on to the next.
    EXPECT_TRUE(e.editor.replaceNext({ QStringLiteral("cat"), false, false }, "cow"));
    EXPECT_EQ(e.text(), QStringLiteral("Cat dog cow\nCAT"));
    EXPECT_EQ(e.editor.textCursor().selectedText(), QStringLiteral("CAT"));

    // Replace all is one step of Undo, and a replacement holding the text does not loop.
    EXPECT_EQ(e.editor.replaceAll({ QStringLiteral("cat"), false, false }, "cats"), 2);
    EXPECT_EQ(e.text(), QStringLiteral("cats dog cow\ncats"));
    e.editor.undo();
    EXPECT_EQ(e.text(), QStringLiteral("Cat dog cow\nCAT"));
}

TEST(DocumentEditor, ClearAllAndDeleteAreUndoneAndLoadingLeavesNoHistory)
{
    Editor e(QStringLiteral("words here"));
    EXPECT_FALSE(e.editor.undoAvailable());
    EXPECT_FALSE(e.editor.document()->isModified());
    e.editor.clearAll();
    EXPECT_TRUE(e.text().isEmpty());
    EXPECT_TRUE(e.editor.undoAvailable());
    e.editor.undo();
    EXPECT_EQ(e.text(), QStringLiteral("words here"));
    QTextCursor c = e.editor.textCursor();
    c.setPosition(0);
    c.setPosition(6, QTextCursor::KeepAnchor);
    e.editor.setTextCursor(c);
    e.editor.deleteSelection();
    EXPECT_EQ(e.text(), QStringLiteral("here"));
}

TEST(DocumentEditor, DroppedFilesAreHandedOnNotTyped)
{
    Editor e(QStringLiteral("text"));
    QSignalSpy dropped(&e.editor, &DocumentEditor::filesDropped);
    // A drag comes in first, then the drop, as the desktop sends them.
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/a.bee")),
        QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt")) });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(e.editor.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(e.editor.viewport(), &drop);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toStringList(),
        (QStringList { QStringLiteral("/tmp/a.bee"), QStringLiteral("/tmp/b.txt") }));
    EXPECT_EQ(e.text(), QStringLiteral("text"));
}

TEST(DocumentEditor, FindDialogSendsItsRequest)
{
    ui::FindDialog dialog(true, nullptr);
    QSignalSpy all(&dialog, &ui::FindDialog::replaceAllRequested);
    auto* next = child<QPushButton>(&dialog, "findNextButton");
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(next->isEnabled());
    child<QLineEdit>(&dialog, "findText")->setText(QStringLiteral("bee"));
    child<QLineEdit>(&dialog, "replaceText")->setText(QStringLiteral("wasp"));
    EXPECT_TRUE(next->isEnabled());
    child<QPushButton>(&dialog, "replaceAllButton")->click();
    EXPECT_EQ(all.count(), 1);
    EXPECT_EQ(dialog.request().text, QStringLiteral("bee"));
    EXPECT_FALSE(dialog.request().backwards);
    EXPECT_EQ(dialog.replacement(), QStringLiteral("wasp"));
}

TEST(FileFilters, FollowTheFileExtensionSetting)
{
    EXPECT_EQ(ui::beeFileFilters(settings::kBeeFilesFirst),
        "(*.BEE *.bee);;Text Files(*.TXT *.txt);;All Files(*)");
    EXPECT_EQ(ui::beeFileFilters(settings::kTextFilesFirst),
        "Text Files(*.TXT *.txt);;(*.BEE *.bee);;All Files(*)");
    EXPECT_EQ(ui::beeDefaultSuffix(settings::kBeeFilesFirst), "bee");
    EXPECT_EQ(ui::beeDefaultSuffix(settings::kTextFilesFirst), "txt");
}

} // namespace
} // namespace quorvel::test
