#pragma once

// The bee/text window and the statistics window: a text file in an editor, with Save, Save As,
// the question before closing a changed text, the editing commands and Find. A bee window makes
// the current user's next list from its words; a statistics window shows a report in a
// fixed-pitch font, and its file is the saved statistics report.

#include "common/document_commands.h"
#include "common/document_window.h"
#include "common/ui_services.h"
#include "documents/document_editor.h"
#include "documents/text_document.h"
#include "reports/reports.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QAction;

namespace quorvel {
class Clock;
class SettingsFile;
} // namespace quorvel

namespace quorvel::ui {

class FindDialog;

// What a document window needs of the main window that holds it.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;
    virtual UiContext context() = 0;
    virtual Clock& clock() = 0;
    // The main window's action of a command, for the context menus.
    virtual QAction* commandAction(int id) = 0;
    // The enabling of the commands may have changed (selection, undo, modified state).
    virtual void commandStatesChanged() = 0;
    // A file was saved under a new name: it goes to the top of the recent files.
    virtual void savedAs(const std::string& path) = 0;
    // The list-status fields may have changed.
    virtual void listStatusChanged() = 0;
    virtual void overwritingChanged(const QWidget* window, bool on) = 0;
    // Files dropped on a document window's text open like files dropped on the main window.
    virtual void openFiles(const QStringList& paths) = 0;
};

// The commands of a document's context menu in order, 0 for a separator.
const std::vector<int>& documentContextCommands(DocumentKind kind);

class TextDocumentWindow final : public QWidget, public DocumentWindow, public CommandDocument
{
    Q_OBJECT
public:
    TextDocumentWindow(DocumentHost& host, DocumentKind kind, QWidget* parent = nullptr);
    ~TextDocumentWindow() override;

    // An untitled window: "New bee list", empty.
    void startUntitled();
    // The text of a file that was read: the window owns the path from now on.
    void startWithFile(const std::string& path, const DecodedText& document);
    // A statistics window: `caption` is "%d Stats Window" filled in. It shows the saved report
    // (or the line that says there is none), then, for the other kinds, makes the report.
    void startStatistics(const QString& caption, const ReportRequest& request);
    // An untitled text window that shows a report made elsewhere (the bulk transfer's): the
    // caption says what it is, and Save asks for a name.
    void startReport(const QString& caption, const QString& text);

    DocumentEditor* editor() const { return m_editor; }
    const std::string& path() const { return m_path; }
    bool untitled() const { return m_untitled; }
    bool modified() const;
    TextFormat format() const { return m_format; }

    // Save: nothing when unchanged; Save As when untitled. False when nothing was saved.
    bool save();
    bool saveAs();
    // "&Make list from active window"; returns the result code.
    int makeList();
    // Find next with the last search; shows "Cannot find "%s"." when there is no match.
    bool findNext(const SearchRequest& request);
    // The Find or Replace dialog, beside the window.
    FindDialog* showFindDialog(bool replacing);
    std::optional<SearchRequest> lastSearch() const { return m_lastSearch; }

    // DocumentWindow
    bool mayClose() override;
    DocumentKind documentKind() const override { return m_kind; }
    QString documentTitle() const override { return m_caption; }
    QStringList printLines() const override;
    QFont printFont() const override;
    std::string attachableFile() const override;
    bool overwriting() const override { return m_editor->overwriting(); }

    // CommandDocument
    bool handlesCommand(int id) const override;
    bool commandEnabled(int id) const override;
    void runDocumentCommand(int id) override;

private:
    void setCaption(const QString& caption);
    void showText(const QString& text);
    void showReport(const ReportResult& result);
    bool writeTo(const std::string& path, bool newName);

    DocumentHost& m_host;
    DocumentKind m_kind;
    DocumentEditor* m_editor;
    QPointer<FindDialog> m_findDialog;
    QString m_caption;
    std::string m_path;
    bool m_untitled = true;
    TextFormat m_format;
    // The window's own copy of the dialog settings: a choice in its Save As dialog stays here.
    int m_fileTypeOrder = 0;
    int m_saveFilter = 1;
    std::optional<SearchRequest> m_lastSearch;
};

} // namespace quorvel::ui
