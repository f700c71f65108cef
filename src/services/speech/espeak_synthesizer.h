#pragma once

// Speech over libespeak-ng: voice "en-gb" for British lists and "en-us" for American ones, the
// samples collected in memory (espeak-ng's synchronous mode, no audio of its own). espeak-ng
// keeps one global state and is not thread-safe: the program has one synthesizer, used from one
// thread. It is set up at the first call of available() and stays set up until the synthesizer
// is destroyed.

#include "sound/speech.h"

#include <string>

namespace quorvel::services {

class EspeakSynthesizer final : public SpeechSynthesizer
{
public:
    // `dataFolder`: where espeak-ng's data lies (a folder holding espeak-ng-data, or that folder
    // itself); empty for the system's own.
    explicit EspeakSynthesizer(std::string dataFolder = {});
    ~EspeakSynthesizer() override;
    EspeakSynthesizer(const EspeakSynthesizer&) = delete;
    EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

    bool available() override;
    std::string unavailableReason() override;
    bool synthesize(const std::string& word, Language language, SpeechSamples& out,
        std::string& error) override;

private:
    bool initialise();

    std::string m_dataFolder;
    bool m_tried = false;
    bool m_ready = false;
    int m_rate = 0;
    int m_voice = 0; // the Language whose voice is set, 0 for none
    std::string m_reason;
};

// The program's one synthesizer on the system's espeak-ng data.
EspeakSynthesizer& programSynthesizer();

} // namespace quorvel::services
