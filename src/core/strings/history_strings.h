#pragma once

// Texts of the "Generate new user history files" dialog that are not message texts (those stand
// with the other history texts in strings.h).

namespace quorvel::strings {

inline constexpr const char* kHistoryOkButton = "&Ok";
inline constexpr const char* kHistoryHelpButton = "&Help";
inline constexpr const char* kHistoryGenerateButton = "&Generate";
// The number box starts with this many records.
inline constexpr const char* kHistoryDefaultRecords = "5";
// What a screen reader says for the list of users, which has no label of its own.
inline constexpr const char* kHistoryUserListName = "User";

} // namespace quorvel::strings
