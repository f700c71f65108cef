#include "map_dictionary.h"

#include <algorithm>

namespace quorvel::bench {

MapDictionary::MapDictionary(std::vector<WordRow> rows)
    : m_rows(std::move(rows))
{
    m_index.reserve(m_rows.size() + 1024);
    for (std::uint32_t i = 0; i < m_rows.size(); ++i)
        m_index.emplace(m_rows[i].word, i);
}

const WordRow* MapDictionary::find(const std::string& word) const
{
    const auto it = m_index.find(word);
    return it == m_index.end() ? nullptr : &m_rows[it->second];
}

bool MapDictionary::add(const WordRow& row)
{
    if (!m_index.emplace(row.word, static_cast<std::uint32_t>(m_rows.size())).second)
        return false;
    m_rows.push_back(row);
    return true;
}

bool MapDictionary::remove(const std::string& word)
{
    const auto it = m_index.find(word);
    if (it == m_index.end())
        return false;
    // Swap the last row into the hole so removal stays O(1), as a real in-memory store would.
    const std::uint32_t hole = it->second;
    m_index.erase(it);
    if (hole + 1 != m_rows.size()) {
        m_rows[hole] = std::move(m_rows.back());
        m_index[m_rows[hole].word] = hole;
    }
    m_rows.pop_back();
    return true;
}

int MapDictionary::drawRandomList(
    const DrillFilter& filter, int count, RandomSource& random, std::vector<std::string>& out)
{
    out.clear();
    if (m_rows.empty())
        return 0;
    std::vector<std::uint32_t> taken;
    taken.reserve(static_cast<std::size_t>(count));
    // Rejection sampling; bounded so that a dictionary with too few qualifying words ends.
    const long attempts = 1000L * count;
    for (long a = 0; a < attempts && static_cast<int>(taken.size()) < count; ++a) {
        const auto i = static_cast<std::uint32_t>(random.next() % m_rows.size());
        if (!filter.accepts(m_rows[i]) || std::find(taken.begin(), taken.end(), i) != taken.end())
            continue;
        taken.push_back(i);
        out.push_back(m_rows[i].word);
    }
    return static_cast<int>(out.size());
}

int MapDictionary::collectList(
    const DrillFilter& filter, int count, std::vector<std::string>& out) const
{
    out.clear();
    for (const WordRow& row : m_rows) {
        if (static_cast<int>(out.size()) >= count)
            break;
        if (filter.accepts(row))
            out.push_back(row.word);
    }
    return static_cast<int>(out.size());
}

long MapDictionary::resetStatus(int user, int status)
{
    const auto value = static_cast<std::uint8_t>(status);
    for (WordRow& row : m_rows)
        row.status[static_cast<std::size_t>(user)] = value;
    return static_cast<long>(m_rows.size());
}

} // namespace quorvel::bench
