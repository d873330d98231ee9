// Small trees in tests/golden/checks, each beside the problems the checks find
// in it. A tree file has one node a line: two blanks of indentation per level,
// then the original text, a tab, the translated text (the original when left
// out) and optionally the kind code (21 when left out) and the width, tab-separated; "\n", "\r",
// "\t", "\\" and "\uXXXX" are escapes. The root is implicit.

#include "CTranslationChecker.h"

#include "Golden.h"
#include "TestTree.h"
#include "Utf8.h"

#include <sstream>

namespace {

namespace fs = std::filesystem;
using checks::CTranslationChecker;

// A field of the golden file (UTF-8, letters of the basic plane) with its escapes.
std::u16string Text(std::string_view field)
{
    std::u16string out;
    for (std::size_t i = 0; i < field.size();) {
        const unsigned char c = field[i];
        if (c == '\\' && i + 1 < field.size()) {
            const char e = field[i + 1];
            if (e == 'u') {
                out += char16_t(std::stoul(std::string(field.substr(i + 2, 4)), nullptr, 16));
                i += 6;
            } else {
                out += e == 'n' ? u'\n' : e == 'r' ? u'\r' : e == 't' ? u'\t' : char16_t(e);
                i += 2;
            }
            continue;
        }
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        char32_t code = length == 1 ? c : length == 2 ? c & 0x1F : c & 0x0F;
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (field[i + k] & 0x3F);
        out += char16_t(code);
        i += length;
    }
    return out;
}

std::unique_ptr<CTextNode> ReadTree(const std::string& text)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    std::vector<CTextNode*> parents{root.get()};
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos || line[indent] == '#')
            continue;
        parents.resize(indent / 2 + 1);
        std::vector<std::string> fields;
        std::istringstream parts(line.substr(indent));
        for (std::string field; std::getline(parts, field, '\t');)
            fields.push_back(field);
        const std::u16string original = Text(fields[0]);
        parents.push_back(test_tree::Add(parents.back(), original, fields.size() > 1 ? Text(fields[1]) : original,
                                         fields.size() > 2 ? std::stoi(fields[2]) : 21,
                                         fields.size() > 3 ? std::stoi(fields[3]) : 0));
    }
    return root;
}

// The originals from the top node down, line breaks and tabs escaped.
std::string PathOf(const CTextNode* node)
{
    std::string path;
    for (; node && node->parent; node = node->parent) {
        std::string text;
        for (const char c : utf8::FromUtf16(node->originalText))
            text += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : std::string(1, c);
        path = text + (path.empty() ? "" : " / ") + path;
    }
    return path;
}

// Every problem in tree order; a width rule of ten pixels per character for kind 23.
std::string Problems(const CTextNode& root)
{
    const checks::SizeRule tenPixels{[](std::int32_t kind) { return kind == 23; },
                                     [](std::u16string_view line, std::int32_t width) {
                                         return std::int32_t(line.size()) * 10 < width;
                                     }};
    std::string out;
    for (const checks::TranslationProblem& problem : CTranslationChecker(tenPixels).CheckTree(root))
        out += PathOf(problem.node) + ": " + std::string(checks::SeverityName(problem.GetSeverity())) + " " +
               std::string(checks::CheckName(problem.check)) + ": " +
               utf8::FromUtf16(checks::DescribeProblem(problem)) + "\n";
    return out;
}

TEST(Checks, GoldenTrees)
{
    const fs::path folder = GLOSSMARK_GOLDEN_DIR "/checks";
    const auto inputs = golden::Inputs(folder, ".tree");
    ASSERT_GT(inputs.size(), 3u);
    for (const fs::path& input : inputs)
        golden::Expect(input, Problems(*ReadTree(golden::Read(input))));
}

} // namespace
