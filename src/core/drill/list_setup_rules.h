#pragma once

// The rules of the "List Setup" sheet: what each page puts back when it is applied, where its
// spin buttons start, how the minimum and maximum letters boxes hold each other in check while
// they are edited, how the learn page's boxes and bars follow each other, and the level rule
// that decides the letters range on OK. The sheet's widgets only carry these out.

#include "config/startup_info.h"
#include "config/user_settings.h"

#include <cstdint>
#include <string>

namespace quorvel {

// A spin button's range and where it starts when the box's text reads as 0.
struct SpinRange
{
    int minimum;
    int maximum;
    int fallback;
};

namespace spin {
inline constexpr SpinRange kMinLetters { 3, 12, 4 };
inline constexpr SpinRange kMaxLetters { 4, 37, 10 };
inline constexpr SpinRange kListSize { 1, 50, 6 };
inline constexpr SpinRange kWordShowTime { 1, 20, 2 };
inline constexpr SpinRange kAnswerDelay { 1, 20, 1 };
inline constexpr SpinRange kSpellTime { 1, 90, 60 };
inline constexpr SpinRange kBetweenWords { 1, 20, 1 };
inline constexpr SpinRange kContinuousTime { 1, 15, 3 };
} // namespace spin

// The number boxes of the sheet take at most this many characters.
inline constexpr int kNumberBoxLength = 14;
inline constexpr int kPredefinedLength = 11;

// Where a spin button starts: the box's value, or the fallback when it reads as 0; kept inside
// the button's range.
int spinStart(const std::string& text, const SpinRange& range);

// Whether a spin step may happen. The minimum's button refuses an upward step past the number in
// the maximum box; the maximum's button refuses a downward step below the number in the minimum
// box. Steps outside the button's own range are refused too.
bool minimumStepAllowed(int current, int target, const std::string& maximumText);
bool maximumStepAllowed(int current, int target, const std::string& minimumText);

// The text a letters box shows after an edit of that box: a minimum above the maximum (both
// reading 3 or more) takes the maximum's text; a maximum below the minimum (both reading 4 or
// more) takes the minimum's text. Otherwise the edited text stays.
std::string minimumAfterEdit(const std::string& minimumText, const std::string& maximumText);
std::string maximumAfterEdit(const std::string& minimumText, const std::string& maximumText);

// Apply-time checks: every value out of its range gets the stored text back; the radio flags
// pass through.
ListSetupRecord checkListSetupPage(ListSetupRecord edited, const ListSetupRecord& stored);
DisplaySetupRecord checkDisplayPage(DisplaySetupRecord edited, const DisplaySetupRecord& stored);
// The four flash and ripple boxes are set from their bars' positions, so text and triple agree;
// a continuous time outside 1..15 gets the stored text back.
LearnSetupRecord applyLearnPage(LearnSetupRecord edited, const LearnSetupRecord& stored);

// Where a flash or ripple bar goes when its box's text changes: to the typed number when it lies
// inside the triple's range, else back to the stored position.
std::uint32_t barPositionForText(const std::string& text, const SliderTriple& stored);

// The level rule on OK: when the level chosen on the options page differs from the one in force
// when the sheet opened, the letters range becomes the new level's range (Elementary 4..6,
// Intermediate 7..9, Advanced 10..14), whatever was typed; otherwise the typed letters stay.
ListSetupRecord applyLevelRule(
    ListSetupRecord list, Level levelAtOpening, const ListOptionsRecord& chosen);

// The four records of a user as the sheet edits them.
struct DrillSettingsRecords
{
    ListSetupRecord list;
    DisplaySetupRecord display;
    ListOptionsRecord options;
    LearnSetupRecord learn;

    static DrillSettingsRecords read(const StartupInfo& info, int user);
    void write(StartupInfo& info, int user) const;
};

// Everything OK does to the edited records before they are stored: each page's checks against
// the stored records, then the level rule.
DrillSettingsRecords applyListSetupSheet(
    const DrillSettingsRecords& edited, const DrillSettingsRecords& stored);

} // namespace quorvel
