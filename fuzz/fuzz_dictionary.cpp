// Any bytes as a dictionary: every operation must end, with a result, without reading or writing
// outside what it owns.

#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "dictionary/dictionary_walk.h"
#include "fuzz_support.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInput("progdata/sonddict.dis", data, size);
    {
        // Whatever the check finds, a repair of it must end, mending only what it can.
        auto file = File::open(path, OpenMode::ReadWrite);
        if (file)
            repairDictionary(*file, checkDictionary(*file));
    }
    auto file = openDictionaryFile(path, true);
    if (!file)
        return 0;
    CurrentWordInfo info;
    for (const char* word : { "AARDVARK", "CAT", "ZZZ", "SPELLING" })
        FindWord(*file, word, info);
    info.setCategory(static_cast<std::uint16_t>(size % 64));
    AddWord(*file, "QUORVEL", info);
    AmendWord(*file, "QUORVEL", true, info);
    RemoveWord(*file, "QUORVEL");
    ListCriteria criteria;
    criteria.language = 2;
    walkOneLap(*file, criteria, Table::Main, "MIDDLE", 0, 2000);
    criteria.skipMismatch = 0;
    walkOneLap(*file, criteria, Table::Category, "ZZZ", 0, 2000);
    DictionaryStatistics stats;
    collectDictionaryStatistics(*file, Table::Main, stats);
    const std::uint32_t table = ReadTableOffset(*file, Table::Category);
    if (table != dict::kNoOffset)
        ResetStatus(*file, table, 2, 3);
    CloseDictionary(file);
    return 0;
}
