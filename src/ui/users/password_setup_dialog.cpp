#include "users/password_setup_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "strings/users_strings.h"
#include "users/ask_adapters.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel::ui {

PasswordSetupDialog::PasswordSetupDialog(UiContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_opening(passwordSetupOpening(context.session.info))
    , m_enabled(new QRadioButton(uiText(strings::kSystemPasswordEnabled), this))
    , m_disabled(new QRadioButton(uiText(strings::kSystemPasswordDisabled), this))
{
    setObjectName(QStringLiteral("passwordSetupDialog"));
    setWindowTitle(uiText(strings::kPasswordSetupTitle));

    auto* system = new QGroupBox(uiText(strings::kSystemPasswordGroup), this);
    m_enabled->setObjectName(QStringLiteral("systemEnabledRadio"));
    m_disabled->setObjectName(QStringLiteral("systemDisabledRadio"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_enabled);
    group->addButton(m_disabled);
    (m_opening.systemEnabled ? m_enabled : m_disabled)->setChecked(true);
    auto* newPassword = new QPushButton(uiText(strings::kNewSystemPassword), system);
    newPassword->setObjectName(QStringLiteral("newSystemPasswordButton"));
    auto* systemLayout = new QVBoxLayout(system);
    systemLayout->addWidget(m_enabled);
    systemLayout->addWidget(m_disabled);
    systemLayout->addWidget(newPassword, 0, Qt::AlignLeft);

    auto* users = new QGridLayout;
    users->addWidget(new QLabel(uiText(strings::kUserNameColumn), this), 0, 0);
    users->addWidget(new QLabel(uiText(strings::kPasswordEnabledColumn), this), 0, 1);
    QWidget* previous = newPassword;
    for (int slot = 0; slot < kUserSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const QString name = toQString(m_opening.names[i]);
        auto* label = new QLabel(name, this);
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("userPasswordBox%1").arg(slot));
        box->setAccessibleName(name);
        box->setChecked(m_opening.checked[i]);
        box->setEnabled(m_opening.boxEnabled[i]);
        label->setBuddy(box);
        users->addWidget(label, slot + 1, 0);
        users->addWidget(box, slot + 1, 1, Qt::AlignHCenter);
        m_boxes[i] = box;
        setTabOrder(previous, box);
        previous = box;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(system);
    layout->addLayout(users);
    layout->addWidget(buttons);
    setTabOrder(m_enabled, m_disabled);
    setTabOrder(m_disabled, newPassword);
    setTabOrder(previous, buttons);

    // Switching the system password on needs a password to switch on; without one the switch
    // falls back to off.
    connect(m_enabled, &QRadioButton::clicked, this, [this]() {
        if (!newSystemPassword())
            m_disabled->setChecked(true);
    });
    // A new password asked for by the button leaves the switch as it was when it is not given.
    connect(newPassword, &QPushButton::clicked, this, [this]() { newSystemPassword(); });
}

bool PasswordSetupDialog::newSystemPassword()
{
    return systemPasswordTaken(
        enterSystemPassword(m_context.session, textAsk(m_context.asker), m_context.prompter));
}

PasswordSetupValues PasswordSetupDialog::values() const
{
    PasswordSetupValues values = m_opening;
    values.systemEnabled = m_enabled->isChecked();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        values.checked[i] = m_boxes[i]->isChecked();
    return values;
}

bool runPasswordSetup(UiContext& context, QWidget* parent)
{
    PasswordSetupDialog dialog(context, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    applyPasswordSetup(context.session, dialog.values(), context.prompter);
    return true;
}

bool runSystemMenuAccess(UiContext& context)
{
    return systemMenuAccess(context.session, passwordAsk(context.asker, context.session.info));
}

bool runSoundSwitch(UiContext& context)
{
    return toggleSound(context.session, context.prompter);
}

QString soundMenuItemText(const Session& session)
{
    return uiText(soundMenuText(session));
}

} // namespace quorvel::ui
