#include "review/review_list.h"

#include "config/startup_info.h"
#include "platform/paths.h"

namespace quorvel {

namespace {

std::string userKey(int user)
{
    return "User" + std::to_string(user);
}

constexpr std::size_t kChoiceLimit = 32;

} // namespace

bool reviewListChosen(const SettingsFile& settings, int user)
{
    if (user < 0 || user >= kUserSlots)
        return false;
    return settings.readString(kReviewSettingsSection, userKey(user), "", kChoiceLimit)
        == kReviewChosenValue;
}

bool setReviewListChosen(SettingsFile& settings, int user, bool chosen)
{
    if (user < 0 || user >= kUserSlots)
        return false;
    if (reviewListChosen(settings, user) == chosen)
        return true;
    return settings.writeString(
        kReviewSettingsSection, userKey(user), chosen ? kReviewChosenValue : "");
}

bool reviewListChosen(const std::string& programFolder, int user)
{
    if (programFolder.empty())
        return false;
    const SettingsFile settings(paths::settingsFile(programFolder));
    return reviewListChosen(settings, user);
}

std::optional<std::size_t> reviewDueCount(const std::string& dataFolder, int user, std::time_t now)
{
    ReviewSchedule schedule;
    if (!loadReviewSchedule(dataFolder, user, schedule).ok())
        return std::nullopt;
    return schedule.dueCount(now);
}

ReviewForgetResult forgetInReviewSchedules(const std::string& dataFolder, std::string_view word)
{
    ReviewForgetResult out;
    auto failed = [&](const ReviewFileResult& result, int user) {
        if (out.failure)
            return;
        out.failure = result;
        out.failedPath = reviewFilePath(dataFolder, user);
    };
    for (int user = 0; user < kUserSlots; ++user) {
        ReviewSchedule schedule;
        if (const ReviewFileResult loaded = loadReviewSchedule(dataFolder, user, schedule);
            !loaded.ok()) {
            failed(loaded, user);
            continue;
        }
        if (!schedule.forget(word))
            continue;
        if (const ReviewFileResult saved = saveReviewSchedule(dataFolder, user, schedule);
            !saved.ok()) {
            failed(saved, user);
            continue;
        }
        ++out.schedules;
    }
    return out;
}

} // namespace quorvel
