// The settings file: absent and unlisted values bring back a group's defaults, names match
// without regard to case, a write changes only its own line, and a failed write changes nothing.

#include "config/settings_groups.h"
#include "platform/file_faults.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

class Settings : public ::testing::Test
{
protected:
    std::string path() const { return folder.file("Fenwa.ini"); }
    // Another program writes the file; the program sees it as its next start would.
    void write(const std::string& text)
    {
        writeBytes(path(), std::vector<std::uint8_t>(text.begin(), text.end()));
        file = SettingsFile(path());
    }
    std::string text() const
    {
        const auto bytes = readBytes(path());
        return std::string(bytes.begin(), bytes.end());
    }

    TempFolder folder;
    SettingsFile file { folder.file("Fenwa.ini") };
};

TEST_F(Settings, MissingFileReadsAsAbsentAndGetsTheDefaultsWritten)
{
    EXPECT_FALSE(readFirstTimeStored(file));
    EXPECT_FALSE(readPrintOptions(file));
    EXPECT_FALSE(readPlacement(file));
    EXPECT_EQ(readOrWriteDefaultPrintOptions(file), PrintOptions {});
    EXPECT_EQ(text(), "[Print options]\r\nPrint size=normal\r\nLeft hand Margin=10\r\n");
    EXPECT_EQ(readPrintOptions(file), PrintOptions {});
}

// A group counts as not stored when any key is absent or holds a word it may not hold; its
// owner then writes every key of the group back to its default.
TEST_F(Settings, UnlistedValueBringsBackTheWholeGroupsDefaults)
{
    const struct
    {
        const char* name;
        const char* stored;
        std::function<bool(SettingsFile&)> loadGivesDefaults;
        std::function<bool(SettingsFile&)> storedNow;
    } cases[] = {
        { "print size", "[Print options]\nPrint size=huge\nLeft hand Margin=50\n",
            [](SettingsFile& f) { return readOrWriteDefaultPrintOptions(f) == PrintOptions {}; },
            [](SettingsFile& f) { return readPrintOptions(f) == PrintOptions {}; } },
        { "connection", "[Internet Options]\nInternet connection=Use direct\nPassive FTP=maybe\n",
            [](SettingsFile& f) {
                return readOrWriteDefaultConnectionOptions(f) == ConnectionOptions {};
            },
            [](SettingsFile& f) { return readConnectionOptions(f) == ConnectionOptions {}; } },
        { "download files", "[Internet Options]\nExtension type=Txt extension\n",
            [](SettingsFile& f) {
                return readOrWriteDefaultDownloadFileOptions(f) == DownloadFileOptions {};
            },
            [](SettingsFile& f) { return readDownloadFileOptions(f) == DownloadFileOptions {}; } },
        { "bulk editor",
            "[Bulk Editor settings]\nBulk Editor transfer type=All\nLanguage=French\n"
            "Lock words linked to sounds=No\n",
            [](SettingsFile& f) {
                return readOrWriteDefaultBulkEditorSettings(f) == BulkEditorSettings {};
            },
            [](SettingsFile& f) { return readBulkEditorSettings(f) == BulkEditorSettings {}; } },
        { "recording", "[Recording data]\nSample rate=48000\nSample size=16\nChannels=2\n",
            [](SettingsFile& f) { return readOrWriteDefaultRecordingData(f) == RecordingData {}; },
            [](SettingsFile& f) { return readRecordingData(f) == RecordingData {}; } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.stored);
        EXPECT_TRUE(c.loadGivesDefaults(file));
        EXPECT_TRUE(c.storedNow(file));
    }
}

TEST_F(Settings, StoredGroupsAreReadAsStored)
{
    write("[Print options]\nPrint size=large\nLeft hand Margin=25\n"
          "[Internet Options]\nInternet connection=Use direct\nPassive FTP=Yes\n"
          "Extension type=Txt extension\nWrite mode=Overwrite\n"
          "[Bulk Editor settings]\nBulk Editor transfer type=All\nLanguage=UK\n"
          "Lock words linked to sounds=No\n"
          "[Recording data]\nSample rate=44100\nSample size=16\nChannels=2\n");
    const std::string before = text();
    EXPECT_EQ(readOrWriteDefaultPrintOptions(file), (PrintOptions { PrintSize::Large, 25 }));
    EXPECT_EQ(readOrWriteDefaultConnectionOptions(file), (ConnectionOptions { true, true }));
    EXPECT_EQ(readOrWriteDefaultDownloadFileOptions(file), (DownloadFileOptions { true, true }));
    EXPECT_EQ(readOrWriteDefaultBulkEditorSettings(file),
        (BulkEditorSettings { true, BulkLanguage::UK, false }));
    EXPECT_EQ(readOrWriteDefaultRecordingData(file), (RecordingData { 44100, 16, 2 }));
    EXPECT_EQ(text(), before);
}

TEST_F(Settings, SectionAndKeyNamesMatchWithoutRegardToCase)
{
    write("[PRINT OPTIONS]\nPRINT SIZE=small\nleft hand margin=20\n");
    EXPECT_EQ(readPrintOptions(file), (PrintOptions { PrintSize::Small, 20 }));
    ASSERT_TRUE(writePrintOptions(file, { PrintSize::Large, 7 }));
    EXPECT_EQ(text(), "[PRINT OPTIONS]\nPrint size=large\nLeft hand Margin=7\n");
    // The stored words themselves are matched exactly.
    write("[Print options]\nPrint size=Large\nLeft hand Margin=20\n");
    EXPECT_FALSE(readPrintOptions(file));
}

// The sentinels mark a key as absent, so a stored sentinel reads as absent too.
TEST_F(Settings, SentinelValueIsTheSameAsAnAbsentKey)
{
    write(
        "[Startup]\nFirst time=HNR32\n[Print options]\nPrint size=N283G32\nLeft hand Margin=10\n");
    EXPECT_FALSE(readFirstTimeStored(file));
    EXPECT_FALSE(readPrintOptions(file));
    write("[Startup]\nFirst time=No\n");
    EXPECT_TRUE(readFirstTimeStored(file));
    // The "Startup" sentinel means nothing in other sections, and the other one nothing here.
    write("[Startup]\nFirst time=N283G32\n[Print options]\nPrint size=HNR32\nLeft hand Margin=1\n");
    EXPECT_TRUE(readFirstTimeStored(file));
    EXPECT_FALSE(readPrintOptions(file));
}

// A write replaces the one line of its key and keeps every other byte: comments, unknown keys
// and sections, blank lines, lines the program cannot read, and the file's line ends.
TEST_F(Settings, WriteChangesOnlyTheLineOfItsKey)
{
    const std::string before = "; machine settings\r\n"
                               "[Size]\r\n"
                               "X=10\r\n"
                               "\r\n"
                               "[Print options]\r\n"
                               "Print size=small\r\n"
                               "  a line without an equals sign\r\n"
                               "Left hand Margin = 12\r\n"
                               "Colour=blue\r\n"
                               "\r\n"
                               "[Recording data]\r\n"
                               "Sample rate=22050\r\n";
    write(before);
    ASSERT_TRUE(file.writeString("Print options", "left hand margin", "30"));
    std::string expected = before;
    expected.replace(expected.find("Left hand Margin = 12"), 21, "left hand margin=30");
    EXPECT_EQ(text(), expected);

    // A new key goes after the last line of its section, a new section at the end.
    ASSERT_TRUE(file.writeString("Print options", "Paper", "A4"));
    expected.insert(expected.find("Colour=blue\r\n") + 13, "Paper=A4\r\n");
    EXPECT_EQ(text(), expected);
    ASSERT_TRUE(file.writeString("MRU", "Count", "8"));
    expected += "\r\n[MRU]\r\nCount=8\r\n";
    EXPECT_EQ(text(), expected);
    EXPECT_EQ(file.readString("print options", "PAPER", "none", 20), "A4");
    EXPECT_EQ(file.readInt("Size", "X", 0), 10);
}

TEST_F(Settings, FailedWriteLeavesTheFileAsItWas)
{
    const std::string before = "[Startup]\nFirst time=No\nFile extension=21262\n"
                               "[Print options]\nPrint size=large\n";
    const struct
    {
        const char* name;
        FileOp op;
        int n;
    } failures[] = {
        { "reading the file", FileOp::Open, 1 },
        { "opening the new file", FileOp::Open, 2 },
        { "writing the new file", FileOp::Write, 1 },
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.name);
        write(before);
        FileFaults::reset();
        FileFaults::failNth(f.op, f.n);
        EXPECT_FALSE(file.writeString("Print options", "Left hand Margin", "99"));
        FileFaults::reset();
        EXPECT_EQ(text(), before);
    }
}

// Saving a group writes only the keys whose word changed: an unchanged group writes nothing.
TEST_F(Settings, SavingAGroupWritesOnlyItsChangedKeys)
{
    write("[Bulk Editor settings]\nbulk editor transfer type=All\nLanguage=UK\n"
          "Lock words linked to sounds=No\n");
    const std::string before = text();
    FileFaults::reset();
    EXPECT_TRUE(writeBulkEditorSettings(file, { true, BulkLanguage::UK, false }));
    EXPECT_EQ(FileFaults::count(FileOp::Write), 0);
    EXPECT_EQ(text(), before);
    EXPECT_TRUE(writeBulkEditorSettings(file, { true, BulkLanguage::Both, false }));
    EXPECT_EQ(text(),
        "[Bulk Editor settings]\nbulk editor transfer type=All\nLanguage=Both\n"
        "Lock words linked to sounds=No\n");
    FileFaults::reset();
}

// A file mangled by another program: a NUL byte or a stray carriage return before a section or
// inside a header or key, a header split over lines, a "[" left open. The writer sees the lines as
// the reader does, so it changes the line the reader will read, and the value just written always
// reads back, in this run and the next.
TEST_F(Settings, WrittenValueReadsBackWhateverTheFileHolds)
{
    using namespace std::string_literals;
    const struct
    {
        const char* name;
        std::string before;
        std::string after; // empty: only that it reads back
        // Another key of the file, which must keep its value.
        const char* keptSection = nullptr;
        const char* keptKey = nullptr;
        const char* kept = nullptr;
    } cases[] = {
        { "NUL before the section", "\0[Print options]\nPrint size=small\n"s,
            "\0[Print options]\nPrint size=large\n"s },
        { "NUL inside the header", "[Print\0options]\nPrint size=small\n"s,
            "[Print\0options]\nPrint size=large\n"s },
        { "NUL in the key", "[Print options]\nPrint size\0=small\n"s,
            "[Print options]\nPrint size=large\n"s },
        { "NUL-prefixed section before the real one",
            "\0[Print options]\nPrint size=small\n[Print options]\nPrint size=small\n"s,
            "\0[Print options]\nPrint size=large\n[Print options]\nPrint size=small\n"s },
        { "stray CR and NUL in the header",
            "; notes\r\0Print size=x\n[Print options]\nLeft hand Margin=5\n"s,
            "; notes\r\0Print size=x\n[Print options]\nLeft hand Margin=5\nPrint size=large\n"s },
        { "stray CR ending the header", "\r[Print options\r]\nPrint size=small\n"s, "" },
        { "CR alone between lines", "[Print options]\rPrint size=small\rLeft hand Margin=5"s,
            "[Print options]\rPrint size=large\rLeft hand Margin=5"s },
        { "byte-order mark and NUL", "\xEF\xBB\xBF\0[Print options]\r\nPrint size=small\r\n"s,
            "\xEF\xBB\xBF\0[Print options]\r\nPrint size=large\r\n"s },
        { "byte-order mark twice", "\xEF\xBB\xBF\xEF\xBB\xBF[Print options]\nPrint size=small\n"s,
            "\xEF\xBB\xBF\xEF\xBB\xBF[Print options]\nPrint size=large\n"s },
        // The reader takes a header's name from the next line that holds something after a "[".
        { "header name on the line after its bracket", "[\n\nPrint options]\nPrint size=small\n"s,
            "[\n\nPrint options]\nPrint size=large\n"s },
        { "bracket alone before the header",
            "[ \n[Print options]\nPrint size=small\n"s, // a section named "[Print options"
            "[ \n[Print options]\nPrint size=small\n\n[Print options]\nPrint size=large\n"s,
            "[Print options", "Print size", "small" },
        { "bracket left open at the end", "[Size]\nX=1\n\t[ \r\n"s,
            "[Size]\nX=1\n[Print options]\nPrint size=large\n\t[ \r\n"s, "Size", "X", "1" },
        { "comments and lines without an equals sign",
            "[Print options]\n; Print size=tiny\n  # Print size=tiny\nPrint size\n=small\n"s,
            "[Print options]\n; Print size=tiny\n  # Print size=tiny\nPrint size\n=small\n"
            "Print size=large\n"s },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.before);
        ASSERT_TRUE(file.writeString("Print options", "Print size", "large"));
        EXPECT_EQ(file.readString("print OPTIONS", "print size", "absent", 20), "large");
        EXPECT_EQ(
            SettingsFile(path()).readString("print OPTIONS", "print size", "absent", 20), "large");
        if (!c.after.empty()) {
            EXPECT_EQ(text(), c.after);
        }
        if (c.kept) {
            EXPECT_EQ(
                SettingsFile(path()).readString(c.keptSection, c.keptKey, "absent", 20), c.kept);
        }
    }
}

// However large the file, a run reads and parses it once: every key is read from what was kept,
// and writes go to the file without reading it again. (Parsing a 50 MB file for every key made
// the start take 25 s.)
TEST_F(Settings, FileIsReadOnceForAnyNumberOfKeys)
{
    std::string big = "[Startup]\nFirst time=No\n[Filler]\n";
    for (int i = 0; i < 20000; ++i)
        big += "Key" + std::to_string(i) + "=value " + std::to_string(i) + "\n";
    write(big);
    FileFaults::reset();
    for (int round = 0; round < 20; ++round) {
        EXPECT_TRUE(readFirstTimeStored(file));
        EXPECT_EQ(readOrWriteDefaultPrintOptions(file), PrintOptions {});
        EXPECT_EQ(startFileExtension(file), 21257);
        EXPECT_FALSE(readPlacement(file));
        EXPECT_EQ(file.readString("Filler", "Key19999", "-", 41), "value 19999");
    }
    ASSERT_TRUE(writePlacement(file, { 1, 2, 300, 400, 1 }));
    EXPECT_EQ(readPlacement(file), (WindowPlacement { 1, 2, 300, 400, 1 }));
    EXPECT_EQ(FileFaults::count(FileOp::Read), 1);
    FileFaults::reset();

    // What reached the file is what the next start reads.
    SettingsFile next(path());
    EXPECT_EQ(readPlacement(next), (WindowPlacement { 1, 2, 300, 400, 1 }));
    EXPECT_EQ(readOrWriteDefaultPrintOptions(next), PrintOptions {});
    EXPECT_EQ(next.readString("Filler", "Key0", "-", 41), "value 0");
}

// A change another program makes while the file is in use is not undone by the next write.
TEST_F(Settings, WriteKeepsAChangeMadeMeanwhile)
{
    write("[Print options]\nPrint size=small\nLeft hand Margin=5\n");
    EXPECT_EQ(readPrintOptions(file), (PrintOptions { PrintSize::Small, 5 }));
    writeBytes(path(), [] {
        const std::string edited = "[Print options]\nPrint size=small\nLeft hand Margin=5\n"
                                   "[Internet Options]\nPassive FTP=Yes\n";
        return std::vector<std::uint8_t>(edited.begin(), edited.end());
    }());
    ASSERT_TRUE(file.writeString("Print options", "Print size", "large"));
    EXPECT_EQ(text(),
        "[Print options]\nPrint size=large\nLeft hand Margin=5\n[Internet Options]\nPassive "
        "FTP=Yes\n");
    EXPECT_EQ(file.readString("Internet Options", "Passive FTP", "-", 32), "Yes");
}

// No line of the file can hold a line break: such a value would add lines of its own.
TEST_F(Settings, ValueWithALineBreakIsRefused)
{
    write("[MRU]\nCount=8\n");
    const std::string before = text();
    using namespace std::string_literals;
    for (const std::string& value : { "a\nCount=99"s, "a\rb"s, "a\0b"s })
        EXPECT_FALSE(file.writeString("MRU", "MRU0", value));
    EXPECT_EQ(text(), before);
    EXPECT_EQ(file.readInt("MRU", "Count", 0), 8);
}

TEST_F(Settings, FileExtensionAtStart)
{
    const struct
    {
        const char* stored; // nullptr: absent
        int used;
    } cases[] = {
        { nullptr, 21257 },
        { "5", 21257 },
        { "21257", 21257 },
        { "21262", 21262 },
        { "text", 21257 },
        { "HNR32", 21257 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        write(c.stored ? std::string("[Startup]\nFile extension=") + c.stored + "\n" : "");
        EXPECT_EQ(startFileExtension(file), c.used);
        EXPECT_EQ(
            file.readString("Startup", "File extension", "HNR32", 41), std::to_string(c.used));
    }
}

// Text files come first at the next start exactly when the text filter was the last one chosen.
TEST_F(Settings, FileExtensionAtQuitFollowsTheLastFilterChosen)
{
    const struct
    {
        int inUse, filter, written;
    } cases[] = {
        { 21262, 1, 21262 },
        { 21262, 2, 21257 },
        { 21262, 3, 21257 },
        { 21257, 1, 21257 },
        { 21257, 2, 21262 },
        { 21257, 3, 21257 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.inUse) + " filter " + std::to_string(c.filter));
        EXPECT_EQ(quitFileExtension(file, c.inUse, c.filter), c.written);
        EXPECT_EQ(file.readInt("Startup", "File extension", 0), c.written);
    }
}

TEST_F(Settings, LeftHandMarginIsTakenUpTo142AndWrittenBackNormalised)
{
    const struct
    {
        const char* stored;
        PrintOptions loaded;
        const char* written;
    } cases[] = {
        { "0", { PrintSize::Large, 0 }, "0" },
        { "142", { PrintSize::Large, 142 }, "142" },
        { "010", { PrintSize::Large, 10 }, "10" },
        { "143", {}, "10" },
        { "-1", {}, "10" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        write(
            std::string("[Print options]\nPrint size=large\nLeft hand Margin=") + c.stored + "\n");
        EXPECT_EQ(readOrWriteDefaultPrintOptions(file), c.loaded);
        EXPECT_EQ(file.readString("Print options", "Left hand Margin", "N283G32", 20), c.written);
    }
}

TEST_F(Settings, WindowPlacementNeedsAllFiveKeys)
{
    EXPECT_FALSE(readPlacement(file));
    const WindowPlacement placement { 10, 20, 640, 480, 1 };
    ASSERT_TRUE(writePlacement(file, placement));
    EXPECT_EQ(readPlacement(file), placement);
    ASSERT_TRUE(file.writeString("Size", "Status", "0"));
    EXPECT_FALSE(readPlacement(file));
}

TEST_F(Settings, RecentFilesSkipEmptyAndDefaultEntries)
{
    ASSERT_TRUE(writeRecentFiles(file, { "/home/a/one.bee", "/home/a/two.txt" }));
    EXPECT_EQ(
        readRecentFiles(file), (std::vector<std::string> { "/home/a/one.bee", "/home/a/two.txt" }));
    ASSERT_TRUE(file.writeString("MRU", "MRU0", "Default"));
    EXPECT_EQ(readRecentFiles(file), (std::vector<std::string> { "/home/a/two.txt" }));
    EXPECT_EQ(file.readInt("mru", "count", 0), 8);
}

} // namespace
} // namespace quorvel::test
