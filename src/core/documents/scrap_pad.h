#pragma once

// The scrap pad: a user's two-page notebook of words, one text file per page
// (progdata/spaduse<N>.pad and progdata/spadusp<N>.pad), and the moving of words from page 1 to
// page 2 by whether the dictionary knows them.
//
// Page files are read and written like the bee files (text_document.h): UTF-8 when the bytes are
// valid UTF-8, else Windows-1252, written back the same way with their own line ends. A page file
// that does not exist yet is written as UTF-8 with "\r\n", the line end of the lines the drill
// appends to page 1.

#include "dictionary/dict_results.h"
#include "documents/make_list.h"
#include "documents/text_document.h"

#include <QString>

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr int kScrapPadPages = 2;
// Page 2 takes moved words while it holds fewer lines than this.
inline constexpr int kScrapPadMaxLines = 600;
// Words of this many letters or more are never moved.
inline constexpr int kScrapPadLongWord = 40;

// dataFolder/progdata/spaduse<user>.pad for page 0, .../spadusp<user>.pad for page 1.
std::string scrapPadFile(std::string_view dataFolder, int user, int page);
TextFormat newScrapPadFormat();

struct ScrapPadPage
{
    QString text; // lines end in "\n"
    TextFormat format = newScrapPadFormat();
    TextReadResult::Outcome outcome = TextReadResult::Outcome::Missing;
    // Why the file could not be read, or a note on what was read (a zero byte); empty otherwise.
    std::string message;
    // The file is there but was not read as a page (a folder, not text, too large, unreadable):
    // it is never written over.
    bool fileKept() const
    {
        return outcome != TextReadResult::Outcome::Read
            && outcome != TextReadResult::Outcome::Missing;
    }
};

using ScrapPadPages = std::array<ScrapPadPage, kScrapPadPages>;

struct ScrapPadLoad
{
    ScrapPadPages pages;
    // A page file is missing: the user has no scrap pad yet (one warning, and the first save
    // makes both files).
    bool missing() const;
};

ScrapPadLoad loadScrapPad(const std::string& dataFolder, int user);

struct ScrapPadSaveResult
{
    bool saved = false;
    // Why not: the file and the reason, below the "Problems saving" line the window shows.
    std::string message;
    explicit operator bool() const { return saved; }
};

// Writes both pages. Every page is checked before anything is written: a page whose file is a
// folder, or was kept at loading, or whose text cannot be written, stops the save with nothing
// written. A Windows-1252 page that gained a character the code page lacks is written as UTF-8
// (its format changes). Each file is replaced whole, so a failed write leaves the old file.
ScrapPadSaveResult saveScrapPad(const std::string& dataFolder, int user, ScrapPadPages& pages);

// Adds `word` as a line of its own (" WORD" and a line end) at the end of page 1 of user
// `user`'s scrap pad, for when the scrap pad window is not open. The file's bytes stay as they
// are, with the line added in the file's own line end ("\r\n" for a new file or one without any);
// a last line without a line end gets one first. A missing page file is made. A file that is not
// a text page (a folder, too large, not text, or holding a zero byte) is refused and left as it
// is. The file is replaced whole, so a failed write leaves it as it was.
ScrapPadSaveResult appendToScrapPadPage1(
    const std::string& dataFolder, int user, std::string_view word);

// MoveWords: which words leave page 1.
enum class MoveKind
{
    NotInDictionary, // "Move Non Dic&tionary words to Scrap Pad page 2"
    InDictionary, // "Move Dictionary &Words to Scrap Pad page 2"
};

// The dictionary's answer for a word as written on the page (plain letters A-Z and a-z).
using WordLookup = std::function<FindResult(std::string_view word)>;

struct MoveWordsResult
{
    QString page1;
    QString page2;
    // Page 2's caret and selection afterwards: after the last word put in, or as it was.
    TextSelection page2Where;
    int moved = 0;
    int leftForFullPage = 0; // words that qualified but found page 2 full
    bool lookupFailed = false; // the dictionary could not answer for some word
};

// Moves the qualifying words of page 1 to page 2, each followed by a line end, at page 2's caret
// (the first replacing page 2's selection). Page 1 is read line by line; a line is looked at only
// while it starts before the last three characters of the text, so a last line of three
// characters or fewer is not. Within a line a word is a run of letters; a word of fewer than
// kScrapPadLongWord letters is looked up, and a moved word leaves page 1 with its line end when
// it ends its line (the next line then joins this one). Page 2 takes words while it holds fewer
// than kScrapPadMaxLines lines. A line end is "\n", "\r\n" or "\r".
MoveWordsResult MoveWords(MoveKind kind, const QString& page1, const QString& page2,
    TextSelection page2Where, const WordLookup& lookup);

} // namespace quorvel
