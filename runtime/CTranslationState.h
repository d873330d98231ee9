#pragma once

// The one global state of the run-time layer (see UiLanguage.h for the
// operations over it). Only the layer's own code uses this header.

#include "CLanguageFile.h"
#include "CStringIndex.h"
#include "CWindowTracker.h"
#include "WinTypes.h"

#include <memory>
#include <string>

// A file name of the layer as the C library's file functions want it.
std::string NativePath(const std::u16string& fileName);

class CTranslationState {
public:
    static CTranslationState& Get();

    std::unique_ptr<CLanguageFile> previous;
    std::u16string fileName;
    std::unique_ptr<CWindowTracker> dialogTracker;
    std::unique_ptr<CWindowTracker> frameTracker;
    HHOOK callHook = 0;
    HHOOK returnHook = 0;
    bool menuSelectFlag = false;
    // The file in use was chosen in the switch dialog (now or remembered).
    bool fileChosen = false;

    // The current translation and the switch mapping are replaced only
    // through these, which drop the string index with the tree it points into.
    CLanguageFile* Current() const { return m_current.get(); }
    void SetCurrent(std::unique_ptr<CLanguageFile> file);
    // Installs file as the current translation and hands back the one before.
    std::unique_ptr<CLanguageFile> ReplaceCurrent(std::unique_ptr<CLanguageFile> file);
    const CLanguageFile* SwitchMapping() const { return m_switchMapping.get(); }
    void SetSwitchMapping(std::unique_ptr<CLanguageFile> mapping);
    std::unique_ptr<CLanguageFile> TakeSwitchMapping();

    // The tree the lookups read: the switch mapping while it exists.
    const CLanguageFile* Lookup() const;
    // The "Stringtables" index of Lookup(), built on first use.
    const CStringIndex& Strings();
    // The texts of the looked-up tree were changed in place.
    void TextsChanged() { m_strings.Clear(); }

private:
    CTranslationState() = default;
    std::unique_ptr<CLanguageFile> m_current;
    std::unique_ptr<CLanguageFile> m_switchMapping;
    CStringIndex m_strings; // points into Lookup()'s tree
};
