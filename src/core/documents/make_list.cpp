#include "documents/make_list.h"

#include "config/startup_info.h"
#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "strings/document_strings.h"
#include "strings/strings.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <new>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel {

namespace {

enum CharClass : std::uint8_t
{
    kOther,
    kLetter,
    kEndOfText, // the zero that ends the text an editor holds
};

constexpr std::array<std::uint8_t, 128> kAsciiClass = [] {
    std::array<std::uint8_t, 128> table {};
    for (char c = 'a'; c <= 'z'; ++c) {
        table[static_cast<std::size_t>(c)] = kLetter;
        table[static_cast<std::size_t>(c - 'a' + 'A')] = kLetter;
    }
    table[0] = kEndOfText;
    return table;
}();

// Beyond ASCII: letters of any script, and the marks that accent a letter written as two
// characters. Such a letter belongs to the word, and makes the whole word unusable.
bool isAccentedWordChar(char16_t u)
{
    const QChar c(u);
    return c.isLetter() || c.isMark();
}

// The words accepted so far, found again through a small hash table, so that a long text of the
// same few words costs no more than one of new words. A word is looked up as the text holds it (a
// run of plain letters a..z and A..Z) and stored in capitals.
class AcceptedWords
{
public:
    explicit AcceptedWords(std::vector<std::string>& words)
        : m_words(words)
    {
        m_slots.fill(-1);
    }
    long long size() const { return static_cast<long long>(m_words.size()); }

    // Adds the word of `n` plain letters at `start` unless it is there; false when it was.
    bool add(const char16_t* start, int n)
    {
        // Clearing the bit of 32 turns a..z into A..Z.
        constexpr char16_t kCapital = ~char16_t(0x20);
        const std::uint32_t hash = (static_cast<std::uint32_t>(n) * 0x9E3779B1u)
            ^ ((start[0] & kCapital) * 0x85EBCA6Bu) ^ ((start[1] & kCapital) * 0xC2B2AE35u)
            ^ ((start[n - 1] & kCapital) * 0x27D4EB2Fu);
        std::size_t at = (hash ^ (hash >> 16)) & (kSlots - 1);
        for (; m_slots[at] >= 0; at = (at + 1) & (kSlots - 1)) {
            const std::string& word = m_words[static_cast<std::size_t>(m_slots[at])];
            if (word.size() != static_cast<std::size_t>(n))
                continue;
            int k = 0;
            while (k < n && (start[k] & kCapital) == static_cast<unsigned char>(word[k]))
                ++k;
            if (k == n)
                return false;
        }
        std::string word(static_cast<std::size_t>(n), '\0');
        for (int k = 0; k < n; ++k)
            word[static_cast<std::size_t>(k)] = static_cast<char>(start[k] & kCapital);
        m_slots[at] = static_cast<std::int8_t>(m_words.size());
        m_words.push_back(std::move(word));
        return true;
    }

private:
    // More than twice the most words a scan accepts (kMaxTextListWords + 1).
    static constexpr std::size_t kSlots = 128;
    std::vector<std::string>& m_words;
    std::array<std::int8_t, kSlots> m_slots;
};

// Splits a text into words and offers each to the list. Words are found 64 characters at a time
// where a block holds only ASCII (a mask of its letters, whose edges are the words' ends); a block
// with other characters goes a character at a time. Most words fail the length test, so the cost
// is in finding their ends, not in testing them.
class TokenScanner
{
public:
    TokenScanner(const TextListSettings& settings, AcceptedWords& accepted, long long stopAt)
        : m_accepted(accepted)
        , m_stopAt(stopAt)
    {
        // A word is 3 to 37 letters (a longer one is passed over untested) and within the
        // user's letters range.
        const int shortest = std::max(3, settings.minLetters);
        const int longest = std::min(kTooLongToken - 1, settings.maxLetters);
        m_shortest = static_cast<std::uint64_t>(shortest);
        // No length fits when the range is empty: a span that wraps below every difference.
        m_lengthSpan = longest >= shortest ? static_cast<std::uint64_t>(longest - shortest) : 0;
        m_noLength = longest < shortest;
    }

    void scan(const char16_t* p, const char16_t* const end)
    {
#if defined(__SSE2__)
        for (; end - p >= 64; p += 64) {
            std::uint64_t letters = 0;
            if (!asciiLetters(p, letters)) {
                if (!scanChars(p, p + 64))
                    return;
                continue;
            }
            // Bits where a word starts or the character after a word's end stands.
            std::uint64_t edges = letters ^ ((letters << 1) | (m_inWord ? 1 : 0));
            while (edges != 0) {
                const char16_t* const at = p + std::countr_zero(edges);
                edges &= edges - 1;
                if (m_inWord) {
                    m_inWord = false;
                    if (!offer(m_wordStart, at))
                        return;
                } else {
                    m_inWord = true;
                    m_wordStart = at;
                    m_plain = true;
                }
            }
        }
#endif
        if (scanChars(p, end) && m_inWord)
            offer(m_wordStart, end);
    }

private:
#if defined(__SSE2__)
    // The letters of 64 characters as bits (bit i: p[i] is a..z or A..Z); false when one of
    // them is beyond ASCII or the zero that ends the text.
    static bool asciiLetters(const char16_t* p, std::uint64_t& letters)
    {
        const __m128i caseBit = _mm_set1_epi16(0x20);
        const __m128i a = _mm_set1_epi16('a');
        const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
        const __m128i below26 = _mm_set1_epi16(static_cast<short>(0x8000 + 26));
        const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
        const __m128i zero = _mm_setzero_si128();
        std::uint64_t special = 0;
        for (int k = 0; k < 64; k += 16) {
            __m128i isLetter[2], isSpecial[2];
            for (int h = 0; h < 2; ++h) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k + 8 * h));
                // (v | 32) - 'a' below 26, compared as unsigned: only a..z and A..Z.
                const __m128i x = _mm_xor_si128(_mm_sub_epi16(_mm_or_si128(v, caseBit), a), flip);
                isLetter[h] = _mm_cmplt_epi16(x, below26);
                const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(v, highBits), zero);
                isSpecial[h] = _mm_or_si128(
                    _mm_andnot_si128(ascii, _mm_set1_epi16(-1)), _mm_cmpeq_epi16(v, zero));
            }
            letters |= std::uint64_t(static_cast<std::uint16_t>(
                           _mm_movemask_epi8(_mm_packs_epi16(isLetter[0], isLetter[1]))))
                << k;
            special |= std::uint64_t(static_cast<std::uint16_t>(
                           _mm_movemask_epi8(_mm_packs_epi16(isSpecial[0], isSpecial[1]))))
                << k;
        }
        return special == 0;
    }
#endif

    // A character at a time; false when the scan is over (the text's end, or the list full).
    bool scanChars(const char16_t* p, const char16_t* const end)
    {
        for (; p != end; ++p) {
            const char16_t u = *p;
            bool letter;
            if (u < 0x80) {
                const std::uint8_t kind = kAsciiClass[u];
                if (kind == kEndOfText) {
                    if (m_inWord) {
                        m_inWord = false;
                        offer(m_wordStart, p);
                    }
                    return false;
                }
                letter = kind == kLetter;
            } else {
                letter = isAccentedWordChar(u);
            }
            if (letter) {
                if (!m_inWord) {
                    m_inWord = true;
                    m_wordStart = p;
                    m_plain = true;
                }
                if (u >= 0x80)
                    m_plain = false;
            } else if (m_inWord) {
                m_inWord = false;
                if (!offer(m_wordStart, p))
                    return false;
            }
        }
        return true;
    }

    // Tests a word and takes it; false when the list is full.
    bool offer(const char16_t* start, const char16_t* end)
    {
        // Lengths from m_shortest to m_longest, as one unsigned comparison.
        const auto n = static_cast<std::uint64_t>(end - start);
        if (n - m_shortest > m_lengthSpan || !m_plain || m_noLength)
            return true;
        return take(start, static_cast<int>(n));
    }

    bool take(const char16_t* start, int n)
    {
        return !m_accepted.add(start, n) || m_accepted.size() < m_stopAt;
    }

    AcceptedWords& m_accepted;
    long long m_stopAt;
    std::uint64_t m_shortest = 3;
    std::uint64_t m_lengthSpan = 0;
    bool m_noLength = false;
    bool m_inWord = false;
    bool m_plain = true; // the word so far is plain letters a..z and A..Z
    const char16_t* m_wordStart = nullptr;
};

} // namespace

TextListSettings TextListSettings::read(const StartupInfo& info, int user)
{
    const ListSetup setup = ListSetup::read(info, user);
    TextListSettings s;
    if (setup.listSize != 0)
        s.listSize = setup.listSize;
    if (setup.minLetters != 0)
        s.minLetters = setup.minLetters;
    if (setup.maxLetters != 0)
        s.maxLetters = setup.maxLetters;
    return s;
}

std::vector<std::string> extractListWords(
    const QString& text, TextSelection where, const TextListSettings& settings)
{
    std::vector<std::string> words;
    const qsizetype length = text.size();
    if (length == 0)
        return words;

    qsizetype from = 0, to = length;
    if (where.start != where.end) {
        from = std::clamp(std::min(where.start, where.end), qsizetype(0), length);
        to = std::clamp(std::max(where.start, where.end), qsizetype(0), length);
    } else {
        // A caret within the last minimum-length characters takes the whole text, so that a
        // caret left at the end of a freshly typed list still makes a list of it.
        const qsizetype caret = std::clamp(where.start, qsizetype(0), length);
        if (caret <= length - settings.minLetters)
            from = caret;
    }

    // The scan ends at the list size, or at the first word beyond the most a list can hold.
    const long long stopAt = std::min<long long>(settings.listSize, kMaxTextListWords + 1);
    if (stopAt <= 0)
        return words;
    static_assert(2 * (kMaxTextListWords + 1) < 128);
    AcceptedWords accepted(words);
    const auto* const base = reinterpret_cast<const char16_t*>(text.utf16());
    TokenScanner scanner(settings, accepted, stopAt);
    scanner.scan(base + from, base + to);
    return words;
}

MakeListOutcome MakeListFromText(const QString& text, TextSelection where, ListType source,
    const StartupInfo& info, int user, DocumentState& documents)
{
    MakeListOutcome outcome;
    const int state
        = source == ListType::ScrapPad ? ListState::kFreshScrapPad : ListState::kFreshWindow;
    try {
        const TextListSettings settings = TextListSettings::read(info, user);
        std::vector<std::string> words = extractListWords(text, where, settings);
        // The list is made whole before the word file is touched, so no list leaves the user's
        // last list as it was (a list from the other source stays usable, and Repeat and the
        // reports keep the list that was drilled): only its mark for this source goes.
        if (!words.empty() && words.size() <= std::size_t(kMaxTextListWords)) {
            WordListImage list;
            list.state = state;
            list.listType = static_cast<int>(source);
            list.askedCount = std::clamp(settings.listSize, 0, 0xFFFF);
            for (const std::string& w : words) {
                WordFileRecord r;
                r.word = w;
                list.records.push_back(std::move(r));
            }
            if (saveWordList(info.dataFolder(), user, list)) {
                outcome.result = MakeListResult::kMade;
                outcome.words = std::move(words);
            } else {
                outcome.result = MakeListResult::kWordFileNotWritten;
            }
        }
    } catch (const std::bad_alloc&) {
        outcome = {};
        outcome.result = MakeListResult::kOutOfMemory;
    }
    documents.listMadeFromText(source, outcome.result == MakeListResult::kMade);
    return outcome;
}

MakeListMessage makeListMessage(int result)
{
    switch (result) {
    case MakeListResult::kMade:
        return {};
    case MakeListResult::kWordFileNotWritten:
        return { strings::kNoListProduced, strings::kUnableToWriteWordFile };
    case MakeListResult::kOutOfMemory:
        return { strings::kWarning, strings::kOutOfMemory };
    default:
        return { strings::kNoListProduced, strings::kUnableToProduceList };
    }
}

} // namespace quorvel
