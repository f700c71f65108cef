// list generate/show/mark/apply: a user's word file.

#include "cli.h"
#include "drill/drill_settings.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "platform/paths.h"
#include "strings/strings.h"

#include <QJsonArray>

namespace quorvel::cli {

namespace {

// The system clock, or a fixed moment when a seed is given: list generation seeds its random
// numbers from the time, so a fixed moment makes the same list twice.
class SeedClock final : public Clock
{
public:
    explicit SeedClock(std::optional<long> seed)
        : m_seed(seed)
    { }
    std::uint32_t ticks() override { return m_system.ticks(); }
    std::time_t now() override
    {
        return m_seed ? static_cast<std::time_t>(*m_seed) : m_system.now();
    }

private:
    std::optional<long> m_seed;
    SystemClock m_system;
};

std::unique_ptr<WordFile> openWordFile(const Context& ctx, int user, OpenMode mode)
{
    auto file = WordFile::open(ctx.folder(), user, mode);
    if (!file)
        throw CommandError(Exit::kUnusable,
            "cannot open " + paths::wordFile(ctx.folder(), static_cast<char>('0' + user)));
    return file;
}

QJsonObject recordObject(const WordFileEntry& e)
{
    const WordFileRecord& r = e.record;
    return QJsonObject {
        { "offset", static_cast<qint64>(e.offset) },
        { "word", QString::fromLatin1(r.word.c_str()) },
        { "answer", QString::fromLatin1(r.answer.c_str()) },
        { "result", r.result },
        { "attempts", r.attempts },
        { "bucketOffset", static_cast<qint64>(r.bucketOffset) },
        { "dictionaryOffset", static_cast<qint64>(r.dictionaryOffset) },
        { "index", r.index },
        { "askedSize", r.askedSize },
        { "soundIndex", r.soundIndex },
        { "media", r.media },
        { "soundFlag", r.soundFlag },
        { "next", static_cast<qint64>(r.next) },
    };
}

int generateCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "seed" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::optional<long> seed = args.integer("seed", 0, 0x7FFFFFFFL);
    StartupInfo info = ctx.startup(false);
    const DrillSettings settings = loadDrillSettings(info, user);
    ListCriteria criteria = drillListCriteria(settings, user);
    DefaultRandomSource random;
    SeedClock clock(seed);
    ListGenerationServices services { random, clock, nullptr };
    const int count = GenerateDrillList(info, criteria, services, false);

    QJsonArray list;
    if (count > 0) {
        auto file = openWordFile(ctx, user, OpenMode::ReadOnly);
        std::vector<WordFileEntry> entries;
        file->readList(entries);
        for (const WordFileEntry& e : entries)
            list.append(QString::fromLatin1(e.record.word.c_str()));
    }
    ctx.out().print(QJsonObject { { "count", count }, { "words", list } });
    if (count == 0) {
        Output::error(strings::kUnableToGenerateList);
        return Exit::kNotSuccess;
    }
    return Exit::kOk;
}

int showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    auto file = openWordFile(ctx, user, OpenMode::ReadOnly);
    WordFileHeader header;
    if (!file->readHeader(header))
        throw CommandError(Exit::kUnusable, "the word file is too short to hold a list");
    std::vector<WordFileEntry> entries;
    const bool chainOk = file->readList(entries, header.count);
    QJsonArray records;
    for (const WordFileEntry& e : entries)
        records.append(recordObject(e));
    ctx.out().print(QJsonObject {
        { "header",
            QJsonObject { { "firstOffset", static_cast<qint64>(header.firstOffset) },
                { "state", header.state },
                { "tableOffset", static_cast<qint64>(header.tableOffset) },
                { "count", header.count }, { "listType", header.listType } } },
        { "valid", ListState::valid(header.state) && chainOk },
        { "records", records },
    });
    return ListState::valid(header.state) && chainOk ? Exit::kOk : Exit::kNotSuccess;
}

int markCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "results" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::string results = args.required("results");
    if (results.find_first_not_of("01") != std::string::npos)
        throw UsageError("--results is a row of 1 (right) and 0 (wrong)");
    auto file = openWordFile(ctx, user, OpenMode::ReadWrite);
    WordFileHeader header;
    std::vector<WordFileEntry> entries;
    if (!file->readHeader(header) || !ListState::valid(header.state)
        || !file->readList(entries, header.count))
        throw CommandError(Exit::kUnusable, strings::kListNotValid);
    if (results.size() != entries.size())
        throw UsageError("the list has " + std::to_string(entries.size())
            + " words; --results gives " + std::to_string(results.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].record.result = results[i] == '1' ? 1 : 0;
        if (file->writeRecord(entries[i].offset, entries[i].record) == 0)
            throw CommandError(Exit::kUnusable, "cannot write the word file");
    }
    // The first pass is over: the list is now spelt once.
    const bool finished = file->finishList(
        static_cast<int>(entries.size()), header.listType, ListState::kSpeltOnce);
    file->close();
    if (!finished)
        throw CommandError(Exit::kUnusable, "cannot write the word file");
    ctx.out().print(QJsonObject { { "marked", static_cast<int>(entries.size()) } });
    return Exit::kOk;
}

int applyCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    StartupInfo info = ctx.startup(false);
    auto file = openWordFile(ctx, user, OpenMode::ReadWrite);
    const bool applied = ApplyListResults(*file, info, user);
    file->close();
    ctx.out().print(QJsonObject { { "applied", applied } });
    if (!applied) {
        Output::error(strings::kFailedToUpdateDictionary);
        return Exit::kNotSuccess;
    }
    return Exit::kOk;
}

} // namespace

std::vector<Command> listCommands()
{
    return {
        { "list", "generate", "list generate --user U [--seed N]", generateCommand },
        { "list", "show", "list show --user U", showCommand },
        { "list", "mark", "list mark --user U --results 1011...", markCommand },
        { "list", "apply", "list apply --user U", applyCommand },
    };
}

} // namespace quorvel::cli
