#pragma once

#include "common/ui_services.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace quorvel::ui {

// The Sound and Backup settings dialog: the folder of the recorded word sounds, whether words
// without a recording are spoken, and the path used for backups and additional dictionaries. Done
// stores the paths it accepts into the startup record (the command then saves it) and the speech
// switch into the settings file when it changed. Escape leaves everything as it was.
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
    QCheckBox* m_speak = nullptr;
    bool m_speakStored = true;
};

// Command "&Change Sound and Backup paths..." (253).
void runSoundBackupSettings(QWidget* parent, UiContext& context);

} // namespace quorvel::ui
