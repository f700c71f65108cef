#pragma once

// Word-level dictionary operations: find, add, amend, remove, and loading and storing a word's
// attributes. Each takes the open file; the word is copied, so the caller's text stays as it was.
//
// Every write goes through writeWithRetry, and a record is always written before the link that
// points at it, so a failure or a crash between any two writes leaves every other word as it was
// and the changed one either as it was or as asked (at worst with a record's space lost). A word
// moving between the tables is the one exception a check can see: see AmendWord.

#include "current_word_info.h"
#include "dictionary_file.h"

#include <string_view>

namespace quorvel {

// What a change did beside its result, for a caller that reports it.
struct ChangeNotes
{
    // The word left its chain (every copy of it): removed, also when the result is 4.
    bool unlinked = false;
    // A record that left its chain could not be put on the free list (a write failed, or the list
    // is damaged): the word is gone from where it was, only its space will not be reused.
    bool recordNotFreed = false;
};

// Found (InMain, InCategory): `info` holds the word's attributes; `recordOffset`, when given, its
// record's offset. Of a word in both tables (a move cut short) the copy whose table fits its
// category is found.
FindResult FindWord(File& file, std::string_view word, CurrentWordInfo& info,
    std::uint32_t* recordOffset = nullptr);
// AlreadyThere when the word is in either table.
AddResult AddWord(File& file, std::string_view word, CurrentWordInfo& info);
// NotFound for a word that is not suitable or not in the dictionary. Moves the record between
// the tables when the category asks for it; the ten statuses always stay.
//
// A move writes in this order: (1) the new record, where nothing points at it yet; (2) the old
// record's flags, with the new category, so that the old copy no longer fits the table it lies
// in; (3) the link that puts the new record into its new table; (4) the link that takes the old
// one out of its table; (5) the old record onto the free list. Cut short after (2) the word lies
// only in its old table with a category that does not fit it; after (3) it lies in both tables
// and the copy whose table fits its category is the current one. Either way it is found with its
// statuses, checkDictionary reports the move as interrupted, and repairDictionary or the same
// amend again finishes it. A write that fails (twice) undoes what the move had written.
AmendResult AmendWord(File& file, std::string_view word, bool withSound, CurrentWordInfo& info,
    ChangeNotes* notes = nullptr);
// SoundLinked: not removed. FileError: see `notes` for whether the word left its chain all the
// same. A word found in both tables loses both copies.
RemoveResult RemoveWord(File& file, std::string_view word, ChangeNotes* notes = nullptr);

bool LoadWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info);
bool StoreWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info);

// Finishes the move of a word that lies in the wrong table for its category (the record at
// `offset` of `table`): copies the record, statuses and sound included, into the table its
// category asks for and takes it out of the wrong one. When a copy is already in the right table
// the wrong one is only taken out.
MoveFinish finishMove(File& file, Table table, std::uint32_t slotOffset, std::string_view text,
    ChangeNotes* notes = nullptr);

} // namespace quorvel
