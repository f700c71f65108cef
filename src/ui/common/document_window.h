#pragma once

// What the main window, printing and sending need from an open document window (a bee or text
// list, the scrap pad, a statistics window), whatever its kind.

#include "common/closable_document.h"

#include <QFont>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>

#include <string>

namespace quorvel::ui {

// The kinds the close logic and the commands tell apart; the numbers are the kinds' old codes.
enum class DocumentKind
{
    BeeList = 1,
    ScrapPad = 2,
    Statistics = 3
};

class DocumentWindow : public ClosableDocument
{
public:
    virtual DocumentKind documentKind() const = 0;
    // The caption of the window's frame, which a print job takes as its title.
    virtual QString documentTitle() const = 0;
    // The lines a printout shows: the whole text, or the scrap pad's current page.
    virtual QStringList printLines() const = 0;
    // The font the document prints in; the print size replaces its point size.
    virtual QFont printFont() const = 0;
    // The saved file that sending attaches, or empty while there is none (an untitled window,
    // the scrap pad).
    virtual std::string attachableFile() const = 0;
    // Whether typing in the document replaces the next character (the status bar's OVR field).
    virtual bool overwriting() const { return false; }
};

// The document window shown in the active child of the area, or null.
inline DocumentWindow* activeDocument(const QMdiArea* area)
{
    const QMdiSubWindow* child = area ? area->activeSubWindow() : nullptr;
    return child ? dynamic_cast<DocumentWindow*>(child->widget()) : nullptr;
}

} // namespace quorvel::ui
