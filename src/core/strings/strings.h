#pragma once

// The program's string table: every text it shows a person, verbatim. Texts are kept exactly as
// the program has always shown them, odd spacing and spelling included, because users, help
// pages and saved reports know them in this form.

#include <QtGlobal>
#include <initializer_list>
#include <string>

namespace quorvel::strings {

// Captions.
inline constexpr const char* kWarning = QT_TRANSLATE_NOOP("Quorvel", "Warning!");
inline constexpr const char* kInformation = QT_TRANSLATE_NOOP("Quorvel", "Information.");
inline constexpr const char* kInformationPlain = QT_TRANSLATE_NOOP("Quorvel", "Information");
inline constexpr const char* kSuccess = QT_TRANSLATE_NOOP("Quorvel", "Success!");
inline constexpr const char* kProductName = QT_TRANSLATE_NOOP("Quorvel", "Quorvel");
inline constexpr const char* kAppName = QT_TRANSLATE_NOOP("Quorvel", "FenwaApp");

// File-error table.
inline constexpr const char* kFileNotFound
    = QT_TRANSLATE_NOOP("Quorvel", "An important file was not found ");
inline constexpr const char* kPleaseCheckFiles
    = QT_TRANSLATE_NOOP("Quorvel", "\r\n Please check your files.");
inline constexpr const char* kPathNotFound = QT_TRANSLATE_NOOP("Quorvel", "The Path. ");
inline constexpr const char* kPleaseCheckDirectory
    = QT_TRANSLATE_NOOP("Quorvel", "was not found.  \r\n Please check your Directory.");
inline constexpr const char* kTooManyOpenFiles
    = QT_TRANSLATE_NOOP("Quorvel", "There are two many open files!");
inline constexpr const char* kAccessDenied
    = QT_TRANSLATE_NOOP("Quorvel", "Access has been denied - check read/write access.");
inline constexpr const char* kOutOfMemory = QT_TRANSLATE_NOOP("Quorvel", "Out of Memory!");
inline constexpr const char* kBadEnvironment = QT_TRANSLATE_NOOP("Quorvel", "Bad environment.");
inline constexpr const char* kBadFormat = QT_TRANSLATE_NOOP("Quorvel", "Bad Format");
inline constexpr const char* kInvalidAccess = QT_TRANSLATE_NOOP("Quorvel", "Invalid  access.");
inline constexpr const char* kBadCurrentDirectory
    = QT_TRANSLATE_NOOP("Quorvel", "Bad Current Directory.");
inline constexpr const char* kWriteProtectError
    = QT_TRANSLATE_NOOP("Quorvel", "Write protect error.");
inline constexpr const char* kNotDosDisk = QT_TRANSLATE_NOOP("Quorvel", "Not an MS DOS disk!");
inline constexpr const char* kWriteFault = QT_TRANSLATE_NOOP("Quorvel", "Write fault");
inline constexpr const char* kReadFault = QT_TRANSLATE_NOOP("Quorvel", "Read fault");
inline constexpr const char* kUnableToFindFiles = QT_TRANSLATE_NOOP(
    "Quorvel", "Unable to find files. \r\n Please ensure all files are in directory.");

// Start-up and quit.
inline constexpr const char* kWrongCurrentDirectory
    = QT_TRANSLATE_NOOP("Quorvel", "Your Current Directory is not the correct one.");
inline constexpr const char* kUnableToWriteConfig
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to write configuration file to disk.");
inline constexpr const char* kErrorReadingStartup
    = QT_TRANSLATE_NOOP("Quorvel", "Error in reading your start up files - must exit.");
inline constexpr const char* kErrorWritingUserInfo
    = QT_TRANSLATE_NOOP("Quorvel", "Error in writing user Information.");
inline constexpr const char* kQuitQuestion = QT_TRANSLATE_NOOP("Quorvel", "Do you wish to Quit?");
// One program works on an installation folder at a time: a start that finds the folder held
// by another program, or cannot write in it, stops before reading anything.
inline constexpr const char* kFolderInUse
    = QT_TRANSLATE_NOOP("Quorvel", "Quorvel is already running on this folder:");
inline constexpr const char* kFolderInUseAdvice = QT_TRANSLATE_NOOP("Quorvel",
    "Only one Quorvel program can work on a folder at a time.\r\n"
    "Please close the other one, then start Quorvel again.");
inline constexpr const char* kFolderNotWritable
    = QT_TRANSLATE_NOOP("Quorvel", "Quorvel cannot write in its folder:");
// Who holds a folder: "quorvel-cli, process 1234", with " on HOST" for another machine.
inline constexpr const char* kLockHolderProcess = QT_TRANSLATE_NOOP("Quorvel", "process ");
inline constexpr const char* kLockHolderOnHost = QT_TRANSLATE_NOOP("Quorvel", " on ");

inline constexpr const char* kFirstRunTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Welcome to Tamblewick's Quorvel");
inline constexpr const char* kFirstRunUsDialect = QT_TRANSLATE_NOOP("Quorvel", "  U.&S. Dialect");
inline constexpr const char* kFirstRunUkDialect = QT_TRANSLATE_NOOP("Quorvel", "  U.&K. Dialect");
inline constexpr const char* kFirstRunFlagBox = QT_TRANSLATE_NOOP(
    "Quorvel", "Tick to add national flag in status bar. (Default is the flag is shown).");
inline constexpr const char* kFirstRunPrompt
    = QT_TRANSLATE_NOOP("Quorvel", "Please select which English Dialect you wish to start with.");
inline constexpr const char* kFirstRunOnce = QT_TRANSLATE_NOOP(
    "Quorvel", "** This box will only appear the first time  you use Quorvel. **");
inline constexpr const char* kFirstRunLater = QT_TRANSLATE_NOOP("Quorvel",
    "You can change these settings any time from your Properties/User List Options page.");
inline constexpr const char* kFirstRunDone = QT_TRANSLATE_NOOP("Quorvel", "Done");

// Dictionary.
inline constexpr const char* kUnableToOpenDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open Dictionary file");
inline constexpr const char* kWordNotSuitable
    = QT_TRANSLATE_NOOP("Quorvel", "Word not suitable for Dictionary");

// Values of a word record as shown to a person.
inline constexpr const char* kStatusFailure = QT_TRANSLATE_NOOP("Quorvel", "Failure");
inline constexpr const char* kStatusNeutral = QT_TRANSLATE_NOOP("Quorvel", "Neutral");
inline constexpr const char* kStatusSuccessful = QT_TRANSLATE_NOOP("Quorvel", "Successful");
inline constexpr const char* kStatusMastered = QT_TRANSLATE_NOOP("Quorvel", "Mastered");
inline constexpr const char* kUnknown = QT_TRANSLATE_NOOP("Quorvel", "Unknown");
inline constexpr const char* kSoundOff = QT_TRANSLATE_NOOP("Quorvel", "Sound Off");
inline constexpr const char* kSoundOn = QT_TRANSLATE_NOOP("Quorvel", "Sound On");
inline constexpr const char* kMediaReadOnly = QT_TRANSLATE_NOOP("Quorvel", "Read only");
inline constexpr const char* kMediaReadWrite = QT_TRANSLATE_NOOP("Quorvel", "Read\\Write");

// Lists.
inline constexpr const char* kUnableToGenerateList
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to generate a list for you to use.");
inline constexpr const char* kListNotValid
    = QT_TRANSLATE_NOOP("Quorvel", "List not valid. Please make a new one.");
inline constexpr const char* kFailedToUpdateDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "Failed to update your Dictionary");
// The list's words are no longer where it found them: the dictionary was changed meanwhile.
inline constexpr const char* kListOutOfDate = QT_TRANSLATE_NOOP("Quorvel",
    "Your list is out of date: the Dictionary has changed since it was made. Your Dictionary "
    "was not updated.");

// The scrap pad: its page files could not be written (its own save, and the drill's failures).
inline constexpr const char* kProblemsSavingScrapPad
    = QT_TRANSLATE_NOOP("Quorvel", "Problems saving your Scrap Pad");

// History files.
inline constexpr const char* kHistoryTooManyRecords = QT_TRANSLATE_NOOP(
    "Quorvel", "Your History file has to many records. A new History file is required.");
inline constexpr const char* kHistorySeeSystemPerson
    = QT_TRANSLATE_NOOP("Quorvel", "Please see person with System menu access.");
inline constexpr const char* kUnableToSaveHistory
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to save your history file.");
inline constexpr const char* kHistoryDialogTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Generate new user history files");
inline constexpr const char* kHistoryRecordsLabel
    = QT_TRANSLATE_NOOP("Quorvel", "&Number of records per file : ");
inline constexpr const char* kHistoryRecordsNote
    = QT_TRANSLATE_NOOP("Quorvel", "min rec = 3         max = 60");
inline constexpr const char* kHistoryGenerateFor
    = QT_TRANSLATE_NOOP("Quorvel", "Generate history file for");
inline constexpr const char* kHistoryIndividualUser
    = QT_TRANSLATE_NOOP("Quorvel", "&Individual user");
inline constexpr const char* kHistoryAllUsers = QT_TRANSLATE_NOOP("Quorvel", "&All users");
inline constexpr const char* kHistoryRange = QT_TRANSLATE_NOOP(
    "Quorvel", "Please ensure the number of records are within the range 3 to 60");
inline constexpr const char* kHistoryWillBeLost
    = QT_TRANSLATE_NOOP("Quorvel", "The old user history file will be lost if you continue");
inline constexpr const char* kHistoryKeepNewestOnly = QT_TRANSLATE_NOOP("Quorvel",
    "The old user history file has more than 60 records. Only its newest records that can be "
    "read will be kept, up to the number of records per file, if you continue");
inline constexpr const char* kHistoryCreated
    = QT_TRANSLATE_NOOP("Quorvel", "Successful history file creation");
inline constexpr const char* kHistoryCreateFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to create history file");
inline constexpr const char* kHistoryFirstFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to create the first history file");
inline constexpr const char* kCheckYourDisk = QT_TRANSLATE_NOOP("Quorvel", "Check your  disk");
inline constexpr const char* kHistoryOnly = QT_TRANSLATE_NOOP("Quorvel", "Only");
inline constexpr const char* kHistoryRecordsCreated
    = QT_TRANSLATE_NOOP("Quorvel", "History records have been created");
inline constexpr const char* kHistoryAllCreated
    = QT_TRANSLATE_NOOP("Quorvel", "Successful creation of new history files for all users");

// The name of each dictionary category slot in a new startup record (slots 0..63).
std::string defaultCategoryName(int slot);
// The display name of a WordStatus value, "Unknown" outside 0..3.
std::string wordStatusName(int status);
// `pattern` with its %s places filled by `values`, in order; places left over stay as they are.
std::string fillIn(const char* pattern, std::initializer_list<std::string> values);

} // namespace quorvel::strings
