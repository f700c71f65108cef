#pragma once

// The sound recorder over SDL2: the default input device is opened in the format asked for (SDL
// converts whatever the device delivers), its samples are gathered in memory by SDL's audio
// thread, and stopAndSave writes them as a PCM wave file through libsndfile, replacing the target
// whole. A recording is bounded: when the longest length is reached, the input is closed and
// what was gathered is kept for saving.

#include "audio/sdl_audio.h"
#include "sound/sound_recorder.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace quorvel::services {

class SdlSoundRecorder final : public SoundRecorder
{
public:
    // A word is said in seconds; five minutes is far beyond any word and still a small file.
    static constexpr std::chrono::milliseconds kLongestRecording { 5 * 60 * 1000 };

    explicit SdlSoundRecorder(std::chrono::milliseconds longest = kLongestRecording);
    ~SdlSoundRecorder() override;
    SdlSoundRecorder(const SdlSoundRecorder&) = delete;
    SdlSoundRecorder& operator=(const SdlSoundRecorder&) = delete;

    std::vector<std::string> inputDevices() override;
    RecordStart start(const RecordingFormat& format, std::string& error) override;
    bool isRecording() override;
    // A failed save keeps what was gathered, so it can be saved elsewhere; a successful one
    // lets it go.
    bool stopAndSave(const std::string& path, std::string& error) override;
    void cancel() override;

    // Whole frames gathered by the current recording so far.
    std::uint64_t gatheredFrames() const;
    // Whether the current recording ended because it reached the longest length.
    bool reachedLongest() const;

private:
    static void gather(void* self, std::uint8_t* stream, int length);
    // Closes the input device; what was gathered stays.
    void closeInput();

    SdlAudio m_audio;
    std::chrono::milliseconds m_longest;
    std::uint32_t m_device = 0; // SDL's id of the open input device, 0 when none
    RecordingFormat m_format;
    bool m_haveFormat = false; // a recording was started since the last save or cancel

    // Shared with SDL's audio thread.
    mutable std::mutex m_lock;
    std::vector<std::uint8_t> m_samples;
    std::size_t m_limitBytes = 0;
    bool m_full = false;
};

} // namespace quorvel::services
