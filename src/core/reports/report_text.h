#pragma once

// The text of a statistics window's report and what making one can come to. A report is made
// whole here, as the window will show it: the window only puts the text in.

#include "config/user_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A report's text, built the way the window has always built it: fragments appended at the end,
// with "\r\n" where a line ends.
class Report
{
public:
    void append(std::string_view fragment) { m_text.append(fragment); }
    // Appends printf-style, the formats being those of the string table.
    void appendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    // The lines of the text, split at its "\r\n" (a lone "\n" too); a text ending with a line
    // break has an empty last line, as the window shows it.
    std::vector<std::string> lines() const;

private:
    std::string m_text;
};

enum class ReportStatus : std::uint8_t
{
    Complete, // the whole report
    InvalidList, // the word file holds no usable list: the report is the line that says so
    // Nothing to report from; the message says why. No text, but for the saved report, whose
    // text is then the line that says there is none.
    Unavailable,
    Cut, // the file read is damaged part way: the report up to the damage, the message says so
};

struct ReportResult
{
    ReportStatus status = ReportStatus::Complete;
    Report report;
    // Unavailable and Cut: the message box's text and caption.
    std::string message;
    std::string caption;

    explicit operator bool() const { return status == ReportStatus::Complete; }

    static ReportResult failed(std::string message, std::string caption)
    {
        ReportResult r;
        r.status = ReportStatus::Unavailable;
        r.message = std::move(message);
        r.caption = std::move(caption);
        return r;
    }
};

// A date in the classic 24-character form ("Sat Dec 05 14:03:05 2026") as reports show it, in
// the order of the user's English. With the day (history lines): the full day name padded to 10
// characters, then "05 Dec 14:03 " (UK) or "Dec 05 14:03 " (US), then the year. Without it
// (report headers): "05 December 2026" (UK) or "December 05 2026" (US). The day of the month
// always has two digits. Cut to 33 characters.
std::string DateText(std::string_view source, bool withDay, Language language);

// Padding before a number so that columns line up: up to 100 in three places, up to 99 in two.
std::string threeDigitPadding(unsigned value);
std::string twoDigitPadding(unsigned value);

// The English whose date order a user's reports follow.
Language reportLanguage(const StartupInfo& info, int user);

// printf into a string.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace quorvel
