#pragma once

// The peer: the same words and attributes in one SQLite table in a database file on disk.
//
//   words(word TEXT PRIMARY KEY, s0..s9, language, category, added, media, sound_flag,
//         sound_index)
//
// The word is the only index, as our file has no index but its buckets. The database runs in WAL
// mode with synchronous=NORMAL: a commit is an append to the log without an fsync, the closest
// SQLite comes to our operations on an open file (which leave the sync to the end of a command)
// while staying consistent after a crash. A second form keeps SQLite's defaults, a rollback
// journal and synchronous=FULL: every commit is on the disk when it returns, as each of our
// commands is when it ends. Every statement runs in autocommit, so each INSERT, DELETE and UPDATE
// is a transaction of its own. Connections are opened without SQLite's mutexes (one thread here).

#include "bench_words.h"

#include "platform/services.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvel::bench {

// How a database keeps its commits.
enum class SqliteDurability
{
    Normal, // WAL, synchronous=NORMAL
    Full, // SQLite's defaults: rollback journal (DELETE), synchronous=FULL
};

class SqliteDictionary
{
public:
    // Writes a new database at `path` holding the rows (one transaction), in WAL mode or with
    // SQLite's defaults. Throws std::runtime_error on failure.
    static void create(const std::string& path, const std::vector<WordRow>& rows,
        SqliteDurability durability = SqliteDurability::Normal);
    static std::string version();
    static const char* configuration(SqliteDurability durability = SqliteDurability::Normal);

    // Opens the long-lived connection of the run. Throws std::runtime_error on failure.
    explicit SqliteDictionary(
        const std::string& path, SqliteDurability durability = SqliteDurability::Normal);
    ~SqliteDictionary();
    SqliteDictionary(const SqliteDictionary&) = delete;
    SqliteDictionary& operator=(const SqliteDictionary&) = delete;

    // A connection of its own for one lookup: open, prepare, look up, finalize, close.
    static bool openFindClose(const std::string& path, const std::string& word, WordRow& out);

    bool find(const std::string& word, WordRow& out);
    bool add(const WordRow& row); // false when it is there already or the insert fails
    bool remove(const std::string& word); // false when nothing was deleted
    // A transaction round several statements (throws std::runtime_error on failure).
    void begin();
    void commit();

    // Like our list drawing: a random start row, then the first qualifying row from there in
    // rowid order (rows were inserted in dictionary order), wrapping once round the table and
    // passing over rows already taken. Returns how many of `count` were drawn, -1 on an error.
    int drawRandomList(
        const DrillFilter& filter, int count, RandomSource& random, std::vector<std::string>& out);

    // The statistics of the dictionary reports by aggregate queries over all rows: the forty
    // status counts in one query, then one GROUP BY each for category, dialect, length and first
    // letter.
    bool statistics(DictionaryStatistics& out);
    // The same by one plain scan of every row, counting on our side: one pass instead of five,
    // and no sorting for the groups, so several times faster than statistics().
    bool statisticsByScan(DictionaryStatistics& out);

    // One user's status set to `status` in every row; the number of rows changed or -1.
    long resetStatus(int user, int status);

private:
    class Statement;
    // The first qualifying rowid in [from, to) with its word, 0 when there is none, -1 on an
    // error.
    long long probe(const DrillFilter& filter, long long from, long long to, std::string& word);
    // Prepared once and kept, like the statements of the hot paths below.
    Statement& statement(const std::string& sql);

    sqlite3* m_db = nullptr;
    long long m_maxRowid = 0;
    std::map<std::string, std::unique_ptr<Statement>> m_statements;
    // The hot paths' statements, looked up without building their text each time.
    Statement* m_find = nullptr;
    Statement* m_insert = nullptr;
    Statement* m_delete = nullptr;
    std::map<std::pair<int, int>, Statement*> m_probes; // by (user, statusWanted)
};

} // namespace quorvel::bench
