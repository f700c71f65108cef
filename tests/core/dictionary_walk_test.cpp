// The filtered alphabetical walk over one bucket table: where it starts, how it goes round the
// ring of buckets, which records its criteria let through, and one lap of it.

#include "support/dictionary_test_support.h"

#include "dictionary/category_counts.h"
#include "dictionary/dictionary_walk.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

ListCriteria everyMainWord()
{
    ListCriteria c;
    c.category = 0;
    c.language = 1;
    c.minText = 1;
    c.maxText = 35;
    c.skipMismatch = 1;
    c.filterMode = 0;
    return c;
}

struct WalkResult
{
    std::vector<std::string> words;
    bool ended = false; // a call returned false
    std::uint16_t failed = 0;
};

// Calls WalkFirst, then WalkNext until it returns false or `calls` calls were made.
WalkResult walk(
    File& file, ListCriteria c, Table table, const std::string& start, int user, int calls = 50)
{
    WalkResult r;
    DictionaryWalk w;
    w.prepare(ReadTableOffset(file, table), start);
    c.failed = 0;
    bool more = WalkFirst(file, c, w, user);
    for (int i = 1; more; ++i) {
        r.words.push_back(w.word);
        if (i == calls)
            return r;
        more = WalkNext(file, c, w, user);
    }
    r.ended = true;
    r.failed = c.failed;
    return r;
}

TEST(DictionaryWalk, OneQualifyingWordIsReturnedOnceThenTheLapEnds)
{
    // Only CAT is a UK word that user 0 has not mastered.
    DictionaryOnDisk dict(buildDictionaryImage(
        { entry("CAT", 0, 1, 1), entry("DOG", 0, 1, 2), entry("COW", 0, 3, 3) }));
    auto file = dict.open();
    ListCriteria c = everyMainWord();
    DictionaryWalk w;
    w.prepare(kMainTable, "AARDVARK");
    ASSERT_TRUE(WalkFirst(*file, c, w, 0));
    EXPECT_EQ(w.word, "CAT");
    EXPECT_FALSE(WalkNext(*file, c, w, 0));
    EXPECT_EQ(c.failed, 0);
}

TEST(DictionaryWalk, StartAtZZZGoesOnWithBucketAA)
{
    const struct
    {
        std::vector<DictionaryEntry> entries;
        std::vector<std::string> expected;
    } cases[] = {
        { { entry("ABLE"), entry("ZOO") }, { "ABLE", "ZOO" } },
        { { entry("ABLE"), entry("ZOO"), entry("ZZZ") }, { "ZZZ", "ABLE", "ZOO" } },
    };
    for (const auto& c : cases) {
        DictionaryOnDisk dict(buildDictionaryImage(c.entries));
        auto file = dict.open();
        EXPECT_EQ(walk(*file, everyMainWord(), Table::Main, "ZZZ", 0, 3).words.front(),
            c.expected.front());
        const WalkLap lap = walkOneLap(*file, everyMainWord(), Table::Main, "ZZZ", 0);
        EXPECT_FALSE(lap.failed);
        EXPECT_EQ(lap.words, c.expected);
    }
}

// A lap from a word in the middle: the rest of its bucket, the buckets after it round the ring,
// and last the words of its own bucket that sort before it.
TEST(DictionaryWalk, LapFromAWordGoesRoundTheRingOnce)
{
    DictionaryOnDisk dict(buildDictionaryImage({ entry("ANT"), entry("CAT"), entry("DOE"),
        entry("DOG"), entry("DOGS"), entry("EEL"), entry("ZOO") }));
    auto file = dict.open();
    const WalkLap lap = walkOneLap(*file, everyMainWord(), Table::Main, "DOG", 0);
    EXPECT_FALSE(lap.failed);
    EXPECT_EQ(
        lap.words, (std::vector<std::string> { "DOG", "DOGS", "EEL", "ZOO", "ANT", "CAT", "DOE" }));
    // A start word that is not in the dictionary starts at the first word after it.
    EXPECT_EQ(walkOneLap(*file, everyMainWord(), Table::Main, "DOF", 0).words.front(), "DOG");
    EXPECT_EQ(walkOneLap(*file, everyMainWord(), Table::Main, "DOG", 0, 2).words,
        (std::vector<std::string> { "DOG", "DOGS" }));
}

TEST(DictionaryWalk, WithoutSkippingMismatchesEveryRecordIsReturned)
{
    // Category words of several categories, dialects, statuses and lengths.
    DictionaryOnDisk dict(buildDictionaryImage({ entry("ANT", 3, 3, 1), entry("BISON", 7, 0, 2),
        entry("CAMELOPARD", 9, 3, 0), entry("YAK", 3, 2, 3) }));
    auto file = dict.open();
    ListCriteria c;
    c.category = 5;
    c.language = 0;
    c.minText = 30;
    c.maxText = 31;
    c.filterMode = 0;
    c.skipMismatch = 0;
    const std::vector<std::string> all { "ANT", "BISON", "CAMELOPARD", "YAK" };
    EXPECT_EQ(walkOneLap(*file, c, Table::Category, "AARDVARK", 0).words, all);
    c.skipMismatch = 1;
    const WalkLap none = walkOneLap(*file, c, Table::Category, "AARDVARK", 0);
    EXPECT_TRUE(none.words.empty());
    EXPECT_FALSE(none.failed);
}

TEST(DictionaryWalk, CriteriaChooseTheWords)
{
    // User 1's statuses: ANT Mastered, BEE Failure, others Neutral. Dialects: BEE UK, CAT US.
    DictionaryOnDisk dict(buildDictionaryImage({ entry("ANT", 0, 3), entry("BEE", 0, 0, 1),
        entry("CAT", 0, 1, 2), entry("DINGO"), entry("ELEPHANT"), entry("MUSK", 4) }));
    auto file = dict.open();
    const struct
    {
        const char* name;
        std::int16_t language, minText, maxText;
        std::uint32_t filterMode;
        Table table;
        std::uint16_t category;
        std::vector<std::string> expected;
    } cases[] = {
        { "UK, not mastered", 1, 1, 35, 0, Table::Main, 0, { "BEE", "DINGO", "ELEPHANT" } },
        { "US, not mastered", 2, 1, 35, 0, Table::Main, 0, { "CAT", "DINGO", "ELEPHANT" } },
        { "UK, any status", 1, 1, 35, 1, Table::Main, 0, { "ANT", "BEE", "DINGO", "ELEPHANT" } },
        { "category only", 0, 1, 35, 2, Table::Main, 0,
            { "ANT", "BEE", "CAT", "DINGO", "ELEPHANT" } },
        { "four or five letters", 1, 2, 3, 0, Table::Main, 0, { "DINGO" } },
        { "three letters", 2, 1, 1, 1, Table::Main, 0, { "ANT", "CAT" } },
        { "a category", 1, 1, 35, 0, Table::Category, 4, { "MUSK" } },
        { "another category", 1, 1, 35, 0, Table::Category, 5, {} },
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        ListCriteria c = everyMainWord();
        c.language = k.language;
        c.minText = k.minText;
        c.maxText = k.maxText;
        c.filterMode = k.filterMode;
        c.category = k.category;
        const WalkLap lap = walkOneLap(*file, c, k.table, "AARDVARK", 1);
        EXPECT_FALSE(lap.failed);
        EXPECT_EQ(lap.words, k.expected);
    }
}

TEST(DictionaryWalk, ReturnsTheSoundFieldsOfTheRecord)
{
    DictionaryEntry owl = entry("OWL", 0, 1, 3, 321);
    owl.media = 1;
    owl.soundFlag = 1;
    DictionaryOnDisk dict(buildDictionaryImage({ entry("ANT"), owl }));
    auto file = dict.open();
    ListCriteria c = everyMainWord();
    DictionaryWalk w;
    w.prepare(kMainTable, "OWL");
    ASSERT_TRUE(WalkFirst(*file, c, w, 0));
    EXPECT_EQ(w.word, "OWL");
    EXPECT_EQ(c.outSoundIndex, 321);
    EXPECT_EQ(c.outMedia, 1);
    EXPECT_EQ(c.outSoundFlag, 1);
    ASSERT_TRUE(WalkNext(*file, c, w, 0));
    EXPECT_EQ(w.word, "ANT");
    EXPECT_EQ(w.previousWord, "OWL");
    EXPECT_EQ(c.outSoundIndex, 0);
    EXPECT_EQ(c.outSoundFlag, 0);
}

// The words per category that the category box shows: only the category table is read.
TEST(CategoryCounts, CountEachCategoryAndGiveNothingForADamagedTable)
{
    Bytes image = buildDictionaryImage({ entry("ANT"), entry("ROBIN", 7), entry("RAVEN", 7),
        entry("WREN", 7), entry("PARIS", 9), entry("ZEBU", 63), entry("ZZZ", 1) });
    DictionaryOnDisk dict(image);
    CategoryCounts expected {};
    expected[1] = 1;
    expected[7] = 3;
    expected[9] = 1;
    expected[63] = 1;
    {
        DictionaryHandle file = dict.open();
        ASSERT_TRUE(file);
        EXPECT_EQ(countCategoryWords(*file), expected);
    }
    EXPECT_EQ(countCategoryWords(dict.folder()), expected);
    EXPECT_FALSE(countCategoryWords(std::string()).has_value());
    EXPECT_FALSE(countCategoryWords(dict.folder() + "/none").has_value());

    // ROBIN's record linked to itself, or to a place outside the file: the count ends rather than
    // looping or reading beyond the file.
    const std::uint32_t head = u32At(image, kCategoryTable + slotOf("ROBIN"));
    for (const std::uint32_t next : { head, static_cast<std::uint32_t>(image.size() + 100) }) {
        SCOPED_TRACE(next);
        Bytes damaged = image;
        putU32(damaged, head, next);
        dict.reset(damaged);
        DictionaryHandle file = dict.open();
        ASSERT_TRUE(file);
        EXPECT_FALSE(countCategoryWords(*file).has_value());
    }
}

} // namespace
} // namespace quorvel::test
