#pragma once

// The run-time switch of the user-interface language: the chosen file becomes
// the current translation, and every window on screen is translated anew from
// the texts it shows now (the previous language's) to the new language's.

#include <string>

// False, with nothing changed, when there is no current translation, the
// file's header cannot be read, it belongs to another program, or the file
// itself cannot be read whole. After a switch, CLanguageSwitchNotifier
// tells the windows that load their own texts.
bool SwitchTranslationFile(const std::u16string& fileName);
