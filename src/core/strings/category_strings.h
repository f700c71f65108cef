#pragma once

// The category setup dialog: its labels, questions and messages.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kCategorySetupTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Dictionary category setup ");
inline constexpr const char* kCategoryFromLabel = QT_TRANSLATE_NOOP("Quorvel", "&From >");
inline constexpr const char* kCategoryToLabel = QT_TRANSLATE_NOOP("Quorvel", "&To >");
inline constexpr const char* kCategoryFromHint
    = QT_TRANSLATE_NOOP("Quorvel", "Use this box for New, Rename and Delete");
inline constexpr const char* kCategoryDestination = QT_TRANSLATE_NOOP("Quorvel", "Destination ");
inline constexpr const char* kCategorySelectFirst
    = QT_TRANSLATE_NOOP("Quorvel", "Select the Categories first then press required button");
inline constexpr const char* kCategoryNewButton = QT_TRANSLATE_NOOP("Quorvel", "&New");
inline constexpr const char* kCategoryRenameButton = QT_TRANSLATE_NOOP("Quorvel", "&Rename");
inline constexpr const char* kCategoryMoveButton = QT_TRANSLATE_NOOP("Quorvel", "&Move");
inline constexpr const char* kCategoryCombineButton = QT_TRANSLATE_NOOP("Quorvel", "Com&Bine");
inline constexpr const char* kCategoryDeleteButton = QT_TRANSLATE_NOOP("Quorvel", "&Delete");
// "&Delete" holds D: Done takes its second letter.
inline constexpr const char* kCategoryDoneButton = QT_TRANSLATE_NOOP("Quorvel", "D&one");
inline constexpr const char* kCategoryHelpButton = QT_TRANSLATE_NOOP("Quorvel", "&Help");

inline constexpr const char* kUseRenameForNamed
    = QT_TRANSLATE_NOOP("Quorvel", "Use rename to change a working category");
inline constexpr const char* kCannotNameFree
    = QT_TRANSLATE_NOOP("Quorvel", "You Cannot name the category \"free\"");
inline constexpr const char* kCategoryNeedsCharacter
    = QT_TRANSLATE_NOOP("Quorvel", "Category must have at least one character");
inline constexpr const char* kCannotRenameFree
    = QT_TRANSLATE_NOOP("Quorvel", "You cannot rename a \"free\" category");
inline constexpr const char* kCannotMoveFree
    = QT_TRANSLATE_NOOP("Quorvel", "Cannot move or combine a free category");
inline constexpr const char* kCategoryAreYouSure
    = QT_TRANSLATE_NOOP("Quorvel", "Are you sure? \r\n Yes to continue.");
inline constexpr const char* kMoveCategoryCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Move dictionary category.");
inline constexpr const char* kCombineCategoriesCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Combine  dictionary categories.");
inline constexpr const char* kDeleteCategoryCaption
    = QT_TRANSLATE_NOOP("Quorvel", "Delete  dictionary category.");
inline constexpr const char* kUnableToOpenDictionaryLower
    = QT_TRANSLATE_NOOP("Quorvel", "Unable to open dictionary files.");
inline constexpr const char* kTransferCountFormat = "%s %ld.  %s  %ld";
inline constexpr const char* kTransferSuccessful = QT_TRANSLATE_NOOP("Quorvel", "Successful   =");
inline constexpr const char* kTransferUnsuccessful
    = QT_TRANSLATE_NOOP("Quorvel", "Unsuccessful  =");

} // namespace quorvel::strings
