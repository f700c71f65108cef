#include "users/user_setup_sheet.h"

#include "app/session.h"
#include "common/character_validator.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "strings/users_strings.h"
#include "users/ask_adapters.h"
#include "users/user_selector.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

constexpr int kUserSetupHelpTopic = 248;

void fillUserNames(QComboBox* box, const StartupInfo& info, int selected)
{
    box->clear();
    for (int slot = 0; slot < kUserSlots; ++slot)
        box->addItem(toQString(info.userName(slot)));
    box->setCurrentIndex(selected);
}

QComboBox* listBox(const char* objectName, const char* labelText, QWidget* page)
{
    auto* box = new QComboBox(page);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(uiText(labelText).trimmed());
    box->setMaxVisibleItems(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(uiText(labelText), page);
    label->setBuddy(box);
    auto* layout = new QFormLayout(page);
    layout->addRow(label, box);
    return box;
}

} // namespace

// ---- Change User ----------------------------------------------------------------------------

ChangeUserPage::ChangeUserPage(UiContext& context, QWidget* parent)
    : UserSheetPage(parent)
    , m_context(context)
    , m_box(listBox("changeUserBox", strings::kSelectAUser, this))
{
    setObjectName(QStringLiteral("changeUserPage"));
    Session& session = context.session;
    auto* selector = new UserSelector(
        m_box, session.info, context.asker, [&session]() { return session.currentUser(); },
        [&session](int slot) { makeCurrentUser(session, slot); }, this);
    connect(selector, &UserSelector::settled, this, [this](bool) { markChanged(); });
    refresh();
}

void ChangeUserPage::refresh()
{
    fillUserNames(m_box, m_context.session.info, m_context.session.currentUser());
}

// ---- Category -------------------------------------------------------------------------------

CategoryPage::CategoryPage(UiContext& context, QWidget* parent)
    : UserSheetPage(parent)
    , m_context(context)
    , m_box(listBox("categoryBox", strings::kSelectDictionaryCategory, this))
{
    setObjectName(QStringLiteral("categoryPage"));
    connect(m_box, &QComboBox::activated, this, &CategoryPage::onActivated);
    refresh();
}

void CategoryPage::refresh()
{
    const StartupInfo& info = m_context.session.info;
    m_box->clear();
    for (int slot = 0; slot < kCategorySlots; ++slot)
        m_box->addItem(toQString(info.categoryName(slot)));
    m_shownIndex = info.workingCategory(m_context.session.currentUser());
    m_box->setCurrentIndex(m_shownIndex);
}

void CategoryPage::onActivated(int slot)
{
    Session& session = m_context.session;
    if (!isFreeCategory(session.info, slot)) {
        setWorkingCategory(session, slot);
        m_shownIndex = slot;
        m_box->setCurrentIndex(slot);
        markChanged();
        return;
    }
    const CategoryNaming naming = nameFreeCategory(
        session, slot, textAsk(m_context.asker), m_context.prompter, waitCursorHook());
    if (naming == CategoryNaming::Named) {
        refresh();
        return;
    }
    m_box->setCurrentIndex(m_shownIndex);
}

// ---- New User -------------------------------------------------------------------------------

NewUserPage::NewUserPage(UiContext& context, QWidget* parent)
    : UserSheetPage(parent)
    , m_context(context)
    , m_presentName(new QLabel(this))
    , m_name(new QLineEdit(this))
    , m_yes(new QRadioButton(uiText(strings::kYes), this))
    , m_no(new QRadioButton(uiText(strings::kNo), this))
    , m_confirm(new QPushButton(uiText(strings::kConfirmAddition), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("newUserPage"));
    m_presentName->setObjectName(QStringLiteral("presentNameLabel"));
    m_presentName->setTextFormat(Qt::PlainText);
    m_name->setObjectName(QStringLiteral("userNameEdit"));
    m_name->setAccessibleName(uiText(strings::kNameField));
    restrictLineEdit(m_name, CharacterSet::UserName, kMaxUserNameLength);
    m_yes->setObjectName(QStringLiteral("passwordYesRadio"));
    m_no->setObjectName(QStringLiteral("passwordNoRadio"));
    m_confirm->setObjectName(QStringLiteral("confirmButton"));
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);

    auto* nameLabel = new QLabel(uiText(strings::kEnterYourName), this);
    nameLabel->setBuddy(m_name);
    nameLabel->setWordWrap(true);
    auto* group = new QGroupBox(uiText(strings::kRequirePassword), this);
    auto* buttons = new QButtonGroup(this);
    buttons->addButton(m_yes);
    buttons->addButton(m_no);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(m_yes);
    groupLayout->addWidget(m_no);
    groupLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiText(strings::kNewUserWelcome), this));
    layout->addWidget(new QLabel(uiText(strings::kPresentUserName), this));
    layout->addWidget(m_presentName);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);
    layout->addWidget(group);
    layout->addWidget(m_confirm, 0, Qt::AlignLeft);
    layout->addWidget(m_status);
    layout->addStretch(1);
    setTabOrder(m_name, m_yes);
    setTabOrder(m_yes, m_no);
    setTabOrder(m_no, m_confirm);

    connect(m_confirm, &QPushButton::clicked, this, &NewUserPage::onConfirm);
    m_no->setChecked(true);
    refresh();
}

void NewUserPage::refresh()
{
    const Session& session = m_context.session;
    m_presentName->setText(toQString(session.info.userName(session.currentUser())));
}

void NewUserPage::open()
{
    Session& session = m_context.session;
    const int user = session.currentUser();
    if (m_openedFor == user)
        return;
    m_openedFor = user;
    refresh();
    m_name->clear();
    m_no->setChecked(true);
    const NewUserPageView view
        = openNewUserPage(session.info, user, passwordAsk(m_context.asker, session.info));
    m_confirm->setEnabled(view.confirmEnabled);
    m_status->setText(uiText(view.status));
    if (view.confirmEnabled) {
        m_name->setText(toQString(view.name));
        (view.yes ? m_yes : m_no)->setChecked(true);
    }
    m_name->setFocus();
}

void NewUserPage::onConfirm()
{
    const NewUserConfirm result = confirmNewUser(m_context.session, m_name->text().toStdString(),
        m_yes->isChecked(), textAsk(m_context.asker), m_context.prompter, waitCursorHook());
    if (result == NewUserConfirm::Confirmed || result == NewUserConfirm::SaveFailed)
        Q_EMIT confirmed();
    m_name->setFocus();
}

// ---- Startup --------------------------------------------------------------------------------

StartupPage::StartupPage(UiContext& context, QWidget* parent)
    : UserSheetPage(parent)
    , m_context(context)
    , m_box(listBox("startupUserBox", strings::kSelectStartupUser, this))
{
    setObjectName(QStringLiteral("startupPage"));
    StartupInfo& info = context.session.info;
    auto* selector = new UserSelector(
        m_box, info, context.asker, [&info]() { return static_cast<int>(info.startupUser()); },
        [&info](int slot) { info.setStartupUser(static_cast<std::uint16_t>(slot)); }, this);
    connect(selector, &UserSelector::settled, this, [this](bool) { markChanged(); });
    refresh();
}

void StartupPage::refresh()
{
    const StartupInfo& info = m_context.session.info;
    fillUserNames(m_box, info, info.startupUser());
}

// ---- Sheet ----------------------------------------------------------------------------------

UserSetupSheet::UserSetupSheet(UiContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_tabs(new QTabWidget(this))
    , m_changeUser(new ChangeUserPage(context))
    , m_category(new CategoryPage(context))
    , m_newUser(new NewUserPage(context))
    , m_startup(new StartupPage(context))
{
    setObjectName(QStringLiteral("userSetupSheet"));
    setWindowTitle(uiText(strings::kUserSetupTitle));
    m_tabs->setObjectName(QStringLiteral("userSetupTabs"));
    m_tabs->addTab(m_changeUser, uiText(strings::kChangeUserPage));
    m_tabs->addTab(m_category, uiText(strings::kCategoryPage));
    m_tabs->addTab(m_newUser, uiText(strings::kNewUserPage));
    m_tabs->addTab(m_startup, uiText(strings::kStartupPage));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel
            | QDialogButtonBox::Apply | QDialogButtonBox::Help,
        this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    buttons->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("applyButton"));
    buttons->button(QDialogButtonBox::Apply)->setText(uiText(strings::kApplyButton));
    buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("helpButton"));
    buttons->button(QDialogButtonBox::Help)->setText(uiText(strings::kButtonHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, [this]() {
        confirmPages();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
        &UserSetupSheet::confirmPages);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
        [this]() { m_context.help.showContext(kUserSetupHelpTopic); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    connect(m_tabs, &QTabWidget::currentChanged, this, &UserSetupSheet::onTabChanged);
    connect(m_newUser, &NewUserPage::confirmed, this, &UserSetupSheet::refreshPages);
    setMinimumWidth(440);
}

void UserSetupSheet::onTabChanged(int index)
{
    auto* page = qobject_cast<UserSheetPage*>(m_tabs->widget(index));
    if (!page)
        return;
    // Another page may have changed the current user or the names since this one was filled.
    page->refresh();
    if (page == m_newUser)
        m_newUser->open();
}

void UserSetupSheet::refreshPages()
{
    m_changeUser->refresh();
    m_category->refresh();
    m_newUser->refresh();
    m_startup->refresh();
}

bool UserSetupSheet::confirmPages()
{
    UserSheetPage* pages[] = { m_changeUser, m_category, m_newUser, m_startup };
    bool anyChanged = false;
    for (UserSheetPage* page : pages) {
        anyChanged = anyChanged || page->changed();
        page->clearChanged();
    }
    if (!anyChanged)
        return true;
    return saveWithBusy(m_context.session, m_context.prompter, strings::kErrorWritingUserInfoPage,
        waitCursorHook());
}

void runUserSetupSheet(UiContext& context, QWidget* parent)
{
    {
        UserSetupSheet sheet(context, parent);
        sheet.exec();
    }
    context.session.saveStartupInfo(context.prompter);
}

} // namespace quorvel::ui
