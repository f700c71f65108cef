#pragma once

// The print options dialog (`classprintsetup`): the left margin in points and the font size of
// every printout. It edits a PrintOptionsValues; the settings change only when it ends with OK.

#include "printing/print_settings.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace quorvel {
class SettingsFile;
}

namespace quorvel::ui {

struct UiContext;

class PrintOptionsDialog final : public QDialog
{
    Q_OBJECT
public:
    PrintOptionsDialog(
        UiContext& context, const PrintOptionsValues& opening, QWidget* parent = nullptr);
    // The values as they stand in the dialog.
    PrintOptionsValues values() const;

    // OK closes the dialog only while the margin box holds a margin in range; otherwise it says
    // so and puts the cursor back in the box.
    void accept() override;

private:
    UiContext& m_context;
    QLineEdit* m_margin;
    QRadioButton* m_small;
    QRadioButton* m_normal;
    QRadioButton* m_large;
};

// Command 260: reads the options (writing the defaults when none are stored), shows the dialog,
// and on OK stores what it shows and puts the stored options in force for printing. True when OK
// was pressed.
bool runPrintOptions(UiContext& context, SettingsFile& settings, QWidget* parent = nullptr);

} // namespace quorvel::ui
