#include "sqlite_dictionary.h"

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace quorvel::bench {

namespace {

constexpr const char* kSelectColumns
    = "s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, language, category, added, media, sound_flag, "
      "sound_index";

std::string statusColumn(int user)
{
    return { 's', static_cast<char>('0' + user) }; // user slots 0..9
}

void exec(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(std::string("SQLite: ") + sql + ": " + text);
    }
}

sqlite3* openConnection(const std::string& path)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw std::runtime_error("SQLite: cannot open " + path + ": " + text);
    }
    return db;
}

// Columns 0..15 of kSelectColumns into a row.
void readRow(sqlite3_stmt* st, WordRow& out)
{
    for (int user = 0; user < 10; ++user)
        out.status[static_cast<std::size_t>(user)]
            = static_cast<std::uint8_t>(sqlite3_column_int(st, user));
    out.language = static_cast<std::uint8_t>(sqlite3_column_int(st, 10));
    out.category = static_cast<std::uint8_t>(sqlite3_column_int(st, 11));
    out.added = static_cast<std::uint8_t>(sqlite3_column_int(st, 12));
    out.media = static_cast<std::uint8_t>(sqlite3_column_int(st, 13));
    out.soundFlag = static_cast<std::uint8_t>(sqlite3_column_int(st, 14));
    out.soundIndex = static_cast<std::uint16_t>(sqlite3_column_int(st, 15));
}

std::string findSql()
{
    return std::string("SELECT ") + kSelectColumns + " FROM words WHERE word = ?1";
}

std::string insertSql()
{
    return std::string("INSERT INTO words(word, ") + kSelectColumns
        + ") VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)";
}

void bindRow(sqlite3_stmt* st, const WordRow& row)
{
    sqlite3_bind_text(st, 1, row.word.data(), static_cast<int>(row.word.size()), SQLITE_STATIC);
    for (int user = 0; user < 10; ++user)
        sqlite3_bind_int(st, 2 + user, row.status[static_cast<std::size_t>(user)]);
    sqlite3_bind_int(st, 12, row.language);
    sqlite3_bind_int(st, 13, row.category);
    sqlite3_bind_int(st, 14, row.added);
    sqlite3_bind_int(st, 15, row.media);
    sqlite3_bind_int(st, 16, row.soundFlag);
    sqlite3_bind_int(st, 17, row.soundIndex);
}

const char* synchronousPragma(SqliteDurability durability)
{
    return durability == SqliteDurability::Full ? "PRAGMA synchronous=FULL"
                                                : "PRAGMA synchronous=NORMAL";
}

} // namespace

// A prepared statement kept for the life of the connection and reset after each use.
class SqliteDictionary::Statement
{
public:
    Statement(sqlite3* db, const std::string& sql)
    {
        if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_st, nullptr)
            != SQLITE_OK)
            throw std::runtime_error("SQLite: cannot prepare " + sql + ": " + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() { return m_st; }
    // Ready for the next use, bindings cleared.
    sqlite3_stmt* fresh()
    {
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
        return m_st;
    }

    // Resets the statement when a use ends. A statement left on a row keeps its read
    // transaction open, and the connection's later writes would then not commit.
    class Use
    {
    public:
        explicit Use(Statement& s)
            : m_st(s.fresh())
        { }
        ~Use() { sqlite3_reset(m_st); }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        sqlite3_stmt* get() const { return m_st; }

    private:
        sqlite3_stmt* m_st;
    };

private:
    sqlite3_stmt* m_st = nullptr;
};

void SqliteDictionary::create(
    const std::string& path, const std::vector<WordRow>& rows, SqliteDurability durability)
{
    sqlite3* db = openConnection(path);
    try {
        if (durability == SqliteDurability::Normal)
            exec(db, "PRAGMA journal_mode=WAL");
        exec(db, synchronousPragma(durability));
        exec(db,
            "CREATE TABLE words(word TEXT PRIMARY KEY NOT NULL, s0 INTEGER NOT NULL, s1 INTEGER "
            "NOT NULL, s2 INTEGER NOT NULL, s3 INTEGER NOT NULL, s4 INTEGER NOT NULL, s5 INTEGER "
            "NOT NULL, s6 INTEGER NOT NULL, s7 INTEGER NOT NULL, s8 INTEGER NOT NULL, s9 INTEGER "
            "NOT NULL, language INTEGER NOT NULL, category INTEGER NOT NULL, added INTEGER NOT "
            "NULL, media INTEGER NOT NULL, sound_flag INTEGER NOT NULL, sound_index INTEGER NOT "
            "NULL)");
        exec(db, "BEGIN");
        Statement insert(db, insertSql());
        for (const WordRow& row : rows) {
            Statement::Use use(insert);
            bindRow(use.get(), row);
            if (sqlite3_step(use.get()) != SQLITE_DONE)
                throw std::runtime_error(
                    std::string("SQLite: insert failed: ") + sqlite3_errmsg(db));
        }
        exec(db, "COMMIT");
        // Start the measurements from a database file that holds everything and an empty log.
        if (durability == SqliteDurability::Normal)
            exec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
        exec(db, "ANALYZE");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

std::string SqliteDictionary::version()
{
    return sqlite3_libversion();
}

const char* SqliteDictionary::configuration(SqliteDurability durability)
{
    return durability == SqliteDurability::Full
        ? "SQLite's defaults: rollback journal (DELETE), synchronous=FULL, autocommit, PRIMARY "
          "KEY index on word, default page cache"
        : "WAL, synchronous=NORMAL, autocommit (one transaction per statement), PRIMARY KEY "
          "index on word, default page cache";
}

SqliteDictionary::SqliteDictionary(const std::string& path, SqliteDurability durability)
    : m_db(openConnection(path))
{
    try {
        exec(m_db, synchronousPragma(durability));
        Statement max(m_db, "SELECT max(rowid) FROM words");
        Statement::Use use(max);
        if (sqlite3_step(use.get()) == SQLITE_ROW)
            m_maxRowid = sqlite3_column_int64(use.get(), 0);
        m_find = &statement(findSql());
        m_insert = &statement(insertSql());
        m_delete = &statement("DELETE FROM words WHERE word = ?1");
    } catch (...) {
        m_statements.clear();
        sqlite3_close(m_db);
        throw;
    }
}

SqliteDictionary::~SqliteDictionary()
{
    m_statements.clear(); // statements go before their connection
    sqlite3_close(m_db);
}

SqliteDictionary::Statement& SqliteDictionary::statement(const std::string& sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, std::make_unique<Statement>(m_db, sql)).first;
    return *it->second;
}

bool SqliteDictionary::openFindClose(const std::string& path, const std::string& word, WordRow& out)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* st = nullptr;
    bool found = false;
    const std::string sql = findSql();
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(st, 1, word.data(), static_cast<int>(word.size()), SQLITE_STATIC);
        if (sqlite3_step(st) == SQLITE_ROW) {
            readRow(st, out);
            found = true;
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return found;
}

bool SqliteDictionary::find(const std::string& word, WordRow& out)
{
    Statement::Use use(*m_find);
    sqlite3_stmt* st = use.get();
    sqlite3_bind_text(st, 1, word.data(), static_cast<int>(word.size()), SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_ROW)
        return false;
    readRow(st, out);
    return true;
}

bool SqliteDictionary::add(const WordRow& row)
{
    Statement::Use use(*m_insert);
    sqlite3_stmt* st = use.get();
    bindRow(st, row);
    return sqlite3_step(st) == SQLITE_DONE;
}

bool SqliteDictionary::remove(const std::string& word)
{
    Statement::Use use(*m_delete);
    sqlite3_stmt* st = use.get();
    sqlite3_bind_text(st, 1, word.data(), static_cast<int>(word.size()), SQLITE_STATIC);
    return sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

void SqliteDictionary::begin()
{
    exec(m_db, "BEGIN");
}

void SqliteDictionary::commit()
{
    exec(m_db, "COMMIT");
}

long long SqliteDictionary::probe(
    const DrillFilter& filter, long long from, long long to, std::string& word)
{
    Statement*& prepared = m_probes[{ filter.user, filter.statusWanted }];
    if (!prepared) {
        const std::string test = filter.statusWanted == 3
            ? statusColumn(filter.user) + " <> 3"
            : statusColumn(filter.user) + " = " + std::to_string(filter.statusWanted);
        prepared = &statement("SELECT rowid, word FROM words WHERE rowid >= ?1 AND rowid < ?2 AND "
                              "category = ?3 AND language IN (?4, 3) AND length(word) BETWEEN ?5 "
                              "AND ?6 AND "
            + test + " ORDER BY rowid LIMIT 1");
    }
    Statement::Use use(*prepared);
    sqlite3_stmt* st = use.get();
    sqlite3_bind_int64(st, 1, from);
    sqlite3_bind_int64(st, 2, to);
    sqlite3_bind_int(st, 3, filter.category);
    sqlite3_bind_int(st, 4, filter.language);
    sqlite3_bind_int(st, 5, filter.minLength);
    sqlite3_bind_int(st, 6, filter.maxLength);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW)
        return rc == SQLITE_DONE ? 0 : -1;
    word.assign(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    return sqlite3_column_int64(st, 0);
}

int SqliteDictionary::drawRandomList(
    const DrillFilter& filter, int count, RandomSource& random, std::vector<std::string>& out)
{
    out.clear();
    if (m_maxRowid <= 0)
        return 0;
    std::vector<long long> taken;
    taken.reserve(static_cast<std::size_t>(count));
    std::string word;
    while (static_cast<int>(taken.size()) < count) {
        const long long start = 1 + static_cast<long long>(random.next()) % m_maxRowid;
        long long cursor = start;
        bool wrapped = false;
        long long found = 0;
        for (;;) {
            const long long r = probe(filter, cursor, wrapped ? start : INT64_MAX, word);
            if (r < 0)
                return -1;
            if (r == 0) {
                if (wrapped)
                    break; // back at the start: nothing left
                wrapped = true;
                cursor = 1;
                continue;
            }
            if (std::find(taken.begin(), taken.end(), r) != taken.end()) {
                cursor = r + 1;
                continue;
            }
            found = r;
            break;
        }
        if (found == 0)
            break;
        taken.push_back(found);
        out.push_back(word);
    }
    return static_cast<int>(out.size());
}

bool SqliteDictionary::statistics(DictionaryStatistics& out)
{
    DictionaryStatistics stats;
    // Word count and the forty status counts in one pass.
    std::string sql = "SELECT count(*)";
    for (int user = 0; user < 10; ++user) {
        for (int status = 0; status < 4; ++status)
            sql += ", sum(" + statusColumn(user) + " = " + std::to_string(status) + ")";
    }
    sql += " FROM words";
    Statement::Use use(statement(sql));
    sqlite3_stmt* st = use.get();
    if (sqlite3_step(st) != SQLITE_ROW)
        return false;
    stats.words = static_cast<std::uint32_t>(sqlite3_column_int64(st, 0));
    for (int user = 0; user < 10; ++user) {
        for (int status = 0; status < 4; ++status)
            stats.statusCounts[static_cast<std::size_t>(user)][static_cast<std::size_t>(status)]
                = static_cast<std::uint32_t>(sqlite3_column_int64(st, 1 + user * 4 + status));
    }
    // The four distributions, one grouped query each.
    struct Grouping
    {
        const char* sql;
        std::uint32_t* counts;
        std::size_t size;
    };
    const Grouping groupings[] = {
        { "SELECT category, count(*) FROM words GROUP BY category", stats.categoryCounts.data(),
            stats.categoryCounts.size() },
        { "SELECT language, count(*) FROM words GROUP BY language", stats.languageCounts.data(),
            stats.languageCounts.size() },
        { "SELECT length(word), count(*) FROM words GROUP BY 1", stats.lengthCounts.data(),
            stats.lengthCounts.size() },
        { "SELECT unicode(word) - 65, count(*) FROM words GROUP BY 1",
            stats.firstLetterCounts.data(), stats.firstLetterCounts.size() },
    };
    for (const Grouping& g : groupings) {
        Statement::Use grouped(statement(g.sql));
        sqlite3_stmt* group = grouped.get();
        int rc;
        while ((rc = sqlite3_step(group)) == SQLITE_ROW) {
            const auto key = sqlite3_column_int64(group, 0);
            if (key < 0 || static_cast<std::size_t>(key) >= g.size)
                return false;
            g.counts[key] = static_cast<std::uint32_t>(sqlite3_column_int64(group, 1));
        }
        if (rc != SQLITE_DONE)
            return false;
    }
    out = stats;
    return true;
}

bool SqliteDictionary::statisticsByScan(DictionaryStatistics& out)
{
    DictionaryStatistics stats;
    Statement::Use use(statement("SELECT s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, language, "
                                 "category, length(word), unicode(word) - 65 FROM words"));
    sqlite3_stmt* st = use.get();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        ++stats.words;
        for (int user = 0; user < 10; ++user)
            ++stats.statusCounts[static_cast<std::size_t>(user)]
                                [static_cast<std::size_t>(sqlite3_column_int(st, user) & 3)];
        ++stats.languageCounts[static_cast<std::size_t>(sqlite3_column_int(st, 10) & 3)];
        ++stats.categoryCounts[static_cast<std::size_t>(sqlite3_column_int(st, 11) & 63)];
        const int length = sqlite3_column_int(st, 12);
        const int letter = sqlite3_column_int(st, 13);
        if (length < 0 || length >= 38 || letter < 0 || letter >= 26)
            return false;
        ++stats.lengthCounts[static_cast<std::size_t>(length)];
        ++stats.firstLetterCounts[static_cast<std::size_t>(letter)];
    }
    if (rc != SQLITE_DONE)
        return false;
    out = stats;
    return true;
}

long SqliteDictionary::resetStatus(int user, int status)
{
    Statement::Use use(statement("UPDATE words SET " + statusColumn(user) + " = ?1"));
    sqlite3_stmt* st = use.get();
    sqlite3_bind_int(st, 1, status);
    if (sqlite3_step(st) != SQLITE_DONE)
        return -1;
    return static_cast<long>(sqlite3_changes(m_db));
}

} // namespace quorvel::bench
