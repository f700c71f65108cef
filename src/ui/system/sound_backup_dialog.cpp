#include "system/sound_backup_dialog.h"

#include "app/session.h"
#include "common/character_validator.h"
#include "common/ui_text.h"
#include "config/settings_groups.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "users/system_setup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

std::string toPath(const QString& s)
{
    return s.toUtf8().toStdString();
}

QLineEdit* pathEdit(
    QWidget* parent, const char* name, const QString& accessible, const std::string& value)
{
    auto* edit = new QLineEdit(toQString(value), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessible);
    // Room for a separator to be added and the whole path still stored.
    edit->setMaxLength(kPathBoxLength);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    return edit;
}

QPushButton* button(QWidget* parent, const QString& label, const char* name)
{
    auto* b = new QPushButton(label, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

SoundBackupDialog::SoundBackupDialog(UiContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("soundBackupDialog"));
    setWindowTitle(uiText(strings::kSoundBackupCaption));
    const StartupInfo& info = context.session.info;

    auto* hint = new QLabel(uiText(strings::kWaveformFolderHint), this);
    hint->setWordWrap(true);
    m_waveform = pathEdit(
        this, "waveformEdit", uiText(strings::kWaveformFolderLabel), info.waveformPath());
    auto* waveformLabel = new QLabel(uiText(strings::kWaveformFolderMnemonic), this);
    waveformLabel->setBuddy(m_waveform);
    auto* browseWaveform = button(this, uiText(strings::kBrowseWaveform), "browseWaveformButton");
    m_speakStored = readSpeakUnrecordedWords(
        SettingsFile(paths::settingsFile(context.session.programFolder)));
    m_speak = new QCheckBox(uiText(strings::kSpeakUnrecorded), this);
    m_speak->setObjectName(QStringLiteral("speakUnrecordedBox"));
    m_speak->setAccessibleName(withoutMnemonic(uiText(strings::kSpeakUnrecorded)));
    m_speak->setChecked(m_speakStored);

    m_backup = pathEdit(this, "backupEdit", uiText(strings::kBackupPathLabel).simplified(),
        info.additionalDictPath());
    auto* backupLabel = new QLabel(uiText(strings::kBackupPathMnemonic), this);
    backupLabel->setBuddy(m_backup);
    auto* browseBackup = button(this, uiText(strings::kBrowseBackup), "browseBackupButton");

    auto* defaults
        = button(this, uiText(strings::kResetToDefaultDirectory), "defaultDirectoryButton");
    defaults->setAccessibleName(withoutMnemonic(uiText(strings::kResetToDefaultDirectory)));
    auto* done = button(this, uiText(strings::kDoneButton), "doneButton");
    done->setDefault(true);
    auto* help = button(this, uiText(strings::kHelpButton), "helpButton");

    auto* grid = new QGridLayout;
    grid->addWidget(waveformLabel, 0, 0, 1, 2);
    grid->addWidget(m_waveform, 1, 0);
    grid->addWidget(browseWaveform, 1, 1);
    grid->addWidget(hint, 2, 0, 1, 2);
    grid->addWidget(m_speak, 3, 0, 1, 2);
    grid->addWidget(backupLabel, 4, 0, 1, 2);
    grid->addWidget(m_backup, 5, 0);
    grid->addWidget(browseBackup, 5, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowMinimumHeight(4, 24);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    buttons->addWidget(done);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(browseWaveform, &QPushButton::clicked, this, &SoundBackupDialog::browseWaveform);
    connect(browseBackup, &QPushButton::clicked, this, &SoundBackupDialog::browseBackup);
    connect(defaults, &QPushButton::clicked, this, &SoundBackupDialog::resetToDefault);
    connect(done, &QPushButton::clicked, this, &SoundBackupDialog::confirm);
    auto showHelp = [this] { m_context.help.showContext(kHelpContext); };
    connect(help, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);
    m_waveform->setFocus();
}

void SoundBackupDialog::browseWaveform()
{
    const auto file = m_context.asker.askOpenFile(
        strings::kWaveformFolderLabel, strings::kPathFilter, toPath(m_waveform->text()));
    if (!file)
        return;
    std::optional<std::string> folder = folderOfChosenFile(*file);
    if (!folder)
        return;
    if (CheckWaveformPath(*folder))
        m_waveform->setText(toQString(*folder));
    else
        m_context.prompter.show(
            strings::kIncorrectWaveformPath, strings::kInformation, MessageIcon::Information);
}

void SoundBackupDialog::browseBackup()
{
    const auto file = m_context.asker.askOpenFile(
        strings::kBackupPathLabel, strings::kPathFilter, toPath(m_backup->text()));
    if (!file)
        return;
    if (const std::optional<std::string> folder = folderOfChosenFile(*file))
        m_backup->setText(toQString(*folder));
}

void SoundBackupDialog::resetToDefault()
{
    const std::string& program = m_context.session.programFolder;
    m_waveform->setText(toQString(defaultWaveformPath(program)));
    m_backup->setText(toQString(defaultBackupPath(program)));
}

void SoundBackupDialog::confirm()
{
    const PathSettingsResult result = applyPathSettings(
        m_context.session.info, toPath(m_waveform->text()), toPath(m_backup->text()));
    m_waveform->setText(toQString(result.waveformText));
    m_backup->setText(toQString(result.backupText));
    if (!result.waveformAccepted)
        m_context.prompter.show(
            strings::kBadSoundPath, strings::kInformation, MessageIcon::Information);
    if (m_speak->isChecked() != m_speakStored) {
        SettingsFile settings(paths::settingsFile(m_context.session.programFolder));
        if (writeSpeakUnrecordedWords(settings, m_speak->isChecked()))
            m_speakStored = m_speak->isChecked();
        else
            m_context.prompter.show(
                strings::kSpeechSettingsNotSaved, strings::kWarning, MessageIcon::Exclamation);
    }
    accept();
}

void runSoundBackupSettings(QWidget* parent, UiContext& context)
{
    SoundBackupDialog dialog(context, parent);
    if (dialog.exec() == QDialog::Accepted)
        context.session.saveStartupInfo(context.prompter);
}

} // namespace quorvel::ui
