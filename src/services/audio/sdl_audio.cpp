#include "audio/sdl_audio.h"

#include <SDL.h>

namespace quorvel::services {

SdlAudio::~SdlAudio()
{
    if (m_started)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::start()
{
    if (m_tried)
        return m_started;
    m_tried = true;
    // The program's own windowing handles Ctrl+C and termination; SDL must not take them over.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
        m_started = true;
    else
        m_error = SDL_GetError();
    return m_started;
}

std::vector<std::string> SdlAudio::deviceNames(bool capture)
{
    std::vector<std::string> names;
    if (!start())
        return names;
    const int iscapture = capture ? 1 : 0;
    const int count = SDL_GetNumAudioDevices(iscapture);
    if (count < 0) {
        // The driver cannot list its devices but has a default one to open.
        names.emplace_back(capture ? "Default input" : "Default output");
        return names;
    }
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_GetAudioDeviceName(i, iscapture);
        names.emplace_back(name && *name ? name : (capture ? "Input device" : "Output device"));
    }
    return names;
}

std::string sdlError(const char* what)
{
    std::string text = what;
    const char* reason = SDL_GetError();
    if (reason && *reason)
        text += std::string(": ") + reason;
    return text;
}

} // namespace quorvel::services
