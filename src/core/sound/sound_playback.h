#pragma once

// The one playback routine of the drill window, the browser and the terminal drill: it starts a
// wave file on the sound device, tells a missing file (silent) apart from a broken file or device
// (reported once, then the window's sound is switched off), and checks at window set-up whether
// an output device answered at all.

#include "platform/services.h"
#include "sound/sound_device.h"

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
    SoundDevice* m_device;
    Prompter& m_prompter;
    bool m_usable;
    bool m_switchedOff = false;
    bool m_playing = false;
};

} // namespace quorvel
