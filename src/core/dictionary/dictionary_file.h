#pragma once

// Opening the dictionary, checking words and the chain-level operations every word operation is
// built on. All of them take an open file and re-read what they need: nothing of the file is
// kept between calls. Every chain and free-list walk is bounded; a link that points into the
// header or outside the file, or a walk that would go on for ever, counts as a damaged file.

#include "dictionary_format.h"
#include "platform/file.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvel {

class StartupInfo;

// Results of the dictionary operations.
namespace DictResult {
inline constexpr int kNotFound = 0; // also: not suitable (add, amend); free list full
inline constexpr int kDone = 1; // also: found in the main dictionary
inline constexpr int kFoundInCategory = 2;
inline constexpr int kNotSuitable = 3; // find, remove
inline constexpr int kFileError = 4;
inline constexpr int kAlreadyThere = 5;
inline constexpr int kSoundLinked = 7;
} // namespace DictResult

using DictionaryHandle = std::unique_ptr<File>;

// Opens dictionaryFolder/progdata/sonddict.dis of the record for reading and writing and notes
// in the record that the dictionary was opened. Fails for an empty folder, a file that cannot be
// opened, a header that cannot be read, an additional dictionary (kind 20), and a file of 4 GiB
// or more (beyond what 32-bit offsets reach).
DictionaryHandle OpenDictionary(StartupInfo& info);
// Opens a dictionary file by its path. With `allowAdditional` an additional dictionary is
// accepted (the importer and maintenance tools read those). `fileError` gets the reason.
DictionaryHandle openDictionaryFile(
    const std::string& path, bool allowAdditional, int* fileError = nullptr);
bool CloseDictionary(DictionaryHandle& file);

// The main or category table's offset, or 0xFFFFFFFF when it cannot be read or does not lie
// inside the file after the header and below 4 GiB.
std::uint32_t ReadTableOffset(File& file, Table which);
bool readDictionaryHeader(File& file, DictionaryHeader& header);

// Upper-cases the word in place; true when it has 3 to 37 letters A-Z.
bool CheckWord(std::string& word);
// The slot offset (0..2700) of a word's bucket, or 0xFFFFFFFF when a letter is not A-Z.
std::uint32_t BucketOffset(std::string_view word);
// The two letters of a slot offset; false when they cannot be formed.
bool BucketLetters(std::uint32_t slotOffset, char letters[2]);

// Chain level.
bool ReadRecordHeader(File& file, std::uint32_t offset, WordRecordHeader& header);
bool ReadLink(File& file, std::uint32_t offset, std::uint32_t& value);
// Reads the text at the current position: up to and including its NUL, at most 40 bytes, cut
// at 38 characters. False when the read fails.
bool ReadText(File& file, std::string& text);
// Header and text of the record at `offset`; false when either read fails or the text is empty.
bool readRecord(File& file, std::uint32_t offset, WordRecordHeader& header, std::string& text);
// A record looked at where it lies: in place in the file's cache when it can be, else copied.
// The text follows ReadText's rules (up to its NUL, at most 40 bytes, cut at 38 characters).
struct RecordPeek
{
    std::uint32_t next = 0;
    const std::uint8_t* header = nullptr; // the ten header bytes
    std::string_view text; // empty: a damaged chain, or a text that could not be read
};

// Reads records along chains. Records of one cache block are read from the block's view without
// asking the file again, so a chain walk costs little more than its comparisons. Every chain is
// bounded here: a link where no record can lie, or more steps than the file can hold records (a
// chain that comes back on itself), ends the read like a failed one. The views of a peek are good
// until the next call on the file; call forget() after anything else has used it.
class RecordReader
{
public:
    explicit RecordReader(File& file);
    // Starts counting the steps of a new chain.
    void startChain() { m_steps = 0; }
    // The next record of the chain. False when the chain is damaged there or the header cannot be
    // read; an empty text is for the caller to judge.
    bool read(std::uint32_t offset, RecordPeek& peek);
    void forget() { m_base = nullptr; }

private:
    bool fromView(
        const std::uint8_t* p, std::uint64_t offset, std::size_t available, RecordPeek& peek) const;

    File& m_file;
    std::uint32_t m_limit;
    std::uint32_t m_steps = 0;
    const std::uint8_t* m_base = nullptr; // the last in-place view and where it lies
    std::uint64_t m_baseOffset = 0;
    std::size_t m_baseAvailable = 0;
    std::string m_scratch;
};

// True when a record may lie at this offset of this file (after the header, inside the file).
bool recordOffsetInFile(const File& file, std::uint32_t offset);
// The most records a chain of this file can hold: walks that take more steps are looping.
std::uint32_t chainStepLimit(const File& file);

struct ChainPosition
{
    std::uint32_t linkLocation = 0; // the slot, or the Next field of the record before
    std::uint32_t nextOffset = 0; // where the text belongs: the record after it, or the end marker
    std::uint32_t foundOffset = 0;
};
int SearchChain(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    std::string_view text, ChainPosition& position);
int InsertRecord(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    WordRecordHeader header, std::string_view text);
// Inserts at the place a search that did not find the text gave: 1 or 4.
int insertAt(
    File& file, const ChainPosition& position, WordRecordHeader header, std::string_view text);
// `unlinked`, when given, tells whether the record left its chain (it may have done so even when
// the result is 0 because the free list was full, or 4 because it could not be put on the list).
int UnlinkRecord(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    std::string_view text, bool refuseIfSound, bool* unlinked = nullptr);
// Unlinks the record a search found and frees it: 1, 0 (free list full), 7 or 4.
int unlinkFound(File& file, const ChainPosition& position, bool refuseIfSound, bool* unlinked);
std::uint32_t TakeFreeRecord(File& file, std::size_t textLength);
int FreeRecord(File& file, std::uint32_t recordOffset);
// Where a new record with a text of this length goes: a free record of exactly that length taken
// off the free list, or the end of the file. 0xFFFFFFFF when the file cannot grow any more.
std::uint32_t placeForRecord(File& file, std::size_t textLength);

// Every write of the dictionary goes through this helper: seek and write; when the write fails,
// rewind, seek again and write once more. A failed seek is not retried.
bool writeWithRetry(File& file, std::uint32_t offset, const void* data, std::size_t size);
// A link (a slot, a record's Next, the free list's head) written with the retry.
bool writeLink(File& file, std::uint32_t location, std::uint32_t value);
// A whole record, header and text with its NUL, in one write with the retry.
bool writeRecord(
    File& file, std::uint32_t place, const WordRecordHeader& header, std::string_view text);

} // namespace quorvel
