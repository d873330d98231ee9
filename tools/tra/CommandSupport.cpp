#include "CommandSupport.h"

#include "LanguageCodes.h"
#include "LanguageFileIO.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

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

bool ReadWhole(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail(fmt::format("cannot open \"{}\": {}", path, std::strerror(errno)));
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || size < 0 || in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        Fail(fmt::format("cannot read \"{}\"", path));
        return false;
    }
    return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        Fail(fmt::format("cannot create \"{}\": {}", temporary, std::strerror(errno)));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        Fail(fmt::format("cannot write \"{}\": {}", path, std::strerror(errno)));
        std::remove(temporary.c_str());
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

std::optional<std::string> LanguageOption(const std::string& value)
{
    std::string code = language_codes::FromName(tra_text::FromUtf8(value));
    if (code.empty()) {
        Usage(fmt::format("\"{}\" is no language code (de, en-GB, ...) nor a language name I know", value));
        return std::nullopt;
    }
    return code;
}

} // namespace tra_command
