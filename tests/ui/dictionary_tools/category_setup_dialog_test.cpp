#include "app/session.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary_tools/category_setup_dialog.h"
#include "platform/paths.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/modal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct CategoryDialogFixture : ::testing::Test, DialogWorld
{
    void SetUp() override
    {
        writeBytes(paths::dictionaryFile(folder.path()),
            buildDictionaryImage({ entry("CAT"), entry("PIANO", 1, 2), entry("ATOM", 2) }));
        ASSERT_TRUE(SaveStartupInfo(session.info));
        session.publishChanges();
    }
    int categoryOf(const std::string& word) const
    {
        DictionaryHandle file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
        CurrentWordInfo info;
        return file && isFound(FindWord(*file, word, info)) ? info.category() : -1;
    }
};

TEST_F(CategoryDialogFixture, EachActionShowsAtOnceInBothBoxesAndInTheSession)
{
    QSignalSpy names(&session, &Session::categoriesChanged);
    QSignalSpy words(&session, &Session::dictionaryChanged);
    bool done = false;
    onNextModal([&](QWidget* dialog) {
        auto* from = child<QComboBox>(dialog, "fromBox");
        auto* to = child<QComboBox>(dialog, "toBox");
        ASSERT_TRUE(from && to);
        ASSERT_EQ(from->count(), 64);
        EXPECT_EQ(from->currentIndex(), 1);
        EXPECT_EQ(from->currentText(), "Music");

        // New: a free slot takes the typed name.
        from->setCurrentIndex(4);
        typeInto(from->lineEdit(), QStringLiteral("Birds"));
        child<QPushButton>(dialog, "newButton")->click();
        EXPECT_EQ(from->itemText(4), "Birds");
        EXPECT_EQ(to->itemText(4), "Birds");
        EXPECT_EQ(from->currentIndex(), 4);
        EXPECT_EQ(names.count(), 1);

        // Move: Music and its word go to slot 10.
        from->setCurrentIndex(1);
        to->setCurrentIndex(10);
        prompter.answers = { MessageAnswer::Yes };
        child<QPushButton>(dialog, "moveButton")->click();
        EXPECT_EQ(to->itemText(10), "Music");
        EXPECT_EQ(from->itemText(1), "Free");
        EXPECT_EQ(names.count(), 2);
        EXPECT_EQ(words.count(), 1);

        child<QPushButton>(dialog, "doneButton")->click();
        done = true;
    });
    ui::runCategorySetup(context);
    ASSERT_TRUE(done);
    EXPECT_EQ(categoryOf("PIANO"), 10);
    EXPECT_EQ(categoryOf("ATOM"), 2);
    const StartupInfo saved = savedRecord();
    EXPECT_EQ(saved.categoryName(4), "Birds");
    EXPECT_EQ(saved.categoryName(10), "Music");
    EXPECT_EQ(saved.categoryName(1), "Free");
}

TEST_F(CategoryDialogFixture, ARefusedNameStaysInTheBoxAndNothingIsSaved)
{
    const auto record = readBytes(paths::startupRecordFile(folder.path()));
    onNextModal([&](QWidget* dialog) {
        auto* from = child<QComboBox>(dialog, "fromBox");
        typeInto(from->lineEdit(), QStringLiteral("Main Dictionary"));
        child<QPushButton>(dialog, "renameButton")->click();
        EXPECT_EQ(from->currentText(), "Main Dictionary");
        EXPECT_EQ(from->itemText(1), "Music");
        child<QPushButton>(dialog, "doneButton")->click();
    });
    ui::runCategorySetup(context);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Category must have at least one character");
    EXPECT_EQ(readBytes(paths::startupRecordFile(folder.path())), record);
}

} // namespace
} // namespace quorvel::test
