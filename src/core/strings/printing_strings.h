#pragma once

// Texts of printing (the print options dialog, the print preview, print errors) and of sending a
// document by mail.

#include <QtGlobal>

namespace quorvel::strings {

// The print options dialog.
inline constexpr const char* kPrintOptionsCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Print out options ");
inline constexpr const char* kLeftMarginLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Set left hand &margin.");
inline constexpr const char* kMarginNote
    = QT_TRANSLATE_NOOP("Quorvel", "Note: Margin size in points. 72 points equals approx 1 inch");
inline constexpr const char* kFontSizeGroup
    = QT_TRANSLATE_NOOP("Quorvel", "Select font size for printing");
inline constexpr const char* kSmallFontSize = QT_TRANSLATE_NOOP("Quorvel", "&Small font size ");
inline constexpr const char* kNormalFontSize
    = QT_TRANSLATE_NOOP("Quorvel", "&Normal font size    ");
inline constexpr const char* kLargeFontSize = QT_TRANSLATE_NOOP("Quorvel", "&Large font size");
// A margin outside its range keeps the dialog open (%ld: the lowest and the highest margin).
inline constexpr const char* kValueNotInRange
    = QT_TRANSLATE_NOOP("Quorvel", "Value is not in the range %ld to %ld.");
inline constexpr const char* kPrintOptionsNotSaved = QT_TRANSLATE_NOOP("Quorvel",
    "The print options could not be written to the settings file. They are used until Quorvel "
    "closes.");

// The print preview window's caption (%s: the document's title).
inline constexpr const char* kPrintPreviewCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Print Preview - %s");

// A print that failed: "'%s' not printed. %s." with the document and one of the reasons.
inline constexpr const char* kPrintErrorCaption = QT_TRANSLATE_NOOP("Quorvel", "Print Error");
inline constexpr const char* kNotPrinted = QT_TRANSLATE_NOOP("Quorvel", "'%s' not printed. %s.");
inline constexpr const char* kPrintOutOfMemory = QT_TRANSLATE_NOOP("Quorvel", "Out of memory");
inline constexpr const char* kPrintOutOfDisk = QT_TRANSLATE_NOOP("Quorvel", "Out of disk space");
inline constexpr const char* kPrintCanceled = QT_TRANSLATE_NOOP("Quorvel", "Printing canceled");
inline constexpr const char* kPrintAborted
    = QT_TRANSLATE_NOOP("Quorvel", "Printing aborted in Print Manager");
inline constexpr const char* kPrintFailed
    = QT_TRANSLATE_NOOP("Quorvel", "Error encountered during print");

// Sending the file of a document to the desktop's mail program (%s: the file).
inline constexpr const char* kSendNoXdgEmail = QT_TRANSLATE_NOOP("Quorvel",
    "The file cannot be sent: the program xdg-email, which hands files to the mail program, "
    "was not found. Install the package xdg-utils and start Quorvel again.");
inline constexpr const char* kSendFileMissing = QT_TRANSLATE_NOOP(
    "Quorvel", "The file %s cannot be sent: it is no longer on the disk. Save it again first.");
inline constexpr const char* kSendFileUnreadable
    = QT_TRANSLATE_NOOP("Quorvel", "The file %s cannot be sent: it cannot be read.");
inline constexpr const char* kSendNotStarted
    = QT_TRANSLATE_NOOP("Quorvel", "The file %s was not sent: xdg-email could not be started.");
inline constexpr const char* kSendNoMailProgram = QT_TRANSLATE_NOOP("Quorvel",
    "The file %s was not sent: no mail program was found. Choose a mail program in the "
    "desktop's settings and try again.");
inline constexpr const char* kSendFailed = QT_TRANSLATE_NOOP(
    "Quorvel", "The file %s was not sent: the mail program could not take it (error %d).");
inline constexpr const char* kSendCrashed = QT_TRANSLATE_NOOP(
    "Quorvel", "The file %s was not sent: xdg-email stopped before it had handed it on.");

} // namespace quorvel::strings
