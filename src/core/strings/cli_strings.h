#pragma once

// Texts of quorvel-cli: the terminal drill (the window's number fields as one score line, and the
// keys that stand in for the buttons of a question box), and the command-line tool's messages.
// Messages are built from these pieces with the names and numbers they speak of.

#include <QtGlobal>

namespace quorvel::strings {

// The score line: the labels of the drill window's number fields.
inline constexpr const char* kCliWordNumber = QT_TRANSLATE_NOOP("Quorvel", "Word number ");
inline constexpr const char* kCliScore = QT_TRANSLATE_NOOP("Quorvel", "Score");
inline constexpr const char* kCliLevelSetAt = QT_TRANSLATE_NOOP("Quorvel", "Level set at ");

// A question box on a terminal: the buttons as keys.
inline constexpr const char* kCliAskYesNoCancel
    = QT_TRANSLATE_NOOP("Quorvel", "[y]es, [n]o or [c]ancel? ");
inline constexpr const char* kCliAskYesNo = QT_TRANSLATE_NOOP("Quorvel", "[y]es or [n]o? ");
inline constexpr const char* kCliAskOkCancel = QT_TRANSLATE_NOOP("Quorvel", "[o]k or [c]ancel? ");
// A question met while the answers come from a pipe: nobody can answer it, so it is cancelled.
inline constexpr const char* kCliQuestionCancelled
    = QT_TRANSLATE_NOOP("Quorvel", "(no terminal to answer: Cancel)");
// The person interrupted the drill (Ctrl+C): it stops as Stop would.
inline constexpr const char* kCliInterrupted = QT_TRANSLATE_NOOP("Quorvel", "Interrupted.");

// Setting a startup field by name: what a field takes, and why a value is refused.
inline constexpr const char* kCliFieldTakes = QT_TRANSLATE_NOOP("Quorvel", " takes ");
inline constexpr const char* kCliFieldNot = QT_TRANSLATE_NOOP("Quorvel", ", not ");
inline constexpr const char* kCliZeroOrOne = QT_TRANSLATE_NOOP("Quorvel", "0 or 1");
inline constexpr const char* kCliWholeNumberFrom
    = QT_TRANSLATE_NOOP("Quorvel", "a whole number from ");
inline constexpr const char* kCliTo = QT_TRANSLATE_NOOP("Quorvel", " to ");
inline constexpr const char* kCliExactly = QT_TRANSLATE_NOOP("Quorvel", "exactly ");
inline constexpr const char* kCliUpTo = QT_TRANSLATE_NOOP("Quorvel", "up to ");
inline constexpr const char* kCliCharacters = QT_TRANSLATE_NOOP("Quorvel", " characters");
inline constexpr const char* kCliCharacter = QT_TRANSLATE_NOOP("Quorvel", " character");
inline constexpr const char* kCliOf = QT_TRANSLATE_NOOP("Quorvel", " of ");
inline constexpr const char* kCliUserNameCharacters
    = QT_TRANSLATE_NOOP("Quorvel", "A-Z a-z 0-9 ' and the blank");
inline constexpr const char* kCliPasswordCharacters = QT_TRANSLATE_NOOP("Quorvel", "A-Z a-z 0-9");
inline constexpr const char* kCliCategoryNameCharacters
    = QT_TRANSLATE_NOOP("Quorvel", "A-Z a-z 0-9 the blank and . , = @ [ ] # + -");
inline constexpr const char* kCliUpperLetters = QT_TRANSLATE_NOOP("Quorvel", "A-Z");
inline constexpr const char* kCliPatternCharacters = QT_TRANSLATE_NOOP("Quorvel", "A-Z and ?");
inline constexpr const char* kCliPrintableCharacters
    = QT_TRANSLATE_NOOP("Quorvel", "printable characters");
inline constexpr const char* kCliNoPassword = QT_TRANSLATE_NOOP("Quorvel", " (empty: no password)");
inline constexpr const char* kCliSliderTriple
    = QT_TRANSLATE_NOOP("Quorvel", "three whole numbers minimum,maximum,position with ");
inline constexpr const char* kCliSliderOrder
    = QT_TRANSLATE_NOOP("Quorvel", " <= minimum <= position <= maximum <= ");
inline constexpr const char* kCliGroupOf = QT_TRANSLATE_NOOP("Quorvel", " (one of ");
inline constexpr const char* kCliGroupIsOne
    = QT_TRANSLATE_NOOP("Quorvel", " is 1; setting one to 1 clears the others)");
inline constexpr const char* kCliNotAbove = QT_TRANSLATE_NOOP("Quorvel", " may not be above ");
inline constexpr const char* kCliNotBelow = QT_TRANSLATE_NOOP("Quorvel", " may not be below ");
inline constexpr const char* kCliMustBeAbove = QT_TRANSLATE_NOOP("Quorvel", " must be above ");
inline constexpr const char* kCliMustBeBelow = QT_TRANSLATE_NOOP("Quorvel", " must be below ");
inline constexpr const char* kCliGroupNeedsOne = QT_TRANSLATE_NOOP(
    "Quorvel", " cannot be switched off alone: one flag of its group must be 1; set one of ");
inline constexpr const char* kCliGroupNeedsOneEnd
    = QT_TRANSLATE_NOOP("Quorvel", " to 1 instead, which clears it");
inline constexpr const char* kCliNeedsPassword
    = QT_TRANSLATE_NOOP("Quorvel", " can be 1 only while a password is set in ");
inline constexpr const char* kCliValueNotStored
    = QT_TRANSLATE_NOOP("Quorvel", "the value could not be stored in ");
inline constexpr const char* kCliGuardedBy
    = QT_TRANSLATE_NOOP("Quorvel", " can be emptied only while this switch is 0: ");

// Command-line errors.
inline constexpr const char* kCliNoCommandOutput
    = QT_TRANSLATE_NOOP("Quorvel", "the command failed");
inline constexpr const char* kCliNotInDictionary
    = QT_TRANSLATE_NOOP("Quorvel", " is not in the dictionary");
inline constexpr const char* kCliNotSuitable = QT_TRANSLATE_NOOP(
    "Quorvel", " is not a suitable word (letters only, as the dictionary keeps them)");
inline constexpr const char* kCliNotAdded = QT_TRANSLATE_NOOP(
    "Quorvel", " was not added: it is not a suitable word, or the dictionary has no room left");
inline constexpr const char* kCliAlreadyThere
    = QT_TRANSLATE_NOOP("Quorvel", " is already in the dictionary");
inline constexpr const char* kCliSoundLinked
    = QT_TRANSLATE_NOOP("Quorvel", " has a sound linked and cannot be removed");
inline constexpr const char* kCliDictionaryFault = QT_TRANSLATE_NOOP("Quorvel",
    ": the dictionary could not be read or written (quorvel-cli dict check shows its damage)");
inline constexpr const char* kCliDictionaryDamaged
    = QT_TRANSLATE_NOOP("Quorvel", ": the dictionary is damaged: ");
inline constexpr const char* kCliDictionaryProblems
    = QT_TRANSLATE_NOOP("Quorvel", "the dictionary has problems: ");
inline constexpr const char* kCliWalkFailed
    = QT_TRANSLATE_NOOP("Quorvel", ": the walk stopped at a damaged bucket chain");
inline constexpr const char* kCliIsAFolder
    = QT_TRANSLATE_NOOP("Quorvel", " is a folder, not a word list file");
inline constexpr const char* kCliCannotReadFile = QT_TRANSLATE_NOOP("Quorvel", "cannot read ");
inline constexpr const char* kCliCannotOpen = QT_TRANSLATE_NOOP("Quorvel", "cannot open ");
inline constexpr const char* kCliCannotWrite = QT_TRANSLATE_NOOP("Quorvel", "cannot write ");
inline constexpr const char* kCliNotWorkingDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "not a working dictionary");
inline constexpr const char* kCliWordFileTooShort
    = QT_TRANSLATE_NOOP("Quorvel", "the word file is too short to hold a list");
inline constexpr const char* kCliHistoryFileTooShort
    = QT_TRANSLATE_NOOP("Quorvel", "the history file is too short to hold a header");
inline constexpr const char* kCliImportFaults = QT_TRANSLATE_NOOP(
    "Quorvel", " words could not be added: the dictionary could not be read or written: ");
inline constexpr const char* kCliListDamaged
    = QT_TRANSLATE_NOOP("Quorvel", ": the list is damaged: ");
inline constexpr const char* kCliListChainBroken
    = QT_TRANSLATE_NOOP("Quorvel", "its chain of records is broken");
inline constexpr const char* kCliListCountWrong
    = QT_TRANSLATE_NOOP("Quorvel", "the header counts ");
inline constexpr const char* kCliListCountFound
    = QT_TRANSLATE_NOOP("Quorvel", " words but the chain holds ");
inline constexpr const char* kCliListRecordIndex = QT_TRANSLATE_NOOP("Quorvel", "record ");
inline constexpr const char* kCliListCarriesIndex = QT_TRANSLATE_NOOP("Quorvel", " carries index ");
inline constexpr const char* kCliListUnknownState = QT_TRANSLATE_NOOP("Quorvel", "its state is ");
inline constexpr const char* kCliListUsedUp = QT_TRANSLATE_NOOP("Quorvel",
    "the list is used up (a dictionary change or a failed update marked it so); make a new one "
    "with quorvel-cli list generate");
inline constexpr const char* kCliListSpeltOnce = QT_TRANSLATE_NOOP(
    "Quorvel", "the list has been spelt once and its results applied; only a repeat may use it");
inline constexpr const char* kCliListNotMarked = QT_TRANSLATE_NOOP("Quorvel",
    "the list has no results yet for every word; record them first with quorvel-cli list mark");
inline constexpr const char* kCliListNotFromDictionary = QT_TRANSLATE_NOOP("Quorvel",
    "the list comes from the scrap pad or a bee window; it moves no dictionary statuses");
inline constexpr const char* kCliListMovedEnd
    = QT_TRANSLATE_NOOP("Quorvel", " is not where the list found it");
inline constexpr const char* kCliListFinishFailed = QT_TRANSLATE_NOOP("Quorvel",
    ": the statuses were moved but the list could not be marked as spelt; it has been made "
    "unusable");
inline constexpr const char* kCliShowInvalid
    = QT_TRANSLATE_NOOP("Quorvel", "the list is not usable: ");
inline constexpr const char* kCliNoWordsGenerated
    = QT_TRANSLATE_NOOP("Quorvel", " (no word of the dictionary fits the user's list setup)");
inline constexpr const char* kCliWordFileNotMade
    = QT_TRANSLATE_NOOP("Quorvel", "cannot write the word file ");
inline constexpr const char* kCliListNotRestored = QT_TRANSLATE_NOOP(
    "Quorvel", "no list was made, and the previous list could not be put back in ");
inline constexpr const char* kCliHistoryIncomplete
    = QT_TRANSLATE_NOOP("Quorvel", ": the history ring cannot be read to its end");
inline constexpr const char* kCliNoHistoryFile = QT_TRANSLATE_NOOP("Quorvel", "no history file ");
inline constexpr const char* kCliMakeHistoryFile = QT_TRANSLATE_NOOP(
    "Quorvel", " (make one with quorvel-cli history generate --user U --records N)");
inline constexpr const char* kCliHistoryFilesNotMade
    = QT_TRANSLATE_NOOP("Quorvel", "cannot create the history file ");
inline constexpr const char* kCliHistoryOversized = QT_TRANSLATE_NOOP("Quorvel",
    ": the history file holds more than 60 records; --force rebuilds it with only the newest "
    "drills that can be read, up to --records");
inline constexpr const char* kCliDrillIncomplete
    = QT_TRANSLATE_NOOP("Quorvel", "no pass of the drill ran to its end");
inline constexpr const char* kCliListOutOfDate = QT_TRANSLATE_NOOP(
    "Quorvel", "the list is out of date (the dictionary has changed since it was made): ");
inline constexpr const char* kCliListOutOfDateUsedUp
    = QT_TRANSLATE_NOOP("Quorvel", "it was marked used up meanwhile");

// What a change did when something after it failed: "CAT was added, but ...".
inline constexpr const char* kCliWasAdded = QT_TRANSLATE_NOOP("Quorvel", " was added");
inline constexpr const char* kCliWasAmended = QT_TRANSLATE_NOOP("Quorvel", " was amended");
inline constexpr const char* kCliWasRemoved = QT_TRANSLATE_NOOP("Quorvel", " was removed");
inline constexpr const char* kCliStatusWasSet = QT_TRANSLATE_NOOP("Quorvel", "'s status was set");
inline constexpr const char* kCliWordsWereAdded = QT_TRANSLATE_NOOP("Quorvel", " words were added");
inline constexpr const char* kCliWordsWereTransferred
    = QT_TRANSLATE_NOOP("Quorvel", " words were transferred or moved");
inline constexpr const char* kCliButNotOnDisk = QT_TRANSLATE_NOOP("Quorvel",
    ", but the dictionary could not be written through to the disk (the change may not "
    "survive a power cut): ");
inline constexpr const char* kCliButListsNotMarked = QT_TRANSLATE_NOOP(
    "Quorvel", ", but the users' lists could not be marked out of date: cannot write ");
inline constexpr const char* kCliRecordNotFreed = QT_TRANSLATE_NOOP("Quorvel",
    ", but its record could not be put on the free list, so its space will not be used again "
    "(quorvel-cli dict check shows why)");
inline constexpr const char* kCliCannotSync
    = QT_TRANSLATE_NOOP("Quorvel", "cannot write through to the disk: ");

// dict check and dict repair.
inline constexpr const char* kCliMovesCutShort = QT_TRANSLATE_NOOP("Quorvel",
    "every word is there, but a move between the tables was cut short (quorvel-cli dict repair, "
    "or the same dict amend again, finishes it): ");
inline constexpr const char* kCliRepairMends
    = QT_TRANSLATE_NOOP("Quorvel", " (quorvel-cli dict repair mends it)");
inline constexpr const char* kCliRepairCopyFailed = QT_TRANSLATE_NOOP(
    "Quorvel", ": nothing was mended, as no copy of the file could be made beside it: ");
inline constexpr const char* kCliRepairLeft
    = QT_TRANSLATE_NOOP("Quorvel", ": these problems need a person: ");
inline constexpr const char* kCliRepairFailed = QT_TRANSLATE_NOOP("Quorvel",
    ": the repair stopped, the dictionary could not be read or written; the file as it was is ");

// A writing command finds the installation folder held by another program (the window, or
// another command) for longer than it waits.
inline constexpr const char* kCliFolderInUse
    = QT_TRANSLATE_NOOP("Quorvel", " is in use by another Quorvel program");
inline constexpr const char* kCliFolderInUseAdvice
    = QT_TRANSLATE_NOOP("Quorvel", "; try again when it has finished");

} // namespace quorvel::strings
