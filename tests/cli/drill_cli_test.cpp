// The terminal drill seen from outside: answers piped in as the prompts come, and what the pass
// leaves behind in the word file, the dictionary and the history file.

#include "review/review_file.h"
#include "review/review_schedule.h"
#include "sound/sound_names.h"
#include "support/temp_folder.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <fstream>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

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
DrillRun drill(const std::string& folder, const QStringList& arguments, Answer answer,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
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

// drill --review: a failure of an ordinary drill is scheduled, due words are drilled oldest
// first, answers move them through the boxes, and a word removed from the dictionary leaves the
// schedule.
TEST_F(DrillCliTest, ReviewDrillsTheDueWords)
{
    const auto schedule = [&] {
        int code = -1;
        const QJsonObject shown = cliJson(dir.path(), { "review", "show", "--user", "2" }, &code);
        EXPECT_EQ(code, 0);
        QMap<QString, int> boxes;
        for (const QJsonValue& v : shown.value("schedule").toArray())
            boxes.insert(v.toObject().value("word").toString(), v.toObject().value("box").toInt());
        return boxes;
    };
    // Nothing due: said, and no pass.
    DrillRun none = drill(dir.path(), { "--user", "2", "--no-sound", "--review" },
        [](const QString& word, int) { return word; });
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.shownWords.isEmpty());
    EXPECT_TRUE(none.lines.join('\n').contains(QStringLiteral("No words are due for review today")))
        << none.lines.join('\n').toStdString();

    // An ordinary drill's failure enters box 1, due tomorrow.
    const DrillRun plain = drill(dir.path(), { "--user", "2", "--no-sound" },
        [](const QString& word, int n) { return n == 0 ? QStringLiteral("WRONG") : word; });
    ASSERT_EQ(plain.exitCode, 0) << plain.lines.join('\n').toStdString();
    EXPECT_EQ(schedule(), (QMap<QString, int> { { plain.shownWords[0], 1 } }));

    // Words long due, one of them no longer in the dictionary, one not due yet.
    const std::time_t now = std::time(nullptr);
    const std::time_t day = 24 * 60 * 60;
    quorvel::ReviewSchedule s;
    ASSERT_TRUE(s.restore("ZOO", 5, now - 20 * day));
    ASSERT_TRUE(s.restore("BEAR", 2, now - 5 * day));
    ASSERT_TRUE(s.restore("SCHOOL", 1, now - 3 * day));
    ASSERT_TRUE(s.restore("QUILL", 1, now - 30 * day));
    ASSERT_TRUE(s.restore("HELLO", 3, now));
    ASSERT_TRUE(quorvel::saveReviewSchedule(dir.path(), 2, s).ok());
    const DrillRun review = drill(dir.path(), { "--user", "2", "--no-sound", "--review" },
        [](const QString& word, int) { return word == "BEAR" ? QStringLiteral("BARE") : word; });
    ASSERT_EQ(review.exitCode, 0) << review.lines.join('\n').toStdString();
    EXPECT_EQ(review.shownWords, (QStringList { "ZOO", "BEAR", "SCHOOL" }));
    EXPECT_EQ(schedule(), (QMap<QString, int> { { "BEAR", 1 }, { "SCHOOL", 2 }, { "HELLO", 3 } }));

    int code = -1;
    cliJson(dir.path(), { "dict", "remove", "school" }, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(schedule(), (QMap<QString, int> { { "BEAR", 1 }, { "HELLO", 3 } }));

    cliJson(dir.path(), { "drill", "--user", "2", "--repeat", "--review" }, &code);
    EXPECT_EQ(code, 2) << "a usage error";
}

// A line holding only "?" asks for the word again: it is no answer, the word is still awaited and
// the next line is judged, so the pass ends as if the "?" had never been typed.
TEST_F(DrillCliTest, PipedQuestionMarkLineIsNotAnAnswer)
{
    const DrillRun run
        = drill(dir.path(), { "--user", "2", "--no-sound" }, [](const QString& word, int n) {
              switch (n) {
              case 0:
                  return "?\n" + word.toLower();
              case 1:
                  return QStringLiteral("?\n?\nWRONG");
              default:
                  return word;
              }
          });
    ASSERT_EQ(run.exitCode, 0) << run.lines.join('\n').toStdString();
    ASSERT_EQ(run.shownWords.size(), 3);
    EXPECT_EQ(run.lines.count(kAnswerPrompt), 3);
    EXPECT_EQ(run.json.value("words").toInt(), 3);
    EXPECT_EQ(run.json.value("correct").toInt(), 2);
    const QJsonArray records
        = cliJson(dir.path(), { "list", "show", "--user", "2" }).value("records").toArray();
    ASSERT_EQ(records.size(), 3);
    const QString answers[] = { run.shownWords[0], "WRONG", run.shownWords[2] };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].toObject().value("answer").toString(), answers[i]) << i;
        EXPECT_EQ(records[i].toObject().value("result").toInt(), i == 1 ? 0 : 1) << i;
    }
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

// --- On a terminal ----------------------------------------------------------------------------

// The drill run on a pseudo-terminal, as a person at a keyboard meets it: the keys go in as they
// are typed, and what the drill prints is read back with its cursor movements taken out.
class TerminalRun
{
public:
    TerminalRun(const std::string& folder, const QStringList& arguments,
        const std::vector<std::pair<std::string, std::string>>& environment = {})
    {
        m_pid = ::forkpty(&m_master, nullptr, nullptr, nullptr);
        if (m_pid == 0) {
            for (const auto& [name, value] : environment)
                ::setenv(name.c_str(), value.c_str(), 1);
            std::vector<std::string> args { QUORVEL_CLI, "--folder", folder, "drill" };
            for (const QString& a : arguments)
                args.push_back(a.toStdString());
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~TerminalRun()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_master >= 0)
            ::close(m_master);
    }
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    bool started() const { return m_pid > 0; }

    // Reads until the screen's text holds `text` `count` times, for at most `ms`.
    bool waitFor(const QString& text, int count = 1, int ms = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (screen().count(text) < count) {
            if (clock.elapsed() > ms || (!readSome(50) && m_ended))
                return screen().count(text) >= count;
        }
        return true;
    }
    void type(const std::string& keys)
    {
        ASSERT_EQ(::write(m_master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    // Waits for the drill to end; its exit status, or -1.
    int finish(int ms = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_ended && clock.elapsed() < ms)
            readSome(50);
        int status = 0;
        if (::waitpid(m_pid, &status, 0) != m_pid)
            return -1;
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The terminal's line mode and echo, as the drill left them.
    bool lineModeAndEcho() const
    {
        termios t {};
        return ::tcgetattr(m_master, &t) == 0 && (t.c_lflag & ICANON) && (t.c_lflag & ECHO);
    }
    // What the terminal shows, as lines: escape sequences and carriage returns taken out.
    QString screen() const
    {
        QString text = QString::fromLatin1(m_output);
        text.remove(QRegularExpression(QStringLiteral("\x1b\\[[0-9;]*[A-Za-z]")));
        text.remove(QLatin1Char('\r'));
        return text;
    }
    // The word shown before "Now memorise" the n-th time (0-based).
    std::string shownWord(int n) const
    {
        const QStringList lines = screen().split(QLatin1Char('\n'));
        int seen = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i] != kMemorise || seen++ != n)
                continue;
            // SDL's disk driver says where it writes when the device first opens, which is
            // while the first word is spoken: that line is not the word.
            for (qsizetype k = i - 1; k >= 0; --k) {
                if (!lines[k].startsWith(QLatin1String("CRITICAL:")))
                    return lines[k].trimmed().toStdString();
            }
        }
        return {};
    }

private:
    bool readSome(int ms)
    {
        pollfd fd { m_master, POLLIN, 0 };
        if (::poll(&fd, 1, ms) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            m_ended = true; // the other side closed: the drill has ended
            return false;
        }
        m_output.append(buffer, n);
        return true;
    }

    int m_master = -1;
    pid_t m_pid = -1;
    QByteArray m_output;
    bool m_ended = false;
};

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Keys are taken as they are typed: the answer is judged by when its letters were typed, not by
// when Enter was pressed, and keys typed as soon as the answer is asked for are kept.
TEST_F(DrillCliTest, OnATerminalKeysCountFromTheMomentTheAnswerIsAskedFor)
{
    int code = -1;
    cliJson(dir.path(), { "startup", "set", "displaySetup.spellTime", "2", "--user", "2" }, &code);
    ASSERT_EQ(code, 0);
    TerminalRun run(dir.path(), { "--user", "2", "--no-sound" });
    ASSERT_TRUE(run.started());

    // Typed the moment the answer is asked for.
    ASSERT_TRUE(run.waitFor(kAnswerPrompt, 1)) << run.screen().toStdString();
    run.type(lower(run.shownWord(0)) + "\r");
    // Typed in time, entered after the two seconds: judged.
    ASSERT_TRUE(run.waitFor(kAnswerPrompt, 2)) << run.screen().toStdString();
    run.type(lower(run.shownWord(1)));
    std::this_thread::sleep_for(std::chrono::milliseconds(2600));
    run.type("\r");
    // A letter after the two seconds: the time-out, and the word is wrong.
    ASSERT_TRUE(run.waitFor(kAnswerPrompt, 3)) << run.screen().toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(2600));
    run.type(lower(run.shownWord(2)) + "\r");
    EXPECT_EQ(run.finish(), 0) << run.screen().toStdString();

    const QStringList lines = run.screen().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.filter(QStringLiteral("You have spelt  ")),
        (QStringList {
            QStringLiteral("You have spelt  %1   correctly").arg(run.shownWord(0).c_str()),
            QStringLiteral("You have spelt  %1   correctly").arg(run.shownWord(1).c_str()),
            QStringLiteral("You have spelt  %1   incorrectly").arg(run.shownWord(2).c_str()) }))
        << run.screen().toStdString();
    EXPECT_EQ(lines.count(QStringLiteral("Sorry!  you are out of time.")), 1);
    // The answers were echoed as typed, and the terminal got its line mode back.
    EXPECT_TRUE(lines.contains(QString::fromStdString(lower(run.shownWord(0)))));
    EXPECT_TRUE(run.lineModeAndEcho());
}

// On a terminal, "?" and Enter or F5 between the letters of an answer: the word is asked again,
// and the letters typed before it stay part of the answer.
TEST_F(DrillCliTest, OnATerminalSayItAgainLeavesTheAnswerBeingTyped)
{
    for (const char* again : { "?\r", "\x1b[15~" }) {
        SCOPED_TRACE(again[0] == '?' ? "?" : "F5");
        TerminalRun run(dir.path(), { "--user", "2", "--no-sound" });
        ASSERT_TRUE(run.started());
        for (int n = 0; n < 3; ++n) {
            ASSERT_TRUE(run.waitFor(kAnswerPrompt, n + 1)) << run.screen().toStdString();
            const std::string word = lower(run.shownWord(n));
            ASSERT_GE(word.size(), 3u);
            if (again[0] == '?') {
                run.type(again);
                run.type(word + "\r");
            } else {
                run.type(word.substr(0, 1));
                run.type(again);
                // A person's next key comes well after the terminal's burst for F5.
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                run.type(word.substr(1) + "\r");
            }
        }
        EXPECT_EQ(run.finish(), 0) << run.screen().toStdString();
        EXPECT_EQ(run.screen().count(QStringLiteral("   correctly")), 3)
            << run.screen().toStdString();
        EXPECT_EQ(run.screen().count(QStringLiteral("   incorrectly")), 0);
        EXPECT_EQ(run.screen().count(kAnswerPrompt), 3);
    }
}

#ifdef QUORVEL_CLI_SOUND
// A mono wave file that holds `sample` for `seconds`: silence, or a flat level no voice makes.
void writeWave(
    const std::string& path, double seconds, std::uint32_t rate = 8000, std::int16_t sample = 0)
{
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    const std::uint32_t bytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.put(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        out.put(static_cast<char>(v));
        out.put(static_cast<char>(v >> 8));
    };
    out << "RIFF";
    u32(36 + bytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out << "data";
    u32(bytes);
    for (std::uint32_t i = 0; i < frames; ++i)
        u16(static_cast<std::uint16_t>(sample));
}

void writeSilence(const std::string& path, int seconds)
{
    writeWave(path, seconds);
}

// The spoken request to type the answer lasts a few seconds; what is typed while it speaks is
// the answer, not keys typed ahead.
TEST_F(DrillCliTest, OnATerminalAnAnswerTypedWhileTheRequestIsSpokenIsKept)
{
    for (const char* name : { "aenteran.wav", "uenteran.wav" })
        writeSilence(dir.file(std::string("progdata/") + name), 4);
    TerminalRun run(dir.path(), { "--user", "2" },
        { { "SDL_AUDIODRIVER", "disk" }, { "SDL_DISKAUDIOFILE", dir.file("sound.raw") } });
    ASSERT_TRUE(run.started());
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(run.waitFor(kAnswerPrompt, n + 1)) << run.screen().toStdString();
        QElapsedTimer clock;
        clock.start();
        run.type(run.shownWord(n) + "\r");
        ASSERT_TRUE(run.waitFor(QStringLiteral("You have spelt  "), n + 1));
        // Judged while the four seconds of the request were still playing.
        EXPECT_LT(clock.elapsed(), 3000);
    }
    EXPECT_EQ(run.finish(), 0) << run.screen().toStdString();
    EXPECT_EQ(run.screen().count(QStringLiteral("   correctly")), 3) << run.screen().toStdString();
}

// With speech on, a word that has its own recording is heard from the recording: what reaches
// the sound device is the recording's flat level for its whole length, once for each word.
TEST_F(DrillCliTest, AWordWithItsOwnRecordingPlaysTheRecordingNotSpeech)
{
    const std::string waveform = dir.file("wave") + "/";
    int code = -1;
    cliJson(
        dir.path(), { "startup", "set", "waveformPath", QString::fromStdString(waveform) }, &code);
    ASSERT_EQ(code, 0);
    constexpr double kSeconds = 1.5;
    constexpr std::uint32_t kRate = 44100;
    int index = 1;
    for (const char* word :
        { "cat", "dog", "bear", "hello", "world", "school", "teacher", "zoo" }) {
        cliJson(dir.path(),
            { "dict", "amend", word, "--sound-flag", "1", "--sound-index", QString::number(index) },
            &code);
        ASSERT_EQ(code, 0) << word;
        const std::optional<std::string> path = quorvel::wordRecordingPath(waveform, word, index++);
        ASSERT_TRUE(path);
        std::filesystem::create_directories(std::filesystem::path(*path).parent_path());
        writeWave(*path, kSeconds, kRate, 16384); // half scale
    }

    const std::string raw = dir.file("sound.raw");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SDL_AUDIODRIVER", "disk");
    environment.insert("SDL_DISKAUDIOFILE", QString::fromStdString(raw));
    const DrillRun run = drill(
        dir.path(), { "--user", "2" }, [](const QString& word, int) { return word; }, environment);
    ASSERT_EQ(run.exitCode, 0) << run.lines.join('\n').toStdString();
    EXPECT_EQ(run.json.value("words").toInt(), 3);

    // The device is opened for 32-bit float stereo at 44100 a second, which the disk driver
    // keeps: frames at the recording's level, in either channel.
    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::size_t atLevel = 0;
    for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        float left;
        std::memcpy(&left, bytes.data() + at, 4);
        if (std::abs(left - 0.5F) < 0.01F)
            ++atLevel;
    }
    EXPECT_NEAR(double(atLevel) / kRate, 3 * kSeconds, 0.1) << bytes.size() << " bytes heard";
}
#endif

} // namespace
