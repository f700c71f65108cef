#pragma once

// Word-level dictionary operations: find, add, amend, remove, and loading and storing a word's
// attributes. Each takes the open file; the word is copied, so the caller's text stays as it was.

#include "current_word_info.h"
#include "dictionary_file.h"

#include <string_view>

namespace quorvel {

// 3 not suitable, 1 in the main dictionary, 2 in a category, 0 in neither, 4 file error. On 1
// and 2 `info` holds the word's attributes; `recordOffset`, when given, its record's offset.
int FindWord(File& file, std::string_view word, CurrentWordInfo& info,
    std::uint32_t* recordOffset = nullptr);
// 0 not suitable, 1 added, 5 already in the dictionary, 4 file error.
int AddWord(File& file, std::string_view word, CurrentWordInfo& info);
// 0 not suitable or not in the dictionary, 1 amended, 4 file error. Moves the record between
// the tables when the category asks for it; the ten statuses always stay.
int AmendWord(File& file, std::string_view word, bool withSound, CurrentWordInfo& info);
// 3 not suitable, 0 not in the dictionary, 1 removed, 7 a sound is linked, 4 file error.
int RemoveWord(File& file, std::string_view word);

bool LoadWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info);
bool StoreWordInfo(File& file, std::uint32_t recordOffset, CurrentWordInfo& info);

} // namespace quorvel
