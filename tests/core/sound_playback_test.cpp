// The playback routine shared by the drill and the browser, over a scripted sound device: a
// missing file is silent, a broken one is reported once and switches sound off, a device that
// is missing altogether is reported at set-up when the user wants sound.

#include "sound/sound_playback.h"
#include "strings/sound_strings.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <deque>

using namespace quorvel;
using quorvel::test::FakePrompter;

namespace {

class ScriptedSoundDevice final : public SoundDevice
{
public:
    std::vector<std::string> outputDevices() override { return outputs; }
    std::vector<std::string> inputDevices() override { return {}; }
    PlayStart play(const std::string& path, std::string& error) override
    {
        played.push_back(path);
        if (results.empty())
            return PlayStart::Started;
        const auto [result, text] = results.front();
        results.pop_front();
        if (result == PlayStart::Failed)
            error = text;
        return result;
    }
    PlayStart playSamples(
        const std::int16_t*, std::size_t count, int rate, std::string& error) override
    {
        std::string path
            = "<" + std::to_string(count) + " samples at " + std::to_string(rate) + ">";
        return play(path, error);
    }
    bool finished() override { return done; }
    void waitUntilFinished() override
    {
        ++waits;
        done = true;
    }
    void stop() override { ++stops; }
    std::string takePlayError() override
    {
        std::string e;
        e.swap(playError);
        return e;
    }

    std::vector<std::string> outputs { "Speakers" };
    std::deque<std::pair<PlayStart, std::string>> results;
    std::vector<std::string> played;
    bool done = false;
    int waits = 0, stops = 0;
    std::string playError;
};

} // namespace

TEST(SoundPlayback, CheckSoundDevice)
{
    struct Case
    {
        bool device;
        bool outputs;
        bool userSoundOn;
        bool usable;
        bool message;
    };
    const Case cases[] = {
        { true, true, true, true, false },
        { true, true, false, true, false },
        { true, false, true, false, true },
        { true, false, false, false, false }, // sound already off: nothing to say
        { false, false, true, false, true },
        { false, false, false, false, false },
    };
    for (const Case& c : cases) {
        ScriptedSoundDevice device;
        if (!c.outputs)
            device.outputs.clear();
        FakePrompter prompter;
        SoundPlayback playback(c.device ? &device : nullptr, prompter);
        SCOPED_TRACE(testing::Message() << c.device << c.outputs << c.userSoundOn);
        EXPECT_EQ(playback.checkSoundDevice(c.userSoundOn), c.usable);
        EXPECT_EQ(playback.usable(), c.usable);
        ASSERT_EQ(prompter.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(prompter.shown[0].text,
                "Sorry, I cannot recognize your sound card, I must disable the sound.");
            EXPECT_EQ(prompter.shown[0].caption, "Error.  No Sound!");
            EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Information);
        }
        // An unusable device is never asked to play; the caller goes on as if played.
        EXPECT_EQ(playback.start("/p/progdata/aplease.wav"), PlayStart::Started);
        EXPECT_EQ(playback.finished(), !c.usable);
        EXPECT_EQ(device.played.size(), c.usable ? 1u : 0u);
    }
}

TEST(SoundPlayback, MissingFileIsSilentAndKeepsSoundOn)
{
    ScriptedSoundDevice device;
    device.results = { { PlayStart::NotFound, "" }, { PlayStart::Started, "" } };
    FakePrompter prompter;
    SoundPlayback playback(&device, prompter);
    ASSERT_TRUE(playback.checkSoundDevice(true));

    EXPECT_EQ(playback.start("/p/progdata/aplease.wav"), PlayStart::NotFound);
    EXPECT_TRUE(playback.finished());
    EXPECT_FALSE(playback.switchedOff());
    EXPECT_TRUE(prompter.shown.empty());
    // The drill goes on to its next sound, which plays.
    EXPECT_EQ(playback.start("/p/progdata/aenteran.wav"), PlayStart::Started);
    EXPECT_EQ(device.played.size(), 2u);
}

TEST(SoundPlayback, BrokenFileIsReportedOnceAndSwitchesSoundOff)
{
    ScriptedSoundDevice device;
    device.results = { { PlayStart::Failed, "Cannot read the sound file x.wav: bad format" } };
    FakePrompter prompter;
    SoundPlayback playback(&device, prompter);
    ASSERT_TRUE(playback.checkSoundDevice(true));

    EXPECT_EQ(playback.start("x.wav"), PlayStart::Failed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Cannot read the sound file x.wav: bad format");
    EXPECT_EQ(prompter.shown[0].caption, "Error  opening sound waveform");
    EXPECT_EQ(prompter.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(playback.switchedOff());
    EXPECT_TRUE(playback.finished());

    // Switched off: the next files are not tried, so nothing more is said.
    EXPECT_EQ(playback.start("y.wav"), PlayStart::Started);
    EXPECT_TRUE(playback.finished());
    EXPECT_EQ(device.played, std::vector<std::string> { "x.wav" });
    EXPECT_EQ(prompter.shown.size(), 1u);

    // The Sound button turns it on again.
    playback.switchOn();
    EXPECT_FALSE(playback.switchedOff());
    EXPECT_EQ(playback.start("y.wav"), PlayStart::Started);
    EXPECT_EQ(device.played.size(), 2u);
}

TEST(SoundPlayback, FinishedFollowsTheDeviceAndReportsAPlayError)
{
    ScriptedSoundDevice device;
    FakePrompter prompter;
    SoundPlayback playback(&device, prompter);
    ASSERT_TRUE(playback.checkSoundDevice(true));

    ASSERT_EQ(playback.start("a.wav"), PlayStart::Started);
    EXPECT_FALSE(playback.finished());
    EXPECT_FALSE(playback.finished());
    device.done = true;
    EXPECT_TRUE(playback.finished());
    EXPECT_TRUE(prompter.shown.empty());

    device.done = false;
    ASSERT_EQ(playback.start("b.wav"), PlayStart::Started);
    device.playError = "The sound output device stopped: unplugged";
    EXPECT_TRUE(playback.finished());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The sound output device stopped: unplugged");
    EXPECT_EQ(prompter.shown[0].caption, "Error playing sound waveform");
    EXPECT_TRUE(playback.switchedOff());
    EXPECT_EQ(device.stops, 1);
    // Polled again: the error is not shown a second time.
    EXPECT_TRUE(playback.finished());
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST(SoundPlayback, WaitUntilFinishedPlaysToTheEnd)
{
    ScriptedSoundDevice device;
    FakePrompter prompter;
    SoundPlayback playback(&device, prompter);
    ASSERT_TRUE(playback.checkSoundDevice(true));

    ASSERT_EQ(playback.start("a.wav"), PlayStart::Started);
    playback.waitUntilFinished();
    EXPECT_EQ(device.waits, 1);
    EXPECT_TRUE(playback.finished());
    EXPECT_TRUE(prompter.shown.empty());

    // A device that gave up while the caller waited: reported under the play caption.
    device.done = false;
    ASSERT_EQ(playback.start("b.wav"), PlayStart::Started);
    device.playError = "The sound output device stopped playing";
    playback.waitUntilFinished();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error playing sound waveform");
    EXPECT_TRUE(playback.switchedOff());

    // Nothing started: returns at once without asking the device.
    playback.waitUntilFinished();
    EXPECT_EQ(device.waits, 2);
}

TEST(SoundPlayback, StopStopsTheDeviceOnlyWhilePlaying)
{
    ScriptedSoundDevice device;
    FakePrompter prompter;
    SoundPlayback playback(&device, prompter);
    playback.stop();
    EXPECT_EQ(device.stops, 0);
    ASSERT_EQ(playback.start("a.wav"), PlayStart::Started);
    playback.stop();
    EXPECT_EQ(device.stops, 1);
    EXPECT_TRUE(playback.finished());
}
