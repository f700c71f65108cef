// The user dialogs driven as a person would: the password entry dialog, choosing a user in a
// list (with Skip), the New User Wizard, the password setup and the "User setup" sheet.

#include "app/session.h"
#include "strings/users_strings.h"
#include "support/dialog_world.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/records.h"
#include "support/temp_folder.h"
#include "users/dialog_asker.h"
#include "users/new_user_wizard.h"
#include "users/password_dialog.h"
#include "users/password_setup_dialog.h"
#include "users/user_selector.h"
#include "users/user_setup_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QWizard>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return done();
}

class UsersUiTest : public ::testing::Test, protected DialogWorld
{
protected:
    void protect(int slot, const std::string& password)
    {
        protectSlot(session.info, slot, password);
    }
};

// ---- Password entry dialog ------------------------------------------------------------------

TEST_F(UsersUiTest, PasswordDialogChecksTheTypedPasswordAndClosesWithOk)
{
    protect(2, "Right2");
    struct Case
    {
        const char* typed;
        bool accepted;
    } cases[] = { { "Right2", true }, { "right2", false } };
    for (const Case& c : cases) {
        FakePrompter p;
        onNextModal([&](QWidget* dialog) {
            auto* edit = child<QLineEdit>(dialog, "passwordEdit");
            ASSERT_TRUE(edit);
            EXPECT_EQ(dialog->windowTitle(), "Enter Password");
            EXPECT_EQ(edit->maxLength(), 10);
            QTest::keyClicks(edit, c.typed);
            child<QPushButton>(dialog, "okButton")->click();
        });
        PasswordRequest request { 2, false, false, false };
        EXPECT_TRUE(ui::AskPassword(session.info, request, p, help));
        EXPECT_EQ(request.accepted, c.accepted) << c.typed;
        EXPECT_FALSE(request.skipped);
        if (c.accepted) {
            EXPECT_TRUE(p.shown.empty());
        } else {
            ASSERT_EQ(p.shown.size(), 1u);
            EXPECT_EQ(p.shown[0].text, "Incorrect password");
            EXPECT_EQ(p.shown[0].caption, "Warning!");
            EXPECT_EQ(p.shown[0].icon, MessageIcon::None);
        }
    }
}

TEST_F(UsersUiTest, PasswordDialogRefusesOtherCharactersAndOffersHelpAndSkip)
{
    onNextModal([&](QWidget* dialog) {
        auto* edit = child<QLineEdit>(dialog, "passwordEdit");
        QTest::keyClicks(edit, "ab c!d_");
        EXPECT_EQ(edit->text(), "abcd");
        child<QPushButton>(dialog, "helpButton")->click();
        child<QPushButton>(dialog, "skipButton")->click();
    });
    PasswordRequest request { 1, false, false, false };
    EXPECT_FALSE(ui::AskPassword(session.info, request, prompter, help));
    EXPECT_TRUE(request.skipped);
    EXPECT_FALSE(request.accepted);
    EXPECT_EQ(help.contexts, std::vector<int> { 4350 });

    PasswordRequest outside { 10, false, false, false };
    EXPECT_FALSE(ui::AskPassword(session.info, outside, prompter, help)) << "ends at once";
}

TEST_F(UsersUiTest, DialogAskerShowsTheRealDialogs)
{
    QWidget owner;
    ui::DialogAsker real(&owner, prompter, help);
    onNextModal([&](QWidget* box) {
        auto* edit = child<QLineEdit>(box, "inputEdit");
        ASSERT_TRUE(edit);
        EXPECT_EQ(box->windowTitle(), "Caption");
        QTest::keyClicks(edit, "Name 1.x");
        EXPECT_EQ(edit->text(), "Name 1x") << "a user name takes no full stop";
        box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(real.askText("Caption", "Prompt", 29, CharacterSet::UserName),
        std::optional<std::string>("Name 1x"));

    onNextModal([&](QWidget* box) { qobject_cast<QDialog*>(box)->reject(); });
    EXPECT_EQ(real.askText("Caption", "Prompt", 5, CharacterSet::Any), std::nullopt);

    protect(3, "three");
    onNextModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "passwordDialog");
        QTest::keyClicks(child<QLineEdit>(dialog, "passwordEdit"), "three");
        child<QPushButton>(dialog, "okButton")->click();
    });
    PasswordRequest request { 3, false, false, false };
    EXPECT_TRUE(real.askPassword(session.info, request));
    EXPECT_TRUE(request.accepted);
}

// ---- Choosing a user in a list --------------------------------------------------------------

struct SelectorFixture
{
    explicit SelectorFixture(Session& session, FakeAsker& asker)
    {
        for (int slot = 0; slot < kUserSlots; ++slot)
            box.addItem(QString::fromStdString(session.info.userName(slot)));
        box.setCurrentIndex(session.currentUser());
        selector = new ui::UserSelector(
            &box, session.info, asker, [&session]() { return session.currentUser(); },
            [&session, this](int slot) {
                applied.push_back(slot);
                session.setCurrentUser(slot);
            });
    }
    QComboBox box;
    ui::UserSelector* selector = nullptr;
    std::vector<int> applied;
};

TEST_F(UsersUiTest, SkipMovingDownFromSlotNineContinuesAtSlotZero)
{
    protect(9, "nine");
    protect(0, "zero");
    session.setCurrentUser(5);
    SelectorFixture f(session, asker);
    asker.passwords = { PasswordAnswer::skip(), PasswordAnswer::type("zero") };

    f.selector->choose(9);
    EXPECT_EQ(f.box.currentIndex(), 0) << "the list moves on at once";
    EXPECT_TRUE(f.applied.empty()) << "the next try waits until the dialog has gone";
    ASSERT_TRUE(waitFor([&]() { return !f.applied.empty(); }));
    EXPECT_EQ(f.applied, std::vector<int> { 0 });
    ASSERT_EQ(asker.passwordRequests.size(), 2u);
    EXPECT_EQ(asker.passwordRequests[0].slot, 9);
    EXPECT_EQ(asker.passwordRequests[1].slot, 0);
    EXPECT_EQ(session.currentUser(), 0);
    EXPECT_EQ(f.box.currentIndex(), 0);
}

TEST_F(UsersUiTest, RefusedPasswordKeepsTheOldChoice)
{
    protect(7, "seven");
    session.setCurrentUser(3);
    SelectorFixture f(session, asker);
    asker.passwords = { PasswordAnswer::type("Seven"), PasswordAnswer::cancel() };
    for (int attempt = 0; attempt < 2; ++attempt) {
        f.box.setCurrentIndex(7); // what the list shows while the person chooses
        Q_EMIT f.box.activated(7);
        EXPECT_EQ(f.box.currentIndex(), 3);
    }
    EXPECT_TRUE(f.applied.empty());
    EXPECT_EQ(session.currentUser(), 3);
}

// ---- New User Wizard ------------------------------------------------------------------------

TEST_F(UsersUiTest, WizardWithAllSlotsProtectedReportsNoFreeSlots)
{
    for (int slot = 0; slot < kUserSlots; ++slot)
        protect(slot, "pw" + std::to_string(slot));
    const StartupInfo before = session.info;
    QString shownFull;
    onNextModal([&](QWidget* modal) {
        auto* wizard = qobject_cast<QWizard*>(modal);
        ASSERT_TRUE(wizard);
        EXPECT_EQ(wizard->windowTitle(), "Wizard");
        auto* full = child<QLabel>(wizard, "allSlotsUsedLabel");
        ASSERT_TRUE(full);
        shownFull = full->text();
        auto* list = child<QListWidget>(wizard, "slotList");
        EXPECT_EQ(list->item(4)->text(), "Password protected");
        wizard->button(QWizard::FinishButton)->click();
    });
    EXPECT_FALSE(ui::runNewUserWizard(context));
    EXPECT_EQ(shownFull, "Sorry, all 10 slots are used!");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "No Free user slots");
    EXPECT_EQ(prompter.shown[0].caption, "Information.");
    EXPECT_EQ(session.info.bytes(), before.bytes());
}

TEST_F(UsersUiTest, WizardNamesAFreeSlotAndSetsItsPassword)
{
    protect(2, "two");
    session.setCurrentUser(1);
    onNextModal([&](QWidget* modal) {
        auto* wizard = qobject_cast<QWizard*>(modal);
        ASSERT_TRUE(wizard);
        auto* list = child<QListWidget>(wizard, "slotList");
        list->setCurrentRow(2); // protected: refused and cleared
        EXPECT_TRUE(list->selectedItems().isEmpty());
        list->setCurrentRow(4);
        wizard->button(QWizard::NextButton)->click();
        ASSERT_EQ(wizard->currentId(), ui::NewUserWizard::NamePage);
        auto* name = child<QLineEdit>(wizard, "nameEdit");
        QTest::keyClicks(name, "Zo");
        wizard->button(QWizard::NextButton)->click();
        EXPECT_EQ(wizard->currentId(), ui::NewUserWizard::NamePage) << "two letters are refused";
        QTest::keyClicks(name, "e-x");
        EXPECT_EQ(name->text(), "Zoex");
        wizard->button(QWizard::NextButton)->click();
        ASSERT_EQ(wizard->currentId(), ui::NewUserWizard::AgePage);
        // Seven to start with, and the keyboard moves to eight: its category is shown.
        auto* age = child<QComboBox>(wizard, "ageBox");
        auto* category = child<QLabel>(wizard, "ageCategoryLabel");
        EXPECT_EQ(age->currentText(), "7 years old");
        EXPECT_EQ(category->text(), "Words to start with: 7 year old - easier");
        QTest::keyClick(age, Qt::Key_Down);
        EXPECT_EQ(category->text(), "Words to start with: 8 year old");
        wizard->button(QWizard::NextButton)->click();
        ASSERT_EQ(wizard->currentId(), ui::NewUserWizard::PasswordPage);
        QTest::keyClicks(child<QLineEdit>(wizard, "passwordEdit"), "Zoe4");
        wizard->button(QWizard::FinishButton)->click();
    });
    EXPECT_TRUE(ui::runNewUserWizard(context));
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Password must be removed before use");
    EXPECT_EQ(prompter.shown[1].text, "Please input name between 3 and 29 characters");
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.userName(4), "Zoex");
    EXPECT_EQ(saved.passwordOn(4), 1);
    EXPECT_TRUE(passwordMatches(saved, PasswordRequest { 4, false, false, false }, "Zoe4"));
    EXPECT_EQ(saved.workingCategory(4), 25); // "8 year old"
    EXPECT_EQ(session.currentUser(), 1);
}

// The age page: the label's mnemonic reaches the box; an adult, or an age whose category has been
// freed, starts with the Main Dictionary.
TEST_F(UsersUiTest, WizardAgeChoosesTheStartingCategory)
{
    session.info.setCategoryName(27, "Free"); // the "10 year old" category given up
    int lastSlot = 3;
    struct Case
    {
        const char* age;
        int category;
        const char* shown;
    };
    for (const Case& c : { Case { "11 years old", 28, "11 year old - easier" },
             Case { "Older / adult", 0, "Main Dictionary" },
             Case { "10 years old", 0, "Main Dictionary" },
             Case { "5 years old", 21, "5 year old" } }) {
        SCOPED_TRACE(c.age);
        const int slot = ++lastSlot;
        onNextModal([&](QWidget* modal) {
            auto* wizard = qobject_cast<QWizard*>(modal);
            ASSERT_TRUE(wizard);
            child<QListWidget>(wizard, "slotList")->setCurrentRow(slot);
            wizard->button(QWizard::NextButton)->click();
            QTest::keyClicks(
                child<QLineEdit>(wizard, "nameEdit"), QStringLiteral("Kid%1").arg(slot));
            wizard->button(QWizard::NextButton)->click();
            ASSERT_EQ(wizard->currentId(), ui::NewUserWizard::AgePage);
            auto* age = child<QComboBox>(wizard, "ageBox");
            QLabel* label = nullptr;
            for (QLabel* l : wizard->currentPage()->findChildren<QLabel*>()) {
                if (l->buddy() == age)
                    label = l;
            }
            ASSERT_TRUE(label);
            EXPECT_EQ(label->text(), "&Age:");
            age->setCurrentIndex(age->findText(c.age));
            ASSERT_EQ(age->currentText(), c.age);
            EXPECT_EQ(child<QLabel>(wizard, "ageCategoryLabel")->text(),
                QStringLiteral("Words to start with: %1").arg(c.shown));
            wizard->button(QWizard::NextButton)->click();
            wizard->button(QWizard::FinishButton)->click();
        });
        EXPECT_TRUE(ui::runNewUserWizard(context));
        EXPECT_EQ(savedRecord().workingCategory(slot), c.category);
    }
}

TEST_F(UsersUiTest, CancelledWizardChangesNothing)
{
    onNextModal([&](QWidget* modal) { qobject_cast<QWizard*>(modal)->reject(); });
    EXPECT_FALSE(ui::runNewUserWizard(context));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Cancelled New User Wizard");
}

// ---- Password setup, system access ----------------------------------------------------------

TEST_F(UsersUiTest, PasswordSetupEnablesTheSystemPasswordAndSwitchesAUserOff)
{
    protect(2, "two");
    protect(8, "eight");
    asker.texts = { std::nullopt, std::string("Boss9") };
    onNextModal([&](QWidget* dialog) {
        auto* enabled = child<QRadioButton>(dialog, "systemEnabledRadio");
        auto* disabled = child<QRadioButton>(dialog, "systemDisabledRadio");
        EXPECT_TRUE(disabled->isChecked());
        EXPECT_FALSE(child<QCheckBox>(dialog, "userPasswordBox3")->isEnabled());
        enabled->click(); // cancelled: back to disabled
        EXPECT_TRUE(disabled->isChecked());
        enabled->click();
        EXPECT_TRUE(enabled->isChecked());
        child<QCheckBox>(dialog, "userPasswordBox2")->click();
        child<QPushButton>(dialog, "okButton")->click();
    });
    EXPECT_TRUE(ui::runPasswordSetup(context));
    ASSERT_EQ(asker.textQuestions.size(), 2u);
    EXPECT_EQ(asker.textQuestions[0].caption, "Warning! Is someone behind you?");
    EXPECT_TRUE(session.systemPasswordOn);
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.systemPasswordOn(), 1);
    EXPECT_EQ(saved.passwordOn(2), 0);
    EXPECT_EQ(saved.passwordOn(8), 1);
    EXPECT_TRUE(passwordMatches(saved, PasswordRequest { 5, true, false, false }, "Boss9"));
}

TEST_F(UsersUiTest, SystemMenuAccessLocksAgainAfterAWrongPassword)
{
    session.systemPasswordOn = true;
    asker.passwords
        = { PasswordAnswer::type(kFactorySystemPassword), PasswordAnswer::type("nope") };
    EXPECT_TRUE(ui::runSystemMenuAccess(context));
    EXPECT_TRUE(session.systemMenuUnlocked());
    EXPECT_FALSE(ui::runSystemMenuAccess(context));
    EXPECT_FALSE(session.systemMenuUnlocked());
    EXPECT_TRUE(asker.passwordRequests.at(0).forSystem);
}

TEST_F(UsersUiTest, SoundSwitchReturnsTheNewStateAndTheMenuText)
{
    EXPECT_FALSE(ui::runSoundSwitch(context));
    EXPECT_EQ(ui::soundMenuItemText(session), "Sound &Off ");
    EXPECT_EQ(savedRecord().soundOn(0), 0);
    EXPECT_TRUE(ui::runSoundSwitch(context));
    EXPECT_EQ(ui::soundMenuItemText(session), "Sound  &On");
}

// ---- "User setup" sheet ---------------------------------------------------------------------

TEST_F(UsersUiTest, SheetHasItsFourPagesInOrder)
{
    ui::UserSetupSheet sheet(context);
    EXPECT_EQ(sheet.windowTitle(), "User setup");
    QStringList titles;
    for (int i = 0; i < sheet.tabs()->count(); ++i)
        titles << sheet.tabs()->tabText(i);
    EXPECT_EQ(titles, (QStringList { "Change User", "Category", "New User", "Startup " }));
    child<QPushButton>(&sheet, "helpButton")->click();
    EXPECT_EQ(help.contexts, std::vector<int> { 248 });
}

TEST_F(UsersUiTest, NamingFreeCategoryFourShowsItInPlaceAndMakesItTheWorkingCategory)
{
    session.setCurrentUser(3);
    ui::UserSetupSheet sheet(context);
    auto* box = child<QComboBox>(&sheet, "categoryBox");
    ASSERT_EQ(box->count(), 64);
    ASSERT_EQ(box->itemText(4), "Free");
    asker.texts = { std::string("Birds") };
    box->setCurrentIndex(4);
    Q_EMIT box->activated(4);
    EXPECT_EQ(box->count(), 64);
    EXPECT_EQ(box->itemText(4), "Birds");
    EXPECT_EQ(box->currentIndex(), 4);
    EXPECT_EQ(savedRecord().categoryName(4), "Birds");
    EXPECT_EQ(savedRecord().workingCategory(3), 4);
}

TEST_F(UsersUiTest, CategoryNamedFreeOrTooLongIsRefusedAndTheListReturns)
{
    session.info.setWorkingCategory(0, 2);
    ui::UserSetupSheet sheet(context);
    auto* box = child<QComboBox>(&sheet, "categoryBox");
    ASSERT_EQ(box->currentIndex(), 2);
    asker.texts = { std::string("Free"), std::string(25, 'k') };
    for (int attempt = 0; attempt < 2; ++attempt) {
        box->setCurrentIndex(10);
        Q_EMIT box->activated(10);
        EXPECT_EQ(box->currentIndex(), 2);
    }
    ASSERT_EQ(prompter.shown.size(), 2u);
    for (const auto& m : prompter.shown)
        EXPECT_EQ(m.text, "Category name between 1 and 24 characters");
    EXPECT_EQ(session.info.categoryName(10), "Free");
}

TEST_F(UsersUiTest, NewUserPageDisablesThePasswordAndFreesTheSlot)
{
    protect(0, "zero");
    asker.passwords = { PasswordAnswer::type("zero") };
    ui::UserSetupSheet sheet(context);
    sheet.tabs()->setCurrentIndex(2);
    ASSERT_EQ(asker.passwordRequests.size(), 1u);
    auto* name = child<QLineEdit>(&sheet, "userNameEdit");
    EXPECT_EQ(name->text(), "0User Name      ");
    EXPECT_TRUE(child<QRadioButton>(&sheet, "passwordYesRadio")->isChecked());
    name->setText("Gwen");
    child<QRadioButton>(&sheet, "passwordNoRadio")->click();
    child<QPushButton>(&sheet, "confirmButton")->click();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "You have just disabled your last password!");
    EXPECT_EQ(prompter.shown[1].text, "Confirmed");
    EXPECT_EQ(savedRecord().passwordOn(0), 0);
    EXPECT_EQ(child<QComboBox>(&sheet, "changeUserBox")->itemText(0), "Gwen") << "refreshed";
}

TEST_F(UsersUiTest, NewUserPageWithAWrongPasswordDisablesConfirm)
{
    protect(0, "zero");
    asker.passwords = { PasswordAnswer::type("Zero") };
    ui::UserSetupSheet sheet(context);
    sheet.tabs()->setCurrentIndex(2);
    EXPECT_FALSE(child<QPushButton>(&sheet, "confirmButton")->isEnabled());
    EXPECT_EQ(
        child<QLabel>(&sheet, "statusLabel")->text(), "Wrong password! Disabled confirm button");
    EXPECT_TRUE(child<QLineEdit>(&sheet, "userNameEdit")->text().isEmpty());
}

TEST_F(UsersUiTest, StartupPageWithAWrongPasswordKeepsTheStartupUser)
{
    protect(6, "six");
    session.info.setStartupUser(1);
    ui::UserSetupSheet sheet(context);
    auto* box = child<QComboBox>(&sheet, "startupUserBox");
    ASSERT_EQ(box->currentIndex(), 1);
    asker.passwords = { PasswordAnswer::type("SIX") };
    box->setCurrentIndex(6);
    Q_EMIT box->activated(6);
    EXPECT_EQ(session.info.startupUser(), 1);
    EXPECT_EQ(box->currentIndex(), 1);
}

TEST_F(UsersUiTest, CancellingTheSheetStillSaves)
{
    onNextModal([&](QWidget* sheet) {
        auto* box = child<QComboBox>(sheet, "startupUserBox");
        ASSERT_TRUE(box);
        box->setCurrentIndex(2);
        Q_EMIT box->activated(2);
        auto* users = child<QComboBox>(sheet, "changeUserBox");
        users->setCurrentIndex(4);
        Q_EMIT users->activated(4);
        child<QPushButton>(sheet, "cancelButton")->click();
    });
    ui::runUserSetupSheet(context);
    EXPECT_EQ(savedRecord().startupUser(), 2);
    EXPECT_EQ(session.currentUser(), 4);
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
} // namespace quorvel::test
