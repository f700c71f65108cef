#pragma once

#include "users/user_rules.h"

#include <QDialog>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace quorvel::ui {

struct UiContext;
class UserSelector;

// A page of the sheet: shows the record's values again on refresh, and remembers whether it
// changed something that its confirm step must save.
class UserSheetPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void refresh() = 0;
    bool changed() const { return m_changed; }
    void clearChanged() { m_changed = false; }

protected:
    void markChanged() { m_changed = true; }

private:
    bool m_changed = false;
};

// "Change User": makes another user current.
class ChangeUserPage final : public UserSheetPage
{
    Q_OBJECT
public:
    explicit ChangeUserPage(UiContext& context, QWidget* parent = nullptr);
    void refresh() override;

private:
    UiContext& m_context;
    QComboBox* m_box;
};

// "Category": the current user's working category; a free one can be named here.
class CategoryPage final : public UserSheetPage
{
    Q_OBJECT
public:
    explicit CategoryPage(UiContext& context, QWidget* parent = nullptr);
    void refresh() override;

private:
    void onActivated(int slot);

    UiContext& m_context;
    QComboBox* m_box;
    int m_shownIndex = 0;
};

// "New User": the current user's name and password, after that user's password.
class NewUserPage final : public UserSheetPage
{
    Q_OBJECT
public:
    explicit NewUserPage(UiContext& context, QWidget* parent = nullptr);
    // Asks the current user's password when it is in force and fills the page; runs when the
    // page is first shown and again when the current user has changed since.
    void open();
    void refresh() override;

Q_SIGNALS:
    // A new name or password was confirmed: the whole sheet shows the record again.
    void confirmed();

private:
    void onConfirm();

    UiContext& m_context;
    int m_openedFor = -1;
    QLabel* m_presentName;
    QLineEdit* m_name;
    QRadioButton* m_yes;
    QRadioButton* m_no;
    QPushButton* m_confirm;
    QLabel* m_status;
};

// "Startup ": the user who is current when the program starts.
class StartupPage final : public UserSheetPage
{
    Q_OBJECT
public:
    explicit StartupPage(UiContext& context, QWidget* parent = nullptr);
    void refresh() override;

private:
    UiContext& m_context;
    QComboBox* m_box;
};

// The "User setup" sheet (`PropSheetUser`): four pages with OK, Cancel, Apply and Help.
class UserSetupSheet final : public QDialog
{
    Q_OBJECT
public:
    explicit UserSetupSheet(UiContext& context, QWidget* parent = nullptr);
    QTabWidget* tabs() const { return m_tabs; }
    void refreshPages();
    // OK and Apply: saves once when any page changed something. True unless that save failed.
    bool confirmPages();

private:
    void onTabChanged(int index);

    UiContext& m_context;
    QTabWidget* m_tabs;
    ChangeUserPage* m_changeUser;
    CategoryPage* m_category;
    NewUserPage* m_newUser;
    StartupPage* m_startup;
};

// Command 248: shows the sheet; the record is saved after it closes, whichever way it closed.
// The main window then refreshes its user and category boxes and the sound indicator.
void runUserSetupSheet(UiContext& context, QWidget* parent = nullptr);

} // namespace quorvel::ui
