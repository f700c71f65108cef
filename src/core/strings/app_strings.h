#pragma once

// Texts of the main window: status bar fields, tool tips and the splash caption.

#include <QtGlobal>
#include <string>

namespace quorvel::strings {

inline constexpr const char* kMaxList = QT_TRANSLATE_NOOP("Quorvel", "Max list");
inline constexpr const char* kListStatus = QT_TRANSLATE_NOOP("Quorvel", "List Status");
inline constexpr const char* kSourceDictionary = QT_TRANSLATE_NOOP("Quorvel", "Dictionary");
inline constexpr const char* kSourceBeeFile = QT_TRANSLATE_NOOP("Quorvel", "Bee File  ");
inline constexpr const char* kSourceScrapPad = QT_TRANSLATE_NOOP("Quorvel", "Scrap Pad ");
inline constexpr const char* kListTypeFailures = QT_TRANSLATE_NOOP("Quorvel", "Failures  ");
inline constexpr const char* kListTypePredefined = QT_TRANSLATE_NOOP("Quorvel", "Predefined");
inline constexpr const char* kListTypeOneLetter = QT_TRANSLATE_NOOP("Quorvel", "One Letter");
inline constexpr const char* kListTypeRandom = QT_TRANSLATE_NOOP("Quorvel", "Random    ");
inline constexpr const char* kListTypeBlank = QT_TRANSLATE_NOOP("Quorvel", "          ");
inline constexpr const char* kCapsIndicator = QT_TRANSLATE_NOOP("Quorvel", "CAPS");
inline constexpr const char* kOvertypeIndicator = QT_TRANSLATE_NOOP("Quorvel", "OVR");
inline constexpr const char* kChooseCategoryTip
    = QT_TRANSLATE_NOOP("Quorvel", "Choose Dictionary Category");
inline constexpr const char* kSelectUserTip = QT_TRANSLATE_NOOP("Quorvel", "Select User");
inline constexpr const char* kFreeCategory = QT_TRANSLATE_NOOP("Quorvel", "Free");
// After the name of a category that holds no words, in the category box.
inline constexpr const char* kEmptyCategoryMark = QT_TRANSLATE_NOOP("Quorvel", "(empty)");
inline constexpr const char* kApplicationTitle = QT_TRANSLATE_NOOP("Quorvel", "Quorvel");
inline constexpr const char* kSplashCaption = QT_TRANSLATE_NOOP("Quorvel", "Quorvel");

// Menus, tool bars and the pictures of the status bar.
inline constexpr const char* kMenuFile = QT_TRANSLATE_NOOP("Quorvel", "&File");
inline constexpr const char* kMenuNew = QT_TRANSLATE_NOOP("Quorvel", "&New");
inline constexpr const char* kMenuEdit = QT_TRANSLATE_NOOP("Quorvel", "&Edit");
inline constexpr const char* kMenuUtilities = QT_TRANSLATE_NOOP("Quorvel", "&Utilities");
inline constexpr const char* kMenuSystem = QT_TRANSLATE_NOOP("Quorvel", "&System");
inline constexpr const char* kMenuWindow = QT_TRANSLATE_NOOP("Quorvel", "&Window");
inline constexpr const char* kMenuHelp = QT_TRANSLATE_NOOP("Quorvel", "&Help");
inline constexpr const char* kMenuHistoryReport = QT_TRANSLATE_NOOP("Quorvel", "&History Report");
inline constexpr const char* kHelpContentsTip = QT_TRANSLATE_NOOP("Quorvel", "Help contents");
inline constexpr const char* kDocumentsArea = QT_TRANSLATE_NOOP("Quorvel", "Documents");
inline constexpr const char* kCommandsToolBar = QT_TRANSLATE_NOOP("Quorvel", "Commands");
inline constexpr const char* kUserToolBar = QT_TRANSLATE_NOOP("Quorvel", "User and category");
inline constexpr const char* kSoundPicture = QT_TRANSLATE_NOOP("Quorvel", "Sound");
inline constexpr const char* kListSourcePicture = QT_TRANSLATE_NOOP("Quorvel", "List source");
inline constexpr const char* kLanguagePicture = QT_TRANSLATE_NOOP("Quorvel", "Language");
inline constexpr const char* kSoundOnTip = QT_TRANSLATE_NOOP("Quorvel", "Sound on");
inline constexpr const char* kSoundOffTip = QT_TRANSLATE_NOOP("Quorvel", "Sound off");
inline constexpr const char* kEnglishUkTip = QT_TRANSLATE_NOOP("Quorvel", "English UK");
inline constexpr const char* kEnglishUsaTip = QT_TRANSLATE_NOOP("Quorvel", "English USA");
// The status bar's number fields as a screen reader names them; %1 is the number shown.
inline constexpr const char* kListSizeFieldName = QT_TRANSLATE_NOOP("Quorvel", "List size %1");
inline constexpr const char* kWordsFieldName = QT_TRANSLATE_NOOP("Quorvel", "Words %1");

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
