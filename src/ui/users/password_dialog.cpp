#include "users/password_dialog.h"

#include "common/character_validator.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "platform/services.h"
#include "strings/strings.h"
#include "strings/users_strings.h"
#include "users/password_scramble.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {
constexpr int kPasswordHelpTopic = 4350;
}

PasswordDialog::PasswordDialog(const StartupInfo& info, PasswordRequest& request,
    Prompter& prompter, HelpService& help, QWidget* parent)
    : QDialog(parent)
    , m_info(info)
    , m_request(request)
    , m_prompter(prompter)
    , m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("passwordDialog"));
    setWindowTitle(uiText(strings::kEnterPasswordTitle));
    m_request.accepted = false;
    m_request.skipped = false;

    auto* label = new QLabel(uiText(strings::kEnterPasswordLabel), this);
    label->setBuddy(m_edit);
    m_edit->setObjectName(QStringLiteral("passwordEdit"));
    m_edit->setAccessibleName(uiText(strings::kPasswordField));
    m_edit->setEchoMode(QLineEdit::Password);
    restrictLineEdit(m_edit, CharacterSet::Password, kMaxPasswordLength);

    auto* ok = new QPushButton(uiText(strings::kButtonOk), this);
    auto* cancel = new QPushButton(uiText(strings::kButtonCancel), this);
    auto* helpButton = new QPushButton(uiText(strings::kButtonHelp), this);
    auto* skip = new QPushButton(uiText(strings::kButtonSkip), this);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    helpButton->setObjectName(QStringLiteral("helpButton"));
    skip->setObjectName(QStringLiteral("skipButton"));
    ok->setDefault(true);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton);
    buttons->addWidget(skip);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);

    setTabOrder(m_edit, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, helpButton);
    setTabOrder(helpButton, skip);

    connect(ok, &QPushButton::clicked, this, &PasswordDialog::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
        [&help]() { help.showContext(kPasswordHelpTopic); });
    connect(skip, &QPushButton::clicked, this, &PasswordDialog::onSkip);
    m_edit->setFocus();
}

void PasswordDialog::onOk()
{
    const std::string typed = m_edit->text().left(kMaxPasswordLength).toStdString();
    m_request.accepted = passwordMatches(m_info, m_request, typed);
    if (!m_request.accepted)
        m_prompter.show(strings::kIncorrectPassword, strings::kWarning, MessageIcon::None);
    accept();
}

void PasswordDialog::onSkip()
{
    m_request.skipped = true;
    reject();
}

bool AskPassword(const StartupInfo& info, PasswordRequest& request, Prompter& prompter,
    HelpService& help, QWidget* parent)
{
    request.accepted = false;
    request.skipped = false;
    if (request.forSystem)
        request.slot = static_cast<std::uint16_t>(kSystemPasswordKey);
    else if (request.slot >= kUserSlots)
        return false;
    PasswordDialog dialog(info, request, prompter, help, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quorvel::ui
