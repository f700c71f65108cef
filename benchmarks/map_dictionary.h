#pragma once

// The limit: the whole dictionary in memory as a vector of rows with a hash index on the word.
// Nothing is read from or written to a file, so no on-disk implementation can beat it; it
// shows how much of our time is the file and how much is the work itself.

#include "bench_words.h"

#include "platform/services.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel::bench {

class MapDictionary
{
public:
    explicit MapDictionary(std::vector<WordRow> rows);

    std::size_t size() const { return m_rows.size(); }
    const WordRow* find(const std::string& word) const;
    bool add(const WordRow& row); // false when the word is there already
    bool remove(const std::string& word); // false when it is not there

    // Random sampling of `count` distinct rows that pass the filter; returns how many were found.
    int drawRandomList(
        const DrillFilter& filter, int count, RandomSource& random, std::vector<std::string>& out);
    // The first `count` rows that pass the filter, in storage order (one pass at most).
    int collectList(const DrillFilter& filter, int count, std::vector<std::string>& out) const;

    DictionaryStatistics statistics() const { return statisticsOf(m_rows); }
    long resetStatus(int user, int status);

private:
    std::vector<WordRow> m_rows;
    std::unordered_map<std::string, std::uint32_t> m_index;
};

} // namespace quorvel::bench
