#pragma once

// The import of an additional dictionary: a dictionary file of kind 20 (adddict.dis) and the
// names of its categories (adddict.cfg), read from a folder. The words of one of its categories
// are added to one category of the working dictionary: Add fills a free category, which then
// takes the imported category's name; Combine puts the words into a named one. With `force`,
// words the dictionary already holds are moved to the target category as well.
//
// Both files are checked whole before anything is written: a category file of the wrong size,
// without its mark, or with names that are not text, and a dictionary that is not an additional
// one or is damaged, are refused with the reason, and nothing changes.

#include "config/startup_info.h"
#include "dictionary/dictionary_backup.h"
#include "dictionary/dictionary_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class Session;

inline constexpr const char* kAdditionalConfigName = "adddict.cfg";
inline constexpr const char* kAdditionalDictionaryName = "adddict.dis";
// The category file: 64 names of 27 bytes, then a u16 that must be 1.
inline constexpr std::size_t kAdditionalConfigSize = 1730;
inline constexpr std::size_t kAdditionalNameWidth = 27;
inline constexpr std::size_t kAdditionalMarkOffset = 1728;

// The folder the import reads: the record's additional dictionary path, or the installation's
// backup folder when the record holds none.
std::string additionalImportFolder(const StartupInfo& info, const std::string& programFolder);
// folder + name, with one separator between them.
std::string additionalFilePath(const std::string& folder, const char* name);

using AdditionalCategoryNames = std::array<std::string, kCategorySlots>;

// The names of a category file's bytes, or nothing with the reason (`file` names the file in it).
struct AdditionalConfigRead
{
    std::optional<AdditionalCategoryNames> names;
    std::string reason;
};
AdditionalConfigRead decodeAdditionalConfig(
    const std::vector<std::uint8_t>& bytes, const std::string& file);
// The bytes of a category file holding `names`; a name is cut to the 26 characters its field
// holds. In a new file every category but the main dictionary is "Free".
std::vector<std::uint8_t> encodeAdditionalConfig(const AdditionalCategoryNames& names);
AdditionalCategoryNames defaultAdditionalNames();
// Whether `name` can name a category of the file: 1 to 26 characters, none of them a control.
bool isAdditionalCategoryName(const std::string& name);
// Reads folder/adddict.cfg. The file is read whole but never more than a byte past its size,
// so a large file in its place costs nothing.
AdditionalConfigRead readAdditionalConfig(const std::string& folder);

// Opens folder/adddict.dis for reading when it is an additional dictionary that checks sound
// throughout; otherwise null, with the reason in `reason`.
DictionaryHandle openAdditionalDictionary(const std::string& folder, std::string* reason = nullptr);

// Whether sound index `index` is free for `word` among the words of the working dictionary that
// share its first four letters, in the table of `category`.
using SoundIndexFree
    = std::function<bool(File& working, int category, std::string_view word, int index)>;
// The check the editor links recordings by (checkSoundIndex): false (taken) also when the prefix
// is not a word or the file fails.
bool soundIndexFreeForPrefix(File& working, int category, std::string_view word, int index);

struct AdditionalImportRequest
{
    int from = 0; // the additional dictionary's category
    int to = 0; // the working dictionary's category
    bool force = false;
    SoundIndexFree soundIndexFree; // empty: an imported sound is never linked
};

struct AdditionalImportCounts
{
    long successful = 0;
    long already = 0;
    long unable = 0;
    long moved = 0; // of `already`: words the force moved to another category
    bool readError = false; // the additional dictionary failed: the words after it were not read
    bool fileError = false; // the working dictionary failed: the words after it were not tried
    // Words were added or moved: the users' lists must be marked out of date.
    bool changedWords() const { return successful > 0 || moved > 0; }
};

// Imports the words of category `from` of the open additional dictionary into the open working
// one. The additional file is only read; its words are read before the first is added.
AdditionalImportCounts importAdditionalCategory(
    File& additional, File& working, const AdditionalImportRequest& request);

// The closing message: the three counts.
Notice additionalImportNotice(const AdditionalImportCounts& counts);

// What the dialog shows and chooses.
struct AdditionalImportValues
{
    std::string folder;
    AdditionalCategoryNames sourceNames; // from the category file
    int from = 0;
    int to = 0;
    bool force = false;
};

enum class AdditionalImportAction
{
    Add,
    Combine,
};

struct AdditionalImportOutcome
{
    bool ran = false; // the files were opened and the words walked
    AdditionalImportCounts counts;
    bool named = false; // Add gave the free category its name (and the record was saved)
};

// One button of the dialog on the session: refuses a choice that does not fit the action, asks
// before it starts, imports with the busy hook on, shows the messages (the files' problems, the
// counts), names the free category after an Add that added a word and saves the record. After a
// run that added or moved words the users' lists are marked out of date and the session told.
AdditionalImportOutcome applyAdditionalImport(Session& session, AdditionalImportAction action,
    const AdditionalImportValues& values, Prompter& prompter, const SoundIndexFree& check,
    const BusyHook& busy = {});

} // namespace quorvel
