#pragma once

// SDL's audio system as the sound output and the recorder share it. Each holder starts it on
// first use and lets it go when destroyed; SDL counts the holders, so the output and the input
// can come and go in any order, and the driver chosen (SDL_AUDIODRIVER) is the same for both.

#include <string>
#include <vector>

namespace quorvel::services {

class SdlAudio
{
public:
    SdlAudio() = default;
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Starts the audio system for this holder (tried once): true when it runs.
    bool start();
    // Why it did not start; empty when it runs or was not tried.
    const std::string& error() const { return m_error; }
    // Names of the output or input devices; empty when there are none or audio did not start.
    std::vector<std::string> deviceNames(bool capture);

private:
    bool m_tried = false;
    bool m_started = false;
    std::string m_error;
};

// `what`, followed by SDL's reason when it gave one.
std::string sdlError(const char* what);

} // namespace quorvel::services
