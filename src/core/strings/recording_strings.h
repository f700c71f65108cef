#pragma once

// The recording settings dialog: its caption, groups and choices.

#include <QtGlobal>

namespace quorvel::strings {

inline constexpr const char* kRecordingSettingsTitle
    = QT_TRANSLATE_NOOP("Quorvel", "Set recording data");
inline constexpr const char* kSamplingRateGroup = QT_TRANSLATE_NOOP("Quorvel", "Sampling rate");
inline constexpr const char* kRate11025 = QT_TRANSLATE_NOOP("Quorvel", "11025Hz");
inline constexpr const char* kRate22050 = QT_TRANSLATE_NOOP("Quorvel", "22050Hz");
inline constexpr const char* kRate44100 = QT_TRANSLATE_NOOP("Quorvel", "44100Hz");
inline constexpr const char* kChannelsGroup = QT_TRANSLATE_NOOP("Quorvel", "Channels");
inline constexpr const char* kMono = QT_TRANSLATE_NOOP("Quorvel", "Mono");
inline constexpr const char* kStereo = QT_TRANSLATE_NOOP("Quorvel", "Stereo");
inline constexpr const char* kSamplingSizeGroup = QT_TRANSLATE_NOOP("Quorvel", "Sampling Size");
inline constexpr const char* kEightBits = QT_TRANSLATE_NOOP("Quorvel", "8 bits");
inline constexpr const char* kSixteenBits = QT_TRANSLATE_NOOP("Quorvel", "16 bits");
// OK could not write the settings file.
inline constexpr const char* kRecordingSettingsNotSaved = QT_TRANSLATE_NOOP(
    "Quorvel", "The recording settings could not be written to the settings file.");

} // namespace quorvel::strings
