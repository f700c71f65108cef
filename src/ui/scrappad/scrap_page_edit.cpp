#include "scrappad/scrap_page_edit.h"

#include "app/command_table.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

namespace quorvel::ui {

ScrapPageEdit::ScrapPageEdit(int page, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_page(page)
{
    // Long lines scroll sideways rather than wrap, so a line on the page is a line in the file.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
}

void ScrapPageEdit::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        const bool overwrite = !overwriteMode();
        setOverwriteMode(overwrite);
        // A block caret as wide as an average character; the editor draws the character under
        // it inverted, and this width shows the block at a line's end too.
        setCursorWidth(overwrite ? QFontMetrics(font()).averageCharWidth() : 1);
        Q_EMIT overwriteChanged(overwrite);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScrapPageEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    Q_EMIT focused(m_page);
}

void ScrapPageEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The page under the mouse is the one the menu's commands work on.
    setFocus(Qt::PopupFocusReason);
    if (!m_actions) {
        std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
        menu->exec(event->globalPos());
        return;
    }
    static constexpr int kItems[] = { command::kMakeList, command::kTransfer, 0, command::kUndo, 0,
        command::kCut, command::kCopy, command::kPaste, 0, command::kSelectAll, command::kClearAll,
        command::kDelete };
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("documentPopupMenu"));
    for (const int id : kItems) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction* action = m_actions(id)) {
            menu.addAction(action);
        }
    }
    menu.exec(event->globalPos());
}

} // namespace quorvel::ui
