#pragma once

// The audio input a word's pronunciation is recorded from. Recording is asynchronous: `start`
// opens the input and returns at once; the samples are gathered in memory until `stopAndSave`
// writes them to a PCM wave file in the format recording was started with. A window polls
// `isRecording()` on its timer, since the input can end by itself (the device went away or the
// longest recording was reached); `stopAndSave` then still saves what was gathered.

#include <string>
#include <vector>

namespace quorvel {

struct RecordingFormat
{
    int sampleRate = 22050; // 11025, 22050 or 44100
    int bitsPerSample = 8; // 8 or 16
    int channels = 1; // 1 or 2
    int blockAlign() const { return channels * bitsPerSample / 8; }
    int bytesPerSecond() const { return blockAlign() * sampleRate; }
    bool operator==(const RecordingFormat&) const = default;
};

enum class RecordStart
{
    Started, // recording; isRecording() is true until it is stopped or the input ends
    NoInputDevice, // there is nothing to record from: nothing opened
    Failed, // the device could not be opened or set to the format: `error` says why
};

class SoundRecorder
{
public:
    virtual ~SoundRecorder() = default;
    // Names of the input devices that answered; empty when there are none.
    virtual std::vector<std::string> inputDevices() = 0;
    // Starts a new recording in `format`, dropping anything gathered before.
    virtual RecordStart start(const RecordingFormat& format, std::string& error) = 0;
    // True from a successful start until stopAndSave, cancel or the input ending by itself.
    virtual bool isRecording() = 0;
    // Stops the input and writes what was gathered to `path` as a wave file of the format given
    // to start. The file is written whole or not at all (a failed save leaves no file behind,
    // and an older file at `path` untouched); false with `error` set on failure or when nothing
    // was recorded.
    virtual bool stopAndSave(const std::string& path, std::string& error) = 0;
    // Stops the input and drops what was gathered.
    virtual void cancel() = 0;
};

} // namespace quorvel
