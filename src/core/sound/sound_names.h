#pragma once

// Which wave file is played when: the voice prompts in a UK and a US set, the letter sounds of
// the Ripple animation, and the recording of a dictionary word (its first four letters and its
// sound index, in a subfolder per first letter of the waveform folder).

#include <optional>
#include <string>

namespace quorvel {

inline constexpr int kVoicePromptCount = 14;
namespace prompt {
inline constexpr int kPlease = 0; // before each word
inline constexpr int kFailedFirst = 1; // 1..4 after a wrong answer
inline constexpr int kSuccessFirst = 5; // 5..8 after a right one
inline constexpr int kEnterAnswer = 9;
inline constexpr int kOutOfTime = 10;
inline constexpr int kFollowing = 11; // instead of a word without a recording
inline constexpr int kPromoted = 12;
inline constexpr int kDemoted = 13;
} // namespace prompt

// The file name of voice prompt `index` (0..13) in the UK or the US set; empty outside 0..13.
std::string voicePromptFile(int index, bool uk);
// programFolder/progdata/<file>.
std::string voicePromptPath(const std::string& programFolder, int index, bool uk);

// "square" + the letter in small type + ".wav"; Z in a US drill is "squarezz.wav". Empty for a
// character that is not a letter A-Z.
std::string letterSoundFile(char letter, bool us);
std::string letterSoundPath(const std::string& programFolder, char letter, bool us);

// The first four letters of the word in capitals, or three letters and "X" for a word of
// exactly three; nothing when the word is shorter or the prefix is not a valid dictionary word.
std::optional<std::string> waveformPrefix(const std::string& word);
// Prefix + the index as four digits + ".wav" (CATX0042.wav); nothing for an index outside
// 1..9999 or a prefix that is not four characters.
std::optional<std::string> waveformFileName(const std::string& prefix, int soundIndex);
// The word's first letter (capital) + "wavefrm" ("Cwavefrm"); nothing when it does not start
// with a letter.
std::optional<std::string> waveformSubfolder(const std::string& word);
// root + subfolder + "/" + file name; nothing when a part cannot be made or the root has fewer
// than two characters. `root` ends with its separator (the record's waveform path does).
std::optional<std::string> wordRecordingPath(
    const std::string& root, const std::string& word, int soundIndex);

} // namespace quorvel
