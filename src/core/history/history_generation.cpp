#include "history/history_generation.h"

#include "app/session.h"
#include "history/history_file.h"
#include "platform/services.h"
#include "strings/history_strings.h"
#include "strings/strings.h"

#include <algorithm>

namespace quorvel {

namespace {

// The hourglass is off while a message is up, so no box is answered under a busy cursor.
class Busy
{
public:
    explicit Busy(const BusyHook& hook)
        : m_hook(hook)
    {
        set(true);
    }
    ~Busy() { set(false); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

    void set(bool on)
    {
        if (m_hook && on != m_on)
            m_hook(on);
        m_on = on;
    }

private:
    const BusyHook& m_hook;
    bool m_on = false;
};

void notice(Prompter& prompter, Busy& busy, const std::string& text, const char* caption)
{
    busy.set(false);
    prompter.show(text, caption, MessageIcon::Information);
}

std::string onlyMadeText(int made)
{
    return std::string(strings::kHistoryOnly) + ' ' + std::to_string(made) + ' '
        + strings::kHistoryRecordsCreated;
}

} // namespace

HistoryGenerationValues historyGenerationOpening(const Session& session)
{
    HistoryGenerationValues values;
    values.user = session.currentUser();
    values.recordsText = strings::kHistoryDefaultRecords;
    return values;
}

std::optional<int> historyRecordCount(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        // Leading zeros are harmless; a long number is out of range however it goes on.
        value = std::min(value * 10 + (c - '0'), kHistoryMaxRecords + 1);
    }
    if (value < kHistoryMinRecords || value > kHistoryMaxRecords)
        return std::nullopt;
    return value;
}

HistoryGenerationResult generateHistoryFiles(const std::string& dataFolder,
    const HistoryGenerationValues& values, Clock& clock, Prompter& prompter, const BusyHook& busy)
{
    const std::optional<int> records = historyRecordCount(values.recordsText);
    if (!records) {
        prompter.show(strings::kHistoryRange, strings::kWarning, MessageIcon::Information);
        return { HistoryGeneration::OutOfRange };
    }
    if (prompter.show(strings::kHistoryWillBeLost, strings::kWarning, MessageIcon::Information,
            MessageButtons::OkCancel)
        != MessageAnswer::Ok)
        return { HistoryGeneration::Cancelled };
    // A file that claims more records than a history file may hold cannot be copied whole (the
    // drill tells its user a new one is needed): the person agrees to losing its older drills.
    bool oversized = false;
    for (int slot = 0; slot < kUserSlots; ++slot) {
        if ((values.allUsers || slot == values.user) && historyFileOversized(dataFolder, slot))
            oversized = true;
    }
    if (oversized
        && prompter.show(strings::kHistoryKeepNewestOnly, strings::kWarning,
               MessageIcon::Information, MessageButtons::OkCancel)
            != MessageAnswer::Ok)
        return { HistoryGeneration::Cancelled };

    Busy hourglass(busy);
    if (!values.allUsers) {
        if (GenerateHistoryFile(dataFolder, *records, values.user, clock, oversized)) {
            notice(prompter, hourglass, strings::kHistoryCreated, strings::kSuccess);
            return { HistoryGeneration::Made, 1 };
        }
        notice(prompter, hourglass, strings::kHistoryCreateFailed, strings::kWarning);
        return { HistoryGeneration::Failed };
    }

    int made = 0;
    bool firstFailed = false;
    for (int slot = 0; slot < kUserSlots; ++slot) {
        if (GenerateHistoryFile(dataFolder, *records, slot, clock, oversized)) {
            ++made;
            continue;
        }
        if (slot == 0) {
            // The others may still be made: say so and go on.
            notice(prompter, hourglass, strings::kHistoryFirstFailed, strings::kCheckYourDisk);
            hourglass.set(true);
            firstFailed = true;
            continue;
        }
        notice(prompter, hourglass, onlyMadeText(made), strings::kCheckYourDisk);
        return { HistoryGeneration::Incomplete, made };
    }
    // Nine files out of ten are not a success for all users.
    if (firstFailed) {
        notice(prompter, hourglass, onlyMadeText(made), strings::kCheckYourDisk);
        return { HistoryGeneration::Incomplete, made };
    }
    notice(prompter, hourglass, strings::kHistoryAllCreated, strings::kSuccess);
    return { HistoryGeneration::AllMade, made };
}

} // namespace quorvel
