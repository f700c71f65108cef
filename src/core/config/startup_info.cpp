#include "startup_info.h"

#include "startup_fields.h"

#include "platform/file.h"
#include "platform/file_errors.h"
#include "platform/le_codec.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/strings.h"
#include "users/password_scramble.h"

#include <cstring>

namespace quorvel {

using Id = StartupFieldId;

namespace {

bool validIndex(const StartupField& f, int index)
{
    return index >= 0 && index < f.count;
}

} // namespace

// --- fields by id --------------------------------------------------------------------------

std::uint16_t StartupInfo::u16(StartupFieldId id, int index) const
{
    const StartupField& f = startupField(id);
    return validIndex(f, index) ? u16At(fieldOffset(f, index)) : 0;
}

void StartupInfo::setU16(StartupFieldId id, int index, std::uint16_t value)
{
    const StartupField& f = startupField(id);
    if (validIndex(f, index))
        setU16At(fieldOffset(f, index), value);
}

std::string StartupInfo::text(StartupFieldId id, int index) const
{
    const StartupField& f = startupField(id);
    return validIndex(f, index) ? textAt(fieldOffset(f, index), f.width) : std::string();
}

void StartupInfo::setText(StartupFieldId id, int index, std::string_view value)
{
    const StartupField& f = startupField(id);
    if (!validIndex(f, index))
        return;
    const std::size_t at = fieldOffset(f, index);
    if (textAt(at, f.width) == value)
        return; // reads as the value already (even a text that fills its field)
    setTextAt(at, f.width, value);
}

SliderTriple StartupInfo::slider(StartupFieldId id, int index) const
{
    const StartupField& f = startupField(id);
    if (!validIndex(f, index))
        return {};
    const std::size_t at = fieldOffset(f, index);
    return { u32At(at), u32At(at + 4), u32At(at + 8) };
}

void StartupInfo::setSlider(StartupFieldId id, int index, const SliderTriple& value)
{
    const StartupField& f = startupField(id);
    if (!validIndex(f, index))
        return;
    const std::size_t at = fieldOffset(f, index);
    setU32At(at, value.minimum);
    setU32At(at + 4, value.maximum);
    setU32At(at + 8, value.position);
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
    return text(Id::CategoryNames, slot);
}
void StartupInfo::setCategoryName(int slot, std::string_view name)
{
    setText(Id::CategoryNames, slot, name);
}
std::uint16_t StartupInfo::startupUser() const
{
    return u16(Id::StartupUser);
}
void StartupInfo::setStartupUser(std::uint16_t slot)
{
    setU16(Id::StartupUser, 0, slot);
}
std::uint16_t StartupInfo::dictionaryOpened() const
{
    return u16(Id::DictionaryOpened);
}
void StartupInfo::setDictionaryOpened(std::uint16_t value)
{
    setU16(Id::DictionaryOpened, 0, value);
}
std::uint16_t StartupInfo::systemPasswordOn() const
{
    return u16(Id::SystemPasswordOn);
}
void StartupInfo::setSystemPasswordOn(std::uint16_t value)
{
    setU16(Id::SystemPasswordOn, 0, value);
}
std::string StartupInfo::additionalDictPath() const
{
    return text(Id::AdditionalDictPath);
}
void StartupInfo::setAdditionalDictPath(std::string_view p)
{
    setText(Id::AdditionalDictPath, 0, p);
}
std::string StartupInfo::waveformPath() const
{
    return text(Id::WaveformPath);
}
void StartupInfo::setWaveformPath(std::string_view p)
{
    setText(Id::WaveformPath, 0, p);
}
std::string StartupInfo::dataFolder() const
{
    return text(Id::DataFolder);
}
void StartupInfo::setDataFolder(std::string_view p)
{
    setText(Id::DataFolder, 0, p);
}
std::string StartupInfo::dictionaryFolder() const
{
    return text(Id::DictionaryFolder);
}
void StartupInfo::setDictionaryFolder(std::string_view p)
{
    setText(Id::DictionaryFolder, 0, p);
}
std::uint16_t StartupInfo::soundOn(int user) const
{
    return u16(Id::SoundOn, user);
}
void StartupInfo::setSoundOn(int user, std::uint16_t value)
{
    setU16(Id::SoundOn, user, value);
}
std::string StartupInfo::promotionThreshold() const
{
    return text(Id::PromotionThreshold);
}
void StartupInfo::setPromotionThreshold(std::string_view t)
{
    setText(Id::PromotionThreshold, 0, t);
}
std::string StartupInfo::demotionThreshold() const
{
    return text(Id::DemotionThreshold);
}
void StartupInfo::setDemotionThreshold(std::string_view t)
{
    setText(Id::DemotionThreshold, 0, t);
}
std::string StartupInfo::userName(int user) const
{
    return text(Id::UserNames, user);
}
void StartupInfo::setUserName(int user, std::string_view name)
{
    setText(Id::UserNames, user, name);
}
std::uint16_t StartupInfo::drillWindowLayout(int user) const
{
    return u16(Id::DrillWindowLayout, user);
}
void StartupInfo::setDrillWindowLayout(int user, std::uint16_t value)
{
    setU16(Id::DrillWindowLayout, user, value);
}
std::uint16_t StartupInfo::passwordOn(int user) const
{
    return u16(Id::PasswordOn, user);
}
void StartupInfo::setPasswordOn(int user, std::uint16_t value)
{
    setU16(Id::PasswordOn, user, value);
}
std::string StartupInfo::browseWord(int user) const
{
    return text(Id::BrowseWord, user);
}
void StartupInfo::setBrowseWord(int user, std::string_view word)
{
    setText(Id::BrowseWord, user, word);
}
std::uint16_t StartupInfo::drillLanguage(int user) const
{
    return u16(Id::DrillLanguage, user);
}
void StartupInfo::setDrillLanguage(int user, std::uint16_t value)
{
    setU16(Id::DrillLanguage, user, value);
}
std::uint16_t StartupInfo::workingCategory(int user) const
{
    return u16(Id::WorkingCategory, user);
}
void StartupInfo::setWorkingCategory(int user, std::uint16_t value)
{
    setU16(Id::WorkingCategory, user, value);
}

namespace {

PasswordBytes passwordAt(const StartupInfo& info, Id id, int index)
{
    PasswordBytes out {};
    const StartupField& f = startupField(id);
    if (validIndex(f, index))
        std::memcpy(out.data(), info.bytes().data() + fieldOffset(f, index), out.size());
    return out;
}

// The scrambled bytes and a terminator that is always kept.
void setPasswordAt(StartupInfo& info, Id id, int index, const PasswordBytes& scrambled)
{
    const StartupField& f = startupField(id);
    if (!validIndex(f, index))
        return;
    std::uint8_t* p = info.bytes().data() + fieldOffset(f, index);
    std::memcpy(p, scrambled.data(), scrambled.size());
    p[kPasswordWidth - 1] = 0;
}

} // namespace

PasswordBytes StartupInfo::systemPassword() const
{
    return passwordAt(*this, Id::SystemPassword, 0);
}
void StartupInfo::setSystemPassword(const PasswordBytes& scrambled)
{
    setPasswordAt(*this, Id::SystemPassword, 0, scrambled);
}
PasswordBytes StartupInfo::userPassword(int user) const
{
    return passwordAt(*this, Id::UserPasswords, user);
}
void StartupInfo::setUserPassword(int user, const PasswordBytes& scrambled)
{
    setPasswordAt(*this, Id::UserPasswords, user, scrambled);
}

// --- the sub-records -----------------------------------------------------------------------

DisplaySetupRecord StartupInfo::displaySetup(int user) const
{
    return { text(Id::WordShowTime, user), text(Id::AnswerDelay, user), text(Id::SpellTime, user),
        text(Id::BetweenWords, user), u16(Id::UpperCase, user), u16(Id::LowerCase, user) };
}

void StartupInfo::setDisplaySetup(int user, const DisplaySetupRecord& r)
{
    setText(Id::WordShowTime, user, r.wordShowTime);
    setText(Id::AnswerDelay, user, r.answerDelay);
    setText(Id::SpellTime, user, r.spellTime);
    setText(Id::BetweenWords, user, r.betweenWords);
    setU16(Id::UpperCase, user, r.upperCase);
    setU16(Id::LowerCase, user, r.lowerCase);
}

ListSetupRecord StartupInfo::listSetup(int user) const
{
    return { text(Id::MinLetters, user), text(Id::MaxLetters, user), text(Id::ListSize, user),
        text(Id::OneLetter, user), text(Id::Predefined, user), u16(Id::TypeFailures, user),
        u16(Id::TypePredefined, user), u16(Id::TypeOneLetter, user), u16(Id::TypeRandom, user) };
}

void StartupInfo::setListSetup(int user, const ListSetupRecord& r)
{
    setText(Id::MinLetters, user, r.minLetters);
    setText(Id::MaxLetters, user, r.maxLetters);
    setText(Id::ListSize, user, r.listSize);
    setText(Id::OneLetter, user, r.oneLetter);
    setText(Id::Predefined, user, r.predefined);
    setU16(Id::TypeFailures, user, r.typeFailures);
    setU16(Id::TypePredefined, user, r.typePredefined);
    setU16(Id::TypeOneLetter, user, r.typeOneLetter);
    setU16(Id::TypeRandom, user, r.typeRandom);
}

namespace {

// The eleven flags of the options record, in record order.
constexpr Id kOptionFlags[] = { Id::AdjustPractice, Id::AdjustManual, Id::AdjustAuto, Id::RepeatAll,
    Id::RepeatFailures, Id::LevelElementary, Id::LevelIntermediate, Id::LevelAdvanced,
    Id::LanguageUK, Id::LanguageUS, Id::ShowLanguageFlag };

template <typename Record> auto optionMembers(Record& r)
{
    return std::array { &r.adjustPractice, &r.adjustManual, &r.adjustAuto, &r.repeatAll,
        &r.repeatFailures, &r.levelElementary, &r.levelIntermediate, &r.levelAdvanced,
        &r.languageUK, &r.languageUS, &r.showLanguageFlag };
}

} // namespace

ListOptionsRecord StartupInfo::listOptions(int user) const
{
    ListOptionsRecord r;
    const auto members = optionMembers(r);
    for (std::size_t i = 0; i < members.size(); ++i)
        *members[i] = u16(kOptionFlags[i], user);
    return r;
}

void StartupInfo::setListOptions(int user, const ListOptionsRecord& record)
{
    const auto members = optionMembers(record);
    for (std::size_t i = 0; i < members.size(); ++i)
        setU16(kOptionFlags[i], user, *members[i]);
}

LearnSetupRecord StartupInfo::learnSetup(int user) const
{
    return { u16(Id::LearnFlash, user), u16(Id::LearnRipple, user), u16(Id::LearnContinuous, user),
        text(Id::ContinuousTime, user), text(Id::FlashDurationText, user),
        text(Id::FlashCountText, user), text(Id::RippleDurationText, user),
        text(Id::RippleCountText, user), slider(Id::FlashDuration, user),
        slider(Id::FlashCount, user), slider(Id::RippleDuration, user),
        slider(Id::RippleCount, user) };
}

void StartupInfo::setLearnSetup(int user, const LearnSetupRecord& r)
{
    setU16(Id::LearnFlash, user, r.learnFlash);
    setU16(Id::LearnRipple, user, r.learnRipple);
    setU16(Id::LearnContinuous, user, r.learnContinuous);
    setText(Id::ContinuousTime, user, r.continuousTime);
    setText(Id::FlashDurationText, user, r.flashDurationText);
    setText(Id::FlashCountText, user, r.flashCountText);
    setText(Id::RippleDurationText, user, r.rippleDurationText);
    setText(Id::RippleCountText, user, r.rippleCountText);
    setSlider(Id::FlashDuration, user, r.flashDuration);
    setSlider(Id::FlashCount, user, r.flashCount);
    setSlider(Id::RippleDuration, user, r.rippleDuration);
    setSlider(Id::RippleCount, user, r.rippleCount);
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
