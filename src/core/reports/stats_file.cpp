#include "stats_file.h"

#include "platform/file.h"
#include "platform/paths.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

namespace quorvel {

bool readStatsFile(const std::string& dataFolder, std::string& text, int* fileError)
{
    text.clear();
    if (fileError)
        *fileError = 0;
    if (dataFolder.empty())
        return false;
    auto file = File::open(paths::statsFile(dataFolder), OpenMode::ReadOnly, fileError);
    if (!file || file->size() > kMaxStatsFileSize)
        return false;
    std::string bytes(static_cast<std::size_t>(file->size()), '\0');
    if (!file->readAt(0, bytes.data(), bytes.size()))
        return false;
    text = std::move(bytes);
    return true;
}

ReplaceResult saveStatsFile(const std::string& dataFolder, std::string_view text)
{
    return replaceFile(paths::statsFile(dataFolder), text.data(), text.size());
}

ReportResult savedStatsReport(const std::string& dataFolder)
{
    ReportResult result;
    std::string text;
    if (!readStatsFile(dataFolder, text)) {
        result.status = ReportStatus::Unavailable;
        result.message = strings::kNoStatsFile;
        result.report.append(strings::kNoStatsFile);
        return result;
    }
    result.report.append(text);
    return result;
}

} // namespace quorvel
