#pragma once

// An in-memory index of the chains of one open dictionary, for a run of many word operations
// (a bulk transfer, an import): while an IndexedBatch is alive, the first search of a chain
// reads the chain once into a sorted table (text -> record offset) and every later search of it
// is a binary search there instead of a walk along the file. The file format does not change.
//
// The index stays exact by watching every write of the dictionary (all of them go through
// writeWithRetry): a link written into an indexed chain is followed to what it now points at
// (an unlink skips records, an insert points at a record just written), a record's flags change
// nothing the index holds, and any other write into a chain's slot or records drops that chain,
// which is read again at its next search. A chain that cannot be read, or whose texts are not in
// order, is never indexed: its searches walk it as before, with the same results.
//
// The batch is also a batch of the file (File::beginBatch): changed blocks reach the file once,
// at the end.

#include "dict_results.h"
#include "dictionary_file.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace quorvel {

class ChainIndex;

class IndexedBatch
{
public:
    explicit IndexedBatch(File& file);
    ~IndexedBatch();
    IndexedBatch(const IndexedBatch&) = delete;
    IndexedBatch& operator=(const IndexedBatch&) = delete;

    // Ends the batch: the file's changed blocks are written. False when any write of the batch
    // failed. The index is gone afterwards.
    bool end();
    // With the index off, searches walk the chains (writes are still followed): for comparing.
    void setSearchesIndexed(bool on);
    // How many chains are indexed now.
    std::size_t indexedChains() const;

private:
    File& m_file;
    std::unique_ptr<ChainIndex> m_index;
    ChainIndex* m_previous = nullptr;
    const File* m_previousFile = nullptr;
    bool m_ended = false;
};

namespace detail {
// The index of a batch running on this file on this thread, or null.
ChainIndex* activeIndex(const File& file);
// The search through the index: false when the chain cannot be indexed (walk it instead).
bool indexedSearch(ChainIndex& index, File& file, std::uint32_t tableOffset,
    std::uint32_t slotOffset, std::string_view text, ChainPosition& position, ChainSearch& result);
// Every write of the dictionary, after it was tried.
void noteWrite(
    ChainIndex& index, std::uint32_t offset, const void* data, std::size_t size, bool ok);
} // namespace detail

} // namespace quorvel
