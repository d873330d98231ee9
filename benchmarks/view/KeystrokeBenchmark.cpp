// One typed character in the in-place editor, with everything a keystroke
// sets off in the running editor (commit, states, modified mark, title, the
// recovery copy's bookkeeping), for 10k and 100k texts: it must cost the same.

#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CRecovery.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void Key(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

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
    int row = 0;
    while (row < view.GetRowCount() &&
           (view.GetRow(row)->node->ChildCount() > 0 || !view.GetRow(row)->freeSize))
        ++row;
    view.SetCurrentRow(row);
    view.OpenEditorInCurrentRow(false, false);
    CInPlaceEdit* editor = view.GetEditor();
    for (auto _ : state) {
        Key(editor, Qt::Key_X, QStringLiteral("x"));
        Key(editor, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rows"] = view.GetRowCount();
}
BENCHMARK(BM_TypeCharacter)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
