#pragma once

// Texts of the dictionary browser: its window, status line, messages, and the names and tips of
// its one-letter buttons.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kBrowserTitle = QT_TRANSLATE_NOOP("Quorvel", "Browse ");

// The status line.
inline constexpr const char* kBrowseStart
    = QT_TRANSLATE_NOOP("Quorvel", "To Browse the dictionary press P or F ...");
inline constexpr const char* kBrowseStopped
    = QT_TRANSLATE_NOOP("Quorvel", "Press P or FF to browse the dictionary");
inline constexpr const char* kBrowseTestThisWord
    = QT_TRANSLATE_NOOP("Quorvel", "Press Single step to test yourself on this word");
inline constexpr const char* kBrowseMemorize = QT_TRANSLATE_NOOP("Quorvel", "Please Memorize     ");
inline constexpr const char* kBrowseSpellIt = QT_TRANSLATE_NOOP("Quorvel", "Now spell it");
inline constexpr const char* kBrowseSpeltWrong
    = QT_TRANSLATE_NOOP("Quorvel", "You have spelt it incorrectly");
inline constexpr const char* kBrowseCorrectSpelling
    = QT_TRANSLATE_NOOP("Quorvel", "The correct spelling is ...      ");
inline constexpr const char* kBrowseSpeltRight
    = QT_TRANSLATE_NOOP("Quorvel", "You have spelt it correctly");
inline constexpr const char* kBrowseWordAdded
    = QT_TRANSLATE_NOOP("Quorvel", "Word added to your Scrap Pad");

// Messages.
inline constexpr const char* kBrowseUnableToOpenDictionary
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open dictionary file.");
inline constexpr const char* kBrowseNoCriteria
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to obtain your criteria");
inline constexpr const char* kBrowseNoRandomWords
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to collect random words. Please use sequence setting");
inline constexpr const char* kBrowseUnableToAdd
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to add the word  ");
// In sequence order no word of the dictionary fits the user's list setup.
inline constexpr const char* kBrowseNoWords = QT_TRANSLATE_NOOP("Quorvel",
    "No word of the dictionary fits your list setup (its letters range, language and working "
    "category).");
// A read of the dictionary failed in the middle of a browse.
inline constexpr const char* kBrowseReadError = QT_TRANSLATE_NOOP("Quorvel",
    "The dictionary file could not be read, so browsing has stopped.\r\n"
    "quorvel-cli dict check shows what is wrong with it.");
// Page 1 of the scrap pad is there but is not a text file the browser can add to.
inline constexpr const char* kBrowsePageNotAdded
    = QT_TRANSLATE_NOOP("Quorvel", "The word was not added, and the file is left as it is.");

// The speed display, the slider and the switches.
inline constexpr const char* kBrowseSpeedLabel = QT_TRANSLATE_NOOP("Quorvel", "Speed");
inline constexpr const char* kBrowseSliderName
    = QT_TRANSLATE_NOOP("Quorvel", "Position in the dictionary, from A to Z");
inline constexpr const char* kBrowseWordName = QT_TRANSLATE_NOOP("Quorvel", "Word");
inline constexpr const char* kBrowseOrderSequence
    = QT_TRANSLATE_NOOP("Quorvel", "Order: alphabetical sequence");
inline constexpr const char* kBrowseOrderRandom = QT_TRANSLATE_NOOP("Quorvel", "Order: random");
inline constexpr const char* kBrowseSoundOn = QT_TRANSLATE_NOOP("Quorvel", "Sound: on");
inline constexpr const char* kBrowseSoundOff = QT_TRANSLATE_NOOP("Quorvel", "Sound: off");

// The lamps.
inline constexpr const char* kLampStopped = QT_TRANSLATE_NOOP("Quorvel", "Stopped");
inline constexpr const char* kLampPlay = QT_TRANSLATE_NOOP("Quorvel", "Play");
inline constexpr const char* kLampTest = QT_TRANSLATE_NOOP("Quorvel", "Test");
inline constexpr const char* kLampFast = QT_TRANSLATE_NOOP("Quorvel", "Fast");
inline constexpr const char* kLampError = QT_TRANSLATE_NOOP("Quorvel", "Error");
inline constexpr const char* kLampsName = QT_TRANSLATE_NOOP("Quorvel", "Browser lamps");
inline constexpr const char* kLampLit = QT_TRANSLATE_NOOP("Quorvel", "lit");

// The buttons: captions with their mnemonics, and what each does (tool tip and the name a
// screen reader says).
inline constexpr const char* kBrowseBack = QT_TRANSLATE_NOOP("Quorvel", "&R");
inline constexpr const char* kBrowseBackTip
    = QT_TRANSLATE_NOOP("Quorvel", "Back to the previous word (Alt+R)");
inline constexpr const char* kBrowseGo = QT_TRANSLATE_NOOP("Quorvel", "&G");
inline constexpr const char* kBrowseGoTip = QT_TRANSLATE_NOOP("Quorvel", "Go one step (Alt+G)");
inline constexpr const char* kBrowseStop = QT_TRANSLATE_NOOP("Quorvel", "&S");
inline constexpr const char* kBrowseStopTip = QT_TRANSLATE_NOOP("Quorvel", "Stop (Alt+S)");
inline constexpr const char* kBrowsePlay = QT_TRANSLATE_NOOP("Quorvel", "&P");
inline constexpr const char* kBrowsePlayTip
    = QT_TRANSLATE_NOOP("Quorvel", "Play: show the words as a slide show (Alt+P)");
inline constexpr const char* kBrowseFast = QT_TRANSLATE_NOOP("Quorvel", "&F");
inline constexpr const char* kBrowseFastTip
    = QT_TRANSLATE_NOOP("Quorvel", "Fast forward, without sound (Alt+F)");
inline constexpr const char* kBrowseTest = QT_TRANSLATE_NOOP("Quorvel", "&B");
inline constexpr const char* kBrowseTestTip = QT_TRANSLATE_NOOP(
    "Quorvel", "Single step test on: each word is shown, hidden, and you spell it (Alt+B)");
inline constexpr const char* kBrowseScrapPad = QT_TRANSLATE_NOOP("Quorvel", "&V");
inline constexpr const char* kBrowseScrapPadTip
    = QT_TRANSLATE_NOOP("Quorvel", "Add the word to your Scrap Pad (Alt+V)");
inline constexpr const char* kBrowseFaster = QT_TRANSLATE_NOOP("Quorvel", "&I");
inline constexpr const char* kBrowseFasterTip
    = QT_TRANSLATE_NOOP("Quorvel", "Speed up the slide show (Alt+I)");
inline constexpr const char* kBrowseSlower = QT_TRANSLATE_NOOP("Quorvel", "&D");
inline constexpr const char* kBrowseSlowerTip
    = QT_TRANSLATE_NOOP("Quorvel", "Slow down the slide show (Alt+D)");
inline constexpr const char* kBrowseSound = QT_TRANSLATE_NOOP("Quorvel", "&K");
inline constexpr const char* kBrowseSoundTip
    = QT_TRANSLATE_NOOP("Quorvel", "Sound on or off (Alt+K)");
inline constexpr const char* kBrowseOrder = QT_TRANSLATE_NOOP("Quorvel", "&T");
inline constexpr const char* kBrowseOrderTip
    = QT_TRANSLATE_NOOP("Quorvel", "Alphabetical sequence or random order (Alt+T)");
inline constexpr const char* kBrowseClose = QT_TRANSLATE_NOOP("Quorvel", "&O");
inline constexpr const char* kBrowseCloseTip
    = QT_TRANSLATE_NOOP("Quorvel", "Close, remembering this word for next time (Alt+O)");
inline constexpr const char* kBrowseHelp = QT_TRANSLATE_NOOP("Quorvel", "0");
inline constexpr const char* kBrowseHelpTip = QT_TRANSLATE_NOOP("Quorvel", "Help (F1)");

} // namespace quorvel::strings
