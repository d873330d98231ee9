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

    std::unique_ptr<CLanguageFile> current;
    std::unique_ptr<CLanguageFile> previous;
    std::unique_ptr<CLanguageFile> switchMapping;
    std::u16string fileName;
    std::unique_ptr<CWindowTracker> dialogTracker;
    std::unique_ptr<CWindowTracker> frameTracker;
    HHOOK callHook = 0;
    HHOOK returnHook = 0;
    bool menuSelectFlag = false;

    // The tree the lookups read: the switch mapping while it exists.
    const CLanguageFile* Lookup() const;
    // The "Stringtables" index of Lookup(), built on first use.
    const CStringIndex& Strings();
    void InvalidateIndex() { m_strings.Clear(); }

private:
    CTranslationState() = default;
    CStringIndex m_strings;
};
