#include "drill_settings.h"

#include "config/startup_info.h"
#include "word_file.h"

namespace quorvel {

namespace {

int orDefault(int value, int fallback)
{
    return value == 0 ? fallback : value;
}

int displayTime(int value)
{
    return value < 0 ? 1 : value;
}

} // namespace

DrillSettings loadDrillSettings(StartupInfo& info, int user, const DocumentState& documents)
{
    DrillSettings s;
    const UserSettings stored = UserSettings::read(info, user);
    const ListSetup& list = stored.list;
    const DisplaySetup& display = stored.display;
    const LearnSetup& learn = stored.learn;

    s.listSize = orDefault(list.listSize, 10);
    s.minLetters = orDefault(list.minLetters, 5);
    s.maxLetters = orDefault(list.maxLetters, 9);
    s.promotionPercent = orDefault(decimalValue(info.promotionThreshold()), 90);
    s.demotionPercent = orDefault(decimalValue(info.demotionThreshold()), 40);
    s.wordShowSeconds = displayTime(display.wordShowTime);
    s.answerDelaySeconds = displayTime(display.answerDelay);
    s.spellSeconds = displayTime(display.spellTime);
    s.betweenSeconds = displayTime(display.betweenWords);
    s.upperCase = display.letterCase == LetterCase::Upper;
    s.language = stored.options.language;
    if (info.workingCategory(user) >= kCategorySlots)
        info.setWorkingCategory(user, 0);
    s.category = info.workingCategory(user);
    s.oneLetter = list.oneLetter;
    s.predefined = list.predefined;

    if (documents.scrapPadOpen && documents.scrapListMade)
        s.listType = ListType::ScrapPad;
    else if (documents.beeWindowCount > 0 && documents.beeListMade)
        s.listType = ListType::Window;
    else
        s.listType = list.type;

    s.continuousSeconds = orDefault(learn.continuousTime, 3);
    s.flashCount = orDefault(learn.flashCount, 3);
    s.rippleCount = orDefault(learn.rippleCount, 2);
    s.flashDuration = orDefault(learn.flashDuration, 120);
    s.rippleDuration = orDefault(learn.rippleDuration, 120);
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
