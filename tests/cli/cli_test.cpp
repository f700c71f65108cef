// The command-line tool seen from outside: exit statuses, one JSON object per command, and
// nothing changed by a command that fails.

#include "support/temp_folder.h"

#include "config/startup_fields.h"
#include "dictionary/dictionary_ops.h"
#include "review/review_file.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

using namespace quorvel;
using namespace quorvel::test;

namespace {

struct CliRun
{
    int exitCode = -1;
    QJsonObject json;
    std::string out;
    std::string err;
};

CliRun cli(const std::string& folder, const QStringList& arguments)
{
    QProcess p;
    QStringList all { "--json", "--folder", QString::fromStdString(folder) };
    all << arguments;
    p.start(QStringLiteral(QUORVEL_CLI), all);
    p.waitForFinished(60000);
    CliRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    const QByteArray out = p.readAllStandardOutput();
    r.out = out.toStdString();
    r.err = p.readAllStandardError().toStdString();
    r.json = QJsonDocument::fromJson(out).object();
    return r;
}

// A failed command as the README promises it: its exit status, one line on standard error, and
// on standard output (with --json) exactly one JSON object that carries "error". Returns the
// error text.
std::string expectFailure(const CliRun& r, int exitCode)
{
    EXPECT_EQ(r.exitCode, exitCode) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.rfind("quorvel-cli: ", 0), 0u) << r.err;
    QJsonParseError parse {};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &parse);
    EXPECT_EQ(parse.error, QJsonParseError::NoError) << "one JSON object: " << r.out;
    EXPECT_TRUE(doc.isObject()) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    const QString error = doc.object().value("error").toString();
    EXPECT_FALSE(error.isEmpty()) << r.out;
    EXPECT_EQ("quorvel-cli: " + error.toStdString() + "\n", r.err) << "the same message twice";
    return error.toStdString();
}

// A folder with a startup record and a small dictionary.
class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli(dir.path(), { "init" }).exitCode, 0);
        ASSERT_EQ(
            cli(dir.path(),
                { "dict", "create", QString::fromStdString(dir.file("progdata/sonddict.dis")) })
                .exitCode,
            0);
        std::ofstream(dir.file("words.txt"))
            << "cat\ncats\ndog\nbear\ndear\nhello\nworld\nschool\nx-ray\n\nteacher\nzoo\n";
        ASSERT_EQ(
            cli(dir.path(), { "dict", "import", QString::fromStdString(dir.file("words.txt")) })
                .exitCode,
            0);
    }
    TempFolder dir;
};

TEST_F(CliTest, InitCreatesTheRecordOnceAndImportCountsEachOutcome)
{
    EXPECT_EQ(cli(dir.path(), { "init" }).json.value("created").toBool(), false);
    std::ofstream(dir.file("more.txt")) << "cat\nelephant\nno\n";
    const CliRun r
        = cli(dir.path(), { "dict", "import", QString::fromStdString(dir.file("more.txt")) });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json.value("added").toInt(), 1);
    EXPECT_EQ(r.json.value("already").toInt(), 1);
    EXPECT_EQ(r.json.value("unsuitable").toInt(), 1);
}

// As the program's first start does, init gives every user a history file, so that a folder set
// up from the command line records its drills (Auto mode reads them); files there stay as they are.
// A transfer reports each word and moves words only when asked; the dictionary checks clean
// afterwards. A text too large is refused before anything changes.
TEST_F(CliTest, TransferReportsEachWordAndRefusesATextTooLarge)
{
    std::ofstream(dir.file("page.txt")) << "The cat's teacher\r\nmet a zebra.";
    const QString page = QString::fromStdString(dir.file("page.txt"));
    CliRun r = cli(dir.path(), { "dict", "transfer", page });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("lines").toArray(),
        QJsonArray({ "Transferred to dictionary ok    = The",
            "Already in dictionary          = cat", "Failed to transfer word        = s",
            "Already in dictionary          = teacher", "Transferred to dictionary ok    = met",
            "Failed to transfer word        = a", "Transferred to dictionary ok    = zebra" }));
    EXPECT_EQ(r.json.value("total").toInt(), 7);

    r = cli(dir.path(), { "dict", "transfer", page, "--moves", "--category", "4" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("moved").toInt(), 5);
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "zebra" }).json.value("category").toInt(), 4);
    EXPECT_EQ(cli(dir.path(), { "dict", "check" }).exitCode, 0);

    const std::vector<std::uint8_t> before = readBytes(dir.file("progdata/sonddict.dis"));
    {
        std::ofstream big(dir.file("book.txt"), std::ios::binary);
        const std::string block(1 << 20, 'a');
        for (int i = 0; i < 50; ++i)
            big << block << ' ';
    }
    const std::string error = expectFailure(
        cli(dir.path(), { "dict", "transfer", QString::fromStdString(dir.file("book.txt")) }), 2);
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_EQ(readBytes(dir.file("progdata/sonddict.dis")), before);
}

// An additional dictionary's category comes in by name or number: into a free category, which
// takes its name, then again with the force, which moves the words already there. Files that are
// not an additional dictionary are refused with exit 2 and change nothing.
TEST_F(CliTest, ImportAdditionalAddsNamesAndRefusesFilesThatAreNotOne)
{
    const std::string stick = dir.file("stick");
    std::filesystem::create_directories(stick);
    const std::string dis = stick + "/adddict.dis";
    const std::string cfg = stick + "/adddict.cfg";
    const auto additional = buildDictionaryImage(
        { { "ROBIN", 3, 1 }, { "WREN", 3, 1 }, { "CAT", 3, 1 }, { "COD", 3, 2 } }, 20);
    writeBytes(dis, additional);
    std::vector<std::uint8_t> names(1730, 0);
    for (int slot = 0; slot < 64; ++slot) {
        const std::string name = slot == 1 ? "Birds" : slot == 2 ? "Fish" : "Free";
        std::copy(name.begin(), name.end(), names.begin() + slot * 27);
    }
    names[1728] = 1;
    writeBytes(cfg, names);
    const QString folder = QString::fromStdString(stick);

    CliRun r = cli(dir.path(),
        { "dict", "import-additional", folder, "--from-category", "Birds", "--into-category",
            "4" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("successful").toInt(), 2);
    EXPECT_EQ(r.json.value("already").toInt(), 1);
    EXPECT_EQ(r.json.value("unable").toInt(), 0);
    EXPECT_EQ(r.json.value("named").toString(), "Birds");
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "robin" }).json.value("category").toInt(), 4);
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "cod" }).exitCode, 1);
    StartupInfo info;
    ASSERT_EQ(ReadStartupInfo(info, dir.path()), StartupRead::Read);
    EXPECT_EQ(info.categoryName(4), "Birds");

    r = cli(dir.path(),
        { "dict", "import-additional", folder, "--from-category", "1", "--into-category", "Birds",
            "--force" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("successful").toInt(), 0);
    EXPECT_EQ(r.json.value("already").toInt(), 3);
    EXPECT_EQ(r.json.value("moved").toInt(), 1); // CAT, from the main dictionary
    EXPECT_FALSE(r.json.contains("named"));
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "cat" }).json.value("category").toInt(), 4);
    EXPECT_EQ(cli(dir.path(), { "dict", "check" }).exitCode, 0);

    const auto before = readBytes(dir.file("progdata/sonddict.dis"));
    const auto record = readBytes(dir.file("progdata/zelinf32.cfg"));
    const auto working = buildDictionaryImage({ { "ROBIN", 3, 1 } });
    const struct
    {
        const char* name;
        std::string file;
        std::vector<std::uint8_t> bytes;
        QStringList arguments;
        int exitCode;
        const char* message;
    } refusals[] = {
        { "a short category file", cfg, std::vector<std::uint8_t>(names.begin(), names.end() - 1),
            { "--from-category", "1", "--into-category", "5" }, 2,
            "Unable to open additional dictionary config file" },
        { "a working dictionary", dis, working, { "--from-category", "1", "--into-category", "5" },
            2, "is not an additional dictionary" },
        { "a category not there", cfg, names,
            { "--from-category", "Trees", "--into-category", "5" }, 2,
            "no category is named 'Trees'" },
        { "a category with no name into a free one", cfg, names,
            { "--from-category", "7", "--into-category", "10" }, 1, "has no name" },
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        writeBytes(cfg, names);
        writeBytes(dis, additional);
        writeBytes(c.file, c.bytes);
        const std::string error = expectFailure(
            cli(dir.path(), QStringList { "dict", "import-additional", folder } << c.arguments),
            c.exitCode);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(readBytes(dir.file("progdata/sonddict.dis")), before);
        EXPECT_EQ(readBytes(dir.file("progdata/zelinf32.cfg")), record);
    }
}

// A teacher prepares an import from the command line alone: an additional dictionary, its words,
// a name for their category; the import then finds the category by that name. A names file
// that is not one is refused and kept as it is.
TEST_F(CliTest, AnImportPreparedFromTheCommandLineComesInByItsCategoryName)
{
    const std::string stick = dir.file("stick");
    std::filesystem::create_directories(stick);
    const QString folder = QString::fromStdString(stick);
    const QString dis = QString::fromStdString(stick + "/adddict.dis");
    std::ofstream(dir.file("animals.txt")) << "wombat\nplatypus\nnumbat\n"; // a word a line
    ASSERT_EQ(cli(dir.path(), { "dict", "create", dis, "--additional" }).exitCode, 0);
    CliRun r = cli(dir.path(),
        { "--dictionary", dis, "dict", "import", QString::fromStdString(dir.file("animals.txt")),
            "--category", "2" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = cli(dir.path(),
        { "dict", "name-additional", folder, "--category", "2", "--name", "Australian animals" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("named").toString(), "Australian animals");

    r = cli(dir.path(),
        { "dict", "import-additional", folder, "--from-category", "Australian animals",
            "--into-category", "4" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("successful").toInt(), 3);
    EXPECT_EQ(r.json.value("named").toString(), "Australian animals");
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "numbat" }).json.value("category").toInt(), 4);

    const std::string cfg = stick + "/adddict.cfg";
    const std::vector<std::uint8_t> good = readBytes(cfg);
    const std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 1);
    writeBytes(cfg, shortFile);
    std::string error = expectFailure(
        cli(dir.path(), { "dict", "name-additional", folder, "--category", "3", "--name", "Fish" }),
        2);
    EXPECT_NE(error.find("holds 1729 bytes"), std::string::npos) << error;
    EXPECT_EQ(readBytes(cfg), shortFile);
    writeBytes(cfg, good);
    error = expectFailure(cli(dir.path(),
                              { "dict", "name-additional", folder, "--category", "3", "--name",
                                  QString(27, QLatin1Char('a')) }),
        2);
    EXPECT_NE(error.find("1 to 26 characters"), std::string::npos) << error;
    EXPECT_EQ(readBytes(cfg), good);
}

TEST_F(CliTest, InitGivesEveryUserAHistoryFileAndKeepsExistingOnes)
{
    for (char slot = '0'; slot <= '9'; ++slot)
        EXPECT_TRUE(fileExists(dir.file(std::string("progdata/histuse") + slot + ".his"))) << slot;
    EXPECT_EQ(
        cli(dir.path(), { "history", "show", "--user", "6" }).json.value("records").toInt(), 20);
    ASSERT_EQ(cli(dir.path(),
                  { "history", "append", "--user", "6", "--words", "5", "--correct", "3", "--min",
                      "4", "--max", "6", "--percent", "40", "--type", "1", "--level", "1" })
                  .exitCode,
        0);

    ASSERT_EQ(
        cli(dir.path(), { "history", "generate", "--user", "2", "--records", "3" }).exitCode, 0);
    std::filesystem::remove(dir.file("progdata/histuse4.his"));
    const auto kept2 = readBytes(dir.file("progdata/histuse2.his"));
    const auto kept6 = readBytes(dir.file("progdata/histuse6.his"));
    const CliRun again = cli(dir.path(), { "init" });
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_FALSE(again.json.value("created").toBool());
    EXPECT_EQ(again.json.value("historyFiles").toArray(), (QJsonArray { 4 }))
        << "only the missing one";
    EXPECT_EQ(readBytes(dir.file("progdata/histuse2.his")), kept2);
    EXPECT_EQ(readBytes(dir.file("progdata/histuse6.his")), kept6);
    EXPECT_EQ(
        cli(dir.path(), { "history", "show", "--user", "4" }).json.value("records").toInt(), 20);
}

TEST_F(CliTest, ExitStatusFollowsTheResult)
{
    struct Case
    {
        QStringList args;
        int exitCode;
        int result; // -1: no result field
    };
    const Case cases[] = {
        { { "dict", "find", "cat" }, 0, 1 },
        { { "dict", "find", "cow" }, 1, 0 },
        { { "dict", "find", "x-ray" }, 1, 3 },
        { { "dict", "add", "cat" }, 1, 5 },
        { { "dict", "add", "cow", "--category", "9" }, 0, 1 },
        { { "dict", "find", "cow" }, 0, 2 },
        { { "dict", "remove", "ox" }, 1, 3 },
        { { "dict", "remove", "cow" }, 0, 1 },
        { { "dict", "amend", "cow", "--language", "1" }, 1, 0 },
        { { "dict", "add", "cow", "--category", "64" }, 2, -1 },
        { { "dict", "frob" }, 2, -1 },
        { { "dict", "status", "cat", "--user", "10", "--set", "2" }, 2, -1 },
    };
    for (const Case& c : cases) {
        const CliRun r = cli(dir.path(), c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        if (c.exitCode != 0)
            expectFailure(r, c.exitCode);
        else
            EXPECT_TRUE(r.err.empty()) << r.err;
        if (c.result >= 0)
            EXPECT_EQ(r.json.value("result").toInt(-1), c.result);
        else
            EXPECT_FALSE(r.json.contains("result")) << "a usage error has no result code";
    }
}

TEST_F(CliTest, EveryFailureSaysWhyOnceAndPrintsOneJsonObject)
{
    QDir().mkpath(QString::fromStdString(dir.file("folder")));
    struct Case
    {
        QStringList args;
        int exitCode;
        const char* says; // a piece of the message
    };
    const Case cases[] = {
        { { "dict", "find", "cow" }, 1, "cow" },
        { { "dict", "add", "cat" }, 1, "cat" },
        { { "dict", "remove", "ox" }, 1, "ox" },
        { { "dict", "status", "cow", "--user", "1", "--set", "2" }, 1, "cow" },
        { { "dict", "find" }, 2, "missing word" },
        { { "dict", "import", QString::fromStdString(dir.file("folder")) }, 2, "folder" },
        { { "dict", "import", QString::fromStdString(dir.file("none.txt")) }, 2, "none.txt" },
        { { "frob" }, 2, "frob" },
        { { "--folder" }, 2, "--folder" },
        { { "list", "show", "--user", "5" }, 2, "worduse5.wrd" },
        { { "list", "apply", "--user", "5" }, 2, "worduse5.wrd" },
        { { "list", "mark", "--user", "5", "--results", "10" }, 2, "worduse5.wrd" },
        { { "startup", "set", "startupUser", "10" }, 2, "startupUser" },
        { { "history", "append", "--user", "1", "--words", "5", "--correct", "3", "--min", "4",
              "--max", "6", "--percent", "40", "--type", "9", "--level", "1" },
            2, "--type" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(dir.path(), c.args);
        EXPECT_NE(expectFailure(r, c.exitCode).find(c.says), std::string::npos) << r.err;
    }
}

TEST_F(CliTest, StatusAndAmendKeepEachOther)
{
    EXPECT_EQ(
        cli(dir.path(), { "dict", "status", "dog", "--user", "3", "--set", "3" }).exitCode, 0);
    EXPECT_EQ(cli(dir.path(), { "dict", "amend", "dog", "--category", "5", "--sound-index", "17" })
                  .exitCode,
        0);
    const CliRun r = cli(dir.path(), { "dict", "find", "dog" });
    EXPECT_EQ(r.json.value("result").toInt(), 2);
    EXPECT_EQ(r.json.value("category").toInt(), 5);
    EXPECT_EQ(r.json.value("soundIndex").toInt(), 17);
    EXPECT_EQ(r.json.value("statuses").toArray().at(3).toInt(), 3);
    // A word with a sound linked cannot be removed.
    EXPECT_EQ(cli(dir.path(), { "dict", "remove", "dog" }).json.value("result").toInt(), 7);
    EXPECT_TRUE(cli(dir.path(), { "dict", "check" }).json.value("ok").toBool());
}

TEST_F(CliTest, WalkGoesOnceRoundFromTheStartWord)
{
    const CliRun r = cli(dir.path(), { "dict", "walk", "--start", "hello" });
    EXPECT_EQ(r.exitCode, 0);
    QStringList words;
    for (const QJsonValue& v : r.json.value("words").toArray())
        words << v.toString();
    EXPECT_EQ(words.join(' '), "HELLO SCHOOL TEACHER WORLD ZOO BEAR CAT CATS DEAR DOG");
}

TEST_F(CliTest, ListGenerateMarkApplyMovesStatuses)
{
    ASSERT_EQ(
        cli(dir.path(), { "startup", "set", "listSetup.minLetters", "3", "--user", "2" }).exitCode,
        0);
    ASSERT_EQ(
        cli(dir.path(), { "startup", "set", "listSetup.listSize", "3", "--user", "2" }).exitCode,
        0);
    const CliRun generated = cli(dir.path(), { "list", "generate", "--user", "2", "--seed", "7" });
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    const QJsonArray words = generated.json.value("words").toArray();
    ASSERT_EQ(generated.json.value("count").toInt(), 3);
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(cli(dir.path(), { "list", "generate", "--user", "2", "--seed", "7" })
                  .json.value("words")
                  .toArray(),
        words)
        << "the same seed draws the same list";

    EXPECT_EQ(cli(dir.path(), { "list", "mark", "--user", "2", "--results", "10" }).exitCode, 2)
        << "three words, two results";
    ASSERT_EQ(cli(dir.path(), { "list", "mark", "--user", "2", "--results", "101" }).exitCode, 0);
    const auto listState = [&] {
        return cli(dir.path(), { "list", "show", "--user", "2" })
            .json.value("header")
            .toObject()
            .value("state")
            .toInt();
    };
    EXPECT_EQ(listState(), 1) << "marked, still waiting to be applied";
    ASSERT_EQ(cli(dir.path(), { "list", "apply", "--user", "2" }).exitCode, 0);
    EXPECT_EQ(listState(), 2) << "applied: spelt once, as at the end of a drill's first pass";
    const int expected[] = { 2, 0, 2 }; // Neutral answered right, wrong, right
    for (int i = 0; i < 3; ++i) {
        const CliRun f = cli(dir.path(), { "dict", "find", words.at(i).toString() });
        EXPECT_EQ(f.json.value("statuses").toArray().at(2).toInt(), expected[i])
            << words.at(i).toString().toStdString();
        EXPECT_EQ(f.json.value("statuses").toArray().at(1).toInt(), 1)
            << "other users keep their status";
    }
}

// A list made from a file's words, as from a window: the whole text, a selection, or from a caret;
// a file that is no text, or a text without a usable word, leaves the last list as it was.
TEST_F(CliTest, ListMakeTakesAFilesWords)
{
    ASSERT_EQ(
        cli(dir.path(), { "startup", "set", "listSetup.minLetters", "3", "--user", "1" }).exitCode,
        0);
    const QString text = QString::fromStdString(dir.file("animals.txt"));
    std::ofstream(dir.file("animals.txt"), std::ios::binary)
        << "cat dog Mouse mouse horse-rider\r\nna\xEFve don't\r\n";
    const auto made = [&](const QStringList& extra) {
        const CliRun r
            = cli(dir.path(), QStringList { "list", "make", "--user", "1", text } + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        QStringList words;
        for (const auto& v : r.json.value("words").toArray())
            words << v.toString();
        return words.join(' ').toStdString();
    };
    EXPECT_EQ(made({}), "CAT DOG MOUSE HORSE RIDER DON");
    EXPECT_EQ(made({ "--from", "4", "--to", "15" }), "DOG MOUSE");
    EXPECT_EQ(made({ "--from", "10", "--list-type", "5" }), "USE MOUSE HORSE RIDER DON");
    const CliRun shown = cli(dir.path(), { "list", "show", "--user", "1" });
    EXPECT_EQ(shown.json.value("header").toObject().value("state").toInt(), 4);
    EXPECT_EQ(shown.json.value("header").toObject().value("listType").toInt(), 5);

    const std::string wordFile = dir.file("progdata/worduse1.wrd");
    const auto before = readBytes(wordFile);
    std::ofstream(dir.file("picture.bee"), std::ios::binary)
        << std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x02\x80\x08\x06", 22);
    std::ofstream(dir.file("numbers.txt")) << "12 345 6789\n";
    struct Case
    {
        std::string file;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        { dir.file("picture.bee"), 2, "It is not a text file" },
        { dir.file("gone.bee"), 2, "There is no such file." },
        { dir.path(), 2, "This is a folder" },
        { dir.file("numbers.txt"), 1,
            "Unable to produce a Spelling Bee list Check your minimum and maximum word lengths" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string error = expectFailure(
            cli(dir.path(), { "list", "make", "--user", "1", QString::fromStdString(c.file) }),
            c.exitCode);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_EQ(readBytes(wordFile), before);
    }
    expectFailure(cli(dir.path(), { "list", "make", "--user", "1", text, "--from", "60" }), 2);
}

TEST_F(CliTest, ListApplyTakesOnlyAMarkedFreshListAndOnlyOnce)
{
    ASSERT_EQ(cli(dir.path(), { "dict", "add", "camel" }).exitCode, 0);
    for (const char* setting : { "listSetup.minLetters=3", "listSetup.listSize=50" }) {
        const QStringList pair = QString(setting).split('=');
        ASSERT_EQ(
            cli(dir.path(), { "startup", "set", pair[0], pair[1], "--user", "2" }).exitCode, 0);
    }
    const std::string dictionary = dir.file("progdata/sonddict.dis");
    const std::string list = dir.file("progdata/worduse2.wrd");
    const auto refused = [&](const QStringList& args, const char* says) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto dictionaryBefore = readBytes(dictionary);
        const auto listBefore = readBytes(list);
        EXPECT_NE(expectFailure(cli(dir.path(), args), 1).find(says), std::string::npos);
        EXPECT_EQ(readBytes(dictionary), dictionaryBefore) << "nothing changed";
        EXPECT_EQ(readBytes(list), listBefore) << "nothing changed";
    };
    const QStringList apply { "list", "apply", "--user", "2" };
    const auto allRight = [&] {
        const CliRun r = cli(dir.path(), { "list", "generate", "--user", "2", "--seed", "5" });
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const QJsonArray words = r.json.value("words").toArray();
        EXPECT_TRUE(words.contains(QJsonValue("CAMEL")) || words.contains(QJsonValue("CAMEO")));
        return QStringList { "list", "mark", "--user", "2", "--results",
            QString(words.size(), '1') };
    };
    const auto statusOfUser2 = [&](const char* word) {
        return cli(dir.path(), { "dict", "find", word })
            .json.value("statuses")
            .toArray()
            .at(2)
            .toInt();
    };

    const QStringList mark = allRight();
    refused(apply, "list mark"); // a fresh list nobody has marked
    ASSERT_EQ(cli(dir.path(), mark).exitCode, 0);
    // CAMEO takes the record CAMEL left: the list no longer means what it says.
    ASSERT_EQ(cli(dir.path(), { "dict", "remove", "camel" }).exitCode, 0);
    ASSERT_EQ(cli(dir.path(), { "dict", "add", "cameo" }).exitCode, 0);
    refused(apply, "used up");
    EXPECT_EQ(statusOfUser2("cameo"), 1) << "CAMEL's result did not land on CAMEO";
    refused(mark, "used up");

    ASSERT_EQ(cli(dir.path(), allRight()).exitCode, 0);
    ASSERT_EQ(cli(dir.path(), apply).exitCode, 0);
    EXPECT_EQ(statusOfUser2("cameo"), 2);
    EXPECT_EQ(statusOfUser2("dog"), 2);
    refused(apply, "spelt once"); // the same pass applied twice
    refused(mark, "spelt once");
}

// A program that changed the dictionary without marking the list used up (or could not): the
// list's words are no longer where it found them, and apply refuses it before writing anything.
TEST_F(CliTest, ListApplyOfAListOutOfDateWritesNothing)
{
    ASSERT_EQ(cli(dir.path(), { "dict", "add", "camel" }).exitCode, 0);
    for (const char* setting : { "listSetup.minLetters=3", "listSetup.listSize=50" }) {
        const QStringList pair = QString(setting).split('=');
        ASSERT_EQ(
            cli(dir.path(), { "startup", "set", pair[0], pair[1], "--user", "2" }).exitCode, 0);
    }
    const CliRun generated = cli(dir.path(), { "list", "generate", "--user", "2", "--seed", "5" });
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    const QJsonArray words = generated.json.value("words").toArray();
    ASSERT_TRUE(words.contains(QJsonValue("CAMEL")));
    ASSERT_EQ(
        cli(dir.path(), { "list", "mark", "--user", "2", "--results", QString(words.size(), '1') })
            .exitCode,
        0);
    const std::string list = dir.file("progdata/worduse2.wrd");
    const auto marked = readBytes(list);
    // CAMEO takes the record CAMEL left; the list is put back as it was before the change.
    ASSERT_EQ(cli(dir.path(), { "dict", "remove", "camel" }).exitCode, 0);
    ASSERT_EQ(cli(dir.path(), { "dict", "add", "cameo" }).exitCode, 0);
    writeBytes(list, marked);
    const auto dictionary = readBytes(dir.file("progdata/sonddict.dis"));

    const std::string error = expectFailure(cli(dir.path(), { "list", "apply", "--user", "2" }), 1);
    EXPECT_NE(error.find("out of date"), std::string::npos) << error;
    EXPECT_NE(error.find("CAMEL"), std::string::npos) << error;
    EXPECT_EQ(readBytes(dir.file("progdata/sonddict.dis")), dictionary);
    EXPECT_EQ(readBytes(list), marked);
}

// A change that happened is reported as such when what follows it fails: the users' lists that
// cannot be marked used up (a folder where user 3's word file belongs), or a free list that
// cannot take the removed word's record.
TEST_F(CliTest, ChangesSayWhatHappenedWhenWhatFollowsFails)
{
    QDir().mkpath(QString::fromStdString(dir.file("progdata/worduse3.wrd")));
    std::ofstream(dir.file("more.txt")) << "elephant\n";
    const struct
    {
        QStringList args;
        const char* says;
        const char* word; // afterwards found with this result
        int found;
    } cases[] = {
        { { "dict", "add", "camel" }, "camel was added, but the users' lists", "camel", 1 },
        { { "dict", "amend", "camel", "--category", "5" }, "camel was amended, but", "camel", 2 },
        { { "dict", "remove", "camel" }, "camel was removed, but", "camel", 0 },
        { { "dict", "import", QString::fromStdString(dir.file("more.txt")) },
            "1 words were added, but", "elephant", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const std::string error = expectFailure(cli(dir.path(), c.args), 2);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_NE(error.find("worduse3.wrd"), std::string::npos) << error;
        EXPECT_EQ(
            cli(dir.path(), { "dict", "find", c.word }).json.value("result").toInt(), c.found);
    }
    // A status moves no record: the lists need no marking.
    EXPECT_EQ(
        cli(dir.path(), { "dict", "status", "cat", "--user", "3", "--set", "0" }).exitCode, 0);
    QDir(QString::fromStdString(dir.file("progdata/worduse3.wrd"))).removeRecursively();

    // The free list's head points past the end of the file: CAT leaves its chain, and its record
    // cannot go onto the list.
    const std::string path = dir.file("progdata/sonddict.dis");
    auto bytes = readBytes(path);
    const auto past = static_cast<std::uint32_t>(bytes.size() + 100);
    for (int i = 0; i < 4; ++i)
        bytes[8 + i] = static_cast<std::uint8_t>(past >> (8 * i));
    writeBytes(path, bytes);
    const CliRun removed = cli(dir.path(), { "dict", "remove", "cat" });
    EXPECT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(removed.json.value("result").toInt(), 1);
    EXPECT_NE(removed.json.value("warning").toString().toStdString().find("cat was removed, but"),
        std::string::npos)
        << removed.out;
    EXPECT_NE(removed.err.find("free list"), std::string::npos) << removed.err;
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "cat" }).json.value("result").toInt(), 0);

    // The check sees the damaged list; the repair cuts it, and the dictionary works again.
    const std::string check = expectFailure(cli(dir.path(), { "dict", "check" }), 1);
    EXPECT_NE(check.find("dict repair mends it"), std::string::npos) << check;
    const CliRun repaired = cli(dir.path(), { "dict", "repair" });
    EXPECT_EQ(repaired.exitCode, 0) << repaired.err;
    EXPECT_TRUE(repaired.json.value("ok").toBool());
    const std::string copy = repaired.json.value("copy").toString().toStdString();
    EXPECT_EQ(copy.rfind(path + ".damaged-", 0), 0u) << copy;
    EXPECT_EQ(readBytes(copy)[8], bytes[8]) << "the copy is the file as it was";
    EXPECT_EQ(cli(dir.path(), { "dict", "check" }).exitCode, 0);
    EXPECT_EQ(cli(dir.path(), { "dict", "add", "cat" }).exitCode, 0);
}

// A kill while CAT moved to category 5 left it in both tables, the main copy already marked with
// its new category. The check says so, distinctly; the same amend again, or a repair, finishes
// the move; a repair leaves what it cannot mend without a guess, and copies nothing then.
TEST_F(CliTest, CheckAndRepairOfAMoveCutShort)
{
    ASSERT_EQ(
        cli(dir.path(), { "dict", "status", "cat", "--user", "4", "--set", "3" }).exitCode, 0);
    const std::string path = dir.file("progdata/sonddict.dis");
    {
        auto file = openDictionaryFile(path, false);
        ASSERT_TRUE(file);
        CurrentWordInfo info;
        std::uint32_t at = 0;
        ASSERT_EQ(FindWord(*file, "CAT", info, &at), FindResult::InMain);
        WordRecordHeader header;
        ASSERT_TRUE(ReadRecordHeader(*file, at, header));
        header.setCategory(5);
        ASSERT_TRUE(writeWithRetry(*file, at + 4, header.flags, 4));
        ASSERT_EQ(InsertRecord(*file, ReadTableOffset(*file, Table::Category), BucketOffset("CAT"),
                      header, "T"),
            InsertResult::Inserted);
    }
    const auto cutShort = readBytes(path);
    const auto damagedCopies = [&] {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.file("progdata")))
            n += e.path().filename().string().find(".damaged-") != std::string::npos;
        return n;
    };

    const CliRun checked = cli(dir.path(), { "dict", "check" });
    EXPECT_NE(expectFailure(checked, 1).find("cut short"), std::string::npos) << checked.err;
    EXPECT_EQ(checked.json.value("interrupted").toArray(), (QJsonArray { "CAT" }));
    EXPECT_TRUE(checked.json.value("mendable").toBool());
    const CliRun found = cli(dir.path(), { "dict", "find", "cat" });
    EXPECT_EQ(found.json.value("result").toInt(), 2) << "the copy whose table fits its category";
    EXPECT_EQ(found.json.value("statuses").toArray().at(4).toInt(), 3);

    for (const bool byRepair : { false, true }) {
        SCOPED_TRACE(byRepair ? "dict repair" : "the same amend again");
        writeBytes(path, cutShort);
        const CliRun r = byRepair ? cli(dir.path(), { "dict", "repair" })
                                  : cli(dir.path(), { "dict", "amend", "cat", "--category", "5" });
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(cli(dir.path(), { "dict", "check" }).exitCode, 0);
        const CliRun after = cli(dir.path(), { "dict", "find", "cat" });
        EXPECT_EQ(after.json.value("result").toInt(), 2);
        EXPECT_EQ(after.json.value("category").toInt(), 5);
        EXPECT_EQ(after.json.value("statuses").toArray().at(4).toInt(), 3);
        EXPECT_EQ(damagedCopies(), byRepair ? 1 : 0);
    }

    // Nothing to mend: no copy, exit 0.
    EXPECT_EQ(cli(dir.path(), { "dict", "repair" }).exitCode, 0);
    EXPECT_EQ(damagedCopies(), 1);
    // A chain that comes back on itself needs a person: reported, left, no copy.
    auto looped = readBytes(path);
    const std::uint32_t slot = 20 + BucketOffset("CAT");
    std::uint32_t first = 0;
    for (int i = 0; i < 4; ++i)
        first |= std::uint32_t(looped[slot + i]) << (8 * i);
    for (int i = 0; i < 4; ++i)
        looped[first + i] = looped[slot + i];
    writeBytes(path, looped);
    const std::string left = expectFailure(cli(dir.path(), { "dict", "repair" }), 1);
    EXPECT_NE(left.find("need a person"), std::string::npos) << left;
    EXPECT_EQ(readBytes(path), looped);
    EXPECT_EQ(damagedCopies(), 1);
}

TEST_F(CliTest, ListMarkChecksTheWholeListBeforeWritingAnything)
{
    ASSERT_EQ(
        cli(dir.path(), { "startup", "set", "listSetup.listSize", "3", "--user", "2" }).exitCode,
        0);
    ASSERT_EQ(cli(dir.path(), { "list", "generate", "--user", "2" }).exitCode, 0);
    // The second record claims to be the list's eighth.
    const std::string list = dir.file("progdata/worduse2.wrd");
    auto bytes = readBytes(list);
    ASSERT_GT(bytes.size(), 14u + 106u + 93u);
    bytes[14 + 106 + 92] = 7;
    writeBytes(list, bytes);
    for (const QStringList& args :
        { QStringList { "list", "mark", "--user", "2", "--results", "111" },
            QStringList { "list", "apply", "--user", "2" } }) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const std::string error = expectFailure(cli(dir.path(), args), 2);
        EXPECT_NE(error.find("worduse2.wrd"), std::string::npos) << error;
        EXPECT_NE(error.find("index 7"), std::string::npos) << error;
        EXPECT_EQ(readBytes(list), bytes) << "no result was written";
    }
}

TEST_F(CliTest, StartupSetChangesOneFieldAndRefusesBadValues)
{
    const auto before = readBytes(dir.file("progdata/zelinf32.cfg"));
    EXPECT_EQ(cli(dir.path(), { "startup", "set", "userNames", "Ann", "--user", "4" }).exitCode, 0);
    auto after = readBytes(dir.file("progdata/zelinf32.cfg"));
    ASSERT_EQ(after.size(), 6758u);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        changed += before[i] != after[i];
    EXPECT_GT(changed, 0u);
    EXPECT_LE(changed, 30u) << "only the one name's bytes change";
    EXPECT_EQ(
        cli(dir.path(), { "startup", "show", "--user", "4" }).json.value("userNames").toString(),
        "Ann");

    for (const QStringList& bad : { QStringList { "startup", "set", "userNames", "Ann" },
             QStringList { "startup", "set", "nosuchfield", "1" },
             QStringList { "startup", "set", "startupUser", "70000" },
             QStringList { "startup", "set", "userNames", QString(40, 'x'), "--user", "1" } }) {
        EXPECT_EQ(cli(dir.path(), bad).exitCode, 2) << bad.join(' ').toStdString();
    }
    EXPECT_EQ(readBytes(dir.file("progdata/zelinf32.cfg")), after)
        << "a refused change writes nothing";
}

// Every field `startup set` knows, at the edges of what it takes. Each value is tried on the
// record as `init` made it (after the row's `before` settings): a refused value exits 2 naming the
// field and what it takes (or the rule it breaks) and leaves the file as it was; an accepted one is
// stored ("given>stored" when the record keeps it otherwise).
TEST_F(CliTest, StartupSetKeepsEveryFieldInsideWhatItTakes)
{
    struct Row
    {
        const char* field;
        const char* slot; // "--user", "--category" or ""
        QStringList refused;
        QStringList accepted;
        QStringList before = {}; // "field=value" settings made first, in the same slot
    };
    const QString x26(26, 'x'), x29(29, 'x'), a40(40, 'A'), p10 = "Abcdefghi1", path256(256, 'p');
    const QStringList flag { "2", "-1", "x", "" };
    const QStringList paths { "", path256 + "p", "a\tb" };
    const Row rows[] = {
        { "categoryNames", "--category", { "", x26 + "x", "Cafe!" }, { "x", x26, "U.S basics" } },
        { "startupUser", "", { "10", "65535", "-1", "abc", "", " 1", "+1" }, { "0", "9" } },
        { "dictionaryOpened", "", flag, { "0", "1" } },
        { "systemPasswordOn", "", flag, { "1", "0" } },
        { "systemPasswordOn", "", { "1" }, { "0" }, { "systemPassword=" } },
        { "additionalDictPath", "", paths, { "A:", path256 } },
        { "waveformPath", "", paths, { "/sounds/", path256 } },
        { "dataFolder", "", paths, { "/data", path256 } },
        { "dictionaryFolder", "", paths, { "/data", path256 } },
        { "soundOn", "--user", flag, { "0", "1" } },
        { "promotionThreshold", "", { "0", "101", "20", "9x" }, { "21", "100", "050>50" } },
        { "demotionThreshold", "", { "0", "101", "90" }, { "1", "89" } },
        { "userNames", "--user", { "Al", x29 + "x", "Ann!", "Ann\nBo" },
            { "Ann", x29, "O'Neil Jr" } },
        { "drillWindowLayout", "--user", { "6", "-1" }, { "0", "5" } },
        { "passwordOn", "--user", { "1", "2" }, { "0" } },
        { "passwordOn", "--user", { "2" }, { "1", "0" }, { "userPasswords=Secret1" } },
        { "systemPassword", "", { "abc def", p10 + "x", "P@ss" }, { "", "Admin2", p10 } },
        { "systemPassword", "", { "" }, { "Admin2" }, { "systemPasswordOn=1" } },
        { "browseWord", "--user", { "", a40 + "A" }, { "ZEBRA", a40 } },
        { "drillLanguage", "--user", { "0", "3", "7" }, { "1", "2" } },
        { "workingCategory", "--user", { "64", "-1" }, { "0", "63" } },
        { "userPasswords", "--user", { "abc def", p10 + "x" }, { "", "Secret1", p10 } },
        { "userPasswords", "--user", { "" }, { "Other1" },
            { "userPasswords=Secret1", "passwordOn=1" } },
        { "displaySetup.wordShowTime", "--user", { "0", "21", "1.5" }, { "1", "20" } },
        { "displaySetup.answerDelay", "--user", { "0", "21" }, { "1", "20" } },
        { "displaySetup.spellTime", "--user", { "0", "91" }, { "1", "90" } },
        { "displaySetup.betweenWords", "--user", { "0", "21" }, { "1", "20" } },
        { "displaySetup.upperCase", "--user", { "0", "2" }, { "1" } },
        { "displaySetup.lowerCase", "--user", { "2" }, { "1", "0" } },
        { "listSetup.minLetters", "--user", { "2", "13", "11", "abc", "" }, { "3", "10", "04>4" } },
        { "listSetup.maxLetters", "--user", { "3", "38", "7" }, { "8", "37" },
            { "listSetup.minLetters=8" } },
        { "listSetup.listSize", "--user", { "0", "51" }, { "1", "50" } },
        { "listSetup.oneLetter", "--user", { "", "a", "AB", "1" }, { "Z" } },
        { "listSetup.predefined", "--user", { "", "C1M", "c?m", "ABCDEFGHIJKL" },
            { "?", "C?M", "ABCDEFGHIJK" } },
        { "listSetup.typeFailures", "--user", { "2" }, { "1", "0" } },
        { "listSetup.typePredefined", "--user", { "2" }, { "1", "0" } },
        { "listSetup.typeOneLetter", "--user", { "2" }, { "1", "0" } },
        { "listSetup.typeRandom", "--user", { "0", "2" }, { "1" } },
        { "listOptions.adjustPractice", "--user", { "2" }, { "1", "0" } },
        { "listOptions.adjustManual", "--user", { "0", "2" }, { "1" } },
        { "listOptions.adjustAuto", "--user", { "2" }, { "1", "0" } },
        { "listOptions.repeatAll", "--user", { "0", "2" }, { "1" } },
        { "listOptions.repeatFailures", "--user", { "2" }, { "1", "0" } },
        { "listOptions.levelElementary", "--user", { "0", "2" }, { "1" } },
        { "listOptions.levelIntermediate", "--user", { "2" }, { "1", "0" } },
        { "listOptions.levelAdvanced", "--user", { "2" }, { "1", "0" } },
        { "listOptions.languageUK", "--user", { "2" }, { "1", "0" } },
        { "listOptions.languageUS", "--user", { "0", "2" }, { "1" } },
        { "listOptions.showLanguageFlag", "--user", flag, { "0", "1" } },
        { "learnSetup.learnFlash", "--user", { "2" }, { "1", "0" } },
        { "learnSetup.learnRipple", "--user", { "0", "2" }, { "1" } },
        { "learnSetup.learnContinuous", "--user", { "2" }, { "1", "0" } },
        { "learnSetup.continuousTime", "--user", { "0", "16" }, { "1", "15" } },
        { "learnSetup.flashDurationText", "--user", { "0", "501" }, { "1", "500" } },
        { "learnSetup.flashCountText", "--user", { "0", "11" }, { "1", "10" } },
        { "learnSetup.rippleDurationText", "--user", { "0", "501" }, { "1", "500" } },
        { "learnSetup.rippleCountText", "--user", { "0", "11" }, { "1", "10" } },
        { "learnSetup.flashDuration", "--user",
            { "1,500", "0,500,360", "1,501,360", "1,500,600", "10,5,7", "a,b,c", "1,500,360," },
            { "1,500,360", "1,1,1" } },
        { "learnSetup.flashCount", "--user", { "1,11,2", "0,10,2" }, { "1,10,10", "1,10,1" } },
        { "learnSetup.rippleDuration", "--user", { "1,500,0", "1,501,2" }, { "1,500,500" } },
        { "learnSetup.rippleCount", "--user", { "2,10,1", "1,11,1" }, { "1,10,1" } },
    };

    const std::string record = dir.file("progdata/zelinf32.cfg");
    const auto fresh = readBytes(record);
    // The command line of one setting, in slot 3 (category 3) of per-slot fields.
    const auto setting = [](const QString& field, const char* slot, const QString& value) {
        QStringList args { "startup", "set", field, value };
        if (*slot)
            args << slot << "3";
        return args;
    };
    std::set<std::string> covered;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        covered.insert(row.field);
        const StartupField* field = findStartupField(row.field);
        ASSERT_NE(field, nullptr);
        const auto prepare = [&] {
            writeBytes(record, fresh);
            for (const QString& b : row.before) {
                const QStringList pair = b.split('=');
                ASSERT_EQ(cli(dir.path(), setting(pair[0], row.slot, pair[1])).exitCode, 0)
                    << b.toStdString();
            }
        };
        for (const QString& value : row.refused) {
            SCOPED_TRACE("refused '" + value.toStdString() + "'");
            prepare();
            const auto before = readBytes(record);
            const std::string error
                = expectFailure(cli(dir.path(), setting(row.field, row.slot, value)), 2);
            EXPECT_EQ(error.rfind(row.field, 0), 0u) << "names the field: " << error;
            const bool saysRange = error.find(allowedValues(*field)) != std::string::npos;
            const bool saysPartner = !field->range.partner.empty()
                && error.find(field->range.partner) != std::string::npos;
            const bool saysGroup
                = field->range.group != 0 && error.find("group") != std::string::npos;
            const bool saysRule = saysPartner || saysGroup;
            EXPECT_TRUE(saysRange || saysRule) << error;
            EXPECT_EQ(readBytes(record), before) << "a refused value writes nothing";
        }
        for (const QString& accepted : row.accepted) {
            const QString value = accepted.section('>', 0, 0);
            const QString stored = accepted.contains('>') ? accepted.section('>', 1) : value;
            SCOPED_TRACE("accepted '" + value.toStdString() + "'");
            prepare();
            const CliRun r = cli(dir.path(), setting(row.field, row.slot, value));
            EXPECT_EQ(r.exitCode, 0) << r.err;
            const QJsonValue shown = r.json.value("value");
            if (field->kind == StartupFieldKind::Password) {
                EXPECT_EQ(shown.toString().isEmpty(), value.isEmpty()) << "stored scrambled";
            } else if (shown.isArray()) {
                QStringList parts;
                for (const QJsonValue& v : shown.toArray())
                    parts << QString::number(v.toInteger());
                EXPECT_EQ(parts.join(','), stored);
            } else {
                EXPECT_EQ(
                    shown.isDouble() ? QString::number(shown.toInt()) : shown.toString(), stored);
            }
        }
    }
    for (const StartupField& f : startupFields())
        EXPECT_TRUE(covered.count(std::string(f.name))) << f.name << " has no row";
}

TEST_F(CliTest, StartupSetKeepsEachRadioGroupAtOneFlag)
{
    const auto user3 = [&] { return cli(dir.path(), { "startup", "show", "--user", "3" }).json; };
    ASSERT_EQ(cli(dir.path(), { "startup", "set", "listOptions.levelAdvanced", "1", "--user", "3" })
                  .exitCode,
        0);
    QJsonObject options = user3().value("listOptions").toObject();
    EXPECT_EQ(options.value("levelAdvanced").toInt(), 1);
    EXPECT_EQ(options.value("levelElementary").toInt(), 0) << "the group's other flag is cleared";
    EXPECT_EQ(options.value("levelIntermediate").toInt(), 0);
    EXPECT_EQ(options.value("adjustManual").toInt(), 1) << "other groups keep theirs";
    EXPECT_EQ(cli(dir.path(), { "startup", "show", "--user", "4" })
                  .json.value("listOptions")
                  .toObject()
                  .value("levelElementary")
                  .toInt(),
        1)
        << "other slots keep theirs";
    // Switching the flag that is on off again would leave the group with none.
    expectFailure(
        cli(dir.path(), { "startup", "set", "listOptions.levelAdvanced", "0", "--user", "3" }), 2);
}

TEST_F(CliTest, UnusableDictionariesAreRefused)
{
    // An additional dictionary in place of the working one.
    ASSERT_EQ(cli(dir.path(),
                  { "dict", "create", QString::fromStdString(dir.file("progdata/sonddict.dis")),
                      "--additional", "--force" })
                  .exitCode,
        0);
    const auto additional = readBytes(dir.file("progdata/sonddict.dis"));
    EXPECT_EQ(cli(dir.path(), { "dict", "add", "cat" }).exitCode, 2);
    EXPECT_EQ(readBytes(dir.file("progdata/sonddict.dis")), additional);
    // ...which a maintenance command may still open by name.
    EXPECT_EQ(cli(dir.path(),
                  { "--dictionary", QString::fromStdString(dir.file("progdata/sonddict.dis")),
                      "dict", "add", "cat" })
                  .exitCode,
        0);

    writeBytes(dir.file("short.dis"), { 1, 2, 3 });
    const CliRun r = cli(dir.path(),
        { "--dictionary", QString::fromStdString(dir.file("short.dis")), "dict", "check" });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.json.value("ok").toBool());
    EXPECT_EQ(cli(dir.path(),
                  { "--dictionary", QString::fromStdString(dir.file("short.dis")), "dict", "find",
                      "cat" })
                  .exitCode,
        2);
    EXPECT_EQ(cli(dir.path(), { "dict", "create", QString::fromStdString(dir.file("short.dis")) })
                  .exitCode,
        2)
        << "an existing file is not replaced without --force";
}

// A damaged file is named with what is wrong with it, and a failed command leaves it, and the
// user's list, as they were.
TEST_F(CliTest, DamagedFilesAreNamedAndLeftAsTheyWere)
{
    ASSERT_EQ(
        cli(dir.path(), { "startup", "set", "listSetup.listSize", "3", "--user", "2" }).exitCode,
        0);
    ASSERT_EQ(cli(dir.path(), { "list", "generate", "--user", "2" }).exitCode, 0);
    const std::string list = dir.file("progdata/worduse2.wrd");
    const auto listBefore = readBytes(list);
    // The records cut off: every chain of the tables now leads out of the file.
    const int emptySize
        = cli(dir.path(), { "dict", "create", QString::fromStdString(dir.file("empty.dis")) })
              .json.value("bytes")
              .toInt();
    ASSERT_GT(emptySize, 0);
    const std::string dictionary = dir.file("progdata/sonddict.dis");
    std::filesystem::resize_file(dictionary, static_cast<std::uintmax_t>(emptySize));
    const auto damaged = readBytes(dictionary);

    struct Case
    {
        QStringList args;
        int exitCode;
        int result; // -1: none
    };
    const Case cases[] = {
        { { "dict", "find", "cat" }, 2, 4 },
        { { "dict", "walk" }, 2, -1 },
        { { "dict", "check" }, 1, -1 },
        { { "list", "generate", "--user", "2" }, 2, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(dir.path(), c.args);
        const std::string error = expectFailure(r, c.exitCode);
        EXPECT_NE(error.find(dictionary), std::string::npos) << error;
        EXPECT_EQ(r.json.value("result").toInt(-1), c.result);
        EXPECT_EQ(readBytes(dictionary), damaged);
        EXPECT_EQ(readBytes(list), listBefore) << "the user's list is kept";
    }
    EXPECT_NE(expectFailure(cli(dir.path(), { "list", "generate", "--user", "2" }), 2)
                  .find("damaged: main table bucket"),
        std::string::npos)
        << "says what is wrong";

    // A word file whose chain leads out of the file.
    auto broken = listBefore;
    broken[14 + 102 + 3] = 0x7F;
    writeBytes(list, broken);
    const std::string error = expectFailure(cli(dir.path(), { "list", "show", "--user", "2" }), 2);
    EXPECT_NE(error.find(list), std::string::npos) << error;
}

// A history file that claims more records than a file may hold is rebuilt only with --force,
// keeping the newest drills that can be read from it.
TEST_F(CliTest, OversizedHistoryFileIsRebuiltOnlyWithForce)
{
    for (int words = 1; words <= 4; ++words) {
        ASSERT_EQ(cli(dir.path(),
                      { "history", "append", "--user", "1", "--words", QString::number(words),
                          "--correct", "1", "--min", "4", "--max", "6", "--percent", "40", "--type",
                          "1", "--level", "1" })
                      .exitCode,
            0);
    }
    const std::string path = dir.file("progdata/histuse1.his");
    auto bytes = readBytes(path);
    bytes[0] = 0xFF;
    bytes[1] = 0xFF; // claims 65,535 records; holds 20
    writeBytes(path, bytes);

    const CliRun shown = cli(dir.path(), { "history", "show", "--user", "1" });
    EXPECT_EQ(shown.exitCode, 1);
    EXPECT_EQ(shown.json.value("entries").toArray().size(), 20) << "each record once";

    const std::string error = expectFailure(
        cli(dir.path(), { "history", "generate", "--user", "1", "--records", "3" }), 1);
    EXPECT_NE(error.find("--force"), std::string::npos) << error;
    EXPECT_EQ(readBytes(path), bytes);

    ASSERT_EQ(cli(dir.path(), { "history", "generate", "--user", "1", "--records", "3", "--force" })
                  .exitCode,
        0);
    const CliRun r = cli(dir.path(), { "history", "show", "--user", "1" });
    EXPECT_EQ(r.exitCode, 0);
    QList<int> words;
    for (const QJsonValue& e : r.json.value("entries").toArray())
        words << e.toObject().value("words").toInt();
    EXPECT_EQ(words, (QList<int> { 2, 3, 4 }));
}

TEST_F(CliTest, HistoryRingKeepsTheNewestDrills)
{
    std::filesystem::remove(dir.file("progdata/histuse1.his"));
    EXPECT_EQ(
        cli(dir.path(), { "history", "generate", "--user", "1", "--records", "61" }).exitCode, 2);
    EXPECT_NE(expectFailure(cli(dir.path(),
                                { "history", "append", "--user", "1", "--words", "5", "--correct",
                                    "3", "--min", "4", "--max", "6", "--percent", "40", "--type",
                                    "1", "--level", "1" }),
                  2)
                  .find("histuse1.his"),
        std::string::npos)
        << "no history file: the drill's append makes none";
    EXPECT_FALSE(fileExists(dir.file("progdata/histuse1.his")));
    ASSERT_EQ(
        cli(dir.path(), { "history", "generate", "--user", "1", "--records", "3" }).exitCode, 0);
    for (int words = 1; words <= 4; ++words) {
        ASSERT_EQ(cli(dir.path(),
                      { "history", "append", "--user", "1", "--words", QString::number(words),
                          "--correct", "1", "--min", "4", "--max", "6", "--percent", "40", "--type",
                          "1", "--level", "1" })
                      .exitCode,
            0);
    }
    const CliRun r = cli(dir.path(), { "history", "show", "--user", "1" });
    EXPECT_EQ(r.json.value("nextWrite").toInt(), 112);
    QList<int> words;
    for (const QJsonValue& e : r.json.value("entries").toArray())
        words << e.toObject().value("words").toInt();
    EXPECT_EQ(words, (QList<int> { 2, 3, 4 }));
}

// dict create --force on a disk with no room left: a failure that says the disk may be full, and
// the dictionary already there stays byte for byte, with nothing left beside it. The disk is a
// small tmpfs in a mount namespace of the test's own (unshare); a machine that allows none skips
// the test.
// The reports print the statistics window's text: one line of output for each line of the
// report, the same lines as an array with --json; a list that is not valid prints the line that
// says so and exits 1; a report with nothing to read from says why on one line.
TEST_F(CliTest, ReportsPrintTheWindowsLines)
{
    ASSERT_EQ(cli(dir.path(),
                  { "history", "append", "--user", "6", "--words", "5", "--correct", "3", "--min",
                      "4", "--max", "6", "--percent", "40", "--type", "1", "--level", "1" })
                  .exitCode,
        0);
    const CliRun json = cli(dir.path(), { "report", "history", "--user", "6" });
    ASSERT_EQ(json.exitCode, 0) << json.err;
    std::vector<std::string> lines;
    for (const QJsonValue& line : json.json.value("lines").toArray())
        lines.push_back(line.toString().toStdString());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1].rfind("History Report for 6User Name", 0), 0u) << lines[1];
    // After the date of the drill (27 characters).
    EXPECT_EQ(lines[6].substr(27), "   3 /  5   40% at Elementary      4    6   Random     ");

    QProcess text;
    text.start(QStringLiteral(QUORVEL_CLI),
        { "--folder", QString::fromStdString(dir.path()), "report", "history", "--user", "6" });
    ASSERT_TRUE(text.waitForFinished(60000));
    EXPECT_EQ(text.exitCode(), 0);
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\n";
    // The report ends with a line break: its last, empty, line is that break.
    expected.pop_back();
    EXPECT_EQ(text.readAllStandardOutput().toStdString(), expected);

    const CliRun dictionary = cli(dir.path(), { "report", "dictionary", "--user", "0" });
    ASSERT_EQ(dictionary.exitCode, 0) << dictionary.err;
    const QJsonArray all = dictionary.json.value("lines").toArray();
    EXPECT_EQ(all.at(3).toString(), "Main Dictionary total      =     10");
    EXPECT_TRUE(all.contains("Language Status"));
    const CliRun status = cli(dir.path(), { "report", "status", "--user", "0" });
    ASSERT_EQ(status.exitCode, 0) << status.err;
    const QJsonArray own = status.json.value("lines").toArray();
    // User 0's name and status line, then no other user's.
    ASSERT_GT(own.size(), 9);
    EXPECT_EQ(own.at(7), all.at(7));
    EXPECT_EQ(own.at(8), all.at(8));
    EXPECT_EQ(own.at(9).toString(), "");
    EXPECT_FALSE(own.contains("Language Status"));

    // A change to the dictionary marks the user's list used up.
    ASSERT_EQ(cli(dir.path(), { "list", "generate", "--user", "0", "--seed", "1" }).exitCode, 0);
    ASSERT_EQ(cli(dir.path(), { "dict", "add", "elephant" }).exitCode, 0);
    const CliRun invalid = cli(dir.path(), { "report", "last-list", "--user", "0" });
    expectFailure(invalid, 1);
    EXPECT_EQ(invalid.json.value("lines").toArray(), QJsonArray { "Your last list was Invalid!" });

    const std::string missing
        = expectFailure(cli(dir.path(), { "report", "attempts", "--user", "3" }), 2);
    EXPECT_NE(missing.find("progdata/worduse3.wrd"), std::string::npos) << missing;
    EXPECT_EQ(cli(dir.path(), { "report", "saved" }).exitCode, 2);
}

// scrap show prints the pages; scrap move moves words from page 1 to the end of page 2 by the
// dictionary and saves both pages in their own line ends; bad input changes nothing.
TEST_F(CliTest, ScrapShowAndMove)
{
    const std::string page1 = dir.file("progdata/spaduse1.pad");
    const std::string page2 = dir.file("progdata/spadusp1.pad");
    std::ofstream(page1, std::ios::binary) << "hello zzzq\r\ncats qqx\r\n";
    std::ofstream(page2, std::ios::binary) << "top\r\n";
    const CliRun shown = cli(dir.path(), { "scrap", "show", "--user", "1" });
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.json.value("page1").toArray(), (QJsonArray { "hello zzzq", "cats qqx" }));
    EXPECT_EQ(shown.json.value("page2").toArray(), QJsonArray { "top" });
    const CliRun second = cli(dir.path(), { "scrap", "show", "--user", "1", "--page", "2" });
    EXPECT_FALSE(second.json.contains("page1"));

    const auto read = [](const std::string& path) {
        const auto bytes = readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    CliRun moved = cli(dir.path(), { "scrap", "move", "--user", "1", "--kind", "non-dictionary" });
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_EQ(moved.json.value("moved").toInt(), 2);
    EXPECT_EQ(moved.json.value("words").toArray(), (QJsonArray { "zzzq", "qqx" }));
    EXPECT_EQ(read(page1), "hello cats ");
    EXPECT_EQ(read(page2), "top\r\nzzzq\r\nqqx\r\n");
    moved = cli(dir.path(), { "scrap", "move", "--user", "1", "--kind", "dictionary" });
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_EQ(read(page1), "  ");
    EXPECT_EQ(read(page2), "top\r\nzzzq\r\nqqx\r\nhello\r\ncats\r\n");

    // A user without a scrap pad: empty pages, the warning, and nothing written by a move.
    const CliRun none = cli(dir.path(), { "scrap", "show", "--user", "2" });
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(none.json.value("page1").toArray().isEmpty());
    EXPECT_NE(none.err.find("You have no Scrap Pad"), std::string::npos) << none.err;
    EXPECT_EQ(
        cli(dir.path(), { "scrap", "move", "--user", "2", "--kind", "dictionary" }).exitCode, 0);
    EXPECT_FALSE(fileExists(dir.file("progdata/spaduse2.pad")));

    // Page 2 full (600 lines): nothing moves, exit 1.
    std::string full;
    for (int i = 0; i < 599; ++i)
        full += "w\r\n";
    std::ofstream(dir.file("progdata/spaduse3.pad"), std::ios::binary) << "zzzq qqx\r\n";
    std::ofstream(dir.file("progdata/spadusp3.pad"), std::ios::binary) << full;
    const std::string said = expectFailure(
        cli(dir.path(), { "scrap", "move", "--user", "3", "--kind", "non-dictionary" }), 1);
    EXPECT_NE(said.find("600 lines"), std::string::npos) << said;
    EXPECT_EQ(read(dir.file("progdata/spaduse3.pad")), "zzzq qqx\r\n");
    EXPECT_EQ(read(dir.file("progdata/spadusp3.pad")), full);

    // A folder where page 2's file belongs: refused, page 1 untouched.
    std::ofstream(dir.file("progdata/spaduse4.pad"), std::ios::binary) << "zzzq\r\n";
    std::filesystem::create_directory(dir.file("progdata/spadusp4.pad"));
    const QStringList refused[] = { { "scrap", "show", "--user", "4" },
        { "scrap", "move", "--user", "4", "--kind", "dictionary" } };
    for (const QStringList& command : refused) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const std::string error = expectFailure(cli(dir.path(), command), 2);
        EXPECT_NE(error.find("spadusp4.pad"), std::string::npos) << error;
    }
    EXPECT_EQ(read(dir.file("progdata/spaduse4.pad")), "zzzq\r\n");
    expectFailure(cli(dir.path(), { "scrap", "move", "--user", "1", "--kind", "nouns" }), 2);
    expectFailure(cli(dir.path(), { "scrap", "show", "--user", "1", "--page", "3" }), 2);
}

TEST(CliFullDisk, DictCreateFailsAndKeepsTheOldDictionary)
{
    TempFolder dir;
    const std::string disk = dir.file("disk");
    std::filesystem::create_directory(disk);
    const QString script = QStringLiteral(R"(
disk="$1"; cli="$2"; out="$3"
mount -t tmpfs -o size=256k tmpfs "$disk" || exit 77
echo ready
"$cli" --json --folder "$out" dict create "$disk/words.dis" > /dev/null || exit 78
cp "$disk/words.dis" "$out/before.dis"
cat /dev/zero > "$disk/filler" 2> /dev/null
"$cli" --json --folder "$out" dict create --force --additional "$disk/words.dis"
echo "exit $?"
cmp -s "$disk/words.dis" "$out/before.dis" && echo unchanged
ls -A "$disk"
)");
    QStringList lines;
    for (const QStringList& how :
        { QStringList { "--mount" }, QStringList { "--mount", "--map-root-user" } }) {
        QProcess p;
        p.start("unshare",
            how
                + QStringList { "sh", "-c", script, "sh", QString::fromStdString(disk),
                    QStringLiteral(QUORVEL_CLI), QString::fromStdString(dir.path()) });
        p.waitForFinished(60000);
        lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (!lines.isEmpty() && lines.front() == "ready")
            break;
    }
    if (lines.isEmpty() || lines.front() != "ready")
        GTEST_SKIP() << "this machine lets no test mount a small file system";

    ASSERT_EQ(lines.size(), 6) << lines.join('\n').toStdString();
    const QJsonObject out = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(out.value("error").toString().toStdString(),
        disk + "/words.dis: There could be problems in the availability of disk space.");
    EXPECT_FALSE(out.contains("created"));
    EXPECT_EQ(lines[2], "exit 2");
    EXPECT_EQ(lines[3], "unchanged");
    EXPECT_EQ(lines.mid(4), (QStringList { "filler", "words.dis" })) << "no temporary file left";
}

TEST(CliReview, ShowListsTheScheduleInDueOrder)
{
    TempFolder dir;
    dir.makeProgdata();
    // No file yet: an empty schedule, not an error.
    CliRun r = cli(dir.path(), { "review", "show", "--user", "2" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("words").toInt(), 0);
    EXPECT_TRUE(r.json.value("schedule").toArray().isEmpty());

    const std::time_t now = std::time(nullptr);
    ReviewSchedule s;
    ASSERT_TRUE(s.restore("LATER", 1, now)); // due tomorrow
    ASSERT_TRUE(s.restore("OVERDUE", 2, now - 10 * 24 * 60 * 60));
    ASSERT_TRUE(s.restore("TODAY", 1, now - 24 * 60 * 60));
    ASSERT_TRUE(saveReviewSchedule(dir.path(), 2, s).ok());
    r = cli(dir.path(), { "review", "show", "--user", "2" });
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json.value("words").toInt(), 3);
    EXPECT_EQ(r.json.value("dueNow").toInt(), 2);
    const QJsonArray schedule = r.json.value("schedule").toArray();
    ASSERT_EQ(schedule.size(), 3);
    EXPECT_EQ(schedule[0].toObject().value("word").toString(), "OVERDUE");
    EXPECT_EQ(schedule[0].toObject().value("box").toInt(), 2);
    EXPECT_EQ(schedule[1].toObject().value("word").toString(), "TODAY");
    EXPECT_TRUE(schedule[1].toObject().value("dueNow").toBool());
    EXPECT_EQ(schedule[2].toObject().value("word").toString(), "LATER");
    EXPECT_FALSE(schedule[2].toObject().value("dueNow").toBool());
    // Another user's schedule is their own.
    EXPECT_EQ(cli(dir.path(), { "review", "show", "--user", "3" }).json.value("words").toInt(), 0);

    // A damaged file is named, with what is wrong, and left as it was.
    const std::string path = dir.file("progdata/review2.json");
    const std::vector<std::uint8_t> damaged { '{', '"', 'v' };
    writeBytes(path, damaged);
    const std::string error
        = expectFailure(cli(dir.path(), { "review", "show", "--user", "2" }), 2);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("not a JSON object"), std::string::npos) << error;
    EXPECT_EQ(readBytes(path), damaged);
    expectFailure(cli(dir.path(), { "review", "show", "--user", "10" }), 2);
}

} // namespace
