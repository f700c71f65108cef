#pragma once

// Mail hand-off through the desktop's xdg-email: `xdg-email --attach <file>` opens the person's
// mail program with a new message that carries the file. The program is looked up on the PATH
// once, when the sender is made at start; it is run directly (no shell), so no file name can be
// read as anything but a file name.

#include "printing/sending.h"

#include <QString>

#include <memory>
#include <vector>

class QProcess;

namespace quorvel::services {

class XdgEmailSender final : public MailSender
{
public:
    // Looks for xdg-email on the PATH.
    XdgEmailSender();
    // Uses `program` (a full path; empty: none) instead.
    explicit XdgEmailSender(QString program);
    ~XdgEmailSender() override;
    XdgEmailSender(const XdgEmailSender&) = delete;
    XdgEmailSender& operator=(const XdgEmailSender&) = delete;

    const QString& program() const { return m_program; }
    bool available() const override { return !m_program.isEmpty(); }
    // Whether a hand-off is still waiting for xdg-email to end.
    bool busy() const { return !m_running.empty(); }
    // Calls `done` from the event loop once xdg-email has ended (at once when it could not run).
    void send(const std::string& file, std::function<void(SendOutcome)> done) override;

private:
    QString m_program;
    // Hand-offs still running; see the destructor.
    std::vector<QProcess*> m_running;
    // Hand-offs that ended; freed at the next send or with the sender (not from inside their own
    // signals).
    std::vector<QProcess*> m_ended;
};

} // namespace quorvel::services
