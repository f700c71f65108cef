#include "startup_fields.h"

#include "strings/cli_strings.h"
#include "users/password_scramble.h"
#include "users/user_rules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace quorvel {

using K = StartupFieldKind;
using R = StartupRule;
using Rel = StartupRelation;

namespace {

using Id = StartupFieldId;

constexpr int kOne = 1;
constexpr int kUsers = kUserSlots;

// Widths of the record's fields.
constexpr std::size_t kCategoryNameWidth = 27;
constexpr std::size_t kPathWidth = 257;
constexpr std::size_t kNumberWidth = 15; // a number kept as decimal text
constexpr std::size_t kUserNameWidth = 31;
constexpr std::size_t kBrowseWordWidth = 41;
constexpr std::size_t kPredefinedWidth = 12;
constexpr std::size_t kSliderWidth = 12; // three u32

// The four per-user sub-records: where the element of slot 0 starts and how long one is.
struct SubRecord
{
    std::size_t base;
    std::size_t size;
};
constexpr SubRecord kDisplaySetup { 3698, 64 };
constexpr SubRecord kListSetup { 4448, 80 };
constexpr SubRecord kListOptions { 5248, 22 };
constexpr SubRecord kLearnSetup { 5468, 129 };

// Bytes the program keeps but does not interpret: offset and length.
constexpr std::pair<std::size_t, std::size_t> kReserved[]
    = { { 1728, 2 }, { 1736, 41 }, { 2825, 18 }, { 3644, 14 } };

// Ranges: what each page, dialog and the start accept.
constexpr StartupRange kFlag { R::Number, 0, 1 };
constexpr StartupRange kPath { R::Text, 1, static_cast<long>(kPathWidth - 1) };
constexpr StartupRange kDisplayTime { R::Number, 1, 20 };
constexpr StartupRange kDuration { R::Number, 1, 500 };
constexpr StartupRange kCount { R::Number, 1, 10 };
constexpr StartupRange kDurationBar { R::Slider, 1, 500 };
constexpr StartupRange kCountBar { R::Slider, 1, 10 };

// Radio groups.
constexpr int kCaseGroup = 1, kListTypeGroup = 2, kAdjustGroup = 3, kRepeatGroup = 4,
              kLevelGroup = 5, kLanguageGroup = 6, kLearnModeGroup = 7;
constexpr StartupRange inGroup(int group)
{
    return { R::Number, 0, 1, CharacterSet::Any, group };
}

constexpr StartupField single(
    Id id, std::string_view name, K kind, std::size_t offset, std::size_t width, StartupRange range)
{
    return { id, name, kind, offset, width, 0, kOne, range };
}

// An array of `count` elements lying one after the other.
constexpr StartupField array(Id id, std::string_view name, K kind, std::size_t offset,
    std::size_t width, int count, StartupRange range)
{
    return { id, name, kind, offset, width, width, count, range };
}

// A field at `at` inside each user's element of a sub-record.
constexpr StartupField inSub(Id id, std::string_view name, K kind, SubRecord sub, std::size_t at,
    std::size_t width, StartupRange range)
{
    return { id, name, kind, sub.base + at, width, sub.size, kUsers, range };
}

constexpr std::array kFields = {
    array(Id::CategoryNames, "categoryNames", K::Text, 0, kCategoryNameWidth, kCategorySlots,
        { R::Text, 1, static_cast<long>(kCategoryNameWidth - 1), CharacterSet::CategoryName }),
    single(Id::StartupUser, "startupUser", K::U16, 1730, 2, { R::Number, 0, kUserSlots - 1 }),
    single(Id::DictionaryOpened, "dictionaryOpened", K::U16, 1732, 2, kFlag),
    single(Id::SystemPasswordOn, "systemPasswordOn", K::U16, 1734, 2,
        { R::Number, 0, 1, CharacterSet::Any, 0, Rel::NeedsPassword, "systemPassword" }),
    single(Id::AdditionalDictPath, "additionalDictPath", K::Text, 1777, kPathWidth, kPath),
    single(Id::WaveformPath, "waveformPath", K::Text, 2034, kPathWidth, kPath),
    single(Id::DataFolder, "dataFolder", K::Text, 2291, kPathWidth, kPath),
    single(Id::DictionaryFolder, "dictionaryFolder", K::Text, 2548, kPathWidth, kPath),
    array(Id::SoundOn, "soundOn", K::U16, 2805, 2, kUsers, kFlag),
    single(Id::PromotionThreshold, "promotionThreshold", K::Text, 2843, kNumberWidth,
        { R::Number, 1, 100, CharacterSet::Any, 0, Rel::Above, "demotionThreshold" }),
    single(Id::DemotionThreshold, "demotionThreshold", K::Text, 2858, kNumberWidth,
        { R::Number, 1, 100, CharacterSet::Any, 0, Rel::Below, "promotionThreshold" }),
    array(Id::UserNames, "userNames", K::Text, 2873, kUserNameWidth, kUsers,
        { R::Text, kMinUserNameLength, kMaxUserNameLength, CharacterSet::UserName }),
    array(Id::DrillWindowLayout, "drillWindowLayout", K::U16, 3183, 2, kUsers, { R::Number, 0, 5 }),
    array(Id::PasswordOn, "passwordOn", K::U16, 3203, 2, kUsers,
        { R::Number, 0, 1, CharacterSet::Any, 0, Rel::NeedsPassword, "userPasswords" }),
    single(Id::SystemPassword, "systemPassword", K::Password, 3223, kPasswordWidth,
        { R::Password, 0, kMaxPasswordLength, CharacterSet::Password, 0, Rel::GuardedBy,
            "systemPasswordOn" }),
    array(Id::BrowseWord, "browseWord", K::Text, 3234, kBrowseWordWidth, kUsers,
        { R::Text, 1, static_cast<long>(kBrowseWordWidth - 1) }),
    array(Id::DrillLanguage, "drillLanguage", K::U16, 3658, 2, kUsers, { R::Number, 1, 2 }),
    array(Id::WorkingCategory, "workingCategory", K::U16, 3678, 2, kUsers,
        { R::Number, 0, kCategorySlots - 1 }),
    array(Id::UserPasswords, "userPasswords", K::Password, 4338, kPasswordWidth, kUsers,
        { R::Password, 0, kMaxPasswordLength, CharacterSet::Password, 0, Rel::GuardedBy,
            "passwordOn" }),

    inSub(Id::WordShowTime, "displaySetup.wordShowTime", K::Text, kDisplaySetup, 0, kNumberWidth,
        kDisplayTime),
    inSub(Id::AnswerDelay, "displaySetup.answerDelay", K::Text, kDisplaySetup, 15, kNumberWidth,
        kDisplayTime),
    inSub(Id::SpellTime, "displaySetup.spellTime", K::Text, kDisplaySetup, 30, kNumberWidth,
        { R::Number, 1, 90 }),
    inSub(Id::BetweenWords, "displaySetup.betweenWords", K::Text, kDisplaySetup, 45, kNumberWidth,
        kDisplayTime),
    inSub(
        Id::UpperCase, "displaySetup.upperCase", K::U16, kDisplaySetup, 60, 2, inGroup(kCaseGroup)),
    inSub(
        Id::LowerCase, "displaySetup.lowerCase", K::U16, kDisplaySetup, 62, 2, inGroup(kCaseGroup)),

    inSub(Id::MinLetters, "listSetup.minLetters", K::Text, kListSetup, 0, kNumberWidth,
        { R::Number, 3, 12, CharacterSet::Any, 0, Rel::NotAbove, "listSetup.maxLetters" }),
    inSub(Id::MaxLetters, "listSetup.maxLetters", K::Text, kListSetup, 15, kNumberWidth,
        { R::Number, 4, 37, CharacterSet::Any, 0, Rel::NotBelow, "listSetup.minLetters" }),
    inSub(Id::ListSize, "listSetup.listSize", K::Text, kListSetup, 30, kNumberWidth,
        { R::Number, 1, 50 }),
    inSub(Id::OneLetter, "listSetup.oneLetter", K::Text, kListSetup, 45, kNumberWidth,
        { R::Text, 1, 1, CharacterSet::UpperLetters }),
    inSub(Id::Predefined, "listSetup.predefined", K::Text, kListSetup, 60, kPredefinedWidth,
        { R::Text, 1, static_cast<long>(kPredefinedWidth - 1), CharacterSet::Pattern }),
    inSub(Id::TypeFailures, "listSetup.typeFailures", K::U16, kListSetup, 72, 2,
        inGroup(kListTypeGroup)),
    inSub(Id::TypePredefined, "listSetup.typePredefined", K::U16, kListSetup, 74, 2,
        inGroup(kListTypeGroup)),
    inSub(Id::TypeOneLetter, "listSetup.typeOneLetter", K::U16, kListSetup, 76, 2,
        inGroup(kListTypeGroup)),
    inSub(
        Id::TypeRandom, "listSetup.typeRandom", K::U16, kListSetup, 78, 2, inGroup(kListTypeGroup)),

    inSub(Id::AdjustPractice, "listOptions.adjustPractice", K::U16, kListOptions, 0, 2,
        inGroup(kAdjustGroup)),
    inSub(Id::AdjustManual, "listOptions.adjustManual", K::U16, kListOptions, 2, 2,
        inGroup(kAdjustGroup)),
    inSub(Id::AdjustAuto, "listOptions.adjustAuto", K::U16, kListOptions, 4, 2,
        inGroup(kAdjustGroup)),
    inSub(
        Id::RepeatAll, "listOptions.repeatAll", K::U16, kListOptions, 6, 2, inGroup(kRepeatGroup)),
    inSub(Id::RepeatFailures, "listOptions.repeatFailures", K::U16, kListOptions, 8, 2,
        inGroup(kRepeatGroup)),
    inSub(Id::LevelElementary, "listOptions.levelElementary", K::U16, kListOptions, 10, 2,
        inGroup(kLevelGroup)),
    inSub(Id::LevelIntermediate, "listOptions.levelIntermediate", K::U16, kListOptions, 12, 2,
        inGroup(kLevelGroup)),
    inSub(Id::LevelAdvanced, "listOptions.levelAdvanced", K::U16, kListOptions, 14, 2,
        inGroup(kLevelGroup)),
    inSub(Id::LanguageUK, "listOptions.languageUK", K::U16, kListOptions, 16, 2,
        inGroup(kLanguageGroup)),
    inSub(Id::LanguageUS, "listOptions.languageUS", K::U16, kListOptions, 18, 2,
        inGroup(kLanguageGroup)),
    inSub(Id::ShowLanguageFlag, "listOptions.showLanguageFlag", K::U16, kListOptions, 20, 2, kFlag),

    inSub(Id::LearnFlash, "learnSetup.learnFlash", K::U16, kLearnSetup, 0, 2,
        inGroup(kLearnModeGroup)),
    inSub(Id::LearnRipple, "learnSetup.learnRipple", K::U16, kLearnSetup, 2, 2,
        inGroup(kLearnModeGroup)),
    inSub(Id::LearnContinuous, "learnSetup.learnContinuous", K::U16, kLearnSetup, 4, 2,
        inGroup(kLearnModeGroup)),
    inSub(Id::ContinuousTime, "learnSetup.continuousTime", K::Text, kLearnSetup, 6, kNumberWidth,
        { R::Number, 1, 15 }),
    inSub(Id::FlashDurationText, "learnSetup.flashDurationText", K::Text, kLearnSetup, 21,
        kNumberWidth, kDuration),
    inSub(Id::FlashCountText, "learnSetup.flashCountText", K::Text, kLearnSetup, 36, kNumberWidth,
        kCount),
    inSub(Id::RippleDurationText, "learnSetup.rippleDurationText", K::Text, kLearnSetup, 51,
        kNumberWidth, kDuration),
    inSub(Id::RippleCountText, "learnSetup.rippleCountText", K::Text, kLearnSetup, 66, kNumberWidth,
        kCount),
    inSub(Id::FlashDuration, "learnSetup.flashDuration", K::Slider, kLearnSetup, 81, kSliderWidth,
        kDurationBar),
    inSub(Id::FlashCount, "learnSetup.flashCount", K::Slider, kLearnSetup, 93, kSliderWidth,
        kCountBar),
    inSub(Id::RippleDuration, "learnSetup.rippleDuration", K::Slider, kLearnSetup, 105,
        kSliderWidth, kDurationBar),
    inSub(Id::RippleCount, "learnSetup.rippleCount", K::Slider, kLearnSetup, 117, kSliderWidth,
        kCountBar),
};

// Each field sits at the place of its id, so a field is found by its id without a search.
constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (static_cast<std::size_t>(kFields[i].id) != i)
            return false;
    }
    return kFields.size() == kStartupFieldCount;
}
static_assert(inIdOrder(), "the field table is in the order of StartupFieldId");

// The fields and the reserved bytes cover every byte of the record exactly once: no field
// overlaps another, none runs past the end, and no byte is left out.
constexpr bool tilesTheRecord()
{
    std::array<std::uint8_t, kStartupInfoSize> cover {};
    const auto mark = [&](std::size_t at, std::size_t n) {
        for (std::size_t i = at; i < at + n; ++i) {
            if (i >= cover.size() || cover[i] != 0)
                return false;
            cover[i] = 1;
        }
        return true;
    };
    for (const StartupField& f : kFields) {
        if ((f.count == 1) != (f.stride == 0) || (f.kind == K::U16 && f.width != 2))
            return false;
        for (int i = 0; i < f.count; ++i) {
            if (!mark(fieldOffset(f, i), f.width))
                return false;
        }
    }
    for (const auto& [at, n] : kReserved) {
        if (!mark(at, n))
            return false;
    }
    for (std::uint8_t c : cover) {
        if (c != 1)
            return false;
    }
    return true;
}
static_assert(tilesTheRecord(), "the fields and reserved bytes tile the 6758-byte record");

} // namespace

std::span<const StartupField> startupFields()
{
    return kFields;
}

const StartupField& startupField(StartupFieldId id)
{
    return kFields[static_cast<std::size_t>(id)];
}

const StartupField* findStartupField(std::string_view name)
{
    for (const StartupField& f : kFields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

namespace {

// A whole number written with digits only (no sign, no blanks); nothing for anything else. Very
// long numbers come back as a value above every range.
std::optional<long> wholeNumber(std::string_view text)
{
    if (text.empty()
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    long v = 0;
    for (char c : text) {
        v = v * 10 + (c - '0');
        if (v > 0x7FFFFFFFL)
            return 0x7FFFFFFFL + 1;
    }
    return v;
}

std::string number(long v)
{
    return std::to_string(v);
}

std::string characterSetText(CharacterSet set)
{
    switch (set) {
    case CharacterSet::UserName:
        return strings::kCliUserNameCharacters;
    case CharacterSet::Password:
        return strings::kCliPasswordCharacters;
    case CharacterSet::CategoryName:
        return strings::kCliCategoryNameCharacters;
    case CharacterSet::UpperLetters:
        return strings::kCliUpperLetters;
    case CharacterSet::Pattern:
        return strings::kCliPatternCharacters;
    case CharacterSet::Digits:
    case CharacterSet::Any:
        break;
    }
    return strings::kCliPrintableCharacters;
}

bool allowedCharacter(CharacterSet set, char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F)
        return false; // no line breaks or other control characters in a record text
    return isAllowedCharacter(set, c);
}

// The fields of a radio group in table order, but for `except`.
std::string groupNames(int group, const StartupField* except = nullptr)
{
    std::string names;
    for (const StartupField& f : kFields) {
        if (f.range.group != group || &f == except)
            continue;
        if (!names.empty())
            names += ", ";
        names += f.name;
    }
    return names;
}

// The value of a numeric field as the program reads it, when it lies inside the field's range.
std::optional<long> numberInRange(const StartupInfo& info, const StartupField& f, int index)
{
    const std::size_t at = fieldOffset(f, index);
    std::optional<long> v;
    if (f.kind == K::U16)
        v = info.u16At(at);
    else if (f.kind == K::Text)
        v = wholeNumber(info.textAt(at, f.width));
    if (v && *v >= f.range.min && *v <= f.range.max)
        return v;
    return std::nullopt;
}

bool passwordSet(const StartupInfo& info, const StartupField& f, int index)
{
    return info.bytes()[fieldOffset(f, index)] != 0;
}

// The element of the partner field that goes with element `index` of `f`.
int partnerIndex(const StartupField& f, const StartupField& partner, int index)
{
    return partner.count == f.count ? index : 0;
}

std::string refusal(const StartupField& f, std::string_view value, bool showValue)
{
    std::string text = std::string(f.name) + strings::kCliFieldTakes + allowedValues(f);
    if (showValue)
        text += std::string(strings::kCliFieldNot) + "'" + std::string(value) + "'";
    return text;
}

std::string relationProblem(
    const StartupInfo& info, const StartupField& f, int index, long value, bool passwordGiven)
{
    const StartupField* partner = findStartupField(f.range.partner);
    if (!partner)
        return {};
    const int at = partnerIndex(f, *partner, index);
    const std::string own = std::string(f.name);
    const std::string other = std::string(partner->name);
    switch (f.range.relation) {
    case Rel::None:
        return {};
    case Rel::NotAbove:
    case Rel::NotBelow:
    case Rel::Above:
    case Rel::Below: {
        const std::optional<long> p = numberInRange(info, *partner, at);
        if (!p)
            return {}; // the partner reads outside its range: the program falls back on its own
        const char* words = nullptr;
        if (f.range.relation == Rel::NotAbove && value > *p)
            words = strings::kCliNotAbove;
        else if (f.range.relation == Rel::NotBelow && value < *p)
            words = strings::kCliNotBelow;
        else if (f.range.relation == Rel::Above && value <= *p)
            words = strings::kCliMustBeAbove;
        else if (f.range.relation == Rel::Below && value >= *p)
            words = strings::kCliMustBeBelow;
        if (!words)
            return {};
        return own + words + other + " (" + number(*p) + ")";
    }
    case Rel::NeedsPassword:
        if (value == 1 && !passwordSet(info, *partner, at))
            return own + strings::kCliNeedsPassword + other;
        return {};
    case Rel::GuardedBy:
        if (!passwordGiven && info.u16At(fieldOffset(*partner, at)) != 0)
            return own + strings::kCliGuardedBy + other;
        return {};
    }
    return {};
}

} // namespace

std::string allowedValues(const StartupField& f)
{
    const StartupRange& r = f.range;
    switch (r.rule) {
    case R::Number: {
        if (r.min == 0 && r.max == 1) {
            std::string text = strings::kCliZeroOrOne;
            if (r.group != 0)
                text += strings::kCliGroupOf + groupNames(r.group) + strings::kCliGroupIsOne;
            return text;
        }
        return strings::kCliWholeNumberFrom + number(r.min) + strings::kCliTo + number(r.max);
    }
    case R::Text:
    case R::Password: {
        std::string text = r.min == r.max ? strings::kCliExactly + number(r.min)
            : r.min == 0                  ? strings::kCliUpTo + number(r.max)
                                          : number(r.min) + strings::kCliTo + number(r.max);
        text += r.max == 1 ? strings::kCliCharacter : strings::kCliCharacters;
        text += strings::kCliOf + characterSetText(r.chars);
        if (r.rule == R::Password)
            text += strings::kCliNoPassword;
        return text;
    }
    case R::Slider:
        return strings::kCliSliderTriple + number(r.min) + strings::kCliSliderOrder + number(r.max);
    }
    return {};
}

std::string startupValueProblem(
    const StartupInfo& info, const StartupField& f, int index, std::string_view value)
{
    const StartupRange& r = f.range;
    switch (r.rule) {
    case R::Number: {
        const std::optional<long> v = wholeNumber(value);
        if (!v || *v < r.min || *v > r.max)
            return refusal(f, value, true);
        if (r.group != 0 && *v == 0 && f.kind == K::U16) {
            // Switching a flag off leaves its group without one unless another is on.
            int others = 0;
            for (const StartupField& g : kFields) {
                if (g.range.group == r.group && &g != &f && info.u16At(fieldOffset(g, index)) == 1)
                    ++others;
            }
            if (others != 1)
                return std::string(f.name) + strings::kCliGroupNeedsOne + groupNames(r.group, &f)
                    + strings::kCliGroupNeedsOneEnd;
        }
        return relationProblem(info, f, index, *v, false);
    }
    case R::Text:
    case R::Password: {
        const bool fits = value.size() >= static_cast<std::size_t>(r.min)
            && value.size() <= static_cast<std::size_t>(r.max)
            && std::all_of(
                value.begin(), value.end(), [&](char c) { return allowedCharacter(r.chars, c); });
        // A password is never repeated in a message.
        if (!fits)
            return refusal(f, value, r.rule != R::Password);
        if (r.rule == R::Password)
            return relationProblem(info, f, index, 0, !value.empty());
        return {};
    }
    case R::Slider: {
        long parts[3] = {};
        std::size_t start = 0;
        for (int i = 0; i < 3; ++i) {
            const std::size_t comma = value.find(',', start);
            if ((i < 2) != (comma != std::string_view::npos))
                return refusal(f, value, true);
            const std::optional<long> v
                = wholeNumber(value.substr(start, i < 2 ? comma - start : std::string_view::npos));
            if (!v)
                return refusal(f, value, true);
            parts[i] = *v;
            start = comma + 1;
        }
        const long minimum = parts[0], maximum = parts[1], position = parts[2];
        if (!(r.min <= minimum && minimum <= position && position <= maximum && maximum <= r.max))
            return refusal(f, value, true);
        return {};
    }
    }
    return {};
}

bool putStartupValue(StartupInfo& info, const StartupField& f, int index, std::string_view value)
{
    if (index < 0 || index >= f.count)
        return false;
    const std::size_t at = fieldOffset(f, index);
    switch (f.kind) {
    case K::Text: {
        if (f.range.rule == R::Number) {
            const std::optional<long> v = wholeNumber(value);
            if (!v)
                return false;
            info.setText(f.id, index, number(*v));
        } else {
            if (value.size() > f.width - 1)
                return false;
            info.setText(f.id, index, value);
        }
        return true;
    }
    case K::U16: {
        const std::optional<long> v = wholeNumber(value);
        if (!v || *v > 0xFFFF)
            return false;
        info.setU16At(at, static_cast<std::uint16_t>(*v));
        if (f.range.group != 0 && *v == 1) {
            for (const StartupField& g : kFields) {
                if (g.range.group == f.range.group && &g != &f)
                    info.setU16At(fieldOffset(g, index), 0);
            }
        }
        return true;
    }
    case K::Slider: {
        std::size_t start = 0;
        std::uint32_t parts[3] = {};
        for (int i = 0; i < 3; ++i) {
            const std::size_t comma = value.find(',', start);
            const std::optional<long> v
                = wholeNumber(value.substr(start, i < 2 ? comma - start : std::string_view::npos));
            if (!v || (i < 2 && comma == std::string_view::npos) || *v > 0x7FFFFFFFL)
                return false;
            parts[i] = static_cast<std::uint32_t>(*v);
            start = comma + 1;
        }
        for (std::size_t i = 0; i < 3; ++i)
            info.setU32At(at + 4 * i, parts[i]);
        return true;
    }
    case K::Password: {
        PasswordBuffer buffer {};
        if (!value.empty()
            && !scrambleText(value, f.count == 1 ? kSystemPasswordKey : index, buffer))
            return false;
        std::copy(
            buffer.begin(), buffer.end(), info.bytes().begin() + static_cast<std::ptrdiff_t>(at));
        return true;
    }
    }
    return false;
}

} // namespace quorvel
