#include "review/review_schedule.h"

#include <algorithm>

namespace quorvel {

namespace {

// 9999-12-31 23:59:59 UTC: later times are not a date anyone wrote, and adding an interval to
// them stays far from overflow.
constexpr std::time_t kLatestTime = 253402300799;

bool lessDue(const ReviewEntry& a, const ReviewEntry& b)
{
    return a.due != b.due ? a.due < b.due : a.word < b.word;
}

} // namespace

std::time_t startOfDayAfter(std::time_t entered, int days)
{
    std::tm local {};
    if (localtime_r(&entered, &local) != nullptr) {
        local.tm_mday += days;
        local.tm_hour = local.tm_min = local.tm_sec = 0;
        local.tm_isdst = -1; // whichever offset holds at that midnight
        const std::time_t midnight = std::mktime(&local);
        if (midnight != static_cast<std::time_t>(-1))
            return midnight;
    }
    // No local time to be had: whole days of 24 hours from the moment itself.
    return entered + static_cast<std::time_t>(days) * 24 * 60 * 60;
}

int reviewIntervalDays(int box)
{
    static constexpr int kDays[kReviewBoxes] = { 1, 2, 4, 8, 16 };
    return kDays[std::clamp(box, 1, kReviewBoxes) - 1];
}

std::string ReviewSchedule::normalWord(std::string_view word)
{
    if (word.empty() || word.size() > kReviewWordMax)
        return {};
    std::string out;
    out.reserve(word.size());
    for (const char c : word) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7F)
            return {};
        out.push_back(u >= 'a' && u <= 'z' ? static_cast<char>(u - 'a' + 'A') : c);
    }
    return out;
}

void ReviewSchedule::place(const std::string& word, int box, std::time_t enteredBox)
{
    ReviewEntry& e = m_entries[word];
    e.word = word;
    e.box = box;
    e.enteredBox = enteredBox;
    e.due = startOfDayAfter(enteredBox, reviewIntervalDays(box));
}

bool ReviewSchedule::wordFailed(std::string_view word, std::time_t now)
{
    const std::string w = normalWord(word);
    if (w.empty() || now < 0 || now > kLatestTime)
        return false;
    place(w, 1, now);
    return true;
}

ReviewOutcome ReviewSchedule::reviewAnswered(std::string_view word, bool right, std::time_t now)
{
    const auto it = m_entries.find(normalWord(word));
    if (it == m_entries.end() || now < 0 || now > kLatestTime)
        return ReviewOutcome::NotScheduled;
    ReviewEntry& e = it->second;
    if (!right) {
        place(e.word, 1, now);
        return ReviewOutcome::BackToFirstBox;
    }
    if (now < e.due)
        return ReviewOutcome::NotDue;
    if (e.box >= kReviewBoxes) {
        m_entries.erase(it);
        return ReviewOutcome::Left;
    }
    place(e.word, e.box + 1, now);
    return ReviewOutcome::MovedUp;
}

std::vector<ReviewEntry> ReviewSchedule::inDueOrder() const
{
    std::vector<ReviewEntry> out;
    out.reserve(m_entries.size());
    for (const auto& [word, entry] : m_entries)
        out.push_back(entry);
    std::sort(out.begin(), out.end(), lessDue);
    return out;
}

std::vector<ReviewEntry> ReviewSchedule::due(std::time_t now) const
{
    std::vector<ReviewEntry> out;
    for (const auto& [word, entry] : m_entries)
        if (entry.due <= now)
            out.push_back(entry);
    std::sort(out.begin(), out.end(), lessDue);
    return out;
}

std::size_t ReviewSchedule::dueCount(std::time_t now) const
{
    return static_cast<std::size_t>(std::count_if(m_entries.begin(), m_entries.end(),
        [now](const auto& item) { return item.second.due <= now; }));
}

bool ReviewSchedule::forget(std::string_view word)
{
    const auto it = m_entries.find(normalWord(word));
    if (it == m_entries.end())
        return false;
    m_entries.erase(it);
    return true;
}

std::size_t ReviewSchedule::keepOnly(const std::function<bool(const std::string& word)>& keep)
{
    return std::erase_if(m_entries, [&](const auto& item) { return !keep(item.first); });
}

const ReviewEntry* ReviewSchedule::find(std::string_view word) const
{
    const auto it = m_entries.find(normalWord(word));
    return it == m_entries.end() ? nullptr : &it->second;
}

bool ReviewSchedule::restore(std::string_view word, int box, std::time_t enteredBox)
{
    const std::string w = normalWord(word);
    if (w.empty() || box < 1 || box > kReviewBoxes || enteredBox < 0 || enteredBox > kLatestTime)
        return false;
    place(w, box, enteredBox);
    return true;
}

} // namespace quorvel
