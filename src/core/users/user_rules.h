#pragma once

// The decisions behind the user slots: choosing a user through a password, the New User Wizard,
// the password setup, system menu access, the sound switch and the "User setup" sheet's pages.
// Each step shows its own messages through the Prompter and returns what happened, so the
// windows around them only move widgets.

#include "config/startup_info.h"
#include "users/character_sets.h"
#include "users/password_request.h"
#include "users/password_scramble.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class Prompter;
class Session;

inline constexpr int kMinUserNameLength = 3;
inline constexpr int kMaxUserNameLength = 29;
inline constexpr int kMaxCategoryNameLength = 24;
// The naming box takes a little more than a name may have, so an over-long name is refused
// with a message rather than cut short without a word.
inline constexpr int kCategoryNameBoxLength = 26;

// The password entry dialog: true for Ok; fills accepted and skipped.
using PasswordAsk = std::function<bool(PasswordRequest&)>;

// A one-line input box; nothing when cancelled.
struct TextRequest
{
    std::string caption;
    std::string prompt;
    int maxLength = 0;
    CharacterSet set = CharacterSet::Any;
};
using TextAsk = std::function<std::optional<std::string>(const TextRequest&)>;

// Switched on and off around a save the person waits for (the hourglass); may be empty.
using BusyHook = std::function<void(bool on)>;

// A slot is free for a new user while its password is not in force.
bool isFreeSlot(const StartupInfo& info, int slot);
bool hasFreeSlot(const StartupInfo& info);

// Saves the record between busy(true) and busy(false); on failure shows `failureText` under
// "Warning!" with the exclamation icon. True when saved.
bool saveWithBusy(
    const Session& session, Prompter& prompter, const char* failureText, const BusyHook& busy);

// ---- Choosing a user in a list ---------------------------------------------------------------

// Which way the person moved through the list: Down is towards higher slots.
enum class TravelDirection
{
    Down,
    Up
};
TravelDirection travelDirection(int chosen, int previous);
// The slot after `slot` in that direction; 9 wraps to 0 going down and 0 to 9 going up.
int nextSlotInDirection(int slot, TravelDirection direction);

enum class UserChoiceResult
{
    Apply, // `slot` is to be applied
    Refused, // nothing applied; the list shows `slot` (the previous choice) again
    Skip, // the list moves to `slot` and the rule runs again for it
};
struct UserChoiceOutcome
{
    UserChoiceResult result;
    int slot;
};
// One pass of the selection rule for slot `chosen` in a list whose choice was `previous`: a free
// slot is applied at once, a protected one only with its password.
UserChoiceOutcome chooseUser(const StartupInfo& info, int chosen, int previous,
    TravelDirection direction, const PasswordAsk& askPassword);

// Makes `slot` the current user. A different user's lists are not this user's, so both list
// flags are cleared, and the user's working category becomes the current category. False for a
// slot outside 0..9 (nothing changes).
bool makeCurrentUser(Session& session, int slot);

// ---- New User Wizard ---------------------------------------------------------------------------

struct NewUserWizardState
{
    int slot = -1; // none yet
    int state = 0;
    std::string name;
    bool hasPassword = false;
    PasswordBuffer password {};
    int category = 0; // the new user's working category; 0 is the Main Dictionary
};

// The wizard's age choices, youngest first, then "Older / adult": the category each starts the
// new user in. A child starts with the graded category of that age (the school spelling lists of
// the age are in it); 7 and 11 start with the easier of their two. An adult starts with the Main
// Dictionary, and so does an age whose category has since been freed.
struct WizardAgeChoice
{
    int age; // 0 for "Older / adult"
    int category;
};
std::vector<WizardAgeChoice> wizardAgeChoices(const StartupInfo& info);
// The choice the age page opens at: 7 years old.
inline constexpr int kWizardDefaultAgeChoice = 2;

// One line per slot in slot order: "Password protected" for a protected slot, else its name.
std::vector<std::string> wizardSlotLines(const StartupInfo& info);
// A line was chosen on the first page: true when the choice stands, false when it is to be
// cleared (the message has been shown).
bool wizardChooseLine(const StartupInfo& info, int line, Prompter& prompter);
// Next on the first page; true to go on.
bool wizardSlotNext(NewUserWizardState& wizard, const StartupInfo& info, std::optional<int> choice,
    Prompter& prompter);
// Next on the name page; true to go on.
bool wizardNameNext(NewUserWizardState& wizard, const std::string& name, Prompter& prompter);

enum class WizardPasswordStep
{
    Finish, // the wizard may finish
    Stay, // the page stays
    Abandon, // the wizard ends without a usable password (state stays 2)
};
WizardPasswordStep wizardPasswordFinish(
    NewUserWizardState& wizard, const std::string& typed, Prompter& prompter);

enum class WizardEnd
{
    Cancelled,
    Saved,
    SaveFailed, // the slot was taken in memory but the record could not be written
    NoUserSelection,
    NoFreeSlots,
};
// After the wizard has closed: takes the slot over when it was finished properly, saves, and
// shows the closing message. The current user does not change.
WizardEnd finishNewUserWizard(
    Session& session, bool finished, const NewUserWizardState& wizard, Prompter& prompter);
inline bool wizardChangedRecord(WizardEnd end)
{
    return end == WizardEnd::Saved || end == WizardEnd::SaveFailed;
}

// ---- Password setup
// ------------------------------------------------------------------------------

struct PasswordSetupValues
{
    bool systemEnabled = false;
    std::array<std::string, kUserSlots> names;
    // A user's box can switch a password off but never on: only users whose password is in
    // force have an enabled box.
    std::array<bool, kUserSlots> boxEnabled {};
    std::array<bool, kUserSlots> checked {};
};
PasswordSetupValues passwordSetupOpening(const StartupInfo& info);

enum class SystemPasswordResult
{
    Set, // scrambled, stored and saved
    SetNotSaved, // stored in memory; the save failed and was reported
    Cancelled,
    EncryptionFailed,
};
// "&New system password": asks for the password and stores it scrambled at once.
SystemPasswordResult enterSystemPassword(Session& session, const TextAsk& ask, Prompter& prompter);
inline bool systemPasswordTaken(SystemPasswordResult r)
{
    return r == SystemPasswordResult::Set || r == SystemPasswordResult::SetNotSaved;
}
// OK of the dialog: the enabled boxes and the system switch go into the record, which is saved,
// and the session's system-password flag follows. True when saved.
bool applyPasswordSetup(Session& session, const PasswordSetupValues& values, Prompter& prompter);

// ---- System menu access, sound
// ---------------------------------------------------------------------

// Asks the system password: a right one grants access, a wrong one takes it away again, a
// cancel leaves it. Returns whether access is granted now.
bool systemMenuAccess(Session& session, const PasswordAsk& askPassword);

// Toggles the current user's sound and saves; returns whether sound is on now.
bool toggleSound(Session& session, Prompter& prompter);
// The menu item's text for the current user's sound state.
const char* soundMenuText(const Session& session);

// ---- "User setup" sheet
// ----------------------------------------------------------------------------

bool isFreeCategory(const StartupInfo& info, int slot);
// 1 to 24 characters, and not the name that marks a free slot.
bool isAcceptableCategoryName(std::string_view name);
// The current user works in `slot` from now on (and it becomes the current category).
void setWorkingCategory(Session& session, int slot);

enum class CategoryNaming
{
    Named,
    Refused,
    Cancelled,
    NotFree,
};
// Asks a name for the free category `slot`; a good name is stored, becomes the current user's
// working category and is saved at once.
CategoryNaming nameFreeCategory(
    Session& session, int slot, const TextAsk& ask, Prompter& prompter, const BusyHook& busy = {});

// What the "New User" page shows when it opens.
struct NewUserPageView
{
    bool confirmEnabled = true;
    const char* status = nullptr;
    std::string name;
    bool yes = false; // "Yes" (a password) checked, else "No"
};
NewUserPageView openNewUserPage(const StartupInfo& info, int user, const PasswordAsk& askPassword);

enum class NewUserConfirm
{
    Confirmed,
    SaveFailed, // the change stands in memory; the failed save was reported
    NameRefused,
    PasswordCancelled,
    PasswordRefused,
};
// "&Confirm addition" for the current user.
NewUserConfirm confirmNewUser(Session& session, const std::string& name, bool wantPassword,
    const TextAsk& ask, Prompter& prompter, const BusyHook& busy = {});

} // namespace quorvel
