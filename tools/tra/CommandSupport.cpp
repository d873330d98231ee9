#include "CommandSupport.h"

#include "LanguageFileIO.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <cstdio>

namespace tra_command {

int Usage(const std::string& message)
{
    fmt::print(stderr, "glossmark-tra: {}\nTry 'glossmark-tra --help'.\n", message);
    return kUsage;
}

int Fail(const std::string& message)
{
    fmt::print(stderr, "glossmark-tra: {}\n", message);
    return kFailure;
}

std::unique_ptr<CLanguageFile> Load(const std::string& path)
{
    ReadOutcome outcome = ReadLanguageFile(path);
    if (outcome.error) {
        Fail(outcome.error.Describe(path));
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

} // namespace tra_command
