#include "users/new_user_wizard.h"

#include "app/session.h"
#include "common/character_validator.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "strings/users_strings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

constexpr int kWizardHelpTopic = 1901;

QLabel* textLabel(const char* text, QWidget* parent)
{
    auto* label = new QLabel(uiText(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

// ---- Slot page ------------------------------------------------------------------------------

WizardSlotPage::WizardSlotPage(NewUserWizard& wizard, const StartupInfo& info, Prompter& prompter)
    : m_wizard(wizard)
    , m_info(info)
    , m_prompter(prompter)
    , m_list(new QListWidget(this))
    , m_anyFree(hasFreeSlot(info))
{
    setObjectName(QStringLiteral("slotPage"));
    setTitle(uiText(strings::kWizardSlotPage));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(strings::kWizardWelcome, this));
    layout->addWidget(textLabel(strings::kWizardSelectSlot, this));
    layout->addWidget(textLabel(strings::kWizardProtectedNote, this));
    if (!m_anyFree) {
        auto* full = textLabel(strings::kAllSlotsUsed, this);
        full->setObjectName(QStringLiteral("allSlotsUsedLabel"));
        layout->addWidget(full);
        // Nothing can be chosen, so the first page is also the last: Finish reports it.
        setFinalPage(true);
    }
    m_list->setObjectName(QStringLiteral("slotList"));
    m_list->setAccessibleName(uiText(strings::kWizardSlotPage));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& line : wizardSlotLines(info))
        m_list->addItem(toQString(line));
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &WizardSlotPage::onSelectionChanged);
}

void WizardSlotPage::onSelectionChanged()
{
    const auto selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    if (!wizardChooseLine(m_info, m_list->row(selected.constFirst()), m_prompter))
        m_list->clearSelection();
}

bool WizardSlotPage::validatePage()
{
    if (!m_anyFree)
        return true;
    const auto selected = m_list->selectedItems();
    std::optional<int> choice;
    if (!selected.isEmpty())
        choice = m_list->row(selected.constFirst());
    return wizardSlotNext(m_wizard.state(), m_info, choice, m_prompter);
}

int WizardSlotPage::nextId() const
{
    return m_anyFree ? NewUserWizard::NamePage : -1;
}

// ---- Name page ------------------------------------------------------------------------------

WizardNamePage::WizardNamePage(NewUserWizard& wizard, Prompter& prompter)
    : m_wizard(wizard)
    , m_prompter(prompter)
    , m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("namePage"));
    setTitle(uiText(strings::kWizardNamePage));
    m_edit->setObjectName(QStringLiteral("nameEdit"));
    m_edit->setAccessibleName(uiText(strings::kNameField));
    restrictLineEdit(m_edit, CharacterSet::UserName, kMaxUserNameLength);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(strings::kWizardNameIntro, this));
    auto* hint = textLabel(strings::kWizardNameHint, this);
    hint->setBuddy(m_edit);
    layout->addWidget(hint);
    layout->addWidget(m_edit);
    layout->addStretch(1);
}

bool WizardNamePage::validatePage()
{
    if (wizardNameNext(m_wizard.state(), m_edit->text().toStdString(), m_prompter))
        return true;
    m_edit->setFocus();
    return false;
}

// ---- Age page -------------------------------------------------------------------------------

WizardAgePage::WizardAgePage(NewUserWizard& wizard, const StartupInfo& info)
    : m_wizard(wizard)
    , m_info(info)
    , m_choices(wizardAgeChoices(info))
    , m_box(new QComboBox(this))
    , m_category(new QLabel(this))
{
    setObjectName(QStringLiteral("agePage"));
    setTitle(uiText(strings::kWizardAgePage));
    m_box->setObjectName(QStringLiteral("ageBox"));
    for (const WizardAgeChoice& choice : m_choices)
        m_box->addItem(choice.age > 0 ? uiText(strings::kWizardAgeYears).arg(choice.age)
                                      : uiText(strings::kWizardAgeAdult));
    m_box->setCurrentIndex(kWizardDefaultAgeChoice);
    m_category->setObjectName(QStringLiteral("ageCategoryLabel"));
    m_category->setWordWrap(true);
    auto* label = new QLabel(uiText(strings::kWizardAgeLabel), this);
    label->setBuddy(m_box);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_box, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(strings::kWizardAgeIntro, this));
    layout->addLayout(row);
    layout->addWidget(m_category);
    layout->addStretch(1);
    connect(m_box, &QComboBox::currentIndexChanged, this, &WizardAgePage::showCategory);
    showCategory();
}

void WizardAgePage::showCategory()
{
    const int row = m_box->currentIndex();
    if (row < 0 || row >= static_cast<int>(m_choices.size()))
        return;
    const int category = m_choices[static_cast<std::size_t>(row)].category;
    m_category->setText(
        uiText(strings::kWizardAgeCategory).arg(toQString(m_info.categoryName(category))));
}

bool WizardAgePage::validatePage()
{
    const int row = m_box->currentIndex();
    if (row >= 0 && row < static_cast<int>(m_choices.size()))
        m_wizard.state().category = m_choices[static_cast<std::size_t>(row)].category;
    return true;
}

// ---- Password page --------------------------------------------------------------------------

WizardPasswordPage::WizardPasswordPage(NewUserWizard& wizard, Prompter& prompter)
    : m_wizard(wizard)
    , m_prompter(prompter)
    , m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("passwordPage"));
    setTitle(uiText(strings::kWizardPasswordPage));
    setFinalPage(true);
    m_edit->setObjectName(QStringLiteral("passwordEdit"));
    m_edit->setAccessibleName(uiText(strings::kPasswordField));
    m_edit->setEchoMode(QLineEdit::Password);
    restrictLineEdit(m_edit, CharacterSet::Password, kMaxPasswordLength);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(strings::kWizardPasswordIntro, this));
    auto* hint = textLabel(strings::kWizardPasswordHint, this);
    hint->setBuddy(m_edit);
    layout->addWidget(hint);
    layout->addWidget(m_edit);
    layout->addStretch(1);
}

bool WizardPasswordPage::validatePage()
{
    switch (wizardPasswordFinish(m_wizard.state(), m_edit->text().toStdString(), m_prompter)) {
    case WizardPasswordStep::Finish:
    case WizardPasswordStep::Abandon: // ends the wizard; the closing step sees state 2
        return true;
    case WizardPasswordStep::Stay:
        break;
    }
    m_edit->setFocus();
    return false;
}

// ---- Wizard ---------------------------------------------------------------------------------

NewUserWizard::NewUserWizard(
    const StartupInfo& info, Prompter& prompter, HelpService& help, QWidget* parent)
    : QWizard(parent)
{
    setObjectName(QStringLiteral("newUserWizard"));
    setWindowTitle(uiText(strings::kWizardTitle));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::HaveHelpButton, true);
    setOption(QWizard::NoBackButtonOnStartPage, true);
    setButtonText(QWizard::BackButton, uiText(strings::kWizardBackButton));
    setButtonText(QWizard::NextButton, uiText(strings::kWizardNextButton));
    setButtonText(QWizard::FinishButton, uiText(strings::kWizardFinishButton));
    setButtonText(QWizard::CancelButton, uiText(strings::kWizardCancelButton));
    setButtonText(QWizard::HelpButton, uiText(strings::kButtonHelp));
    setPage(SlotPage, new WizardSlotPage(*this, info, prompter));
    setPage(NamePage, new WizardNamePage(*this, prompter));
    setPage(AgePage, new WizardAgePage(*this, info));
    setPage(PasswordPage, new WizardPasswordPage(*this, prompter));
    setStartId(SlotPage);
    connect(this, &QWizard::helpRequested, this, [&help]() { help.showContext(kWizardHelpTopic); });
    setMinimumSize(480, 360);
}

bool runNewUserWizard(UiContext& context, QWidget* parent)
{
    NewUserWizard wizard(context.session.info, context.prompter, context.help, parent);
    const bool finished = wizard.exec() == QDialog::Accepted;
    const WizardEnd end
        = finishNewUserWizard(context.session, finished, wizard.state(), context.prompter);
    return wizardChangedRecord(end);
}

} // namespace quorvel::ui
