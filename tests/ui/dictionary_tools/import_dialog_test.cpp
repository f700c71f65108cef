#include "app/session.h"
#include "dictionary/additional_import.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary_tools/import_dialog.h"
#include "platform/paths.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

// The working dictionary holds CAT; the additional one in `stick` holds Birds (1): ROBIN, WREN
// and CAT. The record's import folder is the installation's backup folder, which holds nothing.
struct ImportDialogFixture : ::testing::Test, DialogWorld
{
    std::string stick;

    void SetUp() override
    {
        writeBytes(paths::dictionaryFile(folder.path()), buildDictionaryImage({ entry("CAT") }));
        stick = folder.file("stick");
        std::filesystem::create_directories(stick);
        writeBytes(additionalFilePath(stick, kAdditionalDictionaryName),
            buildDictionaryImage({ entry("ROBIN", 1, 1, 3, 7), entry("WREN", 1), entry("CAT", 1) },
                dict::kAdditionalKind));
        Bytes names(kAdditionalConfigSize, 0);
        for (int slot = 0; slot < kCategorySlots; ++slot) {
            const std::string name = slot == 1 ? "Birds" : "Free";
            std::copy(name.begin(), name.end(), names.begin() + slot * 27);
        }
        names[kAdditionalMarkOffset] = 1;
        writeBytes(additionalFilePath(stick, kAdditionalConfigName), names);
        ASSERT_TRUE(SaveStartupInfo(session.info));
        session.publishChanges();
    }
    int categoryOf(const std::string& word, int* sound = nullptr) const
    {
        DictionaryHandle file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
        CurrentWordInfo info;
        if (!file || !isFound(FindWord(*file, word, info)))
            return -1;
        if (sound)
            *sound = info.soundIndex();
        return info.category();
    }
    bool dictionarySound() const
    {
        DictionaryHandle file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
        return file && checkDictionary(*file).ok;
    }
};

// The backup folder holds no additional dictionary: the dialog says why and stays open with Add
// and Combine off; Browse picks the stick, and Add into the first free category names it.
TEST_F(ImportDialogFixture, BrowseToAFolderThenAddIntoAFreeCategoryNamesIt)
{
    session.info.setAdditionalDictPath(paths::backupFolder(folder.path()));
    QSignalSpy words(&session, &Session::dictionaryChanged);
    std::vector<std::string> asked; // the recording numbers the check was asked about
    const SoundIndexFree check = [&](File&, int, std::string_view word, int index) {
        asked.push_back(std::string(word) + " " + std::to_string(index));
        return true;
    };
    bool done = false;
    onNextModal([&](QWidget* widget) {
        auto* dialog = qobject_cast<ui::ImportDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(prompter.shown.size(), 2u); // the question, then why the folder will not do
        EXPECT_NE(prompter.shown[1].text.find("Unable to open additional dictionary config file"),
            std::string::npos);
        auto* add = child<QPushButton>(dialog, "addButton");
        EXPECT_FALSE(add->isEnabled());
        EXPECT_FALSE(child<QPushButton>(dialog, "combineButton")->isEnabled());

        dialog->setFolderPicker([&](const std::string&) { return std::optional(stick); });
        child<QPushButton>(dialog, "browseButton")->click();
        EXPECT_EQ(child<QLineEdit>(dialog, "folderField")->text().toStdString(), stick);
        auto* from = child<QComboBox>(dialog, "fromBox");
        auto* to = child<QComboBox>(dialog, "toBox");
        EXPECT_EQ(from->count(), 64);
        EXPECT_EQ(from->currentText(), "Birds");
        EXPECT_EQ(to->currentIndex(), 4); // the first free category
        ASSERT_TRUE(add->isEnabled());

        prompter.answers = { MessageAnswer::Yes };
        add->click();
        EXPECT_EQ(to->itemText(4), "Birds");
        EXPECT_EQ(child<QLabel>(dialog, "successfulCount")->text(), "2");
        EXPECT_EQ(child<QLabel>(dialog, "alreadyCount")->text(), "1");
        EXPECT_EQ(child<QLabel>(dialog, "unableCount")->text(), "0");
        child<QPushButton>(dialog, "doneButton")->click();
        done = true;
    });
    prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(ui::runImportCategories(context, nullptr, check));
    ASSERT_TRUE(done);
    EXPECT_EQ(asked, std::vector<std::string> { "ROBIN 7" });
    int sound = -1;
    EXPECT_EQ(categoryOf("ROBIN", &sound), 4);
    EXPECT_EQ(sound, 7);
    EXPECT_EQ(categoryOf("WREN"), 4);
    EXPECT_EQ(categoryOf("CAT"), 0);
    EXPECT_GE(words.count(), 1);
    EXPECT_EQ(savedRecord().categoryName(4), "Birds");
    EXPECT_TRUE(dictionarySound());
}

TEST_F(ImportDialogFixture, NoToTheFirstQuestionOpensNothing)
{
    session.info.setAdditionalDictPath(stick);
    prompter.answers = { MessageAnswer::No };
    EXPECT_FALSE(ui::runImportCategories(context, nullptr));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find(stick), std::string::npos);
    EXPECT_EQ(prompter.shown[0].buttons, MessageButtons::YesNo);
}

} // namespace
} // namespace quorvel::test
