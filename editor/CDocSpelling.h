#pragma once

// Spelling of the open language: the dictionary its translations are checked
// with and the misspelt words of each translated text.
//
// The dictionary follows the language's name unless the user chose another
// (or none) for the file; that choice is kept in the profile by the file's
// path. A dictionary is loaded on a thread of its own, so opening a file
// never waits for it; until it is there, and in an original-language file,
// nothing is misspelt. The misspelt words are remembered per text and
// forgotten when the document changes that text, so a keystroke spells the
// typed text only.

#include "CSpeller.h"
#include "CBackgroundRun.h"
#include "TextRange.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct CDocChange;
class CLanguageFile;
class CTextNode;
class CTransDoc;

class CDocSpelling : public QObject {
    Q_OBJECT
public:
    // The profile value of a file whose user chose no spelling.
    static constexpr char16_t kNoSpelling[] = u"-";

    // The document's spelling, made on first use as a child of the document.
    static CDocSpelling& Of(CTransDoc& doc);
    // Where dictionaries are looked for and personal word lists are kept;
    // by default the system's dictionaries and the profile's folder.
    static void SetPaths(std::optional<spelling::SpellingPaths> paths);
    static spelling::SpellingPaths Paths();
    // The codes of the installed dictionaries ("de_DE", "fr"), sorted.
    static std::vector<std::string> InstalledCodes();

    explicit CDocSpelling(CTransDoc& doc);
    ~CDocSpelling() override;

    // The speller in use once loaded; nullptr while there is none.
    std::shared_ptr<spelling::CSpeller> Speller() const { return m_speller; }
    bool IsActive() const { return m_speller != nullptr; }
    // The dictionary wanted for the file (loaded or loading); empty: no spelling.
    const std::string& Code() const { return m_code; }
    // The user's choice for the file: a dictionary code, or empty for no spelling.
    void Choose(const std::string& code);

    // The misspelt words of node's translated text; none without a speller,
    // for a top node and for a text still the same as its original.
    const std::vector<TextRange>& Misspelt(const CTextNode& node);
    std::vector<std::u16string> Suggest(std::u16string_view word) const;
    // The word is correct from now on: in every file (the personal list of
    // the dictionary's language) or in this file until another is opened.
    void AddToDictionary(std::u16string_view word);
    void IgnoreInFile(std::u16string_view word);

signals:
    // Texts may be spelt otherwise now (another dictionary, a word accepted).
    void SpellingChanged();
    // No dictionary fits the language's name: said once, not for each
    // keystroke in the name.
    void NoDictionary(const std::u16string& languageName);

private:
    void OnDocumentChanged(const CDocChange& change);
    // The dictionary for the file as it is now; loads it when it is another.
    void Pick();
    void Load(const std::string& code);
    void Forget();
    // Another file or another name: the choice made for it.
    void FollowFile();
    std::u16string ChoiceKey() const;

    CTransDoc& m_doc;
    std::shared_ptr<spelling::CSpeller> m_speller;
    std::string m_code;
    std::optional<std::u16string> m_choice; // the user's, for this file
    std::u16string m_choicePath;            // the file the choice was made for
    const CLanguageFile* m_language = nullptr; // compared only, never read
    bool m_noDictionarySaid = false;
    std::unordered_map<const CTextNode*, std::vector<TextRange>> m_misspelt;
    CBackgroundRun m_loading{*this};
};
