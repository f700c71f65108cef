#include "app/session.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "dictionary_tools/transfer_dialog.h"
#include "support/dialog_world.h"
#include "support/modal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct TransferDialogFixture : ::testing::Test, DialogWorld
{
    std::string ini;
    void SetUp() override
    {
        ini = folder.file("Fenwa.ini");
        session.info.setWorkingCategory(session.currentUser(), 2);
    }
    // Runs the dialog, lets `step` act on it and then presses `button`.
    std::optional<BulkEditorSettings> run(
        SettingsFile& file, const char* button, std::function<void(QWidget*)> step = {})
    {
        onNextModal([&](QWidget* dialog) {
            if (step)
                step(dialog);
            child<QAbstractButton>(dialog, button)->click();
        });
        return ui::runTransferSettings(context, file);
    }
};

// Stored values are shown as they are; Cancel, and Transfer with nothing changed, leave the file
// byte for byte; a change is written.
TEST_F(TransferDialogFixture, UnchangedSettingsAreNeverWrittenAgain)
{
    SettingsFile file(ini);
    const BulkEditorSettings stored { true, BulkLanguage::UK, false };
    ASSERT_TRUE(writeBulkEditorSettings(file, stored));
    const auto before = readBytes(ini);

    EXPECT_FALSE(run(file, "cancelButton").has_value());
    EXPECT_EQ(readBytes(ini), before);

    const auto unchanged = run(file, "transferButton", [](QWidget* dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, "allButton")->isChecked());
        EXPECT_TRUE(child<QAbstractButton>(dialog, "ukButton")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(dialog, "lockBox")->isChecked());
        EXPECT_EQ(
            child<QLabel>(dialog, "categoryLine")->text(), "Dictionary category selected: Science");
    });
    EXPECT_EQ(unchanged, stored);
    EXPECT_EQ(readBytes(ini), before);

    const auto changed = run(file, "transferButton",
        [](QWidget* dialog) { child<QAbstractButton>(dialog, "usaButton")->click(); });
    const BulkEditorSettings usa { true, BulkLanguage::USA, false };
    EXPECT_EQ(changed, usa);
    EXPECT_EQ(readBulkEditorSettings(SettingsFile(ini)), usa);
    EXPECT_TRUE(prompter.shown.empty());
}

// A file without valid settings gets the defaults when the dialog opens, whatever it ends with.
TEST_F(TransferDialogFixture, MissingSettingsAreWrittenAsTheDefaultsOnOpening)
{
    SettingsFile file(ini);
    EXPECT_FALSE(run(file, "cancelButton", [](QWidget* dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, "newOnlyButton")->isChecked());
        EXPECT_TRUE(child<QAbstractButton>(dialog, "bothButton")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(dialog, "lockBox")->isChecked());
    }).has_value());
    EXPECT_EQ(readBulkEditorSettings(SettingsFile(ini)), BulkEditorSettings {});
}

} // namespace
} // namespace quorvel::test
