// Printing and sending as a person meets them: a document printed to a PDF file and read back
// with pdftotext (every line there, wrapped rather than lost, no empty page after a full one, the
// margin and the sizes of the print options), the print options dialog, and the hand-off of a
// saved file to a stand-in xdg-email that records what it was given.

#include "config/settings_file.h"
#include "mail/xdg_email_sender.h"
#include "printing/document_printer.h"
#include "printing/document_sending.h"
#include "printing/print_options_dialog.h"
#include "strings/printing_strings.h"
#include "support/dialog_world.h"
#include "support/modal.h"
#include "support/test_document.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace quorvel::test {
namespace {

using ui::DocumentKind;

// ---- Printing to PDF ---------------------------------------------------------------------------

bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString runPdfToText(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The non-blank lines of each page, as pdftotext reads them.
QList<QStringList> pdfPages(const QString& pdf)
{
    QStringList pages = runPdfToText({ pdf, QStringLiteral("-") }).split(QLatin1Char('\f'));
    pages.removeLast(); // pdftotext ends every page with a form feed
    QList<QStringList> result;
    for (const QString& page : pages) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        result << lines;
    }
    return result;
}

struct Word
{
    double xMin, xMax;
    QString text;
};
// Every word of the file with its place across the page, in points.
QList<Word> pdfWords(const QString& pdf)
{
    const QString html = runPdfToText({ QStringLiteral("-bbox"), pdf, QStringLiteral("-") });
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\" "
                       "yMax=\"[0-9.]+\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Word { m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3) };
    }
    return words;
}

class PrintToPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!havePdfToText())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    // Prints the document to a fresh A4 PDF file and returns its path.
    QString print(const TestDocument& document, PrintSettings settings = { PrintSize::Normal, 22 })
    {
        world.session.printSettings = settings;
        const QString pdf
            = QString::fromStdString(world.folder.file("out" + std::to_string(++m_count) + ".pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        ui::DocumentPrinter printing(world.context, nullptr);
        EXPECT_TRUE(printing.printTo(printer, document));
        return pdf;
    }
    // How many lines a page of this kind of document holds with these settings.
    int linesPerPage(DocumentKind kind, PrintSettings settings = { PrintSize::Normal, 22 })
    {
        TestDocument tall(kind, QStringLiteral("Tall"), numbered(300));
        const auto pages = pdfPages(print(tall, settings));
        return pages.isEmpty() ? 0 : static_cast<int>(pages.first().size());
    }
    static QStringList numbered(int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("Line%1").arg(i);
        return lines;
    }
    static QStringList flatten(const QList<QStringList>& pages)
    {
        QStringList all;
        for (const QStringList& page : pages)
            all << page;
        return all;
    }

    DialogWorld world;

private:
    int m_count = 0;
};

TEST_F(PrintToPdf, EveryLinePrintsOnceAndAFullLastPageHasNoEmptyPageAfterIt)
{
    const int n = linesPerPage(DocumentKind::BeeList);
    ASSERT_GT(n, 20) << "an A4 page holds a good many lines of 13 points";

    TestDocument tall(DocumentKind::BeeList, QStringLiteral("Tall"), numbered(300));
    const auto tallPages = pdfPages(print(tall));
    EXPECT_EQ(tallPages.size(), (300 + n - 1) / n);
    EXPECT_EQ(flatten(tallPages), numbered(300));

    const struct
    {
        const char* name;
        QStringList lines;
        std::vector<int> pageSizes;
    } cases[] = {
        { "exactly one page", numbered(n), { n } },
        { "exactly one page and a last line break", numbered(n) << QString(), { n } },
        { "one line more", numbered(n + 1), { n, 1 } },
        { "exactly two pages", numbered(2 * n), { n, n } },
        { "an empty document is one blank sheet", {}, { 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDocument document(DocumentKind::BeeList, QStringLiteral("Doc"), c.lines);
        const auto pages = pdfPages(print(document));
        std::vector<int> sizes;
        for (const QStringList& page : pages)
            sizes.push_back(static_cast<int>(page.size()));
        EXPECT_EQ(sizes, c.pageSizes);
    }
}

TEST_F(PrintToPdf, ALongLineIsWrappedInsideThePageAndTheLinesAfterItStillPrint)
{
    QString words;
    for (int i = 0; words.size() < 300; ++i)
        words += QStringLiteral("word%1 ").arg(i);
    words = words.left(300).trimmed();
    QString unbroken;
    for (int i = 0; unbroken.size() < 300; ++i)
        unbroken += QString::number(i % 10);
    TestDocument document(DocumentKind::BeeList, QStringLiteral("Long"),
        { QStringLiteral("before"), words, unbroken, QStringLiteral("after") });
    const QString pdf = print(document, { PrintSize::Large, 100 });

    const auto pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QStringList& lines = pages.first();
    ASSERT_GE(lines.size(), 6) << "both long lines take more than one printed line";
    EXPECT_EQ(lines.first(), "before");
    EXPECT_EQ(lines.last(), "after");
    // Every word of the long line, in order, and every digit of the unbroken one.
    const QStringList printedWords = lines.mid(1, lines.size() - 2)
                                         .join(QLatin1Char(' '))
                                         .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList expectedWords
        = (words + QLatin1Char(' ') + unbroken).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString printedDigits, expectedDigits = unbroken;
    const qsizetype wordCount = expectedWords.size() - 1;
    EXPECT_EQ(printedWords.mid(0, wordCount), expectedWords.mid(0, wordCount));
    for (const QString& piece : printedWords.mid(wordCount))
        printedDigits += piece;
    EXPECT_EQ(printedDigits, expectedDigits);

    // Nothing runs past the right edge of the paper (A4 is 595 points wide).
    for (const Word& w : pdfWords(pdf))
        EXPECT_LE(w.xMax, 595.5) << w.text.toStdString();
}

TEST_F(PrintToPdf, TheMarginAndTheFontSizeOfThePrintOptionsAreUsed)
{
    // The margin is in points, and so are PDF coordinates.
    TestDocument document(
        DocumentKind::BeeList, QStringLiteral("Margin"), { QStringLiteral("CAT") });
    const auto at = [&](int margin) {
        const auto words = pdfWords(print(document, { PrintSize::Normal, margin }));
        return words.isEmpty() ? -1.0 : words.first().xMin;
    };
    const double none = at(0);
    EXPECT_NEAR(at(72) - none, 72.0, 0.5);
    EXPECT_NEAR(at(142) - none, 142.0, 0.5);

    // Larger print means fewer lines to a page; a statistics window prints 2 points smaller
    // than a bee list.
    const int small = linesPerPage(DocumentKind::BeeList, { PrintSize::Small, 22 });
    const int large = linesPerPage(DocumentKind::BeeList, { PrintSize::Large, 22 });
    const int statisticsLarge = linesPerPage(DocumentKind::Statistics, { PrintSize::Large, 22 });
    EXPECT_GT(small, large);
    EXPECT_GT(statisticsLarge, large);
}

TEST_F(PrintToPdf, AJobThatCannotBeWrittenIsReportedAsNotPrinted)
{
    TestDocument document(DocumentKind::BeeList, QStringLiteral("cats.bee"), { "CAT" });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(world.folder.file("no such folder/out.pdf")));
    ui::DocumentPrinter printing(world.context, nullptr);
    EXPECT_FALSE(printing.printTo(printer, document));
    ASSERT_EQ(world.prompter.shown.size(), 1u);
    EXPECT_EQ(
        world.prompter.shown[0].text, "'cats.bee' not printed. Error encountered during print.");
    EXPECT_EQ(world.prompter.shown[0].caption, "Print Error");
}

// ---- The print options dialog ------------------------------------------------------------------

class PrintOptions : public ::testing::Test
{
protected:
    std::string iniPath() const { return world.folder.file("Fenwa.ini"); }
    std::string ini() const
    {
        if (!fileExists(iniPath()))
            return {};
        const auto bytes = readBytes(iniPath());
        return std::string(bytes.begin(), bytes.end());
    }
    void writeIni(const std::string& text)
    {
        writeBytes(iniPath(), std::vector<std::uint8_t>(text.begin(), text.end()));
        settings = SettingsFile(iniPath());
    }
    // Runs the dialog with `step` and returns whether it ended with OK.
    bool run(const std::function<void(QDialog*)>& step)
    {
        onNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            step(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return ui::runPrintOptions(world.context, settings, nullptr);
    }
    static void clickOk(QDialog* d)
    {
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    DialogWorld world;
    SettingsFile settings { world.folder.file("Fenwa.ini") };
};

TEST_F(PrintOptions, WithoutStoredOptionsTheDialogShowsAndWritesTheDefaults)
{
    bool shown = false;
    EXPECT_FALSE(run([&](QDialog* d) {
        shown = true;
        EXPECT_EQ(d->windowTitle(), "Print out options ");
        EXPECT_EQ(child<QLineEdit>(d, "marginBox")->text(), "10");
        EXPECT_TRUE(child<QRadioButton>(d, "normalRadio")->isChecked());
        EXPECT_EQ(child<QRadioButton>(d, "smallRadio")->text(), "&Small font size ");
        EXPECT_EQ(child<QRadioButton>(d, "normalRadio")->text(), "&Normal font size    ");
        EXPECT_EQ(child<QRadioButton>(d, "largeRadio")->text(), "&Large font size");
        EXPECT_EQ(child<QLabel>(d, "marginNote")->text(),
            "Note: Margin size in points. 72 points equals approx 1 inch");
        EXPECT_EQ(d->findChild<QGroupBox*>()->title(), "Select font size for printing");
        EXPECT_EQ(child<QLineEdit>(d, "marginBox")->maxLength(), 6);
    }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(ini(), "[Print options]\r\nPrint size=normal\r\nLeft hand Margin=10\r\n");
    EXPECT_EQ(world.session.printSettings, (PrintSettings { PrintSize::Normal, 22 }))
        << "cancelled: printing keeps its start values";

    EXPECT_TRUE(run(clickOk));
    EXPECT_EQ(world.session.printSettings, (PrintSettings { PrintSize::Normal, 10 }));
}

TEST_F(PrintOptions, OkOnUnchangedOptionsLeavesTheFileByteForByte)
{
    const std::string stored = "; kept by hand\r\n[print options]\r\nLeft hand margin = 30\r\n"
                               "print size=large\r\n[Other]\r\nKey=1\r\n";
    writeIni(stored);
    EXPECT_TRUE(run([](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "marginBox")->text(), "30");
        EXPECT_TRUE(child<QRadioButton>(d, "largeRadio")->isChecked());
        clickOk(d);
    }));
    EXPECT_EQ(ini(), stored);
    EXPECT_EQ(world.session.printSettings, (PrintSettings { PrintSize::Large, 30 }));
    EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(PrintOptions, AMarginOutOfRangeKeepsTheDialogOpenAndTheChoiceIsStoredOnOk)
{
    writeIni("[Print options]\nPrint size=normal\nLeft hand Margin=10\n");
    EXPECT_TRUE(run([&](QDialog* d) {
        auto* margin = child<QLineEdit>(d, "marginBox");
        typeInto(margin, QStringLiteral("2x0-0"));
        EXPECT_EQ(margin->text(), "200") << "only digits can be typed";
        clickOk(d);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(world.prompter.shown.size(), 1u);
        EXPECT_EQ(world.prompter.shown[0].text, "Value is not in the range 0 to 142.");
        EXPECT_EQ(d->focusWidget(), margin) << "the cursor goes back to the box";

        typeInto(margin, QStringLiteral("36"));
        // The size's mnemonic picks it from the keyboard (a short press animation).
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d, Qt::Key_S, Qt::AltModifier);
        auto* small = child<QRadioButton>(d, "smallRadio");
        EXPECT_TRUE(QTest::qWaitFor([small] { return small->isChecked(); }, 1000));
        clickOk(d);
    }));
    EXPECT_EQ(settings.readString("Print options", "Left hand Margin", "-", 20), "36");
    EXPECT_EQ(settings.readString("Print options", "Print size", "-", 20), "small");
    EXPECT_EQ(world.session.printSettings, (PrintSettings { PrintSize::Small, 36 }));
}

TEST_F(PrintOptions, HelpOpensThePrintOptionsTopic)
{
    EXPECT_FALSE(run([](QDialog* d) {
        child<QPushButton>(d, "helpButton")->click();
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d, Qt::Key_F1);
    }));
    EXPECT_EQ(world.help.contexts, (std::vector<int> { 260, 260 }));
}

// ---- Sending -----------------------------------------------------------------------------------

// A stand-in xdg-email in a folder of its own, which writes its arguments one to a line into a
// record file and ends with the given exit code.
class Sending : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldPath = qgetenv("PATH");
        QDir().mkpath(bin());
        QDir().mkpath(QString::fromStdString(folder.file("empty")));
    }
    void TearDown() override { qputenv("PATH", m_oldPath); }

    QString bin() const { return QString::fromStdString(folder.file("bin")); }
    QString record() const { return QString::fromStdString(folder.file("record.txt")); }
    void installXdgEmail(int exitCode)
    {
        const QString script = bin() + QStringLiteral("/xdg-email");
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n"
                               "exit %2\n")
                    .arg(record())
                    .arg(exitCode)
                    .toUtf8());
        f.close();
        ASSERT_EQ(::chmod(script.toLocal8Bit().constData(), 0755), 0);
    }
    // The PATH the program starts with: the stand-in's folder (or one without xdg-email) first,
    // then the system's for the shell.
    void startWithPath(const QString& first)
    {
        qputenv(
            "PATH", (first + QLatin1Char(':') + QString::fromLocal8Bit(m_oldPath)).toLocal8Bit());
    }
    QStringList recorded() const
    {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }
    std::string savedFile(const std::string& name)
    {
        const std::string path = folder.file(name);
        writeBytes(path, { 'C', 'A', 'T', '\n' });
        return path;
    }
    // Sends and waits until xdg-email has ended and its outcome was shown.
    void sendAndWait(const TestDocument& document, services::XdgEmailSender& sender)
    {
        ui::sendDocument(document, sender, prompter);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sender.busy(); }, 10000));
    }

    TempFolder folder;
    FakePrompter prompter;

private:
    QByteArray m_oldPath;
};

TEST_F(Sending, TheSavedFileGoesToXdgEmailAsAnAttachment)
{
    installXdgEmail(0);
    startWithPath(bin());
    services::XdgEmailSender sender;
    ASSERT_TRUE(sender.available());
    EXPECT_EQ(sender.program(), bin() + QStringLiteral("/xdg-email"));

    // A name with spaces and a quote reaches the program as one argument: no shell reads it.
    const std::string file = savedFile("my cats' list.bee");
    TestDocument document(DocumentKind::BeeList, QStringLiteral("my cats' list.bee"),
        { QStringLiteral("DOG (not saved)") }, file);
    EXPECT_TRUE(ui::canSend(&document));
    std::optional<SendOutcome> outcome;
    sender.send(file, [&](SendOutcome o) { outcome = o; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
    EXPECT_EQ(outcome->kind, SendOutcome::Kind::Handed);
    EXPECT_EQ(recorded(), (QStringList { "--attach", QString::fromStdString(file) }));

    QFile::remove(record());
    sendAndWait(document, sender);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(recorded().size(), 2);
}

TEST_F(Sending, AFailedHandOffIsReportedClearly)
{
    const std::string file = savedFile("cats.bee");
    const struct
    {
        int exitCode;
        std::string message;
    } cases[] = {
        { 3,
            "The file " + file
                + " was not sent: no mail program was found. Choose a mail program in the "
                  "desktop's settings and try again." },
        { 4, "The file " + file + " was not sent: the mail program could not take it (error 4)." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        prompter.shown.clear();
        installXdgEmail(c.exitCode);
        startWithPath(bin());
        services::XdgEmailSender sender;
        TestDocument document(DocumentKind::Statistics, QStringLiteral("statswnd.txt"), {}, file);
        sendAndWait(document, sender);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, c.message);
        EXPECT_EQ(prompter.shown[0].caption, "Warning!");
    }
}

TEST_F(Sending, WithoutXdgEmailOrWithoutTheFileNothingIsRun)
{
    const std::string file = savedFile("cats.bee");
    TestDocument document(DocumentKind::BeeList, QStringLiteral("cats.bee"), {}, file);

    // No xdg-email on the PATH at start: Send is still offered, and says what is missing.
    qputenv("PATH", folder.file("empty").c_str());
    services::XdgEmailSender missing;
    EXPECT_FALSE(missing.available());
    EXPECT_TRUE(ui::canSend(&document));
    ui::sendDocument(document, missing, prompter);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find("xdg-email"), std::string::npos);

    // xdg-email found at start but not runnable now.
    prompter.shown.clear();
    services::XdgEmailSender broken(QString::fromStdString(file));
    sendAndWait(document, broken);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
        "The file " + file + " was not sent: xdg-email could not be started.");

    // The saved file was removed since: nothing is handed on.
    installXdgEmail(0);
    services::XdgEmailSender sender(bin() + QStringLiteral("/xdg-email"));
    prompter.shown.clear();
    TestDocument gone(
        DocumentKind::BeeList, QStringLiteral("gone.bee"), {}, folder.file("gone.bee"));
    sendAndWait(gone, sender);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find("no longer on the disk"), std::string::npos);
    EXPECT_FALSE(QFile::exists(record()));
}

TEST_F(Sending, OnlyASavedBeeListOrStatisticsFileCanBeSent)
{
    installXdgEmail(0);
    services::XdgEmailSender sender(bin() + QStringLiteral("/xdg-email"));
    const std::string file = savedFile("cats.bee");
    const struct
    {
        const char* name;
        DocumentKind kind;
        std::string file;
        bool offered;
    } cases[] = {
        { "saved bee list", DocumentKind::BeeList, file, true },
        { "saved statistics", DocumentKind::Statistics, file, true },
        { "untitled bee list", DocumentKind::BeeList, "", false },
        { "scrap pad", DocumentKind::ScrapPad, file, false },
    };
    for (const auto& c : cases) {
        TestDocument document(c.kind, QStringLiteral("Doc"), {}, c.file);
        EXPECT_EQ(ui::canSend(&document), c.offered) << c.name;
    }
    EXPECT_FALSE(ui::canSend(nullptr));
}

} // namespace
} // namespace quorvel::test
