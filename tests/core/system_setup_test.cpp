#include "app/session.h"
#include "users/system_setup.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(SystemSetupThresholds, InvalidPairsPutBothStoredThresholdsBack)
{
    StartupInfo info;
    info.setPromotionThreshold("85");
    info.setDemotionThreshold("30");
    struct Case
    {
        const char *promotion, *demotion;
        bool valid;
    } cases[] = {
        { "90", "20", true },
        { "100", "1", true },
        { "50", "50", false },
        { "0", "20", false },
        { "101", "20", false },
        { "40", "60", false },
        { "90", "0", false },
        { "", "", false },
        { "abc", "10", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.promotion) + "/" + c.demotion);
        std::string p = c.promotion;
        std::string d = c.demotion;
        checkThresholds(p, d, info);
        EXPECT_EQ(p, c.valid ? c.promotion : "85");
        EXPECT_EQ(d, c.valid ? c.demotion : "30");
    }
}

TEST(SystemSetupChoicesFlow, OpeningChecksTheCurrentUserAndDoneStoresTheThresholdsUnsaved)
{
    Session session;
    session.info.setPromotionThreshold("90");
    session.info.setDemotionThreshold("20");
    session.choices.historyUser.fill(0);
    session.choices.historyUser[7] = 1; // confirmed last time for another user
    session.choices.resetToDefault = 0;
    session.choices.resetToSuccess = 1;
    ASSERT_TRUE(session.setCurrentUser(4));

    SystemSetupChoices opening = systemSetupOpening(session);
    EXPECT_EQ(opening.historyUserSlot(), 4);
    EXPECT_EQ(opening.historyUser[7], 0);
    EXPECT_EQ(opening.resetToSuccess, 1);
    EXPECT_EQ(opening.promotionText, "90");
    EXPECT_EQ(opening.demotionText, "20");

    opening.promotionText = "75";
    opening.demotionText = "35";
    systemSetupDone(session, opening);
    EXPECT_EQ(session.info.promotionThreshold(), "75");
    EXPECT_EQ(session.info.demotionThreshold(), "35");
    EXPECT_EQ(session.choices.historyUserSlot(), 4);
}

TEST(WaveformPath, ContainsAWaveformFolderInAnyCaseAndIsCutAfterIt)
{
    struct Case
    {
        const char* typed;
        bool accepted;
        const char* after;
    } cases[] = {
        { "/media/E/SOUNDS/WAVEFORM/EXTRA/", true, "/media/E/SOUNDS/WAVEFORM/" },
        { "/opt/quorvel/waveform/", true, "/opt/quorvel/waveform/" },
        { "/a/WaveForm/b/waveform/c", true, "/a/WaveForm/" },
        { "/opt/quorvel/waveform", false, "/opt/quorvel/waveform" }, // no separator after it
        { "/opt/quorvel/waveforms/", false, "/opt/quorvel/waveforms/" },
        { "", false, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string path = c.typed;
        EXPECT_EQ(CheckWaveformPath(path), c.accepted);
        EXPECT_EQ(path, c.after);
    }
}

TEST(WaveformPath, EndWithSeparatorAddsTheSeparatorToTextsOfTwoTo257Characters)
{
    struct Case
    {
        std::string typed, after;
        std::size_t length;
    } cases[] = {
        { "A:", "A:/", 2 }, { "x", "x", 1 }, { "", "", 0 }, { "/backup/", "/backup/", 8 },
        { std::string(257, 'a'), std::string(257, 'a') + "/", 257 },
        { std::string(258, 'a'), std::string(258, 'a'), 258 },
        { std::string(300, 'a'), std::string(260, 'a'), 260 }, // the box is read up to 260
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.size());
        std::string text = c.typed;
        EXPECT_EQ(EndWithSeparator(text), c.length);
        EXPECT_EQ(text, c.after);
    }
}

TEST(PathSettings, DoneStoresAcceptedPathsAndKeepsTheOldWaveformPathOtherwise)
{
    StartupInfo info;
    info.setWaveformPath("/old/waveform/");
    info.setAdditionalDictPath("/old/backup/");

    PathSettingsResult r = applyPathSettings(info, "/media/E/SOUNDS/WAVEFORM/EXTRA", "A:");
    EXPECT_TRUE(r.waveformAccepted);
    EXPECT_EQ(r.waveformText, "/media/E/SOUNDS/WAVEFORM/");
    EXPECT_EQ(info.waveformPath(), "/media/E/SOUNDS/WAVEFORM/");
    EXPECT_EQ(r.backupText, "A:/");
    EXPECT_EQ(info.additionalDictPath(), "A:/");

    r = applyPathSettings(info, "/media/sounds", "x");
    EXPECT_FALSE(r.waveformAccepted);
    EXPECT_EQ(r.waveformText, "/media/sounds");
    EXPECT_EQ(info.waveformPath(), "/media/E/SOUNDS/WAVEFORM/");
    EXPECT_EQ(info.additionalDictPath(), "x");

    // An empty backup box leaves the stored backup path alone.
    applyPathSettings(info, "/w/waveform/", "");
    EXPECT_EQ(info.additionalDictPath(), "x");
    EXPECT_EQ(info.waveformPath(), "/w/waveform/");

    // A path too long for the record is refused rather than stored cut short.
    const std::string longPath = "/" + std::string(250, 'd') + "/waveform/";
    r = applyPathSettings(info, longPath, "/b/");
    EXPECT_FALSE(r.waveformAccepted);
    EXPECT_EQ(info.waveformPath(), "/w/waveform/");
}

TEST(PathSettings, DefaultsAndBrowsedFilesGiveFoldersWithTheirSeparator)
{
    StartupInfo info;
    const std::string program = "/opt/quorvel";
    const auto r
        = applyPathSettings(info, defaultWaveformPath(program), defaultBackupPath(program));
    EXPECT_TRUE(r.waveformAccepted);
    EXPECT_EQ(info.waveformPath(), "/opt/quorvel/waveform/");
    EXPECT_EQ(info.additionalDictPath(), "/opt/quorvel/backup/");

    EXPECT_EQ(folderOfChosenFile("/cd/Sounds/WAVEFORM/extra/cat.wav"),
        std::optional<std::string>("/cd/Sounds/WAVEFORM/extra/"));
    EXPECT_EQ(folderOfChosenFile("cat.wav"), std::nullopt);
}

} // namespace
} // namespace quorvel::test
