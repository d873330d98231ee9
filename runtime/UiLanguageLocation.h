#pragma once

// Where a program finds its own user-interface language file at start. On
// Linux a program is started from anywhere (a terminal in a project folder,
// the desktop), so besides the working folder it looks in the folders the
// files are installed in and picks by the user's locale. A file in the
// working folder still wins, so a translator testing a file sees it.

#include <string>
#include <vector>

// The folders the program's language files are installed in: the
// application's data locations and <prefix>/share/<program file name>
// beside the running program, each once, those that exist.
std::vector<std::u16string> FindInstalledLanguageFolders();
// Set at start; the switch dialog lists their files too.
void SetInstalledLanguageFolders(std::vector<std::u16string> folders);
const std::vector<std::u16string>& GetInstalledLanguageFolders();

// The file the user's locale asks for: "Deutsch.tra" (the original German
// texts) for German, "Francais.tra" for French, defaultFile for anything
// else. The first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set
// decides; in LANGUAGE's list the first language that has a file does.
std::u16string LocaleLanguageFile(const std::u16string& defaultFile);

// The start-up load, in this order: defaultFile in the working folder; the
// file the user last chose in the switch dialog (the profile's
// "LastTraFile") while it exists and belongs to programName; the installed
// file for the locale. The missing-file message names defaultFile and comes
// only when none of them exists; a German locale without its file keeps the
// program's own German texts silently.
bool LoadUiLanguage(const std::u16string& defaultFile, const std::u16string& programName);
