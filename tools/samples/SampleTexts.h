#pragma once

#include <span>
#include <string_view>

// Word and phrase pools of the sample generator. A template holds "{N}" where a noun goes;
// in the English form "{n}" stands for the noun in lower case and "{N}" for it capitalised.
namespace sample_texts {

struct TextPair {
    std::u16string_view original;
    std::u16string_view translated;
};

struct Noun {
    std::u16string_view german;
    std::u16string_view english; // lower case
};

extern const std::span<const Noun> kNouns;

extern const std::span<const TextPair> kDialogTitleTemplates;
extern const std::span<const TextPair> kLabelTemplates;
extern const std::span<const TextPair> kCheckTemplates;
extern const std::span<const TextPair> kGroupTemplates;
extern const std::span<const TextPair> kMenuItemTemplates;
extern const std::span<const TextPair> kCommandTemplates;
extern const std::span<const TextPair> kMessageTemplates;

extern const std::span<const TextPair> kButtons;
extern const std::span<const TextPair> kRadios;
extern const std::span<const TextPair> kEditDefaults;
extern const std::span<const TextPair> kListTexts;
extern const std::span<const TextPair> kComboTexts;
extern const std::span<const TextPair> kNotes;          // multi-line static texts
extern const std::span<const TextPair> kFixedSizeTexts; // spin, slider and progress captions
extern const std::span<const TextPair> kLanguageNames;  // a dialog's list of languages
extern const std::span<const TextPair> kShowcaseStrings; // first string block: every special
extern const std::span<const TextPair> kSwitchEntryTexts; // title, then children 0 to 10

struct PopupTexts {
    TextPair title;
    std::span<const TextPair> items;
};
extern const std::span<const PopupTexts> kMainMenu;

} // namespace sample_texts
