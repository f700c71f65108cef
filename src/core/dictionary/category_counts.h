#pragma once

// How many words each category of a dictionary holds, for the category box, which marks the
// empty ones. One pass over the category table: the main dictionary, however large, is not read.

#include "platform/file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quorvel {

inline constexpr int kCategoryCountSlots = 64;

using CategoryCounts = std::array<std::uint32_t, kCategoryCountSlots>;

// The number of records of each category (slot 0, the main dictionary, is always 0 here).
// Nothing when the table cannot be read or a chain is damaged: the caller then marks nothing.
std::optional<CategoryCounts> countCategoryWords(File& file);
// The same for the dictionary of a dictionary folder, opened to read only; nothing for an empty
// folder or a file that cannot be opened.
std::optional<CategoryCounts> countCategoryWords(const std::string& dictionaryFolder);

} // namespace quorvel
