#include "CDocSpelling.h"

#include "CProfile.h"
#include "CTextNode.h"
#include "CTransDoc.h"
#include "Dictionaries.h"
#include "QtStrings.h"

#include <QFileInfo>
#include <QUrl>

namespace {

constexpr char16_t kSection[] = u"Spelling";

std::optional<spelling::SpellingPaths>& PathsOverride()
{
    static std::optional<spelling::SpellingPaths> paths;
    return paths;
}

// Dictionary codes are ASCII letters, digits and "_".
std::u16string Wide(const std::string& code) { return std::u16string(code.begin(), code.end()); }

std::string Narrow(const std::u16string& code)
{
    std::string narrow;
    for (const char16_t c : code)
        narrow += c < 0x80 ? char(c) : '?';
    return narrow;
}

} // namespace

CDocSpelling& CDocSpelling::Of(CTransDoc& doc)
{
    auto* spelling = doc.findChild<CDocSpelling*>(QString(), Qt::FindDirectChildrenOnly);
    return spelling ? *spelling : *new CDocSpelling(doc);
}

void CDocSpelling::SetPaths(std::optional<spelling::SpellingPaths> paths)
{
    PathsOverride() = std::move(paths);
}

spelling::SpellingPaths CDocSpelling::Paths()
{
    if (PathsOverride())
        return *PathsOverride();
    spelling::SpellingPaths paths = spelling::DefaultPaths();
    // The personal word lists lie beside the profile, wherever tests put it.
    paths.wordListDir = QFileInfo(CProfile::GetFileName()).absolutePath().toStdString();
    return paths;
}

std::vector<std::string> CDocSpelling::InstalledCodes()
{
    std::vector<std::string> codes;
    for (const spelling::Dictionary& dictionary :
         spelling::InstalledDictionaries(Paths().dictionaryDirs))
        codes.push_back(dictionary.code);
    return codes;
}

CDocSpelling::CDocSpelling(CTransDoc& doc) : QObject(&doc), m_doc(doc)
{
    connect(&doc, &CTransDoc::Changed, this, &CDocSpelling::OnDocumentChanged);
    FollowFile();
    Pick();
}

CDocSpelling::~CDocSpelling() = default;

std::u16string CDocSpelling::ChoiceKey() const
{
    // The path as one entry name: its "/" would make sections of it.
    return ToU16(QString::fromLatin1(QUrl::toPercentEncoding(ToQString(m_choicePath))));
}

void CDocSpelling::Choose(const std::string& code)
{
    m_choice = code.empty() ? std::u16string(kNoSpelling) : Wide(code);
    if (!m_choicePath.empty())
        CProfile::WriteProfileString(kSection, ChoiceKey(), *m_choice);
    Pick();
}

void CDocSpelling::Pick()
{
    const CLanguageFile* language = m_doc.GetLanguage();
    std::string code;
    bool fits = true;
    if (language && !m_doc.IsOriginal()) {
        if (m_choice) {
            code = *m_choice == kNoSpelling ? std::string() : Narrow(*m_choice);
        } else {
            const auto dictionary =
                spelling::FindDictionary(language->GetLanguageName(), Paths().dictionaryDirs);
            fits = dictionary.has_value();
            if (dictionary)
                code = dictionary->code;
        }
    }
    if (!fits && !m_noDictionarySaid) {
        m_noDictionarySaid = true;
        emit NoDictionary(language->GetLanguageName());
    } else if (fits) {
        m_noDictionarySaid = false;
    }
    if (code == m_code)
        return;
    m_code = code;
    m_loading.Stop();
    m_speller.reset();
    Forget();
    emit SpellingChanged();
    if (!m_code.empty())
        Load(m_code);
}

void CDocSpelling::Load(const std::string& code)
{
    m_loading.Start([this, code, paths = Paths()](std::stop_token) -> CBackgroundRun::Finish {
        auto speller = std::make_shared<spelling::CSpeller>(Wide(code), paths);
        if (!speller->IsActive())
            return {};
        return [this, speller] {
            m_speller = speller;
            Forget();
            emit SpellingChanged();
        };
    });
}

void CDocSpelling::Forget() { m_misspelt.clear(); }

void CDocSpelling::FollowFile()
{
    const CLanguageFile* language = m_doc.GetLanguage();
    const std::u16string& path = m_doc.GetPathName();
    if (language == m_language && path == m_choicePath)
        return;
    // The same language under another name (saved as): the choice goes along.
    // (A new language is read while the old one still exists, so the two
    // never share an address.)
    const bool renamed = language == m_language;
    m_language = language;
    m_choicePath = path;
    if (renamed) {
        if (m_choice && !path.empty())
            CProfile::WriteProfileString(kSection, ChoiceKey(), *m_choice);
        return;
    }
    // Another file: its own choice, and the words ignored in the last one go.
    const std::u16string choice =
        path.empty() ? std::u16string() : CProfile::GetProfileString(kSection, ChoiceKey());
    m_choice = choice.empty() ? std::nullopt : std::optional(choice);
    if (m_speller)
        m_speller->ForgetIgnored();
}

void CDocSpelling::OnDocumentChanged(const CDocChange& change)
{
    if (change.Has(CDocChange::Everything) || change.Has(CDocChange::Title))
        FollowFile();
    if (change.Has(CDocChange::Everything)) {
        m_noDictionarySaid = false;
        Forget();
        Pick();
        return;
    }
    if (change.Has(CDocChange::Texts)) {
        for (const CTextNode* node : change.texts)
            m_misspelt.erase(node);
    }
    if (change.Has(CDocChange::Header))
        Pick();
}

const std::vector<TextRange>& CDocSpelling::Misspelt(const CTextNode& node)
{
    static const std::vector<TextRange> none;
    // As the checks: the top nodes' names and untranslated texts (still in
    // the original's language) are no business of this dictionary.
    const bool translated = node.parent && node.parent->parent &&
                            node.translatedText != node.originalText;
    if (!m_speller || m_doc.IsOriginal() || !translated)
        return none;
    const auto [it, added] = m_misspelt.try_emplace(&node);
    if (added)
        it->second = m_speller->Misspelt(node.translatedText);
    return it->second;
}

std::vector<std::u16string> CDocSpelling::Suggest(std::u16string_view word) const
{
    return m_speller ? m_speller->Suggest(word) : std::vector<std::u16string>();
}

void CDocSpelling::AddToDictionary(std::u16string_view word)
{
    if (!m_speller)
        return;
    m_speller->AddToDictionary(word);
    Forget();
    emit SpellingChanged();
}

void CDocSpelling::IgnoreInFile(std::u16string_view word)
{
    if (!m_speller)
        return;
    m_speller->IgnoreInFile(word);
    Forget();
    emit SpellingChanged();
}
