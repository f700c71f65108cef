#pragma once

// A document window that may hold changes the person has not saved (a bee list, the scrap pad).
// The main window asks each one before the program ends, and only closes anything once every
// document and the person have agreed.

namespace quorvel::ui {

class ClosableDocument
{
public:
    virtual ~ClosableDocument() = default;
    // Asks whatever the document needs to ask (save the changes?) and answers whether it may
    // close. Nothing is closed here: the program may still stay open.
    virtual bool mayClose() = 0;
};

} // namespace quorvel::ui
