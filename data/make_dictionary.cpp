// quorvel-mkdict: makes a dictionary file from Debian's SCOWL word lists and the ISO 3166-1
// country names, less a list of offensive words with their inflections and the SCOWL entries that
// are no words to learn (word_filter.h). The build runs it for the starter dictionary that a new
// installation is given and, on demand, for the large dictionary the benchmarks search. The same
// inputs always give the same bytes: every choice below is made on sorted lists, never on the
// order of a hash table.
//
//   quorvel-mkdict --scowl DIR --countries FILE --offensive FILE --max-size N --output FILE
//                  [--school-words DIR] [--left-out FILE]
//
// --school-words reads the spelling lists English primary schools teach and the months and days
// of the week from DIR (data/school_words/): every word of them goes into the dictionary, the
// school words each into the graded category of its school year (word_filter.h, kSchoolLists).
// Words shorter than the dictionary's shortest word (A, I, DO, MR) cannot be held and are named
// in the summary line.
//
// --left-out writes every word the inputs offered that the dictionary leaves out, one a line,
// with the reason: the listed word it is a form of, or "not a word".

#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_format.h"
#include "platform/replace_file.h"
#include "strings/strings.h"
#include "word_filter.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace quorvel;
using mkdict::kScowlSizes;

// The British variant lists feed a category; they are read up to this size whatever the size of
// the main dictionary, so that the starter and the large dictionary fill it by the same rule.
constexpr int kVariantSizeLimit = 60;

constexpr int kCountriesCategory = 9;
constexpr int kExtraUkCategory = 32;

constexpr int kLanguageUk = 1;
constexpr int kLanguageUsa = 2;
constexpr int kLanguageBoth = 3;

// One graded category: words common to every English spelling, at most `maxScowlSize` in SCOWL's
// scale of commonness, of `minLength` to `maxLength` letters. The lengths of the grades do not
// overlap, so a word can only ever fit one of them.
struct Grade
{
    int slot;
    int maxScowlSize;
    int minLength;
    int maxLength;
};

constexpr std::array<Grade, 10> kGrades { {
    { 21, 10, 3, 3 }, // 5 year old
    { 22, 10, 4, 4 }, // 6 year old
    { 23, 10, 5, 5 }, // 7 year old - easier
    { 24, 10, 6, 6 }, // 7 year old - harder
    { 25, 10, 7, 7 }, // 8 year old
    { 26, 20, 8, 8 }, // 9 year old
    { 27, 20, 9, 9 }, // 10 year old
    { 28, 20, 10, 10 }, // 11 year old - easier
    { 29, 35, 11, 11 }, // 11 year old - harder
    { 30, 35, 12, 14 }, // 12 year old
} };

// Graded words leave the main dictionary, so each grade stays a short drill list.
constexpr std::size_t kWordsPerGrade = 150;

struct Options
{
    std::string scowlDir;
    std::string countriesFile;
    std::string offensiveFile;
    std::string output;
    std::string leftOutFile;
    std::string schoolDir;
    int maxSize = 0;
};

// The smallest SCOWL size at which each spelling list names a word; 0 where it does not.
struct WordSources
{
    int common = 0; // english-words: the spelling of every variety
    int american = 0; // american-words: USA only
    int british = 0; // british-words: UK only (the -ise spellings)
};

using WordTable = std::unordered_map<std::string, WordSources>;

// The dialect of a word by the lists that name it; a word of no SCOWL list (a month, a school
// word SCOWL writes with a capital) is spelt so everywhere.
int languageOf(const WordSources& sources)
{
    if (sources.common != 0 || (sources.american != 0) == (sources.british != 0))
        return kLanguageBoth;
    return sources.american != 0 ? kLanguageUsa : kLanguageUk;
}

bool readScowlSizes(const Options& options, std::string_view list, int maxSize,
    const std::function<void(const std::string&, int)>& take, std::string& error)
{
    for (int size : kScowlSizes) {
        if (size > maxSize)
            break;
        std::vector<std::string> words;
        if (!mkdict::readScowlList(options.scowlDir, list, size, words, error))
            return false;
        for (const std::string& w : words)
            take(w, size);
    }
    return true;
}

void noteSize(int& field, int size)
{
    if (field == 0 || size < field)
        field = size;
}

// The single-word country names of ISO 3166-1: the common name where the list gives one ("Bolivia"
// rather than "Bolivia, Plurinational State of"), else the name; kept only when it is letters
// a-z alone once lower-cased, which leaves out "Türkiye", "Côte d'Ivoire" and every name of two
// or more words. ISO 3166-1 also names dependent territories (Aruba, Greenland); they stay.
bool readCountries(const Options& options, std::set<std::string>& countries, std::string& error)
{
    QFile file(QString::fromStdString(options.countriesFile));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open " + options.countriesFile;
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) {
        error = options.countriesFile + ": " + parseError.errorString().toStdString();
        return false;
    }
    const QJsonArray entries = doc.object().value(QStringLiteral("3166-1")).toArray();
    if (entries.isEmpty()) {
        error = options.countriesFile + " holds no \"3166-1\" list";
        return false;
    }
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.contains(QStringLiteral("common_name"))
            ? entry.value(QStringLiteral("common_name")).toString()
            : entry.value(QStringLiteral("name")).toString();
        std::string word;
        bool plain = true;
        for (const QChar c : name) {
            const char16_t u = c.toLower().unicode();
            if (u < u'a' || u > u'z') {
                plain = false;
                break;
            }
            word.push_back(static_cast<char>(u - u'a' + 'A'));
        }
        if (plain && word.size() >= static_cast<std::size_t>(dict::kMinWordLength)
            && word.size() <= static_cast<std::size_t>(dict::kMaxWordLength))
            countries.insert(word);
    }
    return true;
}

// True for a plain inflection of another common word: CATS, BOXES, BABIES, JUMPED, HOPED,
// CARRIED, STOPPED, JUMPING, MAKING, RUNNING; and for superlatives and comparatives in -IER where
// SCOWL lists the other degree too: NICEST (NICER), BIGGEST, HAPPIEST, HAPPIER. Comparatives in
// -ER stay, as too many of them are nouns as well (NUMBER, STRANGER, LIVER). The stem must be at
// least as common as the word, which keeps DOES (DOE is rarer); SEED is not SEE + D because -ED
// never follows a stem ending in E that way. The graded lists hold headwords, so that a short
// list is not half plurals, and SCOWL's generated forms (NUMBEST, RESTFULLEST) stay out of them.
bool isInflection(const std::string& word, int wordSize, const std::map<std::string, int>& common)
{
    auto stem = [&](const std::string& s) {
        if (s.size() < static_cast<std::size_t>(dict::kMinWordLength))
            return false;
        const auto it = common.find(s);
        return it != common.end() && it->second <= wordSize;
    };
    auto endsWith = [&](std::string_view suffix) {
        return word.size() > suffix.size() && word.ends_with(suffix);
    };
    auto cut = [&](std::size_t n) { return word.substr(0, word.size() - n); };
    // The word before a suffix of -ED, -ING or -EST: JUMP-ED, HOP(E)-ED, STOP(P)-ED.
    auto base = [&](const std::string& s) {
        if (stem(s))
            return true;
        if (s.size() >= 4 && s[s.size() - 1] == s[s.size() - 2] && stem(s.substr(0, s.size() - 1)))
            return true;
        return !s.ends_with('E') && stem(s + "E");
    };

    if (endsWith("S") && stem(cut(1)))
        return true;
    if (endsWith("ES") && stem(cut(2)))
        return true;
    if ((endsWith("IES") || endsWith("IED")) && stem(cut(3) + "Y"))
        return true;
    if (endsWith("ED") && base(cut(2)))
        return true;
    if (endsWith("ING") && base(cut(3)))
        return true;
    if (endsWith("IEST"))
        return stem(cut(4) + "Y") && stem(cut(3) + "ER");
    if (endsWith("IER"))
        return stem(cut(3) + "Y") && stem(cut(2) + "EST");
    if (endsWith("EST"))
        return base(cut(3)) && stem(cut(2) + "R");
    return false;
}

// Common words that stay out of the children's graded lists (they remain in the dictionary): the
// SCOWL sizes these lists come from are drawn from adult text.
constexpr std::array<std::string_view, 82> kNotForChildren { "ABORTING", "ABORTION", "AMPHETAMINE",
    "AMPHETAMINES", "ASSASSINATE", "ASSASSINATED", "ASSASSINATES", "ASSASSINATING", "ASSASSINATION",
    "ASSASSINATIONS", "BARBITURATE", "BARBITURATES", "BASTARDS", "BLASPHEMIES", "BLASPHEMING",
    "BLASPHEMOUS", "CANNIBALISM", "CIRCUMCISED", "CIRCUMCISES", "CIRCUMCISING", "CIRCUMCISION",
    "CIRCUMCISIONS", "CONTRACEPTION", "CONTRACEPTIVE", "CONTRACEPTIVES", "CUMMING", "CUMS",
    "DAMNATION", "DISMEMBERED", "DISMEMBERING", "DRUNKENNESS", "EJACULATING", "EJACULATION",
    "EJACULATIONS", "EXECUTIONER", "EXECUTIONERS", "FORNICATION", "GENOCIDE", "HANGOVER", "HELL",
    "HERMAPHRODITE", "HETEROSEXUAL", "HETEROSEXUALS", "HOMOSEXUAL", "HOMOSEXUALITY", "HOMOSEXUALS",
    "INFIDELITIES", "INTERCOURSE", "INTOXICATED", "INTOXICATES", "INTOXICATING", "INTOXICATION",
    "MANSLAUGHTER", "MASTURBATION", "MENSTRUATED", "MENSTRUATES", "MENSTRUATING", "MENSTRUATION",
    "MISCARRIAGE", "MISCARRIAGES", "MURDERED", "MURDERER", "MURDERING", "MUTILATIONS",
    "NECROPHILIA", "OBSCENITIES", "PERVERSIONS", "PORNOGRAPHIC", "PORNOGRAPHY", "PROFANITIES",
    "PROMISCUITY", "PROMISCUOUS", "PROSTITUTE", "PROSTITUTED", "PROSTITUTES", "PROSTITUTING",
    "PROSTITUTION", "SEX", "SEXUALITY", "SEXUALLY", "SUICIDAL", "VULGARITIES" };
// Looked up by binary search.
static_assert(std::is_sorted(kNotForChildren.begin(), kNotForChildren.end()));

bool notForChildren(const std::string& word)
{
    return std::binary_search(kNotForChildren.begin(), kNotForChildren.end(), word);
}

// Up to `count` words spread evenly over the sorted candidates, so a grade samples the whole
// alphabet rather than its first letters.
std::vector<std::string> spreadPick(const std::vector<std::string>& sorted, std::size_t count)
{
    if (sorted.size() <= count)
        return sorted;
    std::vector<std::string> picked;
    picked.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        picked.push_back(sorted[i * sorted.size() / count]);
    return picked;
}

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--scowl")
            options.scowlDir = value;
        else if (key == "--countries")
            options.countriesFile = value;
        else if (key == "--offensive")
            options.offensiveFile = value;
        else if (key == "--output")
            options.output = value;
        else if (key == "--school-words")
            options.schoolDir = value;
        else if (key == "--left-out")
            options.leftOutFile = value;
        else if (key == "--max-size")
            options.maxSize = std::atoi(value.c_str());
        else
            return false;
    }
    return argc % 2 == 1 && !options.scowlDir.empty() && !options.countriesFile.empty()
        && !options.offensiveFile.empty() && !options.output.empty()
        && options.maxSize >= kScowlSizes.front() && options.maxSize <= kScowlSizes.back();
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "quorvel-mkdict: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const auto started = std::chrono::steady_clock::now();
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
            "usage: quorvel-mkdict --scowl DIR --countries FILE --offensive FILE --max-size N\n"
            "                      --output FILE [--school-words DIR] [--left-out FILE]\n"
            "  N is a SCOWL size from 10 to 95; the offensive words are a JSON array of strings\n"
            "  or one entry a line\n");
        return 2;
    }
    if (!fs::exists(fs::path(options.scowlDir) / "english-words.10"))
        return fail(options.scowlDir + " holds no SCOWL word lists (english-words.10 is missing)");

    std::string error;
    WordTable words;
    words.reserve(500000);
    const bool listsRead
        = readScowlSizes(
              options, "english", options.maxSize,
              [&](const std::string& w, int size) { noteSize(words[w].common, size); }, error)
        && readScowlSizes(
            options, "american", options.maxSize,
            [&](const std::string& w, int size) { noteSize(words[w].american, size); }, error)
        && readScowlSizes(
            options, "british", options.maxSize,
            [&](const std::string& w, int size) { noteSize(words[w].british, size); }, error);
    if (!listsRead)
        return fail(error);

    // British alternatives: SCOWL's British variant spellings (british_variant_1) and its
    // Oxford -ize spellings (british_z) that the main dictionary does not hold, less every
    // spelling SCOWL lists, at any size, as common to all varieties, as American, or as an
    // American variant (variant_1). What is left is spelt this way in British use only: GAOL,
    // FOETUS, CONNEXION, KILOGRAMME, COLOURIZE.
    std::set<std::string> britishAlternatives;
    std::set<std::string> sharedSpellings;
    auto into = [](std::set<std::string>& set) {
        return [&set](const std::string& w, int) { set.insert(w); };
    };
    const bool variantsRead = readScowlSizes(options, "british_variant_1", kVariantSizeLimit,
                                  into(britishAlternatives), error)
        && readScowlSizes(options, "british_z", kVariantSizeLimit, into(britishAlternatives), error)
        && readScowlSizes(options, "variant_1", kScowlSizes.back(), into(sharedSpellings), error)
        && readScowlSizes(options, "american", kScowlSizes.back(), into(sharedSpellings), error)
        && readScowlSizes(options, "english", kScowlSizes.back(), into(sharedSpellings), error);
    if (!variantsRead)
        return fail(error);

    std::set<std::string> countries;
    if (!readCountries(options, countries, error))
        return fail(error);

    // What no dictionary holds: the listed offensive words with their inflections, and the
    // entries that are no words to learn. Forms are judged against every SCOWL size, so that the
    // starter and the large dictionary leave out the same words.
    mkdict::ScowlSizes allSizes;
    std::vector<std::string> offensive;
    if (!mkdict::readSpellingSizes(options.scowlDir, allSizes, error)
        || !mkdict::readOffensiveWords(options.offensiveFile, offensive, error))
        return fail(error);
    const mkdict::LeftOut leftOut = mkdict::wordsToLeaveOut(offensive, allSizes);
    mkdict::LeftOut leftOutHere; // the words this dictionary's inputs offered
    auto leaveOut = [&](const std::string& w) {
        const auto it = leftOut.find(w);
        if (it == leftOut.end())
            return false;
        leftOutHere.insert(*it);
        return true;
    };
    std::erase_if(words, [&](const auto& entry) { return leaveOut(entry.first); });
    std::erase_if(countries, leaveOut);

    // The category of every word that does not go to the main dictionary. Countries come first:
    // CHINA, GUINEA, JAPAN, JERSEY, MOROCCO and PANAMA are ordinary words too, and a country list
    // without them would look broken, while the main dictionary hardly misses six words (they
    // are still found, spelt and checked: only drills of the main dictionary leave them out).
    std::map<std::string, int> category;
    for (const std::string& c : countries)
        category.emplace(c, kCountriesCategory);

    // The school lists, earliest year first, so that a word on two lists keeps the first place.
    // They take their words ahead of the picks from SCOWL below, which then fill each grade up to
    // its usual length; the months and days join the main dictionary.
    std::map<int, std::size_t> schoolPerSlot;
    std::set<std::string> tooShort;
    std::size_t monthsAndDays = 0;
    if (!options.schoolDir.empty()) {
        auto readList = [&](std::string_view file, std::vector<std::string>& list) {
            const std::string path = (fs::path(options.schoolDir) / file).string();
            if (!mkdict::readWordLines(path, list, error))
                return false;
            if (list.empty())
                error = path + " holds no words";
            return !list.empty();
        };
        // The offensive list holds for these words as for any; the rule for non-words does not,
        // since the schools teach MRS although it has no vowel letter.
        auto usable = [&](const std::string& w) {
            if (w.size() < static_cast<std::size_t>(dict::kMinWordLength)) {
                tooShort.insert(w);
                return false;
            }
            const auto it = leftOut.find(w);
            if (it == leftOut.end())
                return true;
            if (!it->second.empty())
                return !leaveOut(w);
            leftOutHere.erase(w); // taken out with SCOWL's non-words, and back
            return true;
        };
        for (const mkdict::SchoolList& list : mkdict::kSchoolLists) {
            std::vector<std::string> listWords;
            if (!readList(list.file, listWords))
                return fail(error);
            for (const std::string& w : listWords) {
                if (!usable(w))
                    continue;
                words.try_emplace(w); // a word SCOWL does not list in lower case, as CHRISTMAS
                if (category.emplace(w, list.slotOf(w)).second)
                    ++schoolPerSlot[list.slotOf(w)];
            }
        }
        std::vector<std::string> calendar;
        if (!readList(mkdict::kMonthsAndDaysFile, calendar))
            return fail(error);
        for (const std::string& w : calendar) {
            if (usable(w)) {
                words.try_emplace(w);
                ++monthsAndDays;
            }
        }
    }

    std::map<std::string, int> commonBySize;
    for (const auto& [w, sources] : words) {
        if (sources.common != 0)
            commonBySize.emplace(w, sources.common);
    }
    for (const Grade& grade : kGrades) {
        std::vector<std::string> candidates;
        for (const auto& [w, size] : commonBySize) {
            const int length = static_cast<int>(w.size());
            if (size <= grade.maxScowlSize && length >= grade.minLength && length <= grade.maxLength
                && !category.contains(w) && !notForChildren(w)
                && !isInflection(w, size, commonBySize))
                candidates.push_back(w);
        }
        const std::size_t taken = std::min(schoolPerSlot[grade.slot], kWordsPerGrade);
        for (const std::string& w : spreadPick(candidates, kWordsPerGrade - taken))
            category.emplace(w, grade.slot);
    }
    for (const std::string& w : britishAlternatives) {
        if (!sharedSpellings.contains(w) && !words.contains(w) && !leaveOut(w))
            category.emplace(w, kExtraUkCategory);
    }

    std::vector<DictionaryEntry> entries;
    entries.reserve(words.size() + category.size());
    std::size_t mainWords = 0;
    std::map<int, std::size_t> perLanguage;
    for (const auto& [w, sources] : words) {
        if (category.contains(w))
            continue;
        DictionaryEntry e;
        e.word = w;
        e.language = languageOf(sources);
        ++perLanguage[e.language];
        entries.push_back(std::move(e));
        ++mainWords;
    }
    std::map<int, std::size_t> perCategory;
    for (const auto& [w, slot] : category) {
        DictionaryEntry e;
        e.word = w;
        e.category = slot;
        if (slot == kExtraUkCategory)
            e.language = kLanguageUk;
        else if (const auto it = words.find(w); it != words.end())
            e.language = languageOf(it->second); // CENTRE, a school word, is British
        else
            e.language = kLanguageBoth;
        entries.push_back(std::move(e));
        ++perCategory[slot];
    }
    const std::size_t categoryWords = category.size();

    const std::vector<std::uint8_t> image = buildDictionaryImage(std::move(entries));
    const fs::path output(options.output);
    std::error_code ec;
    if (output.has_parent_path())
        fs::create_directories(output.parent_path(), ec);
    if (const ReplaceResult saved = replaceFile(options.output, image.data(), image.size()); !saved)
        return fail("cannot write " + options.output + " (file error "
            + std::to_string(saved.fileError) + ": " + std::strerror(saved.systemError) + ")");

    // Read back what was written and check every chain; a file that fails the check, or holds
    // other counts than were put in, must not be installed, so it is removed and the build fails.
    auto rejected = [&](const std::string& why) {
        fs::remove(output, ec);
        return fail(options.output + ": " + why);
    };
    {
        int fileError = 0;
        DictionaryHandle file = openDictionaryFile(options.output, true, &fileError);
        if (!file)
            return rejected(
                "cannot be opened again (file error " + std::to_string(fileError) + ")");
        const DictionaryCheckReport report = checkDictionary(*file);
        file->close();
        if (!report.ok) {
            std::string problems;
            for (const std::string& p : report.problems)
                problems += "\n  " + p;
            return rejected("fails the dictionary check:" + problems);
        }
        if (report.mainWords != mainWords || report.categoryWords != categoryWords
            || report.freeRecords != 0 || report.fileKind != 0)
            return rejected("holds " + std::to_string(report.mainWords) + " main and "
                + std::to_string(report.categoryWords) + " category words, made "
                + std::to_string(mainWords) + " and " + std::to_string(categoryWords));
    }

    if (!options.leftOutFile.empty()) {
        std::string text;
        for (const auto& [w, listWord] : leftOutHere)
            text += w + "\t" + (listWord.empty() ? "not a word" : "form of " + listWord) + "\n";
        if (const ReplaceResult saved = replaceFile(options.leftOutFile, text.data(), text.size());
            !saved)
            return fail("cannot write " + options.leftOutFile + " (file error "
                + std::to_string(saved.fileError) + ": " + std::strerror(saved.systemError) + ")");
    }
    const auto nonWords = static_cast<std::size_t>(std::count_if(leftOutHere.begin(),
        leftOutHere.end(), [](const auto& entry) { return entry.second.empty(); }));

    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::string figures;
    for (const auto& [slot, count] : perCategory) {
        figures += figures.empty() ? "" : ", ";
        figures += std::to_string(slot) + " " + strings::defaultCategoryName(slot) + ": "
            + std::to_string(count);
    }
    std::printf("quorvel-mkdict: %s (SCOWL to size %d): %zu words in main (%zu both, %zu UK only, "
                "%zu USA only), %zu in categories (%s); left out %zu offensive words and %zu "
                "non-words; %zu bytes, %.2f s\n",
        options.output.c_str(), options.maxSize, mainWords, perLanguage[kLanguageBoth],
        perLanguage[kLanguageUk], perLanguage[kLanguageUsa], categoryWords, figures.c_str(),
        leftOutHere.size() - nonWords, nonWords, image.size(), seconds);
    if (!options.schoolDir.empty()) {
        std::size_t placed = 0;
        for (const auto& [slot, count] : schoolPerSlot)
            placed += count;
        std::string shortList;
        for (const std::string& w : tooShort)
            shortList += (shortList.empty() ? "" : " ") + w;
        std::printf("quorvel-mkdict: %zu school words in the graded categories, %zu months and "
                    "days; too short for a dictionary: %s\n",
            placed, monthsAndDays, shortList.c_str());
    }
    return 0;
}
