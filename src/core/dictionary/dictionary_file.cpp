#include "dictionary_file.h"
#include "dictionary_index.h"

#include "config/startup_info.h"
#include "platform/file_errors.h"
#include "platform/le_codec.h"
#include "platform/paths.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace quorvel {

using namespace dict;

// --- file level ------------------------------------------------------------------------------

DictionaryHandle openDictionaryFile(const std::string& path, bool allowAdditional, int* fileError)
{
    int err = 0;
    auto file = File::open(path, OpenMode::ReadWrite, &err);
    if (!file) {
        if (fileError)
            *fileError = err;
        return nullptr;
    }
    DictionaryHeader header;
    // A file whose tables do not lie inside it is no dictionary, whatever its first bytes say.
    if (file->size() > kMaxFileSize || !readDictionaryHeader(*file, header)
        || (!allowAdditional && header.fileKind == kAdditionalKind)
        || ReadTableOffset(*file, Table::Main) == kNoOffset
        || ReadTableOffset(*file, Table::Category) == kNoOffset) {
        if (fileError)
            *fileError = FileError::kBadFormat;
        file->close();
        return nullptr;
    }
    if (fileError)
        *fileError = 0;
    return file;
}

DictionaryHandle OpenDictionary(StartupInfo& info)
{
    const std::string folder = info.dictionaryFolder();
    if (folder.empty())
        return nullptr;
    info.setDictionaryOpened(1);
    return openDictionaryFile(paths::dictionaryFile(folder), false);
}

bool CloseDictionary(DictionaryHandle& file)
{
    if (!file)
        return false;
    const bool ok = file->close();
    file.reset();
    return ok;
}

bool readDictionaryHeader(File& file, DictionaryHeader& header)
{
    std::uint8_t bytes[kHeaderSize];
    if (!file.readAt(0, bytes, sizeof bytes))
        return false;
    header = DictionaryHeader::decode(bytes);
    return true;
}

std::uint32_t ReadTableOffset(File& file, Table which)
{
    std::uint8_t bytes[4];
    if (!file.readAt(which == Table::Main ? 0 : 4, bytes, 4))
        return kNoOffset;
    const std::uint32_t offset = le::u32(bytes);
    // A table must lie whole inside the file and after the header, and within reach of 32-bit
    // offsets, so that no slot offset in it wraps round.
    if (offset < kHeaderSize
        || std::uint64_t(offset) + kTableBytes > std::min(file.size(), kMaxFileSize))
        return kNoOffset;
    return offset;
}

// --- words -----------------------------------------------------------------------------------

bool CheckWord(std::string& word)
{
    const int len = static_cast<int>(word.size());
    if (len < kMinWordLength || len > kMaxWordLength)
        return false;
    bool ok = true;
    for (char& c : word) {
        // Only the 26 ASCII letters: bytes of accented (UTF-8 or 8-bit) letters fail.
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            ok = false;
    }
    return ok;
}

std::uint32_t BucketOffset(std::string_view word)
{
    if (word.size() < 2)
        return kNoOffset;
    const char a = word[0], b = word[1];
    if (a < 'A' || a > 'Z' || b < 'A' || b > 'Z')
        return kNoOffset;
    return static_cast<std::uint32_t>((a - 'A') * 26 + (b - 'A')) * 4;
}

bool BucketLetters(std::uint32_t slotOffset, char letters[2])
{
    const std::uint32_t index = slotOffset / 4;
    if (index / 26 >= 26)
        return false;
    letters[0] = static_cast<char>('A' + index / 26);
    letters[1] = static_cast<char>('A' + index % 26);
    return true;
}

// --- chain level -----------------------------------------------------------------------------

bool recordOffsetInFile(const File& file, std::uint32_t offset)
{
    return offset >= kHeaderSize && std::uint64_t(offset) + kRecordHeaderSize + 1 <= file.size();
}

std::uint32_t chainStepLimit(const File& file)
{
    const std::uint64_t room = file.size() > kHeaderSize ? file.size() - kHeaderSize : 0;
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(room / (kRecordHeaderSize + 2) + 1, 0xFFFFFFF0u));
}

bool ReadRecordHeader(File& file, std::uint32_t offset, WordRecordHeader& header)
{
    std::uint8_t bytes[kRecordHeaderSize];
    if (!file.readAt(offset, bytes, sizeof bytes))
        return false;
    header = WordRecordHeader::decode(bytes);
    return true;
}

bool ReadLink(File& file, std::uint32_t offset, std::uint32_t& value)
{
    std::uint8_t bytes[4];
    if (!file.readAt(offset, bytes, 4))
        return false;
    value = le::u32(bytes);
    return true;
}

bool ReadText(File& file, std::string& text)
{
    char buffer[kMaxTextRead + 1] = {};
    const std::size_t got = file.read(buffer, kMaxTextRead);
    buffer[std::min(got, kMaxTextKept)] = 0;
    text.assign(buffer, std::strlen(buffer));
    return got > 0;
}

bool readRecord(File& file, std::uint32_t offset, WordRecordHeader& header, std::string& text)
{
    return ReadRecordHeader(file, offset, header) && ReadText(file, text) && !text.empty();
}

bool RecordReader::fromView(
    const std::uint8_t* p, std::uint64_t offset, std::size_t available, RecordPeek& peek) const
{
    // The text is whole in the view when ReadText's 40 bytes are there, or the file ends within
    // them; otherwise the record straddles two cache blocks and is copied.
    const std::size_t after = available - kRecordHeaderSize;
    if (after < kMaxTextRead && offset + available < m_file.size())
        return false;
    const auto* text = reinterpret_cast<const char*>(p + kRecordHeaderSize);
    const std::size_t span = std::min(after, kMaxTextRead);
    const void* nul = std::memchr(text, 0, span);
    const std::size_t length
        = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : span;
    peek.next = le::u32(p);
    peek.header = p;
    peek.text = std::string_view(text, std::min(length, kMaxTextKept));
    return true;
}

RecordReader::RecordReader(File& file)
    : m_file(file)
    , m_limit(chainStepLimit(file))
{ }

bool RecordReader::read(std::uint32_t offset, RecordPeek& peek)
{
    if (m_steps++ >= m_limit || !recordOffsetInFile(m_file, offset))
        return false;
    if (m_base && offset >= m_baseOffset
        && std::uint64_t(offset) + kRecordHeaderSize + 1 <= m_baseOffset + m_baseAvailable) {
        const auto skip = static_cast<std::size_t>(offset - m_baseOffset);
        if (fromView(m_base + skip, offset, m_baseAvailable - skip, peek))
            return true;
    }
    std::size_t available = 0;
    bool failed = false;
    const std::uint8_t* p = m_file.view(offset, kRecordHeaderSize + 1, available, failed);
    if (failed)
        return false;
    if (p) {
        m_base = p;
        m_baseOffset = offset;
        m_baseAvailable = available;
        if (fromView(p, offset, available, peek))
            return true;
    }
    m_base = nullptr; // the reads below may move cache blocks
    m_scratch.resize(kRecordHeaderSize);
    if (!m_file.readAt(offset, m_scratch.data(), kRecordHeaderSize))
        return false;
    std::string text;
    if (ReadText(m_file, text))
        m_scratch += text;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(m_scratch.data());
    peek.next = le::u32(bytes);
    peek.header = bytes;
    peek.text = std::string_view(m_scratch).substr(kRecordHeaderSize);
    return true;
}

namespace {

bool writeTwice(File& file, std::uint32_t offset, const void* data, std::size_t size)
{
    if (!file.seek(offset))
        return false;
    if (file.write(data, size))
        return true;
    file.rewind();
    if (!file.seek(offset))
        return false;
    return file.write(data, size);
}

} // namespace

bool writeWithRetry(File& file, std::uint32_t offset, const void* data, std::size_t size)
{
    const bool ok = writeTwice(file, offset, data, size);
    if (ChainIndex* index = detail::activeIndex(file))
        detail::noteWrite(*index, offset, data, size, ok);
    return ok;
}

bool writeLink(File& file, std::uint32_t location, std::uint32_t value)
{
    std::uint8_t bytes[4];
    le::putU32(bytes, value);
    return writeWithRetry(file, location, bytes, 4);
}

ChainSearch SearchChain(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    std::string_view text, ChainPosition& position)
{
    if (ChainIndex* index = detail::activeIndex(file)) {
        ChainSearch result = ChainSearch::NotFound;
        if (detail::indexedSearch(*index, file, tableOffset, slotOffset, text, position, result))
            return result;
    }
    const std::uint32_t end = endMarker(tableOffset, slotOffset);
    position.linkLocation = tableOffset + slotOffset;
    std::uint32_t current = 0;
    if (!ReadLink(file, position.linkLocation, current))
        return ChainSearch::FileError;
    if (current == end) {
        position.nextOffset = end;
        return ChainSearch::NotFound;
    }
    RecordReader reader(file);
    RecordPeek record;
    for (;;) {
        if (!reader.read(current, record) || record.text.empty())
            return ChainSearch::FileError;
        const int cmp = text.compare(record.text);
        if (cmp == 0) {
            position.foundOffset = current;
            position.nextOffset = record.next;
            return ChainSearch::Found;
        }
        if (cmp < 0) {
            position.nextOffset = current;
            return ChainSearch::NotFound;
        }
        position.linkLocation = current; // its Next field is at its start
        current = record.next;
        if (current == end) {
            position.nextOffset = end;
            return ChainSearch::NotFound;
        }
    }
}

bool writeRecord(
    File& file, std::uint32_t place, const WordRecordHeader& header, std::string_view text)
{
    std::vector<std::uint8_t> bytes(kRecordHeaderSize + text.size() + 1, 0);
    header.encode(bytes.data());
    std::copy(text.begin(), text.end(), bytes.begin() + kRecordHeaderSize);
    return writeWithRetry(file, place, bytes.data(), bytes.size());
}

std::uint32_t placeForRecord(File& file, std::size_t textLength)
{
    const std::uint32_t reused = TakeFreeRecord(file, textLength);
    if (reused != kNoOffset)
        return reused;
    // Records are located by 32-bit offsets: the file cannot grow beyond them.
    const std::uint64_t end = file.size();
    if (end + kRecordHeaderSize + textLength + 1 > 0xFFFFFFF0u)
        return kNoOffset;
    return static_cast<std::uint32_t>(end);
}

InsertResult InsertRecord(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    WordRecordHeader header, std::string_view text)
{
    ChainPosition pos;
    const ChainSearch found = SearchChain(file, tableOffset, slotOffset, text, pos);
    if (found == ChainSearch::Found)
        return InsertResult::AlreadyThere;
    if (found == ChainSearch::FileError)
        return InsertResult::FileError;
    return insertAt(file, pos, header, text);
}

InsertResult insertAt(
    File& file, const ChainPosition& pos, WordRecordHeader header, std::string_view text)
{
    // The record is written whole before the link that puts it into its chain: until that link
    // is written it is reachable from nowhere, and a failure or a crash on the way leaves the
    // chain as it was (at worst with the record's space lost).
    const std::uint32_t place = placeForRecord(file, text.size());
    if (place == kNoOffset)
        return InsertResult::FileError;
    header.next = pos.nextOffset;
    if (!writeRecord(file, place, header, text) || !writeLink(file, pos.linkLocation, place))
        return InsertResult::FileError;
    return InsertResult::Inserted;
}

UnlinkResult UnlinkRecord(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    std::string_view text, bool refuseIfSound, bool* unlinked)
{
    if (unlinked)
        *unlinked = false;
    ChainPosition pos;
    const ChainSearch found = SearchChain(file, tableOffset, slotOffset, text, pos);
    if (found != ChainSearch::Found)
        return found == ChainSearch::FileError ? UnlinkResult::FileError : UnlinkResult::NotFound;
    return unlinkFound(file, pos, refuseIfSound, unlinked);
}

UnlinkResult unlinkFound(File& file, const ChainPosition& pos, bool refuseIfSound, bool* unlinked)
{
    if (unlinked)
        *unlinked = false;
    WordRecordHeader header;
    if (!ReadRecordHeader(file, pos.foundOffset, header))
        return UnlinkResult::FileError;
    if (refuseIfSound && header.soundIndex != 0)
        return UnlinkResult::SoundLinked;
    // Out of its chain first, onto the free list after: a record is never in both.
    if (!writeLink(file, pos.linkLocation, header.next))
        return UnlinkResult::FileError;
    if (unlinked)
        *unlinked = true;
    switch (FreeRecord(file, pos.foundOffset)) {
    case FreeResult::Freed:
        return UnlinkResult::Unlinked;
    case FreeResult::ListFull:
        return UnlinkResult::FreeListFull;
    case FreeResult::FileError:
        break;
    }
    return UnlinkResult::FileError;
}

std::uint32_t TakeFreeRecord(File& file, std::size_t textLength)
{
    DictionaryHeader header;
    if (!readDictionaryHeader(file, header))
        return kNoOffset;
    std::uint32_t linkLocation = kFreeListHeadOffset;
    std::uint32_t current = header.freeListHead;
    WordRecordHeader record;
    std::string text;
    // A free list that cannot be read, points where no record can lie, or comes back on itself
    // is damaged; it simply offers nothing, and the new record goes at the end of the file.
    for (int looked = 0; current != kFreeListEnd; ++looked) {
        if (looked >= kFreeListReuseLimit || !recordOffsetInFile(file, current)
            || !readRecord(file, current, record, text))
            return kNoOffset;
        if (text.size() == textLength) {
            if (!writeLink(file, linkLocation, record.next))
                return kNoOffset;
            return current;
        }
        linkLocation = current;
        current = record.next;
    }
    return kNoOffset;
}

FreeResult FreeRecord(File& file, std::uint32_t recordOffset)
{
    DictionaryHeader fileHeader;
    if (!readDictionaryHeader(file, fileHeader))
        return FreeResult::FileError;
    WordRecordHeader freed;
    if (!recordOffsetInFile(file, recordOffset) || !ReadRecordHeader(file, recordOffset, freed))
        return FreeResult::FileError;

    // Find the tail, starting from the pseudo-record whose Next field is the list head.
    std::uint32_t at = kFreeListHeadOffset;
    std::unordered_set<std::uint32_t> seen;
    WordRecordHeader tail;
    for (int links = 0;; ++links) {
        if (!ReadRecordHeader(file, at, tail))
            return FreeResult::FileError;
        if (tail.next == kFreeListEnd)
            break;
        if (links >= kFreeListAppendLimit)
            return FreeResult::ListFull; // the list is full; the record's space is not reused
        if (!recordOffsetInFile(file, tail.next) || tail.next == recordOffset
            || !seen.insert(tail.next).second)
            return FreeResult::FileError;
        at = tail.next;
    }

    // The freed record gets the list's end marker before the tail's link points at it.
    if (!writeLink(file, recordOffset, kFreeListEnd) || !writeLink(file, at, recordOffset))
        return FreeResult::FileError;
    return FreeResult::Freed;
}

} // namespace quorvel
