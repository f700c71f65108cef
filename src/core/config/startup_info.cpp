#include "startup_info.h"

#include "platform/file.h"
#include "platform/file_errors.h"
#include "platform/le_codec.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/strings.h"
#include "users/password_scramble.h"

#include <cstring>

namespace quorvel {

using namespace startup_layout;

namespace {

constexpr std::size_t kNum = kNumberTextWidth;

std::size_t userOffset(std::size_t base, std::size_t size, int user)
{
    return base + static_cast<std::size_t>(user) * size;
}

bool validUser(int user)
{
    return user >= 0 && user < kUserSlots;
}

} // namespace

// --- sub-records ---------------------------------------------------------------------------

DisplaySetupRecord DisplaySetupRecord::decode(const std::uint8_t* p)
{
    DisplaySetupRecord r;
    r.wordShowTime = le::text(p + 0, kNum);
    r.answerDelay = le::text(p + 15, kNum);
    r.spellTime = le::text(p + 30, kNum);
    r.betweenWords = le::text(p + 45, kNum);
    r.upperCase = le::u16(p + 60);
    r.lowerCase = le::u16(p + 62);
    return r;
}

void DisplaySetupRecord::encode(std::uint8_t* p) const
{
    le::putText(p + 0, kNum, wordShowTime);
    le::putText(p + 15, kNum, answerDelay);
    le::putText(p + 30, kNum, spellTime);
    le::putText(p + 45, kNum, betweenWords);
    le::putU16(p + 60, upperCase);
    le::putU16(p + 62, lowerCase);
}

ListSetupRecord ListSetupRecord::decode(const std::uint8_t* p)
{
    ListSetupRecord r;
    r.minLetters = le::text(p + 0, kNum);
    r.maxLetters = le::text(p + 15, kNum);
    r.listSize = le::text(p + 30, kNum);
    r.oneLetter = le::text(p + 45, kNum);
    r.predefined = le::text(p + 60, kPredefinedWidth);
    r.typeFailures = le::u16(p + 72);
    r.typePredefined = le::u16(p + 74);
    r.typeOneLetter = le::u16(p + 76);
    r.typeRandom = le::u16(p + 78);
    return r;
}

void ListSetupRecord::encode(std::uint8_t* p) const
{
    le::putText(p + 0, kNum, minLetters);
    le::putText(p + 15, kNum, maxLetters);
    le::putText(p + 30, kNum, listSize);
    le::putText(p + 45, kNum, oneLetter);
    le::putText(p + 60, kPredefinedWidth, predefined);
    le::putU16(p + 72, typeFailures);
    le::putU16(p + 74, typePredefined);
    le::putU16(p + 76, typeOneLetter);
    le::putU16(p + 78, typeRandom);
}

ListOptionsRecord ListOptionsRecord::decode(const std::uint8_t* p)
{
    ListOptionsRecord r;
    std::uint16_t* fields[] = { &r.adjustPractice, &r.adjustManual, &r.adjustAuto, &r.repeatAll,
        &r.repeatFailures, &r.levelElementary, &r.levelIntermediate, &r.levelAdvanced,
        &r.languageUK, &r.languageUS, &r.showLanguageFlag };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = le::u16(p + 2 * i);
    return r;
}

void ListOptionsRecord::encode(std::uint8_t* p) const
{
    const std::uint16_t fields[]
        = { adjustPractice, adjustManual, adjustAuto, repeatAll, repeatFailures, levelElementary,
              levelIntermediate, levelAdvanced, languageUK, languageUS, showLanguageFlag };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        le::putU16(p + 2 * i, fields[i]);
}

namespace {

SliderTriple decodeTriple(const std::uint8_t* p)
{
    return { le::u32(p), le::u32(p + 4), le::u32(p + 8) };
}

void encodeTriple(std::uint8_t* p, const SliderTriple& t)
{
    le::putU32(p, t.minimum);
    le::putU32(p + 4, t.maximum);
    le::putU32(p + 8, t.position);
}

} // namespace

LearnSetupRecord LearnSetupRecord::decode(const std::uint8_t* p)
{
    LearnSetupRecord r;
    r.learnFlash = le::u16(p + 0);
    r.learnRipple = le::u16(p + 2);
    r.learnContinuous = le::u16(p + 4);
    r.continuousTime = le::text(p + 6, kNum);
    r.flashDurationText = le::text(p + 21, kNum);
    r.flashCountText = le::text(p + 36, kNum);
    r.rippleDurationText = le::text(p + 51, kNum);
    r.rippleCountText = le::text(p + 66, kNum);
    r.flashDuration = decodeTriple(p + 81);
    r.flashCount = decodeTriple(p + 93);
    r.rippleDuration = decodeTriple(p + 105);
    r.rippleCount = decodeTriple(p + 117);
    return r;
}

void LearnSetupRecord::encode(std::uint8_t* p) const
{
    le::putU16(p + 0, learnFlash);
    le::putU16(p + 2, learnRipple);
    le::putU16(p + 4, learnContinuous);
    le::putText(p + 6, kNum, continuousTime);
    le::putText(p + 21, kNum, flashDurationText);
    le::putText(p + 36, kNum, flashCountText);
    le::putText(p + 51, kNum, rippleDurationText);
    le::putText(p + 66, kNum, rippleCountText);
    encodeTriple(p + 81, flashDuration);
    encodeTriple(p + 93, flashCount);
    encodeTriple(p + 105, rippleDuration);
    encodeTriple(p + 117, rippleCount);
}

// --- raw access ----------------------------------------------------------------------------

std::uint16_t StartupInfo::u16At(std::size_t offset) const
{
    return le::u16(m_bytes.data() + offset);
}

void StartupInfo::setU16At(std::size_t offset, std::uint16_t value)
{
    le::putU16(m_bytes.data() + offset, value);
}

std::uint32_t StartupInfo::u32At(std::size_t offset) const
{
    return le::u32(m_bytes.data() + offset);
}

void StartupInfo::setU32At(std::size_t offset, std::uint32_t value)
{
    le::putU32(m_bytes.data() + offset, value);
}

std::string StartupInfo::textAt(std::size_t offset, std::size_t width) const
{
    return le::text(m_bytes.data() + offset, width);
}

void StartupInfo::setTextAt(std::size_t offset, std::size_t width, std::string_view text)
{
    le::putText(m_bytes.data() + offset, width, text);
}

// --- named fields --------------------------------------------------------------------------

std::string StartupInfo::categoryName(int slot) const
{
    if (slot < 0 || slot >= kCategorySlots)
        return {};
    return textAt(userOffset(kCategoryNames, kCategoryNameWidth, slot), kCategoryNameWidth);
}

void StartupInfo::setCategoryName(int slot, std::string_view name)
{
    if (slot >= 0 && slot < kCategorySlots)
        setTextAt(userOffset(kCategoryNames, kCategoryNameWidth, slot), kCategoryNameWidth, name);
}

std::uint16_t StartupInfo::startupUser() const
{
    return u16At(kStartupUser);
}
void StartupInfo::setStartupUser(std::uint16_t slot)
{
    setU16At(kStartupUser, slot);
}
std::uint16_t StartupInfo::dictionaryOpened() const
{
    return u16At(kDictionaryOpened);
}
void StartupInfo::setDictionaryOpened(std::uint16_t value)
{
    setU16At(kDictionaryOpened, value);
}
std::uint16_t StartupInfo::systemPasswordOn() const
{
    return u16At(kSystemPasswordOn);
}
void StartupInfo::setSystemPasswordOn(std::uint16_t value)
{
    setU16At(kSystemPasswordOn, value);
}

std::string StartupInfo::additionalDictPath() const
{
    return textAt(kAdditionalDictPath, kPathWidth);
}
void StartupInfo::setAdditionalDictPath(std::string_view p)
{
    setTextAt(kAdditionalDictPath, kPathWidth, p);
}
std::string StartupInfo::waveformPath() const
{
    return textAt(kWaveformPath, kPathWidth);
}
void StartupInfo::setWaveformPath(std::string_view p)
{
    setTextAt(kWaveformPath, kPathWidth, p);
}
std::string StartupInfo::dataFolder() const
{
    return textAt(kDataFolder, kPathWidth);
}
void StartupInfo::setDataFolder(std::string_view p)
{
    setTextAt(kDataFolder, kPathWidth, p);
}
std::string StartupInfo::dictionaryFolder() const
{
    return textAt(kDictionaryFolder, kPathWidth);
}
void StartupInfo::setDictionaryFolder(std::string_view p)
{
    setTextAt(kDictionaryFolder, kPathWidth, p);
}

std::uint16_t StartupInfo::soundOn(int user) const
{
    return validUser(user) ? u16At(userOffset(kSoundOn, 2, user)) : 0;
}

void StartupInfo::setSoundOn(int user, std::uint16_t value)
{
    if (validUser(user))
        setU16At(userOffset(kSoundOn, 2, user), value);
}

std::string StartupInfo::promotionThreshold() const
{
    return textAt(kPromotionThreshold, kThresholdWidth);
}
void StartupInfo::setPromotionThreshold(std::string_view t)
{
    setTextAt(kPromotionThreshold, kThresholdWidth, t);
}
std::string StartupInfo::demotionThreshold() const
{
    return textAt(kDemotionThreshold, kThresholdWidth);
}
void StartupInfo::setDemotionThreshold(std::string_view t)
{
    setTextAt(kDemotionThreshold, kThresholdWidth, t);
}

std::string StartupInfo::userName(int user) const
{
    return validUser(user) ? textAt(userOffset(kUserNames, kUserNameWidth, user), kUserNameWidth)
                           : std::string();
}

void StartupInfo::setUserName(int user, std::string_view name)
{
    if (validUser(user))
        setTextAt(userOffset(kUserNames, kUserNameWidth, user), kUserNameWidth, name);
}

std::uint16_t StartupInfo::drillWindowLayout(int user) const
{
    return validUser(user) ? u16At(userOffset(kDrillWindowLayout, 2, user)) : 0;
}

void StartupInfo::setDrillWindowLayout(int user, std::uint16_t value)
{
    if (validUser(user))
        setU16At(userOffset(kDrillWindowLayout, 2, user), value);
}

std::uint16_t StartupInfo::passwordOn(int user) const
{
    return validUser(user) ? u16At(userOffset(kPasswordOn, 2, user)) : 0;
}

void StartupInfo::setPasswordOn(int user, std::uint16_t value)
{
    if (validUser(user))
        setU16At(userOffset(kPasswordOn, 2, user), value);
}

PasswordBytes StartupInfo::systemPassword() const
{
    PasswordBytes out {};
    std::memcpy(out.data(), m_bytes.data() + kSystemPassword, out.size());
    return out;
}

void StartupInfo::setSystemPassword(const PasswordBytes& scrambled)
{
    std::memcpy(m_bytes.data() + kSystemPassword, scrambled.data(), scrambled.size());
    m_bytes[kSystemPassword + 10] = 0;
}

std::string StartupInfo::browseWord(int user) const
{
    return validUser(user)
        ? textAt(userOffset(kBrowseWord, kBrowseWordWidth, user), kBrowseWordWidth)
        : std::string();
}

void StartupInfo::setBrowseWord(int user, std::string_view word)
{
    if (validUser(user))
        setTextAt(userOffset(kBrowseWord, kBrowseWordWidth, user), kBrowseWordWidth, word);
}

std::uint16_t StartupInfo::drillLanguage(int user) const
{
    return validUser(user) ? u16At(userOffset(kDrillLanguage, 2, user)) : 0;
}

void StartupInfo::setDrillLanguage(int user, std::uint16_t value)
{
    if (validUser(user))
        setU16At(userOffset(kDrillLanguage, 2, user), value);
}

std::uint16_t StartupInfo::workingCategory(int user) const
{
    return validUser(user) ? u16At(userOffset(kWorkingCategory, 2, user)) : 0;
}

void StartupInfo::setWorkingCategory(int user, std::uint16_t value)
{
    if (validUser(user))
        setU16At(userOffset(kWorkingCategory, 2, user), value);
}

DisplaySetupRecord StartupInfo::displaySetup(int user) const
{
    return validUser(user) ? DisplaySetupRecord::decode(
               m_bytes.data() + userOffset(kDisplaySetup, kDisplaySetupSize, user))
                           : DisplaySetupRecord {};
}

void StartupInfo::setDisplaySetup(int user, const DisplaySetupRecord& record)
{
    if (validUser(user))
        record.encode(m_bytes.data() + userOffset(kDisplaySetup, kDisplaySetupSize, user));
}

PasswordBytes StartupInfo::userPassword(int user) const
{
    PasswordBytes out {};
    if (validUser(user))
        std::memcpy(out.data(), m_bytes.data() + userOffset(kUserPasswords, kPasswordWidth, user),
            out.size());
    return out;
}

void StartupInfo::setUserPassword(int user, const PasswordBytes& scrambled)
{
    if (!validUser(user))
        return;
    std::uint8_t* p = m_bytes.data() + userOffset(kUserPasswords, kPasswordWidth, user);
    std::memcpy(p, scrambled.data(), scrambled.size());
    p[10] = 0;
}

ListSetupRecord StartupInfo::listSetup(int user) const
{
    return validUser(user)
        ? ListSetupRecord::decode(m_bytes.data() + userOffset(kListSetup, kListSetupSize, user))
        : ListSetupRecord {};
}

void StartupInfo::setListSetup(int user, const ListSetupRecord& record)
{
    if (validUser(user))
        record.encode(m_bytes.data() + userOffset(kListSetup, kListSetupSize, user));
}

ListOptionsRecord StartupInfo::listOptions(int user) const
{
    return validUser(user) ? ListOptionsRecord::decode(
               m_bytes.data() + userOffset(kListOptions, kListOptionsSize, user))
                           : ListOptionsRecord {};
}

void StartupInfo::setListOptions(int user, const ListOptionsRecord& record)
{
    if (validUser(user))
        record.encode(m_bytes.data() + userOffset(kListOptions, kListOptionsSize, user));
}

LearnSetupRecord StartupInfo::learnSetup(int user) const
{
    return validUser(user)
        ? LearnSetupRecord::decode(m_bytes.data() + userOffset(kLearnSetup, kLearnSetupSize, user))
        : LearnSetupRecord {};
}

void StartupInfo::setLearnSetup(int user, const LearnSetupRecord& record)
{
    if (validUser(user))
        record.encode(m_bytes.data() + userOffset(kLearnSetup, kLearnSetupSize, user));
}

// --- defaults and the file -----------------------------------------------------------------

void FillStartupDefaults(StartupInfo& info, std::optional<std::string> currentFolder)
{
    if (!currentFolder)
        currentFolder = paths::currentFolder();
    info.bytes().fill(0); // every reserved field is zero
    if (currentFolder) {
        info.setDictionaryFolder(*currentFolder);
        info.setDataFolder(*currentFolder);
        info.setWaveformPath(paths::waveformFolder(*currentFolder));
        info.setAdditionalDictPath(paths::backupFolder(*currentFolder));
    } else {
        const std::string fallback = paths::fallbackBaseFolder();
        info.setDictionaryFolder(fallback);
        info.setDataFolder(fallback);
        info.setWaveformPath(fallback);
        info.setAdditionalDictPath(paths::backupFolder(fallback));
    }
    info.setStartupUser(0);
    info.setSystemPasswordOn(0);
    info.setDictionaryOpened(1);

    PasswordBuffer system {};
    scrambleText(kFactorySystemPassword, kSystemPasswordKey, system);
    info.setSystemPassword(system);

    const ListSetupRecord list { "4", "10", "10", "A", "C?M", 0, 0, 0, 1 };
    ListOptionsRecord options;
    options.adjustManual = 1;
    options.repeatAll = 1;
    options.levelElementary = 1;
    options.languageUS = 1;
    options.showLanguageFlag = 1;
    const LearnSetupRecord learn { 0, 1, 0, "1", "360", "2", "360", "1", { 1, 500, 360 },
        { 1, 10, 2 }, { 1, 500, 360 }, { 1, 10, 1 } };
    const DisplaySetupRecord display { "2", "1", "60", "1", 1, 0 };
    for (int u = 0; u < kUserSlots; ++u) {
        info.setUserName(u, std::to_string(u) + "User Name      ");
        info.setBrowseWord(u, "AARDVARK");
        info.setUserPassword(u, PasswordBytes {});
        info.setDrillWindowLayout(u, 0);
        info.setPasswordOn(u, 0);
        info.setDrillLanguage(u, 1);
        info.setWorkingCategory(u, 0);
        info.setSoundOn(u, 1);
        info.setListSetup(u, list);
        info.setListOptions(u, options);
        info.setLearnSetup(u, learn);
        info.setDisplaySetup(u, display);
    }
    for (int c = 0; c < kCategorySlots; ++c)
        info.setCategoryName(c, strings::defaultCategoryName(c));
    info.setPromotionThreshold("90");
    info.setDemotionThreshold("20");
}

StartupRead ReadStartupInfo(StartupInfo& info, const std::string& baseFolder)
{
    auto file = File::open(paths::startupRecordFile(baseFolder), OpenMode::ReadOnly);
    if (!file)
        return kStartupUnreadable;
    // Read into a scratch copy so that a failed read leaves the record untouched.
    StartupInfo::Bytes scratch = info.bytes();
    const std::size_t got = file->read(scratch.data(), scratch.size());
    if (got == 0)
        return kStartupUnreadable;
    std::memcpy(info.bytes().data(), scratch.data(), got);
    return kStartupRead;
}

bool WriteStartupInfo(
    const StartupInfo& info, bool toCurrentFolder, const std::string& currentFolder)
{
    std::string base;
    if (toCurrentFolder)
        base = currentFolder.empty() ? paths::currentFolder().value_or(std::string())
                                     : currentFolder;
    else
        base = info.dataFolder();
    if (base.empty())
        return false;
    return replaceFile(paths::startupRecordFile(base), info.bytes().data(), info.bytes().size())
        .ok();
}

bool CreateStartupInfo(StartupInfo& info, const std::string& currentFolder)
{
    FillStartupDefaults(info, currentFolder);
    return WriteStartupInfo(info, true, currentFolder);
}

FileTest StartupInfoExists(const std::string& baseFolder)
{
    return testFileExists(paths::startupRecordFile(baseFolder));
}

int FolderTest::fileError() const
{
    switch (outcome) {
    case Outcome::HasDictionary:
        return FileError::kNone;
    case Outcome::NoFolder:
        return FileError::kBadEnvironment;
    case Outcome::NoDictionary:
        break;
    }
    return test.fileError;
}

FolderTest TestFolderHasDictionary(StartupInfo& info, const std::string& folder)
{
    if (folder.empty())
        return { FolderTest::Outcome::NoFolder, {} };
    const FileTest test = testFileExists(paths::dictionaryFile(folder));
    if (!test.exists())
        return { FolderTest::Outcome::NoDictionary, test };
    info.setDataFolder(folder);
    info.setDictionaryFolder(folder);
    return { FolderTest::Outcome::HasDictionary, test };
}

} // namespace quorvel
