// review show: a user's schedule of failed words to review.

#include "cli.h"
#include "platform/services.h"
#include "review/review_file.h"
#include "review/review_schedule.h"

#include <QDateTime>
#include <QJsonArray>

namespace quorvel::cli {

namespace {

QString localTime(std::time_t when)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(when))
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

void showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    ReviewSchedule schedule;
    if (const ReviewFileResult loaded = loadReviewSchedule(ctx.folder(), user, schedule);
        !loaded.ok())
        throw CommandError(
            Exit::kUnusable, reviewFileMessage(loaded, reviewFilePath(ctx.folder(), user)));
    SystemClock clock;
    const std::time_t now = clock.now();
    QJsonArray entries;
    for (const ReviewEntry& e : schedule.inDueOrder())
        entries.append(QJsonObject {
            { "word", QString::fromStdString(e.word) },
            { "box", e.box },
            { "entered", localTime(e.enteredBox) },
            { "due", localTime(e.due) },
            { "dueNow", e.due <= now },
        });
    ctx.out().print(QJsonObject {
        { "user", user },
        { "words", static_cast<int>(schedule.size()) },
        { "dueNow", static_cast<int>(schedule.dueCount(now)) },
        { "schedule", entries },
    });
}

} // namespace

std::vector<Command> reviewCommands()
{
    return {
        { "review", "show", "review show --user U", showCommand },
    };
}

} // namespace quorvel::cli
