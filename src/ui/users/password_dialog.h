#pragma once

#include "config/startup_info.h"
#include "users/password_request.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quorvel {
class Prompter;
}

namespace quorvel::ui {

class HelpService;

// The password entry dialog: one password box with Ok, Cancel, Help and Skip. Ok checks the
// typed text against the stored password of the request and always closes with Ok; a wrong
// password is told in a message first.
class PasswordDialog final : public QDialog
{
    Q_OBJECT
public:
    PasswordDialog(const StartupInfo& info, PasswordRequest& request, Prompter& prompter,
        HelpService& help, QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_edit; }

private:
    void onOk();
    void onSkip();

    const StartupInfo& m_info;
    PasswordRequest& m_request;
    Prompter& m_prompter;
    QLineEdit* m_edit;
};

// Shows the dialog modally: true for Ok; fills request.accepted and request.skipped. A user
// request for a slot outside 0..9 ends at once as cancelled.
bool AskPassword(const StartupInfo& info, PasswordRequest& request, Prompter& prompter,
    HelpService& help, QWidget* parent = nullptr);

} // namespace quorvel::ui
