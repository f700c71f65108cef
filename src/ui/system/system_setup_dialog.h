#pragma once

#include "app/session.h"
#include "common/ui_services.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace quorvel::ui {

// The System Setup dialog: the promotion and demotion thresholds, the user whose history is
// printed, and the reset of the current user's word status. Done checks the thresholds and
// closes with the dialog's values; Escape leaves everything as it was.
class SystemSetupDialog final : public QDialog
{
    Q_OBJECT
public:
    SystemSetupDialog(
        UiContext& context, const SystemSetupChoices& opening, QWidget* parent = nullptr);

    // What the controls hold now.
    SystemSetupChoices choices() const;
    static constexpr int kHelpContext = 241;

private:
    void confirm(); // "&Done"
    void resetStatus();

    UiContext& m_context;
    SystemSetupChoices m_opening;
    std::array<QRadioButton*, kUserSlots> m_historyUser {};
    QRadioButton* m_resetDefault = nullptr;
    QRadioButton* m_resetSuccess = nullptr;
    QLineEdit* m_promotion = nullptr;
    QLineEdit* m_demotion = nullptr;
};

// Command "&System setup... " (241). After Done the choices are kept for the run and the
// thresholds go into the startup record, to be saved with it later.
void runSystemSetup(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
