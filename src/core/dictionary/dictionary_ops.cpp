#include "dictionary_ops.h"

#include "platform/le_codec.h"

#include <cstring>
#include <string>
#include <vector>

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

    std::uint32_t table(Table which) const
    {
        return which == Table::Main ? mainTable : categoryTable;
    }
};

enum class Prepared
{
    Ready,
    NotSuitable,
    FileError, // the tables cannot be read
};

// Checks the word and finds its bucket and the two tables.
Prepared prepare(File& file, std::string_view word, PreparedWord& out)
{
    out.word.assign(word);
    if (!CheckWord(out.word))
        return Prepared::NotSuitable;
    out.slot = BucketOffset(out.word);
    out.text = std::string_view(out.word).substr(2);
    out.mainTable = ReadTableOffset(file, Table::Main);
    out.categoryTable = ReadTableOffset(file, Table::Category);
    if (out.mainTable == kNoOffset || out.categoryTable == kNoOffset)
        return Prepared::FileError;
    return Prepared::Ready;
}

Table otherTable(Table t)
{
    return t == Table::Main ? Table::Category : Table::Main;
}

// The flag bytes of a record (and its sound index) written in place, in one write.
bool writeFlags(File& file, std::uint32_t record, const WordRecordHeader& header, bool withSound)
{
    std::uint8_t bytes[6];
    std::memcpy(bytes, header.flags, 4);
    le::putU16(bytes + 4, header.soundIndex);
    return writeWithRetry(file, record + 4, bytes, withSound ? 6 : 4);
}

// An undo is tried twice: one that fails leaves the word in the middle of its move, which only a
// repair or the same amend again finishes.
bool undoWrite(File& file, std::uint32_t offset, const void* bytes, std::size_t size)
{
    return writeWithRetry(file, offset, bytes, size) || writeWithRetry(file, offset, bytes, size);
}

// Takes a found record out of its chain onto the free list. True when it left its chain; a record
// that could not be put on the free list is noted.
bool takeOut(File& file, const ChainPosition& pos, ChangeNotes* notes)
{
    bool unlinked = false;
    const UnlinkResult result = unlinkFound(file, pos, false, &unlinked);
    if (unlinked && result == UnlinkResult::FileError && notes)
        notes->recordNotFreed = true;
    return unlinked;
}

// Moves the record found at `inSource` into the target table at `inTarget` (where a search that
// did not find it there left off), in the order AmendWord documents. `header` holds the new
// attributes; the old record's statuses are put into it.
AmendResult moveRecord(File& file, const PreparedWord& w, const ChainPosition& inSource,
    const ChainPosition& inTarget, WordRecordHeader header, ChangeNotes* notes)
{
    WordRecordHeader old;
    if (!ReadRecordHeader(file, inSource.foundOffset, old))
        return AmendResult::FileError;
    header.copyStatuses(old);

    // (1) The new record, reachable from nowhere yet.
    const std::uint32_t place = placeForRecord(file, w.text.size());
    if (place == kNoOffset)
        return AmendResult::FileError;
    header.next = inTarget.nextOffset;
    if (!writeRecord(file, place, header, w.text))
        return AmendResult::FileError;
    // (2) The old record takes the new attributes: it no longer fits the table it lies in.
    if (!writeFlags(file, inSource.foundOffset, header, false))
        return AmendResult::FileError;
    const auto undoMark
        = [&] { return undoWrite(file, inSource.foundOffset + 4, old.flags, sizeof old.flags); };
    // (3) The new record into the target table.
    if (!writeLink(file, inTarget.linkLocation, place)) {
        undoMark();
        return AmendResult::FileError;
    }
    // (4) The old record out of the source table.
    if (!writeLink(file, inSource.linkLocation, old.next)) {
        std::uint8_t link[4];
        le::putU32(link, inTarget.nextOffset);
        // Only with the new copy out again may the old one fit its table again: two copies that
        // both fit their tables could not be told apart.
        if (undoWrite(file, inTarget.linkLocation, link, sizeof link))
            undoMark();
        return AmendResult::FileError;
    }
    // (5) The old record onto the free list. A full list only means its space is not reused.
    if (FreeRecord(file, inSource.foundOffset) == FreeResult::FileError && notes)
        notes->recordNotFreed = true;
    return AmendResult::Amended;
}

// The amend of a word found in both tables: a move cut short. The copy that stays is the one in
// the target table, unless that copy is what a move the other way left behind (it does not fit
// its table while the source copy fits its own): then it goes and the word moves as usual.
AmendResult amendInBothTables(File& file, const PreparedWord& w, Table target,
    const ChainPosition& inSource, ChainPosition inTarget, WordRecordHeader header, bool withSound,
    ChangeNotes* notes)
{
    WordRecordHeader s, t;
    if (!ReadRecordHeader(file, inSource.foundOffset, s)
        || !ReadRecordHeader(file, inTarget.foundOffset, t))
        return AmendResult::FileError;
    const Table source = otherTable(target);
    const bool sourceFits = categoryFitsTable(s.category(), source);
    const bool targetFits = categoryFitsTable(t.category(), target);
    if (sourceFits && !targetFits) {
        if (!takeOut(file, inTarget, notes))
            return AmendResult::FileError;
        if (SearchChain(file, w.table(target), w.slot, w.text, inTarget) != ChainSearch::NotFound)
            return AmendResult::FileError;
        return moveRecord(file, w, inSource, inTarget, header, notes);
    }
    if (sourceFits) {
        // Both copies fit their tables: the source copy is marked as moving first, so that the
        // kept copy is the current one whatever happens next.
        WordRecordHeader marked = header;
        marked.copyStatuses(s);
        if (!writeFlags(file, inSource.foundOffset, marked, false))
            return AmendResult::FileError;
    }
    header.copyStatuses(t);
    if (!writeFlags(file, inTarget.foundOffset, header, withSound))
        return AmendResult::FileError;
    return takeOut(file, inSource, notes) ? AmendResult::Amended : AmendResult::FileError;
}

} // namespace

FindResult FindWord(
    File& file, std::string_view word, CurrentWordInfo& info, std::uint32_t* recordOffset)
{
    PreparedWord w;
    switch (prepare(file, word, w)) {
    case Prepared::Ready:
        break;
    case Prepared::NotSuitable:
        return FindResult::NotSuitable;
    case Prepared::FileError:
        return FindResult::FileError;
    }
    ChainPosition pos;
    FindResult result = FindResult::InMain;
    WordRecordHeader header;
    switch (SearchChain(file, w.mainTable, w.slot, w.text, pos)) {
    case ChainSearch::FileError:
        return FindResult::FileError;
    case ChainSearch::Found: {
        if (!ReadRecordHeader(file, pos.foundOffset, header))
            return FindResult::NotFound;
        // A main-table copy with a category is moving out: its copy in the category table, when
        // the move got that far, is the current one.
        if (!categoryFitsTable(header.category(), Table::Main)) {
            ChainPosition other;
            const ChainSearch inCategory
                = SearchChain(file, w.categoryTable, w.slot, w.text, other);
            if (inCategory == ChainSearch::FileError)
                return FindResult::FileError;
            WordRecordHeader otherHeader;
            if (inCategory == ChainSearch::Found
                && ReadRecordHeader(file, other.foundOffset, otherHeader)
                && categoryFitsTable(otherHeader.category(), Table::Category)) {
                pos = other;
                header = otherHeader;
                result = FindResult::InCategory;
            }
        }
        break;
    }
    case ChainSearch::NotFound:
        switch (SearchChain(file, w.categoryTable, w.slot, w.text, pos)) {
        case ChainSearch::Found:
            break;
        case ChainSearch::NotFound:
            return FindResult::NotFound;
        case ChainSearch::FileError:
            return FindResult::FileError;
        }
        if (!ReadRecordHeader(file, pos.foundOffset, header))
            return FindResult::NotFound;
        result = FindResult::InCategory;
        break;
    }
    info.loadFrom(header);
    if (recordOffset)
        *recordOffset = pos.foundOffset;
    return result;
}

AddResult AddWord(File& file, std::string_view word, CurrentWordInfo& info)
{
    PreparedWord w;
    switch (prepare(file, word, w)) {
    case Prepared::Ready:
        break;
    case Prepared::NotSuitable:
        return AddResult::NotSuitable;
    case Prepared::FileError:
        return AddResult::FileError;
    }
    const WordRecordHeader header = info.NewRecord();
    const bool toCategory = info.category() != 0;
    const std::uint32_t other = toCategory ? w.mainTable : w.categoryTable;
    const std::uint32_t target = toCategory ? w.categoryTable : w.mainTable;
    ChainPosition pos;
    switch (SearchChain(file, other, w.slot, w.text, pos)) {
    case ChainSearch::Found:
        return AddResult::AlreadyThere;
    case ChainSearch::FileError:
        return AddResult::FileError;
    case ChainSearch::NotFound:
        break;
    }
    switch (InsertRecord(file, target, w.slot, header, w.text)) {
    case InsertResult::Inserted:
        return AddResult::Added;
    case InsertResult::AlreadyThere:
        return AddResult::AlreadyThere;
    case InsertResult::FileError:
        break;
    }
    return AddResult::FileError;
}

AmendResult AmendWord(
    File& file, std::string_view word, bool withSound, CurrentWordInfo& info, ChangeNotes* notes)
{
    PreparedWord w;
    switch (prepare(file, word, w)) {
    case Prepared::Ready:
        break;
    case Prepared::NotSuitable:
        return AmendResult::NotFound;
    case Prepared::FileError:
        return AmendResult::FileError;
    }
    WordRecordHeader header = info.NewRecord();
    if (withSound)
        header.soundIndex = info.soundIndex();
    const Table target = info.category() != 0 ? Table::Category : Table::Main;
    const Table source = otherTable(target);

    ChainPosition inSource, inTarget;
    const ChainSearch s = SearchChain(file, w.table(source), w.slot, w.text, inSource);
    if (s == ChainSearch::FileError)
        return AmendResult::FileError;
    const ChainSearch t = SearchChain(file, w.table(target), w.slot, w.text, inTarget);
    if (t == ChainSearch::FileError)
        return AmendResult::FileError;
    if (s == ChainSearch::Found && t == ChainSearch::Found)
        return amendInBothTables(file, w, target, inSource, inTarget, header, withSound, notes);
    if (s == ChainSearch::Found)
        return moveRecord(file, w, inSource, inTarget, header, notes);
    if (t != ChainSearch::Found)
        return AmendResult::NotFound;

    // In place: the flags, and with `withSound` the sound index, in one write.
    WordRecordHeader old;
    if (!ReadRecordHeader(file, inTarget.foundOffset, old))
        return AmendResult::FileError;
    header.copyStatuses(old);
    return writeFlags(file, inTarget.foundOffset, header, withSound) ? AmendResult::Amended
                                                                     : AmendResult::FileError;
}

RemoveResult RemoveWord(File& file, std::string_view word, ChangeNotes* notes)
{
    PreparedWord w;
    switch (prepare(file, word, w)) {
    case Prepared::Ready:
        break;
    case Prepared::NotSuitable:
        return RemoveResult::NotSuitable;
    case Prepared::FileError:
        return RemoveResult::FileError;
    }
    ChainPosition inCategory, inMain;
    const ChainSearch c = SearchChain(file, w.categoryTable, w.slot, w.text, inCategory);
    if (c == ChainSearch::FileError)
        return RemoveResult::FileError;
    const ChainSearch m = SearchChain(file, w.mainTable, w.slot, w.text, inMain);
    if (m == ChainSearch::FileError)
        return RemoveResult::FileError;
    std::vector<const ChainPosition*> copies;
    if (c == ChainSearch::Found)
        copies.push_back(&inCategory);
    if (m == ChainSearch::Found)
        copies.push_back(&inMain);
    if (copies.empty())
        return RemoveResult::NotFound;
    // A word in both tables is one word whose move was cut short: neither copy goes while either
    // has a sound linked.
    const bool refuseIfSound = copies.size() == 1;
    if (!refuseIfSound) {
        for (const ChainPosition* pos : copies) {
            WordRecordHeader header;
            if (!ReadRecordHeader(file, pos->foundOffset, header))
                return RemoveResult::FileError;
            if (header.soundIndex != 0)
                return RemoveResult::SoundLinked;
        }
    }
    RemoveResult result = RemoveResult::Removed;
    for (const ChainPosition* pos : copies) {
        bool unlinked = false;
        const UnlinkResult r = unlinkFound(file, *pos, refuseIfSound, &unlinked);
        if (!unlinked) // the word is still there (a copy that stays is a move cut short)
            return r == UnlinkResult::SoundLinked ? RemoveResult::SoundLinked
                                                  : RemoveResult::FileError;
        // With the free list full the word is still gone from its chain: that is a removal. A
        // record the list could not take is reported, though the word is gone all the same.
        if (r == UnlinkResult::FileError) {
            if (notes)
                notes->recordNotFreed = true;
            result = RemoveResult::FileError;
        }
    }
    if (notes)
        notes->unlinked = true;
    return result;
}

MoveFinish finishMove(
    File& file, Table table, std::uint32_t slotOffset, std::string_view text, ChangeNotes* notes)
{
    const std::uint32_t wrong = ReadTableOffset(file, table);
    const std::uint32_t right = ReadTableOffset(file, otherTable(table));
    if (wrong == kNoOffset || right == kNoOffset)
        return MoveFinish::FileError;
    ChainPosition inWrong, inRight;
    switch (SearchChain(file, wrong, slotOffset, text, inWrong)) {
    case ChainSearch::Found:
        break;
    case ChainSearch::NotFound:
        return MoveFinish::NothingToFinish;
    case ChainSearch::FileError:
        return MoveFinish::FileError;
    }
    WordRecordHeader header;
    if (!ReadRecordHeader(file, inWrong.foundOffset, header))
        return MoveFinish::FileError;
    if (categoryFitsTable(header.category(), table))
        return MoveFinish::NothingToFinish; // nothing is moving
    const ChainSearch there = SearchChain(file, right, slotOffset, text, inRight);
    if (there == ChainSearch::FileError)
        return MoveFinish::FileError;
    if (there == ChainSearch::Found) {
        WordRecordHeader kept;
        if (!ReadRecordHeader(file, inRight.foundOffset, kept))
            return MoveFinish::FileError;
        if (!categoryFitsTable(kept.category(), otherTable(table)))
            return MoveFinish::NothingToFinish; // neither copy fits: which one is current is not
                                                // known
    } else if (insertAt(file, inRight, header, text) != InsertResult::Inserted) {
        return MoveFinish::FileError;
    }
    return takeOut(file, inWrong, notes) ? MoveFinish::Finished : MoveFinish::FileError;
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
    return writeWithRetry(file, recordOffset + 4, flags, sizeof flags);
}

} // namespace quorvel
