#include "dictionary_format.h"

#include "platform/le_codec.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

DictionaryHeader DictionaryHeader::decode(const std::uint8_t* p)
{
    return { le::u32(p), le::u32(p + 4), le::u32(p + 8), le::u32(p + 12), le::u32(p + 16) };
}

void DictionaryHeader::encode(std::uint8_t* p) const
{
    le::putU32(p, mainTableOffset);
    le::putU32(p + 4, categoryTableOffset);
    le::putU32(p + 8, freeListHead);
    le::putU32(p + 12, reserved);
    le::putU32(p + 16, fileKind);
}

WordRecordHeader WordRecordHeader::decode(const std::uint8_t* p)
{
    WordRecordHeader h;
    h.next = le::u32(p);
    std::memcpy(h.flags, p + 4, 4);
    h.soundIndex = le::u16(p + 8);
    return h;
}

void WordRecordHeader::encode(std::uint8_t* p) const
{
    le::putU32(p, next);
    std::memcpy(p + 4, flags, 4);
    le::putU16(p + 8, soundIndex);
}

int WordRecordHeader::status(int user) const
{
    if (user < 0 || user > 9)
        return 0;
    return (flags[user / 4] >> ((user % 4) * 2)) & 3;
}

void WordRecordHeader::setStatus(int user, int status)
{
    if (user < 0 || user > 9)
        return;
    const int shift = (user % 4) * 2;
    std::uint8_t& b = flags[user / 4];
    b = static_cast<std::uint8_t>((b & ~(3 << shift)) | ((status & 3) << shift));
}

int WordRecordHeader::rawLanguage() const
{
    return ((flags[2] >> 7) & 1) | ((flags[3] & 1) << 1);
}

void WordRecordHeader::setLanguage(int language)
{
    flags[2] = static_cast<std::uint8_t>((flags[2] & 0x7F) | ((language & 1) << 7));
    flags[3] = static_cast<std::uint8_t>((flags[3] & 0xFE) | ((language >> 1) & 1));
}

int WordRecordHeader::category() const
{
    return (flags[3] >> 1) & 0x3F;
}

void WordRecordHeader::setCategory(int category)
{
    flags[3] = static_cast<std::uint8_t>((flags[3] & 0x81) | ((category & 0x3F) << 1));
}

int WordRecordHeader::mediaFlag() const
{
    return (flags[2] >> 5) & 3;
}

void WordRecordHeader::setMediaFlag(int media)
{
    flags[2] = static_cast<std::uint8_t>((flags[2] & 0x9F) | ((media & 3) << 5));
}

int WordRecordHeader::addedMarker() const
{
    return (flags[2] >> 4) & 1;
}

void WordRecordHeader::setAddedMarker(int added)
{
    flags[2] = static_cast<std::uint8_t>((flags[2] & 0xEF) | ((added & 1) << 4));
}

int WordRecordHeader::soundFlag() const
{
    return (flags[3] >> 7) & 1;
}

void WordRecordHeader::setSoundFlag(int sound)
{
    flags[3] = static_cast<std::uint8_t>((flags[3] & 0x7F) | ((sound & 1) << 7));
}

void WordRecordHeader::copyStatuses(const WordRecordHeader& from)
{
    flags[0] = from.flags[0];
    flags[1] = from.flags[1];
    flags[2] = static_cast<std::uint8_t>((flags[2] & 0xF0) | (from.flags[2] & 0x0F));
}

namespace {

bool validEntryWord(const std::string& w)
{
    if (w.size() < static_cast<std::size_t>(dict::kMinWordLength)
        || w.size() > static_cast<std::size_t>(dict::kMaxWordLength))
        return false;
    return std::all_of(w.begin(), w.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::uint32_t slotOf(const std::string& w)
{
    return static_cast<std::uint32_t>((w[0] - 'A') * 26 + (w[1] - 'A')) * 4;
}

} // namespace

std::vector<std::uint8_t> buildDictionaryImage(
    std::vector<DictionaryEntry> entries, std::uint32_t fileKind)
{
    std::erase_if(entries, [](const DictionaryEntry& e) {
        return !validEntryWord(e.word) || e.category < 0 || e.category > 63;
    });
    // Table, then bucket, then text: the order of the chains. Words are unique over both tables.
    std::stable_sort(entries.begin(), entries.end(),
        [](const DictionaryEntry& a, const DictionaryEntry& b) { return a.word < b.word; });
    entries.erase(
        std::unique(entries.begin(), entries.end(),
            [](const DictionaryEntry& a, const DictionaryEntry& b) { return a.word == b.word; }),
        entries.end());
    std::stable_partition(
        entries.begin(), entries.end(), [](const DictionaryEntry& e) { return e.category == 0; });

    DictionaryHeader header;
    header.mainTableOffset = dict::kHeaderSize;
    header.categoryTableOffset = dict::kHeaderSize + dict::kTableBytes;
    header.fileKind = fileKind;

    std::size_t total = dict::kHeaderSize + 2 * dict::kTableBytes;
    for (const DictionaryEntry& e : entries)
        total += dict::kRecordHeaderSize + (e.word.size() - 2) + 1;
    std::vector<std::uint8_t> image(total, 0);
    header.encode(image.data());

    // Every slot starts as its own end marker; records are then threaded into place.
    for (std::uint32_t table : { header.mainTableOffset, header.categoryTableOffset }) {
        for (std::uint32_t s = 0; s <= dict::kLastSlotOffset; s += 4)
            le::putU32(image.data() + table + s, dict::endMarker(table, s));
    }

    std::size_t at = dict::kHeaderSize + 2 * dict::kTableBytes;
    std::uint32_t lastLinkLocation = 0;
    std::uint32_t lastSlot = dict::kNoOffset;
    std::uint32_t lastTable = 0;
    for (const DictionaryEntry& e : entries) {
        const std::uint32_t table
            = e.category == 0 ? header.mainTableOffset : header.categoryTableOffset;
        const std::uint32_t slot = slotOf(e.word);
        const bool newChain = table != lastTable || slot != lastSlot;
        const std::uint32_t link = newChain ? table + slot : lastLinkLocation;

        WordRecordHeader h;
        h.next = dict::endMarker(table, slot);
        for (int u = 0; u < 10; ++u)
            h.setStatus(u, e.status);
        h.setLanguage(e.language);
        h.setCategory(e.category);
        h.setAddedMarker(e.added);
        h.setMediaFlag(e.media);
        h.setSoundFlag(e.soundFlag);
        h.soundIndex = static_cast<std::uint16_t>(e.soundIndex);
        h.encode(image.data() + at);
        std::memcpy(
            image.data() + at + dict::kRecordHeaderSize, e.word.data() + 2, e.word.size() - 2);

        le::putU32(image.data() + link, static_cast<std::uint32_t>(at));
        lastLinkLocation = static_cast<std::uint32_t>(at);
        lastSlot = slot;
        lastTable = table;
        at += dict::kRecordHeaderSize + (e.word.size() - 2) + 1;
    }
    return image;
}

} // namespace quorvel
