#pragma once

// The run-time translation layer: one global state per process (the current
// translation and the hooks that translate dialogs and menus as they appear),
// reached through free operations. Everything runs on the UI thread.

#include "CLanguageFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CTextNode;

// What the switch dialog shows of a language file.
struct LanguageInfo {
    std::u16string programName;
    std::u16string programVersion;
    std::u16string languageName;
    std::u16string headerText4;
    std::u16string fileName;
    std::uint32_t flags = 0;
    std::uint32_t headerNumber2 = 0;
};

// The start-up load: reads the file (a bare name is opened in the current
// directory) and installs the hooks. A missing or unreadable file shows the
// fixed missing-file message when showMessage is set and returns false; the
// program then keeps its own texts.
bool LoadTranslationFile(const std::u16string& fileName, bool showMessage = true);
// Writes the file name in use to the profile ("Language"/"LastTraFile", and
// "LastTraFileChosen" when it was chosen in the switch dialog), frees
// everything and removes the hooks. Safe in every state.
void UnloadTranslation();

bool GetCurrentLanguageInfo(LanguageInfo& info);
// Header of a file; false on a file error.
bool ReadLanguageInfo(const std::u16string& fileName, LanguageInfo& info);
// The file's flag as a 32 x 32 bitmap made on dc; nullptr on a file error.
std::unique_ptr<CBitmap> ReadLanguageFlag(const std::u16string& fileName,
                                          const CDeviceContext& dc);

// The loaded translation (nullptr while none), and the tree the lookups
// search: the switch mapping while one exists, else the current translation.
CLanguageFile* GetCurrentTranslation();
const CLanguageFile* GetLookupTranslation();
const std::u16string& GetCurrentTranslationFileName();

// The switch mapping exists only while a run-time switch re-translates the
// open windows; setting or clearing it rebuilds the string index.
void SetSwitchMapping(std::unique_ptr<CLanguageFile> mapping);
std::unique_ptr<CLanguageFile> TakeSwitchMapping();

// Tells the layer that the texts of the loaded tree were changed in place.
void InvalidateStringIndex();

// A top node ("Dialoge", "Menus", "Stringtables") of file, found by its text;
// nullptr when there is no file, no tree or no such node.
const CTextNode* FindTopNode(const CLanguageFile* file, const std::u16string& text);
// The first child of "Dialoge" with the switch entry's kind code, or nullptr.
const CTextNode* FindSwitchEntry();

// Called by the hooks for the switch command: the switch dialog with the
// texts of the current translation's switch entry (ShowAutomaticSwitchDialog),
// or what a test has set instead.
void DoAutomaticSwitchDialog();
// Sets what DoAutomaticSwitchDialog runs instead of the dialog (empty: the
// dialog); returns the previous.
std::function<void()> SetSwitchDialogHandler(std::function<void()> handler);
