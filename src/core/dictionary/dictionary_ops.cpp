#include "dictionary_ops.h"

#include "platform/le_codec.h"

#include <string>

namespace quorvel {

using namespace dict;

namespace {

// A checked word with everything the word operations need to find its place.
struct PreparedWord
{
    std::string word;
    std::uint32_t slot = 0;
    std::string_view text;
    std::uint32_t mainTable = 0;
    std::uint32_t categoryTable = 0;
};

constexpr int kGoOn = -1;

// Checks the word and finds its bucket and the two tables. Returns kGoOn, or the operation's
// result when it ends here: `notSuitable` for an unsuitable word, 4 when the tables cannot be read.
int prepare(File& file, std::string_view word, PreparedWord& out, int notSuitable)
{
    out.word.assign(word);
    if (!CheckWord(out.word))
        return notSuitable;
    out.slot = BucketOffset(out.word);
    out.text = std::string_view(out.word).substr(2);
    out.mainTable = ReadTableOffset(file, Table::Main);
    out.categoryTable = ReadTableOffset(file, Table::Category);
    if (out.mainTable == kNoOffset || out.categoryTable == kNoOffset)
        return DictResult::kFileError;
    return kGoOn;
}

} // namespace

int FindWord(File& file, std::string_view word, CurrentWordInfo& info, std::uint32_t* recordOffset)
{
    PreparedWord w;
    if (const int early = prepare(file, word, w, DictResult::kNotSuitable); early != kGoOn)
        return early;
    ChainPosition pos;
    int result = SearchChain(file, w.mainTable, w.slot, w.text, pos);
    if (result == DictResult::kNotFound) {
        result = SearchChain(file, w.categoryTable, w.slot, w.text, pos);
        if (result == DictResult::kDone)
            result = DictResult::kFoundInCategory;
    }
    if (result == DictResult::kDone || result == DictResult::kFoundInCategory) {
        if (!LoadWordInfo(file, pos.foundOffset, info))
            return DictResult::kNotFound;
        if (recordOffset)
            *recordOffset = pos.foundOffset;
    }
    return result;
}

int AddWord(File& file, std::string_view word, CurrentWordInfo& info)
{
    PreparedWord w;
    if (const int early = prepare(file, word, w, DictResult::kNotFound); early != kGoOn)
        return early;
    const WordRecordHeader header = info.NewRecord();
    const bool toCategory = info.category() != 0;
    const std::uint32_t other = toCategory ? w.mainTable : w.categoryTable;
    const std::uint32_t target = toCategory ? w.categoryTable : w.mainTable;
    ChainPosition pos;
    const int inOther = SearchChain(file, other, w.slot, w.text, pos);
    if (inOther == DictResult::kDone)
        return DictResult::kAlreadyThere;
    if (inOther == DictResult::kFileError)
        return DictResult::kFileError;
    const int result = InsertRecord(file, target, w.slot, header, w.text);
    file.flush();
    return result;
}

int AmendWord(File& file, std::string_view word, bool withSound, CurrentWordInfo& info)
{
    PreparedWord w;
    if (const int early = prepare(file, word, w, DictResult::kNotFound); early != kGoOn)
        return early;
    WordRecordHeader header = info.NewRecord();
    if (withSound)
        header.soundIndex = info.soundIndex();
    const bool toCategory = info.category() != 0;
    const std::uint32_t target = toCategory ? w.categoryTable : w.mainTable;
    const std::uint32_t source = toCategory ? w.mainTable : w.categoryTable;

    ChainPosition pos;
    const int inSource = SearchChain(file, source, w.slot, w.text, pos);
    if (inSource == DictResult::kFileError)
        return DictResult::kFileError;
    if (inSource == DictResult::kDone) {
        // The word changes table: its statuses travel with it.
        WordRecordHeader old;
        if (!ReadRecordHeader(file, pos.foundOffset, old))
            return DictResult::kFileError;
        header.copyStatuses(old);
        // The word goes into its new table before it leaves the old one, so that a failure on
        // the way leaves it in one table (at worst, for a moment, in both), never in neither.
        const int inserted = InsertRecord(file, target, w.slot, header, w.text);
        if (inserted != DictResult::kDone)
            return inserted;
        bool unlinked = false;
        UnlinkRecord(file, source, w.slot, w.text, false, &unlinked);
        // A full free list only means the old record's space is not reused: the word has left
        // its old table, and that is the move done.
        if (unlinked)
            return DictResult::kDone;
        // The old record is still in its chain: take the new one out again, so that the word is
        // not in both tables. Should that fail too, the word is still found (in the main table
        // first), which is better than losing it.
        UnlinkRecord(file, target, w.slot, w.text, false);
        return DictResult::kFileError;
    }

    const int inTarget = SearchChain(file, target, w.slot, w.text, pos);
    if (inTarget != DictResult::kDone)
        return inTarget;
    WordRecordHeader old;
    if (!ReadRecordHeader(file, pos.foundOffset, old))
        return DictResult::kFileError;
    header.copyStatuses(old);
    if (!writeWithRetry(file, pos.foundOffset + 4, header.flags, 4))
        return DictResult::kFileError;
    if (!withSound)
        return DictResult::kDone;
    std::uint8_t sound[2];
    le::putU16(sound, header.soundIndex);
    return file.writeAt(pos.foundOffset + 8, sound, 2) ? DictResult::kDone : DictResult::kFileError;
}

int RemoveWord(File& file, std::string_view word)
{
    PreparedWord w;
    if (const int early = prepare(file, word, w, DictResult::kNotSuitable); early != kGoOn)
        return early;
    ChainPosition pos;
    const int inCategory = SearchChain(file, w.categoryTable, w.slot, w.text, pos);
    if (inCategory == DictResult::kFileError)
        return DictResult::kFileError;
    const std::uint32_t table = inCategory == DictResult::kDone ? w.categoryTable : w.mainTable;
    bool unlinked = false;
    const int result = UnlinkRecord(file, table, w.slot, w.text, true, &unlinked);
    // With the free list full the word is still gone from its chain: that is a removal.
    if (unlinked && result == DictResult::kNotFound)
        return DictResult::kDone;
    return result;
}

bool LoadWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info)
{
    WordRecordHeader header;
    if (!ReadRecordHeader(file, recordOffset, header))
        return false;
    info.loadFrom(header);
    return true;
}

bool StoreWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info)
{
    std::uint8_t flags[4];
    info.ComposeWordFlags(flags);
    return file.writeAt(recordOffset + 4, flags, 4);
}

} // namespace quorvel
