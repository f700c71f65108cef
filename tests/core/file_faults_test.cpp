// The file layer every other test relies on: failure injection hits exactly the operations it is
// armed for, and the block cache always reads what the file holds, across block boundaries and
// after writes that leave gaps.

#include "platform/file.h"
#include "platform/file_errors.h"
#include "platform/file_faults.h"
#include "platform/replace_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileFaults, FailsTheArmedOperationsOnly)
{
    TempFolder folder;
    writeBytes(folder.file("f"), Bytes(64, 7));
    auto file = File::open(folder.file("f"), OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    std::uint8_t b[4];

    FileFaults::reset();
    FileFaults::failNth(FileOp::Read, 2, 2);
    EXPECT_TRUE(file->readAt(0, b, 4));
    EXPECT_FALSE(file->readAt(0, b, 4));
    EXPECT_FALSE(file->readAt(0, b, 4));
    EXPECT_TRUE(file->readAt(0, b, 4));
    EXPECT_EQ(FileFaults::count(FileOp::Read), 4);
    EXPECT_EQ(FileFaults::count(FileOp::Seek), 4);
    EXPECT_TRUE(file->writeAt(0, b, 4)); // other kinds are not touched

    FileFaults::reset();
    FileFaults::failFrom(FileOp::Write, 2);
    EXPECT_TRUE(file->write(b, 1));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(file->write(b, 1));

    FileFaults::reset();
    EXPECT_TRUE(file->write(b, 1));
    FileFaults::failNth(FileOp::Open, 1);
    int error = 0;
    EXPECT_FALSE(File::open(folder.file("f"), OpenMode::ReadOnly, &error));
    EXPECT_NE(error, 0);
    EXPECT_TRUE(File::open(folder.file("f"), OpenMode::ReadOnly));
    FileFaults::reset();
}

TEST(FileFaults, FailedWriteLeavesTheFileAsItWas)
{
    TempFolder folder;
    const Bytes before(100, 3);
    writeBytes(folder.file("f"), before);
    auto file = File::open(folder.file("f"), OpenMode::ReadWrite);
    FileFaults::failNth(FileOp::Write, 1);
    const Bytes junk(10, 9);
    EXPECT_FALSE(file->writeAt(20, junk.data(), junk.size()));
    FileFaults::reset();
    EXPECT_EQ(readBytes(folder.file("f")), before);
    Bytes read(10);
    ASSERT_TRUE(file->readAt(20, read.data(), read.size()));
    EXPECT_EQ(read, Bytes(10, 3));
}

// Records near a 16 KiB boundary, a write past the end of the file that leaves a gap, and a
// second handle's view after the first one wrote.
TEST(FileCache, ReadsWhatTheFileHolds)
{
    TempFolder folder;
    const std::string path = folder.file("big");
    Bytes content(40000);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i * 7 + 1);
    writeBytes(path, content);
    auto file = File::open(path, OpenMode::ReadWrite);
    ASSERT_TRUE(file);

    Bytes read(20);
    ASSERT_TRUE(file->readAt(16384 - 10, read.data(), read.size()));
    EXPECT_EQ(read, Bytes(content.begin() + 16374, content.begin() + 16394));

    const Bytes patch = { 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6 };
    ASSERT_TRUE(file->writeAt(16384 - 3, patch.data(), patch.size()));
    std::copy(patch.begin(), patch.end(), content.begin() + 16381);
    ASSERT_TRUE(file->readAt(16384 - 10, read.data(), read.size()));
    EXPECT_EQ(read, Bytes(content.begin() + 16374, content.begin() + 16394));

    // Past the end: the gap reads as zeros and the new bytes as written.
    const Bytes tail = { 1, 2, 3, 4 };
    ASSERT_TRUE(file->writeAt(40100, tail.data(), tail.size()));
    EXPECT_EQ(file->size(), 40104u);
    Bytes around(8);
    ASSERT_TRUE(file->readAt(40096, around.data(), around.size()));
    EXPECT_EQ(around, (Bytes { 0, 0, 0, 0, 1, 2, 3, 4 }));
    ASSERT_TRUE(file->readAt(39996, around.data(), around.size()));
    EXPECT_EQ(around,
        (Bytes { content[39996], content[39997], content[39998], content[39999], 0, 0, 0, 0 }));

    // Reading at the end gives what is there and no more.
    Bytes last(10);
    ASSERT_TRUE(file->seek(40100));
    EXPECT_EQ(file->read(last.data(), last.size()), 4u);
    ASSERT_TRUE(file->seek(50000));
    EXPECT_EQ(file->read(last.data(), last.size()), 0u);

    auto other = File::open(path, OpenMode::ReadOnly);
    Bytes fromOther(6);
    ASSERT_TRUE(other->readAt(16381, fromOther.data(), fromOther.size()));
    EXPECT_EQ(fromOther, patch);
}

TEST(FileCache, SmallFileThatGrowsReadsItsNewBytes)
{
    TempFolder folder;
    const std::string path = folder.file("small");
    writeBytes(path, Bytes(30, 5));
    auto file = File::open(path, OpenMode::ReadWrite);
    std::uint8_t b[4];
    ASSERT_TRUE(file->readAt(0, b, 4)); // caches the short block
    const Bytes more(20, 6);
    ASSERT_TRUE(file->writeAt(30, more.data(), more.size()));
    Bytes all(50);
    ASSERT_TRUE(file->readAt(0, all.data(), all.size()));
    Bytes expected(50, 5);
    std::fill(expected.begin() + 30, expected.end(), std::uint8_t(6));
    EXPECT_EQ(all, expected);
}

// Records are looked at in place when they lie inside one cached block; across a block edge the
// view declines and the caller reads a copy. A failed read is told apart from a decline.
TEST(FileCache, ViewShowsBytesInPlaceWithinOneBlock)
{
    TempFolder folder;
    Bytes bytes(40000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(folder.file("v"), bytes);
    auto file = File::open(folder.file("v"), OpenMode::ReadOnly);
    std::size_t available = 0;
    bool failed = true;
    const std::uint8_t* p = file->view(100, 10, available, failed);
    ASSERT_TRUE(p);
    EXPECT_FALSE(failed);
    EXPECT_EQ(available, 16384u - 100);
    EXPECT_TRUE(std::equal(p, p + 10, bytes.begin() + 100));

    EXPECT_FALSE(file->view(16380, 10, available, failed)) << "straddles two blocks";
    EXPECT_FALSE(failed);
    p = file->view(39990, 5, available, failed);
    ASSERT_TRUE(p);
    EXPECT_EQ(available, 10u) << "stops at the end of the file";
    EXPECT_FALSE(file->view(40000, 1, available, failed));
    EXPECT_FALSE(failed);

    FileFaults::failNth(FileOp::Read, 1);
    EXPECT_FALSE(file->view(100, 10, available, failed));
    EXPECT_TRUE(failed);
}

// In a batch the writes stay in memory, readable at once, and reach the file only when the batch
// ends, each changed block whole, however many blocks the batch touched.
TEST(FileCache, BatchWritesReachTheFileWhenTheBatchEnds)
{
    TempFolder folder;
    const std::string path = folder.file("b");
    writeBytes(path, Bytes(2'000'000, 1));
    auto file = File::open(path, OpenMode::ReadWrite);
    file->beginBatch();
    const Bytes patch { 9, 8, 7 };
    // One patch in every 16 KiB block: far more blocks than the cache holds.
    for (std::uint64_t at = 5; at < 2'000'000; at += 16384)
        ASSERT_TRUE(file->writeAt(at, patch.data(), patch.size()));
    ASSERT_TRUE(file->writeAt(2'000'000, patch.data(), patch.size())); // grows the file
    std::uint8_t back[3];
    ASSERT_TRUE(file->readAt(16389, back, 3));
    EXPECT_EQ(Bytes(back, back + 3), patch);
    EXPECT_EQ(file->size(), 2'000'003u);
    EXPECT_EQ(readBytes(path), Bytes(2'000'000, 1)) << "nothing written before the batch ends";
    ASSERT_TRUE(file->endBatch());

    Bytes expected(2'000'000, 1);
    for (std::size_t at = 5; at < 2'000'000; at += 16384)
        std::copy(patch.begin(), patch.end(), expected.begin() + static_cast<std::ptrdiff_t>(at));
    expected.insert(expected.end(), patch.begin(), patch.end());
    EXPECT_EQ(readBytes(path), expected);
}

// A file opened to be made afresh shows nothing of its old bytes, and has none of them left
// once it is closed, however much shorter the new content is.
TEST(FileCache, CreatedFileShowsNoneOfItsOldBytes)
{
    TempFolder folder;
    const std::string path = folder.file("c");
    writeBytes(path, Bytes(50000, 3));
    auto file = File::open(path, OpenMode::Create);
    EXPECT_EQ(file->size(), 0u);
    std::uint8_t b[4];
    EXPECT_FALSE(file->readAt(0, b, 4));
    const Bytes head { 1, 2 };
    ASSERT_TRUE(file->writeAt(0, head.data(), head.size()));
    ASSERT_TRUE(file->writeAt(10, head.data(), head.size())); // leaves a gap of 8 bytes
    Bytes all(12);
    ASSERT_TRUE(file->readAt(0, all.data(), all.size()));
    EXPECT_EQ(all, (Bytes { 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2 }));
    ASSERT_TRUE(file->close());
    EXPECT_EQ(readBytes(path), all);
}

TEST(ReplaceFile, ReplacesTheWholeFileOrNothing)
{
    TempFolder folder;
    const std::string path = folder.file("whole");
    const std::string first = "first version";
    ASSERT_TRUE(replaceFile(path, first.data(), first.size()).ok());
    std::string read;
    ASSERT_TRUE(readWholeFile(path, read));
    EXPECT_EQ(read, first);

    const std::string second = "second";
    FileFaults::failNth(FileOp::Write, 1);
    EXPECT_FALSE(replaceFile(path, second.data(), second.size()).ok());
    FileFaults::reset();
    ASSERT_TRUE(readWholeFile(path, read));
    EXPECT_EQ(read, first);

    ASSERT_TRUE(replaceFile(path, second.data(), second.size()).ok());
    ASSERT_TRUE(readWholeFile(path, read));
    EXPECT_EQ(read, second);

    int error = 0;
    EXPECT_FALSE(readWholeFile(folder.file("missing"), read, &error));
    EXPECT_EQ(error, 2);
    EXPECT_EQ(replaceFile(folder.file("no/such/folder/file"), first.data(), first.size()).fileError,
        FileError::kPathNotFound);
}

} // namespace
} // namespace quorvel::test
