#pragma once

// What the fuzz targets share: a scratch folder per process, reading values off the front of an
// input, arming the file-failure hooks from input bytes, the checks a target stops on, and the
// valid dictionaries the targets that change a dictionary start from.

#include "dictionary/dictionary_format.h"
#include "dictionary/dictionary_pass.h"
#include "platform/file.h"
#include "platform/file_faults.h"
#include "platform/services.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::fuzz {

// The process's scratch folder, holding progdata/. Removed when the process exits normally.
const std::string& scratchFolder();
// Writes the bytes to scratchFolder()/relative and returns the full path.
std::string writeInput(const std::string& relative, const std::uint8_t* data, std::size_t size);
inline std::string writeInput(const std::string& relative, const std::vector<std::uint8_t>& bytes)
{
    return writeInput(relative, bytes.data(), bytes.size());
}
// Removes scratchFolder()/relative when it is there.
void removeScratchFile(const std::string& relative);
std::vector<std::uint8_t> readScratchFile(const std::string& relative);

// A broken promise of the program: prints what broke and aborts, which libFuzzer reports as a
// crash with the input and the replay test as a failure.
[[noreturn]] void broken(
    const char* file, int line, const char* condition, const std::string& what);
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::quorvel::fuzz::broken(__FILE__, __LINE__, #condition, (what));                       \
    } while (false)

// Values off the front of an input; past its end every value reads as 0 and every text as empty.
class InputReader
{
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    bool empty() const { return m_at >= m_size; }
    std::uint8_t u8() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t u16()
    {
        const std::uint8_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    // A length byte (cut to maxLength), then that many bytes.
    std::string text(std::size_t maxLength);
    // Everything not read yet.
    const std::uint8_t* rest() const { return m_data + std::min(m_at, m_size); }
    std::size_t restSize() const { return m_at < m_size ? m_size - m_at : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// A failure plan for the file layer, three bytes of input: which operation (or none), the nth of
// them from the moment it is armed, and how many in a row (0: every one from then on).
struct FaultPlan
{
    bool armed = false;
    FileOp op = FileOp::Write;
    int n = 1;
    int times = 1;
};
FaultPlan readFaultPlan(InputReader& in);
// The plan of an input's last three bytes, for targets that take the whole input as a file.
FaultPlan trailingFaultPlan(const std::uint8_t* data, std::size_t size);
std::string describe(const FaultPlan& plan);

// Arms the plan for its lifetime; disarms (and zeroes the counters) when it ends, so that no plan
// outlives the operation it was meant for.
class ArmedFaults
{
public:
    explicit ArmedFaults(const FaultPlan& plan);
    ~ArmedFaults() { FileFaults::reset(); }
    ArmedFaults(const ArmedFaults&) = delete;
    ArmedFaults& operator=(const ArmedFaults&) = delete;
};

// A clock that always tells the same time.
class StillClock final : public Clock
{
public:
    explicit StillClock(std::time_t now = 1765375385)
        : m_now(now)
    { }
    std::uint32_t ticks() override { return 0; }
    std::time_t now() override { return m_now; }

private:
    std::time_t m_now;
};

// The text lengths of the free list's records in list order (at most `limit`); false when the
// list cannot be walked.
bool freeRecordTextLengths(File& file, std::vector<std::size_t>& lengths, std::size_t limit);

// Valid dictionaries for the targets that start from one. `small`: a few words in both tables,
// some with a sound, of every language. `withFreeRecords`: the same after removing words, so its
// free list holds records of several text lengths. `large`: some 800 words, over two cache
// blocks, so that records and chains lie across a block boundary.
const std::vector<std::uint8_t>& smallDictionary();
const std::vector<std::uint8_t>& dictionaryWithFreeRecords();
const std::vector<std::uint8_t>& largeDictionary();
std::vector<DictionaryEntry> smallDictionaryEntries();
// `count` distinct words made of letter pairs, stable from run to run.
std::vector<std::string> madeUpWords(int count);
// Appends an entry for each of the words, in order: every `categoryEvery`-th word goes into one
// of the categories 1..`categories` in turn (the others into the main table), and the languages
// and statuses take turns.
template <class Words>
void appendMixedEntries(
    std::vector<DictionaryEntry>& entries, const Words& words, int categoryEvery, int categories)
{
    int k = 0;
    for (const std::string& word : words) {
        DictionaryEntry e;
        e.word = word;
        e.category = k % categoryEvery == 0 ? 1 + k % categories : 0;
        e.language = 1 + k % 3;
        e.status = k % 4;
        entries.push_back(e);
        ++k;
    }
}

} // namespace quorvel::fuzz
