// SdlSoundRecorder against SDL's "disk" driver, which reads what the input would have heard from
// a raw file: a test writes known samples there, records, and reads the saved wave file back with
// libsndfile, so a wrong format, a lost or shifted sample, or a file left half-written shows.

#include "audio/sdl_sound_recorder.h"
#include "platform/file_faults.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <unistd.h>

using namespace quorvel;
using quorvel::services::SdlSoundRecorder;
using quorvel::test::TempFolder;
using namespace std::chrono_literals;

namespace {

// The samples the input delivers, as 16-bit values (an 8-bit input's byte b is (b - 128) * 256,
// which is how libsndfile hands an 8-bit file's samples back). Every channel differs, so swapped
// or dropped channels show.
std::vector<short> knownSamples(const RecordingFormat& format, std::size_t frames)
{
    std::vector<short> samples(frames * static_cast<std::size_t>(format.channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto value = static_cast<int>((i * 37 + i / 3) % 256);
        samples[i] = static_cast<short>(
            format.bitsPerSample == 8 ? (value - 128) * 256 : (value - 128) * 251 + 7);
    }
    return samples;
}

// The raw bytes of those samples as the device delivers them: unsigned bytes, or 16-bit samples
// in the machine's order.
std::vector<std::uint8_t> rawBytes(const RecordingFormat& format, const std::vector<short>& samples)
{
    std::vector<std::uint8_t> raw;
    if (format.bitsPerSample == 8) {
        for (short s : samples)
            raw.push_back(static_cast<std::uint8_t>(s / 256 + 128));
    } else {
        raw.resize(samples.size() * 2);
        std::memcpy(raw.data(), samples.data(), raw.size());
    }
    return raw;
}

struct Wave
{
    SF_INFO info {};
    std::vector<short> samples;
};

Wave readWave(const std::string& path)
{
    Wave wave;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wave.info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (!file)
        return wave;
    wave.samples.resize(static_cast<std::size_t>(wave.info.frames * wave.info.channels));
    EXPECT_EQ(
        sf_read_short(file, wave.samples.data(), static_cast<sf_count_t>(wave.samples.size())),
        static_cast<sf_count_t>(wave.samples.size()));
    sf_close(file);
    return wave;
}

// Polls as a window's timer would, until `done` or a generous time has passed.
template <class Done> bool waitFor(Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class SdlSoundRecorderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILEIN", input().c_str(), 1);
        std::filesystem::create_directories(folder.file("newwave"));
    }
    void TearDown() override { ::unsetenv("SDL_DISKAUDIOFILEIN"); }

    std::string input() const { return folder.file("input.raw"); }
    std::string target() const { return folder.file("newwave/recorded.wav"); }
    // Writes the input and returns the samples it holds.
    std::vector<short> provideInput(const RecordingFormat& format, std::size_t frames)
    {
        std::vector<short> samples = knownSamples(format, frames);
        test::writeBytes(input(), rawBytes(format, samples));
        return samples;
    }
    // Starts a recording and lets it run until `frames` frames are gathered.
    void recordFrames(SdlSoundRecorder& recorder, const RecordingFormat& format, std::size_t frames)
    {
        std::string error;
        ASSERT_EQ(recorder.start(format, error), RecordStart::Started) << error;
        ASSERT_TRUE(waitFor([&] { return recorder.gatheredFrames() >= frames; }))
            << recorder.gatheredFrames();
    }

    TempFolder folder;
};

TEST_F(SdlSoundRecorderTest, EachFormatIsSavedAsTheWaveItAsksFor)
{
    const RecordingFormat formats[] = {
        { 11025, 8, 1 },
        { 22050, 8, 2 },
        { 22050, 16, 1 },
        { 44100, 16, 2 },
    };
    for (const RecordingFormat& format : formats) {
        SCOPED_TRACE(testing::Message() << format.sampleRate << " Hz, " << format.bitsPerSample
                                        << " bits, " << format.channels << " channels");
        const std::size_t frames = static_cast<std::size_t>(format.sampleRate) / 5;
        const std::vector<short> expected = provideInput(format, frames);
        SdlSoundRecorder recorder;
        ASSERT_FALSE(recorder.inputDevices().empty());
        recordFrames(recorder, format, frames);
        EXPECT_TRUE(recorder.isRecording());
        std::string error;
        ASSERT_TRUE(recorder.stopAndSave(target(), error)) << error;
        EXPECT_FALSE(recorder.isRecording());

        const Wave wave = readWave(target());
        EXPECT_EQ(wave.info.samplerate, format.sampleRate);
        EXPECT_EQ(wave.info.channels, format.channels);
        EXPECT_EQ(wave.info.format,
            SF_FORMAT_WAV | (format.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16));
        // The input's samples, in order and from the first; the input ran on into silence.
        ASSERT_GE(wave.samples.size(), expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), wave.samples.begin()));
        // Nothing but the wave file is left in the folder.
        EXPECT_EQ(test::folderContents(folder.file("newwave")).size(), 1u);
        // A saved recording is let go: there is nothing more to save.
        EXPECT_FALSE(recorder.stopAndSave(folder.file("again.wav"), error));
        EXPECT_FALSE(test::fileExists(folder.file("again.wav")));
    }
}

// The longest length ends a recording by itself; what was gathered up to it is saved whole.
TEST_F(SdlSoundRecorderTest, TheLongestLengthEndsTheRecordingAndKeepsItsSamples)
{
    const RecordingFormat format { 11025, 8, 1 };
    const std::vector<short> expected = provideInput(format, 11025);
    SdlSoundRecorder recorder(200ms);
    std::string error;
    ASSERT_EQ(recorder.start(format, error), RecordStart::Started) << error;
    ASSERT_TRUE(waitFor([&] { return !recorder.isRecording(); }));
    EXPECT_TRUE(recorder.reachedLongest());
    EXPECT_EQ(recorder.gatheredFrames(), 2205u);
    ASSERT_TRUE(recorder.stopAndSave(target(), error)) << error;
    const Wave wave = readWave(target());
    ASSERT_EQ(wave.samples.size(), 2205u);
    EXPECT_TRUE(std::equal(wave.samples.begin(), wave.samples.end(), expected.begin()));
}

TEST_F(SdlSoundRecorderTest, CancelAndANewStartDropWhatWasGathered)
{
    const RecordingFormat format { 22050, 16, 1 };
    provideInput(format, 22050);
    SdlSoundRecorder recorder;
    recordFrames(recorder, format, 2000);
    recorder.cancel();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_EQ(recorder.gatheredFrames(), 0u);
    std::string error;
    EXPECT_FALSE(recorder.stopAndSave(target(), error));
    EXPECT_EQ(error, "Nothing was recorded");
    EXPECT_FALSE(test::fileExists(target()));

    // A second start reads the input afresh: what the saved file begins with is what the new
    // recording heard first, not the end of the earlier one.
    const RecordingFormat mono8 { 11025, 8, 1 };
    const std::vector<short> expected = provideInput(mono8, 2000);
    recordFrames(recorder, format, 100);
    recordFrames(recorder, mono8, 2000);
    ASSERT_TRUE(recorder.stopAndSave(target(), error)) << error;
    const Wave wave = readWave(target());
    EXPECT_EQ(wave.info.samplerate, 11025);
    ASSERT_GE(wave.samples.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), wave.samples.begin()));
}

// A save that fails leaves no file behind and an older recording as it was, and keeps the
// samples so that the next save can still succeed.
TEST_F(SdlSoundRecorderTest, AFailedSaveLeavesNoFileAndTheOlderOneIntact)
{
    const RecordingFormat format { 22050, 16, 2 };
    const std::vector<short> expected = provideInput(format, 4410);
    SdlSoundRecorder recorder;
    recordFrames(recorder, format, 4410);

    // A folder the program may not write to.
    const std::string readOnly = folder.file("readonly");
    std::filesystem::create_directories(readOnly);
    std::filesystem::permissions(readOnly,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec
            | std::filesystem::perms::group_read | std::filesystem::perms::group_exec);
    // Root writes anywhere: there the refusal is made by the file layer, as the system would.
    if (::geteuid() == 0)
        FileFaults::failNth(FileOp::Open, 1, 1, EACCES);
    std::string error;
    EXPECT_FALSE(recorder.stopAndSave(readOnly + "/recorded.wav", error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_TRUE(test::folderContents(readOnly).empty());
    FileFaults::reset();

    // A write failing half-way (a full disk) over an older recording.
    const std::vector<std::uint8_t> older { 'R', 'I', 'F', 'F', 1, 2, 3 };
    test::writeBytes(target(), older);
    FileFaults::failNth(FileOp::Write, 1, 1, ENOSPC);
    EXPECT_FALSE(recorder.stopAndSave(target(), error));
    EXPECT_NE(error.find(target()), std::string::npos) << error;
    EXPECT_EQ(test::readBytes(target()), older);
    EXPECT_EQ(test::folderContents(folder.file("newwave")).size(), 1u);
    FileFaults::reset();

    ASSERT_TRUE(recorder.stopAndSave(target(), error)) << error;
    const Wave wave = readWave(target());
    EXPECT_EQ(wave.info.channels, 2);
    ASSERT_GE(wave.samples.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), wave.samples.begin()));
}

TEST_F(SdlSoundRecorderTest, StartRefusalsOpenNothing)
{
    std::string error;
    {
        // A driver that does not exist: SDL's audio cannot start, as on a machine without sound.
        ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        SdlSoundRecorder recorder;
        EXPECT_TRUE(recorder.inputDevices().empty());
        EXPECT_EQ(recorder.start({ 22050, 8, 1 }, error), RecordStart::NoInputDevice);
        EXPECT_FALSE(recorder.isRecording());
        EXPECT_FALSE(recorder.stopAndSave(target(), error));
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
    }
    {
        // The input cannot be opened (the disk driver's input file is missing).
        SdlSoundRecorder recorder;
        error.clear();
        EXPECT_EQ(recorder.start({ 22050, 8, 1 }, error), RecordStart::Failed);
        EXPECT_EQ(error.rfind("Cannot open the sound input device", 0), 0u) << error;
        EXPECT_FALSE(recorder.isRecording());
    }
    {
        // A format no wave file of ours holds.
        provideInput({ 22050, 8, 1 }, 100);
        SdlSoundRecorder recorder;
        for (const RecordingFormat format : { RecordingFormat { 22050, 24, 1 },
                 RecordingFormat { 22050, 8, 3 }, RecordingFormat { 0, 8, 1 } }) {
            error.clear();
            EXPECT_EQ(recorder.start(format, error), RecordStart::Failed);
            EXPECT_FALSE(error.empty());
            EXPECT_FALSE(recorder.isRecording());
        }
    }
    EXPECT_FALSE(test::fileExists(target()));
}

} // namespace
