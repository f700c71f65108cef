#pragma once

// Texts of the voice prompts and the wave-file playback shared by the drill and the browser.

#include <QtGlobal>

namespace quorvel::strings {

// No usable output device at window set-up (information icon).
inline constexpr const char* kNoSoundCaption = QT_TRANSLATE_NOOP("Quorvel", "Error.  No Sound!");
inline constexpr const char* kNoSoundCard = QT_TRANSLATE_NOOP(
    "Quorvel", "Sorry, I cannot recognize your sound card, I must disable the sound.");

// Captions over the error text of the sound layer when a file cannot be opened or played.
inline constexpr const char* kErrorOpeningWaveform
    = QT_TRANSLATE_NOOP("Quorvel", "Error  opening sound waveform");
inline constexpr const char* kErrorPlayingWaveform
    = QT_TRANSLATE_NOOP("Quorvel", "Error playing sound waveform");

// Speech for words without a recording.
inline constexpr const char* kNoSpeechCaption = QT_TRANSLATE_NOOP("Quorvel", "Speech");
inline constexpr const char* kNoSpeech = QT_TRANSLATE_NOOP("Quorvel",
    "Words without a recording cannot be spoken on this computer; only recorded words will be "
    "heard.");

} // namespace quorvel::strings
