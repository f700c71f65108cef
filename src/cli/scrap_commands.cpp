// scrap show/move: a user's scrap pad pages, and moving words from page 1 to page 2 as the scrap
// pad's two Move commands do.

#include "cli.h"
#include "dictionary/current_word_info.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "documents/scrap_pad.h"
#include "platform/file_errors.h"
#include "strings/cli_strings.h"
#include "strings/scrap_pad_strings.h"
#include "strings/strings.h"

#include <QJsonArray>

#include <cstdio>

namespace quorvel::cli {

namespace {

QJsonArray linesOf(const QString& text)
{
    QJsonArray lines;
    if (text.isEmpty())
        return lines;
    QStringList split = text.split(QLatin1Char('\n'));
    // A last line end closes the last line; it does not start another.
    if (text.endsWith(QLatin1Char('\n')))
        split.removeLast();
    for (const QString& line : split)
        lines.append(line);
    return lines;
}

// Both pages, or the command ends with exit 2 when a page file is there but cannot be read (a
// missing file is an empty page, with the window's warning on standard error).
ScrapPadLoad loadPages(const Context& ctx, int user, bool notes)
{
    ScrapPadLoad load = loadScrapPad(ctx.folder(), user);
    for (const ScrapPadPage& page : load.pages) {
        if (page.fileKept())
            throw CommandError(Exit::kUnusable, oneLine(page.message));
        if (notes && !page.message.empty())
            Output::note(oneLine(page.message));
    }
    if (notes && load.missing())
        Output::note(oneLine(strings::kNoScrapPad));
    return load;
}

void showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "page" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::optional<long> only = args.integer("page", 1, 2);
    const ScrapPadLoad load = loadPages(ctx, user, true);

    QJsonObject out;
    for (int page = 0; page < kScrapPadPages; ++page) {
        if (only && *only != page + 1)
            continue;
        out.insert(QStringLiteral("page%1").arg(page + 1),
            linesOf(load.pages[static_cast<std::size_t>(page)].text));
    }
    if (ctx.out().json()) {
        ctx.out().print(out);
        return;
    }
    // As text: one page's lines exactly; both pages each under its heading.
    for (auto it = out.begin(); it != out.end(); ++it) {
        if (!only)
            std::printf("%s:\n", it.key() == QLatin1String("page1") ? "page 1" : "page 2");
        for (const QJsonValue& line : it.value().toArray())
            std::printf("%s\n", line.toString().toUtf8().constData());
    }
    std::fflush(stdout);
}

void moveCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "kind" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::string kindText = args.required("kind");
    if (kindText != "dictionary" && kindText != "non-dictionary")
        throw UsageError("--kind takes dictionary or non-dictionary");
    const MoveKind kind
        = kindText == "dictionary" ? MoveKind::InDictionary : MoveKind::NotInDictionary;
    ScrapPadLoad load = loadPages(ctx, user, false);

    int error = 0;
    DictionaryHandle dictionary
        = openDictionaryFile(ctx.dictionaryPath(), !ctx.workingDictionary(), &error);
    if (!dictionary)
        throw CommandError(Exit::kUnusable,
            std::string(strings::kUnableToOpenDictionary) + " " + ctx.dictionaryPath() + ": "
                + (error == FileError::kBadFormat ? strings::kCliNotWorkingDictionary
                                                  : FileErrorMessage(error)));
    const WordLookup lookup = [&dictionary](std::string_view word) {
        CurrentWordInfo info;
        return FindWord(*dictionary, word, info);
    };
    // The words go in at the end of page 2, as after a caret left at its end.
    const QString page2 = load.pages[1].text;
    const MoveWordsResult r
        = MoveWords(kind, load.pages[0].text, page2, TextSelection::caret(page2.size()), lookup);
    CloseDictionary(dictionary);

    const QJsonArray moved = linesOf(r.page2.mid(page2.size()));
    QJsonObject out { { "moved", r.moved }, { "words", moved },
        { "leftForFullPage", r.leftForFullPage } };
    if (r.moved > 0) {
        load.pages[0].text = r.page1;
        load.pages[1].text = r.page2;
        if (const ScrapPadSaveResult saved = saveScrapPad(ctx.folder(), user, load.pages); !saved)
            throw CommandError(Exit::kUnusable,
                oneLine(std::string(strings::kProblemsSavingScrapPad) + ": " + saved.message), out);
    }
    if (r.lookupFailed)
        throw CommandError(Exit::kUnusable, oneLine(strings::kScrapPadDictionaryError), out);
    if (r.leftForFullPage > 0) {
        std::string full = strings::kScrapPadPageFull;
        full.replace(full.find("%d"), 2, std::to_string(kScrapPadMaxLines));
        full.replace(full.find("%d"), 2, std::to_string(r.leftForFullPage));
        throw CommandError(Exit::kNotSuccess, full, out);
    }
    ctx.out().print(out);
}

} // namespace

std::vector<Command> scrapCommands()
{
    return {
        { "scrap", "show", "scrap show --user U [--page 1|2]", showCommand },
        { "scrap", "move", "scrap move --user U --kind dictionary|non-dictionary", moveCommand },
    };
}

} // namespace quorvel::cli
