#include "dictionary_check.h"

#include "dictionary_file.h"
#include "dictionary_ops.h"

#include "platform/file_errors.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace quorvel {

using namespace dict;

namespace {

constexpr std::size_t kMaxProblems = 50;

class Checker
{
public:
    explicit Checker(File& file)
        : m_file(file)
    { }

    DictionaryCheckReport run()
    {
        DictionaryHeader header;
        if (m_file.size() < kHeaderSize || !readDictionaryHeader(m_file, header)) {
            problem("the file is shorter than a dictionary header");
            return finish();
        }
        m_report.fileKind = header.fileKind;
        if (m_file.size() > kMaxFileSize) {
            problem("the file is " + std::to_string(m_file.size())
                + " bytes long, more than 32-bit offsets reach");
            return finish();
        }
        const bool mainOk = tableFits("main", header.mainTableOffset);
        const bool categoryOk = tableFits("category", header.categoryTableOffset);
        if (mainOk && categoryOk
            && header.mainTableOffset < header.categoryTableOffset + kTableBytes
            && header.categoryTableOffset < header.mainTableOffset + kTableBytes)
            problem("the two bucket tables overlap");
        m_tables = { header.mainTableOffset, header.categoryTableOffset };
        if (mainOk)
            checkTable("main", header.mainTableOffset, false, m_report.mainWords);
        if (categoryOk)
            checkTable("category", header.categoryTableOffset, true, m_report.categoryWords);
        checkFreeList(header.freeListHead);
        if (mainOk && categoryOk)
            classifyMisplaced(header.mainTableOffset);
        return finish();
    }

private:
    // A record lying in a table its category does not fit, or (in the category table) any record:
    // the words of both tables are compared once both have been walked.
    struct Placed
    {
        std::string word;
        std::uint32_t slot = 0;
        std::uint32_t offset = 0;
        Table table = Table::Main;
        bool fits = true;
    };

    // Damage only a person can mend, unless it is the free list's.
    void problem(std::string text, bool otherDamage = true)
    {
        ++m_problemCount;
        if (otherDamage)
            ++m_report.otherDamage;
        if (m_report.problems.size() < kMaxProblems)
            m_report.problems.push_back(std::move(text));
    }

    void interrupted(const Placed& wrong, bool inBoth)
    {
        const char* wrongName = wrong.table == Table::Main ? "main" : "category";
        const char* rightName = wrong.table == Table::Main ? "category" : "main";
        problem(inBoth ? wrong.word + " is in both tables: its move to the " + rightName
                    + " table was cut short (the copy there is the current one)"
                       : wrong.word + " lies in the " + wrongName
                    + " table with a category of the other: its move to the " + rightName
                    + " table was cut short",
            false);
        m_report.interruptedMoves.push_back({ wrong.word, wrong.table, wrong.slot, inBoth });
    }

    // Each word of the category table is looked for in the main table: a word in both is a move
    // cut short when exactly one copy fits its table (that copy is the current one); when both or
    // neither fit, which one is current cannot be told. A copy that does not fit its table, alone,
    // is a move cut short before the new copy was linked.
    void classifyMisplaced(std::uint32_t mainTable)
    {
        std::unordered_set<std::uint32_t> settled;
        for (const Placed& c : m_categoryWords) {
            ChainPosition pos;
            const std::string_view text = std::string_view(c.word).substr(2);
            if (SearchChain(m_file, mainTable, c.slot, text, pos) != DictResult::kDone)
                continue;
            WordRecordHeader mainCopy;
            if (!ReadRecordHeader(m_file, pos.foundOffset, mainCopy))
                continue;
            const bool mainFits = categoryFitsTable(mainCopy.category(), Table::Main);
            settled.insert(c.offset);
            settled.insert(pos.foundOffset);
            if (mainFits == c.fits) {
                problem(c.word + " is in both tables and either copy could be the current one");
                continue;
            }
            if (c.fits)
                interrupted({ c.word, c.slot, pos.foundOffset, Table::Main, false }, true);
            else
                interrupted(c, true);
        }
        for (const Placed& m : m_misplaced) {
            if (!settled.count(m.offset))
                interrupted(m, false);
        }
    }

    DictionaryCheckReport finish()
    {
        if (m_problemCount > m_report.problems.size())
            m_report.problems.push_back(
                std::to_string(m_problemCount - m_report.problems.size()) + " more problems");
        m_report.ok = m_problemCount == 0;
        return m_report;
    }

    bool tableFits(const char* name, std::uint32_t offset)
    {
        if (offset < kHeaderSize || std::uint64_t(offset) + kTableBytes > m_file.size()) {
            problem(std::string("the ") + name + " table offset " + std::to_string(offset)
                + " is outside the file");
            return false;
        }
        return true;
    }

    bool overlapsFixedParts(std::uint32_t offset, std::size_t length) const
    {
        const std::uint64_t end = std::uint64_t(offset) + length;
        if (offset < kHeaderSize)
            return true;
        return std::any_of(m_tables.begin(), m_tables.end(),
            [&](std::uint32_t t) { return offset < std::uint64_t(t) + kTableBytes && end > t; });
    }

    static bool validText(const std::string& text)
    {
        return !text.empty() && text.size() <= static_cast<std::size_t>(kMaxWordLength - 2)
            && std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    }

    // Reads a record for the check; false (after noting why) when it cannot be one.
    bool readChecked(const std::string& where, std::uint32_t offset, WordRecordHeader& header,
        std::string& text, bool otherDamage = true)
    {
        if (!recordOffsetInFile(m_file, offset)) {
            problem(where + ": link " + std::to_string(offset) + " points outside the records",
                otherDamage);
            return false;
        }
        if (!readRecord(m_file, offset, header, text)) {
            problem(
                where + ": record at " + std::to_string(offset) + " cannot be read", otherDamage);
            return false;
        }
        if (overlapsFixedParts(offset, kRecordHeaderSize + text.size() + 1)) {
            problem(
                where + ": record at " + std::to_string(offset) + " overlaps the header or a table",
                otherDamage);
            return false;
        }
        return true;
    }

    void checkTable(const char* name, std::uint32_t table, bool categories, std::uint32_t& count)
    {
        const std::uint32_t limit = chainStepLimit(m_file);
        for (std::uint32_t slot = 0; slot <= kLastSlotOffset; slot += 4) {
            char letters[2];
            BucketLetters(slot, letters);
            const std::string where
                = std::string(name) + " table bucket " + std::string(letters, 2);
            const std::uint32_t end = endMarker(table, slot);
            std::uint32_t current = 0;
            if (!ReadLink(m_file, table + slot, current)) {
                problem(where + ": slot cannot be read");
                continue;
            }
            std::string previous;
            for (std::uint32_t steps = 0; current != end; ++steps) {
                if (steps >= limit) {
                    problem(where + ": the chain does not end");
                    break;
                }
                if (!m_owner.emplace(current, 'T').second) {
                    problem(where + ": record at " + std::to_string(current) + " is reached twice");
                    break;
                }
                WordRecordHeader header;
                std::string text;
                if (!readChecked(where, current, header, text))
                    break;
                const std::string word = std::string(letters, 2) + text;
                if (!validText(text))
                    problem(where + ": record at " + std::to_string(current)
                        + " holds an unsuitable word");
                if (!previous.empty() && text <= previous)
                    problem(where + ": " + word + " is out of alphabetical order");
                const Table which = categories ? Table::Category : Table::Main;
                const Placed placed { word, slot, current, which,
                    categoryFitsTable(header.category(), which) };
                if (!placed.fits)
                    m_misplaced.push_back(placed);
                if (categories)
                    m_categoryWords.push_back(placed);
                previous = text;
                ++count;
                current = header.next;
            }
        }
    }

    // The first damage met on the free list is noted with the link that leads to it, where a
    // repair can end the list.
    void checkFreeList(std::uint32_t head)
    {
        const std::uint32_t limit = chainStepLimit(m_file);
        std::uint32_t link = kFreeListHeadOffset;
        std::uint32_t current = head;
        const auto damaged = [&](std::string text) {
            problem("free list: " + std::move(text), false);
            m_report.freeListBreak = link;
        };
        for (std::uint32_t steps = 0; current != kFreeListEnd; ++steps) {
            if (steps >= limit) {
                damaged("it does not end");
                return;
            }
            const auto [it, fresh] = m_owner.emplace(current, 'F');
            if (!fresh) {
                damaged(it->second == 'F'
                        ? "it comes back on itself at " + std::to_string(current)
                        : "record at " + std::to_string(current) + " is also in a chain");
                return;
            }
            WordRecordHeader header;
            std::string text;
            const std::size_t before = m_problemCount;
            if (!readChecked("free list", current, header, text, false)) {
                if (m_problemCount > before)
                    m_report.freeListBreak = link;
                return;
            }
            ++m_report.freeRecords;
            link = current;
            current = header.next;
        }
    }

    File& m_file;
    DictionaryCheckReport m_report;
    std::size_t m_problemCount = 0;
    std::vector<std::uint32_t> m_tables;
    std::unordered_map<std::uint32_t, char> m_owner;
    std::vector<Placed> m_misplaced;
    std::vector<Placed> m_categoryWords;
};

} // namespace

DictionaryCheckReport checkDictionary(File& file)
{
    return Checker(file).run();
}

DictionaryRepairReport repairDictionary(File& file, const DictionaryCheckReport& report)
{
    DictionaryRepairReport out;
    // The list first: finishing a move puts a record on it.
    if (report.freeListBreak != 0) {
        if (!writeLink(file, report.freeListBreak, kFreeListEnd)) {
            out.failed = true;
            return out;
        }
        out.mended.push_back("free list: ended at the link at "
            + std::to_string(report.freeListBreak) + ", before its damage");
    }
    for (const InterruptedMove& m : report.interruptedMoves) {
        const int result = finishMove(
            file, m.wrongTable, m.slotOffset, std::string_view(m.word).substr(2), nullptr);
        if (result == DictResult::kFileError) {
            out.failed = true;
            return out;
        }
        if (result == DictResult::kDone)
            out.mended.push_back(m.word + ": its move to the "
                + (m.wrongTable == Table::Main ? "category" : "main") + " table was finished");
    }
    return out;
}

std::string copyDamagedDictionary(const std::string& path, std::time_t now, int* fileError)
{
    int error = 0;
    const auto fail = [&](int code) {
        if (fileError)
            *fileError = code != 0 ? code : FileError::kGeneralFailure;
        return std::string();
    };
    auto source = File::open(path, OpenMode::ReadOnly, &error);
    if (!source)
        return fail(error);
    std::tm local {};
    char stamp[32] = "";
    if (!localtime_r(&now, &local)
        || std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) == 0)
        return fail(FileError::kGeneralFailure);
    std::unique_ptr<File> copy;
    std::string name;
    for (int n = 1; !copy && n <= 100; ++n) {
        name = path + ".damaged-" + stamp + (n > 1 ? "-" + std::to_string(n) : std::string());
        copy = File::open(name, OpenMode::CreateNew, &error);
        std::error_code ec;
        if (!copy
            && std::filesystem::symlink_status(name, ec).type()
                == std::filesystem::file_type::not_found)
            return fail(error); // not a name taken: the folder refuses new files
    }
    if (!copy)
        return fail(FileError::kGeneralFailure);
    std::vector<std::uint8_t> buffer(1 << 16);
    bool ok = source->seek(0);
    std::uint64_t done = 0;
    while (ok && done < source->size()) {
        const std::size_t got = source->read(buffer.data(), buffer.size());
        ok = got > 0 && copy->write(buffer.data(), got);
        done += got;
    }
    ok = ok && copy->sync();
    ok = copy->close() && ok;
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(name, ec);
        return fail(FileError::kWriteFault);
    }
    return name;
}

} // namespace quorvel
