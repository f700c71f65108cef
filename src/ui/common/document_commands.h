#pragma once

// A document window that carries out some of the main window's commands itself (Save, Make list,
// the editing commands, the scrap pad's moves). While it is the active document the main window
// passes those commands on to it and asks it whether they are enabled; a command it does not
// handle goes to the main window's own handler, if there is one.

namespace quorvel::ui {

class CommandDocument
{
public:
    virtual ~CommandDocument() = default;
    // Whether the document has the command at all.
    virtual bool handlesCommand(int id) const = 0;
    // Whether a command it handles can run now (Save while something changed, Cut with a
    // selection).
    virtual bool commandEnabled(int id) const = 0;
    virtual void runDocumentCommand(int id) = 0;
};

} // namespace quorvel::ui
