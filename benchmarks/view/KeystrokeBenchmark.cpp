// One typed character in the in-place editor, with everything a keystroke
// sets off in the running editor (the document's typing step on its undo
// stack, states, modified mark, title, the view and the recovery copy told),
// for 1,000 and 100,000 texts: it must cost the same. And the memory that
// 10,000 steps of typing keep on the undo stack.

#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CRecovery.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"
#include "EditorTyping.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

void BM_TypeCharacter(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys.tra"));
    WriteLanguageFile(*MakeSampleLanguage(int(state.range(0)), 5), path.toStdString());
    std::u16string startup = path.toStdU16String();
    CTransDoc doc;
    doc.SetStartupFileSource(&startup);
    doc.OpenLanguage();
    CMyEditView view;
    view.resize(900, 700);
    view.show();
    doc.AddView(&view);
    view.OnInitialUpdate();
    CRecovery recovery(doc, dir.filePath(QStringLiteral("settings")));
    recovery.OfferAtStart();
    const int row = FirstFreeTextRow(view);
    view.SetCurrentRow(row);
    view.OpenEditorInCurrentRow(false, false);
    CInPlaceEdit* editor = view.GetEditor();
    for (auto _ : state) {
        TypeKey(editor, Qt::Key_X, QStringLiteral("x"));
        TypeKey(editor, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rows"] = view.GetRowCount();
}
BENCHMARK(BM_TypeCharacter)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// 10,000 typing steps, each a step of its own (another text in between), in
// texts of a 10,000-text file: the heap they keep.
void BM_TypingStepsMemory(benchmark::State& state)
{
    constexpr int kSteps = 10000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("steps.tra"));
    WriteLanguageFile(*MakeSampleLanguage(10000, 5), path.toStdString());
    for (auto _ : state) {
        state.PauseTiming();
        std::u16string startup = path.toStdU16String();
        CTransDoc doc;
        doc.SetStartupFileSource(&startup);
        doc.OpenLanguage();
        std::vector<CTextNode*> texts;
        for (CTextNode* top : {doc.GetRoot()->GetChild(2)})
            for (int i = 0; i < top->ChildCount(); ++i)
                for (int j = 0; j < top->GetChild(i)->ChildCount(); ++j)
                    texts.push_back(top->GetChild(i)->GetChild(j));
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int step = 0; step < kSteps; ++step) {
            CTextNode* node = texts[std::size_t(step) % texts.size()];
            const std::u16string text = std::u16string(node->translatedText) + u"x";
            doc.BreakTyping();
            doc.EditText(node, text, CTransDoc::TextEditKind::Typing, int(text.size()) - 1,
                         int(text.size()));
        }
        state.PauseTiming();
        state.counters["steps"] = doc.GetUndoStack().count();
        state.counters["MB"] = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypingStepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
