#pragma once

// The main window's side of the document windows: New, Open (the dialog, by name, the recent
// files, files dropped on the window or on a document's text), the scrap pad, the statistics
// windows and their reports, closing through the one close command with its bookkeeping, and the
// OVR field following the active document. The document commands (Save, editing, Find,
// "&Make list from active window") go to the active document by the main window itself.

#include "documents/text_document_window.h"
#include "platform/services.h"
#include "reports/reports.h"

#include <QObject>

#include <memory>

class QMdiSubWindow;

namespace quorvel::ui {

class MainFrame;
class ScrapPadWindow;

class DocumentDesk final : public QObject, public DocumentHost
{
    Q_OBJECT
public:
    DocumentDesk(MainFrame& frame, UiContext context);

    // Puts the handlers of the document commands into the frame's table.
    void registerCommands();

    TextDocumentWindow* newBeeWindow();
    // A new text window holding a report (its lines end in "\r\n" or "\n"), untitled.
    TextDocumentWindow* openReportWindow(const QString& caption, const std::string& report);
    // The open dialog, starting in mydata/beefiles with the filters of "File extension".
    TextDocumentWindow* openWithDialog();
    // Opens a file in a new bee window. A file that cannot be read as text is refused with a
    // message, and nothing changes: no window, no count, no recent-file entry.
    TextDocumentWindow* openByName(const std::string& path);
    // Opens entry `index` (0 = most recent) of the File menu's recent files.
    TextDocumentWindow* openRecent(int index);
    TextDocumentWindow* openStatistics(const ReportRequest& request);
    // Opens the current user's scrap pad, tied to the main window's commands and status bar;
    // null (and nothing happens) when one is open already.
    ScrapPadWindow* openScrapPad();
    // One statistics window per user slot with that user's history, then System Setup's choice
    // as it was.
    void openAllHistoryReports();

    // Closes one window as the close command does: a document is asked first; a bee window's
    // close counts down the open bee windows. False when the window stays.
    bool closeWindow(QMdiSubWindow* window);
    void closeAll();

    // A clock of the test's own for the report dates.
    void setClock(Clock* clock) { m_clock = clock ? clock : &m_systemClock; }

    // DocumentHost
    UiContext context() override { return m_ctx; }
    Clock& clock() override { return *m_clock; }
    QAction* commandAction(int id) override;
    void commandStatesChanged() override;
    void savedAs(const std::string& path) override;
    void listStatusChanged() override;
    void overwritingChanged(const QWidget* window, bool on) override;
    void openFiles(const QStringList& paths) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiSubWindow* addWindow(TextDocumentWindow* window);
    void addRecent(const std::string& path);
    void showOvertype();

    MainFrame& m_frame;
    UiContext m_ctx;
    SystemClock m_systemClock;
    Clock* m_clock = &m_systemClock;
    // Statistics windows opened in this run, for their captions.
    int m_statisticsWindows = 0;
};

// Creates the desk of the frame (owned by it) and registers its commands.
DocumentDesk* installDocumentDesk(MainFrame& frame, UiContext context);

} // namespace quorvel::ui
