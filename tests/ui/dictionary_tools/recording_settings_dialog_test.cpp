#include "config/settings_file.h"
#include "dictionary_tools/recording_settings_dialog.h"
#include "support/dialog_world.h"
#include "support/modal.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

struct RecordingDialogFixture : ::testing::Test, DialogWorld
{
    std::string path() const { return folder.file("Fenwa.ini"); }
    void store(const std::string& text)
    {
        writeBytes(path(), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    // The object names of the checked buttons, one per group.
    static std::vector<QString> checked(QWidget* dialog)
    {
        std::vector<QString> names;
        for (const char* group : { "rateGroup", "channelsGroup", "sizeGroup" })
            for (QRadioButton* b : child<QGroupBox>(dialog, group)->findChildren<QRadioButton*>())
                if (b->isChecked())
                    names.push_back(b->objectName());
        return names;
    }
};

// Opening and pressing OK on what is shown writes nothing, whatever the file held: missing
// and invalid settings show the defaults, which are in effect anyway.
TEST_F(RecordingDialogFixture, OkUnchangedLeavesTheSettingsFileAsItWas)
{
    const struct
    {
        const char* name;
        const char* stored; // null: no file
        std::vector<QString> shown;
    } cases[] = {
        { "no file", nullptr, { "rate22050", "monoRadio", "bits8Radio" } },
        { "a key missing", "[Recording data]\r\nSample rate=44100\r\nChannels=2\r\n",
            { "rate22050", "monoRadio", "bits8Radio" } },
        { "a word not allowed",
            "[Recording data]\r\nSample rate=44100\r\nSample size=12\r\n"
            "Channels=2\r\n",
            { "rate22050", "monoRadio", "bits8Radio" } },
        { "stored values",
            "; ours\r\n[Recording data]\r\nSample rate=11025\r\nSample size=16\r\n"
            "Channels=2\r\n",
            { "rate11025", "stereoRadio", "bits16Radio" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path());
        if (c.stored)
            store(c.stored);
        SettingsFile settings(path());
        bool shown = false;
        onNextModal([&](QWidget* dialog) {
            shown = true;
            EXPECT_EQ(dialog->windowTitle(), "Set recording data");
            EXPECT_EQ(checked(dialog), c.shown);
            child<QPushButton>(dialog, "okButton")->click();
        });
        EXPECT_TRUE(ui::runRecordingSettings(context, settings));
        EXPECT_TRUE(shown);
        if (c.stored) {
            const auto bytes = readBytes(path());
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.stored);
        } else {
            EXPECT_FALSE(fileExists(path()));
        }
    }
    EXPECT_TRUE(prompter.shown.empty());
}

// The whole dialog by keyboard: the arrows choose within a group, Tab goes to the next group,
// Enter is OK, Escape is Cancel and F1 opens its help. A choice is stored and shown next time.
TEST_F(RecordingDialogFixture, AChoiceMadeByKeyboardIsStoredAndShownAgain)
{
    store("[Recording data]\r\nSample rate=22050\r\nSample size=8\r\nChannels=1\r\n");
    SettingsFile settings(path());
    onNextModal([&](QWidget* dialog) {
        // A step that fails half-way must not leave the dialog waiting for keys.
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                static_cast<QDialog*>(dialog)->reject();
        });
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto press = [dialog](Qt::Key key) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : dialog, key);
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        };
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "rate22050");
        EXPECT_EQ(press(Qt::Key_Down), "rate44100");
        EXPECT_EQ(press(Qt::Key_Tab), "monoRadio");
        EXPECT_EQ(press(Qt::Key_Down), "stereoRadio");
        EXPECT_EQ(press(Qt::Key_Tab), "bits8Radio");
        EXPECT_EQ(press(Qt::Key_Down), "bits16Radio");
        EXPECT_EQ(
            checked(dialog), (std::vector<QString> { "rate44100", "stereoRadio", "bits16Radio" }));
        press(Qt::Key_F1);
        press(Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible()) << "Enter is OK";
    });
    EXPECT_TRUE(ui::runRecordingSettings(context, settings));
    EXPECT_EQ(help.contexts, std::vector<int> { 259 });
    EXPECT_EQ(readRecordingData(SettingsFile(path())), (RecordingData { 44100, 16, 2 }));

    // Shown again as stored; a change left with Escape is not stored.
    const auto stored = readBytes(path());
    onNextModal([&](QWidget* dialog) {
        EXPECT_EQ(
            checked(dialog), (std::vector<QString> { "rate44100", "stereoRadio", "bits16Radio" }));
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                static_cast<QDialog*>(dialog)->reject();
        });
        child<QRadioButton>(dialog, "rate11025")->click();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << "Escape is Cancel";
    });
    EXPECT_FALSE(ui::runRecordingSettings(context, settings));
    EXPECT_EQ(readBytes(path()), stored);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecordingDialogFixture, AChoiceThatCannotBeSavedIsSaid)
{
    // A folder where the file should be: nothing can be written there.
    std::filesystem::create_directory(path());
    SettingsFile settings(path());
    onNextModal([&](QWidget* dialog) {
        child<QRadioButton>(dialog, "bits16Radio")->click();
        child<QPushButton>(dialog, "okButton")->click();
    });
    EXPECT_TRUE(ui::runRecordingSettings(context, settings));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
        "The recording settings could not be written to the settings file.");
    EXPECT_EQ(prompter.shown[0].caption, "Warning!");
}

} // namespace
} // namespace quorvel::test
