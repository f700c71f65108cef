#include "documents/document_editor.h"

#include "app/command_table.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPointer>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace quorvel::ui {

namespace {

// Local files among dropped data; empty when anything else is in it.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

DocumentEditor::DocumentEditor(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Word lists are read line by line: long lines scroll rather than fold.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    shapeCaret();
}

void DocumentEditor::setOverwriting(bool on)
{
    if (m_overwrite == on)
        return;
    m_overwrite = on;
    shapeCaret();
    Q_EMIT overwritingChanged(on);
}

void DocumentEditor::shapeCaret()
{
    // A thin caret to insert; to overwrite, a block as wide as an average character.
    setCursorWidth(m_overwrite ? std::max(1, fontMetrics().averageCharWidth()) : 1);
}

bool DocumentEditor::undoAvailable() const
{
    return document()->isUndoAvailable();
}

void DocumentEditor::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->key() == Qt::Key_Insert && !(mods & (Qt::ShiftModifier | Qt::ControlModifier))) {
        setOverwriting(!m_overwrite);
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
        && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (m_overwrite && printable) {
        // The typed character takes the place of the next one; the line's end is never taken,
        // so overwriting never joins two lines.
        QTextCursor c = textCursor();
        if (!c.hasSelection() && !c.atBlockEnd()) {
            c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            setTextCursor(c);
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool DocumentEditor::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+Delete (Clear all) and Alt+Backspace (Undo) belong to the main window's keys, not
        // to the editor's word deletion.
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Delete && mods == Qt::ControlModifier)
            || (key->key() == Qt::Key_Backspace && mods == Qt::AltModifier)) {
            event->ignore();
            return false;
        }
    }
    return QPlainTextEdit::event(event);
}

void DocumentEditor::focusInEvent(QFocusEvent* event)
{
    shapeCaret();
    QPlainTextEdit::focusInEvent(event);
}

void DocumentEditor::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        shapeCaret();
}

void DocumentEditor::setContextCommands(
    std::vector<int> ids, std::function<QAction*(int)> actionFor, std::function<void()> refresh)
{
    m_contextIds = std::move(ids);
    m_actionFor = std::move(actionFor);
    m_refresh = std::move(refresh);
}

QMenu* DocumentEditor::makeContextMenu(QWidget* parent)
{
    if (!m_actionFor)
        return createStandardContextMenu();
    if (m_refresh)
        m_refresh();
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("documentContextMenu"));
    for (int id : m_contextIds) {
        if (id == 0) {
            menu->addSeparator();
        } else if (QAction* a = m_actionFor(id)) {
            menu->addAction(a);
        }
    }
    return menu;
}

void DocumentEditor::contextMenuEvent(QContextMenuEvent* event)
{
    // The editor under the mouse is the one the menu's commands work on.
    setFocus(Qt::PopupFocusReason);
    QMenu* menu = makeContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

bool DocumentEditor::canInsertFromMimeData(const QMimeData* source) const
{
    return !droppedFiles(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void DocumentEditor::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    // Files dropped here open as bee lists, as anywhere else on the main window; their names
    // are not typed into the text.
    event->acceptProposedAction();
    Q_EMIT filesDropped(files);
}

bool DocumentEditor::matches(const QTextCursor& at, const SearchRequest& request) const
{
    return at.hasSelection()
        && at.selectedText().compare(
               request.text, request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
        == 0;
}

bool DocumentEditor::findNext(const SearchRequest& request)
{
    if (request.text.isEmpty())
        return false;
    QTextDocument::FindFlags flags;
    if (request.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (request.backwards)
        flags |= QTextDocument::FindBackward;
    QTextCursor found = document()->find(request.text, textCursor(), flags);
    if (found.isNull()) {
        // Once round from the other end.
        QTextCursor from(document());
        if (request.backwards)
            from.movePosition(QTextCursor::End);
        found = document()->find(request.text, from, flags);
    }
    if (found.isNull())
        return false;
    setTextCursor(found);
    return true;
}

bool DocumentEditor::replaceNext(const SearchRequest& request, const QString& replacement)
{
    QTextCursor c = textCursor();
    if (matches(c, request)) {
        c.insertText(replacement);
        setTextCursor(c);
    }
    return findNext(request);
}

int DocumentEditor::replaceAll(const SearchRequest& request, const QString& replacement)
{
    if (request.text.isEmpty())
        return 0;
    QTextDocument::FindFlags flags;
    if (request.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    int count = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor at(document());
    for (;;) {
        QTextCursor found = document()->find(request.text, at, flags);
        if (found.isNull())
            break;
        found.insertText(replacement);
        at = found; // continues after the replacement, so a replacement holding the text is safe
        ++count;
    }
    edit.endEditBlock();
    return count;
}

void DocumentEditor::loadText(const QString& text)
{
    // A long text goes into a document of its own before anything lays it out or follows it: the
    // layout then takes it in one pass instead of line by line as the lines are added.
    auto* fresh = new QTextDocument(this);
    fresh->setUndoRedoEnabled(false);
    fresh->setDefaultFont(font());
    fresh->setPlainText(text);
    fresh->setDocumentLayout(new QPlainTextDocumentLayout(fresh));
    fresh->setUndoRedoEnabled(true);
    fresh->setModified(false);
    // The editor's first document goes with the editor's own machinery; a text loaded before is
    // this editor's to delete.
    QPointer<QTextDocument> old = document();
    setDocument(fresh);
    if (old && old->parent() == this)
        delete old;
    shapeCaret();
}

void DocumentEditor::clearAll()
{
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    setTextCursor(c);
}

void DocumentEditor::deleteSelection()
{
    QTextCursor c = textCursor();
    if (c.hasSelection()) {
        c.removeSelectedText();
        setTextCursor(c);
    }
}

std::optional<bool> DocumentEditor::editCommandEnabled(int id) const
{
    switch (id) {
    case command::kSelectAll:
        return true;
    case command::kUndo:
        return undoAvailable();
    case command::kCut:
    case command::kCopy:
    case command::kDelete:
        return hasSelection();
    case command::kPaste:
        return canPaste();
    case command::kClearAll:
        return !document()->isEmpty();
    default:
        return std::nullopt;
    }
}

bool DocumentEditor::runEditCommand(int id)
{
    switch (id) {
    case command::kSelectAll:
        selectAll();
        return true;
    case command::kUndo:
        undo();
        return true;
    case command::kCut:
        cut();
        return true;
    case command::kCopy:
        copy();
        return true;
    case command::kPaste:
        paste();
        return true;
    case command::kDelete:
        deleteSelection();
        return true;
    case command::kClearAll:
        clearAll();
        return true;
    default:
        return false;
    }
}

} // namespace quorvel::ui
