// Writes the seed inputs of the fuzz targets, made with the program's own writers, into
// CORPUS/<target>/seed-*:
//
//   fuzz_make_seeds CORPUS [WORDLIST]
//
// WORDLIST (one word a line, e.g. a SCOWL list) gives the large dictionary real words; without it
// the words are made up. The large files hold more than one 16 KiB cache block, with records across
// the boundary. Run once after the input layout of a target changes; the files are committed.

#include "config/settings_file.h"
#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "fuzz_support.h"
#include "history/history_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

using namespace quorvel;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::string g_corpus;

void write(const std::string& target, const std::string& name, const Bytes& bytes)
{
    std::filesystem::create_directories(g_corpus + "/" + target);
    const std::string path = g_corpus + "/" + target + "/seed-" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::printf("%-60s %6zu bytes\n", path.c_str(), bytes.size());
}

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::exit(1);
    }
}

Bytes scratch(const std::string& relative)
{
    return fuzz::readScratchFile(relative);
}

// --- dictionaries --------------------------------------------------------------------------

// The first 1800 suitable words of the list after the first `skip`.
Bytes largeDictionaryFrom(const std::string& wordList, std::size_t skip)
{
    std::ifstream in(wordList);
    std::set<std::string> words;
    std::string line;
    while (std::getline(in, line) && words.size() < 1800) {
        std::string word = line;
        if (!CheckWord(word))
            continue;
        if (skip > 0)
            --skip;
        else
            words.insert(word);
    }
    require(words.size() > 1000, "the word list holds too few suitable words");
    std::vector<DictionaryEntry> entries;
    fuzz::appendMixedEntries(entries, words, 9, 4);
    return buildDictionaryImage(entries);
}

// True when a word record of the main table lies across the first 16 KiB boundary.
bool straddles(const Bytes& image)
{
    fuzz::writeInput("progdata/check.dis", image);
    auto file = openDictionaryFile(fuzz::scratchFolder() + "/progdata/check.dis", false);
    bool across = false;
    for (const std::string& entry : tableContents(*file)) {
        if (entry.size() < 2)
            continue;
        CurrentWordInfo info;
        std::uint32_t offset = 0;
        if (isFound(FindWord(*file, entry.substr(2), info, &offset))) {
            const std::uint32_t end
                = offset + 10 + static_cast<std::uint32_t>(entry.size()) - 4 + 1;
            across = across || (offset < 16384 && end > 16384);
        }
    }
    return across;
}

// --- word files, history, settings, startup record -----------------------------------------

Bytes generatedList(const Bytes& dictionary, ListType listType, int count)
{
    fuzz::writeInput("progdata/sonddict.dis", dictionary);
    StartupInfo info;
    FillStartupDefaults(info, fuzz::scratchFolder());
    ListCriteria c;
    c.listType = listType;
    c.count = static_cast<std::uint16_t>(count);
    c.language = 2;
    c.minText = 1;
    c.maxText = 35;
    DefaultRandomSource random;
    fuzz::StillClock clock;
    ListGenerationServices services { random, clock, nullptr };
    require(GenerateDrillList(info, c, services, false) > 0, "a list");
    return scratch("progdata/worduse0.wrd");
}

Bytes spelledList(const Bytes& list)
{
    fuzz::writeInput("progdata/worduse0.wrd", list);
    auto file = WordFile::open(fuzz::scratchFolder(), 0, OpenMode::ReadWrite);
    std::vector<WordFileEntry> entries;
    require(file && file->readList(entries), "the list reads");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        WordFileRecord r = entries[i].record;
        r.answer = i % 3 == 0 ? r.word.substr(1) : r.word;
        r.result = i % 3 == 0 ? 0 : 1;
        require(file->writeRecord(entries[i].offset, r) != 0, "a record");
    }
    WordFileHeader header;
    require(file->readHeader(header), "the header");
    require(
        file->finishList(header.count, listTypeFromNumber(header.listType), ListState::kSpeltOnce),
        "finish");
    file->close();
    return scratch("progdata/worduse0.wrd");
}

Bytes historyRing(int records, int drills)
{
    fuzz::StillClock clock;
    require(GenerateHistoryFile(fuzz::scratchFolder(), records, 0, clock), "a history file");
    auto file = HistoryFile::open(fuzz::scratchFolder(), 0, OpenMode::ReadWrite);
    for (int d = 0; d < drills; ++d) {
        HistorySummary s;
        s.words = static_cast<std::uint16_t>(5 + d);
        s.correct = static_cast<std::uint16_t>(d);
        s.minLetters = 4;
        s.maxLetters = 10;
        s.listType = 1;
        s.level = 2;
        require(file->append(s, {}, false, clock), "a drill");
    }
    file->close();
    return scratch("progdata/histuse0.his");
}

Bytes largeSettings()
{
    fuzz::removeScratchFile("Fenwa.ini");
    SettingsFile settings(fuzz::scratchFolder() + "/Fenwa.ini");
    require(settings.writeString("Startup", "First time", "No"), "a key");
    for (int i = 0; scratch("Fenwa.ini").size() < 17 * 1024; ++i) {
        const std::string section = i % 3 == 0 ? "MRU" : "Bulk editor " + std::to_string(i / 40);
        require(settings.writeString(section, "Entry" + std::to_string(i),
                    "/home/pupil/Documents/spelling lists/list " + std::to_string(i) + ".bee"),
            "a key");
    }
    return scratch("Fenwa.ini");
}

Bytes recordBytes(const StartupInfo& info)
{
    return Bytes(info.bytes().begin(), info.bytes().end());
}

StartupInfo changedRecord()
{
    StartupInfo info;
    FillStartupDefaults(info, std::string("/home/pupil/quorvel"));
    info.setStartupUser(3);
    info.setSystemPasswordOn(1);
    info.setPromotionThreshold("75");
    info.setDemotionThreshold("-5");
    for (int u = 0; u < kUserSlots; ++u) {
        info.setUserName(u, u % 2 ? "Alex O'Neill" : "Sam");
        info.setWorkingCategory(u, static_cast<std::uint16_t>(u * 9)); // 63 and above for some
        ListSetupRecord list = info.listSetup(u);
        list.typeRandom = u % 4 == 0;
        list.typeOneLetter = u % 4 == 1;
        list.typePredefined = u % 4 == 2;
        list.typeFailures = u % 4 == 3;
        list.listSize = u % 2 ? "25" : "0";
        list.minLetters = "3";
        list.maxLetters = "2147483648";
        list.oneLetter = "Q";
        list.predefined = "S?E";
        info.setListSetup(u, list);
        ListOptionsRecord options = info.listOptions(u);
        options.languageUK = static_cast<std::uint16_t>(u % 2);
        options.languageUS = static_cast<std::uint16_t>(1 - u % 2);
        options.showLanguageFlag = u % 3 == 0;
        info.setListOptions(u, options);
        DisplaySetupRecord display = info.displaySetup(u);
        display.lowerCase = 1;
        display.spellTime = "-3";
        info.setDisplaySetup(u, display);
        info.setSoundOn(u, static_cast<std::uint16_t>(u % 2));
    }
    info.setCategoryName(5, "Science words");
    return info;
}

// --- inputs of the targets with their own layout ----------------------------------------------

struct Faults
{
    std::uint8_t kind = 4, n = 0, times = 0; // kind 4: nothing armed
};

// The kind byte of an operation as fuzz::readFaultPlan reads it.
std::uint8_t kindOf(FileOp op)
{
    return op == FileOp::Sync ? 8 : op == FileOp::Rename ? 9 : static_cast<std::uint8_t>(op);
}

Faults fail(FileOp op, int n, int times)
{
    return { kindOf(op), static_cast<std::uint8_t>(n - 1), static_cast<std::uint8_t>(times) };
}

void put(Bytes& out, const Faults& f)
{
    out.insert(out.end(), { f.kind, f.n, f.times });
}

// A file with a plan in its last three bytes, where the targets that take the whole input as a
// file read it: appended to a text, in place of a binary file's last bytes.
Bytes withTrailingFaults(Bytes bytes, const Faults& f, bool append)
{
    if (!append)
        bytes.resize(bytes.size() - 3);
    put(bytes, f);
    return bytes;
}

void putText(Bytes& out, const std::string& text)
{
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// One list draw: where its dictionary comes from, the faults armed, the list setup and the
// pre-defined start. source: 0 small, 2 with free records, 4 large; 1 the dictionary's bytes
// follow.
struct ListSeed
{
    const char* name;
    std::uint8_t source = 4;
    Faults faults {};
    int listType = 1;
    int minLetters = 3;
    int maxLetters = 37;
    int count = 12;
    int category = 0;
    int language = 2;
    int user = 0;
    int filterMode = 0;
    int stopAfter = 0;
    const char* oneLetter = "A";
    const char* predefined = "C?M";
};

Bytes listInput(const ListSeed& seed, const Bytes& dictionary)
{
    Bytes out { seed.source };
    put(out, seed.faults);
    for (int v : { seed.listType, seed.minLetters, seed.maxLetters, seed.count,
             seed.category == 0 ? 0 : 128 + seed.category, seed.language, seed.user,
             seed.filterMode, seed.stopAfter })
        out.push_back(static_cast<std::uint8_t>(v));
    out.insert(out.end(), { 0x39, 0x30 }); // the clock
    putText(out, seed.oneLetter);
    putText(out, seed.predefined);
    if (seed.source == 1)
        out.insert(out.end(), dictionary.begin(), dictionary.end());
    return out;
}

enum Op : std::uint8_t
{
    kAdd,
    kRemove,
    kAmend,
    kSetStatus,
    kFind
};

// A new word: its letters coded as the target decodes them.
void putNewWord(Bytes& out, const std::string& word)
{
    out.push_back(255); // not one of the words so far
    out.push_back(static_cast<std::uint8_t>(word.size() - 1));
    for (char ch : word)
        out.push_back(static_cast<std::uint8_t>(ch - 'A'));
}

void putOp(Bytes& out, Op op, const std::string& word, int a, int b, const Faults* faults = nullptr)
{
    out.push_back(static_cast<std::uint8_t>(op | (faults ? 0x80 : 0)));
    if (faults)
        put(out, *faults);
    putNewWord(out, word);
    out.push_back(static_cast<std::uint8_t>(a));
    out.push_back(static_cast<std::uint8_t>(b));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds CORPUS [WORDLIST]\n");
        return 2;
    }
    g_corpus = argv[1];
    Bytes large = argc > 2 ? largeDictionaryFrom(argv[2], 0) : fuzz::largeDictionary();
    // A record may happen to end right at the boundary: leaving out the first word moves them.
    for (std::size_t skip = 1; !straddles(large) && argc > 2 && skip < 10; ++skip)
        large = largeDictionaryFrom(argv[2], skip);
    require(
        large.size() > 17 * 1024 && large.size() < 40 * 1024, "a large dictionary of 17-40 KiB");
    require(straddles(large), "a record across the first block boundary");

    // The dictionary file.
    write("dictionary", "small.dis", fuzz::smallDictionary());
    write("dictionary", "free-records.dis", fuzz::dictionaryWithFreeRecords());
    write("dictionary", "large.dis", large);

    // The word file: a short list, a list over two blocks, the same spelt once.
    const Bytes longList = generatedList(large, ListType::Random, 200);
    write("word_file", "random-3.wrd", generatedList(fuzz::smallDictionary(), ListType::Random, 3));
    write("word_file", "random-200.wrd", longList);
    const Bytes spelt = spelledList(longList);
    write("word_file", "spelt-200.wrd", spelt);
    write("word_file", "spelt-200-failing-write.wrd",
        withTrailingFaults(spelt, fail(FileOp::Write, 2, 1), false));
    write("word_file", "spelt-200-failing-sync.wrd",
        withTrailingFaults(spelt, fail(FileOp::Sync, 1, 1), false));

    // The history ring.
    const Bytes ring = historyRing(60, 75);
    write("history_file", "ring-60.his", ring);
    write("history_file", "ring-60-failing-write.his",
        withTrailingFaults(ring, fail(FileOp::Write, 1, 1), false));
    write("history_file", "ring-60-failing-rename.his",
        withTrailingFaults(ring, fail(FileOp::Rename, 1, 1), false));
    write("history_file", "ring-60-failing-sync.his",
        withTrailingFaults(ring, fail(FileOp::Sync, 2, 1), false));
    write("history_file", "ring-5.his", historyRing(5, 2));

    // The settings file.
    const Bytes settings = largeSettings();
    write("settings_file", "large.ini", settings);
    for (FileOp op : { FileOp::Write, FileOp::Sync, FileOp::Rename }) {
        static const char* const kNames[] = { "", "", "", "write", "sync", "rename" };
        write("settings_file",
            std::string("large-failing-") + kNames[static_cast<int>(op)] + ".ini",
            withTrailingFaults(settings, fail(op, 1, op == FileOp::Sync ? 0 : 1), true));
    }

    // The startup record: defaults, changed values, the start of one, and with failures armed
    // behind it (a save's write, a read, every open) and each document flag.
    StartupInfo defaults;
    FillStartupDefaults(defaults, std::string("/home/pupil/quorvel"));
    write("startup_record", "defaults.cfg", recordBytes(defaults));
    const Bytes changed = recordBytes(changedRecord());
    write("startup_record", "changed.cfg", changed);
    write("startup_record", "short.cfg", Bytes(changed.begin(), changed.begin() + 1800));
    Bytes trailer = changed;
    trailer.insert(trailer.end(), { kindOf(FileOp::Write), 0, 1, 0x1F });
    write("startup_record", "failing-write.cfg", trailer);
    trailer = changed;
    trailer.insert(trailer.end(), { kindOf(FileOp::Read), 0, 1, 0x06 });
    write("startup_record", "failing-read.cfg", trailer);
    trailer = recordBytes(defaults);
    trailer.insert(trailer.end(), { kindOf(FileOp::Open), 0, 0, 0x2B });
    write("startup_record", "failing-opens.cfg", trailer);
    for (int n : { 1, 2 }) {
        trailer = changed;
        trailer.insert(
            trailer.end(), { kindOf(FileOp::Sync), static_cast<std::uint8_t>(n - 1), 1, 0 });
        write("startup_record", "failing-sync-" + std::to_string(n) + ".cfg", trailer);
    }
    trailer = changed;
    trailer.insert(trailer.end(), { kindOf(FileOp::Rename), 0, 1, 0 });
    write("startup_record", "failing-rename.cfg", trailer);

    // List generation.
    const ListSeed listSeeds[] = {
        { .name = "random.bin", .source = 0, .maxLetters = 12, .count = 10, .language = 1 },
        { .name = "one-letter.bin",
            .listType = 2,
            .minLetters = 4,
            .maxLetters = 10,
            .count = 20,
            .user = 3,
            .oneLetter = "C" },
        { .name = "predefined.bin", .listType = 3, .count = 15, .user = 1, .predefined = "S?E" },
        { .name = "failures.bin", .listType = 4, .count = 32, .language = 1, .user = 2 },
        { .name = "category.bin",
            .source = 2,
            .count = 8,
            .category = 3,
            .filterMode = 1,
            .predefined = "Z" },
        { .name = "stopped.bin", .count = 30, .user = 4, .stopAfter = 7 },
        { .name = "failing-write.bin", .faults = fail(FileOp::Write, 1, 1) },
        { .name = "failing-read.bin", .faults = fail(FileOp::Read, 9, 0) },
        { .name = "own-dictionary.bin", .source = 1, .count = 25 },
    };
    for (const ListSeed& seed : listSeeds)
        write("list_generation", seed.name, listInput(seed, large));

    // Dictionary operations. A removed word's record taken back by an add of the same length, a
    // move to a category and back, statuses, and failures in the middle of an add and a move.
    Bytes ops { 0 };
    putOp(ops, kAdd, "PARROT", 0, 3);
    putOp(ops, kRemove, "PARROT", 0, 0);
    putOp(ops, kAdd, "CARROT", 0, 1);
    putOp(ops, kAmend, "CARROT", 128 + 4, 2);
    putOp(ops, kSetStatus, "CARROT", 3, 2);
    putOp(ops, kAmend, "CARROT", 0, 1);
    putOp(ops, kFind, "CARROT", 0, 0);
    write("dictionary_ops", "reuse-and-move.bin", ops);
    ops = { 1 };
    const Faults secondWrite = fail(FileOp::Write, 2, 2);
    const Faults everyRead = fail(FileOp::Read, 3, 0);
    putOp(ops, kAdd, "SPEED", 0, 3, &secondWrite);
    putOp(ops, kAdd, "SPEED", 0, 3);
    putOp(ops, kAmend, "SPEED", 128 + 2, 1, &secondWrite);
    putOp(ops, kRemove, "SPEED", 0, 0, &everyRead);
    putOp(ops, kRemove, "SPEED", 0, 0);
    write("dictionary_ops", "failures.bin", ops);
    ops = { 2 };
    for (const char* word : { "ABACUS", "MIDDLE", "ZYMURGY", "QUARTZ" }) {
        putOp(ops, kAdd, word, 128 + 1, 2);
        putOp(ops, kAmend, word, 0, 3);
        putOp(ops, kRemove, word, 0, 0);
    }
    write("dictionary_ops", "large.bin", ops);
    // Moves cut short at each of their writes, every later write failing too so that the undo
    // cannot happen: found where they are, then finished by the same amend, or removed.
    ops = { 0 };
    const char* const kMoving[] = { "BARLEY", "CLOVER", "FENNEL", "GINGER" };
    for (int n = 2; n <= 5; ++n) {
        const std::string word = kMoving[n - 2];
        const Faults fromNth = fail(FileOp::Write, n, 0);
        putOp(ops, kAdd, word, 0, 1);
        putOp(ops, kAmend, word, 128 + 5, 2, &fromNth);
        putOp(ops, kFind, word, 0, 0);
        putOp(ops, kSetStatus, word, 4, 3);
        putOp(ops, n % 2 == 0 ? kRemove : kAmend, word, 128 + 5, 2);
        putOp(ops, kFind, word, 0, 0);
    }
    write("dictionary_ops", "interrupted-moves.bin", ops);
    return 0;
}
