#pragma once

// The bulk transfer of a window's words into the dictionary: every word of a text (a bee or text
// window, or its selection) is added to the working category, or, when the settings ask for it,
// an existing word is moved there. Each word gets one line of the report and one count of the
// statistics. The dialog edits a BulkEditorSettings (config/settings_groups.h) and the report
// window shows the lines and the statistics block this engine returns; both run the same code
// as quorvel-cli's `dict transfer`.
//
// The whole transfer is one batch of the open file: the chains it walks are indexed on first use
// (dictionary_index.h) and the changed blocks are written once, when the batch ends.

#include "config/settings_groups.h"
#include "dictionary_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The words after this many are not transferred (the report says so).
inline constexpr int kTransferWordLimit = 300;
// A letter run this long or longer is no word: it is passed over without a line.
inline constexpr std::size_t kTransferLongRun = 38;
// The largest text a transfer reads. A larger one is refused whole before the dictionary is
// opened, so nothing changes.
inline constexpr std::size_t kTransferMaxTextBytes = std::size_t(8) << 20;

// What became of one word; the numbers are the outcome codes of the report.
enum class TransferOutcome : int
{
    Failed = 0,
    Transferred = 1,
    BadInput = 3,
    AlreadyThere = 5,
    Moved = 10,
    UnableToMove = 11,
    SoundLinked = 13,
    Error = 99, // the file failed: the transfer stops
};

class TransferCounters
{
public:
    void count(TransferOutcome outcome) { ++m_counts[slot(outcome)]; }
    int of(TransferOutcome outcome) const { return m_counts[slot(outcome)]; }
    int total() const;

private:
    static std::size_t slot(TransferOutcome outcome);
    std::array<int, 8> m_counts {};
};

struct BulkTransferSetup
{
    BulkEditorSettings settings;
    // False when the settings file held no valid group: the transfer then works as New, Both,
    // Lock Yes and gives new words no sound flag.
    bool settingsValid = true;
    std::uint16_t category = 0; // the user's working category
    // The name of a category slot, for the "Old = : New =" line.
    std::function<std::string(int)> categoryName;
    int wordLimit = kTransferWordLimit; // 0: no limit
};

struct BulkTransferResult
{
    std::vector<std::string> lines; // the report lines of the words, in order
    TransferCounters counters;
    bool limitReached = false;
    bool fileFailed = false; // a word met a file error; the words after it were not tried
    bool tooLarge = false; // the text was refused whole (checkTransferSize): nothing changed
};

// The words of a text: maximal runs of letters, runs of kTransferLongRun letters or more left
// out. The text is UTF-8; a run's length counts characters. At most `limit` words (0: all);
// `more`, when given, tells whether words were left after the limit.
std::vector<std::string> transferWordsOf(
    std::string_view text, int limit = 0, bool* more = nullptr);

// Transfers every word of `text` into the open file, in one batch of the file. The caller opens
// and closes the dictionary and has checked the text's size (checkTransferSize).
BulkTransferResult runBulkTransfer(
    File& file, std::string_view text, const BulkTransferSetup& setup);

// Empty when a text of this many bytes can be transferred, else the message saying why not.
std::string checkTransferSize(std::uint64_t bytes);

// The report's first two lines and its statistics block.
std::string transferReportHeading();
std::string transferStatistics(const TransferCounters& counters);

} // namespace quorvel
