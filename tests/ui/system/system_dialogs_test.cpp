#include "app/session.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_pass.h"
#include "platform/paths.h"
#include "support/dialog_world.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"
#include "system/backup_command.h"
#include "system/sound_backup_dialog.h"
#include "system/system_setup_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// An installation with a small dictionary and a saved startup record, user 3 current.
struct SystemFixture : ::testing::Test, DialogWorld
{
    void SetUp() override
    {
        session.setCurrentUser(3);
        session.info.setUserName(3, "Philippa Anne Marguerite Ross");
        std::vector<DictionaryEntry> words;
        for (const char* w : { "APPLE", "BREAD", "CHAIR", "DREAM", "EAGLE" })
            words.push_back({ w, 3, 0, 0, 0, 0, 0, 1 });
        words[1].category = 2;
        const auto image = buildDictionaryImage(words);
        writeBytes(paths::dictionaryFile(folder.path()), image);
        ASSERT_TRUE(SaveStartupInfo(session.info));
    }

    std::vector<std::uint8_t> recordFile() const
    {
        return readBytes(paths::startupRecordFile(folder.path()));
    }
};

TEST_F(SystemFixture, SystemSetupKeepsValidThresholdsAndTheChosenHistoryUserWithoutSaving)
{
    const auto fileBefore = recordFile();
    onNextModal([](QWidget* dialog) {
        auto* current = child<QRadioButton>(dialog, "historyUser3");
        EXPECT_TRUE(current->isChecked());
        EXPECT_EQ(current->text(), "Philippa Anne Marguerite") << "names are cut to 24 characters";
        EXPECT_EQ(child<QLabel>(dialog, "resetUserName")->text(), "Philippa Anne Marguerite Ross");
        child<QRadioButton>(dialog, "historyUser8")->click();
        child<QRadioButton>(dialog, "resetSuccess")->click();
        typeInto(child<QLineEdit>(dialog, "promotionEdit"), "75");
        typeInto(child<QLineEdit>(dialog, "demotionEdit"), "35");
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runSystemSetup(nullptr, context);

    EXPECT_EQ(session.info.promotionThreshold(), "75");
    EXPECT_EQ(session.info.demotionThreshold(), "35");
    EXPECT_EQ(session.choices.historyUserSlot(), 8);
    EXPECT_EQ(session.choices.resetToSuccess, 1);
    EXPECT_EQ(session.choices.resetToDefault, 0);
    EXPECT_EQ(recordFile(), fileBefore) << "the thresholds are saved with the record later";
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SystemFixture, SystemSetupPutsBackBothStoredThresholdsWhenThePairIsInvalid)
{
    for (const char* pair : { "50/50", "0/20", "101/20" }) {
        SCOPED_TRACE(pair);
        const QStringList parts = QString::fromLatin1(pair).split(QLatin1Char('/'));
        onNextModal([parts](QWidget* dialog) {
            typeInto(child<QLineEdit>(dialog, "promotionEdit"), parts[0]);
            typeInto(child<QLineEdit>(dialog, "demotionEdit"), parts[1]);
            child<QPushButton>(dialog, "doneButton")->click();
        });
        ui::runSystemSetup(nullptr, context);
        EXPECT_EQ(session.info.promotionThreshold(), "90");
        EXPECT_EQ(session.info.demotionThreshold(), "20");
    }

    // Escape leaves the choices and thresholds alone; Help opens the dialog's topic.
    onNextModal([](QWidget* dialog) {
        child<QRadioButton>(dialog, "historyUser0")->click();
        typeInto(child<QLineEdit>(dialog, "promotionEdit"), "60");
        child<QPushButton>(dialog, "helpButton")->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    ui::runSystemSetup(nullptr, context);
    EXPECT_EQ(session.info.promotionThreshold(), "90");
    EXPECT_EQ(session.choices.historyUserSlot(), 3);
    EXPECT_EQ(help.contexts, std::vector<int> { 241 });
}

TEST_F(SystemFixture, ResetSetsOnlyTheCurrentUsersStatusAndReportsBothTotals)
{
    prompter.answers = { MessageAnswer::Yes, MessageAnswer::Yes };
    onNextModal([](QWidget* dialog) {
        child<QRadioButton>(dialog, "resetSuccess")->click();
        child<QPushButton>(dialog, "resetButton")->click();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runSystemSetup(nullptr, context);

    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, "Main Dictionary Total = 4 :         Category Total = 1");
    EXPECT_EQ(prompter.shown[2].caption, "Dictionary Count.");
    auto file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
    ASSERT_TRUE(file);
    DictionaryStatistics main, category;
    ASSERT_TRUE(collectDictionaryStatistics(*file, Table::Main, main));
    ASSERT_TRUE(collectDictionaryStatistics(*file, Table::Category, category));
    main += category;
    EXPECT_EQ(main.words, 5u);
    for (std::size_t u = 0; u < 10; ++u)
        EXPECT_EQ(main.statusCounts[u][u == 3 ? 2 : 1], 5u) << "user " << u;
}

TEST_F(SystemFixture, SoundAndBackupDoneStoresCheckedPathsAndSaves)
{
    onNextModal([](QWidget* dialog) {
        typeInto(child<QLineEdit>(dialog, "waveformEdit"), "/media/E/SOUNDS/WAVEFORM/EXTRA");
        typeInto(child<QLineEdit>(dialog, "backupEdit"), "/media/usb");
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runSoundBackupSettings(nullptr, context);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(session.info.waveformPath(), "/media/E/SOUNDS/WAVEFORM/");
    EXPECT_EQ(session.info.additionalDictPath(), "/media/usb/");
    EXPECT_EQ(recordFile(),
        std::vector<std::uint8_t>(session.info.bytes().begin(), session.info.bytes().end()));

    // A path without a waveform folder is refused; the backup path is still taken.
    onNextModal([](QWidget* dialog) {
        typeInto(child<QLineEdit>(dialog, "waveformEdit"), "/media/sounds/");
        typeInto(child<QLineEdit>(dialog, "backupEdit"), "x");
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runSoundBackupSettings(nullptr, context);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Bad sound path. Unable to save information");
    EXPECT_EQ(prompter.shown[0].caption, "Information.");
    EXPECT_EQ(session.info.waveformPath(), "/media/E/SOUNDS/WAVEFORM/");
    EXPECT_EQ(session.info.additionalDictPath(), "x");
}

TEST_F(SystemFixture, SoundAndBackupDefaultsAndBrowsing)
{
    asker.files = { std::string("/cd/Sounds/WaveForm/extra/cat.wav"),
        std::string("/cd/sounds/cat.wav"), std::nullopt, std::string("/mnt/disk/adddict.dis") };
    onNextModal([this](QWidget* dialog) {
        auto* waveform = child<QLineEdit>(dialog, "waveformEdit");
        auto* backup = child<QLineEdit>(dialog, "backupEdit");
        child<QPushButton>(dialog, "defaultDirectoryButton")->click();
        EXPECT_EQ(waveform->text().toStdString(), folder.path() + "/waveform/");
        EXPECT_EQ(backup->text().toStdString(), folder.path() + "/backup/");

        child<QPushButton>(dialog, "browseWaveformButton")->click();
        EXPECT_EQ(waveform->text(), "/cd/Sounds/WaveForm/");
        child<QPushButton>(dialog, "browseWaveformButton")->click(); // no waveform folder
        EXPECT_EQ(waveform->text(), "/cd/Sounds/WaveForm/");
        EXPECT_EQ(prompter.shown.size(), 1u);
        child<QPushButton>(dialog, "browseBackupButton")->click(); // cancelled
        EXPECT_EQ(backup->text().toStdString(), folder.path() + "/backup/");
        child<QPushButton>(dialog, "browseBackupButton")->click();
        EXPECT_EQ(backup->text(), "/mnt/disk/");
        child<QPushButton>(dialog, "helpButton")->click();
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runSoundBackupSettings(nullptr, context);
    EXPECT_EQ(asker.fileQuestions, 4);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Incorrect path for waveform directory");
    EXPECT_EQ(help.contexts, std::vector<int> { 253 });
    EXPECT_EQ(session.info.waveformPath(), "/cd/Sounds/WaveForm/");
    EXPECT_EQ(session.info.additionalDictPath(), "/mnt/disk/");
}

TEST_F(SystemFixture, BackupCommandCopiesToTheBackupPathOrReportsAMissingFolder)
{
    session.info.setAdditionalDictPath(folder.file("no-disk/"));
    prompter.answers = { MessageAnswer::Yes };
    ui::runBackupDictionary(nullptr, context);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "Unable to create file at your destination!");
    EXPECT_EQ(prompter.shown[1].caption, "Backup Failed");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone again";

    std::filesystem::create_directory(folder.file("backup"));
    session.info.setAdditionalDictPath(folder.file("backup/"));
    prompter.shown.clear();
    prompter.answers = { MessageAnswer::Yes };
    ui::runBackupDictionary(nullptr, context);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(readBytes(folder.file("backup/sondback.dis")),
        readBytes(paths::dictionaryFile(folder.path())));
    EXPECT_EQ(readBytes(folder.file("backup/infoback.cfg")), recordFile());
}

// "Speak words that have no recording" is on until switched off; the switch is kept in the
// settings file and shown as stored when the dialog opens again.
TEST_F(SystemFixture, SoundAndBackupKeepsTheSpeechSwitch)
{
    const std::string ini = paths::settingsFile(folder.path());
    for (const bool on : { false, true }) {
        SCOPED_TRACE(on ? "switched on" : "switched off");
        onNextModal([on](QWidget* dialog) {
            auto* box = child<QCheckBox>(dialog, "speakUnrecordedBox");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), !on) << "as stored";
            box->click();
            child<QPushButton>(dialog, "doneButton")->click();
        });
        ui::runSoundBackupSettings(nullptr, context);
        EXPECT_EQ(readSpeakUnrecordedWords(SettingsFile(ini)), on);
        onNextModal([on](QWidget* dialog) {
            EXPECT_EQ(child<QCheckBox>(dialog, "speakUnrecordedBox")->isChecked(), on);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        ui::runSoundBackupSettings(nullptr, context);
    }
}

// Done on the dialog as it opened leaves every file of the installation as it was, and creates
// no settings file.
TEST_F(SystemFixture, SoundAndBackupDoneWithNothingChangedLeavesEveryFileAsItWas)
{
    for (const bool withSettings : { false, true }) {
        SCOPED_TRACE(withSettings ? "speech switched off" : "no settings file");
        if (withSettings) {
            SettingsFile settings(paths::settingsFile(folder.path()));
            ASSERT_TRUE(writeSpeakUnrecordedWords(settings, false));
        }
        const auto before = folderContents(folder.path());
        onNextModal([](QWidget* dialog) { child<QPushButton>(dialog, "doneButton")->click(); });
        ui::runSoundBackupSettings(nullptr, context);
        EXPECT_EQ(folderContents(folder.path()), before);
    }
}

} // namespace
} // namespace quorvel::test
