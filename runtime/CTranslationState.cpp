#include "CTranslationState.h"

#include "QtStrings.h"
#include "UiLanguage.h"

#include <QFile>

CTranslationState& CTranslationState::Get()
{
    static CTranslationState state;
    return state;
}

const CLanguageFile* CTranslationState::Lookup() const
{
    return switchMapping ? switchMapping.get() : current.get();
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
