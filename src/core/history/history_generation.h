#pragma once

// What "Generate" of the "Generate new user history files" dialog does: the number of records is
// checked, the person confirms that the old files go (and, for a file that claims more than 60
// records, that only its newest drills are kept), and one user's file or all ten are made again,
// each step reporting through the Prompter. The dialog only edits the values.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class Clock;
class Prompter;
class Session;

// Switched on and off around the work the person waits for (the hourglass); may be empty.
using BusyHook = std::function<void(bool on)>;

struct HistoryGenerationValues
{
    int user = 0; // the individual user
    std::string recordsText; // the number of records per file, as typed
    bool allUsers = false; // else the individual user only
};
// The current user, the default number of records, the individual user.
HistoryGenerationValues historyGenerationOpening(const Session& session);

// The number of records the text asks for when it is a whole number within 3..60.
std::optional<int> historyRecordCount(std::string_view text);

enum class HistoryGeneration
{
    OutOfRange, // the range message was shown; nothing was touched
    Cancelled, // the person kept the old files
    Made, // the individual user's file was made
    Failed, // the individual user's file could not be made
    AllMade, // all ten files were made
    Incomplete, // all users: some files could not be made
};
struct HistoryGenerationResult
{
    HistoryGeneration outcome;
    int filesMade = 0;
};

// "&Generate": makes the chosen user's history file, or every user's, with the number of records
// asked for, keeping the newest drills of each old file.
HistoryGenerationResult generateHistoryFiles(const std::string& dataFolder,
    const HistoryGenerationValues& values, Clock& clock, Prompter& prompter,
    const BusyHook& busy = {});

} // namespace quorvel
