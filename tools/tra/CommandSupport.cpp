#include "CommandSupport.h"

#include "LanguageCodes.h"
#include "LanguageFileIO.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <cstdio>

#include <sys/stat.h>

namespace tra_command {

int Usage(const std::string& message)
{
    fmt::print(stderr, "glossmark-tra: {}\nTry 'glossmark-tra --help'.\n", message);
    return kUsage;
}

// No message needs more; a longer one echoes input at length.
constexpr std::size_t kMessageLimit = 1000;

int Fail(const std::string& message)
{
    fmt::print(stderr, "glossmark-tra: {}\n", tra_text::Printable(message, kMessageLimit));
    return kFailure;
}

void Warn(const std::string& message)
{
    fmt::print(stderr, "{}\n", tra_text::Printable(message, kMessageLimit));
}

bool ReadInput(const std::string& path, std::string& bytes)
{
    if (const FileError error = ReadWholeFile(path, bytes)) {
        Fail(fmt::format("cannot read \"{}\": {}", path, error.detail));
        return false;
    }
    if (bytes.empty()) {
        Fail(fmt::format("\"{}\" is empty; nothing written", path));
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& path, const std::string& bytes)
{
    if (const FileError error = WriteWholeFile(path, bytes)) {
        Fail(error.Describe(path));
        return false;
    }
    return true;
}

bool OutputIsAnInput(const std::string& out, std::initializer_list<std::string> inputs)
{
    struct stat output {};
    if (::stat(out.c_str(), &output) != 0) {
        return false;
    }
    for (const std::string& input : inputs) {
        struct stat status {};
        if (::stat(input.c_str(), &status) == 0 && status.st_dev == output.st_dev && status.st_ino == output.st_ino) {
            Fail(fmt::format("\"{}\" is the input \"{}\"; writing it would destroy what is read; nothing written",
                             out, input));
            return true;
        }
    }
    return false;
}

std::unique_ptr<CLanguageFile> Load(const std::string& path)
{
    ReadOutcome outcome = ReadLanguageFile(path);
    if (outcome.error) {
        const bool unread = outcome.error.kind == FileError::Kind::CannotOpen ||
                            outcome.error.kind == FileError::Kind::ReadFailed;
        Fail(unread ? fmt::format("cannot read \"{}\": {}", path, outcome.error.detail)
                    : outcome.error.Describe(path));
        return nullptr;
    }
    if (outcome.wrongMagic) {
        fmt::print(stderr, "{}: {}\n", path, tra_text::ToUtf8(kCorruptFileMessage));
        return nullptr;
    }
    return std::move(outcome.language);
}

bool Save(const CLanguageFile& language, const std::string& path)
{
    if (const FileError error = WriteLanguageFile(language, path)) {
        Fail(error.Describe(path));
        return false;
    }
    return true;
}

std::optional<std::string> OptionValue(const std::string& arg, std::string_view name)
{
    if (arg.size() > name.size() + 2 && arg.compare(0, 2, "--") == 0 &&
        arg.compare(2, name.size(), name) == 0 && arg[name.size() + 2] == '=') {
        return arg.substr(name.size() + 3);
    }
    return std::nullopt;
}

OptionRead ReadLanguageOption(const std::string& arg, bool withSource, std::string& source, std::string& target)
{
    const std::optional<std::string> sourceValue = withSource ? OptionValue(arg, "source-language") : std::nullopt;
    const std::optional<std::string> value = sourceValue ? sourceValue : OptionValue(arg, "target-language");
    if (!value)
        return OptionRead::NotThis;
    std::string code = language_codes::FromName(tra_text::FromUtf8(*value));
    if (code.empty()) {
        Usage(fmt::format("\"{}\" is no language code (de, en-GB, ...) nor a language name I know", *value));
        return OptionRead::Refused;
    }
    (sourceValue ? source : target) = std::move(code);
    return OptionRead::Taken;
}

} // namespace tra_command
