#include "bench_words.h"

#include "dictionary/dictionary_file.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace quorvel::bench {

WordRow newWordRow(const std::string& word)
{
    WordRow row;
    row.word = word;
    row.status.fill(1);
    row.language = 3;
    row.category = 0;
    row.added = 1;
    return row;
}

std::vector<WordRow> loadWordRows(const std::string& path)
{
    // Read-only: loading must never touch the built file.
    auto file = File::open(path, OpenMode::ReadOnly);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::vector<WordRow> rows;
    for (Table table : { Table::Main, Table::Category }) {
        const std::uint32_t tableOffset = ReadTableOffset(*file, table);
        if (tableOffset == dict::kNoOffset)
            throw std::runtime_error(path + " has no readable bucket table");
        const bool ok = forEachRecord(*file, tableOffset, true,
            [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& header,
                std::string_view text) {
                char letters[2];
                BucketLetters(slot, letters);
                WordRow row;
                row.word.assign(letters, 2);
                row.word += text;
                for (int user = 0; user < 10; ++user)
                    row.status[static_cast<std::size_t>(user)]
                        = static_cast<std::uint8_t>(header.status(user));
                row.language = static_cast<std::uint8_t>(header.rawLanguage());
                row.category = static_cast<std::uint8_t>(header.category());
                row.added = static_cast<std::uint8_t>(header.addedMarker());
                row.media = static_cast<std::uint8_t>(header.mediaFlag());
                row.soundFlag = static_cast<std::uint8_t>(header.soundFlag());
                row.soundIndex = header.soundIndex;
                rows.push_back(std::move(row));
                return true;
            });
        if (!ok)
            throw std::runtime_error(path + " has a damaged chain");
    }
    return rows;
}

bool DrillFilter::accepts(const WordRow& row) const
{
    const bool dialect = row.language == 3 || row.language == language;
    const int length = static_cast<int>(row.word.size());
    const int status = row.status[static_cast<std::size_t>(user)];
    const bool wanted = statusWanted == 3 ? status != 3 : status == statusWanted;
    return dialect && row.category == category && length >= minLength && length <= maxLength
        && wanted;
}

DictionaryStatistics statisticsOf(const std::vector<WordRow>& rows)
{
    DictionaryStatistics stats;
    for (const WordRow& row : rows) {
        ++stats.words;
        for (std::size_t user = 0; user < 10; ++user)
            ++stats.statusCounts[user][row.status[user]];
        ++stats.categoryCounts[row.category];
        ++stats.languageCounts[row.language];
        // Rows come from a valid dictionary (3 to 37 letters); the bound only keeps a damaged
        // stand-in from writing past the table.
        if (row.word.size() < stats.lengthCounts.size())
            ++stats.lengthCounts[row.word.size()];
        ++stats.firstLetterCounts[static_cast<std::size_t>(row.word[0] - 'A')];
    }
    return stats;
}

bool sameStatistics(const DictionaryStatistics& a, const DictionaryStatistics& b)
{
    return a.words == b.words && a.statusCounts == b.statusCounts
        && a.categoryCounts == b.categoryCounts && a.languageCounts == b.languageCounts
        && a.lengthCounts == b.lengthCounts && a.firstLetterCounts == b.firstLetterCounts;
}

ScratchFolder::ScratchFolder(const std::string& parent)
{
    namespace fs = std::filesystem;
    const fs::path base = parent.empty() ? fs::temp_directory_path() : fs::path(parent);
    fs::create_directories(base);
    std::string pattern = (base / "quorvel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder in " + base.string());
    m_path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace quorvel::bench
