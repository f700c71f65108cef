#pragma once

// Texts of the scrap pad: its window, its page files and moving words between its pages.

#include <QtGlobal>

namespace quorvel::strings {

// The window's caption, with the user's name.
inline constexpr const char* kScrapPadCaption = QT_TRANSLATE_NOOP("Quorvel", "%s's  Scrap Pad ");

// Opening and saving the two page files.
inline constexpr const char* kNoScrapPad = QT_TRANSLATE_NOOP(
    "Quorvel", "You have no Scrap Pad \r\n  Save this Scrap Pad to acquire one.");
inline constexpr const char* kSaveScrapPadQuestion
    = QT_TRANSLATE_NOOP("Quorvel", "Do you wish to save you scrap pad?");
// A page file that is there but could not be read is never written over.
inline constexpr const char* kScrapPageFileKept = QT_TRANSLATE_NOOP("Quorvel",
    "The file could not be read when the Scrap Pad opened, so it is not written over. Move it "
    "away and open the Scrap Pad again.");
inline constexpr const char* kScrapPageUnreadable
    = QT_TRANSLATE_NOOP("Quorvel", "This page stays empty, and the file is left as it is.");

// Moving words to page 2.
inline constexpr const char* kScrapPadPageFull = QT_TRANSLATE_NOOP(
    "Quorvel", "Scrap Pad page 2 is full (%d lines): %d words stayed on page 1.");
inline constexpr const char* kScrapPadDictionaryError = QT_TRANSLATE_NOOP("Quorvel",
    "The Dictionary could not be read for every word: the words it could not check stayed on "
    "page 1.");

// Accessible names of the two pages.
inline constexpr const char* kScrapPadPage1 = QT_TRANSLATE_NOOP("Quorvel", "Scrap Pad page 1");
inline constexpr const char* kScrapPadPage2 = QT_TRANSLATE_NOOP("Quorvel", "Scrap Pad page 2");

} // namespace quorvel::strings
