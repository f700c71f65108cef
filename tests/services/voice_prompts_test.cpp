// The voice prompts and letter sounds the build synthesises: every file the drill may ask for
// is there, is a wave file libsndfile reads, and holds real speech rather than a click.

#include "sound/sound_names.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <set>
#include <string>

using namespace quorvel;

TEST(VoicePrompts, EveryFileOfBothSetsIsAReadableWave)
{
#ifndef QUORVEL_VOICE_DIR
    GTEST_SKIP() << "the voice prompts are not built (QUORVEL_VOICE_PROMPTS is off)";
#else
    std::set<std::string> names;
    for (int i = 0; i < kVoicePromptCount; ++i) {
        names.insert(voicePromptFile(i, true));
        names.insert(voicePromptFile(i, false));
    }
    for (char c = 'A'; c <= 'Z'; ++c) {
        names.insert(letterSoundFile(c, false));
        names.insert(letterSoundFile(c, true));
    }
    // 14 prompts in two sets sharing the two level files, 26 letters and the American Z.
    EXPECT_EQ(names.size(), 26u + 27u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string path = std::string(QUORVEL_VOICE_DIR) + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(path));
        SF_INFO info {};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
        ASSERT_GT(info.samplerate, 0);
        EXPECT_GE(double(info.frames) / info.samplerate, 0.3);
        sf_close(file);
    }
#endif
}
