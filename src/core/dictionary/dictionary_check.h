#pragma once

// A full verification of a dictionary file, for maintenance tools: header, both tables, every
// chain (bounds, order, end markers, no cycles, no record in two places) and the free list, and
// the mending of what can be mended without guessing.

#include "dictionary_format.h"
#include "platform/file.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace quorvel {

// A word whose move between the two tables was cut short (see AmendWord): one of its copies lies
// in a table its category does not fit.
struct InterruptedMove
{
    std::string word;
    Table wrongTable = Table::Main; // where the copy that does not fit lies
    std::uint32_t slotOffset = 0;
    bool inBothTables = false; // the copy in the right table is there already
};

struct DictionaryCheckReport
{
    bool ok = false; // nothing found at all
    std::uint32_t fileKind = 0;
    std::uint32_t mainWords = 0;
    std::uint32_t categoryWords = 0;
    std::uint32_t freeRecords = 0;
    std::vector<std::string> problems; // the first few of everything found, in the order found
    std::vector<InterruptedMove> interruptedMoves;
    // The location of the link (the header's list head, or a free record's Next) through which the
    // free list leads into damage; 0 when the list is sound.
    std::uint32_t freeListBreak = 0;
    // How many problems are neither interrupted moves nor the free list's damage: only a person
    // can mend them.
    std::size_t otherDamage = 0;

    // Nothing but moves cut short: every word is there, and the moves can be finished.
    bool onlyInterruptedMoves() const { return !ok && otherDamage == 0 && freeListBreak == 0; }
    // Everything found can be mended by repairDictionary.
    bool mendable() const { return !ok && otherDamage == 0; }
};

DictionaryCheckReport checkDictionary(File& file);

struct DictionaryRepairReport
{
    std::vector<std::string> mended; // what was done, one line each
    bool failed = false; // a read or write failed on the way
};

// Mends what `report` (a check of this file) found that needs no guessing: a free list that leads
// into damage is cut where it does (the records after the cut are left unreachable), and each
// interrupted move is finished, keeping the copy whose table fits its category. Anything else is
// left as it is. Check the file again afterwards to see what remains.
DictionaryRepairReport repairDictionary(File& file, const DictionaryCheckReport& report);

// Copies the file at `path` to a new file beside it, before a repair writes to it: named after it
// with ".damaged-" and the local time (YYYYMMDD-HHMMSS), and "-2", "-3", ... when that name is
// taken; an existing file is never overwritten. The copy is on the disk when this returns its
// path; an empty path means no copy was made, and `fileError` says why.
std::string copyDamagedDictionary(const std::string& path, std::time_t now, int* fileError);

} // namespace quorvel
