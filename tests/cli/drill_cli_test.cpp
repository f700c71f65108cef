// The terminal drill seen from outside: answers piped in as the prompts come, and what the pass
// leaves behind in the word file, the dictionary and the history file.

#include "support/temp_folder.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>

using namespace quorvel::test;

namespace {

const QString kAnswerPrompt = QStringLiteral("Please  put  your  answer  in  box");
const QString kMemorise = QStringLiteral("Now memorise");

QJsonObject cliJson(
    const std::string& folder, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(QUORVEL_CLI),
        QStringList { "--json", "--folder", QString::fromStdString(folder) } + arguments);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Runs a drill with --json, answering each word as it is asked for: `answer` gets the word the
// drill showed (the line before "Now memorise") and the number of the answer. The drill's lines
// come on standard error, the result object on standard output.
struct DrillRun
{
    int exitCode = -1;
    QJsonObject json;
    QStringList lines;
    QStringList shownWords;
};

template <typename Answer>
DrillRun drill(const std::string& folder, const QStringList& arguments, Answer answer)
{
    QProcess p;
    p.start(QStringLiteral(QUORVEL_CLI),
        QStringList { "--json", "--folder", QString::fromStdString(folder), "drill" } + arguments);
    DrillRun run;
    if (!p.waitForStarted(10000))
        return run;
    QString err;
    int answered = 0;
    QElapsedTimer clock;
    clock.start();
    while (p.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
        p.waitForReadyRead(100);
        err += QString::fromLatin1(p.readAllStandardError());
        run.lines = err.split(QLatin1Char('\n'));
        if (run.lines.count(kAnswerPrompt) > answered) {
            const qsizetype memorise = [&] {
                qsizetype at = -1;
                for (int k = 0; k <= answered; ++k)
                    at = run.lines.indexOf(kMemorise, at + 1);
                return at;
            }();
            const QString word = memorise > 0 ? run.lines.at(memorise - 1) : QString();
            run.shownWords << word;
            p.write((answer(word, answered) + QLatin1Char('\n')).toLatin1());
            ++answered;
        }
    }
    p.closeWriteChannel();
    p.waitForFinished(10000);
    err += QString::fromLatin1(p.readAllStandardError());
    run.lines = err.split(QLatin1Char('\n'));
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return run;
}

// A small installation: a startup record, a dictionary of eight words, user 2 with lists of
// three words of 3 letters or more and the shortest display pauses (piped answers skip them
// anyway; the spelling time stays generous), and a history file of five records for user 2.
class DrillCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int code = -1;
        cliJson(dir.path(), { "init" }, &code);
        ASSERT_EQ(code, 0);
        cliJson(dir.path(),
            { "dict", "create", QString::fromStdString(dir.file("progdata/sonddict.dis")) }, &code);
        ASSERT_EQ(code, 0);
        std::ofstream(dir.file("words.txt"))
            << "cat\ndog\nbear\nhello\nworld\nschool\nteacher\nzoo\n";
        cliJson(
            dir.path(), { "dict", "import", QString::fromStdString(dir.file("words.txt")) }, &code);
        ASSERT_EQ(code, 0);
        for (const auto& [field, value] :
            { std::pair { "listSetup.listSize", "3" }, std::pair { "listSetup.minLetters", "3" },
                std::pair { "listSetup.maxLetters", "10" },
                std::pair { "displaySetup.wordShowTime", "1" },
                std::pair { "displaySetup.answerDelay", "1" },
                std::pair { "displaySetup.betweenWords", "1" },
                std::pair { "displaySetup.spellTime", "60" } }) {
            cliJson(dir.path(), { "startup", "set", field, value, "--user", "2" }, &code);
            ASSERT_EQ(code, 0) << field;
        }
        cliJson(dir.path(), { "history", "generate", "--user", "2", "--records", "5" }, &code);
        ASSERT_EQ(code, 0);
    }
    TempFolder dir;
};

TEST_F(DrillCliTest, PipedPassMarksTheWordsAndRecordsTheDrill)
{
    const DrillRun run
        = drill(dir.path(), { "--user", "2", "--no-sound" }, [](const QString& word, int n) {
              return n == 1 ? QStringLiteral("WRONG") : word.toLower();
          });
    ASSERT_EQ(run.exitCode, 0) << run.lines.join('\n').toStdString();
    ASSERT_EQ(run.shownWords.size(), 3);
    EXPECT_EQ(run.lines.filter(QStringLiteral("You have spelt  ")),
        (QStringList { "You have spelt  " + run.shownWords[0] + "   correctly",
            "You have spelt  " + run.shownWords[1] + "   incorrectly",
            "You have spelt  " + run.shownWords[2] + "   correctly" }));
    EXPECT_TRUE(run.lines.contains(QStringLiteral("Finished.")));

    EXPECT_TRUE(run.json.value("completed").toBool());
    EXPECT_EQ(run.json.value("words").toInt(), 3);
    EXPECT_EQ(run.json.value("correct").toInt(), 2);
    EXPECT_EQ(run.json.value("percent").toInt(), 66);
    const QJsonArray results = run.json.value("results").toArray();
    ASSERT_EQ(results.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(results[i].toObject().value("word").toString(), run.shownWords[i]);
        EXPECT_EQ(results[i].toObject().value("correct").toBool(), i != 1);
    }

    // The word file holds the spelt list with each answer as typed, in capitals.
    int code = -1;
    const QJsonObject list = cliJson(dir.path(), { "list", "show", "--user", "2" }, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(list.value("header").toObject().value("state").toInt(), 2) << "spelt once";
    const QJsonArray records = list.value("records").toArray();
    ASSERT_EQ(records.size(), 3);
    const int expectedResult[] = { 1, 0, 1 };
    for (int i = 0; i < 3; ++i) {
        const QJsonObject r = records[i].toObject();
        EXPECT_EQ(r.value("word").toString(), run.shownWords[i]);
        EXPECT_EQ(r.value("answer").toString(), i == 1 ? "WRONG" : run.shownWords[i]);
        EXPECT_EQ(r.value("result").toInt(), expectedResult[i]);
    }

    // Manual level adjustment: right makes a Neutral word Successful, wrong makes it a Failure;
    // nobody else's status moves.
    const int expectedStatus[] = { 2, 0, 2 };
    for (int i = 0; i < 3; ++i) {
        const QJsonObject f = cliJson(dir.path(), { "dict", "find", run.shownWords[i] });
        const QJsonArray statuses = f.value("statuses").toArray();
        EXPECT_EQ(statuses.at(2).toInt(), expectedStatus[i]) << run.shownWords[i].toStdString();
        EXPECT_EQ(statuses.at(1).toInt(), 1);
    }

    // One history record of the drill: three words, two right, a Random list.
    const QJsonObject history = cliJson(dir.path(), { "history", "show", "--user", "2" });
    int drills = 0;
    for (const QJsonValue& e : history.value("entries").toArray()) {
        const QJsonObject entry = e.toObject();
        if (entry.value("words").toInt() == 0)
            continue;
        ++drills;
        EXPECT_EQ(entry.value("words").toInt(), 3);
        EXPECT_EQ(entry.value("correct").toInt(), 2);
        EXPECT_EQ(entry.value("listType").toInt(), 1);
        EXPECT_EQ(entry.value("minLetters").toInt(), 3);
        EXPECT_EQ(entry.value("maxLetters").toInt(), 10);
    }
    EXPECT_EQ(drills, 1);

    // The failed word comes back in a repeat pass of the failures (the radio flag clears
    // repeatAll).
    cliJson(
        dir.path(), { "startup", "set", "listOptions.repeatFailures", "1", "--user", "2" }, &code);
    ASSERT_EQ(code, 0);
    const DrillRun again = drill(dir.path(), { "--user", "2", "--no-sound", "--repeat" },
        [](const QString& word, int) { return word; });
    EXPECT_EQ(again.exitCode, 0) << again.lines.join('\n').toStdString();
    EXPECT_EQ(again.shownWords, QStringList { run.shownWords[1] });
    EXPECT_EQ(again.json.value("correct").toInt(), 1);
}

TEST_F(DrillCliTest, EndOfInputStopsThePassAndExitStatusTellsWhetherOneRan)
{
    // Nothing to repeat yet: no pass runs.
    int code = -1;
    QJsonObject json
        = cliJson(dir.path(), { "drill", "--user", "2", "--no-sound", "--repeat" }, &code);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(json.value("completed").toBool());

    // Input ends before the first answer: the pass is stopped, the fresh list keeps its state and
    // no history record is written.
    const QByteArray historyBefore = [&] {
        std::ifstream f(dir.file("progdata/histuse2.his"), std::ios::binary);
        return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(f), {}));
    }();
    json = cliJson(dir.path(), { "drill", "--user", "2", "--no-sound" }, &code);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(json.value("completed").toBool());
    EXPECT_EQ(json.value("results").toArray().size(), 0);
    EXPECT_EQ(cliJson(dir.path(), { "list", "show", "--user", "2" })
                  .value("header")
                  .toObject()
                  .value("state")
                  .toInt(),
        1);
    std::ifstream f(dir.file("progdata/histuse2.his"), std::ios::binary);
    EXPECT_EQ(QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(f), {})),
        historyBefore);

    // Usage errors.
    for (const QStringList& bad :
        { QStringList { "drill" }, QStringList { "drill", "--user", "10" },
            QStringList { "drill", "--user", "2", "--loud" } }) {
        cliJson(dir.path(), bad, &code);
        EXPECT_EQ(code, 2) << bad.join(' ').toStdString();
    }
}

} // namespace
