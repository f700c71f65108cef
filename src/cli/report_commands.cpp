// report last-list/attempts/dictionary/status/history/saved: the statistics window's reports as
// text, one line of output per line of the report.

#include "cli.h"
#include "dictionary/dictionary_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "reports/reports.h"
#include "strings/cli_strings.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

#include <QJsonArray>
#include <cstdio>

namespace quorvel::cli {

namespace {

QJsonArray linesArray(const Report& report)
{
    QJsonArray lines;
    for (const std::string& line : report.lines())
        lines.append(QString::fromLatin1(line.c_str()));
    return lines;
}

// The report as a text file: its lines with a line feed after each (a text that ends with a line
// break has no further empty line).
void printLines(const Report& report)
{
    const std::vector<std::string> lines = report.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < lines.size() || !lines[i].empty())
            std::printf("%s\n", lines[i].c_str());
    }
    std::fflush(stdout);
}

// `path` and why it cannot be used: its file error when it is not there, else `message`.
std::string fileProblem(const std::string& path, const std::string& message)
{
    const FileTest test = testFileExists(path);
    return path + ": " + (test.exists() ? message : FileErrorMessage(test.fileError));
}

// Prints the report and ends the command by its status: 0 complete; 1 for a list that is not
// valid or a report cut short at damage (what could be read is printed); 2 when there was
// nothing to make it from.
void finishReport(const Context& ctx, const ReportResult& result, const std::string& problem)
{
    const QJsonObject out { { "lines", linesArray(result.report) } };
    if (result.status == ReportStatus::Complete) {
        if (ctx.out().json())
            ctx.out().print(out);
        else
            printLines(result.report);
        return;
    }
    if (!ctx.out().json())
        printLines(result.report);
    const int exit
        = result.status == ReportStatus::Unavailable ? Exit::kUnusable : Exit::kNotSuccess;
    throw CommandError(exit, problem, ctx.out().json() ? out : QJsonObject {});
}

void lastListCommand(Context& ctx, const std::vector<std::string>& words, bool withAttempts)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const ReportResult result = lastListReport(ctx.folder(), user, withAttempts);
    const std::string path = paths::wordFile(ctx.folder(), static_cast<char>('0' + user));
    finishReport(ctx, result,
        result.status == ReportStatus::InvalidList ? path + ": " + strings::kLastListInvalid
                                                   : fileProblem(path, result.message));
}

void dictionaryCommand(Context& ctx, const std::vector<std::string>& words, bool statusOnly)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const StartupInfo info = ctx.startup(false);
    int error = 0;
    DictionaryHandle dictionary
        = openDictionaryFile(ctx.dictionaryPath(), !ctx.workingDictionary(), &error);
    if (!dictionary)
        throw CommandError(Exit::kUnusable,
            std::string(strings::kReportUnableToOpenDictionary) + " " + ctx.dictionaryPath() + ": "
                + (error == FileError::kBadFormat ? strings::kCliNotWorkingDictionary
                                                  : FileErrorMessage(error)));
    SystemClock clock;
    const ReportResult result = dictionaryReport(
        *dictionary, info, { statusOnly, user, reportLanguage(info, user) }, clock);
    CloseDictionary(dictionary);
    finishReport(ctx, result, ctx.dictionaryPath() + ": " + result.message);
}

void historyCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const StartupInfo info = ctx.startup(false);
    SystemClock clock;
    const ReportResult result = historyReport(info, user, reportLanguage(info, user), clock);
    finishReport(ctx, result,
        fileProblem(
            paths::historyFile(ctx.folder(), static_cast<char>('0' + user)), result.message));
}

void savedCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    args.expectPositionals(0);
    const ReportResult result = savedStatsReport(ctx.folder());
    finishReport(ctx, result, fileProblem(paths::statsFile(ctx.folder()), result.message));
}

} // namespace

std::vector<Command> reportCommands()
{
    return {
        { "report", "last-list", "report last-list --user U",
            [](Context& c, const std::vector<std::string>& w) { lastListCommand(c, w, false); } },
        { "report", "attempts", "report attempts --user U",
            [](Context& c, const std::vector<std::string>& w) { lastListCommand(c, w, true); } },
        { "report", "dictionary", "report dictionary --user U",
            [](Context& c, const std::vector<std::string>& w) { dictionaryCommand(c, w, false); } },
        { "report", "status", "report status --user U",
            [](Context& c, const std::vector<std::string>& w) { dictionaryCommand(c, w, true); } },
        { "report", "history", "report history --user U", historyCommand },
        { "report", "saved", "report saved", savedCommand },
    };
}

} // namespace quorvel::cli
