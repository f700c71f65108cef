#include "dictionary_test_support.h"

#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "platform/le_codec.h"

#include <filesystem>

namespace quorvel::test {

DictionaryEntry entry(
    const std::string& word, int category, int status, int language, int soundIndex)
{
    DictionaryEntry e;
    e.word = word;
    e.category = category;
    e.status = status;
    e.language = language;
    e.soundIndex = soundIndex;
    return e;
}

std::uint32_t u32At(const Bytes& bytes, std::size_t offset)
{
    return le::u32(bytes.data() + offset);
}

std::uint16_t u16At(const Bytes& bytes, std::size_t offset)
{
    return le::u16(bytes.data() + offset);
}

void putU32(Bytes& bytes, std::size_t offset, std::uint32_t value)
{
    le::putU32(bytes.data() + offset, value);
}

std::uint32_t slotOf(const std::string& word)
{
    return static_cast<std::uint32_t>((word[0] - 'A') * 26 + (word[1] - 'A')) * 4;
}

std::uint32_t appendRecord(Bytes& image, std::uint32_t next, const std::string& text)
{
    const auto at = static_cast<std::uint32_t>(image.size());
    image.resize(image.size() + 10 + text.size() + 1, 0);
    putU32(image, at, next);
    std::copy(text.begin(), text.end(), image.begin() + at + 10);
    return at;
}

std::uint32_t appendFreeList(Bytes& image, int count, const std::string& text)
{
    std::uint32_t first = 12;
    std::uint32_t previous = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t at = appendRecord(image, 12, text);
        if (i == 0)
            first = at;
        else
            putU32(image, previous, at);
        previous = at;
    }
    putU32(image, 8, first);
    return first;
}

DictionaryOnDisk::DictionaryOnDisk(const Bytes& image)
{
    m_folder.makeProgdata();
    m_path = m_folder.file("progdata/sonddict.dis");
    reset(image);
}

void DictionaryOnDisk::reset(const Bytes& image) const
{
    writeBytes(m_path, image);
}

DictionaryHandle DictionaryOnDisk::open() const
{
    return openDictionaryFile(m_path, false);
}

Bytes interruptedMove(
    const Bytes& image, const std::string& word, int category, bool marked, bool linked)
{
    DictionaryOnDisk dict(image);
    auto file = dict.open();
    CurrentWordInfo info;
    std::uint32_t offset = 0;
    const FindResult found = FindWord(*file, word, info, &offset);
    if (!isFound(found))
        return {};
    WordRecordHeader header;
    ReadRecordHeader(*file, offset, header);
    header.setCategory(category);
    if (marked)
        writeWithRetry(*file, offset + 4, header.flags, 4);
    if (linked) {
        const Table other = found == FindResult::InMain ? Table::Category : Table::Main;
        InsertRecord(*file, ReadTableOffset(*file, other), slotOf(word), header, word.substr(2));
    }
    file->close();
    return dict.bytes();
}

} // namespace quorvel::test
