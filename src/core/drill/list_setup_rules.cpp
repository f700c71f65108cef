#include "drill/list_setup_rules.h"

#include "drill/drill_settings.h"

#include <algorithm>

namespace quorvel {

namespace {

bool inRange(const std::string& text, int minimum, int maximum)
{
    const int value = decimalValue(text);
    return value >= minimum && value <= maximum;
}

bool inRange(const std::string& text, const SpinRange& range)
{
    return inRange(text, range.minimum, range.maximum);
}

void keepInRange(std::string& edited, const std::string& stored, const SpinRange& range)
{
    if (!inRange(edited, range))
        edited = stored;
}

std::string positionText(const SliderTriple& triple)
{
    return std::to_string(triple.position);
}

} // namespace

int spinStart(const std::string& text, const SpinRange& range)
{
    const int value = decimalValue(text);
    return std::clamp(value == 0 ? range.fallback : value, range.minimum, range.maximum);
}

bool minimumStepAllowed(int current, int target, const std::string& maximumText)
{
    if (target < spin::kMinLetters.minimum || target > spin::kMinLetters.maximum)
        return false;
    return target <= current || target <= decimalValue(maximumText);
}

bool maximumStepAllowed(int current, int target, const std::string& minimumText)
{
    if (target < spin::kMaxLetters.minimum || target > spin::kMaxLetters.maximum)
        return false;
    return target >= current || target >= decimalValue(minimumText);
}

std::string minimumAfterEdit(const std::string& minimumText, const std::string& maximumText)
{
    const int minimum = decimalValue(minimumText);
    const int maximum = decimalValue(maximumText);
    if (minimum >= 3 && maximum >= 3 && minimum > maximum)
        return maximumText;
    return minimumText;
}

std::string maximumAfterEdit(const std::string& minimumText, const std::string& maximumText)
{
    const int minimum = decimalValue(minimumText);
    const int maximum = decimalValue(maximumText);
    if (minimum >= 4 && maximum >= 4 && maximum < minimum)
        return minimumText;
    return maximumText;
}

ListSetupRecord checkListSetupPage(ListSetupRecord edited, const ListSetupRecord& stored)
{
    const bool lettersOk = inRange(edited.minLetters, spin::kMinLetters)
        && inRange(edited.maxLetters, spin::kMaxLetters)
        && decimalValue(edited.maxLetters) >= decimalValue(edited.minLetters);
    if (!lettersOk) {
        edited.minLetters = stored.minLetters;
        edited.maxLetters = stored.maxLetters;
    }
    keepInRange(edited.listSize, stored.listSize, spin::kListSize);
    if (edited.oneLetter.size() != 1)
        edited.oneLetter = stored.oneLetter;
    if (edited.predefined.empty()
        || edited.predefined.size() > static_cast<std::size_t>(kPredefinedLength))
        edited.predefined = stored.predefined;
    return edited;
}

DisplaySetupRecord checkDisplayPage(DisplaySetupRecord edited, const DisplaySetupRecord& stored)
{
    keepInRange(edited.wordShowTime, stored.wordShowTime, spin::kWordShowTime);
    keepInRange(edited.answerDelay, stored.answerDelay, spin::kAnswerDelay);
    keepInRange(edited.spellTime, stored.spellTime, spin::kSpellTime);
    keepInRange(edited.betweenWords, stored.betweenWords, spin::kBetweenWords);
    return edited;
}

LearnSetupRecord applyLearnPage(LearnSetupRecord edited, const LearnSetupRecord& stored)
{
    keepInRange(edited.continuousTime, stored.continuousTime, spin::kContinuousTime);
    edited.flashDurationText = positionText(edited.flashDuration);
    edited.flashCountText = positionText(edited.flashCount);
    edited.rippleDurationText = positionText(edited.rippleDuration);
    edited.rippleCountText = positionText(edited.rippleCount);
    return edited;
}

std::uint32_t barPositionForText(const std::string& text, const SliderTriple& stored)
{
    const long long value = decimalValue(text);
    if (value >= static_cast<long long>(stored.minimum)
        && value <= static_cast<long long>(stored.maximum))
        return static_cast<std::uint32_t>(value);
    return stored.position;
}

ListSetupRecord applyLevelRule(
    ListSetupRecord list, Level levelAtOpening, const ListOptionsRecord& chosen)
{
    const Level level = levelOf(chosen);
    if (level == levelAtOpening)
        return list;
    switch (level) {
    case Level::Elementary:
        list.minLetters = "4";
        list.maxLetters = "6";
        break;
    case Level::Intermediate:
        list.minLetters = "7";
        list.maxLetters = "9";
        break;
    case Level::Advanced:
        list.minLetters = "10";
        list.maxLetters = "14";
        break;
    }
    return list;
}

DrillSettingsRecords DrillSettingsRecords::read(const StartupInfo& info, int user)
{
    return { info.listSetup(user), info.displaySetup(user), info.listOptions(user),
        info.learnSetup(user) };
}

void DrillSettingsRecords::write(StartupInfo& info, int user) const
{
    info.setListSetup(user, list);
    info.setDisplaySetup(user, display);
    info.setListOptions(user, options);
    info.setLearnSetup(user, learn);
}

DrillSettingsRecords applyListSetupSheet(
    const DrillSettingsRecords& edited, const DrillSettingsRecords& stored)
{
    DrillSettingsRecords result = edited;
    result.list = applyLevelRule(
        checkListSetupPage(edited.list, stored.list), levelOf(stored.options), edited.options);
    result.display = checkDisplayPage(edited.display, stored.display);
    result.learn = applyLearnPage(edited.learn, stored.learn);
    return result;
}

} // namespace quorvel
