#include "mail/xdg_email_sender.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace quorvel::services {

XdgEmailSender::XdgEmailSender()
    : XdgEmailSender(QStandardPaths::findExecutable(QStringLiteral("xdg-email")))
{ }

XdgEmailSender::XdgEmailSender(QString program)
    : m_program(std::move(program))
{ }

XdgEmailSender::~XdgEmailSender()
{
    // Some mail programs keep xdg-email waiting until their window closes. Deleting a QProcess
    // kills what it runs, which would take the person's half-written message with it: a hand-off
    // still running when the program ends is let go instead (no report, and its process goes on
    // without us).
    for (QProcess* process : m_running)
        process->disconnect();
    for (QProcess* process : m_ended)
        delete process;
}

void XdgEmailSender::send(const std::string& file, std::function<void(SendOutcome)> done)
{
    if (!available()) {
        done({ SendOutcome::Kind::NoSender, 0 });
        return;
    }
    if (const SendOutcome checked = checkFileToSend(file);
        checked.kind != SendOutcome::Kind::Handed) {
        done(checked);
        return;
    }
    for (QProcess* ended : m_ended)
        ended->deleteLater();
    m_ended.clear();
    auto* process = new QProcess;
    m_running.push_back(process);
    process->setProgram(m_program);
    process->setArguments({ QStringLiteral("--attach"), QString::fromStdString(file) });
    // What the mail program writes goes where ours goes; nothing piles up unread.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());

    auto finish = [this, process, done = std::move(done)](SendOutcome outcome) {
        // Whichever signal comes first reports; the other finds the process gone from the list.
        const auto it = std::find(m_running.begin(), m_running.end(), process);
        if (it == m_running.end())
            return;
        m_running.erase(it);
        m_ended.push_back(process);
        process->disconnect();
        done(outcome);
    };
    QObject::connect(process, &QProcess::errorOccurred, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({ SendOutcome::Kind::NotStarted, 0 });
    });
    QObject::connect(
        process, &QProcess::finished, [finish](int exitCode, QProcess::ExitStatus status) {
            finish(status == QProcess::CrashExit ? SendOutcome { SendOutcome::Kind::Crashed, 0 }
                                                 : sendOutcomeOfExit(exitCode));
        });
    process->start();
}

} // namespace quorvel::services
