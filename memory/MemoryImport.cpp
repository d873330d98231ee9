#include "MemoryImport.h"

#include "CLanguageFile.h"
#include "LanguageCodes.h"
#include "LanguageFileIO.h"
#include "PoReader.h"
#include "TextEncoding.h"
#include "TmxFile.h"
#include "WholeFile.h"
#include "XliffBridge.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace memory {

namespace {

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

std::string TraPairs(const std::string& path, const std::string& source, const std::string& targetGiven,
                     std::vector<Pair>& pairs)
{
    ReadOutcome outcome = ReadLanguageFile(path);
    if (outcome.error) {
        return outcome.error.Describe(path);
    }
    if (outcome.wrongMagic || !outcome.language) {
        return tra_text::ToUtf8(kCorruptFileMessage);
    }
    const std::u16string& name = outcome.language->GetLanguageName();
    const std::string target = targetGiven.empty() ? language_codes::FromName(name) : targetGiven;
    if (target.empty()) {
        return "the language name \"" + tra_text::ToUtf8(name) + "\" has no language code I know";
    }
    const std::vector<Pair> done = PairsFromLanguageFile(*outcome.language, source, target, path);
    pairs.insert(pairs.end(), done.begin(), done.end());
    return {};
}

std::string XliffPairs(const std::string& bytes, const std::string& path, const std::string& sourceGiven,
                       const std::string& targetGiven, std::int64_t now, std::vector<Pair>& pairs)
{
    xliff_bridge::Document document;
    if (std::string error = xliff_bridge::ReadXliff(bytes, document); !error.empty()) {
        return error;
    }
    const std::string target = !targetGiven.empty() ? targetGiven : CodeOf(document.targetLanguage);
    if (target.empty()) {
        return "the document names no target language";
    }
    const std::string source = sourceGiven.empty() ? CodeOf(document.sourceLanguage) : sourceGiven;
    for (const xliff_bridge::TransUnit& unit : document.units) {
        if (!unit.toBeEdited && unit.hasTarget && !unit.source.empty() && !unit.target.empty()) {
            pairs.push_back({source.empty() ? "und" : source, target, unit.source, unit.target, {}, {}, now, path});
        }
    }
    return {};
}

std::string PoPairs(const std::string& bytes, const std::string& path, const std::string& source,
                    const std::string& targetGiven, std::int64_t now, std::vector<Pair>& pairs)
{
    std::vector<po_bridge::PoEntry> entries;
    if (std::string error = po_bridge::ReadPoEntries(bytes, entries); !error.empty()) {
        return error;
    }
    std::string target = targetGiven;
    for (const po_bridge::PoEntry& entry : entries) {
        if (entry.isHeader && target.empty()) {
            target = PoLanguage(entry);
        }
    }
    if (target.empty()) {
        return "the file has no Language: header";
    }
    for (const po_bridge::PoEntry& entry : entries) {
        if (!entry.isHeader && !entry.obsolete && !entry.fuzzy && !entry.plural && !entry.id.empty() &&
            !entry.str.empty()) {
            pairs.push_back({source, target, entry.id, entry.str, {}, {}, now, path});
        }
    }
    return {};
}

} // namespace

std::string ReadPairsOfFile(const std::string& given, const std::string& sourceLanguage,
                            const std::string& targetLanguage, std::vector<Pair>& pairs)
{
    const std::string path = FileKey(given);
    const std::string extension = std::filesystem::path(path).extension().string();
    const std::string source = sourceLanguage.empty() ? "und" : sourceLanguage;
    // Read into a list of their own, so that a file that fails half way adds nothing.
    std::vector<Pair> read;
    std::string error;
    if (extension == ".tra") {
        error = TraPairs(path, source, targetLanguage, read);
    } else if (extension != ".tmx" && extension != ".xlf" && extension != ".xliff" && extension != ".po" &&
               extension != ".pot") {
        return "unknown kind of file (.tra, .po, .xlf, .xliff or .tmx)";
    } else {
        std::string bytes;
        if (const FileError failed = ReadWholeFile(path, bytes)) {
            return "cannot read it: " + failed.detail;
        }
        const auto now = static_cast<std::int64_t>(std::time(nullptr));
        if (extension == ".tmx") {
            error = ReadTmx(bytes, sourceLanguage, targetLanguage, path, read);
        } else if (extension == ".po" || extension == ".pot") {
            error = PoPairs(bytes, path, source, targetLanguage, now, read);
        } else {
            error = XliffPairs(bytes, path, sourceLanguage, targetLanguage, now, read);
        }
    }
    if (error.empty()) {
        pairs.insert(pairs.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    }
    return error;
}

} // namespace memory
