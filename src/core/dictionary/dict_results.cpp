#include "dict_results.h"

namespace quorvel {

// The one place where a result becomes its documented number. 0 is "not found" for a search and
// "not suitable" for an add or an amend; 3 is "not suitable" only where a search or a removal
// reports it.

DictResult toDictResult(FindResult r)
{
    switch (r) {
    case FindResult::InMain:
        return DictResult::Done;
    case FindResult::InCategory:
        return DictResult::FoundInCategory;
    case FindResult::NotFound:
        return DictResult::NotFound;
    case FindResult::NotSuitable:
        return DictResult::NotSuitable;
    case FindResult::FileError:
        break;
    }
    return DictResult::FileError;
}

DictResult toDictResult(AddResult r)
{
    switch (r) {
    case AddResult::Added:
        return DictResult::Done;
    case AddResult::AlreadyThere:
        return DictResult::AlreadyThere;
    case AddResult::NotSuitable:
        return DictResult::NotFound;
    case AddResult::FileError:
        break;
    }
    return DictResult::FileError;
}

DictResult toDictResult(AmendResult r)
{
    switch (r) {
    case AmendResult::Amended:
        return DictResult::Done;
    case AmendResult::NotFound:
        return DictResult::NotFound;
    case AmendResult::FileError:
        break;
    }
    return DictResult::FileError;
}

DictResult toDictResult(RemoveResult r)
{
    switch (r) {
    case RemoveResult::Removed:
        return DictResult::Done;
    case RemoveResult::NotFound:
        return DictResult::NotFound;
    case RemoveResult::NotSuitable:
        return DictResult::NotSuitable;
    case RemoveResult::SoundLinked:
        return DictResult::SoundLinked;
    case RemoveResult::FileError:
        break;
    }
    return DictResult::FileError;
}

} // namespace quorvel
