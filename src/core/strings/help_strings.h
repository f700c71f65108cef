#pragma once

// Texts of the help window, the first-time tips and the about box.

namespace quorvel::strings {

// About box.
inline constexpr const char* kAboutCaption = "About Quorvel";
inline constexpr const char* kAboutFixedLine = "Tamblewick's Quorvel 32bit version";
// The version line's own text, and its middle word once the version values are known.
inline constexpr const char* kAboutVersionWord = "Version";
inline constexpr const char* kAboutLegalLine = "All rights reserved.";
inline constexpr const char* kAboutSpecialBuildLine = "Standard build";
inline constexpr const char* kAboutOk = "OK";

// Help window.
inline constexpr const char* kHelpWindowTitle = "Quorvel Help";
inline constexpr const char* kHelpBack = "&Back";
inline constexpr const char* kHelpForward = "&Forward";
inline constexpr const char* kHelpContents = "&Contents";
inline constexpr const char* kHelpClose = "C&lose";
inline constexpr const char* kHelpPageName = "Help page";

// First-time tips.
inline constexpr const char* kFirstTimeHelpTitle = "First time help";
inline constexpr const char* kTipWelcomeCaption = "Welcome";
inline constexpr const char* kTipPage1Caption = "Page 1";
inline constexpr const char* kTipPage2Caption = "Page 2";
inline constexpr const char* kTipPage3Caption = "Page 3";
inline constexpr const char* kTipPage4Caption = "Page 4";
inline constexpr const char* kTipFigure1 = "Figure 1";
inline constexpr const char* kTipFigure2 = "Figure 2";

inline constexpr const char* kTipWelcomeHeading = "Welcome to Quorvel!";
inline constexpr const char* kTipWelcomeText
    = "These tips show you how to get started: where the words of a spelling list come from, "
      "how to make a list of your own and how to set the drill up to suit you. Use the tabs "
      "above, or Ctrl+Tab, to go from page to page.\n\n"
      "Quorvel comes with a built-in dictionary. Unless you choose otherwise, every spelling "
      "list is drawn from it, fitted to your list properties. The other source of lists is "
      "text: a bee file, any text file, or your scrap pad.\n\n"
      "Before you begin, give yourself a user slot: choose File \u25b8 New \u25b8 New User "
      "Wizard, pick a free slot, type your name and, if you wish, a password. Then pick your "
      "name in the user box on the tool bar. The dictionary remembers, for each user, which "
      "words were failed, met or mastered.";

inline constexpr const char* kTipPage1Heading = "Where spelling lists come from";
inline constexpr const char* kTipPage1Text
    = "A spelling list can come from three places (Figure 1):\n\n"
      "1. The dictionary. Choose Utilities \u25b8 Spelling Bee and press Start: a fresh list is "
      "drawn from the dictionary by your list properties.\n\n"
      "2. Text files. Open a bee file (.bee) or a text file (.txt), or start a new bee file, "
      "and choose Utilities \u25b8 Make list from active window.\n\n"
      "3. The scrap pad. Your own two-page notebook of words; failed words can be collected "
      "there. Make a list from either page just as from a text window.\n\n"
      "The status bar shows which kind of list is waiting: Dictionary, Bee File or Scrap Pad.";

inline constexpr const char* kTipPage2Heading = "Making a list of your own";
inline constexpr const char* kTipPage2Text
    = "1. Choose File \u25b8 New \u25b8 New Bee File. An empty bee window opens.\n\n"
      "2. Type the words you want to practise, one a line or with spaces between them.\n\n"
      "3. With the bee window active, choose Utilities \u25b8 Make list from active window, "
      "click the Make list button on the tool bar, or right-click in the window (Figure 2).\n\n"
      "4. The status bar now shows the list status Bee File and the number of words. Save the "
      "window with File \u25b8 Save active window to use the list again another day.";

inline constexpr const char* kTipPage3Heading = "Spelling your list";
inline constexpr const char* kTipPage3Text
    = "Choose Utilities \u25b8 Spelling Bee, or click the first button of the tool bar, and "
      "press Start. Quorvel takes the list you have just made: each word is shown (and spoken "
      "when sound is on), then hidden. Type the spelling and press Enter. Your score is kept "
      "as you go; at the end, Repeat lets you spell the list again, or only the words you "
      "got wrong.\n\n"
      "Important: keep the bee window that the list came from open while you drill. If you "
      "close it, its list is forgotten and the next Start draws a list from the dictionary.";

inline constexpr const char* kTipPage4Heading = "Adjusting your lists";
inline constexpr const char* kTipPage4Text
    = "Choose Utilities \u25b8 List Properties to change how dictionary lists are drawn:\n\n"
      "\u2022 Minimum Letters and Maximum Letters: the shortest and the longest words of a "
      "list.\n"
      "\u2022 List size: how many words a list holds, from 1 to 50.\n"
      "\u2022 List Type: Random, One letter only, Pre-defined start (C?M, for example, where ? "
      "stands for any letter) or Failures only.\n\n"
      "Tip: press F1 at any time for the help contents, or press Shift+F1 and then choose a "
      "command to read about it instead of carrying it out. The Help button of every dialog "
      "explains that dialog.";

// Words drawn into the tip figures.
inline constexpr const char* kFigureDictionary = "Dictionary";
inline constexpr const char* kFigureTextFiles = "Text files";
inline constexpr const char* kFigureScrapPad = "Scrap Pad";
inline constexpr const char* kFigureSpellingBee = "Spelling Bee";
inline constexpr const char* kFigureBeeWindow = "New bee file";
inline constexpr const char* kFigureMakeList = "Make list";
inline constexpr const char* kFigureListStatus = "List Status:";
inline constexpr const char* kFigureBeeFile = "Bee File";
inline constexpr const char* kFigureWords[] = { "because", "necessary", "rhythm", "separate" };

} // namespace quorvel::strings
