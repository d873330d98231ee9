// glossmark-tra: language files (.tra) from the command line.

#include "BridgeCommands.h"
#include "CheckCommand.h"
#include "CommandSupport.h"
#include "LanguageFileIO.h"
#include "LanguageJson.h"
#include "MemoryCommand.h"
#include "NewTranslationCommand.h"
#include "SampleLanguage.h"
#include "TextEncoding.h"

#include <fmt/core.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <locale>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tra_command;

constexpr const char* kHelp = R"(Usage: glossmark-tra COMMAND ARGUMENTS

Commands:
  dump FILE               write the language file FILE as JSON (UTF-8) to standard output
  build JSONFILE OUT      write the language file OUT from the JSON that dump writes
  update LANG NEWER OUT   version update: LANG takes the structure and original texts of
                          NEWER (a file of a newer version of the same program) and keeps
                          its translations; the result goes to OUT. Prints the number of
                          texts and of texts to be edited, then "changed" or "unchanged".
                          OUT may be LANG itself, which is then updated in place.
  stats FILE              header fields and the number of texts per top node and edit state
  check FILE [--json] [--no-widths] [--spelling=CODE]
                          report what in the translations would break the program: format
                          (conversions differ) and width (too wide for a fixed-size control)
                          are errors; accelerator, accelerator-clash, lines and whitespace
                          warnings; with --spelling (a dictionary code such as de_DE, or a
                          language code or name) misspelt words are spelling warnings. One line per problem in tree order, PATH: SEVERITY: ID:
                          MESSAGE, then a count; with --json one JSON object per line.
                          Widths are measured in the installed fonts; with --no-widths, or
                          when there are none, they are not checked. Exit status 1 when
                          there is an error.
  generate COUNT SEED OUT [OPTIONS]
                          write a sample language file with COUNT texts
      --original          an original-language file (German texts, nothing to be edited)
      --todo=SHARE        share of texts still to be edited, 0 to 1 (default 0.08)
      --switch-entry      include the language switch entry (kind 30)
      --program=NAME  --version=TEXT  --language=NAME
  newer FILE SHARE SEED OUT [--version=TEXT]
                          write the original-language file of a newer version of FILE's
                          program, with about SHARE (0 to 1) of its texts changed
%NEW%%BRIDGES%%MEMORY%
dump followed by build reproduces a file byte for byte (texts that are not valid UTF-16
are written as \uXXXX escapes). Writing replaces OUT only when the whole file was written; an OUT that is one of the
inputs is refused (except where said).
Exit status: 0 success, 1 failure, 2 wrong usage.
)";

template <class T>
bool ParseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseShare(const std::string& text, double& value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> value;
    return in && in.peek() == std::char_traits<char>::eof() && value >= 0.0 && value <= 1.0;
}

// Counts below the top nodes: all texts, and texts per edit state (index 6: any other value).
struct TextCounts {
    std::uint64_t texts = 0;
    std::array<std::uint64_t, 7> states{};

    std::uint64_t ToBeEdited() const { return states[3] + states[4] + states[5]; }
};

TextCounts CountTexts(const CTextNode& top)
{
    TextCounts counts;
    std::vector<const CTextNode*> pending;
    for (std::int32_t i = 0; i < top.ChildCount(); ++i) {
        pending.push_back(top.GetChild(i));
    }
    while (!pending.empty()) {
        const CTextNode* node = pending.back();
        pending.pop_back();
        ++counts.texts;
        ++counts.states[std::min<std::size_t>(node->editState, 6)];
        for (std::int32_t i = 0; i < node->ChildCount(); ++i) {
            pending.push_back(node->GetChild(i));
        }
    }
    return counts;
}

TextCounts CountAllTexts(const CTextNode& root)
{
    TextCounts total;
    for (std::int32_t t = 0; t < root.ChildCount(); ++t) {
        const TextCounts counts = CountTexts(*root.GetChild(t));
        total.texts += counts.texts;
        for (std::size_t s = 0; s < total.states.size(); ++s) {
            total.states[s] += counts.states[s];
        }
    }
    return total;
}

int Dump(const std::string& path)
{
    const auto language = Load(path);
    if (!language) {
        return kFailure;
    }
    if (!WriteLanguageJson(*language, stdout)) {
        return Fail(fmt::format("cannot write to standard output: {}", std::strerror(errno)));
    }
    return 0;
}

int Build(const std::string& jsonPath, const std::string& out)
{
    std::string json;
    if (!ReadInput(jsonPath, json) || OutputIsAnInput(out, {jsonPath})) {
        return kFailure;
    }
    const JsonReadResult result = LanguageFromJson(json);
    if (!result.language) {
        return Fail(fmt::format("{}: {}", jsonPath, result.error));
    }
    return Save(*result.language, out) ? 0 : kFailure;
}

int Update(const std::string& langPath, const std::string& newerPath, const std::string& out)
{
    // LANG itself may be updated in place: it is read whole before OUT is written.
    if (OutputIsAnInput(out, {newerPath})) {
        return kFailure;
    }
    const auto language = Load(langPath);
    if (!language) {
        return kFailure;
    }
    const auto newer = Load(newerPath);
    if (!newer) {
        return kFailure;
    }
    for (const auto& [file, path] : {std::pair{language.get(), &langPath}, std::pair{newer.get(), &newerPath}}) {
        if (file->root == nullptr) {
            return Fail(fmt::format("\"{}\" has no text tree; nothing to update", *path));
        }
    }
    if (language->programName != newer->programName) {
        return Fail(fmt::format("\"{}\" belongs to the program \"{}\", \"{}\" to \"{}\"; a version "
                                "update needs two files of the same program",
                                langPath, tra_text::ToUtf8(language->programName), newerPath,
                                tra_text::ToUtf8(newer->programName)));
    }
    const std::string oldVersion = tra_text::ToUtf8(language->programVersion);
    const bool changed = language->TakeStructureFrom(std::move(*newer)); // newer is not needed after
    if (!Save(*language, out)) {
        return kFailure;
    }
    const TextCounts counts = CountAllTexts(*language->root);
    fmt::print("version: {} -> {}\n", oldVersion, tra_text::ToUtf8(language->programVersion));
    fmt::print("texts: {}\n", counts.texts);
    fmt::print("texts to be edited: {}\n", counts.ToBeEdited());
    fmt::print("{}\n", changed ? "changed" : "unchanged");
    return 0;
}

int Stats(const std::string& path)
{
    const auto language = Load(path);
    if (!language) {
        return kFailure;
    }
    const auto text = [](const std::u16string& value) { return tra_text::ToUtf8(value); };
    fmt::print("file:           {}\n", path);
    fmt::print("programName:    {}\n", text(language->programName));
    fmt::print("programVersion: {}\n", text(language->programVersion));
    fmt::print("languageName:   {}\n", text(language->languageName));
    fmt::print("headerText4:    {}\n", text(language->headerText4));
    fmt::print("headerText5:    {}\n", text(language->headerText5));
    fmt::print("flags:          0x{:08X} ({})\n", language->flags,
               language->IsOriginal() ? "original-language file" : "translation");
    fmt::print("headerNumber1:  {}\n", language->headerNumber1);
    fmt::print("headerNumber2:  {}\n", language->headerNumber2);
    fmt::print("headerNumber3:  {}\n", language->headerNumber3);
    if (language->root == nullptr) {
        fmt::print("no text tree\n");
        return 0;
    }
    const CTextNode& root = *language->root;
    fmt::print("\nedit states: 0 done, 1 done with all below, 2 done with some below to be edited,\n"
               "3 to be edited, 4 to be edited with nothing below, 5 to be edited with some below\n\n");
    fmt::print("{:<16} {:>9} {:>8} {:>8} {:>8} {:>8} {:>8} {:>8} {:>6}\n", "top node", "texts", "0",
               "1", "2", "3", "4", "5", "other");
    const auto row = [](const std::string& name, const TextCounts& counts) {
        fmt::print("{:<16} {:>9} {:>8} {:>8} {:>8} {:>8} {:>8} {:>8} {:>6}\n", name, counts.texts,
                   counts.states[0], counts.states[1], counts.states[2], counts.states[3],
                   counts.states[4], counts.states[5], counts.states[6]);
    };
    TextCounts total; // the sum of the rows: the tree is walked once
    for (std::int32_t t = 0; t < root.ChildCount(); ++t) {
        const CTextNode& top = *root.GetChild(t);
        const TextCounts counts = CountTexts(top);
        row(text(top.originalText), counts);
        total.texts += counts.texts;
        for (std::size_t s = 0; s < total.states.size(); ++s) {
            total.states[s] += counts.states[s];
        }
    }
    row("total", total);
    fmt::print("\ntexts to be edited: {} of {}\n", total.ToBeEdited(), total.texts);
    return 0;
}

int Generate(const std::vector<std::string>& args)
{
    if (args.size() < 3) {
        return Usage("generate needs COUNT SEED OUT");
    }
    int count = 0;
    unsigned seed = 0;
    if (!ParseNumber(args[0], count) || count < 0) {
        return Usage(fmt::format("COUNT must be a whole number from 0 to 2147483647, not \"{}\"", args[0]));
    }
    if (!ParseNumber(args[1], seed)) {
        return Usage(fmt::format("SEED must be a whole number from 0 to 4294967295, not \"{}\"", args[1]));
    }
    SampleOptions options;
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string& option = args[i];
        const auto value = [&option](std::string_view name) -> std::optional<std::string> {
            if (option.size() > name.size() && option.compare(0, name.size(), name) == 0 &&
                option[name.size()] == '=') {
                return option.substr(name.size() + 1);
            }
            return std::nullopt;
        };
        if (option == "--original") {
            options.original = true;
        } else if (option == "--switch-entry") {
            options.switchEntry = true;
        } else if (auto share = value("--todo")) {
            if (!ParseShare(*share, options.toDoShare)) {
                return Usage(fmt::format("--todo needs a number from 0 to 1, not \"{}\"", *share));
            }
        } else if (auto name = value("--program")) {
            options.programName = tra_text::FromUtf8(*name);
        } else if (auto version = value("--version")) {
            options.programVersion = tra_text::FromUtf8(*version);
        } else if (auto languageName = value("--language")) {
            options.languageName = tra_text::FromUtf8(*languageName);
        } else {
            return Usage(fmt::format("unknown option \"{}\"", option));
        }
    }
    const auto language = MakeSampleLanguage(count, seed, options);
    return Save(*language, args[2]) ? 0 : kFailure;
}

int Newer(const std::vector<std::string>& args)
{
    if (args.size() < 4 || args.size() > 5) {
        return Usage("newer needs FILE SHARE SEED OUT [--version=TEXT]");
    }
    double share = 0;
    unsigned seed = 0;
    if (!ParseShare(args[1], share)) {
        return Usage(fmt::format("SHARE must be a number from 0 to 1, not \"{}\"", args[1]));
    }
    if (!ParseNumber(args[2], seed)) {
        return Usage(fmt::format("SEED must be a whole number from 0 to 4294967295, not \"{}\"", args[2]));
    }
    std::u16string version;
    if (args.size() == 5) {
        if (args[4].rfind("--version=", 0) != 0) {
            return Usage(fmt::format("unknown option \"{}\"", args[4]));
        }
        version = tra_text::FromUtf8(args[4].substr(std::strlen("--version=")));
    }
    const auto older = Load(args[0]);
    if (!older || OutputIsAnInput(args[3], {args[0]})) {
        return kFailure;
    }
    const auto newer = MakeNewerVersion(*older, share, seed, version);
    return Save(*newer, args[3]) ? 0 : kFailure;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        return Usage("no command given");
    }
    const std::string& command = all[0];
    const std::vector<std::string> args(all.begin() + 1, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::string help = kHelp;
        help.replace(help.find("%BRIDGES%"), 9, kBridgeHelp);
        help.replace(help.find("%NEW%"), 5, kNewTranslationHelp);
        help.replace(help.find("%MEMORY%"), 8, kMemoryHelp);
        fmt::print("{}", help);
        return 0;
    }
    const auto expect = [&](std::size_t count, const char* form) {
        return args.size() == count ? 0 : Usage(fmt::format("usage: glossmark-tra {} {}", command, form));
    };
    try {
        if (command == "dump") {
            return expect(1, "FILE") ? kUsage : Dump(args[0]);
        }
        if (command == "build") {
            return expect(2, "JSONFILE OUT") ? kUsage : Build(args[0], args[1]);
        }
        if (command == "update") {
            return expect(3, "LANG NEWER OUT") ? kUsage : Update(args[0], args[1], args[2]);
        }
        if (command == "check") {
            return RunCheckCommand(args);
        }
        if (command == "stats") {
            return expect(1, "FILE") ? kUsage : Stats(args[0]);
        }
        if (command == "generate") {
            return Generate(args);
        }
        if (command == "newer") {
            return Newer(args);
        }
        if (command == "tm") {
            return RunMemoryCommand(args);
        }
        if (command == "new-translation") {
            return RunNewTranslation(args);
        }
        if (const auto bridged = RunBridgeCommand(command, args)) {
            return *bridged;
        }
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    }
    return Usage(fmt::format("unknown command \"{}\"", command));
}
