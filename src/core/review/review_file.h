#pragma once

// A user's review schedule on disk: progdata/review<N>.json, N the user slot.
//
//   {"version": 1, "words": [{"word": "CAT", "box": 2, "entered": 1765375385,
//                             "due": 1765548185}, ...]}
//
// "due" is written for whoever reads the file; on loading it is worked out again from the box
// and "entered", so the two cannot disagree. A missing file is an empty schedule. A file that
// is too large, is not such a document, or names a word twice is damaged: loading reports it and
// saving refuses to replace it, so that a schedule nobody could read is never lost to a save
// without someone deciding so (the file can be moved away or deleted by hand). Saves replace the
// file whole through replaceFile.

#include "review/review_schedule.h"

#include <cstdint>
#include <string>

namespace quorvel {

inline constexpr int kReviewFileVersion = 1;
// Far above what the ten users' schedules of a whole dictionary need, and small enough to read
// at once.
inline constexpr std::uint64_t kReviewFileMaxBytes = 8u * 1024 * 1024;

enum class ReviewFileStatus : std::uint8_t
{
    Ok,
    Unreadable, // the file exists but cannot be opened or read (fileError says why)
    Oversized, // larger than kReviewFileMaxBytes
    Damaged, // not a review schedule, or one with impossible values (detail says which)
    NewerVersion, // written by a later version of the program
    WriteFailed, // the save failed (fileError says why); the old file is as it was
};

struct [[nodiscard]] ReviewFileResult
{
    ReviewFileStatus status = ReviewFileStatus::Ok;
    int fileError = 0; // the file error code, for Unreadable and WriteFailed
    std::string detail; // for Damaged: what is wrong with the file

    bool ok() const { return status == ReviewFileStatus::Ok; }
};

// progdata/review<N>.json under the data folder, for user slot 0..9.
std::string reviewFilePath(const std::string& dataFolder, int user);

// Loads the user's schedule into `schedule` (emptied first; left empty on any failure).
ReviewFileResult loadReviewSchedule(
    const std::string& dataFolder, int user, ReviewSchedule& schedule);

// Saves the user's schedule. Refuses, changing nothing, when the file there cannot be loaded
// (damaged, oversized, newer or unreadable): that result is returned as loading would give it.
ReviewFileResult saveReviewSchedule(
    const std::string& dataFolder, int user, const ReviewSchedule& schedule);

// The message for a failed load or save of `path`, for a person.
std::string reviewFileMessage(const ReviewFileResult& result, const std::string& path);

} // namespace quorvel
