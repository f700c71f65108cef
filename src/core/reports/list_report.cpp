#include "list_report.h"

#include "drill/word_file.h"
#include "strings/report_strings.h"
#include "strings/strings.h"

namespace quorvel {

namespace {

// Spaces that bring a text to `width` characters; none when it is that long already.
std::string padding(const std::string& text, std::size_t width)
{
    return text.size() < width ? std::string(width - text.size(), ' ') : std::string();
}

} // namespace

ReportResult lastListReport(const std::string& dataFolder, int user, bool withAttempts)
{
    auto file = WordFile::open(dataFolder, user, OpenMode::ReadOnly);
    WordFileHeader header;
    if (!file || !file->readHeader(header))
        return ReportResult::failed(strings::kLastListUnreadable, strings::kInformation);

    ReportResult result;
    Report& report = result.report;
    if (!ListState::valid(header.state)) {
        report.append(strings::kLastListInvalid);
        result.status = ReportStatus::InvalidList;
        return result;
    }
    if (withAttempts)
        report.append(strings::kLastListHeading);
    std::vector<WordFileEntry> entries;
    const bool whole = file->readList(entries);
    for (const WordFileEntry& entry : entries) {
        const WordFileRecord& r = entry.record;
        if (!withAttempts) {
            report.append(r.word);
            report.append("\r\n");
            continue;
        }
        report.appendFormat(strings::kLastListLine, r.word.c_str(), padding(r.word, 29).c_str(),
            r.answer.c_str(), padding(r.answer, 29).c_str(),
            r.result == 1 ? strings::kLastListCorrect : strings::kLastListWrong, int(r.attempts),
            "\r\n");
    }
    if (!whole) {
        result.status = ReportStatus::Cut;
        result.message = strings::kLastListDamaged;
        result.caption = strings::kWarning;
    }
    return result;
}

} // namespace quorvel
