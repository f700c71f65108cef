#include "users/character_sets.h"

#include <cstring>

namespace quorvel {

namespace {
bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

bool isAllowedCharacter(CharacterSet set, char c)
{
    switch (set) {
    case CharacterSet::Any:
        return c != '\0';
    case CharacterSet::UserName:
        return isAsciiLetter(c) || isAsciiDigit(c) || c == '\'' || c == ' ';
    case CharacterSet::Password:
        return isAsciiLetter(c) || isAsciiDigit(c);
    case CharacterSet::CategoryName:
        return isAsciiLetter(c) || isAsciiDigit(c) || (c != '\0' && std::strchr(" .,=@[]#+-", c));
    case CharacterSet::Digits:
        return isAsciiDigit(c);
    case CharacterSet::UpperLetters:
        return c >= 'A' && c <= 'Z';
    case CharacterSet::Pattern:
        return (c >= 'A' && c <= 'Z') || c == '?';
    }
    return false;
}

} // namespace quorvel
