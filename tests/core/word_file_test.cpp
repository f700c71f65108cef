// The user's word file: the bytes of a finished list, the rules for finishing one, reading it
// back (also when it is damaged), failures while a list is built, and the status changes at the
// end of a first pass.

#include "support/dictionary_test_support.h"

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

class WordFileTest : public ::testing::Test
{
protected:
    void SetUp() override { folder.makeProgdata(); }
    std::string path(int slot = 0) const
    {
        return folder.file("progdata/worduse" + std::to_string(slot) + ".wrd");
    }
    std::unique_ptr<WordFile> create(int slot = 0)
    {
        return WordFile::open(folder.path(), slot, OpenMode::Create);
    }
    std::unique_ptr<WordFile> update(int slot = 0)
    {
        return WordFile::open(folder.path(), slot, OpenMode::ReadWrite);
    }

    // The three-word list of the golden file: CAT, DOG (with a sound) and ZEBRA, drawn as a
    // Random list of ten asked from the main table.
    static std::vector<WordFileRecord> threeWords()
    {
        std::vector<WordFileRecord> records;
        const char* words[] = { "CAT", "DOG", "ZEBRA" };
        for (std::uint32_t i = 0; i < 3; ++i) {
            WordFileRecord r;
            r.word = words[i];
            r.bucketOffset = slotOf(words[i]);
            r.dictionaryOffset = kEmptyDictionarySize + 12 * i;
            if (i == 1) {
                r.soundIndex = 7;
                r.media = 1;
                r.soundFlag = 1;
            }
            records.push_back(r);
        }
        return records;
    }
    void buildThreeWordList(WordFile& file, int finishedCount = 3)
    {
        const std::vector<WordFileRecord> records = threeWords();
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_TRUE(file.appendListRecord(static_cast<int>(i), records[i],
                ListState::kFreshDictionary, kMainTable, 10, ListType::Random));
        }
        if (finishedCount > 0) {
            ASSERT_TRUE(
                file.finishList(finishedCount, ListType::Random, ListState::kFreshDictionary));
        }
    }

    TempFolder folder;
};

// The golden three-word list: header 14 / state 1 / table 20 / count 3 / type 1, records back to
// back at 14, 120 and 226, each carrying its index, the asked size and the next record's offset,
// the last one 0xFFFFFFFF. It catches a field at the wrong offset, a header that keeps the asked
// count instead of the words found, a placeholder left between records, and a list without an
// end.
TEST_F(WordFileTest, FinishedListMatchesGoldenFile)
{
    auto file = create();
    ASSERT_TRUE(file);
    buildThreeWordList(*file);
    ASSERT_TRUE(file->close());
    EXPECT_EQ(readBytes(path()), readBytes(fixturePath("word_list_3.wrd")));
}

// A list made whole in memory and saved in one replacement has the same bytes; an empty one holds
// no list.
TEST_F(WordFileTest, ListSavedWholeMatchesGoldenFile)
{
    writeBytes(path(), Bytes(500, 0xEE)); // an old, longer file goes whole
    const WordListImage list { threeWords(), ListState::kFreshDictionary, kMainTable, 10,
        listTypeNumber(ListType::Random) };
    ASSERT_TRUE(saveWordList(folder.path(), 0, list));
    EXPECT_EQ(readBytes(path()), readBytes(fixturePath("word_list_3.wrd")));

    ASSERT_TRUE(saveWordList(folder.path(), 0, WordListImage {}));
    Bytes noList(kWordFileHeaderSize, 0);
    noList[0] = 14; // the first offset; state, count and type 0
    EXPECT_EQ(readBytes(path()), noList);
    EXPECT_FALSE(saveWordList(folder.path(), 10, list));
    EXPECT_FALSE(saveWordList("", 0, list));
}

TEST_F(WordFileTest, FinishedListReadsBack)
{
    writeBytes(path(), readBytes(fixturePath("word_list_3.wrd")));
    auto file = update();
    ASSERT_TRUE(file);
    WordFileHeader header;
    ASSERT_TRUE(file->readHeader(header));
    EXPECT_EQ(header, (WordFileHeader { 14, 1, kMainTable, 3, 1 }));
    EXPECT_EQ(file->readState(), ListState::kFreshDictionary);
    std::vector<WordFileEntry> entries;
    ASSERT_TRUE(file->readList(entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].offset, 14u);
    EXPECT_EQ(entries[1].offset, 120u);
    EXPECT_EQ(entries[2].offset, 226u);
    EXPECT_EQ(entries[1].record.word, "DOG");
    EXPECT_EQ(entries[1].record.soundIndex, 7);
    EXPECT_EQ(entries[1].record.bucketOffset, slotOf("DO"));
    EXPECT_EQ(entries[2].record.index, 2);
    EXPECT_EQ(entries[2].record.askedSize, 10);
    EXPECT_EQ(entries[2].record.next, kWordFileLastRecord);

    // The drill records an answer in place.
    WordFileRecord answered = entries[1].record;
    answered.answer = "DOGG";
    answered.attempts = 2;
    EXPECT_EQ(file->writeRecord(120, answered), 226u);
    WordFileRecord read;
    ASSERT_TRUE(file->readRecord(120, read));
    EXPECT_EQ(read, answered);
}

TEST_F(WordFileTest, StateOutsideTheKnownValuesReadsAsNoList)
{
    const Bytes golden = readBytes(fixturePath("word_list_3.wrd"));
    for (int state : { 0, 1, 2, 3, 4, 5, 8, 16, 0xFFFF }) {
        SCOPED_TRACE(state);
        Bytes bytes = golden;
        bytes[4] = static_cast<std::uint8_t>(state);
        bytes[5] = static_cast<std::uint8_t>(state >> 8);
        writeBytes(path(), bytes);
        auto file = update();
        const bool known = state == 1 || state == 2 || state == 4 || state == 8;
        EXPECT_EQ(file->readState(), known ? state : 0);
    }
}

TEST_F(WordFileTest, FinishingFailsUnlessEachRecordCarriesItsIndex)
{
    const struct
    {
        const char* name;
        int count, state;
        std::uint16_t indexOfSecond;
        bool finishes;
    } cases[] = {
        { "as built", 3, 1, 1, true },
        { "fewer than built", 2, 1, 1, true },
        { "record 1 carries index 5", 3, 1, 5, false },
        { "more than built", 4, 1, 1, false },
        { "no records", 0, 1, 1, false },
        { "unknown state", 3, 3, 1, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto file = create();
        buildThreeWordList(*file, 0);
        WordFileRecord second;
        ASSERT_TRUE(file->readRecord(120, second));
        second.index = c.indexOfSecond;
        ASSERT_NE(file->writeRecord(120, second), 0u);
        const Bytes before = readBytes(path());
        EXPECT_EQ(file->finishList(c.count, ListType::Random, c.state), c.finishes);
        if (c.finishes) {
            std::vector<WordFileEntry> entries;
            ASSERT_TRUE(file->readList(entries));
            EXPECT_EQ(entries.size(), static_cast<std::size_t>(c.count));
            WordFileHeader header;
            ASSERT_TRUE(file->readHeader(header));
            EXPECT_EQ(header.count, c.count);
        } else {
            EXPECT_EQ(readBytes(path()), before);
        }
    }
}

TEST_F(WordFileTest, ChainThatDoesNotEndInsideTheFileCannotBeRead)
{
    const Bytes golden = readBytes(fixturePath("word_list_3.wrd"));
    const struct
    {
        const char* name;
        std::uint32_t lastNext;
    } cases[] = {
        { "comes back to the first record", 14 },
        { "points at itself", 226 },
        { "points past the end", 5000 },
        { "points into the header", 4 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = golden;
        putU32(bytes, 226 + 102, c.lastNext);
        writeBytes(path(), bytes);
        auto file = update();
        std::vector<WordFileEntry> entries;
        EXPECT_FALSE(file->readList(entries));
        EXPECT_NE(file->findWord("ZEBU"), WordFile::Lookup::Listed);
    }
}

TEST_F(WordFileTest, FindWordTellsDuplicatesAndReadErrors)
{
    writeBytes(path(), readBytes(fixturePath("word_list_3.wrd")));
    auto file = update();
    EXPECT_EQ(file->findWord("DOG"), WordFile::Lookup::Listed);
    EXPECT_EQ(file->findWord("ZEBRA"), WordFile::Lookup::Listed);
    EXPECT_EQ(file->findWord("DO"), WordFile::Lookup::NotListed);
    EXPECT_EQ(file->findWord("EMU"), WordFile::Lookup::NotListed);
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE("read " + std::to_string(n) + " fails");
        FileFaults::reset();
        FileFaults::failNth(FileOp::Read, n);
        EXPECT_EQ(file->findWord("EMU"), WordFile::Lookup::ReadError);
        FileFaults::reset();
    }
}

TEST_F(WordFileTest, OpenRefusesSlotsOutsideZeroToNineAndAnEmptyFolder)
{
    EXPECT_FALSE(WordFile::open(folder.path(), 10, OpenMode::Create));
    EXPECT_FALSE(WordFile::open(folder.path(), -1, OpenMode::Create));
    EXPECT_FALSE(WordFile::open("", 0, OpenMode::Create));
    EXPECT_FALSE(WordFile::open(folder.path(), 0, OpenMode::ReadOnly)); // not there yet
    EXPECT_TRUE(WordFile::open(folder.path(), 9, OpenMode::Create));
    EXPECT_TRUE(fileExists(path(9)));
}

TEST_F(WordFileTest, InvalidatingAllTouchesOnlyTheStateOfFilesThatExist)
{
    const Bytes golden = readBytes(fixturePath("word_list_3.wrd"));
    writeBytes(path(0), golden);
    writeBytes(path(3), golden);
    EXPECT_TRUE(invalidateAllWordFiles(folder.path()));
    for (int slot : { 0, 3 }) {
        Bytes expected = golden;
        expected[4] = expected[5] = 0;
        EXPECT_EQ(readBytes(path(slot)), expected);
    }
    EXPECT_FALSE(fileExists(path(1)));
    EXPECT_FALSE(fileExists(path(9)));
}

// A write or seek that fails while record 2 is appended ends the append with false; the records
// written before it, and the header, are as they were.
TEST_F(WordFileTest, FailedAppendKeepsTheRecordsBeforeIt)
{
    WordFileRecord third;
    third.word = "ZEBRA";
    for (FileOp op : { FileOp::Seek, FileOp::Write }) {
        for (int n = 1; n <= 2; ++n) {
            SCOPED_TRACE(std::string(op == FileOp::Seek ? "seek " : "write ") + std::to_string(n));
            auto file = create();
            const char* words[] = { "CAT", "DOG" };
            for (int i = 0; i < 2; ++i) {
                WordFileRecord r;
                r.word = words[i];
                ASSERT_TRUE(
                    file->appendListRecord(i, r, ListState::kFreshWindow, 0, 3, ListType::Window));
            }
            const Bytes before = readBytes(path());
            FileFaults::reset();
            FileFaults::failNth(op, n);
            EXPECT_FALSE(
                file->appendListRecord(2, third, ListState::kFreshWindow, 0, 3, ListType::Window));
            FileFaults::reset();
            const Bytes after = readBytes(path());
            ASSERT_GE(after.size(), before.size());
            EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
            std::vector<WordFileEntry> entries;
            ASSERT_TRUE(file->readList(entries, 2));
            EXPECT_EQ(entries[0].record.word, "CAT");
            EXPECT_EQ(entries[1].record.word, "DOG");
        }
    }
}

// --- the end of a first pass -----------------------------------------------------------------

class ListResults : public WordFileTest
{
protected:
    struct Case
    {
        const char* word;
        int oldStatus;
        bool correct;
        int newStatus;
    };

    void SetUp() override
    {
        WordFileTest::SetUp();
        info.setDictionaryFolder(folder.path());
        info.setDataFolder(folder.path());
    }

    // A dictionary holding the words with `oldStatus` for every user, and a finished list of them
    // with the given answers, as the end of a drill's first pass finds it (still fresh).
    void makeListAndDictionary(const std::vector<Case>& cases)
    {
        std::vector<DictionaryEntry> entries;
        for (const Case& c : cases)
            entries.push_back(entry(c.word, 0, c.oldStatus));
        writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage(entries));
        auto dictionary = OpenDictionary(info);
        ASSERT_TRUE(dictionary);
        auto list = create(kUser);
        ASSERT_TRUE(list);
        int i = 0;
        for (const Case& c : cases) {
            CurrentWordInfo word;
            std::uint32_t offset = 0;
            ASSERT_EQ(FindWord(*dictionary, c.word, word, &offset), FindResult::InMain);
            WordFileRecord r;
            r.word = c.word;
            r.dictionaryOffset = offset;
            r.result = c.correct ? 1 : 0;
            ASSERT_TRUE(list->appendListRecord(i++, r, ListState::kFreshDictionary, kMainTable,
                static_cast<int>(cases.size()), ListType::Random));
        }
        ASSERT_TRUE(list->finishList(
            static_cast<int>(cases.size()), ListType::Random, ListState::kFreshDictionary));
    }

    CurrentWordInfo lookUp(const char* word)
    {
        auto dictionary = OpenDictionary(info);
        CurrentWordInfo found;
        EXPECT_EQ(FindWord(*dictionary, word, found), FindResult::InMain);
        return found;
    }

    static constexpr int kUser = 3;
    StartupInfo info;
};

TEST_F(ListResults, EachWordMovesOneRungForTheCurrentUserOnly)
{
    const std::vector<Case> cases = {
        { "ANT", 0, true, 1 },
        { "BEE", 0, false, 0 },
        { "CAT", 1, true, 2 },
        { "DOG", 1, false, 0 },
        { "EMU", 2, true, 3 },
        { "FOX", 2, false, 1 },
        { "GNU", 3, true, 3 },
        { "HEN", 3, false, 3 },
    };
    makeListAndDictionary(cases);
    auto list = update(kUser);
    ASSERT_TRUE(ApplyListResults(*list, info, kUser));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const CurrentWordInfo word = lookUp(c.word);
        for (int u = 0; u < 10; ++u)
            EXPECT_EQ(word.status(u), u == kUser ? c.newStatus : c.oldStatus) << "user " << u;
    }
}

TEST_F(ListResults, ListThatNoLongerMatchesTheDictionaryChangesNothing)
{
    makeListAndDictionary({ { "ANT", 1, true, 2 }, { "BEE", 1, true, 2 } });
    const std::string dictionaryPath = folder.file("progdata/sonddict.dis");
    const Bytes dictionaryBefore = readBytes(dictionaryPath);
    {
        auto list = update(kUser);
        WordFileRecord second;
        ASSERT_TRUE(list->readRecord(120, second));
        second.dictionaryOffset = static_cast<std::uint32_t>(dictionaryBefore.size() + 40);
        ASSERT_NE(list->writeRecord(120, second), 0u);
        EXPECT_FALSE(ApplyListResults(*list, info, kUser));
    }
    EXPECT_EQ(readBytes(dictionaryPath), dictionaryBefore);

    // Nor does a list without a dictionary to apply it to.
    info.setDictionaryFolder(folder.file("nowhere"));
    auto list = update(kUser);
    EXPECT_FALSE(ApplyListResults(*list, info, kUser));
}

// The writes are: the list marked used up, then ANT's status, then BEE's. Each is retried once.
// The list's mark is synced before the first status is written.
TEST_F(ListResults, FailedWriteIsRetriedOnceThenReportedAndAFailedSyncStopsIt)
{
    for (int times : { 1, 2 }) {
        SCOPED_TRACE(times);
        makeListAndDictionary({ { "ANT", 1, true, 2 }, { "BEE", 1, false, 0 } });
        auto list = update(kUser);
        FileFaults::failNth(FileOp::Write, 3, times);
        const bool applied = static_cast<bool>(ApplyListResults(*list, info, kUser));
        FileFaults::reset();
        EXPECT_EQ(applied, times == 1);
        EXPECT_EQ(lookUp("ANT").status(kUser), 2); // written before the failure, and kept
        EXPECT_EQ(lookUp("BEE").status(kUser), times == 1 ? 0 : 1);
        // Marked used up before any status moved: a failed pass is never applied a second time.
        EXPECT_EQ(list->readState(), ListState::kNone);
        EXPECT_EQ(
            ApplyListResults(*list, info, kUser).outcome, ListApplyResult::Outcome::OutOfDate);
    }

    // The mark must be on the disk before a status moves: when it cannot be, none moves.
    makeListAndDictionary({ { "ANT", 1, true, 2 }, { "BEE", 1, false, 0 } });
    const Bytes dictionary = readBytes(folder.file("progdata/sonddict.dis"));
    auto list = update(kUser);
    FileFaults::failNth(FileOp::Sync, 1);
    EXPECT_EQ(ApplyListResults(*list, info, kUser).outcome, ListApplyResult::Outcome::Failed);
    FileFaults::reset();
    EXPECT_EQ(readBytes(folder.file("progdata/sonddict.dis")), dictionary);
}

// Another program changed the dictionary after the list was made and did not mark the list used
// up (or the list was marked and the drill still holds it): results must land on the listed
// words or nowhere. Each case leaves BEE's record holding something that is not BEE of this list.
TEST_F(ListResults, ListThatIsOutOfDateWritesNothing)
{
    using Change = std::function<void(File & dictionary, WordFile & list)>;
    const auto removeAndAdd = [](const char* newcomer) -> Change {
        return [newcomer](File& d, WordFile&) {
            CurrentWordInfo word;
            std::uint32_t before = 0, after = 0;
            ASSERT_EQ(FindWord(d, "BEE", word, &before), FindResult::InMain);
            ASSERT_EQ(RemoveWord(d, "BEE"), RemoveResult::Removed);
            ASSERT_EQ(AddWord(d, newcomer, word), AddResult::Added);
            ASSERT_EQ(FindWord(d, newcomer, word, &after), FindResult::InMain);
            ASSERT_EQ(after, before) << newcomer << " takes BEE's record";
        };
    };
    const struct
    {
        const char* name;
        Change change;
        const char* word; // reported as out of place
    } cases[] = {
        // ZEE's text is BEE's ("E"): the record's bytes alone cannot tell them apart.
        { "removed, and a word with the same text took its record", removeAndAdd("ZEE"), "BEE" },
        { "removed, and a word of the same length took its record", removeAndAdd("BOA"), "BEE" },
        { "removed only: the freed record still holds its text",
            [](File& d, WordFile&) { ASSERT_EQ(RemoveWord(d, "BEE"), RemoveResult::Removed); },
            "BEE" },
        { "moved to a category",
            [](File& d, WordFile&) {
                CurrentWordInfo word;
                word.setCategory(4);
                ASSERT_EQ(AmendWord(d, "BEE", false, word), AmendResult::Amended);
            },
            "BEE" },
        { "the list was marked used up by a change",
            [](File&, WordFile& list) { ASSERT_TRUE(list.invalidate()); }, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        makeListAndDictionary({ { "ANT", 1, true, 2 }, { "BEE", 2, true, 3 } });
        {
            // The list is open, as the drill holds it, while another handle changes the files.
            auto held = update(kUser);
            {
                auto dictionary = OpenDictionary(info);
                auto other = update(kUser);
                ASSERT_TRUE(dictionary && other);
                c.change(*dictionary, *other);
            }
            const Bytes dictionaryBefore = readBytes(folder.file("progdata/sonddict.dis"));
            const Bytes listBefore = readBytes(path(kUser));
            const ListApplyResult result = ApplyListResults(*held, info, kUser);
            EXPECT_EQ(result.outcome, ListApplyResult::Outcome::OutOfDate);
            EXPECT_EQ(result.word, c.word);
            EXPECT_EQ(readBytes(folder.file("progdata/sonddict.dis")), dictionaryBefore);
            EXPECT_EQ(readBytes(path(kUser)), listBefore);
        }
        EXPECT_EQ(lookUp("ANT").status(kUser), 1) << "nothing of the list was applied";
    }
}

} // namespace
} // namespace quorvel::test
