#pragma once

// The program's run: the session, the settings file, the services and the main window, brought up
// in the order the program has always used and taken down by the quit check.

#include "common/ui_services.h"

#include <memory>
#include <string>

namespace quorvel {
class MailSender;
class Prompter;
class SoundDevice;
class SoundRecorder;
class Session;
class SettingsFile;
} // namespace quorvel

namespace quorvel::ui {

class MainFrame;

// Services left null are the real ones (message boxes, dialogs, the help window).
struct RuntimeServices
{
    Prompter* prompter = nullptr;
    Asker* asker = nullptr;
    HelpService* help = nullptr;
    SoundDevice* sound = nullptr;
    MailSender* mail = nullptr; // the real one runs xdg-email
    SoundRecorder* recorder = nullptr;
};

class QuorvelRuntime
{
public:
    // Makes `programFolder` the current folder: the program keeps everything under it.
    explicit QuorvelRuntime(std::string programFolder, RuntimeServices services = {});
    ~QuorvelRuntime();

    // Takes the installation folder for the run (see folderRefused), then shows the main window
    // and reads the start-up files. When the start stops there, its message has been shown and
    // a close request is posted to the main window (which asks the quit question). Returns
    // whether the start went on.
    bool start();
    // Whether the start stopped because the installation folder is another program's (or cannot
    // be written): its message was shown, the main window never appeared, nothing was written,
    // and the program ends at once.
    bool folderRefused() const;

    MainFrame& frame() { return *m_frame; }
    Session& session() { return *m_session; }
    SettingsFile& settings() { return *m_settings; }
    UiContext context();
    SoundDevice& sound() { return *m_sound; }
    SoundRecorder& recorder() { return *m_recorder; }
    MailSender& mail() { return *m_mail; }

private:
    struct Owned;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<Owned> m_owned;
    Prompter* m_prompter;
    Asker* m_asker;
    HelpService* m_help;
    SoundDevice* m_sound;
    SoundRecorder* m_recorder;
    MailSender* m_mail;
    std::unique_ptr<MainFrame> m_frame;
};

// Runs the program: the installation folder becomes the current folder, then the splash, the
// main window and the start-up sequence. Returns the exit code.
int runApplication(int argc, char** argv);

} // namespace quorvel::ui
