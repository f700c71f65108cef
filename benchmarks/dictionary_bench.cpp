// Dictionary benchmarks: our dictionary file through core, beside SQLite holding the same words
// (the peer) and an in-memory hash map (the limit), measured in the same run on a small and a
// large dictionary.
//
//   quorvel_dictionary_bench --starter=PATH [--large=PATH] [--work-dir=DIR] [benchmark flags]
//
// The paths may also come from QUORVEL_BENCH_STARTER and QUORVEL_BENCH_LARGE. The built files
// are only read: every scenario works on copies in a scratch folder (inside --work-dir, else
// the system's temporary folder), removed at the end.

#include "bench_words.h"
#include "comparison_reporter.h"
#include "map_dictionary.h"
#include "sqlite_dictionary.h"
#include "stepping_clock.h"

#include "config/startup_info.h"
#include "dictionary/bulk_transfer.h"
#include "dictionary/category_counts.h"
#include "dictionary/dictionary_index.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "drill/drill_settings.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "reports/dictionary_report.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace quorvel::bench {

namespace {

constexpr int kListSize = 50;
constexpr std::size_t kPresentSample = 4096;
constexpr std::size_t kAbsentSample = 1024;
// A bulk transfer: this many words, half of them new and half already in the dictionary.
constexpr std::size_t kTransferWords = 10000;

// One dictionary with its three implementations and the words the scenarios use.
class Workbench
{
public:
    Workbench(std::string name, const std::string& builtPath, const std::string& scratch);

    const std::string& name() const { return m_name; }
    std::size_t words() const { return m_words; }

    const std::string& oursPath() const { return m_oursPath; }
    const std::string& sqlitePath() const { return m_sqlitePath; }
    const std::string& sqliteFullPath() const { return m_sqliteFullPath; }
    SqliteDictionary& sqlite() { return *m_sqlite; }
    SqliteDictionary& sqliteFull() { return *m_sqliteFull; }
    MapDictionary& map() { return *m_map; }
    StartupInfo& startupInfo() { return m_info; }

    const std::vector<std::string>& presentWords() const { return m_present; }
    const std::vector<WordRow>& absentRows() const { return m_absent; }
    // The bulk transfer's words, new and present mixed, and the new ones alone.
    const std::vector<std::string>& transferWords() const { return m_transfer; }
    const std::vector<std::string>& transferNew() const { return m_transferNew; }
    const DrillFilter& listFilter() const { return m_listFilter; }
    const DrillFilter& failureFilter() const { return m_failureFilter; }
    int resetUser() const { return m_resetUser; }
    ListCriteria criteria(ListType listType) const;

private:
    void chooseDrillUser(std::vector<WordRow>& rows);
    void verify();

    std::string m_name;
    std::string m_folder; // holds progdata/sonddict.dis: the dictionary folder of m_info
    std::string m_oursPath;
    std::string m_sqlitePath;
    std::string m_sqliteFullPath;
    std::size_t m_words = 0;
    std::unique_ptr<SqliteDictionary> m_sqlite;
    std::unique_ptr<SqliteDictionary> m_sqliteFull;
    std::unique_ptr<MapDictionary> m_map;
    StartupInfo m_info;
    std::vector<std::string> m_present;
    std::vector<WordRow> m_absent;
    std::vector<std::string> m_transfer;
    std::vector<std::string> m_transferNew;
    DrillFilter m_listFilter;
    DrillFilter m_failureFilter;
    int m_resetUser = 1;
};

Workbench::Workbench(std::string name, const std::string& builtPath, const std::string& scratch)
    : m_name(std::move(name))
{
    namespace fs = std::filesystem;
    m_folder = (fs::path(scratch) / m_name).string();
    fs::create_directories(fs::path(m_folder) / "progdata");
    m_oursPath = (fs::path(m_folder) / "progdata" / "sonddict.dis").string();
    fs::copy_file(builtPath, m_oursPath);
    m_sqlitePath = (fs::path(m_folder) / "words.db").string();
    m_sqliteFullPath = (fs::path(m_folder) / "words-full.db").string();

    std::vector<WordRow> rows = loadWordRows(m_oursPath);
    if (rows.empty())
        throw std::runtime_error(builtPath + " holds no words");
    m_words = rows.size();
    chooseDrillUser(rows);

    std::mt19937 pick(20261210);
    std::uniform_int_distribution<std::size_t> anyRow(0, rows.size() - 1);
    for (std::size_t i = 0; i < kPresentSample; ++i)
        m_present.push_back(rows[anyRow(pick)].word);

    // New words look like the dictionary's own: a present word with two more letters.
    std::unordered_set<std::string> known;
    known.reserve(rows.size());
    for (const WordRow& row : rows)
        known.insert(row.word);
    std::uniform_int_distribution<int> letter(0, 25);
    for (std::size_t tries = 0; m_absent.size() < kAbsentSample && tries < 100 * kAbsentSample;
         ++tries) {
        std::string word = rows[anyRow(pick)].word;
        if (word.size() > 35)
            continue;
        word += static_cast<char>('A' + letter(pick));
        word += static_cast<char>('A' + letter(pick));
        if (known.insert(word).second)
            m_absent.push_back(newWordRow(word));
    }

    // The transfer's new words are made like the absent ones, and present ones taken at random;
    // each is in the text once, new and present taking turns.
    std::unordered_set<std::string> presentTaken;
    while (m_transferNew.size() < kTransferWords / 2 && m_transfer.size() < kTransferWords) {
        std::string word = rows[anyRow(pick)].word;
        if (word.size() > 35)
            continue;
        if (presentTaken.insert(word).second)
            m_transfer.push_back(word);
        word += static_cast<char>('A' + letter(pick));
        word += static_cast<char>('A' + letter(pick));
        if (known.insert(word).second) {
            m_transferNew.push_back(word);
            m_transfer.push_back(word);
        }
    }

    SqliteDictionary::create(m_sqlitePath, rows);
    m_sqlite = std::make_unique<SqliteDictionary>(m_sqlitePath);
    SqliteDictionary::create(m_sqliteFullPath, rows, SqliteDurability::Full);
    m_sqliteFull = std::make_unique<SqliteDictionary>(m_sqliteFullPath, SqliteDurability::Full);
    m_map = std::make_unique<MapDictionary>(std::move(rows));

    FillStartupDefaults(m_info, m_folder);
    verify();
}

// The failures-only lap needs a user without a single failed word. Built dictionaries start
// everybody Neutral; should one not, its first user's failures become Neutral in the copy and
// in the rows alike, so all three implementations still hold the same data.
void Workbench::chooseDrillUser(std::vector<WordRow>& rows)
{
    int user = -1;
    for (int u = 0; u < 10 && user < 0; ++u) {
        bool anyFailure = false;
        for (const WordRow& row : rows) {
            if (row.status[static_cast<std::size_t>(u)] == 0) {
                anyFailure = true;
                break;
            }
        }
        if (!anyFailure)
            user = u;
    }
    if (user < 0) {
        user = 0;
        auto file = openDictionaryFile(m_oursPath, false);
        if (!file)
            throw std::runtime_error("cannot open the working copy " + m_oursPath);
        for (Table table : { Table::Main, Table::Category }) {
            const std::uint32_t tableOffset = ReadTableOffset(*file, table);
            bool written = true;
            forEachRecord(*file, tableOffset, false,
                [&](std::uint32_t, std::uint32_t offset, const WordRecordHeader& header,
                    std::string_view) {
                    if (header.status(0) != 0)
                        return true;
                    WordRecordHeader changed = header;
                    changed.setStatus(0, 1);
                    std::uint8_t bytes[dict::kRecordHeaderSize];
                    changed.encode(bytes);
                    written = file->writeAt(offset, bytes, sizeof bytes);
                    return written;
                });
            if (!written)
                throw std::runtime_error("cannot write the working copy " + m_oursPath);
        }
        CloseDictionary(file);
        for (WordRow& row : rows) {
            if (row.status[0] == 0)
                row.status[0] = 1;
        }
    }
    m_listFilter.user = user;
    m_failureFilter = m_listFilter;
    m_failureFilter.statusWanted = 0;
    m_resetUser = (user + 1) % 10;
}

ListCriteria Workbench::criteria(ListType listType) const
{
    DrillSettings settings;
    settings.listSize = kListSize;
    settings.listType = listType;
    settings.language = static_cast<Language>(m_listFilter.language);
    settings.category = m_listFilter.category;
    settings.minLetters = m_listFilter.minLength;
    settings.maxLetters = m_listFilter.maxLength;
    return drillListCriteria(settings, m_listFilter.user);
}

// The three implementations must give the same answers before their times mean anything.
void Workbench::verify()
{
    auto fail = [&](const std::string& what) { throw std::runtime_error(m_name + ": " + what); };
    auto file = openDictionaryFile(m_oursPath, false);
    if (!file)
        fail("cannot open the working copy");

    DictionaryStatistics ours, category;
    if (!collectDictionaryStatistics(*file, Table::Main, ours)
        || !collectDictionaryStatistics(*file, Table::Category, category))
        fail("our statistics pass failed");
    ours += category;
    DictionaryStatistics aggregate, scanned;
    if (!m_sqlite->statistics(aggregate) || !m_sqlite->statisticsByScan(scanned))
        fail("the SQLite statistics failed");
    const DictionaryStatistics limit = m_map->statistics();
    if (!sameStatistics(ours, limit) || !sameStatistics(aggregate, limit)
        || !sameStatistics(scanned, limit))
        fail("the three statistics differ");

    CurrentWordInfo info;
    WordRow row;
    for (std::size_t i = 0; i < 256; ++i) {
        const std::string& word = m_present[i];
        const bool found = isFound(FindWord(*file, word, info));
        const WordRow* expected = m_map->find(word);
        if (!found || !expected || !m_sqlite->find(word, row))
            fail("a present word was not found: " + word);
        if (info.category() != expected->category || info.language() != expected->language
            || info.status(m_listFilter.user)
                != expected->status[static_cast<std::size_t>(m_listFilter.user)]
            || row.category != expected->category || row.status != expected->status)
            fail("the implementations disagree on " + word);
    }
    for (std::size_t i = 0; i < 64 && i < m_absent.size(); ++i) {
        if (FindWord(*file, m_absent[i].word, info) != FindResult::NotFound
            || m_sqlite->find(m_absent[i].word, row))
            fail("a new word is already there: " + m_absent[i].word);
    }
    CloseDictionary(file);

    // The random list: fifty words, each one passing the filter, for all three.
    SteppingClock clock;
    DefaultRandomSource random;
    ListGenerationServices services { random, clock, nullptr };
    ListCriteria c = criteria(ListType::Random);
    if (GenerateDrillList(m_info, c, services, false) != kListSize)
        fail("our random list is not fifty words long");
    auto wordFile = WordFile::open(m_info.dataFolder(), m_listFilter.user, OpenMode::ReadOnly);
    std::vector<WordFileEntry> entries;
    if (!wordFile || !wordFile->readList(entries) || entries.size() != kListSize)
        fail("our word file does not hold the list");
    wordFile->close();
    for (const WordFileEntry& e : entries) {
        const WordRow* r = m_map->find(e.record.word);
        if (!r || !m_listFilter.accepts(*r))
            fail("our list holds a word that does not qualify: " + e.record.word);
    }
    std::vector<std::string> words;
    auto checkPeerList = [&](const char* peer) {
        const std::unordered_set<std::string> distinct(words.begin(), words.end());
        if (words.size() != kListSize || distinct.size() != words.size())
            fail(std::string(peer) + "'s random list is not fifty different words");
        for (const std::string& w : words) {
            const WordRow* r = m_map->find(w);
            if (!r || !m_listFilter.accepts(*r))
                fail(std::string(peer) + "'s list holds a word that does not qualify: " + w);
        }
    };
    random.seed(1);
    m_sqlite->drawRandomList(m_listFilter, kListSize, random, words);
    checkPeerList("SQLite");
    m_map->drawRandomList(m_listFilter, kListSize, random, words);
    checkPeerList("the map");

    // The failures-only lap finds nothing, without an error.
    c = criteria(ListType::Failures);
    if (GenerateDrillList(m_info, c, services, false) != 0 || c.failed)
        fail("our failures-only list is not empty");
    if (m_sqlite->drawRandomList(m_failureFilter, kListSize, random, words) != 0
        || m_map->collectList(m_failureFilter, kListSize, words) != 0)
        fail("a peer's failures-only list is not empty");
}

std::vector<std::unique_ptr<Workbench>> g_workbenches;

// --- the scenarios ---------------------------------------------------------------------------

// (a) open + FindWord + close of a random present word.
void openFindCloseOurs(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    CurrentWordInfo info;
    std::size_t i = 0;
    for (auto _ : state) {
        auto file = openDictionaryFile(w->oursPath(), false);
        const FindResult found
            = file ? FindWord(*file, words[i++ % words.size()], info) : FindResult::FileError;
        CloseDictionary(file);
        if (!isFound(found)) {
            state.SkipWithError("FindWord did not find a present word");
            break;
        }
    }
}

void openFindCloseSqliteAt(benchmark::State& state, Workbench* w, const std::string& path)
{
    const auto& words = w->presentWords();
    WordRow row;
    std::size_t i = 0;
    for (auto _ : state) {
        if (!SqliteDictionary::openFindClose(path, words[i++ % words.size()], row)) {
            state.SkipWithError("SQLite did not find a present word");
            break;
        }
    }
}

void openFindCloseSqlite(benchmark::State& state, Workbench* w)
{
    openFindCloseSqliteAt(state, w, w->sqlitePath());
}

// The same with SQLite's defaults: a database with a rollback journal instead of a log.
void openFindCloseSqliteFull(benchmark::State& state, Workbench* w)
{
    openFindCloseSqliteAt(state, w, w->sqliteFullPath());
}

// The limit: a lookup only, there is nothing to open.
void findMap(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    std::size_t i = 0;
    for (auto _ : state) {
        const WordRow* row = w->map().find(words[i++ % words.size()]);
        benchmark::DoNotOptimize(row);
        if (!row) {
            state.SkipWithError("the map did not find a present word");
            break;
        }
    }
}

// (b) FindWord on an open file.
void findOurs(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    auto file = openDictionaryFile(w->oursPath(), false);
    if (!file) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    CurrentWordInfo info;
    std::size_t i = 0;
    for (auto _ : state) {
        if (!isFound(FindWord(*file, words[i++ % words.size()], info))) {
            state.SkipWithError("FindWord did not find a present word");
            break;
        }
    }
    CloseDictionary(file);
}

void findSqlite(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    WordRow row;
    std::size_t i = 0;
    for (auto _ : state) {
        if (!w->sqlite().find(words[i++ % words.size()], row)) {
            state.SkipWithError("SQLite did not find a present word");
            break;
        }
    }
}

// (c) AddWord + RemoveWord of a word the dictionary does not hold; `synced` as two commands of
// quorvel-cli make the change: each ends with the file on the disk.
void addRemoveOursWith(benchmark::State& state, Workbench* w, bool synced)
{
    const auto& rows = w->absentRows();
    auto file = openDictionaryFile(w->oursPath(), false);
    if (!file) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    CurrentWordInfo info;
    info.setLanguage(3);
    info.setCategory(0);
    auto stored = [&] { return !synced || file->sync(); };
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& word = rows[i++ % rows.size()].word;
        if (AddWord(*file, word, info) != AddResult::Added || !stored()
            || RemoveWord(*file, word) != RemoveResult::Removed || !stored()) {
            state.SkipWithError(
                synced ? "AddWord, RemoveWord or the sync failed" : "AddWord or RemoveWord failed");
            break;
        }
    }
    CloseDictionary(file);
}

void addRemoveOurs(benchmark::State& state, Workbench* w)
{
    addRemoveOursWith(state, w, false);
}

void addRemoveOursSynced(benchmark::State& state, Workbench* w)
{
    addRemoveOursWith(state, w, true);
}

// The rows added and removed again through a store with add(row) and remove(word).
template <class Store>
void addRemoveRows(benchmark::State& state, Workbench* w, Store& store, const char* failure)
{
    const auto& rows = w->absentRows();
    std::size_t i = 0;
    for (auto _ : state) {
        const WordRow& row = rows[i++ % rows.size()];
        if (!store.add(row) || !store.remove(row.word)) {
            state.SkipWithError(failure);
            break;
        }
    }
}

// Each statement a transaction that is on the disk when it returns.
void addRemoveSqliteFull(benchmark::State& state, Workbench* w)
{
    addRemoveRows(state, w, w->sqliteFull(), "SQLite INSERT or DELETE failed");
}

void addRemoveSqlite(benchmark::State& state, Workbench* w)
{
    addRemoveRows(state, w, w->sqlite(), "SQLite INSERT or DELETE failed");
}

void addRemoveMap(benchmark::State& state, Workbench* w)
{
    addRemoveRows(state, w, w->map(), "the map's add or remove failed");
}

// (d) and (e): a drill list through core, into the user's word file.
void generateListOurs(benchmark::State& state, Workbench* w, ListType listType, int expected)
{
    SteppingClock clock;
    DefaultRandomSource random;
    ListGenerationServices services { random, clock, nullptr };
    const ListCriteria criteria = w->criteria(listType);
    for (auto _ : state) {
        ListCriteria c = criteria;
        const int made = GenerateDrillList(w->startupInfo(), c, services, false);
        if (made != expected || c.failed) {
            state.SkipWithError("GenerateDrillList gave an unexpected count");
            break;
        }
    }
}

void randomListOurs(benchmark::State& state, Workbench* w)
{
    generateListOurs(state, w, ListType::Random, kListSize);
}

void failuresLapOurs(benchmark::State& state, Workbench* w)
{
    generateListOurs(state, w, ListType::Failures, 0);
}

// Lists of kListSize words drawn from a store with drawRandomList, each expected to hold
// `expected` words.
template <class Store>
void drawLists(benchmark::State& state, Store& store, const DrillFilter& filter, int expected,
    const char* failure)
{
    DefaultRandomSource random;
    random.seed(7);
    std::vector<std::string> words;
    for (auto _ : state) {
        if (store.drawRandomList(filter, kListSize, random, words) != expected) {
            state.SkipWithError(failure);
            break;
        }
    }
}

void randomListSqlite(benchmark::State& state, Workbench* w)
{
    drawLists(state, w->sqlite(), w->listFilter(), kListSize, "SQLite drew too few words");
}

void randomListMap(benchmark::State& state, Workbench* w)
{
    drawLists(state, w->map(), w->listFilter(), kListSize, "the map drew too few words");
}

void failuresLapSqlite(benchmark::State& state, Workbench* w)
{
    drawLists(state, w->sqlite(), w->failureFilter(), 0, "SQLite found a failed word");
}

void failuresLapMap(benchmark::State& state, Workbench* w)
{
    std::vector<std::string> words;
    for (auto _ : state) {
        if (w->map().collectList(w->failureFilter(), kListSize, words) != 0) {
            state.SkipWithError("the map found a failed word");
            break;
        }
    }
}

// (f) one statistics pass over every record of both tables.
void statisticsOurs(benchmark::State& state, Workbench* w)
{
    auto file = openDictionaryFile(w->oursPath(), false);
    if (!file) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    for (auto _ : state) {
        DictionaryStatistics main, category;
        if (!collectDictionaryStatistics(*file, Table::Main, main)
            || !collectDictionaryStatistics(*file, Table::Category, category)
            || main.words + category.words != w->words()) {
            state.SkipWithError("the statistics pass failed");
            break;
        }
    }
    CloseDictionary(file);
}

// One plain scan of every row, counted here: the fastest way we found to get the counts out of
// SQLite.
void statisticsSqlite(benchmark::State& state, Workbench* w)
{
    for (auto _ : state) {
        DictionaryStatistics stats;
        if (!w->sqlite().statisticsByScan(stats) || stats.words != w->words()) {
            state.SkipWithError("the SQLite statistics failed");
            break;
        }
    }
}

// The same counts by the reports' SQL: aggregate and GROUP BY queries. Slower than counting a
// plain scan on our side, so the targets are judged on the scan; shown for the record.
void statisticsSqliteAggregates(benchmark::State& state, Workbench* w)
{
    for (auto _ : state) {
        DictionaryStatistics stats;
        if (!w->sqlite().statistics(stats) || stats.words != w->words()) {
            state.SkipWithError("the SQLite statistics failed");
            break;
        }
    }
}

void statisticsMap(benchmark::State& state, Workbench* w)
{
    for (auto _ : state) {
        const DictionaryStatistics stats = w->map().statistics();
        benchmark::DoNotOptimize(stats);
        if (stats.words != w->words()) {
            state.SkipWithError("the map's statistics are wrong");
            break;
        }
    }
}

// (g) one user's status reset over both tables. The status alternates between Neutral and
// Successful so that every pass really changes every record.
void resetOurs(benchmark::State& state, Workbench* w)
{
    auto file = openDictionaryFile(w->oursPath(), false);
    if (!file) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    const std::uint32_t main = ReadTableOffset(*file, Table::Main);
    const std::uint32_t category = ReadTableOffset(*file, Table::Category);
    int status = 1;
    for (auto _ : state) {
        status = 3 - status;
        const long changed = ResetStatus(*file, main, status, w->resetUser());
        const long changedCategory = ResetStatus(*file, category, status, w->resetUser());
        if (changed < 0 || changedCategory < 0
            || static_cast<std::size_t>(changed + changedCategory) != w->words()) {
            state.SkipWithError("ResetStatus failed");
            break;
        }
    }
    CloseDictionary(file);
}

void resetSqlite(benchmark::State& state, Workbench* w)
{
    int status = 1;
    for (auto _ : state) {
        status = 3 - status;
        if (w->sqlite().resetStatus(w->resetUser(), status) != static_cast<long>(w->words())) {
            state.SkipWithError("the SQLite UPDATE failed");
            break;
        }
    }
}

void resetMap(benchmark::State& state, Workbench* w)
{
    int status = 1;
    for (auto _ : state) {
        status = 3 - status;
        if (w->map().resetStatus(w->resetUser(), status) != static_cast<long>(w->words())) {
            state.SkipWithError("the map's reset failed");
            break;
        }
    }
}

// (h) the dictionary report to its finished text, as "Dictionary &Report" makes it: the
// dictionary opened, both tables counted, closed again, and every line of the report written.
void dictionaryReportOurs(benchmark::State& state, Workbench* w)
{
    namespace fs = std::filesystem;
    const std::string folder = fs::path(w->oursPath()).parent_path().parent_path().string();
    StartupInfo info;
    FillStartupDefaults(info, folder);
    info.setDictionaryFolder(folder);
    SteppingClock clock;
    const DictionaryReportRequest request { false, 0, Language::UK };
    std::size_t bytes = 0;
    for (auto _ : state) {
        const ReportResult r = dictionaryReport(info, request, clock);
        if (!r || r.report.empty()) {
            state.SkipWithError(("the dictionary report failed: " + r.message).c_str());
            break;
        }
        bytes = r.report.text().size();
        benchmark::DoNotOptimize(r.report.text().data());
    }
    state.counters["text_bytes"] = static_cast<double>(bytes);
}

// (i) the words of every category counted, as the category box counts them after a change of
// the dictionary: the file opened to read, the category table walked, closed again.
void categoryCountsOurs(benchmark::State& state, Workbench* w)
{
    namespace fs = std::filesystem;
    const std::string folder = fs::path(w->oursPath()).parent_path().parent_path().string();
    std::uint64_t words = 0;
    for (auto _ : state) {
        const std::optional<CategoryCounts> counts = countCategoryWords(folder);
        if (!counts) {
            state.SkipWithError("the category table could not be counted");
            break;
        }
        words = 0;
        for (const std::uint32_t n : *counts)
            words += n;
        benchmark::DoNotOptimize(words);
    }
    state.counters["category_words"] = static_cast<double>(words);
}

// (j) a bulk transfer of kTransferWords words, half new and half present, into the main
// dictionary: ours as the transfer command runs it (the text scanned, each word added with its
// report line, one indexed batch written at its end); SQLite inserting the same rows into its
// indexed table in one transaction. Between iterations, untimed, the new words are taken out
// again: ours by copying the dictionary back, SQLite by deleting them.
void transferOurs(benchmark::State& state, Workbench* w)
{
    namespace fs = std::filesystem;
    const std::string pristine = w->oursPath() + ".before-transfer";
    fs::copy_file(w->oursPath(), pristine, fs::copy_options::overwrite_existing);
    std::string text;
    for (const std::string& word : w->transferWords())
        text += word + ' ';
    BulkTransferSetup setup;
    setup.wordLimit = 0;
    int transferred = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(pristine, w->oursPath(), fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        auto file = openDictionaryFile(w->oursPath(), false);
        if (!file) {
            state.SkipWithError("cannot open the dictionary");
            break;
        }
        const BulkTransferResult r = runBulkTransfer(*file, text, setup);
        const bool closed = CloseDictionary(file);
        transferred = r.counters.of(TransferOutcome::Transferred);
        if (r.fileFailed || !closed
            || static_cast<std::size_t>(transferred) != w->transferNew().size()) {
            state.SkipWithError("the transfer did not add every new word");
            break;
        }
    }
    fs::copy_file(pristine, w->oursPath(), fs::copy_options::overwrite_existing);
    fs::remove(pristine);
    state.counters["words"] = static_cast<double>(w->transferWords().size());
    state.counters["added"] = transferred;
}

void transferSqlite(benchmark::State& state, Workbench* w)
{
    std::vector<WordRow> rows;
    for (const std::string& word : w->transferWords())
        rows.push_back(newWordRow(word));
    std::size_t added = 0;
    for (auto _ : state) {
        added = 0;
        w->sqlite().begin();
        for (const WordRow& row : rows)
            added += w->sqlite().add(row) ? 1 : 0;
        w->sqlite().commit();
        state.PauseTiming();
        w->sqlite().begin();
        for (const std::string& word : w->transferNew())
            w->sqlite().remove(word);
        w->sqlite().commit();
        state.ResumeTiming();
        if (added != w->transferNew().size()) {
            state.SkipWithError("SQLite did not add every new word");
            break;
        }
    }
    state.counters["words"] = static_cast<double>(rows.size());
    state.counters["added"] = static_cast<double>(added);
}

// (k) FindWord inside a batch (as a transfer's words are looked up): ours through the chain
// index of an IndexedBatch, built as the chains are first searched; SQLite inside a transaction.
void findInBatchOurs(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    auto file = openDictionaryFile(w->oursPath(), false);
    if (!file) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    {
        IndexedBatch batch(*file);
        CurrentWordInfo info;
        std::size_t i = 0;
        for (auto _ : state) {
            if (!isFound(FindWord(*file, words[i++ % words.size()], info))) {
                state.SkipWithError("FindWord did not find a present word");
                break;
            }
        }
        state.counters["chains"] = static_cast<double>(batch.indexedChains());
    }
    CloseDictionary(file);
}

void findInBatchSqlite(benchmark::State& state, Workbench* w)
{
    const auto& words = w->presentWords();
    WordRow row;
    std::size_t i = 0;
    w->sqlite().begin();
    for (auto _ : state) {
        if (!w->sqlite().find(words[i++ % words.size()], row)) {
            state.SkipWithError("SQLite did not find a present word");
            break;
        }
    }
    w->sqlite().commit();
}

using BenchFunction = void (*)(benchmark::State&, Workbench*);

struct ScenarioFunctions
{
    Scenario scenario;
    BenchFunction ours, sqlite, map;
};

const std::vector<ScenarioFunctions>& scenarios()
{
    static const std::vector<ScenarioFunctions> list = {
        { { "a_open_find_close", "a", "(a) open + FindWord + close", {} }, openFindCloseOurs,
            openFindCloseSqlite, findMap },
        { { "a_open_find_close_full", "a", "(a) ... SQLite with its defaults",
              "a_open_find_close" },
            nullptr, openFindCloseSqliteFull, nullptr },
        { { "b_find", "b", "(b) FindWord, file open", {} }, findOurs, findSqlite, findMap },
        { { "c_add_remove", "c", "(c) AddWord + RemoveWord", {} }, addRemoveOurs, addRemoveSqlite,
            addRemoveMap },
        { { "c_add_remove_synced", "c", "(c) each synced; SQLite defaults", {} },
            addRemoveOursSynced, addRemoveSqliteFull, nullptr },
        { { "d_random_list_50", "d", "(d) Random list, 50 words", {} }, randomListOurs,
            randomListSqlite, randomListMap },
        { { "e_failures_lap", "e", "(e) Failures only, none failed", {} }, failuresLapOurs,
            failuresLapSqlite, failuresLapMap },
        { { "f_statistics", "f", "(f) statistics, SQLite: scan", {} }, statisticsOurs,
            statisticsSqlite, statisticsMap },
        { { "f_statistics_sql", "f", "(f) statistics, SQLite: GROUP BY", "f_statistics" }, nullptr,
            statisticsSqliteAggregates, nullptr },
        { { "g_reset_status", "g", "(g) status reset, both tables", {} }, resetOurs, resetSqlite,
            resetMap },
        { { "h_dictionary_report", "h", "(h) dictionary report, whole text", {} },
            dictionaryReportOurs, nullptr, nullptr },
        { { "i_category_counts", "i", "(i) words per category counted", {} }, categoryCountsOurs,
            nullptr, nullptr },
        { { "j_transfer_10000", "j", "(j) transfer 10000 words, half new", {} }, transferOurs,
            transferSqlite, nullptr },
        { { "k_find_in_batch", "k", "(k) FindWord inside a batch", {} }, findInBatchOurs,
            findInBatchSqlite, nullptr },
    };
    return list;
}

void registerBenchmarks()
{
    for (const ScenarioFunctions& s : scenarios()) {
        for (const auto& w : g_workbenches) {
            const std::pair<const char*, BenchFunction> implementations[]
                = { { "ours", s.ours }, { "sqlite", s.sqlite }, { "map", s.map } };
            for (const auto& [implementation, function] : implementations) {
                if (!function)
                    continue; // measured under another scenario
                const std::string name = s.scenario.id + "/" + w->name() + "/" + implementation;
                benchmark::RegisterBenchmark(name.c_str(), function, w.get())
                    ->UseRealTime()
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
}

struct Options
{
    std::vector<std::pair<std::string, std::string>> dictionaries; // name, path
    std::string workDir;
};

// Takes our own flags out of argv and leaves the rest for the benchmark library; adds our
// defaults for repetitions and minimum time unless they were given.
Options takeOptions(int& argc, char** argv, std::vector<std::string>& defaults)
{
    Options options;
    std::string starter, large;
    if (const char* e = std::getenv("QUORVEL_BENCH_STARTER"))
        starter = e;
    if (const char* e = std::getenv("QUORVEL_BENCH_LARGE"))
        large = e;
    bool repetitions = false, minTime = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--starter=", 0) == 0) {
            starter = arg.substr(10);
        } else if (arg.rfind("--large=", 0) == 0) {
            large = arg.substr(8);
        } else if (arg.rfind("--work-dir=", 0) == 0) {
            options.workDir = arg.substr(11);
        } else {
            repetitions = repetitions || arg.rfind("--benchmark_repetitions=", 0) == 0;
            minTime = minTime || arg.rfind("--benchmark_min_time=", 0) == 0;
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    if (!starter.empty())
        options.dictionaries.emplace_back("starter", starter);
    if (!large.empty())
        options.dictionaries.emplace_back("large", large);
    // Five repetitions and their median: timings are noisy on a shared machine.
    if (!repetitions)
        defaults.emplace_back("--benchmark_repetitions=5");
    if (!minTime)
        defaults.emplace_back("--benchmark_min_time=0.1");
    return options;
}

} // namespace

} // namespace quorvel::bench

int main(int argc, char** argv)
{
    using namespace quorvel::bench;
    std::vector<std::string> defaults;
    Options options = takeOptions(argc, argv, defaults);
    if (options.dictionaries.empty()) {
        std::cerr << "usage: " << argv[0]
                  << " --starter=DICTIONARY [--large=DICTIONARY] [--work-dir=DIR] [benchmark "
                     "flags]\n(or QUORVEL_BENCH_STARTER / QUORVEL_BENCH_LARGE)\n";
        return 2;
    }
    std::vector<char*> args(argv, argv + argc);
    for (std::string& d : defaults)
        args.push_back(d.data());
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;

    try {
        ScratchFolder scratch(options.workDir);
        std::vector<DictionarySize> sizes;
        for (const auto& [name, path] : options.dictionaries) {
            std::cerr << "preparing " << name << " (" << path << ") ..." << std::endl;
            g_workbenches.push_back(std::make_unique<Workbench>(name, path, scratch.path()));
            sizes.push_back({ name, g_workbenches.back()->words(),
                static_cast<std::size_t>(std::filesystem::file_size(path)) });
            benchmark::AddCustomContext(name + "_dictionary", path);
            benchmark::AddCustomContext(name + "_words", std::to_string(sizes.back().words));
        }
        const std::string peerNote = "SQLite " + SqliteDictionary::version() + ", "
            + SqliteDictionary::configuration() + "; rows marked \"defaults\": "
            + SqliteDictionary::configuration(SqliteDurability::Full);
        benchmark::AddCustomContext("sqlite", peerNote);
        registerBenchmarks();

        std::vector<Scenario> list;
        for (const auto& s : scenarios())
            list.push_back(s.scenario);
        ComparisonReporter reporter(list, sizes, peerNote);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::Shutdown();
        g_workbenches.clear(); // connections and files close before the scratch folder goes
    } catch (const std::exception& e) {
        std::cerr << "dictionary benchmarks: " << e.what() << "\n";
        g_workbenches.clear();
        return 1;
    }
    return 0;
}
