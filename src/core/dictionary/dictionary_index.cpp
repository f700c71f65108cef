#include "dictionary_index.h"

#include "platform/le_codec.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

using namespace dict;

class ChainIndex
{
public:
    explicit ChainIndex(File& file);

    bool search(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
        std::string_view text, ChainPosition& position, ChainSearch& result);
    void written(std::uint32_t offset, const std::uint8_t* bytes, std::size_t size, bool ok);

    void setSearchesIndexed(bool on) { m_searchesIndexed = on; }
    std::size_t chains() const { return m_chains.size(); }

private:
    struct Entry
    {
        std::string text;
        std::uint32_t offset = 0;
    };
    struct Chain
    {
        std::uint32_t end = 0; // the chain's end marker
        std::vector<Entry> entries; // in chain order, which is text order
    };
    struct Span
    {
        std::uint32_t end = 0; // one past the record's NUL
        std::uint32_t chain = 0; // the key of its chain: the slot's file offset
    };
    struct Pending
    {
        std::uint32_t next = 0;
        std::string text;
    };

    Chain* build(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset);
    void drop(std::uint32_t key);
    void dropAll();
    void addSpan(std::uint32_t key, const Entry& e);
    // A slot's key, or 0 when the offset is no slot of either table.
    std::uint32_t slotKey(std::uint32_t offset) const;
    void linkWritten(std::uint32_t key, std::uint32_t location, std::uint32_t value);

    bool m_searchesIndexed = true;
    std::uint32_t m_tables[2] = { kNoOffset, kNoOffset };
    std::unordered_map<std::uint32_t, Chain> m_chains;
    std::map<std::uint32_t, Span> m_spans; // indexed records by their offset
    std::unordered_map<std::uint32_t, Pending> m_pending; // records written but linked nowhere yet
};

ChainIndex::ChainIndex(File& file)
{
    m_tables[0] = ReadTableOffset(file, Table::Main);
    m_tables[1] = ReadTableOffset(file, Table::Category);
}

std::uint32_t ChainIndex::slotKey(std::uint32_t offset) const
{
    for (std::uint32_t t : m_tables) {
        if (t != kNoOffset && offset >= t && offset < t + kTableBytes && (offset - t) % 4 == 0)
            return offset;
    }
    return 0;
}

void ChainIndex::addSpan(std::uint32_t key, const Entry& e)
{
    m_spans[e.offset]
        = Span { static_cast<std::uint32_t>(e.offset + kRecordHeaderSize + e.text.size() + 1),
              key };
}

void ChainIndex::drop(std::uint32_t key)
{
    const auto it = m_chains.find(key);
    if (it == m_chains.end())
        return;
    for (const Entry& e : it->second.entries)
        m_spans.erase(e.offset);
    m_chains.erase(it);
}

void ChainIndex::dropAll()
{
    m_chains.clear();
    m_spans.clear();
    m_pending.clear();
}

ChainIndex::Chain* ChainIndex::build(
    File& file, std::uint32_t tableOffset, std::uint32_t slotOffset)
{
    if (tableOffset != m_tables[0] && tableOffset != m_tables[1])
        return nullptr;
    const std::uint32_t key = tableOffset + slotOffset;
    Chain chain;
    chain.end = endMarker(tableOffset, slotOffset);
    std::uint32_t current = 0;
    if (!ReadLink(file, key, current))
        return nullptr;
    RecordReader reader(file);
    RecordPeek record;
    while (current != chain.end) {
        if (!reader.read(current, record) || record.text.empty())
            return nullptr;
        if (!chain.entries.empty() && !(chain.entries.back().text < record.text))
            return nullptr; // out of order: a walk and a binary search could differ
        // Two chains that share a record cannot be followed write by write.
        if (m_spans.contains(current))
            return nullptr;
        chain.entries.push_back(Entry { std::string(record.text), current });
        current = record.next;
    }
    for (const Entry& e : chain.entries)
        addSpan(key, e);
    return &(m_chains[key] = std::move(chain));
}

bool ChainIndex::search(File& file, std::uint32_t tableOffset, std::uint32_t slotOffset,
    std::string_view text, ChainPosition& position, ChainSearch& result)
{
    if (!m_searchesIndexed)
        return false;
    const std::uint32_t key = tableOffset + slotOffset;
    auto it = m_chains.find(key);
    Chain* chain = it != m_chains.end() ? &it->second : build(file, tableOffset, slotOffset);
    if (!chain)
        return false;
    const auto& entries = chain->entries;
    const auto at = std::lower_bound(entries.begin(), entries.end(), text,
        [](const Entry& e, std::string_view t) { return std::string_view(e.text) < t; });
    const std::size_t i = static_cast<std::size_t>(at - entries.begin());
    position.linkLocation = i == 0 ? key : entries[i - 1].offset;
    if (at != entries.end() && at->text == text) {
        position.foundOffset = at->offset;
        position.nextOffset = i + 1 < entries.size() ? entries[i + 1].offset : chain->end;
        result = ChainSearch::Found;
    } else {
        position.nextOffset = at != entries.end() ? at->offset : chain->end;
        result = ChainSearch::NotFound;
    }
    return true;
}

void ChainIndex::linkWritten(std::uint32_t key, std::uint32_t location, std::uint32_t value)
{
    Chain& chain = m_chains[key];
    auto& entries = chain.entries;
    // The link lies before entries[from].
    std::size_t from = 0;
    if (location != key) {
        const auto it = std::find_if(
            entries.begin(), entries.end(), [&](const Entry& e) { return e.offset == location; });
        if (it == entries.end()) {
            drop(key);
            return;
        }
        from = static_cast<std::size_t>(it - entries.begin()) + 1;
    }
    // Unlinked records (and a cut to the end) leave the chain.
    const auto skipTo = [&](std::size_t to) {
        for (std::size_t k = from; k < to; ++k)
            m_spans.erase(entries[k].offset);
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(from),
            entries.begin() + static_cast<std::ptrdiff_t>(to));
    };
    if (value == chain.end) {
        skipTo(entries.size());
        return;
    }
    for (std::size_t k = from; k < entries.size(); ++k) {
        if (entries[k].offset == value) {
            skipTo(k);
            return;
        }
    }
    // A record written a moment ago that fits here: it joins the chain.
    const auto pending = m_pending.find(value);
    const std::uint32_t following = from < entries.size() ? entries[from].offset : chain.end;
    if (pending != m_pending.end() && pending->second.next == following
        && (from == 0 || entries[from - 1].text < pending->second.text)
        && (from == entries.size() || pending->second.text < entries[from].text)
        && !m_spans.contains(value)) {
        Entry e { std::move(pending->second.text), value };
        m_pending.erase(pending);
        addSpan(key, e);
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(from), std::move(e));
        return;
    }
    drop(key);
}

void ChainIndex::written(std::uint32_t offset, const std::uint8_t* bytes, std::size_t size, bool ok)
{
    if (!ok) {
        // What a failed write left in the cache is not known.
        dropAll();
        return;
    }
    if (size == 0)
        return;
    const std::uint64_t last = std::uint64_t(offset) + size; // one past
    // The header: only the free list's head may change under an index.
    if (offset < kHeaderSize) {
        if (!(offset == kFreeListHeadOffset && size == 4))
            dropAll();
        return;
    }
    // A pending record's link (a record written and then given its Next) follows it.
    if (size == 4) {
        if (const auto p = m_pending.find(offset); p != m_pending.end())
            p->second.next = le::u32(bytes);
    }
    // Slots.
    bool handled = false;
    for (std::uint32_t t : m_tables) {
        if (t == kNoOffset || last <= t || offset >= std::uint64_t(t) + kTableBytes)
            continue;
        handled = true;
        const std::uint32_t key = slotKey(offset);
        if (size == 4 && key != 0) {
            if (m_chains.contains(key))
                linkWritten(key, offset, le::u32(bytes));
        } else {
            // Anything else over the table: every chain of it goes.
            std::vector<std::uint32_t> keys;
            for (const auto& chain : m_chains)
                if (chain.first >= t && chain.first < t + kTableBytes)
                    keys.push_back(chain.first);
            for (std::uint32_t k : keys)
                drop(k);
        }
    }
    if (handled)
        return;
    // Indexed records the write touches. Records never overlap, so the last one that starts
    // before the write's end tells whether any is touched.
    const auto lastTouched = [&]() -> std::map<std::uint32_t, Span>::iterator {
        auto it = m_spans.upper_bound(
            static_cast<std::uint32_t>(std::min<std::uint64_t>(last - 1, 0xFFFFFFFFu)));
        if (it == m_spans.begin())
            return m_spans.end();
        --it;
        return it->second.end > offset ? it : m_spans.end();
    };
    if (auto it = lastTouched(); it != m_spans.end()) {
        const std::uint32_t record = it->first;
        if (offset == record && size == 4) {
            linkWritten(it->second.chain, record, le::u32(bytes));
            return;
        }
        if (offset >= record + 4 && last <= record + kRecordHeaderSize)
            return; // flags and sound index: nothing the index holds
        // Anything else drops every chain whose records it reaches.
        for (; it != m_spans.end(); it = lastTouched()) {
            const std::uint32_t key = it->second.chain;
            m_spans.erase(it);
            drop(key);
        }
        return;
    }
    // A pending record that the write reaches (other than through its link) is not known any
    // more.
    for (auto p = m_pending.begin(); p != m_pending.end();) {
        const std::uint64_t pEnd
            = std::uint64_t(p->first) + kRecordHeaderSize + p->second.text.size() + 1;
        const bool itsLink = p->first == offset && size == 4;
        if (!itsLink && p->first < last && pEnd > offset)
            p = m_pending.erase(p);
        else
            ++p;
    }
    // A whole record written where no indexed record lies: it may be linked in next.
    if (size > kRecordHeaderSize + 1 && bytes[size - 1] == 0) {
        const char* text = reinterpret_cast<const char*>(bytes + kRecordHeaderSize);
        const std::size_t length = size - kRecordHeaderSize - 1;
        // As a chain walk reads it: a text of 38 characters or more would be cut.
        if (length < 38 && std::char_traits<char>::find(text, length, '\0') == nullptr)
            m_pending[offset] = Pending { le::u32(bytes), std::string(text, length) };
    }
}

namespace {
thread_local ChainIndex* t_index = nullptr;
thread_local const File* t_file = nullptr;
} // namespace

IndexedBatch::IndexedBatch(File& file)
    : m_file(file)
    , m_index(std::make_unique<ChainIndex>(file))
    , m_previous(t_index)
    , m_previousFile(t_file)
{
    file.beginBatch();
    t_index = m_index.get();
    t_file = &file;
}

IndexedBatch::~IndexedBatch()
{
    end();
}

bool IndexedBatch::end()
{
    if (m_ended)
        return true;
    m_ended = true;
    if (t_index == m_index.get()) {
        t_index = m_previous;
        t_file = m_previousFile;
    }
    m_index.reset();
    return m_file.endBatch();
}

void IndexedBatch::setSearchesIndexed(bool on)
{
    if (m_index)
        m_index->setSearchesIndexed(on);
}

std::size_t IndexedBatch::indexedChains() const
{
    return m_index ? m_index->chains() : 0;
}

namespace detail {

ChainIndex* activeIndex(const File& file)
{
    return t_file == &file ? t_index : nullptr;
}

bool indexedSearch(ChainIndex& index, File& file, std::uint32_t tableOffset,
    std::uint32_t slotOffset, std::string_view text, ChainPosition& position, ChainSearch& result)
{
    return index.search(file, tableOffset, slotOffset, text, position, result);
}

void noteWrite(ChainIndex& index, std::uint32_t offset, const void* data, std::size_t size, bool ok)
{
    index.written(offset, static_cast<const std::uint8_t*>(data), size, ok);
}

} // namespace detail

} // namespace quorvel
