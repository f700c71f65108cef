#include "password_scramble.h"

#include <cstring>

namespace quorvel {

namespace {

// Sums of one value of each table stay below 134, so a scrambled password character (codes 48
// to 122) never becomes the terminating zero byte.
constexpr std::array<std::uint8_t, 10> kKeyTable = { 17, 43, 5, 29, 51, 11, 37, 23, 59, 3 };
constexpr std::array<std::uint8_t, 10> kPositionTable = { 31, 7, 53, 19, 41, 13, 47, 2, 37, 23 };

std::size_t textLength(const PasswordBuffer& buffer)
{
    std::size_t n = 0;
    while (n < buffer.size() && buffer[n] != 0)
        ++n;
    return n;
}

bool transform(PasswordBuffer& buffer, int keyIndex, int sign)
{
    if (keyIndex < 0 || keyIndex > 9)
        return false;
    const std::size_t len = textLength(buffer);
    if (len == 0 || len > static_cast<std::size_t>(kMaxPasswordLength))
        return false;
    for (std::size_t i = 0; i < 10 && buffer[i] != 0; ++i) {
        const int delta = kKeyTable[static_cast<std::size_t>(keyIndex)] + kPositionTable[i];
        buffer[i] = static_cast<std::uint8_t>(buffer[i] + sign * delta);
    }
    buffer[10] = 0;
    return true;
}

} // namespace

bool ScramblePassword(PasswordBuffer& buffer, int keyIndex)
{
    return transform(buffer, keyIndex, +1);
}

bool UnscramblePassword(PasswordBuffer& buffer, int keyIndex)
{
    return transform(buffer, keyIndex, -1);
}

bool scrambleText(std::string_view text, int keyIndex, PasswordBuffer& out)
{
    if (text.size() > static_cast<std::size_t>(kMaxPasswordLength))
        return false;
    out.fill(0);
    std::memcpy(out.data(), text.data(), text.size());
    return ScramblePassword(out, keyIndex);
}

bool unscrambleText(const PasswordBuffer& scrambled, int keyIndex, std::string& out)
{
    PasswordBuffer copy = scrambled;
    copy[10] = 0; // at most ten bytes of the stored text are taken
    if (!UnscramblePassword(copy, keyIndex))
        return false;
    out.assign(reinterpret_cast<const char*>(copy.data()), textLength(copy));
    return true;
}

bool isPasswordCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace quorvel
