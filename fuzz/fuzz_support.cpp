#include "fuzz_support.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <unistd.h>

namespace quorvel::fuzz {

namespace {

// Never destroyed: the exit handler that removes the folder runs after static destructors.
const std::string* g_folder = nullptr;

void removeScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(*g_folder, ignored);
}

// A memory-backed folder where the machine has one: the program's saves flush each file to disk,
// which on a real disk would make them most of a fuzzing run's time.
std::filesystem::path tempBase()
{
    std::error_code ignored;
    if (std::filesystem::is_directory("/dev/shm", ignored) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

} // namespace

const std::string& scratchFolder()
{
    if (!g_folder) {
        std::string pattern = (tempBase() / "quorvel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::filesystem::create_directories(pattern + "/progdata");
        g_folder = new std::string(pattern);
        std::atexit(removeScratchFolder);
    }
    return *g_folder;
}

std::string writeInput(const std::string& relative, const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/" + relative;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    if (std::fclose(f) != 0)
        std::abort();
    return path;
}

void removeScratchFile(const std::string& relative)
{
    std::error_code ignored;
    std::filesystem::remove(scratchFolder() + "/" + relative, ignored);
}

std::vector<std::uint8_t> readScratchFile(const std::string& relative)
{
    std::vector<std::uint8_t> bytes;
    std::FILE* f = std::fopen((scratchFolder() + "/" + relative).c_str(), "rb");
    if (!f)
        return bytes;
    std::uint8_t chunk[16384];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return bytes;
}

void broken(const char* file, int line, const char* condition, const std::string& what)
{
    std::fprintf(stderr, "%s:%d: broken promise: %s\n  %s\n", file, line, condition, what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string InputReader::text(std::size_t maxLength)
{
    std::size_t length = std::min<std::size_t>(u8(), maxLength);
    length = std::min(length, restSize());
    std::string out(reinterpret_cast<const char*>(rest()), length);
    m_at += length;
    return out;
}

FaultPlan readFaultPlan(InputReader& in)
{
    const std::uint8_t kind = in.u8();
    const std::uint8_t nth = in.u8();
    const std::uint8_t times = in.u8();
    FaultPlan plan;
    // Open, seek, read, write for 0-3, sync and rename for 8-9 (modulo 16); the others arm
    // nothing, so that the targets spend most of their time on paths that succeed and the
    // failures are tried at every step of them.
    const int k = kind % 16;
    if (!(k < 4 || k == 8 || k == 9))
        return plan;
    plan.armed = true;
    plan.op = k < 4 ? static_cast<FileOp>(k) : k == 8 ? FileOp::Sync : FileOp::Rename;
    plan.n = 1 + nth % 48;
    plan.times = times % 4;
    return plan;
}

FaultPlan trailingFaultPlan(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return {};
    InputReader in(data + size - 3, 3);
    return readFaultPlan(in);
}

std::string describe(const FaultPlan& plan)
{
    if (!plan.armed)
        return "no failures";
    static const char* const kNames[] = { "open", "seek", "read", "write", "sync", "rename" };
    static_assert(std::size(kNames) == static_cast<std::size_t>(FileOp::Count));
    return std::string(kNames[static_cast<int>(plan.op)]) + " " + std::to_string(plan.n)
        + (plan.times == 0 ? " and every later one" : " failing " + std::to_string(plan.times))
        + " fail";
}

ArmedFaults::ArmedFaults(const FaultPlan& plan)
{
    FileFaults::reset();
    if (!plan.armed)
        return;
    if (plan.times == 0)
        FileFaults::failFrom(plan.op, plan.n);
    else
        FileFaults::failNth(plan.op, plan.n, plan.times);
}

bool freeRecordTextLengths(File& file, std::vector<std::size_t>& lengths, std::size_t limit)
{
    lengths.clear();
    DictionaryHeader header;
    if (!readDictionaryHeader(file, header))
        return false;
    std::uint32_t current = header.freeListHead;
    WordRecordHeader record;
    std::string text;
    while (current != dict::kFreeListEnd && lengths.size() < limit) {
        if (!recordOffsetInFile(file, current) || !readRecord(file, current, record, text))
            return false;
        lengths.push_back(text.size());
        current = record.next;
    }
    return true;
}

std::vector<DictionaryEntry> smallDictionaryEntries()
{
    auto make = [](const char* word, int category, int status, int language, int soundIndex) {
        DictionaryEntry e;
        e.word = word;
        e.category = category;
        e.status = status;
        e.language = language;
        e.soundIndex = soundIndex;
        e.soundFlag = soundIndex != 0 ? 1 : 0;
        return e;
    };
    return {
        make("CAB", 0, 1, 3, 0),
        make("CAT", 0, 2, 3, 0),
        make("COW", 0, 0, 1, 0),
        make("COLOUR", 0, 1, 1, 0),
        make("COLOR", 0, 1, 2, 0),
        make("DOG", 0, 1, 3, 5),
        make("SPELLING", 0, 3, 3, 0),
        make("SPELL", 0, 1, 3, 0),
        make("ZEBRA", 3, 1, 3, 0),
        make("ZOO", 3, 2, 3, 0),
        make("AARDVARK", 1, 1, 3, 0),
        make("QUIZ", 0, 1, 3, 0),
    };
}

const std::vector<std::uint8_t>& smallDictionary()
{
    static const std::vector<std::uint8_t> image = buildDictionaryImage(smallDictionaryEntries());
    return image;
}

const std::vector<std::uint8_t>& dictionaryWithFreeRecords()
{
    static const std::vector<std::uint8_t> image = [] {
        const char* const kRelative = "progdata/withfree.dis";
        writeInput(kRelative, smallDictionary());
        {
            auto file = openDictionaryFile(scratchFolder() + "/" + kRelative, false);
            if (!file)
                std::abort();
            // Texts of one, two and three letters on the free list, the main table's and the
            // category table's.
            for (const char* word : { "CAB", "COW", "SPELL", "ZEBRA", "QUIZ" }) {
                if (RemoveWord(*file, word) != RemoveResult::Removed)
                    std::abort();
            }
            if (!CloseDictionary(file))
                std::abort();
        }
        std::vector<std::uint8_t> bytes = readScratchFile(kRelative);
        removeScratchFile(kRelative);
        return bytes;
    }();
    return image;
}

std::vector<std::string> madeUpWords(int count)
{
    // Letters drawn with a fixed seed, lengths 3..11: the same words on every machine.
    DefaultRandomSource random;
    random.seed(20260117);
    std::set<std::string> words;
    while (static_cast<int>(words.size()) < count) {
        const std::uint32_t length = 3 + random.next() % 9;
        std::string word;
        for (std::uint32_t i = 0; i < length; ++i)
            word += static_cast<char>('A' + random.next() % 26);
        words.insert(word);
    }
    return { words.begin(), words.end() };
}

const std::vector<std::uint8_t>& largeDictionary()
{
    static const std::vector<std::uint8_t> image = [] {
        std::vector<DictionaryEntry> entries = smallDictionaryEntries();
        appendMixedEntries(entries, madeUpWords(800), 7, 5);
        return buildDictionaryImage(entries);
    }();
    return image;
}

} // namespace quorvel::fuzz
