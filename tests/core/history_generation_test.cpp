// "Generate" of the history files dialog: the range check, the confirmation, one user's file or
// all ten, and what the person is told when some of the files cannot be made.

#include "app/session.h"
#include "history/history_file.h"
#include "history/history_generation.h"
#include "strings/strings.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

namespace quorvel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the person saw: text and caption of each box, in order.
using Seen = std::vector<std::pair<std::string, std::string>>;

// Records each message and whether the hourglass was up while it was shown.
class CheckingPrompter final : public Prompter
{
public:
    MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon icon,
        MessageButtons buttons) override
    {
        if (busy)
            shownWhileBusy.push_back(text);
        return script.show(text, caption, icon, buttons);
    }
    Seen seen() const
    {
        Seen out;
        for (const ShownMessage& m : script.shown)
            out.emplace_back(m.text, m.caption);
        return out;
    }
    FakePrompter script;
    bool busy = false;
    std::vector<std::string> shownWhileBusy;
};

class HistoryGenerationTest : public ::testing::Test
{
protected:
    void SetUp() override { freshFolder(); }

    // An installation of its own for each case of a table.
    void freshFolder()
    {
        folder = std::make_unique<TempFolder>();
        folder->makeProgdata();
    }
    std::string path(int slot) const
    {
        return folder->file("progdata/histuse" + std::to_string(slot) + ".his");
    }
    // A folder where the slot's file should be: the slot's file cannot be made.
    void block(int slot) const { std::filesystem::create_directory(path(slot)); }
    bool made(int slot) const { return std::filesystem::is_regular_file(path(slot)); }

    HistoryGenerationResult generate(const std::string& records, bool allUsers, int user = 4)
    {
        HistoryGenerationValues values;
        values.user = user;
        values.recordsText = records;
        values.allUsers = allUsers;
        return generateHistoryFiles(folder->path(), values, clock, prompter, [this](bool on) {
            EXPECT_NE(on, prompter.busy) << "the hourglass is switched in pairs";
            prompter.busy = on;
            ++busySwitches;
        });
    }

    std::unique_ptr<TempFolder> folder;
    FakeClock clock;
    CheckingPrompter prompter;
    int busySwitches = 0;
};

const std::pair<std::string, std::string> kQuestion { strings::kHistoryWillBeLost,
    strings::kWarning };

TEST(HistoryRecordCount, TakesWholeNumbersFromThreeToSixty)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        { "3", 3 },
        { "60", 60 },
        { "05", 5 }, // leading zeros are harmless
        { " 12 ", 12 },
        { "2", std::nullopt },
        { "61", std::nullopt },
        { "0", std::nullopt },
        { "", std::nullopt },
        { "99999999999999999999", std::nullopt }, // no overflow into the range
        { "5a", std::nullopt },
        { "-5", std::nullopt },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(historyRecordCount(text), expected) << '"' << text << '"';
}

TEST_F(HistoryGenerationTest, NumberOutsideTheRangeOnlyShowsTheRangeMessage)
{
    ASSERT_TRUE(GenerateHistoryFile(folder->path(), 5, 4, clock));
    const Bytes before = readBytes(path(4));
    for (const char* text : { "2", "61", "" }) {
        SCOPED_TRACE(text);
        prompter.script.shown.clear();
        for (const bool all : { false, true })
            EXPECT_EQ(generate(text, all).outcome, HistoryGeneration::OutOfRange);
        const std::pair<std::string, std::string> range { strings::kHistoryRange,
            strings::kWarning };
        EXPECT_EQ(prompter.seen(), (Seen { range, range })) << "no question follows";
    }
    EXPECT_EQ(readBytes(path(4)), before);
    EXPECT_FALSE(made(0));
    EXPECT_EQ(busySwitches, 0);
}

TEST_F(HistoryGenerationTest, CancelKeepsTheOldFiles)
{
    ASSERT_TRUE(GenerateHistoryFile(folder->path(), 5, 4, clock));
    const Bytes before = readBytes(path(4));
    for (const bool all : { false, true }) {
        prompter.script.answers = { MessageAnswer::Cancel };
        EXPECT_EQ(generate("3", all).outcome, HistoryGeneration::Cancelled);
    }
    EXPECT_EQ(prompter.seen(), (Seen { kQuestion, kQuestion }));
    EXPECT_EQ(prompter.script.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(readBytes(path(4)), before);
    EXPECT_FALSE(made(0));
    EXPECT_EQ(busySwitches, 0);
}

TEST_F(HistoryGenerationTest, IndividualUserGetsANewFileOfTheChosenSize)
{
    prompter.script.answers = { MessageAnswer::Ok };
    const HistoryGenerationResult result = generate("3", false, 4);
    EXPECT_EQ(result.outcome, HistoryGeneration::Made);
    EXPECT_EQ(
        prompter.seen(), (Seen { kQuestion, { strings::kHistoryCreated, strings::kSuccess } }));
    EXPECT_EQ(readBytes(path(4)).size(), 224u);
    for (int slot = 0; slot < kUserSlots; ++slot)
        EXPECT_EQ(made(slot), slot == 4) << slot;
    EXPECT_EQ(busySwitches, 2);
    EXPECT_TRUE(prompter.shownWhileBusy.empty());

    // A second run rebuilds the file with its new size.
    EXPECT_EQ(generate("60", false, 4).outcome, HistoryGeneration::Made);
    EXPECT_EQ(readBytes(path(4)).size(), 56u * 61);
}

TEST_F(HistoryGenerationTest, IndividualUserWhoseFileCannotBeMadeIsTold)
{
    block(4);
    EXPECT_EQ(generate("5", false, 4).outcome, HistoryGeneration::Failed);
    EXPECT_EQ(prompter.seen(),
        (Seen { kQuestion, { strings::kHistoryCreateFailed, strings::kWarning } }));
    EXPECT_TRUE(prompter.shownWhileBusy.empty());
    EXPECT_FALSE(made(4));
}

TEST_F(HistoryGenerationTest, AllUsersInOrderStoppingAtALaterFailure)
{
    const std::pair<std::string, std::string> firstFailed { strings::kHistoryFirstFailed,
        strings::kCheckYourDisk };
    auto only = [](int n) {
        return std::pair<std::string, std::string> { "Only " + std::to_string(n)
                + " History records have been created",
            strings::kCheckYourDisk };
    };
    struct Case
    {
        const char* name;
        std::set<int> blocked;
        HistoryGeneration outcome;
        int filesMade;
        Seen after; // the messages after the question
        std::set<int> madeSlots;
    };
    const Case cases[] = {
        { "every slot", {}, HistoryGeneration::AllMade, 10,
            { { strings::kHistoryAllCreated, strings::kSuccess } },
            { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 } },
        // The first slot failing is reported and the others are still made; the end is not
        // reported as a success for all users.
        { "slot 0", { 0 }, HistoryGeneration::Incomplete, 9, { firstFailed, only(9) },
            { 1, 2, 3, 4, 5, 6, 7, 8, 9 } },
        // A later slot stops the run: the slots after it are not touched.
        { "slot 4", { 4 }, HistoryGeneration::Incomplete, 4, { only(4) }, { 0, 1, 2, 3 } },
        { "slot 9", { 9 }, HistoryGeneration::Incomplete, 9, { only(9) },
            { 0, 1, 2, 3, 4, 5, 6, 7, 8 } },
        // The count is of the files made, not of the slots passed.
        { "slots 0 and 3", { 0, 3 }, HistoryGeneration::Incomplete, 2, { firstFailed, only(2) },
            { 1, 2 } },
        { "slots 0 and 1", { 0, 1 }, HistoryGeneration::Incomplete, 0, { firstFailed, only(0) },
            {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshFolder();
        prompter.script.shown.clear();
        prompter.shownWhileBusy.clear();
        for (int slot : c.blocked)
            block(slot);
        const HistoryGenerationResult result = generate("4", true);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.filesMade, c.filesMade);
        Seen expected { kQuestion };
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(prompter.seen(), expected);
        EXPECT_TRUE(prompter.shownWhileBusy.empty()) << "no message under the hourglass";
        EXPECT_FALSE(prompter.busy) << "the hourglass is gone at the end";
        for (int slot = 0; slot < kUserSlots; ++slot) {
            EXPECT_EQ(made(slot), c.madeSlots.count(slot) == 1) << "slot " << slot;
            if (made(slot)) {
                EXPECT_EQ(readBytes(path(slot)).size(), 56u * 5) << "slot " << slot;
            }
        }
    }
}

// A file claiming more than 60 records (the drill tells its user a new one is needed) is
// rebuilt only after a second question says that only its newest drills are kept.
TEST_F(HistoryGenerationTest, FileWithMoreThanSixtyRecordsIsRebuiltAfterItsOwnQuestion)
{
    const std::pair<std::string, std::string> keepNewest { strings::kHistoryKeepNewestOnly,
        strings::kWarning };
    auto oversize = [this](int slot) {
        ASSERT_TRUE(GenerateHistoryFile(folder->path(), 3, slot, clock));
        Bytes bytes = readBytes(path(slot));
        bytes[0] = 0xFF; // claims 255 records
        writeBytes(path(slot), bytes);
    };
    oversize(4);
    const Bytes before = readBytes(path(4));
    prompter.script.answers = { MessageAnswer::Ok, MessageAnswer::Cancel };
    EXPECT_EQ(generate("5", false, 4).outcome, HistoryGeneration::Cancelled);
    EXPECT_EQ(prompter.seen(), (Seen { kQuestion, keepNewest }));
    EXPECT_EQ(prompter.script.shown[1].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(readBytes(path(4)), before);
    EXPECT_EQ(busySwitches, 0);

    // Another user's file is not asked about.
    prompter.script.shown.clear();
    EXPECT_EQ(generate("5", false, 2).outcome, HistoryGeneration::Made);
    EXPECT_EQ(
        prompter.seen(), (Seen { kQuestion, { strings::kHistoryCreated, strings::kSuccess } }));

    prompter.script.shown.clear();
    EXPECT_EQ(generate("5", false, 4).outcome, HistoryGeneration::Made);
    EXPECT_EQ(prompter.seen(),
        (Seen { kQuestion, keepNewest, { strings::kHistoryCreated, strings::kSuccess } }));
    EXPECT_EQ(readBytes(path(4)).size(), 56u * 6);

    // All users: one question for every such file, then all ten are made.
    freshFolder();
    oversize(1);
    oversize(7);
    prompter.script.shown.clear();
    EXPECT_EQ(generate("4", true).outcome, HistoryGeneration::AllMade);
    EXPECT_EQ(prompter.seen(),
        (Seen { kQuestion, keepNewest, { strings::kHistoryAllCreated, strings::kSuccess } }));
    for (int slot = 0; slot < kUserSlots; ++slot)
        EXPECT_EQ(readBytes(path(slot)).size(), 56u * 5) << slot;
}

TEST_F(HistoryGenerationTest, OpeningChoosesTheCurrentUserAndFiveRecords)
{
    Session session;
    session.setCurrentUser(7);
    const HistoryGenerationValues values = historyGenerationOpening(session);
    EXPECT_EQ(values.user, 7);
    EXPECT_EQ(values.recordsText, "5");
    EXPECT_FALSE(values.allUsers);
}

} // namespace
} // namespace quorvel::test
