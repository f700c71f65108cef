#include "speech/espeak_synthesizer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstring>

namespace quorvel::services {

namespace {

// Slower than espeak-ng's everyday 175 words a minute: a child is to hear each sound.
constexpr int kWordsPerMinute = 150;
// A word is a few letters; what is longer is cut rather than spoken for minutes.
constexpr std::size_t kMaxTextBytes = 200;
constexpr std::size_t kMaxSeconds = 20;

// espeak-ng hands the samples over in pieces through a plain function; the word being spoken
// says where they go.
struct Collector
{
    std::vector<std::int16_t>* samples;
    std::size_t limit;
};

int collect(short* wav, int count, espeak_EVENT* events)
{
    if (!wav || count <= 0 || !events)
        return 0;
    auto* into = static_cast<Collector*>(events[0].user_data);
    if (!into)
        return 0;
    const std::size_t room = into->limit - std::min(into->limit, into->samples->size());
    const auto taken = std::min(static_cast<std::size_t>(count), room);
    into->samples->insert(into->samples->end(), wav, wav + taken);
    return taken < static_cast<std::size_t>(count) ? 1 : 0; // 1 stops the synthesis
}

// The voice files by name: "en" is espeak-ng's British English (language en-gb), "en-us" its
// American English.
const char* voiceName(Language language)
{
    return language == Language::US ? "en-us" : "en";
}

const char* dialectName(Language language)
{
    return language == Language::US ? "en-us" : "en-gb";
}

} // namespace

EspeakSynthesizer::EspeakSynthesizer(std::string dataFolder)
    : m_dataFolder(std::move(dataFolder))
{ }

EspeakSynthesizer::~EspeakSynthesizer()
{
    if (m_ready)
        espeak_Terminate();
}

bool EspeakSynthesizer::initialise()
{
    if (m_tried)
        return m_ready;
    m_tried = true;
    // Without DONT_EXIT espeak-ng ends the whole program when its data is missing.
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0,
        m_dataFolder.empty() ? nullptr : m_dataFolder.c_str(), espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        m_reason = "The espeak-ng voice data could not be loaded"
            + (m_dataFolder.empty() ? std::string() : " from " + m_dataFolder) + ".";
        return false;
    }
    m_rate = rate;
    espeak_SetSynthCallback(collect);
    espeak_SetParameter(espeakRATE, kWordsPerMinute, 0);
    // Both voices must be there; a British list must not be read in an American voice.
    for (const Language language : { Language::US, Language::UK }) {
        if (espeak_SetVoiceByName(voiceName(language)) != EE_OK) {
            m_reason = std::string("The espeak-ng voice \"") + dialectName(language)
                + "\" is not installed.";
            espeak_Terminate();
            return false;
        }
        m_voice = static_cast<int>(language);
    }
    m_ready = true;
    return true;
}

bool EspeakSynthesizer::available()
{
    return initialise();
}

std::string EspeakSynthesizer::unavailableReason()
{
    initialise();
    return m_ready ? std::string() : m_reason;
}

bool EspeakSynthesizer::synthesize(
    const std::string& word, Language language, SpeechSamples& out, std::string& error)
{
    out.samples.clear();
    out.rate = 0;
    if (!initialise()) {
        error = m_reason;
        return false;
    }
    if (m_voice != static_cast<int>(language)) {
        if (espeak_SetVoiceByName(voiceName(language)) != EE_OK) {
            error = std::string("The espeak-ng voice \"") + dialectName(language)
                + "\" cannot be used.";
            m_voice = 0;
            return false;
        }
        m_voice = static_cast<int>(language);
    }
    // The words are Latin-1; espeak-ng is given each byte as its own character.
    std::string text;
    for (const char c : word.substr(0, kMaxTextBytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (u >> 6)));
            text.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    Collector collector { &out.samples, kMaxSeconds * static_cast<std::size_t>(m_rate) };
    const espeak_ERROR result = espeak_Synth(
        text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &collector);
    if (result != EE_OK) {
        error = "espeak-ng could not speak \"" + word + "\".";
        out.samples.clear();
        return false;
    }
    out.rate = m_rate;
    return true;
}

EspeakSynthesizer& programSynthesizer()
{
    static EspeakSynthesizer synthesizer;
    return synthesizer;
}

} // namespace quorvel::services
