// Crash consistency: a child process makes a series of changes to a small dictionary and its
// user's list and is ended at its k-th write, before that write reaches the file, as a crash or a
// power cut would end it; k runs from 1 until a child gets through every change. After each end
// the dictionary must check whole, or hold nothing but a move between the tables cut short (which
// a repair then finishes); every word no change touches must be there with its ten statuses, and
// each changed word must be as it was or as the change made it, the changes before the one under
// way all done and the ones after it not begun. A list's results are applied at most once.

#include "support/dictionary_test_support.h"

#include "config/startup_info.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

constexpr int kEndedAtWrite = 77; // the child's exit status when its k-th write ended it
constexpr int kListUser = 2;

// Every word starts with its own status for each user.
int initialStatus(const std::string& word, int user)
{
    return (word[0] + word[2] + user) % 4;
}

struct Place
{
    bool present = false;
    int category = 0;
};

// A word's expected state: where it is and its ten statuses.
struct Expected
{
    Place place;
    std::array<int, 10> statuses {};
};

Expected original(const std::string& word, int category = 0)
{
    Expected e { { true, category }, {} };
    for (int u = 0; u < 10; ++u)
        e.statuses[static_cast<std::size_t>(u)] = initialStatus(word, u);
    return e;
}

Expected absent()
{
    return {};
}

Expected added()
{
    Expected e { { true, 0 }, {} };
    e.statuses.fill(1);
    return e;
}

const std::vector<DictionaryEntry>& words()
{
    static const std::vector<DictionaryEntry> list = { entry("CAB"), entry("CAT"), entry("COW"),
        entry("DOG"), entry("EMU"), entry("HEN"), entry("OWL"), entry("PIG"), entry("YAK"),
        entry("ZEBRA", 3), entry("KIWI", 7), entry("CATS", 5) };
    return list;
}

// One change of the series, what the word it touches is before and after it.
struct Change
{
    const char* name;
    std::function<bool(File&)> run; // true when it gave the expected result
    std::map<std::string, std::pair<Expected, Expected>> words; // before, after
};

Expected withStatus(Expected e, int user, int status)
{
    e.statuses[static_cast<std::size_t>(user)] = status;
    return e;
}

Expected inCategory(Expected e, int category)
{
    e.place.category = category;
    return e;
}

std::vector<Change> dictionaryChanges()
{
    const auto add = [](const char* w) {
        return [w](File& f) {
            CurrentWordInfo info;
            return AddWord(f, w, info) == AddResult::Added;
        };
    };
    const auto remove = [](const char* w) {
        return [w](File& f) { return RemoveWord(f, w) == RemoveResult::Removed; };
    };
    const auto move = [](const char* w, int category) {
        return [w, category](File& f) {
            CurrentWordInfo info;
            if (FindWord(f, w, info) == FindResult::NotFound)
                return false;
            info.setCategory(static_cast<std::uint16_t>(category));
            return AmendWord(f, w, false, info) == AmendResult::Amended;
        };
    };
    const int dogStatus = (initialStatus("DOG", 4) + 1) % 4;
    return {
        { "remove COW", remove("COW"), { { "COW", { original("COW"), absent() } } } },
        // CAW's text is COW's: it takes COW's record off the free list.
        { "add CAW", add("CAW"), { { "CAW", { absent(), added() } } } },
        { "add ELK", add("ELK"), { { "ELK", { absent(), added() } } } },
        { "status of DOG",
            [dogStatus](File& f) {
                CurrentWordInfo info;
                std::uint32_t at = 0;
                if (FindWord(f, "DOG", info, &at) != FindResult::InMain)
                    return false;
                info.setStatus(4, static_cast<std::uint16_t>(dogStatus));
                return StoreWordInfo(f, at, info);
            },
            { { "DOG", { original("DOG"), withStatus(original("DOG"), 4, dogStatus) } } } },
        { "remove HEN", remove("HEN"), { { "HEN", { original("HEN"), absent() } } } },
        // CAT's new copy takes HEN's record off the free list (their texts have one letter).
        { "move CAT to category 5", move("CAT", 5),
            { { "CAT", { original("CAT"), inCategory(original("CAT"), 5) } } } },
        { "move ZEBRA to the main table", move("ZEBRA", 0),
            { { "ZEBRA", { original("ZEBRA", 3), original("ZEBRA", 0) } } } },
        // HENS is longer than any free record: it goes at the end of the file.
        { "add HENS to category 7",
            [](File& f) {
                CurrentWordInfo info;
                info.setCategory(7);
                return AddWord(f, "HENS", info) == AddResult::Added;
            },
            { { "HENS", { absent(), inCategory(added(), 7) } } } },
    };
}

// The list applied last: EMU answered right, PIG wrong, by user 2.
Expected emuAfter()
{
    return withStatus(
        original("EMU"), kListUser, nextWordStatus(initialStatus("EMU", kListUser), true));
}
Expected pigAfter()
{
    return withStatus(
        original("PIG"), kListUser, nextWordStatus(initialStatus("PIG", kListUser), false));
}

class CrashTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        startup.setDictionaryFolder(folder.path());
        startup.setDataFolder(folder.path());
        writeBytes(dictionaryPath(), buildDictionaryImage(words()));
        auto dictionary = OpenDictionary(startup);
        ASSERT_TRUE(dictionary);
        for (const DictionaryEntry& e : words()) {
            CurrentWordInfo word;
            std::uint32_t at = 0;
            ASSERT_TRUE(isFound(FindWord(*dictionary, e.word, word, &at)));
            for (int u = 0; u < 10; ++u)
                word.setStatus(u, static_cast<std::uint16_t>(initialStatus(e.word, u)));
            ASSERT_TRUE(StoreWordInfo(*dictionary, at, word));
        }
        auto list = WordFile::open(folder.path(), kListUser, OpenMode::Create);
        ASSERT_TRUE(list);
        int i = 0;
        for (const auto& [w, right] : { std::pair { "EMU", true }, std::pair { "PIG", false } }) {
            CurrentWordInfo word;
            WordFileRecord r;
            r.word = w;
            r.bucketOffset = slotOf(w);
            ASSERT_EQ(FindWord(*dictionary, w, word, &r.dictionaryOffset), FindResult::InMain);
            r.result = right ? 1 : 0;
            r.answer = right ? w : "X";
            ASSERT_TRUE(list->appendListRecord(
                i++, r, ListState::kFreshDictionary, kMainTable, 2, ListType::Random));
        }
        ASSERT_TRUE(list->finishList(2, ListType::Random, ListState::kFreshDictionary));
        ASSERT_TRUE(list->close());
        ASSERT_TRUE(CloseDictionary(dictionary));
        dictionaryImage = readBytes(dictionaryPath());
        listImage = readBytes(listPath());
    }

    std::string dictionaryPath() const { return folder.file("progdata/sonddict.dis"); }
    std::string listPath() const { return folder.file("progdata/worduse2.wrd"); }

    // The child: every change in turn, telling the pipe the number of the change it begins.
    [[noreturn]] void runChild(int k, int pipeOut)
    {
        FileFaults::reset();
        FileFaults::exitAtNth(FileOp::Write, k, kEndedAtWrite);
        const std::vector<Change> changes = dictionaryChanges();
        auto tell = [&](std::size_t index) {
            const auto byte = static_cast<std::uint8_t>(index);
            if (::write(pipeOut, &byte, 1) != 1)
                ::_exit(3);
        };
        {
            auto dictionary = OpenDictionary(startup);
            if (!dictionary)
                ::_exit(4);
            for (std::size_t i = 0; i < changes.size(); ++i) {
                tell(i);
                if (!changes[i].run(*dictionary))
                    ::_exit(static_cast<int>(10 + i));
            }
            if (!dictionary->sync() || !CloseDictionary(dictionary))
                ::_exit(5);
        }
        // The end of a drill's first pass, as the drill and `list apply` do it.
        tell(changes.size());
        auto list = WordFile::open(folder.path(), kListUser, OpenMode::ReadWrite);
        if (!list || !ApplyListResults(*list, startup, kListUser)
            || !list->finishList(2, ListType::Random, ListState::kSpeltOnce) || !list->file().sync()
            || !list->close())
            ::_exit(6);
        tell(changes.size() + 1);
        ::_exit(0);
    }

    // Runs a child ended at its k-th write. Returns the number of the step it was in when it
    // ended (changes.size() + 1 when it got through them all) and whether it was ended.
    std::pair<int, bool> runUntilWrite(int k)
    {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            runChild(k, fds[1]);
        }
        ::close(fds[1]);
        int step = -1;
        std::uint8_t byte = 0;
        while (::read(fds[0], &byte, 1) == 1)
            step = byte;
        ::close(fds[0]);
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        const int code = WEXITSTATUS(status);
        EXPECT_TRUE(code == 0 || code == kEndedAtWrite) << "the child failed with " << code;
        return { step, code == kEndedAtWrite };
    }

    // With `whole` (the dictionary checks whole) the word must also lie in the table its
    // category asks for; a move cut short before its new copy was linked finds it in the old one.
    void expectWord(File& file, const std::string& word, const std::vector<Expected>& allowed,
        bool whole = true)
    {
        SCOPED_TRACE(word);
        CurrentWordInfo info;
        const FindResult result = FindWord(file, word, info);
        ASSERT_TRUE(result == FindResult::NotFound || isFound(result))
            << resultCode(toDictResult(result));
        Expected seen;
        seen.place = { result != FindResult::NotFound,
            result == FindResult::NotFound ? 0 : info.category() };
        if (seen.place.present) {
            if (whole) {
                EXPECT_EQ(result == FindResult::InCategory, seen.place.category != 0);
            }
            for (int u = 0; u < 10; ++u)
                seen.statuses[static_cast<std::size_t>(u)] = info.status(u);
        }
        const bool matches = std::any_of(allowed.begin(), allowed.end(), [&](const Expected& e) {
            return e.place.present == seen.place.present
                && (!e.place.present
                    || (e.place.category == seen.place.category && e.statuses == seen.statuses));
        });
        EXPECT_TRUE(matches) << "present " << seen.place.present << ", category "
                             << seen.place.category;
    }

    TempFolder folder;
    StartupInfo startup;
    Bytes dictionaryImage;
    Bytes listImage;
};

TEST_F(CrashTest, EveryWriteCutLeavesAWholeDictionaryAndEachChangeDoneOrNot)
{
    const std::vector<Change> changes = dictionaryChanges();
    const int applyStep = static_cast<int>(changes.size());
    int interruptedMoves = 0;
    int k = 1;
    for (;; ++k) {
        SCOPED_TRACE("ended at write " + std::to_string(k));
        ASSERT_LT(k, 500) << "the changes never ran to their end";
        writeBytes(dictionaryPath(), dictionaryImage);
        writeBytes(listPath(), listImage);
        const auto [step, ended] = runUntilWrite(k);
        ASSERT_GE(step, 0);
        SCOPED_TRACE("in step " + std::to_string(step));

        auto file = openDictionaryFile(dictionaryPath(), false);
        ASSERT_TRUE(file);
        const DictionaryCheckReport report = checkDictionary(*file);
        if (!report.ok) {
            // Only a move cut short, and only the move under way.
            ASSERT_TRUE(report.onlyInterruptedMoves()) << report.problems[0];
            ASSERT_EQ(report.interruptedMoves.size(), 1u);
            const std::string& moving = report.interruptedMoves[0].word;
            ASSERT_LT(step, applyStep);
            EXPECT_TRUE(changes[static_cast<std::size_t>(step)].words.count(moving)) << moving;
            ++interruptedMoves;
        }

        // Every word: untouched ones as they were; changed ones by where the series stopped.
        const auto checkWords = [&](File& f, bool whole) {
            for (const DictionaryEntry& e : words()) {
                if (e.word == "EMU" || e.word == "PIG")
                    continue;
                bool touched = false;
                for (const Change& c : changes)
                    touched = touched || c.words.count(e.word);
                if (!touched)
                    expectWord(f, e.word, { original(e.word, e.category) }, whole);
            }
            for (std::size_t i = 0; i < changes.size(); ++i) {
                for (const auto& [word, states] : changes[i].words) {
                    const int at = static_cast<int>(i);
                    if (at < step)
                        expectWord(f, word, { states.second }, whole);
                    else if (at > step)
                        expectWord(f, word, { states.first }, whole);
                    else
                        expectWord(f, word, { states.first, states.second }, whole);
                }
            }
        };
        checkWords(*file, report.ok);

        // The list: applied whole, not at all, or (marked used up first) in part, never twice.
        auto list = WordFile::open(folder.path(), kListUser, OpenMode::ReadOnly);
        ASSERT_TRUE(list);
        const int state = list->readState();
        list->close();
        if (step < applyStep || state == ListState::kFreshDictionary) {
            EXPECT_EQ(state, ListState::kFreshDictionary);
            expectWord(*file, "EMU", { original("EMU") });
            expectWord(*file, "PIG", { original("PIG") });
        } else if (state == ListState::kNone) {
            expectWord(*file, "EMU", { original("EMU"), emuAfter() });
            expectWord(*file, "PIG", { original("PIG"), pigAfter() });
        } else {
            EXPECT_EQ(state, ListState::kSpeltOnce);
            expectWord(*file, "EMU", { emuAfter() });
            expectWord(*file, "PIG", { pigAfter() });
        }

        if (!report.ok) {
            // The repair finishes the move; nothing else changes.
            const DictionaryRepairReport repair = repairDictionary(*file, report);
            EXPECT_FALSE(repair.failed);
            const DictionaryCheckReport after = checkDictionary(*file);
            EXPECT_TRUE(after.ok) << (after.problems.empty() ? "" : after.problems[0]);
            checkWords(*file, true);
        }
        if (!ended) {
            EXPECT_EQ(step, applyStep + 1);
            break;
        }
    }
    // The series writes a few dozen times, and some cuts fall inside the two moves.
    EXPECT_GT(k, 20);
    EXPECT_GT(interruptedMoves, 0);
}

} // namespace
} // namespace quorvel::test
