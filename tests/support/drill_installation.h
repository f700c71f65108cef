#pragma once

// A folder laid out for a drill, as the drill tests of core and of the user interface both need
// it: a dictionary of short words, a startup record whose user 0 draws lists of three words of 3
// to 6 letters with no waits, and user 0's history file of ten drills.

#include "config/startup_info.h"
#include "dictionary/dictionary_format.h"
#include "support/temp_folder.h"

#include <functional>
#include <vector>

namespace quorvel::test {

// Twenty words of three to five letters in different buckets, so a three-word list is always
// found whatever bucket the draw starts in.
std::vector<DictionaryEntry> drillWords();

// Lays out `folder` (its progdata, dictionary, startup record and history) and leaves the saved
// record in `info`. `adjust` changes the record before it is saved: a test's own display times,
// the sound switched off, ...
void layOutDrillInstallation(const TempFolder& folder, StartupInfo& info,
    const std::vector<DictionaryEntry>& words = drillWords(),
    const std::function<void(StartupInfo&)>& adjust = {});

} // namespace quorvel::test
