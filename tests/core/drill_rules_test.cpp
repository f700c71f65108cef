// The drill's rules taken one by one, without a drill around them: how an answer is judged and
// stored, which word of a list a repeat pass asks next, and which letters range from the history
// file an automatic drill may take up again.

#include "drill/answer_judging.h"
#include "drill/level_adjustment.h"
#include "drill/word_picking.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// --- Judging an answer -------------------------------------------------------------------------

TEST(AnswerJudging, ComparesInTheDrillsCaseAfterCuttingTheAnswerToTheBox)
{
    const std::string longWord(kMaxAnswerLength, 'Q');
    struct Case
    {
        std::string typed, word;
        bool upperCase, right;
        std::string compared;
    };
    for (const Case& c : {
             Case { "cat", "CAT", true, true, "CAT" },
             Case { "Cat", "cat", false, true, "cat" },
             Case { "CAT", "cat", false, true, "cat" },
             Case { "cta", "CAT", true, false, "CTA" },
             Case { "CAT ", "CAT", true, false, "CAT " }, // a blank is a character like any other
             Case { "", "CAT", true, false, "" },
             // Past the box's width nothing counts: the extra letters can neither spoil nor
             // complete the answer.
             Case { longWord + "XYZ", longWord, true, true, longWord },
             Case { longWord.substr(1) + "QQ", longWord, true, true, longWord },
             Case { longWord, longWord + "Q", true, false, longWord },
         }) {
        SCOPED_TRACE(c.typed + " / " + c.word);
        const Judgement j = judgeAnswer(c.typed, c.word, c.upperCase);
        EXPECT_EQ(j.right, c.right);
        EXPECT_EQ(j.answer, c.compared);
    }
}

TEST(AnswerJudging, TheRecordKeepsCapitalsAndCountsRepeatsUpToOneByte)
{
    WordFileRecord r;
    r.attempts = 7;
    recordJudgement(r, "cat", judgeAnswer("kat", "cat", false), false);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.word, "CAT");
    EXPECT_EQ(r.answer, "KAT");
    EXPECT_EQ(r.attempts, 0); // a first pass starts the count afresh

    recordJudgement(r, "cat", judgeAnswer("CAT", "cat", false), true);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.answer, "CAT");
    EXPECT_EQ(r.attempts, 1);

    r.attempts = 255;
    recordJudgement(r, "cat", judgeAnswer("x", "cat", false), true);
    EXPECT_EQ(r.attempts, 255);
    EXPECT_EQ(r.result, 0);
}

// --- Picking the words of a repeat pass --------------------------------------------------------

// A list of five words in slot 0 whose results are given, and the offsets of its records.
struct ListFile
{
    TempFolder folder;
    std::vector<std::uint32_t> offsets;

    explicit ListFile(const std::vector<int>& results)
    {
        folder.makeProgdata();
        auto file = WordFile::open(folder.path(), 0, OpenMode::Create);
        EXPECT_TRUE(file);
        const char* words[] = { "ANT", "BEE", "CAT", "DOG", "EMU" };
        for (std::size_t i = 0; i < results.size(); ++i) {
            WordFileRecord r;
            r.word = words[i];
            r.result = static_cast<std::uint8_t>(results[i]);
            EXPECT_TRUE(file->appendListRecord(static_cast<int>(i), r, ListState::kSpeltOnce, 0,
                static_cast<int>(results.size()), ListType::Random));
        }
        EXPECT_TRUE(file->finishList(
            static_cast<int>(results.size()), ListType::Random, ListState::kSpeltOnce));
        std::vector<WordFileEntry> entries;
        EXPECT_TRUE(file->readList(entries));
        for (const WordFileEntry& e : entries)
            offsets.push_back(e.offset);
        file->close();
    }
    std::unique_ptr<WordFile> open()
    {
        return WordFile::open(folder.path(), 0, OpenMode::ReadWrite);
    }
    // Points record `index`'s next at `next`.
    void relink(std::size_t index, std::uint32_t next)
    {
        auto file = open();
        WordFileRecord r;
        ASSERT_TRUE(file->readRecord(offsets[index], r));
        r.next = next;
        ASSERT_NE(file->writeRecord(offsets[index], r), 0u);
        file->close();
    }
};

TEST(WordPicking, ARepeatOfFailuresSkipsTheWordsSpeltRight)
{
    ListFile list({ 1, 0, 1, 1, 0 });
    auto file = list.open();
    ASSERT_TRUE(file);

    RepeatPick p = nextRepeatWord(*file, list.offsets[0], true);
    ASSERT_EQ(p.outcome, RepeatPick::Outcome::Word);
    EXPECT_EQ(p.record.word, "BEE");
    EXPECT_EQ(p.offset, list.offsets[1]);
    EXPECT_EQ(p.visited, 2);

    p = nextRepeatWord(*file, p.record.next, true);
    ASSERT_EQ(p.outcome, RepeatPick::Outcome::Word);
    EXPECT_EQ(p.record.word, "EMU");
    EXPECT_EQ(p.visited, 3);

    // Every word again: the one the walk starts at.
    p = nextRepeatWord(*file, list.offsets[2], false);
    ASSERT_EQ(p.outcome, RepeatPick::Outcome::Word);
    EXPECT_EQ(p.record.word, "CAT");
    EXPECT_EQ(p.visited, 1);

    std::vector<WordFileEntry> entries;
    ASSERT_TRUE(file->readList(entries));
    EXPECT_EQ(failedWords(entries), 2);
}

TEST(WordPicking, AChainWithoutAFailureLeftOrThatCannotBeWalkedEndsTheSearch)
{
    {
        SCOPED_TRACE("no failure after the start");
        ListFile list({ 0, 1, 1 });
        auto file = list.open();
        const RepeatPick p = nextRepeatWord(*file, list.offsets[1], true);
        EXPECT_EQ(p.outcome, RepeatPick::Outcome::NoneLeft);
        EXPECT_EQ(p.offset, list.offsets[2]);
        EXPECT_EQ(p.visited, 2);
    }
    {
        SCOPED_TRACE("a chain that loops");
        ListFile list({ 1, 1, 1 });
        list.relink(2, list.offsets[0]);
        auto file = list.open();
        const RepeatPick p = nextRepeatWord(*file, list.offsets[0], true);
        EXPECT_EQ(p.outcome, RepeatPick::Outcome::Error);
        // Never more records than the file has room for, plus the one that proves the loop.
        EXPECT_LE(p.visited, static_cast<int>(file->file().size() / kWordFileRecordSize) + 1);
    }
    {
        SCOPED_TRACE("a link out of the file");
        ListFile list({ 1, 1 });
        list.relink(0, 50000);
        auto file = list.open();
        const RepeatPick p = nextRepeatWord(*file, list.offsets[0], true);
        EXPECT_EQ(p.outcome, RepeatPick::Outcome::Error);
        EXPECT_EQ(p.offset, 50000u);
        EXPECT_EQ(p.visited, 2);
    }
}

TEST(WordPicking, TheWordIsShownInTheDrillsCase)
{
    WordFileRecord r;
    r.word = "Zoo";
    EXPECT_EQ(shownWord(r, true), "ZOO");
    EXPECT_EQ(shownWord(r, false), "zoo");
}

// --- Level rules -------------------------------------------------------------------------------

TEST(LevelAdjustment, AHistoryRangeIsTakenUpOnlyWithinItsBounds)
{
    struct Case
    {
        int lo, hi;
        bool usable;
    };
    for (const Case& c : { Case { 4, 10, true }, Case { 1, 1, true }, Case { 12, 40, true },
             Case { 0, 10, false }, Case { 13, 20, false }, Case { 6, 5, false },
             Case { 4, 41, false }, Case { -3, 10, false } }) {
        EXPECT_EQ(usableHistoryRange(c.lo, c.hi), c.usable) << c.lo << ".." << c.hi;
    }
}

} // namespace
} // namespace quorvel::test
