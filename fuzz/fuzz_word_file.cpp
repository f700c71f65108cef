// Any bytes as a user's word file (with a small valid dictionary beside it): reading, finding,
// finishing and applying a list must end with a result and never touch memory they do not own.

#include "config/startup_info.h"
#include "dictionary/dictionary_format.h"
#include "drill/word_file.h"
#include "fuzz_support.h"
#include "platform/replace_file.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        const auto image = buildDictionaryImage({ { "CAT" }, { "DOG" }, { "SPELLING" } });
        return replaceFile(
            fuzz::scratchFolder() + "/progdata/sonddict.dis", image.data(), image.size())
            .ok();
    }();
    if (!ready)
        return 0;
    fuzz::writeInput("progdata/worduse0.wrd", data, size);
    auto file = WordFile::open(fuzz::scratchFolder(), 0, OpenMode::ReadWrite);
    if (!file)
        return 0;
    WordFileHeader header;
    file->readHeader(header);
    file->readState();
    std::vector<WordFileEntry> entries;
    file->readList(entries);
    file->findWord("SPELLING");
    StartupInfo info;
    info.setDataFolder(fuzz::scratchFolder());
    info.setDictionaryFolder(fuzz::scratchFolder());
    ApplyListResults(*file, info, static_cast<int>(size % 12));
    file->finishList(header.count, header.listType, header.state);
    file->close();
    return 0;
}
