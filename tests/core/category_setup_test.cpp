#include "app/session.h"
#include "config/startup_info.h"
#include "dictionary/category_setup.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "strings/category_strings.h"
#include "strings/users_strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// An installation with the default category names: Music (1) holds three words, one of them with
// a recording and all of them known to user 3; Science (2) holds one; slot 4 is free.
struct CategorySetupFixture : ::testing::Test
{
    TempFolder folder;
    Session session;
    FakePrompter prompter;
    std::string dictionaryPath;

    void SetUp() override
    {
        folder.makeProgdata();
        dictionaryPath = paths::dictionaryFile(folder.path());
        writeBytes(dictionaryPath,
            buildDictionaryImage({ entry("CAT"), entry("PIANO", 1, 2), entry("VIOLIN", 1, 3, 2, 5),
                entry("ZITHER", 1, 0), entry("ATOM", 2) }));
        FillStartupDefaults(session.info, folder.path());
        session.info.setDataFolder(folder.path());
        session.info.setDictionaryFolder(folder.path());
        session.info.setWorkingCategory(3, 1);
        ASSERT_TRUE(SaveStartupInfo(session.info));
        session.publishChanges();
    }
    void TearDown() override { FileFaults::reset(); }

    CategorySetupValues ask(int from, int to, const std::string& text) const
    {
        CategorySetupValues v = categorySetupOpening(session.info);
        v.from = from;
        v.to = to;
        v.fromText = text;
        return v;
    }
    StartupInfo saved() const
    {
        StartupInfo info;
        EXPECT_EQ(ReadStartupInfo(info, folder.path()), StartupRead::Read);
        return info;
    }
    // The word's attributes as the dictionary holds them; category -1 when it is not there.
    struct Word
    {
        int category = -1;
        int status3 = -1;
        int sound = -1;
    };
    Word word(const std::string& text) const
    {
        DictionaryHandle file = openDictionaryFile(dictionaryPath, false);
        CurrentWordInfo info;
        Word w;
        if (file && isFound(FindWord(*file, text, info))) {
            w.category = info.category();
            w.status3 = info.status(3);
            w.sound = info.soundIndex();
        }
        return w;
    }
    bool dictionarySound() const
    {
        DictionaryHandle file = openDictionaryFile(dictionaryPath, false);
        return file && checkDictionary(*file).ok;
    }
};

struct Refusal
{
    const char* name;
    CategoryAction action;
    int from, to;
    std::string text;
    const char* message; // the last message shown
    bool asked; // a Yes/No question came first (answered Yes)
};

TEST_F(CategorySetupFixture, BadRequestsAreRefusedWithTheirMessageAndChangeNothing)
{
    const std::string mainName = "Main Dictionary";
    const Refusal cases[] = {
        { "new on a named slot", CategoryAction::New, 1, 1, "Birds", strings::kUseRenameForNamed,
            false },
        { "new named Free", CategoryAction::New, 4, 1, "Free", strings::kCannotNameFree, false },
        { "new with no name", CategoryAction::New, 4, 1, "", strings::kCategoryNeedsCharacter,
            false },
        { "new named as the main dictionary", CategoryAction::New, 4, 1, mainName,
            strings::kCategoryNeedsCharacter, false },
        { "new with a name too long", CategoryAction::New, 4, 1, std::string(24, 'x'),
            strings::kCategoryNameLength, false },
        { "rename to the main dictionary", CategoryAction::Rename, 1, 1, mainName,
            strings::kCategoryNeedsCharacter, false },
        { "rename to Free", CategoryAction::Rename, 1, 1, "Free", strings::kCannotRenameFree,
            false },
        { "rename a free slot", CategoryAction::Rename, 4, 1, "Birds", strings::kCannotRenameFree,
            false },
        { "move into a named slot", CategoryAction::Move, 1, 2, "Music", strings::kCannotMoveFree,
            true },
        { "move a free slot", CategoryAction::Move, 4, 10, "Free", strings::kCannotMoveFree, true },
        { "combine into a free slot", CategoryAction::Combine, 1, 4, "Music",
            strings::kCannotMoveFree, true },
        { "combine into itself", CategoryAction::Combine, 1, 1, "Music",
            strings::kCategorySelectFirst, false },
        { "move from the main dictionary", CategoryAction::Move, 0, 4, mainName,
            strings::kCategorySelectFirst, false },
        { "delete with the name edited", CategoryAction::Delete, 1, 1, "Musik",
            strings::kCategorySelectFirst, true },
        { "delete a free slot", CategoryAction::Delete, 4, 1, "Free", strings::kCategorySelectFirst,
            true },
    };
    const Bytes dictionary = readBytes(dictionaryPath);
    const Bytes record = readBytes(paths::startupRecordFile(folder.path()));
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.shown.clear();
        prompter.answers = { MessageAnswer::Yes };
        const CategoryActionResult r
            = applyCategoryAction(session, c.action, ask(c.from, c.to, c.text), prompter);
        EXPECT_FALSE(r.namesChanged || r.wordsChanged);
        ASSERT_EQ(prompter.shown.size(), c.asked ? 2u : 1u);
        EXPECT_EQ(prompter.shown.back().text, c.message);
        if (c.asked) {
            EXPECT_EQ(prompter.shown.front().buttons, MessageButtons::YesNo);
        }
        EXPECT_EQ(readBytes(dictionaryPath), dictionary);
        EXPECT_EQ(readBytes(paths::startupRecordFile(folder.path())), record);
    }
}

TEST_F(CategorySetupFixture, NoToTheQuestionEndsTheActionUntouched)
{
    const Bytes dictionary = readBytes(dictionaryPath);
    for (CategoryAction a :
        { CategoryAction::Move, CategoryAction::Combine, CategoryAction::Delete }) {
        prompter.shown.clear();
        prompter.answers = { MessageAnswer::No };
        applyCategoryAction(
            session, a, ask(1, a == CategoryAction::Move ? 4 : 2, "Music"), prompter);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, strings::kCategoryAreYouSure);
    }
    EXPECT_EQ(prompter.shown[0].caption, "Delete  dictionary category.");
    EXPECT_EQ(readBytes(dictionaryPath), dictionary);
    EXPECT_EQ(session.info.categoryName(1), "Music");
}

TEST_F(CategorySetupFixture, NewAndRenameNameTheSlotAndSaveIt)
{
    int names = 0;
    QObject::connect(&session, &Session::categoriesChanged, [&] { ++names; });
    EXPECT_TRUE(applyCategoryAction(session, CategoryAction::New, ask(4, 1, "Birds"), prompter)
                    .namesChanged);
    EXPECT_TRUE(applyCategoryAction(session, CategoryAction::Rename, ask(1, 1, "free"), prompter)
                    .namesChanged);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(saved().categoryName(4), "Birds");
    EXPECT_EQ(saved().categoryName(1), "free");
    EXPECT_EQ(names, 2);
    // Names are compared case and all: a slot named "free" is a named slot.
    applyCategoryAction(session, CategoryAction::New, ask(1, 1, "Songs"), prompter);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kUseRenameForNamed);
}

TEST_F(CategorySetupFixture, MoveRenumbersEveryWordIntoTheFreeSlotAndTakesTheNameAlong)
{
    int dictionaryChanged = 0;
    QObject::connect(&session, &Session::dictionaryChanged, [&] { ++dictionaryChanged; });
    std::vector<bool> busy;
    prompter.answers = { MessageAnswer::Yes };
    const CategoryActionResult r = applyCategoryAction(session, CategoryAction::Move,
        ask(1, 4, "Music"), prompter, [&](bool on) { busy.push_back(on); });
    EXPECT_TRUE(r.namesChanged && r.wordsChanged);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].caption, "Move dictionary category.");
    EXPECT_EQ(prompter.shown[1].text, "Successful   = 3.  Unsuccessful  =  0");
    EXPECT_EQ(prompter.shown[1].caption, "Dictionary Count.");
    EXPECT_EQ(busy, (std::vector<bool> { true, false }));

    EXPECT_EQ(word("PIANO").category, 4);
    EXPECT_EQ(word("PIANO").status3, 2);
    EXPECT_EQ(word("VIOLIN").category, 4);
    EXPECT_EQ(word("VIOLIN").sound, 5);
    EXPECT_EQ(word("ZITHER").status3, 0);
    EXPECT_EQ(word("ATOM").category, 2);
    EXPECT_EQ(word("CAT").category, 0);
    EXPECT_TRUE(dictionarySound());

    const StartupInfo disk = saved();
    EXPECT_EQ(disk.categoryName(4), "Music");
    EXPECT_EQ(disk.categoryName(1), "Free");
    EXPECT_EQ(disk.workingCategory(3), 4); // the user who worked in Music still does
    EXPECT_GE(dictionaryChanged, 1);
}

TEST_F(CategorySetupFixture, CombineMovesTheWordsAndFreesTheSlot)
{
    prompter.answers = { MessageAnswer::Yes };
    applyCategoryAction(session, CategoryAction::Combine, ask(1, 2, "Music"), prompter);
    EXPECT_EQ(prompter.shown[0].caption, "Combine  dictionary categories.");
    for (const char* w : { "PIANO", "VIOLIN", "ZITHER", "ATOM" })
        EXPECT_EQ(word(w).category, 2) << w;
    EXPECT_EQ(word("VIOLIN").sound, 5);
    EXPECT_TRUE(dictionarySound());
    EXPECT_EQ(saved().categoryName(1), "Free");
    EXPECT_EQ(saved().categoryName(2), "Science");
}

TEST_F(CategorySetupFixture, DeleteRemovesTheWordsRecordingLinkFirstAndFreesTheSlot)
{
    prompter.answers = { MessageAnswer::Yes };
    applyCategoryAction(session, CategoryAction::Delete, ask(1, 1, "Music"), prompter);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "Successful   = 3.  Unsuccessful  =  0");
    for (const char* w : { "PIANO", "VIOLIN", "ZITHER" })
        EXPECT_EQ(word(w).category, -1) << w;
    EXPECT_EQ(word("ATOM").category, 2);
    EXPECT_TRUE(dictionarySound());
    EXPECT_EQ(saved().categoryName(1), "Free");
}

TEST_F(CategorySetupFixture, ADictionaryThatWillNotOpenLeavesTheNames)
{
    std::filesystem::remove(dictionaryPath);
    prompter.answers = { MessageAnswer::Yes };
    const CategoryActionResult r
        = applyCategoryAction(session, CategoryAction::Move, ask(1, 4, "Music"), prompter);
    EXPECT_FALSE(r.namesChanged);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "Unable to open dictionary files.");
    EXPECT_EQ(saved().categoryName(1), "Music");
    EXPECT_EQ(saved().categoryName(4), "Free");
}

TEST_F(CategorySetupFixture, AFailedWriteStopsTheMoveAndTheCategoryKeepsItsName)
{
    prompter.answers = { MessageAnswer::Yes };
    const Bytes record = readBytes(paths::startupRecordFile(folder.path()));
    // Every write of the dictionary fails.
    FileFaults::failFrom(FileOp::Write, 1);
    const CategoryActionResult r
        = applyCategoryAction(session, CategoryAction::Move, ask(1, 4, "Music"), prompter);
    FileFaults::reset();
    EXPECT_FALSE(r.namesChanged);
    EXPECT_EQ(session.info.categoryName(1), "Music");
    EXPECT_EQ(session.info.categoryName(4), "Free");
    EXPECT_EQ(readBytes(paths::startupRecordFile(folder.path())), record);
    // Every word is still there, in one category or the other, and the file is sound.
    for (const char* w : { "PIANO", "VIOLIN", "ZITHER" }) {
        const int c = word(w).category;
        EXPECT_TRUE(c == 1 || c == 4) << w;
    }
    EXPECT_TRUE(dictionarySound());
}

} // namespace
} // namespace quorvel::test
