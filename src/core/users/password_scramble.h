#pragma once

// Passwords are kept in the startup record scrambled with a pair of small key tables: one value
// per key index (the user's slot, or 5 for the system password) and one per character position.
// This keeps a password from being read off the file at a glance; it is not encryption.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

using PasswordBuffer = std::array<std::uint8_t, 11>;

inline constexpr int kSystemPasswordKey = 5;
inline constexpr int kMaxPasswordLength = 10;
// The system password a new startup record holds (scrambled), until someone sets another.
inline constexpr const char* kFactorySystemPassword = "Admin1";

// In place on an 11-byte buffer; false when the key index is not 0..9 or the text is empty or
// longer than 10 characters.
bool ScramblePassword(PasswordBuffer& buffer, int keyIndex);
bool UnscramblePassword(PasswordBuffer& buffer, int keyIndex);

// Convenience: the scrambled buffer of a plain text (nothing when it cannot be scrambled), and
// the plain text of a scrambled buffer (nothing when it cannot be unscrambled).
bool scrambleText(std::string_view text, int keyIndex, PasswordBuffer& out);
bool unscrambleText(const PasswordBuffer& scrambled, int keyIndex, std::string& out);

// Password characters: A-Z, a-z, 0-9.
bool isPasswordCharacter(char c);

} // namespace quorvel
