#pragma once

// What the program keeps for one run: the startup record, the current user and category, the
// document windows' flags, the start-up values of the client window and the system setup choices.
// One Session lives for the run; windows and dialogs are handed it rather than reaching for a
// global.

#include "config/startup_info.h"
#include "drill/drill_settings.h"
#include "printing/print_settings.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <string>

namespace quorvel {

class Prompter;

// Values the system setup dialog keeps for the run and never saves.
struct SystemSetupChoices
{
    std::array<std::uint16_t, kUserSlots> historyUser { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    std::uint16_t resetToDefault = 1;
    std::uint16_t resetToSuccess = 0;
    std::string promotionText;
    std::string demotionText;

    int historyUserSlot() const;
    // WordStatus the reset writes: 2 with "Success" chosen, else 1.
    int resetStatus() const { return resetToSuccess ? 2 : 1; }
};

// Windows follow the session through its signals rather than being refreshed by whoever changed
// it: the current user and category signal as they are set, and what was changed in the record
// (names, settings, the system password) is signalled by publishChanges(), which the frame calls
// after every command and the start calls once the record is read.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);
    ~Session() override;

    StartupInfo info;
    DocumentState documents;
    SystemSetupChoices choices;

    // Start-up values of the client window.
    bool firstRun = false;
    bool systemPasswordOn = false; // the client's copy, renewed by the password setup
    bool systemAccessGranted = false;
    int fileTypeOrder = 21257;
    // The print options every printout uses: read at start, and again when the print options
    // dialog ends with OK.
    PrintSettings printSettings;
    // True once the start read (or created) the record and confirmed that this folder is its
    // own: the start-up user is in range and the dictionary is here. Only then does the quit
    // write anything; a start that stopped before (a copied installation without its dictionary
    // still names the original's folder) leaves every file where it is.
    bool startCompleted = false;
    // The installation folder, which is also the current folder.
    std::string programFolder;

    int currentUser() const { return m_currentUser; }
    // Refuses 10 or more and keeps the old value.
    bool setCurrentUser(int slot);
    int currentCategory() const { return m_currentCategory; }
    // Refuses 64 or more and keeps the old value.
    bool setCurrentCategory(int slot);

    // Signals what changed in the record and in the system access since the last call. A
    // current user whose working category is out of range or no longer named falls back to the
    // first category first (in memory; the record is saved with the next save).
    void publishChanges();

    // The administrative commands are open while the system password is off or access was
    // granted in this run.
    bool systemMenuUnlocked() const { return !systemPasswordOn || systemAccessGranted; }

    // Whoever changes which words the dictionary holds or where they lie (adds, deletes or moves
    // a word, restores or replaces the file) calls this, so that what shows per category (the
    // category box's empty marks) is counted again. A change of the dictionary folder in the
    // record is signalled the same way by publishChanges().
    void noteDictionaryChanged() { Q_EMIT dictionaryChanged(); }

    // Saves the whole record; on failure shows `failureText` under "Warning!" and keeps the
    // values in memory. Returns whether the save succeeded.
    bool saveStartupInfo(Prompter& prompter, const char* failureText = nullptr) const;

Q_SIGNALS:
    // The user names (and so the user box's lines) changed.
    void usersChanged();
    // The category names changed.
    void categoriesChanged();
    void currentUserChanged(int slot);
    void currentCategoryChanged(int slot);
    // Any other value of the record changed: what the status bar and the menus show may differ.
    void recordChanged();
    // The system menu was locked or unlocked.
    void accessChanged();
    // The dictionary's words, or the dictionary folder, changed.
    void dictionaryChanged();

private:
    void settleWorkingCategory();

    int m_currentUser = 0;
    int m_currentCategory = 0;
    // The record and the access as last published.
    StartupInfo::Bytes m_published {};
    bool m_publishedUnlocked = true;
};

} // namespace quorvel
