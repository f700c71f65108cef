#pragma once

#include "users/user_rules.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QRadioButton;

namespace quorvel::ui {

struct UiContext;

// The "Password setup" dialog (`TPasswordSetup`): the system password switch, a new system
// password, and one box per user that can switch that user's password off.
class PasswordSetupDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordSetupDialog(UiContext& context, QWidget* parent = nullptr);
    // The switches as they stand in the dialog.
    PasswordSetupValues values() const;

private:
    // Asks for a new system password; true when one was stored.
    bool newSystemPassword();

    UiContext& m_context;
    PasswordSetupValues m_opening;
    QRadioButton* m_enabled;
    QRadioButton* m_disabled;
    std::array<QCheckBox*, kUserSlots> m_boxes {};
};

// Command 246: shows the dialog; on OK the switches go into the record, which is saved, and the
// session's system-password flag follows. True when OK was pressed.
bool runPasswordSetup(UiContext& context, QWidget* parent = nullptr);

// Command 244: asks the system password and grants or withdraws access to the system menu.
// Returns whether access is granted now.
bool runSystemMenuAccess(UiContext& context);

// Command 238: toggles the current user's sound and saves; returns whether sound is on now.
bool runSoundSwitch(UiContext& context);
// The text of the sound menu item for the current user.
QString soundMenuItemText(const Session& session);

} // namespace quorvel::ui
