#pragma once

// The text editor of the document windows: a plain text editor with insert and overwrite mode
// (the Insert key switches; overwrite shows a block caret as wide as an average character and
// each typed character replaces the next one on its line), searching, and a context menu made of
// the main window's own commands, so a choice there runs exactly as from the menu.

#include <QPlainTextEdit>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace quorvel::ui {

struct SearchRequest
{
    QString text;
    bool matchCase = false;
    bool backwards = false;
};

class DocumentEditor final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit DocumentEditor(QWidget* parent = nullptr);

    bool overwriting() const { return m_overwrite; }
    void setOverwriting(bool on);

    // The commands of the context menu in order, 0 for a separator, and where their actions come
    // from (the main window's, brought up to date by `refresh` before the menu shows).
    void setContextCommands(std::vector<int> ids, std::function<QAction*(int)> actionFor,
        std::function<void()> refresh = {});
    // The context menu as the right mouse button shows it (the caller owns it).
    QMenu* makeContextMenu(QWidget* parent);

    // Selects the next match from the caret (wrapping round the end once); false when there is
    // none anywhere.
    bool findNext(const SearchRequest& request);
    // Replaces the selection when it is a match, then finds the next one.
    bool replaceNext(const SearchRequest& request, const QString& replacement);
    // Replaces every match as one step of Undo; returns how many.
    int replaceAll(const SearchRequest& request, const QString& replacement);

    // The text whole, put in as one piece: no undo history, not modified.
    void loadText(const QString& text);
    // Removes the whole text as one step that Undo takes back.
    void clearAll();
    // Removes the selection (Undo takes it back).
    void deleteSelection();

    bool hasSelection() const { return textCursor().hasSelection(); }
    bool undoAvailable() const;

    // The standard editing commands as the menu runs them on this editor (Undo, Cut, Copy, Paste,
    // Delete, Clear all, Select All): whether command `id` can run now, or nothing when it is
    // not one of them; and running it, false when it is not one of them.
    std::optional<bool> editCommandEnabled(int id) const;
    bool runEditCommand(int id);

Q_SIGNALS:
    void overwritingChanged(bool on);
    // Files dropped onto the editor: the main window opens them, as if dropped on it.
    void filesDropped(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void dropEvent(QDropEvent* event) override;

private:
    void shapeCaret();
    bool matches(const QTextCursor& at, const SearchRequest& request) const;

    bool m_overwrite = false;
    std::vector<int> m_contextIds;
    std::function<QAction*(int)> m_actionFor;
    std::function<void()> m_refresh;
};

} // namespace quorvel::ui
