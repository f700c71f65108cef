// The startup record: its defaults byte for byte, where each field lies, reading and writing the
// file, and the start-up tests of a folder.

#include "config/startup_info.h"
#include "dictionary/dictionary_format.h"
#include "platform/file_errors.h"
#include "platform/file_faults.h"
#include "platform/le_codec.h"
#include "support/temp_folder.h"
#include "users/password_scramble.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

StartupInfo defaults(const std::string& folder = "/opt/quorvel")
{
    StartupInfo info;
    FillStartupDefaults(info, folder);
    return info;
}

Bytes bytesOf(const StartupInfo& info)
{
    return Bytes(info.bytes().begin(), info.bytes().end());
}

// The golden default record for the folder /opt/quorvel. It catches any default that changes,
// any field that moves, and any byte left over from whatever the record held before (reserved
// fields and the bytes after every text's terminator are zero).
TEST(StartupDefaults, MatchGoldenRecord)
{
    const Bytes golden = readBytes(fixturePath("startup_defaults.cfg"));
    ASSERT_EQ(golden.size(), kStartupInfoSize);
    EXPECT_EQ(bytesOf(defaults()), golden);

    // Filling defaults over a used record gives the same bytes.
    StartupInfo used;
    used.bytes().fill(0xAB);
    FillStartupDefaults(used, std::string("/opt/quorvel"));
    EXPECT_EQ(bytesOf(used), golden);
}

// The same defaults read at the offsets of the record's layout, one field at a time, so that a
// wrong value names the field.
TEST(StartupDefaults, EveryFieldAtItsOffset)
{
    const Bytes r = readBytes(fixturePath("startup_defaults.cfg"));
    ASSERT_EQ(r.size(), kStartupInfoSize);
    auto u16 = [&](std::size_t o) { return le::u16(r.data() + o); };
    auto u32 = [&](std::size_t o) { return le::u32(r.data() + o); };
    auto text = [&](std::size_t o, std::size_t w) { return le::text(r.data() + o, w); };
    auto zero = [&](std::size_t o, std::size_t n) {
        return std::all_of(r.begin() + o, r.begin() + o + n, [](std::uint8_t b) { return b == 0; });
    };

    EXPECT_EQ(text(0, 27), "Main Dictionary");
    EXPECT_EQ(text(3 * 27, 27), "Sound Example");
    EXPECT_EQ(text(18 * 27, 27), "Telecommunications");
    EXPECT_EQ(text(32 * 27, 27), "Extra UK Alternatives");
    for (int c : { 4, 10, 13, 16, 19, 20, 31, 33, 63 })
        EXPECT_EQ(text(static_cast<std::size_t>(c) * 27, 27), "Free") << "category " << c;
    EXPECT_EQ(u16(1728), 0);
    EXPECT_EQ(u16(1730), 0); // startupUser
    EXPECT_EQ(u16(1732), 1); // dictionaryOpened
    EXPECT_EQ(u16(1734), 0); // systemPasswordOn
    EXPECT_TRUE(zero(1736, 41));
    EXPECT_EQ(text(1777, 257), "/opt/quorvel/backup/"); // where "A:" stood
    EXPECT_EQ(text(2034, 257), "/opt/quorvel/waveform/");
    EXPECT_EQ(text(2291, 257), "/opt/quorvel");
    EXPECT_EQ(text(2548, 257), "/opt/quorvel");
    EXPECT_TRUE(zero(2825, 18));
    EXPECT_EQ(text(2843, 15), "90");
    EXPECT_EQ(text(2858, 15), "20");
    EXPECT_TRUE(zero(3644, 14));
    for (std::size_t u = 0; u < 10; ++u) {
        SCOPED_TRACE("user " + std::to_string(u));
        EXPECT_EQ(u16(2805 + 2 * u), 1); // soundOn
        EXPECT_EQ(text(2873 + 31 * u, 31), std::to_string(u) + "User Name      ");
        EXPECT_EQ(u16(3183 + 2 * u), 0); // drillWindowLayout
        EXPECT_EQ(u16(3203 + 2 * u), 0); // passwordOn
        EXPECT_EQ(text(3234 + 41 * u, 41), "AARDVARK");
        EXPECT_EQ(u16(3658 + 2 * u), 1); // drillLanguage
        EXPECT_EQ(u16(3678 + 2 * u), 0); // workingCategory
        const std::size_t d = 3698 + 64 * u;
        EXPECT_EQ(text(d, 15), "2");
        EXPECT_EQ(text(d + 15, 15), "1");
        EXPECT_EQ(text(d + 30, 15), "60");
        EXPECT_EQ(text(d + 45, 15), "1");
        EXPECT_EQ(u16(d + 60), 1);
        EXPECT_EQ(u16(d + 62), 0);
        EXPECT_TRUE(zero(4338 + 11 * u, 11)); // no user password
        const std::size_t l = 4448 + 80 * u;
        EXPECT_EQ(text(l, 15), "4");
        EXPECT_EQ(text(l + 15, 15), "10");
        EXPECT_EQ(text(l + 30, 15), "10");
        EXPECT_EQ(text(l + 45, 15), "A");
        EXPECT_EQ(text(l + 60, 12), "C?M");
        EXPECT_EQ((std::array { u16(l + 72), u16(l + 74), u16(l + 76), u16(l + 78) }),
            (std::array<std::uint16_t, 4> { 0, 0, 0, 1 }));
        const std::size_t o = 5248 + 22 * u;
        const std::array<std::uint16_t, 11> options { 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 1 };
        for (std::size_t i = 0; i < 11; ++i)
            EXPECT_EQ(u16(o + 2 * i), options[i]) << "option " << i;
        const std::size_t n = 5468 + 129 * u;
        EXPECT_EQ(u16(n), 0);
        EXPECT_EQ(u16(n + 2), 1);
        EXPECT_EQ(u16(n + 4), 0);
        const char* texts[] = { "1", "360", "2", "360", "1" };
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(text(n + 6 + 15 * i, 15), texts[i]) << "learn text " << i;
        const std::array<std::uint32_t, 12> sliders { 1, 500, 360, 1, 10, 2, 1, 500, 360, 1, 10,
            1 };
        for (std::size_t i = 0; i < 12; ++i)
            EXPECT_EQ(u32(n + 81 + 4 * i), sliders[i]) << "slider value " << i;
    }

    // The system password is the factory one, scrambled with the system key: six bytes.
    PasswordBuffer system {};
    std::copy(r.begin() + 3223, r.begin() + 3234, system.begin());
    EXPECT_EQ(text(3223, 11).size(), 6u);
    std::string plain;
    ASSERT_TRUE(unscrambleText(system, kSystemPasswordKey, plain));
    EXPECT_EQ(plain, kFactorySystemPassword);
}

TEST(StartupDefaults, WaveformFolderEndsInASeparatorAndCurrentFolderIsTheDefaultBase)
{
    const StartupInfo info = defaults("/srv/spell/");
    EXPECT_EQ(info.waveformPath(), "/srv/spell/waveform/");
    EXPECT_EQ(info.waveformPath().back(), '/');

    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    StartupInfo fromCurrent;
    FillStartupDefaults(fromCurrent);
    std::filesystem::current_path(previous);
    const std::string here = std::filesystem::canonical(folder.path()).string();
    EXPECT_EQ(fromCurrent.dataFolder(), here);
    EXPECT_EQ(fromCurrent.dictionaryFolder(), here);
}

// Each accessor of a per-user field against the layout: the last user slot shows a wrong stride
// or base at once.
TEST(StartupRecord, PerUserFieldsLieAtTheirOffsets)
{
    StartupInfo info;
    const int u = 9;
    info.setSoundOn(u, 0x1111);
    info.setDrillWindowLayout(u, 0x2222);
    info.setPasswordOn(u, 0x3333);
    info.setDrillLanguage(u, 0x4444);
    info.setWorkingCategory(u, 0x5555);
    info.setUserName(u, "Nine");
    info.setBrowseWord(u, "ZYMURGY");
    PasswordBytes password {};
    password.fill(0x66);
    info.setUserPassword(u, password);
    const struct
    {
        std::size_t offset;
        std::uint16_t value;
    } numbers[] = { { 2805 + 18, 0x1111 }, { 3183 + 18, 0x2222 }, { 3203 + 18, 0x3333 },
        { 3658 + 18, 0x4444 }, { 3678 + 18, 0x5555 } };
    for (const auto& n : numbers)
        EXPECT_EQ(info.u16At(n.offset), n.value) << "offset " << n.offset;
    EXPECT_EQ(info.textAt(2873 + 9 * 31, 31), "Nine");
    EXPECT_EQ(info.textAt(3234 + 9 * 41, 41), "ZYMURGY");
    EXPECT_EQ(info.bytes()[4338 + 9 * 11], 0x66);
    EXPECT_EQ(info.bytes()[4338 + 9 * 11 + 10], 0); // the terminator is always kept
    EXPECT_EQ(info.bytes()[4338 + 10 * 11], 0);

    ListSetupRecord list { "5", "12", "20", "Q", "AB?", 1, 0, 0, 0 };
    info.setListSetup(u, list);
    EXPECT_EQ(info.textAt(4448 + 9 * 80 + 60, 12), "AB?");
    EXPECT_EQ(info.u16At(4448 + 9 * 80 + 72), 1);
    EXPECT_EQ(info.listSetup(u), list);
    ListOptionsRecord options;
    options.showLanguageFlag = 7;
    info.setListOptions(u, options);
    EXPECT_EQ(info.u16At(5248 + 9 * 22 + 20), 7);
    LearnSetupRecord learn;
    learn.rippleCount = { 3, 4, 5 };
    info.setLearnSetup(u, learn);
    EXPECT_EQ(info.u32At(5468 + 9 * 129 + 125), 5u);
    EXPECT_EQ(info.learnSetup(u), learn);
    DisplaySetupRecord display;
    display.lowerCase = 1;
    info.setDisplaySetup(u, display);
    EXPECT_EQ(info.u16At(3698 + 9 * 64 + 62), 1);

    // Slots outside 0..9 are refused and read as nothing.
    const Bytes before = bytesOf(info);
    info.setSoundOn(10, 1);
    info.setUserName(-1, "x");
    info.setWorkingCategory(10, 3);
    EXPECT_EQ(bytesOf(info), before);
    EXPECT_EQ(info.userName(10), "");

    info.setStartupUser(7);
    EXPECT_EQ(info.u16At(1730), 7);
    info.setSystemPasswordOn(1);
    EXPECT_EQ(info.u16At(1734), 1);
}

TEST(StartupRecord, TextLongerThanItsFieldIsCutAndTerminated)
{
    StartupInfo info;
    info.bytes().fill(0xEE);
    info.setUserName(0, std::string(40, 'N'));
    EXPECT_EQ(info.userName(0), std::string(30, 'N'));
    EXPECT_EQ(info.bytes()[2873 + 30], 0);
    EXPECT_EQ(info.bytes()[2873 + 31], 0xEE); // the next user's name is untouched
}

// --- the file --------------------------------------------------------------------------------

class StartupFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.makeProgdata();
        info = defaults(folder.path());
    }
    std::string recordPath() const { return folder.file("progdata/zelinf32.cfg"); }

    TempFolder folder;
    StartupInfo info;
};

TEST_F(StartupFile, SavedRecordReadsBackByteForByte)
{
    info.setUserName(3, "Abigail");
    info.setStartupUser(3);
    info.setBrowseWord(3, "QUORUM");
    info.bytes()[1740] = 0x5A; // a reserved byte is kept as it is
    ASSERT_TRUE(SaveStartupInfo(info));
    EXPECT_EQ(readBytes(recordPath()), bytesOf(info));

    StartupInfo read;
    ASSERT_EQ(ReadStartupInfo(read, folder.path()), kStartupRead);
    EXPECT_EQ(bytesOf(read), bytesOf(info));
    EXPECT_EQ(read.startupUser(), 3);
    EXPECT_EQ(read.userName(3), "Abigail");
}

TEST_F(StartupFile, CreateWritesDefaultsIntoTheCurrentFolder)
{
    StartupInfo created;
    created.bytes().fill(0x77);
    EXPECT_EQ(StartupInfoExists(folder.path()).fileError, FileError::kFileNotFound);
    ASSERT_TRUE(CreateStartupInfo(created, folder.path()));
    EXPECT_EQ(StartupInfoExists(folder.path()).fileError, 0);
    EXPECT_EQ(readBytes(recordPath()), bytesOf(defaults(folder.path())));
}

TEST_F(StartupFile, ShortFileFillsTheRecordFromItsStart)
{
    const Bytes saved = bytesOf(info);
    writeBytes(recordPath(), Bytes(saved.begin(), saved.begin() + 100));
    StartupInfo fresh;
    ASSERT_EQ(ReadStartupInfo(fresh, folder.path()), kStartupRead);
    const Bytes read = bytesOf(fresh);
    EXPECT_TRUE(std::equal(read.begin(), read.begin() + 100, saved.begin()));
    EXPECT_TRUE(std::all_of(read.begin() + 100, read.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(StartupFile, MissingOrEmptyFileCannotBeRead)
{
    StartupInfo record = info;
    EXPECT_EQ(ReadStartupInfo(record, folder.path()), kStartupUnreadable);
    writeBytes(recordPath(), {});
    EXPECT_EQ(ReadStartupInfo(record, folder.path()), kStartupUnreadable);
    EXPECT_EQ(bytesOf(record), bytesOf(info)); // left as it was

    // A read that fails after the open leaves the record as it was too.
    ASSERT_TRUE(WriteStartupInfo(defaults("/elsewhere"), true, folder.path()));
    FileFaults::failNth(FileOp::Read, 1);
    EXPECT_EQ(ReadStartupInfo(record, folder.path()), kStartupUnreadable);
    FileFaults::reset();
    EXPECT_EQ(bytesOf(record), bytesOf(info));
}

TEST_F(StartupFile, StartupUserIsReadAsStoredWhateverItsValue)
{
    info.setStartupUser(12);
    ASSERT_TRUE(SaveStartupInfo(info));
    StartupInfo read;
    ASSERT_EQ(ReadStartupInfo(read, folder.path()), kStartupRead);
    EXPECT_EQ(read.startupUser(), 12); // the start refuses it, not the reader
}

// A save that fails at any step leaves the file that was there before exactly as it was.
TEST_F(StartupFile, FailedSaveKeepsThePreviousFile)
{
    ASSERT_TRUE(SaveStartupInfo(info));
    const Bytes before = readBytes(recordPath());
    StartupInfo changed = info;
    changed.setUserName(0, "Changed");
    const struct
    {
        FileOp op;
        int n;
    } failures[] = { { FileOp::Open, 1 }, { FileOp::Write, 1 } };
    for (const auto& f : failures) {
        for (bool toCurrentFolder : { false, true }) {
            FileFaults::reset();
            FileFaults::failNth(f.op, f.n);
            EXPECT_FALSE(WriteStartupInfo(changed, toCurrentFolder, folder.path()));
            FileFaults::reset();
            EXPECT_EQ(readBytes(recordPath()), before);
        }
    }
    // No temporary file is left beside it.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e :
        std::filesystem::directory_iterator(folder.file("progdata")))
        ++files;
    EXPECT_EQ(files, 1u);

    // A data folder that does not exist, or none at all, is a failed save too.
    changed.setDataFolder(folder.file("nowhere"));
    EXPECT_FALSE(SaveStartupInfo(changed));
    changed.setDataFolder("");
    EXPECT_FALSE(SaveStartupInfo(changed));
    EXPECT_EQ(readBytes(recordPath()), before);
}

TEST(StartupFolder, ExistenceTestGivesFileErrorCodes)
{
    TempFolder folder;
    EXPECT_EQ(StartupInfoExists(folder.path()).fileError, FileError::kPathNotFound);
    folder.makeProgdata();
    EXPECT_EQ(StartupInfoExists(folder.path()).fileError, FileError::kFileNotFound);
    writeBytes(folder.file("progdata/zelinf32.cfg"), Bytes(10, 1));
    EXPECT_EQ(StartupInfoExists(folder.path()).fileError, 0);
}

TEST(StartupFolder, FolderWithADictionaryBecomesTheDataAndDictionaryFolder)
{
    TempFolder folder;
    StartupInfo info = defaults("/opt/quorvel");
    EXPECT_EQ(TestFolderHasDictionary(info, "").fileError(), 10);
    EXPECT_EQ(TestFolderHasDictionary(info, folder.path()).fileError(), FileError::kPathNotFound);
    folder.makeProgdata();
    EXPECT_EQ(TestFolderHasDictionary(info, folder.path()).fileError(), FileError::kFileNotFound);
    EXPECT_EQ(info.dataFolder(), "/opt/quorvel");
    EXPECT_EQ(info.dictionaryFolder(), "/opt/quorvel");

    writeBytes(folder.file("progdata/sonddict.dis"), buildDictionaryImage({}));
    EXPECT_EQ(TestFolderHasDictionary(info, folder.path()).fileError(), 0);
    EXPECT_EQ(info.dataFolder(), folder.path());
    EXPECT_EQ(info.dictionaryFolder(), folder.path());
    EXPECT_EQ(info.waveformPath(), "/opt/quorvel/waveform/");
}

} // namespace
} // namespace quorvel::test
