#include "audio/sdl_sound_device.h"

#include <SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvel::services {

namespace {

// A word recording or a prompt lasts seconds; a file far longer than any of them is cut here
// rather than read whole into memory.
constexpr sf_count_t kMaxSeconds = 120;
// And whatever its rate, it stays well inside what SDL's converter takes in one call.
constexpr sf_count_t kMaxSamples = 32 * 1024 * 1024;
// How long waitUntilFinished() allows beyond the file's own length before it gives the device up.
constexpr std::uint64_t kDrainGraceMs = 2000;
constexpr std::uint32_t kPollMs = 5;

} // namespace

SdlSoundDevice::SdlSoundDevice() = default;

SdlSoundDevice::~SdlSoundDevice()
{
    closeOutput();
}

std::vector<std::string> SdlSoundDevice::outputDevices()
{
    return m_audio.deviceNames(false);
}

std::vector<std::string> SdlSoundDevice::inputDevices()
{
    return m_audio.deviceNames(true);
}

bool SdlSoundDevice::openOutput(std::string& error)
{
    if (m_device != 0)
        return true;
    // Ask for CD-quality stereo in floats and take whatever the device prefers; every file is
    // converted to it, so one open device serves prompts and recordings of any format.
    SDL_AudioSpec want {};
    want.freq = 44100;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    SDL_AudioSpec have {};
    const SDL_AudioDeviceID id
        = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (id == 0) {
        error = sdlError("Cannot open the sound output device");
        return false;
    }
    m_device = id;
    m_rate = have.freq;
    m_channels = have.channels;
    m_sampleFormat = have.format;
    return true;
}

void SdlSoundDevice::closeOutput()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

std::optional<SdlSoundDevice::OutputFormat> SdlSoundDevice::outputFormat() const
{
    if (m_device == 0)
        return std::nullopt;
    OutputFormat format;
    format.rate = m_rate;
    format.channels = m_channels;
    format.bytesPerSample = SDL_AUDIO_BITSIZE(m_sampleFormat) / 8;
    format.floatSamples = SDL_AUDIO_ISFLOAT(m_sampleFormat) != 0;
    return format;
}

PlayStart SdlSoundDevice::play(const std::string& path, std::string& error)
{
    stop();
    m_playError.clear();
    m_queuedMs = 0;

    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec))
        return PlayStart::NotFound;

    if (m_device == 0 && outputDevices().empty()) {
        error = "No sound output device";
        if (!m_audio.error().empty())
            error += ": " + m_audio.error();
        return PlayStart::Failed;
    }

    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "Cannot read the sound file " + path + ": " + sf_strerror(nullptr);
        return PlayStart::Failed;
    }
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1) {
        sf_close(file);
        error = "Cannot play the sound file " + path + ": unsupported number of channels or rate";
        return PlayStart::Failed;
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    const sf_count_t maxFrames
        = std::min<sf_count_t>(kMaxSeconds * info.samplerate, kMaxSamples / info.channels);
    std::vector<float> samples;
    std::vector<float> chunk(4096 * channels);
    sf_count_t frames = 0;
    while (frames < maxFrames) {
        const sf_count_t got = sf_readf_float(file, chunk.data(), 4096);
        if (got <= 0)
            break;
        samples.insert(samples.end(), chunk.begin(),
            chunk.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(got) * channels));
        frames += got;
    }
    const int readError = sf_error(file);
    const std::string readErrorText = readError ? sf_strerror(file) : "";
    sf_close(file);
    if (readError && frames == 0) {
        error = "Cannot read the sound file " + path + ": " + readErrorText;
        return PlayStart::Failed;
    }
    if (frames == 0)
        return PlayStart::Started; // an empty recording has played as soon as it started
    return queue(std::move(samples), static_cast<std::uint64_t>(frames), info.channels,
        info.samplerate, error);
}

PlayStart SdlSoundDevice::playSamples(
    const std::int16_t* samples, std::size_t count, int rate, std::string& error)
{
    stop();
    m_playError.clear();
    m_queuedMs = 0;
    if (rate < 1) {
        error = "Cannot play the spoken word: no sample rate";
        return PlayStart::Failed;
    }
    count = std::min<std::size_t>(count, static_cast<std::size_t>(kMaxSeconds * rate));
    if (count == 0)
        return PlayStart::Started;
    if (m_device == 0 && outputDevices().empty()) {
        error = "No sound output device";
        if (!m_audio.error().empty())
            error += ": " + m_audio.error();
        return PlayStart::Failed;
    }
    std::vector<float> converted(count);
    for (std::size_t i = 0; i < count; ++i)
        converted[i] = static_cast<float>(samples[i]) / 32768.0f;
    return queue(std::move(converted), count, 1, rate, error);
}

PlayStart SdlSoundDevice::queue(std::vector<float> samples, std::uint64_t frames, int channelCount,
    int rate, std::string& error)
{
    const auto channels = static_cast<std::size_t>(channelCount);
    if (!openOutput(error))
        return PlayStart::Failed;

    SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(channelCount),
        rate, m_sampleFormat, static_cast<Uint8>(m_channels), m_rate);
    if (!stream) {
        error = sdlError("Cannot convert the sound file for the output device");
        return PlayStart::Failed;
    }
    // SDL's resampler holds back the last few milliseconds when flushed, which would clip the
    // end of every word: a tenth of a second of silence pushes them out, and the output is cut
    // back to the sound's own length.
    samples.resize(samples.size() + static_cast<std::size_t>(rate / 10 + 64) * channels, 0.0f);
    const auto outputFrames = static_cast<std::size_t>(
        (frames * static_cast<std::uint64_t>(m_rate) + static_cast<std::uint64_t>(rate) - 1)
        / static_cast<std::uint64_t>(rate));
    const std::size_t outputBytes = outputFrames * static_cast<std::size_t>(m_channels)
        * static_cast<std::size_t>(SDL_AUDIO_BITSIZE(m_sampleFormat) / 8);
    std::vector<std::uint8_t> converted;
    const bool convertedOk = SDL_AudioStreamPut(stream, samples.data(),
                                 static_cast<int>(samples.size() * sizeof(float)))
            == 0
        && SDL_AudioStreamFlush(stream) == 0;
    if (convertedOk) {
        converted.resize(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream)));
        const int got
            = SDL_AudioStreamGet(stream, converted.data(), static_cast<int>(converted.size()));
        converted.resize(std::min(got > 0 ? static_cast<std::size_t>(got) : 0, outputBytes));
    }
    SDL_FreeAudioStream(stream);
    if (!convertedOk) {
        error = sdlError("Cannot convert the sound file for the output device");
        return PlayStart::Failed;
    }

    if (SDL_QueueAudio(m_device, converted.data(), static_cast<Uint32>(converted.size())) != 0) {
        error = sdlError("Cannot play on the sound output device");
        return PlayStart::Failed;
    }
    m_queuedMs = frames * 1000u / static_cast<std::uint64_t>(rate);
    SDL_PauseAudioDevice(m_device, 0);
    return PlayStart::Started;
}

bool SdlSoundDevice::finished()
{
    if (m_device == 0)
        return true;
    if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
        // Unplugged or taken away by the sound server: report it and open afresh next time.
        m_playError = sdlError("The sound output device stopped");
        closeOutput();
        return true;
    }
    return SDL_GetQueuedAudioSize(m_device) == 0;
}

void SdlSoundDevice::waitUntilFinished()
{
    const std::uint64_t deadline = SDL_GetTicks64() + m_queuedMs + kDrainGraceMs;
    while (!finished()) {
        if (SDL_GetTicks64() > deadline) {
            m_playError = "The sound output device stopped playing";
            stop();
            return;
        }
        SDL_Delay(kPollMs);
    }
}

void SdlSoundDevice::stop()
{
    if (m_device == 0)
        return;
    SDL_ClearQueuedAudio(m_device);
    SDL_PauseAudioDevice(m_device, 1);
}

std::string SdlSoundDevice::takePlayError()
{
    std::string error;
    error.swap(m_playError);
    return error;
}

} // namespace quorvel::services
