// Which wave file the drill plays when: the prompt sets, the letter sounds and the names of
// word recordings.

#include "sound/sound_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvel;

TEST(VoicePromptNames, FollowTheUsersDialect)
{
    struct Case
    {
        int index;
        bool uk;
        const char* file;
    };
    // Every moment of the drill in both sets; the level changes share one file.
    const Case cases[] = {
        { prompt::kPlease, true, "aplease.wav" },
        { prompt::kPlease, false, "uplease.wav" },
        { 1, true, "afailed1.wav" },
        { 4, false, "ufailed4.wav" },
        { 5, true, "asuccess.wav" },
        { 6, true, "bsuccess.wav" },
        { 7, true, "csuccess.wav" },
        { 8, true, "dsuccess.wav" },
        { 5, false, "usuccess.wav" },
        { 6, false, "vsuccess.wav" },
        { 7, false, "wsuccess.wav" },
        { 8, false, "xsuccess.wav" },
        { prompt::kEnterAnswer, false, "uenteran.wav" },
        { prompt::kOutOfTime, true, "autoftim.wav" },
        { prompt::kOutOfTime, false, "uutoftim.wav" },
        { prompt::kFollowing, true, "afollow.wav" },
        { prompt::kFollowing, false, "ufollow.wav" },
        { prompt::kPromoted, true, "advlevel.wav" },
        { prompt::kPromoted, false, "advlevel.wav" },
        { prompt::kDemoted, false, "dwnlevel.wav" },
        { -1, true, "" },
        { kVoicePromptCount, false, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(voicePromptFile(c.index, c.uk), c.file) << c.index << (c.uk ? " UK" : " US");
    EXPECT_EQ(voicePromptPath("/opt/quorvel", prompt::kPlease, true),
        "/opt/quorvel/progdata/aplease.wav");
    EXPECT_EQ(voicePromptPath("/opt/quorvel", 99, true), "");
}

TEST(LetterSoundNames, RippleOnZooInAnAmericanDrill)
{
    std::vector<std::string> played;
    for (char c : std::string("ZOO"))
        played.push_back(letterSoundFile(c, true));
    EXPECT_EQ(played, (std::vector<std::string> { "squarezz.wav", "squareo.wav", "squareo.wav" }));

    EXPECT_EQ(letterSoundFile('Z', false), "squarez.wav");
    EXPECT_EQ(letterSoundFile('z', true), "squarezz.wav");
    EXPECT_EQ(letterSoundFile('B', true), "squareb.wav");
    EXPECT_EQ(letterSoundFile('\'', false), "");
    EXPECT_EQ(letterSoundFile('7', false), "");
    EXPECT_EQ(letterSoundFile('\xE9', false), ""); // a Latin-1 letter has no sound of its own
    EXPECT_EQ(letterSoundPath("/p", 'a', false), "/p/progdata/squarea.wav");
    EXPECT_EQ(letterSoundPath("/p", '-', false), "");
}

TEST(WordRecordingNames, PrefixIndexAndSubfolder)
{
    EXPECT_EQ(waveformPrefix("cat"), "CATX");
    EXPECT_EQ(waveformPrefix("Caterpillar"), "CATE");
    EXPECT_EQ(waveformPrefix("at"), std::nullopt);
    // An apostrophe in the first four letters makes no valid dictionary text.
    EXPECT_EQ(waveformPrefix("don't"), std::nullopt);

    EXPECT_EQ(waveformFileName("CATX", 42), "CATX0042.wav");
    EXPECT_EQ(waveformFileName("CATE", 7), "CATE0007.wav");
    EXPECT_EQ(waveformFileName("CATE", 9999), "CATE9999.wav");
    EXPECT_EQ(waveformFileName("CATE", 0), std::nullopt);
    EXPECT_EQ(waveformFileName("CATE", 10000), std::nullopt);
    EXPECT_EQ(waveformFileName("CAT", 1), std::nullopt);

    EXPECT_EQ(waveformSubfolder("cat"), "Cwavefrm");
    EXPECT_EQ(waveformSubfolder("1cat"), std::nullopt);
    EXPECT_EQ(waveformSubfolder(""), std::nullopt);

    EXPECT_EQ(wordRecordingPath("/w/", "cat", 42), "/w/Cwavefrm/CATX0042.wav");
    EXPECT_EQ(wordRecordingPath("/w/", "zebra", 7), "/w/Zwavefrm/ZEBR0007.wav");
    EXPECT_EQ(wordRecordingPath("/", "cat", 42), std::nullopt); // root shorter than 2
    EXPECT_EQ(wordRecordingPath("/w/", "cat", 0), std::nullopt);
    EXPECT_EQ(wordRecordingPath("/w/", "it", 3), std::nullopt);
}
