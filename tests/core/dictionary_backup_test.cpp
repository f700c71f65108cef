#include "config/startup_info.h"
#include "dictionary/dictionary_backup.h"
#include "dictionary/dictionary_pass.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// An installation with a dictionary of a few words, its startup record, and a backup folder.
struct BackupFixture : ::testing::Test
{
    TempFolder folder;
    StartupInfo info;
    Bytes dictionary;
    Bytes record;
    std::string backup;

    void SetUp() override
    {
        folder.makeProgdata();
        dictionary = buildDictionaryImage({ entry("CAT"), entry("DOG", 3), entry("ZEBRA") });
        writeBytes(paths::dictionaryFile(folder.path()), dictionary);
        FillStartupDefaults(info, folder.path());
        info.setDataFolder(folder.path());
        info.setDictionaryFolder(folder.path());
        backup = folder.file("backup/");
        std::filesystem::create_directory(backup);
        info.setAdditionalDictPath(backup);
        ASSERT_TRUE(SaveStartupInfo(info));
        record = readBytes(paths::startupRecordFile(folder.path()));
    }
    void TearDown() override { FileFaults::reset(); }
};

TEST_F(BackupFixture, CopiesBothFilesByteForByteWithTheWaitCursorAndNoMessage)
{
    writeBytes(backup + "sondback.dis", Bytes(50000, 0xAB)); // an older, longer backup
    FakePrompter prompter;
    prompter.answers = { MessageAnswer::Yes };
    std::vector<bool> busy;
    EXPECT_TRUE(BackupDictionary(info, prompter, [&](bool on) { busy.push_back(on); }));

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kBackupQuestion);
    EXPECT_EQ(prompter.shown[0].caption, "Backup Dictionary.");
    EXPECT_EQ(prompter.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(busy, (std::vector<bool> { true, false }));
    EXPECT_EQ(readBytes(backup + "sondback.dis"), dictionary);
    EXPECT_EQ(readBytes(backup + "infoback.cfg"), record);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backup),
                  std::filesystem::directory_iterator()),
        2); // no temporary file left behind
}

TEST_F(BackupFixture, NoCopiesWhenTheQuestionIsAnsweredNo)
{
    FakePrompter prompter;
    prompter.answers = { MessageAnswer::No };
    EXPECT_FALSE(BackupDictionary(info, prompter));
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_FALSE(fileExists(backup + "sondback.dis"));
}

TEST_F(BackupFixture, FailuresAreReportedWithTheirCaptionsAndNeverHarmSourceOrOldBackup)
{
    struct Case
    {
        const char* what;
        std::function<void()> arrange;
        const char* text;
        const char* caption;
    } cases[] = {
        { "missing destination folder",
            [&] { info.setAdditionalDictPath(folder.file("no-disk/")); },
            "Unable to create file at your destination!", "Backup Failed" },
        { "write fails", [&] { FileFaults::failNth(FileOp::Write, 1); },
            "There could be problems in the availability of disk space.", "Warning!" },
        { "read fails", [&] { FileFaults::failFrom(FileOp::Read, 1); },
            "Unable to create file at your destination!", "Warning!" },
        { "startup record missing",
            [&] { std::filesystem::remove(paths::startupRecordFile(folder.path())); },
            "Unable to open your config file", "Backup Failed" },
        { "dictionary missing",
            [&] { std::filesystem::remove(paths::dictionaryFile(folder.path())); },
            "Unable to open Dictionary files!", "Backup Failed" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp(); // the files as they were, for each case
        const Bytes oldBackup(100, 0x5A);
        writeBytes(backup + "sondback.dis", oldBackup);
        c.arrange();
        FakePrompter prompter;
        prompter.answers = { MessageAnswer::Yes };
        EXPECT_FALSE(BackupDictionary(info, prompter));
        FileFaults::reset();
        ASSERT_EQ(prompter.shown.size(), 2u);
        EXPECT_EQ(prompter.shown[1].text, c.text);
        EXPECT_EQ(prompter.shown[1].caption, c.caption);
        EXPECT_EQ(prompter.shown[1].icon, MessageIcon::Exclamation);
        if (fileExists(paths::dictionaryFile(folder.path()))) {
            EXPECT_EQ(readBytes(paths::dictionaryFile(folder.path())), dictionary);
        }
        if (std::string(c.what) != "startup record missing") {
            EXPECT_EQ(readBytes(backup + "sondback.dis"), oldBackup);
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backup),
                      std::filesystem::directory_iterator()),
            1); // no temporary file left behind
        EXPECT_FALSE(fileExists(backup + "infoback.cfg"));
    }
}

TEST(BackupDestination, NamesAFileInsideTheBackupFolderWithOrWithoutItsSeparator)
{
    StartupInfo info;
    info.setAdditionalDictPath("/media/usb/");
    EXPECT_EQ(backupDestination(info, "sondback.dis"), "/media/usb/sondback.dis");
    info.setAdditionalDictPath("/media/usb");
    EXPECT_EQ(backupDestination(info, "sondback.dis"), "/media/usb/sondback.dis");
}

// Every word's status per user, in table order.
std::vector<std::array<int, 10>> statuses(File& file)
{
    std::vector<std::array<int, 10>> out;
    for (Table table : { Table::Main, Table::Category }) {
        forEachRecord(file, ReadTableOffset(file, table), false,
            [&](std::uint32_t, std::uint32_t, const WordRecordHeader& h, std::string_view) {
                std::array<int, 10> s {};
                for (int u = 0; u < 10; ++u)
                    s[static_cast<std::size_t>(u)] = h.status(u);
                out.push_back(s);
                return true;
            });
    }
    return out;
}

TEST(StatusReset, TotalsAddUpToTheWordCountAndOnlyTheCurrentUserChanges)
{
    std::vector<DictionaryEntry> entries;
    const char* words[]
        = { "ANT", "BEE", "CAT", "CATS", "DOG", "EMU", "GNU", "YAK", "ZEBRA", "OWL" };
    int i = 0;
    for (const char* w : words) {
        entries.push_back(entry(w, i % 3 == 0 ? i + 1 : 0, i % 4));
        ++i;
    }
    DictionaryOnDisk dict(buildDictionaryImage(entries));
    StartupInfo info;
    info.setDictionaryFolder(dict.folder());
    std::vector<std::array<int, 10>> before;
    {
        auto file = dict.open();
        before = statuses(*file);
    }

    for (int status : { 2, 1 }) {
        SCOPED_TRACE(status);
        FakePrompter prompter;
        prompter.answers = { MessageAnswer::Yes, MessageAnswer::Yes };
        std::vector<bool> busy;
        EXPECT_TRUE(
            ResetUserStatus(info, 6, status, prompter, [&](bool on) { busy.push_back(on); }));
        EXPECT_EQ(busy, (std::vector<bool> { true, false }));
        ASSERT_EQ(prompter.shown.size(), 3u);
        EXPECT_EQ(prompter.shown[0].caption, "WARNING!   Resetting the users Dictionary.");
        EXPECT_EQ(prompter.shown[1].text, strings::kResetSecondChance);
        // Words 0, 3, 6 and 9 are in categories; the other six are in the main dictionary.
        EXPECT_EQ(prompter.shown[2].text, "Main Dictionary Total = 6 :         Category Total = 4");
        EXPECT_EQ(prompter.shown[2].caption, "Dictionary Count.");

        auto file = dict.open();
        const auto after = statuses(*file);
        ASSERT_EQ(after.size(), std::size(words));
        for (std::size_t w = 0; w < after.size(); ++w) {
            for (std::size_t u = 0; u < 10; ++u)
                EXPECT_EQ(after[w][u], u == 6 ? status : before[w][u])
                    << "word " << w << " user " << u;
        }
    }
}

TEST(StatusReset, EitherNoEndsItAndAFailureAdvisesTheBackup)
{
    const Bytes image = buildDictionaryImage({ entry("CAT"), entry("DOG", 2) });
    DictionaryOnDisk dict(image);
    StartupInfo info;
    info.setDictionaryFolder(dict.folder());

    for (auto answers : { std::deque { MessageAnswer::No },
             std::deque { MessageAnswer::Yes, MessageAnswer::No } }) {
        FakePrompter prompter;
        prompter.answers = answers;
        EXPECT_FALSE(ResetUserStatus(info, 0, 2, prompter));
        EXPECT_EQ(prompter.shown.size(), answers.size());
        EXPECT_EQ(dict.bytes(), image);
    }

    FakePrompter prompter;
    prompter.answers = { MessageAnswer::Yes, MessageAnswer::Yes };
    FileFaults::failNth(FileOp::Write, 1);
    EXPECT_FALSE(ResetUserStatus(info, 0, 2, prompter));
    FileFaults::reset();
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, "Error in Reset -   Retry with backup copy.");
    EXPECT_EQ(prompter.shown[2].caption, "Information.");

    TempFolder empty;
    info.setDictionaryFolder(empty.path());
    FakePrompter noFile;
    noFile.answers = { MessageAnswer::Yes, MessageAnswer::Yes };
    EXPECT_FALSE(ResetUserStatus(info, 0, 2, noFile));
    ASSERT_EQ(noFile.shown.size(), 4u);
    EXPECT_EQ(noFile.shown[2].text, "Unable to open Dictionary files!");
    EXPECT_EQ(noFile.shown[2].caption, "Information.");
    EXPECT_EQ(noFile.shown[3].text, "Error in Reset -   Retry with backup copy.");
}

} // namespace
} // namespace quorvel::test
