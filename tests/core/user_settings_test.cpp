// The typed user settings over the startup record: a record read and written back keeps every
// byte, an edit changes its own field only, and damaged radio groups read the way the drill reads
// them.

#include "config/startup_fields.h"
#include "config/user_settings.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvel::test {
namespace {

StartupInfo randomRecord(unsigned seed)
{
    StartupInfo info;
    std::mt19937 random(seed);
    for (std::uint8_t& b : info.bytes())
        b = static_cast<std::uint8_t>(random() & 0xFF);
    return info;
}

// Random bytes make texts without a terminator, texts with bytes after it, flag values other
// than 0 and 1 and groups with no or several flags set; none of it is lost by a read and a write.
TEST(UserSettings, ReadAndWrittenBackEveryByteStays)
{
    for (unsigned seed : { 1u, 2u, 3u }) {
        SCOPED_TRACE(seed);
        StartupInfo info = randomRecord(seed);
        // Some numbers in texts the drill reads with a sign or leading blanks and zeros.
        info.setText(StartupFieldId::MinLetters, 2, " 07");
        info.setText(StartupFieldId::ListSize, 4, "+12x");
        const StartupInfo::Bytes before = info.bytes();
        for (int user = 0; user < kUserSlots; ++user) {
            UserSettings::read(info, user).write(info, user);
            // The stored layouts written back as read keep the bytes too.
            info.setListSetup(user, info.listSetup(user));
            info.setDisplaySetup(user, info.displaySetup(user));
            info.setListOptions(user, info.listOptions(user));
            info.setLearnSetup(user, info.learnSetup(user));
        }
        EXPECT_EQ(info.bytes(), before);
    }
}

TEST(UserSettings, AnEditWritesItsOwnFieldOnly)
{
    const StartupInfo original = randomRecord(7);
    const auto changedBytes = [&](const StartupInfo& info) {
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < kStartupInfoSize; ++i) {
            if (info.bytes()[i] != original.bytes()[i])
                at.push_back(i);
        }
        return at;
    };
    const auto within
        = [](const std::vector<std::size_t>& at, StartupFieldId id, int user, std::size_t width) {
              const std::size_t start = fieldOffset(startupField(id), user);
              return std::all_of(at.begin(), at.end(),
                  [&](std::size_t i) { return i >= start && i < start + width; });
          };

    // A number: its text is rewritten whole (terminator and zeros), nothing beside it.
    StartupInfo info = original;
    UserSettings s = UserSettings::read(info, 5);
    s.list.listSize = s.list.listSize == 17 ? 18 : 17;
    s.write(info, 5);
    EXPECT_FALSE(changedBytes(info).empty());
    EXPECT_TRUE(within(changedBytes(info), StartupFieldId::ListSize, 5, 15));
    EXPECT_EQ(UserSettings::read(info, 5), s);

    // A level: the three level flags of that user, 1 for the chosen one.
    info = original;
    s = UserSettings::read(info, 5);
    s.options.level
        = s.options.level == Level::Intermediate ? Level::Advanced : Level::Intermediate;
    s.write(info, 5);
    EXPECT_TRUE(within(changedBytes(info), StartupFieldId::LevelElementary, 5, 6));
    EXPECT_EQ(ListOptions::read(info, 5).level, s.options.level);
    EXPECT_EQ(levelOf(info.listOptions(5)), s.options.level);
}

// Each group's flags in the order the drill asks them; a value that is not 1 counts as off.
TEST(UserSettings, DamagedRadioGroupsReadAsTheDrillReadsThem)
{
    StartupInfo info;
    const auto flags = [&](std::initializer_list<std::pair<StartupFieldId, std::uint16_t>> set) {
        info.bytes().fill(0);
        for (const auto& [id, value] : set)
            info.setU16(id, 0, value);
    };
    using Id = StartupFieldId;
    flags({});
    UserSettings s = UserSettings::read(info, 0);
    EXPECT_EQ(s.list.type, ListType::Random);
    EXPECT_EQ(s.options.level, Level::Advanced);
    EXPECT_EQ(s.options.language, Language::US);
    EXPECT_EQ(s.options.adjustment, LevelAdjustment::Manual);
    EXPECT_EQ(s.options.repeat, RepeatControl::All);
    EXPECT_EQ(s.display.letterCase, LetterCase::Upper);
    EXPECT_EQ(s.learn.mode, LearnMode::Continuous);
    EXPECT_FALSE(s.options.showLanguageFlag);

    flags({ { Id::TypeFailures, 1 }, { Id::TypeOneLetter, 1 }, { Id::LevelIntermediate, 1 },
        { Id::LevelAdvanced, 1 }, { Id::LanguageUK, 1 }, { Id::LanguageUS, 1 },
        { Id::AdjustPractice, 1 }, { Id::AdjustAuto, 1 }, { Id::LearnFlash, 1 },
        { Id::LearnContinuous, 1 }, { Id::ShowLanguageFlag, 7 } });
    s = UserSettings::read(info, 0);
    EXPECT_EQ(s.list.type, ListType::OneLetter);
    EXPECT_EQ(s.options.level, Level::Intermediate);
    EXPECT_EQ(s.options.language, Language::UK);
    EXPECT_EQ(s.options.adjustment, LevelAdjustment::Practice);
    EXPECT_EQ(s.learn.mode, LearnMode::Flash);
    EXPECT_FALSE(s.options.showLanguageFlag);

    flags({ { Id::LevelElementary, 2 }, { Id::TypeRandom, 3 }, { Id::LearnRipple, 1 },
        { Id::LearnFlash, 1 } });
    s = UserSettings::read(info, 0);
    EXPECT_EQ(s.options.level, Level::Advanced);
    EXPECT_EQ(s.list.type, ListType::Random);
    EXPECT_EQ(s.learn.mode, LearnMode::Ripple);

    // Choosing what the flags already read as leaves them; another choice repairs the group.
    const StartupInfo::Bytes damaged = info.bytes();
    s.write(info, 0);
    EXPECT_EQ(info.bytes(), damaged);
    s.learn.mode = LearnMode::Continuous;
    s.write(info, 0);
    EXPECT_EQ(info.u16(Id::LearnFlash), 0);
    EXPECT_EQ(info.u16(Id::LearnRipple), 0);
    EXPECT_EQ(info.u16(Id::LearnContinuous), 1);
}

} // namespace
} // namespace quorvel::test
