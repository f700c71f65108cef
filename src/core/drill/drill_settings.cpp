#include "drill_settings.h"

#include "config/startup_info.h"
#include "word_file.h"

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

int orDefault(int value, int fallback)
{
    return value == 0 ? fallback : value;
}

int displayTime(const std::string& text)
{
    const int v = decimalValue(text);
    return v < 0 ? 1 : v;
}

} // namespace

DrillSettings loadDrillSettings(StartupInfo& info, int user, const DocumentState& documents)
{
    DrillSettings s;
    const ListSetupRecord list = info.listSetup(user);
    const DisplaySetupRecord display = info.displaySetup(user);
    const ListOptionsRecord options = info.listOptions(user);
    const LearnSetupRecord learn = info.learnSetup(user);

    s.listSize = orDefault(decimalValue(list.listSize), 10);
    s.minLetters = orDefault(decimalValue(list.minLetters), 5);
    s.maxLetters = orDefault(decimalValue(list.maxLetters), 9);
    s.promotionPercent = orDefault(decimalValue(info.promotionThreshold()), 90);
    s.demotionPercent = orDefault(decimalValue(info.demotionThreshold()), 40);
    s.wordShowSeconds = displayTime(display.wordShowTime);
    s.answerDelaySeconds = displayTime(display.answerDelay);
    s.spellSeconds = displayTime(display.spellTime);
    s.betweenSeconds = displayTime(display.betweenWords);
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

    s.continuousSeconds = orDefault(decimalValue(learn.continuousTime), 3);
    s.flashCount = orDefault(decimalValue(learn.flashCountText), 3);
    s.rippleCount = orDefault(decimalValue(learn.rippleCountText), 2);
    s.flashDuration = orDefault(decimalValue(learn.flashDurationText), 120);
    s.rippleDuration = orDefault(decimalValue(learn.rippleDurationText), 120);
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
