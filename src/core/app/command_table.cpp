#include "app/command_table.h"

#include <QtGlobal>

#include <array>

namespace quorvel {

namespace {

using namespace command;
constexpr Handler C = Handler::Client;
constexpr Handler F = Handler::Frame;
constexpr Handler A = Handler::Application;
constexpr Handler D = Handler::Document;

// Menu texts and hints are translated where the window shows them.
const CommandInfo kCommands[] = {
    { kNewBeeFile, Menu::FileNew, QT_TRANSLATE_NOOP("Quorvel", "New &Bee File"),
        QT_TRANSLATE_NOOP("Quorvel", "Creates a new Bee List"), C, false },
    { kNewUserWizard, Menu::FileNew, QT_TRANSLATE_NOOP("Quorvel", "&New User Wizard"),
        QT_TRANSLATE_NOOP("Quorvel", "Allows a user to allocate a slot in the dynamic dictionary"),
        F, false },
    { kOpenBeeFile, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "&Open Bee File..."),
        QT_TRANSLATE_NOOP("Quorvel", "Opens an existing Bee List"), C, false },
    { kOpenScrapPad, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "Open  Scrap Pa&d"),
        QT_TRANSLATE_NOOP("Quorvel", "Open Scrap Pad"), C, false },
    { kCloseActive, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "&Close  active  window"),
        QT_TRANSLATE_NOOP("Quorvel", "Close this List\\document"), C, false },
    { kSave, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "&Save  active window"),
        QT_TRANSLATE_NOOP("Quorvel", "Saves this List\\document"), D, false, true },
    { kSaveAs, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "Save &As..."),
        QT_TRANSLATE_NOOP("Quorvel", "Saves this List\\document with a new name"), D, false },
    { kSend, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "S&end..."),
        QT_TRANSLATE_NOOP("Quorvel", "Send as email attachment"), C, false, true },
    { kPrint, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "&Print..."),
        QT_TRANSLATE_NOOP("Quorvel", "Print this List\\document"), C, false, true },
    { kPrintPreview, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "Print Pre&view..."),
        QT_TRANSLATE_NOOP("Quorvel", "Show this List\\document as it will print"), C, false },
    { kPrintSetup, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "P&rint Setup..."),
        QT_TRANSLATE_NOOP("Quorvel", "Setup this document print characteristics"), C, false },
    { kPrintOptions, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "Pr&int options..."),
        QT_TRANSLATE_NOOP("Quorvel", "Change font size and left hand print margin"), A, false },
    { kExit, Menu::File, QT_TRANSLATE_NOOP("Quorvel", "E&xit"),
        QT_TRANSLATE_NOOP("Quorvel", "Quits program"), F, false, true },

    { kFind, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Find..."),
        QT_TRANSLATE_NOOP("Quorvel", "Finds the specified text"), D, false },
    { kReplace, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Replace..."),
        QT_TRANSLATE_NOOP("Quorvel", "Finds the specified text and changes it"), D, false },
    { kFindNext, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Next\tF3"),
        QT_TRANSLATE_NOOP("Quorvel", "Finds the next match"), D, false },
    { kUndo, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Undo\tAlt+BkSp"),
        QT_TRANSLATE_NOOP("Quorvel", "Reverses the last operation"), D, false, true },
    { kCut, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "Cu&t\tShift+Del"),
        QT_TRANSLATE_NOOP("Quorvel", "Cuts the selection and puts it on the Clipboard"), D, false },
    { kCopy, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Copy\tCtrl+Ins"),
        QT_TRANSLATE_NOOP("Quorvel", "Copies the selection and puts it on the Clipboard"), D,
        false },
    { kPaste, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Paste\tShift+Ins"),
        QT_TRANSLATE_NOOP("Quorvel", "Inserts the clipboard contents at the insertion point"), D,
        false },
    { kSelectAll, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "Select &All"),
        QT_TRANSLATE_NOOP("Quorvel", "Select the contents of the active window"), D, false, true },
    { kClearAll, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "C&lear all\tCtrl+Del"),
        QT_TRANSLATE_NOOP("Quorvel", "Clear the document"), D, false },
    { kDelete, Menu::Edit, QT_TRANSLATE_NOOP("Quorvel", "&Delete\tDel"),
        QT_TRANSLATE_NOOP("Quorvel", "Deletes the selection"), D, false },

    { kSpellingBee, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&Spelling Bee"),
        QT_TRANSLATE_NOOP("Quorvel", "Spelling Bee"), C, false },
    { kMakeList, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&Make list from active window"),
        QT_TRANSLATE_NOOP("Quorvel", "Make a list from the active window"), D, false },
    { kBrowseDictionary, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&Browse Dictionary"),
        QT_TRANSLATE_NOOP("Quorvel", "Browse  the dictionary"), C, false },
    { kListProperties, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&List Properties"),
        QT_TRANSLATE_NOOP("Quorvel", "Change user setup properties"), A, false, true },
    { kUserProperties, Menu::Utilities,
        QT_TRANSLATE_NOOP("Quorvel", "&User and Category Properties"),
        QT_TRANSLATE_NOOP("Quorvel", "Change user or Dictionary category"), A, false },
    { kViewStats, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&View last saved stats report"),
        QT_TRANSLATE_NOOP("Quorvel", "View the last saved stats entry"), C, false, true },
    { kDictionaryStatus, Menu::Utilities,
        QT_TRANSLATE_NOOP("Quorvel", "&Display user's  dictionary status "),
        QT_TRANSLATE_NOOP("Quorvel", "Will generate information on your dictionary"), C, false },
    { kHistoryReport, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&History report"),
        QT_TRANSLATE_NOOP("Quorvel", "Generate report on your previous Spelling Bee sessions  "), C,
        false },
    { kProgress, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "&Progress"),
        QT_TRANSLATE_NOOP("Quorvel", "Charts of your Spelling Bee scores and word status"), C,
        false },
    { kLastList, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "Display &Current user's last List"),
        QT_TRANSLATE_NOOP("Quorvel", "Print current users list"), C, false },
    { kLastListAttempts, Menu::Utilities,
        QT_TRANSLATE_NOOP("Quorvel", "D&isplay current users last list with attempt"),
        QT_TRANSLATE_NOOP("Quorvel", "Displays your last list with  any attempt you made"), C,
        false },
    { kMoveNonDictionary, Menu::Utilities,
        QT_TRANSLATE_NOOP("Quorvel", "Move Non Dic&tionary words to Scrap Pad page 2"),
        QT_TRANSLATE_NOOP("Quorvel", "Move words not in the dictionary to Page 2"), D, false,
        true },
    { kMoveDictionary, Menu::Utilities,
        QT_TRANSLATE_NOOP("Quorvel", "Move Dictionary &Words to Scrap Pad page 2"),
        QT_TRANSLATE_NOOP("Quorvel", "Move words found in the dictionary to Page 2"), D, false },
    { kSound, Menu::Utilities, QT_TRANSLATE_NOOP("Quorvel", "Sound &On"),
        QT_TRANSLATE_NOOP("Quorvel", "Toggal Sound"), C, false, true },

    { kSystemAccess, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "System Menu &Access..."),
        QT_TRANSLATE_NOOP("Quorvel", "Access to System menu"), C, false },
    { kPasswordSetup, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "&Password Setup..."),
        QT_TRANSLATE_NOOP("Quorvel", "Password  Setup"), C, true },
    { kSystemSetup, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "&System setup... "),
        QT_TRANSLATE_NOOP("Quorvel", "Reset users dictionary word status"), C, true, true },
    { kSelectedHistory, Menu::SystemHistory,
        QT_TRANSLATE_NOOP("Quorvel", "&Selected History Report"),
        QT_TRANSLATE_NOOP("Quorvel", "Open selected History file"), C, true },
    { kAllHistory, Menu::SystemHistory, QT_TRANSLATE_NOOP("Quorvel", "&All History Reports"),
        QT_TRANSLATE_NOOP(
            "Quorvel", "Generates History report for all user's selected in System Setup"),
        C, true },
    { kDictionaryReport, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "Dictionary &Report"),
        QT_TRANSLATE_NOOP("Quorvel", "Generates a report based on the Spelling dictionary"), C,
        true },
    { kDictionaryEditor, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "Dictionary  &Editor..."),
        QT_TRANSLATE_NOOP("Quorvel", "Edit dictionary "), C, true, true },
    { kRecordingSetup, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "Ed&itor recording setup..."),
        QT_TRANSLATE_NOOP("Quorvel", "Set the recording sound quality"), C, true },
    { kTransfer, Menu::System,
        QT_TRANSLATE_NOOP("Quorvel", "Trans&fer words from window to dictionary..."),
        QT_TRANSLATE_NOOP("Quorvel", "Transfer words from window to dictionary"), C, false },
    { kDownload, Menu::System,
        QT_TRANSLATE_NOOP("Quorvel", "Download Bee file &Library from Tamblewick..."),
        QT_TRANSLATE_NOOP("Quorvel", "Download ready-made bee files from the Tamblewick library"),
        C, true, true },
    { kPaths, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "&Change Sound and Backup paths..."),
        QT_TRANSLATE_NOOP("Quorvel", "Change sound, back up and additional dictionary path"), C,
        true, true },
    { kBackup, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "&Backup Dictionary..."),
        QT_TRANSLATE_NOOP("Quorvel", "Allows the dictionary to be saved"), C, true },
    { kNewHistoryFile, Menu::System,
        QT_TRANSLATE_NOOP("Quorvel", "&Generate new user history file..."),
        QT_TRANSLATE_NOOP("Quorvel", "Generate a new history file for the user"), C, true },
    { kCategorySetup, Menu::System, QT_TRANSLATE_NOOP("Quorvel", "Dictionary  Ca&tegory setup..."),
        QT_TRANSLATE_NOOP("Quorvel", "Allows  category changes"), C, true, true },
    { kImportCategories, Menu::System,
        QT_TRANSLATE_NOOP("Quorvel", "Import new &Dictionary Categories..."),
        QT_TRANSLATE_NOOP("Quorvel", "Add new categories from disk"), C, true },

    { kCascade, Menu::Window, QT_TRANSLATE_NOOP("Quorvel", "&Cascade"),
        QT_TRANSLATE_NOOP("Quorvel", "Cascades open windows"), C, false },
    { kTile, Menu::Window, QT_TRANSLATE_NOOP("Quorvel", "&Tile"),
        QT_TRANSLATE_NOOP("Quorvel", "Tiles open windows"), C, false },
    { kArrangeIcons, Menu::Window, QT_TRANSLATE_NOOP("Quorvel", "Arrange &Icons"),
        QT_TRANSLATE_NOOP("Quorvel", "Arranges iconic windows along bottom"), C, false },
    { kCloseAll, Menu::Window, QT_TRANSLATE_NOOP("Quorvel", "C&lose All"),
        QT_TRANSLATE_NOOP("Quorvel", "Closes all open windows"), C, false },

    { kHelpContents, Menu::Help, QT_TRANSLATE_NOOP("Quorvel", "&Contents"),
        QT_TRANSLATE_NOOP("Quorvel", "Help table of contents"), A, false },
    { kUsingHelp, Menu::Help, QT_TRANSLATE_NOOP("Quorvel", "&Using help"),
        QT_TRANSLATE_NOOP("Quorvel", "Help on using online Help"), A, false },
    { kFirstTimeHelp, Menu::Help, QT_TRANSLATE_NOOP("Quorvel", "&First time help tips"),
        QT_TRANSLATE_NOOP("Quorvel", "&Help Sheet with what you need to get started"), C, false,
        true },
    { kAbout, Menu::Help, QT_TRANSLATE_NOOP("Quorvel", "&About..."),
        QT_TRANSLATE_NOOP("Quorvel", "About Quorvel"), A, false, true },
};

// The name each command's action goes by in the window, for scripts and tests to find it.
struct CommandName
{
    int id;
    const char* name;
};

const CommandName kCommandNames[] = {
    { kNewBeeFile, "newBeeFile" },
    { kNewUserWizard, "newUserWizard" },
    { kOpenBeeFile, "openBeeFile" },
    { kOpenScrapPad, "openScrapPad" },
    { kCloseActive, "closeActive" },
    { kSave, "save" },
    { kSaveAs, "saveAs" },
    { kSend, "send" },
    { kPrint, "print" },
    { kPrintPreview, "printPreview" },
    { kPrintSetup, "printSetup" },
    { kPrintOptions, "printOptions" },
    { kExit, "exit" },
    { kFind, "find" },
    { kReplace, "replace" },
    { kFindNext, "findNext" },
    { kUndo, "undo" },
    { kCut, "cut" },
    { kCopy, "copy" },
    { kPaste, "paste" },
    { kSelectAll, "selectAll" },
    { kClearAll, "clearAll" },
    { kDelete, "delete" },
    { kSpellingBee, "spellingBee" },
    { kMakeList, "makeList" },
    { kBrowseDictionary, "browseDictionary" },
    { kListProperties, "listProperties" },
    { kUserProperties, "userProperties" },
    { kViewStats, "viewStats" },
    { kDictionaryStatus, "dictionaryStatus" },
    { kHistoryReport, "historyReport" },
    { kProgress, "progress" },
    { kLastList, "lastList" },
    { kLastListAttempts, "lastListAttempts" },
    { kMoveNonDictionary, "moveNonDictionary" },
    { kMoveDictionary, "moveDictionary" },
    { kSound, "sound" },
    { kSystemAccess, "systemAccess" },
    { kPasswordSetup, "passwordSetup" },
    { kSystemSetup, "systemSetup" },
    { kSelectedHistory, "selectedHistory" },
    { kAllHistory, "allHistory" },
    { kDictionaryReport, "dictionaryReport" },
    { kDictionaryEditor, "dictionaryEditor" },
    { kRecordingSetup, "recordingSetup" },
    { kTransfer, "transfer" },
    { kDownload, "download" },
    { kPaths, "paths" },
    { kBackup, "backup" },
    { kNewHistoryFile, "newHistoryFile" },
    { kCategorySetup, "categorySetup" },
    { kImportCategories, "importCategories" },
    { kCascade, "cascade" },
    { kTile, "tile" },
    { kArrangeIcons, "arrangeIcons" },
    { kCloseAll, "closeAll" },
    { kHelpContents, "helpContents" },
    { kUsingHelp, "usingHelp" },
    { kFirstTimeHelp, "firstTimeHelp" },
    { kAbout, "about" },
};

} // namespace

std::span<const CommandInfo> commandTable()
{
    return kCommands;
}

const CommandInfo* findCommand(int id)
{
    for (const CommandInfo& c : kCommands) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

const char* commandName(int id)
{
    for (const CommandName& c : kCommandNames) {
        if (c.id == id)
            return c.name;
    }
    return nullptr;
}

} // namespace quorvel
