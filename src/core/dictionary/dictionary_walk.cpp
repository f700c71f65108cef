#include "dictionary_walk.h"

#include <cstring>

namespace quorvel {

using namespace dict;

namespace {

std::uint32_t nextSlot(const DictionaryWalk& w, std::uint32_t slot)
{
    return slot - w.tableOffset == kLastSlotOffset ? w.tableOffset : slot + 4;
}

std::uint32_t previousSlot(const DictionaryWalk& w, std::uint32_t slot)
{
    return slot == w.tableOffset ? w.tableOffset + kLastSlotOffset : slot - 4;
}

std::uint32_t bucketEnd(const DictionaryWalk& w, std::uint32_t slot)
{
    return endMarker(w.tableOffset, slot - w.tableOffset);
}

enum class Scan
{
    Returned,
    Done,
    Failed
};

// Scans the chain of walk.bucket from walk.record on; returns a qualifying record.
Scan scanChain(File& file, ListCriteria& c, DictionaryWalk& w, int currentUser)
{
    const std::uint32_t end = bucketEnd(w, w.bucket);
    RecordReader reader(file);
    RecordPeek record;
    while (w.record != end) {
        if (!reader.read(w.record, record)) {
            c.failed = 1;
            return Scan::Failed;
        }
        const WordRecordHeader header = WordRecordHeader::decode(record.header);
        if (c.skipMismatch == 0
            || MatchesFilter(header, c.language, c.category, 3, c.filterMode, currentUser)) {
            if (record.text.empty()) {
                c.failed = 1;
                return Scan::Failed;
            }
            const int len = static_cast<int>(record.text.size());
            const bool lengthOk = c.skipMismatch == 0 || (c.minText <= len && len <= c.maxText);
            const bool aboveBound = !w.lowerBound || record.text >= std::string_view(w.startText);
            if (lengthOk && aboveBound) {
                char letters[2];
                if (!BucketLetters(w.bucket - w.tableOffset, letters)) {
                    c.failed = 1;
                    return Scan::Failed;
                }
                w.resume = header.next == end ? kNoOffset : header.next;
                w.previousWord = w.word;
                w.word.assign(letters, 2);
                w.word += record.text;
                c.outSoundIndex = header.soundIndex;
                c.outMedia = static_cast<std::uint16_t>(header.mediaFlag());
                c.outSoundFlag = static_cast<std::uint16_t>(header.soundFlag());
                return Scan::Returned;
            }
        }
        w.record = header.next;
    }
    return Scan::Done;
}

// Steps 4 to 7 of the walk: move from bucket to bucket until a record qualifies or the lap ends.
bool moveOn(File& file, ListCriteria& c, DictionaryWalk& w, int currentUser)
{
    // Each bucket of a lap is moved onto once and scanned at most once.
    for (std::uint32_t step = 0; step <= 2 * kSlots + 1; ++step) {
        if (w.link == bucketEnd(w, w.cursor)) {
            if (w.cursor == w.stopSlot)
                return false;
            w.cursor = nextSlot(w, w.cursor);
            w.lowerBound = false;
            if (!ReadLink(file, w.cursor, w.link)) {
                c.failed = 1;
                return false;
            }
            continue;
        }
        w.bucket = w.cursor;
        w.record = w.link;
        w.link = bucketEnd(w, w.bucket);
        switch (scanChain(file, c, w, currentUser)) {
        case Scan::Returned:
            return true;
        case Scan::Failed:
            return false;
        case Scan::Done:
            if (w.cursor == w.stopSlot)
                return false;
            break;
        }
    }
    return false;
}

} // namespace

void DictionaryWalk::prepare(std::uint32_t table, std::string_view startWord)
{
    tableOffset = table;
    std::string start(startWord);
    const bool suitable = CheckWord(start);
    const std::uint32_t slot = suitable ? BucketOffset(start) : 0;
    bucket = table + slot;
    startText = suitable ? start.substr(2) : std::string();
    word.clear();
    previousWord.clear();
    resume = kNoOffset;
}

bool MatchesFilter(const WordRecordHeader& header, int language, int category, int status,
    std::uint32_t filterMode, int currentUser)
{
    if (filterMode == 2)
        return header.category() == category;
    const int stored = header.rawLanguage();
    const bool languageOk = (language == 1 && (stored == 1 || stored == 3))
        || (language == 2 && (stored == 2 || stored == 3));
    if (!languageOk || header.category() != category)
        return false;
    if (filterMode == 1)
        return true;
    const bool userValid = currentUser >= 0 && currentUser <= 9;
    if (status == 3)
        return !userValid || header.status(currentUser) != 3;
    return userValid && header.status(currentUser) == status;
}

bool WalkFirst(File& file, ListCriteria& criteria, DictionaryWalk& walk, int currentUser)
{
    walk.stopSlot = previousSlot(walk, walk.bucket);
    walk.cursor = walk.bucket;
    walk.lowerBound = true;
    if (!ReadLink(file, walk.cursor, walk.link)) {
        criteria.failed = 1;
        return false;
    }
    return moveOn(file, criteria, walk, currentUser);
}

bool WalkNext(File& file, ListCriteria& criteria, DictionaryWalk& walk, int currentUser)
{
    walk.lowerBound = false;
    if (walk.resume != kNoOffset) {
        walk.cursor = walk.bucket;
        walk.record = walk.resume;
        walk.link = bucketEnd(walk, walk.bucket);
        switch (scanChain(file, criteria, walk, currentUser)) {
        case Scan::Returned:
            // Along a chain every text sorts after the one before it. A chain that leads back to
            // a word already returned comes back on itself: the walk would go round it for ever.
            if (walk.previousWord.size() >= 2
                && std::strcmp(walk.word.c_str() + 2, walk.previousWord.c_str() + 2) <= 0) {
                criteria.failed = 1;
                return false;
            }
            return true;
        case Scan::Failed:
            return false;
        case Scan::Done:
            if (walk.cursor == walk.stopSlot)
                return false;
            return moveOn(file, criteria, walk, currentUser);
        }
    }
    walk.cursor = nextSlot(walk, walk.bucket);
    walk.stopSlot = previousSlot(walk, walk.bucket);
    if (!ReadLink(file, walk.cursor, walk.link)) {
        criteria.failed = 1;
        return false;
    }
    return moveOn(file, criteria, walk, currentUser);
}

WalkLap walkOneLap(File& file, ListCriteria criteria, Table table, std::string_view startWord,
    int currentUser, std::size_t maxWords)
{
    WalkLap lap;
    const std::uint32_t tableOffset = ReadTableOffset(file, table);
    if (tableOffset == kNoOffset) {
        lap.failed = true;
        return lap;
    }
    DictionaryWalk walk;
    walk.prepare(tableOffset, startWord);
    criteria.failed = 0;
    const std::uint32_t startIndex = (walk.bucket - tableOffset) / 4;
    const std::string startText = walk.startText;
    // A word's place in the lap: buckets counted from the start bucket; words of the start bucket
    // below the start text come last.
    auto place = [&](const DictionaryWalk& w) {
        std::uint32_t rel = ((w.bucket - tableOffset) / 4 + kSlots - startIndex) % kSlots;
        if (rel == 0 && std::strcmp(w.word.c_str() + 2, startText.c_str()) < 0)
            rel = kSlots;
        return rel;
    };
    bool more = WalkFirst(file, criteria, walk, currentUser);
    std::uint32_t lastPlace = 0;
    std::string lastText;
    while (more && lap.words.size() < maxWords) {
        const std::uint32_t p = place(walk);
        const std::string text = walk.word.substr(2);
        if (!lap.words.empty() && (p < lastPlace || (p == lastPlace && text <= lastText)))
            break; // back where the lap began
        lap.words.push_back(walk.word);
        lastPlace = p;
        lastText = text;
        more = WalkNext(file, criteria, walk, currentUser);
    }
    lap.failed = criteria.failed != 0;
    return lap;
}

} // namespace quorvel
