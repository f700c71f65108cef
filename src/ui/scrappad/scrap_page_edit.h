#pragma once

// One page of the scrap pad: a plain text editor that knows its page, switches between insert
// and overwrite with the Insert key (overwrite shows a block caret and types over the next
// character), and shows the documents' pop-up menu, whose items run as the menu's commands.

#include <QPlainTextEdit>

#include <functional>

class QAction;

namespace quorvel::ui {

class ScrapPageEdit final : public QPlainTextEdit
{
    Q_OBJECT
public:
    // The main window's action of a command, for the pop-up menu; null when there is none.
    using ActionLookup = std::function<QAction*(int)>;

    ScrapPageEdit(int page, QWidget* parent = nullptr);
    int page() const { return m_page; }
    void setActionLookup(ActionLookup lookup) { m_actions = std::move(lookup); }

Q_SIGNALS:
    // The page took the keyboard focus: it is the scrap pad's current page now.
    void focused(int page);
    void overwriteChanged(bool overwrite);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int m_page;
    ActionLookup m_actions;
};

} // namespace quorvel::ui
