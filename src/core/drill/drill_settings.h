#pragma once

// A user's drill settings as the drill reads them from the startup record: decimal texts turned
// into numbers, with the fall-backs for texts that read as 0, and every number bounded to what
// its field may hold.

#include "config/user_settings.h"
#include "dictionary/dictionary_walk.h"

#include <string>

namespace quorvel {

class StartupInfo;

// Where the next list comes from, besides the user's list setup: the document windows' flags.
struct DocumentState
{
    bool beeListMade = false;
    bool scrapListMade = false;
    std::int16_t beeWindowCount = 0;
    bool scrapPadOpen = false;

    // A list made (or not) from a bee/text window (ListType::Window) or a scrap pad page
    // (ListType::ScrapPad): a list made marks its source and clears the other's mark; no list
    // clears the source's mark.
    void listMadeFromText(ListType source, bool made);
    void beeWindowOpened();
    // When the last bee/text window has closed, no list can come from one any more.
    void beeWindowClosed();
    // The closed scrap pad takes its list mark with it.
    void scrapPadClosed();
    // Another user's word file was not made from any window.
    void userChanged();
};

struct DrillSettings
{
    int listSize = 10;
    int minLetters = 4;
    int maxLetters = 10;
    int promotionPercent = 90;
    int demotionPercent = 20;
    int wordShowSeconds = 2;
    int answerDelaySeconds = 1;
    int spellSeconds = 60;
    int betweenSeconds = 1;
    bool upperCase = true;
    Language language = Language::US;
    int category = 0;
    ListType listType = ListType::Random;
    std::string oneLetter;
    std::string predefined;
    int continuousSeconds = 1;
    int flashCount = 2, rippleCount = 1;
    int flashDuration = 360, rippleDuration = 360; // milliseconds
};

// User `user`'s settings. A working category of 64 or more reads as 0.
DrillSettings readDrillSettings(
    const StartupInfo& info, int user, const DocumentState& documents = {});

// Puts a working category of 64 or more back to 0 in the record, as the drill reads it; true when
// the record was changed.
bool resetStrayWorkingCategory(StartupInfo& info, int user);

// The list request of a drill for these settings.
ListCriteria drillListCriteria(const DrillSettings& settings, int user);

} // namespace quorvel
