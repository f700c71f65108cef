#pragma once

// The recording quality: the "Recording data" group of the settings file as the format a
// recording is made in, and the decisions of the recording settings dialog. The dialog edits a
// RecordingData and the file changes only when it ends with OK on values other than those in
// effect.

#include "config/settings_groups.h"
#include "sound/sound_recorder.h"

namespace quorvel {

class SettingsFile;

// The format a recording with these settings is made in. A value the settings cannot hold is
// taken as its default, so the format is always one the recorder accepts.
RecordingFormat recordingFormat(const RecordingData& data);

// The settings in effect: those stored, or the defaults when the group is not stored (a key
// missing or holding another word). Nothing is written.
RecordingData recordingDataInEffect(const SettingsFile& file);

// OK in the dialog: stores the chosen values when they differ from those in effect, writing only
// the keys whose stored word differs. Unchanged values leave the file byte for byte, even when
// the group is not stored (its defaults are in effect all the same). False when the file could
// not be written.
bool applyRecordingData(SettingsFile& file, const RecordingData& chosen);

} // namespace quorvel
