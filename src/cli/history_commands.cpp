// history generate/append/show: a user's history ring.

#include "cli.h"
#include "history/history_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "strings/cli_strings.h"
#include "strings/strings.h"

#include <QJsonArray>

namespace quorvel::cli {

namespace {

// Messages for a person: kept, so that a failure can end the command with its own message and a
// warning along the way is shown on standard error. Every question gets its first answer.
class NotingPrompter final : public Prompter
{
public:
    MessageAnswer show(const std::string& text, const std::string& caption, MessageIcon,
        MessageButtons buttons) override
    {
        m_messages.push_back(caption + ": " + text);
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
            ? MessageAnswer::Yes
            : MessageAnswer::Ok;
    }
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

std::string historyPath(const Context& ctx, int user)
{
    return paths::historyFile(ctx.folder(), static_cast<char>('0' + user));
}

QJsonObject summaryObject(const HistorySummary& s)
{
    return QJsonObject {
        { "auto", s.autoFlag },
        { "words", s.words },
        { "correct", s.correct },
        { "minLetters", s.minLetters },
        { "maxLetters", s.maxLetters },
        { "levelPercent", s.levelPercent },
        { "listType", s.listType },
        { "level", s.level },
    };
}

QString dateText(const std::string& date)
{
    QString text = QString::fromLatin1(date.c_str());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

void generateCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "records" }, { "force" });
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::string records = args.required("records");
    long n = 0;
    try {
        n = parseInteger(records, kHistoryMinRecords, kHistoryMaxRecords, "--records");
    } catch (const UsageError&) {
        throw UsageError(strings::kHistoryRange);
    }
    // Such a file loses drills in the rebuild: only on request.
    const bool force = args.has("force");
    if (!force && historyFileOversized(ctx.folder(), user))
        throw CommandError(
            Exit::kNotSuccess, historyPath(ctx, user) + strings::kCliHistoryOversized);
    SystemClock clock;
    if (!GenerateHistoryFile(ctx.folder(), static_cast<int>(n), user, clock, force))
        throw CommandError(Exit::kUnusable,
            std::string(strings::kHistoryCreateFailed) + " " + historyPath(ctx, user));
    ctx.out().print(QJsonObject { { "user", user }, { "records", static_cast<int>(n) } });
}

void appendCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "words", "correct", "min", "max", "percent", "type", "level" },
        { "auto" });
    args.expectPositionals(0);
    const int user = userOption(args);
    HistorySummary s;
    s.autoFlag = args.has("auto") ? 1 : 0;
    s.words = static_cast<std::uint16_t>(args.requiredInteger("words", 0, 65535));
    s.correct = static_cast<std::uint16_t>(args.requiredInteger("correct", 0, s.words));
    s.minLetters = static_cast<std::uint16_t>(args.requiredInteger("min", 0, 65535));
    s.maxLetters = static_cast<std::uint16_t>(args.requiredInteger("max", 0, 65535));
    s.levelPercent = static_cast<std::uint16_t>(args.requiredInteger("percent", 0, 65535));
    s.listType = static_cast<std::uint16_t>(args.requiredInteger("type", 1, 6));
    s.level = static_cast<std::uint16_t>(args.requiredInteger("level", 1, 3));
    // The drill's append makes no file; say so before it fails for want of one.
    if (const int error = testFileExists(historyPath(ctx, user)); error != 0)
        throw CommandError(Exit::kUnusable,
            strings::kCliNoHistoryFile + historyPath(ctx, user) + ": " + FileErrorMessage(error)
                + strings::kCliMakeHistoryFile,
            QJsonObject { { "appended", false } });
    SystemClock clock;
    NotingPrompter prompter;
    const bool ok = appendDrillHistory(ctx.folder(), user, s, clock, prompter);
    if (!ok)
        throw CommandError(Exit::kUnusable,
            historyPath(ctx, user) + ": "
                + (prompter.messages().empty() ? std::string(strings::kUnableToSaveHistory)
                                               : prompter.messages().back()),
            QJsonObject { { "appended", false } });
    for (const std::string& warning : prompter.messages())
        Output::note(warning);
    ctx.out().print(QJsonObject { { "appended", true } });
}

void showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    auto file = HistoryFile::open(ctx.folder(), user, OpenMode::ReadOnly);
    if (!file) {
        const int error = testFileExists(historyPath(ctx, user));
        throw CommandError(Exit::kUnusable,
            strings::kCliCannotOpen + historyPath(ctx, user)
                + (error != 0 ? ": " + FileErrorMessage(error) : std::string()));
    }
    HistoryHeader header;
    if (!file->readHeader(header))
        throw CommandError(
            Exit::kUnusable, historyPath(ctx, user) + ": " + strings::kCliHistoryFileTooShort);
    std::vector<HistoryRecord> records;
    const bool complete = file->readRecords(records);
    QJsonArray entries;
    for (const HistoryRecord& record : records) {
        QJsonObject entry = summaryObject(record.summary);
        entry.insert("date", dateText(record.date));
        entries.append(entry);
    }
    const QJsonObject out {
        { "records", header.records },
        { "created", dateText(header.created) },
        { "nextWrite", static_cast<qint64>(header.nextWrite) },
        { "summary", summaryObject(header.summary) },
        { "entries", entries },
        { "complete", complete },
    };
    if (!complete)
        throw CommandError(
            Exit::kNotSuccess, historyPath(ctx, user) + strings::kCliHistoryIncomplete, out);
    ctx.out().print(out);
}

} // namespace

std::vector<Command> historyCommands()
{
    return {
        { "history", "generate", "history generate --user U --records N [--force]",
            generateCommand },
        { "history", "append",
            "history append --user U --words W --correct C --min A --max B --percent P --type T "
            "--level L [--auto]",
            appendCommand },
        { "history", "show", "history show --user U", showCommand },
    };
}

} // namespace quorvel::cli
