#pragma once

// Making the current user's next drill list from the words of a text (a bee/text window or a
// scrap pad page): the words of the selection, or from the caret on, that fit the user's letters
// range, in capitals, each once, up to the user's list size.

#include "config/user_settings.h"

#include <QString>

#include <string>
#include <vector>

namespace quorvel {

class StartupInfo;
struct DocumentState;

// Where the words are taken from: a selection when start and end differ (in either order),
// else the caret at `start`. Positions count the text's UTF-16 units, as an editor does.
struct TextSelection
{
    qsizetype start = 0;
    qsizetype end = 0;
    static TextSelection caret(qsizetype at) { return { at, at }; }
};

// The user's list setup as list making reads it: a value that reads as 0 takes its default.
struct TextListSettings
{
    int listSize = 5;
    int minLetters = 5;
    int maxLetters = 38;
    static TextListSettings read(const StartupInfo& info, int user);
};

// A word list holds at most this many words; a list size above it makes no list.
inline constexpr int kMaxTextListWords = 50;
// Tokens of this many letters or more are passed over without a test.
inline constexpr int kTooLongToken = 38;

// The words a list would take from the text, in order. More than kMaxTextListWords words means
// the list is too long to be made (the scan stops at the first word beyond).
std::vector<std::string> extractListWords(
    const QString& text, TextSelection where, const TextListSettings& settings);

// Result codes of MakeListFromText.
namespace MakeListResult {
inline constexpr int kNoList = 0; // no word fit, or too many
inline constexpr int kMade = 1;
inline constexpr int kWordFileNotWritten = 4;
inline constexpr int kOutOfMemory = 8;
} // namespace MakeListResult

struct MakeListOutcome
{
    int result = MakeListResult::kNoList;
    std::vector<std::string> words; // the list written, when made
};

// Makes user `user`'s word file from the text: a list of type `source` (ListType::Window or
// ListType::ScrapPad) in its fresh state. The list is made whole before the file is written, so
// when no list can be made the word file is not touched: the user's last list stays, and only
// this source's mark in `documents` is cleared, so the drill never takes that list for this
// text's. A list made marks its source and clears the other's mark.
MakeListOutcome MakeListFromText(const QString& text, TextSelection where, ListType source,
    const StartupInfo& info, int user, DocumentState& documents);

// The message box of a result: caption and text, both empty for a list made.
struct MakeListMessage
{
    std::string caption;
    std::string text;
    bool shown() const { return !text.empty(); }
};
MakeListMessage makeListMessage(int result);

} // namespace quorvel
