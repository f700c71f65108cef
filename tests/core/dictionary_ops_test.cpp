// Word-level dictionary operations: the result of each find, add, amend and remove, the moves
// between the two tables, the attributes of the current word, the record test and the status
// reset.

#include "support/dictionary_test_support.h"

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "dictionary/dictionary_walk.h"
#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace quorvel::test {
namespace {

// CAT and DOG (with a recorded sound) in the main dictionary, ZEBRA in category 3.
Bytes smallDictionary()
{
    return buildDictionaryImage(
        { entry("CAT"), entry("DOG", 0, 1, 3, 12), entry("ZEBRA", 3), entry("COW") });
}

CurrentWordInfo inCategory(std::uint16_t category)
{
    CurrentWordInfo info;
    info.setCategory(category);
    return info;
}

struct OperationCase
{
    const char* name;
    std::function<int(File&)> run;
    int expected;
    bool changesFile;
};

TEST(DictionaryOperations, ResultOfEachOperation)
{
    using R = std::function<int(File&)>;
    auto find = [](const char* w) -> R {
        return [w](File& f) {
            CurrentWordInfo info;
            return FindWord(f, w, info);
        };
    };
    auto add = [](const char* w, std::uint16_t category) -> R {
        return [w, category](File& f) {
            CurrentWordInfo info = inCategory(category);
            return AddWord(f, w, info);
        };
    };
    auto amend = [](const char* w, std::uint16_t category) -> R {
        return [w, category](File& f) {
            CurrentWordInfo info = inCategory(category);
            return AmendWord(f, w, false, info);
        };
    };
    auto remove = [](const char* w) -> R { return [w](File& f) { return RemoveWord(f, w); }; };

    const OperationCase cases[] = {
        { "find unsuitable", find("AB"), DictResult::kNotSuitable, false },
        { "find in main", find("cat"), DictResult::kDone, false },
        { "find in category", find("ZEBRA"), DictResult::kFoundInCategory, false },
        { "find absent", find("EMU"), DictResult::kNotFound, false },
        { "add unsuitable", add("A-B", 0), DictResult::kNotFound, false },
        { "add new", add("EMU", 0), DictResult::kDone, true },
        { "add new to a category", add("EMU", 3), DictResult::kDone, true },
        { "add again to main", add("CAT", 0), DictResult::kAlreadyThere, false },
        { "add main word to a category", add("CAT", 3), DictResult::kAlreadyThere, false },
        { "add category word to main", add("ZEBRA", 0), DictResult::kAlreadyThere, false },
        { "add again to categories", add("ZEBRA", 7), DictResult::kAlreadyThere, false },
        { "amend unsuitable", amend("AB", 0), DictResult::kNotFound, false },
        { "amend absent", amend("EMU", 0), DictResult::kNotFound, false },
        { "amend in place", amend("CAT", 0), DictResult::kDone, true },
        { "remove unsuitable", remove("AB"), DictResult::kNotSuitable, false },
        { "remove absent", remove("EMU"), DictResult::kNotFound, false },
        { "remove with a sound", remove("DOG"), DictResult::kSoundLinked, false },
        { "remove from main", remove("CAT"), DictResult::kDone, true },
        { "remove from a category", remove("ZEBRA"), DictResult::kDone, true },
    };
    const Bytes original = smallDictionary();
    DictionaryOnDisk dict(original);
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(c.name);
        dict.reset(original);
        {
            auto file = dict.open();
            ASSERT_TRUE(file);
            EXPECT_EQ(c.run(*file), c.expected);
            EXPECT_TRUE(checkDictionary(*file).ok);
        }
        if (!c.changesFile) {
            EXPECT_EQ(dict.bytes(), original);
        }
    }
}

TEST(DictionaryOperations, AddedWordGoesIntoTheTableOfItsCategory)
{
    DictionaryOnDisk dict(smallDictionary());
    auto file = dict.open();
    CurrentWordInfo main = inCategory(0);
    CurrentWordInfo music = inCategory(1);
    ASSERT_EQ(AddWord(*file, "EMU", main), DictResult::kDone);
    ASSERT_EQ(AddWord(*file, "CATS", music), DictResult::kDone);
    EXPECT_EQ(tableContents(*file),
        (std::vector<std::string> { "M:CAT", "M:COW", "M:DOG", "M:EMU", "C:CATS", "C:ZEBRA" }));
    CurrentWordInfo found;
    EXPECT_EQ(FindWord(*file, "CATS", found), DictResult::kFoundInCategory);
    EXPECT_EQ(found.category(), 1);
    EXPECT_EQ(found.addedMarker(), 1);
    for (int u = 0; u < 10; ++u)
        EXPECT_EQ(found.status(u), 1) << "user " << u;
}

// Gives each user a different status of the word, so that a status that does not travel with
// the word (or lands on another user) shows.
void setMixedStatuses(File& file, const char* word)
{
    CurrentWordInfo info;
    std::uint32_t offset = 0;
    ASSERT_GE(FindWord(file, word, info, &offset), DictResult::kDone);
    for (int u = 0; u < 10; ++u)
        info.setStatus(u, static_cast<std::uint16_t>((u * 3 + 1) % 4));
    ASSERT_TRUE(StoreWordInfo(file, offset, info));
}

void expectMixedStatuses(const CurrentWordInfo& info)
{
    for (int u = 0; u < 10; ++u)
        EXPECT_EQ(info.status(u), (u * 3 + 1) % 4) << "user " << u;
}

TEST(DictionaryOperations, CategoryMovesKeepTheTenStatuses)
{
    DictionaryOnDisk dict(smallDictionary());
    auto file = dict.open();
    setMixedStatuses(*file, "CAT");

    CurrentWordInfo science = inCategory(3);
    science.setLanguage(1);
    ASSERT_EQ(AmendWord(*file, "CAT", false, science), DictResult::kDone);
    CurrentWordInfo found;
    ASSERT_EQ(FindWord(*file, "CAT", found), DictResult::kFoundInCategory);
    EXPECT_EQ(found.category(), 3);
    EXPECT_EQ(found.language(), 1);
    expectMixedStatuses(found);
    EXPECT_EQ(
        tableContents(*file), (std::vector<std::string> { "M:COW", "M:DOG", "C:CAT", "C:ZEBRA" }));
    EXPECT_TRUE(checkDictionary(*file).ok);

    CurrentWordInfo main = inCategory(0);
    ASSERT_EQ(AmendWord(*file, "CAT", false, main), DictResult::kDone);
    ASSERT_EQ(FindWord(*file, "CAT", found), DictResult::kDone);
    EXPECT_EQ(found.category(), 0);
    expectMixedStatuses(found);
    EXPECT_EQ(
        tableContents(*file), (std::vector<std::string> { "M:CAT", "M:COW", "M:DOG", "C:ZEBRA" }));
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.mainWords, 3u);
    EXPECT_EQ(report.categoryWords, 1u);
}

TEST(DictionaryOperations, AmendInPlaceKeepsStatusesAndSetsTheSoundOnlyWhenAsked)
{
    DictionaryOnDisk dict(smallDictionary());
    auto file = dict.open();
    setMixedStatuses(*file, "DOG");

    CurrentWordInfo info;
    info.setLanguage(2);
    info.setMediaFlag(1);
    info.setSoundIndex(99);
    ASSERT_EQ(AmendWord(*file, "DOG", false, info), DictResult::kDone);
    CurrentWordInfo found;
    ASSERT_EQ(FindWord(*file, "DOG", found), DictResult::kDone);
    EXPECT_EQ(found.language(), 2);
    EXPECT_EQ(found.mediaFlag(), 1);
    EXPECT_EQ(found.soundIndex(), 12); // left alone
    expectMixedStatuses(found);

    ASSERT_EQ(AmendWord(*file, "DOG", true, info), DictResult::kDone);
    ASSERT_EQ(FindWord(*file, "DOG", found), DictResult::kDone);
    EXPECT_EQ(found.soundIndex(), 99);
    expectMixedStatuses(found);

    // A move with its sound carries the sound to the new table.
    CurrentWordInfo moved = inCategory(9);
    moved.setSoundIndex(99);
    ASSERT_EQ(AmendWord(*file, "DOG", true, moved), DictResult::kDone);
    ASSERT_EQ(FindWord(*file, "DOG", found), DictResult::kFoundInCategory);
    EXPECT_EQ(found.soundIndex(), 99);
    EXPECT_EQ(RemoveWord(*file, "DOG"), DictResult::kSoundLinked);
}

// A removed record keeps its place on the free list, and the next insert of a text of the same
// length takes it back instead of growing the file.
TEST(DictionaryOperations, RemoveThenAddOfSameTextLengthReusesTheRecord)
{
    const struct
    {
        const char* removed;
        const char* added;
    } cases[] = { { "CAT", "CAT" }, { "CAT", "EMU" }, { "ZEBRA", "ZEBRA" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.removed) + " then " + c.added);
        DictionaryOnDisk dict(smallDictionary());
        auto file = dict.open();
        CurrentWordInfo info;
        std::uint32_t before = 0;
        const int table = FindWord(*file, c.removed, info, &before);
        const std::uint64_t size = file->size();
        ASSERT_EQ(RemoveWord(*file, c.removed), DictResult::kDone);
        EXPECT_EQ(FindWord(*file, c.removed, info), DictResult::kNotFound);
        CurrentWordInfo added = inCategory(table == DictResult::kFoundInCategory ? 3 : 0);
        ASSERT_EQ(AddWord(*file, c.added, added), DictResult::kDone);
        std::uint32_t after = 0;
        ASSERT_GE(FindWord(*file, c.added, info, &after), DictResult::kDone);
        EXPECT_EQ(after, before);
        EXPECT_EQ(file->size(), size);
        EXPECT_TRUE(checkDictionary(*file).ok);
    }
}

TEST(DictionaryOperations, InsertOfAnotherLengthAppendsAndKeepsTheFreeRecord)
{
    DictionaryOnDisk dict(smallDictionary());
    auto file = dict.open();
    ASSERT_EQ(RemoveWord(*file, "CAT"), DictResult::kDone);
    const std::uint64_t size = file->size();
    CurrentWordInfo info;
    ASSERT_EQ(AddWord(*file, "CATTLE", info), DictResult::kDone);
    EXPECT_EQ(file->size(), size + 10 + 4 + 1);
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.freeRecords, 1u);
}

TEST(DictionaryOperations, StoreWordInfoChangesOnlyTheFlagBytes)
{
    DictionaryOnDisk dict(smallDictionary());
    const Bytes before = dict.bytes();
    std::uint32_t offset = 0;
    {
        auto file = dict.open();
        CurrentWordInfo info;
        ASSERT_EQ(FindWord(*file, "DOG", info, &offset), DictResult::kDone);
        info.setStatus(7, 3);
        info.setSoundIndex(4444); // not stored by StoreWordInfo
        ASSERT_TRUE(StoreWordInfo(*file, offset, info));
    }
    const Bytes after = dict.bytes();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == offset + 5)
            EXPECT_EQ(after[i], (before[i] & ~0xC0) | 0xC0); // user 7: bits 6-7 of byte 5
        else
            EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }
}

TEST(CurrentWordInfo, SettersIgnoreAndGettersRepairValuesOutOfRange)
{
    CurrentWordInfo info;
    EXPECT_EQ(info.language(), 3); // a stored 0 reads as both dialects
    info.setLanguage(4);
    EXPECT_EQ(info.language(), 3);
    info.setLanguage(1);
    EXPECT_EQ(info.language(), 1);
    info.setCategory(64);
    EXPECT_EQ(info.category(), 0);
    info.setCategory(63);
    EXPECT_EQ(info.category(), 63);
    info.setStatus(0, 4);
    EXPECT_EQ(info.status(0), 0);
    info.setStatus(10, 2);
    EXPECT_EQ(info.status(10), 0);
    info.setAddedMarker(2);
    EXPECT_EQ(info.addedMarker(), 0);
    info.setSoundFlag(2);
    EXPECT_EQ(info.soundFlag(), 0);
    info.setMediaFlag(4);
    EXPECT_EQ(info.mediaFlag(), 0);
    info.setMediaFlag(3);
    EXPECT_EQ(info.mediaFlag(), 3);
    info.setSoundIndex(65535);
    EXPECT_EQ(info.soundIndex(), 65535);
}

struct FilterCase
{
    int storedLanguage, storedCategory, userStatus;
    int language, category, status;
    std::uint32_t filterMode;
    int currentUser;
    bool passes;
};

TEST(MatchesFilter, LanguageCategoryAndStatusRules)
{
    const FilterCase cases[] = {
        // Category only: language and status are not looked at.
        { 0, 4, 3, 1, 4, 3, 2, 2, true },
        { 3, 4, 1, 1, 5, 3, 2, 2, false },
        // Language and category.
        { 1, 0, 3, 1, 0, 3, 1, 2, true },
        { 3, 0, 3, 1, 0, 3, 1, 2, true },
        { 2, 0, 1, 1, 0, 3, 1, 2, false },
        { 0, 0, 1, 1, 0, 3, 1, 2, false }, // a stored 0 passes neither dialect
        { 0, 0, 1, 2, 0, 3, 1, 2, false },
        { 2, 0, 1, 2, 0, 3, 1, 2, true },
        { 1, 0, 1, 2, 0, 3, 1, 2, false },
        { 3, 0, 1, 5, 0, 3, 1, 2, false }, // no other dialect passes anything
        { 3, 6, 1, 1, 0, 3, 1, 2, false },
        // And the current user's status: 3 asks for anything but Mastered.
        { 3, 0, 2, 1, 0, 3, 0, 2, true },
        { 3, 0, 3, 1, 0, 3, 0, 2, false },
        { 3, 0, 3, 1, 0, 3, 0, 10, true },
        { 3, 0, 0, 1, 0, 0, 0, 2, true },
        { 3, 0, 1, 1, 0, 0, 0, 2, false },
        { 3, 0, 0, 1, 0, 0, 0, 10, false },
        { 2, 0, 0, 1, 0, 0, 0, 2, false },
    };
    int row = 0;
    for (const FilterCase& c : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        WordRecordHeader header;
        header.setLanguage(c.storedLanguage);
        header.setCategory(c.storedCategory);
        for (int u = 0; u < 10; ++u)
            header.setStatus(u, u == 2 ? c.userStatus : (c.userStatus + 1) % 4);
        EXPECT_EQ(
            MatchesFilter(header, c.language, c.category, c.status, c.filterMode, c.currentUser),
            c.passes);
    }
}

// --- status reset ----------------------------------------------------------------------------

struct WordStatuses
{
    std::string word;
    std::array<int, 10> status;
};

std::vector<WordStatuses> allStatuses(File& file)
{
    std::vector<WordStatuses> out;
    for (Table t : { Table::Main, Table::Category }) {
        forEachRecord(file, ReadTableOffset(file, t), true,
            [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& h,
                std::string_view text) {
                WordStatuses w;
                char letters[2];
                BucketLetters(slot, letters);
                w.word = std::string(letters, 2) + std::string(text);
                for (int u = 0; u < 10; ++u)
                    w.status[static_cast<std::size_t>(u)] = h.status(u);
                out.push_back(w);
                return true;
            });
    }
    return out;
}

TEST(ResetStatus, SuccessChangesOnlyTheCurrentUserAndCountsEveryWord)
{
    std::vector<DictionaryEntry> entries;
    const char* words[] = { "ANT", "BEE", "CAT", "CATS", "DOG", "EMU", "GNU", "YAK", "ZEBRA" };
    int i = 0;
    for (const char* w : words) {
        entries.push_back(entry(w, i % 3 == 0 ? i + 1 : 0, i % 4));
        ++i;
    }
    DictionaryOnDisk dict(buildDictionaryImage(entries));
    auto file = dict.open();
    const std::vector<WordStatuses> before = allStatuses(*file);
    ASSERT_EQ(before.size(), std::size(words));

    const int user = 4;
    const long mainTotal = ResetStatus(*file, kMainTable, 2, user);
    const long categoryTotal = ResetStatus(*file, kCategoryTable, 2, user);
    EXPECT_EQ(mainTotal, 6);
    EXPECT_EQ(categoryTotal, 3);
    EXPECT_EQ(mainTotal + categoryTotal, static_cast<long>(std::size(words)));

    const std::vector<WordStatuses> after = allStatuses(*file);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t w = 0; w < after.size(); ++w) {
        SCOPED_TRACE(after[w].word);
        for (int u = 0; u < 10; ++u) {
            const auto k = static_cast<std::size_t>(u);
            EXPECT_EQ(after[w].status[k], u == user ? 2 : before[w].status[k]) << "user " << u;
        }
    }
    EXPECT_TRUE(checkDictionary(*file).ok);
}

TEST(ResetStatus, RefusesAUserSlotAboveNineAndReportsAFailedWrite)
{
    const Bytes original = buildDictionaryImage({ entry("CAT"), entry("DOG") });
    DictionaryOnDisk dict(original);
    auto file = dict.open();
    EXPECT_EQ(ResetStatus(*file, kMainTable, 1, 10), -1);
    EXPECT_EQ(dict.bytes(), original);

    FileFaults::failNth(FileOp::Write, 1);
    EXPECT_EQ(ResetStatus(*file, kMainTable, 1, 0), -1);
    FileFaults::reset();
}

} // namespace
} // namespace quorvel::test
