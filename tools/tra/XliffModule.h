#pragma once

// The table of glossmark-tra-xliff.so: the XLIFF bridge, which reads and writes
// XML with Qt Core's stream classes.

#include "XliffBridge.h"

struct XliffTable {
    xliff_bridge::ExportResult (*exportXliff)(const CLanguageFile& language,
                                              std::u16string_view sourceLanguage,
                                              std::u16string_view targetLanguage);
    xliff_bridge::ImportResult (*importXliff)(std::string_view xliff, CLanguageFile& language);
};

inline constexpr char kXliffModule[] = "glossmark-tra-xliff.so";
inline constexpr char kXliffEntry[] = "glossmark_tra_xliff";
