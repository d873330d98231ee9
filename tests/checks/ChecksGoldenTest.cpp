// Small trees in tests/golden/checks (written as TreeText.h reads them), each
// beside the problems the checks find in it.

#include "CTranslationChecker.h"

#include "Golden.h"
#include "TreeText.h"
#include "Utf8.h"

namespace {

namespace fs = std::filesystem;
using checks::CTranslationChecker;

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
        golden::Expect(input, Problems(*test_tree::ReadTree(golden::Read(input))));
}

} // namespace
