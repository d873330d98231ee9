#include "TranslatedStrings.h"

#include "CMessageBox.h"
#include "CResources.h"
#include "CTextNode.h"
#include "CTranslationState.h"
#include "TranslationSettings.h"
#include "UiLanguage.h"

namespace settings = translation_settings;

namespace {

// The switch command's prompt is part of the language file, not of the program.
const CTextNode* SwitchPrompt()
{
    const CTextNode* entry = FindSwitchEntry();
    if (!entry || entry->ChildCount() <= settings::kSwitchPromptChild)
        return nullptr;
    return entry->GetChild(settings::kSwitchPromptChild);
}

} // namespace

bool TranslateString(std::u16string& text)
{
    CTranslationState& state = CTranslationState::Get();
    if (!state.Current())
        return false;
    const CTextNode* node = state.Strings().Find(text);
    if (!node)
        return false;
    text = node->translatedText;
    return true;
}

bool LoadTranslatedString(std::u16string& text, unsigned id)
{
    if (id != settings::kSwitchCommandId) {
        text = CResources::LoadString(id);
        return TranslateString(text);
    }
    const CTextNode* prompt = SwitchPrompt();
    if (!prompt)
        return false;
    text = prompt->translatedText;
    return true;
}

std::u16string TranslatedString(unsigned id)
{
    // A string made from id 0 is made from no resource: empty, and not
    // looked up, or an entry for the empty text would take its place.
    if (id == 0)
        return {};
    std::u16string text;
    LoadTranslatedString(text, id);
    return text;
}

std::u16string FormatTranslatedArgs(unsigned formatId, std::span<const CFormatArg> args)
{
    std::u16string original;
    if (formatId == settings::kSwitchCommandId) {
        if (const CTextNode* prompt = SwitchPrompt())
            original = prompt->originalText;
    } else {
        original = CResources::LoadString(formatId);
    }
    std::u16string translated = original;
    LoadTranslatedString(translated, formatId);
    return FormatChecked(translated, original, args);
}

int TranslatedMessageBox(unsigned id, unsigned type, unsigned helpId)
{
    return AfxMessageBox(TranslatedString(id), type, helpId);
}
