#pragma once

// Helpers shared by the dictionary tests: building a dictionary file from a few words, patching
// its bytes to damage it on purpose, and reading back what the file holds.

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_format.h"
#include "dictionary/dictionary_pass.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::test {

using Bytes = std::vector<std::uint8_t>;

// Offsets of the two tables in every image built by buildDictionaryImage.
inline constexpr std::uint32_t kMainTable = 20;
inline constexpr std::uint32_t kCategoryTable = 20 + 2704;
inline constexpr std::uint32_t kEmptyDictionarySize = 20 + 2 * 2704;

DictionaryEntry entry(const std::string& word, int category = 0, int status = 1, int language = 3,
    int soundIndex = 0);

std::uint32_t u32At(const Bytes& bytes, std::size_t offset);
std::uint16_t u16At(const Bytes& bytes, std::size_t offset);
void putU32(Bytes& bytes, std::size_t offset, std::uint32_t value);

// The slot offset (0..2700) of a word's bucket.
std::uint32_t slotOf(const std::string& word);

// Appends a record (header with the given Next, the text and its NUL) and returns its offset.
std::uint32_t appendRecord(Bytes& image, std::uint32_t next, const std::string& text);
// Appends `count` records holding `text` and chains them as the free list (replacing any list
// the image had). Returns the offset of the first.
std::uint32_t appendFreeList(Bytes& image, int count, const std::string& text);

// A move of `word` towards `category` cut short, made from a sound image: with `marked` its record
// has taken the new category in its old table; with `linked` a copy of it (statuses and all, with
// the new category) is linked into the other table too. Marked and linked is a crash after the
// new copy was linked; marked only, a crash before; linked only, a move made without marking.
Bytes interruptedMove(
    const Bytes& image, const std::string& word, int category, bool marked, bool linked);

// A dictionary on disk, in folder/progdata/sonddict.dis as the program keeps it.
class DictionaryOnDisk
{
public:
    explicit DictionaryOnDisk(const Bytes& image);
    const std::string& path() const { return m_path; }
    const std::string& folder() const { return m_folder.path(); }
    // Puts these bytes back into the file.
    void reset(const Bytes& image) const;
    Bytes bytes() const { return readBytes(m_path); }
    // A fresh handle on the file, as an operation of the program would open it.
    DictionaryHandle open() const;

private:
    TempFolder m_folder;
    std::string m_path;
};

} // namespace quorvel::test
