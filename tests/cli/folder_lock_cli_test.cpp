// One program writes an installation folder at a time: writing commands run at the same time
// lose nothing, a command that finds the folder held waits for a moment and then gives up
// having changed nothing, readers never wait, and a holder that was killed holds nothing.

#include "support/temp_folder.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

using namespace quorvel::test;

namespace {

const QString kCli = QStringLiteral(QUORVEL_CLI);

struct CliRun
{
    int exitCode = -1;
    QJsonObject json;
    std::string err;
    qint64 milliseconds = 0;
};

// Starts quorvel-cli --json --folder FOLDER ARGS without waiting for it.
std::unique_ptr<QProcess> startCli(const std::string& folder, const QStringList& arguments)
{
    auto p = std::make_unique<QProcess>();
    p->start(
        kCli, QStringList { "--json", "--folder", QString::fromStdString(folder) } + arguments);
    p->closeWriteChannel();
    return p;
}

CliRun finish(QProcess& p, const QElapsedTimer& since)
{
    p.waitForFinished(60000);
    CliRun r;
    r.milliseconds = since.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

CliRun cli(const std::string& folder, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    auto p = startCli(folder, arguments);
    return finish(*p, timer);
}

// Another program holding the folder: the helper takes its lock and keeps it until told to let
// go (or killed).
class Holder
{
public:
    explicit Holder(const std::string& folder)
    {
        m_process.start(QStringLiteral(QUORVEL_HOLD_FOLDER_LOCK),
            QStringList { QString::fromStdString(folder) });
        while (m_process.state() != QProcess::NotRunning && !m_process.canReadLine())
            m_process.waitForReadyRead(5000);
        m_said = m_process.readLine().trimmed().toStdString();
    }
    ~Holder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool holds() const { return m_said == "taken"; }
    qint64 pid() const { return m_process.processId(); }
    void letGo()
    {
        m_process.write("\n");
        m_process.waitForBytesWritten(5000);
    }
    void kill()
    {
        m_process.kill(); // SIGKILL: no chance to remove its lock file
        m_process.waitForFinished(5000);
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    std::string m_said;
};

// Every file under a folder with its bytes.
std::map<std::string, std::vector<std::uint8_t>> snapshot(const std::string& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            files[e.path().string()] = readBytes(e.path().string());
    return files;
}

// An installation with a startup record, a list for user 0 and a few words.
class FolderLockCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli(dir.path(), { "init" }).exitCode, 0);
        ASSERT_EQ(
            cli(dir.path(), { "dict", "create", QString::fromStdString(dictionary) }).exitCode, 0);
        std::ofstream(dir.file("words.txt")) << "cat\ndog\nbear\nhello\nschool\nteacher\n";
        ASSERT_EQ(
            cli(dir.path(), { "dict", "import", QString::fromStdString(dir.file("words.txt")) })
                .exitCode,
            0);
        ASSERT_EQ(cli(dir.path(), { "startup", "set", "listSetup.minLetters", "3", "--user", "0" })
                      .exitCode,
            0);
        ASSERT_EQ(cli(dir.path(), { "list", "generate", "--user", "0" }).exitCode, 0);
    }

    std::string inUseMessage(qint64 pid) const
    {
        return dir.path() + " is in use by another Quorvel program (hold_folder_lock, process "
            + std::to_string(pid) + "); try again when it has finished";
    }

    TempFolder dir;
    std::string dictionary = dir.file("progdata/sonddict.dis");
};

// Two shell loops, each adding its own 200 words one command at a time, run side by side: every
// add waits its turn, so all 400 words land and the dictionary stays sound.
TEST_F(FolderLockCliTest, TwoWritersAtOnceLoseNothing)
{
    // One add per quorvel-cli run, as a person's script would do it.
    const QString loop = QStringLiteral(
        "while IFS= read -r w; do \"$0\" --folder \"$1\" dict add \"$w\" >/dev/null || "
        "{ echo \"$w failed\" >&2; exit 1; }; done < \"$2\"");
    std::set<QString> expected;
    QProcess writers[2];
    for (int writer = 0; writer < 2; ++writer) {
        const std::string list = dir.file("writer" + std::to_string(writer) + ".txt");
        std::ofstream out(list);
        for (int i = 0; i < 200; ++i) {
            const QString word
                = QString(writer == 0 ? "lam" : "ref") + QChar('a' + i / 26) + QChar('a' + i % 26);
            out << word.toStdString() << '\n';
            expected.insert(word.toUpper());
        }
        out.close();
        writers[writer].start(QStringLiteral("/bin/sh"),
            { "-c", loop, kCli, QString::fromStdString(dir.path()), QString::fromStdString(list) });
    }
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(300000));
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }

    const CliRun walk = cli(dir.path(), { "dict", "walk" });
    ASSERT_EQ(walk.exitCode, 0) << walk.err;
    std::multiset<QString> found;
    for (const QJsonValue& v : walk.json.value("words").toArray())
        found.insert(v.toString());
    for (const QString& word : expected)
        EXPECT_EQ(found.count(word), 1u) << word.toStdString();
    const CliRun check = cli(dir.path(), { "dict", "check" });
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_TRUE(check.json.value("ok").toBool());
    EXPECT_EQ(check.json.value("main").toInt(), 6 + 400);
}

// While another program holds the folder, every writing command (whatever dictionary it names)
// waits two seconds, then fails with exit 2 and the same line, having changed nothing; the
// reading commands answer at once.
TEST_F(FolderLockCliTest, WritersGiveUpOnAHeldFolderAndReadersDoNot)
{
    TempFolder elsewhere;
    const std::string other = elsewhere.file("other.dis");
    ASSERT_EQ(
        cli(elsewhere.path(), { "dict", "create", QString::fromStdString(other) }).exitCode, 0);
    const QString words = QString::fromStdString(dir.file("words.txt"));
    const QStringList writers[] = {
        { "init" },
        { "startup", "set", "startupUser", "1" },
        { "dict", "create", QString::fromStdString(dir.file("extra.dis")) },
        { "dict", "add", "owl" },
        { "dict", "add", "owl", "--dictionary", QString::fromStdString(other) },
        { "dict", "amend", "cat", "--language", "1" },
        { "dict", "remove", "cat" },
        { "dict", "status", "cat", "--user", "0", "--set", "2" },
        { "dict", "import", words },
        { "list", "generate", "--user", "0" },
        { "list", "mark", "--user", "0", "--results", "111111" },
        { "list", "apply", "--user", "0" },
        { "history", "generate", "--user", "0", "--records", "5" },
        { "history", "append", "--user", "0", "--words", "5", "--correct", "3", "--min", "4",
            "--max", "6", "--percent", "40", "--type", "1", "--level", "1" },
        { "drill", "--user", "0", "--no-sound", "--fast" },
    };
    const QStringList readers[] = {
        { "startup", "show" },
        { "dict", "find", "cat" },
        { "dict", "walk" },
        { "dict", "check" },
        { "list", "show", "--user", "0" },
        { "history", "show", "--user", "0" },
    };

    Holder holder(dir.path());
    ASSERT_TRUE(holder.holds());
    const auto before = snapshot(dir.path());
    const auto otherBefore = readBytes(other);

    // The holder never lets go here: a reader that took the folder would fail.
    for (const QStringList& args : readers) {
        const CliRun r = cli(dir.path(), args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << ": " << r.err;
    }

    // All at once: each waits its two seconds beside the others.
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (const QStringList& args : writers)
        running.push_back(startCli(dir.path(), args));
    for (std::size_t i = 0; i < running.size(); ++i) {
        SCOPED_TRACE(writers[i].join(' ').toStdString());
        const CliRun r = finish(*running[i], timer);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_GE(r.milliseconds, 2000) << "waited for the folder first";
        EXPECT_EQ(r.json.value("error").toString().toStdString(), inUseMessage(holder.pid()));
        EXPECT_EQ(r.err, "quorvel-cli: " + inUseMessage(holder.pid()) + "\n");
    }
    EXPECT_EQ(snapshot(dir.path()), before) << "nothing written";
    EXPECT_EQ(readBytes(other), otherBefore);
    EXPECT_TRUE(holder.holds());
}

// A writer that finds the folder held takes it as soon as the holder lets go within its wait.
TEST_F(FolderLockCliTest, AWriterTakesTheFolderWhenItIsLetGo)
{
    Holder holder(dir.path());
    ASSERT_TRUE(holder.holds());
    QElapsedTimer timer;
    timer.start();
    auto add = startCli(dir.path(), { "dict", "add", "owl" });
    EXPECT_FALSE(add->waitForFinished(500)) << "still waiting";
    holder.letGo();
    const CliRun r = finish(*add, timer);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GE(r.milliseconds, 500);
    EXPECT_EQ(cli(dir.path(), { "dict", "find", "owl" }).exitCode, 0);
    EXPECT_FALSE(fileExists(dir.file("quorvel.lock"))) << "released when the command ended";
}

// A holder killed outright leaves its lock file behind; the next writer sees that its holder is
// gone and goes ahead at once.
TEST_F(FolderLockCliTest, AKilledHoldersLockIsRecoveredAtOnce)
{
    Holder holder(dir.path());
    ASSERT_TRUE(holder.holds());
    holder.kill();
    ASSERT_TRUE(fileExists(dir.file("quorvel.lock"))) << "left behind";
    // Recovered within the writer's two seconds, not after any waiting time of the lock's own.
    const CliRun r = cli(dir.path(), { "dict", "add", "owl" });
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fileExists(dir.file("quorvel.lock")));
}

} // namespace
