#include "support/progress_fixture.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_pass.h"
#include "platform/le_codec.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace quorvel::test {

HistorySummary drillSummary(int words, int correct, int level, bool automatic)
{
    HistorySummary s;
    s.autoFlag = automatic ? 1 : 0;
    s.words = static_cast<std::uint16_t>(words);
    s.correct = static_cast<std::uint16_t>(correct);
    s.minLetters = 4;
    s.maxLetters = 6;
    s.levelPercent = 40;
    s.listType = 1;
    s.level = static_cast<std::uint16_t>(level);
    return s;
}

void writeHistory(
    const std::string& dataFolder, int slot, int records, const std::vector<Drill>& drills)
{
    FakeClock clock;
    ASSERT_TRUE(GenerateHistoryFile(dataFolder, records, slot, clock));
    auto file = HistoryFile::open(dataFolder, slot, OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    for (const Drill& d : drills)
        ASSERT_TRUE(file->append(d.summary, classicDateText(d.when), true, clock));
    ASSERT_TRUE(file->close());
}

void setHistoryLink(const std::string& path, int block, std::uint32_t offset)
{
    Bytes bytes = readBytes(path);
    ASSERT_GE(bytes.size(), 56u * static_cast<std::size_t>(block + 1));
    le::putU32(bytes.data() + 56 * block + 52, offset);
    writeBytes(path, bytes);
}

void writeStatusDictionary(const std::string& dictionaryFolder)
{
    writeBytes(paths::dictionaryFile(dictionaryFolder),
        buildDictionaryImage({ entry("CAT", 0, 0), entry("DOG", 0, 1), entry("FISH", 0, 2),
            entry("APPLE", 5, 1), entry("ZEBRA", 5, 3) }));
    auto file = openDictionaryFile(paths::dictionaryFile(dictionaryFolder), false);
    ASSERT_TRUE(file);
    ASSERT_EQ(ResetStatus(*file, kMainTable, 3, 2), 3);
    ASSERT_TRUE(file->close());
}

} // namespace quorvel::test
