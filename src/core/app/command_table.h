#pragma once

// The main menu: every command with its id, menu, text, status-bar hint, who handles it and
// whether the system password locks it. The tool bars and the help mapping use the same ids.

#include <span>

namespace quorvel {

namespace command {
inline constexpr int kNewBeeFile = 24331, kNewUserWizard = 1900, kOpenBeeFile = 24332,
                     kOpenScrapPad = 231, kCloseActive = 24339, kSave = 24333, kSaveAs = 24334,
                     kSend = 261, kPrint = 24337, kPrintSetup = 24338, kPrintOptions = 260,
                     kExit = 24310;
inline constexpr int kFind = 24351, kReplace = 24352, kFindNext = 24353, kUndo = 24321,
                     kCut = 24322, kCopy = 24323, kPaste = 24324, kSelectAll = 273,
                     kClearAll = 24326, kDelete = 24325;
inline constexpr int kSpellingBee = 228, kMakeList = 232, kBrowseDictionary = 229,
                     kListProperties = 230, kUserProperties = 248, kViewStats = 243,
                     kDictionaryStatus = 240, kHistoryReport = 234, kLastList = 235,
                     kLastListAttempts = 249, kMoveNonDictionary = 236, kMoveDictionary = 237,
                     kSound = 238;
// Charts of the current user's scores and word status; beside the history report.
inline constexpr int kProgress = 280;
// The pages of the active document as they will print; beside Print.
inline constexpr int kPrintPreview = 281;
inline constexpr int kSystemAccess = 244, kPasswordSetup = 246, kSystemSetup = 241,
                     kSelectedHistory = 245, kAllHistory = 239, kDictionaryReport = 252,
                     kDictionaryEditor = 233, kRecordingSetup = 259, kTransfer = 274,
                     kDownload = 262, kPaths = 253, kBackup = 250, kNewHistoryFile = 242,
                     kCategorySetup = 247, kImportCategories = 251;
inline constexpr int kCascade = 24361, kTile = 24362, kArrangeIcons = 24364, kCloseAll = 24365;
inline constexpr int kHelpContents = 2001, kUsingHelp = 2002, kFirstTimeHelp = 276, kAbout = 2009;
} // namespace command

enum class Handler
{
    Client, // the main window's client area
    Frame,
    Application,
    Document, // the active document window; available only while one is active
};

enum class Menu
{
    FileNew,
    File,
    Edit,
    Utilities,
    System,
    SystemHistory,
    Window,
    Help
};

struct CommandInfo
{
    int id;
    Menu menu;
    const char* text; // with its mnemonic; "\t" separates the shortcut shown
    const char* hint; // status-bar text while the item is highlighted
    Handler handler;
    bool locked; // greyed while the system password is on and access was not granted
    bool separatorBefore = false;
};

// The menu in order.
std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(int id);
// The word a command's action is named by ("spellingBee"), or nullptr for an unknown id.
const char* commandName(int id);

} // namespace quorvel
