#include "CTranslationState.h"

#include "UiLanguage.h"

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
