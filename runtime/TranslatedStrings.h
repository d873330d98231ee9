#pragma once

// The string operations of the run-time layer: every text the program takes
// from its string table comes through here and is replaced by its
// translation when the loaded language file has one. The key is the text
// itself (the first entry of "Stringtables" in depth-first order whose
// original text equals it), never the string id.

#include "SafeFormat.h"
#include "WinTypes.h"

#include <string>

// True when a translation was found and written into text.
bool TranslateString(std::u16string& text);
// Loads string id and translates it; the switch command's id gives the
// switch entry's prompt. The result says whether a translation was found.
bool LoadTranslatedString(std::u16string& text, unsigned id);
// A string built from a resource id: loaded and translated.
std::u16string TranslatedString(unsigned id);

// Loads format string formatId through LoadTranslatedString and formats it.
// A translated format whose conversions differ from the program's own string
// in kind or order is not trusted: the program's own string is used instead.
// The formatting behind FormatTranslated.
std::u16string FormatTranslatedArgs(unsigned formatId, std::span<const CFormatArg> args);
template <class... Args>
void FormatTranslated(std::u16string& text, unsigned formatId, const Args&... args)
{
    const CFormatArg list[] = {CFormatArg(args)..., CFormatArg()};
    text = FormatTranslatedArgs(formatId, std::span<const CFormatArg>(list, sizeof...(Args)));
}

// The application's message box with the translated text of string id.
int TranslatedMessageBox(unsigned id, unsigned type = MB_OK, unsigned helpId = 0);
