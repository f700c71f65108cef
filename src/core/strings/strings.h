#pragma once

// The program's string table: every text it shows a person, verbatim. Texts are kept exactly as
// the program has always shown them, odd spacing and spelling included, because users, help
// pages and saved reports know them in this form.

#include <string>

namespace quorvel::strings {

// Captions.
inline constexpr const char* kWarning = "Warning!";
inline constexpr const char* kInformation = "Information.";
inline constexpr const char* kInformationPlain = "Information";
inline constexpr const char* kSuccess = "Success!";
inline constexpr const char* kProductName = "Quorvel";
inline constexpr const char* kAppName = "FenwaApp";

// File-error table.
inline constexpr const char* kFileNotFound = "An important file was not found ";
inline constexpr const char* kPleaseCheckFiles = "\r\n Please check your files.";
inline constexpr const char* kPathNotFound = "The Path. ";
inline constexpr const char* kPleaseCheckDirectory
    = "was not found.  \r\n Please check your Directory.";
inline constexpr const char* kTooManyOpenFiles = "There are two many open files!";
inline constexpr const char* kAccessDenied = "Access has been denied - check read/write access.";
inline constexpr const char* kOutOfMemory = "Out of Memory!";
inline constexpr const char* kBadEnvironment = "Bad environment.";
inline constexpr const char* kBadFormat = "Bad Format";
inline constexpr const char* kInvalidAccess = "Invalid  access.";
inline constexpr const char* kBadCurrentDirectory = "Bad Current Directory.";
inline constexpr const char* kWriteProtectError = "Write protect error.";
inline constexpr const char* kNotDosDisk = "Not an MS DOS disk!";
inline constexpr const char* kWriteFault = "Write fault";
inline constexpr const char* kReadFault = "Read fault";
inline constexpr const char* kUnableToFindFiles
    = "Unable to find files. \r\n Please ensure all files are in directory.";

// Start-up and quit.
inline constexpr const char* kWrongCurrentDirectory
    = "Your Current Directory is not the correct one.";
inline constexpr const char* kUnableToWriteConfig = "Unable to write configuration file to disk.";
inline constexpr const char* kErrorReadingStartup
    = "Error in reading your start up files - must exit.";
inline constexpr const char* kErrorWritingUserInfo = "Error in writing user Information.";
inline constexpr const char* kQuitQuestion = "Do you wish to Quit?";
// One program works on an installation folder at a time: a start that finds the folder held
// by another program, or cannot write in it, stops before reading anything.
inline constexpr const char* kFolderInUse = "Quorvel is already running on this folder:";
inline constexpr const char* kFolderInUseAdvice
    = "Only one Quorvel program can work on a folder at a time.\r\n"
      "Please close the other one, then start Quorvel again.";
inline constexpr const char* kFolderNotWritable = "Quorvel cannot write in its folder:";
// Who holds a folder: "quorvel-cli, process 1234", with " on HOST" for another machine.
inline constexpr const char* kLockHolderProcess = "process ";
inline constexpr const char* kLockHolderOnHost = " on ";

inline constexpr const char* kFirstRunTitle = "Welcome to Tamblewick's Quorvel";
inline constexpr const char* kFirstRunUsDialect = "  U.S. Dialect";
inline constexpr const char* kFirstRunUkDialect = "  U.K. Dialect";
inline constexpr const char* kFirstRunFlagBox
    = "Tick to add national flag in status bar. (Default is the flag is shown).";
inline constexpr const char* kFirstRunPrompt
    = "Please select which English Dialect you wish to start with.";
inline constexpr const char* kFirstRunOnce
    = "** This box will only appear the first time  you use Quorvel. **";
inline constexpr const char* kFirstRunLater
    = "You can change these settings any time from your Properties/User List Options page.";
inline constexpr const char* kFirstRunDone = "Done";

// Dictionary.
inline constexpr const char* kUnableToOpenDictionary = "Unable to open Dictionary file";
inline constexpr const char* kWordNotSuitable = "Word not suitable for Dictionary";

// Values of a word record as shown to a person.
inline constexpr const char* kStatusFailure = "Failure";
inline constexpr const char* kStatusNeutral = "Neutral";
inline constexpr const char* kStatusSuccessful = "Successful";
inline constexpr const char* kStatusMastered = "Mastered";
inline constexpr const char* kUnknown = "Unknown";
inline constexpr const char* kSoundOff = "Sound Off";
inline constexpr const char* kSoundOn = "Sound On";
inline constexpr const char* kMediaReadOnly = "Read only";
inline constexpr const char* kMediaReadWrite = "Read\\Write";

// Lists.
inline constexpr const char* kUnableToGenerateList = "Unable to generate a list for you to use.";
inline constexpr const char* kListNotValid = "List not valid. Please make a new one.";
inline constexpr const char* kFailedToUpdateDictionary = "Failed to update your Dictionary";
// The list's words are no longer where it found them: the dictionary was changed meanwhile.
inline constexpr const char* kListOutOfDate
    = "Your list is out of date: the Dictionary has changed since it was made. Your Dictionary "
      "was not updated.";

// History files.
inline constexpr const char* kHistoryTooManyRecords
    = "Your History file has to many records. A new History file is required.";
inline constexpr const char* kHistorySeeSystemPerson = "Please see person with System menu access.";
inline constexpr const char* kUnableToSaveHistory = "Unable to save your history file.";
inline constexpr const char* kHistoryDialogTitle = "Generate new user history files";
inline constexpr const char* kHistoryRecordsLabel = "Number of records per file : ";
inline constexpr const char* kHistoryRecordsNote = "min rec = 3         max = 60";
inline constexpr const char* kHistoryGenerateFor = "Generate history file for";
inline constexpr const char* kHistoryIndividualUser = "Individual user";
inline constexpr const char* kHistoryAllUsers = "All users";
inline constexpr const char* kHistoryRange
    = "Please ensure the number of records are within the range 3 to 60";
inline constexpr const char* kHistoryWillBeLost
    = "The old user history file will be lost if you continue";
inline constexpr const char* kHistoryKeepNewestOnly
    = "The old user history file has more than 60 records. Only its newest records that can be "
      "read will be kept, up to the number of records per file, if you continue";
inline constexpr const char* kHistoryCreated = "Successful history file creation";
inline constexpr const char* kHistoryCreateFailed = "Unable to create history file";
inline constexpr const char* kHistoryFirstFailed = "Unable to create the first history file";
inline constexpr const char* kCheckYourDisk = "Check your  disk";
inline constexpr const char* kHistoryOnly = "Only";
inline constexpr const char* kHistoryRecordsCreated = "History records have been created";
inline constexpr const char* kHistoryAllCreated
    = "Successful creation of new history files for all users";

// The name of each dictionary category slot in a new startup record (slots 0..63).
std::string defaultCategoryName(int slot);
// The display name of a WordStatus value, "Unknown" outside 0..3.
std::string wordStatusName(int status);

} // namespace quorvel::strings
