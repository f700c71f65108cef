#include "drill/drill_settings.h"
#include "drill/list_setup_rules.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

DrillSettingsRecords defaultRecords()
{
    StartupInfo info;
    FillStartupDefaults(info, std::string("/tmp/quorvel-unused"));
    return DrillSettingsRecords::read(info, 0);
}

ListOptionsRecord withLevel(ListOptionsRecord options, Level level)
{
    options.levelElementary = level == Level::Elementary;
    options.levelIntermediate = level == Level::Intermediate;
    options.levelAdvanced = level == Level::Advanced;
    return options;
}

TEST(ListSetupLevelRule, AChangedLevelOverridesTheTypedLettersAndAnUnchangedOneKeepsThem)
{
    const DrillSettingsRecords stored = defaultRecords(); // Elementary, letters 4..10
    ASSERT_EQ(levelOf(stored.options), Level::Elementary);

    struct Case
    {
        Level chosen;
        const char* min;
        const char* max;
    } cases[] = {
        { Level::Advanced, "10", "14" }, { Level::Intermediate, "7", "9" },
        { Level::Elementary, "5", "8" }, // unchanged: what was typed stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.chosen));
        DrillSettingsRecords edited = stored;
        edited.list.minLetters = "5";
        edited.list.maxLetters = "8";
        edited.options = withLevel(stored.options, c.chosen);
        const DrillSettingsRecords result = applyListSetupSheet(edited, stored);
        EXPECT_EQ(result.list.minLetters, c.min);
        EXPECT_EQ(result.list.maxLetters, c.max);
        EXPECT_EQ(result.options, edited.options);
    }

    // Back to Elementary from Advanced gives the Elementary range, even over rejected letters.
    DrillSettingsRecords advanced = stored;
    advanced.options = withLevel(stored.options, Level::Advanced);
    DrillSettingsRecords edited = advanced;
    edited.list.minLetters = "12";
    edited.list.maxLetters = "11";
    edited.options = withLevel(stored.options, Level::Elementary);
    const DrillSettingsRecords result = applyListSetupSheet(edited, advanced);
    EXPECT_EQ(result.list.minLetters, "4");
    EXPECT_EQ(result.list.maxLetters, "6");
}

TEST(ListSetupLevelRule, TheLevelInForceFollowsTheFirstSetFlag)
{
    ListOptionsRecord options;
    EXPECT_EQ(levelOf(options), Level::Advanced); // no flag at all
    options.levelIntermediate = 1;
    options.levelAdvanced = 1;
    EXPECT_EQ(levelOf(options), Level::Intermediate);
    options.levelElementary = 1;
    EXPECT_EQ(levelOf(options), Level::Elementary);
}

TEST(ListSetupPage, OutOfRangeValuesGetTheStoredTextBack)
{
    ListSetupRecord stored { "5", "9", "12", "K", "ST?", 0, 1, 0, 0 };
    struct Case
    {
        const char* what;
        ListSetupRecord typed;
        ListSetupRecord expected;
    } cases[] = {
        { "all valid", { "3", "37", "50", "Z", "?", 1, 0, 0, 0 },
            { "3", "37", "50", "Z", "?", 1, 0, 0, 0 } },
        { "maximum below minimum restores both",
            { "12", "11", "1", "A", "ABCDEFGHIJK", 0, 1, 0, 0 },
            { "5", "9", "1", "A", "ABCDEFGHIJK", 0, 1, 0, 0 } },
        { "minimum 2", { "2", "20", "10", "A", "A", 0, 1, 0, 0 },
            { "5", "9", "10", "A", "A", 0, 1, 0, 0 } },
        { "minimum 13", { "13", "20", "10", "A", "A", 0, 1, 0, 0 },
            { "5", "9", "10", "A", "A", 0, 1, 0, 0 } },
        { "maximum 38", { "4", "38", "10", "A", "A", 0, 1, 0, 0 },
            { "5", "9", "10", "A", "A", 0, 1, 0, 0 } },
        { "equal letters allowed", { "6", "6", "10", "A", "A", 0, 1, 0, 0 },
            { "6", "6", "10", "A", "A", 0, 1, 0, 0 } },
        { "empty texts", { "", "", "", "", "", 0, 1, 0, 0 },
            { "5", "9", "12", "K", "ST?", 0, 1, 0, 0 } },
        { "list size 0 and 51, two letters, twelve pattern characters",
            { "4", "10", "51", "AB", "ABCDEFGHIJKL", 0, 0, 0, 1 },
            { "4", "10", "12", "K", "ST?", 0, 0, 0, 1 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(checkListSetupPage(c.typed, stored), c.expected);
    }
}

TEST(ListSetupPage, AStoredListSizeReadingZeroStaysAndDrillsTakeTenWords)
{
    StartupInfo info;
    FillStartupDefaults(info, std::string("/tmp/quorvel-unused"));
    ListSetupRecord list = info.listSetup(3);
    list.listSize = "0";
    info.setListSetup(3, list);
    const ListSetupRecord applied = checkListSetupPage(list, list);
    EXPECT_EQ(applied.listSize, "0");
    EXPECT_EQ(readDrillSettings(info, 3).listSize, 10);
}

TEST(DisplayPage, EachTimeOutsideItsRangeGetsItsStoredTextBack)
{
    const DisplaySetupRecord stored { "3", "2", "45", "4", 1, 0 };
    EXPECT_EQ(checkDisplayPage({ "20", "1", "90", "20", 0, 1 }, stored),
        (DisplaySetupRecord { "20", "1", "90", "20", 0, 1 }));
    EXPECT_EQ(checkDisplayPage({ "21", "0", "91", "", 0, 1 }, stored),
        (DisplaySetupRecord { "3", "2", "45", "4", 0, 1 }));
    EXPECT_EQ(checkDisplayPage({ "1", "21", "1", "0", 1, 0 }, stored),
        (DisplaySetupRecord { "1", "2", "1", "4", 1, 0 }));
}

TEST(LearnPage, BarsFollowTypedNumbersInsideTheirRangeAndTheBoxesTakeTheBarsOnApply)
{
    const LearnSetupRecord stored = defaultRecords().learn;
    const SliderTriple flash = stored.flashDuration; // 1..500 at 360
    EXPECT_EQ(barPositionForText("600", flash), 360u);
    EXPECT_EQ(barPositionForText("0", flash), 360u);
    EXPECT_EQ(barPositionForText("", flash), 360u);
    EXPECT_EQ(barPositionForText("500", flash), 500u);
    EXPECT_EQ(barPositionForText("1", flash), 1u);
    EXPECT_EQ(barPositionForText("11", stored.flashCount), 2u);

    // A flash duration typed as 600 left the bar at its stored place: on OK the box shows it.
    LearnSetupRecord edited = stored;
    edited.flashDurationText = "600";
    edited.flashDuration.position = barPositionForText("600", stored.flashDuration);
    edited.rippleCountText = "7";
    edited.rippleCount.position = 7;
    edited.continuousTime = "16";
    const LearnSetupRecord applied = applyLearnPage(edited, stored);
    EXPECT_EQ(applied.flashDurationText, "360");
    EXPECT_EQ(applied.rippleCountText, "7");
    EXPECT_EQ(applied.rippleCount.position, 7u);
    EXPECT_EQ(applied.flashCountText, "2");
    EXPECT_EQ(applied.continuousTime, stored.continuousTime);

    edited.continuousTime = "15";
    EXPECT_EQ(applyLearnPage(edited, stored).continuousTime, "15");
}

TEST(ListSetupSpins, StartAtTheStoredValueOrTheirFallbackInsideTheirRange)
{
    EXPECT_EQ(spinStart("0", spin::kMinLetters), 4);
    EXPECT_EQ(spinStart("", spin::kMaxLetters), 10);
    EXPECT_EQ(spinStart("abc", spin::kListSize), 6);
    EXPECT_EQ(spinStart("0", spin::kWordShowTime), 2);
    EXPECT_EQ(spinStart("0", spin::kAnswerDelay), 1);
    EXPECT_EQ(spinStart("0", spin::kSpellTime), 60);
    EXPECT_EQ(spinStart("0", spin::kBetweenWords), 1);
    EXPECT_EQ(spinStart("0", spin::kContinuousTime), 3);
    EXPECT_EQ(spinStart("8", spin::kMinLetters), 8);
    EXPECT_EQ(spinStart("99", spin::kListSize), 50);
    EXPECT_EQ(spinStart("-4", spin::kSpellTime), 1);
}

TEST(ListSetupSpins, TheLettersButtonsRefuseToCrossTheOtherBox)
{
    // The minimum may not step up past the maximum's number; down is always allowed.
    EXPECT_TRUE(minimumStepAllowed(5, 6, "6"));
    EXPECT_FALSE(minimumStepAllowed(6, 7, "6"));
    EXPECT_TRUE(minimumStepAllowed(9, 8, "6"));
    EXPECT_FALSE(minimumStepAllowed(3, 2, "6")); // below its own range
    EXPECT_FALSE(minimumStepAllowed(12, 13, "30")); // above its own range
    // The maximum may not step down below the minimum's number; up is always allowed.
    EXPECT_TRUE(maximumStepAllowed(8, 7, "7"));
    EXPECT_FALSE(maximumStepAllowed(7, 6, "7"));
    EXPECT_TRUE(maximumStepAllowed(5, 6, "9"));
    EXPECT_FALSE(maximumStepAllowed(37, 38, "4"));
}

TEST(ListSetupSpins, EditingOneLettersBoxPastTheOtherTakesTheOthersText)
{
    struct Case
    {
        const char *min, *max, *minAfter, *maxAfter;
    } cases[] = {
        { "12", "10", "10", "12" }, // minimum edited above: takes "10"; maximum edited: keeps
        { "1", "10", "1", "10" }, // a minimum still being typed is left alone
        { "5", "4", "4", "5" },
        { "5", "3", "3", "3" }, // the maximum's rule needs both at 4 or more
        { "3", "2", "3", "2" }, // the minimum's rule needs both at 3 or more
        { "6", "9", "6", "9" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.min) + "/" + c.max);
        EXPECT_EQ(minimumAfterEdit(c.min, c.max), c.minAfter);
        EXPECT_EQ(maximumAfterEdit(c.min, c.max), c.maxAfter);
    }
}

} // namespace
} // namespace quorvel::test
