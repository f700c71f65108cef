#include "drill/word_picking.h"

#include "drill/answer_judging.h"

#include <algorithm>

namespace quorvel {

std::string shownWord(const WordFileRecord& record, bool upperCase)
{
    return upperCase ? upperCased(record.word) : lowerCased(record.word);
}

int failedWords(const std::vector<WordFileEntry>& entries)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
        [](const WordFileEntry& e) { return e.record.result == 0; }));
}

RepeatPick nextRepeatWord(WordFile& file, std::uint32_t from, bool failedOnly)
{
    RepeatPick pick;
    pick.offset = from;
    std::uint64_t budget = file.file().size() / kWordFileRecordSize + 1;
    while (budget-- > 0) {
        ++pick.visited;
        WordFileRecord r;
        if (!file.readRecord(pick.offset, r)) {
            pick.outcome = RepeatPick::Outcome::Error;
            return pick;
        }
        if (!failedOnly || r.result == 0) {
            pick.outcome = RepeatPick::Outcome::Word;
            pick.record = r;
            return pick;
        }
        if (r.next == kWordFileLastRecord) {
            pick.outcome = RepeatPick::Outcome::NoneLeft;
            return pick;
        }
        pick.offset = r.next;
    }
    pick.outcome = RepeatPick::Outcome::Error;
    return pick;
}

} // namespace quorvel
