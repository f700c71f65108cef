#include "app/main_frame.h"

#include "app/command_table.h"
#include "app/frame_placement.h"
#include "app/list_status.h"
#include "app/session.h"
#include "common/closable_document.h"
#include "common/document_commands.h"
#include "common/status_field.h"
#include "common/ui_text.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "documents/recent_files.h"
#include "icons/icons.h"
#include "platform/services.h"
#include "strings/app_strings.h"
#include "strings/strings.h"
#include "strings/users_strings.h"
#include "users/user_rules.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

namespace quorvel::ui {

namespace {

// Shortcuts of the accelerator table beside the ones the desktop usually has.
QList<QKeySequence> shortcutsOf(int id)
{
    switch (id) {
    case command::kCut:
        return { QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence::Cut };
    case command::kCopy:
        return { QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence::Copy };
    case command::kPaste:
        return { QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence::Paste };
    case command::kClearAll:
        return { QKeySequence(Qt::CTRL | Qt::Key_Delete) };
    case command::kUndo:
        return { QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence::Undo };
    case command::kFindNext:
        return { QKeySequence(Qt::Key_F3) };
    case command::kDelete:
        return { QKeySequence(Qt::Key_Delete) };
    default:
        return {};
    }
}

const int kToolBar1[]
    = { command::kSpellingBee, 0, command::kBrowseDictionary, 0, command::kListProperties, 0,
          command::kOpenScrapPad, command::kNewBeeFile, command::kOpenBeeFile, command::kSave,
          command::kCloseActive, 0, command::kMakeList, command::kPrint, 0,
          command::kDictionaryEditor, command::kHistoryReport, command::kHelpContents };

const int kToolBar2Tail[]
    = { command::kLastList, 0, command::kTransfer, command::kDownload, 0, command::kUndo,
          command::kCut, command::kCopy, command::kPaste, 0, command::kFind, command::kFindNext };

// The active document, when it carries out command `id` itself.
CommandDocument* documentFor(const QMdiArea* area, int id)
{
    const QMdiSubWindow* child = area->activeSubWindow();
    auto* document = child ? dynamic_cast<CommandDocument*>(child->widget()) : nullptr;
    return document && document->handlesCommand(id) ? document : nullptr;
}

} // namespace

void UserComboBox::showPopup()
{
    if (m_session.documents.scrapPadOpen) {
        Q_EMIT focusRefused();
        return;
    }
    QComboBox::showPopup();
}

void UserComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (m_session.documents.scrapPadOpen)
        Q_EMIT focusRefused();
}

MainFrame::MainFrame(UiContext context, SettingsFile& settings, QWidget* parent)
    : QMainWindow(parent)
    , m_ctx(context)
    , m_settings(settings)
    , m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("wspellapApp"));
    setWindowTitle(uiText(strings::kApplicationTitle));
    setWindowIcon(icons::applicationIcon());
    m_mdi->setObjectName(QStringLiteral("wspellapMDIClient"));
    m_mdi->setBackground(palette().brush(QPalette::Dark));
    m_mdi->setAccessibleName(uiText(strings::kDocumentsArea));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);

    buildActions();
    buildMenus();
    buildToolBars();
    buildStatusBar();

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { refreshCommandStates(); });
    qApp->installEventFilter(this);
    refreshRecentFiles();

    Session* session = &m_ctx.session;
    connect(session, &Session::usersChanged, this, &MainFrame::fillUserBox);
    connect(session, &Session::categoriesChanged, this, &MainFrame::fillCategoryBox);
    connect(session, &Session::dictionaryChanged, this, &MainFrame::dictionaryChanged);
    connect(session, &Session::currentUserChanged, this, [this](int slot) {
        m_userBox->setCurrentIndex(slot);
        refreshStatus();
    });
    connect(session, &Session::currentCategoryChanged, m_categoryBox, &QComboBox::setCurrentIndex);
    connect(session, &Session::recordChanged, this, &MainFrame::refreshStatus);
    connect(session, &Session::accessChanged, this, &MainFrame::refreshCommandStates);
    fillUserBox();
    fillCategoryBox();
    refreshStatus();
}

MainFrame::~MainFrame()
{
    qApp->removeEventFilter(this);
    // The documents still open go with the window's children, after this object's members: the
    // area's last activation signal must not reach a half-destroyed window, whether through this
    // object or through the helpers it owns (the document desk).
    disconnect(m_mdi, nullptr, nullptr, nullptr);
}

void MainFrame::buildActions()
{
    for (const CommandInfo& c : commandTable()) {
        auto* a = new QAction(uiText(c.text).section(QLatin1Char('\t'), 0, 0), this);
        a->setObjectName(QString::fromLatin1(commandName(c.id)));
        a->setData(c.id);
        a->setStatusTip(uiText(c.hint));
        a->setToolTip(withoutMnemonic(a->text()).remove(QStringLiteral("...")).trimmed());
        a->setIcon(icons::commandIcon(c.id));
        a->setIconVisibleInMenu(false);
        const QList<QKeySequence> keys = shortcutsOf(c.id);
        if (!keys.isEmpty()) {
            a->setShortcuts(keys);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        if (c.id == command::kExit)
            a->setShortcut(QKeySequence::Quit);
        if (c.id == command::kHelpContents)
            a->setToolTip(uiText(strings::kHelpContentsTip));
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_actions[c.id] = a;
    }
}

void MainFrame::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(uiText(strings::kMenuFile));
    m_fileMenu = file;
    QMenu* fileNew = file->addMenu(uiText(strings::kMenuNew));
    QMenu* edit = bar->addMenu(uiText(strings::kMenuEdit));
    QMenu* utilities = bar->addMenu(uiText(strings::kMenuUtilities));
    QMenu* system = bar->addMenu(uiText(strings::kMenuSystem));
    QMenu* history = nullptr;
    QMenu* window = bar->addMenu(uiText(strings::kMenuWindow));
    QMenu* help = bar->addMenu(uiText(strings::kMenuHelp));
    for (const CommandInfo& c : commandTable()) {
        QMenu* menu = nullptr;
        switch (c.menu) {
        case Menu::FileNew:
            menu = fileNew;
            break;
        case Menu::File:
            menu = file;
            break;
        case Menu::Edit:
            menu = edit;
            break;
        case Menu::Utilities:
            menu = utilities;
            break;
        case Menu::System:
            menu = system;
            break;
        case Menu::SystemHistory:
            if (!history)
                history = system->addMenu(uiText(strings::kMenuHistoryReport));
            menu = history;
            break;
        case Menu::Window:
            menu = window;
            break;
        case Menu::Help:
            menu = help;
            break;
        }
        if (c.id == command::kExit) {
            m_recentAnchor = file->addSeparator();
            menu->addAction(m_actions[c.id]);
            continue;
        }
        if (c.separatorBefore && !menu->isEmpty())
            menu->addSeparator();
        menu->addAction(m_actions[c.id]);
    }
    for (QMenu* m : { file, fileNew, edit, utilities, system, history, window, help }) {
        if (m)
            connect(m, &QMenu::aboutToShow, this, [this] { refreshCommandStates(); });
    }
}

void MainFrame::buildToolBars()
{
    auto addButtons = [this](QToolBar* bar, const auto& ids) {
        for (int id : ids) {
            if (id == 0)
                bar->addSeparator();
            else
                bar->addAction(m_actions[id]);
        }
    };
    auto* first = addToolBar(uiText(strings::kCommandsToolBar));
    first->setObjectName(QStringLiteral("commandToolBar"));
    first->setIconSize(QSize(24, 24));
    addButtons(first, kToolBar1);

    addToolBarBreak();
    auto* second = addToolBar(uiText(strings::kUserToolBar));
    second->setObjectName(QStringLiteral("userToolBar"));
    second->setIconSize(QSize(24, 24));
    m_categoryBox = new QComboBox(second);
    m_categoryBox->setObjectName(QStringLiteral("categoryBox"));
    m_categoryBox->setToolTip(uiText(strings::kChooseCategoryTip));
    m_categoryBox->setAccessibleName(uiText(strings::kChooseCategoryTip));
    m_categoryBox->setMinimumContentsLength(22);
    m_categoryBox->setMaxVisibleItems(16);
    m_categoryBox->setFocusPolicy(Qt::ClickFocus);
    second->addWidget(m_categoryBox);
    second->addSeparator();
    m_userBox = new UserComboBox(m_ctx.session, second);
    m_userBox->setObjectName(QStringLiteral("userBox"));
    m_userBox->setToolTip(uiText(strings::kSelectUserTip));
    m_userBox->setAccessibleName(uiText(strings::kSelectUserTip));
    m_userBox->setMinimumContentsLength(22);
    m_userBox->setFocusPolicy(Qt::ClickFocus);
    second->addWidget(m_userBox);
    second->addSeparator();
    addButtons(second, kToolBar2Tail);

    connect(m_userBox, &QComboBox::activated, this, &MainFrame::userChosen);
    connect(m_userBox, &UserComboBox::focusRefused, this, &MainFrame::returnFocusToClient);
    connect(m_categoryBox, &QComboBox::activated, this, &MainFrame::categoryChosen);
}

void MainFrame::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // The fields sit side by side in one strip. They give way (down to a letter and "…") when
    // the window is narrow, and the strip steps aside while a menu or tool-bar hint shows, so
    // the hint is always readable.
    auto* strip = new StatusStrip(bar);
    m_statusFields = strip;
    m_statusFields->setObjectName(QStringLiteral("statusFields"));
    auto field = [&](const char* name, int widthChars, const QString& text = {}) {
        auto* label = new StatusField(text, widthChars, m_statusFields);
        label->setObjectName(QString::fromLatin1(name));
        label->setAccessibleName(text.isEmpty() ? QString::fromLatin1(name) : text);
        strip->add(label);
        m_fields[name] = label;
        return label;
    };
    auto picture = [&](const char* name, const QString& accessible) {
        auto* label = new QLabel(m_statusFields);
        label->setObjectName(QString::fromLatin1(name));
        label->setAccessibleName(accessible);
        label->setFixedSize(22, 18);
        label->setAlignment(Qt::AlignCenter);
        strip->add(label);
        return label;
    };
    field("maxListLabel", 8, uiText(strings::kMaxList));
    field("listSizeField", 7);
    field("wordFilterField", 35);
    m_soundIcon = picture("soundIcon", uiText(strings::kSoundPicture));
    field("listStatusLabel", 11, uiText(strings::kListStatus));
    m_listIcon = picture("listIcon", uiText(strings::kListSourcePicture));
    field("listSourceField", 10);
    field("wordCountField", 6);
    field("listTypeField", 8);
    field("reviewDueField", 14);
    m_languageIcon = picture("languageIcon", uiText(strings::kLanguagePicture));
    m_capsLabel = field("capsIndicator", 4, uiText(strings::kCapsIndicator));
    m_overtypeLabel = field("overtypeIndicator", 4, uiText(strings::kOvertypeIndicator));
    m_capsLabel->setEnabled(false);
    m_overtypeLabel->setEnabled(false);
    bar->addPermanentWidget(m_statusFields);
    connect(bar, &QStatusBar::messageChanged, m_statusFields,
        [this](const QString& message) { m_statusFields->setVisible(message.isEmpty()); });
}

void MainFrame::setHandler(int id, std::function<void()> run, std::function<bool()> enabled)
{
    m_handlers[id] = std::move(run);
    if (enabled)
        m_conditions[id] = std::move(enabled);
    else
        m_conditions.erase(id);
    refreshCommandStates();
}

QAction* MainFrame::action(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainFrame::runCommand(int id)
{
    if (m_intercept && m_intercept(id))
        return;
    refreshCommandStates();
    QAction* a = action(id);
    if (a && !a->isEnabled())
        return;
    if (CommandDocument* document = documentFor(m_mdi, id)) {
        document->runDocumentCommand(id);
    } else {
        auto it = m_handlers.find(id);
        if (it == m_handlers.end())
            return;
        it->second();
    }
    // Whatever the command changed reaches the boxes, the status bar and the menus; the list
    // status is read again, since a command may have made a new list.
    m_ctx.session.publishChanges();
    refreshStatus();
}

void MainFrame::refreshCommandStates()
{
    const bool unlocked = m_ctx.session.systemMenuUnlocked();
    const bool anyDocument = !m_mdi->subWindowList().isEmpty();
    for (const CommandInfo& c : commandTable()) {
        QAction* a = m_actions[c.id];
        if (const CommandDocument* document = documentFor(m_mdi, c.id)) {
            a->setEnabled(document->commandEnabled(c.id));
            continue;
        }
        bool enabled = m_handlers.count(c.id) > 0;
        if (c.locked)
            enabled = enabled && unlocked;
        if (c.id == command::kTransfer)
            enabled = enabled && unlocked;
        if (c.id == command::kCloseActive || c.id == command::kCascade || c.id == command::kTile
            || c.id == command::kArrangeIcons || c.id == command::kCloseAll)
            enabled = enabled && anyDocument;
        if (c.handler == Handler::Document)
            enabled = enabled && m_mdi->activeSubWindow() != nullptr;
        auto cond = m_conditions.find(c.id);
        if (enabled && cond != m_conditions.end())
            enabled = cond->second();
        a->setEnabled(enabled);
    }
    // The sound item says what the current user has now.
    const bool soundOn = m_ctx.session.info.soundOn(m_ctx.session.currentUser()) != 0;
    m_actions[command::kSound]->setText(
        soundOn ? uiText(strings::kSoundMenuWhileOn) : uiText(strings::kSoundMenuWhileOff));
    const bool openEnabled = m_actions[command::kOpenBeeFile]->isEnabled();
    for (QAction* r : m_recentActions)
        r->setEnabled(openEnabled);
}

void MainFrame::refreshRecentFiles()
{
    for (QAction* r : m_recentActions) {
        m_fileMenu->removeAction(r);
        // The entry may be the one being chosen: it goes once the choice is over, nameless.
        r->setObjectName(QString());
        r->deleteLater();
    }
    m_recentActions.clear();
    const RecentFiles recent = RecentFiles::load(m_settings);
    for (std::size_t i = 0; i < recent.paths().size(); ++i) {
        const QString path = toQString(recent.paths()[i]);
        auto* a = new QAction(toQString(recent.menuText(i)), this);
        a->setStatusTip(path);
        a->setData(path);
        a->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        const int index = static_cast<int>(i);
        connect(a, &QAction::triggered, this, [this, index] {
            if (m_openRecent)
                m_openRecent(index);
            m_ctx.session.publishChanges();
            refreshCommandStates();
        });
        m_fileMenu->insertAction(m_recentAnchor, a);
        m_recentActions.append(a);
    }
    if (!m_recentActions.isEmpty())
        m_fileMenu->insertSeparator(m_recentActions.first());
}

void MainFrame::fillUserBox()
{
    const Session& s = m_ctx.session;
    m_userBox->clear();
    for (int i = 0; i < kUserSlots; ++i)
        m_userBox->addItem(toQString(s.info.userName(i)));
    m_userBox->setCurrentIndex(s.currentUser());
}

void MainFrame::fillCategoryBox()
{
    const Session& s = m_ctx.session;
    if (m_categoryCountsStale) {
        m_categoryCounts = countCategoryWords(s.info.dictionaryFolder());
        m_categoryCountsStale = false;
    }
    // The line of a slot is its index; an empty category is marked after its name, which stays
    // as it is stored. Slot 0 is the main dictionary and a free slot holds nothing by design.
    m_categoryBox->clear();
    for (int i = 0; i < kCategorySlots; ++i) {
        QString line = toQString(s.info.categoryName(i));
        if (i > 0 && m_categoryCounts && (*m_categoryCounts)[static_cast<std::size_t>(i)] == 0
            && !isFreeCategory(s.info, i))
            line += QLatin1Char(' ') + uiText(strings::kEmptyCategoryMark);
        m_categoryBox->addItem(line);
    }
    m_categoryBox->setCurrentIndex(s.currentCategory());
}

static_assert(kCategoryCountSlots == kCategorySlots);

void MainFrame::dictionaryChanged()
{
    m_categoryCountsStale = true;
    fillCategoryBox();
}

void MainFrame::refreshStatus()
{
    const ListStatusFields f = computeListStatus(m_ctx.session);
    m_fields["listSizeField"]->setText(toQString(f.listSize));
    m_fields["wordFilterField"]->setText(toQString(f.wordFilter));
    m_fields["listSourceField"]->setText(toQString(f.source));
    m_fields["wordCountField"]->setText(toQString(f.wordCount));
    m_fields["listTypeField"]->setText(toQString(f.listType));
    m_fields["reviewDueField"]->setText(toQString(f.reviewDue));
    m_fields["reviewDueField"]->setAccessibleName(toQString(f.reviewDue));
    m_fields["listSizeField"]->setAccessibleName(
        uiText(strings::kListSizeFieldName).arg(toQString(f.listSize)));
    m_fields["listSourceField"]->setAccessibleName(toQString(f.source).trimmed());
    m_fields["wordCountField"]->setAccessibleName(
        uiText(strings::kWordsFieldName).arg(toQString(f.wordCount)));
    const int size = 16;
    m_soundIcon->setPixmap(icons::soundIcon(f.soundImage == 1).pixmap(size, size));
    m_soundIcon->setToolTip(
        f.soundImage == 1 ? uiText(strings::kSoundOnTip) : uiText(strings::kSoundOffTip));
    m_soundIcon->setProperty("image", f.soundImage);
    m_listIcon->setPixmap(icons::listIcon(f.listIcon).pixmap(size, size));
    m_listIcon->setProperty("image", f.listIcon);
    m_languageIcon->setPixmap(icons::languageIcon(f.languageImage).pixmap(size, size));
    m_languageIcon->setProperty("image", f.languageImage);
    m_languageIcon->setToolTip(f.languageImage == 0 ? uiText(strings::kEnglishUkTip)
            : f.languageImage == 1                  ? uiText(strings::kEnglishUsaTip)
                                                    : QString());
    refreshCommandStates();
}

void MainFrame::setOvertypeIndicator(bool on)
{
    m_overtypeLabel->setEnabled(on);
}

namespace {

// The local files of a drag, or nothing when it carries anything else.
QStringList draggedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void MainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_openDropped && !draggedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainFrame::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_openDropped && !draggedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = draggedFiles(event->mimeData());
    if (!m_openDropped || files.isEmpty())
        return;
    event->acceptProposedAction();
    // Each file opens in turn, in the order of the drop.
    m_openDropped(files);
    m_ctx.session.publishChanges();
    refreshCommandStates();
}

QString MainFrame::statusText(const char* objectName) const
{
    auto it = m_fields.find(objectName);
    return it == m_fields.end() ? QString() : it->second->text();
}

void MainFrame::userChosen(int index)
{
    Session& s = m_ctx.session;
    bool go = index >= 0 && index < kUserSlots;
    if (go && s.info.passwordOn(index)) {
        PasswordRequest request;
        request.slot = static_cast<std::uint16_t>(index);
        go = m_ctx.asker.askPassword(s.info, request) && request.accepted;
    }
    if (go && index != s.currentUser())
        makeCurrentUser(s, index);
    s.publishChanges();
    // A refused choice puts the box back on the current user.
    m_userBox->setCurrentIndex(s.currentUser());
    returnFocusToClient();
}

void MainFrame::categoryChosen(int index)
{
    Session& s = m_ctx.session;
    if (index >= 0 && index < kCategorySlots
        && s.info.categoryName(index) != strings::kFreeCategory) {
        s.info.setWorkingCategory(s.currentUser(), static_cast<std::uint16_t>(index));
        s.setCurrentCategory(index);
        s.publishChanges();
    }
    m_categoryBox->setCurrentIndex(s.currentCategory());
    returnFocusToClient();
}

void MainFrame::returnFocusToClient()
{
    if (QWidget* active = m_mdi->activeSubWindow())
        active->setFocus();
    else
        m_mdi->setFocus();
}

void MainFrame::showWithSavedPlacement()
{
    ScreenMetrics metrics;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableVirtualGeometry();
        metrics.left = r.left();
        metrics.top = r.top();
        metrics.width = r.width();
        metrics.height = r.height();
        metrics.iconHeight = style()->pixelMetric(QStyle::PM_LargeIconSize);
        metrics.captionHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    }
    const FramePlacement p = restoreFramePlacement(m_settings, metrics);
    switch (p.show) {
    case FrameShow::Maximized:
        showMaximized();
        break;
    case FrameShow::SystemPlaced:
        resize(900, 640);
        show();
        break;
    case FrameShow::Placed:
        setGeometry(p.x, p.y, p.w, p.h);
        show();
        break;
    }
}

void MainFrame::savePlacement()
{
    const QRect g = geometry();
    saveFramePlacement(
        m_settings, isMaximized(), isMinimized(), g.x(), g.y(), g.width(), g.height());
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    // Every document window is asked first, and one that refuses keeps the program open; then
    // the quit question. Nothing is closed until both agreed, so answering No to the question
    // leaves every window as it was.
    for (QMdiSubWindow* w : m_mdi->subWindowList()) {
        auto* document = dynamic_cast<ClosableDocument*>(w->widget());
        if (document && !document->mayClose()) {
            event->ignore();
            return;
        }
    }
    if (!m_quitConfirmed && m_canQuit && !m_canQuit()) {
        event->ignore();
        return;
    }
    // A start that stopped before confirming its folder writes nothing, not even the placement.
    if (m_ctx.session.startCompleted)
        savePlacement();
    event->accept();
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+Shift+Tab and then K shows the hidden note, but only where Ctrl+Shift+Tab does
        // nothing else: a key event climbs from the focus widget to its window until someone
        // takes it (a tab widget going back a page, a text field), so one that reaches the
        // window itself was left alone by everything on the way.
        const bool ctrlShiftTab = key->key() == Qt::Key_Backtab
            && (key->modifiers() & Qt::ControlModifier) && (key->modifiers() & Qt::ShiftModifier);
        if (ctrlShiftTab) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow())
                m_noteArmed = true;
            return false;
        }
        if (m_noteArmed && key->key() == Qt::Key_K) {
            m_noteArmed = false;
            m_ctx.prompter.show(
                strings::hiddenNoteText(), strings::kInformation, MessageIcon::Information);
            return true;
        }
        if (key->key() != Qt::Key_Shift && key->key() != Qt::Key_Control)
            m_noteArmed = false;
        if (key->key() == Qt::Key_CapsLock && !key->isAutoRepeat()
            && watched == QApplication::focusWidget()) {
            m_capsOn = !m_capsOn;
            m_capsLabel->setEnabled(m_capsOn);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quorvel::ui
