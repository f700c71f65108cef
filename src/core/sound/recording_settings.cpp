#include "sound/recording_settings.h"

namespace quorvel {

RecordingFormat recordingFormat(const RecordingData& data)
{
    const RecordingData defaults;
    RecordingFormat format;
    format.sampleRate
        = data.sampleRate == 11025 || data.sampleRate == 22050 || data.sampleRate == 44100
        ? data.sampleRate
        : defaults.sampleRate;
    format.bitsPerSample
        = data.sampleSize == 8 || data.sampleSize == 16 ? data.sampleSize : defaults.sampleSize;
    format.channels = data.channels == 1 || data.channels == 2 ? data.channels : defaults.channels;
    return format;
}

RecordingData recordingDataInEffect(const SettingsFile& file)
{
    return readRecordingData(file).value_or(RecordingData {});
}

bool applyRecordingData(SettingsFile& file, const RecordingData& chosen)
{
    if (chosen == recordingDataInEffect(file))
        return true;
    return writeRecordingData(file, chosen);
}

} // namespace quorvel
