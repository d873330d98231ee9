#include "CTranslationMemory.h"

#include "CLanguageFile.h"
#include "MatchTokens.h"
#include "TextWalk.h"

#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>

namespace memory {

namespace {

// The originals are indexed word by word (FTS5), so a fuzzy lookup reads only the pairs
// that share a word with the text; the unique key serves the exact lookup.
constexpr char kSchema[] = R"(
CREATE TABLE IF NOT EXISTS pairs(
  id INTEGER PRIMARY KEY,
  source_language TEXT NOT NULL,
  target_language TEXT NOT NULL,
  original TEXT NOT NULL,
  translation TEXT NOT NULL,
  program TEXT NOT NULL,
  version TEXT NOT NULL,
  changed INTEGER NOT NULL,
  file TEXT NOT NULL,
  UNIQUE(target_language, original, source_language, translation));
CREATE INDEX IF NOT EXISTS pairs_by_file ON pairs(file);
CREATE INDEX IF NOT EXISTS pairs_by_program ON pairs(program);
CREATE VIRTUAL TABLE IF NOT EXISTS pair_words USING fts5(original, content='pairs', content_rowid='id',
  tokenize='unicode61 remove_diacritics 0');
CREATE VIRTUAL TABLE IF NOT EXISTS pair_vocabulary USING fts5vocab(pair_words, row);
CREATE TRIGGER IF NOT EXISTS pairs_added AFTER INSERT ON pairs BEGIN
  INSERT INTO pair_words(rowid, original) VALUES (new.id, new.original);
END;
CREATE TRIGGER IF NOT EXISTS pairs_removed AFTER DELETE ON pairs BEGIN
  INSERT INTO pair_words(pair_words, rowid, original) VALUES ('delete', old.id, old.original);
END;
)";

// A writer holds the lock for one import at most; a longer wait means something is wrong.
constexpr int kBusyMilliseconds = 10000;
// Fuzzy candidates scored per lookup, and query words used to find them.
constexpr int kCandidates = 64;
constexpr std::size_t kQueryWords = 16;
// Ranking reads every pair that holds one of the words; words that many pairs hold ("the",
// "%d") would make a lookup cost the size of the memory. Rare words are ranked while
// their pairs stay within this budget; a text of common words only takes pairs that hold
// all of them, unranked.
constexpr std::int64_t kRankedPairs = 5000;

// A prepared statement, finalized on every path out.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { m_result = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return m_result == SQLITE_OK; }
    sqlite3_stmt* get() const { return m_stmt; }

    void Bind(int index, std::u16string_view text)
    {
        sqlite3_bind_text16(m_stmt, index, text.data(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
    }
    void Bind(int index, std::string_view text)
    {
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Bind(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }

    std::u16string Text16(int column) const
    {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_stmt, column));
        return text ? std::u16string(text, static_cast<std::size_t>(sqlite3_column_bytes16(m_stmt, column)) / 2)
                    : std::u16string();
    }
    std::string Text(int column) const
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))) : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_result = SQLITE_ERROR;
};

std::string Explain(int code)
{
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return "the file is damaged or is no translation memory";
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "another program keeps it locked; try again later";
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM: return "it cannot be opened for writing (is its folder writable?)";
    case SQLITE_FULL: return "the disk is full";
    case SQLITE_IOERR: return "the disk reported an error";
    default: return {};
    }
}

// The index's terms of a text's words: in lower case, as the index folds them.
std::vector<std::u16string> Terms(std::u16string_view text)
{
    std::set<std::u16string> terms;
    for (const MatchToken& token : Tokenize(text)) {
        if (token.type == MatchToken::Type::Word) {
            const QString word = QString(reinterpret_cast<const QChar*>(token.text.data()),
                                         static_cast<qsizetype>(token.text.size())).toLower();
            terms.insert(std::u16string(reinterpret_cast<const char16_t*>(word.utf16()),
                                        static_cast<std::size_t>(word.size())));
        }
    }
    return {terms.begin(), terms.end()};
}

// "t1" OR "t2" ... (or AND); terms hold no quotes.
std::u16string Query(const std::vector<std::u16string>& terms, std::u16string_view join)
{
    std::u16string query;
    for (const std::u16string& term : terms) {
        if (!query.empty()) {
            query += join;
        }
        query += u'"';
        query += term;
        query += u'"';
    }
    return query;
}

} // namespace

CTranslationMemory::CTranslationMemory(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

CTranslationMemory::~CTranslationMemory() { sqlite3_close(m_db); }

std::string CTranslationMemory::DefaultPath()
{
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = "/tmp";
    }
    return (base / "glossmark-editor" / "memory.sqlite").string();
}

std::unique_ptr<CTranslationMemory> CTranslationMemory::Open(const std::string& path, std::string& error)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ignored); // a failure shows in the open below
    }
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
    std::unique_ptr<CTranslationMemory> memory(new CTranslationMemory(db, path));
    if (opened != SQLITE_OK) {
        error = memory->Error("cannot open it");
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyMilliseconds);
    // WAL lets readers go on while another process writes; NORMAL syncs at checkpoints,
    // which in WAL mode still never leaves a damaged database.
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536;", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = memory->Error("cannot read it");
        return nullptr;
    }
    return memory;
}

std::string CTranslationMemory::Error(std::string_view doing) const
{
    const int code = m_db ? sqlite3_extended_errcode(m_db) : SQLITE_NOMEM;
    std::string message = "translation memory \"" + m_path + "\": " + std::string(doing);
    const std::string why = Explain(code);
    message += ": " + (why.empty() ? std::string(m_db ? sqlite3_errmsg(m_db) : "out of memory") : why);
    return message;
}

std::string CTranslationMemory::Add(const std::vector<Pair>& pairs, AddCounts& counts)
{
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return Error("cannot write to it");
    }
    // Both statements take a pair's fields under the same numbers.
    Statement insert(m_db, "INSERT INTO pairs(source_language, target_language, original, translation, program, "
                           "version, changed, file) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) ON CONFLICT DO NOTHING");
    Statement touch(m_db, "UPDATE pairs SET program = ?5, version = ?6, changed = ?7, file = ?8 WHERE "
                          "source_language = ?1 AND target_language = ?2 AND original = ?3 AND translation = ?4 "
                          "AND changed < ?7");
    const auto run = [](Statement& statement, const Pair& pair) {
        sqlite3_reset(statement.get());
        statement.Bind(1, pair.sourceLanguage);
        statement.Bind(2, pair.targetLanguage);
        statement.Bind(3, pair.original);
        statement.Bind(4, pair.translation);
        statement.Bind(5, pair.program);
        statement.Bind(6, pair.version);
        statement.Bind(7, pair.when);
        statement.Bind(8, pair.file);
        return sqlite3_step(statement.get()) == SQLITE_DONE;
    };
    AddCounts added;
    bool ok = insert.Ok() && touch.Ok();
    for (std::size_t i = 0; ok && i < pairs.size(); ++i) {
        ok = run(insert, pairs[i]);
        if (ok && sqlite3_changes(m_db) == 1) {
            ++added.added;
        } else if (ok) {
            ++added.present;
            ok = run(touch, pairs[i]);
        }
    }
    if (!ok || sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::string error = Error("cannot write to it");
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return error;
    }
    counts.added += added.added;
    counts.present += added.present;
    return {};
}

std::string CTranslationMemory::Lookup(std::u16string_view original, std::string_view targetLanguage, int limit,
                                       std::vector<Match>& matches)
{
    matches.clear();
    Statement exact(m_db, "SELECT translation, file FROM pairs WHERE target_language = ?1 AND original = ?2 "
                          "ORDER BY changed DESC, id DESC LIMIT ?3");
    if (!exact.Ok()) {
        return Error("cannot read it");
    }
    exact.Bind(1, targetLanguage);
    exact.Bind(2, original);
    exact.Bind(3, std::int64_t{limit});
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(exact.get())) == SQLITE_ROW) {
        matches.push_back(Match{100, std::u16string(original), exact.Text16(0), exact.Text(1)});
    }
    if (step != SQLITE_DONE) {
        return Error("cannot read it");
    }
    if (static_cast<int>(matches.size()) >= limit) {
        return {};
    }
    return FuzzyLookup(original, targetLanguage, limit, matches);
}

std::string CTranslationMemory::ExactTranslations(const std::vector<std::u16string_view>& originals,
                                                  std::string_view targetLanguage,
                                                  std::vector<std::u16string>& translations)
{
    translations.assign(originals.size(), {});
    // One statement and one read transaction for all: a whole file is looked up at once.
    Statement exact(m_db, "SELECT translation FROM pairs WHERE target_language = ?1 AND original = ?2 "
                          "ORDER BY changed DESC, id DESC LIMIT 1");
    if (!exact.Ok() || sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return Error("cannot read it");
    }
    exact.Bind(1, targetLanguage);
    int step = SQLITE_DONE;
    for (std::size_t i = 0; i < originals.size() && (step == SQLITE_DONE || step == SQLITE_ROW); ++i) {
        sqlite3_reset(exact.get());
        exact.Bind(2, originals[i]);
        step = sqlite3_step(exact.get());
        if (step == SQLITE_ROW) {
            translations[i] = exact.Text16(0);
        }
    }
    const bool read = step == SQLITE_DONE || step == SQLITE_ROW;
    std::string error = read ? std::string() : Error("cannot read it");
    sqlite3_reset(exact.get());
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    return error;
}

std::string CTranslationMemory::FuzzyLookup(std::u16string_view original, std::string_view targetLanguage, int limit,
                                            std::vector<Match>& matches)
{
    // The text's words by the number of pairs that hold them, rarest first; a word no
    // pair holds finds nothing.
    std::vector<std::pair<std::int64_t, std::u16string>> counted;
    Statement vocabulary(m_db, "SELECT doc FROM pair_vocabulary WHERE term = ?1");
    if (!vocabulary.Ok()) {
        return Error("cannot read it");
    }
    for (std::u16string& term : Terms(original)) {
        sqlite3_reset(vocabulary.get());
        vocabulary.Bind(1, std::u16string_view(term));
        if (sqlite3_step(vocabulary.get()) == SQLITE_ROW) {
            counted.emplace_back(sqlite3_column_int64(vocabulary.get(), 0), std::move(term));
        }
    }
    std::sort(counted.begin(), counted.end());
    counted.resize(std::min(counted.size(), kQueryWords));
    if (counted.empty()) {
        return {};
    }
    std::vector<std::u16string> rare;
    std::vector<std::u16string> all;
    std::int64_t pairs = 0;
    for (auto& [count, term] : counted) {
        pairs += count;
        if (pairs <= kRankedPairs) {
            rare.push_back(term);
        }
        all.push_back(std::move(term));
    }
    const bool ranked = !rare.empty();
    // CROSS JOIN keeps the index's matches as the outer loop: led by the target language,
    // the planner would look up every pair of that language in the index.
    const std::u16string query = ranked ? Query(rare, u" OR ") : Query(all, u" AND ");
    Statement candidates(m_db, ranked ? "SELECT p.original, p.translation, p.file FROM pair_words CROSS JOIN pairs p ON "
                                        "p.id = pair_words.rowid WHERE pair_words MATCH ?1 AND p.target_language = ?2 "
                                        "ORDER BY pair_words.rank LIMIT ?3"
                                      : "SELECT p.original, p.translation, p.file FROM pair_words CROSS JOIN pairs p ON "
                                        "p.id = pair_words.rowid WHERE pair_words MATCH ?1 AND p.target_language = ?2 "
                                        "LIMIT ?3");
    if (!candidates.Ok()) {
        return Error("cannot read it");
    }
    candidates.Bind(1, std::u16string_view(query));
    candidates.Bind(2, targetLanguage);
    candidates.Bind(3, std::int64_t{kCandidates});
    std::vector<Match> fuzzy;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(candidates.get())) == SQLITE_ROW) {
        Match match{0, candidates.Text16(0), candidates.Text16(1), candidates.Text(2)};
        if (match.original == original) {
            continue; // an exact match, listed already
        }
        match.score = Similarity(original, match.original);
        if (match.score >= kMinimumScore) {
            fuzzy.push_back(std::move(match));
        }
    }
    if (step != SQLITE_DONE) {
        return Error("cannot read it");
    }
    std::stable_sort(fuzzy.begin(), fuzzy.end(), [](const Match& a, const Match& b) { return a.score > b.score; });
    for (Match& match : fuzzy) {
        if (static_cast<int>(matches.size()) >= limit) {
            break;
        }
        matches.push_back(std::move(match));
    }
    return {};
}

template <class Text>
std::string CTranslationMemory::RemoveWhere(const char* sql, Text value, std::uint64_t& removed)
{
    Statement remove(m_db, sql);
    if (!remove.Ok()) {
        return Error("cannot write to it");
    }
    remove.Bind(1, value);
    if (sqlite3_step(remove.get()) != SQLITE_DONE) {
        return Error("cannot write to it");
    }
    removed = static_cast<std::uint64_t>(sqlite3_changes(m_db));
    return {};
}

std::string CTranslationMemory::Remove(std::string_view file, std::uint64_t& removed)
{
    return RemoveWhere("DELETE FROM pairs WHERE file = ?1", file, removed);
}

std::string CTranslationMemory::Remove(std::u16string_view program, std::uint64_t& removed)
{
    return RemoveWhere("DELETE FROM pairs WHERE program = ?1", program, removed);
}

std::string CTranslationMemory::ForEachPair(const std::function<void(const Pair&)>& visit)
{
    Statement all(m_db, "SELECT source_language, target_language, original, translation, program, version, "
                        "changed, file FROM pairs ORDER BY changed, id");
    if (!all.Ok()) {
        return Error("cannot read it");
    }
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(all.get())) == SQLITE_ROW) {
        visit(Pair{all.Text(0), all.Text(1), all.Text16(2), all.Text16(3), all.Text16(4), all.Text16(5),
                   sqlite3_column_int64(all.get(), 6), all.Text(7)});
    }
    return step == SQLITE_DONE ? std::string() : Error("cannot read it");
}

std::string FileKey(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

bool PairOfText(const CLanguageFile& language, const CTextNode& node, const std::string& sourceLanguage,
                const std::string& targetLanguage, const std::string& file, std::int64_t when, Pair& pair)
{
    if (!OwnTextDone(node) || node.originalText.empty() || node.translatedText.empty()) {
        return false;
    }
    pair = Pair{sourceLanguage, targetLanguage, node.originalText.str(), node.translatedText.str(),
                language.GetProgramName(), language.GetProgramVersion(), when, file};
    return true;
}

std::vector<Pair> PairsFromLanguageFile(const CLanguageFile& language, const std::string& sourceLanguage,
                                        const std::string& targetLanguage, const std::string& file)
{
    std::vector<Pair> pairs;
    if (language.GetRoot() == nullptr || language.IsOriginal()) {
        return pairs;
    }
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    Pair pair;
    ForEachText(*language.GetRoot(), [&](const CTextNode& node) {
        if (PairOfText(language, node, sourceLanguage, targetLanguage, file, now, pair)) {
            pairs.push_back(std::move(pair));
        }
    });
    return pairs;
}

} // namespace memory
