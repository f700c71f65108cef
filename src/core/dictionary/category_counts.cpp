#include "dictionary/category_counts.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_format.h"
#include "platform/paths.h"

namespace quorvel {

using namespace dict;

std::optional<CategoryCounts> countCategoryWords(File& file)
{
    const std::uint32_t tableOffset = ReadTableOffset(file, Table::Category);
    if (tableOffset == kNoOffset)
        return std::nullopt;
    CategoryCounts counts {};
    RecordReader reader(file);
    RecordPeek record;
    for (std::uint32_t slotOffset = 0; slotOffset <= kLastSlotOffset; slotOffset += 4) {
        std::uint32_t link = 0;
        reader.forget();
        if (!ReadLink(file, tableOffset + slotOffset, link))
            return std::nullopt;
        const std::uint32_t end = endMarker(tableOffset, slotOffset);
        reader.startChain(); // the reader bounds the chain, so a loop in a damaged file ends
        while (link != end) {
            if (!reader.read(link, record))
                return std::nullopt;
            const WordRecordHeader header = WordRecordHeader::decode(record.header);
            const int category = header.category();
            if (category > 0 && category < kCategoryCountSlots)
                ++counts[static_cast<std::size_t>(category)];
            link = header.next;
        }
    }
    return counts;
}

std::optional<CategoryCounts> countCategoryWords(const std::string& dictionaryFolder)
{
    if (dictionaryFolder.empty())
        return std::nullopt;
    const std::unique_ptr<File> file
        = File::open(paths::dictionaryFile(dictionaryFolder), OpenMode::ReadOnly);
    if (!file)
        return std::nullopt;
    std::optional<CategoryCounts> counts = countCategoryWords(*file);
    file->close();
    return counts;
}

} // namespace quorvel
