// The words quorvel-mkdict reads from SCOWL and the words it leaves out of every dictionary it
// makes: the offensive words of a published list with their inflections, and the SCOWL entries
// that are no words to learn to spell (speech noises such as HMM, UGH and MKAY, and spellings of
// speech such as GONNA). The rules live here, apart from the tool, so that the tests reach them.

#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::mkdict {

// SCOWL's size levels. Each "<list>-words.<size>" file holds only the words first met at that
// size, so a dictionary "up to size N" is the union of the files of every size up to N. A smaller
// size is a more common word.
inline constexpr std::array<int, 10> kScowlSizes { 10, 20, 35, 40, 50, 55, 60, 70, 80, 95 };

// The spelling lists the dictionaries are made from: the spelling shared by every variety,
// American, British (-ise), and the variant spellings that feed the Extra UK category.
inline constexpr std::array<std::string_view, 6> kSpellingLists { "english", "american", "british",
    "british_variant_1", "british_z", "variant_1" };

// The spelling lists English primary schools teach, kept in data/school_words/ one file a list,
// and the graded category each list's words go to: Year 1 (age 5 to 6) to "5 year old", Year 2 to
// "6 year old". The lists for Years 3 and 4 and for Years 5 and 6 each span two years, so their
// shorter words go to the younger age and the words of `longerFrom` letters or more to the older
// one: "7 year old - harder" and "8 year old", "9 year old" and "10 year old". A word on more than
// one list belongs to the earliest.
struct SchoolList
{
    std::string_view file;
    int slot;
    int longerSlot;
    int longerFrom;

    int slotOf(std::string_view word) const
    {
        return static_cast<int>(word.size()) >= longerFrom ? longerSlot : slot;
    }
};

inline constexpr std::array<SchoolList, 4> kSchoolLists { {
    { "year1.txt", 21, 21, 0 },
    { "year2.txt", 22, 22, 0 },
    { "years3-4.txt", 24, 25, 8 },
    { "years5-6.txt", 26, 27, 9 },
} };

// The months and the days of the week, which SCOWL leaves out of its lower-case lists; they go
// to the main dictionary unless a school list places them.
inline constexpr std::string_view kMonthsAndDaysFile = "months_days.txt";

// Reads a word list of ours: one word of letters A-Z or a-z a line, blank lines and lines
// starting with # skipped, the words returned in capitals in the file's order. Any other line,
// or a word longer than the dictionary takes, is an error naming the line: these files are
// written by hand and a slip must not silently drop a word.
bool readWordLines(const std::string& path, std::vector<std::string>& words, std::string& error);

// The smallest SCOWL size at which any spelling list names a word, by the word in capitals.
using ScowlSizes = std::unordered_map<std::string, int>;

// Reads one SCOWL list "<dir>/<list>-words.<size>", keeping the words of 3 to 37 lower-case
// letters a-z, in capitals. Possessives, capitalised words and words with accents are left out:
// the dictionary holds plain A-Z. SCOWL does not ship every list at every size, so a missing file
// is an empty list; a file that is there but cannot be read is an error.
bool readScowlList(const std::string& dir, std::string_view list, int size,
    std::vector<std::string>& words, std::string& error);

// The size of every word of the spelling lists, read at every size.
bool readSpellingSizes(const std::string& dir, ScowlSizes& sizes, std::string& error);

// Reads a list of offensive words: a JSON array of strings (as the npm package naughty-words
// ships its English list) or plain text with one entry a line. Only entries that are a single word
// of letters a-z, in either case, can be dictionary words; phrases and entries with digits,
// hyphens or other signs are skipped. The words come back in capitals, sorted, once each. A file
// that cannot be read or parsed, or that holds no single word, is an error: a dictionary made
// against an empty list would silently keep every word the list names.
bool readOffensiveWords(
    const std::string& path, std::vector<std::string>& words, std::string& error);

// `listWord` itself and the words of `sizes` that are its inflections or plain derivations, by
// English spelling rules: -S, -ES after S, X, Z, CH, SH and O, -ED, -ING (and -INGS), Y to I
// before -ES, -ED, -ER, -EST, -LY, -NESS, a final E dropped before a vowel ending, and the last
// consonant doubled after a short vowel (SHIT: SHITTING, SHITTY). A word is never taken because
// it merely starts with the list word: ASSESS, COCKTAIL and CUCUMBER are no forms of anything,
// since their endings are no English suffixes. Endings that also make unrelated words are held
// to more evidence:
//  - a form must be no more common in SCOWL than the list word (BUTTER, SCATTER and SPICY are
//    commoner than BUTT, SCAT and SPIC, so they are other words);
//  - -ER with -EST only as a pair (NUDER with NUDEST), else -ER as an agent noun only beside a
//    verb form of the list word at least as common as the noun (FUCKER beside FUCKED, but not
//    TITTER: TITTED is rarer);
//  - the derivations -ER, -Y, -ISH, -LY, -NESS and -FUL only from a list word SCOWL holds as a
//    word, so that CUM (an abbreviation there) loses CUMS and CUMMING but not CUMIN or CUMMER;
//  - a handful of ordinary words that the rules would still take are named as look-alikes and
//    kept: BUTTY, COCKER, COCKY, DICKY, SCATTY, VIBRATORY.
// A list word in -IZE also stands for its British spelling in -ISE (SODOMIZE, SODOMISE). A list
// word shorter than three letters, the shortest dictionary word, stands only for itself.
std::vector<std::string> formsOf(const std::string& listWord, const ScowlSizes& sizes);

// True for an entry that is no word to learn to spell: one with no vowel letter (HMM, SHH, PSST,
// BRR, NTH, PWN), or one of the short lists of speech noises (UGH, MEH, OOH) and of spellings of
// speech that stand for other words (MKAY, GONNA, YEP).
bool isNonWord(std::string_view word);

// Why a word is left out: the list word it is a form of, or an empty string for a non-word.
using LeftOut = std::map<std::string, std::string>;

// Every word the dictionaries leave out: each list word with its forms in `sizes`, and each word
// of `sizes` that is a non-word.
LeftOut wordsToLeaveOut(const std::vector<std::string>& offensive, const ScowlSizes& sizes);

} // namespace quorvel::mkdict
