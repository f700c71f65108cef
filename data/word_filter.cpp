#include "word_filter.h"

#include "dictionary/dictionary_format.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>

namespace quorvel::mkdict {

namespace {

namespace fs = std::filesystem;

// Spellings of speech that stand for other words: the child learns the words themselves (OKAY,
// GOING TO, YES, NO, THOUGH, THROUGH).
constexpr std::array<std::string_view, 30> kSpokenSpellings { "BETCHA", "COZ", "CUZ", "DAMMIT",
    "DUNNO", "GAWD", "GIMME", "GONNA", "GOTCHA", "GOTTA", "INNIT", "KINDA", "LEMME", "MKAY", "NAH",
    "NAW", "NOPE", "NUFF", "OUTTA", "SEZ", "SORTA", "THO", "THRU", "WANNA", "YAH", "YEAH", "YEH",
    "YEP", "YER", "YUP" };

// Noises of speech rather than words: hesitation, grunts, laughter, disgust.
constexpr std::array<std::string_view, 15> kSpeechNoises { "AAH", "AARGH", "AHH", "ARGH", "DUH",
    "EEK", "HAHA", "HEH", "HUMPH", "ICK", "MEH", "OOF", "OOH", "UGH", "UMM" };

// Ordinary words that the ending rules would take for forms of a listed word: a sandwich
// (BUTTY), a spaniel (COCKER), boastful (COCKY), poorly or unsound (DICKY, as in "a dicky
// heart"), scatterbrained (SCATTY), of vibration (VIBRATORY).
constexpr std::array<std::string_view, 6> kLookAlikes { "BUTTY", "COCKER", "COCKY", "DICKY",
    "SCATTY", "VIBRATORY" };

// Each list is looked up by binary search.
static_assert(std::is_sorted(kSpokenSpellings.begin(), kSpokenSpellings.end()));
static_assert(std::is_sorted(kSpeechNoises.begin(), kSpeechNoises.end()));
static_assert(std::is_sorted(kLookAlikes.begin(), kLookAlikes.end()));

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& list, std::string_view word)
{
    return std::binary_search(list.begin(), list.end(), word);
}

bool plainWord(std::string_view line)
{
    if (line.size() < static_cast<std::size_t>(dict::kMinWordLength)
        || line.size() > static_cast<std::size_t>(dict::kMaxWordLength))
        return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string upperCase(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(c - 'a' + 'A');
    return word;
}

bool isVowel(char c)
{
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

bool endsWithAny(const std::string& word, std::initializer_list<std::string_view> endings)
{
    return std::any_of(
        endings.begin(), endings.end(), [&](std::string_view e) { return word.ends_with(e); });
}

// Works out the forms of one list word against the SCOWL sizes.
class FormFinder
{
public:
    FormFinder(const std::string& word, const ScowlSizes& sizes)
        : m_word(word)
        , m_sizes(sizes)
        , m_wordSize(sizeOf(word))
    { }

    std::vector<std::string> find()
    {
        // A list word shorter than any dictionary word is taken as it stands: its endings would
        // only make look-alikes (HO would take HOES).
        m_forms.insert(m_word);
        if (m_word.size() < static_cast<std::size_t>(dict::kMinWordLength))
            return { m_forms.begin(), m_forms.end() };

        const std::size_t n = m_word.size();
        const char last = m_word.back();
        const bool eFinal = last == 'E' && !m_word.ends_with("EE");
        const bool yFinal = last == 'Y' && !isVowel(m_word[n - 2]);
        const std::string iStem = yFinal ? m_word.substr(0, n - 1) + "I" : std::string();
        // The stems a vowel ending is put on: the word less a final E (GROP-ING), and the word
        // with its last consonant doubled after a single short vowel (SHITT-ING, FAGG-ED).
        std::vector<std::string> stems { eFinal ? m_word.substr(0, n - 1) : m_word };
        if (n >= 3 && !isVowel(last) && last != 'W' && last != 'X' && last != 'Y' && last != 'C'
            && isVowel(m_word[n - 2]) && !isVowel(m_word[n - 3]))
            stems.push_back(m_word + last);

        // Plural and third person.
        take(yFinal ? iStem + "ES" : m_word + "S");
        if (endsWithAny(m_word, { "S", "X", "Z", "CH", "SH", "O" }))
            take(m_word + "ES");

        // Past tense and present participle: the verb forms.
        if (eFinal)
            takeVerbForm(m_word + "D");
        else if (yFinal)
            takeVerbForm(iStem + "ED");
        else
            for (const std::string& s : stems)
                takeVerbForm(s + "ED");
        for (const std::string& s : yFinal ? std::vector<std::string> { m_word } : stems) {
            if (takeVerbForm(s + "ING"))
                take(s + "INGS");
        }

        // Comparative and superlative, only as a pair.
        if (eFinal)
            takePair(m_word + "R", m_word + "ST");
        else if (yFinal)
            takePair(iStem + "ER", iStem + "EST");
        else
            for (const std::string& s : stems)
                takePair(s + "ER", s + "EST");

        // Derivations only from a word SCOWL holds: nothing else shows that a look-alike is
        // rarer than the word it seems to come from.
        if (m_wordSize == 0)
            return { m_forms.begin(), m_forms.end() };

        // The agent noun, beside a verb form at least as common as itself.
        if (!yFinal) {
            for (const std::string& s : stems) {
                const std::string agent = eFinal ? m_word + "R" : s + "ER";
                if (fits(agent) && hasVerbFormAsCommonAs(sizeOf(agent))) {
                    m_forms.insert(agent);
                    take(agent + "S");
                }
            }
        }

        // The adjective in -Y with its own forms (SHITTY, SHITTIER, SHITTIEST, SHITTILY,
        // SHITTINESS); for a list word that is already such an adjective, its adverb and noun.
        if (yFinal) {
            take(iStem + "LY");
            take(iStem + "NESS");
        } else if (last != 'Y') {
            for (const std::string& s : stems) {
                if (!take(s + "Y"))
                    continue;
                takePair(s + "IER", s + "IEST");
                take(s + "ILY");
                take(s + "INESS");
            }
        }

        for (const std::string& s : stems)
            take(s + "ISH");
        take(m_word + "NESS");
        take(m_word + "LY");
        take(m_word + "FUL");
        return { m_forms.begin(), m_forms.end() };
    }

private:
    int sizeOf(const std::string& word) const
    {
        const auto it = m_sizes.find(word);
        return it == m_sizes.end() ? 0 : it->second;
    }

    // A form SCOWL holds, no more common than the list word, and no named look-alike.
    bool fits(const std::string& form) const
    {
        const int size = sizeOf(form);
        return size != 0 && size >= m_wordSize && !listed(kLookAlikes, form);
    }

    bool take(const std::string& form)
    {
        if (!fits(form))
            return false;
        m_forms.insert(form);
        return true;
    }

    bool takeVerbForm(const std::string& form)
    {
        if (!take(form))
            return false;
        m_verbForms.push_back(form);
        return true;
    }

    void takePair(const std::string& comparative, const std::string& superlative)
    {
        if (fits(comparative) && fits(superlative)) {
            m_forms.insert(comparative);
            m_forms.insert(superlative);
        }
    }

    bool hasVerbFormAsCommonAs(int size) const
    {
        return std::any_of(m_verbForms.begin(), m_verbForms.end(),
            [&](const std::string& v) { return sizeOf(v) <= size; });
    }

    const std::string m_word;
    const ScowlSizes& m_sizes;
    const int m_wordSize; // 0 when SCOWL does not hold the word
    std::set<std::string> m_forms;
    std::vector<std::string> m_verbForms;
};

} // namespace

bool readScowlList(const std::string& dir, std::string_view list, int size,
    std::vector<std::string>& words, std::string& error)
{
    const fs::path path = fs::path(dir) / (std::string(list) + "-words." + std::to_string(size));
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (plainWord(line))
            words.push_back(upperCase(line));
    }
    if (in.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    return true;
}

bool readWordLines(const std::string& path, std::vector<std::string>& words, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const bool letters = std::all_of(line.begin(), line.end(),
            [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
        if (!letters || line.size() > static_cast<std::size_t>(dict::kMaxWordLength)) {
            error = path + ":" + std::to_string(number) + ": \"" + line
                + "\" is not one word of letters A-Z";
            return false;
        }
        std::string word = line;
        for (char& c : word)
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        words.push_back(std::move(word));
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool readSpellingSizes(const std::string& dir, ScowlSizes& sizes, std::string& error)
{
    for (std::string_view list : kSpellingLists) {
        for (int size : kScowlSizes) {
            std::vector<std::string> words;
            if (!readScowlList(dir, list, size, words, error))
                return false;
            for (std::string& w : words)
                sizes.try_emplace(std::move(w), size); // sizes rise, so the first is the smallest
        }
    }
    return true;
}

bool readOffensiveWords(
    const std::string& path, std::vector<std::string>& words, std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open " + path;
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = "cannot read " + path;
        return false;
    }
    QStringList entries;
    if (data.trimmed().startsWith('[')) {
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(data, &parseError);
        if (doc.isNull()) {
            error = path + ": " + parseError.errorString().toStdString();
            return false;
        }
        for (const QJsonValue& value : doc.array()) {
            if (!value.isString()) {
                error = path + " holds an entry that is not a string";
                return false;
            }
            entries.append(value.toString());
        }
    } else {
        entries = QString::fromUtf8(data).split(QLatin1Char('\n'));
    }

    std::set<std::string> unique;
    for (const QString& entry : entries) {
        const QString lower = entry.trimmed().toLower();
        std::string word;
        bool plain = !lower.isEmpty();
        for (const QChar c : lower) {
            const char16_t u = c.unicode();
            if (u < u'a' || u > u'z') {
                plain = false;
                break;
            }
            word.push_back(static_cast<char>(u - u'a' + 'A'));
        }
        if (plain)
            unique.insert(std::move(word));
    }
    if (unique.empty()) {
        error = path + " holds no single-word entries";
        return false;
    }
    words.assign(unique.begin(), unique.end());
    return true;
}

std::vector<std::string> formsOf(const std::string& listWord, const ScowlSizes& sizes)
{
    std::vector<std::string> forms = FormFinder(listWord, sizes).find();
    if (listWord.ends_with("IZE")) {
        const std::string british = listWord.substr(0, listWord.size() - 3) + "ISE";
        const std::vector<std::string> more = FormFinder(british, sizes).find();
        forms.insert(forms.end(), more.begin(), more.end());
        std::sort(forms.begin(), forms.end());
    }
    return forms;
}

bool isNonWord(std::string_view word)
{
    const bool hasVowel
        = std::any_of(word.begin(), word.end(), [](char c) { return isVowel(c) || c == 'Y'; });
    return !hasVowel || listed(kSpokenSpellings, word) || listed(kSpeechNoises, word);
}

LeftOut wordsToLeaveOut(const std::vector<std::string>& offensive, const ScowlSizes& sizes)
{
    LeftOut leftOut;
    for (const std::string& listWord : offensive) {
        for (std::string& form : formsOf(listWord, sizes))
            leftOut.try_emplace(std::move(form), listWord);
    }
    for (const auto& [word, size] : sizes) {
        if (isNonWord(word))
            leftOut.try_emplace(word, std::string());
    }
    return leftOut;
}

} // namespace quorvel::mkdict
