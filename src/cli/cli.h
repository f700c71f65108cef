#pragma once

// quorvel-cli: a second front end on the core, for whoever looks after a classroom's data.
// Global options: --folder DIR (the installation folder holding progdata/; default the current
// folder), --dictionary FILE (work on another dictionary file), --json (one JSON object per
// command). Exit status 0 on success, 1 when the command ran but its result is not success, 2 for
// a usage error or a file that cannot be used. A command returns when it succeeded and throws a
// CommandError or UsageError when it did not; run() reports every failure the same way.

#include "args.h"
#include "config/startup_info.h"
#include "output.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cli {

class Context
{
public:
    Context(std::string folder, std::optional<std::string> dictionary, bool json)
        : m_folder(std::move(folder))
        , m_dictionary(std::move(dictionary))
        , m_out(json)
    { }

    const std::string& folder() const { return m_folder; }
    const Output& out() const { return m_out; }
    // The dictionary the dict commands work on, and whether it is the folder's own.
    std::string dictionaryPath() const;
    bool workingDictionary() const { return !m_dictionary; }
    // Whether the dictionary worked on is the folder's own file, also when --dictionary names it:
    // a change to it moves records that the users' word lists point at.
    bool changesFolderDictionary() const;

    // The folder's startup record as the program sees it after start: read from the folder (the
    // defaults when there is none and `required` is false) with the folder as its data and
    // dictionary folder.
    StartupInfo startup(bool required) const;
    // The record exactly as stored (for changing and saving fields); a usage error when missing.
    StartupInfo storedStartup() const;
    bool saveStartup(const StartupInfo& info) const;

private:
    std::string m_folder;
    std::optional<std::string> m_dictionary;
    Output m_out;
};

// Runs one command: returns when it succeeded (having printed its result), throws otherwise.
using CommandHandler = std::function<void(Context&, const std::vector<std::string>&)>;

struct Command
{
    const char* group; // "dict", or "" for a command of one word
    const char* name;
    const char* usage;
    CommandHandler run;
};

std::vector<Command> startupCommands();
std::vector<Command> dictCommands();
std::vector<Command> listCommands();
std::vector<Command> historyCommands();
std::vector<Command> drillCommands();
std::vector<Command> reportCommands();
std::vector<Command> scrapCommands();
std::vector<Command> reviewCommands();

// Runs the command line; returns the exit status.
int run(const std::vector<std::string>& arguments);

// A user slot option (--user), 0..9.
int userOption(const Args& args);

} // namespace quorvel::cli
