#include "cli.h"

#include "platform/file_errors.h"
#include "platform/folder_lock.h"
#include "platform/paths.h"
#include "strings/cli_strings.h"
#include "strings/strings.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <utility>

namespace quorvel::cli {

std::string Context::dictionaryPath() const
{
    return m_dictionary ? *m_dictionary : paths::dictionaryFile(m_folder);
}

bool Context::changesFolderDictionary() const
{
    if (!m_dictionary)
        return true;
    std::error_code ec;
    return std::filesystem::equivalent(*m_dictionary, paths::dictionaryFile(m_folder), ec);
}

StartupInfo Context::startup(bool required) const
{
    StartupInfo info;
    if (StartupInfoExists(m_folder).exists()) {
        if (ReadStartupInfo(info, m_folder) != kStartupRead)
            throw CommandError(Exit::kUnusable, strings::kErrorReadingStartup);
    } else if (required) {
        throw CommandError(
            Exit::kUnusable, "no startup record in " + m_folder + " (run: quorvel-cli init)");
    } else {
        FillStartupDefaults(info, m_folder);
    }
    // As at the program's start, the folder it runs from is the data and dictionary folder.
    info.setDataFolder(m_folder);
    info.setDictionaryFolder(m_folder);
    return info;
}

StartupInfo Context::storedStartup() const
{
    StartupInfo info;
    if (const FileTest record = StartupInfoExists(m_folder); !record.exists())
        throw CommandError(Exit::kUnusable,
            paths::startupRecordFile(m_folder) + ": " + FileErrorMessage(record.fileError));
    if (ReadStartupInfo(info, m_folder) != kStartupRead)
        throw CommandError(Exit::kUnusable, strings::kErrorReadingStartup);
    return info;
}

bool Context::saveStartup(const StartupInfo& info) const
{
    return WriteStartupInfo(info, true, m_folder);
}

int userOption(const Args& args)
{
    return static_cast<int>(args.requiredInteger("user", 0, 9));
}

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> all;
    for (auto group : { startupCommands(), dictCommands(), listCommands(), historyCommands(),
             drillCommands(), reportCommands(), scrapCommands(), reviewCommands() })
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

// Commands that only read; every other command writes and holds the installation folder while it
// runs, so that one program writes a folder at a time (a new command holds it until it is added
// here). Reading needs no lock: a reader never waits for a writer.
bool onlyReads(const Command& c)
{
    static const std::pair<std::string_view, std::string_view> kReaders[] = {
        { "startup", "show" },
        { "dict", "find" },
        { "dict", "walk" },
        { "dict", "check" },
        { "list", "show" },
        { "history", "show" },
        { "report", "last-list" },
        { "report", "attempts" },
        { "report", "dictionary" },
        { "report", "status" },
        { "report", "history" },
        { "report", "saved" },
        { "scrap", "show" },
        { "review", "show" },
    };
    return std::any_of(std::begin(kReaders), std::end(kReaders),
        [&](const auto& r) { return r.first == c.group && r.second == c.name; });
}

// Takes the folder for a writing command, waiting for a moment when another program holds it.
void takeFolder(FolderLock& lock)
{
    switch (lock.take(kFolderLockWait)) {
    case FolderLockResult::Taken:
        return;
    case FolderLockResult::InUse:
        throw CommandError(Exit::kUnusable,
            lock.folder() + strings::kCliFolderInUse
                + (lock.holder() ? " (" + describeHolder(*lock.holder()) + ")" : std::string())
                + strings::kCliFolderInUseAdvice);
    case FolderLockResult::CannotCreate:
        throw CommandError(Exit::kUnusable,
            strings::kCliCannotWrite + lock.file() + ": " + FileErrorMessage(lock.fileError()));
    }
}

void printUsage(std::FILE* to)
{
    std::fprintf(to,
        "usage: quorvel-cli [--folder DIR] [--dictionary FILE] [--json] COMMAND "
        "...\n\ncommands:\n");
    for (const Command& c : allCommands())
        std::fprintf(to, "  %s\n", c.usage);
}

} // namespace

int run(const std::vector<std::string>& arguments)
{
    // Known before anything else, so that even a misspelt global option is reported as JSON.
    const bool json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
    const Output out(json);
    try {
        // Global options may stand anywhere on the line.
        std::vector<std::string> rest;
        std::optional<std::string> folder, dictionary;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& a = arguments[i];
            auto takeValue = [&](const char* name) {
                const std::string prefix = std::string("--") + name + "=";
                if (a.rfind(prefix, 0) == 0)
                    return a.substr(prefix.size());
                if (i + 1 >= arguments.size())
                    throw UsageError(std::string("--") + name + " needs a value");
                return arguments[++i];
            };
            if (a == "--json")
                continue;
            else if (a == "--folder" || a.rfind("--folder=", 0) == 0)
                folder = takeValue("folder");
            else if (a == "--dictionary" || a.rfind("--dictionary=", 0) == 0)
                dictionary = takeValue("dictionary");
            else if (a == "--help" || a == "-h") {
                printUsage(stdout);
                return Exit::kOk;
            } else
                rest.push_back(a);
        }
        if (rest.empty())
            throw UsageError("no command given");

        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path base = folder ? fs::path(*folder) : fs::current_path(ec);
        if (ec || !fs::is_directory(base, ec))
            throw CommandError(Exit::kUnusable, "folder not found: " + base.string());
        std::string absolute = fs::absolute(base, ec).lexically_normal().string();
        if (absolute.size() > 1 && absolute.back() == '/')
            absolute.pop_back();
        if (dictionary)
            dictionary = fs::absolute(*dictionary, ec).lexically_normal().string();

        Context context(absolute, dictionary, json);
        for (const Command& c : allCommands()) {
            const bool grouped = *c.group != '\0';
            if (grouped ? (rest.size() >= 2 && rest[0] == c.group && rest[1] == c.name)
                        : rest[0] == c.name) {
                const std::vector<std::string> words(rest.begin() + (grouped ? 2 : 1), rest.end());
                // The folder's lock, whatever --dictionary names: it guards the installation.
                std::optional<FolderLock> lock;
                if (!onlyReads(c))
                    takeFolder(lock.emplace(absolute));
                c.run(context, words);
                return Exit::kOk;
            }
        }
        throw UsageError("unknown command '" + rest[0]
            + (rest.size() > 1 ? " " + rest[1] : std::string()) + "'");
    } catch (const UsageError& e) {
        out.failure(e.message() + " (see quorvel-cli --help)", {});
        return Exit::kUnusable;
    } catch (const CommandError& e) {
        // Every failure has its line: a command that found nothing better to say still says so.
        out.failure(e.message().empty() ? strings::kCliNoCommandOutput : e.message(), e.details());
        return e.exitCode() == Exit::kOk ? Exit::kNotSuccess : e.exitCode();
    } catch (const std::exception& e) {
        out.failure(e.what(), {});
        return Exit::kUnusable;
    }
}

} // namespace quorvel::cli
