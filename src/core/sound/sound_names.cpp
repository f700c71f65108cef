#include "sound/sound_names.h"

#include "dictionary/dictionary_file.h"
#include "platform/paths.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace quorvel {

namespace {

constexpr std::array<const char*, kVoicePromptCount> kUkPrompts = { "aplease.wav", "afailed1.wav",
    "afailed2.wav", "afailed3.wav", "afailed4.wav", "asuccess.wav", "bsuccess.wav", "csuccess.wav",
    "dsuccess.wav", "aenteran.wav", "autoftim.wav", "afollow.wav", "advlevel.wav", "dwnlevel.wav" };
constexpr std::array<const char*, kVoicePromptCount> kUsPrompts = { "uplease.wav", "ufailed1.wav",
    "ufailed2.wav", "ufailed3.wav", "ufailed4.wav", "usuccess.wav", "vsuccess.wav", "wsuccess.wav",
    "xsuccess.wav", "uenteran.wav", "uutoftim.wav", "ufollow.wav", "advlevel.wav", "dwnlevel.wav" };

} // namespace

std::string voicePromptFile(int index, bool uk)
{
    if (index < 0 || index >= kVoicePromptCount)
        return {};
    return uk ? kUkPrompts[static_cast<std::size_t>(index)]
              : kUsPrompts[static_cast<std::size_t>(index)];
}

std::string voicePromptPath(const std::string& programFolder, int index, bool uk)
{
    const std::string name = voicePromptFile(index, uk);
    return name.empty() ? std::string() : paths::progdataFile(programFolder, name);
}

std::string letterSoundFile(char letter, bool us)
{
    const char small = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (small < 'a' || small > 'z')
        return {};
    if (small == 'z' && us)
        return "squarezz.wav";
    return std::string("square") + small + ".wav";
}

std::string letterSoundPath(const std::string& programFolder, char letter, bool us)
{
    const std::string name = letterSoundFile(letter, us);
    return name.empty() ? std::string() : paths::progdataFile(programFolder, name);
}

std::optional<std::string> waveformPrefix(const std::string& word)
{
    std::string prefix = word.substr(0, 4);
    if (word.size() == 3)
        prefix += 'X';
    if (prefix.size() != 4)
        return std::nullopt;
    // Three letters and the added X must still make a valid dictionary text.
    if (!CheckWord(prefix))
        return std::nullopt;
    return prefix;
}

std::optional<std::string> waveformFileName(const std::string& prefix, int soundIndex)
{
    if (prefix.size() != 4 || soundIndex < 1 || soundIndex > 9999)
        return std::nullopt;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", soundIndex);
    return prefix + digits + ".wav";
}

std::optional<std::string> waveformSubfolder(const std::string& word)
{
    if (word.empty() || !std::isalpha(static_cast<unsigned char>(word[0])))
        return std::nullopt;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    return (std::string(1, first) + "wavefrm").substr(0, 8);
}

std::optional<std::string> wordRecordingPath(
    const std::string& root, const std::string& word, int soundIndex)
{
    if (root.size() < 2)
        return std::nullopt;
    const auto prefix = waveformPrefix(word);
    if (!prefix)
        return std::nullopt;
    const auto name = waveformFileName(*prefix, soundIndex);
    const auto folder = waveformSubfolder(word);
    if (!name || !folder)
        return std::nullopt;
    return paths::join(paths::join(root, *folder), *name);
}

} // namespace quorvel
