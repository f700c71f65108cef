#pragma once

// Spaced review of the words a user failed. A failed word enters box 1; a right answer when it
// is due moves it up a box, a wrong answer puts it back in box 1; box n is due 1, 2, 4, 8 or 16
// days after the word entered it, and a word answered right in box 5 leaves the schedule.
//
// Times are wall-clock seconds (Clock::now()), so a front end passes its clock's time and tests
// pass a fake clock's. "Days" are whole periods of 24 hours from the moment a word entered its
// box. Each user's schedule is kept in progdata/review<N>.json.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr int kReviewBoxes = 5;
// Words are kept as the dictionary and the word file keep them: capitals, at most 40 letters.
inline constexpr std::size_t kReviewWordMax = 40;

// Days after entering box `box` (1..5) at which a word is due again.
int reviewIntervalDays(int box);
// Local midnight at the start of the day `days` calendar days after the day of `entered`.
std::time_t startOfDayAfter(std::time_t entered, int days);

struct ReviewEntry
{
    std::string word; // capitals
    int box = 1; // 1..kReviewBoxes
    std::time_t enteredBox = 0; // when the word entered its box
    std::time_t due = 0; // the start of the day the box's interval after enteredBox

    friend bool operator==(const ReviewEntry&, const ReviewEntry&) = default;
};

// What a review answer did to the schedule.
enum class ReviewOutcome : std::uint8_t
{
    NotScheduled, // the word is not in the schedule; nothing changed
    NotDue, // right, but before the word was due: it stays where it is
    MovedUp, // right when due: one box up
    BackToFirstBox, // wrong: box 1 again
    Left, // right when due in the last box: out of the schedule
};

class ReviewSchedule
{
public:
    // The word in capitals when it can be scheduled (1..40 letters, no spaces or control
    // characters); empty otherwise.
    static std::string normalWord(std::string_view word);

    // The word was failed (in a drill or a review): it enters box 1, or goes back to it, and is
    // due from the start of tomorrow. False, with nothing changed, for a word that cannot be
    // scheduled.
    bool wordFailed(std::string_view word, std::time_t now);
    // A review of the word was answered. A wrong answer always counts; a right one only when the
    // word is due, so that spelling a word again and again on one day does not empty its boxes.
    ReviewOutcome reviewAnswered(std::string_view word, bool right, std::time_t now);

    // The words due at `now`, the longest overdue first (words due at the same moment in
    // alphabetical order).
    std::vector<ReviewEntry> due(std::time_t now) const;
    std::size_t dueCount(std::time_t now) const;
    // Every word, in the order `due` would give them.
    std::vector<ReviewEntry> inDueOrder() const;

    // A word removed from the dictionary leaves the schedule; true when it was there.
    bool forget(std::string_view word);
    // Keeps only the words `keep` accepts (a sweep against the dictionary); returns how many left.
    std::size_t keepOnly(const std::function<bool(const std::string& word)>& keep);

    const ReviewEntry* find(std::string_view word) const;
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    void clear() { m_entries.clear(); }

    // Puts a word in a box as it was stored (used when loading). False, with nothing changed,
    // for a word that cannot be scheduled, a box outside 1..5 or a time outside the years
    // 1970..9999.
    bool restore(std::string_view word, int box, std::time_t enteredBox);

    friend bool operator==(const ReviewSchedule&, const ReviewSchedule&) = default;

private:
    void place(const std::string& word, int box, std::time_t enteredBox);

    std::map<std::string, ReviewEntry, std::less<>> m_entries;
};

} // namespace quorvel
