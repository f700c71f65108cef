#include "list_generation.h"

#include "config/startup_info.h"
#include "config/user_settings.h"
#include "dictionary/dictionary_ops.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "review/review_schedule.h"
#include "word_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <set>
#include <unordered_set>

namespace quorvel {

using namespace dict;

namespace {

// Letter indices (A = 0) in ascending order, each repeated by how often English words begin
// with it (first letter) or carry it second.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> expandWeights(const std::array<int, 26>& counts)
{
    std::array<std::uint8_t, N> out {};
    std::size_t at = 0;
    for (int letter = 0; letter < 26; ++letter) {
        for (int i = 0; i < counts[static_cast<std::size_t>(letter)]; ++i)
            out[at++] = static_cast<std::uint8_t>(letter);
    }
    return out;
}

constexpr auto kFirstLetterWeights = expandWeights<197>(
    { 15, 8, 21, 12, 11, 6, 4, 5, 6, 2, 1, 5, 9, 4, 5, 15, 1, 8, 26, 15, 5, 5, 5, 1, 1, 1 });
constexpr auto kSecondLetterWeights = expandWeights<124>(
    { 10, 5, 5, 5, 10, 3, 5, 5, 10, 2, 2, 5, 5, 5, 10, 4, 2, 5, 5, 5, 7, 3, 2, 2, 1, 1 });

std::uint32_t slotOf(int first, int second)
{
    return static_cast<std::uint32_t>(first * 26 + second) * 4;
}

// The buckets a list type may draw from, and the words it may take.
struct ListRange
{
    std::uint32_t firstSlot = 0; // slot offsets within the table, inclusive
    std::uint32_t lastSlot = kLastSlotOffset;
    int letter = -1; // One letter only: the chosen letter
    std::string tail; // Pre-defined start: the pattern from its third character
};

bool setUpRange(
    ListCriteria& c, const std::string& oneLetter, const std::string& predefined, ListRange& range)
{
    switch (c.listType) {
    case ListType::Random:
        c.statusWanted = 3;
        return true;
    case ListType::OneLetter: {
        c.statusWanted = 3;
        const char l = oneLetter.empty() ? '\0' : oneLetter[0];
        if (l < 'A' || l > 'Z')
            return false;
        range.letter = l - 'A';
        range.firstSlot = slotOf(range.letter, 0);
        range.lastSlot = slotOf(range.letter, 25);
        return true;
    }
    case ListType::Predefined: {
        c.statusWanted = 3;
        const std::optional<std::string> checked = predefinedPattern(predefined);
        if (!checked)
            return false;
        const std::string& pattern = *checked;
        auto letterOf = [](char ch) { return ch == '?' ? 0 : ch - 'A'; };
        const int first = letterOf(pattern[0]);
        if (pattern.size() >= 2 && pattern[1] != '?') {
            range.firstSlot = range.lastSlot = slotOf(first, pattern[1] - 'A');
        } else {
            range.firstSlot = slotOf(first, 0);
            range.lastSlot = slotOf(first, 25);
        }
        if (pattern.size() >= 3)
            range.tail = pattern.substr(2);
        return true;
    }
    case ListType::Failures:
        c.statusWanted = 0;
        return true;
    default:
        return false;
    }
}

bool matchesTail(const std::string& tail, std::string_view text)
{
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (tail[i] == '?')
            continue; // also past the end of the text
        if (i >= text.size() || tail[i] != text[i])
            return false;
    }
    return true;
}

struct DrawnWord
{
    std::string word;
    std::uint32_t slot = 0;
    std::uint32_t offset = 0;
};

enum class Draw
{
    Found,
    NoneLeft,
    Failed
};

// Draws one word: picks the start bucket from three random numbers and walks the range from it.
class ListDrawer
{
public:
    ListDrawer(File& dictionary, std::uint32_t table, ListCriteria& criteria,
        const ListRange& range, RandomSource& random, int currentUser)
        : m_file(dictionary)
        , m_table(table)
        , m_c(criteria)
        , m_range(range)
        , m_random(random)
        , m_user(currentUser)
    { }

    Draw draw(DrawnWord& out)
    {
        const int second = kSecondLetterWeights[m_random.next() % kSecondLetterWeights.size()];
        const int first = kFirstLetterWeights[m_random.next() % kFirstLetterWeights.size()];
        const char r = static_cast<char>('A' + m_random.next() % 26);
        std::uint32_t start;
        switch (m_c.listType) {
        case ListType::OneLetter:
            start = slotOf(m_range.letter, second);
            break;
        case ListType::Predefined:
            start = m_range.firstSlot;
            break;
        default:
            start = slotOf(first, second);
            break;
        }
        m_c.firstChain = 1;
        m_skippedByRule.reset();
        std::uint32_t slot = start;
        do {
            const Draw d = scanBucket(slot, r, out);
            if (d != Draw::NoneLeft)
                return d;
            slot = slot == m_range.lastSlot ? m_range.firstSlot : slot + 4;
        } while (slot != start);
        // Back where it began. The random rule may have passed over acceptable words of the
        // first chain (those not sorting before the random letter), and the walk never reads
        // that chain again: read it once more without the rule, so a word that fits is never
        // missed.
        if (m_skippedByRule) {
            m_c.firstChain = 0;
            return scanBucket(*m_skippedByRule, r, out);
        }
        return Draw::NoneLeft;
    }

    void taken(std::uint32_t offset) { m_taken.insert(offset); }

private:
    Draw scanBucket(std::uint32_t slot, char r, DrawnWord& out)
    {
        const std::uint32_t end = endMarker(m_table, slot);
        std::uint32_t current = 0;
        if (!ReadLink(m_file, m_table + slot, current)) {
            m_c.failed = 1;
            return Draw::Failed;
        }
        const bool walkedAny = current != end;
        RecordReader reader(m_file);
        RecordPeek record;
        while (current != end) {
            if (!reader.read(current, record)) {
                m_c.failed = 1;
                return Draw::Failed;
            }
            const WordRecordHeader header = WordRecordHeader::decode(record.header);
            if (accept(header, current, r, record.text, slot)) {
                char letters[2];
                BucketLetters(slot, letters);
                out.word.assign(letters, 2);
                out.word += record.text;
                out.slot = slot;
                out.offset = current;
                m_c.outSoundIndex = header.soundIndex;
                m_c.outMedia = static_cast<std::uint16_t>(header.mediaFlag());
                m_c.outSoundFlag = static_cast<std::uint16_t>(header.soundFlag());
                return Draw::Found;
            }
            if (m_c.failed)
                return Draw::Failed;
            current = header.next;
        }
        // Reaching the end of a chain also ends the random rule's hold on the first chain.
        if (walkedAny)
            m_c.firstChain = 0;
        return Draw::NoneLeft;
    }

    bool accept(const WordRecordHeader& header, std::uint32_t offset, char r, std::string_view text,
        std::uint32_t slot)
    {
        if (!MatchesFilter(header, m_c.language, m_c.category, static_cast<int>(m_c.statusWanted),
                m_c.filterMode, m_user))
            return false;
        if (text.empty()) {
            m_c.failed = 1;
            return false;
        }
        if (m_c.listType == ListType::Random && m_c.firstChain == 1) {
            if (!(text[0] < r)) {
                m_skippedByRule = slot;
                return false;
            }
            m_c.firstChain = 0;
        }
        if (!m_range.tail.empty() && !matchesTail(m_range.tail, text))
            return false;
        const int len = static_cast<int>(text.size());
        if (len < m_c.minText || len > m_c.maxText)
            return false;
        return !m_taken.contains(offset);
    }

    File& m_file;
    std::uint32_t m_table;
    ListCriteria& m_c;
    const ListRange& m_range;
    RandomSource& m_random;
    int m_user;
    std::unordered_set<std::uint32_t> m_taken; // dictionary offsets of the words drawn so far
    std::optional<std::uint32_t> m_skippedByRule; // the chain whose words the random rule held
};

} // namespace

std::optional<std::string> predefinedPattern(const std::string& predefined)
{
    std::string pattern = predefined.substr(0, 10);
    if (pattern.empty())
        return std::nullopt;
    for (char ch : pattern) {
        if (!(ch == '?' || (ch >= 'A' && ch <= 'Z')))
            return std::nullopt;
    }
    return pattern;
}

namespace {

// The bucket table a list is drawn from, or 0xFFFFFFFF.
std::uint32_t listTable(File& dictionary, const ListCriteria& c)
{
    return ReadTableOffset(dictionary, c.category != 0 ? Table::Category : Table::Main);
}

// Leaves the user's word file holding no usable list: the file there is marked (state 0) in
// place, and where there is none, one that holds no list is made.
void leaveNoList(const std::string& dataFolder, int user)
{
    if (auto file = WordFile::open(dataFolder, user, OpenMode::ReadWrite)) {
        file->invalidate();
        file->close();
        return;
    }
    if (testFileExists(paths::wordFile(dataFolder, static_cast<char>('0' + user))).notFound())
        (void)saveWordList(dataFolder, user, WordListImage {});
}

} // namespace

struct DrillListDraw::State
{
    enum class Phase
    {
        Drawing, // the dictionary is open and words may follow
        Full, // no word is to follow; finish saves the list
        Closed, // finished, or failed and cleaned up
    };

    State(StartupInfo& i, ListCriteria& c, ListGenerationServices& s, bool show)
        : info(i)
        , criteria(c)
        , services(s)
        , showProgress(show)
    { }

    StartupInfo& info;
    ListCriteria& criteria;
    ListGenerationServices& services;
    bool showProgress;
    Phase phase = Phase::Closed;
    DictionaryHandle dictionary;
    // The list is made in memory and replaces the word file whole when it is finished.
    WordListImage list;
    ListRange range;
    std::optional<ListDrawer> drawer;

    int user() const { return static_cast<int>(criteria.user); }
    int found() const { return static_cast<int>(list.records.size()); }

    // Tells the sink the list came to nothing and leaves the word file holding no list.
    void fail()
    {
        if (showProgress && services.progress)
            services.progress->progress(0);
        release();
        leaveNoList(info.dataFolder(), user());
    }
    void release()
    {
        drawer.reset();
        if (dictionary)
            CloseDictionary(dictionary);
        phase = Phase::Closed;
        list.records.clear();
    }
};

DrillListDraw::DrillListDraw(
    StartupInfo& info, ListCriteria& criteria, ListGenerationServices& services, bool showProgress)
    : m_state(std::make_unique<State>(info, criteria, services, showProgress))
{
    State& s = *m_state;
    criteria.failed = 0;
    s.dictionary = OpenDictionary(info);
    if (!s.dictionary)
        return;
    if (s.user() >= kUserSlots || info.dataFolder().empty()) {
        CloseDictionary(s.dictionary);
        return;
    }

    const ListSetup setup = ListSetup::read(info, s.user());
    s.list.state = ListState::kFreshDictionary;
    s.list.tableOffset = listTable(*s.dictionary, criteria);
    s.list.askedCount = criteria.count;
    s.list.listType = listTypeNumber(criteria.listType);
    if (s.list.tableOffset == kNoOffset
        || !setUpRange(criteria, setup.oneLetter, setup.predefined, s.range)) {
        criteria.failed = 1;
        s.fail();
        return;
    }
    services.random.seed(static_cast<std::uint32_t>(services.clock.now()));
    s.drawer.emplace(
        *s.dictionary, s.list.tableOffset, criteria, s.range, services.random, s.user());
    s.phase = State::Phase::Drawing;
}

// A draw dropped before it was finished leaves no list, as a failed one does: the old list was
// given up when the new one was asked for.
DrillListDraw::~DrillListDraw()
{
    if (m_state->phase != State::Phase::Closed) {
        m_state->release();
        leaveNoList(m_state->info.dataFolder(), m_state->user());
    }
}

bool DrillListDraw::drawNext()
{
    State& s = *m_state;
    if (s.phase != State::Phase::Drawing)
        return false;
    ListCriteria& criteria = s.criteria;
    if (s.found() >= criteria.count) {
        s.phase = State::Phase::Full;
        return false;
    }
    DrawnWord drawn;
    const Draw d = s.drawer->draw(drawn);
    if (d == Draw::Failed || (d == Draw::NoneLeft && s.found() == 0)) {
        s.fail();
        return false;
    }
    if (d == Draw::NoneLeft) {
        s.phase = State::Phase::Full;
        return false;
    }
    s.drawer->taken(drawn.offset);
    bool stop = false;
    if (s.showProgress && s.services.progress)
        stop = s.services.progress->progress(s.found() + 1);
    WordFileRecord record;
    record.word = drawn.word;
    record.bucketOffset = drawn.slot;
    record.dictionaryOffset = drawn.offset;
    record.soundIndex = criteria.outSoundIndex;
    record.media = criteria.outMedia;
    record.soundFlag = criteria.outSoundFlag;
    s.list.records.push_back(std::move(record));
    if (stop || s.found() >= criteria.count) {
        s.phase = State::Phase::Full;
        return false;
    }
    return true;
}

int DrillListDraw::finish()
{
    State& s = *m_state;
    if (s.phase == State::Phase::Closed)
        return 0;
    if (s.list.records.empty() || !saveWordList(s.info.dataFolder(), s.user(), s.list)) {
        s.fail();
        return 0;
    }
    const int found = s.found();
    s.drawer.reset();
    s.phase = State::Phase::Closed;
    return CloseDictionary(s.dictionary) ? found : 0;
}

int DrillListDraw::drawn() const
{
    return m_state->found();
}

int GenerateDrillList(
    StartupInfo& info, ListCriteria& criteria, ListGenerationServices& services, bool showProgress)
{
    DrillListDraw draw(info, criteria, services, showProgress);
    while (draw.drawNext()) { }
    return draw.finish();
}

ReviewListResult generateReviewList(
    StartupInfo& info, int user, ReviewSchedule& schedule, std::time_t now, int listSize)
{
    ReviewListResult out;
    if (user < 0 || user >= kUserSlots || info.dataFolder().empty()) {
        out.failed = true;
        return out;
    }
    DictionaryHandle dictionary = OpenDictionary(info);
    if (!dictionary) {
        out.failed = true;
        return out;
    }
    WordListImage list;
    list.state = ListState::kFreshDictionary;
    list.tableOffset = ReadTableOffset(*dictionary, Table::Main);
    list.askedCount = listSize;
    list.listType = listTypeNumber(ListType::Failures);
    std::set<std::string, std::less<>> gone;
    for (const ReviewEntry& entry : schedule.inDueOrder()) {
        CurrentWordInfo word;
        std::uint32_t offset = 0;
        const FindResult found = FindWord(*dictionary, entry.word, word, &offset);
        if (found == FindResult::FileError) {
            CloseDictionary(dictionary);
            out.failed = true;
            return out;
        }
        if (!isFound(found)) {
            gone.insert(entry.word);
            continue;
        }
        if (entry.due > now || static_cast<int>(list.records.size()) >= listSize)
            continue;
        WordFileRecord record;
        record.word = entry.word;
        record.bucketOffset = BucketOffset(entry.word);
        record.dictionaryOffset = offset;
        record.soundIndex = word.soundIndex();
        record.media = word.mediaFlag();
        record.soundFlag = word.soundFlag();
        list.records.push_back(std::move(record));
    }
    const bool closed = CloseDictionary(dictionary);
    out.swept = schedule.keepOnly([&](const std::string& w) { return !gone.contains(w); });
    if (list.records.empty())
        return out;
    if (!closed || !saveWordList(info.dataFolder(), user, list)) {
        out.failed = true;
        return out;
    }
    out.words = static_cast<int>(list.records.size());
    return out;
}

int pickRandomWords(File& dictionary, ListCriteria& criteria, const std::string& oneLetter,
    const std::string& predefined, RandomSource& random, Clock& clock, int count,
    std::string& lastWord)
{
    lastWord.clear();
    criteria.failed = 0;
    const std::uint32_t table = listTable(dictionary, criteria);
    ListRange range;
    if (table == kNoOffset || !setUpRange(criteria, oneLetter, predefined, range)) {
        criteria.failed = 1;
        return 0;
    }
    random.seed(static_cast<std::uint32_t>(clock.now()));
    ListDrawer drawer(dictionary, table, criteria, range, random, criteria.user);
    int drawnCount = 0;
    for (; drawnCount < count; ++drawnCount) {
        DrawnWord drawn;
        if (drawer.draw(drawn) != Draw::Found)
            break;
        drawer.taken(drawn.offset);
        lastWord = drawn.word;
    }
    if (criteria.failed)
        lastWord.clear();
    return drawnCount;
}

} // namespace quorvel
