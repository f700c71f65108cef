#pragma once

// The rules of the two system dialogs: the promotion and demotion thresholds of System Setup,
// and the waveform and backup paths of the Sound and Backup settings. Paths are compared without
// regard to case (a CD-ROM may spell its folders in capitals) but kept as the person typed them.

#include <cstddef>
#include <optional>
#include <string>

namespace quorvel {

class Session;
class StartupInfo;
struct SystemSetupChoices;

// True when P and D both read as numbers in 1..100 and P is above D.
bool thresholdsValid(const std::string& promotion, const std::string& demotion);

// What "Done" does to the two threshold boxes: valid texts stay, anything else puts both of the
// stored thresholds back.
void checkThresholds(std::string& promotion, std::string& demotion, const StartupInfo& stored);

// The System Setup dialog's values as the command hands them over: the choices of the run with
// the stored thresholds in their texts and the current user's history button checked.
SystemSetupChoices systemSetupOpening(const Session& session);
// After Done: the choices are kept for the run and the thresholds go into the record (saved with
// it later, not now).
void systemSetupDone(Session& session, const SystemSetupChoices& confirmed);

// True when the path holds a "/waveform/" part, in any letter case; the path is then cut right
// after the first such part, keeping its letters as they were. A refused path is left alone.
bool CheckWaveformPath(std::string& path);

// Reads at most 260 characters of the box's text; a text of 2 to 257 characters that does not
// end in the separator gets one. Returns the length read.
std::size_t EndWithSeparator(std::string& text);

// The folder of a file chosen with a browse button, with its separator; nothing when the name
// holds no folder.
std::optional<std::string> folderOfChosenFile(const std::string& file);

// What "Reset to default directory" puts into the two boxes.
std::string defaultWaveformPath(const std::string& programFolder);
std::string defaultBackupPath(const std::string& programFolder);

// The longest path the record keeps whole.
inline constexpr std::size_t kStoredPathLength = 256;
// The boxes take this many characters, so that a separator can still be added and stored.
inline constexpr int kPathBoxLength = 255;

// "Done" of the Sound and Backup settings on the two box texts: the waveform path is stored when
// CheckWaveformPath accepts it (it is then cut and ends with the separator), the backup path when
// it is not empty; both texts come back as the boxes should show them.
struct PathSettingsResult
{
    bool waveformAccepted = false;
    std::string waveformText;
    std::string backupText;
};
PathSettingsResult applyPathSettings(
    StartupInfo& info, const std::string& waveformText, const std::string& backupText);

} // namespace quorvel
