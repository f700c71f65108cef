#pragma once

// The statistics window's file, dataFolder/statswnd.txt: whatever report was saved last. Every
// statistics window reads it when it opens; saving any statistics window replaces it.

#include "platform/replace_file.h"
#include "report_text.h"

#include <string>
#include <string_view>

namespace quorvel {

// A window's text is held in memory whole: a bigger file is not read.
inline constexpr std::uint64_t kMaxStatsFileSize = 16u * 1024 * 1024;

// Reads the saved report's bytes; false (and the file error code, 0 for a file too big) when
// it cannot be read.
bool readStatsFile(const std::string& dataFolder, std::string& text, int* fileError = nullptr);

// Replaces the saved report with `text` whole; a failure leaves the old file as it was.
ReplaceResult saveStatsFile(const std::string& dataFolder, std::string_view text);

// "View last saved stats report": the saved file's text, or the line that says there is none
// (then the status is Unavailable, and the text is what the window shows).
ReportResult savedStatsReport(const std::string& dataFolder);

} // namespace quorvel
