// Seek, read and write failures in the middle of dictionary changes. Each change is run once
// for every seek, read and write it makes, with that one (or that one and the next) failing; the
// result must be the documented one and the file must keep every word it had, in a state the
// checker accepts. Link writes are retried once; a failed seek is not.

#include "support/dictionary_test_support.h"

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quorvel::test {
namespace {

// CAT (Successful for everyone) shares its chain with CAB and COW; ZEBRA lies in category 3.
Bytes base()
{
    return buildDictionaryImage({ entry("CAB"), entry("CAT", 0, 2), entry("COW"), entry("ZEBRA", 3),
        entry("DOG", 0, 1, 3, 5) });
}

// The same with a removed word of one letter's text on the free list, which the next insert of a
// one-letter text takes back.
Bytes baseWithFreeRecord()
{
    Bytes image = base();
    appendFreeList(image, 1, "Q");
    return image;
}

using Contents = std::vector<std::string>;

Contents without(Contents c, const std::string& entry)
{
    std::erase(c, entry);
    return c;
}

Contents with(Contents c, const std::string& entry)
{
    c.push_back(entry);
    std::sort(c.begin(), c.end(), [](const std::string& a, const std::string& b) {
        // Main table first, then by word: the order tableContents lists them in.
        return std::make_pair(a[0] != 'M', a.substr(2)) < std::make_pair(b[0] != 'M', b.substr(2));
    });
    return c;
}

using Operation = std::function<int(File&)>;
// Checks the file after the operation gave `result`.
using Check = std::function<void(int result, File& file)>;

// Runs the operation with every single seek, read and write failing in turn (and with the failure
// repeated on the next operation of the same kind, which defeats a retry).
void sweepFailures(const Bytes& image, const Operation& op, const Check& check)
{
    DictionaryOnDisk dict(image);
    int counts[3] = {};
    {
        auto file = dict.open();
        FileFaults::reset();
        op(*file);
        counts[0] = FileFaults::count(FileOp::Seek);
        counts[1] = FileFaults::count(FileOp::Read);
        counts[2] = FileFaults::count(FileOp::Write);
    }
    ASSERT_GT(counts[2], 0);
    const FileOp kinds[] = { FileOp::Seek, FileOp::Read, FileOp::Write };
    const char* names[] = { "seek", "read", "write" };
    for (int k = 0; k < 3; ++k) {
        for (int times : { 1, 2 }) {
            for (int n = 1; n <= counts[k]; ++n) {
                SCOPED_TRACE(std::string(names[k]) + " " + std::to_string(n) + " failing "
                    + std::to_string(times) + " time(s)");
                dict.reset(image);
                int result = -1;
                {
                    auto file = dict.open();
                    ASSERT_TRUE(file);
                    FileFaults::reset();
                    FileFaults::failNth(kinds[k], n, times);
                    result = op(*file);
                    FileFaults::reset();
                }
                auto reopened = dict.open();
                ASSERT_TRUE(reopened);
                const DictionaryCheckReport report = checkDictionary(*reopened);
                EXPECT_TRUE(report.ok) << (report.problems.empty() ? "" : report.problems[0]);
                check(result, *reopened);
            }
        }
    }
}

void expectStatuses(File& file, const char* word, int status)
{
    CurrentWordInfo info;
    ASSERT_GE(FindWord(file, word, info), DictResult::kDone) << word;
    for (int u = 0; u < 10; ++u)
        EXPECT_EQ(info.status(u), status) << word << " user " << u;
}

TEST(DictionaryFaults, FailedAddKeepsEveryWordAndAddsAllOrNothing)
{
    for (const Bytes& image : { base(), baseWithFreeRecord() }) {
        Contents before;
        {
            DictionaryOnDisk dict(image);
            before = tableContents(*dict.open());
        }
        sweepFailures(
            image,
            [](File& f) {
                CurrentWordInfo info;
                return AddWord(f, "CAZ", info);
            },
            [&](int result, File& f) {
                ASSERT_TRUE(result == DictResult::kDone || result == DictResult::kFileError)
                    << result;
                EXPECT_EQ(
                    tableContents(f), result == DictResult::kDone ? with(before, "M:CAZ") : before);
                expectStatuses(f, "CAT", 2);
            });
    }
}

TEST(DictionaryFaults, FailedRemoveKeepsTheOtherWords)
{
    Contents before;
    {
        DictionaryOnDisk dict(base());
        before = tableContents(*dict.open());
    }
    sweepFailures(
        base(), [](File& f) { return RemoveWord(f, "CAT"); },
        [&](int result, File& f) {
            const Contents after = tableContents(f);
            if (result == DictResult::kDone) {
                EXPECT_EQ(after, without(before, "M:CAT"));
            } else {
                ASSERT_EQ(result, DictResult::kFileError);
                // Either the word kept its place, or it left its chain and only its record's
                // space was not put on the free list.
                EXPECT_TRUE(after == before || after == without(before, "M:CAT"));
            }
        });
}

TEST(DictionaryFaults, FailedAmendInPlaceKeepsTheWordAndItsStatuses)
{
    Contents before;
    {
        DictionaryOnDisk dict(base());
        before = tableContents(*dict.open());
    }
    sweepFailures(
        base(),
        [](File& f) {
            CurrentWordInfo info;
            info.setLanguage(2);
            info.setSoundIndex(44);
            return AmendWord(f, "CAT", true, info);
        },
        [&](int result, File& f) {
            ASSERT_TRUE(result == DictResult::kDone || result == DictResult::kFileError) << result;
            EXPECT_EQ(tableContents(f), before);
            expectStatuses(f, "CAT", 2);
            CurrentWordInfo info;
            ASSERT_EQ(FindWord(f, "CAT", info), DictResult::kDone);
            if (result == DictResult::kDone) {
                EXPECT_EQ(info.language(), 2);
                EXPECT_EQ(info.soundIndex(), 44);
            }
        });
}

// A word that changes table must end up in one of the two tables whatever fails on the way:
// never in neither. Only when taking it out of its old table fails and so does taking it back out
// of the new one (two failures in a row) may it be left in both.
TEST(DictionaryFaults, FailedMoveBetweenTablesNeverLosesTheWord)
{
    for (const Bytes& image : { base(), baseWithFreeRecord() }) {
        Contents before;
        {
            DictionaryOnDisk dict(image);
            before = tableContents(*dict.open());
        }
        const Contents moved = with(without(before, "M:CAT"), "C:CAT");
        const Contents inBoth = with(before, "C:CAT");
        sweepFailures(
            image,
            [](File& f) {
                CurrentWordInfo info;
                info.setCategory(3);
                return AmendWord(f, "CAT", false, info);
            },
            [&](int result, File& f) {
                const Contents after = tableContents(f);
                if (result == DictResult::kDone) {
                    EXPECT_EQ(after, moved);
                } else {
                    ASSERT_EQ(result, DictResult::kFileError);
                    EXPECT_TRUE(after == before || after == moved || after == inBoth);
                }
                expectStatuses(f, "CAT", 2);
            });
    }
}

// --- the one retry of a link write ------------------------------------------------------------

TEST(WriteWithRetry, RetriesAFailedWriteOnceAndNeverAFailedSeek)
{
    DictionaryOnDisk dict(base());
    auto file = dict.open();
    const std::uint8_t bytes[4] = { 1, 2, 3, 4 };

    FileFaults::reset();
    FileFaults::failNth(FileOp::Write, 1);
    EXPECT_TRUE(writeWithRetry(*file, 100, bytes, 4));
    EXPECT_EQ(FileFaults::count(FileOp::Write), 2);
    const Bytes written = dict.bytes();
    EXPECT_EQ(Bytes(written.begin() + 100, written.begin() + 104), Bytes(bytes, bytes + 4));

    FileFaults::reset();
    FileFaults::failNth(FileOp::Write, 1, 2);
    EXPECT_FALSE(writeWithRetry(*file, 200, bytes, 4));
    EXPECT_EQ(FileFaults::count(FileOp::Write), 2);

    FileFaults::reset();
    FileFaults::failNth(FileOp::Seek, 1);
    EXPECT_FALSE(writeWithRetry(*file, 300, bytes, 4));
    EXPECT_EQ(FileFaults::count(FileOp::Write), 0);
    FileFaults::reset();
    EXPECT_EQ(u32At(dict.bytes(), 200), u32At(base(), 200));
    EXPECT_EQ(u32At(dict.bytes(), 300), u32At(base(), 300));
}

struct Counts
{
    int seeks, writes;
};

Counts countOf(const Bytes& image, const Operation& op)
{
    DictionaryOnDisk dict(image);
    auto file = dict.open();
    FileFaults::reset();
    op(*file);
    const Counts c { FileFaults::count(FileOp::Seek), FileFaults::count(FileOp::Write) };
    FileFaults::reset();
    return c;
}

// The last write of an add is the link that puts the new record into its chain.
TEST(WriteWithRetry, AddSurvivesOneFailedLinkWriteButNotTwo)
{
    const Operation add = [](File& f) {
        CurrentWordInfo info;
        return AddWord(f, "CAZ", info);
    };
    const Counts clean = countOf(base(), add);
    const struct
    {
        FileOp op;
        int n, times;
        int expected;
        int writesMade;
    } cases[] = {
        { FileOp::Write, clean.writes, 1, DictResult::kDone, clean.writes + 1 },
        { FileOp::Write, clean.writes, 2, DictResult::kFileError, clean.writes + 1 },
        { FileOp::Seek, clean.seeks, 1, DictResult::kFileError, clean.writes - 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + " x" + std::to_string(c.times));
        DictionaryOnDisk dict(base());
        int result = -1;
        {
            auto file = dict.open();
            FileFaults::reset();
            FileFaults::failNth(c.op, c.n, c.times);
            result = add(*file);
            EXPECT_EQ(FileFaults::count(FileOp::Write), c.writesMade);
            FileFaults::reset();
        }
        EXPECT_EQ(result, c.expected);
        auto file = dict.open();
        CurrentWordInfo info;
        EXPECT_EQ(FindWord(*file, "CAZ", info),
            c.expected == DictResult::kDone ? DictResult::kDone : DictResult::kNotFound);
        EXPECT_EQ(FindWord(*file, "CAT", info), DictResult::kDone);
    }
}

// The first write of a removal takes the word out of its chain; the first write of an amend in
// place writes the word's flags. Both are retried once.
TEST(WriteWithRetry, RemoveAndAmendSurviveOneFailedWriteButNotTwo)
{
    const struct
    {
        const char* name;
        Operation op;
        std::function<bool(File&)> changed;
    } cases[] = {
        { "remove", [](File& f) { return RemoveWord(f, "CAT"); },
            [](File& f) {
                CurrentWordInfo info;
                return FindWord(f, "CAT", info) == DictResult::kNotFound;
            } },
        { "amend in place",
            [](File& f) {
                CurrentWordInfo info;
                info.setLanguage(1);
                return AmendWord(f, "CAT", false, info);
            },
            [](File& f) {
                CurrentWordInfo info;
                return FindWord(f, "CAT", info) == DictResult::kDone && info.language() == 1;
            } },
    };
    for (const auto& c : cases) {
        for (int times : { 1, 2 }) {
            SCOPED_TRACE(std::string(c.name) + " x" + std::to_string(times));
            const Bytes image = base();
            DictionaryOnDisk dict(image);
            int result = -1;
            {
                auto file = dict.open();
                FileFaults::reset();
                FileFaults::failNth(FileOp::Write, 1, times);
                result = c.op(*file);
                FileFaults::reset();
            }
            auto file = dict.open();
            if (times == 1) {
                EXPECT_EQ(result, DictResult::kDone);
                EXPECT_TRUE(c.changed(*file));
            } else {
                EXPECT_EQ(result, DictResult::kFileError);
                EXPECT_FALSE(c.changed(*file));
                EXPECT_EQ(dict.bytes(), image);
            }
        }
    }
}

// Every write of every change is retried once: each one failing once leaves the same file, byte
// for byte, and the same result as a change that met no failure. Failing twice, the change stops
// with a file error and the file checks whole (the sweeps above); a removal whose record the free
// list could not take still removed the word and says so.
TEST(WriteWithRetry, EveryWriteOfEveryChangeSurvivesOneFailure)
{
    const Bytes images[] = { base(), baseWithFreeRecord() };
    const struct
    {
        const char* name;
        Operation op;
    } changes[] = {
        { "add",
            [](File& f) {
                CurrentWordInfo info;
                return AddWord(f, "CAZ", info);
            } },
        { "add to a category",
            [](File& f) {
                CurrentWordInfo info;
                info.setCategory(6);
                return AddWord(f, "CAZ", info);
            } },
        { "remove", [](File& f) { return RemoveWord(f, "CAT"); } },
        { "amend in place with its sound",
            [](File& f) {
                CurrentWordInfo info;
                info.setLanguage(2);
                info.setSoundIndex(77);
                return AmendWord(f, "DOG", true, info);
            } },
        { "move to a category",
            [](File& f) {
                CurrentWordInfo info;
                info.setCategory(3);
                return AmendWord(f, "CAT", false, info);
            } },
        { "move to the main table",
            [](File& f) {
                CurrentWordInfo info;
                return AmendWord(f, "ZEBRA", false, info);
            } },
        { "status",
            [](File& f) {
                CurrentWordInfo info;
                std::uint32_t at = 0;
                if (FindWord(f, "CAT", info, &at) != DictResult::kDone)
                    return -1;
                info.setStatus(4, 0);
                return StoreWordInfo(f, at, info) ? DictResult::kDone : DictResult::kFileError;
            } },
    };
    for (const Bytes& image : images) {
        for (const auto& c : changes) {
            SCOPED_TRACE(c.name);
            DictionaryOnDisk dict(image);
            int writes = 0, clean = -1;
            {
                auto file = dict.open();
                FileFaults::reset();
                clean = c.op(*file);
                writes = FileFaults::count(FileOp::Write);
                FileFaults::reset();
            }
            ASSERT_EQ(clean, DictResult::kDone);
            ASSERT_GT(writes, 0);
            const Bytes expected = dict.bytes();
            for (int n = 1; n <= writes; ++n) {
                SCOPED_TRACE("write " + std::to_string(n) + " fails once");
                dict.reset(image);
                int result = -1;
                {
                    auto file = dict.open();
                    FileFaults::failNth(FileOp::Write, n);
                    result = c.op(*file);
                    EXPECT_EQ(FileFaults::count(FileOp::Write), writes + 1);
                    FileFaults::reset();
                }
                EXPECT_EQ(result, DictResult::kDone);
                EXPECT_EQ(dict.bytes(), expected);
            }
        }
    }
}

// The free list's two writes come last in a removal: failing twice, they leave the word removed
// and its record out of reach, and the removal says which.
TEST(WriteWithRetry, RemovalWhoseRecordTheFreeListCannotTakeStillRemovesTheWord)
{
    const Operation remove = [](File& f) { return RemoveWord(f, "CAT"); };
    const Counts clean = countOf(base(), remove);
    for (int n : { clean.writes - 1, clean.writes }) {
        SCOPED_TRACE(n);
        DictionaryOnDisk dict(base());
        ChangeNotes notes;
        {
            auto file = dict.open();
            FileFaults::failNth(FileOp::Write, n, 2);
            EXPECT_EQ(RemoveWord(*file, "CAT", &notes), DictResult::kFileError);
            FileFaults::reset();
        }
        EXPECT_TRUE(notes.unlinked);
        EXPECT_TRUE(notes.recordNotFreed);
        auto file = dict.open();
        CurrentWordInfo info;
        EXPECT_EQ(FindWord(*file, "CAT", info), DictResult::kNotFound);
        const DictionaryCheckReport report = checkDictionary(*file);
        EXPECT_TRUE(report.ok);
        EXPECT_EQ(report.freeRecords, 0u);
    }
}

} // namespace
} // namespace quorvel::test
