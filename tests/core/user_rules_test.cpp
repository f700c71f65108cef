// User slots and passwords: the selection rule with its skip, the New User Wizard's steps, the
// password setup, system menu access, the sound switch and the "User setup" pages' decisions.

#include "users/user_rules.h"

#include "app/session.h"
#include "strings/strings.h"
#include "strings/users_strings.h"
#include "support/fakes.h"
#include "support/records.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

class UserRulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        FillStartupDefaults(session.info, folder.path());
    }

    void protect(int slot, const std::string& password)
    {
        protectSlot(session.info, slot, password);
    }

    StartupInfo savedRecord() const { return test::savedRecord(folder.path()); }

    // A password dialog that answers with a script: a typed text, a cancel or a skip.
    PasswordAsk typing(std::vector<std::optional<std::string>> script, bool skip = false)
    {
        return [this, script, skip, at = std::size_t { 0 }](PasswordRequest& request) mutable {
            asked.push_back(request);
            request.accepted = false;
            request.skipped = false;
            if (skip) {
                request.skipped = true;
                return false;
            }
            if (at >= script.size() || !script[at]) {
                ++at;
                return false;
            }
            request.accepted = passwordMatches(session.info, request, *script[at++]);
            return true;
        };
    }

    TextAsk answering(std::optional<std::string> answer)
    {
        return [this, answer](const TextRequest& request) {
            textRequests.push_back(request);
            return answer;
        };
    }

    TempFolder folder;
    Session session;
    FakePrompter prompter;
    std::vector<PasswordRequest> asked;
    std::vector<TextRequest> textRequests;
};

// ---- Selection rule -------------------------------------------------------------------------

TEST(UserSelectionSkip, MovesOnInTheDirectionOfTravelAndWraps)
{
    struct Case
    {
        int chosen, previous, next;
    } cases[] = {
        { 9, 3, 0 }, // moving down from the last slot continues at the first
        { 0, 5, 9 }, // moving up from the first continues at the last
        { 4, 2, 5 }, { 4, 6, 3 }, { 3, 3, 2 }, // no movement counts as upwards
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nextSlotInDirection(c.chosen, travelDirection(c.chosen, c.previous)), c.next)
            << c.chosen << " from " << c.previous;
    }
}

TEST_F(UserRulesTest, ChoosingAUserAppliesFreeSlotsAndProtectedOnesOnlyWithTheirPassword)
{
    protect(6, "Secret6");
    const auto down = TravelDirection::Down;

    const auto free = chooseUser(session.info, 4, 1, down, typing({}));
    EXPECT_EQ(free.result, UserChoiceResult::Apply);
    EXPECT_EQ(free.slot, 4);
    EXPECT_TRUE(asked.empty()) << "a free slot needs no password";

    const auto right = chooseUser(session.info, 6, 1, down, typing({ "Secret6" }));
    EXPECT_EQ(right.result, UserChoiceResult::Apply);
    EXPECT_EQ(right.slot, 6);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].slot, 6);
    EXPECT_FALSE(asked[0].forSystem);

    for (auto answer : { std::optional<std::string>("secret6"), std::optional<std::string>() }) {
        const auto refused = chooseUser(session.info, 6, 1, down, typing({ answer }));
        EXPECT_EQ(refused.result, UserChoiceResult::Refused);
        EXPECT_EQ(refused.slot, 1) << "the list shows the previous choice again";
    }

    const auto skipped = chooseUser(session.info, 6, 1, down, typing({}, true));
    EXPECT_EQ(skipped.result, UserChoiceResult::Skip);
    EXPECT_EQ(skipped.slot, 7);

    EXPECT_EQ(chooseUser(session.info, 10, 2, down, typing({})).result, UserChoiceResult::Refused);
}

TEST_F(UserRulesTest, ChangingTheCurrentUserClearsListFlagsAndTakesTheirCategory)
{
    session.info.setWorkingCategory(3, 17);
    session.documents.beeListMade = true;
    session.documents.scrapListMade = true;
    EXPECT_TRUE(makeCurrentUser(session, 3));
    EXPECT_EQ(session.currentUser(), 3);
    EXPECT_EQ(session.currentCategory(), 17);
    EXPECT_FALSE(session.documents.beeListMade);
    EXPECT_FALSE(session.documents.scrapListMade);

    session.documents.beeListMade = true;
    EXPECT_TRUE(makeCurrentUser(session, 3));
    EXPECT_TRUE(session.documents.beeListMade) << "the same user keeps the list";
    EXPECT_FALSE(makeCurrentUser(session, 10));
    EXPECT_EQ(session.currentUser(), 3);
}

// ---- New User Wizard ------------------------------------------------------------------------

TEST_F(UserRulesTest, WizardListsNamesOfFreeSlotsAndHidesProtectedOnes)
{
    auto lines = wizardSlotLines(session.info);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "0User Name      ");
    EXPECT_EQ(lines[9], "9User Name      ");
    EXPECT_TRUE(hasFreeSlot(session.info));

    protect(2, "abc");
    lines = wizardSlotLines(session.info);
    EXPECT_EQ(lines[2], "Password protected");
    EXPECT_FALSE(wizardChooseLine(session.info, 2, prompter));
    EXPECT_TRUE(wizardChooseLine(session.info, 3, prompter));
    EXPECT_FALSE(wizardChooseLine(session.info, 10, prompter));
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Password must be removed before use");
    EXPECT_EQ(prompter.shown[1].text, "Incorrect selection... try again");
    for (const auto& m : prompter.shown) {
        EXPECT_EQ(m.caption, "Information");
        EXPECT_EQ(m.icon, MessageIcon::Question);
    }
}

TEST_F(UserRulesTest, WizardRunTakesOverTheSlotWithNameAndPassword)
{
    session.setCurrentUser(1);
    NewUserWizardState wizard;
    EXPECT_FALSE(wizardSlotNext(wizard, session.info, std::nullopt, prompter));
    EXPECT_EQ(prompter.shown.back().text, "Please select a free user slot");
    ASSERT_TRUE(wizardSlotNext(wizard, session.info, 3, prompter));
    EXPECT_EQ(wizard.state, 1);

    EXPECT_FALSE(wizardNameNext(wizard, "Al", prompter));
    EXPECT_EQ(prompter.shown.back().text, "Please input name between 3 and 29 characters");
    EXPECT_FALSE(wizardNameNext(wizard, std::string(30, 'n'), prompter));
    ASSERT_TRUE(wizardNameNext(wizard, "Ann", prompter));
    ASSERT_TRUE(wizardNameNext(wizard, std::string(29, 'n'), prompter));
    EXPECT_EQ(wizard.name, std::string(29, 'n'));
    EXPECT_EQ(wizard.state, 2);

    EXPECT_EQ(wizardPasswordFinish(wizard, "ElevenChars", prompter), WizardPasswordStep::Stay);
    EXPECT_EQ(prompter.shown.back().text, "Password to long");
    ASSERT_EQ(wizardPasswordFinish(wizard, "Pass3", prompter), WizardPasswordStep::Finish);
    prompter.shown.clear();

    EXPECT_EQ(finishNewUserWizard(session, true, wizard, prompter), WizardEnd::Saved);
    EXPECT_TRUE(prompter.shown.empty()) << "a successful run ends without a message";
    EXPECT_EQ(session.currentUser(), 1) << "the wizard does not change the current user";
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.userName(3), std::string(29, 'n'));
    EXPECT_EQ(saved.passwordOn(3), 1);
    EXPECT_TRUE(passwordMatches(saved, PasswordRequest { 3, false, false, false }, "Pass3"));
}

TEST_F(UserRulesTest, WizardWithAnEmptyPasswordLeavesTheSlotFree)
{
    NewUserWizardState wizard;
    ASSERT_TRUE(wizardSlotNext(wizard, session.info, 5, prompter));
    ASSERT_TRUE(wizardNameNext(wizard, "Bob's kid", prompter));
    ASSERT_EQ(wizardPasswordFinish(wizard, "", prompter), WizardPasswordStep::Finish);
    EXPECT_EQ(finishNewUserWizard(session, true, wizard, prompter), WizardEnd::Saved);
    EXPECT_EQ(savedRecord().userName(5), "Bob's kid");
    EXPECT_EQ(savedRecord().passwordOn(5), 0);
}

TEST_F(UserRulesTest, WizardClosingMessages)
{
    struct Case
    {
        bool finished;
        int slot, state;
        WizardEnd end;
        const char* text;
    } cases[] = {
        { false, 3, 3, WizardEnd::Cancelled, "Cancelled New User Wizard" },
        { true, -1, 0, WizardEnd::NoFreeSlots, "No Free user slots" },
        { true, 4, 2, WizardEnd::NoFreeSlots, "No Free user slots" },
        { true, 10, 3, WizardEnd::NoUserSelection, "No user selection took place" },
    };
    const StartupInfo before = session.info;
    for (const Case& c : cases) {
        FakePrompter p;
        NewUserWizardState wizard;
        wizard.slot = c.slot;
        wizard.state = c.state;
        wizard.name = "Somebody";
        EXPECT_EQ(finishNewUserWizard(session, c.finished, wizard, p), c.end);
        ASSERT_EQ(p.shown.size(), 1u);
        EXPECT_EQ(p.shown[0].text, c.text);
        EXPECT_EQ(p.shown[0].caption, "Information.");
        EXPECT_EQ(p.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_FALSE(wizardChangedRecord(c.end));
    }
    EXPECT_EQ(session.info.bytes(), before.bytes());
}

TEST_F(UserRulesTest, WizardWithAllSlotsProtectedCannotTakeASlot)
{
    for (int slot = 0; slot < 10; ++slot)
        protect(slot, "pw" + std::to_string(slot));
    EXPECT_FALSE(hasFreeSlot(session.info));
    NewUserWizardState wizard;
    EXPECT_FALSE(wizardSlotNext(wizard, session.info, 4, prompter));
    EXPECT_EQ(finishNewUserWizard(session, true, wizard, prompter), WizardEnd::NoFreeSlots);
    EXPECT_EQ(prompter.shown.back().text, "No Free user slots");
}

TEST_F(UserRulesTest, WizardSaveFailureKeepsTheSlotInMemoryAndSaysSo)
{
    session.info.setDataFolder(folder.file("missing"));
    NewUserWizardState wizard;
    ASSERT_TRUE(wizardSlotNext(wizard, session.info, 0, prompter));
    ASSERT_TRUE(wizardNameNext(wizard, "Cleo", prompter));
    ASSERT_EQ(wizardPasswordFinish(wizard, "", prompter), WizardPasswordStep::Finish);
    EXPECT_EQ(finishNewUserWizard(session, true, wizard, prompter), WizardEnd::SaveFailed);
    EXPECT_EQ(session.info.userName(0), "Cleo");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Error in writing user Information.");
    EXPECT_EQ(prompter.shown[0].caption, "Warning!");
}

// ---- Password setup, system access, sound -------------------------------------------------

TEST_F(UserRulesTest, PasswordSetupSwitchesPasswordsOffButNeverOn)
{
    protect(2, "two");
    protect(7, "seven");
    PasswordSetupValues values = passwordSetupOpening(session.info);
    EXPECT_FALSE(values.systemEnabled);
    EXPECT_TRUE(values.boxEnabled[2] && values.checked[2]);
    EXPECT_FALSE(values.boxEnabled[3] || values.checked[3]);
    EXPECT_EQ(values.names[3], "3User Name      ");

    values.checked[2] = false;
    values.checked[3] = true; // a disabled box cannot switch a password on
    values.systemEnabled = true;
    EXPECT_TRUE(applyPasswordSetup(session, values, prompter));
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.passwordOn(2), 0);
    EXPECT_EQ(saved.passwordOn(3), 0);
    EXPECT_EQ(saved.passwordOn(7), 1);
    EXPECT_EQ(saved.systemPasswordOn(), 1);
    EXPECT_TRUE(session.systemPasswordOn);
    EXPECT_FALSE(session.systemMenuUnlocked());
}

TEST_F(UserRulesTest, NewSystemPasswordIsStoredScrambledAndSavedAtOnce)
{
    EXPECT_EQ(
        enterSystemPassword(session, answering("Boss42"), prompter), SystemPasswordResult::Set);
    ASSERT_EQ(textRequests.size(), 1u);
    EXPECT_EQ(textRequests[0].caption, "Warning! Is someone behind you?");
    EXPECT_EQ(textRequests[0].prompt, "Enter system password:");
    EXPECT_EQ(textRequests[0].maxLength, 10);
    EXPECT_EQ(textRequests[0].set, CharacterSet::Password);
    PasswordRequest system { 5, true, false, false };
    EXPECT_TRUE(passwordMatches(savedRecord(), system, "Boss42"));
    EXPECT_TRUE(prompter.shown.empty());

    EXPECT_EQ(enterSystemPassword(session, answering(std::nullopt), prompter),
        SystemPasswordResult::Cancelled);
    EXPECT_EQ(enterSystemPassword(session, answering(""), prompter),
        SystemPasswordResult::EncryptionFailed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Encryption failed.. try again!");
    EXPECT_TRUE(passwordMatches(session.info, system, "Boss42")) << "a failure keeps the old one";

    session.info.setDataFolder(folder.file("missing"));
    EXPECT_EQ(enterSystemPassword(session, answering("Other1"), prompter),
        SystemPasswordResult::SetNotSaved);
    EXPECT_EQ(prompter.shown.back().text, "Unable to save start up file");
    EXPECT_EQ(prompter.shown.back().caption, "Information.");
}

TEST_F(UserRulesTest, SystemMenuAccessFollowsTheLastAnswer)
{
    session.systemPasswordOn = true;
    EXPECT_TRUE(systemMenuAccess(session, typing({ kFactorySystemPassword })));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].forSystem);
    EXPECT_EQ(asked[0].slot, 5);
    EXPECT_TRUE(session.systemMenuUnlocked());

    EXPECT_TRUE(systemMenuAccess(session, typing({ std::nullopt }))) << "cancel leaves it";
    EXPECT_FALSE(systemMenuAccess(session, typing({ "wrong" })));
    EXPECT_FALSE(session.systemMenuUnlocked()) << "a wrong password locks again";
}

TEST_F(UserRulesTest, SoundSwitchTogglesSavesAndNamesTheMenuItem)
{
    session.setCurrentUser(4);
    EXPECT_STREQ(soundMenuText(session), "Sound  &On");
    EXPECT_FALSE(toggleSound(session, prompter));
    EXPECT_EQ(savedRecord().soundOn(4), 0);
    EXPECT_EQ(savedRecord().soundOn(3), 1);
    EXPECT_STREQ(soundMenuText(session), "Sound &Off ");
    session.info.setSoundOn(4, 7); // any non-zero value counts as on
    EXPECT_FALSE(toggleSound(session, prompter));
    EXPECT_TRUE(toggleSound(session, prompter));
    EXPECT_EQ(savedRecord().soundOn(4), 1);
    EXPECT_TRUE(prompter.shown.empty());
}

// ---- "User setup" pages -------------------------------------------------------------------

TEST(CategoryName, OneToTwentyFourCharactersButNotFree)
{
    EXPECT_TRUE(isAcceptableCategoryName("A"));
    EXPECT_TRUE(isAcceptableCategoryName(std::string(24, 'x')));
    EXPECT_FALSE(isAcceptableCategoryName(""));
    EXPECT_FALSE(isAcceptableCategoryName(std::string(25, 'x')));
    EXPECT_FALSE(isAcceptableCategoryName("Free"));
    EXPECT_TRUE(isAcceptableCategoryName("free")) << "letter case counts";
}

TEST_F(UserRulesTest, NamingFreeCategoryFourMakesItTheWorkingCategoryAndSaves)
{
    session.setCurrentUser(2);
    int busyCalls = 0;
    EXPECT_EQ(
        nameFreeCategory(session, 4, answering("Birds"), prompter, [&](bool) { ++busyCalls; }),
        CategoryNaming::Named);
    ASSERT_EQ(textRequests.size(), 1u);
    EXPECT_EQ(textRequests[0].caption, "Pease name the new category");
    EXPECT_EQ(textRequests[0].prompt, "Category name between 1 and 24 characters");
    EXPECT_EQ(textRequests[0].maxLength, 26);
    EXPECT_EQ(textRequests[0].set, CharacterSet::CategoryName);
    EXPECT_EQ(busyCalls, 2);
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.categoryName(4), "Birds");
    EXPECT_EQ(saved.workingCategory(2), 4);
    EXPECT_EQ(session.currentCategory(), 4);
    EXPECT_TRUE(prompter.shown.empty());

    EXPECT_EQ(nameFreeCategory(session, 4, answering("Again"), prompter), CategoryNaming::NotFree);
    EXPECT_EQ(prompter.shown.back().text, "Only free category can be used for a new one");
}

TEST_F(UserRulesTest, NamingRefusesFreeAndOverlongNamesAndCancelLeavesAll)
{
    session.info.setWorkingCategory(0, 2);
    for (const std::string& bad : { std::string("Free"), std::string(25, 'c'), std::string() }) {
        FakePrompter p;
        EXPECT_EQ(nameFreeCategory(session, 10, answering(bad), p), CategoryNaming::Refused);
        ASSERT_EQ(p.shown.size(), 1u);
        EXPECT_EQ(p.shown[0].text, "Category name between 1 and 24 characters");
        EXPECT_EQ(p.shown[0].caption, "Warning!");
        EXPECT_EQ(p.shown[0].icon, MessageIcon::None);
    }
    EXPECT_EQ(nameFreeCategory(session, 10, answering(std::nullopt), prompter),
        CategoryNaming::Cancelled);
    EXPECT_EQ(session.info.categoryName(10), "Free");
    EXPECT_EQ(session.info.workingCategory(0), 2);
}

TEST_F(UserRulesTest, NewUserPageOpensOnlyForTheRightPassword)
{
    auto view = openNewUserPage(session.info, 0, typing({}));
    EXPECT_TRUE(view.confirmEnabled);
    EXPECT_STREQ(view.status, "Please click this button to confirm new user name");
    EXPECT_EQ(view.name, "0User Name      ");
    EXPECT_FALSE(view.yes);
    EXPECT_TRUE(asked.empty());

    protect(0, "zero");
    view = openNewUserPage(session.info, 0, typing({ std::nullopt }));
    EXPECT_FALSE(view.confirmEnabled);
    EXPECT_STREQ(view.status, "Password cancelled. Disabled confirm button");
    EXPECT_TRUE(view.name.empty());
    view = openNewUserPage(session.info, 0, typing({ "Zero" }));
    EXPECT_FALSE(view.confirmEnabled);
    EXPECT_STREQ(view.status, "Wrong password! Disabled confirm button");
    view = openNewUserPage(session.info, 0, typing({ "zero" }));
    EXPECT_TRUE(view.confirmEnabled);
    EXPECT_TRUE(view.yes);
    EXPECT_EQ(view.name, "0User Name      ");
}

TEST_F(UserRulesTest, ConfirmingNoFreesTheSlotForTheWizard)
{
    session.setCurrentUser(6);
    protect(6, "six");
    EXPECT_EQ(confirmNewUser(session, "Dana", false, answering(std::nullopt), prompter),
        NewUserConfirm::Confirmed);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "You have just disabled your last password!");
    EXPECT_EQ(prompter.shown[0].caption, "Information.");
    EXPECT_EQ(prompter.shown[1].text, "Confirmed");
    EXPECT_TRUE(textRequests.empty());
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.userName(6), "Dana");
    EXPECT_EQ(saved.passwordOn(6), 0);
    EXPECT_EQ(wizardSlotLines(saved)[6], "Dana");
}

TEST_F(UserRulesTest, ConfirmingYesSetsANewPassword)
{
    session.setCurrentUser(1);
    EXPECT_EQ(confirmNewUser(session, "Eve", true, answering("NewPw1"), prompter),
        NewUserConfirm::Confirmed);
    ASSERT_EQ(textRequests.size(), 1u);
    EXPECT_EQ(textRequests[0].caption, "Password can be up to 10 characters");
    EXPECT_EQ(textRequests[0].prompt, "Enter password");
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.passwordOn(1), 1);
    EXPECT_TRUE(passwordMatches(saved, PasswordRequest { 1, false, false, false }, "NewPw1"));
    EXPECT_EQ(prompter.shown.back().text, "Confirmed");
}

TEST_F(UserRulesTest, ConfirmStopsOnBadNameOrPasswordAndChangesNothing)
{
    session.setCurrentUser(1);
    const StartupInfo before = session.info;
    struct Case
    {
        std::string name;
        bool yes;
        std::optional<std::string> password;
        NewUserConfirm result;
        const char* text;
        const char* caption;
    } cases[] = {
        { "Jo", false, {}, NewUserConfirm::NameRefused,
            "Your name should be between 3 and 29 characters", "Warning!" },
        { std::string(30, 'j'), false, {}, NewUserConfirm::NameRefused,
            "Your name should be between 3 and 29 characters", "Warning!" },
        { "Joe", true, std::nullopt, NewUserConfirm::PasswordCancelled,
            "Cancelled password. Press confirm again", "Information." },
        { "Joe", true, std::string(), NewUserConfirm::PasswordRefused,
            "Unable to decode your password", "Warning!" },
    };
    for (const Case& c : cases) {
        FakePrompter p;
        EXPECT_EQ(confirmNewUser(session, c.name, c.yes, answering(c.password), p), c.result);
        ASSERT_EQ(p.shown.size(), 1u) << c.name;
        EXPECT_EQ(p.shown[0].text, c.text);
        EXPECT_EQ(p.shown[0].caption, c.caption);
    }
    EXPECT_EQ(session.info.bytes(), before.bytes());
}

TEST_F(UserRulesTest, ConfirmWithAFailedSaveDoesNotClaimSuccess)
{
    session.info.setDataFolder(folder.file("missing"));
    EXPECT_EQ(confirmNewUser(session, "Finn", false, answering(std::nullopt), prompter),
        NewUserConfirm::SaveFailed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Error in writing user information");
    EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(session.info.userName(0), "Finn") << "the change stays for the next save";
}

} // namespace
} // namespace quorvel::test
