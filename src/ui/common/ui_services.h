#pragma once

// What windows and dialogs need besides the session: message boxes (Prompter), the small modal
// questions that take typed input (Asker) and the help window (HelpService). The application
// passes the real ones; tests pass fakes that answer from a script.

#include "users/character_sets.h"
#include "users/password_request.h"

#include <optional>
#include <string>

class QWidget;

namespace quorvel {
class Prompter;
class Session;
} // namespace quorvel

namespace quorvel::ui {

// A file dialog of the document windows: its filters in the file dialog's form ("Text
// Files(*.TXT *.txt);;All Files(*)"), the one shown first and, once answered, the one the person
// chose (1 = the first).
struct DocumentFileQuestion
{
    std::string caption;
    std::string filters;
    int filter = 1;
    std::string start; // a folder, or a folder and a file name
    std::string defaultSuffix; // added to a name typed without one (save only)
};

class Asker
{
public:
    virtual ~Asker() = default;
    // The password entry dialog: fills request.accepted and request.skipped; true for Ok.
    virtual bool askPassword(const StartupInfo& info, PasswordRequest& request) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<std::string> askText(const std::string& caption,
        const std::string& prompt, int maxLength, CharacterSet set, const std::string& initial = {})
        = 0;
    // A file-open dialog for an existing file; nothing when cancelled.
    virtual std::optional<std::string> askOpenFile(
        const std::string& caption, const std::string& filter, const std::string& folder)
        = 0;
    // A file-save dialog starting at `suggested` (a folder and file name); nothing when
    // cancelled. Whether the file may be replaced is asked by the dialog.
    virtual std::optional<std::string> askSaveFile(
        const std::string& caption, const std::string& filter, const std::string& suggested)
        = 0;
    // The open and save dialogs of the document windows, which remember the filter chosen.
    // Without a dialog of its own an asker asks the plain questions and leaves the filter.
    virtual std::optional<std::string> askOpenDocument(DocumentFileQuestion& question)
    {
        return askOpenFile(question.caption, question.filters, question.start);
    }
    virtual std::optional<std::string> askSaveDocument(DocumentFileQuestion& question)
    {
        return askSaveFile(question.caption, question.filters, question.start);
    }
};

class HelpService
{
public:
    virtual ~HelpService() = default;
    virtual void showContext(int context) = 0; // a topic by its context number
    virtual void showIndex() = 0; // the contents page
    virtual void showUsingHelp() = 0; // the page on using help
};

// Everything a dialog is handed.
struct UiContext
{
    Session& session;
    Prompter& prompter;
    Asker& asker;
    HelpService& help;
};

} // namespace quorvel::ui
