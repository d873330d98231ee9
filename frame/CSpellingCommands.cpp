#include "CSpellingCommands.h"

#include "CDocSpelling.h"
#include "CMainFrame.h"
#include "CTransDoc.h"
#include "TranslatedStrings.h"
#include "resource.h"

CSpellingCommands::CSpellingCommands(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_installed(CDocSpelling::InstalledCodes())
{
    AddCommand(ID_SPELLING_NONE, [this] { Choose({}); });
    AddUpdateCommandUI(ID_SPELLING_NONE, [this](CCmdUI& ui) { UpdateItem(ui, -1); });
    for (UINT id = ID_SPELLING_DICTIONARY1; id <= ID_SPELLING_DICTIONARY_LAST; ++id) {
        const int index = int(id - ID_SPELLING_DICTIONARY1);
        AddCommand(id, [this, index] {
            if (index < int(m_installed.size()))
                Choose(m_installed[std::size_t(index)]);
        });
        AddUpdateCommandUI(id, [this, index](CCmdUI& ui) { UpdateItem(ui, index); });
    }
    if (CTransDoc* doc = frame.GetDocument()) {
        connect(&CDocSpelling::Of(*doc), &CDocSpelling::NoDictionary, this,
                [this](const std::u16string& language) {
                    std::u16string text;
                    FormatTranslated(text, IDS_SPELLING_NO_DICTIONARY, language);
                    m_frame.SetMessageText(text);
                });
    }
}

void CSpellingCommands::Choose(const std::string& code)
{
    CTransDoc* doc = m_frame.GetDocument();
    if (doc && !doc->IsBusy())
        CDocSpelling::Of(*doc).Choose(code);
}

// index -1: "Keine Rechtschreibprüfung"; else the installed dictionary of
// that index, the item hidden when there is none.
void CSpellingCommands::UpdateItem(CCmdUI& ui, int index) const
{
    CTransDoc* doc = m_frame.GetDocument();
    const bool editable = doc && doc->GetLanguage() && !doc->IsOriginal();
    const std::string current = doc ? CDocSpelling::Of(*doc).Code() : std::string();
    ui.Enable(editable);
    if (index < 0) {
        ui.SetCheck(current.empty() ? 1 : 0);
        return;
    }
    const bool exists = index < int(m_installed.size());
    ui.Show(exists);
    if (!exists)
        return;
    const std::string& code = m_installed[std::size_t(index)];
    ui.SetText(std::u16string(code.begin(), code.end()));
    ui.SetCheck(code == current ? 1 : 0);
}
