#include "bulk_transfer.h"

#include "dictionary_index.h"
#include "dictionary_ops.h"
#include "strings/transfer_strings.h"

#include <QString>

#include <initializer_list>

namespace quorvel {

namespace {

// The format with each "%s" replaced by the next of `values`, in order.
std::string fill(const char* format, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto next = values.begin();
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && next != values.end()) {
            out += *next++;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// The attributes every transferred word is given: the working category, media flag 1, added
// marker 1 and the settings' language. Statuses and the sound stay as the info holds them.
void prepareAttributes(CurrentWordInfo& info, const BulkTransferSetup& setup)
{
    info.setMediaFlag(1);
    info.setCategory(setup.category);
    info.setAddedMarker(1);
    if (!setup.settingsValid) {
        info.setLanguage(3);
        info.setSoundFlag(0);
        info.setSoundIndex(0);
        return;
    }
    switch (setup.settings.language) {
    case BulkLanguage::UK:
        info.setLanguage(1);
        break;
    case BulkLanguage::USA:
        info.setLanguage(2);
        break;
    case BulkLanguage::Both:
        info.setLanguage(3);
        break;
    }
}

std::string nameOf(const BulkTransferSetup& setup, int slot)
{
    return setup.categoryName ? setup.categoryName(slot) : std::to_string(slot);
}

// One word: its outcome, with its report lines appended to `lines`.
TransferOutcome transferOne(File& file, const std::string& word, CurrentWordInfo& info,
    const BulkTransferSetup& setup, std::vector<std::string>& lines)
{
    if (word.size() >= kTransferLongRun) {
        lines.emplace_back(strings::kTransferLineBadInput);
        return TransferOutcome::BadInput;
    }
    switch (AddWord(file, word, info)) {
    case AddResult::Added:
        lines.push_back(fill(strings::kTransferLineTransferred, { word }));
        return TransferOutcome::Transferred;
    case AddResult::NotSuitable:
        lines.push_back(fill(strings::kTransferLineFailed, { word }));
        return TransferOutcome::Failed;
    case AddResult::FileError:
        lines.push_back(fill(strings::kTransferLineFailed, { word }));
        return TransferOutcome::Error;
    case AddResult::AlreadyThere:
        break;
    }
    const bool moves = setup.settingsValid && setup.settings.transferAll;
    if (!moves) {
        lines.push_back(fill(strings::kTransferLineAlready, { word }));
        return TransferOutcome::AlreadyThere;
    }
    const bool lock = setup.settings.lockSoundWords;
    const FindResult found = FindWord(file, word, info);
    if (found == FindResult::FileError) {
        lines.push_back(fill(strings::kTransferLineFailed, { word }));
        return TransferOutcome::Error;
    }
    // Reported as already there, yet not found: locked, it is a failure; unlocked, the amend
    // below finds nothing to move either.
    if (!isFound(found) && lock) {
        lines.push_back(fill(strings::kTransferLineFailed, { word }));
        return TransferOutcome::Failed;
    }
    const bool oldKnown = isFound(found);
    const std::uint16_t oldCategory = info.category();
    if (lock && info.soundIndex() != 0) {
        lines.push_back(fill(strings::kTransferLineSoundLinked, { word }));
        return TransferOutcome::SoundLinked;
    }
    prepareAttributes(info, setup);
    // The found word's sound index goes with it: a move writes a new record, and one without its
    // sound index would lose the word's recording.
    const AmendResult amended = AmendWord(file, word, true, info);
    if (amended != AmendResult::Amended) {
        lines.push_back(fill(strings::kTransferLineUnableToMove, { word }));
        return amended == AmendResult::FileError ? TransferOutcome::Error
                                                 : TransferOutcome::UnableToMove;
    }
    lines.push_back(fill(strings::kTransferLineMoved, { word }));
    if (oldKnown)
        lines.push_back(fill(strings::kTransferLineOldNew,
            { nameOf(setup, oldCategory), nameOf(setup, setup.category) }));
    return TransferOutcome::Moved;
}

} // namespace

std::size_t TransferCounters::slot(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Transferred:
        return 0;
    case TransferOutcome::Failed:
        return 1;
    case TransferOutcome::AlreadyThere:
        return 2;
    case TransferOutcome::Moved:
        return 3;
    case TransferOutcome::UnableToMove:
        return 4;
    case TransferOutcome::BadInput:
        return 5;
    case TransferOutcome::Error:
        return 6;
    case TransferOutcome::SoundLinked:
        return 7;
    }
    return 6;
}

int TransferCounters::total() const
{
    int sum = 0;
    for (int c : m_counts)
        sum += c;
    return sum;
}

std::vector<std::string> transferWordsOf(std::string_view text, int limit, bool* more)
{
    std::vector<std::string> words;
    if (more)
        *more = false;
    const QString all = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const qsizetype n = all.size();
    qsizetype i = 0;
    while (i < n) {
        if (!all[i].isLetter()) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && all[end].isLetter())
            ++end;
        if (static_cast<std::size_t>(end - i) < kTransferLongRun) {
            if (limit > 0 && words.size() == static_cast<std::size_t>(limit)) {
                if (more)
                    *more = true;
                break;
            }
            words.push_back(all.mid(i, end - i).toStdString());
        }
        i = end;
    }
    return words;
}

std::string checkTransferSize(std::uint64_t bytes)
{
    if (bytes <= kTransferMaxTextBytes)
        return {};
    return fill(strings::kTransferTextTooLarge,
        { std::to_string(bytes), std::to_string(kTransferMaxTextBytes) });
}

BulkTransferResult runBulkTransfer(
    File& file, std::string_view text, const BulkTransferSetup& setup)
{
    BulkTransferResult result;
    if (!checkTransferSize(text.size()).empty()) {
        result.tooLarge = true;
        return result;
    }
    const std::vector<std::string> words
        = transferWordsOf(text, setup.wordLimit, &result.limitReached);
    IndexedBatch batch(file);
    CurrentWordInfo info;
    for (const std::string& word : words) {
        prepareAttributes(info, setup);
        const TransferOutcome outcome = transferOne(file, word, info, setup, result.lines);
        result.counters.count(outcome);
        if (outcome == TransferOutcome::Error) {
            result.fileFailed = true;
            result.lines.push_back(fill(strings::kTransferStoppedOnError, { word }));
            break;
        }
    }
    if (!batch.end())
        result.fileFailed = true;
    if (result.limitReached && !result.fileFailed)
        result.lines.push_back(
            fill(strings::kTransferLimitReached, { std::to_string(setup.wordLimit) }));
    return result;
}

std::string transferReportHeading()
{
    return std::string(strings::kTransferReportTitle) + strings::kTransferReportStart;
}

std::string transferStatistics(const TransferCounters& c)
{
    const auto line
        = [](const char* format, int value) { return fill(format, { std::to_string(value) }); };
    return std::string(strings::kTransferStatsTitle)
        + line(strings::kTransferStatTransferred, c.of(TransferOutcome::Transferred))
        + line(strings::kTransferStatFailed, c.of(TransferOutcome::Failed))
        + line(strings::kTransferStatAlready, c.of(TransferOutcome::AlreadyThere))
        + line(strings::kTransferStatMoved, c.of(TransferOutcome::Moved))
        + line(strings::kTransferStatUnableToMove, c.of(TransferOutcome::UnableToMove))
        + line(strings::kTransferStatBadInput, c.of(TransferOutcome::BadInput))
        + line(strings::kTransferStatError, c.of(TransferOutcome::Error))
        + line(strings::kTransferStatSoundLinked, c.of(TransferOutcome::SoundLinked))
        + line(strings::kTransferStatTotal, c.total());
}

} // namespace quorvel
