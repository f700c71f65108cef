#pragma once

// A full verification of a dictionary file, for maintenance tools: header, both tables, every
// chain (bounds, order, end markers, no cycles, no record in two places) and the free list.

#include "platform/file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

struct DictionaryCheckReport
{
    bool ok = false;
    std::uint32_t fileKind = 0;
    std::uint32_t mainWords = 0;
    std::uint32_t categoryWords = 0;
    std::uint32_t freeRecords = 0;
    std::vector<std::string> problems; // the first few, in the order found
};

DictionaryCheckReport checkDictionary(File& file);

} // namespace quorvel
