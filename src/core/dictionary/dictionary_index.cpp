#include "dictionary_index.h"

#include "platform/le_codec.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

using namespace dict;

namespace {

// Where the indexed records lie in the file, to tell which chain a write reaches. One entry per
// 8 bytes of file: a record is at least 12 bytes long, so no two records start in one entry, and
// a write is matched to records by looking at a few entries before its end instead of searching
// a tree. The table takes half the file's size at most, and only while a batch runs.
class RecordSpans
{
public:
    struct Found
    {
        std::uint32_t record = 0;
        std::uint32_t end = 0; // one past the record's NUL
        std::uint32_t chain = 0; // the key of its chain
    };

    void add(std::uint32_t record, std::size_t bytes, std::uint32_t chain)
    {
        const std::size_t at = record / kGrain;
        if (at >= m_entries.size())
            m_entries.resize(std::max(at + 1, m_entries.size() * 2));
        m_entries[at] = Entry { idOf(chain), static_cast<std::uint8_t>(record % kGrain),
            static_cast<std::uint8_t>(bytes) };
    }
    void erase(std::uint32_t record)
    {
        if (contains(record))
            m_entries[record / kGrain] = Entry {};
    }
    bool contains(std::uint32_t record) const
    {
        const std::size_t at = record / kGrain;
        return at < m_entries.size() && m_entries[at].chain != 0
            && m_entries[at].start == record % kGrain;
    }
    void clear() { m_entries.clear(); }
    // The last indexed record that starts before `last` (one past a write's end), when it ends
    // after `offset`: records never overlap, so it is the only one that can reach back into the
    // write, and the earlier ones are found by asking again once it is gone.
    std::optional<Found> lastTouched(std::uint64_t offset, std::uint64_t last) const
    {
        if (m_entries.empty() || last == 0)
            return std::nullopt;
        std::uint64_t at = std::min<std::uint64_t>((last - 1) / kGrain, m_entries.size() - 1);
        // No record is longer than kLongest bytes, so one that starts further back cannot reach.
        const std::uint64_t stop = offset > kLongest ? (offset - kLongest) / kGrain : 0;
        if (at < stop)
            return std::nullopt;
        for (;; --at) {
            const Entry& e = m_entries[at];
            const std::uint64_t start = at * kGrain + e.start;
            if (e.chain != 0 && start < last) {
                if (start + e.bytes <= offset)
                    return std::nullopt;
                return Found { static_cast<std::uint32_t>(start),
                    static_cast<std::uint32_t>(start + e.bytes), m_keys[e.chain - 1] };
            }
            if (at == stop)
                return std::nullopt;
        }
    }

private:
    static constexpr std::uint32_t kGrain = 8;
    static constexpr std::uint64_t kLongest = kRecordHeaderSize + kMaxTextRead + 1;

    struct Entry
    {
        std::uint16_t chain = 0; // 1 + the chain's number in m_keys; 0: no record starts here
        std::uint8_t start = 0; // the record's offset within the entry's 8 bytes
        std::uint8_t bytes = 0; // the record's length
    };

    std::uint16_t idOf(std::uint32_t chain)
    {
        const auto [it, added] = m_ids.try_emplace(chain, std::uint16_t(m_keys.size() + 1));
        if (added)
            m_keys.push_back(chain);
        return it->second;
    }

    std::vector<Entry> m_entries;
    std::unordered_map<std::uint32_t, std::uint16_t> m_ids; // a chain's key -> its number
    std::vector<std::uint32_t> m_keys;
};

} // namespace

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
    // A record of an indexed chain; its text lies in m_texts, so moving entries about (an insert
    // into the middle of a chain) moves a few plain bytes each.
    struct Entry
    {
        std::uint32_t at = 0; // where its text starts in m_texts
        std::uint32_t offset = 0;
        std::uint8_t length = 0;
    };
    struct Chain
    {
        std::uint32_t end = 0; // the chain's end marker
        std::vector<Entry> entries; // in chain order, which is text order
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
    std::string_view textOf(const Entry& e) const { return { m_texts.data() + e.at, e.length }; }
    Entry keep(std::string_view text, std::uint32_t offset);
    // A slot's key, or 0 when the offset is no slot of either table.
    std::uint32_t slotKey(std::uint32_t offset) const;
    void linkWritten(std::uint32_t key, std::uint32_t location, std::uint32_t value);

    // Where the last search left off: an insert writes the link it found next, so the link is
    // found again without a walk along the chain's entries.
    struct Hint
    {
        std::uint32_t key = 0;
        std::uint32_t location = 0;
        std::size_t after = 0; // the link lies before entries[after]
    };

    static constexpr std::size_t kTextsLimit = std::size_t(32) << 20;

    bool m_searchesIndexed = true;
    Hint m_hint;
    std::uint32_t m_tables[2] = { kNoOffset, kNoOffset };
    std::unordered_map<std::uint32_t, Chain> m_chains;
    RecordSpans m_spans; // indexed records by their offset
    std::vector<char> m_texts; // the entries' texts, one after another
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
    m_spans.add(e.offset, kRecordHeaderSize + e.length + 1, key);
}

ChainIndex::Entry ChainIndex::keep(std::string_view text, std::uint32_t offset)
{
    const Entry e { static_cast<std::uint32_t>(m_texts.size()), offset,
        static_cast<std::uint8_t>(text.size()) };
    m_texts.insert(m_texts.end(), text.begin(), text.end());
    return e;
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
    m_texts.clear();
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
        if (!chain.entries.empty() && !(textOf(chain.entries.back()) < record.text))
            return nullptr; // out of order: a walk and a binary search could differ
        // Two chains that share a record cannot be followed write by write.
        if (m_spans.contains(current))
            return nullptr;
        chain.entries.push_back(keep(record.text, current));
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
    // Texts of dropped chains stay in m_texts until everything is read again: a run that keeps
    // dropping chains cannot make it grow without end.
    if (m_texts.size() > kTextsLimit)
        dropAll();
    const std::uint32_t key = tableOffset + slotOffset;
    auto it = m_chains.find(key);
    Chain* chain = it != m_chains.end() ? &it->second : build(file, tableOffset, slotOffset);
    if (!chain)
        return false;
    const auto& entries = chain->entries;
    const auto at = std::lower_bound(entries.begin(), entries.end(), text,
        [this](const Entry& e, std::string_view t) { return textOf(e) < t; });
    const std::size_t i = static_cast<std::size_t>(at - entries.begin());
    position.linkLocation = i == 0 ? key : entries[i - 1].offset;
    m_hint = Hint { key, position.linkLocation, i };
    if (at != entries.end() && textOf(*at) == text) {
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
    const bool hinted = m_hint.key == key && m_hint.location == location
        && m_hint.after <= entries.size()
        && (m_hint.after == 0 ? location == key : entries[m_hint.after - 1].offset == location);
    if (hinted) {
        from = m_hint.after;
    } else if (location != key) {
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
    // A link to a record of this chain further on unlinks the ones between (a record that is
    // indexed nowhere cannot be one of them).
    if (m_spans.contains(value)) {
        for (std::size_t k = from; k < entries.size(); ++k) {
            if (entries[k].offset == value) {
                skipTo(k);
                return;
            }
        }
    }
    // A record written a moment ago that fits here: it joins the chain.
    const auto pending = m_pending.find(value);
    const std::uint32_t following = from < entries.size() ? entries[from].offset : chain.end;
    if (pending != m_pending.end() && pending->second.next == following
        && (from == 0 || textOf(entries[from - 1]) < pending->second.text)
        && (from == entries.size() || pending->second.text < textOf(entries[from]))
        && !m_spans.contains(value)) {
        const Entry e = keep(pending->second.text, value);
        m_pending.erase(pending);
        addSpan(key, e);
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(from), e);
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
    if (auto touched = m_spans.lastTouched(offset, last)) {
        const std::uint32_t record = touched->record;
        if (offset == record && size == 4) {
            linkWritten(touched->chain, record, le::u32(bytes));
            return;
        }
        if (offset >= record + 4 && last <= record + kRecordHeaderSize)
            return; // flags and sound index: nothing the index holds
        // Anything else drops every chain whose records it reaches.
        for (; touched; touched = m_spans.lastTouched(offset, last)) {
            m_spans.erase(touched->record);
            drop(touched->chain);
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
