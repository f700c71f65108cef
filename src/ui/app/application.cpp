#include "app/application.h"

#include "app/first_run_dialog.h"
#include "app/main_frame.h"
#include "app/real_services.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "app/startup_sequence.h"
#include "audio/sdl_sound_device.h"
#include "audio/sdl_sound_recorder.h"
#include "common/message_box_prompter.h"
#include "common/screen_fit.h"
#include "common/ui_text.h"
#include "config/settings_file.h"
#include "icons/icons.h"
#include "mail/xdg_email_sender.h"
#include "platform/folder_lock.h"
#include "platform/paths.h"
#include "strings/app_strings.h"
#include "strings/strings.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace quorvel::ui {

struct QuorvelRuntime::Owned
{
    MessageBoxPrompter prompter;
    std::unique_ptr<RealServices> real;
    // Opened on the first sound played, so a run that plays nothing never touches the audio
    // system.
    std::unique_ptr<services::SdlSoundDevice> sound;
    // Likewise opened on the first recording or question for the input devices.
    std::unique_ptr<services::SdlSoundRecorder> recorder;
    // Whether xdg-email is there is looked up once, now.
    std::unique_ptr<services::XdgEmailSender> mail;
    // The installation folder, this program's from the start until the runtime ends.
    std::unique_ptr<FolderLock> folderLock;
    bool folderRefused = false;
};

namespace {

// The splash stays on top of every window: a start refused before the main window shows closes
// it, so that it does not hide the message.
void closeSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<SplashWindow*>(w))
            splash->close();
}

} // namespace

QuorvelRuntime::QuorvelRuntime(std::string programFolder, RuntimeServices services)
    : m_session(std::make_unique<Session>())
    , m_settings(std::make_unique<SettingsFile>(paths::settingsFile(programFolder)))
    , m_owned(std::make_unique<Owned>())
{
    QDir::setCurrent(toQString(programFolder));
    m_session->programFolder = programFolder;
    m_owned->folderLock = std::make_unique<FolderLock>(programFolder);
    if (!services.asker || !services.help)
        m_owned->real = makeRealServices(m_owned->prompter);
    m_prompter = services.prompter ? services.prompter : &m_owned->prompter;
    m_asker = services.asker ? services.asker : &m_owned->real->asker();
    m_help = services.help ? services.help : &m_owned->real->help();
    if (!services.sound)
        m_owned->sound = std::make_unique<services::SdlSoundDevice>();
    m_sound = services.sound ? services.sound : m_owned->sound.get();
    if (!services.recorder)
        m_owned->recorder = std::make_unique<services::SdlSoundRecorder>();
    m_recorder = services.recorder ? services.recorder : m_owned->recorder.get();
    if (!services.mail)
        m_owned->mail = std::make_unique<services::XdgEmailSender>();
    m_mail = services.mail ? services.mail : m_owned->mail.get();

    m_frame = std::make_unique<MainFrame>(context(), *m_settings);
    m_owned->prompter.setOwner(m_frame.get());
    if (m_owned->real)
        m_owned->real->attach(*m_frame);
    registerCommands(*m_frame, context(), m_sound, *m_mail, m_recorder);
    m_frame->setQuitCheck([this] {
        return CanQuit(*m_session, *m_settings, *m_prompter, m_frame->filterPosition());
    });
}

QuorvelRuntime::~QuorvelRuntime() = default;

UiContext QuorvelRuntime::context()
{
    return UiContext { *m_session, *m_prompter, *m_asker, *m_help };
}

bool QuorvelRuntime::folderRefused() const
{
    return m_owned->folderRefused;
}

bool QuorvelRuntime::start()
{
    // Nothing of the folder is read before it is this program's. A quorvel-cli command holds it
    // for a moment only, so the start waits as long as such a command would.
    const FolderLockResult taken = m_owned->folderLock->take(kFolderLockWait);
    if (taken != FolderLockResult::Taken) {
        m_owned->folderRefused = true;
        closeSplash();
        m_prompter->show(folderRefusedText(*m_owned->folderLock, taken), strings::kWarning,
            MessageIcon::Exclamation);
        return false;
    }
    m_frame->showWithSavedPlacement();
    const bool started
        = ReadStartupFiles(*m_session, *m_settings, *m_prompter, paths::currentFolder());
    m_session->publishChanges();
    if (!started) {
        // The close request runs the quit check like any other quit. What follows a successful
        // read (folders, first-run dialog) makes no sense without a record, so it is skipped.
        QTimer::singleShot(0, m_frame.get(), &QWidget::close);
        return false;
    }
    createStartFolders(*m_session);
    if (m_session->firstRun) {
        SystemClock clock;
        createMissingHistoryFiles(*m_session, clock);
        FirstRunDialog dialog(m_frame.get());
        dialog.exec();
        applyFirstRunChoice(*m_session, *m_prompter, dialog.usDialect(), dialog.showFlag());
        m_session->publishChanges();
    }
    return true;
}

int runApplication(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(uiText(strings::kApplicationTitle));
    QApplication::setWindowIcon(icons::applicationIcon());
    // A dialog larger than a small or highly scaled screen scrolls instead of reaching past it.
    app.installEventFilter(new DialogScreenFit(&app));
    auto* splash = new SplashWindow;
    splash->showNow();

    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    QuorvelRuntime runtime(folder);
    if (!runtime.start() && runtime.folderRefused())
        return 1;
    return QApplication::exec();
}

} // namespace quorvel::ui
