// Moves between the tables that were cut short, and the mending of a dictionary. A move cut short
// leaves a word in the wrong table for its category, or in both tables with one copy that does not
// fit its table: the word is found with its statuses meanwhile, the check tells it from damage,
// and both a repair and the same amend again finish it. A free list that leads into damage is cut
// where it does; anything that would need a guess is left for a person.

#include "support/dictionary_test_support.h"

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>

namespace quorvel::test {
namespace {

// CAT and ZEBRA (category 3) carry a different status for each user, so that a copy that lost
// them, or took another copy's, shows.
int catStatus(int user)
{
    return user % 4;
}
int zebraStatus(int user)
{
    return 3 - user % 4;
}

Bytes base()
{
    DictionaryOnDisk dict(buildDictionaryImage(
        { entry("CAB"), entry("CAT"), entry("COW"), entry("ZEBRA", 3), entry("DOG") }));
    auto file = dict.open();
    using Pattern = int (*)(int);
    for (const auto& [word, status] : { std::pair<const char*, Pattern> { "CAT", catStatus },
             std::pair<const char*, Pattern> { "ZEBRA", zebraStatus } }) {
        CurrentWordInfo info;
        std::uint32_t offset = 0;
        EXPECT_GE(FindWord(*file, word, info, &offset), DictResult::kDone);
        for (int u = 0; u < 10; ++u)
            info.setStatus(u, static_cast<std::uint16_t>(status(u)));
        EXPECT_TRUE(StoreWordInfo(*file, offset, info));
    }
    file->close();
    return dict.bytes();
}

void expectStatuses(const CurrentWordInfo& info, int (*status)(int))
{
    for (int u = 0; u < 10; ++u)
        EXPECT_EQ(info.status(u), status(u)) << "user " << u;
}

std::vector<std::string> copiesOf(File& file, const std::string& word)
{
    std::vector<std::string> out;
    for (const std::string& e : tableContents(file)) {
        if (e.substr(2) == word)
            out.push_back(e);
    }
    return out;
}

struct CutShort
{
    const char* name;
    Bytes image;
    const char* word;
    int (*status)(int);
    // What the check makes of it: a move cut short (the word in both tables or not), or damage.
    bool interrupted;
    bool inBoth;
    // The copy found meanwhile: main (1) or category (2) table, and its category.
    int found;
    int foundCategory;
};

std::vector<CutShort> cutShortMoves()
{
    const Bytes b = base();
    return {
        { "CAT marked for category 5", interruptedMove(b, "CAT", 5, true, false), "CAT", catStatus,
            true, false, DictResult::kDone, 5 },
        { "CAT marked and linked into the category table", interruptedMove(b, "CAT", 5, true, true),
            "CAT", catStatus, true, true, DictResult::kFoundInCategory, 5 },
        { "ZEBRA marked for the main table", interruptedMove(b, "ZEBRA", 0, true, false), "ZEBRA",
            zebraStatus, true, false, DictResult::kFoundInCategory, 0 },
        { "ZEBRA marked and linked into the main table", interruptedMove(b, "ZEBRA", 0, true, true),
            "ZEBRA", zebraStatus, true, true, DictResult::kDone, 0 },
        // Both copies fit their tables: which one is current cannot be told.
        { "CAT linked into the category table without a mark",
            interruptedMove(b, "CAT", 5, false, true), "CAT", catStatus, false, true,
            DictResult::kDone, 0 },
    };
}

TEST(InterruptedMove, CheckTellsAMoveCutShortFromDamageAndTheWordIsFoundMeanwhile)
{
    for (const CutShort& c : cutShortMoves()) {
        SCOPED_TRACE(c.name);
        DictionaryOnDisk dict(c.image);
        auto file = dict.open();
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_FALSE(report.ok);
        ASSERT_FALSE(report.problems.empty());
        EXPECT_NE(report.problems[0].find(c.word), std::string::npos) << report.problems[0];
        if (c.interrupted) {
            EXPECT_TRUE(report.onlyInterruptedMoves());
            ASSERT_EQ(report.interruptedMoves.size(), 1u);
            EXPECT_EQ(report.interruptedMoves[0].word, c.word);
            EXPECT_EQ(report.interruptedMoves[0].inBothTables, c.inBoth);
        } else {
            EXPECT_TRUE(report.interruptedMoves.empty());
            EXPECT_FALSE(report.mendable());
        }
        CurrentWordInfo info;
        EXPECT_EQ(FindWord(*file, c.word, info), c.found);
        EXPECT_EQ(info.category(), c.foundCategory);
        expectStatuses(info, c.status);
    }
}

// What a person does who sees the amend did not finish: the same amend again, or another mind.
TEST(InterruptedMove, TheSameAmendAgainFinishesIt)
{
    std::vector<std::pair<CutShort, int>> cases;
    for (const CutShort& c : cutShortMoves())
        cases.emplace_back(c, c.word == std::string("CAT") ? 5 : 0);
    // Back where it came from, after a move to category 5 got as far as both tables.
    cases.emplace_back(cutShortMoves()[1], 0);
    for (const auto& [c, category] : cases) {
        SCOPED_TRACE(std::string(c.name) + ", amended to category " + std::to_string(category));
        DictionaryOnDisk dict(c.image);
        auto file = dict.open();
        CurrentWordInfo info;
        ASSERT_GE(FindWord(*file, c.word, info), DictResult::kDone);
        info.setCategory(static_cast<std::uint16_t>(category));
        EXPECT_EQ(AmendWord(*file, c.word, false, info), DictResult::kDone);
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_TRUE(report.ok) << (report.problems.empty() ? "" : report.problems[0]);
        EXPECT_EQ(copiesOf(*file, c.word),
            std::vector<std::string> { (category == 0 ? "M:" : "C:") + std::string(c.word) });
        CurrentWordInfo found;
        ASSERT_GE(FindWord(*file, c.word, found), DictResult::kDone);
        EXPECT_EQ(found.category(), category);
        expectStatuses(found, c.status);
    }
}

TEST(InterruptedMove, RepairKeepsTheCopyWhoseTableFitsItsCategoryAndLeavesAGuess)
{
    for (const CutShort& c : cutShortMoves()) {
        SCOPED_TRACE(c.name);
        DictionaryOnDisk dict(c.image);
        auto file = dict.open();
        const DictionaryRepairReport repair = repairDictionary(*file, checkDictionary(*file));
        EXPECT_FALSE(repair.failed);
        if (!c.interrupted) {
            EXPECT_TRUE(repair.mended.empty());
            EXPECT_EQ(dict.bytes(), c.image);
            continue;
        }
        EXPECT_EQ(repair.mended.size(), 1u);
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_TRUE(report.ok) << (report.problems.empty() ? "" : report.problems[0]);
        const int category = c.foundCategory;
        EXPECT_EQ(copiesOf(*file, c.word),
            std::vector<std::string> { (category == 0 ? "M:" : "C:") + std::string(c.word) });
        CurrentWordInfo found;
        ASSERT_GE(FindWord(*file, c.word, found), DictResult::kDone);
        EXPECT_EQ(found.category(), category);
        expectStatuses(found, c.status);
        // Every other word as it was.
        for (const char* other : { "CAB", "COW", "DOG" })
            EXPECT_EQ(FindWord(*file, other, found), DictResult::kDone) << other;
    }
}

TEST(InterruptedMove, RemoveTakesBothCopiesOrNeither)
{
    {
        DictionaryOnDisk dict(cutShortMoves()[1].image);
        auto file = dict.open();
        ChangeNotes notes;
        EXPECT_EQ(RemoveWord(*file, "CAT", &notes), DictResult::kDone);
        EXPECT_TRUE(notes.unlinked);
        EXPECT_FALSE(notes.recordNotFreed);
        EXPECT_TRUE(copiesOf(*file, "CAT").empty());
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_TRUE(report.ok);
        EXPECT_EQ(report.freeRecords, 2u);
    }
    {
        // One copy with a sound: neither goes.
        DictionaryOnDisk dict(base());
        auto file = dict.open();
        CurrentWordInfo info;
        ASSERT_EQ(FindWord(*file, "CAT", info), DictResult::kDone);
        info.setSoundIndex(9);
        ASSERT_EQ(AmendWord(*file, "CAT", true, info), DictResult::kDone);
        file->close();
        const Bytes image = interruptedMove(dict.bytes(), "CAT", 5, true, true);
        dict.reset(image);
        file = dict.open();
        EXPECT_EQ(RemoveWord(*file, "CAT"), DictResult::kSoundLinked);
        EXPECT_EQ(dict.bytes(), image);
    }
}

// --- the free list ------------------------------------------------------------------------------

struct ListDamage
{
    const char* name;
    std::function<void(Bytes&, std::uint32_t first)> apply;
    std::uint32_t kept; // free records left before the damage
};

TEST(RepairFreeList, CutsTheListWhereItLeadsIntoDamage)
{
    const std::uint32_t step = 10 + 2 + 1; // a record with a two-letter text
    const ListDamage damages[] = {
        { "comes back on itself", [&](Bytes& b, std::uint32_t f) { putU32(b, f + 2 * step, f); },
            3 },
        { "link past the end of the file",
            [&](Bytes& b, std::uint32_t f) {
                putU32(b, f + step, static_cast<std::uint32_t>(b.size() + 100));
            },
            2 },
        { "link into a chain",
            [&](Bytes& b, std::uint32_t f) { putU32(b, f, u32At(b, kMainTable + slotOf("CAT"))); },
            1 },
        { "head into the header", [](Bytes& b, std::uint32_t) { putU32(b, 8, 4); }, 0 },
        { "record with an empty text",
            [&](Bytes& b, std::uint32_t f) { putU32(b, f + step, appendRecord(b, 12, "")); }, 2 },
    };
    for (const ListDamage& d : damages) {
        SCOPED_TRACE(d.name);
        Bytes image = base();
        const std::uint32_t first = appendFreeList(image, 3, "QQ");
        d.apply(image, first);
        DictionaryOnDisk dict(image);
        auto file = dict.open();
        const std::vector<std::string> words = tableContents(*file);
        const DictionaryCheckReport before = checkDictionary(*file);
        EXPECT_NE(before.freeListBreak, 0u);
        EXPECT_TRUE(before.mendable());
        EXPECT_FALSE(before.onlyInterruptedMoves());

        const DictionaryRepairReport repair = repairDictionary(*file, before);
        EXPECT_FALSE(repair.failed);
        EXPECT_EQ(repair.mended.size(), 1u);
        const DictionaryCheckReport after = checkDictionary(*file);
        EXPECT_TRUE(after.ok) << (after.problems.empty() ? "" : after.problems[0]);
        EXPECT_EQ(after.freeRecords, d.kept);
        EXPECT_EQ(tableContents(*file), words);

        // The list works again: a removal goes onto it, and the word added back takes its record
        // instead of growing the file.
        CurrentWordInfo info;
        ASSERT_EQ(RemoveWord(*file, "COW"), DictResult::kDone);
        const std::uint64_t size = file->size();
        ASSERT_EQ(AddWord(*file, "COW", info), DictResult::kDone);
        EXPECT_EQ(file->size(), size);
        EXPECT_TRUE(checkDictionary(*file).ok);
    }
}

TEST(RepairFreeList, DamageOnlyAPersonCanMendIsLeftAsItIs)
{
    Bytes image = base();
    const std::uint32_t first = appendFreeList(image, 2, "QQ");
    // The CA chain comes back on itself: which records belong to it cannot be told.
    const std::uint32_t cab = u32At(image, kMainTable + slotOf("CAB"));
    putU32(image, u32At(image, cab), cab);
    DictionaryOnDisk dict(image);
    {
        auto file = dict.open();
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_FALSE(report.mendable());
        EXPECT_GT(report.otherDamage, 0u);
        const DictionaryRepairReport repair = repairDictionary(*file, report);
        EXPECT_TRUE(repair.mended.empty());
        EXPECT_EQ(dict.bytes(), image);
    }

    // With the free list damaged as well, the list is cut and the chain left.
    putU32(image, first, 4);
    dict.reset(image);
    auto file = dict.open();
    const DictionaryRepairReport repair = repairDictionary(*file, checkDictionary(*file));
    EXPECT_EQ(repair.mended.size(), 1u);
    const DictionaryCheckReport after = checkDictionary(*file);
    EXPECT_EQ(after.freeListBreak, 0u);
    EXPECT_EQ(after.freeRecords, 1u);
    EXPECT_GT(after.otherDamage, 0u);
}

TEST(RepairCopy, IsMadeBesideTheFileAndNeverOverwritesOne)
{
    DictionaryOnDisk dict(base());
    std::tm when {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 4;
    when.tm_hour = 5;
    when.tm_min = 6;
    when.tm_sec = 7;
    const std::time_t now = std::mktime(&when);
    int error = -1;
    const std::string first = copyDamagedDictionary(dict.path(), now, &error);
    const std::string second = copyDamagedDictionary(dict.path(), now, &error);
    EXPECT_EQ(first, dict.path() + ".damaged-20260304-050607");
    EXPECT_EQ(second, first + "-2");
    EXPECT_EQ(readBytes(first), dict.bytes());
    EXPECT_EQ(readBytes(second), dict.bytes());

    // A folder that takes no new file: no copy, and the reason.
    error = 0;
    EXPECT_EQ(copyDamagedDictionary(dict.folder() + "/nowhere/sonddict.dis", now, &error), "");
    EXPECT_NE(error, 0);
}

} // namespace
} // namespace quorvel::test
