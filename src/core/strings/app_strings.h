#pragma once

// Texts of the main window: status bar fields, tool tips and the splash caption.

#include <string>

namespace quorvel::strings {

inline constexpr const char* kMaxList = "Max list";
inline constexpr const char* kListStatus = "List Status";
inline constexpr const char* kSourceDictionary = "Dictionary";
inline constexpr const char* kSourceBeeFile = "Bee File  ";
inline constexpr const char* kSourceScrapPad = "Scrap Pad ";
inline constexpr const char* kListTypeFailures = "Failures  ";
inline constexpr const char* kListTypePredefined = "Predefined";
inline constexpr const char* kListTypeOneLetter = "One Letter";
inline constexpr const char* kListTypeRandom = "Random    ";
inline constexpr const char* kListTypeBlank = "          ";
inline constexpr const char* kCapsIndicator = "CAPS";
inline constexpr const char* kOvertypeIndicator = "OVR";
inline constexpr const char* kChooseCategoryTip = "Choose Dictionary Category";
inline constexpr const char* kSelectUserTip = "Select User";
inline constexpr const char* kFreeCategory = "Free";
inline constexpr const char* kApplicationTitle = "Quorvel";
inline constexpr const char* kSplashCaption = "Quorvel - spelling trainer";

// "Word filter: %s to %s" with the shortest and longest word of a list.
inline std::string wordFilterText(const std::string& minLetters, const std::string& maxLetters)
{
    return "Word filter: " + minLetters + " to " + maxLetters;
}

} // namespace quorvel::strings
