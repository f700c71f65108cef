#include "drill_settings.h"

#include "config/startup_fields.h"
#include "config/startup_info.h"
#include "word_file.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel {

int decimalValue(const std::string& text)
{
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (v < -0x7FFFFFFF)
        return -0x7FFFFFFF;
    return static_cast<int>(v);
}

namespace {

// A number of the record bounded to what its field may hold, so that a damaged or hand-made
// record cannot ask for a list of 65,000 words or a wait of days. A text that reads as 0 gives
// the drill's own fall-back first.
int storedNumber(const std::string& text, std::string_view field, int whenZero)
{
    const int v = decimalValue(text);
    if (v == 0)
        return whenZero;
    const StartupField* f = findStartupField(field);
    return f ? static_cast<int>(std::clamp<long>(v, f->range.min, f->range.max)) : v;
}

// A display time below 0 reads as 1 and 0 stays 0 (no wait at all); above its range it is
// bounded like the other numbers.
int displayTime(const std::string& text, std::string_view field)
{
    const int v = decimalValue(text);
    if (v <= 0)
        return v < 0 ? 1 : 0;
    return storedNumber(text, field, 0);
}

} // namespace

DrillSettings loadDrillSettings(StartupInfo& info, int user, const DocumentState& documents)
{
    DrillSettings s;
    const ListSetupRecord list = info.listSetup(user);
    const DisplaySetupRecord display = info.displaySetup(user);
    const ListOptionsRecord options = info.listOptions(user);
    const LearnSetupRecord learn = info.learnSetup(user);

    s.listSize = storedNumber(list.listSize, "listSetup.listSize", 10);
    s.minLetters = storedNumber(list.minLetters, "listSetup.minLetters", 5);
    s.maxLetters = storedNumber(list.maxLetters, "listSetup.maxLetters", 9);
    s.promotionPercent = storedNumber(info.promotionThreshold(), "promotionThreshold", 90);
    s.demotionPercent = storedNumber(info.demotionThreshold(), "demotionThreshold", 40);
    s.wordShowSeconds = displayTime(display.wordShowTime, "displaySetup.wordShowTime");
    s.answerDelaySeconds = displayTime(display.answerDelay, "displaySetup.answerDelay");
    s.spellSeconds = displayTime(display.spellTime, "displaySetup.spellTime");
    s.betweenSeconds = displayTime(display.betweenWords, "displaySetup.betweenWords");
    s.upperCase = display.lowerCase != 1;
    s.language = options.languageUK == 1 ? 1 : 2;
    if (info.workingCategory(user) >= 64)
        info.setWorkingCategory(user, 0);
    s.category = info.workingCategory(user);
    s.oneLetter = list.oneLetter;
    s.predefined = list.predefined;

    if (documents.scrapPadOpen && documents.scrapListMade)
        s.listType = ListType::kScrapPad;
    else if (documents.beeWindowCount > 0 && documents.beeListMade)
        s.listType = ListType::kWindow;
    else if (list.typeRandom == 1)
        s.listType = ListType::kRandom;
    else if (list.typeOneLetter == 1)
        s.listType = ListType::kOneLetter;
    else if (list.typePredefined == 1)
        s.listType = ListType::kPredefined;
    else if (list.typeFailures == 1)
        s.listType = ListType::kFailures;
    else
        s.listType = ListType::kRandom;

    s.continuousSeconds = storedNumber(learn.continuousTime, "learnSetup.continuousTime", 3);
    s.flashCount = storedNumber(learn.flashCountText, "learnSetup.flashCountText", 3);
    s.rippleCount = storedNumber(learn.rippleCountText, "learnSetup.rippleCountText", 2);
    s.flashDuration = storedNumber(learn.flashDurationText, "learnSetup.flashDurationText", 120);
    s.rippleDuration = storedNumber(learn.rippleDurationText, "learnSetup.rippleDurationText", 120);
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
    c.listType = static_cast<std::uint32_t>(settings.listType);
    c.skipMismatch = 1;
    c.filterMode = 0;
    return c;
}

} // namespace quorvel
