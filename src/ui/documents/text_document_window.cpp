#include "documents/text_document_window.h"

#include "app/command_table.h"
#include "app/session.h"
#include "common/monospace_font.h"
#include "common/ui_text.h"
#include "documents/document_editor.h"
#include "documents/file_filters.h"
#include "documents/find_dialog.h"
#include "documents/make_list.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "strings/document_strings.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QTextDocument>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace quorvel::ui {

namespace {

std::string fillIn(const char* pattern, const std::string& value)
{
    std::string text(pattern);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

// Shows the wait cursor over the whole program until the end of the scope.
[[nodiscard]] auto waitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    return qScopeGuard([] { QApplication::restoreOverrideCursor(); });
}

} // namespace

const std::vector<int>& documentContextCommands(DocumentKind kind)
{
    // The scrap pad's pages make lists and move words as a bee list does.
    static const std::vector<int> kListMenu = { command::kMakeList, command::kTransfer, 0,
        command::kUndo, command::kCut, command::kCopy, command::kPaste, 0, command::kSelectAll,
        command::kClearAll, command::kDelete };
    static const std::vector<int> kStatisticsMenu
        = { command::kPrint, command::kViewStats, 0, command::kUndo, command::kCut, command::kCopy,
              command::kPaste, 0, command::kSelectAll, command::kClearAll, command::kDelete };
    return kind == DocumentKind::Statistics ? kStatisticsMenu : kListMenu;
}

TextDocumentWindow::TextDocumentWindow(DocumentHost& host, DocumentKind kind, QWidget* parent)
    : QWidget(parent)
    , m_host(host)
    , m_kind(kind)
    , m_editor(new DocumentEditor(this))
    , m_fileTypeOrder(host.context().session.fileTypeOrder)
{
    setObjectName(kind == DocumentKind::Statistics ? QStringLiteral("wstatsMDIChild")
                                                   : QStringLiteral("wspellapEditFile"));
    m_editor->setObjectName(QStringLiteral("documentEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);

    if (kind == DocumentKind::Statistics) {
        // Reports line up in columns.
        m_editor->setFont(monospaceFont());
        m_editor->setAccessibleName(uiText(strings::kReportText));
    } else {
        m_editor->setAccessibleName(uiText(strings::kBeeListText));
    }
    m_editor->setContextCommands(
        documentContextCommands(kind), [this](int id) { return m_host.commandAction(id); },
        [this] { m_host.commandStatesChanged(); });

    const auto changed = [this] { m_host.commandStatesChanged(); };
    connect(m_editor, &QPlainTextEdit::copyAvailable, this, changed);
    connect(m_editor, &QPlainTextEdit::undoAvailable, this, changed);
    connect(m_editor, &QPlainTextEdit::modificationChanged, this, changed);
    connect(m_editor, &DocumentEditor::overwritingChanged, this,
        [this](bool on) { m_host.overwritingChanged(this, on); });
    connect(m_editor, &DocumentEditor::filesDropped, this,
        [this](const QStringList& files) { m_host.openFiles(files); });
}

TextDocumentWindow::~TextDocumentWindow()
{
    delete m_findDialog;
}

void TextDocumentWindow::setCaption(const QString& caption)
{
    m_caption = caption;
    setWindowTitle(caption);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setWindowTitle(caption);
}

void TextDocumentWindow::showText(const QString& text)
{
    m_editor->loadText(text);
}

void TextDocumentWindow::startUntitled()
{
    m_path.clear();
    m_untitled = true;
    m_format = {};
    showText({});
    setCaption(uiText(strings::kNewBeeList));
}

void TextDocumentWindow::startWithFile(const std::string& path, const DecodedText& document)
{
    m_path = path;
    m_untitled = false;
    m_format = document.format;
    showText(document.text);
    setCaption(toQString(path));
}

void TextDocumentWindow::startReport(const QString& caption, const QString& text)
{
    m_path.clear();
    m_untitled = true;
    m_format = {};
    // A report's lines are laid out in columns.
    m_editor->setFont(monospaceFont());
    showText(text);
    setCaption(caption);
}

void TextDocumentWindow::startStatistics(const QString& caption, const ReportRequest& request)
{
    UiContext ctx = m_host.context();
    m_path = paths::statsFile(ctx.session.info.dataFolder());
    m_untitled = false;
    setCaption(caption);
    // The window opens on the saved report, which the new one replaces.
    showReport(makeReport(
        ctx.session.info, { ReportKind::SavedStats, request.currentUser, 0 }, m_host.clock()));
    if (request.kind == ReportKind::SavedStats)
        return;
    const auto busy = waitCursor();
    showText(uiText(strings::kReportWorking).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_editor->viewport()->repaint();
    const ReportResult result
        = makeReport(ctx.session.info, request, m_host.clock(), [this](std::string_view step) {
              m_editor->appendPlainText(toQString(std::string(step)));
              m_editor->viewport()->repaint();
          });
    showReport(result);
}

void TextDocumentWindow::showReport(const ReportResult& result)
{
    DecodedText decoded = decodeText(result.report.text());
    if (decoded.notText)
        decoded = {};
    // A report's lines end as they always have in the statistics file.
    if (!decoded.text.contains(QLatin1Char('\n')))
        decoded.format.lineEnding = LineEnding::CrLf;
    m_format = decoded.format;
    showText(decoded.text);
    const bool saved = result.status == ReportStatus::Unavailable && !result.report.empty();
    if (!result && !saved && !result.message.empty()) {
        m_host.context().prompter.show(result.message,
            result.caption.empty() ? strings::kWarning : result.caption, MessageIcon::Exclamation);
    }
}

bool TextDocumentWindow::modified() const
{
    return m_editor->document()->isModified();
}

bool TextDocumentWindow::writeTo(const std::string& path, bool newName)
{
    const QString text = m_editor->toPlainText();
    TextFormat format = m_format;
    TextSaveResult result = saveTextFile(path, text, format);
    if (result.outcome == TextSaveResult::Outcome::Unencodable && newName
        && format.encoding == TextEncoding::Windows1252) {
        // A new file takes what the old code page cannot hold: it is written as UTF-8.
        format.encoding = TextEncoding::Utf8;
        format.byteOrderMark = false;
        result = saveTextFile(path, text, format);
    }
    if (!result) {
        m_host.context().prompter.show(
            textSaveMessage(path, result), strings::kProductName, MessageIcon::Exclamation);
        return false;
    }
    m_format = format;
    m_editor->document()->setModified(false);
    return true;
}

bool TextDocumentWindow::save()
{
    if (!modified())
        return true;
    if (m_untitled)
        return saveAs();
    return writeTo(m_path, false);
}

bool TextDocumentWindow::saveAs()
{
    UiContext ctx = m_host.context();
    DocumentFileQuestion question;
    question.caption = uiText(strings::kSaveAsCaption).toStdString();
    question.filters = beeFileFilters(m_fileTypeOrder);
    question.filter = m_saveFilter;
    question.start
        = m_untitled ? paths::beeFilesFolder(ctx.session.info.dictionaryFolder()) : m_path;
    question.defaultSuffix = beeDefaultSuffix(m_fileTypeOrder);
    const std::optional<std::string> chosen = ctx.asker.askSaveDocument(question);
    if (!chosen || chosen->empty())
        return false;
    if (!writeTo(*chosen, *chosen != m_path))
        return false;
    m_saveFilter = question.filter;
    m_path = *chosen;
    m_untitled = false;
    if (m_kind == DocumentKind::BeeList)
        setCaption(toQString(m_path));
    m_host.savedAs(m_path);
    return true;
}

bool TextDocumentWindow::mayClose()
{
    if (!modified())
        return true;
    const std::string name = m_untitled ? std::string(strings::kNewBeeList) : m_path;
    switch (m_host.context().prompter.show(fillIn(strings::kTextChanged, name),
        strings::kProductName, MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return save();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

int TextDocumentWindow::makeList()
{
    UiContext ctx = m_host.context();
    Session& session = ctx.session;
    MakeListOutcome outcome;
    {
        const auto busy = waitCursor();
        const QTextCursor c = m_editor->textCursor();
        const TextSelection where = c.hasSelection()
            ? TextSelection { c.selectionStart(), c.selectionEnd() }
            : TextSelection::caret(c.position());
        outcome = MakeListFromText(m_editor->toPlainText(), where, ListType::Window, session.info,
            session.currentUser(), session.documents);
    }
    // Whatever came of it, the status bar says where the next list comes from.
    m_host.listStatusChanged();
    const MakeListMessage message = makeListMessage(outcome.result);
    if (message.shown())
        ctx.prompter.show(message.text, message.caption, MessageIcon::Question);
    return outcome.result;
}

bool TextDocumentWindow::findNext(const SearchRequest& request)
{
    m_lastSearch = request;
    m_host.commandStatesChanged();
    if (m_editor->findNext(request))
        return true;
    m_host.context().prompter.show(fillIn(strings::kCannotFindText, request.text.toStdString()),
        strings::kProductName, MessageIcon::Information);
    return false;
}

FindDialog* TextDocumentWindow::showFindDialog(bool replacing)
{
    if (m_findDialog && m_findDialog->objectName() != (replacing ? "replaceDialog" : "findDialog"))
        delete m_findDialog;
    if (!m_findDialog) {
        m_findDialog = new FindDialog(replacing, window());
        m_findDialog->setAttribute(Qt::WA_DeleteOnClose);
        FindDialog* dialog = m_findDialog;
        connect(dialog, &FindDialog::findNextRequested, this,
            [this, dialog] { findNext(dialog->request()); });
        connect(dialog, &FindDialog::replaceRequested, this, [this, dialog] {
            m_lastSearch = dialog->request();
            m_host.commandStatesChanged();
            if (!m_editor->replaceNext(dialog->request(), dialog->replacement()))
                findNext(dialog->request());
        });
        connect(dialog, &FindDialog::replaceAllRequested, this, [this, dialog] {
            m_lastSearch = dialog->request();
            m_host.commandStatesChanged();
            if (m_editor->replaceAll(dialog->request(), dialog->replacement()) == 0)
                findNext(dialog->request());
        });
    }
    // The search starts from what is selected, or from the last search.
    const QString selected = m_editor->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_findDialog->setSearchText(selected);
    else if (m_lastSearch)
        m_findDialog->setSearchText(m_lastSearch->text);
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    return m_findDialog;
}

QStringList TextDocumentWindow::printLines() const
{
    return m_editor->toPlainText().split(QLatin1Char('\n'));
}

QFont TextDocumentWindow::printFont() const
{
    return m_editor->font();
}

std::string TextDocumentWindow::attachableFile() const
{
    if (m_untitled || m_path.empty())
        return {};
    std::error_code ec;
    return std::filesystem::is_regular_file(m_path, ec) ? m_path : std::string();
}

bool TextDocumentWindow::handlesCommand(int id) const
{
    switch (id) {
    case command::kMakeList:
        return m_kind == DocumentKind::BeeList;
    case command::kSave:
    case command::kSaveAs:
    case command::kSelectAll:
    case command::kUndo:
    case command::kCut:
    case command::kCopy:
    case command::kPaste:
    case command::kDelete:
    case command::kClearAll:
    case command::kFind:
    case command::kReplace:
    case command::kFindNext:
        return true;
    default:
        return false;
    }
}

bool TextDocumentWindow::commandEnabled(int id) const
{
    switch (id) {
    case command::kSave:
        return modified();
    case command::kSaveAs:
    case command::kFind:
    case command::kReplace:
        return true;
    case command::kMakeList:
        return m_kind == DocumentKind::BeeList;
    case command::kFindNext:
        return m_lastSearch.has_value();
    default:
        return m_editor->editCommandEnabled(id).value_or(false);
    }
}

void TextDocumentWindow::runDocumentCommand(int id)
{
    switch (id) {
    case command::kSave:
        save();
        break;
    case command::kSaveAs:
        saveAs();
        break;
    case command::kMakeList:
        makeList();
        break;
    case command::kFind:
        showFindDialog(false);
        break;
    case command::kReplace:
        showFindDialog(true);
        break;
    case command::kFindNext:
        if (m_lastSearch)
            findNext(*m_lastSearch);
        break;
    default:
        m_editor->runEditCommand(id);
        break;
    }
    m_host.commandStatesChanged();
}

} // namespace quorvel::ui
