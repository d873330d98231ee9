#include "MemoryCommand.h"

#include "BridgeUnits.h"
#include "CTranslationMemory.h"
#include "CommandSupport.h"
#include "LanguageCodes.h"
#include "MatchTokens.h"
#include "PoReader.h"
#include "TextEncoding.h"
#include "TmxFile.h"
#include "WholeFile.h"
#include "XliffBridge.h"

#include <fmt/core.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>

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
        std::optional<std::string> source = OptionValue(arg, "source-language");
        std::optional<std::string> target = OptionValue(arg, "target-language");
        if (source || target) {
            const std::optional<std::string> code = LanguageOption(source ? *source : *target);
            if (!code) {
                return std::nullopt;
            }
            (source ? read.sourceLanguage : read.targetLanguage) = *code;
        } else if (auto db = OptionValue(arg, "db")) {
            read.db = *db;
        } else if (auto file = OptionValue(arg, "file")) {
            std::error_code ignored;
            read.file = std::filesystem::absolute(*file, ignored).lexically_normal().string();
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

// "de_DE" as gettext writes it is "de-DE".
std::string CodeOf(std::string code)
{
    std::replace(code.begin(), code.end(), '_', '-');
    return language_codes::FromName(tra_text::FromUtf8(code));
}

std::string PoLanguage(const po_bridge::PoEntry& header)
{
    const std::string fields = tra_text::ToUtf8(header.str);
    const std::size_t at = fields.find("Language:");
    if (at == std::string::npos) {
        return {};
    }
    std::string value = fields.substr(at + 9, fields.find('\n', at) - at - 9);
    value.erase(0, value.find_first_not_of(' '));
    return CodeOf(value.substr(0, value.find_last_not_of(" \r") + 1));
}

// What PairsOf returns when the reader has printed why already.
constexpr char kReported[] = "-";

// The pairs of one file by its kind; returns an error message.
std::string PairsOf(const std::string& given, const MemoryArguments& read, std::vector<memory::Pair>& pairs)
{
    // The pairs remember the whole path, so the entries of one file can be removed from anywhere.
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(given, ignored).lexically_normal().string();
    const std::string extension = std::filesystem::path(path).extension().string();
    const std::string source = read.sourceLanguage.empty() ? "und" : read.sourceLanguage;
    if (extension == ".tra") {
        const auto language = Load(path);
        if (!language) {
            return kReported;
        }
        const std::string target = read.targetLanguage.empty() ? LanguageOfFile(*language, path) : read.targetLanguage;
        if (target.empty()) {
            return kReported;
        }
        const std::vector<memory::Pair> done = memory::PairsFromLanguageFile(*language, source, target, path);
        pairs.insert(pairs.end(), done.begin(), done.end());
        return {};
    }
    std::string bytes;
    if (const FileError error = ReadWholeFile(path, bytes)) {
        return fmt::format("cannot read it: {}", error.detail);
    }
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    if (extension == ".tmx") {
        return memory::ReadTmx(bytes, read.sourceLanguage, read.targetLanguage, path, pairs);
    }
    if (extension == ".xlf" || extension == ".xliff") {
        xliff_bridge::Document document;
        if (std::string error = xliff_bridge::ReadXliff(bytes, document); !error.empty()) {
            return error;
        }
        const std::string target = !read.targetLanguage.empty() ? read.targetLanguage : CodeOf(document.targetLanguage);
        if (target.empty()) {
            return "the document names no target language; give --target-language";
        }
        const std::string fileSource = read.sourceLanguage.empty() ? CodeOf(document.sourceLanguage) : source;
        for (const xliff_bridge::TransUnit& unit : document.units) {
            if (!unit.toBeEdited && unit.hasTarget && !unit.source.empty() && !unit.target.empty()) {
                pairs.push_back({fileSource.empty() ? "und" : fileSource, target, unit.source, unit.target, {}, {}, now, path});
            }
        }
        return {};
    }
    if (extension == ".po" || extension == ".pot") {
        std::vector<po_bridge::PoEntry> entries;
        if (std::string error = po_bridge::ReadPoEntries(bytes, entries); !error.empty()) {
            return error;
        }
        std::string target = read.targetLanguage;
        for (const po_bridge::PoEntry& entry : entries) {
            if (entry.isHeader && target.empty()) {
                target = PoLanguage(entry);
            }
        }
        if (target.empty()) {
            return "the file has no Language: header; give --target-language";
        }
        for (const po_bridge::PoEntry& entry : entries) {
            if (!entry.isHeader && !entry.obsolete && !entry.fuzzy && !entry.plural && !entry.id.empty() &&
                !entry.str.empty()) {
                pairs.push_back({source, target, entry.id, entry.str, {}, {}, now, path});
            }
        }
        return {};
    }
    return "unknown kind of file (.tra, .po, .xlf, .xliff or .tmx)";
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
        const std::string error = PairsOf(path, read, pairs);
        if (error == kReported) {
            return Fail("nothing imported");
        }
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

int Fill(const MemoryArguments& read)
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
    std::uint64_t filled = 0;
    std::string error;
    std::vector<memory::Match> matches;
    if (language->GetRoot() != nullptr) {
        bridge::ForEachUnit(*language->GetRoot(), [&](const bridge::Unit& unit) {
            // The walk hands out const nodes; the tree is this command's own copy.
            CTextNode& node = *const_cast<CTextNode*>(unit.node);
            if (!error.empty() || !bridge::OwnTextToBeEdited(node) || node.originalText.empty()) {
                return;
            }
            error = memory->Lookup(node.originalText, target, 1, matches);
            if (error.empty() && !matches.empty() && matches.front().score == 100) {
                // The text stays to be edited: a translator has not seen it here yet.
                node.translatedText = matches.front().translation;
                ++filled;
            }
        });
    }
    if (!error.empty()) {
        return Fail(error);
    }
    if (!Save(*language, read.positional[2])) {
        return kFailure;
    }
    fmt::print("filled: {}\n", filled);
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

int RunMemoryCommand(const std::vector<std::string>& args)
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
        return Fill(*read);
    }
    if (action == "remove") {
        return Remove(*read);
    }
    return Usage("tm needs one of import, lookup, export, fill, remove");
}
