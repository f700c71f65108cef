// The dictionary's byte layout: the empty file, where a word's record goes and what its bytes
// hold, which words are suitable, and which files are refused as the working dictionary.

#include "support/dictionary_test_support.h"

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "platform/file_errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quorvel::test {
namespace {

// The golden empty dictionary: header 20/2724/12/0/0 and two tables whose slots each hold their
// own end marker, the last slot pointing back at its table. It catches a table put elsewhere, a
// chain ended with 0 or with the offset after the table, and a header field in the wrong place.
TEST(DictionaryFormat, EmptyDictionaryMatchesGoldenFile)
{
    EXPECT_EQ(buildDictionaryImage({}), readBytes(fixturePath("empty_dictionary.dis")));
}

TEST(DictionaryFormat, AdditionalDictionaryDiffersOnlyInItsKindField)
{
    Bytes expected = readBytes(fixturePath("empty_dictionary.dis"));
    ASSERT_EQ(expected.size(), kEmptyDictionarySize);
    putU32(expected, 16, 20);
    EXPECT_EQ(buildDictionaryImage({}, 20), expected);
}

struct Placement
{
    const char* word;
    std::uint32_t slot;
    const char* text;
};

// The first two letters choose the slot and are not stored; the last chain of a table ends with
// the table's own offset, every other chain with the offset of the slot after its own.
TEST(DictionaryFormat, AddedWordLiesInTheBucketOfItsFirstTwoLetters)
{
    const Placement cases[] = {
        { "AARDVARK", 0, "RDVARK" },
        { "ZZZ", 2700, "Z" },
        { "BEAR", 120, "AR" },
        { "DEAR", 328, "AR" },
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.word);
        DictionaryOnDisk dict(buildDictionaryImage({}));
        {
            auto file = dict.open();
            CurrentWordInfo info;
            ASSERT_EQ(AddWord(*file, c.word, info), DictResult::kDone);
        }
        const Bytes bytes = dict.bytes();
        const std::string text = c.text;
        ASSERT_EQ(bytes.size(), kEmptyDictionarySize + 10 + text.size() + 1);
        const std::uint32_t record = kEmptyDictionarySize;
        EXPECT_EQ(u32At(bytes, kMainTable + c.slot), record);
        const std::uint32_t end = c.slot == 2700 ? kMainTable : kMainTable + c.slot + 4;
        EXPECT_EQ(u32At(bytes, record), end);
        EXPECT_EQ(std::string(bytes.begin() + record + 10, bytes.end() - 1), text);
        EXPECT_EQ(bytes.back(), 0);
    }
}

TEST(DictionaryFormat, BearAndDearShareTheirTextButNotTheirBucket)
{
    DictionaryOnDisk dict(buildDictionaryImage({ entry("BEAR"), entry("DEAR") }));
    auto file = dict.open();
    CurrentWordInfo info;
    std::uint32_t bear = 0, dear = 0;
    ASSERT_EQ(FindWord(*file, "BEAR", info, &bear), DictResult::kDone);
    ASSERT_EQ(FindWord(*file, "DEAR", info, &dear), DictResult::kDone);
    EXPECT_NE(bear, dear);
    EXPECT_EQ(RemoveWord(*file, "BEAR"), DictResult::kDone);
    EXPECT_EQ(FindWord(*file, "DEAR", info), DictResult::kDone);
    EXPECT_EQ(FindWord(*file, "BEAR", info), DictResult::kNotFound);
}

// The ten header bytes of a new record: every status Neutral, the added marker set, the sound
// index 0, and language, category, media and sound flag taken from the current word. A shifted bit
// would put a word in the wrong dialect or category for every user.
TEST(DictionaryFormat, NewRecordBytesCarryTheCurrentWordsAttributes)
{
    DictionaryOnDisk dict(buildDictionaryImage({}));
    CurrentWordInfo info;
    info.setLanguage(2);
    info.setCategory(5);
    info.setMediaFlag(1);
    info.setSoundFlag(1);
    info.setSoundIndex(77); // not taken by an add
    {
        auto file = dict.open();
        ASSERT_EQ(AddWord(*file, "CAT", info), DictResult::kDone);
    }
    const Bytes bytes = dict.bytes();
    const std::uint32_t record = kEmptyDictionarySize;
    EXPECT_EQ(u32At(bytes, kCategoryTable + slotOf("CAT")), record);
    EXPECT_EQ(u32At(bytes, kMainTable + slotOf("CAT")), kMainTable + slotOf("CAT") + 4);
    const Bytes header(bytes.begin() + record + 4, bytes.begin() + record + 10);
    // 0x55: four Neutral statuses. 0x35: users 8 and 9 Neutral, added marker, media 1, language
    // low bit 0. 0x8B: language high bit, category 5, sound on. Then sound index 0.
    EXPECT_EQ(header, (Bytes { 0x55, 0x55, 0x35, 0x8B, 0x00, 0x00 }));
}

// Within a chain a text sorts before any longer text that begins with it.
TEST(DictionaryFormat, ShorterTextComesFirstInItsChain)
{
    DictionaryOnDisk dict(buildDictionaryImage({}));
    {
        auto file = dict.open();
        CurrentWordInfo info;
        ASSERT_EQ(AddWord(*file, "CATS", info), DictResult::kDone);
        ASSERT_EQ(AddWord(*file, "CAT", info), DictResult::kDone);
    }
    const Bytes bytes = dict.bytes();
    const std::uint32_t first = u32At(bytes, kMainTable + slotOf("CA"));
    EXPECT_EQ(bytes[first + 10], 'T');
    EXPECT_EQ(bytes[first + 11], 0);
    const std::uint32_t second = u32At(bytes, first);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + second + 10)), "TS");
    EXPECT_EQ(u32At(bytes, second), kMainTable + slotOf("CA") + 4);
}

struct WordCheck
{
    const char* input;
    bool suitable;
    const char* stored; // the upper-cased word when suitable
};

TEST(CheckWord, AcceptsThreeToThirtySevenLettersAToZ)
{
    const std::string letters37(37, 'Q');
    const std::string letters38(38, 'Q');
    const WordCheck cases[] = {
        { "AB", false, "" },
        { "ABC", true, "ABC" },
        { letters37.c_str(), true, letters37.c_str() },
        { letters38.c_str(), false, "" },
        { "well-known", false, "" },
        { "DON'T", false, "" },
        { "R2D2X", false, "" },
        { "ICE CREAM", false, "" },
        { "CAF\xC3\x89", false, "" }, // accented letter in UTF-8
        { "CAF\xC9", false, "" }, // the same letter as one 8-bit byte
        { "cat", true, "CAT" },
        { "MiXeD", true, "MIXED" },
    };
    for (const WordCheck& c : cases) {
        SCOPED_TRACE(c.input);
        std::string word = c.input;
        EXPECT_EQ(CheckWord(word), c.suitable);
        if (c.suitable) {
            EXPECT_EQ(word, c.stored);
        }
    }
}

TEST(CheckWord, LowerCaseWordIsStoredUpperCase)
{
    DictionaryOnDisk dict(buildDictionaryImage({}));
    auto file = dict.open();
    CurrentWordInfo info;
    ASSERT_EQ(AddWord(*file, "zebra", info), DictResult::kDone);
    EXPECT_EQ(tableContents(*file), (std::vector<std::string> { "M:ZEBRA" }));
    EXPECT_EQ(FindWord(*file, "Zebra", info), DictResult::kDone);
}

TEST(Buckets, SlotOffsetsAndLetters)
{
    EXPECT_EQ(BucketOffset("AARDVARK"), 0u);
    EXPECT_EQ(BucketOffset("ZZZ"), 2700u);
    EXPECT_EQ(BucketOffset("BA"), 104u);
    EXPECT_EQ(BucketOffset("A"), dict::kNoOffset);
    EXPECT_EQ(BucketOffset("aa"), dict::kNoOffset);
    EXPECT_EQ(BucketOffset("A1"), dict::kNoOffset);

    char letters[2] = {};
    ASSERT_TRUE(BucketLetters(0, letters));
    EXPECT_EQ(std::string(letters, 2), "AA");
    ASSERT_TRUE(BucketLetters(2700, letters));
    EXPECT_EQ(std::string(letters, 2), "ZZ");
    ASSERT_TRUE(BucketLetters(104, letters));
    EXPECT_EQ(std::string(letters, 2), "BA");
    EXPECT_FALSE(BucketLetters(2704, letters));
}

// --- opening ---------------------------------------------------------------------------------

TEST(OpenDictionary, OpensTheWorkingDictionaryAndNotesIt)
{
    DictionaryOnDisk dict(buildDictionaryImage({ entry("CAT") }));
    StartupInfo info;
    info.setDictionaryFolder(dict.folder());
    auto file = OpenDictionary(info);
    ASSERT_TRUE(file);
    EXPECT_EQ(info.dictionaryOpened(), 1);
    CurrentWordInfo word;
    EXPECT_EQ(FindWord(*file, "CAT", word), DictResult::kDone);
    EXPECT_TRUE(CloseDictionary(file));
    EXPECT_FALSE(file);
}

TEST(OpenDictionary, RefusesWhatIsNotAWorkingDictionary)
{
    const Bytes additional = buildDictionaryImage({ entry("CAT") }, 20);
    const struct
    {
        const char* name;
        Bytes bytes;
    } cases[] = {
        { "shorter than a header", Bytes(19, 0) },
        { "empty", Bytes {} },
        { "additional dictionary", additional },
        { "text, not a dictionary",
            [] {
                const std::string text = "This is a letter to the editor, not a dictionary.\n";
                return Bytes(text.begin(), text.end());
            }() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DictionaryOnDisk dict(c.bytes);
        StartupInfo info;
        info.setDictionaryFolder(dict.folder());
        EXPECT_FALSE(OpenDictionary(info));
        EXPECT_EQ(dict.bytes(), c.bytes);
    }
    // The importer reads additional dictionaries; only the working one refuses them.
    DictionaryOnDisk dict(additional);
    EXPECT_TRUE(openDictionaryFile(dict.path(), true));
}

TEST(OpenDictionary, FailsWithoutFolderOrFile)
{
    StartupInfo info;
    EXPECT_FALSE(OpenDictionary(info));
    TempFolder folder;
    info.setDictionaryFolder(folder.path());
    EXPECT_FALSE(OpenDictionary(info));
}

// A file whose header names tables that are not there is refused at open; the operations,
// handed such a file all the same, find nothing, change nothing and say so.
TEST(OpenDictionary, FileThatIsNotADictionaryGivesFileErrors)
{
    const std::string text = "This is a letter to the editor, not a dictionary.\n";
    const Bytes bytes(text.begin(), text.end());
    DictionaryOnDisk dict(bytes);
    EXPECT_FALSE(openDictionaryFile(dict.path(), true));
    auto file = File::open(dict.path(), OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    CurrentWordInfo info;
    EXPECT_EQ(FindWord(*file, "LETTER", info), DictResult::kFileError);
    EXPECT_EQ(AddWord(*file, "LETTER", info), DictResult::kFileError);
    EXPECT_EQ(AmendWord(*file, "LETTER", false, info), DictResult::kFileError);
    EXPECT_EQ(RemoveWord(*file, "LETTER"), DictResult::kFileError);
    EXPECT_EQ(ReadTableOffset(*file, Table::Main), dict::kNoOffset);
    EXPECT_EQ(dict.bytes(), bytes);
}

// Records and tables are located by 32-bit offsets. In a file of 4 GiB or more a table can lie
// where its slot offsets wrap round: adding a word once wrote its link into the header. Such a
// file is refused at open, its tables are refused by anything handed it all the same, and the
// check says why.
TEST(OpenDictionary, FileOfFourGibibytesOrMoreIsRefused)
{
    constexpr std::uint64_t kFourGiB = std::uint64_t(1) << 32;
    constexpr std::uint32_t kHighTable = 0xFFFFFF00u; // slot 64 (CM) and after lie past 4 GiB
    Bytes head = buildDictionaryImage({ entry("CAT") });
    putU32(head, 0, kHighTable);
    DictionaryOnDisk dict(head);
    // A sparse file: the high table holds the end markers as 32-bit sums give them.
    std::filesystem::resize_file(dict.path(), kFourGiB + 4096);
    {
        std::fstream out(dict.path(), std::ios::in | std::ios::out | std::ios::binary);
        Bytes table(dict::kTableBytes);
        for (std::uint32_t s = 0; s <= dict::kLastSlotOffset; s += 4)
            putU32(table, s, dict::endMarker(kHighTable, s));
        out.seekp(static_cast<std::streamoff>(kHighTable));
        out.write(reinterpret_cast<const char*>(table.data()),
            static_cast<std::streamsize>(table.size()));
        ASSERT_TRUE(out.good());
    }
    int error = 0;
    EXPECT_FALSE(openDictionaryFile(dict.path(), true, &error));
    EXPECT_EQ(error, FileError::kBadFormat);
    StartupInfo info;
    info.setDictionaryFolder(dict.folder());
    EXPECT_FALSE(OpenDictionary(info));

    auto file = File::open(dict.path(), OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadTableOffset(*file, Table::Main), dict::kNoOffset);
    CurrentWordInfo word;
    EXPECT_EQ(AddWord(*file, "CMOS", word), DictResult::kFileError);
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_FALSE(report.ok);
    ASSERT_FALSE(report.problems.empty());
    EXPECT_NE(report.problems.front().find("32-bit"), std::string::npos) << report.problems.front();
    file->close();
    Bytes after(head.size());
    {
        std::ifstream in(dict.path(), std::ios::binary);
        in.read(reinterpret_cast<char*>(after.data()), static_cast<std::streamsize>(after.size()));
    }
    EXPECT_EQ(after, head) << "the header and the words are as they were";

    // One byte less than 4 GiB is still within reach.
    Bytes low = buildDictionaryImage({ entry("CAT") });
    DictionaryOnDisk lowDict(low);
    std::filesystem::resize_file(lowDict.path(), kFourGiB - 1);
    auto lowFile = openDictionaryFile(lowDict.path(), false);
    ASSERT_TRUE(lowFile);
    EXPECT_EQ(FindWord(*lowFile, "CAT", word), DictResult::kDone);
}

} // namespace
} // namespace quorvel::test
