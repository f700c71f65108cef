// The bulk transfer of a text's words into the dictionary (each word's line and the statistics),
// and the chain index that a batch of word operations searches through.

#include "support/dictionary_test_support.h"

#include "dictionary/bulk_transfer.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_index.h"
#include "dictionary/dictionary_ops.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

// CAT in main, DOG in main with a recorded sound, ZEBRA in category 3.
Bytes transferDictionary()
{
    return buildDictionaryImage(
        { entry("CAT"), entry("DOG", 0, 1, 3, 12), entry("ZEBRA", 3), entry("COW") });
}

BulkTransferSetup setupFor(std::uint16_t category, bool all, bool lock)
{
    BulkTransferSetup s;
    s.category = category;
    s.settings.transferAll = all;
    s.settings.lockSoundWords = lock;
    s.categoryName = [](int slot) { return "C" + std::to_string(slot); };
    return s;
}

TEST(TransferWords, RunsOfLettersAreWordsAndLongRunsAreLeftOut)
{
    struct Case
    {
        const char* text;
        std::vector<std::string> words;
    };
    const std::string longRun(38, 'a');
    const std::string longestWord(37, 'b');
    const Case cases[] = {
        { "It's", { "It", "s" } },
        { "one, two;three\r\nfour\rfive", { "one", "two", "three", "four", "five" } },
        { "", {} },
        { "  12 -- 34 ", {} },
        { "caf\xc3\xa9 ok", { "caf\xc3\xa9", "ok" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(transferWordsOf(c.text), c.words) << c.text;
    EXPECT_EQ(transferWordsOf("x " + longRun + " y " + longestWord),
        (std::vector<std::string> { "x", "y", longestWord }));
}

TEST(TransferWords, TheLimitStopsTheScanAndSaysWordsWereLeft)
{
    std::string text;
    for (int i = 0; i < 301; ++i)
        text += "w" + std::string(1, char('a' + i % 26)) + std::string(1, char('a' + i / 26)) + " ";
    bool more = false;
    const auto words = transferWordsOf(text, 300, &more);
    EXPECT_EQ(words.size(), 300u);
    EXPECT_TRUE(more);
    EXPECT_EQ(transferWordsOf(text, 301, &more).size(), 301u);
    EXPECT_FALSE(more);
}

struct TransferCase
{
    const char* name;
    const char* text;
    BulkTransferSetup setup;
    std::vector<std::string> lines;
    // Counters: transferred, failed, already, moved, unable, soundLinked.
    std::array<int, 6> counts;
};

TEST(BulkTransfer, EachWordGetsItsLineAndItsCount)
{
    BulkTransferSetup invalid = setupFor(5, true, false);
    invalid.settingsValid = false; // works as New
    const TransferCase cases[] = {
        { "new words only", "emu cat It's", setupFor(5, false, true),
            { "Transferred to dictionary ok    = emu\r\n",
                "Already in dictionary          = cat\r\n",
                "Failed to transfer word        = It\r\n",
                "Failed to transfer word        = s\r\n" },
            { 1, 2, 1, 0, 0, 0 } },
        { "all, locked: the word with a sound stays", "cat dog", setupFor(5, true, true),
            { "Moved to category ok           = cat\r\n", "Old = C0 : New = C5\r\n",
                "Sound connected to word        = dog\r\n" },
            { 0, 0, 0, 1, 0, 1 } },
        { "all, unlocked: the word with a sound moves", "dog zebra", setupFor(0, true, false),
            { "Moved to category ok           = dog\r\n", "Old = C0 : New = C0\r\n",
                "Moved to category ok           = zebra\r\n", "Old = C3 : New = C0\r\n" },
            { 0, 0, 0, 2, 0, 0 } },
        { "invalid settings work as new", "cat gnu", invalid,
            { "Already in dictionary          = cat\r\n",
                "Transferred to dictionary ok    = gnu\r\n" },
            { 1, 0, 1, 0, 0, 0 } },
    };
    for (const TransferCase& c : cases) {
        SCOPED_TRACE(c.name);
        DictionaryOnDisk disk(transferDictionary());
        auto file = disk.open();
        ASSERT_TRUE(file);
        const BulkTransferResult r = runBulkTransfer(*file, c.text, c.setup);
        EXPECT_EQ(r.lines, c.lines);
        const TransferCounters& k = r.counters;
        EXPECT_EQ(
            (std::array<int, 6> { k.of(TransferOutcome::Transferred), k.of(TransferOutcome::Failed),
                k.of(TransferOutcome::AlreadyThere), k.of(TransferOutcome::Moved),
                k.of(TransferOutcome::UnableToMove), k.of(TransferOutcome::SoundLinked) }),
            c.counts);
        EXPECT_FALSE(r.fileFailed);
        EXPECT_TRUE(checkDictionary(*file).ok);
    }
}

TEST(BulkTransfer, MovedWordsTakeTheCategoryAndKeepStatusesAndSound)
{
    DictionaryOnDisk disk(transferDictionary());
    auto file = disk.open();
    BulkTransferSetup setup = setupFor(7, true, false);
    setup.settings.language = BulkLanguage::UK;
    runBulkTransfer(*file, "dog emu", setup);
    CurrentWordInfo dog, emu;
    ASSERT_EQ(FindWord(*file, "DOG", dog), FindResult::InCategory);
    EXPECT_EQ(dog.category(), 7);
    EXPECT_EQ(dog.soundIndex(), 12);
    EXPECT_EQ(dog.status(0), 1);
    EXPECT_EQ(dog.language(), 1);
    ASSERT_EQ(FindWord(*file, "EMU", emu), FindResult::InCategory);
    EXPECT_EQ(emu.category(), 7);
    EXPECT_EQ(emu.language(), 1);
    EXPECT_EQ(emu.mediaFlag(), 1);
    EXPECT_TRUE(checkDictionary(*file).ok);
}

TEST(BulkTransfer, ASecondRunFindsEveryWordThereAndTheLimitIsReported)
{
    DictionaryOnDisk disk(transferDictionary());
    auto file = disk.open();
    std::string text;
    for (int i = 0; i < 301; ++i)
        text
            += "qz" + std::string(1, char('a' + i % 26)) + std::string(1, char('a' + i / 26)) + " ";
    const BulkTransferSetup setup = setupFor(0, false, true);
    const BulkTransferResult first = runBulkTransfer(*file, text, setup);
    EXPECT_EQ(first.counters.of(TransferOutcome::Transferred), 300);
    EXPECT_TRUE(first.limitReached);
    EXPECT_EQ(first.lines.back(), "Word limit reached: words after = 300 were not transferred\r\n");
    CurrentWordInfo info;
    EXPECT_EQ(FindWord(*file, "QZOL", info), FindResult::NotFound) << "the 301st word";
    const BulkTransferResult second = runBulkTransfer(*file, text, setup);
    EXPECT_EQ(second.counters.of(TransferOutcome::AlreadyThere), 300);
    EXPECT_EQ(second.counters.total(), 300);
    EXPECT_TRUE(checkDictionary(*file).ok);
}

TEST(BulkTransfer, StatisticsBlockCountsEveryOutcome)
{
    TransferCounters c;
    c.count(TransferOutcome::Transferred);
    c.count(TransferOutcome::Transferred);
    c.count(TransferOutcome::SoundLinked);
    c.count(TransferOutcome::Error);
    const std::string block = transferStatistics(c);
    EXPECT_EQ(block,
        "Stats Information\r\n"
        "Successfully transferred           =2\r\n"
        "Unsuccessfully transferred         =0\r\n"
        "Already in the dictionary          =0\r\n"
        "Moved word to required category    =0\r\n"
        "Unable to move words               =0\r\n"
        "Bad word input error               =0\r\n"
        "Error occurred transferring        =1\r\n"
        "Sound linked to word - not moved!  =1\r\n"
        "Word count total                   =4\r\n");
    EXPECT_FALSE(checkTransferSize(kTransferMaxTextBytes + 1).empty());
    EXPECT_TRUE(checkTransferSize(kTransferMaxTextBytes).empty());
}

TEST(BulkTransfer, ATextTooLargeChangesNothing)
{
    DictionaryOnDisk disk(transferDictionary());
    const Bytes before = disk.bytes();
    auto file = disk.open();
    const BulkTransferResult r = runBulkTransfer(
        *file, std::string(kTransferMaxTextBytes + 1, 'a') + " emu", setupFor(0, false, true));
    EXPECT_TRUE(r.tooLarge);
    EXPECT_EQ(r.counters.total(), 0);
    file.reset();
    EXPECT_EQ(disk.bytes(), before);
}

// Every operation of a table runs inside one indexed batch; after each, every word of the list is
// found through the index exactly as a walk of its chains finds it (result, record and
// attributes), and the file checks clean when the batch has ended.
TEST(ChainIndex, FindsThroughTheIndexEqualFindsByWalking)
{
    using Op = std::function<void(File&)>;
    auto add = [](std::string w, std::uint16_t category) -> Op {
        return [w, category](File& f) {
            CurrentWordInfo info;
            info.setCategory(category);
            AddWord(f, w, info);
        };
    };
    auto amend = [](std::string w, std::uint16_t category, bool sound) -> Op {
        return [w, category, sound](File& f) {
            CurrentWordInfo info;
            if (!isFound(FindWord(f, w, info)))
                return;
            info.setCategory(category);
            AmendWord(f, w, sound, info);
        };
    };
    auto remove = [](std::string w) -> Op { return [w](File& f) { RemoveWord(f, w); }; };
    const std::vector<std::string> words { "CAT", "CATS", "CAB", "CAZ", "CAA", "DOG", "DOGE",
        "ZEBRA", "COW", "COWL", "EMU", "EMUS", "ZZZ", "AAA" };
    const std::vector<std::pair<const char*, Op>> ops {
        { "add at a chain's head", add("CAA", 0) },
        { "add at a chain's end", add("CAZ", 0) },
        { "add in the middle", add("CATS", 0) },
        { "add to a category", add("EMU", 4) },
        { "add into a category chain", add("EMUS", 4) },
        { "add the last bucket", add("ZZZ", 2) },
        { "add the first bucket", add("AAA", 0) },
        { "remove a chain's head", remove("CAA") },
        { "remove from the middle", remove("CATS") },
        { "remove the only record", remove("ZZZ") },
        { "add into freed space", add("CAB", 0) },
        { "move main to category", amend("CAT", 9, false) },
        { "move category to main", amend("ZEBRA", 0, false) },
        { "move with its sound", amend("DOG", 5, true) },
        { "amend in place", amend("COW", 0, false) },
        { "move back", amend("CAT", 0, false) },
        { "add next to a moved word", add("COWL", 9) },
        { "remove a moved word", remove("ZEBRA") },
        { "add again after removal", add("ZEBRA", 3) },
        { "add a word into the moved one's place", add("DOGE", 0) },
    };
    DictionaryOnDisk disk(transferDictionary());
    auto file = disk.open();
    {
        IndexedBatch batch(*file);
        for (const auto& [name, op] : ops) {
            SCOPED_TRACE(name);
            op(*file);
            for (const std::string& w : words) {
                CurrentWordInfo viaIndex, viaWalk;
                std::uint32_t atIndex = 0, atWalk = 0;
                batch.setSearchesIndexed(true);
                const FindResult a = FindWord(*file, w, viaIndex, &atIndex);
                batch.setSearchesIndexed(false);
                const FindResult b = FindWord(*file, w, viaWalk, &atWalk);
                ASSERT_EQ(a, b) << w;
                if (isFound(a)) {
                    EXPECT_EQ(atIndex, atWalk) << w;
                    EXPECT_EQ(viaIndex.category(), viaWalk.category()) << w;
                    EXPECT_EQ(viaIndex.soundIndex(), viaWalk.soundIndex()) << w;
                }
            }
            batch.setSearchesIndexed(true);
        }
        EXPECT_GT(batch.indexedChains(), 0u) << "the searches went through the index";
        EXPECT_TRUE(batch.end());
    }
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok) << (report.problems.empty() ? "" : report.problems.front());
    CurrentWordInfo dog;
    ASSERT_EQ(FindWord(*file, "DOG", dog), FindResult::InCategory);
    EXPECT_EQ(dog.soundIndex(), 12);
}

// A chain whose texts are out of order is never indexed: its searches walk it as before.
TEST(ChainIndex, AChainOutOfOrderIsWalkedAsBefore)
{
    Bytes image = buildDictionaryImage({});
    const std::uint32_t slot = kMainTable + slotOf("CAT");
    const std::uint32_t end = slot + 4;
    const std::uint32_t second = appendRecord(image, end, "B"); // CAB after CAT: out of order
    const std::uint32_t first = appendRecord(image, second, "T");
    putU32(image, slot, first);
    DictionaryOnDisk disk(image);
    auto file = disk.open();
    IndexedBatch batch(*file);
    CurrentWordInfo info;
    EXPECT_EQ(FindWord(*file, "CAT", info), FindResult::InMain);
    EXPECT_EQ(FindWord(*file, "CAB", info), FindResult::NotFound) << "as the walk stops";
    EXPECT_EQ(batch.indexedChains(), 1u) << "only the category chain";
}

} // namespace
} // namespace quorvel::test
