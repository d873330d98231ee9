#pragma once

// Qt's own texts (the standard dialogs: file chooser, print, page set-up,
// font and colour choosers, and the standard buttons) in the language of the
// user-interface file, from Qt's installed translations.

#include <QString>

class CLanguageFile;

// The language code ("de", "fr", "en" ...) of a user-interface file: German
// while there is none or it is an original-language file (the program's own
// texts are German), else found by the file's language name, written in the
// language itself or in English ("Français", "French"); empty when unknown.
QString UiLanguageCode(const CLanguageFile* ui);

// Loads Qt's texts for the current user-interface language now and again
// after every run-time switch.
void FollowUiLanguageWithQtTexts();
