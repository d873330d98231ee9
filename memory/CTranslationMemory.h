#pragma once

// The translation memory: pairs of an original text and its translation, with the
// languages, program, version, time and file they came from, kept in an SQLite database
// that several processes share (write-ahead log, a wait for a writer's lock).
//
// One object is one database connection. It is not shared between threads: a thread
// that looks up in the background opens its own object on the same path.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
class CLanguageFile;
class CTextNode;

namespace memory {

struct Pair {
    std::string sourceLanguage; // BCP 47, "und" when unknown
    std::string targetLanguage;
    std::u16string original;
    std::u16string translation;
    std::u16string program;
    std::u16string version;
    std::int64_t when = 0; // seconds since 1970 (UTC)
    std::string file;
};

struct Match {
    int score = 0; // 100 exact, 0 to 99 fuzzy
    std::u16string original;
    std::u16string translation;
    std::string file;
};

struct AddCounts {
    std::uint64_t added = 0;
    std::uint64_t present = 0;
};

class CTranslationMemory {
public:
    // Fuzzy matches below this score are no help and are not returned.
    static constexpr int kMinimumScore = 50;

    ~CTranslationMemory();
    CTranslationMemory(const CTranslationMemory&) = delete;
    CTranslationMemory& operator=(const CTranslationMemory&) = delete;

    // $XDG_DATA_HOME/glossmark-editor/memory.sqlite, ~/.local/share/... without it.
    static std::string DefaultPath();

    // Opens the database at path, creating it (and its folder) when it is missing. Null
    // with a message for the user in error when the file is no database, is damaged,
    // stays locked or cannot be created.
    static std::unique_ptr<CTranslationMemory> Open(const std::string& path, std::string& error);

    // Adds pairs in one transaction; a pair already there (same languages, original and
    // translation) only takes the newer time. Returns an error message; nothing is added then.
    std::string Add(const std::vector<Pair>& pairs, AddCounts& counts);

    // Exact matches (newest first), then fuzzy ones by falling score, at most limit.
    std::string Lookup(std::u16string_view original, std::string_view targetLanguage, int limit,
                       std::vector<Match>& matches);

    // The newest translation into targetLanguage of each original that the memory
    // holds exactly, in one read (empty where it holds none); returns an error.
    std::string ExactTranslations(const std::vector<std::u16string_view>& originals,
                                  std::string_view targetLanguage, std::vector<std::u16string>& translations);

    // Removes the pairs that came from file, or from program; returns an error.
    std::string Remove(std::string_view file, std::uint64_t& removed);
    std::string Remove(std::u16string_view program, std::uint64_t& removed);

    // Calls visit for every pair, oldest first.
    std::string ForEachPair(const std::function<void(const Pair&)>& visit);

private:
    explicit CTranslationMemory(sqlite3* db, std::string path);
    std::string Error(std::string_view doing) const;
    template <class Text>
    std::string RemoveWhere(const char* sql, Text value, std::uint64_t& removed);
    std::string FuzzyLookup(std::u16string_view original, std::string_view targetLanguage, int limit,
                            std::vector<Match>& matches);

    sqlite3* m_db;
    std::string m_path;
};

// How pairs name the file they came from: its whole path, so the entries of one file can
// be removed from anywhere.
std::string FileKey(const std::string& path);

// The pair of one text of language, if it has one: its own text is done and its original
// and translation are not empty.
bool PairOfText(const CLanguageFile& language, const CTextNode& node, const std::string& sourceLanguage,
                const std::string& targetLanguage, const std::string& file, std::int64_t when, Pair& pair);

// The done texts of a translation as pairs (an original-language file has none): every
// text below the top nodes whose own text is done and whose original and translation are
// not empty.
std::vector<Pair> PairsFromLanguageFile(const CLanguageFile& language, const std::string& sourceLanguage,
                                        const std::string& targetLanguage, const std::string& file);

} // namespace memory
