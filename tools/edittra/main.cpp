// glossmark-edittra: writes the editor's own language files, the German
// original-language file, the English "Edit.tra" and, when asked, the French
// one, from its compiled resources and the text tables.

#include "CRcError.h"
#include "EditorLanguages.h"
#include "EditorResources.h"
#include "FlagPictures.h"
#include "LanguageFileIO.h"
#include "RcText.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

void Usage()
{
    std::cerr << "usage: glossmark-edittra --english table.txt --original out.tra --translation out.tra\n"
                 "                         [--french table.txt out.tra] [--version text]\n"
                 "       glossmark-edittra --english table.txt --list   (prints the table's lines, "
                 "missing ones empty)\n";
}

bool Write(const CLanguageFile& language, const std::string& path)
{
    const FileError error = WriteLanguageFile(language, path);
    if (error) {
        std::cerr << "glossmark-edittra: " << error.Describe(path) << "\n";
        return false;
    }
    return true;
}

// Every German text must have a translation; entries nothing uses are only noted.
bool Report(const std::string& tablePath, const CTranslationTable& table,
            const std::vector<std::u16string>& untranslated)
{
    for (const std::u16string& text : untranslated)
        std::cerr << tablePath << ": error: no translation for \"" << RcStringLiteralBody(text) << "\"\n";
    for (const auto& [text, place] : table.Unused())
        std::cerr << place.file << ":" << place.line << ": warning: \"" << RcStringLiteralBody(text)
                  << "\" is no text of the editor\n";
    return untranslated.empty();
}

// One line of the table per distinct text of the tree, in tree order.
void List(const CTextNode& node, const CTranslationTable& table, std::vector<std::u16string>& done)
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        const CTextNode& child = *node.GetChild(i);
        if (!child.originalText.empty() &&
            std::find(done.begin(), done.end(), child.originalText) == done.end()) {
            done.push_back(child.originalText);
            const std::u16string* english = table.Find(child.originalText);
            std::cout << '"' << RcStringLiteralBody(child.originalText) << "\" = \""
                      << (english ? RcStringLiteralBody(*english) : std::string()) << '"'
                      << (english ? "" : "  // missing") << "\n";
        }
        List(child, table, done);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string tablePath, originalPath, translationPath, version = "2.002";
    std::string frenchTablePath, frenchPath;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--english") tablePath = value();
        else if (arg == "--original") originalPath = value();
        else if (arg == "--translation") translationPath = value();
        else if (arg == "--version") version = value();
        else if (arg == "--french") {
            frenchTablePath = value();
            frenchPath = value();
        }
        else if (arg == "--list") list = true;
        else {
            Usage();
            return 2;
        }
    }
    if (tablePath.empty() || (!list && (originalPath.empty() || translationPath.empty()))) {
        Usage();
        return 2;
    }
    try {
        const CTranslationTable table = CTranslationTable::Load(tablePath);
        const EditorLanguages languages =
            MakeEditorLanguages(EditorResources(), table, std::u16string(version.begin(), version.end()));
        if (list) {
            std::vector<std::u16string> done;
            List(*languages.original->GetRoot(), table, done);
            return 0;
        }
        if (!Report(tablePath, table, languages.untranslated))
            return 1;
        if (!frenchPath.empty()) {
            const CTranslationTable frenchTable = CTranslationTable::Load(frenchTablePath);
            std::vector<std::u16string> untranslated;
            const auto french = MakeEditorTranslation(*languages.original, frenchTable, kFrenchLanguageName,
                                                      FrenchFlag(), untranslated);
            if (!Report(frenchTablePath, frenchTable, untranslated) || !Write(*french, frenchPath))
                return 1;
        }
        return Write(*languages.original, originalPath) && Write(*languages.english, translationPath) ? 0 : 1;
    } catch (const CRcError& error) {
        std::cerr << error.what() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "glossmark-edittra: " << error.what() << "\n";
    }
    return 1;
}
