#include "NewTranslationCommand.h"

#include "CommandSupport.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <optional>

const char kNewTranslationHelp[] = R"(  new-translation ORIGINAL OUT --language-name=NAME [--flag=FILE]
                          a new translation of ORIGINAL (as the editor's File > New
                          translation makes it): named NAME, every text to be edited,
                          no longer an original-language file; with the flag of the
                          language file FILE, else ORIGINAL's flag
)";

namespace {

using namespace tra_command;

std::optional<std::string> Option(const std::string& arg, std::string_view name)
{
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=')
        return arg.substr(name.size() + 1);
    return std::nullopt;
}

} // namespace

int RunNewTranslation(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    std::optional<std::string> name;
    std::optional<std::string> flagFile;
    for (const std::string& arg : args) {
        if (auto value = Option(arg, "--language-name")) {
            name = *value;
        } else if (auto flag = Option(arg, "--flag")) {
            flagFile = *flag;
        } else if (arg.rfind("--", 0) == 0) {
            return Usage(fmt::format("unknown option \"{}\"", arg));
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || !name || name->empty()) {
        return Usage("usage: glossmark-tra new-translation ORIGINAL OUT --language-name=NAME [--flag=FILE]");
    }
    const auto language = Load(files[0]);
    if (!language) {
        return kFailure;
    }
    if (language->GetRoot() == nullptr) {
        return Fail(fmt::format("\"{}\" has no text tree", files[0]));
    }
    if (flagFile) {
        const auto flagged = Load(*flagFile);
        if (!flagged) {
            return kFailure;
        }
        language->flagPixels = flagged->flagPixels;
    }
    language->StartTranslation(tra_text::FromUtf8(*name));
    return Save(*language, files[1]) ? 0 : kFailure;
}
