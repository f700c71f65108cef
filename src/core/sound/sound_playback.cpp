#include "sound/sound_playback.h"

#include "strings/sound_strings.h"

namespace quorvel {

SoundPlayback::SoundPlayback(SoundDevice* device, Prompter& prompter)
    : m_device(device)
    , m_prompter(prompter)
    , m_usable(device != nullptr)
{ }

bool SoundPlayback::checkSoundDevice(bool userSoundOn)
{
    m_usable = m_device != nullptr && !m_device->outputDevices().empty();
    if (!m_usable && userSoundOn)
        m_prompter.show(strings::kNoSoundCard, strings::kNoSoundCaption, MessageIcon::Information);
    return m_usable;
}

PlayStart SoundPlayback::start(const std::string& path)
{
    if (!m_usable || m_switchedOff)
        return PlayStart::Started;
    std::string error;
    const PlayStart result = m_device->play(path, error);
    switch (result) {
    case PlayStart::Started:
        m_playing = true;
        break;
    case PlayStart::NotFound:
        m_playing = false;
        break;
    case PlayStart::Failed:
        m_playing = false;
        m_prompter.show(error, strings::kErrorOpeningWaveform, MessageIcon::Exclamation);
        m_switchedOff = true;
        break;
    }
    return result;
}

bool SoundPlayback::finished()
{
    if (!m_playing)
        return true;
    const bool done = m_device->finished();
    const std::string error = m_device->takePlayError();
    if (!error.empty()) {
        m_playing = false;
        m_device->stop();
        m_prompter.show(error, strings::kErrorPlayingWaveform, MessageIcon::Exclamation);
        m_switchedOff = true;
        return true;
    }
    if (done)
        m_playing = false;
    return done;
}

void SoundPlayback::waitUntilFinished()
{
    if (!m_playing)
        return;
    m_device->waitUntilFinished();
    // The device has drained or given up; finished() reports an error it met on the way.
    finished();
    m_playing = false;
}

void SoundPlayback::stop()
{
    if (m_device && m_playing)
        m_device->stop();
    m_playing = false;
}

} // namespace quorvel
