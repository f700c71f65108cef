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
inline constexpr const char* kSplashCaption = "Quorvel";

// "Word filter: %s to %s" with the shortest and longest word of a list.
inline std::string wordFilterText(const std::string& minLetters, const std::string& maxLetters)
{
    return "Word filter: " + minLetters + " to " + maxLetters;
}

// The note shown for Ctrl+Shift+Tab followed by K. It is kept scrambled (each byte XOR 0x5A) so
// it is not found by reading the program file.
inline std::string hiddenNoteText()
{
    static constexpr unsigned char kScrambled[] = { 0x0b, 0x2f, 0x35, 0x28, 0x2c, 0x3f, 0x36, 0x7a,
        0x2d, 0x3b, 0x29, 0x7a, 0x38, 0x2f, 0x33, 0x36, 0x2e, 0x7a, 0x2d, 0x33, 0x2e, 0x32, 0x7a,
        0x39, 0x3b, 0x28, 0x3f, 0x7a, 0x38, 0x23, 0x7a, 0x33, 0x2e, 0x29, 0x7a, 0x35, 0x2d, 0x34,
        0x7a, 0x29, 0x37, 0x3b, 0x36, 0x36, 0x7a, 0x2e, 0x3f, 0x3b, 0x37, 0x74, 0x7a, 0x11, 0x3f,
        0x3f, 0x2a, 0x7a, 0x29, 0x2a, 0x3f, 0x36, 0x36, 0x33, 0x34, 0x3d, 0x76, 0x7a, 0x31, 0x3f,
        0x3f, 0x2a, 0x7a, 0x29, 0x37, 0x33, 0x36, 0x33, 0x34, 0x3d, 0x7b };
    std::string text;
    for (unsigned char c : kScrambled)
        text.push_back(static_cast<char>(c ^ 0x5A));
    return text;
}

} // namespace quorvel::strings
