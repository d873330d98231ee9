#include "LanguageSwitch.h"

#include "CLanguageSwitchNotifier.h"
#include "CTextNode.h"
#include "CTranslationState.h"
#include "LanguageFileIO.h"
#include "UiLanguage.h"

#include <utility>

namespace {

// A copy of current whose original texts are the texts the previous language
// shows, so that the matching finds them on screen; top nodes keep their names.
std::unique_ptr<CLanguageFile> MakeSwitchMapping(const CLanguageFile& current,
                                                 const CLanguageFile& previous)
{
    auto mapping = current.Copy();
    if (mapping->GetRoot())
        mapping->GetRoot()->ReplaceTextsByTranslations(*previous.GetRoot(), 0);
    return mapping;
}

} // namespace

bool SwitchTranslationFile(const std::u16string& fileName)
{
    LanguageInfo current;
    LanguageInfo chosen;
    if (!GetCurrentLanguageInfo(current) || !ReadLanguageInfo(fileName, chosen))
        return false;
    if (current.programName != chosen.programName)
        return false;

    CTranslationState& state = CTranslationState::Get();
    ReadOutcome outcome = ReadLanguageFile(NativePath(fileName));
    // A file that loses its tree past the header is as unreadable as a
    // truncated one: the current language stays.
    if (!outcome.language || !outcome.language->GetRoot())
        return false;
    // The new file takes the old one's shape before it is installed: the
    // state's string index is dropped with every tree it replaces.
    std::unique_ptr<CLanguageFile> now = std::move(outcome.language);
    const CLanguageFile* old = state.Current();
    // Without a tree the old file translated nothing, so the windows still
    // show the program's own texts and the new file fits them as it is.
    std::unique_ptr<CLanguageFile> mapping;
    if (old && old->GetRoot()) {
        now->TakeStructureFrom(*old);
        mapping = MakeSwitchMapping(*now, *old);
    }
    state.previous = state.ReplaceCurrent(std::move(now));
    state.fileName = fileName;
    state.fileChosen = true;
    state.SetSwitchMapping(std::move(mapping));

    const CTextNode* menus = FindTopNode(state.Lookup(), u"Menus");
    if (state.dialogTracker)
        state.dialogTracker->ReTranslateAll(menus);
    if (state.frameTracker)
        state.frameTracker->ReTranslateAll(menus);

    state.SetSwitchMapping(nullptr);
    // Last, with the mapping gone: listeners load the new language's texts.
    CLanguageSwitchNotifier::Get().NotifySwitched();
    return true;
}
