#include "help/help_window.h"

#include "common/ui_text.h"
#include "help/help_contexts.h"
#include "strings/help_strings.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

// The pages live in a static library; their resources must be registered by name, outside any
// namespace, before the first page is looked up.
static void registerHelpPages()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(help_pages);
        return true;
    }();
    (void)registered;
}

namespace quorvel::ui {

namespace {

QString pagePath(int context)
{
    return QStringLiteral(":/help/%1.html").arg(context);
}

QPushButton* makeButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(uiText(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(withoutMnemonic(button->text()));
    button->setAutoDefault(false);
    return button;
}

} // namespace

bool HelpWindow::hasPage(int context)
{
    registerHelpPages();
    return context > 0 && QFile::exists(pagePath(context));
}

QUrl HelpWindow::pageUrl(int context)
{
    const int shown = hasPage(context) ? context : help::kContentsContext;
    return QUrl(QStringLiteral("qrc") + pagePath(shown));
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
    , m_back(makeButton(strings::kHelpBack, "helpBack", this))
    , m_forward(makeButton(strings::kHelpForward, "helpForward", this))
{
    registerHelpPages();
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(uiText(strings::kHelpWindowTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* contents = makeButton(strings::kHelpContents, "helpContents", this);
    auto* close = makeButton(strings::kHelpClose, "helpClose", this);

    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setAccessibleName(uiText(strings::kHelpPageName));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    setTabOrder(m_back, m_forward);
    setTabOrder(m_forward, contents);
    setTabOrder(contents, close);
    setTabOrder(close, m_browser);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { showContext(help::kContentsContext); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });

    // The usual browser keys, besides the buttons' mnemonics.
    auto* backKey = new QShortcut(QKeySequence::Back, this);
    connect(backKey, &QShortcut::activated, m_browser, &QTextBrowser::backward);
    auto* forwardKey = new QShortcut(QKeySequence::Forward, this);
    connect(forwardKey, &QShortcut::activated, m_browser, &QTextBrowser::forward);
    auto* contentsKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Home), this);
    connect(
        contentsKey, &QShortcut::activated, this, [this] { showContext(help::kContentsContext); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    resize(660, 560);
    setMinimumSize(360, 280);
}

void HelpWindow::showContext(int context)
{
    const QUrl url = pageUrl(context);
    if (m_browser->source() == url)
        m_browser->reload();
    else
        m_browser->setSource(url);
    m_browser->setFocus();
}

int HelpWindow::currentContext() const
{
    const QString name = m_browser->source().fileName();
    if (!name.endsWith(QLatin1String(".html")))
        return 0;
    bool ok = false;
    const int context = name.chopped(5).toInt(&ok);
    return ok ? context : 0;
}

void HelpWindow::updateTitle()
{
    const QString page = m_browser->documentTitle();
    const QString title = uiText(strings::kHelpWindowTitle);
    setWindowTitle(page.isEmpty() ? title : title + QStringLiteral(" \u2014 ") + page);
}

HelpBrowser::HelpBrowser(QWidget* owner)
    : m_owner(owner)
{ }

HelpBrowser::~HelpBrowser()
{
    if (m_watched)
        m_watched->removeEventFilter(this);
    // A window without a parent is ours to delete; one with a parent goes with its parent.
    if (m_window && m_window->parentWidget() == nullptr)
        delete m_window.data();
}

void HelpBrowser::showContext(int context)
{
    HelpWindow* window = windowFor(QApplication::activeModalWidget());
    window->showContext(context);
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpBrowser::showIndex()
{
    showContext(help::kContentsContext);
}

void HelpBrowser::showUsingHelp()
{
    showContext(help::kUsingHelpContext);
}

HelpWindow* HelpBrowser::windowFor(QWidget* modal)
{
    // A modal dialog blocks every window but its own children, so help asked for from a dialog
    // is handed to that dialog while it runs, and back to the owner when it closes.
    QWidget* parent = modal ? modal : m_owner.data();
    if (!m_window) {
        m_window = new HelpWindow(parent);
    } else if (m_window->parentWidget() != parent) {
        moveWindow(parent);
    }
    if (modal && modal != m_watched) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        m_watched = modal;
        modal->installEventFilter(this);
    }
    return m_window;
}

void HelpBrowser::moveWindow(QWidget* parent)
{
    const bool visible = m_window->isVisible();
    const QRect geometry = m_window->geometry();
    m_window->setParent(parent, Qt::Window);
    m_window->setGeometry(geometry);
    if (visible)
        m_window->show();
}

bool HelpBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Hide) {
        m_watched->removeEventFilter(this);
        m_watched = nullptr;
        if (m_window && m_window->parentWidget() == watched)
            moveWindow(m_owner.data());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel::ui
