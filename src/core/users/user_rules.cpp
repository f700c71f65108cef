#include "users/user_rules.h"

#include "app/session.h"
#include "platform/services.h"
#include "strings/strings.h"
#include "strings/users_strings.h"

namespace quorvel {

namespace {

bool validSlot(int slot)
{
    return slot >= 0 && slot < kUserSlots;
}

void notice(Prompter& prompter, const char* text, const char* caption, MessageIcon icon)
{
    prompter.show(text, caption, icon);
}

} // namespace

bool isFreeSlot(const StartupInfo& info, int slot)
{
    return validSlot(slot) && info.passwordOn(slot) == 0;
}

bool hasFreeSlot(const StartupInfo& info)
{
    for (int slot = 0; slot < kUserSlots; ++slot) {
        if (isFreeSlot(info, slot))
            return true;
    }
    return false;
}

bool saveWithBusy(
    const Session& session, Prompter& prompter, const char* failureText, const BusyHook& busy)
{
    if (busy)
        busy(true);
    const bool saved = SaveStartupInfo(session.info);
    if (busy)
        busy(false);
    // The message comes after the hourglass has gone, so it is not shown with a busy cursor.
    if (!saved)
        notice(prompter, failureText, strings::kWarning, MessageIcon::Exclamation);
    return saved;
}

// ---- Choosing a user ----------------------------------------------------------------------------

TravelDirection travelDirection(int chosen, int previous)
{
    return chosen > previous ? TravelDirection::Down : TravelDirection::Up;
}

int nextSlotInDirection(int slot, TravelDirection direction)
{
    if (direction == TravelDirection::Down)
        return slot >= kUserSlots - 1 ? 0 : slot + 1;
    return slot <= 0 ? kUserSlots - 1 : slot - 1;
}

UserChoiceOutcome chooseUser(const StartupInfo& info, int chosen, int previous,
    TravelDirection direction, const PasswordAsk& askPassword)
{
    if (!validSlot(chosen))
        return { UserChoiceResult::Refused, previous };
    if (isFreeSlot(info, chosen))
        return { UserChoiceResult::Apply, chosen };
    PasswordRequest request;
    request.slot = static_cast<std::uint16_t>(chosen);
    const bool ok = askPassword && askPassword(request);
    if (request.skipped)
        return { UserChoiceResult::Skip, nextSlotInDirection(chosen, direction) };
    if (ok && request.accepted)
        return { UserChoiceResult::Apply, chosen };
    return { UserChoiceResult::Refused, previous };
}

bool makeCurrentUser(Session& session, int slot)
{
    const int before = session.currentUser();
    if (!session.setCurrentUser(slot))
        return false;
    if (slot != before) {
        session.documents.userChanged();
    }
    session.setCurrentCategory(session.info.workingCategory(slot));
    return true;
}

// ---- New User Wizard
// ------------------------------------------------------------------------------

std::vector<std::string> wizardSlotLines(const StartupInfo& info)
{
    std::vector<std::string> lines;
    lines.reserve(kUserSlots);
    for (int slot = 0; slot < kUserSlots; ++slot)
        lines.push_back(isFreeSlot(info, slot) ? info.userName(slot) : strings::kPasswordProtected);
    return lines;
}

bool wizardChooseLine(const StartupInfo& info, int line, Prompter& prompter)
{
    if (!validSlot(line)) {
        notice(prompter, strings::kIncorrectSelection, strings::kInformationPlain,
            MessageIcon::Question);
        return false;
    }
    if (!isFreeSlot(info, line)) {
        notice(prompter, strings::kPasswordMustBeRemoved, strings::kInformationPlain,
            MessageIcon::Question);
        return false;
    }
    return true;
}

bool wizardSlotNext(NewUserWizardState& wizard, const StartupInfo& info, std::optional<int> choice,
    Prompter& prompter)
{
    if (!choice) {
        notice(prompter, strings::kPleaseSelectFreeSlot, strings::kInformationPlain,
            MessageIcon::Information);
        return false;
    }
    if (!validSlot(*choice)) {
        notice(prompter, strings::kOutsideRange, strings::kPleaseSelectAnotherUser,
            MessageIcon::Information);
        return false;
    }
    // A slot protected since it was chosen must not be taken over either.
    if (!isFreeSlot(info, *choice)) {
        notice(prompter, strings::kPasswordMustBeRemoved, strings::kInformationPlain,
            MessageIcon::Question);
        return false;
    }
    wizard.slot = *choice;
    wizard.state = 1;
    return true;
}

bool wizardNameNext(NewUserWizardState& wizard, const std::string& name, Prompter& prompter)
{
    const auto length = name.size();
    if (length < static_cast<std::size_t>(kMinUserNameLength)
        || length > static_cast<std::size_t>(kMaxUserNameLength)) {
        notice(prompter, strings::kWizardNameLength, strings::kInformationPlain,
            MessageIcon::Information);
        return false;
    }
    wizard.name = name;
    wizard.state = 2;
    return true;
}

WizardPasswordStep wizardPasswordFinish(
    NewUserWizardState& wizard, const std::string& typed, Prompter& prompter)
{
    if (typed.empty()) {
        wizard.hasPassword = false;
        wizard.state = 3;
        return WizardPasswordStep::Finish;
    }
    if (typed.size() > static_cast<std::size_t>(kMaxPasswordLength)) {
        notice(prompter, strings::kPasswordTooLong, strings::kInformationPlain,
            MessageIcon::Information);
        return WizardPasswordStep::Stay;
    }
    PasswordBuffer scrambled {};
    if (!scrambleText(typed, wizard.slot, scrambled)) {
        notice(prompter, strings::kPasswordEncryptionFailed, strings::kInformationPlain,
            MessageIcon::Information);
        return WizardPasswordStep::Abandon;
    }
    wizard.password = scrambled;
    wizard.hasPassword = true;
    wizard.state = 3;
    return WizardPasswordStep::Finish;
}

WizardEnd finishNewUserWizard(
    Session& session, bool finished, const NewUserWizardState& wizard, Prompter& prompter)
{
    const auto closing = [&](const char* text) {
        notice(prompter, text, strings::kInformation, MessageIcon::Exclamation);
    };
    if (!finished) {
        closing(strings::kCancelledWizard);
        return WizardEnd::Cancelled;
    }
    if (wizard.state != 3) {
        closing(strings::kNoFreeSlots);
        return WizardEnd::NoFreeSlots;
    }
    if (!validSlot(wizard.slot)) {
        closing(strings::kNoUserSelection);
        return WizardEnd::NoUserSelection;
    }
    StartupInfo& info = session.info;
    info.setUserName(wizard.slot, wizard.name);
    info.setPasswordOn(wizard.slot, wizard.hasPassword ? 1 : 0);
    if (wizard.hasPassword)
        info.setUserPassword(wizard.slot, wizard.password);
    const bool named = wizard.category > 0 && wizard.category < kCategorySlots
        && !isFreeCategory(info, wizard.category);
    info.setWorkingCategory(wizard.slot, static_cast<std::uint16_t>(named ? wizard.category : 0));
    return session.saveStartupInfo(prompter) ? WizardEnd::Saved : WizardEnd::SaveFailed;
}

std::vector<WizardAgeChoice> wizardAgeChoices(const StartupInfo& info)
{
    // Age 5 to 12 and the graded category that suits it.
    constexpr std::array<std::pair<int, int>, 8> kAges { { { 5, 21 }, { 6, 22 }, { 7, 23 },
        { 8, 25 }, { 9, 26 }, { 10, 27 }, { 11, 28 }, { 12, 30 } } };
    std::vector<WizardAgeChoice> choices;
    for (const auto& [age, category] : kAges)
        choices.push_back({ age, isFreeCategory(info, category) ? 0 : category });
    choices.push_back({ 0, 0 });
    return choices;
}

// ---- Password setup
// -------------------------------------------------------------------------------

PasswordSetupValues passwordSetupOpening(const StartupInfo& info)
{
    PasswordSetupValues values;
    values.systemEnabled = info.systemPasswordOn() != 0;
    for (int slot = 0; slot < kUserSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        values.names[i] = info.userName(slot).substr(0, kMaxUserNameLength);
        values.boxEnabled[i] = info.passwordOn(slot) == 1;
        values.checked[i] = values.boxEnabled[i];
    }
    return values;
}

SystemPasswordResult enterSystemPassword(Session& session, const TextAsk& ask, Prompter& prompter)
{
    const std::optional<std::string> typed = ask
        ? ask({ strings::kSomeoneBehindYou, strings::kEnterSystemPassword, kMaxPasswordLength,
            CharacterSet::Password })
        : std::nullopt;
    if (!typed)
        return SystemPasswordResult::Cancelled;
    PasswordBuffer scrambled {};
    if (!scrambleText(*typed, kSystemPasswordKey, scrambled)) {
        notice(prompter, strings::kEncryptionFailedTryAgain, strings::kInformation,
            MessageIcon::Information);
        return SystemPasswordResult::EncryptionFailed;
    }
    scrambled[10] = 0;
    session.info.setSystemPassword(scrambled);
    if (!SaveStartupInfo(session.info)) {
        notice(prompter, strings::kUnableToSaveStartupFile, strings::kInformation,
            MessageIcon::Information);
        return SystemPasswordResult::SetNotSaved;
    }
    return SystemPasswordResult::Set;
}

bool applyPasswordSetup(Session& session, const PasswordSetupValues& values, Prompter& prompter)
{
    for (int slot = 0; slot < kUserSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (values.boxEnabled[i])
            session.info.setPasswordOn(slot, values.checked[i] ? 1 : 0);
    }
    session.info.setSystemPasswordOn(values.systemEnabled ? 1 : 0);
    const bool saved = session.saveStartupInfo(prompter);
    session.systemPasswordOn = session.info.systemPasswordOn() != 0;
    return saved;
}

// ---- System menu access, sound ------------------------------------------------------------------

bool systemMenuAccess(Session& session, const PasswordAsk& askPassword)
{
    PasswordRequest request;
    request.slot = static_cast<std::uint16_t>(kSystemPasswordKey);
    request.forSystem = true;
    if (askPassword && askPassword(request))
        session.systemAccessGranted = request.accepted;
    return session.systemAccessGranted;
}

bool toggleSound(Session& session, Prompter& prompter)
{
    const int user = session.currentUser();
    const bool on = session.info.soundOn(user) == 0;
    session.info.setSoundOn(user, on ? 1 : 0);
    session.saveStartupInfo(prompter);
    return on;
}

const char* soundMenuText(const Session& session)
{
    return session.info.soundOn(session.currentUser()) != 0 ? strings::kSoundMenuWhileOn
                                                            : strings::kSoundMenuWhileOff;
}

// ---- "User setup" sheet ----------------------------------------------------------------------

bool isFreeCategory(const StartupInfo& info, int slot)
{
    return slot >= 0 && slot < kCategorySlots && info.categoryName(slot) == strings::kFreeSlotName;
}

bool isAcceptableCategoryName(std::string_view name)
{
    return !name.empty() && name.size() <= static_cast<std::size_t>(kMaxCategoryNameLength)
        && name != strings::kFreeSlotName;
}

void setWorkingCategory(Session& session, int slot)
{
    if (slot < 0 || slot >= kCategorySlots)
        return;
    session.info.setWorkingCategory(session.currentUser(), static_cast<std::uint16_t>(slot));
    session.setCurrentCategory(slot);
}

CategoryNaming nameFreeCategory(
    Session& session, int slot, const TextAsk& ask, Prompter& prompter, const BusyHook& busy)
{
    if (!isFreeCategory(session.info, slot)) {
        notice(
            prompter, strings::kOnlyFreeCategory, strings::kInformation, MessageIcon::Information);
        return CategoryNaming::NotFree;
    }
    const std::optional<std::string> name = ask
        ? ask({ strings::kNameNewCategoryTitle, strings::kCategoryNameLength,
            kCategoryNameBoxLength, CharacterSet::CategoryName })
        : std::nullopt;
    if (!name)
        return CategoryNaming::Cancelled;
    if (!isAcceptableCategoryName(*name)) {
        notice(prompter, strings::kCategoryNameLength, strings::kWarning, MessageIcon::None);
        return CategoryNaming::Refused;
    }
    session.info.setCategoryName(slot, *name);
    setWorkingCategory(session, slot);
    saveWithBusy(session, prompter, strings::kErrorWritingUserInfoPage, busy);
    return CategoryNaming::Named;
}

NewUserPageView openNewUserPage(const StartupInfo& info, int user, const PasswordAsk& askPassword)
{
    NewUserPageView view;
    view.status = strings::kClickToConfirm;
    if (!validSlot(user)) {
        view.confirmEnabled = false;
        return view;
    }
    const bool protectedSlot = info.passwordOn(user) != 0;
    if (protectedSlot) {
        PasswordRequest request;
        request.slot = static_cast<std::uint16_t>(user);
        const bool ok = askPassword && askPassword(request);
        if (!ok) {
            view.confirmEnabled = false;
            view.status = strings::kPasswordCancelledDisabled;
            return view;
        }
        if (!request.accepted) {
            view.confirmEnabled = false;
            view.status = strings::kWrongPasswordDisabled;
            return view;
        }
    }
    view.name = info.userName(user);
    view.yes = protectedSlot;
    return view;
}

NewUserConfirm confirmNewUser(Session& session, const std::string& name, bool wantPassword,
    const TextAsk& ask, Prompter& prompter, const BusyHook& busy)
{
    const int user = session.currentUser();
    StartupInfo& info = session.info;
    if (name.size() < static_cast<std::size_t>(kMinUserNameLength)
        || name.size() > static_cast<std::size_t>(kMaxUserNameLength)) {
        notice(prompter, strings::kNameLength, strings::kWarning, MessageIcon::None);
        return NewUserConfirm::NameRefused;
    }
    if (wantPassword) {
        const std::optional<std::string> typed = ask
            ? ask({ strings::kPasswordUpTo10, strings::kEnterPassword, kMaxPasswordLength,
                CharacterSet::Password })
            : std::nullopt;
        if (!typed) {
            notice(prompter, strings::kCancelledPassword, strings::kInformation,
                MessageIcon::Information);
            return NewUserConfirm::PasswordCancelled;
        }
        PasswordBuffer scrambled {};
        if (!scrambleText(*typed, user, scrambled)) {
            notice(prompter, strings::kUnableToDecodePassword, strings::kWarning,
                MessageIcon::Exclamation);
            return NewUserConfirm::PasswordRefused;
        }
        info.setUserPassword(user, scrambled);
        info.setPasswordOn(user, 1);
    } else {
        if (info.passwordOn(user) != 0)
            notice(prompter, strings::kDisabledLastPassword, strings::kInformation,
                MessageIcon::Information);
        info.setPasswordOn(user, 0);
    }
    info.setUserName(user, name);
    if (!saveWithBusy(session, prompter, strings::kErrorWritingUserInfoPage, busy))
        return NewUserConfirm::SaveFailed;
    notice(prompter, strings::kConfirmed, strings::kInformation, MessageIcon::Information);
    return NewUserConfirm::Confirmed;
}

} // namespace quorvel
