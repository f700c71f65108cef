// The scrap pad: which words MoveWords takes from page 1 and where they land on page 2, and the
// two page files: read as the bee files are, a missing file, a folder in a file's place, and
// saves that write both pages or nothing.

#include "support/temp_folder.h"

#include "documents/scrap_pad.h"
#include "platform/file_faults.h"
#include "strings/document_strings.h"
#include "strings/scrap_pad_strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace quorvel::test {
namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeAll(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A dictionary of a few words: found words answer InMain (or InCategory for "pear"), words that
// the dictionary could not hold NotSuitable, "broken" a file error; every word asked is logged.
struct SmallDictionary
{
    std::set<std::string> words { "APPLE", "PEAR", "CAT", "DOG" };
    std::vector<std::string> asked;

    WordLookup lookup()
    {
        return [this](std::string_view word) {
            asked.emplace_back(word);
            std::string upper(word);
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (upper == "BROKEN")
                return FindResult::FileError;
            if (upper.size() < 3 || upper.size() > 37)
                return FindResult::NotSuitable;
            if (!words.count(upper))
                return FindResult::NotFound;
            return upper == "PEAR" ? FindResult::InCategory : FindResult::InMain;
        };
    }
};

struct MoveCase
{
    const char* name;
    MoveKind kind;
    QString page1;
    QString page2;
    TextSelection where;
    QString wantPage1;
    QString wantPage2;
    int moved;
};

TEST(ScrapPadMoveWords, FollowsTheLineAndWordRules)
{
    const auto other = MoveKind::NotInDictionary;
    const auto known = MoveKind::InDictionary;
    const QString word40(40, u'z');
    const QString word39(39, u'z');
    const MoveCase cases[] = {
        // A last line that does not start before the last three characters is not looked at.
        { "cat alone", known, "cat", "", {}, "cat", "", 0 },
        { "cats is examined", other, "cats", "", {}, "", "cats\n", 1 },
        { "apple zzzq", other, "apple zzzq\r\n", "", {}, "apple ", "zzzq\n", 1 },
        { "apple zzzq lf", other, "apple zzzq\n", "", {}, "apple ", "zzzq\n", 1 },
        { "dictionary words", known, "apple zzzq\npear\n", "", {}, " zzzq\n", "apple\npear\n", 2 },
        // A word that does not end its line leaves the character after it where it was.
        { "mid line", other, "zzq apple\n", "", {}, " apple\n", "zzq\n", 1 },
        // Removing a word with its line end joins the next line to this one.
        { "lines join", other, " zzq\n banana\n dog\n", "", {}, "   dog\n", "zzq\nbanana\n", 2 },
        // The scan ends at the first line that starts within the last three characters.
        { "short last line", known, "zzq\ncat", "", {}, "zzq\ncat", "", 0 },
        { "last line of four", known, "zzq\npear", "", {}, "zzq\n", "pear\n", 1 },
        // After a word leaves with its line end the scan goes on in the joined line.
        { "joined line is scanned", known, "dog\ncat", "", {}, "", "dog\ncat\n", 2 },
        { "too short words", other, "ab xy qq\n", "", {}, "ab xy qq\n", "", 0 },
        { "accented word", other, u"naïve zzq\n"_qs, "", {}, u"naïve "_qs, "zzq\n", 1 },
        { "digits split words", other, "zzq9qqz\n", "", {}, "9", "zzq\nqqz\n", 2 },
        { "40 letters never move", other, word40 + "\n", "", {}, word40 + "\n", "", 0 },
        { "39 letters are looked up", other, word39 + "\n", "", {}, word39 + "\n", "", 0 },
        { "case kept", known, "Apple\n", "", {}, "", "Apple\n", 1 },
        { "file error never moves", other, "broken zzq\n", "", {}, "broken ", "zzq\n", 1 },
        // Words go in at page 2's caret, in page 1's order; the first replaces the selection.
        { "at the caret", other, "zzq yyq\n", "top\nend\n", TextSelection::caret(4), " ",
            "top\nzzq\nyyq\nend\n", 2 },
        { "over the selection", other, "zzq\n", "top\nold\nend\n", { 8, 4 }, "", "top\nzzq\nend\n",
            1 },
        { "nothing qualifies", known, "zzq yyq\n", "keep", TextSelection::caret(2), "zzq yyq\n",
            "keep", 0 },
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        SmallDictionary dictionary;
        const MoveWordsResult r = MoveWords(c.kind, c.page1, c.page2, c.where, dictionary.lookup());
        EXPECT_EQ(r.page1, c.wantPage1);
        EXPECT_EQ(r.page2, c.wantPage2);
        EXPECT_EQ(r.moved, c.moved);
        EXPECT_EQ(r.leftForFullPage, 0);
    }
}

TEST(ScrapPadMoveWords, WordsOf40LettersAreNotLookedUpAndErrorsAreReported)
{
    SmallDictionary dictionary;
    const QString text = QString(40, u'q') + " broken " + QString(39, u'q') + "\n";
    const MoveWordsResult r
        = MoveWords(MoveKind::NotInDictionary, text, "", {}, dictionary.lookup());
    EXPECT_EQ(dictionary.asked, (std::vector<std::string> { "broken", std::string(39, 'q') }));
    EXPECT_TRUE(r.lookupFailed);
    EXPECT_EQ(r.moved, 0);
}

TEST(ScrapPadMoveWords, PageTwoTakesWordsUpTo600Lines)
{
    SmallDictionary dictionary;
    // 600 lines (599 line ends): full, nothing changes.
    const QString full = QString("w\n").repeated(599);
    const QString page1 = "zzq yyq xxq\n";
    MoveWordsResult r = MoveWords(MoveKind::NotInDictionary, page1, full,
        TextSelection::caret(full.size()), dictionary.lookup());
    EXPECT_EQ(r.page1, page1);
    EXPECT_EQ(r.page2, full);
    EXPECT_EQ(r.moved, 0);
    EXPECT_EQ(r.leftForFullPage, 3);

    // 598 lines: two words fit, the third stays.
    const QString nearly = QString("w\n").repeated(597);
    r = MoveWords(MoveKind::NotInDictionary, page1, nearly, TextSelection::caret(nearly.size()),
        dictionary.lookup());
    EXPECT_EQ(r.moved, 2);
    EXPECT_EQ(r.leftForFullPage, 1);
    EXPECT_EQ(r.page1, "  xxq\n");
    EXPECT_EQ(r.page2, nearly + "zzq\nyyq\n");
    EXPECT_EQ(r.page2.count(u'\n') + 1, kScrapPadMaxLines);
    EXPECT_EQ(r.page2Where.start, r.page2.size());

    // A selection of many lines on a full page: the page is full while the selection stands.
    r = MoveWords(MoveKind::NotInDictionary, page1, full, { 0, 20 }, dictionary.lookup());
    EXPECT_EQ(r.moved, 0);
}

TEST(ScrapPadFiles, PathsPerUserAndPage)
{
    EXPECT_EQ(scrapPadFile("/data", 0, 0), "/data/progdata/spaduse0.pad");
    EXPECT_EQ(scrapPadFile("/data/", 9, 1), "/data/progdata/spadusp9.pad");
}

TEST(ScrapPadFiles, FirstUseIsMissingAndTheFirstSaveMakesBothFiles)
{
    TempFolder folder;
    folder.makeProgdata();
    ScrapPadLoad load = loadScrapPad(folder.path(), 3);
    EXPECT_TRUE(load.missing());
    EXPECT_TRUE(load.pages[0].text.isEmpty());
    EXPECT_FALSE(load.pages[1].fileKept());

    load.pages[0].text = " CAT\n DOG\n";
    ASSERT_TRUE(saveScrapPad(folder.path(), 3, load.pages));
    EXPECT_EQ(readAll(folder.file("progdata/spaduse3.pad")), " CAT\r\n DOG\r\n");
    EXPECT_EQ(readAll(folder.file("progdata/spadusp3.pad")), "");
    EXPECT_FALSE(loadScrapPad(folder.path(), 3).missing());
}

TEST(ScrapPadFiles, PagesKeepTheirEncodingAndLineEnds)
{
    TempFolder folder;
    folder.makeProgdata();
    writeAll(folder.file("progdata/spaduse1.pad"), "caf\xE9\nZZQ\n");
    writeAll(folder.file("progdata/spadusp1.pad"), "na\xC3\xAFve\r\n");
    ScrapPadLoad load = loadScrapPad(folder.path(), 1);
    ASSERT_FALSE(load.missing());
    EXPECT_EQ(load.pages[0].text, u"café\nZZQ\n"_qs);
    EXPECT_EQ(load.pages[1].text, u"naïve\n"_qs);
    ASSERT_TRUE(saveScrapPad(folder.path(), 1, load.pages));
    EXPECT_EQ(readAll(folder.file("progdata/spaduse1.pad")), "caf\xE9\nZZQ\n");
    EXPECT_EQ(readAll(folder.file("progdata/spadusp1.pad")), "na\xC3\xAFve\r\n");

    // A character Windows-1252 lacks turns that page into UTF-8 rather than stopping the save.
    load.pages[0].text += u"ł\n"_qs;
    ASSERT_TRUE(saveScrapPad(folder.path(), 1, load.pages));
    EXPECT_EQ(readAll(folder.file("progdata/spaduse1.pad")), "caf\xC3\xA9\nZZQ\n\xC5\x82\n");
    EXPECT_EQ(load.pages[0].format.encoding, TextEncoding::Utf8);
}

// A folder where a page file belongs, or a file that is not text: a clear message when opening,
// and a save that writes neither page.
TEST(ScrapPadFiles, UnusablePageFilesAreNeverWrittenOver)
{
    struct Case
    {
        const char* name;
        bool folderInPlace;
        const char* reason;
    };
    const Case cases[] = {
        { "folder", true, strings::kTextFileIsFolder },
        { "not text", false, strings::kTextFileNotText },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.makeProgdata();
        const std::string page1 = folder.file("progdata/spaduse0.pad");
        const std::string page2 = folder.file("progdata/spadusp0.pad");
        writeAll(page1, "old page 1\r\n");
        if (c.folderInPlace)
            std::filesystem::create_directory(page2);
        else
            writeAll(page2, std::string_view("\x01\x02\x03junk", 7));

        ScrapPadLoad load = loadScrapPad(folder.path(), 0);
        EXPECT_FALSE(load.missing());
        EXPECT_TRUE(load.pages[1].fileKept());
        EXPECT_NE(load.pages[1].message.find(c.reason), std::string::npos);
        EXPECT_NE(load.pages[1].message.find(page2), std::string::npos);

        load.pages[0].text = "new page 1\n";
        load.pages[1].text = "typed\n";
        const ScrapPadSaveResult saved = saveScrapPad(folder.path(), 0, load.pages);
        EXPECT_FALSE(saved);
        EXPECT_NE(saved.message.find(page2), std::string::npos);
        EXPECT_EQ(readAll(page1), "old page 1\r\n");
        if (!c.folderInPlace) {
            EXPECT_EQ(readAll(page2), std::string("\x01\x02\x03junk", 7));
        }
    }
}

TEST(ScrapPadFiles, AFailedWriteLeavesTheOldFile)
{
    TempFolder folder;
    folder.makeProgdata();
    const std::string page1 = folder.file("progdata/spaduse0.pad");
    writeAll(page1, "old\r\n");
    ScrapPadLoad load = loadScrapPad(folder.path(), 0);
    load.pages[0].text = "new\n";
    FileFaults::failNth(FileOp::Write, 1, 1, ENOSPC);
    const ScrapPadSaveResult saved = saveScrapPad(folder.path(), 0, load.pages);
    FileFaults::reset();
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.message.find(strings::kTextDiskFull), std::string::npos);
    EXPECT_EQ(readAll(page1), "old\r\n");
}

} // namespace
} // namespace quorvel::test
