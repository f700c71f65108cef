#pragma once

// What a dialog test stands on: a temporary installation with the default startup record (its
// data, dictionary and program folder), a session on it and fake dialog services around it.

#include "app/session.h"
#include "common/ui_services.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <QString>

class QWidget;

namespace quorvel::test {

struct DialogWorld
{
    DialogWorld();

    TempFolder folder;
    Session session;
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    ui::UiContext context { session, prompter, asker, help };

    // The record as it stands on disk.
    StartupInfo savedRecord() const;
};

// Replaces a box's text as a person would: focus, select all, delete, type.
void typeInto(QWidget* box, const QString& text);

} // namespace quorvel::test
