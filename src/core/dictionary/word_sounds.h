#pragma once

// A word's recorded pronunciation on disk: choosing a free sound index for a word's four-letter
// prefix, telling a wave file from anything else, finding a recording whatever the case of its
// folder and file name, and moving recordings in and out of the waveform folder without ever
// replacing another file.

#include "platform/file.h"
#include "platform/services.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

enum class SoundIndexCheck
{
    Free, // no word sharing the prefix uses the index
    InUse,
    Unsuitable, // the word has no prefix (fewer than three letters, or not A-Z)
    FileError, // the dictionary could not be read, or its chain is damaged
};

// Whether sound index `index` is free among the words of the table of `category` (the category
// table for a category other than 0, else the main table) whose waveform prefix is the one of
// `word`. Those words lie in one bucket chain, in alphabetical order, so the scan stops after the
// last of them. A four-letter word and a three-letter one ("CATS", "CAT" for CATX) count as well:
// their files carry the same prefix.
SoundIndexCheck checkSoundIndex(File& file, int category, std::string_view word, int index);

struct SoundIndexChoice
{
    int index = 0; // 1..9999 when outcome is Free, else 0
    SoundIndexCheck outcome = SoundIndexCheck::InUse; // InUse: no spare number was found
};

// Draws numbers 1..9999 from `random` (a draw of 0 is drawn again) and takes the first that
// checkSoundIndex finds free and `fileTaken` (when given) does not reject: the files of both
// tables share one folder, so the caller rejects a number whose file is there already. Gives up
// at once on an unsuitable prefix or a file error, and after 10000 numbers in use.
SoundIndexChoice chooseSoundIndex(File& file, int category, std::string_view word,
    RandomSource& random, const std::function<bool(int)>& fileTaken = {});

// True when the file starts like a wave file: "RIFF", a length, "WAVE".
bool isWaveFile(const std::string& path);

// The path of the entry of `folder` whose name equals `name` when case is ignored (the exact name
// first), or nothing. Recordings may come from systems that do not keep case.
std::optional<std::string> findIgnoringCase(const std::string& folder, const std::string& name);

// The word's recording below `root` (root/Cwavefrm/CATX0042.wav, each part found whatever its
// case), or nothing when it cannot be named or is not there.
std::optional<std::string> findWordRecording(
    const std::string& root, const std::string& word, int soundIndex);

enum class FileMove
{
    Moved,
    TargetExists, // nothing moved: another file has that name
    Failed, // nothing moved: `error` tells why (a read-only folder, a missing file, ...)
};

// Moves a file, never replacing one: a rename, or across file systems a checked copy (written
// whole and synced) and the removal of the original. On failure nothing has changed.
FileMove moveFileNoReplace(const std::string& from, const std::string& to, int* error = nullptr);

// `name` in `folder`, or the first of name_2, name_3, ... (before the extension) that no entry
// of the folder has, case ignored: an unlinked recording never replaces an older one.
std::string unusedNameIn(const std::string& folder, const std::string& name);

} // namespace quorvel
