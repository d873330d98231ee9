#pragma once

#include "CLanguageFile.h"

#include <memory>
#include <string>

// Realistic language files for tests, benchmarks and the bundled sample: German original
// texts of an invented accounting program, with English (or, for an original-language
// file, German) translated texts.
//
// Shape: an unnamed root with the top nodes "Dialoge", "Menus" and "Stringtables".
// Below "Dialoge" lie dialogs (kind 1) with their controls (every kind code 1-11, 21-25
// and 99 occurs once there is room for it); below "Menus" menus (kind 8) with popups
// (kind 9, sometimes nested) and items (kind 3); below "Stringtables" blocks of up to
// 16 strings (kind 11) holding messages and command strings (kind 99 and 21).
//
// The texts carry format specifiers (%d %s %i %02i %-5.2f %% ...), '&' accelerators,
// tabs and line feeds, German and other non-ASCII characters (Cyrillic, Greek, CJK and a
// character outside the BMP), and siblings with equal texts (edit controls without text,
// repeated labels).

namespace sample_kind {
inline constexpr int kDialog = 1;
inline constexpr int kMenu = 8;
inline constexpr int kPopup = 9;
inline constexpr int kMenuItem = 3;
inline constexpr int kStringBlock = 11;
inline constexpr int kString = 99;
inline constexpr int kCommandString = 21;
inline constexpr int kSwitchEntry = 30;
} // namespace sample_kind

struct SampleOptions {
    std::u16string programName = u"Kestrow Kassenbuch";
    std::u16string programVersion = u"3.10";
    // Empty: "Deutsch" for an original-language file, else "English".
    std::u16string languageName;
    // An original-language file: flags bit 0 set, translated texts equal to the original
    // ones, nothing to be edited.
    bool original = false;
    // Share of the texts of a translation still to be edited: they keep the original
    // text as their translation. Roughly a third of it comes as whole new dialogs.
    double toDoShare = 0.08;
    // Makes the first child of "Dialoge" the language switch entry (kind 30, 11 children).
    bool switchEntry = false;
};

// A language file with exactly textCount nodes below the three top nodes (so the tree
// has textCount + 4 nodes), deterministic for a given seed and options. The edit states
// are consistent: UpdateStates() on the root changes nothing.
std::unique_ptr<CLanguageFile> MakeSampleLanguage(int textCount, unsigned seed,
                                                  const SampleOptions& options = {});

// The original-language file of the next version of older's program: a copy of older
// whose translated texts equal its original texts, all done, flags bit 0 set, version
// newVersion (empty: older's version with its last number raised by one). About
// changedShare of the texts below the top nodes are changed: most reworded, some removed
// (leaves only) and some joined by a new sibling. Deterministic for a given seed.
std::unique_ptr<CLanguageFile> MakeNewerVersion(const CLanguageFile& older, double changedShare,
                                                unsigned seed,
                                                const std::u16string& newVersion = u"");

// "3.10" -> "3.11", "2.9" -> "2.10", "Beta" -> "Beta 2".
std::u16string NextVersion(const std::u16string& version);
