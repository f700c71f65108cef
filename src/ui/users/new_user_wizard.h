#pragma once

#include "users/user_rules.h"

#include <QWizard>
#include <QWizardPage>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quorvel {
class Prompter;
}

namespace quorvel::ui {

class HelpService;
struct UiContext;

class NewUserWizard;

// First page: one line per slot; only a free slot can be chosen.
class WizardSlotPage final : public QWizardPage
{
    Q_OBJECT
public:
    WizardSlotPage(NewUserWizard& wizard, const StartupInfo& info, Prompter& prompter);
    bool validatePage() override;
    int nextId() const override;

private:
    void onSelectionChanged();

    NewUserWizard& m_wizard;
    const StartupInfo& m_info;
    Prompter& m_prompter;
    QListWidget* m_list;
    bool m_anyFree;
};

class WizardNamePage final : public QWizardPage
{
    Q_OBJECT
public:
    WizardNamePage(NewUserWizard& wizard, Prompter& prompter);
    bool validatePage() override;

private:
    NewUserWizard& m_wizard;
    Prompter& m_prompter;
    QLineEdit* m_edit;
};

// The new user's age, which chooses the category the user starts with.
class WizardAgePage final : public QWizardPage
{
    Q_OBJECT
public:
    WizardAgePage(NewUserWizard& wizard, const StartupInfo& info);
    bool validatePage() override;

private:
    void showCategory();

    NewUserWizard& m_wizard;
    const StartupInfo& m_info;
    std::vector<WizardAgeChoice> m_choices;
    QComboBox* m_box;
    QLabel* m_category;
};

class WizardPasswordPage final : public QWizardPage
{
    Q_OBJECT
public:
    WizardPasswordPage(NewUserWizard& wizard, Prompter& prompter);
    bool validatePage() override;

private:
    NewUserWizard& m_wizard;
    Prompter& m_prompter;
    QLineEdit* m_edit;
};

// The New User Wizard: a free slot, a name, an age and an optional password. It only collects; the
// slot is taken over by finishNewUserWizard once it has closed.
class NewUserWizard final : public QWizard
{
    Q_OBJECT
public:
    enum PageId
    {
        SlotPage,
        NamePage,
        AgePage,
        PasswordPage
    };
    NewUserWizard(
        const StartupInfo& info, Prompter& prompter, HelpService& help, QWidget* parent = nullptr);
    NewUserWizardState& state() { return m_state; }
    const NewUserWizardState& state() const { return m_state; }

private:
    NewUserWizardState m_state;
};

// Command 1900: runs the wizard, takes the slot over, saves and shows the closing message.
// True when the startup record changed (the main window then refreshes its user and category
// boxes and the sound indicator).
bool runNewUserWizard(UiContext& context, QWidget* parent = nullptr);

} // namespace quorvel::ui
