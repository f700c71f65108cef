#pragma once

// Texts of the "Generate new user history files" dialog that are not message texts (those stand
// with the other history texts in strings.h).

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kHistoryOkButton = QT_TRANSLATE_NOOP("Quorvel", "&Ok");
inline constexpr const char* kHistoryHelpButton = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kHistoryGenerateButton = QT_TRANSLATE_NOOP("Quorvel", "&Generate");
// The number box starts with this many records.
inline constexpr const char* kHistoryDefaultRecords = QT_TRANSLATE_NOOP("Quorvel", "5");
// What a screen reader says for the list of users, which has no label of its own.
inline constexpr const char* kHistoryUserListName = QT_TRANSLATE_NOOP("Quorvel", "User");

} // namespace quorvel::strings
