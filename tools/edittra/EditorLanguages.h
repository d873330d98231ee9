#pragma once

// The editor's own language files, made from its compiled resources: the
// German original-language file, the English translation that the editor
// loads as "Edit.tra", and further translations such as the French one.

#include "CLanguageFile.h"
#include "CResourceTreeBuilder.h"
#include "CTranslationTable.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

inline constexpr char16_t kEditorProgramName[] = u"Glossmark Editor";
inline constexpr char16_t kOriginalLanguageName[] = u"Deutsch";
inline constexpr char16_t kEnglishLanguageName[] = u"English";
inline constexpr char16_t kFrenchLanguageName[] = u"Français";

struct EditorLanguages {
    std::unique_ptr<CLanguageFile> original; // flags bit 0 set
    std::unique_ptr<CLanguageFile> english;  // same tree, English translated texts
    std::vector<std::u16string> untranslated; // German texts the table lacks
};

// The language switch dialog's texts in the editor's string table.
CResourceTreeBuilder::SwitchEntry EditorSwitchEntry();

// A translation of original from table, with its language name and flag;
// the original texts the table lacks are appended to untranslated.
std::unique_ptr<CLanguageFile> MakeEditorTranslation(const CLanguageFile& original,
                                                     const CTranslationTable& table,
                                                     const std::u16string& languageName,
                                                     const std::array<COLORREF, CLanguageFile::kFlagPixelCount>& flag,
                                                     std::vector<std::u16string>& untranslated);

EditorLanguages MakeEditorLanguages(const res::ResourceSet& resources,
                                    const CTranslationTable& english, const std::u16string& version);
