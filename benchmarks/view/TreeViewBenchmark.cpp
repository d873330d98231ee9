// The text tree view at scale, offscreen: building the rows and painting the
// first screen of a file, and one step of scrolling, for 10k and 100k texts.
// A scroll step must cost the same for both sizes; opening grows with the
// number of rows only through the cheap per-row work (no layout, no pieces).

#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CStatusBar.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The sample file of `texts` texts, written once.
std::u16string SampleFile(int texts)
{
    static std::map<int, std::u16string> files;
    auto& path = files[texts];
    if (path.empty()) {
        path = Folder().filePath(QStringLiteral("sample-%1.tra").arg(texts)).toStdU16String();
        auto language = MakeSampleLanguage(texts, 5);
        WriteLanguageFile(*language, QString::fromStdU16String(path).toStdString());
    }
    return path;
}

// A document holding the file and a shown view of a typical window size.
struct Setup {
    explicit Setup(int texts)
    {
        startup = SampleFile(texts);
        doc.SetStartupFileSource(&startup);
        doc.OpenLanguage();
        view.resize(900, 700);
        view.show();
        QCoreApplication::processEvents();
        doc.AddView(&view);
    }
    std::u16string startup;
    CTransDoc doc;
    CMyEditView view;
};

// Rebuilding the rows from the document and painting the first screen.
void BM_BuildAndPaintFirstScreen(benchmark::State& state)
{
    Setup setup(int(state.range(0)));
    setup.view.OnInitialUpdate();
    for (auto _ : state) {
        setup.view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
        benchmark::DoNotOptimize(setup.view.GetOffscreenImage().constBits());
    }
    state.counters["rows"] = setup.view.GetRowCount();
    state.counters["laid_out"] = setup.view.CountLaidOutRows();
}
BENCHMARK(BM_BuildAndPaintFirstScreen)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole open: reading the file, building the rows, painting.
void BM_OpenFileAndPaint(benchmark::State& state)
{
    Setup setup(int(state.range(0)));
    setup.view.OnInitialUpdate();
    for (auto _ : state) {
        setup.startup = SampleFile(int(state.range(0)));
        setup.doc.SetStartupFileSource(&setup.startup);
        setup.doc.OpenLanguage();
        setup.view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
        benchmark::DoNotOptimize(setup.view.GetOffscreenImage().constBits());
    }
}
BENCHMARK(BM_OpenFileAndPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One page of scrolling in the middle of the file, down and up in turn, so
// that new rows keep coming into the window.
void BM_ScrollPageStep(benchmark::State& state)
{
    Setup setup(int(state.range(0)));
    setup.view.OnInitialUpdate();
    setup.view.OnScroll(true, 4, setup.view.GetVerticalRange() / 3);
    bool down = true;
    int steps = 0;
    for (auto _ : state) {
        setup.view.OnScroll(true, down ? 3 : 2, 0);
        if (++steps == 40) {
            steps = 0;
            down = !down;
        }
    }
    state.counters["laid_out"] = setup.view.CountLaidOutRows();
}
BENCHMARK(BM_ScrollPageStep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Dragging the thumb to far places: rows never seen before, found by height.
void BM_ScrollThumbJump(benchmark::State& state)
{
    Setup setup(int(state.range(0)));
    setup.view.OnInitialUpdate();
    const int range = setup.view.GetVerticalRange() - 700;
    unsigned x = 12345;
    for (auto _ : state) {
        x = x * 1103515245u + 12345u;
        setup.view.OnScroll(true, 5, int((x >> 8) % unsigned(std::max(1, range))));
    }
}
BENCHMARK(BM_ScrollThumbJump)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One typed character and its removal in the in-place editor, on the same text in the
// middle of a file of 1,000 and of 100,000 texts: each is a commit (the piece, the
// node's state, the states above it, the modified mark, the repaint of the row). The
// cost must not grow with the file. (KeystrokeBenchmark adds the title and recovery.)
void BM_TypeIntoSameText(benchmark::State& state)
{
    Setup setup(int(state.range(0)));
    setup.view.OnInitialUpdate();
    CMyEditView& view = setup.view;
    // A leaf of free size, so the typed text is never refused for its width. It gets
    // the same text in every file, so that only the file's size differs.
    int chosen = -1;
    for (int row = view.GetRowCount() / 2; row < view.GetRowCount() && chosen < 0; ++row) {
        if (view.GetRow(row)->node->ChildCount() > 0)
            continue;
        view.SetCurrentRow(row);
        view.OpenEditorInCurrentRow(false, false);
        const CInPlaceEdit* edit = view.GetEditor();
        if (edit->GetPiece() && edit->GetPiece()->freeSize && !edit->IsReadOnlyText())
            chosen = row;
    }
    if (chosen < 0) {
        state.SkipWithError("no editable row");
        return;
    }
    view.GetRow(chosen)->node->translatedText = u"Datei %s konnte nicht ge\u00F6ffnet werden";
    view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
    view.SetCurrentRow(chosen);
    view.OpenEditorInCurrentRow(false, false);
    CInPlaceEdit* edit = view.GetEditor();
    auto key = [edit](int code, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &release);
    };
    key(0, QStringLiteral("x")); // the first commit after opening brings the whole tree into line
    for (auto _ : state) {
        key(0, QStringLiteral("y"));
        key(Qt::Key_Backspace, QString());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_TypeIntoSameText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
