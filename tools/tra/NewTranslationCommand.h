#pragma once

#include <string>
#include <vector>

// glossmark-tra new-translation ORIGINAL.tra OUT.tra --language-name=NAME [--flag=FILE.tra]:
// what the editor's "new translation" does, for scripts.
extern const char kNewTranslationHelp[];
int RunNewTranslation(const std::vector<std::string>& args);
