#include "audio/sdl_sound_recorder.h"

#include "platform/replace_file.h"

#include <SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace quorvel::services {

namespace {

// Samples per callback: about a twentieth of a second at the common rates, so stopping loses
// little and the audio thread is not woken needlessly often.
constexpr Uint16 kCallbackFrames = 1024;

bool supported(const RecordingFormat& format)
{
    return (format.bitsPerSample == 8 || format.bitsPerSample == 16)
        && (format.channels == 1 || format.channels == 2) && format.sampleRate >= 1000
        && format.sampleRate <= 192000;
}

// A growing file in memory for libsndfile, which seeks back to finish the wave header.
struct MemoryFile
{
    std::vector<std::uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* data)
{
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(data)->bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = static_cast<sf_count_t>(file->bytes.size());
    const sf_count_t target = base + offset;
    if (target < 0)
        return -1;
    file->position = target;
    return target;
}

sf_count_t memoryRead(void* out, sf_count_t count, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    const sf_count_t available = std::max<sf_count_t>(0, size - file->position);
    const sf_count_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(out, file->bytes.data() + file->position, static_cast<std::size_t>(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void* in, sf_count_t count, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const auto end = static_cast<std::size_t>(file->position + count);
    if (end > file->bytes.size())
        file->bytes.resize(end);
    std::memcpy(file->bytes.data() + file->position, in, static_cast<std::size_t>(count));
    file->position += count;
    return count;
}

sf_count_t memoryTell(void* data)
{
    return static_cast<MemoryFile*>(data)->position;
}

// The wave file's bytes for the gathered samples (AUDIO_U8 or AUDIO_S16SYS, interleaved, whole
// frames).
bool encodeWave(const RecordingFormat& format, const std::uint8_t* samples, std::size_t size,
    MemoryFile& out, std::string& error)
{
    SF_INFO info {};
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    info.format = SF_FORMAT_WAV | (format.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16);
    SF_VIRTUAL_IO io { memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell };
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &out);
    if (!file) {
        error = std::string("Cannot make the wave file: ") + sf_strerror(nullptr);
        return false;
    }
    out.bytes.reserve(size + 64);
    // libsndfile takes 16-bit samples and stores them in the file's own size and byte order; an
    // 8-bit sample widened to 16 bits comes back unchanged.
    const std::size_t bytesPerSample = static_cast<std::size_t>(format.bitsPerSample / 8);
    const std::size_t count = size / bytesPerSample;
    std::vector<short> chunk(std::min<std::size_t>(count, 65536));
    bool ok = true;
    for (std::size_t done = 0; ok && done < count; done += chunk.size()) {
        const std::size_t n = std::min(chunk.size(), count - done);
        if (bytesPerSample == 1) {
            for (std::size_t i = 0; i < n; ++i)
                chunk[i] = static_cast<short>((static_cast<int>(samples[done + i]) - 128) * 256);
        } else {
            std::memcpy(chunk.data(), samples + done * 2, n * 2);
        }
        ok = sf_write_short(file, chunk.data(), static_cast<sf_count_t>(n))
            == static_cast<sf_count_t>(n);
    }
    if (!ok)
        error = std::string("Cannot make the wave file: ") + sf_strerror(file);
    if (sf_close(file) != 0 && ok) {
        error = "Cannot make the wave file";
        return false;
    }
    return ok;
}

} // namespace

SdlSoundRecorder::SdlSoundRecorder(std::chrono::milliseconds longest)
    : m_longest(longest)
{ }

SdlSoundRecorder::~SdlSoundRecorder()
{
    closeInput();
}

std::vector<std::string> SdlSoundRecorder::inputDevices()
{
    return m_audio.deviceNames(true);
}

RecordStart SdlSoundRecorder::start(const RecordingFormat& format, std::string& error)
{
    cancel();
    if (!supported(format)) {
        error = "Cannot record in " + std::to_string(format.sampleRate) + " Hz, "
            + std::to_string(format.bitsPerSample) + " bits, " + std::to_string(format.channels)
            + " channels";
        return RecordStart::Failed;
    }
    if (inputDevices().empty()) {
        error = "No sound input device";
        if (!m_audio.error().empty())
            error += ": " + m_audio.error();
        return RecordStart::NoInputDevice;
    }

    const auto frames = static_cast<std::uint64_t>(m_longest.count())
        * static_cast<std::uint64_t>(format.sampleRate) / 1000u;
    {
        const std::lock_guard lock(m_lock);
        m_samples.clear();
        m_samples.shrink_to_fit();
        m_full = false;
        m_limitBytes = static_cast<std::size_t>(
            std::max<std::uint64_t>(frames, 1) * static_cast<std::uint64_t>(format.blockAlign()));
    }

    SDL_AudioSpec want {};
    want.freq = format.sampleRate;
    want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(format.channels);
    want.samples = kCallbackFrames;
    want.callback = &SdlSoundRecorder::gather;
    want.userdata = this;
    // No changes allowed: SDL converts what the device delivers into the format asked for.
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 1, &want, nullptr, 0);
    if (id == 0) {
        error = sdlError("Cannot open the sound input device");
        return RecordStart::Failed;
    }
    m_device = id;
    m_format = format;
    m_haveFormat = true;
    SDL_PauseAudioDevice(m_device, 0);
    return RecordStart::Started;
}

void SdlSoundRecorder::gather(void* self, std::uint8_t* stream, int length)
{
    auto* recorder = static_cast<SdlSoundRecorder*>(self);
    if (length <= 0)
        return;
    const std::lock_guard lock(recorder->m_lock);
    if (recorder->m_full)
        return;
    const std::size_t room = recorder->m_limitBytes - recorder->m_samples.size();
    const std::size_t take = std::min(room, static_cast<std::size_t>(length));
    recorder->m_samples.insert(recorder->m_samples.end(), stream, stream + take);
    if (recorder->m_samples.size() >= recorder->m_limitBytes)
        recorder->m_full = true;
}

bool SdlSoundRecorder::isRecording()
{
    if (m_device == 0)
        return false;
    bool full = false;
    {
        const std::lock_guard lock(m_lock);
        full = m_full;
    }
    // Full, or the device went away (unplugged, taken by the sound server): the recording has
    // ended by itself and what was gathered waits to be saved.
    if (full || SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
        closeInput();
        return false;
    }
    return true;
}

bool SdlSoundRecorder::stopAndSave(const std::string& path, std::string& error)
{
    // The audio thread ends with the device: the samples are this thread's alone from here on.
    closeInput();
    const auto frameBytes = static_cast<std::size_t>(m_format.blockAlign());
    const std::size_t usable = m_haveFormat ? m_samples.size() - m_samples.size() % frameBytes : 0;
    if (usable == 0) {
        error = "Nothing was recorded";
        return false;
    }
    MemoryFile wave;
    if (!encodeWave(m_format, m_samples.data(), usable, wave, error))
        return false;
    const ReplaceResult saved = replaceFile(path, wave.bytes.data(), wave.bytes.size());
    if (!saved.ok()) {
        error = "Cannot save the recording as " + path;
        if (saved.systemError != 0)
            error += std::string(": ") + std::strerror(saved.systemError);
        return false;
    }
    cancel();
    return true;
}

void SdlSoundRecorder::cancel()
{
    closeInput();
    const std::lock_guard lock(m_lock);
    m_samples.clear();
    m_samples.shrink_to_fit();
    m_full = false;
    m_haveFormat = false;
}

std::uint64_t SdlSoundRecorder::gatheredFrames() const
{
    const std::lock_guard lock(m_lock);
    return m_haveFormat ? m_samples.size() / static_cast<std::size_t>(m_format.blockAlign()) : 0;
}

bool SdlSoundRecorder::reachedLongest() const
{
    const std::lock_guard lock(m_lock);
    return m_full;
}

void SdlSoundRecorder::closeInput()
{
    if (m_device == 0)
        return;
    // Closing waits for the audio thread to end, so it must not hold the lock the callback takes.
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

} // namespace quorvel::services
