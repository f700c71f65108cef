#include "scrappad/scrap_pad_window.h"

#include "app/command_table.h"
#include "app/session.h"
#include "common/ui_text.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "documents/make_list.h"
#include "documents/text_document_window.h"
#include "icons/icons.h"
#include "platform/services.h"
#include "strings/scrap_pad_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace quorvel::ui {

namespace {

// The wait cursor for the length of an operation.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string withNumbers(const char* pattern, std::initializer_list<long long> numbers)
{
    std::string text = uiText(pattern).toStdString();
    for (const long long n : numbers) {
        const auto at = text.find("%d");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, std::to_string(n));
    }
    return text;
}

// Replaces the whole text of a page as one step that Undo takes back.
void replaceText(QPlainTextEdit* edit, const QString& text)
{
    QTextCursor cursor(edit->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
}

TextSelection selectionOf(const QPlainTextEdit* edit)
{
    const QTextCursor c = edit->textCursor();
    if (!c.hasSelection())
        return TextSelection::caret(c.position());
    return { c.selectionStart(), c.selectionEnd() };
}

constexpr int kHandled[] = { command::kSave, command::kMakeList, command::kMoveNonDictionary,
    command::kMoveDictionary, command::kSelectAll, command::kUndo, command::kCut, command::kCopy,
    command::kPaste, command::kDelete, command::kClearAll };

} // namespace

ScrapPadWindow::ScrapPadWindow(UiContext context, int user, QWidget* parent)
    : QWidget(parent)
    , m_ctx(context)
    , m_user(user)
{
    setObjectName(QStringLiteral("scrapPad"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setWindowTitle(
        uiText(strings::kScrapPadCaption)
            .replace(QLatin1String("%s"), toQString(m_ctx.session.info.userName(user)).trimmed()));
    setWindowIcon(icons::commandIcon(command::kOpenScrapPad));
    setMinimumSize(notebookMinimumSize().toSize());

    // One font for both pages: a sans-serif a little larger than the window's, the size printing
    // starts from.
    m_pageFont = font();
    m_pageFont.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    m_pageFont.setStyleHint(QFont::SansSerif);
    m_pageFont.setWeight(QFont::Medium);
    m_pageFont.setPointSizeF(std::max(QFontMetricsF(font()).height() * 0.7, 8.0));

    const char* names[] = { strings::kScrapPadPage1, strings::kScrapPadPage2 };
    for (int i = 0; i < kScrapPadPages; ++i) {
        auto* edit = new DocumentEditor(this);
        edit->setObjectName(QStringLiteral("scrapPage%1").arg(i + 1));
        edit->setAccessibleName(uiText(names[i]));
        edit->setFont(m_pageFont);
        // Tab goes from one page to the other.
        edit->setTabChangesFocus(true);
        m_pages[static_cast<std::size_t>(i)] = edit;
        // The page that takes the focus is the current page.
        edit->installEventFilter(this);
        auto changed = [this] { Q_EMIT commandStatesChanged(); };
        connect(edit, &QPlainTextEdit::modificationChanged, this, changed);
        connect(edit, &QPlainTextEdit::copyAvailable, this, changed);
        connect(edit, &QPlainTextEdit::undoAvailable, this, changed);
        connect(edit, &DocumentEditor::overwritingChanged, this, [this, edit](bool on) {
            if (edit == current())
                Q_EMIT overwritingChanged(on);
        });
        connect(edit, &DocumentEditor::filesDropped, this, &ScrapPadWindow::filesDropped);
    }
    setTabOrder(m_pages[0], m_pages[1]);
    setFocusProxy(m_pages[0]);
    load();
}

ScrapPadWindow::~ScrapPadWindow() = default;

void ScrapPadWindow::setActionLookup(const std::function<QAction*(int)>& lookup)
{
    for (DocumentEditor* edit : m_pages) {
        // The menus' commands are brought up to date for the page the menu is on.
        edit->setContextCommands(documentContextCommands(DocumentKind::ScrapPad), lookup,
            [this] { Q_EMIT commandStatesChanged(); });
    }
}

void ScrapPadWindow::load()
{
    ScrapPadLoad loaded = loadScrapPad(m_ctx.session.info.dataFolder(), m_user);
    m_noScrapPad = loaded.missing();
    m_files = std::move(loaded.pages);
    for (int i = 0; i < kScrapPadPages; ++i) {
        page(i)->loadText(m_files[static_cast<std::size_t>(i)].text);
        // The editor holds the text from now on.
        m_files[static_cast<std::size_t>(i)].text.clear();
    }
}

void ScrapPadWindow::showLoadMessages()
{
    if (m_loadMessagesShown)
        return;
    m_loadMessagesShown = true;
    for (const ScrapPadPage& p : m_files) {
        if (!p.message.empty())
            m_ctx.prompter.show(p.message, strings::kWarning, MessageIcon::Exclamation);
    }
    if (m_noScrapPad)
        m_ctx.prompter.show(strings::kNoScrapPad, strings::kWarning, MessageIcon::Exclamation);
}

bool ScrapPadWindow::isModified() const
{
    return std::any_of(m_pages.begin(), m_pages.end(),
        [](const DocumentEditor* e) { return e->document()->isModified(); });
}

bool ScrapPadWindow::save()
{
    for (int i = 0; i < kScrapPadPages; ++i)
        m_files[static_cast<std::size_t>(i)].text = page(i)->toPlainText();
    const ScrapPadSaveResult saved = saveScrapPad(m_ctx.session.info.dataFolder(), m_user, m_files);
    for (ScrapPadPage& p : m_files)
        p.text.clear();
    if (!saved) {
        m_ctx.prompter.show(std::string(strings::kProblemsSavingScrapPad) + "\n" + saved.message,
            strings::kWarning, MessageIcon::Question);
        return false;
    }
    for (DocumentEditor* edit : m_pages)
        edit->document()->setModified(false);
    m_noScrapPad = false;
    return true;
}

void ScrapPadWindow::moveWords(MoveKind kind)
{
    WaitCursor wait;
    DictionaryHandle dictionary = OpenDictionary(m_ctx.session.info);
    if (!dictionary) {
        m_ctx.prompter.show(
            strings::kUnableToOpenDictionary, strings::kWarning, MessageIcon::Exclamation);
        return;
    }
    const WordLookup lookup = [&dictionary](std::string_view word) {
        CurrentWordInfo info;
        return FindWord(*dictionary, word, info);
    };
    const MoveWordsResult r = MoveWords(
        kind, page(0)->toPlainText(), page(1)->toPlainText(), selectionOf(page(1)), lookup);
    CloseDictionary(dictionary);
    if (r.moved > 0) {
        // Page 2 gains the words where its caret (or selection) was; page 1 loses them. Each is
        // one step for Undo.
        const TextSelection was = selectionOf(page(1));
        const qsizetype at = std::min(was.start, was.end);
        QTextCursor into = page(1)->textCursor();
        into.insertText(r.page2.mid(at, r.page2Where.start - at));
        page(1)->setTextCursor(into);
        replaceText(page(0), r.page1);
    }
    if (r.leftForFullPage > 0)
        m_ctx.prompter.show(
            withNumbers(strings::kScrapPadPageFull, { kScrapPadMaxLines, r.leftForFullPage }),
            strings::kInformation, MessageIcon::Information);
    if (r.lookupFailed)
        m_ctx.prompter.show(
            strings::kScrapPadDictionaryError, strings::kWarning, MessageIcon::Exclamation);
}

void ScrapPadWindow::makeList()
{
    MakeListOutcome made;
    {
        WaitCursor wait;
        Session& s = m_ctx.session;
        made = MakeListFromText(current()->toPlainText(), selectionOf(current()),
            ListType::ScrapPad, s.info, s.currentUser(), s.documents);
    }
    const MakeListMessage message = makeListMessage(made.result);
    if (!message.shown())
        return;
    if (made.result == MakeListResult::kNoList)
        QApplication::beep();
    m_ctx.prompter.show(message.text, message.caption, MessageIcon::Question);
}

void ScrapPadWindow::insertFailure(const QString& line)
{
    QString text = line;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextCursor cursor = page(0)->textCursor();
    cursor.insertText(text);
    page(0)->setTextCursor(cursor);
}

bool ScrapPadWindow::mayClose()
{
    if (!isModified())
        return true;
    switch (m_ctx.prompter.show(strings::kSaveScrapPadQuestion, strings::kWarning,
        MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return save();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

QStringList ScrapPadWindow::printLines() const
{
    return current()->toPlainText().split(u'\n');
}

bool ScrapPadWindow::handlesCommand(int id) const
{
    return std::find(std::begin(kHandled), std::end(kHandled), id) != std::end(kHandled);
}

bool ScrapPadWindow::commandEnabled(int id) const
{
    const DocumentEditor* edit = current();
    switch (id) {
    case command::kSave:
        return isModified();
    default:
        return edit->editCommandEnabled(id).value_or(handlesCommand(id));
    }
}

void ScrapPadWindow::runDocumentCommand(int id)
{
    DocumentEditor* edit = current();
    switch (id) {
    case command::kSave:
        save();
        break;
    case command::kMakeList:
        makeList();
        break;
    case command::kMoveNonDictionary:
        moveWords(MoveKind::NotInDictionary);
        break;
    case command::kMoveDictionary:
        moveWords(MoveKind::InDictionary);
        break;
    default:
        if (!edit->runEditCommand(id))
            return;
    }
    edit->setFocus();
    Q_EMIT commandStatesChanged();
}

void ScrapPadWindow::setCurrentPage(int index)
{
    if (index == m_currentPage)
        return;
    const bool wasOverwriting = current()->overwriting();
    m_currentPage = index;
    update();
    Q_EMIT commandStatesChanged();
    if (current()->overwriting() != wasOverwriting)
        Q_EMIT overwritingChanged(current()->overwriting());
}

void ScrapPadWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintNotebook(painter, m_layout, m_currentPage, palette());
}

void ScrapPadWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_layout = notebookLayout(size());
    for (int i = 0; i < kScrapPadPages; ++i)
        page(i)->setGeometry(m_layout.pages[static_cast<std::size_t>(i)].toAlignedRect());
}

void ScrapPadWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        update();
}

bool ScrapPadWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto at = std::find(m_pages.begin(), m_pages.end(), watched);
        if (at != m_pages.end())
            setCurrentPage(static_cast<int>(at - m_pages.begin()));
    }
    return QWidget::eventFilter(watched, event);
}

void ScrapPadWindow::closeEvent(QCloseEvent* event)
{
    // The close box and the close command both end here.
    if (!m_closeAgreed && !mayClose()) {
        event->ignore();
        return;
    }
    m_closeAgreed = true;
    m_ctx.session.documents.scrapPadClosed();
    event->accept();
    Q_EMIT closed();
}

ScrapPadWindow* findScrapPad(const QMdiArea* area)
{
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (auto* pad = qobject_cast<ScrapPadWindow*>(sub->widget()))
            return pad;
    }
    return nullptr;
}

ScrapPadWindow* openScrapPad(QMdiArea* area, UiContext context)
{
    if (ScrapPadWindow* open = findScrapPad(area)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            area->setActiveSubWindow(sub);
        return open;
    }
    auto* window = new ScrapPadWindow(context, context.session.currentUser());
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon());
    context.session.documents.scrapPadOpen = true;
    sub->showMaximized();
    area->setActiveSubWindow(sub);
    window->page(0)->setFocus();
    window->showLoadMessages();
    return window;
}

} // namespace quorvel::ui
