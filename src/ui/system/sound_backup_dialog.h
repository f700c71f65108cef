#pragma once

#include "common/ui_services.h"

#include <QDialog>

class QLineEdit;

namespace quorvel::ui {

// The Sound and Backup settings dialog: the folder of the recorded word sounds and the path used
// for backups and additional dictionaries. Done stores the paths it accepts into the startup
// record; the command then saves it. Escape leaves everything as it was.
class SoundBackupDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit SoundBackupDialog(UiContext& context, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 253;

private:
    void browseWaveform();
    void browseBackup();
    void resetToDefault();
    void confirm(); // "&Done"

    UiContext& m_context;
    QLineEdit* m_waveform = nullptr;
    QLineEdit* m_backup = nullptr;
};

// Command "&Change Sound and Backup paths..." (253).
void runSoundBackupSettings(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
