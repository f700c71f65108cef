// The "Generate new user history files" dialog on its own: what it shows at the start, how its
// controls go together, and Generate carried out through it on a temporary installation.

#include "history/history_file.h"
#include "history/history_files_dialog.h"
#include "platform/paths.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/modal.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct HistoryDialogFixture : ::testing::Test, DialogWorld
{
    void SetUp() override
    {
        session.setCurrentUser(3);
        session.info.setUserName(3, "Philippa");
    }
    std::string historyPath(int slot) const
    {
        return paths::historyFile(folder.path(), static_cast<char>('0' + slot));
    }
    // Runs the dialog with `step` carried out on it; returns how it ended.
    int run(std::function<void(QWidget*)> step)
    {
        onNextModal(std::move(step));
        FakeClock clock;
        ui::HistoryFilesDialog dialog(context, clock);
        return dialog.exec();
    }
};

TEST_F(HistoryDialogFixture, OpensOnTheCurrentUserAndKeepsItsChoicesConsistent)
{
    const int ended = run([this](QWidget* dialog) {
        auto* users = child<QListWidget>(dialog, "userList");
        ASSERT_EQ(users->count(), 10);
        EXPECT_EQ(users->currentRow(), 3);
        EXPECT_EQ(users->item(3)->text(), "Philippa");
        auto* records = child<QLineEdit>(dialog, "recordsEdit");
        EXPECT_EQ(records->text(), "5");
        EXPECT_EQ(child<QLabel>(dialog, "recordsNote")->text(), "min rec = 3         max = 60");
        auto* individual = child<QRadioButton>(dialog, "individualUserRadio");
        auto* all = child<QRadioButton>(dialog, "allUsersRadio");
        EXPECT_TRUE(individual->isChecked());
        EXPECT_FALSE(all->isChecked());

        // The two choices exclude each other; choosing a user goes back to that user alone.
        all->click();
        EXPECT_TRUE(all->isChecked());
        EXPECT_FALSE(individual->isChecked());
        users->setFocus();
        QTest::keyClick(users, Qt::Key_Down);
        EXPECT_EQ(users->currentRow(), 4);
        EXPECT_TRUE(individual->isChecked());
        EXPECT_FALSE(all->isChecked());

        // Only digits, and no more than the largest number needs.
        typeInto(records, QStringLiteral("a7b"));
        EXPECT_EQ(records->text(), "7");
        typeInto(records, QStringLiteral("123"));
        EXPECT_EQ(records->text(), "12");

        // The mnemonics reach the controls.
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_A, Qt::AltModifier);
        // A mnemonic presses its button as a short animation.
        EXPECT_TRUE(QTest::qWaitFor([all] { return all->isChecked(); }, 1000));
        QTest::keyClick(dialog, Qt::Key_N, Qt::AltModifier);
        EXPECT_TRUE(records->hasFocus());

        child<QPushButton>(dialog, "helpButton")->click();
        QTest::keyClick(dialog, Qt::Key_F1);
        child<QPushButton>(dialog, "okButton")->click();
    });
    EXPECT_EQ(ended, QDialog::Accepted);
    EXPECT_EQ(help.contexts, (std::vector<int> { 242, 242 }));
    EXPECT_TRUE(prompter.shown.empty()) << "Ok only closes";
    for (int slot = 0; slot < kUserSlots; ++slot)
        EXPECT_FALSE(fileExists(historyPath(slot))) << slot;
    EXPECT_EQ(session.currentUser(), 3) << "the dialog does not change the current user";
}

TEST_F(HistoryDialogFixture, GenerateMakesTheChosenUsersFileAndTheDialogStaysOpen)
{
    run([this](QWidget* dialog) {
        child<QListWidget>(dialog, "userList")->setCurrentRow(6);
        typeInto(child<QLineEdit>(dialog, "recordsEdit"), QStringLiteral("3"));
        child<QPushButton>(dialog, "generateButton")->click();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone again";
        EXPECT_TRUE(dialog->isVisible());
        // Out of range: nothing is asked and nothing is made.
        typeInto(child<QLineEdit>(dialog, "recordsEdit"), QStringLiteral("61"));
        child<QPushButton>(dialog, "generateButton")->click();
        child<QPushButton>(dialog, "okButton")->click();
    });
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[0].text, strings::kHistoryWillBeLost);
    EXPECT_EQ(prompter.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(prompter.shown[1].text, strings::kHistoryCreated);
    EXPECT_EQ(prompter.shown[1].caption, strings::kSuccess);
    EXPECT_EQ(prompter.shown[2].text, strings::kHistoryRange);
    EXPECT_EQ(readBytes(historyPath(6)).size(), 224u);
    for (int slot = 0; slot < kUserSlots; ++slot)
        EXPECT_EQ(fileExists(historyPath(slot)), slot == 6) << slot;
}

TEST_F(HistoryDialogFixture, GenerateForAllUsersStopsWhereAFileCannotBeMade)
{
    std::filesystem::create_directory(historyPath(5));
    prompter.answers = { MessageAnswer::Ok };
    run([](QWidget* dialog) {
        child<QRadioButton>(dialog, "allUsersRadio")->click();
        typeInto(child<QLineEdit>(dialog, "recordsEdit"), QStringLiteral("4"));
        child<QPushButton>(dialog, "generateButton")->click();
        child<QPushButton>(dialog, "okButton")->click();
    });
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "Only 5 History records have been created");
    EXPECT_EQ(prompter.shown[1].caption, strings::kCheckYourDisk);
    for (int slot = 0; slot < kUserSlots; ++slot) {
        if (slot < 5) {
            EXPECT_EQ(readBytes(historyPath(slot)).size(), 56u * 5) << slot;
        } else if (slot > 5) {
            EXPECT_FALSE(fileExists(historyPath(slot))) << slot;
        }
    }
}

// A file claiming more than 60 records: a second question says that only its newest drills are
// kept; answering it with Cancel leaves the file as it was.
TEST_F(HistoryDialogFixture, FileWithTooManyRecordsIsReplacedOnlyAfterItsQuestion)
{
    FakeClock clock;
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 3, clock));
    std::vector<std::uint8_t> bytes = readBytes(historyPath(3));
    bytes[0] = 61;
    writeBytes(historyPath(3), bytes);
    auto generate = [this] {
        run([](QWidget* dialog) {
            child<QPushButton>(dialog, "generateButton")->click();
            child<QPushButton>(dialog, "okButton")->click();
        });
    };
    prompter.answers = { MessageAnswer::Ok, MessageAnswer::Cancel };
    generate();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, strings::kHistoryKeepNewestOnly);
    EXPECT_EQ(prompter.shown[1].caption, strings::kWarning);
    EXPECT_EQ(readBytes(historyPath(3)), bytes);

    prompter.shown.clear();
    prompter.answers = { MessageAnswer::Ok, MessageAnswer::Ok };
    generate();
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, strings::kHistoryCreated);
    EXPECT_EQ(readBytes(historyPath(3)).size(), 56u * 6);
}

} // namespace
} // namespace quorvel::test
