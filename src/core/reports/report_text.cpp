#include "report_text.h"

#include "strings/report_strings.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quorvel {

namespace {

std::string vformat(const char* format, std::va_list args)
{
    std::va_list copy;
    va_copy(copy, args);
    char small[256];
    const int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof small)
        return std::string(small, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

constexpr std::array<const char*, 12> kMonthAbbreviations
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
constexpr std::array<const char*, 7> kDayAbbreviations
    = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };

// The full name for a three-letter one; a name that is none of them stays as it is.
std::string fullName(std::string_view abbreviation, const std::array<const char*, 7>& shortNames,
    const char* const* fullNames)
{
    for (std::size_t i = 0; i < shortNames.size(); ++i) {
        if (abbreviation == shortNames[i])
            return fullNames[i];
    }
    return std::string(abbreviation);
}

std::string fullMonthName(std::string_view abbreviation)
{
    for (std::size_t i = 0; i < kMonthAbbreviations.size(); ++i) {
        if (abbreviation == kMonthAbbreviations[i])
            return strings::kMonthNames[i];
    }
    return std::string(abbreviation);
}

} // namespace

void Report::appendFormat(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    m_text += vformat(format, args);
    va_end(args);
}

std::vector<std::string> Report::lines() const
{
    std::vector<std::string> out;
    if (m_text.empty())
        return out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = m_text.find('\n', start);
        if (end == std::string::npos) {
            out.push_back(m_text.substr(start));
            return out;
        }
        std::size_t length = end - start;
        if (length > 0 && m_text[end - 1] == '\r')
            --length;
        out.push_back(m_text.substr(start, length));
        start = end + 1;
    }
}

std::string formatText(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::string out = vformat(format, args);
    va_end(args);
    return out;
}

std::string DateText(std::string_view source, bool withDay, Language language)
{
    // The fields lie at fixed places of the classic form. A date text that is short or damaged
    // (a record written by something else) is read as far as it goes, the rest as blanks: a
    // report shows what the file holds rather than stopping at it.
    char classic[24];
    std::memset(classic, ' ', sizeof classic);
    for (std::size_t i = 0; i < source.size() && i < sizeof classic; ++i) {
        const char c = source[i];
        if (c == '\0' || c == '\n')
            break;
        classic[i] = c;
    }
    const std::string_view text(classic, sizeof classic);
    const std::string_view day = text.substr(0, 3);
    const std::string_view month = text.substr(4, 3);
    std::string date(text.substr(8, 2));
    // The C library writes a day below 10 with a blank; reports have always shown "05".
    if (date[0] == ' ' && date[1] >= '0' && date[1] <= '9')
        date[0] = '0';
    const std::string_view time = text.substr(11, 5);
    const std::string_view year = text.substr(20, 4);
    const bool uk = language == Language::UK;

    std::string out;
    if (withDay) {
        out = fullName(day, kDayAbbreviations, strings::kDayNames);
        if (out.size() < 10)
            out.append(10 - out.size(), ' ');
        std::string first = uk ? date : std::string(month);
        std::string second = uk ? std::string(month) : date;
        out += first + " " + second + " " + std::string(time) + " ";
    } else {
        const std::string name = fullMonthName(month);
        out = uk ? date + " " + name + " " : name + " " + date + " ";
    }
    out += year;
    if (out.size() > 33)
        out.resize(33);
    return out;
}

std::string threeDigitPadding(unsigned value)
{
    if (value == 100)
        return {};
    return value > 9 ? " " : "  ";
}

std::string twoDigitPadding(unsigned value)
{
    return value > 9 ? std::string() : std::string(" ");
}

Language reportLanguage(const StartupInfo& info, int user)
{
    return ListOptions::read(info, user).language;
}

} // namespace quorvel
