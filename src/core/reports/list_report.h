#pragma once

// The user's last list (the word file), as a report: the words only, or with the last answer,
// whether it was right and the repeat attempts.

#include "report_text.h"

#include <string>

namespace quorvel {

// Unavailable when the word file cannot be opened or its header read; InvalidList when it holds
// no list; Cut when its chain of records is damaged (the words before the damage are shown).
ReportResult lastListReport(const std::string& dataFolder, int user, bool withAttempts);

} // namespace quorvel
