// One program works on an installation folder at a time: the window holds its folder for its
// whole run, and a start that finds the folder held says so and stops before writing anything.

#include "app/application.h"
#include "app/main_frame.h"
#include "app/session.h"
#include "platform/folder_lock.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fake_ui.h"
#include "support/fakes.h"
#include "support/records.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace quorvel::test {
namespace {

using namespace std::chrono_literals;

// A program on a folder, with scripted message boxes.
struct Program
{
    FakePrompter prompter;
    FakeAsker asker;
    FakeHelp help;
    std::unique_ptr<ui::QuorvelRuntime> runtime;

    bool start(const std::string& folder)
    {
        runtime = std::make_unique<ui::QuorvelRuntime>(
            folder, ui::RuntimeServices { &prompter, &asker, &help });
        return runtime->start();
    }
    ~Program()
    {
        if (runtime) {
            runtime->frame().setQuitCheck([] { return true; });
            runtime->frame().close();
        }
    }
};

// An installation with a dictionary; with a startup record unless it is a first start.
void prepareInstallation(const TempFolder& folder, bool firstStart)
{
    folder.makeProgdata();
    writeBytes(
        folder.file("progdata/sonddict.dis"), buildDictionaryImage({ entry("CAT"), entry("DOG") }));
    if (!firstStart) {
        StartupInfo info;
        ASSERT_TRUE(CreateStartupInfo(info, folder.path()));
    }
}

std::map<std::string, std::vector<std::uint8_t>> snapshot(const std::string& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        files[e.path().string()]
            = e.is_regular_file() ? readBytes(e.path().string()) : std::vector<std::uint8_t> {};
    return files;
}

std::string refusal(const std::string& folder)
{
    const std::string program
        = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
    return std::string(strings::kFolderInUse) + "\r\n" + folder + "\r\n(" + program + ", process "
        + std::to_string(::getpid()) + ")\r\n" + strings::kFolderInUseAdvice;
}

// The second program says why under "Warning!", never shows its window and leaves the folder
// exactly as it found it: no startup record or history files made on a first start, no
// settings, no placement, no folders.
void expectRefused(const std::string& folder)
{
    const auto before = snapshot(folder);
    Program second;
    EXPECT_FALSE(second.start(folder));
    EXPECT_TRUE(second.runtime->folderRefused());
    ASSERT_EQ(second.prompter.shown.size(), 1u);
    EXPECT_EQ(second.prompter.shown[0].text, refusal(folder));
    EXPECT_EQ(second.prompter.shown[0].caption, strings::kWarning);
    EXPECT_EQ(second.prompter.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(second.runtime->frame().isVisible());
    QTest::qWait(50); // anything it might have posted
    second.runtime.reset(); // the program ends here

    EXPECT_EQ(snapshot(folder), before) << "nothing written";
}

TEST(OneProgramPerFolder, TheWindowHoldsItsFolderForItsWholeRun)
{
    TempFolder folder;
    prepareInstallation(folder, false);
    Program first;
    ASSERT_TRUE(first.start(folder.path()));
    EXPECT_EQ(FolderLock(folder.path()).take(0ms), FolderLockResult::InUse);

    expectRefused(folder.path());
    EXPECT_EQ(FolderLock(folder.path()).take(0ms), FolderLockResult::InUse)
        << "the refused program left the first one's hold alone";

    // The first program's quit still saves, and lets the folder go only when it ends.
    first.runtime->session().info.setUserName(2, "Edited");
    first.prompter.answers = { MessageAnswer::Yes };
    EXPECT_TRUE(first.runtime->frame().close());
    StartupInfo stored;
    ASSERT_EQ(ReadStartupInfo(stored, folder.path()), kStartupRead);
    EXPECT_EQ(stored.userName(2), "Edited");
    first.runtime.reset();
    EXPECT_FALSE(fileExists(folder.file(kFolderLockName)));

    Program third;
    EXPECT_TRUE(third.start(folder.path()));
    EXPECT_FALSE(third.runtime->folderRefused());
}

// A first start on a folder that a command-line tool is writing makes nothing of its own.
TEST(OneProgramPerFolder, AFirstStartOnAHeldFolderMakesNothing)
{
    TempFolder folder;
    prepareInstallation(folder, true);
    FolderLock tool(folder.path());
    ASSERT_EQ(tool.take(0ms), FolderLockResult::Taken);
    expectRefused(folder.path());
    EXPECT_FALSE(fileExists(folder.file("progdata/zelinf32.cfg")));
}

} // namespace
} // namespace quorvel::test
