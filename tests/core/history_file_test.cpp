// History files: the ring as made, appending drills round it, rebuilding it with another number
// of records, and what a drill's append shows when the file is missing, too big or damaged.

#include "history/history_file.h"
#include "platform/file_faults.h"
#include "platform/le_codec.h"
#include "strings/strings.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace quorvel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class HistoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Dates in the files are local time: fix the zone so that they are the same everywhere.
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        folder.makeProgdata();
    }

    std::string path(char slot = '0') const
    {
        return folder.file(std::string("progdata/histuse") + slot + ".his");
    }

    static HistorySummary drill(std::uint16_t words, std::uint16_t correct = 0)
    {
        HistorySummary s;
        s.autoFlag = 1;
        s.words = words;
        s.correct = correct;
        s.minLetters = 4;
        s.maxLetters = 10;
        s.levelPercent = 50;
        s.listType = 1;
        s.level = 2;
        return s;
    }

    // Appends a drill the way the drill does, a minute after the last.
    bool appendDrill(int words)
    {
        clock.setNow(clock.now() + 60);
        const auto w = static_cast<std::uint16_t>(words);
        return appendDrillHistory(
            folder.path(), 0, drill(w, static_cast<std::uint16_t>(w / 2)), clock, prompter);
    }

    HistoryHeader header()
    {
        HistoryHeader h;
        auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
        EXPECT_TRUE(file && file->readHeader(h));
        return h;
    }

    // The word counts of records 1..N, oldest first.
    std::vector<int> wordCounts()
    {
        std::vector<int> out;
        auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
        if (!file)
            return { -1 };
        for (int k = 1; k <= file->count(); ++k) {
            HistoryRecord r;
            if (!file->readRecord(k, r))
                return { -2 };
            out.push_back(r.summary.words);
        }
        return out;
    }

    // A ring of `claimed` records as another program might leave it: block k (1..blocks) holds a
    // drill of k words, dated by its number, and links to block k + 1, the last back to block 1;
    // the header claims `claimed` records and points at block 1.
    static Bytes ringOf(int blocks, int claimed)
    {
        Bytes bytes(56u * static_cast<std::size_t>(blocks + 1), 0);
        le::putU16(bytes.data(), static_cast<std::uint16_t>(claimed));
        le::putU32(bytes.data() + 52, 56);
        for (int k = 1; k <= blocks; ++k) {
            std::uint8_t* block = bytes.data() + 56 * k;
            le::putU16(block, static_cast<std::uint16_t>(claimed));
            le::putU16(block + 4, static_cast<std::uint16_t>(k));
            const std::string date = "drill " + std::to_string(k);
            std::copy(date.begin(), date.end(), block + 18);
            le::putU32(block + 52, k == blocks ? 56u : 56u * static_cast<std::uint32_t>(k + 1));
        }
        return bytes;
    }

    TempFolder folder;
    FakeClock clock;
    FakePrompter prompter;
};

// The golden ring of three records: header next-write 56, records at 56, 112 and 168 linked
// 112, 168, 56, each holding N and the creation date. It catches a ring that ends instead of
// coming back to record 1, a header that points past record 1, N missing from the records, and a
// date in another form.
TEST_F(HistoryTest, NewRingOfThreeMatchesGoldenFile)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    const Bytes bytes = readBytes(path());
    EXPECT_EQ(bytes, readBytes(fixturePath("history_ring_3.his")));
    ASSERT_EQ(bytes.size(), 224u);
    EXPECT_EQ(le::u32(bytes.data() + 52), 56u);
    const std::uint32_t next[] = { 112, 168, 56 };
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint8_t* block = bytes.data() + 56 * (i + 1);
        EXPECT_EQ(le::u16(block), 3);
        EXPECT_EQ(le::u32(block + 52), next[i]);
    }
    EXPECT_EQ(header().created, "Wed Dec 10 14:03:05 2025\n");
    EXPECT_EQ(wordCounts(), (std::vector<int> { 0, 0, 0 }));
}

TEST_F(HistoryTest, FourthDrillOverwritesTheFirst)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    for (int words : { 10, 20, 30 })
        ASSERT_TRUE(appendDrill(words));
    EXPECT_EQ(header().nextWrite, 56u);
    EXPECT_EQ(wordCounts(), (std::vector<int> { 10, 20, 30 }));
    ASSERT_TRUE(appendDrill(40));
    EXPECT_EQ(header().nextWrite, 112u);
    EXPECT_EQ(wordCounts(), (std::vector<int> { 20, 30, 40 }));
    EXPECT_TRUE(prompter.shown.empty());

    auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    HistoryRecord newest;
    ASSERT_TRUE(file->readRecord(3, newest));
    EXPECT_EQ(newest.summary, drill(40, 20));
    EXPECT_EQ(newest.date, classicDateText(clock.now()));
    EXPECT_EQ(newest.records, 3);
    HistoryRecord beyond;
    EXPECT_FALSE(file->readRecord(4, beyond));
    EXPECT_FALSE(file->readRecord(0, beyond));
    // The header's summary is never written by an append.
    EXPECT_EQ(header().summary, HistorySummary {});
}

TEST_F(HistoryTest, RebuildKeepsTheDrillsWithTheirDates)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    ASSERT_TRUE(appendDrill(10));
    const std::string firstDate = classicDateText(clock.now());
    ASSERT_TRUE(appendDrill(12));
    const std::string secondDate = classicDateText(clock.now());
    clock.setNow(clock.now() + 86400);
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));

    EXPECT_EQ(readBytes(path()).size(), 224u);
    EXPECT_FALSE(fileExists(path('X')));
    const HistoryHeader h = header();
    EXPECT_EQ(h.records, 3);
    EXPECT_EQ(h.nextWrite, 168u);
    EXPECT_EQ(h.created, classicDateText(clock.now()));
    // Counted from the oldest, that is from the next to be written: the empty record 3 first.
    auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    HistoryRecord empty, first, second;
    ASSERT_TRUE(file->readRecord(1, empty));
    ASSERT_TRUE(file->readRecord(2, first));
    ASSERT_TRUE(file->readRecord(3, second));
    EXPECT_EQ(empty.summary, HistorySummary {});
    EXPECT_EQ(empty.date, h.created);
    EXPECT_EQ(first.summary, drill(10, 5));
    EXPECT_EQ(first.date, firstDate);
    EXPECT_EQ(first.next, 112u);
    EXPECT_EQ(second.summary, drill(12, 6));
    EXPECT_EQ(second.date, secondDate);
    EXPECT_EQ(first.records, 3);
}

TEST_F(HistoryTest, RebuildSkipsRecordsWithoutWordsAndKeepsTheNewest)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    for (int words : { 5, 0, 7 })
        ASSERT_TRUE(appendDrill(words));
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    EXPECT_EQ(wordCounts(), (std::vector<int> { 0, 5, 7 }));
    EXPECT_EQ(header().nextWrite, 168u);

    // Five drills into a ring of three: the newest three stay.
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    for (int words : { 1, 2, 3, 4, 5 })
        ASSERT_TRUE(appendDrill(words));
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    EXPECT_EQ(wordCounts(), (std::vector<int> { 3, 4, 5 }));

    // And a bigger ring keeps them all, in order, with room after them.
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 6, 0, clock));
    EXPECT_EQ(wordCounts(), (std::vector<int> { 0, 0, 0, 3, 4, 5 }));
}

TEST_F(HistoryTest, NumberOfRecordsOutsideThreeToSixtyIsRefused)
{
    for (int n : { 2, 61, 0, -1 })
        EXPECT_FALSE(GenerateHistoryFile(folder.path(), n, 0, clock)) << n;
    EXPECT_FALSE(fileExists(path()));
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 60, 0, clock));
    EXPECT_EQ(readBytes(path()).size(), 56u * 61);
    const Bytes before = readBytes(path());
    EXPECT_FALSE(GenerateHistoryFile(folder.path(), 61, 0, clock));
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_FALSE(GenerateHistoryFile(folder.path(), 5, 10, clock)); // only real slots
}

TEST_F(HistoryTest, AppendWithoutAFileShowsTheMessageAndCreatesNothing)
{
    EXPECT_FALSE(appendDrill(10));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Unable to save your history file.");
    EXPECT_EQ(prompter.shown[0].caption, "Information.");
    EXPECT_FALSE(fileExists(path()));
}

// A file that claims more than 60 records: the drill says a new file is needed and still
// appends; a rebuild refuses to copy it and leaves it as it is.
TEST_F(HistoryTest, FileWithMoreThanSixtyRecords)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    Bytes bytes = readBytes(path());
    le::putU16(bytes.data(), 61);
    writeBytes(path(), bytes);

    EXPECT_TRUE(appendDrill(10));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
        "Your History file has to many records. A new History file is required.");
    EXPECT_EQ(prompter.shown[0].caption, "Please see person with System menu access.");

    const Bytes before = readBytes(path());
    EXPECT_FALSE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    EXPECT_EQ(readBytes(path()), before);
}

// The whole ring in one pass: one read for the header and one for each record. Reading it
// record by record from the oldest each time took 38 s for a ring of 65,535 records.
TEST_F(HistoryTest, ReadingTheWholeRingReadsEachRecordOnce)
{
    constexpr int kRecords = 65535;
    writeBytes(path(), ringOf(kRecords, kRecords));
    auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    ASSERT_TRUE(file);
    std::vector<HistoryRecord> records;
    FileFaults::reset();
    ASSERT_TRUE(file->readRecords(records));
    EXPECT_LE(FileFaults::count(FileOp::Read), kRecords + 1);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kRecords));
    for (std::size_t i : { std::size_t(0), std::size_t(1), std::size_t(kRecords - 1) }) {
        EXPECT_EQ(records[i].summary.words, i + 1);
        EXPECT_EQ(records[i].date, "drill " + std::to_string(i + 1));
    }

    // The same records as one by one, from the oldest.
    std::filesystem::remove(path());
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 4, 0, clock));
    for (int words : { 10, 20, 30, 40, 50 })
        ASSERT_TRUE(appendDrill(words));
    file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    ASSERT_TRUE(file->readRecords(records));
    ASSERT_EQ(records.size(), 4u);
    for (int k = 1; k <= 4; ++k) {
        HistoryRecord one;
        ASSERT_TRUE(file->readRecord(k, one));
        EXPECT_EQ(records[static_cast<std::size_t>(k - 1)].summary, one.summary) << k;
        EXPECT_EQ(records[static_cast<std::size_t>(k - 1)].date, one.date) << k;
    }
}

// A ring that comes back on itself before its N records, or leaves the file, is read as far as
// it goes and reported as not read whole.
TEST_F(HistoryTest, RingThatEndsTooSoonIsReadAsFarAsItGoes)
{
    writeBytes(path(), ringOf(3, 5)); // claims 5, its links close after 3
    auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    std::vector<HistoryRecord> records;
    EXPECT_FALSE(file->readRecords(records));
    EXPECT_EQ(records.size(), 3u) << "no record twice";

    Bytes broken = ringOf(6, 6);
    le::putU32(broken.data() + 56 * 4 + 52, 56 * 40); // record 4 links past the end
    writeBytes(path(), broken);
    file = HistoryFile::open(folder.path(), 0, OpenMode::ReadOnly);
    EXPECT_FALSE(file->readRecords(records));
    EXPECT_EQ(records.size(), 4u);
}

// Once the person agreed, a file claiming more than 60 records is rebuilt with the newest drills
// that can be read from it, up to the new size; the drills before a break in the ring count.
TEST_F(HistoryTest, OversizedRingIsRebuiltOnlyWhenAsked)
{
    auto rebuilt = [this](const Bytes& old, int records) {
        writeBytes(path(), old);
        EXPECT_TRUE(historyFileOversized(folder.path(), 0));
        EXPECT_FALSE(GenerateHistoryFile(folder.path(), records, 0, clock));
        EXPECT_EQ(readBytes(path()), old) << "refused without the person's agreement";
        EXPECT_TRUE(GenerateHistoryFile(folder.path(), records, 0, clock, true));
        EXPECT_FALSE(historyFileOversized(folder.path(), 0));
        EXPECT_EQ(header().records, records);
        return wordCounts();
    };
    EXPECT_EQ(
        rebuilt(ringOf(65535, 65535), 5), (std::vector<int> { 65531, 65532, 65533, 65534, 65535 }));
    // Claims 61 but holds 3 drills: each is kept once.
    EXPECT_EQ(rebuilt(ringOf(3, 61), 5), (std::vector<int> { 0, 0, 1, 2, 3 }));
    // Record 71 links nowhere: the newest before the break are kept.
    Bytes broken = ringOf(100, 100);
    le::putU32(broken.data() + 56 * 71 + 52, 3);
    EXPECT_EQ(rebuilt(broken, 3), (std::vector<int> { 69, 70, 71 }));
    // Nothing that can be read: an empty ring.
    Bytes unreadable = ringOf(100, 100);
    le::putU32(unreadable.data() + 52, 56 * 200);
    EXPECT_EQ(rebuilt(unreadable, 3), (std::vector<int> { 0, 0, 0 }));
    EXPECT_FALSE(fileExists(path('X')));

    // A file within the limit that cannot be read whole is still not replaced.
    Bytes damaged = ringOf(5, 5);
    le::putU32(damaged.data() + 56 * 2 + 52, 3);
    writeBytes(path(), damaged);
    EXPECT_FALSE(GenerateHistoryFile(folder.path(), 3, 0, clock, true));
    EXPECT_EQ(readBytes(path()), damaged);
}

TEST_F(HistoryTest, DamagedRingIsNotFollowed)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    const Bytes good = readBytes(path());
    const struct
    {
        const char* name;
        std::size_t at;
        std::uint32_t value;
    } cases[] = {
        { "next-write past the end", 52, 56 * 9 },
        { "next-write into the header", 52, 0 },
        { "next-write between records", 52, 60 },
        { "ring link past the end", 56 + 52, 56 * 9 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good;
        le::putU32(bytes.data() + c.at, c.value);
        writeBytes(path(), bytes);
        auto file = HistoryFile::open(folder.path(), 0, OpenMode::ReadWrite);
        HistoryRecord r;
        EXPECT_FALSE(file->readRecord(3, r));
        if (c.at == 52) {
            EXPECT_FALSE(file->append(drill(5), "", false, clock));
            EXPECT_EQ(readBytes(path()), bytes);
        }
    }
}

// A read or write that fails during a drill's append is reported; the drills already in the
// ring are kept.
TEST_F(HistoryTest, FailedAppendKeepsTheDrillsBefore)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    ASSERT_TRUE(appendDrill(10));
    ASSERT_TRUE(appendDrill(20));
    const Bytes before = readBytes(path());
    const struct
    {
        const char* name;
        FileOp op;
        int n;
        bool saved;
    } cases[] = {
        { "opening the file", FileOp::Open, 1, false },
        { "reading the number of records", FileOp::Read, 1, true }, // only for the warning
        { "reading the header", FileOp::Read, 2, false },
        { "reading the oldest record", FileOp::Read, 3, false },
        { "writing the record", FileOp::Write, 1, false },
        { "writing the header", FileOp::Write, 2, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(), before);
        prompter.shown.clear();
        FileFaults::reset();
        FileFaults::failNth(c.op, c.n);
        const bool ok = appendDrill(30);
        FileFaults::reset();
        EXPECT_EQ(ok, c.saved);
        if (ok) {
            EXPECT_TRUE(prompter.shown.empty());
            EXPECT_EQ(wordCounts(), (std::vector<int> { 10, 20, 30 }));
        } else {
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text, strings::kUnableToSaveHistory);
        }
        const Bytes after = readBytes(path());
        ASSERT_EQ(after.size(), before.size());
        // Records 1 and 2 hold the two drills; only record 3, the next to be written, and
        // the header may change.
        EXPECT_TRUE(std::equal(before.begin() + 56, before.begin() + 168, after.begin() + 56));
    }
}

// An empty file has nothing to keep: a rebuild replaces it.
TEST_F(HistoryTest, RebuildReplacesAnEmptyFile)
{
    writeBytes(path(), {});
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    EXPECT_EQ(readBytes(path()), readBytes(fixturePath("history_ring_3.his")));
}

// A rebuild that fails at any step leaves the old file as it was.
TEST_F(HistoryTest, FailedRebuildKeepsTheOldFile)
{
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    ASSERT_TRUE(appendDrill(10));
    const Bytes before = readBytes(path());
    FileFaults::reset();
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    const int counts[] = { FileFaults::count(FileOp::Open), FileFaults::count(FileOp::Read),
        FileFaults::count(FileOp::Write) };
    const FileOp ops[] = { FileOp::Open, FileOp::Read, FileOp::Write };
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= counts[k]; ++n) {
            SCOPED_TRACE(std::to_string(k) + " " + std::to_string(n));
            writeBytes(path(), before);
            FileFaults::reset();
            FileFaults::failNth(ops[k], n);
            EXPECT_FALSE(GenerateHistoryFile(folder.path(), 3, 0, clock));
            FileFaults::reset();
            EXPECT_EQ(readBytes(path()), before);
        }
    }
}

TEST_F(HistoryTest, OpenTakesSlotsZeroToNineAndTheTemporaryFile)
{
    EXPECT_FALSE(HistoryFile::open(folder.path(), 11, OpenMode::Create));
    EXPECT_FALSE(HistoryFile::open(folder.path(), -1, OpenMode::Create));
    EXPECT_FALSE(HistoryFile::open("", 0, OpenMode::Create));
    EXPECT_TRUE(HistoryFile::open(folder.path(), 10, OpenMode::Create));
    EXPECT_TRUE(fileExists(path('X')));
    EXPECT_TRUE(HistoryFile::open(folder.path(), 9, OpenMode::Create));
    EXPECT_TRUE(fileExists(path('9')));
}

} // namespace
} // namespace quorvel::test
