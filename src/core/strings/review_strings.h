#pragma once

// Texts of the review schedule: what is said when a user's schedule file cannot be used.

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

// What is wrong with a damaged schedule file.
inline constexpr const char* kReviewNotJson = QT_TRANSLATE_NOOP("Quorvel", "not a JSON object");
inline constexpr const char* kReviewNoVersion = QT_TRANSLATE_NOOP("Quorvel", "no version number");
inline constexpr const char* kReviewNoWords = QT_TRANSLATE_NOOP("Quorvel", "no list of words");
inline constexpr const char* kReviewBadEntry
    = QT_TRANSLATE_NOOP("Quorvel", "entry %1 is not a word with a box from 1 to 5 and a time");
inline constexpr const char* kReviewTwice
    = QT_TRANSLATE_NOOP("Quorvel", "the word %1 is there twice");

} // namespace quorvel::strings
