#include "word_file.h"

#include "config/startup_info.h"
#include "dictionary/dictionary_ops.h"
#include "platform/file_errors.h"
#include "platform/le_codec.h"
#include "platform/paths.h"

#include <cstring>

namespace quorvel {

WordFileHeader WordFileHeader::decode(const std::uint8_t* p)
{
    return { le::u32(p), le::u16(p + 4), le::u32(p + 6), le::u16(p + 10), le::u16(p + 12) };
}

void WordFileHeader::encode(std::uint8_t* p) const
{
    le::putU32(p, firstOffset);
    le::putU16(p + 4, state);
    le::putU32(p + 6, tableOffset);
    le::putU16(p + 10, count);
    le::putU16(p + 12, listType);
}

WordFileRecord WordFileRecord::decode(const std::uint8_t* p)
{
    WordFileRecord r;
    r.word = le::text(p, 41);
    r.answer = le::text(p + 41, 41);
    r.result = p[82];
    r.attempts = p[83];
    r.bucketOffset = le::u32(p + 84);
    r.dictionaryOffset = le::u32(p + 88);
    r.index = le::u16(p + 92);
    r.askedSize = le::u16(p + 94);
    r.soundIndex = le::u16(p + 96);
    r.media = le::u16(p + 98);
    r.soundFlag = le::u16(p + 100);
    r.next = le::u32(p + 102);
    return r;
}

void WordFileRecord::encode(std::uint8_t* p) const
{
    le::putText(p, 41, word);
    le::putText(p + 41, 41, answer);
    p[82] = result;
    p[83] = attempts;
    le::putU32(p + 84, bucketOffset);
    le::putU32(p + 88, dictionaryOffset);
    le::putU16(p + 92, index);
    le::putU16(p + 94, askedSize);
    le::putU16(p + 96, soundIndex);
    le::putU16(p + 98, media);
    le::putU16(p + 100, soundFlag);
    le::putU32(p + 102, next);
}

std::unique_ptr<WordFile> WordFile::open(const std::string& dataFolder, int slot, OpenMode mode)
{
    if (slot < 0 || slot > 9 || dataFolder.empty())
        return nullptr;
    auto file = File::open(paths::wordFile(dataFolder, static_cast<char>('0' + slot)), mode);
    if (!file)
        return nullptr;
    return std::unique_ptr<WordFile>(new WordFile(std::move(file)));
}

bool WordFile::close()
{
    return m_file->close();
}

bool WordFile::readHeader(WordFileHeader& header)
{
    std::uint8_t bytes[kWordFileHeaderSize];
    if (!m_file->readAt(0, bytes, sizeof bytes))
        return false;
    header = WordFileHeader::decode(bytes);
    return true;
}

std::uint32_t WordFile::readFirstOffset()
{
    std::uint8_t bytes[4];
    if (!m_file->readAt(0, bytes, 4))
        return kWordFileLastRecord;
    return le::u32(bytes);
}

int WordFile::readState()
{
    std::uint8_t bytes[2];
    if (!m_file->readAt(4, bytes, 2))
        return ListState::kNone;
    const int state = le::u16(bytes);
    return ListState::valid(state) ? state : ListState::kNone;
}

bool WordFile::recordFits(std::uint32_t offset) const
{
    return offset >= kWordFileHeaderSize
        && std::uint64_t(offset) + kWordFileRecordSize <= m_file->size();
}

bool WordFile::readRecord(std::uint32_t offset, WordFileRecord& record)
{
    std::uint8_t bytes[kWordFileRecordSize];
    if (!recordFits(offset) || !m_file->readAt(offset, bytes, sizeof bytes))
        return false;
    record = WordFileRecord::decode(bytes);
    return true;
}

std::uint32_t WordFile::writeRecord(std::uint32_t offset, const WordFileRecord& record)
{
    std::uint8_t bytes[kWordFileRecordSize];
    record.encode(bytes);
    if (offset < kWordFileHeaderSize || !m_file->writeAt(offset, bytes, sizeof bytes))
        return 0;
    return offset + kWordFileRecordSize;
}

bool WordFile::appendListRecord(int index, WordFileRecord record, int state,
    std::uint32_t tableOffset, int askedCount, ListType listType)
{
    if (index < 0 || index > 0xFFFF)
        return false;
    if (index == 0) {
        WordFileHeader header;
        header.state = static_cast<std::uint16_t>(state);
        header.tableOffset = tableOffset;
        header.count = static_cast<std::uint16_t>(askedCount);
        header.listType = static_cast<std::uint16_t>(listTypeNumber(listType));
        std::uint8_t bytes[kWordFileHeaderSize];
        header.encode(bytes);
        if (!m_file->writeAt(0, bytes, sizeof bytes))
            return false;
    }
    const std::uint32_t place
        = kWordFileHeaderSize + kWordFileRecordSize * static_cast<std::uint32_t>(index);
    // A placeholder at the end of the file takes this record's place; the end after it is the
    // next record's place. Records therefore lie back to back.
    const std::uint8_t placeholder[kWordFileRecordSize] = {};
    if (!m_file->seek(m_file->size()) || !m_file->write(placeholder, sizeof placeholder))
        return false;
    record.index = static_cast<std::uint16_t>(index);
    record.askedSize = static_cast<std::uint16_t>(askedCount);
    record.next = static_cast<std::uint32_t>(m_file->size());
    return writeRecord(place, record) != 0;
}

bool WordFile::readList(std::vector<WordFileEntry>& entries, std::size_t limit)
{
    entries.clear();
    const std::uint32_t first = readFirstOffset();
    const std::uint64_t maxRecords = m_file->size() / kWordFileRecordSize + 1;
    std::uint32_t offset = first;
    while (offset != kWordFileLastRecord && entries.size() < limit) {
        if (entries.size() >= maxRecords)
            return false; // the chain comes back on itself
        WordFileRecord record;
        if (!readRecord(offset, record))
            return false;
        entries.push_back({ offset, record });
        offset = record.next;
    }
    return true;
}

bool WordFile::finishList(int count, ListType listType, int state)
{
    if (!ListState::valid(state) || count < 1)
        return false;
    std::vector<WordFileEntry> entries;
    if (!readList(entries, static_cast<std::size_t>(count)))
        return false;
    if (entries.size() != static_cast<std::size_t>(count))
        return false;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].record.index != k)
            return false;
    }
    WordFileEntry& last = entries.back();
    last.record.next = kWordFileLastRecord;
    if (writeRecord(last.offset, last.record) == 0)
        return false;
    std::uint8_t bytes[2];
    le::putU16(bytes, static_cast<std::uint16_t>(count));
    if (!m_file->writeAt(10, bytes, 2))
        return false;
    le::putU16(bytes, static_cast<std::uint16_t>(listTypeNumber(listType)));
    if (!m_file->writeAt(12, bytes, 2))
        return false;
    le::putU16(bytes, static_cast<std::uint16_t>(state));
    return m_file->writeAt(4, bytes, 2);
}

bool WordFile::invalidate()
{
    const std::uint8_t zero[2] = { 0, 0 };
    return m_file->writeAt(4, zero, 2);
}

WordFile::Lookup WordFile::findWord(std::string_view word)
{
    // While a list is built the last record's next points at the place of the record to come,
    // which may not exist yet: the walk ends there.
    std::uint8_t first[4];
    if (!m_file->readAt(0, first, 4))
        return Lookup::ReadError;
    std::uint32_t offset = le::u32(first);
    const std::uint64_t maxRecords = m_file->size() / kWordFileRecordSize + 1;
    for (std::uint64_t seen = 0; offset != kWordFileLastRecord && recordFits(offset); ++seen) {
        if (seen >= maxRecords)
            return Lookup::ReadError;
        WordFileRecord record;
        if (!readRecord(offset, record))
            return Lookup::ReadError;
        if (record.word == word)
            return Lookup::Listed;
        offset = record.next;
    }
    return Lookup::NotListed;
}

std::vector<std::uint8_t> WordListImage::encode() const
{
    const auto count = static_cast<std::uint32_t>(records.size());
    std::vector<std::uint8_t> bytes(kWordFileHeaderSize + kWordFileRecordSize * count, 0);
    WordFileHeader header;
    header.state = static_cast<std::uint16_t>(state);
    header.tableOffset = tableOffset;
    header.count = static_cast<std::uint16_t>(count);
    header.listType = static_cast<std::uint16_t>(listType);
    header.encode(bytes.data());
    for (std::uint32_t k = 0; k < count; ++k) {
        WordFileRecord r = records[k];
        const std::uint32_t place = kWordFileHeaderSize + kWordFileRecordSize * k;
        r.index = static_cast<std::uint16_t>(k);
        r.askedSize = static_cast<std::uint16_t>(askedCount);
        r.next = k + 1 < count ? place + kWordFileRecordSize : kWordFileLastRecord;
        r.encode(bytes.data() + place);
    }
    return bytes;
}

// The list is written over the old file in one write, not put in its place by a rename: a word
// list is a working file rewritten at every Start, and a file renamed over another (or emptied)
// is sent to the disk at once by common Linux file systems, which costs more than drawing the
// whole list. A list torn by a crash cannot harm the dictionary: its results are applied only
// where every word is still where the list found it.
bool saveWordList(const std::string& dataFolder, int slot, const WordListImage& list)
{
    if (slot < 0 || slot > 9 || dataFolder.empty())
        return false;
    const std::vector<std::uint8_t> bytes = list.encode();
    auto file
        = File::open(paths::wordFile(dataFolder, static_cast<char>('0' + slot)), OpenMode::Create);
    if (!file)
        return false;
    file->beginBatch();
    const bool written = file->writeAt(0, bytes.data(), bytes.size()) && file->endBatch();
    return file->close() && written;
}

bool invalidateAllWordFiles(const std::string& dataFolder, std::string* failedPath)
{
    bool ok = true;
    for (int slot = 0; slot < 10; ++slot) {
        const std::string path = paths::wordFile(dataFolder, static_cast<char>('0' + slot));
        auto file = WordFile::open(dataFolder, slot, OpenMode::ReadWrite);
        bool done = true;
        if (!file) {
            // A user without a word file has no list to mark; one that is there but cannot be
            // opened keeps a list that may be applied.
            done = testFileExists(path).missing();
        } else {
            std::uint8_t state[2];
            if (!file->file().readAt(4, state, 2) || le::u16(state) != ListState::kNone)
                done = file->invalidate() && file->file().sync();
            done = file->close() && done;
        }
        if (!done && ok && failedPath)
            *failedPath = path;
        ok = ok && done;
    }
    return ok;
}

int nextWordStatus(int oldStatus, bool correct)
{
    switch (oldStatus) {
    case 0:
        return correct ? 1 : 0;
    case 1:
        return correct ? 2 : 0;
    case 2:
        return correct ? 3 : 1;
    case 3:
        return 3;
    default:
        return -1;
    }
}

ListApplyResult ApplyListResults(WordFile& wordFile, StartupInfo& info, int currentUser)
{
    using Outcome = ListApplyResult::Outcome;
    ListApplyResult out;
    // Another program may have written the file since this handle read it: a dictionary change
    // marks every list used up.
    wordFile.file().dropCache();
    WordFileHeader header;
    if (!wordFile.readHeader(header))
        return out;
    if (header.state == ListState::kNone) {
        out.outcome = Outcome::OutOfDate;
        return out;
    }
    std::vector<WordFileEntry> entries;
    if (header.state != ListState::kFreshDictionary || header.count == 0
        || !wordFile.readList(entries) || entries.size() != header.count)
        return out;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].record.index != k)
            return out;
    }
    auto dictionary = OpenDictionary(info);
    if (!dictionary)
        return out;

    // Every listed word must still be found at the record the list names; a record freed by a
    // removal may since hold another word, even one with the same text in another bucket.
    std::vector<CurrentWordInfo> words(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const WordFileRecord& r = entries[i].record;
        std::uint32_t offset = 0;
        const FindResult result = FindWord(*dictionary, r.word, words[i], &offset);
        if (result == FindResult::FileError) {
            CloseDictionary(dictionary);
            return out;
        }
        if (!isFound(result) || offset != r.dictionaryOffset) {
            CloseDictionary(dictionary);
            out.outcome = Outcome::OutOfDate;
            out.word = r.word;
            return out;
        }
    }

    // Used up on the disk before the first status changes: a pass cut short here by a crash
    // loses its results rather than moving some of them twice.
    if (!wordFile.invalidate() || !wordFile.file().sync()) {
        CloseDictionary(dictionary);
        return out;
    }
    bool ok = true;
    for (std::size_t i = 0; ok && i < entries.size(); ++i) {
        const int next
            = nextWordStatus(words[i].status(currentUser), entries[i].record.result == 1);
        if (next < 0)
            ok = false;
        else {
            words[i].setStatus(currentUser, static_cast<std::uint16_t>(next));
            ok = StoreWordInfo(*dictionary, entries[i].record.dictionaryOffset, words[i]);
        }
    }
    ok = dictionary->sync() && ok;
    ok = CloseDictionary(dictionary) && ok;
    if (ok)
        out.outcome = Outcome::Applied;
    return out;
}

} // namespace quorvel
