#pragma once

// Byte layout of the dictionary file: a 20-byte header, two bucket tables of 676 slots (main
// dictionary and categories), word records chained per bucket in alphabetical order, and a
// free list of removed records. A word's first two letters choose its bucket and are not
// stored; the record keeps the rest of the word.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

namespace dict {
inline constexpr std::uint32_t kHeaderSize = 20;
inline constexpr std::uint32_t kSlots = 676;
inline constexpr std::uint32_t kTableBytes = kSlots * 4; // 2704
inline constexpr std::uint32_t kLastSlotOffset = (kSlots - 1) * 4; // 2700, the ZZ bucket
inline constexpr std::uint32_t kFreeListEnd = 12;
inline constexpr std::uint32_t kFreeListHeadOffset = 8;
inline constexpr std::uint32_t kRecordHeaderSize = 10;
inline constexpr std::uint32_t kNoOffset = 0xFFFFFFFFu;
inline constexpr std::uint32_t kAdditionalKind = 20;
inline constexpr std::size_t kMaxTextRead = 40;
inline constexpr std::size_t kMaxTextKept = 38;
inline constexpr int kMinWordLength = 3;
inline constexpr int kMaxWordLength = 37;
// Bounds on free-list walks: reuse looks at no more than this many records, and appending gives
// up when the list already holds more than kFreeListAppendLimit records.
inline constexpr int kFreeListReuseLimit = 1002;
inline constexpr int kFreeListAppendLimit = 1000;
// Everything in the file is located by 32-bit offsets: a longer file is no dictionary (a table
// beyond the 4 GiB mark would make its slot offsets wrap round to the header).
inline constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

// The end marker of the chain of slot `slotOffset` in the table at `tableOffset`: the file
// offset of the following slot, or the table's own offset for the last slot.
inline std::uint32_t endMarker(std::uint32_t tableOffset, std::uint32_t slotOffset)
{
    return slotOffset == kLastSlotOffset ? tableOffset : tableOffset + slotOffset + 4;
}
} // namespace dict

enum class Table : std::uint8_t
{
    Main,
    Category
};

// A word lies in the main table when its category is 0, in the category table otherwise.
inline bool categoryFitsTable(int category, Table table)
{
    return (category != 0) == (table == Table::Category);
}

struct DictionaryHeader
{
    std::uint32_t mainTableOffset = 0;
    std::uint32_t categoryTableOffset = 0;
    std::uint32_t freeListHead = dict::kFreeListEnd;
    std::uint32_t reserved = 0;
    std::uint32_t fileKind = 0;

    static DictionaryHeader decode(const std::uint8_t* p);
    void encode(std::uint8_t* p) const;
};

// The ten header bytes of a word record.
struct WordRecordHeader
{
    std::uint32_t next = 0;
    std::uint8_t flags[4] = { 0, 0, 0, 0 }; // record bytes 4..7
    std::uint16_t soundIndex = 0;

    static WordRecordHeader decode(const std::uint8_t* p);
    void encode(std::uint8_t* p) const;

    int status(int user) const; // 2-bit WordStatus of user slot 0..9
    void setStatus(int user, int status);
    int rawLanguage() const; // bits 7-8 of the u16 at offset 6, as stored
    void setLanguage(int language);
    int category() const;
    void setCategory(int category);
    int mediaFlag() const;
    void setMediaFlag(int media);
    int addedMarker() const;
    void setAddedMarker(int added);
    int soundFlag() const;
    void setSoundFlag(int sound);
    // Copies the ten statuses (bytes 4, 5 and bits 0-3 of byte 6) from another header.
    void copyStatuses(const WordRecordHeader& from);
};

// A word as the builder and the checker see it.
struct DictionaryEntry
{
    std::string word; // upper-case A-Z, 3..37 letters
    int language = 3;
    int category = 0;
    int added = 0;
    int media = 0;
    int soundFlag = 0;
    int soundIndex = 0;
    int status = 1; // every user's status
};

// The bytes of a whole dictionary holding the given words (valid entries only; a word that
// occurs twice is kept once). Each table's records are laid out bucket by bucket in chain order,
// so that walking a chain reads neighbouring bytes. With no entries this is the smallest
// conforming file: header, two tables of end markers.
std::vector<std::uint8_t> buildDictionaryImage(
    std::vector<DictionaryEntry> entries, std::uint32_t fileKind = 0);

} // namespace quorvel
