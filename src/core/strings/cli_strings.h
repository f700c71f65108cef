#pragma once

// Texts of quorvel-cli: the terminal drill (the window's number fields as one score line, and the
// keys that stand in for the buttons of a question box), and the command-line tool's messages.
// Messages are built from these pieces with the names and numbers they speak of.

namespace quorvel::strings {

// The score line: the labels of the drill window's number fields.
inline constexpr const char* kCliWordNumber = "Word number ";
inline constexpr const char* kCliScore = "Score";
inline constexpr const char* kCliLevelSetAt = "Level set at ";

// A question box on a terminal: the buttons as keys.
inline constexpr const char* kCliAskYesNoCancel = "[y]es, [n]o or [c]ancel? ";
inline constexpr const char* kCliAskYesNo = "[y]es or [n]o? ";
inline constexpr const char* kCliAskOkCancel = "[o]k or [c]ancel? ";
// A question met while the answers come from a pipe: nobody can answer it, so it is cancelled.
inline constexpr const char* kCliQuestionCancelled = "(no terminal to answer: Cancel)";
// The person interrupted the drill (Ctrl+C): it stops as Stop would.
inline constexpr const char* kCliInterrupted = "Interrupted.";

// Setting a startup field by name: what a field takes, and why a value is refused.
inline constexpr const char* kCliFieldTakes = " takes ";
inline constexpr const char* kCliFieldNot = ", not ";
inline constexpr const char* kCliZeroOrOne = "0 or 1";
inline constexpr const char* kCliWholeNumberFrom = "a whole number from ";
inline constexpr const char* kCliTo = " to ";
inline constexpr const char* kCliExactly = "exactly ";
inline constexpr const char* kCliUpTo = "up to ";
inline constexpr const char* kCliCharacters = " characters";
inline constexpr const char* kCliCharacter = " character";
inline constexpr const char* kCliOf = " of ";
inline constexpr const char* kCliUserNameCharacters = "A-Z a-z 0-9 ' and the blank";
inline constexpr const char* kCliPasswordCharacters = "A-Z a-z 0-9";
inline constexpr const char* kCliCategoryNameCharacters
    = "A-Z a-z 0-9 the blank and . , = @ [ ] # + -";
inline constexpr const char* kCliUpperLetters = "A-Z";
inline constexpr const char* kCliPatternCharacters = "A-Z and ?";
inline constexpr const char* kCliPrintableCharacters = "printable characters";
inline constexpr const char* kCliNoPassword = " (empty: no password)";
inline constexpr const char* kCliSliderTriple
    = "three whole numbers minimum,maximum,position with ";
inline constexpr const char* kCliSliderOrder = " <= minimum <= position <= maximum <= ";
inline constexpr const char* kCliGroupOf = " (one of ";
inline constexpr const char* kCliGroupIsOne = " is 1; setting one to 1 clears the others)";
inline constexpr const char* kCliNotAbove = " may not be above ";
inline constexpr const char* kCliNotBelow = " may not be below ";
inline constexpr const char* kCliMustBeAbove = " must be above ";
inline constexpr const char* kCliMustBeBelow = " must be below ";
inline constexpr const char* kCliGroupNeedsOne
    = " cannot be switched off alone: one flag of its group must be 1; set one of ";
inline constexpr const char* kCliGroupNeedsOneEnd = " to 1 instead, which clears it";
inline constexpr const char* kCliNeedsPassword = " can be 1 only while a password is set in ";
inline constexpr const char* kCliValueNotStored = "the value could not be stored in ";
inline constexpr const char* kCliGuardedBy = " can be emptied only while this switch is 0: ";

// Command-line errors.
inline constexpr const char* kCliNoCommandOutput = "the command failed";
inline constexpr const char* kCliNotInDictionary = " is not in the dictionary";
inline constexpr const char* kCliNotSuitable
    = " is not a suitable word (letters only, as the dictionary keeps them)";
inline constexpr const char* kCliNotAdded
    = " was not added: it is not a suitable word, or the dictionary has no room left";
inline constexpr const char* kCliAlreadyThere = " is already in the dictionary";
inline constexpr const char* kCliSoundLinked = " has a sound linked and cannot be removed";
inline constexpr const char* kCliDictionaryFault
    = ": the dictionary could not be read or written (quorvel-cli dict check shows its damage)";
inline constexpr const char* kCliDictionaryDamaged = ": the dictionary is damaged: ";
inline constexpr const char* kCliDictionaryProblems = "the dictionary has problems: ";
inline constexpr const char* kCliWalkFailed = ": the walk stopped at a damaged bucket chain";
inline constexpr const char* kCliIsAFolder = " is a folder, not a word list file";
inline constexpr const char* kCliCannotReadFile = "cannot read ";
inline constexpr const char* kCliCannotOpen = "cannot open ";
inline constexpr const char* kCliCannotWrite = "cannot write ";
inline constexpr const char* kCliNotWorkingDictionary = "not a working dictionary";
inline constexpr const char* kCliWordFileTooShort = "the word file is too short to hold a list";
inline constexpr const char* kCliHistoryFileTooShort
    = "the history file is too short to hold a header";
inline constexpr const char* kCliImportFaults
    = " words could not be added: the dictionary could not be read or written: ";
inline constexpr const char* kCliListDamaged = ": the list is damaged: ";
inline constexpr const char* kCliListChainBroken = "its chain of records is broken";
inline constexpr const char* kCliListCountWrong = "the header counts ";
inline constexpr const char* kCliListCountFound = " words but the chain holds ";
inline constexpr const char* kCliListRecordIndex = "record ";
inline constexpr const char* kCliListCarriesIndex = " carries index ";
inline constexpr const char* kCliListUnknownState = "its state is ";
inline constexpr const char* kCliListUsedUp
    = "the list is used up (a dictionary change or a failed update marked it so); make a new one "
      "with quorvel-cli list generate";
inline constexpr const char* kCliListSpeltOnce
    = "the list has been spelt once and its results applied; only a repeat may use it";
inline constexpr const char* kCliListNotMarked
    = "the list has no results yet for every word; record them first with quorvel-cli list mark";
inline constexpr const char* kCliListNotFromDictionary
    = "the list comes from the scrap pad or a bee window; it moves no dictionary statuses";
inline constexpr const char* kCliListMovedEnd = " is not where the list found it";
inline constexpr const char* kCliListFinishFailed
    = ": the statuses were moved but the list could not be marked as spelt; it has been made "
      "unusable";
inline constexpr const char* kCliShowInvalid = "the list is not usable: ";
inline constexpr const char* kCliNoWordsGenerated
    = " (no word of the dictionary fits the user's list setup)";
inline constexpr const char* kCliWordFileNotMade = "cannot write the word file ";
inline constexpr const char* kCliListNotRestored
    = "no list was made, and the previous list could not be put back in ";
inline constexpr const char* kCliHistoryIncomplete = ": the history ring cannot be read to its end";
inline constexpr const char* kCliNoHistoryFile = "no history file ";
inline constexpr const char* kCliMakeHistoryFile
    = " (make one with quorvel-cli history generate --user U --records N)";
inline constexpr const char* kCliHistoryFilesNotMade = "cannot create the history file ";
inline constexpr const char* kCliHistoryOversized
    = ": the history file holds more than 60 records; --force rebuilds it with only the newest "
      "drills that can be read, up to --records";
inline constexpr const char* kCliDrillIncomplete = "no pass of the drill ran to its end";
inline constexpr const char* kCliListOutOfDate
    = "the list is out of date (the dictionary has changed since it was made): ";
inline constexpr const char* kCliListOutOfDateUsedUp = "it was marked used up meanwhile";

// What a change did when something after it failed: "CAT was added, but ...".
inline constexpr const char* kCliWasAdded = " was added";
inline constexpr const char* kCliWasAmended = " was amended";
inline constexpr const char* kCliWasRemoved = " was removed";
inline constexpr const char* kCliStatusWasSet = "'s status was set";
inline constexpr const char* kCliWordsWereAdded = " words were added";
inline constexpr const char* kCliButNotOnDisk
    = ", but the dictionary could not be written through to the disk (the change may not "
      "survive a power cut): ";
inline constexpr const char* kCliButListsNotMarked
    = ", but the users' lists could not be marked out of date: cannot write ";
inline constexpr const char* kCliRecordNotFreed
    = ", but its record could not be put on the free list, so its space will not be used again "
      "(quorvel-cli dict check shows why)";
inline constexpr const char* kCliCannotSync = "cannot write through to the disk: ";

// dict check and dict repair.
inline constexpr const char* kCliMovesCutShort
    = "every word is there, but a move between the tables was cut short (quorvel-cli dict repair, "
      "or the same dict amend again, finishes it): ";
inline constexpr const char* kCliRepairMends = " (quorvel-cli dict repair mends it)";
inline constexpr const char* kCliRepairCopyFailed
    = ": nothing was mended, as no copy of the file could be made beside it: ";
inline constexpr const char* kCliRepairLeft = ": these problems need a person: ";
inline constexpr const char* kCliRepairFailed
    = ": the repair stopped, the dictionary could not be read or written; the file as it was is ";

// A writing command finds the installation folder held by another program (the window, or
// another command) for longer than it waits.
inline constexpr const char* kCliFolderInUse = " is in use by another Quorvel program";
inline constexpr const char* kCliFolderInUseAdvice = "; try again when it has finished";

} // namespace quorvel::strings
