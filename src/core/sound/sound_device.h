#pragma once

// The audio output the drill and the browser play wave files through. Playing is asynchronous:
// `play` starts a file and returns at once; the caller waits for `finished()` (a window polls it
// on its timer, a terminal program calls `waitUntilFinished()`). A file that does not exist is
// told apart from every other error, because a missing recording is normal and silent while a
// broken one is reported to the person once.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

enum class PlayStart
{
    Started, // playing; finished() turns true at its end
    NotFound, // no such file: nothing played, nothing to report
    Failed, // the file or the device failed: `error` says why
};

class SoundDevice
{
public:
    virtual ~SoundDevice() = default;
    // Names of the output and input devices that answered; empty when there are none.
    virtual std::vector<std::string> outputDevices() = 0;
    virtual std::vector<std::string> inputDevices() = 0;
    // Starts playing a wave file (stopping anything still playing). On Failed, `error` holds the
    // text to show.
    virtual PlayStart play(const std::string& path, std::string& error) = 0;
    // Starts playing mono 16-bit samples held in memory (a spoken word), as `play` starts a file:
    // the samples are copied, so the caller may free them at once. Never NotFound.
    virtual PlayStart playSamples(
        const std::int16_t* samples, std::size_t count, int rate, std::string& error)
        = 0;
    // True once the last file started has played to its end (or was stopped); true when nothing
    // was started.
    virtual bool finished() = 0;
    // Blocks until finished().
    virtual void waitUntilFinished() = 0;
    // Stops at once.
    virtual void stop() = 0;
    // An error met while playing (after a successful start), once; empty when none.
    virtual std::string takePlayError() = 0;
};

} // namespace quorvel
