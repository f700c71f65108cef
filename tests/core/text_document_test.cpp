// Text files of the bee/text windows: which encoding and line ends a file is read with, that an
// unchanged text is written back byte for byte, files that are refused, and saves that fail
// without harming the old file.

#include "support/temp_folder.h"

#include "documents/text_document.h"
#include "platform/file_faults.h"
#include "strings/document_strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quorvel::test {
namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeAll(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

using namespace std::string_view_literals;

struct DecodeCase
{
    const char* name;
    std::string_view bytes;
    QString text;
    TextEncoding encoding;
    LineEnding lineEnding;
    bool cutAtZero = false;
};

TEST(TextDocumentTest, DecodesEachKindOfFile)
{
    const DecodeCase cases[] = {
        { "empty", ""sv, "", TextEncoding::Utf8, LineEnding::Lf },
        { "utf8", "caf\xC3\xA9\nna\xC3\xAFve\n"sv, u"café\nnaïve\n"_qs, TextEncoding::Utf8,
            LineEnding::Lf },
        { "windows-1252", "caf\xE9 \x80 \x93quoted\x94"sv, u"café € “quoted”"_qs,
            TextEncoding::Windows1252, LineEnding::Lf },
        { "crlf", "one\r\ntwo\r\n"sv, "one\ntwo\n", TextEncoding::Utf8, LineEnding::CrLf },
        { "mostly crlf", "a\r\nb\r\nc\n"sv, "a\nb\nc\n", TextEncoding::Utf8, LineEnding::CrLf },
        { "mostly lf", "a\nb\nc\r\n"sv, "a\nb\nc\n", TextEncoding::Utf8, LineEnding::Lf },
        { "zero byte", "cat dog\0mouse"sv, "cat dog", TextEncoding::Utf8, LineEnding::Lf, true },
        // What lies after the zero is not looked at: its bytes do not make the text 1252.
        { "zero before bad utf8", "ok\0\xE9"sv, "ok", TextEncoding::Utf8, LineEnding::Lf, true },
        { "zero padding", "cat\r\n\0\0\0\0"sv, "cat\n", TextEncoding::Utf8, LineEnding::CrLf,
            true },
        { "tab and form feed", "a\tb\fc"sv, "a\tb\fc", TextEncoding::Utf8, LineEnding::Lf },
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedText d = decodeText(c.bytes);
        EXPECT_FALSE(d.notText);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.format.encoding, c.encoding);
        EXPECT_EQ(d.format.lineEnding, c.lineEnding);
        EXPECT_EQ(d.cutAtZero, c.cutAtZero);
    }
}

TEST(TextDocumentTest, BinaryAndWideFilesAreNotText)
{
    for (const std::string_view bytes : { "ab\x01"
                                          "cd"sv,
             "\x7F"sv, "\xFF\xFEh\0i\0"sv, "\xFE\xFF\0h\0i"sv,
             "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x02\x80\x08\x06"sv }) {
        SCOPED_TRACE(std::string(bytes));
        EXPECT_TRUE(decodeText(bytes).notText);
    }
}

// Every kind of file read and saved unchanged keeps its bytes, including the C1 bytes that
// Windows-1252 leaves undefined and a UTF-8 byte-order mark.
TEST(TextDocumentTest, UnchangedTextSavesTheSameBytes)
{
    TempFolder folder;
    const std::string_view files[] = {
        "cat\ndog\n"sv,
        "caf\xC3\xA9\r\ndog\r\n"sv,
        "\xEF\xBB\xBFword\r\n"sv,
        "caf\xE9\r\n\x80\x81\x8D\x8F\x90\x9D\x9F\xFF\r\n"sv,
        "no line end at the end"sv,
    };
    int n = 0;
    for (const std::string_view bytes : files) {
        SCOPED_TRACE(std::string(bytes));
        const std::string path = folder.file("f" + std::to_string(n++) + ".bee");
        writeAll(path, bytes);
        const TextReadResult read = readTextFile(path);
        ASSERT_TRUE(read);
        ASSERT_TRUE(saveTextFile(path, read.document.text, read.document.format));
        EXPECT_EQ(readAll(path), bytes);
    }
}

TEST(TextDocumentTest, EditedTextKeepsTheFilesEncodingAndLineEnds)
{
    TempFolder folder;
    const std::string path = folder.file("list.txt");
    writeAll(path, "caf\xE9\r\n"sv);
    TextReadResult read = readTextFile(path);
    ASSERT_TRUE(read);
    ASSERT_TRUE(saveTextFile(path, read.document.text + u"naïve\n"_qs, read.document.format));
    EXPECT_EQ(readAll(path), "caf\xE9\r\nna\xEFve\r\n");

    // A new file is UTF-8 with "\n".
    const std::string fresh = folder.file("new.bee");
    ASSERT_TRUE(saveTextFile(fresh, u"naïve\n"_qs, TextFormat {}));
    EXPECT_EQ(readAll(fresh), "na\xC3\xAFve\n");
}

TEST(TextDocumentTest, FileWithAZeroByteShowsAndSavesOnlyTheTextBeforeIt)
{
    TempFolder folder;
    const std::string path = folder.file("zero.bee");
    writeAll(path, "cat\r\ndog\0garbage\xFF"sv);
    const TextReadResult read = readTextFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.document.text, "cat\ndog");
    EXPECT_TRUE(read.document.cutAtZero);
    EXPECT_EQ(textReadMessage(path, read), strings::kTextFileCutAtZero);
    ASSERT_TRUE(saveTextFile(path, read.document.text, read.document.format));
    EXPECT_EQ(readAll(path), "cat\r\ndog");
}

TEST(TextDocumentTest, EmptyFileOpensEmpty)
{
    TempFolder folder;
    const std::string path = folder.file("empty.bee");
    writeAll(path, "");
    const TextReadResult read = readTextFile(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read.document.text.isEmpty());
    EXPECT_EQ(read.document.format, TextFormat {});
    EXPECT_TRUE(textReadMessage(path, read).empty());
}

TEST(TextDocumentTest, FilesThatCannotBeOpenedSayWhy)
{
    TempFolder folder;
    const std::string big = folder.file("big.txt");
    {
        std::ofstream(big, std::ios::binary) << "x";
    }
    // 200 MB without writing them: a sparse file.
    std::filesystem::resize_file(big, std::uintmax_t(200) << 20);
    const std::string binary = folder.file("picture.bee");
    writeAll(binary, "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x02\x80\x08\x06"sv);

    struct Case
    {
        std::string path;
        TextReadResult::Outcome outcome;
        const char* reason;
    };
    const Case cases[] = {
        { folder.file("gone.bee"), TextReadResult::Outcome::Missing, strings::kTextFileMissing },
        { folder.path(), TextReadResult::Outcome::IsFolder, strings::kTextFileIsFolder },
        { big, TextReadResult::Outcome::TooLarge, "larger than 64 MB" },
        { binary, TextReadResult::Outcome::NotText, strings::kTextFileNotText },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const TextReadResult read = readTextFile(c.path);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.outcome, c.outcome);
        EXPECT_TRUE(read.document.text.isEmpty());
        const std::string message = textReadMessage(c.path, read);
        EXPECT_EQ(message.rfind("Unable to read file " + c.path + " from disk.\n", 0), 0u)
            << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
}

TEST(TextDocumentTest, FailedReadGivesNoText)
{
    TempFolder folder;
    const std::string path = folder.file("list.bee");
    writeAll(path, "cat dog"sv);
    FileFaults::failNth(FileOp::Read, 1);
    const TextReadResult read = readTextFile(path);
    EXPECT_EQ(read.outcome, TextReadResult::Outcome::Unreadable);
    EXPECT_TRUE(read.document.text.isEmpty());
    EXPECT_FALSE(textReadMessage(path, read).empty());
}

// A save that fails at any step leaves the old file byte for byte, and no temporary file.
TEST(TextDocumentTest, FailedSaveLeavesTheOldFileWhole)
{
    struct Case
    {
        const char* name;
        FileOp op;
        int error;
        const char* reason;
    };
    const Case cases[] = {
        { "no write access", FileOp::Open, EACCES, strings::kTextFolderNotWritable },
        { "disk full", FileOp::Write, ENOSPC, strings::kTextDiskFull },
        { "write error", FileOp::Write, EIO, strings::kTextOldFileKept },
        { "sync", FileOp::Sync, EIO, strings::kTextOldFileKept },
        { "rename", FileOp::Rename, EIO, strings::kTextOldFileKept },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file("list.bee");
        writeAll(path, "old words\r\n"sv);
        FileFaults::failNth(c.op, 1, 1, c.error);
        const TextSaveResult saved = saveTextFile(path, "new words\n", TextFormat {});
        FileFaults::reset();
        EXPECT_EQ(saved.outcome, TextSaveResult::Outcome::Failed);
        EXPECT_EQ(readAll(path), "old words\r\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                      std::filesystem::directory_iterator()),
            1);
        const std::string message = textSaveMessage(path, saved);
        EXPECT_EQ(message.rfind("Unable to write file " + path + " to disk.\n", 0), 0u);
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_NE(message.find(strings::kTextOldFileKept), std::string::npos) << message;
    }
}

// A Windows-1252 file cannot hold every character: the save is refused before anything is
// written, naming the character (a whole surrogate pair).
TEST(TextDocumentTest, CharacterTheEncodingCannotHoldIsRefused)
{
    TempFolder folder;
    const std::string path = folder.file("old.txt");
    writeAll(path, "caf\xE9\n"sv);
    const TextReadResult read = readTextFile(path);
    ASSERT_TRUE(read);
    ASSERT_EQ(read.document.format.encoding, TextEncoding::Windows1252);
    for (const QString& added : { u"λ"_qs, u"🐝"_qs }) {
        SCOPED_TRACE(added.toStdString());
        const TextSaveResult saved
            = saveTextFile(path, read.document.text + u"ab"_qs + added, read.document.format);
        EXPECT_EQ(saved.outcome, TextSaveResult::Outcome::Unencodable);
        EXPECT_EQ(saved.badChar, added);
        EXPECT_EQ(saved.badPosition, read.document.text.size() + 2);
        EXPECT_EQ(readAll(path), "caf\xE9\n");
        EXPECT_NE(textSaveMessage(path, saved).find(added.toStdString()), std::string::npos);
    }
    // A lone surrogate is no character of any encoding.
    std::string bytes;
    EXPECT_FALSE(encodeText(QString(QChar(0xD83D)), TextFormat {}, bytes));
}

} // namespace
} // namespace quorvel::test
