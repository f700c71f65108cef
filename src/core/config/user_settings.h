#pragma once

// A user's drill settings as values: numbers as numbers and each radio group as one choice. They
// are read from and written to the startup record through its field table (startup_fields.h); the
// record keeps numbers as decimal texts and a choice as one flag per option.
//
// Writing puts back only what changed: a number whose text already reads as the value keeps its
// text ("07" stays "07"), a choice that the flags already read as keeps its flags (even a damaged
// group with two flags set), so a record read and written again keeps every byte.

#include "startup_info.h"

#include <cstdint>
#include <string>

namespace quorvel {

// A user's level, numbered as history records keep it.
enum class Level : std::uint8_t
{
    Elementary = 1,
    Intermediate = 2,
    Advanced = 3,
};

// Where a drill list came from, numbered as the word file and history records keep it. A user's
// list setup chooses one of the first four; the last two are lists made from documents.
enum class ListType : std::uint16_t
{
    Random = 1,
    OneLetter = 2,
    Predefined = 3,
    Failures = 4,
    ScrapPad = 5,
    Window = 6,
};

// The drill's English, numbered as `drillLanguage` and the dictionary's language flags keep it.
enum class Language : std::uint8_t
{
    UK = 1,
    US = 2,
};

enum class LevelAdjustment : std::uint8_t
{
    Practice,
    Manual,
    Auto,
};

enum class RepeatControl : std::uint8_t
{
    All,
    Failures,
};

enum class LetterCase : std::uint8_t
{
    Upper,
    Lower,
};

enum class LearnMode : std::uint8_t
{
    Flash,
    Ripple,
    Continuous,
};

// The number kept for a level or list type in the files, and back. A stored number outside the
// enumeration still converts (the value says what the file held).
constexpr int levelNumber(Level level)
{
    return static_cast<int>(level);
}
constexpr int listTypeNumber(ListType type)
{
    return static_cast<int>(type);
}
constexpr ListType listTypeFromNumber(int number)
{
    return static_cast<ListType>(number);
}
constexpr bool isDocumentList(ListType type)
{
    return type == ListType::ScrapPad || type == ListType::Window;
}

// Decimal text to integer as stored numbers are read: leading blanks and a sign allowed; a text
// without leading digits reads as 0.
int decimalValue(const std::string& text);

// The "User List Setup" page.
struct ListSetup
{
    int minLetters = 0;
    int maxLetters = 0;
    int listSize = 0;
    std::string oneLetter;
    std::string predefined;
    ListType type = ListType::Random;
    bool operator==(const ListSetup&) const = default;

    static ListSetup read(const StartupInfo& info, int user);
    void write(StartupInfo& info, int user) const;
};

// The "Display" page: times in whole seconds.
struct DisplaySetup
{
    int wordShowTime = 0;
    int answerDelay = 0;
    int spellTime = 0;
    int betweenWords = 0;
    LetterCase letterCase = LetterCase::Upper;
    bool operator==(const DisplaySetup&) const = default;

    static DisplaySetup read(const StartupInfo& info, int user);
    void write(StartupInfo& info, int user) const;
};

// The "User List Options" page.
struct ListOptions
{
    LevelAdjustment adjustment = LevelAdjustment::Manual;
    RepeatControl repeat = RepeatControl::All;
    Level level = Level::Elementary;
    Language language = Language::US;
    bool showLanguageFlag = false;
    bool operator==(const ListOptions&) const = default;

    static ListOptions read(const StartupInfo& info, int user);
    void write(StartupInfo& info, int user) const;
};

// The "Learn Setup" page: each flash and ripple value as the drill reads it (its box's number)
// and as the page's bar keeps it.
struct LearnSetup
{
    LearnMode mode = LearnMode::Ripple;
    int continuousTime = 0; // seconds
    int flashDuration = 0, flashCount = 0; // milliseconds, times
    int rippleDuration = 0, rippleCount = 0;
    SliderTriple flashDurationBar, flashCountBar, rippleDurationBar, rippleCountBar;
    bool operator==(const LearnSetup&) const = default;

    static LearnSetup read(const StartupInfo& info, int user);
    void write(StartupInfo& info, int user) const;
};

struct UserSettings
{
    ListSetup list;
    DisplaySetup display;
    ListOptions options;
    LearnSetup learn;
    bool operator==(const UserSettings&) const = default;

    // How the record's values read for user slot `user` (0..9; any other slot reads as zeros).
    static UserSettings read(const StartupInfo& info, int user);
    // Puts every value that reads differently into the record; the rest is left byte for byte.
    void write(StartupInfo& info, int user) const;
};

// The level of a user's options flags: Elementary when its flag is 1, else Intermediate when that
// flag is 1, else Advanced. The one reading of the three flags, for the record and for a page's
// copy of them.
Level levelOf(const ListOptionsRecord& options);

// The two values the drill itself changes: the level, and the letters range.
void setUserLevel(StartupInfo& info, int user, Level level);
void setLettersRange(StartupInfo& info, int user, int minLetters, int maxLetters);

} // namespace quorvel
