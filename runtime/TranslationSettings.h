#pragma once

// Fixed settings of the run-time translation layer. They are build-time
// constants on purpose: the layer keeps nothing the user chooses.

#include <string_view>

namespace translation_settings {

// The command that opens the language switch dialog; its prompt lives in the
// switch entry, not in the program's string table.
inline constexpr unsigned kSwitchCommandId = 19987;
// Write the file name in use to the profile when the translation is unloaded.
inline constexpr bool kStoreAtExit = true;
// The switch dialog also lists files made for other versions of the program.
inline constexpr bool kShowOlderGroup = true;
inline constexpr bool kShowHelpButton = true;
// Put the switch command into the first popup of every translated menu bar.
inline constexpr bool kAppendSwitchItem = false;
// Where the switch dialog looks for language files: empty means the current directory.
inline constexpr std::u16string_view kSearchFolder = u"";

// The profile entry written at exit.
inline constexpr std::u16string_view kProfileSection = u"Language";
inline constexpr std::u16string_view kProfileEntry = u"LastTraFile";
// Beside it: whether that file was the user's choice in the switch dialog
// (read back at the next start) or only what the start found.
inline constexpr std::u16string_view kProfileChoiceEntry = u"LastTraFileChosen";

// Kind code of the switch entry below "Dialoge", and its child holding the
// switch command's prompt and tooltip.
inline constexpr int kSwitchEntryKind = 30;
inline constexpr int kSwitchPromptChild = 10;

// Shown untranslated when the start-up file is missing; %s is the file name, twice.
inline constexpr std::u16string_view kMissingFileMessage =
    u"The translation file %s doesn't exist.\nThe program will run in the original "
    u"language.\nPlease place the file %s in the proper location\nto enable the "
    u"Glossmark System.";

// Shown untranslated when the switch command meets a file without a switch
// entry; %s is the current translation's file name.
inline constexpr std::u16string_view kNoSwitchEntryMessage =
    u"The function DoAutomaticSwitchDialog has been called,\nbut the recent translation file "
    u"%s doesn't support automatic switching.\nUnable to show the language switch dialog.";

} // namespace translation_settings
