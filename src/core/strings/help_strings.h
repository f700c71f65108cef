#pragma once

// Texts of the help window, the first-time tips and the about box.

#include <QtGlobal>

namespace quorvel::strings {

// About box.
inline constexpr const char* kAboutCaption = QT_TRANSLATE_NOOP("Quorvel", "About Quorvel");
inline constexpr const char* kAboutFixedLine
    = QT_TRANSLATE_NOOP("Quorvel", "Tamblewick's Quorvel 32bit version");
// The version line's own text, and its middle word once the version values are known.
inline constexpr const char* kAboutVersionWord = QT_TRANSLATE_NOOP("Quorvel", "Version");
inline constexpr const char* kAboutLegalLine = QT_TRANSLATE_NOOP("Quorvel", "All rights reserved.");
inline constexpr const char* kAboutSpecialBuildLine
    = QT_TRANSLATE_NOOP("Quorvel", "Standard build");
inline constexpr const char* kAboutOk = QT_TRANSLATE_NOOP("Quorvel", "OK");

// Help window.
inline constexpr const char* kHelpWindowTitle = QT_TRANSLATE_NOOP("Quorvel", "Quorvel Help");
inline constexpr const char* kHelpBack = QT_TRANSLATE_NOOP("Quorvel", "&Back");
inline constexpr const char* kHelpForward = QT_TRANSLATE_NOOP("Quorvel", "&Forward");
inline constexpr const char* kHelpContents = QT_TRANSLATE_NOOP("Quorvel", "&Contents");
inline constexpr const char* kHelpClose = QT_TRANSLATE_NOOP("Quorvel", "C&lose");
inline constexpr const char* kHelpPageName = QT_TRANSLATE_NOOP("Quorvel", "Help page");

// First-time tips.
inline constexpr const char* kFirstTimeHelpTitle = QT_TRANSLATE_NOOP("Quorvel", "First time help");
inline constexpr const char* kTipWelcomeCaption = QT_TRANSLATE_NOOP("Quorvel", "Welcome");
inline constexpr const char* kTipPage1Caption = QT_TRANSLATE_NOOP("Quorvel", "Page 1");
inline constexpr const char* kTipPage2Caption = QT_TRANSLATE_NOOP("Quorvel", "Page 2");
inline constexpr const char* kTipPage3Caption = QT_TRANSLATE_NOOP("Quorvel", "Page 3");
inline constexpr const char* kTipPage4Caption = QT_TRANSLATE_NOOP("Quorvel", "Page 4");
inline constexpr const char* kTipFigure1 = QT_TRANSLATE_NOOP("Quorvel", "Figure 1");
inline constexpr const char* kTipFigure2 = QT_TRANSLATE_NOOP("Quorvel", "Figure 2");

inline constexpr const char* kTipWelcomeHeading
    = QT_TRANSLATE_NOOP("Quorvel", "Welcome to Quorvel!");
inline constexpr const char* kTipWelcomeText = QT_TRANSLATE_NOOP("Quorvel",
    "These tips show you how to get started: where the words of a spelling list come from, "
    "how to make a list of your own and how to set the drill up to suit you. Use the tabs "
    "above, or Ctrl+Tab, to go from page to page.\n\n"
    "Quorvel comes with a built-in dictionary. Unless you choose otherwise, every spelling "
    "list is drawn from it, fitted to your list properties. The other source of lists is "
    "text: a bee file, any text file, or your scrap pad.\n\n"
    "Before you begin, give yourself a user slot: choose File \u25b8 New \u25b8 New User "
    "Wizard, pick a free slot, type your name and, if you wish, a password. Then pick your "
    "name in the user box on the tool bar. The dictionary remembers, for each user, which "
    "words were failed, met or mastered.");

inline constexpr const char* kTipPage1Heading
    = QT_TRANSLATE_NOOP("Quorvel", "Where spelling lists come from");
inline constexpr const char* kTipPage1Text = QT_TRANSLATE_NOOP("Quorvel",
    "A spelling list can come from three places (Figure 1):\n\n"
    "1. The dictionary. Choose Utilities \u25b8 Spelling Bee and press Start: a fresh list is "
    "drawn from the dictionary by your list properties.\n\n"
    "2. Text files. Open a bee file (.bee) or a text file (.txt), or start a new bee file, "
    "and choose Utilities \u25b8 Make list from active window.\n\n"
    "3. The scrap pad. Your own two-page notebook of words; failed words can be collected "
    "there. Make a list from either page just as from a text window.\n\n"
    "The status bar shows which kind of list is waiting: Dictionary, Bee File or Scrap Pad.");

inline constexpr const char* kTipPage2Heading
    = QT_TRANSLATE_NOOP("Quorvel", "Making a list of your own");
inline constexpr const char* kTipPage2Text = QT_TRANSLATE_NOOP("Quorvel",
    "1. Choose File \u25b8 New \u25b8 New Bee File. An empty bee window opens.\n\n"
    "2. Type the words you want to practise, one a line or with spaces between them.\n\n"
    "3. With the bee window active, choose Utilities \u25b8 Make list from active window, "
    "click the Make list button on the tool bar, or right-click in the window (Figure 2).\n\n"
    "4. The status bar now shows the list status Bee File and the number of words. Save the "
    "window with File \u25b8 Save active window to use the list again another day.");

inline constexpr const char* kTipPage3Heading = QT_TRANSLATE_NOOP("Quorvel", "Spelling your list");
inline constexpr const char* kTipPage3Text = QT_TRANSLATE_NOOP("Quorvel",
    "Choose Utilities \u25b8 Spelling Bee, or click the first button of the tool bar, and "
    "press Start. Quorvel takes the list you have just made: each word is shown (and spoken "
    "when sound is on), then hidden. Type the spelling and press Enter. Your score is kept "
    "as you go; at the end, Repeat lets you spell the list again, or only the words you "
    "got wrong.\n\n"
    "Important: keep the bee window that the list came from open while you drill. If you "
    "close it, its list is forgotten and the next Start draws a list from the dictionary.");

inline constexpr const char* kTipPage4Heading
    = QT_TRANSLATE_NOOP("Quorvel", "Adjusting your lists");
inline constexpr const char* kTipPage4Text = QT_TRANSLATE_NOOP("Quorvel",
    "Choose Utilities \u25b8 List Properties to change how dictionary lists are drawn:\n\n"
    "\u2022 Minimum Letters and Maximum Letters: the shortest and the longest words of a "
    "list.\n"
    "\u2022 List size: how many words a list holds, from 1 to 50.\n"
    "\u2022 List Type: Random, One letter only, Pre-defined start (C?M, for example, where ? "
    "stands for any letter) or Failures only.\n\n"
    "Tip: press F1 at any time for the help contents, or press Shift+F1 and then choose a "
    "command to read about it instead of carrying it out. The Help button of every dialog "
    "explains that dialog.");

// Words drawn into the tip figures.
inline constexpr const char* kFigureDictionary = QT_TRANSLATE_NOOP("Quorvel", "Dictionary");
inline constexpr const char* kFigureTextFiles = QT_TRANSLATE_NOOP("Quorvel", "Text files");
inline constexpr const char* kFigureScrapPad = QT_TRANSLATE_NOOP("Quorvel", "Scrap Pad");
inline constexpr const char* kFigureSpellingBee = QT_TRANSLATE_NOOP("Quorvel", "Spelling Bee");
inline constexpr const char* kFigureBeeWindow = QT_TRANSLATE_NOOP("Quorvel", "New bee file");
inline constexpr const char* kFigureMakeList = QT_TRANSLATE_NOOP("Quorvel", "Make list");
inline constexpr const char* kFigureListStatus = QT_TRANSLATE_NOOP("Quorvel", "List Status:");
inline constexpr const char* kFigureBeeFile = QT_TRANSLATE_NOOP("Quorvel", "Bee File");
inline constexpr const char* kFigureWords[] = { "because", "necessary", "rhythm", "separate" };

} // namespace quorvel::strings
