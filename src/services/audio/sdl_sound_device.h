#pragma once

// The sound device over SDL2: wave files are read whole with libsndfile (any WAV variant and
// whatever else libsndfile knows), converted to the output device's format and queued on it.
// SDL's audio is started on first use, so a program that never plays pays nothing, and the
// driver follows SDL_AUDIODRIVER (the tests use the "disk" driver).

#include "audio/sdl_audio.h"
#include "sound/sound_device.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::services {

class SdlSoundDevice final : public SoundDevice
{
public:
    SdlSoundDevice();
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    std::vector<std::string> outputDevices() override;
    std::vector<std::string> inputDevices() override;
    PlayStart play(const std::string& path, std::string& error) override;
    PlayStart playSamples(
        const std::int16_t* samples, std::size_t count, int rate, std::string& error) override;
    bool finished() override;
    void waitUntilFinished() override;
    void stop() override;
    std::string takePlayError() override;

    // The format of the open output device: what the samples queued on it look like.
    struct OutputFormat
    {
        int rate = 0;
        int channels = 0;
        int bytesPerSample = 0;
        bool floatSamples = false;
    };
    std::optional<OutputFormat> outputFormat() const;

private:
    bool openOutput(std::string& error);
    void closeOutput();
    // Converts interleaved float samples to the output's format and queues them.
    PlayStart queue(std::vector<float> samples, std::uint64_t frames, int channels, int rate,
        std::string& error);

    SdlAudio m_audio;
    std::uint32_t m_device = 0; // SDL's id of the open output device, 0 when none
    int m_rate = 0; // of the open device
    int m_channels = 0;
    std::uint16_t m_sampleFormat = 0; // SDL_AudioFormat
    std::uint64_t m_queuedMs = 0; // length of the file last queued
    std::string m_playError;
};

} // namespace quorvel::services
