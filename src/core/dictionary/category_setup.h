#pragma once

// The category setup: naming a free category, renaming one, moving a category with its words into
// a free slot, combining two categories, and deleting a category with its words. The words are
// moved and removed through the word operations, one at a time, so the dictionary stays sound
// whatever happens on the way.

#include "config/startup_info.h"
#include "dictionary/dictionary_backup.h"
#include "platform/services.h"

#include <array>
#include <string>

namespace quorvel {

class Session;

// The longest name a person can give a category.
inline constexpr int kCategoryNameMaxLength = 23;

enum class CategoryTransferMode
{
    Move,
    Delete,
};

// How a transfer of a category's words ended.
struct CategoryTransfer
{
    long successful = 0;
    long unsuccessful = 0;
    bool openFailed = false; // the dictionary could not be opened: nothing was touched
    bool fileError = false; // a read or write failed on the way: the transfer stopped there
    // Every word of the category went where it was asked to go.
    bool complete() const { return !openFailed && !fileError && unsuccessful == 0; }
};

// Moves every word of category `from` to category `to` (statuses and sound kept), or removes
// every word of it (its sound link cleared first; the recording itself stays). Category 0 is
// never emptied here.
CategoryTransfer transferCategoryWords(
    StartupInfo& info, int from, int to, CategoryTransferMode mode);

// The message that ends a transfer: the two counts.
Notice categoryTransferNotice(const CategoryTransfer& transfer);

// Runs a transfer with the busy hook on and shows its messages ("Unable to open dictionary
// files." or the counts).
CategoryTransfer TransferCategory(StartupInfo& info, int from, int to, CategoryTransferMode mode,
    Prompter& prompter, const BusyHook& busy = {});

// What the dialog shows and edits: the names as they stand, the From and To selections and the
// text typed in the From box.
struct CategorySetupValues
{
    std::array<std::string, kCategorySlots> names;
    int from = 1;
    int to = 1;
    std::string fromText;
};

CategorySetupValues categorySetupOpening(const StartupInfo& info);

enum class CategoryAction
{
    New,
    Rename,
    Move,
    Combine,
    Delete,
};

// What an action changed.
struct CategoryActionResult
{
    bool namesChanged = false;
    bool wordsChanged = false;
};

// Carries out one button of the dialog on the session: asks what it must ask, refuses bad input
// with its message, moves or removes the words, renames the slots and saves the record. Users
// whose working category was moved or combined follow it; the session's category box and
// dictionary notices are raised at once.
CategoryActionResult applyCategoryAction(Session& session, CategoryAction action,
    const CategorySetupValues& values, Prompter& prompter, const BusyHook& busy = {});

} // namespace quorvel
