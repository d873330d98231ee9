#include "MemoryCommand.h"

#include "BridgeUnits.h"
#include "CTranslationMemory.h"
#include "CommandSupport.h"
#include "LanguageCodes.h"
#include "MatchTokens.h"
#include "MemoryFill.h"
#include "MemoryImport.h"
#include "TextEncoding.h"
#include "TmxFile.h"

#include <fmt/core.h>

#include <algorithm>
#include <charconv>

namespace {

using namespace tra_command;

struct MemoryArguments {
    std::vector<std::string> positional;
    std::string db;
    std::string sourceLanguage;
    std::string targetLanguage;
    std::string file;
    std::string program;
    bool json = false;
    int limit = 9;
};

std::optional<MemoryArguments> ReadArguments(const std::vector<std::string>& args)
{
    MemoryArguments read;
    read.db = memory::CTranslationMemory::DefaultPath();
    for (const std::string& arg : args) {
        const OptionRead language = ReadLanguageOption(arg, true, read.sourceLanguage, read.targetLanguage);
        if (language == OptionRead::Refused)
            return std::nullopt;
        if (language == OptionRead::Taken)
            continue;
        if (auto db = OptionValue(arg, "db")) {
            read.db = *db;
        } else if (auto file = OptionValue(arg, "file")) {
            read.file = memory::FileKey(*file);
        } else if (auto program = OptionValue(arg, "program")) {
            read.program = *program;
        } else if (auto limit = OptionValue(arg, "limit")) {
            const auto [end, error] = std::from_chars(limit->data(), limit->data() + limit->size(), read.limit);
            if (error != std::errc() || end != limit->data() + limit->size() || read.limit < 1) {
                Usage(fmt::format("--limit needs a whole number from 1, not \"{}\"", *limit));
                return std::nullopt;
            }
        } else if (arg == "--json") {
            read.json = true;
        } else if (arg.rfind("--", 0) == 0) {
            Usage(fmt::format("unknown option \"{}\"", arg));
            return std::nullopt;
        } else {
            read.positional.push_back(arg);
        }
    }
    return read;
}

std::unique_ptr<memory::CTranslationMemory> OpenMemory(const std::string& path)
{
    std::string error;
    auto memory = memory::CTranslationMemory::Open(path, error);
    if (!memory) {
        Fail(error);
    }
    return memory;
}

// The language of a language file from its name; says so when there is none.
std::string LanguageOfFile(const CLanguageFile& language, const std::string& path)
{
    const std::string code = language_codes::FromName(language.GetLanguageName());
    if (code.empty()) {
        Fail(fmt::format("{}: the language name \"{}\" has no language code I know; give --target-language",
                         path, tra_text::ToUtf8(language.GetLanguageName())));
    }
    return code;
}

int Import(const MemoryArguments& read)
{
    if (read.positional.size() < 2) {
        return Usage("usage: glossmark-tra tm import FILE... [--source-language=CODE] [--target-language=CODE]");
    }
    // Every file is read before the memory is touched: one bad file adds nothing.
    std::vector<memory::Pair> pairs;
    for (std::size_t i = 1; i < read.positional.size(); ++i) {
        const std::string& path = read.positional[i];
        const std::string error = memory::ReadPairsOfFile(path, read.sourceLanguage, read.targetLanguage, pairs);
        if (!error.empty()) {
            return Fail(fmt::format("{}: {}; nothing imported", path, error));
        }
    }
    const auto memory = OpenMemory(read.db);
    if (!memory) {
        return kFailure;
    }
    memory::AddCounts counts;
    if (const std::string error = memory->Add(pairs, counts); !error.empty()) {
        return Fail(error);
    }
    fmt::print("added: {}\nalready there: {}\n", counts.added, counts.present);
    return 0;
}

void PrintMatch(const memory::Match& match, bool json)
{
    if (!json) {
        // Tabs and line breaks inside a text would break the columns.
        const auto cell = [](const std::u16string& text) {
            std::string out = tra_text::ToUtf8(text);
            std::replace_if(out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
            return out;
        };
        fmt::print("{}\t{}\t{}\n", match.score, cell(match.original), cell(match.translation));
        return;
    }
    std::string line = fmt::format("{{\"score\":{},\"original\":", match.score);
    tra_text::AppendJsonString(line, match.original);
    line += ",\"translation\":";
    tra_text::AppendJsonString(line, match.translation);
    line += ",\"file\":";
    tra_text::AppendJsonString(line, tra_text::FromUtf8(match.file));
    fmt::print("{}}}\n", line);
}

int Lookup(const MemoryArguments& read)
{
    if (read.positional.size() != 2 || read.targetLanguage.empty()) {
        return Usage("usage: glossmark-tra tm lookup TEXT --target-language=CODE [--json] [--limit=N]");
    }
    const auto memory = OpenMemory(read.db);
    if (!memory) {
        return kFailure;
    }
    std::vector<memory::Match> matches;
    const std::u16string text = tra_text::FromUtf8(read.positional[1]);
    if (const std::string error = memory->Lookup(text, read.targetLanguage, read.limit, matches); !error.empty()) {
        return Fail(error);
    }
    for (memory::Match& match : matches) {
        match.translation = memory::AdaptTranslation(match.original, match.translation, text);
        PrintMatch(match, read.json);
    }
    return matches.empty() ? kFailure : 0;
}

int Export(const MemoryArguments& read)
{
    if (read.positional.size() != 2) {
        return Usage("usage: glossmark-tra tm export OUT.tmx");
    }
    if (OutputIsAnInput(read.positional[1], {read.db})) {
        return kFailure;
    }
    const auto memory = OpenMemory(read.db);
    if (!memory) {
        return kFailure;
    }
    std::string tmx;
    if (const std::string error = memory::ExportTmx(*memory, tmx); !error.empty()) {
        return Fail(error);
    }
    return WriteOutput(read.positional[1], tmx) ? 0 : kFailure;
}

int Fill(const MemoryArguments& read, const TextFits& fits)
{
    if (read.positional.size() != 3) {
        return Usage("usage: glossmark-tra tm fill FILE.tra OUT.tra [--target-language=CODE]");
    }
    if (OutputIsAnInput(read.positional[2], {read.positional[1], read.db})) {
        return kFailure;
    }
    const auto language = Load(read.positional[1]);
    if (!language) {
        return kFailure;
    }
    if (language->IsOriginal()) {
        return Fail(fmt::format("{}: {}", read.positional[1], bridge::kOriginalRefused));
    }
    const std::string target =
        read.targetLanguage.empty() ? LanguageOfFile(*language, read.positional[1]) : read.targetLanguage;
    if (target.empty()) {
        return kFailure;
    }
    const auto memory = OpenMemory(read.db);
    if (!memory) {
        return kFailure;
    }
    std::vector<memory::Fill> fills;
    if (language->GetRoot() != nullptr) {
        const auto fitsNode = [&fits](const CTextNode& node, std::u16string_view text) {
            return !fits || fits(node.kindCode, node.width, text);
        };
        if (const std::string error = memory::FindFills(*memory, *language->GetRoot(), target, fitsNode, fills);
            !error.empty()) {
            return Fail(error);
        }
    }
    for (const memory::Fill& fill : fills) {
        fill.node->translatedText = fill.translation;
    }
    if (!Save(*language, read.positional[2])) {
        return kFailure;
    }
    fmt::print("filled: {}\n", fills.size());
    return 0;
}

int Remove(const MemoryArguments& read)
{
    if (read.positional.size() != 1 || read.file.empty() == read.program.empty()) {
        return Usage("usage: glossmark-tra tm remove (--file=PATH | --program=NAME)");
    }
    const auto memory = OpenMemory(read.db);
    if (!memory) {
        return kFailure;
    }
    std::uint64_t removed = 0;
    const bool byProgram = !read.program.empty();
    const std::string error = byProgram ? memory->Remove(tra_text::FromUtf8(read.program), removed)
                                        : memory->Remove(read.file, removed);
    if (!error.empty()) {
        return Fail(error);
    }
    fmt::print("removed: {}\n", removed);
    return 0;
}

} // namespace

int RunMemoryCommand(const std::vector<std::string>& args, const TextFits& fits)
{
    const std::optional<MemoryArguments> read = ReadArguments(args);
    if (!read) {
        return kUsage;
    }
    const std::string action = read->positional.empty() ? std::string() : read->positional[0];
    if (action == "import") {
        return Import(*read);
    }
    if (action == "lookup") {
        return Lookup(*read);
    }
    if (action == "export") {
        return Export(*read);
    }
    if (action == "fill") {
        return Fill(*read, fits);
    }
    if (action == "remove") {
        return Remove(*read);
    }
    return Usage("tm needs one of import, lookup, export, fill, remove");
}
