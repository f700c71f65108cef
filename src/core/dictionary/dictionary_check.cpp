#include "dictionary_check.h"

#include "dictionary_file.h"

#include <algorithm>
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
        return finish();
    }

private:
    void problem(std::string text)
    {
        ++m_problemCount;
        if (m_report.problems.size() < kMaxProblems)
            m_report.problems.push_back(std::move(text));
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
    bool readChecked(
        const std::string& where, std::uint32_t offset, WordRecordHeader& header, std::string& text)
    {
        if (!recordOffsetInFile(m_file, offset)) {
            problem(where + ": link " + std::to_string(offset) + " points outside the records");
            return false;
        }
        if (!readRecord(m_file, offset, header, text)) {
            problem(where + ": record at " + std::to_string(offset) + " cannot be read");
            return false;
        }
        if (overlapsFixedParts(offset, kRecordHeaderSize + text.size() + 1)) {
            problem(where + ": record at " + std::to_string(offset)
                + " overlaps the header or a table");
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
                const int category = header.category();
                if (categories ? category == 0 : category != 0)
                    problem(where + ": " + word + " has category " + std::to_string(category)
                        + " in the " + name + " table");
                previous = text;
                ++count;
                current = header.next;
            }
        }
    }

    void checkFreeList(std::uint32_t head)
    {
        const std::uint32_t limit = chainStepLimit(m_file);
        std::uint32_t current = head;
        for (std::uint32_t steps = 0; current != kFreeListEnd; ++steps) {
            if (steps >= limit) {
                problem("free list: it does not end");
                return;
            }
            const auto [it, fresh] = m_owner.emplace(current, 'F');
            if (!fresh) {
                problem(it->second == 'F'
                        ? "free list: it comes back on itself at " + std::to_string(current)
                        : "free list: record at " + std::to_string(current)
                            + " is also in a chain");
                return;
            }
            WordRecordHeader header;
            std::string text;
            if (!readChecked("free list", current, header, text))
                return;
            ++m_report.freeRecords;
            current = header.next;
        }
    }

    File& m_file;
    DictionaryCheckReport m_report;
    std::size_t m_problemCount = 0;
    std::vector<std::uint32_t> m_tables;
    std::unordered_map<std::uint32_t, char> m_owner;
};

} // namespace

DictionaryCheckReport checkDictionary(File& file)
{
    return Checker(file).run();
}

} // namespace quorvel
