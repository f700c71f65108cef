// The dictionary maker and the starter dictionary it made for this build. The maker's rules are
// checked on a handful of hand-written SCOWL lists, where every word's fate is known, and the
// rules for the words it leaves out on small tables of SCOWL sizes; the real starter file is
// checked for the spellings whose dialect nobody disputes, for categories that hold what their
// names promise, against the offensive-word list the build read, and against the spelling lists
// of English primary schools (data/school_words/, the same files the build read). The build has
// already run the full dictionary check.

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_walk.h"
#include "strings/strings.h"
#include "support/temp_folder.h"
#include "word_filter.h"

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr int kCountries = 9;
constexpr int kFirstGrade = 21;
constexpr int kLastGrade = 30;
constexpr int kExtraUk = 32;

struct Placement
{
    const char* word;
    FindResult found;
    int language;
    int category;
};

// Runs the maker; its exit code, or -1 when it did not finish normally.
int makeDictionary(const std::string& scowl, const std::string& countries,
    const std::string& offensive, int maxSize, const std::string& output,
    const QStringList& more = {})
{
    QProcess p;
    p.start(QStringLiteral(QUORVEL_MKDICT),
        QStringList { "--scowl", QString::fromStdString(scowl), "--countries",
            QString::fromStdString(countries), "--offensive", QString::fromStdString(offensive),
            "--max-size", QString::number(maxSize), "--output", QString::fromStdString(output) }
            + more);
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void expectPlacements(File& file, const std::vector<Placement>& cases)
{
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.word);
        CurrentWordInfo info;
        ASSERT_EQ(FindWord(file, c.word, info), c.found);
        if (c.found == FindResult::NotFound)
            continue;
        EXPECT_EQ(info.language(), c.language);
        EXPECT_EQ(info.category(), c.category);
    }
}

// True when the word is in the main dictionary or a category.
bool holds(File& file, const std::string& word)
{
    CurrentWordInfo info;
    return isFound(FindWord(file, word, info));
}

std::vector<std::string> wordsOfCategory(File& file, int category)
{
    ListCriteria criteria;
    criteria.category = static_cast<std::uint16_t>(category);
    criteria.filterMode = 2; // category only
    const WalkLap lap = walkOneLap(file, criteria, Table::Category, "", 0);
    EXPECT_FALSE(lap.failed);
    return lap.words;
}

// Small SCOWL lists, each line there to catch one way of getting a word's place wrong.
class DictionaryMaker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_scowl = m_folder.file("scowl");
        std::filesystem::create_directories(m_scowl);
        // cat and dog: common 3-letter words of the smallest size, the 5-year-old grade.
        // cats: a plural of a listed word, kept out of the grades. hell: a word the children's
        // lists leave out. chad: also a country. don't, NASA, café, ab and the 38-letter word
        // cannot be dictionary words at all.
        writeText(m_scowl + "/english-words.10",
            "cat\ncats\ndog\nhell\nchad\ndon't\nNASA\ncaf\xc3\xa9\nab\n"
            "abcdefghijklmnopqrstuvwxyzabcdefghijkl\n");
        // among is in the American and the British list but not the common one: both dialects.
        writeText(m_scowl + "/american-words.10", "color\namong\n");
        writeText(m_scowl + "/british-words.10", "colour\namong\n");
        // zebra lies beyond the starter's size and belongs only to a larger dictionary.
        writeText(m_scowl + "/english-words.70", "zebra\n");
        // gaol is a British variant only; catsup is listed as an American variant too, and
        // colour is already an ordinary British word: neither is an extra UK alternative.
        writeText(m_scowl + "/british_variant_1-words.35", "gaol\ncatsup\ncolour\n");
        writeText(m_scowl + "/variant_1-words.35", "catsup\n");
        m_countries = m_folder.file("countries.json");
        writeText(m_countries,
            R"({"3166-1": [
                {"alpha_2": "FR", "name": "France"},
                {"alpha_2": "BO", "name": "Bolivia, Plurinational State of", "common_name": "Bolivia"},
                {"alpha_2": "TR", "name": "T\u00fcrkiye"},
                {"alpha_2": "GB", "name": "United Kingdom"},
                {"alpha_2": "TD", "name": "Chad"}
            ]})");
        // Offensive words as the naughty-words package lists them: phrases and signs can never
        // be dictionary words.
        m_offensive = m_folder.file("offensive.json");
        writeText(m_offensive, R"(["2 girls 1 cup", "Fuck", "g-spot", "butt", "s&m"])");
    }

    TempFolder m_folder;
    std::string m_scowl;
    std::string m_countries;
    std::string m_offensive;
};

TEST_F(DictionaryMaker, PutsEachWordWhereItsListsSay)
{
    const std::string output = m_folder.file("out/progdata/sonddict.dis");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, m_offensive, 60, output), 0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok);

    using enum FindResult;
    expectPlacements(*file,
        {
            { "CAT", InCategory, 3, kFirstGrade },
            { "DOG", InCategory, 3, kFirstGrade },
            { "CATS", InMain, 3, 0 },
            { "HELL", InMain, 3, 0 },
            { "COLOR", InMain, 2, 0 },
            { "COLOUR", InMain, 1, 0 },
            { "AMONG", InMain, 3, 0 },
            { "CHAD", InCategory, 3, kCountries },
            { "FRANCE", InCategory, 3, kCountries },
            { "BOLIVIA", InCategory, 3, kCountries },
            { "GAOL", InCategory, 1, kExtraUk },
            { "CATSUP", NotFound, 0, 0 },
            { "ZEBRA", NotFound, 0, 0 },
            { "DONT", NotFound, 0, 0 },
            { "NASA", NotFound, 0, 0 },
        });
    // Nothing else slipped in: no Türkiye cut down to letters, no piece of a longer name.
    EXPECT_EQ(report.mainWords, 5u);
    EXPECT_EQ(report.categoryWords, 6u);
}

// The school lists go to the graded category of their year, the earliest year winning; the months
// and days, which SCOWL writes with a capital, join the main dictionary.
TEST_F(DictionaryMaker, PutsSchoolWordsInTheCategoryOfTheirYear)
{
    writeText(m_scowl + "/british-words.20", "centre\n");
    // mrs has no vowel letter, which makes it a non-word by the rules for SCOWL's entries.
    writeText(m_scowl + "/english-words.20", "busy\nheart\nrhythm\nmonday\nmrs\n");
    const std::string school = m_folder.file("school");
    std::filesystem::create_directories(school);
    writeText(school + "/year1.txt", "# Year 1\nthe\nI\n\ncat\nschool\nbutt\n");
    writeText(school + "/year2.txt", "busy\nChristmas\nMr\nMrs \r\n");
    writeText(school + "/years3-4.txt", "busy\nbusiness\ncentre\nheart\nFebruary\n");
    writeText(school + "/years5-6.txt", "rhythm\naccommodate\nbusiness\n");
    writeText(school + "/months_days.txt", "February\nMonday\nWednesday\n");
    const std::string output = m_folder.file("school.dis");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, m_offensive, 60, output,
                  { "--school-words", QString::fromStdString(school) }),
        0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);
    EXPECT_TRUE(checkDictionary(*file).ok);

    using enum FindResult;
    expectPlacements(*file,
        {
            { "THE", InCategory, 3, 21 },
            { "CAT", InCategory, 3, 21 },
            { "SCHOOL", InCategory, 3, 21 },
            { "DOG", InCategory, 3, 21 }, // still picked from SCOWL beside the school words
            { "BUTT", NotFound, 0, 0 }, // the offensive list holds for school words too
            { "BUSY", InCategory, 3, 22 }, // Year 2 before Years 3 and 4
            { "CHRISTMAS", InCategory, 3, 22 },
            { "MRS", InCategory, 3, 22 },
            { "HEART", InCategory, 3, 24 },
            { "CENTRE", InCategory, 1, 24 }, // a British spelling stays British
            { "BUSINESS", InCategory, 3, 25 }, // eight letters: the older of the two years
            { "FEBRUARY", InCategory, 3, 25 },
            { "RHYTHM", InCategory, 3, 26 },
            { "ACCOMMODATE", InCategory, 3, 27 },
            { "MONDAY", InMain, 3, 0 },
            { "WEDNESDAY", InMain, 3, 0 },
        });

    // A slip in a list fails the build rather than dropping a word, and so does a missing list.
    const std::string broken = m_folder.file("broken.dis");
    writeText(school + "/years5-6.txt", "rhythm\ndon't\n");
    EXPECT_NE(makeDictionary(m_scowl, m_countries, m_offensive, 60, broken,
                  { "--school-words", QString::fromStdString(school) }),
        0);
    std::filesystem::remove(school + "/years5-6.txt");
    EXPECT_NE(makeDictionary(m_scowl, m_countries, m_offensive, 60, broken,
                  { "--school-words", QString::fromStdString(school) }),
        0);
    EXPECT_FALSE(fileExists(broken));
}

TEST_F(DictionaryMaker, TakesLargerSizesOnlyWhenAsked)
{
    const std::string output = m_folder.file("large.dis");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, m_offensive, 95, output), 0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);
    expectPlacements(*file, { { "ZEBRA", FindResult::InMain, 3, 0 } });
}

TEST_F(DictionaryMaker, LeavesOutListedWordsTheirFormsAndNonWords)
{
    // At sizes the other tests leave empty, so that their counts stay as they are. BUTTER is
    // commoner than BUTT, so it is no form of it.
    writeText(m_scowl + "/english-words.20", "butter\n");
    writeText(m_scowl + "/english-words.35",
        "fuck\nfucks\nfucked\nfucking\nfucker\nbutt\nbutts\nbutted\nbutton\nbuttress\n"
        "hmm\nmkay\nugh\nhello\nrhythm\n");
    const std::string output = m_folder.file("clean.dis");
    const std::string leftOut = m_folder.file("left-out.txt");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, m_offensive, 60, output,
                  { "--left-out", QString::fromStdString(leftOut) }),
        0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);

    using enum FindResult;
    expectPlacements(*file,
        {
            { "FUCK", NotFound, 0, 0 },
            { "FUCKS", NotFound, 0, 0 },
            { "FUCKED", NotFound, 0, 0 },
            { "FUCKING", NotFound, 0, 0 },
            { "FUCKER", NotFound, 0, 0 },
            { "BUTT", NotFound, 0, 0 },
            { "BUTTS", NotFound, 0, 0 },
            { "BUTTED", NotFound, 0, 0 },
            { "HMM", NotFound, 0, 0 },
            { "MKAY", NotFound, 0, 0 },
            { "UGH", NotFound, 0, 0 },
            { "BUTTER", InMain, 3, 0 },
            { "BUTTON", InMain, 3, 0 },
            { "BUTTRESS", InMain, 3, 0 },
            { "HELLO", InMain, 3, 0 },
            { "RHYTHM", InMain, 3, 0 },
            { "CAT", InCategory, 3, kFirstGrade },
        });
    EXPECT_EQ(readText(leftOut),
        "BUTT\tform of BUTT\nBUTTED\tform of BUTT\nBUTTS\tform of BUTT\nFUCK\tform of FUCK\n"
        "FUCKED\tform of FUCK\nFUCKER\tform of FUCK\nFUCKING\tform of FUCK\n"
        "FUCKS\tform of FUCK\nHMM\tnot a word\nMKAY\tnot a word\nUGH\tnot a word\n");
}

TEST_F(DictionaryMaker, FailsWithoutItsInputsAndWritesNothing)
{
    const std::string output = m_folder.file("none.dis");
    EXPECT_NE(makeDictionary(m_folder.file("no-scowl"), m_countries, m_offensive, 60, output), 0);
    EXPECT_NE(
        makeDictionary(m_scowl, m_folder.file("no-countries.json"), m_offensive, 60, output), 0);
    writeText(m_folder.file("broken.json"), "{\"3166-1\": [");
    EXPECT_NE(makeDictionary(m_scowl, m_folder.file("broken.json"), m_offensive, 60, output), 0);
    // The offensive words: missing, unreadable as JSON, or with no word a dictionary could hold.
    EXPECT_NE(makeDictionary(m_scowl, m_countries, m_folder.file("none.json"), 60, output), 0);
    writeText(m_folder.file("broken-list.json"), R"(["fuck", )");
    EXPECT_NE(
        makeDictionary(m_scowl, m_countries, m_folder.file("broken-list.json"), 60, output), 0);
    writeText(m_folder.file("phrases.json"), R"(["2 girls 1 cup", "g-spot"])");
    EXPECT_NE(makeDictionary(m_scowl, m_countries, m_folder.file("phrases.json"), 60, output), 0);
    EXPECT_FALSE(fileExists(output));
    // And the list is not optional.
    QProcess p;
    p.start(QStringLiteral(QUORVEL_MKDICT),
        { "--scowl", QString::fromStdString(m_scowl), "--countries",
            QString::fromStdString(m_countries), "--max-size", "60", "--output",
            QString::fromStdString(output) });
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_FALSE(fileExists(output));
}

// SCOWL sizes for the word-form rules: each list word among real words that start or end like
// it, at the sizes SCOWL gives them. One family a line, as word and size.
const mkdict::ScowlSizes& formSizes()
{
    static const mkdict::ScowlSizes sizes = [] {
        const std::vector<std::string> families {
            "ASS 20 ASSES 35 ASSESS 20 ASSET 10 CLASS 10 BASS 20 PASSAGE 20",
            "BUTT 35 BUTTS 35 BUTTED 35 BUTTING 35 BUTTER 20 BUTTERS 35 BUTTE 35 BUTTES 35 BUTTON "
            "10 BUTTY 55",
            "CUMS 10 CUMMING 10 CUMIN 50 CUMMIN 80 CUMMER 80 CUMULATIVE 20 CUCUMBER 35",
            "TIT 35 TITS 35 TITTED 80 TITTER 35 TITTERS 35 TITLE 10 TITAN 35",
            "SCAT 50 SCATS 50 SCATTED 50 SCATTER 20 SCATTY 55",
            "SPIC 55 SPICS 55 SPICE 35 SPICES 35 SPICED 35 SPICY 35 SPICER 70",
            "FUCK 40 FUCKS 40 FUCKED 40 FUCKING 40 FUCKER 40 FUCKERS 40",
            "SHIT 40 SHITS 40 SHITTED 55 SHITTING 40 SHITTY 40 SHITTIER 40 SHITTIEST 40 SHIITAKE "
            "50",
            "NUDE 35 NUDES 35 NUDER 35 NUDEST 35 NUDGE 35 NUDIST 50",
            "RAPE 20 RAPES 35 RAPED 35 RAPING 35 GRAPE 35 GRAPES 35 DRAPE 35 RAPT 35 RAPESEED 60 "
            "THERAPIST 35",
            "COCK 35 COCKS 35 COCKED 35 COCKY 35 COCKIER 35 COCKIEST 35 COCKTAIL 35 COCKPIT 35 "
            "PEACOCK 35",
            "HORN 10 HORNS 10 HORNY 35 HORNIER 35 HORNIEST 35",
            "SODOMIZE 55 SODOMIZED 55 SODOMISE 55 SODOMISED 55",
            "SEX 10 SEXES 20 SEXY 20 SEXIER 40 SEXIEST 40 SEXTON 50 SEXTANT 50 SEXIST 35",
            "DICK 40 DICKS 40 DICKED 80 DICKER 50 DICKENS 55",
            "ANAL 35 ANALLY 55 ANALYSIS 10 ANALOG 35 CANAL 10",
            "HOES 35 HOE 35",
        };
        mkdict::ScowlSizes table;
        for (const std::string& family : families) {
            std::istringstream in(family);
            std::string word;
            int size = 0;
            while (in >> word >> size)
                table.emplace(word, size);
        }
        return table;
    }();
    return sizes;
}

TEST(OffensiveWordForms, FollowEnglishEndingsAndLeaveLookAlikes)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases {
        // Never a word that merely starts with the list word: ASSESS, BASS, CLASS, PASSAGE.
        { "ASS", { "ASS", "ASSES" } },
        // BUTTES is BUTTE + S (-ES follows only S, X, Z, CH, SH, O); BUTTER is commoner than BUTT.
        { "BUTT", { "BUTT", "BUTTED", "BUTTING", "BUTTS" } },
        // Not a SCOWL word: its inflections go, derivations such as CUMMER do not; -IN is no
        // ending, so CUMIN stays.
        { "CUM", { "CUM", "CUMMING", "CUMS" } },
        // TITTED is rarer than TITTER, so TITTER is no agent noun of TIT.
        { "TIT", { "TIT", "TITS", "TITTED" } },
        // SCATTER is commoner than SCAT; SCATTY is a named look-alike.
        { "SCAT", { "SCAT", "SCATS", "SCATTED" } },
        // SPICED, SPICY are commoner than SPIC; SPICES is SPICE + S; SPICER has no verb beside it.
        { "SPIC", { "SPIC", "SPICS" } },
        { "FUCK", { "FUCK", "FUCKED", "FUCKER", "FUCKERS", "FUCKING", "FUCKS" } },
        // The doubled consonant and the adjective in -Y with its own degrees.
        { "SHIT", { "SHIT", "SHITS", "SHITTED", "SHITTIER", "SHITTIEST", "SHITTING", "SHITTY" } },
        // A final E dropped before -ING; comparatives only as a pair.
        { "NUDE", { "NUDE", "NUDER", "NUDES", "NUDEST" } },
        { "RAPE", { "RAPE", "RAPED", "RAPES", "RAPING" } },
        // COCKY is a named look-alike, and its degrees go with it.
        { "COCK", { "COCK", "COCKED", "COCKS" } },
        // Y to I.
        { "HORNY", { "HORNIER", "HORNIEST", "HORNY" } },
        // The British -ISE spelling of a listed -IZE word.
        { "SODOMIZE", { "SODOMISE", "SODOMISED", "SODOMIZE", "SODOMIZED" } },
        { "SEX", { "SEX", "SEXES", "SEXIER", "SEXIEST", "SEXY" } },
        // DICKED is a form (rarer than DICK), but rarer than DICKER too, so DICKER stays.
        { "DICK", { "DICK", "DICKED", "DICKS" } },
        { "ANAL", { "ANAL", "ANALLY" } },
        // Shorter than a dictionary word: only itself, so HOES stays.
        { "HO", { "HO" } },
    };
    for (const auto& [listWord, expected] : cases) {
        SCOPED_TRACE(listWord);
        EXPECT_EQ(mkdict::formsOf(listWord, formSizes()), expected);
    }
}

TEST(NonWords, AreNoisesAndSpokenSpellingsNotInterjectionsWithASettledSpelling)
{
    for (const char* word : { "HMM", "SHH", "PSST", "BRR", "NTH", "PWN", "ZZZ", "MKAY", "GONNA",
             "WANNA", "YEP", "NAH", "UGH", "MEH", "OOH", "HEH" })
        EXPECT_TRUE(mkdict::isNonWord(word)) << word;
    // Y counts as a vowel; interjections that school spelling lists teach stay.
    for (const char* word :
        { "RHYTHM", "GYM", "SKY", "CRYPT", "HELLO", "OUCH", "OOPS", "WOW", "HOORAY", "ALAS" })
        EXPECT_FALSE(mkdict::isNonWord(word)) << word;
}

TEST(OffensiveWordList, IsReadAsJsonOrTextKeepingSingleWords)
{
    TempFolder folder;
    std::vector<std::string> words;
    std::string error;

    const std::string json = folder.file("list.json");
    writeText(json,
        "\n [\"Fuck\", \"2 girls 1 cup\", \"g-spot\", \"  butt \", \"fuck\", "
        "\"\u00fcber\", \"\U0001F595\"]");
    ASSERT_TRUE(mkdict::readOffensiveWords(json, words, error)) << error;
    EXPECT_EQ(words, (std::vector<std::string> { "BUTT", "FUCK" }));

    const std::string text = folder.file("list.txt");
    writeText(text, "shit\r\nblow job\n\nWANK\n");
    ASSERT_TRUE(mkdict::readOffensiveWords(text, words, error)) << error;
    EXPECT_EQ(words, (std::vector<std::string> { "SHIT", "WANK" }));

    for (const auto& [name, content] : std::vector<std::pair<std::string, std::string>> {
             { "broken.json", "[\"fuck\"," },
             { "numbers.json", "[\"fuck\", 3]" },
             { "empty.json", "[]" },
             { "phrases.txt", "blow job\ng-spot\n" },
         }) {
        SCOPED_TRACE(name);
        writeText(folder.file(name), content);
        error.clear();
        EXPECT_FALSE(mkdict::readOffensiveWords(folder.file(name), words, error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(mkdict::readOffensiveWords(folder.file("missing.json"), words, error));
}

// A word list of data/school_words/, read here by the test's own simple rule: every line that is
// not blank or a # comment is a word.
std::vector<std::string> schoolList(const std::string& name)
{
    std::ifstream in(std::string(QUORVEL_SCHOOL_WORDS_DIR) + "/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::transform(line.begin(), line.end(), line.begin(),
            [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        words.push_back(line);
    }
    return words;
}

// The school year of each list and the graded category its words belong in: Year 1 to "5 year
// old", Year 2 to "6 year old", the lists of two years split by length between the two ages.
struct SchoolYear
{
    const char* file;
    std::size_t entries; // the lists as published, each form of an entry such as woman/women
    int shortCategory;
    int longCategory;
    std::size_t longFrom;
};
constexpr SchoolYear kSchoolYears[] = {
    { "year1.txt", 45, 21, 21, 0 }, { "year2.txt", 64, 22, 22, 0 },
    { "years3-4.txt", 109, 24, 25, 8 }, // "7 year old - harder", "8 year old"
    { "years5-6.txt", 104, 26, 27, 9 }, // "9 year old", "10 year old"
};

// Every school word the schools list: the set of all of them, for the graded-list test.
std::set<std::string> allSchoolWords()
{
    std::set<std::string> all;
    for (const SchoolYear& year : kSchoolYears) {
        for (const std::string& w : schoolList(year.file))
            all.insert(w);
    }
    return all;
}

class StarterDictionary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_file = openDictionaryFile(QUORVEL_STARTER_DICTIONARY_FILE, false);
        ASSERT_TRUE(m_file) << QUORVEL_STARTER_DICTIONARY_FILE;
    }

    DictionaryHandle m_file;
};

TEST_F(StarterDictionary, SpellingsCarryTheirDialect)
{
    using enum FindResult;
    expectPlacements(*m_file,
        {
            { "HOUSE", InCategory, 3, kFirstGrade }, // a Year 1 school word
            { "CENTRE", InCategory, 1, 24 }, // and a British one of Years 3 and 4
            { "COLOUR", InMain, 1, 0 },
            { "COLOR", InMain, 2, 0 },
            { "ORGANISE", InMain, 1, 0 },
            { "ORGANIZE", InMain, 2, 0 },
            { "THEATRE", InMain, 1, 0 },
            { "THEATER", InMain, 2, 0 },
            { "FRANCE", InCategory, 3, kCountries },
            { "GAOL", InCategory, 1, kExtraUk },
        });
}

TEST_F(StarterDictionary, OnlyTheFilledCategoriesHoldWords)
{
    const std::set<std::string> schoolWords = allSchoolWords();
    std::size_t total = 0;
    int previousLongest = 0;
    for (int slot = 1; slot < 64; ++slot) {
        SCOPED_TRACE(slot);
        const std::vector<std::string> words = wordsOfCategory(*m_file, slot);
        total += words.size();
        const bool graded = slot >= kFirstGrade && slot <= kLastGrade;
        if (!graded && slot != kCountries && slot != kExtraUk) {
            EXPECT_TRUE(words.empty()) << strings::defaultCategoryName(slot);
            continue;
        }
        ASSERT_FALSE(words.empty());
        EXPECT_NE(strings::defaultCategoryName(slot), "Free");
        if (!graded)
            continue;
        // Short lists whose words picked from SCOWL are each longer than the grade before it;
        // the school words of the age come in all lengths.
        EXPECT_LE(words.size(), 150u);
        std::vector<std::string> picked;
        std::copy_if(words.begin(), words.end(), std::back_inserter(picked),
            [&](const std::string& w) { return !schoolWords.contains(w); });
        if (picked.empty())
            continue;
        const auto [shortest, longest] = std::minmax_element(picked.begin(), picked.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        EXPECT_GT(static_cast<int>(shortest->size()), previousLongest);
        previousLongest = static_cast<int>(longest->size());
    }
    EXPECT_EQ(total, checkDictionary(*m_file).categoryWords);
}

// The starter dictionary's SCOWL sizes run to 60.
constexpr int kStarterMaxSize = 60;

bool inStarterScowl(const mkdict::ScowlSizes& sizes, const std::string& word)
{
    const auto it = sizes.find(word);
    return it != sizes.end() && it->second <= kStarterMaxSize;
}

TEST_F(StarterDictionary, HoldsNoListedOffensiveWordNorItsForms)
{
    std::vector<std::string> offensive;
    std::string error;
    ASSERT_TRUE(mkdict::readOffensiveWords(QUORVEL_OFFENSIVE_WORDS_FILE, offensive, error))
        << error;
    mkdict::ScowlSizes sizes;
    ASSERT_TRUE(mkdict::readSpellingSizes(QUORVEL_SCOWL_DIR, sizes, error)) << error;

    // Every list word and every form the rules find, of which many were SCOWL words the
    // dictionary would otherwise hold.
    std::size_t candidates = 0;
    for (const auto& [word, listWord] : mkdict::wordsToLeaveOut(offensive, sizes)) {
        if (listWord.empty())
            continue;
        EXPECT_FALSE(holds(*m_file, word)) << word;
        candidates += inStarterScowl(sizes, word) ? 1 : 0;
    }
    EXPECT_GT(candidates, 250u);

    // Words of the starter's SCOWL sizes, chosen by hand, for the rules' own mistakes.
    for (const std::string word : { "FUCK", "FUCKING", "FUCKER", "MOTHERFUCKER", "PUBES", "SHIT",
             "SHITTY", "SHITTIER", "BITCHES", "BITCHY", "ASSES", "RAPED", "RAPING", "SEXY",
             "SEXIEST", "NUDEST", "SLUTTY", "WANKER", "CUMS", "CUMMING", "SODOMIZE", "SODOMISE",
             "ORGIES", "PUSSIES", "BULLSHITTING", "MASTURBATING", "NIGGERS" }) {
        EXPECT_TRUE(inStarterScowl(sizes, word)) << word;
        EXPECT_FALSE(holds(*m_file, word)) << word;
    }
}

TEST_F(StarterDictionary, KeepsWordsThatOnlyLookLikeListedOnes)
{
    for (const char* word : { "ASSESS", "CLASS", "CLASSIC", "BASS", "PASSAGE", "ASSASSIN",
             "COCKTAIL", "COCKPIT", "PEACOCK", "COCKY", "CUCUMBER", "CUMULATIVE", "CUMIN", "BUTTER",
             "BUTTON", "BUTTES", "SCATTER", "SPICE", "SPICY", "SPICED", "TITTER", "TITLE",
             "THERAPIST", "ANALYSIS", "ANALYST", "GRAPES", "DICKENS", "SEXTON", "SEXTANT", "MONGER",
             "TWINKLE", "SUCKLE", "SHIITAKE", "RACCOON", "COCOON" }) {
        EXPECT_TRUE(holds(*m_file, word)) << word;
    }
}

TEST_F(StarterDictionary, HoldsNoSpeechNoisesOrSpokenSpellings)
{
    std::string error;
    mkdict::ScowlSizes sizes;
    ASSERT_TRUE(mkdict::readSpellingSizes(QUORVEL_SCOWL_DIR, sizes, error)) << error;
    for (const std::string word : { "MKAY", "HMM", "SHH", "PSST", "BRR", "NTH", "UGH", "MEH", "DUH",
             "OOH", "GONNA", "WANNA", "GIMME", "DUNNO", "YEP", "YUP", "NAH" }) {
        EXPECT_TRUE(inStarterScowl(sizes, word)) << word;
        EXPECT_FALSE(holds(*m_file, word)) << word;
    }
    for (const char* word : { "HELLO", "OUCH", "OOPS", "WOW", "HOORAY", "RHYTHM", "GYM" }) {
        EXPECT_TRUE(holds(*m_file, word)) << word;
    }
}

// Every word of the spelling lists English primary schools teach, in the graded category of the
// earliest school year that lists it; the words shorter than any dictionary word (A, I, MR) are
// the only ones missing. The months and days of the week are all there.
TEST_F(StarterDictionary, HoldsEverySchoolWordInTheCategoryOfItsYear)
{
    std::set<std::string> seen;
    for (const SchoolYear& year : kSchoolYears) {
        SCOPED_TRACE(year.file);
        const std::vector<std::string> list = schoolList(year.file);
        EXPECT_EQ(list.size(), year.entries);
        EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), list.size())
            << "a word twice in one list";
        for (const std::string& word : list) {
            SCOPED_TRACE(word);
            CurrentWordInfo info;
            const FindResult found = FindWord(*m_file, word, info);
            if (word.size() < 3) {
                EXPECT_FALSE(isFound(found));
                continue;
            }
            ASSERT_EQ(found, FindResult::InCategory);
            if (!seen.insert(word).second)
                continue; // an earlier year placed it
            EXPECT_EQ(info.category(),
                word.size() >= year.longFrom ? year.longCategory : year.shortCategory);
        }
    }
    // The lists as they spell their hardest words.
    for (const char* word : { "ACCOMMODATE", "EMBARRASS", "HARASS", "NECESSARY", "FEBRUARY",
             "COMMITTEE", "OCCASIONALLY", "SEPARATE", "TWELFTH", "RHYTHM" }) {
        EXPECT_TRUE(seen.contains(word)) << word;
    }

    const std::vector<std::string> calendar = schoolList("months_days.txt");
    EXPECT_EQ(calendar.size(), 19u);
    for (const std::string& word : calendar) {
        EXPECT_TRUE(holds(*m_file, word)) << word;
    }
    for (const char* word : { "JANUARY", "FEBRUARY", "WEDNESDAY", "SATURDAY", "DECEMBER" }) {
        EXPECT_NE(std::find(calendar.begin(), calendar.end(), word), calendar.end()) << word;
    }
}

} // namespace
