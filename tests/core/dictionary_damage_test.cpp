// Damaged dictionary files: chains that come back on themselves or point where no record can
// lie, damaged and full free lists. Every operation must end with a file error (or, for the free
// list, simply not reuse space), never hang, never read outside the file, and never lose a word
// that was there.

#include "support/dictionary_test_support.h"

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "dictionary/dictionary_walk.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

// CAB and CAT share the CA chain; COW and DOG lie in other buckets.
Bytes sound()
{
    return buildDictionaryImage({ entry("CAB"), entry("CAT"), entry("COW"), entry("DOG") });
}

std::uint32_t recordOf(const Bytes& image, const std::string& word, int index = 0)
{
    std::uint32_t at = u32At(image, kMainTable + slotOf(word));
    for (int i = 0; i < index; ++i)
        at = u32At(image, at);
    return at;
}

struct Damage
{
    const char* name;
    std::function<void(Bytes&)> apply;
};

const std::vector<Damage>& chainDamages()
{
    static const std::vector<Damage> damages = {
        { "chain comes back on itself",
            [](Bytes& b) { putU32(b, recordOf(b, "CA", 1), recordOf(b, "CA", 0)); } },
        { "record points at itself",
            [](Bytes& b) { putU32(b, recordOf(b, "CA", 1), recordOf(b, "CA", 1)); } },
        { "link past the end of the file",
            [](Bytes& b) {
                putU32(b, recordOf(b, "CA", 1), static_cast<std::uint32_t>(b.size() + 1000));
            } },
        { "link into the header", [](Bytes& b) { putU32(b, recordOf(b, "CA", 1), 4); } },
        { "slot outside the file",
            [](Bytes& b) { putU32(b, kMainTable + slotOf("CA"), 0xFFFFFFF0u); } },
        { "record with an empty text",
            [](Bytes& b) {
                const std::uint32_t empty = appendRecord(b, kMainTable + slotOf("CA") + 4, "");
                putU32(b, recordOf(b, "CA", 1), empty);
            } },
        { "record cut off by the end of the file",
            [](Bytes& b) {
                putU32(b, recordOf(b, "CA", 1), static_cast<std::uint32_t>(b.size() - 4));
            } },
    };
    return damages;
}

TEST(DamagedChain, WordOperationsGiveAFileErrorAndChangeNothing)
{
    for (const Damage& d : chainDamages()) {
        SCOPED_TRACE(d.name);
        Bytes image = sound();
        d.apply(image);
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        ASSERT_TRUE(file);
        CurrentWordInfo info;
        // CAZ sorts after every text of the damaged chain, so each operation follows it to the
        // damage.
        EXPECT_EQ(FindWord(*file, "CAZ", info), DictResult::kFileError);
        EXPECT_EQ(AddWord(*file, "CAZ", info), DictResult::kFileError);
        EXPECT_EQ(AmendWord(*file, "CAZ", false, info), DictResult::kFileError);
        EXPECT_EQ(RemoveWord(*file, "CAZ"), DictResult::kFileError);
        CurrentWordInfo music = info;
        music.setCategory(1);
        EXPECT_EQ(AddWord(*file, "CAZ", music), DictResult::kFileError);
        EXPECT_EQ(dict.bytes(), image);
        // Other buckets are not affected.
        EXPECT_EQ(FindWord(*file, "DOG", info), DictResult::kDone);
        EXPECT_EQ(AddWord(*file, "DOGS", info), DictResult::kDone);
        EXPECT_EQ(FindWord(*file, "DOGS", info), DictResult::kDone);
    }
}

TEST(DamagedChain, PassesOverTheTableStopAndReportIt)
{
    for (const Damage& d : chainDamages()) {
        SCOPED_TRACE(d.name);
        Bytes image = sound();
        d.apply(image);
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        EXPECT_FALSE(forEachRecord(*file, kMainTable, true,
            [](std::uint32_t, std::uint32_t, const WordRecordHeader&, std::string_view) {
                return true;
            }));
        DictionaryStatistics stats;
        EXPECT_FALSE(collectDictionaryStatistics(*file, Table::Main, stats));
        EXPECT_FALSE(checkDictionary(*file).ok);
        // A reset that could not reach every word must not be reported with a total.
        EXPECT_EQ(ResetStatus(*file, kMainTable, 2, 0), -1);
    }
}

// The browser calls WalkNext again and again; a damaged chain must end the walk with its failed
// flag, not send it round the same records for ever.
TEST(DamagedChain, WalkEndsWithItsFailedFlag)
{
    for (const Damage& d : chainDamages()) {
        SCOPED_TRACE(d.name);
        Bytes image = sound();
        d.apply(image);
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        ListCriteria c;
        c.language = 1;
        c.skipMismatch = 0;
        DictionaryWalk w;
        w.prepare(kMainTable, "BAT");
        bool more = WalkFirst(*file, c, w, 0);
        int calls = 1;
        for (; more && calls < 20; ++calls)
            more = WalkNext(*file, c, w, 0);
        EXPECT_FALSE(more);
        EXPECT_EQ(c.failed, 1);
        EXPECT_TRUE(walkOneLap(*file, c, Table::Main, "AARDVARK", 0).failed);
    }
}

// --- free list -------------------------------------------------------------------------------

// A free list of one record with a text of three letters, which a new word of one letter
// (text length 1) can never reuse: a walk of the list for CAZ goes all the way along it.
Bytes withFreeList()
{
    Bytes image = sound();
    appendFreeList(image, 1, "QQQ");
    return image;
}

struct FreeListDamage
{
    const char* name;
    std::function<void(Bytes&)> apply;
    int freeRecordResult; // what appending to this list gives
};

TEST(DamagedFreeList, InsertAppendsInsteadOfReusingAndRemoveReportsIt)
{
    const FreeListDamage damages[] = {
        { "list comes back on itself", [](Bytes& b) { putU32(b, u32At(b, 8), u32At(b, 8)); },
            DictResult::kFileError },
        { "head past the end of the file",
            [](Bytes& b) { putU32(b, 8, static_cast<std::uint32_t>(b.size() + 100)); },
            DictResult::kFileError },
        { "head into the header", [](Bytes& b) { putU32(b, 8, 4); }, DictResult::kFileError },
        { "record cut off by the end of the file",
            [](Bytes& b) { putU32(b, 8, static_cast<std::uint32_t>(b.size() - 4)); },
            DictResult::kFileError },
        // Only the links of a free record matter when one is appended: its text does not.
        { "record with an empty text", [](Bytes& b) { putU32(b, 8, appendRecord(b, 12, "")); },
            DictResult::kDone },
    };
    for (const FreeListDamage& d : damages) {
        SCOPED_TRACE(d.name);
        Bytes image = withFreeList();
        d.apply(image);
        DictionaryOnDisk dict(image);
        {
            auto file = dict.open();
            EXPECT_EQ(TakeFreeRecord(*file, 1), dict::kNoOffset);
            EXPECT_EQ(dict.bytes(), image);

            CurrentWordInfo info;
            ASSERT_EQ(AddWord(*file, "CAZ", info), DictResult::kDone);
            EXPECT_EQ(file->size(), image.size() + 10 + 1 + 1);
            EXPECT_EQ(u32At(dict.bytes(), 8), u32At(image, 8)); // the list is left as it was
            EXPECT_EQ(tableContents(*file),
                (std::vector<std::string> { "M:CAB", "M:CAT", "M:CAZ", "M:COW", "M:DOG" }));

            // The removed word leaves its chain whatever happens to its record afterwards.
            EXPECT_EQ(RemoveWord(*file, "COW"), d.freeRecordResult);
            EXPECT_EQ(FindWord(*file, "COW", info), DictResult::kNotFound);
            EXPECT_EQ(FindWord(*file, "CAT", info), DictResult::kDone);
        }
    }
}

TEST(DamagedFreeList, FreeRecordRefusesARecordAlreadyOnTheList)
{
    Bytes image = withFreeList();
    const std::uint32_t onList = u32At(image, 8);
    DictionaryOnDisk dict(image);
    auto file = dict.open();
    EXPECT_EQ(FreeRecord(*file, onList), DictResult::kFileError);
    EXPECT_EQ(FreeRecord(*file, 4), DictResult::kFileError);
    EXPECT_EQ(dict.bytes(), image);
}

// The free list is walked to its tail before each append; the walk gives up at 1001 records.
TEST(FullFreeList, FreeRecordGivesZeroAndChangesNothing)
{
    for (int count : { 1000, 1001 }) {
        SCOPED_TRACE(count);
        Bytes image = sound();
        appendFreeList(image, count, "QQ");
        const std::uint32_t spare = appendRecord(image, 0, "QQ");
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        if (count == 1001) {
            EXPECT_EQ(FreeRecord(*file, spare), DictResult::kNotFound);
            EXPECT_EQ(dict.bytes(), image);
        } else {
            EXPECT_EQ(FreeRecord(*file, spare), DictResult::kDone);
            EXPECT_EQ(checkDictionary(*file).freeRecords, 1001u);
        }
    }
}

TEST(FullFreeList, RemoveAndMoveStillDoTheirWork)
{
    Bytes image = sound();
    appendFreeList(image, 1001, "QQ");
    DictionaryOnDisk dict(image);
    auto file = dict.open();
    CurrentWordInfo info;
    std::uint32_t cat = 0;
    ASSERT_EQ(FindWord(*file, "CAT", info, &cat), DictResult::kDone);
    info.setStatus(3, 0);
    info.setStatus(6, 3);
    ASSERT_TRUE(StoreWordInfo(*file, cat, info));

    // The word is gone from its chain: that is a removal, even if its space is not reused.
    EXPECT_EQ(RemoveWord(*file, "DOG"), DictResult::kDone);
    EXPECT_EQ(FindWord(*file, "DOG", info), DictResult::kNotFound);

    // A move must still reach the new table, or the word would be lost.
    CurrentWordInfo science;
    science.setCategory(3);
    EXPECT_EQ(AmendWord(*file, "CAT", false, science), DictResult::kDone);
    CurrentWordInfo found;
    ASSERT_EQ(FindWord(*file, "CAT", found), DictResult::kFoundInCategory);
    EXPECT_EQ(found.status(3), 0);
    EXPECT_EQ(found.status(6), 3);
    EXPECT_EQ(found.status(0), 1);

    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.freeRecords, 1001u);
    EXPECT_EQ(tableContents(*file), (std::vector<std::string> { "M:CAB", "M:COW", "C:CAT" }));
}

// Reuse looks at no more than 1002 free records: a fitting record further along is not found.
TEST(FreeListReuse, LooksAtNoMoreThan1002Records)
{
    for (int before : { 1001, 1002 }) {
        SCOPED_TRACE(before);
        Bytes image = sound();
        const std::uint32_t first = appendFreeList(image, before, "QQ");
        const std::uint32_t last = first + static_cast<std::uint32_t>(before - 1) * 13;
        const std::uint32_t fitting = appendRecord(image, 12, "Q");
        putU32(image, last, fitting);
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        EXPECT_EQ(TakeFreeRecord(*file, 1), before == 1001 ? fitting : dict::kNoOffset);
    }
}

} // namespace
} // namespace quorvel::test
