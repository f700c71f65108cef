#include "app/command_table.h"

#include <array>

namespace quorvel {

namespace {

using namespace command;
constexpr Handler C = Handler::Client;
constexpr Handler F = Handler::Frame;
constexpr Handler A = Handler::Application;
constexpr Handler D = Handler::Document;

const CommandInfo kCommands[] = {
    { kNewBeeFile, Menu::FileNew, "New &Bee File", "Creates a new Bee List", C, false },
    { kNewUserWizard, Menu::FileNew, "&New User Wizard",
        "Allows a user to allocate a slot in the dynamic dictionary", F, false },
    { kOpenBeeFile, Menu::File, "&Open Bee File...", "Opens an existing Bee List", C, false },
    { kOpenScrapPad, Menu::File, "Open  Scrap Pa&d", "Open Scrap Pad", C, false },
    { kCloseActive, Menu::File, "&Close  active  window", "Close this List\\document", C, false },
    { kSave, Menu::File, "&Save  active window", "Saves this List\\document", D, false, true },
    { kSaveAs, Menu::File, "Save &As...", "Saves this List\\document with a new name", D, false },
    { kSend, Menu::File, "S&end...", "Send as email attachment", C, false, true },
    { kPrint, Menu::File, "&Print...", "Print this List\\document", C, false, true },
    { kPrintSetup, Menu::File, "P&rint Setup...", "Setup this document print characteristics", C,
        false },
    { kPrintOptions, Menu::File, "Pr&int options...", "Change font size and left hand print margin",
        A, false },
    { kExit, Menu::File, "E&xit", "Quits program", F, false, true },

    { kFind, Menu::Edit, "&Find...", "Finds the specified text", D, false },
    { kReplace, Menu::Edit, "&Replace...", "Finds the specified text and changes it", D, false },
    { kFindNext, Menu::Edit, "&Next\tF3", "Finds the next match", D, false },
    { kUndo, Menu::Edit, "&Undo\tAlt+BkSp", "Reverses the last operation", D, false, true },
    { kCut, Menu::Edit, "Cu&t\tShift+Del", "Cuts the selection and puts it on the Clipboard", D,
        false },
    { kCopy, Menu::Edit, "&Copy\tCtrl+Ins", "Copies the selection and puts it on the Clipboard", D,
        false },
    { kPaste, Menu::Edit, "&Paste\tShift+Ins",
        "Inserts the clipboard contents at the insertion point", D, false },
    { kSelectAll, Menu::Edit, "Select &All", "Select the contents of the active window", D, false,
        true },
    { kClearAll, Menu::Edit, "C&lear all\tCtrl+Del", "Clear the document", D, false },
    { kDelete, Menu::Edit, "&Delete\tDel", "Deletes the selection", D, false },

    { kSpellingBee, Menu::Utilities, "&Spelling Bee", "Spelling Bee", C, false },
    { kMakeList, Menu::Utilities, "&Make list from active window",
        "Make a list from the active window", D, false },
    { kBrowseDictionary, Menu::Utilities, "&Browse Dictionary", "Browse  the dictionary", C,
        false },
    { kListProperties, Menu::Utilities, "&List Properties", "Change user setup properties", A,
        false, true },
    { kUserProperties, Menu::Utilities, "&User and Category Properties",
        "Change user or Dictionary category", A, false },
    { kViewStats, Menu::Utilities, "&View last saved stats report",
        "View the last saved stats entry", C, false, true },
    { kDictionaryStatus, Menu::Utilities, "&Display user's  dictionary status ",
        "Will generate information on your dictionary", C, false },
    { kHistoryReport, Menu::Utilities, "&History report",
        "Generate report on your previous Spelling Bee sessions  ", C, false },
    { kProgress, Menu::Utilities, "&Progress", "Charts of your Spelling Bee scores and word status",
        C, false },
    { kLastList, Menu::Utilities, "Display &Current user's last List", "Print current users list",
        C, false },
    { kLastListAttempts, Menu::Utilities, "D&isplay current users last list with attempt",
        "Displays your last list with  any attempt you made", C, false },
    { kMoveNonDictionary, Menu::Utilities, "Move Non Dic&tionary words to Scrap Pad page 2",
        "Move words not in the dictionary to Page 2", D, false, true },
    { kMoveDictionary, Menu::Utilities, "Move Dictionary &Words to Scrap Pad page 2",
        "Move words found in the dictionary to Page 2", D, false },
    { kSound, Menu::Utilities, "Sound &On", "Toggal Sound", C, false, true },

    { kSystemAccess, Menu::System, "System Menu &Access...", "Access to System menu", C, false },
    { kPasswordSetup, Menu::System, "&Password Setup...", "Password  Setup", C, true },
    { kSystemSetup, Menu::System, "&System setup... ", "Reset users dictionary word status", C,
        true, true },
    { kSelectedHistory, Menu::SystemHistory, "&Selected History Report",
        "Open selected History file", C, true },
    { kAllHistory, Menu::SystemHistory, "&All History Reports",
        "Generates History report for all user's selected in System Setup", C, true },
    { kDictionaryReport, Menu::System, "Dictionary &Report",
        "Generates a report based on the Spelling dictionary", C, true },
    { kDictionaryEditor, Menu::System, "Dictionary  &Editor...", "Edit dictionary ", C, true,
        true },
    { kRecordingSetup, Menu::System, "Ed&itor recording setup...",
        "Set the recording sound quality", C, true },
    { kTransfer, Menu::System, "Trans&fer words from window to dictionary...",
        "Transfer words from window to dictionary", C, false },
    { kDownload, Menu::System, "Download Bee file &Library from Tamblewick...",
        "Download ready-made bee files from the Tamblewick library", C, true, true },
    { kPaths, Menu::System, "&Change Sound and Backup paths...",
        "Change sound, back up and additional dictionary path", C, true, true },
    { kBackup, Menu::System, "&Backup Dictionary...", "Allows the dictionary to be saved", C,
        true },
    { kNewHistoryFile, Menu::System, "&Generate new user history file...",
        "Generate a new history file for the user", C, true },
    { kCategorySetup, Menu::System, "Dictionary  Ca&tegory setup...", "Allows  category changes", C,
        true, true },
    { kImportCategories, Menu::System, "Import new &Dictionary Categories...",
        "Add new categories from disk", C, true },

    { kCascade, Menu::Window, "&Cascade", "Cascades open windows", C, false },
    { kTile, Menu::Window, "&Tile", "Tiles open windows", C, false },
    { kArrangeIcons, Menu::Window, "Arrange &Icons", "Arranges iconic windows along bottom", C,
        false },
    { kCloseAll, Menu::Window, "C&lose All", "Closes all open windows", C, false },

    { kHelpContents, Menu::Help, "&Contents", "Help table of contents", A, false },
    { kUsingHelp, Menu::Help, "&Using help", "Help on using online Help", A, false },
    { kFirstTimeHelp, Menu::Help, "&First time help tips",
        "&Help Sheet with what you need to get started", C, false, true },
    { kAbout, Menu::Help, "&About...", "About Quorvel", A, false, true },
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

} // namespace quorvel
