#pragma once

// Texts of the user slots, the password dialogs, the New User Wizard and the "User setup" sheet.

#include <QtGlobal>

namespace quorvel::strings {

// Password entry dialog.
inline constexpr const char* kEnterPasswordTitle = QT_TRANSLATE_NOOP("Quorvel", "Enter Password");
inline constexpr const char* kEnterPasswordLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Please Enter password :    ");
inline constexpr const char* kIncorrectPassword
    = QT_TRANSLATE_NOOP("Quorvel", "Incorrect password");
inline constexpr const char* kButtonOk = QT_TRANSLATE_NOOP("Quorvel", "&Ok");
inline constexpr const char* kButtonCancel = QT_TRANSLATE_NOOP("Quorvel", "&Cancel");
inline constexpr const char* kButtonHelp = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kButtonSkip = QT_TRANSLATE_NOOP("Quorvel", "&Skip");

// A slot's name as a category or user list shows it when the slot is unused or protected.
inline constexpr const char* kFreeSlotName = QT_TRANSLATE_NOOP("Quorvel", "Free");
inline constexpr const char* kPasswordProtected
    = QT_TRANSLATE_NOOP("Quorvel", "Password protected");

// New User Wizard.
inline constexpr const char* kWizardTitle = QT_TRANSLATE_NOOP("Quorvel", "Wizard");
inline constexpr const char* kWizardSlotPage
    = QT_TRANSLATE_NOOP("Quorvel", "Select a free user dictionary slot");
inline constexpr const char* kWizardWelcome = QT_TRANSLATE_NOOP("Quorvel", "Welcome to Quorvel.");
inline constexpr const char* kWizardSelectSlot = QT_TRANSLATE_NOOP(
    "Quorvel", "To use the dynamic dictionary you must first select a free slot.");
inline constexpr const char* kWizardProtectedNote = QT_TRANSLATE_NOOP(
    "Quorvel", "If the slot is password protected you will not be able to select it.");
inline constexpr const char* kAllSlotsUsed
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry, all 10 slots are used!");
inline constexpr const char* kIncorrectSelection
    = QT_TRANSLATE_NOOP("Quorvel", "Incorrect selection... try again");
inline constexpr const char* kPasswordMustBeRemoved
    = QT_TRANSLATE_NOOP("Quorvel", "Password must be removed before use");
inline constexpr const char* kPleaseSelectFreeSlot
    = QT_TRANSLATE_NOOP("Quorvel", "Please select a free user slot");
inline constexpr const char* kOutsideRange
    = QT_TRANSLATE_NOOP("Quorvel", "You are outside the permitted range");
inline constexpr const char* kPleaseSelectAnotherUser
    = QT_TRANSLATE_NOOP("Quorvel", "Please select another user");
inline constexpr const char* kWizardNamePage = QT_TRANSLATE_NOOP("Quorvel", "Input name");
inline constexpr const char* kWizardNameIntro
    = QT_TRANSLATE_NOOP("Quorvel", "You can now  input your name in the box below. ");
inline constexpr const char* kWizardNameHint
    = QT_TRANSLATE_NOOP("Quorvel", "Please make the name at least three letters. ");
inline constexpr const char* kWizardNameLength
    = QT_TRANSLATE_NOOP("Quorvel", "Please input name between 3 and 29 characters");
inline constexpr const char* kWizardAgePage = QT_TRANSLATE_NOOP("Quorvel", "Age");
inline constexpr const char* kWizardAgeIntro = QT_TRANSLATE_NOOP("Quorvel",
    "How old is the new user? The words to learn are chosen to suit the age. Every other "
    "category, and the Main Dictionary, stays one click away in the category box.");
inline constexpr const char* kWizardAgeLabel = QT_TRANSLATE_NOOP("Quorvel", "&Age:");
inline constexpr const char* kWizardAgeYears = QT_TRANSLATE_NOOP("Quorvel", "%1 years old");
inline constexpr const char* kWizardAgeAdult = QT_TRANSLATE_NOOP("Quorvel", "Older / adult");
inline constexpr const char* kWizardAgeCategory
    = QT_TRANSLATE_NOOP("Quorvel", "Words to start with: %1");
inline constexpr const char* kWizardPasswordPage = QT_TRANSLATE_NOOP("Quorvel", "Password entry");
inline constexpr const char* kWizardPasswordIntro = QT_TRANSLATE_NOOP("Quorvel",
    "If you require a password please enter it below. If you do not require one just leave the "
    "box empty.");
inline constexpr const char* kWizardPasswordHint
    = QT_TRANSLATE_NOOP("Quorvel", "You can use A to Z, a to z or 0 to 9 up to 10 characters.");
inline constexpr const char* kPasswordTooLong = QT_TRANSLATE_NOOP("Quorvel", "Password to long");
inline constexpr const char* kPasswordEncryptionFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Password encryption failed");
inline constexpr const char* kCancelledWizard
    = QT_TRANSLATE_NOOP("Quorvel", "Cancelled New User Wizard");
inline constexpr const char* kNoUserSelection
    = QT_TRANSLATE_NOOP("Quorvel", "No user selection took place");
inline constexpr const char* kNoFreeSlots = QT_TRANSLATE_NOOP("Quorvel", "No Free user slots");

// Password setup dialog.
inline constexpr const char* kPasswordSetupTitle = QT_TRANSLATE_NOOP("Quorvel", "Password setup");
inline constexpr const char* kSystemPasswordGroup = QT_TRANSLATE_NOOP("Quorvel", "System password");
inline constexpr const char* kSystemPasswordEnabled
    = QT_TRANSLATE_NOOP("Quorvel", "System password enabled");
inline constexpr const char* kSystemPasswordDisabled
    = QT_TRANSLATE_NOOP("Quorvel", "System password disabled");
inline constexpr const char* kNewSystemPassword
    = QT_TRANSLATE_NOOP("Quorvel", "&New system password");
inline constexpr const char* kUserNameColumn = QT_TRANSLATE_NOOP("Quorvel", "User name");
inline constexpr const char* kPasswordEnabledColumn
    = QT_TRANSLATE_NOOP("Quorvel", "Password enabled");
inline constexpr const char* kSomeoneBehindYou
    = QT_TRANSLATE_NOOP("Quorvel", "Warning! Is someone behind you?");
inline constexpr const char* kEnterSystemPassword
    = QT_TRANSLATE_NOOP("Quorvel", "Enter system password:");
inline constexpr const char* kEncryptionFailedTryAgain
    = QT_TRANSLATE_NOOP("Quorvel", "Encryption failed.. try again!");
inline constexpr const char* kUnableToSaveStartupFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to save start up file");

// Sound switch menu item.
inline constexpr const char* kSoundMenuWhileOn = QT_TRANSLATE_NOOP("Quorvel", "Sound  &On");
inline constexpr const char* kSoundMenuWhileOff = QT_TRANSLATE_NOOP("Quorvel", "Sound &Off ");

// "User setup" sheet.
inline constexpr const char* kUserSetupTitle = QT_TRANSLATE_NOOP("Quorvel", "User setup");
inline constexpr const char* kChangeUserPage = QT_TRANSLATE_NOOP("Quorvel", "Change User");
inline constexpr const char* kCategoryPage = QT_TRANSLATE_NOOP("Quorvel", "Category");
inline constexpr const char* kNewUserPage = QT_TRANSLATE_NOOP("Quorvel", "New User");
inline constexpr const char* kStartupPage = QT_TRANSLATE_NOOP("Quorvel", "Startup ");
inline constexpr const char* kSelectAUser = QT_TRANSLATE_NOOP("Quorvel", "Select a user ");
inline constexpr const char* kSelectDictionaryCategory
    = QT_TRANSLATE_NOOP("Quorvel", "Select Dictionary category.");
inline constexpr const char* kSelectStartupUser
    = QT_TRANSLATE_NOOP("Quorvel", "Select startup user ");
inline constexpr const char* kNameNewCategoryTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Pease name the new category");
inline constexpr const char* kCategoryNameLength
    = QT_TRANSLATE_NOOP("Quorvel", "Category name between 1 and 24 characters");
inline constexpr const char* kOnlyFreeCategory
    = QT_TRANSLATE_NOOP("Quorvel", "Only free category can be used for a new one");
inline constexpr const char* kErrorWritingUserInfoPage
    = QT_TRANSLATE_NOOP("Quorvel", "Error in writing user information");
inline constexpr const char* kNewUserWelcome = QT_TRANSLATE_NOOP("Quorvel", "Welcome to Quorvel");
inline constexpr const char* kPresentUserName
    = QT_TRANSLATE_NOOP("Quorvel", "The present user name is:-");
inline constexpr const char* kEnterYourName
    = QT_TRANSLATE_NOOP("Quorvel", "Please enter your name. (Maximum 29 characters)");
inline constexpr const char* kRequirePassword
    = QT_TRANSLATE_NOOP("Quorvel", "Do you require a password?");
inline constexpr const char* kYes = QT_TRANSLATE_NOOP("Quorvel", "Yes");
inline constexpr const char* kNo = QT_TRANSLATE_NOOP("Quorvel", "No");
inline constexpr const char* kConfirmAddition = QT_TRANSLATE_NOOP("Quorvel", "&Confirm addition");
inline constexpr const char* kClickToConfirm
    = QT_TRANSLATE_NOOP("Quorvel", "Please click this button to confirm new user name");
inline constexpr const char* kPasswordCancelledDisabled
    = QT_TRANSLATE_NOOP("Quorvel", "Password cancelled. Disabled confirm button");
inline constexpr const char* kWrongPasswordDisabled
    = QT_TRANSLATE_NOOP("Quorvel", "Wrong password! Disabled confirm button");
inline constexpr const char* kNameLength
    = QT_TRANSLATE_NOOP("Quorvel", "Your name should be between 3 and 29 characters");
inline constexpr const char* kPasswordUpTo10
    = QT_TRANSLATE_NOOP("Quorvel", "Password can be up to 10 characters");
inline constexpr const char* kEnterPassword = QT_TRANSLATE_NOOP("Quorvel", "Enter password");
inline constexpr const char* kCancelledPassword
    = QT_TRANSLATE_NOOP("Quorvel", "Cancelled password. Press confirm again");
inline constexpr const char* kUnableToDecodePassword
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to decode your password");
inline constexpr const char* kDisabledLastPassword
    = QT_TRANSLATE_NOOP("Quorvel", "You have just disabled your last password!");
inline constexpr const char* kConfirmed = QT_TRANSLATE_NOOP("Quorvel", "Confirmed");

// Names of entry fields for screen readers, and buttons of the user dialogs and the wizard.
inline constexpr const char* kNameField = QT_TRANSLATE_NOOP("Quorvel", "Name");
inline constexpr const char* kPasswordField = QT_TRANSLATE_NOOP("Quorvel", "Password");
inline constexpr const char* kApplyButton = QT_TRANSLATE_NOOP("Quorvel", "&Apply");
inline constexpr const char* kWizardBackButton = QT_TRANSLATE_NOOP("Quorvel", "< &Back");
inline constexpr const char* kWizardNextButton = QT_TRANSLATE_NOOP("Quorvel", "&Next >");
inline constexpr const char* kWizardFinishButton = QT_TRANSLATE_NOOP("Quorvel", "&Finish");
inline constexpr const char* kWizardCancelButton = QT_TRANSLATE_NOOP("Quorvel", "Cancel");

} // namespace quorvel::strings
