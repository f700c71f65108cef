// Any bytes as a user's word file (with a small valid dictionary beside it): reading, finding,
// finishing and applying a list must end with a result and never touch memory they do not own.
// The input's last three bytes arm the file-failure hooks for applying and finishing the list:
// whatever fails, the dictionary the results go to checks clean afterwards.

#include "config/startup_info.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_file.h"
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
    const fuzz::FaultPlan plan = fuzz::trailingFaultPlan(data, size);
    {
        fuzz::ArmedFaults armed(plan);
        ApplyListResults(*file, info, static_cast<int>(size % 12));
        file->finishList(header.count, listTypeFromNumber(header.listType), header.state);
        file->close();
    }
    auto dictionary = openDictionaryFile(fuzz::scratchFolder() + "/progdata/sonddict.dis", true);
    FUZZ_CHECK(
        dictionary != nullptr, "the dictionary cannot be opened after " + fuzz::describe(plan));
    const DictionaryCheckReport report = checkDictionary(*dictionary);
    FUZZ_CHECK(report.ok,
        (report.problems.empty() ? "damaged" : report.problems.front()) + " after "
            + fuzz::describe(plan));
    return 0;
}
