#include "CTranslationState.h"

#include "QtStrings.h"
#include "UiLanguage.h"

#include <utility>

#include <QFile>

CTranslationState& CTranslationState::Get()
{
    static CTranslationState state;
    return state;
}

void CTranslationState::SetCurrent(std::unique_ptr<CLanguageFile> file)
{
    ReplaceCurrent(std::move(file));
}

std::unique_ptr<CLanguageFile> CTranslationState::ReplaceCurrent(std::unique_ptr<CLanguageFile> file)
{
    m_strings.Clear();
    return std::exchange(m_current, std::move(file));
}

void CTranslationState::SetSwitchMapping(std::unique_ptr<CLanguageFile> mapping)
{
    m_strings.Clear();
    m_switchMapping = std::move(mapping);
}

std::unique_ptr<CLanguageFile> CTranslationState::TakeSwitchMapping()
{
    m_strings.Clear();
    return std::move(m_switchMapping);
}

const CLanguageFile* CTranslationState::Lookup() const
{
    return m_switchMapping ? m_switchMapping.get() : m_current.get();
}

const CStringIndex& CTranslationState::Strings()
{
    if (!m_strings.IsBuilt())
        m_strings.Build(FindTopNode(Lookup(), u"Stringtables"));
    return m_strings;
}

std::string NativePath(const std::u16string& fileName)
{
    return QFile::encodeName(ToQString(fileName)).toStdString();
}
