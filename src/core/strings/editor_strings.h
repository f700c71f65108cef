#pragma once

// The dictionary editor: its labels and the messages of its word and sound actions.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kEditorTitle = QT_TRANSLATE_NOOP("Quorvel", "Dictionary Editor");

// Buttons and labels.
inline constexpr const char* kEditorAdd = QT_TRANSLATE_NOOP("Quorvel", "&Add word to dictionary");
inline constexpr const char* kEditorSearch = QT_TRANSLATE_NOOP("Quorvel", "&Search dictionary");
inline constexpr const char* kEditorAmend = QT_TRANSLATE_NOOP("Quorvel", "A&mend word status");
inline constexpr const char* kEditorErase = QT_TRANSLATE_NOOP("Quorvel", "&Erase word ");
inline constexpr const char* kEditorWordLabel = QT_TRANSLATE_NOOP("Quorvel", "&Word:");
inline constexpr const char* kEditorCategoryLabel = QT_TRANSLATE_NOOP("Quorvel", "&Category:");
inline constexpr const char* kEditorUserLabel = QT_TRANSLATE_NOOP("Quorvel", "&User:");
inline constexpr const char* kEditorListLabel = QT_TRANSLATE_NOOP("Quorvel", "W&ords:");
inline constexpr const char* kEditorWordStatus = QT_TRANSLATE_NOOP("Quorvel", "Word status:");
inline constexpr const char* kEditorStatusPrefix = QT_TRANSLATE_NOOP("Quorvel", "Status:");
inline constexpr const char* kEditorLanguageGroup
    = QT_TRANSLATE_NOOP("Quorvel", "Language combinations:");
inline constexpr const char* kEditorUkOnly = QT_TRANSLATE_NOOP("Quorvel", "Uk English Only");
inline constexpr const char* kEditorUsaOnly = QT_TRANSLATE_NOOP("Quorvel", "USA English only");
inline constexpr const char* kEditorBoth = QT_TRANSLATE_NOOP("Quorvel", "Both UK and USA");
inline constexpr const char* kEditorSoundGroup = QT_TRANSLATE_NOOP("Quorvel", "Sound");
inline constexpr const char* kEditorMediaGroup = QT_TRANSLATE_NOOP("Quorvel", "Media");
inline constexpr const char* kEditorSoundStatus = QT_TRANSLATE_NOOP("Quorvel", "Sound status:");
inline constexpr const char* kEditorWaveformLabel
    = QT_TRANSLATE_NOOP("Quorvel", "Selected wa&veform:");
inline constexpr const char* kEditorPlayLinked
    = QT_TRANSLATE_NOOP("Quorvel", "&<Play sound linked to word  ");
inline constexpr const char* kEditorPlaySelected
    = QT_TRANSLATE_NOOP("Quorvel", "<&Play selected waveform");
inline constexpr const char* kEditorGetWaveform = QT_TRANSLATE_NOOP("Quorvel", "&Get waveform");
inline constexpr const char* kEditorLink
    = QT_TRANSLATE_NOOP("Quorvel", "&Link word to the selected waveform below:");
inline constexpr const char* kEditorUnlink
    = QT_TRANSLATE_NOOP("Quorvel", "Unlin&k sound from word");
inline constexpr const char* kEditorDeleteSound
    = QT_TRANSLATE_NOOP("Quorvel", "Dele&te Sound only");
inline constexpr const char* kEditorStartRecording
    = QT_TRANSLATE_NOOP("Quorvel", "Start &Recording");
inline constexpr const char* kEditorStopRecording = QT_TRANSLATE_NOOP("Quorvel", "Stop &Recording");
inline constexpr const char* kEditorDone = QT_TRANSLATE_NOOP("Quorvel", "&Done");
inline constexpr const char* kEditorHelp = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kEditorGetWaveformCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Get waveform");
inline constexpr const char* kEditorWaveFilter
    = QT_TRANSLATE_NOOP("Quorvel", "Waveforms (*.wav *.WAV);;All Files(*)");
inline constexpr const char* kEditorRecordingMarker = QT_TRANSLATE_NOOP("Quorvel", "Recording");

// Captions without the exclamation mark of kWarning.
inline constexpr const char* kWarningPlain = QT_TRANSLATE_NOOP("Quorvel", "Warning");

// Word actions.
inline constexpr const char* kInserted = QT_TRANSLATE_NOOP("Quorvel", "Inserted into Dictionary");
inline constexpr const char* kAlreadyInDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "Already in Dictionary.");
inline constexpr const char* kUnableToInsert
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to Insert into Dictionary");
inline constexpr const char* kFoundInMain
    = QT_TRANSLATE_NOOP("Quorvel", "Word found in main dictionary.");
inline constexpr const char* kFoundInCategory
    = QT_TRANSLATE_NOOP("Quorvel", "Word found in a dictionary category.");
inline constexpr const char* kWordNotFound
    = QT_TRANSLATE_NOOP("Quorvel", "Word not found in Dictionary.");
inline constexpr const char* kAmended = QT_TRANSLATE_NOOP("Quorvel", "Amended Dictionary.");
inline constexpr const char* kRemoved
    = QT_TRANSLATE_NOOP("Quorvel", "Word removed from Dictionary - Press add to reinstate.");
inline constexpr const char* kSoundStillLinked
    = QT_TRANSLATE_NOOP("Quorvel", "Sound waveform still linked to this word - remove it first");
inline constexpr const char* kUnableToRemove
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to remove - not in the Dictionary.");
inline constexpr const char* kCannotSelectUnnamed
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry you cannot select an unnamed category");
inline constexpr const char* kEditorNoSoundCard = QT_TRANSLATE_NOOP(
    "Quorvel", "Sorry, I cannot recognize your sound card. \r\n I must disable the sound");
// The saved last lists could not be marked out of date after a change.
inline constexpr const char* kListsNotMarked = QT_TRANSLATE_NOOP("Quorvel",
    "The saved word lists could not be marked out of date. Please make a new list before your "
    "next drill. File:");

// Sound actions.
inline constexpr const char* kMustHaveWavExtension
    = QT_TRANSLATE_NOOP("Quorvel", "Must have .wav  extension");
inline constexpr const char* kOnlyWaveforms = QT_TRANSLATE_NOOP("Quorvel", "Only waveforms please");
inline constexpr const char* kNotAWaveform = QT_TRANSLATE_NOOP("Quorvel",
    "This file is not a sound waveform (it has no RIFF WAVE header), so it cannot be used:");
inline constexpr const char* kFirstAddWord
    = QT_TRANSLATE_NOOP("Quorvel", "First add the word to the dictionary");
inline constexpr const char* kDeleteOldSoundFirst
    = QT_TRANSLATE_NOOP("Quorvel", "Delete old sound before trying to add new one");
inline constexpr const char* kNoSpareIndex
    = QT_TRANSLATE_NOOP("Quorvel", "No spare index numbers!");
inline constexpr const char* kNoValidFileName
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to produce a valid file name");
inline constexpr const char* kNoWaveformFolder
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to find waveform folder");
inline constexpr const char* kUnableToMoveWaveform
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to move waveform into folder");
// A link whose dictionary change failed: the waveform went back where it came from, or, when
// that failed too, it is named where it lies.
inline constexpr const char* kLinkUndone = QT_TRANSLATE_NOOP(
    "Quorvel", "Unable to amend sound information. The waveform was put back in its place:");
inline constexpr const char* kLinkNotUndone = QT_TRANSLATE_NOOP("Quorvel",
    "Unable to amend sound information, and the waveform could not be put back. It is now in:");
inline constexpr const char* kUnableToAmendSound
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to amend sound information");
inline constexpr const char* kNoWordToDeleteSound
    = QT_TRANSLATE_NOOP("Quorvel", "No word, so can not delete sound");
inline constexpr const char* kCannotDeleteOnCd = QT_TRANSLATE_NOOP(
    "Quorvel", "Cannot delete waveform on CD ROM \r\n Waveform can be unlinked");
inline constexpr const char* kDeleteSoundQuestion
    = QT_TRANSLATE_NOOP("Quorvel", "Are you sure you want to delete sound?");
inline constexpr const char* kUnableToRemoveWaveform
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to remove the sound waveform file, continue?");
inline constexpr const char* kWaveformOnCd = QT_TRANSLATE_NOOP(
    "Quorvel", "Waveform on CD ROM. Please make a note of its filename for re-use.");
inline constexpr const char* kNoSoundToUnlink
    = QT_TRANSLATE_NOOP("Quorvel", "Sorry no sound to unlink");
inline constexpr const char* kUnlinkQuestion
    = QT_TRANSLATE_NOOP("Quorvel", "Are you sure you want to unlink waveform?");
inline constexpr const char* kWaveformNotFound
    = QT_TRANSLATE_NOOP("Quorvel", "The sound waveform file was not found:");
inline constexpr const char* kNoInputDevice
    = QT_TRANSLATE_NOOP("Quorvel", "No input device to record");
inline constexpr const char* kUnableToRecord = QT_TRANSLATE_NOOP("Quorvel", "Unable to record");

} // namespace quorvel::strings
