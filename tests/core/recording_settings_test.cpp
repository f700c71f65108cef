// The recording quality: the stored settings give the format a recording is made in, and OK in
// the settings dialog writes only what differs from the values in effect.

#include "config/settings_file.h"
#include "sound/recording_settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

std::string text(const std::string& path)
{
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(RecordingSettings, StoredValuesGiveTheRecordingFormat)
{
    const struct
    {
        const char* stored;
        RecordingFormat format;
        int blockAlign;
        int bytesPerSecond;
    } cases[] = {
        // No file: the defaults.
        { nullptr, { 22050, 8, 1 }, 1, 22050 },
        { "[Recording data]\nSample rate=44100\nSample size=16\nChannels=2\n", { 44100, 16, 2 }, 4,
            176400 },
        { "[recording DATA]\nsample RATE=11025\nSAMPLE SIZE=16\nchannels=1\n", { 11025, 16, 1 }, 2,
            22050 },
        // One word not allowed makes the whole group the defaults, not just that key.
        { "[Recording data]\nSample rate=48000\nSample size=16\nChannels=2\n", { 22050, 8, 1 }, 1,
            22050 },
        { "[Recording data]\nSample rate=44100\nSample size=16\n", { 22050, 8, 1 }, 1, 22050 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(no file)");
        TempFolder folder;
        const std::string path = folder.file("Fenwa.ini");
        if (c.stored)
            writeText(path, c.stored);
        const SettingsFile file(path);
        const RecordingFormat format = recordingFormat(recordingDataInEffect(file));
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(format.blockAlign(), c.blockAlign);
        EXPECT_EQ(format.bytesPerSecond(), c.bytesPerSecond);
        EXPECT_EQ(fileExists(path), c.stored != nullptr) << "reading must not write defaults";
    }
    // Values the settings cannot hold never reach the recorder.
    EXPECT_EQ(recordingFormat({ 8000, 24, 6 }), (RecordingFormat { 22050, 8, 1 }));
}

TEST(RecordingSettings, OkWritesOnlyWhatDiffersFromTheValuesInEffect)
{
    const std::string valid = "; kept\r\n[Recording data]\r\nSample rate=44100\r\nSample size=8\r\n"
                              "Channels=1\r\n";
    const std::string invalid = "[Recording data]\r\nSample rate=fast\r\n";
    const struct
    {
        const char* name;
        const char* stored; // null: no file
        RecordingData chosen;
        const char* after; // null: the file as it was (or still none)
    } cases[] = {
        { "defaults over no file", nullptr, {}, nullptr },
        { "defaults over an invalid group", invalid.c_str(), {}, nullptr },
        { "stored values again", valid.c_str(), { 44100, 8, 1 }, nullptr },
        { "one value changed", valid.c_str(), { 44100, 16, 1 },
            "; kept\r\n[Recording data]\r\nSample rate=44100\r\nSample size=16\r\nChannels=1\r\n" },
        { "a choice over an invalid group", invalid.c_str(), { 11025, 8, 2 },
            "[Recording data]\r\nSample rate=11025\r\nSample size=8\r\nChannels=2\r\n" },
        { "a choice over no file", nullptr, { 22050, 16, 1 },
            "[Recording data]\r\nSample rate=22050\r\nSample size=16\r\nChannels=1\r\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file("Fenwa.ini");
        if (c.stored)
            writeText(path, c.stored);
        SettingsFile file(path);
        EXPECT_TRUE(applyRecordingData(file, c.chosen));
        if (c.after) {
            EXPECT_EQ(text(path), c.after);
        } else if (c.stored) {
            EXPECT_EQ(text(path), c.stored);
        } else {
            EXPECT_FALSE(fileExists(path));
        }
        EXPECT_EQ(recordingDataInEffect(SettingsFile(path)), c.chosen);
    }
}

TEST(RecordingSettings, AFailedWriteIsReported)
{
    TempFolder folder;
    // A folder where the file should be: nothing can be written there.
    const std::string path = folder.file("Fenwa.ini");
    std::filesystem::create_directory(path);
    SettingsFile file(path);
    EXPECT_FALSE(applyRecordingData(file, { 44100, 16, 2 }));
    EXPECT_TRUE(applyRecordingData(file, {})) << "nothing to write";
}

} // namespace
} // namespace quorvel::test
