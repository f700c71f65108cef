// init, startup show, startup set: the startup record by field name.

#include "app/session.h"
#include "app/startup_sequence.h"
#include "cli.h"
#include "config/startup_fields.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "strings/cli_strings.h"
#include "strings/strings.h"

#include <QJsonArray>
#include <cstdio>
#include <filesystem>

namespace quorvel::cli {

namespace {

QString fromRecordText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonValue fieldValue(const StartupInfo& info, const StartupField& f, int index)
{
    const std::size_t at = fieldOffset(f, index);
    switch (f.kind) {
    case StartupFieldKind::Text:
        return fromRecordText(info.textAt(at, f.width));
    case StartupFieldKind::U16:
        return info.u16At(at);
    case StartupFieldKind::Slider:
        return QJsonArray { static_cast<qint64>(info.u32At(at)),
            static_cast<qint64>(info.u32At(at + 4)), static_cast<qint64>(info.u32At(at + 8)) };
    case StartupFieldKind::Password: {
        // Shown as it is stored (scrambled), as hexadecimal bytes up to the terminator.
        QByteArray bytes(reinterpret_cast<const char*>(info.bytes().data() + at),
            static_cast<qsizetype>(f.width - 1));
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        return QString::fromLatin1(bytes.toHex());
    }
    }
    return {};
}

// Puts a value into its field's JSON place: sub-record fields ("listSetup.minLetters") nest.
void putField(QJsonObject& root, std::string_view name, const QJsonValue& value)
{
    const auto dot = name.find('.');
    if (dot == std::string_view::npos) {
        root.insert(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), value);
        return;
    }
    const QString group = QString::fromUtf8(name.data(), static_cast<qsizetype>(dot));
    QJsonObject sub = root.value(group).toObject();
    sub.insert(
        QString::fromUtf8(name.data() + dot + 1, static_cast<qsizetype>(name.size() - dot - 1)),
        value);
    root.insert(group, sub);
}

// Makes the startup record when it is missing, and gives every user without a history file one,
// as the program's first start does, so that an installation made here can drill at once.
void initCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    args.expectPositionals(0);
    bool created = false;
    if (!StartupInfoExists(ctx.folder()).exists()) {
        std::error_code ec;
        std::filesystem::create_directories(paths::join(ctx.folder(), "progdata"), ec);
        StartupInfo info;
        if (!CreateStartupInfo(info, ctx.folder()))
            throw CommandError(Exit::kUnusable, strings::kUnableToWriteConfig);
        created = true;
    }
    Session session;
    session.info = ctx.startup(true);
    SystemClock clock;
    const MissingHistoryFiles history = createMissingHistoryFiles(session, clock);
    QJsonArray made;
    for (int slot : history.created)
        made.append(slot);
    const QJsonObject result { { "created", created }, { "historyFiles", made } };
    if (!history.failed.empty())
        throw CommandError(Exit::kUnusable,
            strings::kCliHistoryFilesNotMade
                + paths::historyFile(ctx.folder(), static_cast<char>('0' + history.failed.front())),
            result);
    ctx.out().print(result);
}

void showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const std::optional<long> user = args.integer("user", 0, 9);
    const StartupInfo info = ctx.storedStartup();
    QJsonObject root;
    if (user)
        root.insert("user", static_cast<int>(*user));
    for (const StartupField& f : startupFields()) {
        QJsonValue value;
        if (f.count == 1) {
            value = fieldValue(info, f, 0);
        } else if (f.count == kUserSlots && user) {
            value = fieldValue(info, f, static_cast<int>(*user));
        } else {
            QJsonArray all;
            for (int i = 0; i < f.count; ++i)
                all.append(fieldValue(info, f, i));
            value = all;
        }
        putField(root, f.name, value);
    }
    ctx.out().print(root);
}

// Changes one field, or refuses a value outside what the field takes (see allowedValues) and
// writes nothing. A radio flag set to 1 clears the others of its group.
void setCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "category" }, {});
    const std::string name = args.positional(0, "field name");
    const std::string value = args.positional(1, "value");
    args.expectPositionals(2);
    const StartupField* field = findStartupField(name);
    if (!field)
        throw UsageError("unknown field '" + name + "'");
    int index = 0;
    if (field->count == kUserSlots)
        index = userOption(args);
    else if (field->count == kCategorySlots)
        index = static_cast<int>(args.requiredInteger("category", 0, kCategorySlots - 1));
    else if (args.has("user") || args.has("category"))
        throw UsageError(name + " is not a per-user or per-category field");

    StartupInfo info = ctx.storedStartup();
    if (const std::string problem = startupValueProblem(info, *field, index, value);
        !problem.empty())
        throw CommandError(Exit::kUnusable, problem);
    if (!putStartupValue(info, *field, index, value))
        throw CommandError(Exit::kNotSuccess, strings::kCliValueNotStored + name);
    if (!ctx.saveStartup(info))
        throw CommandError(Exit::kUnusable, strings::kErrorWritingUserInfo);
    QJsonObject result { { "field", QString::fromStdString(name) },
        { "value", fieldValue(info, *field, index) } };
    if (field->count == kUserSlots)
        result.insert("user", index);
    else if (field->count == kCategorySlots)
        result.insert("category", index);
    ctx.out().print(result);
}

} // namespace

std::vector<Command> startupCommands()
{
    return {
        { "", "init",
            "init                                  create progdata/zelinf32.cfg and users' history "
            "files when missing",
            initCommand },
        { "startup", "show", "startup show [--user U]", showCommand },
        { "startup", "set", "startup set NAME VALUE [--user U | --category C]", setCommand },
    };
}

} // namespace quorvel::cli
