// Drill lists drawn from a dictionary with criteria taken from the input, into a user's word file,
// with the file-failure hooks armed from the input. The dictionary is one of the valid ones the
// program makes or, when the input says so, the input's own bytes.
//
// Always: the draw ends with a result, never writes the dictionary, and a list it reports as made
// reads back whole from the word file (a failed write is never reported as a list). On a valid
// dictionary without failures also: every listed word is a word of the dictionary that passes
// every test of the list type, no word comes twice, a list shorter than asked holds every word
// that passes, and a failed draw leaves no usable list behind.
//
// Input: source (1), fault plan (3), list type, shortest and longest word, count, category,
// language, user, filter mode, stop after (1 each), clock (2), one letter (text), pre-defined
// start (text), then the dictionary's bytes when the source says so.

#include "config/startup_fields.h"
#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "fuzz_support.h"

#include <set>

using namespace quorvel;

namespace {

// One input cannot make a draw run long: every word of a list may walk the whole dictionary.
constexpr int kMaxCount = 32;

class StopAfter final : public ProgressSink
{
public:
    explicit StopAfter(int words)
        : m_words(words)
    { }
    bool progress(int count) override { return m_words > 0 && count >= m_words; }

private:
    int m_words;
};

// The test a listed word must pass besides the record filter: its length and the list type's
// letters. Pre-defined starts whose first character is "?" are not judged here.
bool inRange(const std::string& word, const ListCriteria& c, const std::string& oneLetter,
    const std::string& predefined, bool& judged)
{
    judged = true;
    const auto text = static_cast<int>(word.size()) - 2;
    if (text < c.minText || text > c.maxText)
        return false;
    if (c.listType == ListType::OneLetter)
        return !oneLetter.empty() && word[0] == oneLetter[0];
    if (c.listType == ListType::Predefined) {
        const std::string pattern = predefined.substr(0, 10);
        if (pattern.empty() || pattern[0] == '?') {
            judged = false;
            return false;
        }
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (pattern[i] == '?')
                continue;
            if (i >= word.size() || word[i] != pattern[i])
                return false;
        }
    }
    return true;
}

bool criteriaAreValid(
    const ListCriteria& c, const std::string& oneLetter, const std::string& predefined)
{
    const int type = listTypeNumber(c.listType);
    if (c.user > 9 || type < listTypeNumber(ListType::Random)
        || type > listTypeNumber(ListType::Failures))
        return false;
    if (c.listType == ListType::OneLetter)
        return !oneLetter.empty() && oneLetter[0] >= 'A' && oneLetter[0] <= 'Z';
    if (c.listType == ListType::Predefined)
        return predefinedPattern(predefined).has_value();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const std::uint8_t source = in.u8();
    const fuzz::FaultPlan plan = fuzz::readFaultPlan(in);
    ListCriteria c;
    c.listType = listTypeFromNumber(in.u8() % 6);
    const int minLetters = in.u8() % 40;
    const int maxLetters = in.u8() % 40;
    c.minText = static_cast<std::int16_t>(minLetters - 2);
    c.maxText = static_cast<std::int16_t>(maxLetters - 2);
    c.count = static_cast<std::uint16_t>(in.u8() % (kMaxCount + 1));
    const std::uint8_t category = in.u8();
    c.category = static_cast<std::uint16_t>(category < 128 ? 0 : (category - 128) % 66);
    c.language = static_cast<std::int16_t>(in.u8() % 4);
    c.user = static_cast<std::uint16_t>(in.u8() % 11);
    c.filterMode = in.u8() % 4u;
    c.skipMismatch = 1;
    const int stopAfter = in.u8() % (kMaxCount + 1);
    fuzz::StillClock clock(in.u16());
    const std::string oneLetter = in.text(startupField(StartupFieldId::OneLetter).width);
    const std::string predefined = in.text(startupField(StartupFieldId::Predefined).width);

    const bool validDictionary = (source & 1) == 0;
    std::vector<std::uint8_t> dictionary;
    if (validDictionary) {
        switch (source / 2 % 3) {
        case 0:
            dictionary = fuzz::smallDictionary();
            break;
        case 1:
            dictionary = fuzz::dictionaryWithFreeRecords();
            break;
        default:
            dictionary = fuzz::largeDictionary();
            break;
        }
    } else {
        dictionary.assign(in.rest(), in.rest() + in.restSize());
    }
    const std::string& folder = fuzz::scratchFolder();
    fuzz::writeInput("progdata/sonddict.dis", dictionary);
    for (int slot = 0; slot <= 9; ++slot)
        fuzz::removeScratchFile("progdata/worduse" + std::to_string(slot) + ".wrd");

    StartupInfo info;
    FillStartupDefaults(info, folder);
    if (c.user <= 9) {
        ListSetupRecord setup = info.listSetup(c.user);
        setup.oneLetter = oneLetter;
        setup.predefined = predefined;
        info.setListSetup(c.user, setup);
    }
    // What the record keeps is what the draw reads (texts cut to their fields).
    const std::string keptLetter = c.user <= 9 ? info.listSetup(c.user).oneLetter : "";
    const std::string keptPattern = c.user <= 9 ? info.listSetup(c.user).predefined : "";

    DefaultRandomSource random;
    StopAfter stop(stopAfter);
    ListGenerationServices services { random, clock, &stop };
    ListCriteria asked = c;
    int made;
    {
        fuzz::ArmedFaults armed(plan);
        made = GenerateDrillList(info, c, services, true);
    }
    const std::string what = fuzz::describe(plan) + ", list type "
        + std::to_string(listTypeNumber(asked.listType)) + ", " + std::to_string(made) + " of "
        + std::to_string(asked.count) + " words";

    FUZZ_CHECK(fuzz::readScratchFile("progdata/sonddict.dis") == dictionary,
        "drawing a list changed the dictionary; " + what);
    FUZZ_CHECK(made >= 0 && made <= asked.count, what);

    // On a valid dictionary, without failures: the words that pass every test of the list.
    const bool judge = validDictionary && !plan.armed;
    const Table table = asked.category != 0 ? Table::Category : Table::Main;
    const int status = asked.listType == ListType::Failures ? 0 : 3;
    auto passes = [&](const WordRecordHeader& record, const std::string& word, bool& judged) {
        return MatchesFilter(
                   record, asked.language, asked.category, status, asked.filterMode, asked.user)
            && inRange(word, asked, keptLetter, keptPattern, judged);
    };
    // Calls visit(word, passes) for every word of the list's table that is judged.
    auto everyWord = [&](File& file, const auto& visit) {
        forEachRecord(file, ReadTableOffset(file, table), true,
            [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& record,
                std::string_view text) {
                char letters[2];
                BucketLetters(slot, letters);
                const std::string word = std::string(letters, 2) + std::string(text);
                bool judged = true;
                const bool ok = passes(record, word, judged);
                if (judged)
                    visit(word, ok);
                return true;
            });
    };
    const bool validCriteria = criteriaAreValid(asked, keptLetter, keptPattern);

    auto wordFile = WordFile::open(folder, asked.user, OpenMode::ReadOnly);
    if (made == 0) {
        if (!plan.armed && wordFile)
            FUZZ_CHECK(wordFile->readState() == ListState::kNone || asked.count == 0,
                "a failed draw left a usable list; " + what);
        if (judge && validCriteria && asked.count > 0) {
            auto file = openDictionaryFile(folder + "/progdata/sonddict.dis", false);
            FUZZ_CHECK(file != nullptr, "the dictionary cannot be opened again");
            everyWord(*file, [&](const std::string& word, bool ok) {
                FUZZ_CHECK(!ok, word + " passes, yet no list was drawn; " + what);
            });
        }
        return 0;
    }

    // A list reported as made is in the file, whatever failed on the way.
    FUZZ_CHECK(wordFile != nullptr, "the list's word file cannot be opened; " + what);
    WordFileHeader header;
    FUZZ_CHECK(wordFile->readHeader(header), "the list's header cannot be read; " + what);
    FUZZ_CHECK(header.state == ListState::kFreshDictionary && header.count == made
            && header.listType == listTypeNumber(asked.listType),
        "the header does not tell the list made; " + what);
    std::vector<WordFileEntry> entries;
    FUZZ_CHECK(wordFile->readList(entries, kMaxCount + 1) && entries.size() == std::size_t(made),
        "the list does not read back; " + what);
    if (stopAfter > 0)
        FUZZ_CHECK(made <= stopAfter, "the draw went on after it was asked to stop; " + what);
    if (!judge)
        return 0;

    auto file = openDictionaryFile(folder + "/progdata/sonddict.dis", false);
    FUZZ_CHECK(file != nullptr, "the dictionary cannot be opened again");
    std::set<std::string> listed;
    for (const WordFileEntry& entry : entries) {
        const std::string& word = entry.record.word;
        FUZZ_CHECK(listed.insert(word).second, word + " is listed twice; " + what);
        CurrentWordInfo wordInfo;
        std::uint32_t offset = 0;
        const FindResult found = FindWord(*file, word, wordInfo, &offset);
        FUZZ_CHECK(found == (table == Table::Main ? FindResult::InMain : FindResult::InCategory)
                && offset == entry.record.dictionaryOffset,
            word + " is not where the list says; " + what);
        WordRecordHeader record;
        FUZZ_CHECK(ReadRecordHeader(*file, offset, record), "cannot read " + word);
        bool judged = true;
        FUZZ_CHECK(passes(record, word, judged) || !judged,
            word + " does not pass the list's tests; " + what);
    }

    // Shorter than asked, and not stopped: nothing that passes was left out.
    const bool stopped = stopAfter > 0 && made >= stopAfter;
    if (made < asked.count && !stopped && validCriteria) {
        everyWord(*file, [&](const std::string& word, bool ok) {
            FUZZ_CHECK(!ok || listed.count(word) == 1, word + " passes but was left out; " + what);
        });
    }
    return 0;
}
