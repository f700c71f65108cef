#pragma once

// The list-status fields of the main window's status bar: where the current user's next list
// comes from, how many words it holds and of what type, and the sound and language pictures.

#include <ctime>
#include <string>

namespace quorvel {

class Session;

// The kind of the current user's word file: its ListState when 1 or 2; 4 for a scrap pad list
// (state 4, type 5); 8 for a bee/text window list (state 8, type 6); otherwise 0, also when the
// file is missing or unreadable.
int currentListKind(const Session& session);

struct ListStatusFields
{
    std::string listSize; // the user's list size text
    std::string wordFilter; // "Word filter: 4 to 10"
    int soundImage = 0; // 1 sound on, 0 off
    int listIcon = 1; // 1 dictionary, 2 bee file, 3 scrap pad
    std::string source; // "Dictionary", "Bee File  ", "Scrap Pad "
    std::string wordCount; // at most three characters
    // "Failures  ", "Predefined", "One Letter", "Random    ", "Review due" or ten blanks
    std::string listType;
    int languageImage = 2; // 0 UK, 1 US, 2 no flag
    std::string reviewDue; // "Review due: 3"; "Review due: ?" when the schedule cannot be read
};

// The fields for the current user at `now` (the review schedule's due words).
ListStatusFields computeListStatus(const Session& session, std::time_t now);
// The same at the system clock's time.
ListStatusFields computeListStatus(const Session& session);

} // namespace quorvel
