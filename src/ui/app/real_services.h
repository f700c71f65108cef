#pragma once

// The real dialog services of the program, owned by the run.

#include "common/ui_services.h"

#include <memory>

class QWidget;

namespace quorvel {
class MailSender;
class SoundDevice;
class SoundRecorder;
} // namespace quorvel

namespace quorvel::ui {

class MainFrame;

struct RealServices
{
    virtual ~RealServices() = default;
    virtual Asker& asker() = 0;
    virtual HelpService& help() = 0;
    // Installs what needs the main window (context help mode, owners of dialogs).
    virtual void attach(MainFrame& frame) = 0;
};

// The real asker and help window; message boxes go through `prompter`.
std::unique_ptr<RealServices> makeRealServices(Prompter& prompter);

// Registers the handler of every command this program has. `recorder` is the sound input the
// dictionary editor records words from; null when there is none.
void registerCommands(MainFrame& frame, UiContext context, SoundDevice* sound, MailSender& mail,
    SoundRecorder* recorder = nullptr);

} // namespace quorvel::ui
