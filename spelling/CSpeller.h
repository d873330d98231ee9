#pragma once

// Spelling of translations in one language, on Hunspell. Made for a language
// file's language; where no installed dictionary fits, the speller is in the
// "no spelling" state: it is not active and finds every text correct.
//
// One speller may serve the editor's thread, which asks for one text at each
// keystroke, and a worker that checks a whole file: each call takes the
// speller's lock for one text only, and words once judged are remembered.

#include "Dictionaries.h"
#include "TextRange.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spelling {

class CSpeller {
public:
    static constexpr std::size_t kMaxSuggestions = 8;

    // language: as FindDictionary takes it (a dictionary code, a BCP 47 code or
    // a language name).
    explicit CSpeller(std::u16string_view language, SpellingPaths paths = DefaultPaths());
    ~CSpeller();
    CSpeller(const CSpeller&) = delete;
    CSpeller& operator=(const CSpeller&) = delete;

    bool IsActive() const;
    // The dictionary's code ("de_DE"); empty without spelling.
    const std::string& Code() const;

    // The misspelt words of text in order; none without spelling.
    std::vector<TextRange> Misspelt(std::u16string_view text) const;
    // One word as the dictionary, the personal list and the ignored words see it.
    bool IsCorrect(std::u16string_view word) const;
    // Up to kMaxSuggestions replacements, the likeliest first.
    std::vector<std::u16string> Suggest(std::u16string_view word) const;

    // Adds the word to the personal list of this dictionary's language, kept
    // across runs; false when the list could not be written (the word is
    // accepted in this run all the same).
    bool AddToDictionary(std::u16string_view word);
    // Accepts the word until ForgetIgnored (another file is opened).
    void IgnoreInFile(std::u16string_view word);
    void ForgetIgnored();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace spelling
