#include "startup_fields.h"

#include "strings/cli_strings.h"
#include "users/password_scramble.h"
#include "users/user_rules.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quorvel {

using namespace startup_layout;
using K = StartupFieldKind;
using R = StartupRule;
using Rel = StartupRelation;

namespace {

constexpr int kOne = 1;
constexpr int kUsers = kUserSlots;

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

constexpr std::array kFields = {
    StartupField { "categoryNames", K::Text, kCategoryNames, kCategoryNameWidth, kCategoryNameWidth,
        kCategorySlots,
        { R::Text, 1, static_cast<long>(kCategoryNameWidth - 1), CharacterSet::CategoryName } },
    StartupField { "startupUser", K::U16, kStartupUser, 2, 0, kOne, { R::Number, 0, 9 } },
    StartupField { "dictionaryOpened", K::U16, kDictionaryOpened, 2, 0, kOne, kFlag },
    StartupField { "systemPasswordOn", K::U16, kSystemPasswordOn, 2, 0, kOne,
        { R::Number, 0, 1, CharacterSet::Any, 0, Rel::NeedsPassword, "systemPassword" } },
    StartupField { "additionalDictPath", K::Text, kAdditionalDictPath, kPathWidth, 0, kOne, kPath },
    StartupField { "waveformPath", K::Text, kWaveformPath, kPathWidth, 0, kOne, kPath },
    StartupField { "dataFolder", K::Text, kDataFolder, kPathWidth, 0, kOne, kPath },
    StartupField { "dictionaryFolder", K::Text, kDictionaryFolder, kPathWidth, 0, kOne, kPath },
    StartupField { "soundOn", K::U16, kSoundOn, 2, 2, kUsers, kFlag },
    StartupField { "promotionThreshold", K::Text, kPromotionThreshold, kThresholdWidth, 0, kOne,
        { R::Number, 1, 100, CharacterSet::Any, 0, Rel::Above, "demotionThreshold" } },
    StartupField { "demotionThreshold", K::Text, kDemotionThreshold, kThresholdWidth, 0, kOne,
        { R::Number, 1, 100, CharacterSet::Any, 0, Rel::Below, "promotionThreshold" } },
    StartupField { "userNames", K::Text, kUserNames, kUserNameWidth, kUserNameWidth, kUsers,
        { R::Text, kMinUserNameLength, kMaxUserNameLength, CharacterSet::UserName } },
    StartupField {
        "drillWindowLayout", K::U16, kDrillWindowLayout, 2, 2, kUsers, { R::Number, 0, 5 } },
    StartupField { "passwordOn", K::U16, kPasswordOn, 2, 2, kUsers,
        { R::Number, 0, 1, CharacterSet::Any, 0, Rel::NeedsPassword, "userPasswords" } },
    StartupField { "systemPassword", K::Password, kSystemPassword, kPasswordWidth, 0, kOne,
        { R::Password, 0, kMaxPasswordLength, CharacterSet::Password, 0, Rel::GuardedBy,
            "systemPasswordOn" } },
    StartupField { "browseWord", K::Text, kBrowseWord, kBrowseWordWidth, kBrowseWordWidth, kUsers,
        { R::Text, 1, static_cast<long>(kBrowseWordWidth - 1) } },
    StartupField { "drillLanguage", K::U16, kDrillLanguage, 2, 2, kUsers, { R::Number, 1, 2 } },
    StartupField { "workingCategory", K::U16, kWorkingCategory, 2, 2, kUsers,
        { R::Number, 0, kCategorySlots - 1 } },
    StartupField { "userPasswords", K::Password, kUserPasswords, kPasswordWidth, kPasswordWidth,
        kUsers,
        { R::Password, 0, kMaxPasswordLength, CharacterSet::Password, 0, Rel::GuardedBy,
            "passwordOn" } },

    StartupField { "displaySetup.wordShowTime", K::Text, kDisplaySetup + 0, 15, kDisplaySetupSize,
        kUsers, kDisplayTime },
    StartupField { "displaySetup.answerDelay", K::Text, kDisplaySetup + 15, 15, kDisplaySetupSize,
        kUsers, kDisplayTime },
    StartupField { "displaySetup.spellTime", K::Text, kDisplaySetup + 30, 15, kDisplaySetupSize,
        kUsers, { R::Number, 1, 90 } },
    StartupField { "displaySetup.betweenWords", K::Text, kDisplaySetup + 45, 15, kDisplaySetupSize,
        kUsers, kDisplayTime },
    StartupField { "displaySetup.upperCase", K::U16, kDisplaySetup + 60, 2, kDisplaySetupSize,
        kUsers, inGroup(kCaseGroup) },
    StartupField { "displaySetup.lowerCase", K::U16, kDisplaySetup + 62, 2, kDisplaySetupSize,
        kUsers, inGroup(kCaseGroup) },

    StartupField { "listSetup.minLetters", K::Text, kListSetup + 0, 15, kListSetupSize, kUsers,
        { R::Number, 3, 12, CharacterSet::Any, 0, Rel::NotAbove, "listSetup.maxLetters" } },
    StartupField { "listSetup.maxLetters", K::Text, kListSetup + 15, 15, kListSetupSize, kUsers,
        { R::Number, 4, 37, CharacterSet::Any, 0, Rel::NotBelow, "listSetup.minLetters" } },
    StartupField { "listSetup.listSize", K::Text, kListSetup + 30, 15, kListSetupSize, kUsers,
        { R::Number, 1, 50 } },
    StartupField { "listSetup.oneLetter", K::Text, kListSetup + 45, 15, kListSetupSize, kUsers,
        { R::Text, 1, 1, CharacterSet::UpperLetters } },
    StartupField { "listSetup.predefined", K::Text, kListSetup + 60, 12, kListSetupSize, kUsers,
        { R::Text, 1, static_cast<long>(kPredefinedWidth - 1), CharacterSet::Pattern } },
    StartupField { "listSetup.typeFailures", K::U16, kListSetup + 72, 2, kListSetupSize, kUsers,
        inGroup(kListTypeGroup) },
    StartupField { "listSetup.typePredefined", K::U16, kListSetup + 74, 2, kListSetupSize, kUsers,
        inGroup(kListTypeGroup) },
    StartupField { "listSetup.typeOneLetter", K::U16, kListSetup + 76, 2, kListSetupSize, kUsers,
        inGroup(kListTypeGroup) },
    StartupField { "listSetup.typeRandom", K::U16, kListSetup + 78, 2, kListSetupSize, kUsers,
        inGroup(kListTypeGroup) },

    StartupField { "listOptions.adjustPractice", K::U16, kListOptions + 0, 2, kListOptionsSize,
        kUsers, inGroup(kAdjustGroup) },
    StartupField { "listOptions.adjustManual", K::U16, kListOptions + 2, 2, kListOptionsSize,
        kUsers, inGroup(kAdjustGroup) },
    StartupField { "listOptions.adjustAuto", K::U16, kListOptions + 4, 2, kListOptionsSize, kUsers,
        inGroup(kAdjustGroup) },
    StartupField { "listOptions.repeatAll", K::U16, kListOptions + 6, 2, kListOptionsSize, kUsers,
        inGroup(kRepeatGroup) },
    StartupField { "listOptions.repeatFailures", K::U16, kListOptions + 8, 2, kListOptionsSize,
        kUsers, inGroup(kRepeatGroup) },
    StartupField { "listOptions.levelElementary", K::U16, kListOptions + 10, 2, kListOptionsSize,
        kUsers, inGroup(kLevelGroup) },
    StartupField { "listOptions.levelIntermediate", K::U16, kListOptions + 12, 2, kListOptionsSize,
        kUsers, inGroup(kLevelGroup) },
    StartupField { "listOptions.levelAdvanced", K::U16, kListOptions + 14, 2, kListOptionsSize,
        kUsers, inGroup(kLevelGroup) },
    StartupField { "listOptions.languageUK", K::U16, kListOptions + 16, 2, kListOptionsSize, kUsers,
        inGroup(kLanguageGroup) },
    StartupField { "listOptions.languageUS", K::U16, kListOptions + 18, 2, kListOptionsSize, kUsers,
        inGroup(kLanguageGroup) },
    StartupField { "listOptions.showLanguageFlag", K::U16, kListOptions + 20, 2, kListOptionsSize,
        kUsers, kFlag },

    StartupField { "learnSetup.learnFlash", K::U16, kLearnSetup + 0, 2, kLearnSetupSize, kUsers,
        inGroup(kLearnModeGroup) },
    StartupField { "learnSetup.learnRipple", K::U16, kLearnSetup + 2, 2, kLearnSetupSize, kUsers,
        inGroup(kLearnModeGroup) },
    StartupField { "learnSetup.learnContinuous", K::U16, kLearnSetup + 4, 2, kLearnSetupSize,
        kUsers, inGroup(kLearnModeGroup) },
    StartupField { "learnSetup.continuousTime", K::Text, kLearnSetup + 6, 15, kLearnSetupSize,
        kUsers, { R::Number, 1, 15 } },
    StartupField { "learnSetup.flashDurationText", K::Text, kLearnSetup + 21, 15, kLearnSetupSize,
        kUsers, kDuration },
    StartupField { "learnSetup.flashCountText", K::Text, kLearnSetup + 36, 15, kLearnSetupSize,
        kUsers, kCount },
    StartupField { "learnSetup.rippleDurationText", K::Text, kLearnSetup + 51, 15, kLearnSetupSize,
        kUsers, kDuration },
    StartupField { "learnSetup.rippleCountText", K::Text, kLearnSetup + 66, 15, kLearnSetupSize,
        kUsers, kCount },
    StartupField { "learnSetup.flashDuration", K::Slider, kLearnSetup + 81, 12, kLearnSetupSize,
        kUsers, kDurationBar },
    StartupField { "learnSetup.flashCount", K::Slider, kLearnSetup + 93, 12, kLearnSetupSize,
        kUsers, kCountBar },
    StartupField { "learnSetup.rippleDuration", K::Slider, kLearnSetup + 105, 12, kLearnSetupSize,
        kUsers, kDurationBar },
    StartupField { "learnSetup.rippleCount", K::Slider, kLearnSetup + 117, 12, kLearnSetupSize,
        kUsers, kCountBar },
};
} // namespace

std::span<const StartupField> startupFields()
{
    return kFields;
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
            info.setTextAt(at, f.width, number(*v));
        } else {
            if (value.size() > f.width - 1)
                return false;
            info.setTextAt(at, f.width, value);
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
