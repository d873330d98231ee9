#include "CSpeller.h"

#include "SpellableWords.h"
#include "TextConverter.h"

#include <hunspell.hxx>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace spelling {

namespace fs = std::filesystem;

namespace {

// Words judged since the speller was made; a file of 100,000 texts repeats
// most of its words. Past this many the memory is started afresh.
constexpr std::size_t kMaxRemembered = 200000;

std::vector<std::string> ReadLines(const fs::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// Temp file and rename, so that a crash leaves the old list or the new one.
bool WriteLines(const fs::path& file, const std::vector<std::string>& lines)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    const fs::path temp = fs::path(file).concat(".new");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        out.flush();
        if (!out)
            return false;
    }
    fs::rename(temp, file, error);
    return !error;
}

// The letters of the dictionary's language, from the TRY line of its .aff
// file (in the dictionary's encoding); empty when it has none.
std::string TryLetters(const fs::path& aff)
{
    std::ifstream in(aff, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("TRY ")) {
            line.erase(0, 4);
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.pop_back();
            return line;
        }
    }
    return {};
}

} // namespace

struct CSpeller::State {
    std::string code;
    fs::path wordList;
    std::unique_ptr<Hunspell> hunspell;
    std::optional<CTextConverter> toDictionary;   // from UTF-16
    std::optional<CTextConverter> fromDictionary; // to UTF-16
    CTextConverter toUtf8{"UTF-8", NativeUtf16()};
    CTextConverter fromUtf8{NativeUtf16(), "UTF-8"};

    mutable std::mutex lock;
    mutable std::unordered_map<std::u16string, bool> judged;
    std::unordered_set<std::u16string> ignored;
    std::u16string letters; // of the language; empty: every word is the language's

    // A word without a single letter of the language ("Русский" or "日本語"
    // in an English text) is in another language, and no dictionary's business.
    bool IsForeign(std::u16string_view word) const
    {
        return !letters.empty() && word.find_first_of(letters) == std::u16string_view::npos;
    }

    bool IsCorrectLocked(const std::u16string& word) const
    {
        if (ignored.contains(word) || IsForeign(word))
            return true;
        if (const auto it = judged.find(word); it != judged.end())
            return it->second;
        // A word with a character the dictionary's encoding lacks is not in it.
        const auto bytes = toDictionary->Convert(BytesOf(word));
        const bool correct = bytes && hunspell->spell(*bytes);
        if (judged.size() >= kMaxRemembered)
            judged.clear();
        judged.emplace(word, correct);
        return correct;
    }

    void AddLocked(std::u16string_view word)
    {
        if (const auto bytes = toDictionary->Convert(BytesOf(word)))
            hunspell->add(*bytes);
        judged.insert_or_assign(std::u16string(word), true);
    }
};

CSpeller::CSpeller(std::u16string_view language, SpellingPaths paths)
    : m_state(std::make_unique<State>())
{
    const auto dictionary = FindDictionary(language, paths.dictionaryDirs);
    if (!dictionary)
        return;
    auto hunspell = std::make_unique<Hunspell>(dictionary->aff.c_str(), dictionary->dic.c_str());
    const std::string encoding = IconvName(hunspell->get_dict_encoding());
    m_state->toDictionary.emplace(encoding.c_str(), NativeUtf16());
    m_state->fromDictionary.emplace(NativeUtf16(), encoding.c_str());
    if (!m_state->toDictionary->IsValid() || !m_state->fromDictionary->IsValid())
        return; // an encoding this machine cannot convert: no spelling rather than wrong words
    if (const auto letters = m_state->fromDictionary->Convert(TryLetters(dictionary->aff)))
        m_state->letters = Utf16Of(*letters);
    m_state->code = dictionary->code;
    m_state->hunspell = std::move(hunspell);
    m_state->wordList = paths.wordListDir / ("Edit-words-" + dictionary->code + ".txt");
    for (const std::string& line : ReadLines(m_state->wordList)) {
        if (const auto word = m_state->fromUtf8.Convert(line))
            m_state->AddLocked(Utf16Of(*word));
    }
}

CSpeller::~CSpeller() = default;

bool CSpeller::IsActive() const { return m_state->hunspell != nullptr; }

const std::string& CSpeller::Code() const { return m_state->code; }

std::vector<TextRange> CSpeller::Misspelt(std::u16string_view text) const
{
    std::vector<TextRange> misspelt;
    if (!IsActive())
        return misspelt;
    const std::vector<SpellableWord> words = SpellableWords(text);
    const std::lock_guard guard(m_state->lock);
    for (const SpellableWord& word : words) {
        if (!m_state->IsCorrectLocked(word.word))
            misspelt.push_back({word.begin, word.end});
    }
    return misspelt;
}

bool CSpeller::IsCorrect(std::u16string_view word) const
{
    if (!IsActive())
        return true;
    const std::lock_guard guard(m_state->lock);
    return m_state->IsCorrectLocked(std::u16string(word));
}

std::vector<std::u16string> CSpeller::Suggest(std::u16string_view word) const
{
    std::vector<std::u16string> suggestions;
    if (!IsActive())
        return suggestions;
    const std::lock_guard guard(m_state->lock);
    const auto bytes = m_state->toDictionary->Convert(BytesOf(word));
    if (!bytes)
        return suggestions;
    for (const std::string& suggestion : m_state->hunspell->suggest(*bytes)) {
        if (suggestions.size() == kMaxSuggestions)
            break;
        if (const auto text = m_state->fromDictionary->Convert(suggestion))
            suggestions.push_back(Utf16Of(*text));
    }
    return suggestions;
}

bool CSpeller::AddToDictionary(std::u16string_view word)
{
    if (!IsActive() || word.empty())
        return false;
    const auto line = m_state->toUtf8.Convert(BytesOf(word));
    const std::lock_guard guard(m_state->lock);
    m_state->AddLocked(word);
    if (!line)
        return false;
    // Read again: another window of the editor may have added words meanwhile.
    std::vector<std::string> lines = ReadLines(m_state->wordList);
    if (std::find(lines.begin(), lines.end(), *line) != lines.end())
        return true;
    lines.push_back(*line);
    return WriteLines(m_state->wordList, lines);
}

void CSpeller::IgnoreInFile(std::u16string_view word)
{
    const std::lock_guard guard(m_state->lock);
    m_state->ignored.emplace(word);
}

void CSpeller::ForgetIgnored()
{
    const std::lock_guard guard(m_state->lock);
    m_state->ignored.clear();
}

} // namespace spelling
