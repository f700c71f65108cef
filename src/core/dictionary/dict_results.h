#pragma once

// What the dictionary operations come to. Each operation has a result type of its own, so that a
// caller can only test for what that operation reports: "not suitable" is AddResult::NotSuitable,
// never a 0 that means "not found" elsewhere. The numbers the program shows for them (the
// "result" of quorvel-cli's dict commands) are DictResult, and only toDictResult() makes one.

namespace quorvel {

// The dictionary's documented result codes, as shown to a person or another program.
enum class DictResult : int
{
    NotFound = 0, // also: not suitable (add, amend)
    Done = 1, // also: found in the main dictionary
    FoundInCategory = 2,
    NotSuitable = 3, // find, remove
    FileError = 4,
    AlreadyThere = 5,
    SoundLinked = 7,
};

// Word level.
enum class FindResult
{
    InMain,
    InCategory,
    NotFound,
    NotSuitable,
    FileError,
};
enum class AddResult
{
    Added,
    AlreadyThere, // in either table
    NotSuitable,
    FileError,
};
enum class AmendResult
{
    Amended,
    NotFound, // not suitable, or not in the dictionary: nothing to amend
    FileError,
};
enum class RemoveResult
{
    Removed,
    NotFound,
    NotSuitable,
    SoundLinked, // not removed
    FileError,
};

inline bool isFound(FindResult r)
{
    return r == FindResult::InMain || r == FindResult::InCategory;
}

// Chain level.
enum class ChainSearch
{
    Found,
    NotFound,
    FileError,
};
enum class InsertResult
{
    Inserted,
    AlreadyThere,
    FileError,
};
enum class FreeResult
{
    Freed,
    ListFull, // the record's space is not reused
    FileError,
};
enum class UnlinkResult
{
    Unlinked,
    NotFound,
    FreeListFull, // out of its chain all the same; only its space is not reused
    SoundLinked, // refused
    FileError,
};
// Finishing a move between the tables that was cut short.
enum class MoveFinish
{
    Finished,
    NothingToFinish, // no move under way, or one whose current copy cannot be told
    FileError,
};

DictResult toDictResult(FindResult r);
DictResult toDictResult(AddResult r);
DictResult toDictResult(AmendResult r);
DictResult toDictResult(RemoveResult r);

inline int resultCode(DictResult r)
{
    return static_cast<int>(r);
}

} // namespace quorvel
