// SdlSoundDevice against SDL's "disk" driver: what would have been heard is written to a raw
// file, so a test can check that a file's samples reached the output, at the right length, and
// that missing, broken and unplayable files are told apart.

#include "audio/sdl_sound_device.h"
#include "sound/sound_playback.h"
#include "speech/espeak_synthesizer.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

using namespace quorvel;
using quorvel::services::SdlSoundDevice;
using quorvel::test::TempFolder;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A 440 Hz tone at half scale, written by libsndfile in the given container format.
void writeTone(const std::string& path, int format, int rate, int channels, double seconds)
{
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)]
                = static_cast<float>(0.5 * std::sin(2.0 * kPi * 440.0 * double(i) / rate));
    EXPECT_EQ(sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames)),
        static_cast<sf_count_t>(frames));
    sf_close(file);
}

// Where the non-silent samples of the disk output begin and end, in frames of the output.
struct Heard
{
    double firstSecond = -1;
    double seconds = 0; // from the first to the last sample above the threshold
    double peak = 0;
};

Heard listen(const std::string& rawPath, const SdlSoundDevice::OutputFormat& format)
{
    std::ifstream in(rawPath, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    const std::size_t sampleCount = bytes.size() / static_cast<std::size_t>(format.bytesPerSample);
    long first = -1, last = -1;
    Heard heard;
    for (std::size_t i = 0; i < sampleCount; ++i) {
        const char* at = bytes.data() + i * static_cast<std::size_t>(format.bytesPerSample);
        double value = 0;
        if (format.floatSamples && format.bytesPerSample == 4) {
            float f;
            std::memcpy(&f, at, 4);
            value = f;
        } else if (format.bytesPerSample == 2) {
            std::int16_t s;
            std::memcpy(&s, at, 2);
            value = s / 32768.0;
        } else if (format.bytesPerSample == 4) {
            std::int32_t s;
            std::memcpy(&s, at, 4);
            value = s / 2147483648.0;
        } else {
            ADD_FAILURE() << "unexpected output format of " << format.bytesPerSample << " bytes";
            return heard;
        }
        heard.peak = std::max(heard.peak, std::abs(value));
        if (std::abs(value) > 0.05) {
            const long frame = static_cast<long>(i) / format.channels;
            if (first < 0)
                first = frame;
            last = frame;
        }
    }
    if (first >= 0) {
        heard.firstSecond = double(first) / format.rate;
        heard.seconds = double(last - first + 1) / format.rate;
    }
    return heard;
}

// Every test uses the disk driver with its own output file, so tests may run side by side.
class SdlSoundDeviceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", rawOutput().c_str(), 1);
    }
    std::string rawOutput() const { return folder.file("sdlaudio.raw"); }
    TempFolder folder;
};

} // namespace

TEST_F(SdlSoundDeviceTest, WaveVariantsReachTheOutputAtTheirLength)
{
    struct Case
    {
        const char* name;
        int format;
        int rate;
        int channels;
    };
    const Case cases[] = {
        { "pcm16_mono_22050", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1 },
        { "pcm24_stereo_48000", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2 },
        { "float_mono_44100", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1 },
        { "ulaw_mono_8000", SF_FORMAT_WAV | SF_FORMAT_ULAW, 8000, 1 },
        { "pcm8_mono_11025", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 1 },
    };
    constexpr double kSeconds = 0.5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string wav = folder.file(std::string(c.name) + ".wav");
        writeTone(wav, c.format, c.rate, c.channels, kSeconds);
        std::remove(rawOutput().c_str());

        SdlSoundDevice::OutputFormat format;
        {
            SdlSoundDevice device;
            ASSERT_FALSE(device.outputDevices().empty());
            std::string error;
            ASSERT_EQ(device.play(wav, error), PlayStart::Started) << error;
            EXPECT_FALSE(device.finished()); // half a second cannot have drained yet
            const auto started = std::chrono::steady_clock::now();
            device.waitUntilFinished();
            const auto waited = std::chrono::steady_clock::now() - started;
            EXPECT_TRUE(device.finished());
            EXPECT_EQ(device.takePlayError(), "");
            // The wait follows the sound, not a fixed sleep and not the give-up limit.
            EXPECT_GT(waited, std::chrono::milliseconds(300));
            EXPECT_LT(waited, std::chrono::milliseconds(1500));
            ASSERT_TRUE(device.outputFormat().has_value());
            format = *device.outputFormat();
        } // closing the device ends SDL's writer thread and flushes the file

        const Heard heard = listen(rawOutput(), format);
        EXPECT_GT(heard.peak, 0.35);
        EXPECT_LT(heard.peak, 0.65);
        EXPECT_NEAR(heard.seconds, kSeconds, 0.05);
    }
}

TEST_F(SdlSoundDeviceTest, OneDeviceServesFilesOneAfterAnother)
{
    const std::string a = folder.file("a.wav"), b = folder.file("b.wav");
    writeTone(a, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 0.3);
    writeTone(b, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 0.4);
    SdlSoundDevice::OutputFormat format;
    {
        SdlSoundDevice device;
        std::string error;
        ASSERT_EQ(device.play(a, error), PlayStart::Started) << error;
        device.waitUntilFinished();
        const auto first = device.outputFormat();
        ASSERT_EQ(device.play(b, error), PlayStart::Started) << error;
        device.waitUntilFinished();
        ASSERT_TRUE(first && device.outputFormat());
        EXPECT_EQ(first->rate, device.outputFormat()->rate);
        format = *device.outputFormat();
    }
    // Played back to back: one run of tone as long as both files together.
    const Heard heard = listen(rawOutput(), format);
    EXPECT_NEAR(heard.seconds, 0.7, 0.08);
}

TEST_F(SdlSoundDeviceTest, StopCutsTheSoundShort)
{
    const std::string wav = folder.file("long.wav");
    writeTone(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 5.0);
    SdlSoundDevice::OutputFormat format;
    {
        SdlSoundDevice device;
        std::string error;
        ASSERT_EQ(device.play(wav, error), PlayStart::Started) << error;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(device.finished());
        device.stop();
        EXPECT_TRUE(device.finished());
        const auto started = std::chrono::steady_clock::now();
        device.waitUntilFinished();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));
        format = *device.outputFormat();
    }
    const Heard heard = listen(rawOutput(), format);
    EXPECT_GT(heard.seconds, 0.05);
    EXPECT_LT(heard.seconds, 1.0);
}

TEST_F(SdlSoundDeviceTest, MissingFileIsNotFoundAndBrokenFileFails)
{
    SdlSoundDevice device;
    std::string error;
    EXPECT_EQ(device.play(folder.file("nothere.wav"), error), PlayStart::NotFound);
    EXPECT_EQ(error, "");
    EXPECT_EQ(device.play("", error), PlayStart::NotFound);
    EXPECT_TRUE(device.finished());

    // Random bytes under a wave file's name.
    const std::string broken = folder.file("broken.wav");
    std::mt19937 random(42);
    std::vector<std::uint8_t> noise(2000);
    for (auto& byte : noise)
        byte = static_cast<std::uint8_t>(random());
    quorvel::test::writeBytes(broken, noise);
    EXPECT_EQ(device.play(broken, error), PlayStart::Failed);
    EXPECT_NE(error.find("broken.wav"), std::string::npos) << error;
    EXPECT_GT(error.size(), std::string("Cannot read the sound file ").size() + broken.size() + 2);
    EXPECT_TRUE(device.finished());

    // A folder exists but is no sound.
    error.clear();
    EXPECT_EQ(device.play(folder.path(), error), PlayStart::Failed);
    EXPECT_FALSE(error.empty());
}

TEST_F(SdlSoundDeviceTest, NoOutputDeviceFailsWithoutCrashing)
{
    // A driver that does not exist: SDL's audio cannot start, as on a machine without sound.
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string wav = folder.file("tone.wav");
    writeTone(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 0.2);
    SdlSoundDevice device;
    EXPECT_TRUE(device.outputDevices().empty());
    EXPECT_TRUE(device.inputDevices().empty());
    std::string error;
    EXPECT_EQ(device.play(folder.file("nothere.wav"), error), PlayStart::NotFound);
    EXPECT_EQ(device.play(wav, error), PlayStart::Failed);
    EXPECT_EQ(error.rfind("No sound output device", 0), 0u) << error;
    EXPECT_TRUE(device.finished());
    device.waitUntilFinished();
    device.stop();
    EXPECT_EQ(device.takePlayError(), "");
}

// A word without a recording is spoken by espeak-ng, in either dialect, and reaches the output
// as a word-long sound: neither silence nor a clipped blip nor minutes of noise.
TEST_F(SdlSoundDeviceTest, ASpokenWordReachesTheOutputAtAPlausibleLength)
{
    // espeak-ng has one global state: one synthesizer for the whole program, as in the drill.
    services::EspeakSynthesizer speech;
    for (const Language language : { Language::UK, Language::US }) {
        SCOPED_TRACE(language == Language::UK ? "en-gb" : "en-us");
        std::remove(rawOutput().c_str());
        ASSERT_TRUE(speech.available()) << speech.unavailableReason();
        SpeechSamples samples;
        std::string error;
        ASSERT_TRUE(speech.synthesize("elephant", language, samples, error)) << error;
        ASSERT_GT(samples.rate, 0);
        const double synthesised = double(samples.samples.size()) / samples.rate;
        EXPECT_GT(synthesised, 0.3);
        EXPECT_LT(synthesised, 2.5);

        test::FakePrompter prompter;
        SdlSoundDevice::OutputFormat format;
        {
            SdlSoundDevice device;
            SoundPlayback playback(&device, prompter);
            ASSERT_TRUE(playback.checkSoundDevice(true));
            playback.setSpeech(&speech);
            ASSERT_TRUE(playback.checkSpeech(true));
            ASSERT_EQ(playback.startSpeech("elephant", language), PlayStart::Started);
            playback.waitUntilFinished();
            ASSERT_TRUE(device.outputFormat().has_value());
            format = *device.outputFormat();
        }
        EXPECT_TRUE(prompter.shown.empty());
        const Heard heard = listen(rawOutput(), format);
        EXPECT_GT(heard.peak, 0.05);
        EXPECT_GT(heard.seconds, 0.25);
        EXPECT_LT(heard.seconds, synthesised + 0.05);
    }
}

// Without espeak-ng's data the synthesizer says why, the playback says so once at set-up, and a
// word to be spoken plays nothing (the drill then falls back as for a missing recording).
TEST_F(SdlSoundDeviceTest, WithoutSpeechDataWordsAreNotSpokenAndThatIsSaidOnce)
{
    const std::string empty = folder.file("no-espeak-data");
    std::filesystem::create_directories(empty);
    services::EspeakSynthesizer speech(empty);
    EXPECT_FALSE(speech.available());
    EXPECT_FALSE(speech.unavailableReason().empty());
    SpeechSamples samples;
    std::string error;
    EXPECT_FALSE(speech.synthesize("cat", Language::UK, samples, error));
    EXPECT_FALSE(error.empty());

    test::FakePrompter prompter;
    SdlSoundDevice device;
    SoundPlayback playback(&device, prompter);
    ASSERT_TRUE(playback.checkSoundDevice(true));
    playback.setSpeech(&speech);
    EXPECT_FALSE(playback.checkSpeech(true));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(playback.startSpeech("cat", Language::UK), PlayStart::NotFound);
    EXPECT_TRUE(playback.finished());
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_FALSE(playback.switchedOff()); // recordings still play
}
