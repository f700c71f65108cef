#pragma once

// The user's word file (progdata/worduse<slot>.wrd): the last drill list, a 14-byte header and
// 106-byte records chained in list order. Lists from the dictionary, the scrap pad and bee/text
// windows are all built here; the drill reads and updates the records while the user spells.

#include "config/user_settings.h"
#include "platform/file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class StartupInfo;

namespace ListState {
inline constexpr int kNone = 0;
inline constexpr int kFreshDictionary = 1;
inline constexpr int kSpeltOnce = 2;
inline constexpr int kFreshScrapPad = 4;
inline constexpr int kFreshWindow = 8;
inline bool valid(int state)
{
    return state == 1 || state == 2 || state == 4 || state == 8;
}
} // namespace ListState

inline constexpr std::uint32_t kWordFileHeaderSize = 14;
inline constexpr std::uint32_t kWordFileRecordSize = 106;
inline constexpr std::uint32_t kWordFileLastRecord = 0xFFFFFFFFu;

struct WordFileHeader
{
    std::uint32_t firstOffset = kWordFileHeaderSize;
    std::uint16_t state = 0;
    std::uint32_t tableOffset = 0;
    std::uint16_t count = 0;
    std::uint16_t listType = 0;

    static WordFileHeader decode(const std::uint8_t* p);
    void encode(std::uint8_t* p) const;
    bool operator==(const WordFileHeader&) const = default;
};

struct WordFileRecord
{
    std::string word; // capital letters, up to 40
    std::string answer; // the last answer, up to 40
    std::uint8_t result = 0; // 1 correct, 0 wrong or not yet spelt
    std::uint8_t attempts = 0; // attempts in repeat passes
    std::uint32_t bucketOffset = 0;
    std::uint32_t dictionaryOffset = 0;
    std::uint16_t index = 0;
    std::uint16_t askedSize = 0;
    std::uint16_t soundIndex = 0;
    std::uint16_t media = 0;
    std::uint16_t soundFlag = 0;
    std::uint32_t next = kWordFileLastRecord;

    static WordFileRecord decode(const std::uint8_t* p);
    void encode(std::uint8_t* p) const;
    bool operator==(const WordFileRecord&) const = default;
};

struct WordFileEntry
{
    std::uint32_t offset;
    WordFileRecord record;
};

class WordFile
{
public:
    // Opens progdata/worduse<slot>.wrd of the data folder; null for a slot above 9, an empty data
    // folder, or a file that cannot be opened in this mode.
    static std::unique_ptr<WordFile> open(const std::string& dataFolder, int slot, OpenMode mode);

    bool close();
    File& file() { return *m_file; }

    bool readHeader(WordFileHeader& header);
    // The first record's offset, or 0xFFFFFFFF when it cannot be read.
    std::uint32_t readFirstOffset();
    // The list state, or 0 when it cannot be read or is not one of 1, 2, 4, 8.
    int readState();
    bool readRecord(std::uint32_t offset, WordFileRecord& record);
    // The position after the record, or 0 when it cannot be written.
    std::uint32_t writeRecord(std::uint32_t offset, const WordFileRecord& record);

    // Appends record `index` of a list being built; for index 0 the header (first offset 14, the
    // state, table base, asked count and list type) is written first. The record's index, asked
    // size and next offset are set here.
    bool appendListRecord(int index, WordFileRecord record, int state, std::uint32_t tableOffset,
        int askedCount, ListType listType);
    // Ends a list of `count` records: record k must carry index k; the last one gets no next; the
    // header gets count, list type and state (which must be 1, 2, 4 or 8).
    bool finishList(int count, ListType listType, int state);
    // Marks the file as holding no usable list.
    bool invalidate();
    // Whether a record holds exactly this word. Looks at the records written so far, also while a
    // list is being built.
    enum class Lookup
    {
        Listed,
        NotListed,
        ReadError,
    };
    Lookup findWord(std::string_view word);

    // Every record of the list in chain order from the first offset (at most `limit`); false when
    // the chain cannot be read or does not end inside the file.
    bool readList(std::vector<WordFileEntry>& entries, std::size_t limit = SIZE_MAX);

private:
    explicit WordFile(std::unique_ptr<File> file)
        : m_file(std::move(file))
    { }
    bool recordFits(std::uint32_t offset) const;

    std::unique_ptr<File> m_file;
};

// A list made whole in memory: its records in list order, written to the word file in one write
// once the list is complete. The bytes are
// those that appendListRecord and finishList leave: header, then the records back to back, each
// with its index, the asked count and the next record's offset, the last one with none.
struct WordListImage
{
    std::vector<WordFileRecord> records;
    int state = ListState::kNone;
    std::uint32_t tableOffset = 0;
    int askedCount = 0;
    int listType = 0;

    // No records: a file that holds no list (state 0).
    std::vector<std::uint8_t> encode() const;
};
// Writes the list as progdata/worduse<slot>.wrd of the data folder, the old file's bytes
// beyond it cut off. False when it could not be written whole; nothing is made for a slot above 9
// or an empty data folder.
bool saveWordList(const std::string& dataFolder, int slot, const WordListImage& list);

// Writes state 0 into the word files of all ten slots (those that exist and hold another state),
// each written through to the disk, so that no list keeps pointing at dictionary records that
// have moved. False when one of them could not be written; `failedPath` then names the first.
bool invalidateAllWordFiles(const std::string& dataFolder, std::string* failedPath = nullptr);

// What became of a list's results.
struct ListApplyResult
{
    enum class Outcome
    {
        Applied,
        // The list no longer fits the dictionary: it was marked used up by a change, or a word
        // is not where the list found it (another program removed it, moved it or took its
        // record). Nothing was written.
        OutOfDate,
        // The word file or the dictionary could not be read or written, or the list is not a
        // fresh dictionary list in one piece.
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    std::string word; // OutOfDate: the first word no longer where the list found it, if any
    explicit operator bool() const { return outcome == Outcome::Applied; }
};

// The end of a first pass: moves every listed word's status for the current user one rung up
// (answered right) or down (wrong). Only a fresh dictionary list (state 1) whose chain is whole is
// applied, and only when every listed word is still found at the dictionary record the list
// names; otherwise nothing is written. Before the first status is written the list is marked used
// up, on the disk, so that a pass cut short by a crash is never applied twice; the caller then
// marks it spelt once. The dictionary is written through to the disk before it is closed.
ListApplyResult ApplyListResults(WordFile& wordFile, StartupInfo& info, int currentUser);

// The next status of a word after an answer.
int nextWordStatus(int oldStatus, bool correct);

} // namespace quorvel
