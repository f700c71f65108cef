#pragma once

// The startup record: everything the program remembers about its users and folders between
// runs, held in memory as one 6758-byte block and kept on disk as that block's straight byte
// image (progdata/zelinf32.cfg). Fields are read and written in place in the block through the
// accessors below, so a record read from disk and saved again keeps every byte it had.

#include "platform/file_errors.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr std::size_t kStartupInfoSize = 6758;
inline constexpr int kUserSlots = 10;
inline constexpr int kCategorySlots = 64;

// Scrambled password bytes, up to 10 plus a terminator. Every other offset and width of the
// record is in the field table (startup_fields.h).
inline constexpr std::size_t kPasswordWidth = 11;

// The fields of the record, named in the field table (startup_fields.h).
enum class StartupFieldId : std::uint8_t;

// The four per-user sub-records as they are stored: texts as the record holds them and one flag
// per radio button. Setting one writes only the fields whose stored value differs, so bytes the
// program does not read (after a text's terminator, odd flag values) stay as they were.

// The "Display" page's values.
struct DisplaySetupRecord
{
    std::string wordShowTime, answerDelay, spellTime, betweenWords;
    std::uint16_t upperCase = 0, lowerCase = 0;

    bool operator==(const DisplaySetupRecord&) const = default;
};

// The "User List Setup" page's values.
struct ListSetupRecord
{
    std::string minLetters, maxLetters, listSize, oneLetter, predefined;
    std::uint16_t typeFailures = 0, typePredefined = 0, typeOneLetter = 0, typeRandom = 0;

    bool operator==(const ListSetupRecord&) const = default;
};

// The "User List Options" page's eleven flags.
struct ListOptionsRecord
{
    std::uint16_t adjustPractice = 0, adjustManual = 0, adjustAuto = 0;
    std::uint16_t repeatAll = 0, repeatFailures = 0;
    std::uint16_t levelElementary = 0, levelIntermediate = 0, levelAdvanced = 0;
    std::uint16_t languageUK = 0, languageUS = 0;
    std::uint16_t showLanguageFlag = 0;

    bool operator==(const ListOptionsRecord&) const = default;
};

// A slider's range and position as the settings page keeps it.
struct SliderTriple
{
    std::uint32_t minimum = 0, maximum = 0, position = 0;
    bool operator==(const SliderTriple&) const = default;
};

// The "Learn Setup" page's values.
struct LearnSetupRecord
{
    std::uint16_t learnFlash = 0, learnRipple = 0, learnContinuous = 0;
    std::string continuousTime, flashDurationText, flashCountText, rippleDurationText,
        rippleCountText;
    SliderTriple flashDuration, flashCount, rippleDuration, rippleCount;

    bool operator==(const LearnSetupRecord&) const = default;
};

using PasswordBytes = std::array<std::uint8_t, kPasswordWidth>;

class StartupInfo
{
public:
    using Bytes = std::array<std::uint8_t, kStartupInfoSize>;

    StartupInfo() { m_bytes.fill(0); }

    Bytes& bytes() { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }

    std::string categoryName(int slot) const;
    void setCategoryName(int slot, std::string_view name);
    std::uint16_t startupUser() const;
    void setStartupUser(std::uint16_t slot);
    std::uint16_t dictionaryOpened() const;
    void setDictionaryOpened(std::uint16_t value);
    std::uint16_t systemPasswordOn() const;
    void setSystemPasswordOn(std::uint16_t value);
    std::string additionalDictPath() const;
    void setAdditionalDictPath(std::string_view path);
    std::string waveformPath() const;
    void setWaveformPath(std::string_view path);
    std::string dataFolder() const;
    void setDataFolder(std::string_view path);
    std::string dictionaryFolder() const;
    void setDictionaryFolder(std::string_view path);
    std::uint16_t soundOn(int user) const;
    void setSoundOn(int user, std::uint16_t value);
    std::string promotionThreshold() const;
    void setPromotionThreshold(std::string_view text);
    std::string demotionThreshold() const;
    void setDemotionThreshold(std::string_view text);
    std::string userName(int user) const;
    void setUserName(int user, std::string_view name);
    std::uint16_t drillWindowLayout(int user) const;
    void setDrillWindowLayout(int user, std::uint16_t value);
    std::uint16_t passwordOn(int user) const;
    void setPasswordOn(int user, std::uint16_t value);
    PasswordBytes systemPassword() const;
    void setSystemPassword(const PasswordBytes& scrambled);
    std::string browseWord(int user) const;
    void setBrowseWord(int user, std::string_view word);
    std::uint16_t drillLanguage(int user) const;
    void setDrillLanguage(int user, std::uint16_t value);
    std::uint16_t workingCategory(int user) const;
    void setWorkingCategory(int user, std::uint16_t value);
    DisplaySetupRecord displaySetup(int user) const;
    void setDisplaySetup(int user, const DisplaySetupRecord& record);
    PasswordBytes userPassword(int user) const;
    void setUserPassword(int user, const PasswordBytes& scrambled);
    ListSetupRecord listSetup(int user) const;
    void setListSetup(int user, const ListSetupRecord& record);
    ListOptionsRecord listOptions(int user) const;
    void setListOptions(int user, const ListOptionsRecord& record);
    LearnSetupRecord learnSetup(int user) const;
    void setLearnSetup(int user, const LearnSetupRecord& record);

    // A field of the table by its id, element `index` (a user or category slot; 0 for a single
    // field). Reading an element outside the field's count gives 0 or nothing; setting one is
    // ignored. A text is only written when it reads differently, so the bytes after its
    // terminator stay as they were until its value changes.
    std::uint16_t u16(StartupFieldId id, int index = 0) const;
    void setU16(StartupFieldId id, int index, std::uint16_t value);
    std::string text(StartupFieldId id, int index = 0) const;
    void setText(StartupFieldId id, int index, std::string_view value);
    SliderTriple slider(StartupFieldId id, int index) const;
    void setSlider(StartupFieldId id, int index, const SliderTriple& value);

    // Raw access at a byte offset, for the command line's generic show and set.
    std::uint16_t u16At(std::size_t offset) const;
    void setU16At(std::size_t offset, std::uint16_t value);
    std::uint32_t u32At(std::size_t offset) const;
    void setU32At(std::size_t offset, std::uint32_t value);
    std::string textAt(std::size_t offset, std::size_t width) const;
    void setTextAt(std::size_t offset, std::size_t width, std::string_view text);

private:
    Bytes m_bytes;
};

// Writes every default into the record. `currentFolder` is the folder the defaults are based
// on; without one the current folder is read, and when that fails the fallback base is used.
void FillStartupDefaults(
    StartupInfo& info, std::optional<std::string> currentFolder = std::nullopt);

// Results of ReadStartupInfo.
enum class StartupRead
{
    Read,
    Unreadable, // the file cannot be opened, or not even one byte of it read
};
inline constexpr StartupRead kStartupRead = StartupRead::Read;
inline constexpr StartupRead kStartupUnreadable = StartupRead::Unreadable;

// Reads base/progdata/zelinf32.cfg into the record. A short file fills the record from its start
// and leaves the rest as it was.
StartupRead ReadStartupInfo(StartupInfo& info, const std::string& baseFolder);

// Replaces the record file atomically with all 6758 bytes. With `toCurrentFolder` the file is
// currentFolder/progdata/zelinf32.cfg (first creation); otherwise dataFolder/progdata/zelinf32.cfg.
bool WriteStartupInfo(
    const StartupInfo& info, bool toCurrentFolder, const std::string& currentFolder = {});
inline bool SaveStartupInfo(const StartupInfo& info)
{
    return WriteStartupInfo(info, false);
}
// FillStartupDefaults, then WriteStartupInfo into the current folder.
bool CreateStartupInfo(StartupInfo& info, const std::string& currentFolder);

// Whether base/progdata/zelinf32.cfg exists, and if not, the file error code of the test (2 not
// found, 3 path not found, ...).
FileTest StartupInfoExists(const std::string& baseFolder);

// The test that accepts a folder as the one to work in.
struct [[nodiscard]] FolderTest
{
    enum class Outcome
    {
        HasDictionary, // the folder is now the data and dictionary folder of the record
        NoFolder, // the folder text is empty
        NoDictionary, // `test` says why
    };
    Outcome outcome = Outcome::HasDictionary;
    FileTest test;

    // The code the start shows through the file-error table: 10 (bad environment) for no folder,
    // else that of the dictionary's test; 0 when the folder has its dictionary.
    int fileError() const;
};

// Accepts the folder when folder/progdata/sonddict.dis exists.
FolderTest TestFolderHasDictionary(StartupInfo& info, const std::string& folder);

} // namespace quorvel
