#pragma once

// Texts of the review schedule: the "Review due" list type, and what is said when a user's
// schedule file cannot be used or no word is due.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kReviewCannotRead
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to read the review schedule ");
inline constexpr const char* kReviewCannotSave
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to save the review schedule ");
inline constexpr const char* kReviewOversized = QT_TRANSLATE_NOOP("Quorvel",
    " is too large to be a review schedule. It was left as it is; move it away to start a new "
    "schedule.");
inline constexpr const char* kReviewDamaged
    = QT_TRANSLATE_NOOP("Quorvel", " is not a usable review schedule (");
inline constexpr const char* kReviewDamagedEnd = QT_TRANSLATE_NOOP(
    "Quorvel", "). It was left as it is; move it away to start a new schedule.");
inline constexpr const char* kReviewNewer = QT_TRANSLATE_NOOP(
    "Quorvel", " was written by a newer version of Quorvel. It was left as it is.");

// The list type, as List Setup offers it and as the status bar shows it (ten characters, as the
// other list types are).
inline constexpr const char* kTypeReview = QT_TRANSLATE_NOOP("Quorvel", "Re&view due");
inline constexpr const char* kListTypeReview = QT_TRANSLATE_NOOP("Quorvel", "Review due");
// The status bar's count of the current user's due words, followed by the number.
inline constexpr const char* kReviewDueCount = QT_TRANSLATE_NOOP("Quorvel", "Review due: ");
inline constexpr const char* kReviewDueUnknown = QT_TRANSLATE_NOOP("Quorvel", "Review due: ?");
inline constexpr const char* kReviewNoneDue = QT_TRANSLATE_NOOP(
    "Quorvel", "No words are due for review today. Choose another list type to drill new words.");
inline constexpr const char* kReviewChoiceNotSaved = QT_TRANSLATE_NOOP(
    "Quorvel", "Unable to save the list type in the settings file. The list type was not changed.");
// Follows the removed word, and precedes what became of the schedule file.
inline constexpr const char* kReviewForgetFailed
    = QT_TRANSLATE_NOOP("Quorvel", " was not taken out of every review schedule: ");

// What is wrong with a damaged schedule file.
inline constexpr const char* kReviewNotJson = QT_TRANSLATE_NOOP("Quorvel", "not a JSON object");
inline constexpr const char* kReviewNoVersion = QT_TRANSLATE_NOOP("Quorvel", "no version number");
inline constexpr const char* kReviewNoWords = QT_TRANSLATE_NOOP("Quorvel", "no list of words");
inline constexpr const char* kReviewBadEntry
    = QT_TRANSLATE_NOOP("Quorvel", "entry %1 is not a word with a box from 1 to 5 and a time");
inline constexpr const char* kReviewTwice
    = QT_TRANSLATE_NOOP("Quorvel", "the word %1 is there twice");

} // namespace quorvel::strings
