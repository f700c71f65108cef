#pragma once

// Texts of the Progress window: a user's scores over time and word status now, as charts.

namespace quorvel::strings {

// "Progress - " and the user's name.
inline constexpr const char* kProgressTitle = "Progress - %s";
inline constexpr const char* kProgressScoreChart = "Score of each Spelling Bee";
inline constexpr const char* kProgressScoreAxis = "Score %";
inline constexpr const char* kProgressDateAxis = "Date";
inline constexpr const char* kProgressStatusChart = "Words in the dictionary now";
inline constexpr const char* kProgressWordsAxis = "Words";
inline constexpr const char* kProgressFailed = "Failed";
inline constexpr const char* kProgressNeutral = "Neutral";
inline constexpr const char* kProgressSuccessful = "Successful";
inline constexpr const char* kProgressMastered = "Mastered";
// The line through the points, named for screen readers; the legend shows the levels.
inline constexpr const char* kProgressScoreLine = "Scores in order";
inline constexpr const char* kProgressElementary = "Elementary";
inline constexpr const char* kProgressIntermediate = "Intermediate";
inline constexpr const char* kProgressAdvanced = "Advanced";
inline constexpr const char* kProgressNoLevel = "No Level";

// A point's tool tip: the date, "7 of 10 right (70%)", the level, and a level change.
inline constexpr const char* kProgressPointRight = "%d of %d right (%d%%)";
inline constexpr const char* kProgressPointLevel = "Level: %s";
inline constexpr const char* kProgressPointAutomatic = "Automatic level adjustment";
inline constexpr const char* kProgressPointChanged = "Level afterwards: %s";

// Notes above the charts.
inline constexpr const char* kProgressNoDrills = "No Spelling Bee has been recorded for %s yet.";
inline constexpr const char* kProgressNoHistoryFile
    = "%s has no history file, so no Spelling Bee can be shown. A history file is made with "
      "\"Generate new user history file...\" on the System menu.";
inline constexpr const char* kProgressHistoryUnreadable
    = "The history file of %s cannot be read, so no Spelling Bee can be shown.";
inline constexpr const char* kProgressHistoryDamaged
    = "The history file of %s is damaged: only the Spelling Bees read before the damage are "
      "shown. Making a new history file from the System menu keeps the ones that can be read.";
inline constexpr const char* kProgressHistoryOversized
    = "Your History file has to many records. A new History file is required.";
inline constexpr const char* kProgressLeftOut
    = "%d record(s) of the history file hold values that cannot be drawn and are left out.";
inline constexpr const char* kProgressNoDictionary
    = "The dictionary cannot be opened, so the word status is not shown.";
inline constexpr const char* kProgressDictionaryDamaged
    = "The dictionary could not be read to the end, so the word status is not shown.";

// Buttons and dialogs.
inline constexpr const char* kProgressPrintButton = "&Print...";
inline constexpr const char* kProgressSaveButton = "Save as P&NG...";
inline constexpr const char* kProgressSaveCaption = "Save as PNG";
inline constexpr const char* kProgressSaveFilter = "PNG pictures (*.png)";
// The suggested file name: "progress-" and the user's name.
inline constexpr const char* kProgressFilePrefix = "progress-";
inline constexpr const char* kProgressUnableToSave = "Unable to write file %s to disk.";
inline constexpr const char* kProgressPrintDocument = "Quorvel progress";

} // namespace quorvel::strings
