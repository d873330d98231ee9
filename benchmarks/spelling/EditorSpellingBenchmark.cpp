// Spelling in the running editor at 100,000 texts: one typed character in
// the in-place editor with the file's dictionary on and with "no spelling"
// (the difference is what spelling adds to a keystroke: the typed text
// spelt again for its row's underline), and the whole file's spelling from
// the copy of its texts as the problems pane's worker takes it.

#include "CDocSpelling.h"
#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "CTranslationChecker.h"
#include "EditorTyping.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <thread>

namespace {

constexpr int kTexts = 100000;

// Arg 1: the sample's English dictionary; 0: no spelling.
void BM_TypeCharacterWithSpelling(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys.tra"));
    WriteLanguageFile(*MakeSampleLanguage(kTexts, 5), path.toStdString());
    std::u16string startup = path.toStdU16String();
    CTransDoc doc;
    doc.SetStartupFileSource(&startup);
    doc.OpenLanguage();
    CDocSpelling& spelling = CDocSpelling::Of(doc);
    if (state.range(0) == 0)
        spelling.Choose({});
    else if (!QTest::qWaitFor([&] { return spelling.IsActive(); }, 10000))
        state.SkipWithError("no English dictionary");
    CMyEditView view;
    view.resize(900, 700);
    view.show();
    doc.AddView(&view);
    view.OnInitialUpdate();
    const int row = FirstFreeTextRow(view);
    view.SetCurrentRow(row);
    view.OpenEditorInCurrentRow(false, false);
    CInPlaceEdit* editor = view.GetEditor();
    for (auto _ : state) {
        // A word no speller has judged yet each time: "qa", "qb", ...
        TypeKey(editor, Qt::Key_Q, QStringLiteral("q"));
        TypeKey(editor, Qt::Key_X, QString(QChar(char16_t(u'a' + state.iterations() % 26))));
        TypeKey(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        TypeKey(editor, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.SetItemsProcessed(state.iterations() * 4);
    state.counters["spelling"] = spelling.IsActive() ? 1 : 0;
}
BENCHMARK(BM_TypeCharacterWithSpelling)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The problems pane's run: the texts copied on the window's thread, then
// spelt on a worker into problems.
void BM_WholeFileSpellingRun(benchmark::State& state)
{
    const auto file = MakeSampleLanguage(kTexts, 11);
    std::vector<const CTextNode*> nodes;
    for (std::vector<const CTextNode*> stack{file->root.get()}; !stack.empty();) {
        const CTextNode* node = stack.back();
        stack.pop_back();
        if (node->translatedText != node->originalText)
            nodes.push_back(node);
        for (int i = 0; i < node->ChildCount(); ++i)
            stack.push_back(node->GetChild(i));
    }
    std::size_t problems = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const spelling::CSpeller speller(u"English");
        state.ResumeTiming();
        std::vector<std::u16string> copies;
        copies.reserve(nodes.size());
        for (const CTextNode* node : nodes)
            copies.push_back(node->translatedText);
        std::thread worker([&] {
            std::vector<checks::TranslationProblem> found;
            for (std::size_t i = 0; i < copies.size(); ++i)
                checks::AddSpellingProblems(*nodes[i], copies[i], speller.Misspelt(copies[i]), found);
            problems = found.size();
        });
        worker.join();
    }
    state.counters["problems"] = double(problems);
    state.counters["texts"] = double(nodes.size());
}
BENCHMARK(BM_WholeFileSpellingRun)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
