#pragma once

// The one table of the startup record's fields: where each lies (offset, width, and for the
// per-user and per-category arrays the stride between elements) and what it may hold. The record's
// accessors, the typed user settings and the command-line front end all read their offsets and
// widths from here, so the layout is written down once. Per-user fields repeat for slots 0..9,
// the category names for slots 0..63; sub-record fields are named "listSetup.minLetters" and so
// on. Each field also carries what it may hold, so a record changed by name is one the program
// can start with and the drill can use.

#include "startup_info.h"
#include "users/character_sets.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Every field of the record, in table (and record) order.
enum class StartupFieldId : std::uint8_t
{
    CategoryNames,
    StartupUser,
    DictionaryOpened,
    SystemPasswordOn,
    AdditionalDictPath,
    WaveformPath,
    DataFolder,
    DictionaryFolder,
    SoundOn,
    PromotionThreshold,
    DemotionThreshold,
    UserNames,
    DrillWindowLayout,
    PasswordOn,
    SystemPassword,
    BrowseWord,
    DrillLanguage,
    WorkingCategory,
    UserPasswords,
    // displaySetup
    WordShowTime,
    AnswerDelay,
    SpellTime,
    BetweenWords,
    UpperCase,
    LowerCase,
    // listSetup
    MinLetters,
    MaxLetters,
    ListSize,
    OneLetter,
    Predefined,
    TypeFailures,
    TypePredefined,
    TypeOneLetter,
    TypeRandom,
    // listOptions
    AdjustPractice,
    AdjustManual,
    AdjustAuto,
    RepeatAll,
    RepeatFailures,
    LevelElementary,
    LevelIntermediate,
    LevelAdvanced,
    LanguageUK,
    LanguageUS,
    ShowLanguageFlag,
    // learnSetup
    LearnFlash,
    LearnRipple,
    LearnContinuous,
    ContinuousTime,
    FlashDurationText,
    FlashCountText,
    RippleDurationText,
    RippleCountText,
    FlashDuration,
    FlashCount,
    RippleDuration,
    RippleCount,
};
inline constexpr std::size_t kStartupFieldCount
    = static_cast<std::size_t>(StartupFieldId::RippleCount) + 1;

enum class StartupFieldKind : std::uint8_t
{
    Text, // zero-terminated text in a fixed width
    U16, // unsigned 16-bit value
    Slider, // three u32: minimum, maximum, position
    Password, // scrambled password bytes (11)
};

// What a field's value must be.
enum class StartupRule : std::uint8_t
{
    Number, // U16: a value min..max; Text: a whole number min..max, kept as decimal text
    Text, // min..max characters, each of `chars`
    Slider, // min <= minimum <= position <= maximum <= max
    Password, // min..max password characters given in plain text (none: no password)
};

// A rule between two fields of the same slot (or two single fields).
enum class StartupRelation : std::uint8_t
{
    None,
    NotAbove, // a number not above the partner's (when the partner reads inside its own range)
    NotBelow,
    Above,
    Below,
    NeedsPassword, // a switch that may be 1 only while the partner password is set
    GuardedBy, // a password that may be emptied only while the partner switch is 0
};

struct StartupRange
{
    StartupRule rule;
    long min;
    long max;
    CharacterSet chars = CharacterSet::Any;
    // Flags of one sub-record that share a non-zero group form a radio group: exactly one is 1.
    int group = 0;
    StartupRelation relation = StartupRelation::None;
    std::string_view partner = {};
};

struct StartupField
{
    StartupFieldId id;
    std::string_view name;
    StartupFieldKind kind;
    std::size_t offset; // of element 0
    std::size_t width; // bytes of one element's field
    std::size_t stride; // distance between elements; 0 for a single field
    int count; // 1, kUserSlots or kCategorySlots
    StartupRange range;
};

std::span<const StartupField> startupFields();
const StartupField& startupField(StartupFieldId id);
const StartupField* findStartupField(std::string_view name);

constexpr std::size_t fieldOffset(const StartupField& f, int index)
{
    return f.offset + static_cast<std::size_t>(index) * f.stride;
}

// What the field takes, in words: "a whole number from 3 to 12", "0 or 1", ...
std::string allowedValues(const StartupField& field);

// Why `value` may not go into element `index` of `field`, naming the field and what it takes;
// empty when it may. Besides the field's own range: the relation to its partner, and a radio
// flag can only be switched off by switching another flag of its group on.
std::string startupValueProblem(
    const StartupInfo& info, const StartupField& field, int index, std::string_view value);

// Puts a value that passed startupValueProblem into the record: numbers as plain decimal text, a
// password scrambled with its slot's key (5 for the system password), and a radio flag set to 1
// clears the other flags of its group. False when the value could not be put (it was not
// checked first).
bool putStartupValue(
    StartupInfo& info, const StartupField& field, int index, std::string_view value);

} // namespace quorvel
