#pragma once

// The editor's own two language files, made from its compiled resources:
// the German original-language file and the English translation that the
// editor loads as "Edit.tra".

#include "CLanguageFile.h"
#include "CResourceTreeBuilder.h"
#include "CTranslationTable.h"

#include <memory>
#include <string>
#include <vector>

inline constexpr char16_t kEditorProgramName[] = u"Glossmark Editor";
inline constexpr char16_t kOriginalLanguageName[] = u"Deutsch";
inline constexpr char16_t kEnglishLanguageName[] = u"English";

struct EditorLanguages {
    std::unique_ptr<CLanguageFile> original; // flags bit 0 set
    std::unique_ptr<CLanguageFile> english;  // same tree, English translated texts
    std::vector<std::u16string> untranslated; // German texts the table lacks
};

// The language switch dialog's texts in the editor's string table.
CResourceTreeBuilder::SwitchEntry EditorSwitchEntry();

EditorLanguages MakeEditorLanguages(const res::ResourceSet& resources,
                                    const CTranslationTable& english, const std::u16string& version);
