#pragma once

// A window that takes the main window's commands of its own while it is the active document
// (Save, the editing commands, Find, "&Make list from active window"). The main window hands each
// such command to the active document, and greys it when that document does not take it or
// cannot run it now.

namespace quorvel::ui {

class CommandTarget
{
public:
    virtual ~CommandTarget() = default;
    // Whether the command can run now (a command the window does not take answers false).
    virtual bool commandEnabled(int id) const = 0;
    virtual void runDocumentCommand(int id) = 0;
};

} // namespace quorvel::ui
