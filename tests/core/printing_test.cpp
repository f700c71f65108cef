// Printing's decisions away from any printer: how lines land on pages (long lines wrapped, never
// dropped; no empty page after a full last page), the print options as the settings file keeps
// them and as the options dialog stores them, and what a failed mail hand-off tells the person.

#include "app/session.h"
#include "app/startup_sequence.h"
#include "config/settings_file.h"
#include "platform/file_faults.h"
#include "printing/pagination.h"
#include "printing/print_settings.h"
#include "printing/sending.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

QStringList numbered(int count, const QString& prefix = QStringLiteral("line "))
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}

// Every printed line of the pages, in order.
QStringList flatten(const std::vector<QStringList>& pages)
{
    QStringList all;
    for (const QStringList& page : pages)
        all << page;
    return all;
}

std::vector<int> pageSizes(const std::vector<QStringList>& pages)
{
    std::vector<int> sizes;
    for (const QStringList& page : pages)
        sizes.push_back(static_cast<int>(page.size()));
    return sizes;
}

TEST(Pagination, PagesHoldExactlyTheirLinesAndNoEmptyPageFollowsAFullOne)
{
    const struct
    {
        const char* name;
        QStringList lines;
        int perPage;
        std::vector<int> sizes;
    } cases[] = {
        { "exactly one page", numbered(5), 5, { 5 } },
        { "exactly two pages", numbered(10), 5, { 5, 5 } },
        { "one line over", numbered(6), 5, { 5, 1 } },
        { "one line short", numbered(4), 5, { 4 } },
        { "one line per page", numbered(3), 1, { 1, 1, 1 } },
        { "empty document: one blank sheet", {}, 5, { 0 } },
        { "only blank lines: one blank sheet", { QString(), QStringLiteral("  \t") }, 5, { 0 } },
        // The blank lines a text ends with (a last line break) start no page of their own.
        { "full page then blank lines", numbered(5) << QString() << QString(), 5, { 5 } },
        // Blank lines inside the text are printed like any other.
        { "blank lines inside", QStringList { "a", "", "", "b" }, 2, { 2, 2 } },
        { "lines per page below one counts as one", numbered(2), 0, { 1, 1 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pages = paginate(c.lines, c.perPage, fitColumns(80));
        EXPECT_EQ(pageSizes(pages), c.sizes);
        QStringList kept = c.lines;
        while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
            kept.removeLast();
        EXPECT_EQ(flatten(pages), kept) << "every line printed once, in order";
    }
}

TEST(Pagination, LongLinesAreWrappedAndNothingButTheSpacesAtABreakIsLost)
{
    const struct
    {
        const char* name;
        QString line;
        int columns;
        QStringList printed;
    } cases[] = {
        { "fits", "cat dog", 7, { "cat dog" } },
        { "breaks after the last word that fits", "cat dog emu", 8, { "cat dog", "emu" } },
        { "the space right after a full line is the break", "abcd efgh", 4, { "abcd", "efgh" } },
        { "spaces at a break are not carried", "ab    cd", 3, { "ab", "cd" } },
        { "a word wider than the line is broken", "abcdefghij", 4, { "abcd", "efgh", "ij" } },
        { "a long word after a short one", "a bcdefgh", 4, { "a", "bcde", "fgh" } },
        { "trailing spaces make no extra line", "abc      ", 4, { "abc" } },
        { "indentation that fits stays", "  ab cd", 5, { "  ab", "cd" } },
        { "tabs are expanded first", "a\tb", 80, { "a       b" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(flatten(paginate({ c.line }, 100, fitColumns(c.columns))), c.printed);
    }
    EXPECT_EQ(wrapLine(QString(), fitColumns(4)), QStringList { QString() })
        << "an empty line inside a text is one empty printed line";

    // A line of 300 characters (which once ended its page unprinted, with the lines after it)
    // prints whole, and the lines after it follow on the same page.
    QString words;
    while (words.size() < 300)
        words += QStringLiteral("word%1 ").arg(words.size());
    words = words.left(300);
    const auto pages = paginate(QStringList { "before", words, "after" }, 60, fitColumns(70));
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& page = pages.front();
    EXPECT_GE(page.size(), 7);
    EXPECT_EQ(page.front(), "before");
    EXPECT_EQ(page.back(), "after");
    QString rejoined;
    for (qsizetype i = 1; i + 1 < page.size(); ++i) {
        EXPECT_LE(page[i].size(), 70);
        rejoined += page[i] + QLatin1Char(' ');
    }
    EXPECT_EQ(rejoined.trimmed(), words.trimmed());
}

TEST(Pagination, MeasuredFitsAreKeptInsideTheTextAndNeverSplitASurrogatePair)
{
    // A fit that answers nonsense (0, or more than there is) still makes progress and loses
    // nothing.
    const LineFit zero = [](QStringView) { return qsizetype(0); };
    EXPECT_EQ(wrapLine(QStringLiteral("abc"), zero), (QStringList { "a", "b", "c" }));
    const LineFit huge = [](QStringView) { return qsizetype(1000); };
    EXPECT_EQ(wrapLine(QStringLiteral("abc"), huge), (QStringList { "abc" }));

    // "a😀b" is four UTF-16 units; a fit of two would end between the halves of the emoji.
    const QString emoji = QStringLiteral("a\U0001F600b");
    const QStringList pieces = wrapLine(emoji, fitColumns(2));
    EXPECT_EQ(pieces.join(QString()), emoji);
    for (const QString& p : pieces)
        EXPECT_FALSE(p.back().isHighSurrogate()) << p.toStdString();
    // A fit of one character keeps the pair together rather than looping.
    EXPECT_EQ(wrapLine(QStringLiteral("\U0001F600"), fitColumns(1)).join(QString()),
        QStringLiteral("\U0001F600"));
}

TEST(Pagination, LinesPerPageAreTheWholeLinesThatFit)
{
    EXPECT_EQ(linesPerPage(100, 10), 10);
    EXPECT_EQ(linesPerPage(109.9, 10), 10) << "a line cut at the bottom edge is not counted";
    EXPECT_EQ(linesPerPage(5, 10), 1) << "a page smaller than a line still prints";
    EXPECT_EQ(linesPerPage(100, 0), 1);
}

class PrintOptionsFile : public ::testing::Test
{
protected:
    void write(const std::string& text)
    {
        writeBytes(path(), std::vector<std::uint8_t>(text.begin(), text.end()));
        file = SettingsFile(path());
    }
    std::string text() const
    {
        if (!fileExists(path()))
            return {};
        const auto bytes = readBytes(path());
        return std::string(bytes.begin(), bytes.end());
    }
    std::string path() const { return folder.file("Fenwa.ini"); }
    std::string margin() const
    {
        return SettingsFile(path()).readString("Print options", "Left hand Margin", "-", 20);
    }

    TempFolder folder;
    SettingsFile file { folder.file("Fenwa.ini") };
};

TEST_F(PrintOptionsFile, WithoutStoredOptionsPrintingKeepsItsStartValuesUntilTheDialogConfirms)
{
    // Nothing stored: the run keeps margin 22 and the normal size, and nothing is written.
    Session session;
    EXPECT_FALSE(loadPrintSettings(file));
    EXPECT_EQ(session.printSettings, (PrintSettings { PrintSize::Normal, 22 }));
    EXPECT_EQ(text(), "");

    // Opening the dialog shows "10" and normal, and writes them; the run still prints with 22.
    const PrintOptionsValues opening = printOptionsOpening(file);
    EXPECT_EQ(opening, (PrintOptionsValues { PrintSize::Normal, "10" }));
    EXPECT_EQ(text(), "[Print options]\r\nPrint size=normal\r\nLeft hand Margin=10\r\n");
    EXPECT_EQ(session.printSettings.leftMargin, 22);

    // OK confirms them.
    ASSERT_TRUE(applyPrintOptions(file, opening, session.printSettings));
    EXPECT_EQ(session.printSettings, (PrintSettings { PrintSize::Normal, 10 }));
}

TEST_F(PrintOptionsFile, OkStoresTheMarginAsTheRulesSay)
{
    const struct
    {
        const char* typed;
        PrintSize size;
        const char* stored;
        int inUse;
    } cases[] = {
        { "200", PrintSize::Large, "142", 142 },
        { "142", PrintSize::Small, "142", 142 },
        { "143", PrintSize::Normal, "142", 142 },
        { "0", PrintSize::Normal, "0", 0 },
        { "", PrintSize::Normal, "0", 0 },
        { "abc", PrintSize::Normal, "0", 0 },
        { "010", PrintSize::Normal, "10", 10 },
        { "36", PrintSize::Large, "36", 36 },
        // Only the first five characters are read.
        { "000007", PrintSize::Normal, "0", 0 },
    };
    const char* words[] = { "small", "normal", "large" };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        write("[Print options]\nPrint size=normal\nLeft hand Margin=10\n");
        PrintSettings inUse;
        ASSERT_TRUE(applyPrintOptions(file, { c.size, c.typed }, inUse));
        EXPECT_EQ(margin(), c.stored);
        EXPECT_EQ(SettingsFile(path()).readString("Print options", "Print size", "-", 20),
            words[static_cast<int>(c.size)]);
        EXPECT_EQ(inUse, (PrintSettings { c.size, c.inUse }));
    }
}

TEST_F(PrintOptionsFile, StoredOptionsAreReadAtStartAndAnUnreadableGroupIsReplacedByTheDialog)
{
    const struct
    {
        const char* name;
        const char* stored;
        std::optional<PrintSettings> read;
        PrintOptionsValues opening;
    } cases[] = {
        { "plain", "Print size=large\nLeft hand Margin=30\n",
            PrintSettings { PrintSize::Large, 30 }, { PrintSize::Large, "30" } },
        { "no digits reads as 0", "Print size=small\nLeft hand Margin=none\n",
            PrintSettings { PrintSize::Small, 0 }, { PrintSize::Small, "0" } },
        { "margin over 142", "Print size=small\nLeft hand Margin=143\n", std::nullopt,
            { PrintSize::Normal, "10" } },
        { "unknown size", "Print size=huge\nLeft hand Margin=30\n", std::nullopt,
            { PrintSize::Normal, "10" } },
        { "margin missing", "Print size=large\n", std::nullopt, { PrintSize::Normal, "10" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(std::string("[Print options]\n") + c.stored);
        EXPECT_EQ(loadPrintSettings(file), c.read);
        EXPECT_EQ(printOptionsOpening(file), c.opening);
        EXPECT_TRUE(loadPrintSettings(file)) << "the dialog leaves readable options behind";
    }

    // A margin stored in another form is written back plainly; one stored plainly is left
    // alone, byte for byte, spacing and letter case included.
    write("[Print options]\nPrint size=normal\nLeft hand Margin=007\n");
    EXPECT_EQ(loadPrintSettings(file), (PrintSettings { PrintSize::Normal, 7 }));
    EXPECT_EQ(margin(), "7");
    const std::string odd = "[PRINT OPTIONS]\nprint size = small\nLEFT HAND MARGIN = 12\n";
    write(odd);
    EXPECT_EQ(loadPrintSettings(file), (PrintSettings { PrintSize::Small, 12 }));
    PrintSettings inUse;
    EXPECT_TRUE(applyPrintOptions(file, printOptionsOpening(file), inUse));
    EXPECT_EQ(text(), odd) << "OK on unchanged options writes nothing";
}

TEST_F(PrintOptionsFile, TheStartReadsTheStoredOptions)
{
    TempFolder install;
    install.makeProgdata();
    StartupInfo info;
    ASSERT_TRUE(CreateStartupInfo(info, install.path()));
    writeBytes(
        install.file("progdata/sonddict.dis"), readBytes(fixturePath("empty_dictionary.dis")));
    const std::string ini = "[Print options]\nPrint size=large\nLeft hand Margin=40\n";
    writeBytes(install.file("Fenwa.ini"), std::vector<std::uint8_t>(ini.begin(), ini.end()));
    Session session;
    session.programFolder = install.path();
    SettingsFile settings(install.file("Fenwa.ini"));
    FakePrompter prompter;
    ASSERT_TRUE(ReadStartupFiles(session, settings, prompter, install.path()));
    EXPECT_EQ(session.printSettings, (PrintSettings { PrintSize::Large, 40 }));
}

TEST_F(PrintOptionsFile, AFailedWriteIsReportedAndTheChoiceStillPrints)
{
    write("[Print options]\nPrint size=normal\nLeft hand Margin=10\n");
    const std::string before = text();
    FileFaults::reset();
    FileFaults::failFrom(FileOp::Write, 1);
    PrintSettings inUse;
    EXPECT_FALSE(applyPrintOptions(file, { PrintSize::Large, "50" }, inUse));
    FileFaults::reset();
    EXPECT_EQ(text(), before);
    EXPECT_EQ(inUse, (PrintSettings { PrintSize::Large, 50 }));
}

TEST(PrintOptionsDialogRules, MarginBoxAndSizes)
{
    for (const char* ok : { "", "0", "7", "142", "0142" })
        EXPECT_TRUE(marginTextInRange(ok)) << ok;
    for (const char* refused : { "143", "200", "-1", "1.5", "12a", " 12", "0000000" })
        EXPECT_FALSE(marginTextInRange(refused)) << refused;
    EXPECT_EQ(marginRangeMessage(), "Value is not in the range 0 to 142.");

    EXPECT_EQ(printPointSize(PrintSize::Small, false), 12);
    EXPECT_EQ(printPointSize(PrintSize::Normal, false), 13);
    EXPECT_EQ(printPointSize(PrintSize::Large, false), 14);
    EXPECT_EQ(printPointSize(PrintSize::Small, true), 10);
    EXPECT_EQ(printPointSize(PrintSize::Large, true), 12);

    EXPECT_EQ(notPrintedText("cats.bee", "Printing canceled"),
        "'cats.bee' not printed. Printing canceled.");
    EXPECT_EQ(
        notPrintedText("100%s.bee", "Out of memory"), "'100%s.bee' not printed. Out of memory.");
}

TEST(Sending, OutcomesAndTheirMessages)
{
    using Kind = SendOutcome::Kind;
    const struct
    {
        int exit;
        Kind kind;
    } exits[] = { { 0, Kind::Handed }, { 1, Kind::Failed }, { 2, Kind::FileMissing },
        { 3, Kind::NoMailProgram }, { 4, Kind::Failed }, { 5, Kind::FileUnreadable } };
    for (const auto& e : exits)
        EXPECT_EQ(sendOutcomeOfExit(e.exit).kind, e.kind) << e.exit;

    EXPECT_EQ(sendFailureText({ Kind::Handed, 0 }, "/x/cats.bee"), "");
    EXPECT_EQ(sendFailureText({ Kind::Failed, 4 }, "/x/cats.bee"),
        "The file /x/cats.bee was not sent: the mail program could not take it (error 4).");
    EXPECT_NE(
        sendFailureText({ Kind::NoSender, 0 }, "/x/cats.bee").find("xdg-email"), std::string::npos);

    TempFolder folder;
    const std::string saved = folder.file("cats.bee");
    writeBytes(saved, { 'C', 'A', 'T' });
    EXPECT_EQ(checkFileToSend(saved).kind, Kind::Handed);
    EXPECT_EQ(checkFileToSend(folder.file("gone.bee")).kind, Kind::FileMissing);
    EXPECT_EQ(checkFileToSend(folder.path()).kind, Kind::FileMissing) << "a folder is no file";
    EXPECT_EQ(checkFileToSend("").kind, Kind::FileMissing);
}

} // namespace
} // namespace quorvel::test
