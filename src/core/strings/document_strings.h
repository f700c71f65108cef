#pragma once

// Texts of the bee/text windows and of making a drill list from a window's words.

#include <QtGlobal>

namespace quorvel::strings {

// Captions of windows without a file.
inline constexpr const char* kNewBeeList = QT_TRANSLATE_NOOP("Quorvel", "New bee list");

// Reading and saving a text file (%s: the path).
inline constexpr const char* kUnableToReadFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to read file %s from disk.");
inline constexpr const char* kUnableToWriteFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to write file %s to disk.");
inline constexpr const char* kTextChanged = QT_TRANSLATE_NOOP(
    "Quorvel", "The text in the %s file has changed.\n\nDo you want to save the changes?");
inline constexpr const char* kCannotFindText = QT_TRANSLATE_NOOP("Quorvel", "Cannot find \"%s\".");

// Why a file could not be read or written: the second line of the messages above.
inline constexpr const char* kTextFileMissing
    = QT_TRANSLATE_NOOP("Quorvel", "There is no such file.");
inline constexpr const char* kTextFileIsFolder
    = QT_TRANSLATE_NOOP("Quorvel", "This is a folder, not a file.");
inline constexpr const char* kTextFileTooLarge = QT_TRANSLATE_NOOP(
    "Quorvel", "The file is larger than %d MB, more than a bee list window can hold.");
inline constexpr const char* kTextFileNotText
    = QT_TRANSLATE_NOOP("Quorvel", "It is not a text file (it holds bytes that no text holds).");
inline constexpr const char* kTextFileCutAtZero = QT_TRANSLATE_NOOP("Quorvel",
    "The file holds a zero byte: only the text before it is shown, and only that text is "
    "saved.");
inline constexpr const char* kTextUnencodable = QT_TRANSLATE_NOOP("Quorvel",
    "The text holds the character \"%s\", which a Windows-1252 file cannot hold. Remove it, "
    "or save the text as a new file (new files are saved as UTF-8).");
inline constexpr const char* kTextFolderNotWritable
    = QT_TRANSLATE_NOOP("Quorvel", "The folder cannot be written to: check read/write access.");
inline constexpr const char* kTextDiskFull = QT_TRANSLATE_NOOP("Quorvel", "The disk is full.");
inline constexpr const char* kTextOldFileKept
    = QT_TRANSLATE_NOOP("Quorvel", "The file on disk was left as it was.");

// The recent-files list of the File menu: "&1 /path/file.bee".
inline constexpr const char* kRecentFileEntry = QT_TRANSLATE_NOOP("Quorvel", "&%d %s");
inline constexpr const char* kRecentFileGone = QT_TRANSLATE_NOOP(
    "Quorvel", "The file %s is no longer there. It has been taken off the list of recent files.");

// The file dialogs' filters, by the "File extension" setting: bee lists first (21257) or text
// files first (21262). Pairs of a label and a pattern, separated by "|".
inline constexpr const char* kBeeFilesFirstFilter
    = QT_TRANSLATE_NOOP("Quorvel", "(*.BEE)|*.BEE|Text Files(*.TXT)|*.TXT|All Files(*.*)|*.*");
inline constexpr const char* kTextFilesFirstFilter
    = QT_TRANSLATE_NOOP("Quorvel", "Text Files(*.TXT)|*.TXT|(*.BEE)|*.BEE|All Files(*.*)|*.*");
inline constexpr const char* kOpenBeeFileCaption = QT_TRANSLATE_NOOP("Quorvel", "Open Bee File");
inline constexpr const char* kSaveAsCaption = QT_TRANSLATE_NOOP("Quorvel", "Save As");

// The find and replace dialog.
inline constexpr const char* kFindCaption = QT_TRANSLATE_NOOP("Quorvel", "Find");
inline constexpr const char* kReplaceCaption = QT_TRANSLATE_NOOP("Quorvel", "Replace");
inline constexpr const char* kFindWhat = QT_TRANSLATE_NOOP("Quorvel", "Fi&nd what:");
inline constexpr const char* kReplaceWith = QT_TRANSLATE_NOOP("Quorvel", "Re&place with:");
inline constexpr const char* kMatchCase = QT_TRANSLATE_NOOP("Quorvel", "Match &case");
inline constexpr const char* kSearchUp = QT_TRANSLATE_NOOP("Quorvel", "Search &up");
inline constexpr const char* kFindNextButton = QT_TRANSLATE_NOOP("Quorvel", "&Find Next");
inline constexpr const char* kReplaceButton = QT_TRANSLATE_NOOP("Quorvel", "&Replace");
inline constexpr const char* kReplaceAllButton = QT_TRANSLATE_NOOP("Quorvel", "Replace &All");
inline constexpr const char* kCloseButton = QT_TRANSLATE_NOOP("Quorvel", "Close");

// The editor as a screen reader names it.
inline constexpr const char* kBeeListText = QT_TRANSLATE_NOOP("Quorvel", "Bee list text");
inline constexpr const char* kReportText = QT_TRANSLATE_NOOP("Quorvel", "Report text");

// Results of "&Make list from active window".
inline constexpr const char* kNoListProduced
    = QT_TRANSLATE_NOOP("Quorvel", "Warning! No list produced.");
inline constexpr const char* kUnableToProduceList = QT_TRANSLATE_NOOP("Quorvel",
    "Unable to produce a Spelling Bee list \r\n Check your minimum and maximum word lengths");
inline constexpr const char* kUnableToWriteWordFile
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to write a new word file");

} // namespace quorvel::strings
