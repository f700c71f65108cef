#include "drill_settings.h"

#include "config/startup_fields.h"
#include "config/startup_info.h"
#include "word_file.h"

#include <algorithm>

namespace quorvel {

void DocumentState::listMadeFromText(ListType source, bool made)
{
    bool& own = source == ListType::ScrapPad ? scrapListMade : beeListMade;
    bool& other = source == ListType::ScrapPad ? beeListMade : scrapListMade;
    own = made;
    if (made)
        other = false;
}

void DocumentState::beeWindowOpened()
{
    if (beeWindowCount < INT16_MAX)
        ++beeWindowCount;
}

void DocumentState::beeWindowClosed()
{
    --beeWindowCount;
    if (beeWindowCount < 1) {
        beeWindowCount = 0;
        beeListMade = false;
    }
}

void DocumentState::scrapPadClosed()
{
    scrapPadOpen = false;
    scrapListMade = false;
}

void DocumentState::userChanged()
{
    beeListMade = false;
    scrapListMade = false;
}

namespace {

using Id = StartupFieldId;

// A number of the record bounded to what its field may hold, so that a damaged or hand-made
// record cannot ask for a list of 65,000 words or a wait of days. A number that reads as 0 gives
// the drill's own fall-back first.
int storedNumber(int value, Id field, int whenZero)
{
    if (value == 0)
        return whenZero;
    const StartupRange& r = startupField(field).range;
    return static_cast<int>(std::clamp<long>(value, r.min, r.max));
}

// A display time below 0 reads as 1 and 0 stays 0 (no wait at all); above its range it is
// bounded like the other numbers.
int displayTime(int value, Id field)
{
    if (value <= 0)
        return value < 0 ? 1 : 0;
    return storedNumber(value, field, 0);
}

} // namespace

bool resetStrayWorkingCategory(StartupInfo& info, int user)
{
    if (info.workingCategory(user) < kCategorySlots)
        return false;
    info.setWorkingCategory(user, 0);
    return true;
}

DrillSettings readDrillSettings(const StartupInfo& info, int user, const DocumentState& documents)
{
    DrillSettings s;
    const UserSettings stored = UserSettings::read(info, user);
    const ListSetup& list = stored.list;
    const DisplaySetup& display = stored.display;
    const LearnSetup& learn = stored.learn;

    s.listSize = storedNumber(list.listSize, Id::ListSize, 10);
    s.minLetters = storedNumber(list.minLetters, Id::MinLetters, 5);
    s.maxLetters = storedNumber(list.maxLetters, Id::MaxLetters, 9);
    s.promotionPercent
        = storedNumber(decimalValue(info.promotionThreshold()), Id::PromotionThreshold, 90);
    s.demotionPercent
        = storedNumber(decimalValue(info.demotionThreshold()), Id::DemotionThreshold, 40);
    s.wordShowSeconds = displayTime(display.wordShowTime, Id::WordShowTime);
    s.answerDelaySeconds = displayTime(display.answerDelay, Id::AnswerDelay);
    s.spellSeconds = displayTime(display.spellTime, Id::SpellTime);
    s.betweenSeconds = displayTime(display.betweenWords, Id::BetweenWords);
    s.upperCase = display.letterCase == LetterCase::Upper;
    s.language = stored.options.language;
    s.category = info.workingCategory(user) < kCategorySlots ? info.workingCategory(user) : 0;
    s.oneLetter = list.oneLetter;
    s.predefined = list.predefined;

    if (documents.scrapPadOpen && documents.scrapListMade)
        s.listType = ListType::ScrapPad;
    else if (documents.beeWindowCount > 0 && documents.beeListMade)
        s.listType = ListType::Window;
    else
        s.listType = list.type;

    s.continuousSeconds = storedNumber(learn.continuousTime, Id::ContinuousTime, 3);
    s.flashCount = storedNumber(learn.flashCount, Id::FlashCountText, 3);
    s.rippleCount = storedNumber(learn.rippleCount, Id::RippleCountText, 2);
    s.flashDuration = storedNumber(learn.flashDuration, Id::FlashDurationText, 120);
    s.rippleDuration = storedNumber(learn.rippleDuration, Id::RippleDurationText, 120);
    return s;
}

ListCriteria drillListCriteria(const DrillSettings& settings, int user)
{
    ListCriteria c;
    c.count = static_cast<std::uint16_t>(settings.listSize);
    c.category = static_cast<std::uint16_t>(settings.category);
    c.language = static_cast<std::int16_t>(settings.language);
    c.minText = static_cast<std::int16_t>(settings.minLetters - 2);
    c.maxText = static_cast<std::int16_t>(settings.maxLetters - 2);
    c.user = static_cast<std::uint16_t>(user);
    c.listType = settings.listType;
    c.skipMismatch = 1;
    c.filterMode = 0;
    return c;
}

} // namespace quorvel
