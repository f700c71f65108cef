#include "app/document_desk.h"

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "common/ui_text.h"
#include "config/settings_file.h"
#include "documents/document_editor.h"
#include "documents/file_filters.h"
#include "documents/recent_files.h"
#include "documents/text_document.h"
#include "platform/paths.h"
#include "scrappad/scrap_pad_window.h"
#include "strings/document_strings.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace quorvel::ui {

namespace {

// A subwindow closed through the close command is let go by the close box's filter.
constexpr const char* kClosingProperty = "quorvelClosing";

} // namespace

DocumentDesk::DocumentDesk(MainFrame& frame, UiContext context)
    : QObject(&frame)
    , m_frame(frame)
    , m_ctx(context)
{
    setObjectName(QStringLiteral("documentDesk"));
    QMdiArea* mdi = frame.mdiArea();
    connect(mdi, &QMdiArea::subWindowActivated, this, [this] { showOvertype(); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
        [this] { commandStatesChanged(); });
    frame.setRecentFileHandler([this](int index) { openRecent(index); });
    frame.setFileDropHandler([this](const QStringList& paths) { openFiles(paths); });
}

DocumentDesk* installDocumentDesk(MainFrame& frame, UiContext context)
{
    auto* desk = new DocumentDesk(frame, context);
    desk->registerCommands();
    return desk;
}

void DocumentDesk::registerCommands()
{
    MainFrame& f = m_frame;
    // Before New and Open, the tool bar's boxes close any open list.
    auto closeBoxLists = [&f] {
        f.userBox()->hidePopup();
        f.categoryBox()->hidePopup();
    };
    f.setHandler(command::kNewBeeFile, [this, closeBoxLists] {
        closeBoxLists();
        newBeeWindow();
    });
    f.setHandler(command::kOpenBeeFile, [this, closeBoxLists] {
        closeBoxLists();
        openWithDialog();
    });
    f.setHandler(command::kOpenScrapPad, [this, closeBoxLists] {
        if (findScrapPad(m_frame.mdiArea()))
            return;
        closeBoxLists();
        openScrapPad();
    });
    f.setHandler(command::kCloseActive, [this] {
        if (QMdiSubWindow* w = m_frame.mdiArea()->activeSubWindow())
            closeWindow(w);
    });
    f.setHandler(command::kCloseAll, [this] { closeAll(); });
    Session* session = &m_ctx.session;
    auto report = [this, session](ReportKind kind) {
        openStatistics({ kind, session->currentUser(), session->choices.historyUserSlot() });
    };
    f.setHandler(command::kLastList, [report] { report(ReportKind::LastList); });
    f.setHandler(
        command::kLastListAttempts, [report] { report(ReportKind::LastListWithAttempts); });
    f.setHandler(command::kDictionaryReport, [report] { report(ReportKind::Dictionary); });
    f.setHandler(command::kDictionaryStatus, [report] { report(ReportKind::DictionaryStatus); });
    f.setHandler(command::kHistoryReport, [report] { report(ReportKind::History); });
    f.setHandler(command::kSelectedHistory, [report] { report(ReportKind::SelectedHistory); });
    f.setHandler(command::kViewStats, [report] { report(ReportKind::SavedStats); });
    f.setHandler(command::kAllHistory, [this] { openAllHistoryReports(); });
}

QMdiSubWindow* DocumentDesk::addWindow(TextDocumentWindow* window)
{
    QMdiArea* mdi = m_frame.mdiArea();
    const QMdiSubWindow* active = mdi->activeSubWindow();
    const bool maximized = active && active->isMaximized();
    QMdiSubWindow* frame = mdi->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(window->documentTitle());
    frame->installEventFilter(this);
    connect(window, &QWidget::windowTitleChanged, frame, &QWidget::setWindowTitle);
    if (maximized) {
        frame->showMaximized();
    } else {
        // Room for a page of text in a good part of the area, not the editor's small default.
        const QSize area = mdi->viewport()->size();
        const int lineWidth = window->editor()->fontMetrics().averageCharWidth() * 90;
        frame->resize(QSize(std::max(frame->width(), std::min(area.width() * 2 / 3, lineWidth)),
            std::max(frame->height(), area.height() * 3 / 4))
                          .boundedTo(area));
        frame->show();
        // The area places a new window beside the others; one that would reach past the area's
        // edge (a small screen, a large scale) is moved back inside it, its title bar in view.
        QRect placed = frame->geometry();
        placed.moveRight(std::min(placed.right(), area.width() - 1));
        placed.moveBottom(std::min(placed.bottom(), area.height() - 1));
        placed.moveTopLeft(QPoint(std::max(placed.left(), 0), std::max(placed.top(), 0)));
        frame->move(placed.topLeft());
    }
    mdi->setActiveSubWindow(frame);
    window->editor()->setFocus();
    showOvertype();
    m_frame.refreshCommandStates();
    return frame;
}

TextDocumentWindow* DocumentDesk::newBeeWindow()
{
    auto* window = new TextDocumentWindow(*this, DocumentKind::BeeList);
    window->startUntitled();
    addWindow(window);
    m_ctx.session.documents.beeWindowOpened();
    return window;
}

TextDocumentWindow* DocumentDesk::openReportWindow(
    const QString& caption, const std::string& report)
{
    auto* window = new TextDocumentWindow(*this, DocumentKind::BeeList);
    QString text = toQString(report);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    window->startReport(caption, text);
    addWindow(window);
    m_ctx.session.documents.beeWindowOpened();
    return window;
}

TextDocumentWindow* DocumentDesk::openWithDialog()
{
    const int order = m_ctx.session.fileTypeOrder;
    DocumentFileQuestion question;
    question.caption = uiText(strings::kOpenBeeFileCaption).toStdString();
    question.filters = beeFileFilters(order);
    question.filter = m_frame.filterPosition();
    question.start = paths::beeFilesFolder(m_ctx.session.info.dictionaryFolder());
    question.defaultSuffix = beeDefaultSuffix(order);
    const std::optional<std::string> chosen = m_ctx.asker.askOpenDocument(question);
    if (!chosen || chosen->empty())
        return nullptr;
    // The filter picked here decides the order of the filters at the next start.
    m_frame.setFilterPosition(question.filter);
    return openByName(*chosen);
}

TextDocumentWindow* DocumentDesk::openByName(const std::string& name)
{
    // The window, its caption and the recent files hold the file's plain absolute path.
    const std::string path
        = QDir::cleanPath(QFileInfo(toQString(name)).absoluteFilePath()).toStdString();
    TextReadResult read;
    {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        read = readTextFile(path);
        QApplication::restoreOverrideCursor();
    }
    if (!read) {
        m_ctx.prompter.show(
            textReadMessage(path, read), strings::kProductName, MessageIcon::Exclamation);
        return nullptr;
    }
    auto* window = new TextDocumentWindow(*this, DocumentKind::BeeList);
    window->startWithFile(path, read.document);
    addWindow(window);
    m_ctx.session.documents.beeWindowOpened();
    addRecent(path);
    if (read.document.cutAtZero) {
        m_ctx.prompter.show(
            textReadMessage(path, read), strings::kInformation, MessageIcon::Information);
    }
    return window;
}

TextDocumentWindow* DocumentDesk::openRecent(int index)
{
    RecentFiles recent = RecentFiles::load(m_frame.settings());
    std::string gone;
    const std::string path
        = recent.open(static_cast<std::size_t>(std::max(0, index)), m_frame.settings(), &gone);
    if (path.empty()) {
        m_frame.refreshRecentFiles();
        if (!gone.empty())
            m_ctx.prompter.show(gone, strings::kWarning, MessageIcon::Exclamation);
        return nullptr;
    }
    return openByName(path);
}

void DocumentDesk::openFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        openByName(path.toStdString());
    m_frame.refreshCommandStates();
}

TextDocumentWindow* DocumentDesk::openStatistics(const ReportRequest& request)
{
    auto* window = new TextDocumentWindow(*this, DocumentKind::Statistics);
    addWindow(window);
    ++m_statisticsWindows;
    window->startStatistics(
        toQString(formatText(strings::kStatsWindowCaption, m_statisticsWindows)), request);
    m_frame.refreshCommandStates();
    return window;
}

ScrapPadWindow* DocumentDesk::openScrapPad()
{
    QMdiArea* mdi = m_frame.mdiArea();
    if (findScrapPad(mdi))
        return nullptr;
    ScrapPadWindow* pad = ui::openScrapPad(mdi, m_ctx);
    pad->setActionLookup([this](int id) { return commandAction(id); });
    connect(pad, &ScrapPadWindow::commandStatesChanged, this, [this] { commandStatesChanged(); });
    // The close box closes it without a command: the list status follows all the same.
    connect(pad, &ScrapPadWindow::closed, this, [this] { listStatusChanged(); });
    connect(pad, &ScrapPadWindow::overwritingChanged, this,
        [this, pad](bool on) { overwritingChanged(pad, on); });
    connect(pad, &ScrapPadWindow::filesDropped, this, &DocumentDesk::openFiles);
    showOvertype();
    return pad;
}

void DocumentDesk::openAllHistoryReports()
{
    Session& s = m_ctx.session;
    const auto chosen = s.choices.historyUser;
    for (int user = 0; user < kUserSlots; ++user) {
        s.choices.historyUser.fill(0);
        s.choices.historyUser[static_cast<std::size_t>(user)] = 1;
        openStatistics({ ReportKind::SelectedHistory, s.currentUser(), user });
    }
    s.choices.historyUser = chosen;
}

bool DocumentDesk::closeWindow(QMdiSubWindow* window)
{
    auto* document = dynamic_cast<DocumentWindow*>(window->widget());
    // A bee or statistics window is asked here; another document (the scrap pad) asks in its
    // own close.
    if (qobject_cast<TextDocumentWindow*>(window->widget()) && !document->mayClose())
        return false;
    const bool bee = document && document->documentKind() == DocumentKind::BeeList;
    window->setProperty(kClosingProperty, true);
    if (!window->close()) {
        window->setProperty(kClosingProperty, false);
        return false;
    }
    if (bee)
        m_ctx.session.documents.beeWindowClosed();
    listStatusChanged();
    return true;
}

void DocumentDesk::closeAll()
{
    // Each window is asked in turn; one that says no stays, and the others still close.
    for (QMdiSubWindow* w : m_frame.mdiArea()->subWindowList())
        closeWindow(w);
}

bool DocumentDesk::eventFilter(QObject* watched, QEvent* event)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(watched);
    if (event->type() == QEvent::Close && frame && !frame->property(kClosingProperty).toBool()) {
        // The close box (and the window menu's Close) goes through the close command, which
        // asks the document and keeps the count of bee windows.
        event->ignore();
        QPointer<QMdiSubWindow> target(frame);
        QTimer::singleShot(0, this, [this, target] {
            if (!target)
                return;
            m_frame.mdiArea()->setActiveSubWindow(target);
            m_frame.runCommand(command::kCloseActive);
        });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QAction* DocumentDesk::commandAction(int id)
{
    return m_frame.action(id);
}

void DocumentDesk::commandStatesChanged()
{
    m_frame.refreshCommandStates();
}

void DocumentDesk::addRecent(const std::string& path)
{
    RecentFiles recent = RecentFiles::load(m_frame.settings());
    if (recent.add(path))
        (void)recent.save(m_frame.settings());
    m_frame.refreshRecentFiles();
}

void DocumentDesk::savedAs(const std::string& path)
{
    addRecent(path);
}

void DocumentDesk::listStatusChanged()
{
    m_frame.refreshStatus();
}

void DocumentDesk::overwritingChanged(const QWidget* window, bool)
{
    if (window && window == dynamic_cast<const QWidget*>(activeDocument(m_frame.mdiArea())))
        showOvertype();
}

void DocumentDesk::showOvertype()
{
    const DocumentWindow* active = activeDocument(m_frame.mdiArea());
    m_frame.setOvertypeIndicator(active && active->overwriting());
}

} // namespace quorvel::ui
