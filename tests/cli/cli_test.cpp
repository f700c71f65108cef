// The command-line tool seen from outside: exit statuses, one JSON object per command, and
// nothing changed by a command that fails.

#include "support/temp_folder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>

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
        if (c.result >= 0) {
            EXPECT_EQ(r.json.value("result").toInt(-1), c.result);
        } else {
            EXPECT_TRUE(r.out.empty()) << "a usage error prints nothing on standard output";
        }
        if (c.exitCode == 2) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "errors are one line";
        }
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
    EXPECT_EQ(cli(dir.path(), { "list", "show", "--user", "2" })
                  .json.value("header")
                  .toObject()
                  .value("state")
                  .toInt(),
        2);
    ASSERT_EQ(cli(dir.path(), { "list", "apply", "--user", "2" }).exitCode, 0);
    const int expected[] = { 2, 0, 2 }; // Neutral answered right, wrong, right
    for (int i = 0; i < 3; ++i) {
        const CliRun f = cli(dir.path(), { "dict", "find", words.at(i).toString() });
        EXPECT_EQ(f.json.value("statuses").toArray().at(2).toInt(), expected[i])
            << words.at(i).toString().toStdString();
        EXPECT_EQ(f.json.value("statuses").toArray().at(1).toInt(), 1)
            << "other users keep their status";
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

TEST_F(CliTest, HistoryRingKeepsTheNewestDrills)
{
    EXPECT_EQ(
        cli(dir.path(), { "history", "generate", "--user", "1", "--records", "61" }).exitCode, 2);
    EXPECT_EQ(cli(dir.path(),
                  { "history", "append", "--user", "1", "--words", "5", "--correct", "3", "--min",
                      "4", "--max", "6", "--percent", "40", "--type", "1", "--level", "1" })
                  .exitCode,
        2)
        << "no history file yet";
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

} // namespace
