#pragma once

// The print options: the font size and the left margin every printout uses, kept by the program
// for the run and stored in section "Print options" of the settings file, and the decisions of
// the print options dialog. The dialog edits a PrintOptionsValues and the settings change only
// when it ends with OK.

#include "config/settings_groups.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class SettingsFile;

inline constexpr int kMinLeftMargin = 0;
inline constexpr int kMaxLeftMargin = 142;
// The margin box takes at most this many characters, and OK reads the first five of them.
inline constexpr int kMarginBoxLength = 6;
inline constexpr int kMarginDigitsRead = 5;

// What printing uses. Until the settings file has been read (or when it holds no print options)
// a printout has the normal size and a margin of 22 points.
struct PrintSettings
{
    PrintSize size = PrintSize::Normal;
    int leftMargin = 22; // points from the left edge of the printable area
    bool operator==(const PrintSettings&) const = default;
};

// Reads the stored options (at start and after the dialog's OK). The margin goes back to the
// file in its plain decimal form when it was stored otherwise ("010", " 10"). Nothing is read,
// and nothing written, when the group is not stored: the caller keeps what it has.
std::optional<PrintSettings> loadPrintSettings(SettingsFile& file);

// The print font's point size: 10, 11 or 12 for small, normal and large; bee lists and the scrap
// pad print 2 points larger, statistics windows at the size itself.
int printPointSize(PrintSize size, bool statisticsWindow);

// "'%s' not printed. %s." for a print job that failed: the job's title and the reason (one of
// the print reasons of the string table).
std::string notPrintedText(const std::string& title, const char* reason);

// ---- The print options dialog ------------------------------------------------------------------

struct PrintOptionsValues
{
    PrintSize size = PrintSize::Normal;
    std::string marginText = "10"; // as the box shows it
    bool operator==(const PrintOptionsValues&) const = default;
};

// The dialog's opening values: the stored options, or, when none are stored, the defaults
// ("normal" and "10"), which are written first.
PrintOptionsValues printOptionsOpening(SettingsFile& file);

// Whether the box's text lets OK close the dialog: a whole number from 0 to 142. An empty box
// reads as 0.
bool marginTextInRange(std::string_view text);
// "Value is not in the range 0 to 142.", shown while the box holds anything else.
std::string marginRangeMessage();

// The text OK stores under "Left hand Margin" for what was typed: the first five characters read
// as a decimal number, "0" when they read as 0 (no digits at all included), "142" above 142.
std::string storedMarginText(std::string_view typed);

// OK: stores the size and the margin, then reads the options back into `inUse`. Keys that
// already hold the value are left as they are, so OK on unchanged values leaves the file byte
// for byte. False when the settings file could not be written: `inUse` then takes the chosen
// values all the same, for the rest of the run.
bool applyPrintOptions(SettingsFile& file, const PrintOptionsValues& values, PrintSettings& inUse);

} // namespace quorvel
