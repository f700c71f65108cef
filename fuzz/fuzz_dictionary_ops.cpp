// A sequence of word operations on a valid dictionary, decoded from the input: add, remove, amend
// (a category change moves the word between the main and the category table), set a user's status,
// find. Any operation may run with the file-failure hooks armed from its own bytes. Each opens
// the file, works and closes it, as the program's tools do.
//
// Valid stays valid: after every operation, failed or not, the checker finds no damage, only
// moves cut short, each of a word whose amend or removal failed (at that step or before, and not
// finished since). Each result is the documented one for what the file held, and the words are
// what the result says: an add that failed keeps every word and adds nothing, a removal that
// failed keeps every other word, a move that failed leaves the word in at least one table, an
// amend keeps the ten statuses and finishes a move cut short, a find finds a moving word's
// current copy.
// A removed word's record goes on the free list, and an add whose text fits a free record reuses
// one instead of growing the file.
//
// Input: the starting dictionary (1), then operations: kind (1; the high bit arms failures from
// the next 3), word (1: one of the words so far, or a new word from the bytes after it), and the
// kind's own values.

#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "fuzz_support.h"

#include <algorithm>
#include <map>
#include <optional>

using namespace quorvel;

namespace {

constexpr int kMaxOperations = 24;
constexpr std::size_t kMaxPool = 64;
const char* const kRelative = "progdata/sonddict.dis";

enum Kind
{
    kAdd,
    kRemove,
    kAmend,
    kSetStatus,
    kFind,
    kKinds
};

using Contents = std::vector<std::string>;

struct Snapshot
{
    std::vector<std::uint8_t> bytes;
    Contents contents;
    std::vector<std::size_t> freeLengths; // the free list's first records' text lengths
    std::uint64_t size = 0;
    std::map<std::string, InterruptedMove> moving; // moves cut short, by word
};

// What the file holds, checked. A file whose bytes did not change is not checked again.
Snapshot snapshot(const Snapshot* previous = nullptr)
{
    Snapshot s;
    s.bytes = fuzz::readScratchFile(kRelative);
    if (previous && s.bytes == previous->bytes)
        return *previous;
    auto file = openDictionaryFile(fuzz::scratchFolder() + "/" + kRelative, false);
    FUZZ_CHECK(file != nullptr, "the dictionary cannot be opened");
    const DictionaryCheckReport report = checkDictionary(*file);
    FUZZ_CHECK(report.ok || report.onlyInterruptedMoves(),
        report.problems.empty() ? "damaged" : report.problems.front());
    for (const InterruptedMove& move : report.interruptedMoves)
        s.moving[move.word] = move;
    s.contents = tableContents(*file);
    s.size = file->size();
    FUZZ_CHECK(fuzz::freeRecordTextLengths(*file, s.freeLengths, dict::kFreeListReuseLimit),
        "the free list cannot be walked");
    return s;
}

// Where the word is: 'M', 'C', both ('B') or neither (0).
char placeOf(const Contents& contents, const std::string& word)
{
    const bool main = std::find(contents.begin(), contents.end(), "M:" + word) != contents.end();
    const bool category
        = std::find(contents.begin(), contents.end(), "C:" + word) != contents.end();
    return main && category ? 'B' : main ? 'M' : category ? 'C' : 0;
}

// Where FindWord finds the word: the table of its only copy, or of a moving word's current copy.
char findPlace(const Snapshot& s, const std::string& word)
{
    const auto moving = s.moving.find(word);
    if (moving == s.moving.end())
        return placeOf(s.contents, word);
    // Of two copies the current one is in the right table; a copy alone is found where it lies.
    const bool inMain = (moving->second.wrongTable == Table::Main) != moving->second.inBothTables;
    return inMain ? 'M' : 'C';
}

// The contents without any entry of the word.
Contents others(Contents contents, const std::string& word)
{
    std::erase(contents, "M:" + word);
    std::erase(contents, "C:" + word);
    return contents;
}

Contents without(Contents contents, const std::string& entry)
{
    std::erase(contents, entry);
    return contents;
}

std::string newWord(fuzz::InputReader& in)
{
    // Mostly letters of either case; now and then a character no word may hold.
    static const char kOdd[] = { '-', '\'', ' ', '?', '\xE9', '0' };
    const int length = 1 + in.u8() % 14;
    std::string word;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t b = in.u8();
        if (b % 32 < 26)
            word += static_cast<char>('A' + b % 32);
        else if (b % 32 < 30)
            word += static_cast<char>('a' + b / 32 % 26);
        else
            word += kOdd[b / 32 % sizeof kOdd];
    }
    return word;
}

struct Statuses
{
    std::uint16_t values[10] = {};
    bool operator==(const Statuses&) const = default;
};

Statuses statusesOf(CurrentWordInfo& info)
{
    Statuses s;
    for (int u = 0; u < 10; ++u)
        s.values[u] = info.status(u);
    return s;
}

// Finds the word with a fresh handle and no failures armed.
FindResult findNow(const std::string& word, CurrentWordInfo& info)
{
    auto file = openDictionaryFile(fuzz::scratchFolder() + "/" + kRelative, false);
    FUZZ_CHECK(file != nullptr, "the dictionary cannot be opened");
    return FindWord(*file, word, info);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    // The starting dictionaries are checked once per process.
    static Snapshot starts[3];
    const int start = in.u8() % 3;
    const std::vector<std::uint8_t>& image = start == 0 ? fuzz::smallDictionary()
        : start == 1                                    ? fuzz::dictionaryWithFreeRecords()
                                                        : fuzz::largeDictionary();
    fuzz::writeInput(kRelative, image);
    if (starts[start].bytes.empty())
        starts[start] = snapshot();
    Snapshot before = starts[start];
    std::vector<std::string> pool;
    for (const std::string& entry : before.contents)
        if (pool.size() < kMaxPool)
            pool.push_back(entry.substr(2));

    for (int step = 0; step < kMaxOperations && !in.empty(); ++step) {
        const std::uint8_t kindByte = in.u8();
        const auto kind = static_cast<Kind>((kindByte & 0x7F) % kKinds);
        const fuzz::FaultPlan plan = kindByte & 0x80 ? fuzz::readFaultPlan(in) : fuzz::FaultPlan {};
        const std::uint8_t pick = in.u8();
        const std::string word
            = pick < 200 && !pool.empty() ? pool[pick % pool.size()] : newWord(in);
        std::string checked = word;
        const bool suitable = CheckWord(checked);
        const std::uint8_t a = in.u8();
        const std::uint8_t b = in.u8();
        const auto category = static_cast<std::uint16_t>(a < 128 ? 0 : a % 64);

        CurrentWordInfo found;
        const DictResult foundBefore
            = suitable ? toDictResult(findNow(checked, found)) : DictResult::NotSuitable;
        const Statuses statusesBefore = statusesOf(found);
        const char where = suitable ? placeOf(before.contents, checked) : 0;

        static const char* const kNames[] = { "add", "remove", "amend", "set status", "find" };
        const std::string what = std::string(kNames[kind]) + " \"" + word + "\" with "
            + fuzz::describe(plan) + ", step " + std::to_string(step);
        // Each operation's documented number, so that one set of checks serves them all.
        std::optional<DictResult> result;
        bool stored = false;
        bool opened = false;
        {
            fuzz::ArmedFaults armed(plan);
            auto file = openDictionaryFile(fuzz::scratchFolder() + "/" + kRelative, false);
            opened = file != nullptr;
            if (file) {
                CurrentWordInfo info = found;
                switch (kind) {
                case kAdd:
                    info.setCategory(category);
                    info.setLanguage(static_cast<std::uint16_t>(b % 4));
                    result = toDictResult(AddWord(*file, word, info));
                    break;
                case kRemove:
                    result = toDictResult(RemoveWord(*file, word));
                    break;
                case kAmend:
                    info.setCategory(category);
                    info.setLanguage(static_cast<std::uint16_t>(b % 4));
                    info.setSoundIndex(b);
                    result = toDictResult(AmendWord(*file, word, (b & 0x80) != 0, info));
                    break;
                case kSetStatus: {
                    std::uint32_t offset = 0;
                    const FindResult find = FindWord(*file, word, info, &offset);
                    result = toDictResult(find);
                    if (isFound(find)) {
                        info.setStatus(a % 10, static_cast<std::uint16_t>(b % 4));
                        stored = StoreWordInfo(*file, offset, info);
                    }
                    break;
                }
                default:
                    result = toDictResult(FindWord(*file, word, info));
                    break;
                }
                CloseDictionary(file);
            } else {
                FUZZ_CHECK(plan.armed, "the dictionary cannot be opened; " + what);
            }
        }

        const Snapshot after = snapshot(&before); // also: the checker finds no damage
        const std::string told
            = what + " gave " + (result ? std::to_string(resultCode(*result)) : "nothing");
        const bool failed = result == DictResult::FileError;
        // A move is cut short only by a failed change of that word; nothing else starts one.
        for (const auto& [movingWord, move] : after.moving) {
            FUZZ_CHECK(before.moving.count(movingWord)
                    || (failed && movingWord == checked && (kind == kAmend || kind == kRemove)),
                movingWord + " is moving after " + told);
        }
        const Contents& was = before.contents;
        const Contents& now = after.contents;
        FUZZ_CHECK(!failed || plan.armed, "a file error without a failure; " + told);
        if (!opened) {
            FUZZ_CHECK(now == was, "an operation that could not open the file changed it; " + told);
            before = after;
            continue;
        }

        switch (kind) {
        case kAdd: {
            if (!suitable) {
                FUZZ_CHECK(result == DictResult::NotFound && now == was, told);
                break;
            }
            if (where != 0) {
                FUZZ_CHECK((result == DictResult::AlreadyThere || failed) && now == was, told);
                break;
            }
            if (result != DictResult::Done) {
                FUZZ_CHECK(failed && now == was, "a failed add changed the words; " + told);
                break;
            }
            const char wanted = category != 0 ? 'C' : 'M';
            FUZZ_CHECK(placeOf(now, checked) == wanted && others(now, checked) == was,
                "an add did not add just the word; " + told);
            const std::size_t text = checked.size() - 2;
            const auto fits
                = std::count(before.freeLengths.begin(), before.freeLengths.end(), text);
            if (fits > 0) {
                FUZZ_CHECK(after.size == before.size,
                    "an add grew the file though a free record fits; " + told);
                FUZZ_CHECK(std::count(after.freeLengths.begin(), after.freeLengths.end(), text)
                        == fits - 1,
                    "an add did not take the free record; " + told);
            }
            if (pool.size() < kMaxPool)
                pool.push_back(checked);
            break;
        }
        case kRemove: {
            if (!suitable) {
                FUZZ_CHECK(result == DictResult::NotSuitable && now == was, told);
                break;
            }
            if (where == 0) {
                FUZZ_CHECK((result == DictResult::NotFound || failed) && now == was, told);
                break;
            }
            // A word in both tables (a move cut short) is refused when either copy has a sound.
            if (result == DictResult::SoundLinked) {
                FUZZ_CHECK((found.soundIndex() != 0 || where == 'B') && now == was, told);
                break;
            }
            // Both copies of a word in both tables go, the category table's first.
            const Contents removed = others(was, checked);
            if (failed) {
                FUZZ_CHECK(now == was || now == removed
                        || (where == 'B' && now == without(was, "C:" + checked)),
                    "a failed removal changed other words; " + told);
                break;
            }
            FUZZ_CHECK(result == DictResult::Done && now == removed
                    && (found.soundIndex() == 0 || where == 'B'),
                "a removal did not remove just the word; " + told);
            const std::size_t copies = where == 'B' ? 2 : 1;
            if (before.freeLengths.size() + copies
                <= static_cast<std::size_t>(dict::kFreeListAppendLimit))
                FUZZ_CHECK(after.freeLengths.size() == before.freeLengths.size() + copies
                        && after.freeLengths.back() == checked.size() - 2,
                    "a removed word's record is not on the free list; " + told);
            break;
        }
        case kAmend: {
            if (!suitable || where == 0) {
                FUZZ_CHECK((result == DictResult::NotFound || failed) && now == was, told);
                break;
            }
            const char wanted = category != 0 ? 'C' : 'M';
            if (failed) {
                FUZZ_CHECK(
                    placeOf(now, checked) != 0 && others(now, checked) == others(was, checked),
                    "a failed amend lost the word or changed others; " + told);
                break;
            }
            // Also of a word a failed move left in both tables or in the wrong one: the amend
            // finishes the move.
            FUZZ_CHECK(!after.moving.count(checked), "an amend left the word moving; " + told);
            FUZZ_CHECK(result == DictResult::Done && placeOf(now, checked) == wanted
                    && others(now, checked) == others(was, checked),
                "an amend did not put the word in its table; " + told);
            CurrentWordInfo amended;
            findNow(checked, amended);
            FUZZ_CHECK(statusesOf(amended) == statusesBefore && amended.category() == category,
                "an amend changed the statuses or missed the category; " + told);
            break;
        }
        case kSetStatus: {
            FUZZ_CHECK(now == was, "setting a status changed the words; " + told);
            if (!suitable || where == 0)
                break;
            FUZZ_CHECK(stored || plan.armed, "a status was not stored; " + told);
            if (!stored)
                break;
            CurrentWordInfo changed;
            findNow(checked, changed);
            Statuses expected = statusesBefore;
            expected.values[a % 10] = static_cast<std::uint16_t>(b % 4);
            FUZZ_CHECK(statusesOf(changed) == expected, "the statuses read back differ; " + told);
            break;
        }
        default: {
            FUZZ_CHECK(now == was, "finding a word changed the words; " + told);
            if (plan.armed)
                break;
            const char place = suitable ? findPlace(before, checked) : 0;
            const DictResult expected = !suitable ? DictResult::NotSuitable
                : place == 'M'                    ? DictResult::Done
                : place == 'C'                    ? DictResult::FoundInCategory
                                                  : DictResult::NotFound;
            FUZZ_CHECK(result == expected && foundBefore == expected, told);
            break;
        }
        }
        before = after;
    }
    return 0;
}
