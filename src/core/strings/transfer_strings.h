#pragma once

// Texts of the bulk transfer of a window's words into the dictionary: its dialog, its messages
// and the lines of its report. The report lines keep their columns and "\r\n" endings: people
// compare saved reports line by line.

#include <QtGlobal>

namespace quorvel::strings {

// The command and its dialog.
inline constexpr const char* kTransferCommand
    = QT_TRANSLATE_NOOP("Quorvel", "Trans&fer words from window to dictionary...");
inline constexpr const char* kTransferDialogTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Bulk transfer and setup dialog");
inline constexpr const char* kTransferNewOnly
    = QT_TRANSLATE_NOOP("Quorvel", "Transfer only  new words into the dictionary  (safe)");
inline constexpr const char* kTransferAll
    = QT_TRANSLATE_NOOP("Quorvel", "If word in dictionary transfer to new category");
inline constexpr const char* kTransferLockSounds
    = QT_TRANSLATE_NOOP("Quorvel", "Tick to lock words into their category if linked to a sound ");
inline constexpr const char* kTransferUkOnly = QT_TRANSLATE_NOOP("Quorvel", "UK English only  ");
inline constexpr const char* kTransferUsaOnly = QT_TRANSLATE_NOOP("Quorvel", "USA English only");
inline constexpr const char* kTransferBoth = QT_TRANSLATE_NOOP("Quorvel", "Both UK and USA");
inline constexpr const char* kTransferCategorySelected
    = QT_TRANSLATE_NOOP("Quorvel", "Dictionary category selected: ");
inline constexpr const char* kTransferStart
    = QT_TRANSLATE_NOOP("Quorvel", "&Transfer words in the window into dictionary category");
inline constexpr const char* kTransferNotBeeOrText
    = QT_TRANSLATE_NOOP("Quorvel", "Active window must be a bee or text window");
inline constexpr const char* kTransferNoWords
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to find any words to include in the dictionary");
inline constexpr const char* kTransferNoWordsCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Warning! No list produced.");
inline constexpr const char* kTransferOpenFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open dictionary files.");
inline constexpr const char* kTransferCloseFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Problems closing additional dictionary file!");
// A text larger than the transfer takes: nothing is read from it and nothing changes.
inline constexpr const char* kTransferTextTooLarge = QT_TRANSLATE_NOOP("Quorvel",
    "The text is too large to transfer: %s bytes, the most is %s bytes. Select a part of it "
    "and transfer that.");
// The transfer stopped at its word limit; the words after it were not looked at.
inline constexpr const char* kTransferLimitReached
    = QT_TRANSLATE_NOOP("Quorvel", "Word limit reached: words after = %s were not transferred\r\n");
// A file error ends the transfer: the words after it are not tried on a file that failed.
inline constexpr const char* kTransferStoppedOnError
    = QT_TRANSLATE_NOOP("Quorvel", "The dictionary file failed: the transfer stopped at = %s\r\n");
// The window the report is written into: %s is the caption of the window whose words went.
inline constexpr const char* kTransferReportCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Bulk transfer report - %s");
inline constexpr const char* kTransferCancel = QT_TRANSLATE_NOOP("Quorvel", "Cancel");

// The report.
inline constexpr const char* kTransferReportTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Report on status of Bulk transfer to Spelling Dictionary\r\n");
inline constexpr const char* kTransferReportStart
    = QT_TRANSLATE_NOOP("Quorvel", "Start Bulk transfer to Spelling Dictionary\r\n");
inline constexpr const char* kTransferLineTransferred
    = QT_TRANSLATE_NOOP("Quorvel", "Transferred to dictionary ok    = %s\r\n");
inline constexpr const char* kTransferLineFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Failed to transfer word        = %s\r\n");
inline constexpr const char* kTransferLineAlready
    = QT_TRANSLATE_NOOP("Quorvel", "Already in dictionary          = %s\r\n");
inline constexpr const char* kTransferLineMoved
    = QT_TRANSLATE_NOOP("Quorvel", "Moved to category ok           = %s\r\n");
inline constexpr const char* kTransferLineOldNew
    = QT_TRANSLATE_NOOP("Quorvel", "Old = %s : New = %s\r\n");
inline constexpr const char* kTransferLineUnableToMove
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to move to category     = %s\r\n");
inline constexpr const char* kTransferLineBadInput = QT_TRANSLATE_NOOP("Quorvel", "Bad word input");
inline constexpr const char* kTransferLineSoundLinked
    = QT_TRANSLATE_NOOP("Quorvel", "Sound connected to word        = %s\r\n");
inline constexpr const char* kTransferStatsTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Stats Information\r\n");
inline constexpr const char* kTransferStatTransferred
    = QT_TRANSLATE_NOOP("Quorvel", "Successfully transferred           =%s\r\n");
inline constexpr const char* kTransferStatFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Unsuccessfully transferred         =%s\r\n");
inline constexpr const char* kTransferStatAlready
    = QT_TRANSLATE_NOOP("Quorvel", "Already in the dictionary          =%s\r\n");
inline constexpr const char* kTransferStatMoved
    = QT_TRANSLATE_NOOP("Quorvel", "Moved word to required category    =%s\r\n");
inline constexpr const char* kTransferStatUnableToMove
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to move words               =%s\r\n");
inline constexpr const char* kTransferStatBadInput
    = QT_TRANSLATE_NOOP("Quorvel", "Bad word input error               =%s\r\n");
inline constexpr const char* kTransferStatError
    = QT_TRANSLATE_NOOP("Quorvel", "Error occurred transferring        =%s\r\n");
inline constexpr const char* kTransferStatSoundLinked
    = QT_TRANSLATE_NOOP("Quorvel", "Sound linked to word - not moved!  =%s\r\n");
inline constexpr const char* kTransferStatTotal
    = QT_TRANSLATE_NOOP("Quorvel", "Word count total                   =%s\r\n");

} // namespace quorvel::strings
