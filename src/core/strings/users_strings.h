#pragma once

// Texts of the user slots, the password dialogs, the New User Wizard and the "User setup" sheet.

namespace quorvel::strings {

// Password entry dialog.
inline constexpr const char* kEnterPasswordTitle = "Enter Password";
inline constexpr const char* kEnterPasswordLabel = "Please Enter password :    ";
inline constexpr const char* kIncorrectPassword = "Incorrect password";
inline constexpr const char* kButtonOk = "&Ok";
inline constexpr const char* kButtonCancel = "&Cancel";
inline constexpr const char* kButtonHelp = "&Help";
inline constexpr const char* kButtonSkip = "&Skip";

// A slot's name as a category or user list shows it when the slot is unused or protected.
inline constexpr const char* kFreeSlotName = "Free";
inline constexpr const char* kPasswordProtected = "Password protected";

// New User Wizard.
inline constexpr const char* kWizardTitle = "Wizard";
inline constexpr const char* kWizardSlotPage = "Select a free user dictionary slot";
inline constexpr const char* kWizardWelcome = "Welcome to Quorvel.";
inline constexpr const char* kWizardSelectSlot
    = "To use the dynamic dictionary you must first select a free slot.";
inline constexpr const char* kWizardProtectedNote
    = "If the slot is password protected you will not be able to select it.";
inline constexpr const char* kAllSlotsUsed = "Sorry, all 10 slots are used!";
inline constexpr const char* kIncorrectSelection = "Incorrect selection... try again";
inline constexpr const char* kPasswordMustBeRemoved = "Password must be removed before use";
inline constexpr const char* kPleaseSelectFreeSlot = "Please select a free user slot";
inline constexpr const char* kOutsideRange = "You are outside the permitted range";
inline constexpr const char* kPleaseSelectAnotherUser = "Please select another user";
inline constexpr const char* kWizardNamePage = "Input name";
inline constexpr const char* kWizardNameIntro = "You can now  input your name in the box below. ";
inline constexpr const char* kWizardNameHint = "Please make the name at least three letters. ";
inline constexpr const char* kWizardNameLength = "Please input name between 3 and 29 characters";
inline constexpr const char* kWizardPasswordPage = "Password entry";
inline constexpr const char* kWizardPasswordIntro
    = "If you require a password please enter it below. If you do not require one just leave the "
      "box empty.";
inline constexpr const char* kWizardPasswordHint
    = "You can use A to Z, a to z or 0 to 9 up to 10 characters.";
inline constexpr const char* kPasswordTooLong = "Password to long";
inline constexpr const char* kPasswordEncryptionFailed = "Password encryption failed";
inline constexpr const char* kCancelledWizard = "Cancelled New User Wizard";
inline constexpr const char* kNoUserSelection = "No user selection took place";
inline constexpr const char* kNoFreeSlots = "No Free user slots";

// Password setup dialog.
inline constexpr const char* kPasswordSetupTitle = "Password setup";
inline constexpr const char* kSystemPasswordGroup = "System password";
inline constexpr const char* kSystemPasswordEnabled = "System password enabled";
inline constexpr const char* kSystemPasswordDisabled = "System password disabled";
inline constexpr const char* kNewSystemPassword = "&New system password";
inline constexpr const char* kUserNameColumn = "User name";
inline constexpr const char* kPasswordEnabledColumn = "Password enabled";
inline constexpr const char* kSomeoneBehindYou = "Warning! Is someone behind you?";
inline constexpr const char* kEnterSystemPassword = "Enter system password:";
inline constexpr const char* kEncryptionFailedTryAgain = "Encryption failed.. try again!";
inline constexpr const char* kUnableToSaveStartupFile = "Unable to save start up file";

// Sound switch menu item.
inline constexpr const char* kSoundMenuWhileOn = "Sound  &On";
inline constexpr const char* kSoundMenuWhileOff = "Sound &Off ";

// "User setup" sheet.
inline constexpr const char* kUserSetupTitle = "User setup";
inline constexpr const char* kChangeUserPage = "Change User";
inline constexpr const char* kCategoryPage = "Category";
inline constexpr const char* kNewUserPage = "New User";
inline constexpr const char* kStartupPage = "Startup ";
inline constexpr const char* kSelectAUser = "Select a user ";
inline constexpr const char* kSelectDictionaryCategory = "Select Dictionary category.";
inline constexpr const char* kSelectStartupUser = "Select startup user ";
inline constexpr const char* kNameNewCategoryTitle = "Pease name the new category";
inline constexpr const char* kCategoryNameLength = "Category name between 1 and 24 characters";
inline constexpr const char* kOnlyFreeCategory = "Only free category can be used for a new one";
inline constexpr const char* kErrorWritingUserInfoPage = "Error in writing user information";
inline constexpr const char* kNewUserWelcome = "Welcome to Quorvel";
inline constexpr const char* kPresentUserName = "The present user name is:-";
inline constexpr const char* kEnterYourName = "Please enter your name. (Maximum 29 characters)";
inline constexpr const char* kRequirePassword = "Do you require a password?";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";
inline constexpr const char* kConfirmAddition = "&Confirm addition";
inline constexpr const char* kClickToConfirm = "Please click this button to confirm new user name";
inline constexpr const char* kPasswordCancelledDisabled
    = "Password cancelled. Disabled confirm button";
inline constexpr const char* kWrongPasswordDisabled = "Wrong password! Disabled confirm button";
inline constexpr const char* kNameLength = "Your name should be between 3 and 29 characters";
inline constexpr const char* kPasswordUpTo10 = "Password can be up to 10 characters";
inline constexpr const char* kEnterPassword = "Enter password";
inline constexpr const char* kCancelledPassword = "Cancelled password. Press confirm again";
inline constexpr const char* kUnableToDecodePassword = "Unable to decode your password";
inline constexpr const char* kDisabledLastPassword = "You have just disabled your last password!";
inline constexpr const char* kConfirmed = "Confirmed";

} // namespace quorvel::strings
