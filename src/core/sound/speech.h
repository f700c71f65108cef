#pragma once

// Speech synthesis for words that have no recording of their own. A synthesizer turns a word into
// mono 16-bit samples in memory, in the dialect of the list (British or American English); the
// sound device plays them as it plays a file. A synthesizer may be missing its voice data: it then
// says why, once asked, and every word falls back to its recording or to nothing.

#include "config/user_settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

struct SpeechSamples
{
    std::vector<std::int16_t> samples; // mono
    int rate = 0; // samples a second
};

class SpeechSynthesizer
{
public:
    virtual ~SpeechSynthesizer() = default;
    // True when words can be spoken. The first call sets the synthesizer up, which takes a
    // moment: a window calls it at its set-up so that its first word is not slowed.
    virtual bool available() = 0;
    // Why available() is false, for the person; empty while it is true.
    virtual std::string unavailableReason() = 0;
    // Speaks `word` into `out`. False, with `error` set, when it could not be spoken.
    virtual bool synthesize(
        const std::string& word, Language language, SpeechSamples& out, std::string& error)
        = 0;
};

} // namespace quorvel
