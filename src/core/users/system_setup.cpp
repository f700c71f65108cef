#include "users/system_setup.h"

#include "app/session.h"
#include "drill/drill_settings.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>

namespace quorvel {

namespace {

constexpr std::string_view kWaveformPart = "/waveform/";
constexpr std::size_t kBoxReadLength = 260;

char lowerAscii(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool inPercentRange(int value)
{
    return value >= 1 && value <= 100;
}

} // namespace

bool thresholdsValid(const std::string& promotion, const std::string& demotion)
{
    const int p = decimalValue(promotion);
    const int d = decimalValue(demotion);
    return inPercentRange(p) && inPercentRange(d) && p > d;
}

void checkThresholds(std::string& promotion, std::string& demotion, const StartupInfo& stored)
{
    if (thresholdsValid(promotion, demotion))
        return;
    promotion = stored.promotionThreshold();
    demotion = stored.demotionThreshold();
}

SystemSetupChoices systemSetupOpening(const Session& session)
{
    SystemSetupChoices choices = session.choices;
    choices.promotionText = session.info.promotionThreshold();
    choices.demotionText = session.info.demotionThreshold();
    choices.historyUser.fill(0);
    choices.historyUser[static_cast<std::size_t>(session.currentUser())] = 1;
    return choices;
}

void systemSetupDone(Session& session, const SystemSetupChoices& confirmed)
{
    session.choices = confirmed;
    session.info.setPromotionThreshold(confirmed.promotionText);
    session.info.setDemotionThreshold(confirmed.demotionText);
}

bool CheckWaveformPath(std::string& path)
{
    const auto found = std::search(path.begin(), path.end(), kWaveformPart.begin(),
        kWaveformPart.end(), [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    if (found == path.end())
        return false;
    path.erase(found + static_cast<std::ptrdiff_t>(kWaveformPart.size()), path.end());
    return true;
}

std::size_t EndWithSeparator(std::string& text)
{
    if (text.size() > kBoxReadLength)
        text.resize(kBoxReadLength);
    const std::size_t length = text.size();
    if (length >= 2 && length <= 257 && text.back() != paths::kSeparator)
        text.push_back(paths::kSeparator);
    return length;
}

std::optional<std::string> folderOfChosenFile(const std::string& file)
{
    const std::size_t cut = file.rfind(paths::kSeparator);
    if (cut == std::string::npos)
        return std::nullopt;
    return file.substr(0, cut + 1);
}

std::string defaultWaveformPath(const std::string& programFolder)
{
    return paths::waveformFolder(programFolder);
}

std::string defaultBackupPath(const std::string& programFolder)
{
    return paths::backupFolder(programFolder);
}

PathSettingsResult applyPathSettings(
    StartupInfo& info, const std::string& waveformText, const std::string& backupText)
{
    PathSettingsResult result;
    result.waveformText = waveformText;
    result.backupText = backupText;

    if (CheckWaveformPath(result.waveformText)) {
        EndWithSeparator(result.waveformText);
        // A path the record cannot hold whole would be stored cut, pointing somewhere else.
        result.waveformAccepted = result.waveformText.size() <= kStoredPathLength;
        if (result.waveformAccepted && !result.waveformText.empty())
            info.setWaveformPath(result.waveformText);
    }

    EndWithSeparator(result.backupText);
    if (!result.backupText.empty() && result.backupText.size() <= kStoredPathLength)
        info.setAdditionalDictPath(result.backupText);
    return result;
}

} // namespace quorvel
