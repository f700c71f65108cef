// Drawing drill lists from the dictionary into the user's word file: how many words, which ones
// each list type may take, the random start, stopping, and failures that must not leave a usable
// half-made list.

#include "support/dictionary_test_support.h"

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/drill_settings.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvel::test {
namespace {

class ListGeneration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        FillStartupDefaults(info, folder.path());
    }

    void useDictionary(const std::vector<DictionaryEntry>& entries)
    {
        writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage(entries));
    }

    // Sets one user's status of a word, the other users keeping theirs.
    void setStatus(const char* word, int user, std::uint16_t status)
    {
        auto dictionary = OpenDictionary(info);
        ASSERT_TRUE(dictionary);
        CurrentWordInfo w;
        std::uint32_t offset = 0;
        ASSERT_TRUE(isFound(FindWord(*dictionary, word, w, &offset)));
        w.setStatus(user, status);
        ASSERT_TRUE(StoreWordInfo(*dictionary, offset, w));
    }

    void setListText(const char* oneLetter, const char* predefined)
    {
        ListSetupRecord setup = info.listSetup(kUser);
        setup.oneLetter = oneLetter;
        setup.predefined = predefined;
        info.setListSetup(kUser, setup);
    }

    static ListCriteria criteria(ListType listType, std::uint16_t count, int minLetters = 3,
        int maxLetters = 37, std::int16_t language = 1, std::uint16_t category = 0)
    {
        ListCriteria c;
        c.count = count;
        c.category = category;
        c.language = language;
        c.minText = static_cast<std::int16_t>(minLetters - 2);
        c.maxText = static_cast<std::int16_t>(maxLetters - 2);
        c.user = kUser;
        c.listType = listType;
        c.skipMismatch = 1;
        c.filterMode = 0;
        return c;
    }

    int generate(ListCriteria c, bool showProgress = true)
    {
        ListGenerationServices services { random, clock, &progress };
        return GenerateDrillList(info, c, services, showProgress);
    }

    std::vector<std::string> listedWords()
    {
        std::vector<std::string> words;
        auto file = WordFile::open(folder.path(), kUser, OpenMode::ReadOnly);
        std::vector<WordFileEntry> entries;
        if (!file || !file->readList(entries))
            return { "unreadable" };
        for (const WordFileEntry& e : entries)
            words.push_back(e.record.word);
        return words;
    }

    static std::set<std::string> asSet(const std::vector<std::string>& words)
    {
        return std::set<std::string>(words.begin(), words.end());
    }

    int storedState()
    {
        auto file = WordFile::open(folder.path(), kUser, OpenMode::ReadOnly);
        return file ? file->readState() : -1;
    }

    static constexpr int kUser = 2;
    TempFolder folder;
    StartupInfo info;
    FakeClock clock;
    ScriptedRandom random { { 25 } }; // every start bucket CE, random letter Z
    FakeProgress progress;
};

TEST_F(ListGeneration, ListOfTenWithFourAcceptableWordsHoldsFour)
{
    // Acceptable for a UK list of 4 to 10 letters: BADGER, CAMEL, HORSE, ZEBRA.
    useDictionary({ entry("BADGER"), entry("CAMEL", 0, 0, 1), entry("HORSE", 0, 2), entry("ZEBRA"),
        entry("ANT"), entry("COYOTE", 0, 3), entry("MOOSE", 0, 1, 2), entry("RHINOCEROS", 0, 1, 0),
        entry("HIPPOPOTAMUS"), entry("OKAPI", 4) });
    ASSERT_EQ(generate(criteria(ListType::Random, 10, 4, 10)), 4);
    EXPECT_EQ(
        asSet(listedWords()), (std::set<std::string> { "BADGER", "CAMEL", "HORSE", "ZEBRA" }));
    EXPECT_EQ(progress.counts, (std::vector<int> { 1, 2, 3, 4 }));

    auto file = WordFile::open(folder.path(), kUser, OpenMode::ReadOnly);
    WordFileHeader header;
    ASSERT_TRUE(file->readHeader(header));
    EXPECT_EQ(header, (WordFileHeader { 14, 1, kMainTable, 4, 1 }));
    std::vector<WordFileEntry> entries;
    ASSERT_TRUE(file->readList(entries));
    auto dictionary = OpenDictionary(info);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const WordFileRecord& r = entries[k].record;
        SCOPED_TRACE(r.word);
        EXPECT_EQ(r.index, k);
        EXPECT_EQ(r.askedSize, 10);
        EXPECT_EQ(r.bucketOffset, slotOf(r.word));
        CurrentWordInfo w;
        std::uint32_t offset = 0;
        ASSERT_EQ(FindWord(*dictionary, r.word, w, &offset), FindResult::InMain);
        EXPECT_EQ(r.dictionaryOffset, offset);
        EXPECT_EQ(r.next, k + 1 == entries.size() ? kWordFileLastRecord : entries[k + 1].offset);
    }
}

// The list size the drill asks for comes from the record bounded to 1..50: a stored "-5" once
// asked for 65,531 words and drew the whole dictionary.
TEST_F(ListGeneration, StoredListSizeOutsideItsRangeIsBounded)
{
    std::vector<DictionaryEntry> words;
    for (char second = 'A'; second <= 'C'; ++second) {
        for (char third = 'A'; third <= 'Z'; ++third)
            words.push_back(entry(std::string("B") + second + third + "KS"));
    }
    useDictionary(words); // 78 words of five letters
    for (const auto& [stored, expected] :
        { std::pair { "-5", 1 }, std::pair { "65531", 50 }, std::pair { "0", 10 } }) {
        SCOPED_TRACE(stored);
        ListSetupRecord setup = info.listSetup(kUser);
        setup.listSize = stored;
        info.setListSetup(kUser, setup);
        const DrillSettings settings = readDrillSettings(info, kUser);
        ListCriteria c = drillListCriteria(settings, kUser);
        ASSERT_EQ(generate(c, false), expected);
        EXPECT_EQ(listedWords().size(), static_cast<std::size_t>(expected));
        EXPECT_EQ(asSet(listedWords()).size(), static_cast<std::size_t>(expected)) << "no repeats";
    }
}

TEST_F(ListGeneration, NoAcceptableWordGivesNoListAndStateZero)
{
    useDictionary({ entry("CAMEL", 0, 3), entry("HORSE", 0, 3), entry("ZEBRA", 0, 1, 2) });
    EXPECT_EQ(generate(criteria(ListType::Random, 10)), 0);
    EXPECT_EQ(storedState(), 0);
    EXPECT_EQ(progress.counts, (std::vector<int> { 0 }));
}

struct PredefinedCase
{
    const char* pattern;
    int minLetters, maxLetters;
    std::vector<std::string> expected; // in order
};

// Pre-defined starts always begin at the first bucket of their range, so the list comes out in
// the dictionary's order, each word once.
TEST_F(ListGeneration, PredefinedStartTakesItsPatternInDictionaryOrder)
{
    useDictionary({ entry("ACME"), entry("CAB"), entry("CAM"), entry("CAMEL"), entry("CAMP"),
        entry("CAT"), entry("CATCH"), entry("CATS"), entry("CATTLE"), entry("COMB"), entry("COMMA"),
        entry("COMMANDMENTS"), entry("COT"), entry("CRAM"), entry("CYMBAL"), entry("DAMP") });
    const PredefinedCase cases[] = {
        { "C?M", 4, 10, { "CAMEL", "CAMP", "COMB", "COMMA", "CYMBAL" } },
        { "CA", 3, 37, { "CAB", "CAM", "CAMEL", "CAMP", "CAT", "CATCH", "CATS", "CATTLE" } },
        { "CAT?", 3, 10, { "CAT", "CATCH", "CATS", "CATTLE" } },
        { "C", 12, 12, { "COMMANDMENTS" } },
        { "?C", 4, 4, { "ACME" } },
        { "CO??", 3, 5, { "COMB", "COMMA", "COT" } },
    };
    for (const PredefinedCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        setListText("A", c.pattern);
        EXPECT_EQ(generate(criteria(ListType::Predefined, 20, c.minLetters, c.maxLetters)),
            static_cast<int>(c.expected.size()));
        EXPECT_EQ(listedWords(), c.expected);
    }
}

// Only the first ten characters count, so what follows them cannot spoil a pattern.
TEST(PredefinedPattern, KeepsTenCapitalsOrQuestionMarks)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        { "C?M", "C?M" },
        { "ABCDEFGHIJ1", "ABCDEFGHIJ" },
        { "", std::nullopt },
        { "ca", std::nullopt },
        { "C M", std::nullopt },
        { "?????????\x01", std::nullopt },
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(predefinedPattern(text), expected);
    }
}

TEST_F(ListGeneration, OneLetterOnlyTakesWordsOfThatLetter)
{
    useDictionary({ entry("ANT"), entry("BAT"), entry("BEE"), entry("BOA"), entry("CAT") });
    setListText("B", "C?M");
    EXPECT_EQ(generate(criteria(ListType::OneLetter, 10)), 3);
    EXPECT_EQ(asSet(listedWords()), (std::set<std::string> { "BAT", "BEE", "BOA" }));
}

TEST_F(ListGeneration, BadLetterOrPatternFailsTheGeneration)
{
    useDictionary({ entry("CAMEL"), entry("COMB") });
    const struct
    {
        ListType type;
        const char* oneLetter;
        const char* predefined;
    } cases[] = {
        { ListType::OneLetter, "1", "C?M" }, { ListType::OneLetter, "", "C?M" },
        { ListType::Predefined, "A", "C-M" }, { ListType::Predefined, "A", "" },
        { ListType::ScrapPad, "A", "C?M" }, // not a list the dictionary makes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.oneLetter) + "/" + c.predefined);
        setListText(c.oneLetter, c.predefined);
        ListCriteria k = criteria(c.type, 5);
        ListGenerationServices services { random, clock, &progress };
        EXPECT_EQ(GenerateDrillList(info, k, services, false), 0);
        EXPECT_EQ(k.failed, 1);
        EXPECT_EQ(storedState(), 0);
    }
}

TEST_F(ListGeneration, FailuresOnlyTakesOnlyThisUsersFailures)
{
    useDictionary({ entry("ANT", 0, 0), entry("BEE", 0, 1), entry("CAT", 0, 0), entry("DOG", 0, 2),
        entry("EMU", 0, 3), entry("FOX", 0, 0), entry("GNU", 0, 1) });
    setStatus("GNU", kUser + 1, 0); // another user's failure
    setStatus("FOX", kUser, 2); // this user has learnt it
    EXPECT_EQ(generate(criteria(ListType::Failures, 10)), 2);
    EXPECT_EQ(asSet(listedWords()), (std::set<std::string> { "ANT", "CAT" }));
}

TEST_F(ListGeneration, RandomListNeverTakesAMasteredWord)
{
    useDictionary({ entry("ANT", 0, 3), entry("BEE", 0, 0), entry("CAT", 0, 3), entry("DOG", 0, 2),
        entry("EMU", 0, 1), entry("FOX", 0, 3), entry("GNU"), entry("YAK", 0, 2) });
    setStatus("GNU", kUser, 3);
    setStatus("ANT", kUser, 1);
    EXPECT_EQ(generate(criteria(ListType::Random, 20)), 5);
    EXPECT_EQ(asSet(listedWords()), (std::set<std::string> { "ANT", "BEE", "DOG", "EMU", "YAK" }));
}

TEST_F(ListGeneration, CategoryListsComeFromTheCategoryTable)
{
    useDictionary({ entry("CAT"), entry("ANT", 3), entry("BEE", 3), entry("COW", 5) });
    EXPECT_EQ(generate(criteria(ListType::Random, 10, 3, 37, 1, 3)), 2);
    EXPECT_EQ(asSet(listedWords()), (std::set<std::string> { "ANT", "BEE" }));
    auto file = WordFile::open(folder.path(), kUser, OpenMode::ReadOnly);
    WordFileHeader header;
    ASSERT_TRUE(file->readHeader(header));
    EXPECT_EQ(header.tableOffset, kCategoryTable);
}

// The three numbers drawn for each word pick the second letter, the first letter and a letter
// that the third letter of a word in the first chain visited must sort before.
// The random rule passes over words of the first chain that do not sort before the random
// letter; when every other acceptable word is taken, the draw goes back to that chain without the
// rule. So a Random list of ten from four acceptable words holds all four, whatever the seed.
TEST_F(ListGeneration, RandomListTakesEveryAcceptableWordWhateverTheSeed)
{
    useDictionary({ entry("BADGER"), entry("CAMEL", 0, 0, 1), entry("HORSE", 0, 2), entry("ZEBRA"),
        entry("ANT"), entry("COYOTE", 0, 3), entry("MOOSE", 0, 1, 2), entry("RHINOCEROS", 0, 1, 0),
        entry("HIPPOPOTAMUS"), entry("OKAPI", 4) });
    DefaultRandomSource real;
    int short_ = 0;
    for (std::time_t seed = 1; seed <= 400; ++seed) {
        clock.setNow(seed);
        ListGenerationServices services { real, clock, nullptr };
        ListCriteria c = criteria(ListType::Random, 10, 4, 10);
        const int found = GenerateDrillList(info, c, services, false);
        if (found != 4) {
            ++short_;
            ADD_FAILURE() << "seed " << seed << ": " << found << " words";
        }
    }
    EXPECT_EQ(short_, 0);
    // The same case drawn by hand: the start bucket CA holds CAMEL, which the rule holds back
    // (C does not sort before A); once the three others are taken only CAMEL is left there.
    random = ScriptedRandom({ 0, 23, 0 });
    ASSERT_EQ(generate(criteria(ListType::Random, 10, 4, 10)), 4);
    EXPECT_EQ(
        asSet(listedWords()), (std::set<std::string> { "BADGER", "CAMEL", "HORSE", "ZEBRA" }));
}

TEST_F(ListGeneration, RandomStartBucketAndFirstChainRule)
{
    useDictionary({ entry("CAB"), entry("CAN"), entry("CAT"), entry("CELL"), entry("DOG") });
    const struct
    {
        std::vector<std::uint32_t> draws; // second letter, first letter, letter to beat
        const char* expected;
    } cases[] = {
        { { 0, 23, 3 }, "CAB" }, // bucket CA, third letter before D
        { { 0, 23, 14 }, "CAB" }, // before O: CAB is the first of the chain to pass
        { { 0, 23, 0 }, "CELL" }, // nothing sorts before A: the rule holds CA back entirely
        { { 25, 23, 0 }, "DOG" }, // bucket CE: CELL is held back, then DOG
        { { 0, 197 + 23, 26 + 3 }, "CAB" }, // numbers are taken modulo the table sizes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        random = ScriptedRandom(c.draws);
        clock.setNow(1234567);
        EXPECT_EQ(generate(criteria(ListType::Random, 1)), 1);
        EXPECT_EQ(listedWords(), (std::vector<std::string> { c.expected }));
        EXPECT_EQ(random.seeds, (std::vector<std::uint32_t> { 1234567 }));
    }
}

TEST_F(ListGeneration, StopKeepsTheWordsFoundSoFar)
{
    useDictionary({ entry("ANT"), entry("BEE"), entry("CAT"), entry("DOG"), entry("EMU") });
    progress.stopAt = 2;
    EXPECT_EQ(generate(criteria(ListType::Random, 5)), 2);
    EXPECT_EQ(progress.counts, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(listedWords().size(), 2u);
    EXPECT_EQ(storedState(), ListState::kFreshDictionary);

    // Without progress, nobody can ask to stop.
    progress.counts.clear();
    EXPECT_EQ(generate(criteria(ListType::Random, 5), false), 5);
    EXPECT_TRUE(progress.counts.empty());
}

// The drill draws its list a word a step: to its end the list is the one drawn at once; ended
// early it keeps the words so far; dropped half-way (the drill closed) it leaves no usable list
// and lets go of the dictionary.
TEST_F(ListGeneration, AListDrawnAWordAtATime)
{
    useDictionary({ entry("ANT"), entry("BEE"), entry("CAT"), entry("DOG"), entry("EMU") });
    ASSERT_EQ(generate(criteria(ListType::Random, 4)), 4);
    const std::vector<std::string> atOnce = listedWords();
    ListGenerationServices services { random, clock, &progress };
    {
        SCOPED_TRACE("to its end");
        random = ScriptedRandom({ 25 });
        progress.counts.clear();
        ListCriteria c = criteria(ListType::Random, 4);
        DrillListDraw draw(info, c, services, true);
        int calls = 1;
        while (draw.drawNext())
            ++calls;
        EXPECT_EQ(calls, 4);
        EXPECT_EQ(progress.counts, (std::vector<int> { 1, 2, 3, 4 }));
        EXPECT_EQ(draw.finish(), 4);
        EXPECT_EQ(listedWords(), atOnce);
        EXPECT_EQ(draw.finish(), 0);
    }
    {
        SCOPED_TRACE("ended after two words");
        ListCriteria c = criteria(ListType::Random, 4);
        DrillListDraw draw(info, c, services, false);
        ASSERT_TRUE(draw.drawNext());
        ASSERT_TRUE(draw.drawNext());
        EXPECT_EQ(draw.drawn(), 2);
        EXPECT_EQ(draw.finish(), 2);
        EXPECT_EQ(listedWords().size(), 2u);
        EXPECT_EQ(storedState(), ListState::kFreshDictionary);
    }
    {
        SCOPED_TRACE("dropped after one word");
        {
            ListCriteria c = criteria(ListType::Random, 4);
            DrillListDraw draw(info, c, services, false);
            ASSERT_TRUE(draw.drawNext());
        }
        EXPECT_EQ(storedState(), 0);
        EXPECT_EQ(generate(criteria(ListType::Random, 2)), 2);
    }
}

// A write that fails anywhere in the making of a list leaves the word file holding no usable
// list.
TEST_F(ListGeneration, FailedWriteLeavesNoUsableList)
{
    useDictionary({ entry("ANT"), entry("BEE"), entry("CAT") });
    FileFaults::reset();
    ASSERT_EQ(generate(criteria(ListType::Random, 3)), 3);
    const int writes = FileFaults::count(FileOp::Write);
    ASSERT_GT(writes, 0);
    for (int n = 1; n <= writes; ++n) {
        SCOPED_TRACE("write " + std::to_string(n));
        FileFaults::reset();
        FileFaults::failNth(FileOp::Write, n);
        EXPECT_EQ(generate(criteria(ListType::Random, 3)), 0);
        FileFaults::reset();
        EXPECT_EQ(storedState(), 0);
    }
}

TEST_F(ListGeneration, MissingDictionaryGivesNoList)
{
    EXPECT_EQ(generate(criteria(ListType::Random, 3)), 0);
}

TEST_F(ListGeneration, BrowserPickerDrawsSingleWords)
{
    useDictionary({ entry("ANT"), entry("BEE"), entry("CAT") });
    auto dictionary = OpenDictionary(info);
    ListCriteria c = criteria(ListType::Random, 1);
    std::string last;
    EXPECT_EQ(pickRandomWords(*dictionary, c, "A", "C?M", random, clock, 2, last), 2);
    EXPECT_TRUE(last == "ANT" || last == "BEE" || last == "CAT") << last;
    c = criteria(ListType::OneLetter, 1);
    EXPECT_EQ(pickRandomWords(*dictionary, c, "?", "C?M", random, clock, 2, last), 0);
    EXPECT_EQ(last, "");
}

} // namespace
} // namespace quorvel::test
