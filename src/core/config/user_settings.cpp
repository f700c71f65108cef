#include "user_settings.h"

#include "startup_fields.h"

#include <array>
#include <cstdlib>

namespace quorvel {

using Id = StartupFieldId;

int decimalValue(const std::string& text)
{
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (v < -0x7FFFFFFF)
        return -0x7FFFFFFF;
    return static_cast<int>(v);
}

namespace {

// A radio group of the record: its flags in the order they are asked (the first flag that is 1
// decides), and the choice when none is.
template <typename E> struct Choice
{
    Id flag;
    E value;
};

template <typename E, std::size_t N> struct FlagGroup
{
    std::array<Choice<E>, N> choices;
    E otherwise;

    template <typename ReadFlag> E read(ReadFlag flag) const
    {
        for (const Choice<E>& c : choices) {
            if (flag(c.flag) == 1)
                return c.value;
        }
        return otherwise;
    }
    E read(const StartupInfo& info, int user) const
    {
        return read([&](Id id) { return info.u16(id, user); });
    }
    // The chosen flag 1 and the others 0, unless the flags already read as `value`.
    void write(StartupInfo& info, int user, E value) const
    {
        if (read(info, user) == value)
            return;
        for (const Choice<E>& c : choices)
            info.setU16(c.flag, user, c.value == value ? 1 : 0);
    }
};

// Two flags set is a damaged record: each group is read the way the drill has always read it.
constexpr FlagGroup<ListType, 4> kListTypes {
    { { { Id::TypeRandom, ListType::Random }, { Id::TypeOneLetter, ListType::OneLetter },
        { Id::TypePredefined, ListType::Predefined }, { Id::TypeFailures, ListType::Failures } } },
    ListType::Random
};
constexpr FlagGroup<LetterCase, 2> kLetterCases {
    { { { Id::LowerCase, LetterCase::Lower }, { Id::UpperCase, LetterCase::Upper } } },
    LetterCase::Upper
};
constexpr FlagGroup<LevelAdjustment, 3> kAdjustments {
    { { { Id::AdjustPractice, LevelAdjustment::Practice },
        { Id::AdjustAuto, LevelAdjustment::Auto },
        { Id::AdjustManual, LevelAdjustment::Manual } } },
    LevelAdjustment::Manual
};
constexpr FlagGroup<RepeatControl, 2> kRepeats {
    { { { Id::RepeatFailures, RepeatControl::Failures }, { Id::RepeatAll, RepeatControl::All } } },
    RepeatControl::All
};
constexpr FlagGroup<Level, 3> kLevels { { { { Id::LevelElementary, Level::Elementary },
                                            { Id::LevelIntermediate, Level::Intermediate },
                                            { Id::LevelAdvanced, Level::Advanced } } },
    Level::Advanced };
constexpr FlagGroup<Language, 2> kLanguages {
    { { { Id::LanguageUK, Language::UK }, { Id::LanguageUS, Language::US } } }, Language::US
};
constexpr FlagGroup<LearnMode, 3> kLearnModes {
    { { { Id::LearnRipple, LearnMode::Ripple }, { Id::LearnFlash, LearnMode::Flash },
        { Id::LearnContinuous, LearnMode::Continuous } } },
    LearnMode::Continuous
};

int number(const StartupInfo& info, Id id, int user)
{
    return decimalValue(info.text(id, user));
}

// The number as plain decimal text, unless the text there already reads as it.
void putNumber(StartupInfo& info, Id id, int user, int value)
{
    if (number(info, id, user) != value)
        info.setText(id, user, std::to_string(value));
}

void putSlider(StartupInfo& info, Id id, int user, const SliderTriple& value)
{
    if (info.slider(id, user) != value)
        info.setSlider(id, user, value);
}

} // namespace

ListSetup ListSetup::read(const StartupInfo& info, int user)
{
    ListSetup s;
    s.minLetters = number(info, Id::MinLetters, user);
    s.maxLetters = number(info, Id::MaxLetters, user);
    s.listSize = number(info, Id::ListSize, user);
    s.oneLetter = info.text(Id::OneLetter, user);
    s.predefined = info.text(Id::Predefined, user);
    s.type = kListTypes.read(info, user);
    return s;
}

void ListSetup::write(StartupInfo& info, int user) const
{
    putNumber(info, Id::MinLetters, user, minLetters);
    putNumber(info, Id::MaxLetters, user, maxLetters);
    putNumber(info, Id::ListSize, user, listSize);
    info.setText(Id::OneLetter, user, oneLetter);
    info.setText(Id::Predefined, user, predefined);
    kListTypes.write(info, user, type);
}

DisplaySetup DisplaySetup::read(const StartupInfo& info, int user)
{
    DisplaySetup s;
    s.wordShowTime = number(info, Id::WordShowTime, user);
    s.answerDelay = number(info, Id::AnswerDelay, user);
    s.spellTime = number(info, Id::SpellTime, user);
    s.betweenWords = number(info, Id::BetweenWords, user);
    s.letterCase = kLetterCases.read(info, user);
    return s;
}

void DisplaySetup::write(StartupInfo& info, int user) const
{
    putNumber(info, Id::WordShowTime, user, wordShowTime);
    putNumber(info, Id::AnswerDelay, user, answerDelay);
    putNumber(info, Id::SpellTime, user, spellTime);
    putNumber(info, Id::BetweenWords, user, betweenWords);
    kLetterCases.write(info, user, letterCase);
}

ListOptions ListOptions::read(const StartupInfo& info, int user)
{
    ListOptions s;
    s.adjustment = kAdjustments.read(info, user);
    s.repeat = kRepeats.read(info, user);
    s.level = kLevels.read(info, user);
    s.language = kLanguages.read(info, user);
    s.showLanguageFlag = info.u16(Id::ShowLanguageFlag, user) == 1;
    return s;
}

void ListOptions::write(StartupInfo& info, int user) const
{
    kAdjustments.write(info, user, adjustment);
    kRepeats.write(info, user, repeat);
    kLevels.write(info, user, level);
    kLanguages.write(info, user, language);
    // Any value but 1 reads as unticked and is kept while the box stays unticked.
    if ((info.u16(Id::ShowLanguageFlag, user) == 1) != showLanguageFlag)
        info.setU16(Id::ShowLanguageFlag, user, showLanguageFlag ? 1 : 0);
}

LearnSetup LearnSetup::read(const StartupInfo& info, int user)
{
    LearnSetup s;
    s.mode = kLearnModes.read(info, user);
    s.continuousTime = number(info, Id::ContinuousTime, user);
    s.flashDuration = number(info, Id::FlashDurationText, user);
    s.flashCount = number(info, Id::FlashCountText, user);
    s.rippleDuration = number(info, Id::RippleDurationText, user);
    s.rippleCount = number(info, Id::RippleCountText, user);
    s.flashDurationBar = info.slider(Id::FlashDuration, user);
    s.flashCountBar = info.slider(Id::FlashCount, user);
    s.rippleDurationBar = info.slider(Id::RippleDuration, user);
    s.rippleCountBar = info.slider(Id::RippleCount, user);
    return s;
}

void LearnSetup::write(StartupInfo& info, int user) const
{
    kLearnModes.write(info, user, mode);
    putNumber(info, Id::ContinuousTime, user, continuousTime);
    putNumber(info, Id::FlashDurationText, user, flashDuration);
    putNumber(info, Id::FlashCountText, user, flashCount);
    putNumber(info, Id::RippleDurationText, user, rippleDuration);
    putNumber(info, Id::RippleCountText, user, rippleCount);
    putSlider(info, Id::FlashDuration, user, flashDurationBar);
    putSlider(info, Id::FlashCount, user, flashCountBar);
    putSlider(info, Id::RippleDuration, user, rippleDurationBar);
    putSlider(info, Id::RippleCount, user, rippleCountBar);
}

UserSettings UserSettings::read(const StartupInfo& info, int user)
{
    return { ListSetup::read(info, user), DisplaySetup::read(info, user),
        ListOptions::read(info, user), LearnSetup::read(info, user) };
}

void UserSettings::write(StartupInfo& info, int user) const
{
    list.write(info, user);
    display.write(info, user);
    options.write(info, user);
    learn.write(info, user);
}

Level levelOf(const ListOptionsRecord& options)
{
    return kLevels.read([&](Id id) {
        return id == Id::LevelElementary  ? options.levelElementary
            : id == Id::LevelIntermediate ? options.levelIntermediate
                                          : options.levelAdvanced;
    });
}

void setUserLevel(StartupInfo& info, int user, Level level)
{
    kLevels.write(info, user, level);
}

void setLettersRange(StartupInfo& info, int user, int minLetters, int maxLetters)
{
    putNumber(info, Id::MinLetters, user, minLetters);
    putNumber(info, Id::MaxLetters, user, maxLetters);
}

} // namespace quorvel
