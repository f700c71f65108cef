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

bool SoundPlayback::checkSpeech(bool wanted)
{
    if (!m_speech)
        return false;
    if (m_speech->available())
        return true;
    if (wanted && m_usable)
        m_prompter.show(std::string(strings::kNoSpeech) + "\n\n" + m_speech->unavailableReason(),
            strings::kNoSpeechCaption, MessageIcon::Information);
    return false;
}

PlayStart SoundPlayback::startSpeech(const std::string& word, Language language)
{
    if (!m_usable || m_switchedOff)
        return PlayStart::Started;
    if (!m_speech || !m_speech->available())
        return PlayStart::NotFound;
    SpeechSamples speech;
    std::string error;
    if (!m_speech->synthesize(word, language, speech, error)) {
        // A word the synthesizer cannot say is told once; the drill goes on without it.
        if (!m_speechErrorShown)
            m_prompter.show(error, strings::kNoSpeechCaption, MessageIcon::Exclamation);
        m_speechErrorShown = true;
        return PlayStart::NotFound;
    }
    return finishStart(
        m_device->playSamples(speech.samples.data(), speech.samples.size(), speech.rate, error),
        error);
}

PlayStart SoundPlayback::start(const std::string& path)
{
    if (!m_usable || m_switchedOff)
        return PlayStart::Started;
    std::string error;
    return finishStart(m_device->play(path, error), error);
}

PlayStart SoundPlayback::finishStart(PlayStart result, const std::string& error)
{
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
