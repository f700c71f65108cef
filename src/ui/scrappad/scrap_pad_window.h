#pragma once

// The scrap pad window: the current user's two pages on a drawn notebook. It loads both pages
// when it opens, saves both on Save, asks before closing with changes, moves words from page 1 to
// page 2 by whether the dictionary knows them, makes a list from the current page, and takes the
// drill's failed words at page 1's caret while it is open. Its pages are the document windows'
// editor. At most one exists: open it with openScrapPad().

#include "common/document_commands.h"
#include "common/document_window.h"
#include "common/ui_services.h"
#include "documents/document_editor.h"
#include "documents/scrap_pad.h"
#include "scrappad/notebook.h"

#include <QWidget>

#include <array>
#include <functional>

class QMdiArea;

namespace quorvel::ui {

class ScrapPadWindow final : public QWidget, public DocumentWindow, public CommandDocument
{
    Q_OBJECT
public:
    // Loads user `user`'s pages; showLoadMessages() then says what was missing or unreadable.
    ScrapPadWindow(UiContext context, int user, QWidget* parent = nullptr);
    ~ScrapPadWindow() override;

    int user() const { return m_user; }
    DocumentEditor* page(int index) const { return m_pages[static_cast<std::size_t>(index)]; }
    int currentPage() const { return m_currentPage; }
    bool isModified() const;
    const NotebookLayout& layout() const { return m_layout; }
    // The no-scrap-pad warning (a page file is missing) and what kept a page file from being
    // read; once.
    void showLoadMessages();
    // The main window's actions, for the pages' context menu (a bee list's items).
    void setActionLookup(const std::function<QAction*(int)>& lookup);

    // Writes both pages; false (after saying why) when they were not written.
    bool save();
    void moveWords(MoveKind kind);
    void makeList();
    // A line from the drill: a failed word as " WORD\r\n", put in at page 1's caret.
    void insertFailure(const QString& line);

    // DocumentWindow
    bool mayClose() override;
    DocumentKind documentKind() const override { return DocumentKind::ScrapPad; }
    QString documentTitle() const override { return windowTitle(); }
    QStringList printLines() const override;
    QFont printFont() const override { return m_pageFont; }
    std::string attachableFile() const override { return {}; }
    bool overwriting() const override { return current()->overwriting(); }

    // CommandDocument
    bool handlesCommand(int id) const override;
    bool commandEnabled(int id) const override;
    void runDocumentCommand(int id) override;

Q_SIGNALS:
    // Save, the editing commands or the current page changed what the menus may offer.
    void commandStatesChanged();
    // The window closed and the documents' flags were updated: the list status may differ.
    void closed();
    // The current page switched between insert and overwrite, or the other page became current.
    void overwritingChanged(bool on);
    // Files dropped onto a page: the main window opens them, as if dropped on it.
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void setCurrentPage(int page);
    DocumentEditor* current() const { return page(m_currentPage); }

    UiContext m_ctx;
    int m_user;
    std::array<DocumentEditor*, kScrapPadPages> m_pages {};
    ScrapPadPages m_files; // formats and read outcomes; the texts live in the editors
    QFont m_pageFont;
    NotebookLayout m_layout;
    int m_currentPage = 0;
    bool m_loadMessagesShown = false;
    bool m_noScrapPad = false;
    bool m_closeAgreed = false;
};

// Opens the current user's scrap pad maximized in the area, or does nothing when a scrap pad is
// already open (it is then brought forward). Returns the window.
ScrapPadWindow* openScrapPad(QMdiArea* area, UiContext context);
// The open scrap pad of the area, or null.
ScrapPadWindow* findScrapPad(const QMdiArea* area);

} // namespace quorvel::ui
