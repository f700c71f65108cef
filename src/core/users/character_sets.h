#pragma once

// The characters each kind of input box takes. Boxes refuse any other character while the
// person types, so stored names and passwords only ever hold these.

namespace quorvel {

enum class CharacterSet
{
    Any,
    UserName, // A-Z a-z 0-9 ' and the blank
    Password, // A-Z a-z 0-9
    CategoryName, // A-Z a-z 0-9 and the blank . , = @ [ ] # + -
    Digits, // 0-9
    UpperLetters, // A-Z
    Pattern, // A-Z and ?
};

bool isAllowedCharacter(CharacterSet set, char c);

} // namespace quorvel
