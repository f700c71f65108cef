// Making a drill list from a window's text: which words a text, a selection or a caret gives,
// the word file it leaves, the documents' list flags, the messages, and the recent-files list.

#include "support/temp_folder.h"

#include "config/settings_file.h"
#include "config/startup_info.h"
#include "documents/make_list.h"
#include "documents/recent_files.h"
#include "drill/drill_settings.h"
#include "drill/word_file.h"
#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

using Words = std::vector<std::string>;

struct ExtractCase
{
    const char* name;
    QString text;
    TextSelection where;
    TextListSettings settings;
    Words words;
};

QString letters(int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(u'a' + i % 26);
    return s;
}

std::string capitals(int n)
{
    return letters(n).toUpper().toStdString();
}

TEST(MakeListFromText, TakesTheWordsOfTheTextSelectionOrCaret)
{
    const QString animals = QStringLiteral("cat dog Mouse mouse horse-rider");
    const QString two = QStringLiteral("horse zebra"); // 11 characters
    const ExtractCase cases[] = {
        { "repeats after upper-casing are passed over", animals,
            TextSelection::caret(animals.size()), { 5, 3, 38 },
            { "CAT", "DOG", "MOUSE", "HORSE", "RIDER" } },
        { "the list size ends the scan", animals, TextSelection::caret(animals.size()),
            { 2, 3, 38 }, { "CAT", "DOG" } },
        { "the letters range", animals, TextSelection::caret(animals.size()), { 5, 4, 5 },
            { "MOUSE", "HORSE", "RIDER" } },
        { "an apostrophe splits a word", QStringLiteral("don't"), {}, { 5, 1, 38 }, { "DON" } },
        { "an accented letter makes the whole word unusable", QString::fromUtf8("naïve café words"),
            {}, { 5, 3, 38 }, { "WORDS" } },
        { "also when the accent is a separate mark", QString::fromUtf8("nai\u0308ve words"), {},
            { 5, 3, 38 }, { "WORDS" } },
        { "digits and line ends separate words", QStringLiteral("abc1def\r\nghi\njkl"), {},
            { 5, 3, 38 }, { "ABC", "DEF", "GHI", "JKL" } },
        { "a token of 38 letters or more is passed over", letters(40) + " " + letters(37), {},
            { 5, 3, 50 }, { capitals(37) } },
        { "words are at least three letters whatever the minimum", QStringLiteral("a an ant"), {},
            { 5, 1, 38 }, { "ANT" } },
        { "the selection is taken, in either order", QStringLiteral("alpha beta gamma"), { 10, 6 },
            { 5, 3, 38 }, { "BETA" } },
        // Not one character more: selecting "alpha bet" of "alpha beta" does not take "beta".
        { "the selection ends where it ends", QStringLiteral("alpha beta"), { 0, 9 }, { 5, 3, 38 },
            { "ALPHA", "BET" } },
        { "a caret within the last minimum-length characters takes the whole text", two,
            TextSelection::caret(7), { 5, 5, 38 }, { "HORSE", "ZEBRA" } },
        { "a caret further up starts there, even inside a word", two, TextSelection::caret(2),
            { 5, 3, 38 }, { "RSE", "ZEBRA" } },
        { "a caret at the boundary starts there", two, TextSelection::caret(6), { 5, 5, 38 },
            { "ZEBRA" } },
        { "empty text", QString(), {}, { 5, 3, 38 }, {} },
        { "a list size below one takes nothing", animals, {}, { -3, 3, 38 }, {} },
    };
    for (const ExtractCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(extractListWords(c.text, c.where, c.settings), c.words);
    }
}

// A long text is split 64 characters at a time: words across the edges of those blocks, an
// accented letter or the zero in a block, and words that begin in one kind of block and end in
// the other must give what a short text gives.
TEST(MakeListFromText, WordsAcrossLongTextsAreFoundWhereverTheyFall)
{
    // `words` each placed at its position, in blanks, in a text of `length` characters.
    const auto placed = [](qsizetype length, std::initializer_list<std::pair<int, QString>> words) {
        QString text(length, u' ');
        for (const auto& [at, word] : words)
            text.replace(at, word.size(), word);
        return text;
    };
    const TextListSettings any { 10, 3, 37 };
    const ExtractCase cases[] = {
        { "a word over the edge of a block", placed(200, { { 60, "Elephant" }, { 130, "ox" } }), {},
            any, { "ELEPHANT" } },
        { "words that end and start at the edge",
            placed(200, { { 61, "cat" }, { 64, "-dog" }, { 126, "x" }, { 128, "bird" } }), {}, any,
            { "CAT", "DOG", "BIRD" } },
        { "an accented word begun in one block spoils it in the next",
            placed(200, { { 58, QString::fromUtf8("naïvetextword") }, { 150, "zebra" } }), {}, any,
            { "ZEBRA" } },
        { "an accented word ending in the next block",
            placed(
                200, { { 10, "early" }, { 120, QString::fromUtf8("wordcafé") }, { 140, "later" } }),
            {}, any, { "EARLY", "LATER" } },
        { "the zero ends the text in any block",
            placed(200, { { 20, "first" }, { 100, QStringLiteral("cat") + QChar(0) + "dog" } }), {},
            any, { "FIRST", "CAT" } },
        { "a long word over an edge is passed over",
            placed(200, { { 40, letters(40) }, { 150, "moose" } }), {}, any, { "MOOSE" } },
        { "repeats in any case, far apart",
            placed(300, { { 5, "Horse" }, { 100, "HORSE" }, { 200, "horse" }, { 290, "cow" } }), {},
            any, { "HORSE", "COW" } },
        { "a selection that ends inside a block", placed(300, { { 70, "inside" }, { 200, "out" } }),
            { 65, 190 }, any, { "INSIDE" } },
        { "the list size ends the scan in a block",
            placed(300, { { 10, "one" }, { 70, "two" }, { 140, "three" } }), {}, { 2, 3, 37 },
            { "ONE", "TWO" } },
        { "a range that no length fits", placed(200, { { 70, "word" } }), {}, { 5, 8, 6 }, {} },
    };
    for (const ExtractCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(extractListWords(c.text, c.where, c.settings), c.words);
    }
}

class MakeListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        info.setDataFolder(folder.path());
        setList(5, 3, 38);
    }
    void setList(int size, int minLetters, int maxLetters, int user = 0)
    {
        ListSetup setup = ListSetup::read(info, user);
        setup.listSize = size;
        setup.minLetters = minLetters;
        setup.maxLetters = maxLetters;
        setup.write(info, user);
    }
    MakeListOutcome make(const QString& text, ListType source = ListType::Window)
    {
        return MakeListFromText(
            text, TextSelection::caret(text.size()), source, info, 0, documents);
    }
    std::string wordFile() const { return folder.file("progdata/worduse0.wrd"); }
    WordFileHeader header()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        WordFileHeader h;
        EXPECT_TRUE(file && file->readHeader(h));
        return h;
    }
    Words listed()
    {
        auto file = WordFile::open(folder.path(), 0, OpenMode::ReadOnly);
        std::vector<WordFileEntry> entries;
        EXPECT_TRUE(file && file->readList(entries));
        Words words;
        for (const WordFileEntry& e : entries)
            words.push_back(e.record.word);
        return words;
    }

    TempFolder folder;
    StartupInfo info;
    DocumentState documents;
};

TEST_F(MakeListTest, WritesAFreshWindowOrScrapPadList)
{
    struct Case
    {
        ListType source;
        int state;
    };
    for (const Case c : { Case { ListType::Window, ListState::kFreshWindow },
             Case { ListType::ScrapPad, ListState::kFreshScrapPad } }) {
        SCOPED_TRACE(static_cast<int>(c.source));
        const MakeListOutcome made = make(QStringLiteral("cat dog cat bird"), c.source);
        EXPECT_EQ(made.result, MakeListResult::kMade);
        EXPECT_EQ(made.words, (Words { "CAT", "DOG", "BIRD" }));
        const WordFileHeader h = header();
        EXPECT_EQ(h.state, c.state);
        EXPECT_EQ(h.listType, static_cast<int>(c.source));
        EXPECT_EQ(h.count, 3);
        EXPECT_EQ(h.tableOffset, 0u);
        EXPECT_EQ(listed(), made.words);
        EXPECT_FALSE(makeListMessage(made.result).shown());
    }
}

// Settings that read as 0 mean a list of five words of 5 to 38 letters.
TEST_F(MakeListTest, SettingsThatReadAsZeroTakeTheirDefaults)
{
    ListSetupRecord record = info.listSetup(0);
    record.listSize = "0";
    record.minLetters = "x";
    record.maxLetters = "";
    info.setListSetup(0, record);
    const TextListSettings s = TextListSettings::read(info, 0);
    EXPECT_EQ(s.listSize, 5);
    EXPECT_EQ(s.minLetters, 5);
    EXPECT_EQ(s.maxLetters, 38);
    EXPECT_EQ(make(QStringLiteral("ant bee horse zebra tiger eagle camel whale llama")).words,
        (Words { "HORSE", "ZEBRA", "TIGER", "EAGLE", "CAMEL" }));
}

// A list size above the most a list holds makes no list when the text has more words than
// that; a shorter text still makes its list.
TEST_F(MakeListTest, MoreThanFiftyWordsMakeNoList)
{
    setList(60, 3, 38);
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QString(QChar(u'a' + i / 26)) + QChar(u'a' + i % 26) + QStringLiteral("x ");
    EXPECT_EQ(extractListWords(text, {}, TextListSettings::read(info, 0)).size(), 51u);
    EXPECT_EQ(make(text).result, MakeListResult::kNoList);
    EXPECT_FALSE(fileExists(wordFile()));

    const QString fifty = text.left(4 * 50);
    const MakeListOutcome made = make(fifty);
    EXPECT_EQ(made.result, MakeListResult::kMade);
    EXPECT_EQ(made.words.size(), 50u);
    EXPECT_EQ(header().count, 50);
}

// No list leaves the user's last list as it was: only this source's mark goes, so a list made
// from the other source stays the one drilled. A word file that cannot be written says so.
TEST_F(MakeListTest, FailuresKeepTheLastListAndSayWhy)
{
    ASSERT_EQ(make(QStringLiteral("cat dog"), ListType::ScrapPad).result, MakeListResult::kMade);
    const std::vector<std::uint8_t> scrapList = readBytes(wordFile());
    documents.beeListMade = true;
    for (const QString& text : { QStringLiteral("a I 42 ... naïve"), QString(), letters(40) }) {
        const MakeListOutcome none = make(text);
        EXPECT_EQ(none.result, MakeListResult::kNoList);
        EXPECT_TRUE(none.words.empty());
        EXPECT_EQ(readBytes(wordFile()), scrapList);
        EXPECT_FALSE(documents.beeListMade);
        EXPECT_TRUE(documents.scrapListMade);
    }

    FileFaults::reset();
    FileFaults::failNth(FileOp::Open, 1, 1, EACCES);
    const MakeListOutcome unwritten = make(QStringLiteral("bird fish"));
    FileFaults::reset();
    EXPECT_EQ(unwritten.result, MakeListResult::kWordFileNotWritten);
    EXPECT_TRUE(unwritten.words.empty());
    EXPECT_EQ(readBytes(wordFile()), scrapList);
    EXPECT_FALSE(documents.beeListMade);

    // A write that fails part way: the list is not made, and not taken for made.
    FileFaults::failFrom(FileOp::Write, 1, ENOSPC);
    EXPECT_EQ(make(QStringLiteral("bird fish")).result, MakeListResult::kWordFileNotWritten);
    FileFaults::reset();
    EXPECT_FALSE(documents.beeListMade);

    std::filesystem::remove_all(folder.file("progdata"));
    EXPECT_EQ(make(QStringLiteral("cat dog")).result, MakeListResult::kWordFileNotWritten);

    struct MessageCase
    {
        int result;
        const char* caption;
        const char* text;
    };
    const MessageCase messages[] = {
        { 0, "Warning! No list produced.",
            "Unable to produce a Spelling Bee list \r\n Check your minimum and maximum word "
            "lengths" },
        { 4, "Warning! No list produced.", "Unable to write a new word file" },
        { 8, "Warning!", "Out of Memory!" },
        { 3, "Warning! No list produced.",
            "Unable to produce a Spelling Bee list \r\n Check your minimum and maximum word "
            "lengths" },
    };
    for (const MessageCase& m : messages) {
        SCOPED_TRACE(m.result);
        EXPECT_EQ(makeListMessage(m.result).caption, m.caption);
        EXPECT_EQ(makeListMessage(m.result).text, m.text);
    }
}

TEST(DocumentState, ListFlagsFollowTheWindows)
{
    DocumentState d;
    d.beeWindowOpened();
    d.beeWindowOpened();
    d.listMadeFromText(ListType::ScrapPad, true);
    EXPECT_TRUE(d.scrapListMade);
    d.listMadeFromText(ListType::Window, true);
    EXPECT_TRUE(d.beeListMade);
    EXPECT_FALSE(d.scrapListMade);
    // Closing the first of two windows keeps the mark; closing the last clears it.
    d.beeWindowClosed();
    EXPECT_TRUE(d.beeListMade);
    d.beeWindowClosed();
    EXPECT_FALSE(d.beeListMade);
    EXPECT_EQ(d.beeWindowCount, 0);
    // A failed list from the scrap pad clears only its own mark.
    d.beeListMade = true;
    d.scrapListMade = true;
    d.listMadeFromText(ListType::ScrapPad, false);
    EXPECT_FALSE(d.scrapListMade);
    EXPECT_TRUE(d.beeListMade);
    d.scrapListMade = true;
    d.userChanged();
    EXPECT_FALSE(d.beeListMade || d.scrapListMade);
}

TEST(RecentFiles, KeepsEightMostRecentFirstInTheSettingsFile)
{
    TempFolder folder;
    SettingsFile settings(folder.file("Fenwa.ini"));
    RecentFiles recent;
    for (int i = 1; i <= 9; ++i)
        ASSERT_TRUE(recent.add(folder.file("list" + std::to_string(i) + ".bee")));
    ASSERT_TRUE(recent.add(folder.file("list5.bee")));
    EXPECT_FALSE(recent.add("two\nlines.bee"));
    ASSERT_EQ(recent.paths().size(), 8u);
    EXPECT_EQ(recent.paths().front(), folder.file("list5.bee"));
    EXPECT_EQ(recent.paths()[1], folder.file("list9.bee"));
    EXPECT_EQ(recent.paths().back(), folder.file("list2.bee"));
    EXPECT_EQ(recent.menuText(0), "&1 " + folder.file("list5.bee"));
    ASSERT_TRUE(recent.save(settings));
    EXPECT_EQ(settings.readString("MRU", "Count", "", 10), "8");
    EXPECT_EQ(settings.readString("MRU", "MRU0", "", 4096), folder.file("list5.bee"));
    EXPECT_EQ(RecentFiles::load(SettingsFile(folder.file("Fenwa.ini"))).paths(), recent.paths());

    // "Default" and empty entries are no entries; a repeated path is listed once.
    ASSERT_TRUE(settings.writeString("MRU", "MRU0", "Default"));
    ASSERT_TRUE(settings.writeString("MRU", "MRU1", ""));
    ASSERT_TRUE(settings.writeString("MRU", "MRU2", folder.file("list7.bee")));
    const RecentFiles loaded = RecentFiles::load(settings);
    EXPECT_EQ(loaded.paths().size(), 5u);
    EXPECT_EQ(loaded.paths().front(), folder.file("list7.bee"));
}

// A listed file that has gone since is taken off the list, which is saved, with a message.
TEST(RecentFiles, FileThatHasGoneIsTakenOffTheList)
{
    TempFolder folder;
    SettingsFile settings(folder.file("Fenwa.ini"));
    const std::string kept = folder.file("kept.bee");
    writeBytes(kept, { 'c', 'a', 't' });
    RecentFiles recent;
    recent.add(kept);
    recent.add(folder.file("gone.bee"));
    ASSERT_TRUE(recent.save(settings));

    std::string message;
    EXPECT_EQ(recent.open(0, settings, &message), "");
    EXPECT_EQ(message,
        "The file " + folder.file("gone.bee")
            + " is no longer there. It has been taken off the list of recent files.");
    EXPECT_EQ(recent.paths(), std::vector<std::string> { kept });
    EXPECT_EQ(RecentFiles::load(settings).paths(), recent.paths());
    EXPECT_EQ(recent.open(0, settings, &message), kept);
    EXPECT_EQ(recent.open(5, settings, &message), "");
}

} // namespace
} // namespace quorvel::test
