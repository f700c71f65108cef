#pragma once

// Texts of the Progress window: a user's scores over time and word status now, as charts.

#include <QtGlobal>

namespace quorvel::strings {

// "Progress - " and the user's name.
inline constexpr const char* kProgressTitle = QT_TRANSLATE_NOOP("Quorvel", "Progress - %s");
inline constexpr const char* kProgressScoreChart
    = QT_TRANSLATE_NOOP("Quorvel", "Score of each Spelling Bee");
inline constexpr const char* kProgressScoreAxis = QT_TRANSLATE_NOOP("Quorvel", "Score %");
inline constexpr const char* kProgressDateAxis = QT_TRANSLATE_NOOP("Quorvel", "Date");
inline constexpr const char* kProgressStatusChart
    = QT_TRANSLATE_NOOP("Quorvel", "Words in the dictionary now");
inline constexpr const char* kProgressWordsAxis = QT_TRANSLATE_NOOP("Quorvel", "Words");
inline constexpr const char* kProgressFailed = QT_TRANSLATE_NOOP("Quorvel", "Failed");
inline constexpr const char* kProgressNeutral = QT_TRANSLATE_NOOP("Quorvel", "Neutral");
inline constexpr const char* kProgressSuccessful = QT_TRANSLATE_NOOP("Quorvel", "Successful");
inline constexpr const char* kProgressMastered = QT_TRANSLATE_NOOP("Quorvel", "Mastered");
// The line through the points, named for screen readers; the legend shows the levels.
inline constexpr const char* kProgressScoreLine = QT_TRANSLATE_NOOP("Quorvel", "Scores in order");
inline constexpr const char* kProgressElementary = QT_TRANSLATE_NOOP("Quorvel", "Elementary");
inline constexpr const char* kProgressIntermediate = QT_TRANSLATE_NOOP("Quorvel", "Intermediate");
inline constexpr const char* kProgressAdvanced = QT_TRANSLATE_NOOP("Quorvel", "Advanced");
inline constexpr const char* kProgressNoLevel = QT_TRANSLATE_NOOP("Quorvel", "No Level");

// A point's tool tip: the date, "7 of 10 right (70%)", the level, and a level change.
inline constexpr const char* kProgressPointRight
    = QT_TRANSLATE_NOOP("Quorvel", "%1 of %2 right (%3%)");
inline constexpr const char* kProgressPointLevel = QT_TRANSLATE_NOOP("Quorvel", "Level: %s");
inline constexpr const char* kProgressPointAutomatic
    = QT_TRANSLATE_NOOP("Quorvel", "Automatic level adjustment");
inline constexpr const char* kProgressPointChanged
    = QT_TRANSLATE_NOOP("Quorvel", "Level afterwards: %s");

// Notes above the charts.
inline constexpr const char* kProgressNoDrills
    = QT_TRANSLATE_NOOP("Quorvel", "No Spelling Bee has been recorded for %s yet.");
inline constexpr const char* kProgressNoHistoryFile = QT_TRANSLATE_NOOP("Quorvel",
    "%s has no history file, so no Spelling Bee can be shown. A history file is made with "
    "\"Generate new user history file...\" on the System menu.");
inline constexpr const char* kProgressHistoryUnreadable = QT_TRANSLATE_NOOP(
    "Quorvel", "The history file of %s cannot be read, so no Spelling Bee can be shown.");
inline constexpr const char* kProgressHistoryDamaged = QT_TRANSLATE_NOOP("Quorvel",
    "The history file of %s is damaged: only the Spelling Bees read before the damage are "
    "shown. Making a new history file from the System menu keeps the ones that can be read.");
inline constexpr const char* kProgressHistoryOversized = QT_TRANSLATE_NOOP(
    "Quorvel", "Your History file has to many records. A new History file is required.");
inline constexpr const char* kProgressLeftOut = QT_TRANSLATE_NOOP("Quorvel",
    "%1 record(s) of the history file hold values that cannot be drawn and are left out.");
inline constexpr const char* kProgressNoDictionary = QT_TRANSLATE_NOOP(
    "Quorvel", "The dictionary cannot be opened, so the word status is not shown.");
inline constexpr const char* kProgressDictionaryDamaged = QT_TRANSLATE_NOOP(
    "Quorvel", "The dictionary could not be read to the end, so the word status is not shown.");

// Buttons and dialogs.
inline constexpr const char* kProgressPrintButton = QT_TRANSLATE_NOOP("Quorvel", "&Print...");
inline constexpr const char* kProgressSaveButton = QT_TRANSLATE_NOOP("Quorvel", "Save as P&NG...");
inline constexpr const char* kProgressSaveCaption = QT_TRANSLATE_NOOP("Quorvel", "Save as PNG");
inline constexpr const char* kProgressSaveFilter
    = QT_TRANSLATE_NOOP("Quorvel", "PNG pictures (*.png)");
// The suggested file name: "progress-" and the user's name.
inline constexpr const char* kProgressFilePrefix = QT_TRANSLATE_NOOP("Quorvel", "progress-");
inline constexpr const char* kProgressUnableToSave
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to write file %s to disk.");
inline constexpr const char* kProgressPrintDocument
    = QT_TRANSLATE_NOOP("Quorvel", "Quorvel progress");

} // namespace quorvel::strings
