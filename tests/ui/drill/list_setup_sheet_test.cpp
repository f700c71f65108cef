#include "app/session.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "drill/list_setup_sheet.h"
#include "drill/number_box.h"
#include "platform/paths.h"
#include "review/review_list.h"
#include "support/dialog_world.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// A session on defaults whose record file lies in a temporary installation, with user 2 current.
struct SheetFixture : ::testing::Test, DialogWorld
{
    void SetUp() override { session.setCurrentUser(2); }

    static void press(QWidget* sheet, QDialogButtonBox::StandardButton which)
    {
        auto* buttons = child<QDialogButtonBox>(sheet, "sheetButtons");
        ASSERT_NE(buttons, nullptr);
        buttons->button(which)->click();
    }
};

TEST_F(SheetFixture, OkWithANewLevelStoresItsLettersRangeForTheCurrentUserAndSaves)
{
    ui::ListSetupSheet sheet(context);
    typeInto(child<ui::NumberBox>(&sheet, "minLettersBox"), "5");
    typeInto(child<ui::NumberBox>(&sheet, "maxLettersBox"), "8");
    typeInto(child<ui::NumberBox>(&sheet, "spellTimeBox"), "45");
    typeInto(child<QLineEdit>(&sheet, "predefinedBox"), "st?x");
    child<QRadioButton>(&sheet, "levelAdvanced")->click();
    child<QRadioButton>(&sheet, "typeOneLetter")->click();
    press(&sheet, QDialogButtonBox::Ok);

    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.shown.empty());
    const ListSetupRecord list = session.info.listSetup(2);
    EXPECT_EQ(list.minLetters, "10");
    EXPECT_EQ(list.maxLetters, "14");
    EXPECT_EQ(list.predefined, "ST?X") << "the pattern box takes capitals only";
    EXPECT_EQ(list.typeOneLetter, 1);
    EXPECT_EQ(list.typeRandom, 0);
    EXPECT_EQ(session.info.displaySetup(2).spellTime, "45");
    EXPECT_EQ(session.info.listOptions(2).levelAdvanced, 1);
    EXPECT_EQ(session.info.listOptions(2).levelElementary, 0);
    // Other users keep their settings; the file holds what memory holds.
    EXPECT_EQ(session.info.listSetup(1).minLetters, "4");
    EXPECT_EQ(savedRecord().bytes(), session.info.bytes());
}

// "Review due" is kept in the settings file: the record keeps the type chosen before, which is
// back when another type is chosen.
TEST_F(SheetFixture, ReviewDueIsKeptBesideTheRecordAndTheFormerTypeReturns)
{
    ASSERT_EQ(session.programFolder, folder.path());
    const int before = session.info.listSetup(2).typeFailures;
    {
        ui::ListSetupSheet sheet(context);
        child<QRadioButton>(&sheet, "typeReview")->click();
        press(&sheet, QDialogButtonBox::Ok);
    }
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(reviewListChosen(folder.path(), 2));
    EXPECT_FALSE(reviewListChosen(folder.path(), 1));
    const ListSetupRecord kept = session.info.listSetup(2);
    EXPECT_EQ(kept.typeRandom, 1) << "the record's list type stays";
    EXPECT_EQ(kept.typeFailures, before);
    {
        ui::ListSetupSheet sheet(context);
        EXPECT_TRUE(child<QRadioButton>(&sheet, "typeReview")->isChecked());
        EXPECT_FALSE(child<QRadioButton>(&sheet, "typeRandom")->isChecked());
        child<QRadioButton>(&sheet, "typeFailures")->click();
        press(&sheet, QDialogButtonBox::Ok);
    }
    EXPECT_FALSE(reviewListChosen(folder.path(), 2));
    EXPECT_EQ(session.info.listSetup(2).typeFailures, 1);
    EXPECT_EQ(session.info.listSetup(2).typeRandom, 0);
}

TEST_F(SheetFixture, CancelChangesNothingAndWritesNothing)
{
    const StartupInfo::Bytes before = session.info.bytes();
    ui::ListSetupSheet sheet(context);
    typeInto(child<ui::NumberBox>(&sheet, "listSizeBox"), "33");
    child<QRadioButton>(&sheet, "levelIntermediate")->click();
    press(&sheet, QDialogButtonBox::Cancel);
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_EQ(session.info.bytes(), before);
    EXPECT_FALSE(fileExists(paths::startupRecordFile(folder.path())));
}

TEST_F(SheetFixture, TheLettersBoxesHoldEachOtherInCheckWhileEdited)
{
    ui::ListSetupSheet sheet(context);
    auto* minimum = child<ui::NumberBox>(&sheet, "minLettersBox");
    auto* maximum = child<ui::NumberBox>(&sheet, "maxLettersBox");
    typeInto(minimum, "12"); // above the maximum of 10
    EXPECT_EQ(minimum->boxText(), "10");
    typeInto(maximum, "7"); // below the minimum, now 10
    EXPECT_EQ(maximum->boxText(), "10");

    // At 10/10 the minimum's button refuses to go up and the maximum's to go down.
    minimum->setFocus();
    QTest::keyClick(minimum, Qt::Key_Up);
    EXPECT_EQ(minimum->boxText(), "10");
    QTest::keyClick(minimum, Qt::Key_Down);
    EXPECT_EQ(minimum->boxText(), "9");
    maximum->setFocus();
    QTest::keyClick(maximum, Qt::Key_Down);
    EXPECT_EQ(maximum->boxText(), "9");
    QTest::keyClick(maximum, Qt::Key_Down);
    EXPECT_EQ(maximum->boxText(), "9");

    // Typing past the top of a box's range is refused.
    typeInto(child<ui::NumberBox>(&sheet, "listSizeBox"), "51");
    EXPECT_EQ(child<ui::NumberBox>(&sheet, "listSizeBox")->boxText(), "5");
}

TEST_F(SheetFixture, AFlashDurationOfSixHundredPutsTheBarBackAndOkShowsItsPosition)
{
    ui::ListSetupSheet sheet(context);
    auto* box = child<QLineEdit>(&sheet, "flashDurationBox");
    auto* bar = child<QSlider>(&sheet, "flashDurationBar");
    ASSERT_NE(bar, nullptr);
    typeInto(box, "250");
    EXPECT_EQ(bar->value(), 250);
    typeInto(box, "600");
    EXPECT_EQ(bar->value(), 360);
    EXPECT_EQ(box->text(), "600");

    // Moving the bar writes its position into its box.
    auto* countBar = child<QSlider>(&sheet, "rippleCountBar");
    countBar->setFocus();
    QTest::keyClick(countBar, Qt::Key_Right);
    EXPECT_EQ(child<QLineEdit>(&sheet, "rippleCountBox")->text(), "2");

    press(&sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(box->text(), "360");
    const LearnSetupRecord learn = session.info.learnSetup(2);
    EXPECT_EQ(learn.flashDurationText, "360");
    EXPECT_EQ(learn.flashDuration.position, 360u);
    EXPECT_EQ(learn.rippleCountText, "2");
    EXPECT_EQ(learn.rippleCount, (SliderTriple { 1, 10, 2 }));
}

TEST_F(SheetFixture, HelpOpensThePageShownAndFocusStartsOnEachPagesFirstControl)
{
    ui::ListSetupSheet sheet(context);
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    EXPECT_EQ(QApplication::focusWidget(), child<ui::NumberBox>(&sheet, "minLettersBox"));

    auto* tabs = child<QTabWidget>(&sheet, "listSetupPages");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(2), "User List Options");
    for (int page : { 0, 1, 2, 3 }) {
        tabs->setCurrentIndex(page);
        if (page == 2) {
            EXPECT_EQ(QApplication::focusWidget(), child<QRadioButton>(&sheet, "adjustPractice"));
        }
        press(&sheet, QDialogButtonBox::Help);
    }
    EXPECT_EQ(help.contexts, (std::vector<int> { 5772, 5771, 5773, 5774 }));
    sheet.close();
}

TEST_F(SheetFixture, AFailedSaveIsReportedAndTheNewValuesStayInMemory)
{
    session.info.setDataFolder(folder.file("missing"));
    onNextModal([](QWidget* sheet) {
        auto* box = child<ui::NumberBox>(sheet, "listSizeBox");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "25");
        child<QDialogButtonBox>(sheet, "sheetButtons")->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(ui::runListSetupSheet(nullptr, context))
        << "the status bar is refreshed even when the save failed";
    EXPECT_EQ(session.info.listSetup(2).listSize, "25");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Error in writing user Information.");
    EXPECT_EQ(prompter.shown[0].caption, "Warning!");
    EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Exclamation);

    onNextModal([](QWidget* sheet) {
        child<QDialogButtonBox>(sheet, "sheetButtons")->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(ui::runListSetupSheet(nullptr, context));
}

// Hear only is each user's own and lives in the settings file beside the record: set, OK,
// stored, shown again when the sheet reopens; another user's setting and the rest of the file
// stay.
TEST_F(SheetFixture, HearOnlyIsStoredForTheCurrentUserAndShownAgain)
{
    const std::string ini = paths::settingsFile(folder.path());
    {
        SettingsFile settings(ini);
        ASSERT_TRUE(settings.writeString("Other", "Kept", "7"));
        ASSERT_TRUE(writeHearOnly(settings, 1, true));
    }
    for (const bool on : { true, false }) {
        SCOPED_TRACE(on ? "set" : "cleared");
        {
            ui::ListSetupSheet sheet(context);
            auto* box = child<QCheckBox>(&sheet, "hearOnly");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), !on) << "as stored";
            box->click();
            press(&sheet, QDialogButtonBox::Ok);
        }
        EXPECT_TRUE(prompter.shown.empty());
        const SettingsFile settings(ini);
        EXPECT_EQ(readHearOnly(settings, 2), on);
        EXPECT_TRUE(readHearOnly(settings, 1));
        EXPECT_EQ(settings.readString("Other", "Kept", "", 8), "7");
        ui::ListSetupSheet again(context);
        EXPECT_EQ(child<QCheckBox>(&again, "hearOnly")->isChecked(), on);
    }
    // Cancel keeps what was stored.
    ui::ListSetupSheet sheet(context);
    child<QCheckBox>(&sheet, "hearOnly")->click();
    press(&sheet, QDialogButtonBox::Cancel);
    EXPECT_FALSE(readHearOnly(SettingsFile(ini), 2));
}

// OK on a sheet left as it opened writes nothing new: every file of the installation keeps its
// bytes, with or without a settings file, and none is created.
TEST_F(SheetFixture, OkWithNothingChangedLeavesEveryFileAsItWas)
{
    ASSERT_TRUE(SaveStartupInfo(session.info));
    for (const bool withSettings : { false, true }) {
        SCOPED_TRACE(withSettings ? "hear only stored" : "no settings file");
        if (withSettings) {
            SettingsFile settings(paths::settingsFile(folder.path()));
            ASSERT_TRUE(writeHearOnly(settings, 2, true));
        }
        const auto before = folderContents(folder.path());
        ui::ListSetupSheet sheet(context);
        press(&sheet, QDialogButtonBox::Ok);
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(folderContents(folder.path()), before);
        EXPECT_TRUE(prompter.shown.empty());
    }
}

} // namespace
} // namespace quorvel::test
