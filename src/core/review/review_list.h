#pragma once

// The review schedule where the rest of the program meets it: a user's choice of the "Review
// due" list type, the number of words due, and a word removed from the dictionary leaving every
// user's schedule.
//
// The choice is kept in the settings file's "Review" section ("User<N>=Review due"), not in the
// startup record: the record's list type keeps the user's former choice, which is in force again
// as soon as the key no longer says "Review due", and the record keeps its layout.

#include "config/settings_file.h"
#include "review/review_file.h"

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr const char* kReviewSettingsSection = "Review";
inline constexpr const char* kReviewChosenValue = "Review due";

// True while user `user`'s list type is "Review due".
bool reviewListChosen(const SettingsFile& settings, int user);
// Sets or clears the choice; false when the settings file could not be written.
bool setReviewListChosen(SettingsFile& settings, int user, bool chosen);
// The same, for the settings file of the program folder (read afresh).
bool reviewListChosen(const std::string& programFolder, int user);

// The number of the user's words due at `now`; nothing when the schedule cannot be read.
std::optional<std::size_t> reviewDueCount(const std::string& dataFolder, int user, std::time_t now);

struct ReviewForgetResult
{
    int schedules = 0; // the schedules the word left
    // The first schedule that could not be read or saved (it was left as it was), and why.
    std::optional<ReviewFileResult> failure;
    std::string failedPath;
};

// A word removed from the dictionary leaves the schedule of every user that holds it. Each
// changed schedule is saved whole; one that cannot be read or saved is left as it is and the
// rest are still done.
ReviewForgetResult forgetInReviewSchedules(const std::string& dataFolder, std::string_view word);

} // namespace quorvel
