#include "BridgeCommands.h"

#include "CommandSupport.h"
#include "LanguageCodes.h"
#include "LanguageFileIO.h"
#include "PoBridge.h"
#include "RcImport.h"
#include "TextEncoding.h"
#include "XliffBridge.h"

#include <fmt/core.h>

#include <algorithm>

const char kBridgeHelp[] = R"(  export-po LANG OUT.po [--target-language=CODE]
                          the texts of LANG as a gettext PO file: one entry per text, msgctxt
                          its index path, msgid the original, msgstr the translation,
                          fuzzy while it is still to be edited; texts with an empty
                          original are left out (gettext reads them as a header); the
                          Language: header is CODE, else the code of LANG's language name
                          (German, Deutsch -> de)
  import-po LANG IN.po OUT.tra
                          LANG with the translations and marks of IN.po; entries whose
                          path or original text do not fit are skipped, and so is an entry
                          whose path came before (the first one wins); each skipped one
                          is named on standard error with its line. Prints the counts
                          applied, unchanged and skipped. OUT.tra may be LANG itself
  export-xliff LANG OUT.xlf [--source-language=CODE] [--target-language=CODE]
                          the same as XLIFF 1.2; the source language is by default the
                          language of an original-language file, else "und"
  import-xliff LANG IN.xlf OUT.tra
                          the same as import-po for XLIFF 1.2
  from-rc SCRIPT.rc OUT.tra --program=NAME --version=TEXT [--language=LANG_ID]
          [--language-name=TEXT] [--include=DIR]... [--define=NAME[=VALUE]]...
          [--switch-entry=TITLE,ID1,...,ID11]
                          the original-language file of a Windows program from its
                          resource script (the first LANGUAGE of the script, or LANG_ID,
                          named in words unless --language-name says otherwise; a script
                          without LANGUAGE is in LANG_ID, else English); with the
                          run-time layer's switch entry made of the given strings
)";

namespace {

using namespace tra_command;

// Loads a language file that must have a text tree to carry.
std::unique_ptr<CLanguageFile> LoadWithTree(const std::string& path)
{
    auto language = Load(path);
    if (language && language->GetRoot() == nullptr) {
        Fail(fmt::format("\"{}\" has no text tree", path));
        return nullptr;
    }
    return language;
}

// The files and the language codes of an export: --source-language and --target-language
// take a code or a language name; the target is by default the file's own language.
struct ExportArguments {
    std::vector<std::string> files;
    std::string sourceLanguage;
    std::string targetLanguage;
};

std::optional<ExportArguments> ReadExportArguments(const std::vector<std::string>& args, bool withSource)
{
    ExportArguments read;
    for (const std::string& arg : args) {
        const OptionRead language = ReadLanguageOption(arg, withSource, read.sourceLanguage, read.targetLanguage);
        if (language == OptionRead::Refused)
            return std::nullopt;
        if (language == OptionRead::Taken)
            continue;
        if (arg.rfind("--", 0) == 0) {
            Usage(fmt::format("unknown option \"{}\"", arg));
            return std::nullopt;
        }
        read.files.push_back(arg);
    }
    return read;
}

int ExportPo(const std::vector<std::string>& args)
{
    const std::optional<ExportArguments> read = ReadExportArguments(args, false);
    if (!read) {
        return kUsage;
    }
    if (read->files.size() != 2) {
        return Usage("usage: glossmark-tra export-po LANG OUT.po [--target-language=CODE]");
    }
    const auto language = LoadWithTree(read->files[0]);
    if (!language) {
        return kFailure;
    }
    const po_bridge::ExportResult result = po_bridge::ExportPo(*language, read->targetLanguage);
    if (!result.error.empty()) {
        return Fail(fmt::format("{}: {}", read->files[0], result.error));
    }
    return !OutputIsAnInput(read->files[1], {read->files[0]}) && WriteOutput(read->files[1], result.text) ? 0 : kFailure;
}

int ExportXliff(const std::vector<std::string>& args)
{
    std::optional<ExportArguments> read = ReadExportArguments(args, true);
    if (!read) {
        return kUsage;
    }
    if (read->files.size() != 2) {
        return Usage("usage: glossmark-tra export-xliff LANG OUT.xlf [--source-language=CODE] "
                     "[--target-language=CODE]");
    }
    const auto language = LoadWithTree(read->files[0]);
    if (!language) {
        return kFailure;
    }
    // The file does not name the language of its original texts, except when they are its own.
    if (read->sourceLanguage.empty() && language->IsOriginal()) {
        read->sourceLanguage = language_codes::FromName(language->GetLanguageName());
    }
    if (read->sourceLanguage.empty()) {
        read->sourceLanguage = "und";
    }
    const xliff_bridge::ExportResult result = xliff_bridge::ExportXliff(
        *language, tra_text::FromUtf8(read->sourceLanguage), tra_text::FromUtf8(read->targetLanguage));
    if (!result.error.empty()) {
        return Fail(fmt::format("{}: {}", read->files[0], result.error));
    }
    return !OutputIsAnInput(read->files[1], {read->files[0]}) && WriteOutput(read->files[1], result.text) ? 0 : kFailure;
}

template <class Import>
int ImportInto(const std::vector<std::string>& args, const char* form, Import import)
{
    if (args.size() != 3) {
        return Usage(fmt::format("usage: glossmark-tra {}", form));
    }
    const auto language = LoadWithTree(args[0]);
    if (!language) {
        return kFailure;
    }
    if (language->IsOriginal()) {
        return Fail(fmt::format("{}: {}", args[0], bridge::kOriginalRefused));
    }
    std::string bytes;
    // LANG itself may be updated in place: it is read whole before OUT is written.
    if (!ReadInput(args[1], bytes) || OutputIsAnInput(args[2], {args[1]})) {
        return kFailure;
    }
    const auto result = import(bytes, *language);
    if (!result.error.empty()) {
        return Fail(fmt::format("{}: {}; nothing written", args[1], result.error));
    }
    for (const std::string& skipped : result.counts.skippedLines) {
        Warn(fmt::format("{}: {}", args[1], skipped));
    }
    if (result.counts.applied + result.counts.unchanged + result.counts.skipped == 0) {
        Warn(fmt::format("{}: warning: no entries to import", args[1]));
    }
    if (!Save(*language, args[2])) {
        return kFailure;
    }
    fmt::print("applied: {}\nunchanged: {}\nskipped: {}\n", result.counts.applied,
               result.counts.unchanged, result.counts.skipped);
    return 0;
}

int FromRc(const std::vector<std::string>& args)
{
    rc_import::Options options;
    std::vector<std::string> files;
    bool programGiven = false;
    bool versionGiven = false;
    for (const std::string& arg : args) {
        if (auto program = OptionValue(arg, "program")) {
            options.programName = tra_text::FromUtf8(*program);
            programGiven = true;
        } else if (auto version = OptionValue(arg, "version")) {
            options.programVersion = tra_text::FromUtf8(*version);
            versionGiven = true;
        } else if (auto id = OptionValue(arg, "language")) {
            options.languageId = *id;
        } else if (auto name = OptionValue(arg, "language-name")) {
            options.languageName = tra_text::FromUtf8(*name);
        } else if (auto dir = OptionValue(arg, "include")) {
            options.includeDirs.push_back(*dir);
        } else if (auto define = OptionValue(arg, "define")) {
            options.defines.push_back(*define);
        } else if (auto entry = OptionValue(arg, "switch-entry")) {
            for (std::size_t start = 0; start <= entry->size();) {
                const std::size_t comma = std::min(entry->find(',', start), entry->size());
                options.switchEntry.push_back(entry->substr(start, comma - start));
                start = comma + 1;
            }
        } else if (arg.rfind("--", 0) == 0) {
            return Usage(fmt::format("unknown option \"{}\"", arg));
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || !programGiven || !versionGiven) {
        return Usage("usage: glossmark-tra from-rc SCRIPT.rc OUT.tra --program=NAME --version=TEXT "
                     "[--language=LANG_ID] [--language-name=TEXT] [--include=DIR]... "
                     "[--define=NAME[=VALUE]]... [--switch-entry=TITLE,ID1,...,ID11]");
    }
    rc_import::Result result = rc_import::LanguageFromScript(files[0], options);
    for (const std::string& warning : result.warnings) {
        Warn(warning);
    }
    if (!result.language) {
        return Fail(result.error);
    }
    // A file without texts is no use to anyone; most likely this was not a resource script.
    if (result.language->GetRoot() == nullptr || result.language->GetRoot()->CountNodes() <= 4) {
        return Fail(fmt::format("{}: the script holds no texts (no STRINGTABLE, MENU or DIALOG); nothing written",
                                files[0]));
    }
    return !OutputIsAnInput(files[1], {files[0]}) && Save(*result.language, files[1]) ? 0 : kFailure;
}

} // namespace

std::optional<int> RunBridgeCommand(const std::string& command, const std::vector<std::string>& args)
{
    if (command == "export-po") {
        return ExportPo(args);
    }
    if (command == "import-po") {
        return ImportInto(args, "import-po LANG IN.po OUT.tra", po_bridge::ImportPo);
    }
    if (command == "export-xliff") {
        return ExportXliff(args);
    }
    if (command == "import-xliff") {
        return ImportInto(args, "import-xliff LANG IN.xlf OUT.tra", xliff_bridge::ImportXliff);
    }
    if (command == "from-rc") {
        return FromRc(args);
    }
    return std::nullopt;
}
