// Searching and the whole-tree commands at scale, offscreen, on a generated
// file of 100,000 texts: a find with no match walks every row round to where
// it began; replace all changes a word in 10,000 of the texts; expand all,
// collapse all and show texts to be edited touch every row.

#include "CFindReplaceDialog.h"
#include "CMyEditView.h"
#include "CTextNode.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kTexts = 100000;
constexpr int kWithWord = 10000;

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Texts without children, depth-first.
void Leaves(CTextNode* node, std::vector<CTextNode*>& out)
{
    if (node->ChildCount() == 0) {
        out.push_back(node);
        return;
    }
    for (int i = 0; i < node->ChildCount(); ++i)
        Leaves(node->GetChild(i), out);
}

// The sample file with the word "Zielwort" at the end of kWithWord texts,
// spread evenly, written once.
std::u16string SampleFile()
{
    static std::u16string path;
    if (path.empty()) {
        auto language = MakeSampleLanguage(kTexts, 5);
        std::vector<CTextNode*> leaves;
        Leaves(language->GetRoot(), leaves);
        const std::size_t step = leaves.size() / kWithWord;
        for (int i = 0; i < kWithWord; ++i)
            leaves[std::size_t(i) * step]->translatedText += u" Zielwort";
        path = Folder().filePath(QStringLiteral("find-sample.tra")).toStdU16String();
        WriteLanguageFile(*language, QString::fromStdU16String(path).toStdString());
    }
    return path;
}

struct Setup {
    Setup()
    {
        startup = SampleFile();
        doc.SetStartupFileSource(&startup);
        doc.OpenLanguage();
        view.resize(900, 700);
        view.show();
        QCoreApplication::processEvents();
        doc.AddView(&view);
        view.OnInitialUpdate();
    }
    ~Setup()
    {
        if (CFindReplaceDialog* dialog = view.GetFindDialog())
            delete dialog;
    }
    // Opens the dialog (no owner: the calls go to the view directly).
    CFindReplaceDialog& Dialog(bool replace)
    {
        replace ? view.OnEditReplace() : view.OnEditFind();
        return *view.GetFindDialog();
    }
    static void SetText(CFindReplaceDialog& dialog, int id, const char16_t* text)
    {
        qobject_cast<QLineEdit*>(dialog.GetDlgItem(id).GetWidget())
            ->setText(QString::fromUtf16(text));
    }
    std::u16string startup;
    CTransDoc doc;
    CMyEditView view;
};

// Find next without a match: every row is looked at, none is laid out.
void BM_FindNextNoMatch(benchmark::State& state)
{
    Setup setup;
    CFindReplaceDialog& dialog = setup.Dialog(false);
    Setup::SetText(dialog, CFindReplaceDialog::kFindWhat, u"Nirgendwo");
    const int laidOut = setup.view.CountLaidOutRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.view.Search(false, true));
    state.counters["rows"] = setup.view.GetRowCount();
    state.counters["laid_out_by_search"] = setup.view.CountLaidOutRows() - laidOut;
}
BENCHMARK(BM_FindNextNoMatch)->Unit(benchmark::kMillisecond);

// The worst case: a find text with "%" cannot be ruled out on a row's raw
// text, so every row's text is split into piece texts (still without pieces).
void BM_FindNextNoMatchWithPercent(benchmark::State& state)
{
    Setup setup;
    CFindReplaceDialog& dialog = setup.Dialog(false);
    Setup::SetText(dialog, CFindReplaceDialog::kFindWhat, u"%Nirgendwo");
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.view.Search(false, true));
    state.counters["laid_out"] = setup.view.CountLaidOutRows();
}
BENCHMARK(BM_FindNextNoMatchWithPercent)->Unit(benchmark::kMillisecond);

// Replace all of a word found in 10,000 texts, back and forth between two
// words of the same letters (so size-limited texts keep their width).
void BM_ReplaceAll10kOf100k(benchmark::State& state)
{
    Setup setup;
    CFindReplaceDialog& dialog = setup.Dialog(true);
    bool forth = true;
    const int paints = setup.view.CountPaintPasses();
    int runs = 0;
    for (auto _ : state) {
        Setup::SetText(dialog, CFindReplaceDialog::kFindWhat, forth ? u"Zielwort" : u"Wortziel");
        Setup::SetText(dialog, CFindReplaceDialog::kReplaceWith, forth ? u"Wortziel" : u"Zielwort");
        setup.view.ReplaceAll();
        forth = !forth;
        ++runs;
    }
    std::vector<CTextNode*> leaves;
    Leaves(setup.doc.GetRoot(), leaves);
    int replaced = 0;
    for (CTextNode* leaf : leaves)
        replaced += leaf->translatedText.ends_with(forth ? u" Zielwort" : u" Wortziel") ? 1 : 0;
    state.counters["texts_with_word"] = replaced;
    state.counters["paints_per_run"] = double(setup.view.CountPaintPasses() - paints) / runs;
    state.counters["laid_out"] = setup.view.CountLaidOutRows();
}
BENCHMARK(BM_ReplaceAll10kOf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undoing that replace all: one step, every text back; no slower than doing it.
void BM_UndoReplaceAll10kOf100k(benchmark::State& state)
{
    Setup setup;
    CFindReplaceDialog& dialog = setup.Dialog(true);
    Setup::SetText(dialog, CFindReplaceDialog::kFindWhat, u"Zielwort");
    Setup::SetText(dialog, CFindReplaceDialog::kReplaceWith, u"Wortziel");
    for (auto _ : state) {
        state.PauseTiming();
        setup.view.ReplaceAll();
        state.ResumeTiming();
        setup.doc.Undo();
    }
    std::vector<CTextNode*> leaves;
    Leaves(setup.doc.GetRoot(), leaves);
    int restored = 0;
    for (CTextNode* leaf : leaves)
        restored += leaf->translatedText.ends_with(u" Zielwort") ? 1 : 0;
    state.counters["texts_restored"] = restored;
}
BENCHMARK(BM_UndoReplaceAll10kOf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExpandAll(benchmark::State& state)
{
    Setup setup;
    for (auto _ : state) {
        state.PauseTiming();
        setup.view.OnCollapseAll();
        state.ResumeTiming();
        setup.view.OnExpandAll();
    }
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond);

void BM_CollapseAll(benchmark::State& state)
{
    Setup setup;
    for (auto _ : state) {
        state.PauseTiming();
        setup.view.OnExpandAll();
        state.ResumeTiming();
        setup.view.OnCollapseAll();
    }
}
BENCHMARK(BM_CollapseAll)->Unit(benchmark::kMillisecond);

void BM_ShowTextsToBeEdited(benchmark::State& state)
{
    Setup setup;
    for (auto _ : state) {
        state.PauseTiming();
        setup.view.OnExpandAll();
        state.ResumeTiming();
        setup.view.OnShowToDo();
    }
}
BENCHMARK(BM_ShowTextsToBeEdited)->Unit(benchmark::kMillisecond);

void BM_MarkAllDone(benchmark::State& state)
{
    Setup setup;
    for (auto _ : state) {
        setup.view.OnMarkAllToDo();
        setup.view.OnMarkAllDone();
    }
}
BENCHMARK(BM_MarkAllDone)->Unit(benchmark::kMillisecond);

} // namespace
