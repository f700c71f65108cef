#include "startup_fields.h"

#include <array>

namespace quorvel {

using namespace startup_layout;
using K = StartupFieldKind;

namespace {

constexpr int kOne = 1;
constexpr int kUsers = kUserSlots;

constexpr std::array kFields = {
    StartupField { "categoryNames", K::Text, kCategoryNames, kCategoryNameWidth, kCategoryNameWidth,
        kCategorySlots },
    StartupField { "startupUser", K::U16, kStartupUser, 2, 0, kOne },
    StartupField { "dictionaryOpened", K::U16, kDictionaryOpened, 2, 0, kOne },
    StartupField { "systemPasswordOn", K::U16, kSystemPasswordOn, 2, 0, kOne },
    StartupField { "additionalDictPath", K::Text, kAdditionalDictPath, kPathWidth, 0, kOne },
    StartupField { "waveformPath", K::Text, kWaveformPath, kPathWidth, 0, kOne },
    StartupField { "dataFolder", K::Text, kDataFolder, kPathWidth, 0, kOne },
    StartupField { "dictionaryFolder", K::Text, kDictionaryFolder, kPathWidth, 0, kOne },
    StartupField { "soundOn", K::U16, kSoundOn, 2, 2, kUsers },
    StartupField { "promotionThreshold", K::Text, kPromotionThreshold, kThresholdWidth, 0, kOne },
    StartupField { "demotionThreshold", K::Text, kDemotionThreshold, kThresholdWidth, 0, kOne },
    StartupField { "userNames", K::Text, kUserNames, kUserNameWidth, kUserNameWidth, kUsers },
    StartupField { "drillWindowLayout", K::U16, kDrillWindowLayout, 2, 2, kUsers },
    StartupField { "passwordOn", K::U16, kPasswordOn, 2, 2, kUsers },
    StartupField { "systemPassword", K::Password, kSystemPassword, kPasswordWidth, 0, kOne },
    StartupField { "browseWord", K::Text, kBrowseWord, kBrowseWordWidth, kBrowseWordWidth, kUsers },
    StartupField { "drillLanguage", K::U16, kDrillLanguage, 2, 2, kUsers },
    StartupField { "workingCategory", K::U16, kWorkingCategory, 2, 2, kUsers },
    StartupField {
        "userPasswords", K::Password, kUserPasswords, kPasswordWidth, kPasswordWidth, kUsers },

    StartupField {
        "displaySetup.wordShowTime", K::Text, kDisplaySetup + 0, 15, kDisplaySetupSize, kUsers },
    StartupField {
        "displaySetup.answerDelay", K::Text, kDisplaySetup + 15, 15, kDisplaySetupSize, kUsers },
    StartupField {
        "displaySetup.spellTime", K::Text, kDisplaySetup + 30, 15, kDisplaySetupSize, kUsers },
    StartupField {
        "displaySetup.betweenWords", K::Text, kDisplaySetup + 45, 15, kDisplaySetupSize, kUsers },
    StartupField {
        "displaySetup.upperCase", K::U16, kDisplaySetup + 60, 2, kDisplaySetupSize, kUsers },
    StartupField {
        "displaySetup.lowerCase", K::U16, kDisplaySetup + 62, 2, kDisplaySetupSize, kUsers },

    StartupField { "listSetup.minLetters", K::Text, kListSetup + 0, 15, kListSetupSize, kUsers },
    StartupField { "listSetup.maxLetters", K::Text, kListSetup + 15, 15, kListSetupSize, kUsers },
    StartupField { "listSetup.listSize", K::Text, kListSetup + 30, 15, kListSetupSize, kUsers },
    StartupField { "listSetup.oneLetter", K::Text, kListSetup + 45, 15, kListSetupSize, kUsers },
    StartupField { "listSetup.predefined", K::Text, kListSetup + 60, 12, kListSetupSize, kUsers },
    StartupField { "listSetup.typeFailures", K::U16, kListSetup + 72, 2, kListSetupSize, kUsers },
    StartupField { "listSetup.typePredefined", K::U16, kListSetup + 74, 2, kListSetupSize, kUsers },
    StartupField { "listSetup.typeOneLetter", K::U16, kListSetup + 76, 2, kListSetupSize, kUsers },
    StartupField { "listSetup.typeRandom", K::U16, kListSetup + 78, 2, kListSetupSize, kUsers },

    StartupField {
        "listOptions.adjustPractice", K::U16, kListOptions + 0, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.adjustManual", K::U16, kListOptions + 2, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.adjustAuto", K::U16, kListOptions + 4, 2, kListOptionsSize, kUsers },
    StartupField { "listOptions.repeatAll", K::U16, kListOptions + 6, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.repeatFailures", K::U16, kListOptions + 8, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.levelElementary", K::U16, kListOptions + 10, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.levelIntermediate", K::U16, kListOptions + 12, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.levelAdvanced", K::U16, kListOptions + 14, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.languageUK", K::U16, kListOptions + 16, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.languageUS", K::U16, kListOptions + 18, 2, kListOptionsSize, kUsers },
    StartupField {
        "listOptions.showLanguageFlag", K::U16, kListOptions + 20, 2, kListOptionsSize, kUsers },

    StartupField { "learnSetup.learnFlash", K::U16, kLearnSetup + 0, 2, kLearnSetupSize, kUsers },
    StartupField { "learnSetup.learnRipple", K::U16, kLearnSetup + 2, 2, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.learnContinuous", K::U16, kLearnSetup + 4, 2, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.continuousTime", K::Text, kLearnSetup + 6, 15, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.flashDurationText", K::Text, kLearnSetup + 21, 15, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.flashCountText", K::Text, kLearnSetup + 36, 15, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.rippleDurationText", K::Text, kLearnSetup + 51, 15, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.rippleCountText", K::Text, kLearnSetup + 66, 15, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.flashDuration", K::Slider, kLearnSetup + 81, 12, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.flashCount", K::Slider, kLearnSetup + 93, 12, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.rippleDuration", K::Slider, kLearnSetup + 105, 12, kLearnSetupSize, kUsers },
    StartupField {
        "learnSetup.rippleCount", K::Slider, kLearnSetup + 117, 12, kLearnSetupSize, kUsers },
};

} // namespace

std::span<const StartupField> startupFields()
{
    return kFields;
}

const StartupField* findStartupField(std::string_view name)
{
    for (const StartupField& f : kFields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

} // namespace quorvel
