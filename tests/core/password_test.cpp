// Password scrambling: every allowed password comes back unchanged, a scrambled password never
// holds a zero byte before its end, and what cannot be scrambled is refused untouched.

#include "users/password_scramble.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quorvel::test {
namespace {

std::string allowedCharacters()
{
    std::string out;
    for (int c = 0; c < 256; ++c) {
        if (isPasswordCharacter(static_cast<char>(c)))
            out.push_back(static_cast<char>(c));
    }
    return out;
}

TEST(PasswordScramble, AllowedCharactersAreLettersAndDigits)
{
    const std::string chars = allowedCharacters();
    EXPECT_EQ(chars.size(), 62u);
    EXPECT_EQ(chars.front(), '0');
    EXPECT_EQ(chars.back(), 'z');
    EXPECT_FALSE(isPasswordCharacter(' '));
    EXPECT_FALSE(isPasswordCharacter('_'));
}

// Each allowed character in each of the ten positions under each of the ten keys: the scrambled
// byte is never the terminator, and unscrambling gives the text back.
TEST(PasswordScramble, EveryAllowedTextRoundTripsWithoutAZeroByte)
{
    for (char c : allowedCharacters()) {
        for (int key = 0; key < 10; ++key) {
            const std::string text(10, c);
            PasswordBuffer buffer {};
            std::memcpy(buffer.data(), text.data(), text.size());
            ASSERT_TRUE(ScramblePassword(buffer, key));
            for (int i = 0; i < 10; ++i)
                ASSERT_NE(buffer[static_cast<std::size_t>(i)], 0)
                    << "'" << c << "' key " << key << " position " << i;
            EXPECT_EQ(buffer[10], 0);
            ASSERT_TRUE(UnscramblePassword(buffer, key));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data())), text);
        }
    }
}

TEST(PasswordScramble, TextsOfOneToTenCharactersRoundTrip)
{
    const char* texts[] = { "a", "Z9", "abc", "Secret1", "0123456789", "zzzzzzzzzz" };
    for (const char* t : texts) {
        for (int key = 0; key < 10; ++key) {
            SCOPED_TRACE(std::string(t) + " key " + std::to_string(key));
            PasswordBuffer scrambled {};
            ASSERT_TRUE(scrambleText(t, key, scrambled));
            EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(scrambled.data())), std::strlen(t));
            EXPECT_NE(std::string(reinterpret_cast<const char*>(scrambled.data())), t);
            std::string plain;
            ASSERT_TRUE(unscrambleText(scrambled, key, plain));
            EXPECT_EQ(plain, t);
        }
    }
}

TEST(PasswordScramble, SamePasswordScramblesDifferentlyForEachSlot)
{
    std::vector<PasswordBuffer> seen;
    for (int key = 0; key < 10; ++key) {
        PasswordBuffer b {};
        ASSERT_TRUE(scrambleText("Password", key, b));
        for (const PasswordBuffer& other : seen)
            EXPECT_NE(b, other) << "key " << key;
        seen.push_back(b);
    }
    // A password scrambled for one slot does not unscramble to itself for another.
    std::string plain;
    ASSERT_TRUE(unscrambleText(seen[2], 3, plain));
    EXPECT_NE(plain, "Password");
}

TEST(PasswordScramble, RefusesBadKeysAndEmptyOrOverlongTexts)
{
    PasswordBuffer eleven {};
    eleven.fill('k');
    PasswordBuffer good {};
    std::memcpy(good.data(), "abc", 3);
    const struct
    {
        const char* name;
        PasswordBuffer buffer;
        int key;
    } cases[] = {
        { "key below 0", good, -1 },
        { "key 10", good, 10 },
        { "empty text", PasswordBuffer {}, 0 },
        { "eleven characters", eleven, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PasswordBuffer b = c.buffer;
        EXPECT_FALSE(ScramblePassword(b, c.key));
        EXPECT_EQ(b, c.buffer);
        EXPECT_FALSE(UnscramblePassword(b, c.key));
        EXPECT_EQ(b, c.buffer);
    }
    PasswordBuffer out {};
    EXPECT_FALSE(scrambleText("ElevenChars", 1, out));
    EXPECT_FALSE(scrambleText("", 1, out));
    EXPECT_TRUE(scrambleText("TenChars10", 1, out));
}

} // namespace
} // namespace quorvel::test
