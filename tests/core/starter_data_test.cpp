// The dictionary maker and the starter dictionary it made for this build. The maker's rules are
// checked on a handful of hand-written SCOWL lists, where every word's fate is known; the real
// starter file is checked for the spellings whose dialect nobody disputes and for categories
// that hold what their names promise. The build has already run the full dictionary check.

#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_walk.h"
#include "strings/strings.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

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
    int found; // FindWord's result
    int language;
    int category;
};

// Runs the maker; its exit code, or -1 when it did not finish normally.
int makeDictionary(
    const std::string& scowl, const std::string& countries, int maxSize, const std::string& output)
{
    QProcess p;
    p.start(QStringLiteral(QUORVEL_MKDICT),
        { "--scowl", QString::fromStdString(scowl), "--countries",
            QString::fromStdString(countries), "--max-size", QString::number(maxSize), "--output",
            QString::fromStdString(output) });
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
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
        if (c.found == DictResult::kNotFound)
            continue;
        EXPECT_EQ(info.language(), c.language);
        EXPECT_EQ(info.category(), c.category);
    }
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
    }

    TempFolder m_folder;
    std::string m_scowl;
    std::string m_countries;
};

TEST_F(DictionaryMaker, PutsEachWordWhereItsListsSay)
{
    const std::string output = m_folder.file("out/progdata/sonddict.dis");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, 60, output), 0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);
    const DictionaryCheckReport report = checkDictionary(*file);
    EXPECT_TRUE(report.ok);

    using namespace DictResult;
    expectPlacements(*file,
        {
            { "CAT", kFoundInCategory, 3, kFirstGrade },
            { "DOG", kFoundInCategory, 3, kFirstGrade },
            { "CATS", kDone, 3, 0 },
            { "HELL", kDone, 3, 0 },
            { "COLOR", kDone, 2, 0 },
            { "COLOUR", kDone, 1, 0 },
            { "AMONG", kDone, 3, 0 },
            { "CHAD", kFoundInCategory, 3, kCountries },
            { "FRANCE", kFoundInCategory, 3, kCountries },
            { "BOLIVIA", kFoundInCategory, 3, kCountries },
            { "GAOL", kFoundInCategory, 1, kExtraUk },
            { "CATSUP", kNotFound, 0, 0 },
            { "ZEBRA", kNotFound, 0, 0 },
            { "DONT", kNotFound, 0, 0 },
            { "NASA", kNotFound, 0, 0 },
        });
    // Nothing else slipped in: no Türkiye cut down to letters, no piece of a longer name.
    EXPECT_EQ(report.mainWords, 5u);
    EXPECT_EQ(report.categoryWords, 6u);
}

TEST_F(DictionaryMaker, TakesLargerSizesOnlyWhenAsked)
{
    const std::string output = m_folder.file("large.dis");
    ASSERT_EQ(makeDictionary(m_scowl, m_countries, 95, output), 0);
    auto file = openDictionaryFile(output, false);
    ASSERT_TRUE(file);
    expectPlacements(*file, { { "ZEBRA", DictResult::kDone, 3, 0 } });
}

TEST_F(DictionaryMaker, FailsWithoutItsInputsAndWritesNothing)
{
    const std::string output = m_folder.file("none.dis");
    EXPECT_NE(makeDictionary(m_folder.file("no-scowl"), m_countries, 60, output), 0);
    EXPECT_NE(makeDictionary(m_scowl, m_folder.file("no-countries.json"), 60, output), 0);
    writeText(m_folder.file("broken.json"), "{\"3166-1\": [");
    EXPECT_NE(makeDictionary(m_scowl, m_folder.file("broken.json"), 60, output), 0);
    EXPECT_FALSE(fileExists(output));
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
    using namespace DictResult;
    expectPlacements(*m_file,
        {
            { "HOUSE", kDone, 3, 0 },
            { "COLOUR", kDone, 1, 0 },
            { "COLOR", kDone, 2, 0 },
            { "ORGANISE", kDone, 1, 0 },
            { "ORGANIZE", kDone, 2, 0 },
            { "THEATRE", kDone, 1, 0 },
            { "THEATER", kDone, 2, 0 },
            { "FRANCE", kFoundInCategory, 3, kCountries },
            { "GAOL", kFoundInCategory, 1, kExtraUk },
        });
}

TEST_F(StarterDictionary, OnlyTheFilledCategoriesHoldWords)
{
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
        // Short lists, each of longer words than the grade before it.
        EXPECT_LE(words.size(), 150u);
        const auto [shortest, longest] = std::minmax_element(words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        EXPECT_GT(static_cast<int>(shortest->size()), previousLongest);
        previousLongest = static_cast<int>(longest->size());
    }
    EXPECT_EQ(total, checkDictionary(*m_file).categoryWords);
}

} // namespace
