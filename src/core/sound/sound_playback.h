#pragma once

// The one playback routine of the drill window, the browser and the terminal drill: it starts a
// wave file on the sound device, tells a missing file (silent) apart from a broken file or device
// (reported once, then the window's sound is switched off), and checks at window set-up whether
// an output device answered at all.

#include "platform/services.h"
#include "sound/sound_device.h"
#include "sound/speech.h"

#include <string>

namespace quorvel {

class SoundPlayback
{
public:
    // `device` may be null: the program then has no sound at all.
    SoundPlayback(SoundDevice* device, Prompter& prompter);

    // At window set-up: true when an output device answered. When none did and the user's sound
    // switch is on, says so; playback stays silent from then on.
    bool checkSoundDevice(bool userSoundOn);
    bool usable() const { return m_usable; }

    // The synthesizer that speaks words without a recording; may be null (no speech).
    void setSpeech(SpeechSynthesizer* speech) { m_speech = speech; }
    // At window set-up, after checkSoundDevice: sets the synthesizer up and answers whether words
    // can be spoken. When the user wants speech (`wanted`) and sound is usable but the
    // synthesizer cannot speak, says why.
    bool checkSpeech(bool wanted);
    // Speaks `word` as start() plays a file, with the same answers: NotFound when there is no
    // speech (nothing said), Failed when the device failed (shown, sound switched off).
    PlayStart startSpeech(const std::string& word, Language language);

    // Starts `path`. NotFound: the file does not exist, nothing is said, the caller plays its
    // stand-in or goes on. Failed: the error has been shown and sound is switched off. Started:
    // the caller goes on as if played once finished() is true; this is also the answer when
    // sound is unusable or switched off, in which case nothing plays and finished() is true.
    PlayStart start(const std::string& path);
    // True once the file has played to its end. An error met while playing is shown here, once,
    // and switches sound off; the file then counts as finished.
    bool finished();
    // Blocks until finished() (the terminal drill's way of playing a file to its end).
    void waitUntilFinished();
    // Stops at once (the window closes or the person stopped the drill).
    void stop();

    // Sound was switched off by an error; the window shows its Sound button as off.
    bool switchedOff() const { return m_switchedOff; }
    // The window's Sound button was clicked on again: try the device anew (only when usable).
    void switchOn() { m_switchedOff = false; }

private:
    PlayStart finishStart(PlayStart result, const std::string& error);

    SoundDevice* m_device;
    SpeechSynthesizer* m_speech = nullptr;
    Prompter& m_prompter;
    bool m_usable;
    bool m_switchedOff = false;
    bool m_playing = false;
    bool m_speechErrorShown = false;
};

} // namespace quorvel
