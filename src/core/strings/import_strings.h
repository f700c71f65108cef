#pragma once

// The import of an additional dictionary's categories: the dialog's labels, its questions and
// messages, and the reasons given when the files in the import folder cannot be used.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kImportDialogTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Import additional dictionary dialog ");
inline constexpr const char* kImportFromLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Additional dictionary cate&gories");
inline constexpr const char* kImportToLabel
    = QT_TRANSLATE_NOOP("Quorvel", "C&urrent dictionary  categories");
inline constexpr const char* kImportForce = QT_TRANSLATE_NOOP(
    "Quorvel", "&Tick to force all words, new and existing, to the target category");
inline constexpr const char* kImportSuccessfulLabel = QT_TRANSLATE_NOOP("Quorvel", "Successful ");
inline constexpr const char* kImportAlreadyLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Already In dictionary");
inline constexpr const char* kImportUnableLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to transfer");
inline constexpr const char* kImportAddButton = QT_TRANSLATE_NOOP("Quorvel", "&Add");
inline constexpr const char* kImportCombineButton = QT_TRANSLATE_NOOP("Quorvel", "&Combine");
inline constexpr const char* kImportDoneButton = QT_TRANSLATE_NOOP("Quorvel", "&Done");
inline constexpr const char* kImportHelpButton = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kImportImportant = QT_TRANSLATE_NOOP("Quorvel",
    "Important!  :     Select both Categories  before pressing ADD or COMBINE buttons. ");
// The folder the files are read from, and the button that picks another one.
inline constexpr const char* kImportFolderLabel = QT_TRANSLATE_NOOP("Quorvel", "&Folder:");
inline constexpr const char* kImportBrowse = QT_TRANSLATE_NOOP("Quorvel", "&Browse...");
inline constexpr const char* kImportBrowseCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Folder of the additional dictionary");

// The questions. The additional dictionary is read from a folder (a memory stick, a shared
// folder) rather than from a disk in a drive: %s is the folder.
inline constexpr const char* kImportReadyQuestion = QT_TRANSLATE_NOOP("Quorvel",
    "Please put your additional dictionary files into the folder\r\n %s \r\n Yes to continue");
inline constexpr const char* kImportPutFilesQuestion
    = QT_TRANSLATE_NOOP("Quorvel", "Put the files in the folder\r\n %s \r\n Yes to continue.");
inline constexpr const char* kImportAddCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Warning! Adding words to your dictionary.");

// The messages.
inline constexpr const char* kImportConfigUnreadable = QT_TRANSLATE_NOOP(
    "Quorvel", "Unable to open additional dictionary config file from your disk.");
inline constexpr const char* kImportCountFormat = "%s %ld   %s  %ld \r\n %s  %ld";
inline constexpr const char* kImportAlreadyExists
    = QT_TRANSLATE_NOOP("Quorvel", "Already Exists  =");
// Add fills a free category and Combine a named one: a choice that does not fit is refused.
inline constexpr const char* kImportAddNeedsFree = QT_TRANSLATE_NOOP("Quorvel",
    "Add puts the words into a \"Free\" category.\r\n Choose a free one, or use Combine.");
inline constexpr const char* kImportCombineNeedsNamed = QT_TRANSLATE_NOOP(
    "Quorvel", "Combine puts the words into a named category.\r\n Choose a named one, or use Add.");
inline constexpr const char* kImportSourceUnnamed = QT_TRANSLATE_NOOP("Quorvel",
    "The additional dictionary's category has no name a free category can take.\r\n Use "
    "Combine to put its words into a named one.");
inline constexpr const char* kImportStoppedOnError = QT_TRANSLATE_NOOP("Quorvel",
    "A dictionary file failed: the import stopped there. The words counted so far were "
    "imported.");
// The words were imported, but a user's saved list could not be marked out of date (%s is its
// file): that list must not be drilled again.
inline constexpr const char* kImportListsNotMarked = QT_TRANSLATE_NOOP("Quorvel",
    "The users' saved lists could not all be marked out of date: %s\r\n Make a new list before "
    "the next drill.");

// Why the files could not be used, after the message (%s is the file).
inline constexpr const char* kImportFileSize
    = QT_TRANSLATE_NOOP("Quorvel", "%s holds %s bytes; a category file holds exactly 1730.");
inline constexpr const char* kImportFileMarker
    = QT_TRANSLATE_NOOP("Quorvel", "%s does not end with the mark of a category file.");
inline constexpr const char* kImportFileNotText
    = QT_TRANSLATE_NOOP("Quorvel", "%s is not a category file: category %s is not a name.");
inline constexpr const char* kImportFileUnreadable
    = QT_TRANSLATE_NOOP("Quorvel", "%s could not be read.");
inline constexpr const char* kImportNotAdditional
    = QT_TRANSLATE_NOOP("Quorvel", "%s is not an additional dictionary.");
inline constexpr const char* kImportDamaged = QT_TRANSLATE_NOOP("Quorvel", "%s is damaged: %s");

} // namespace quorvel::strings
