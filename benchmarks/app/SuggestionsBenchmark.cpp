// One typed character in the running editor with the suggestions dock open
// and with it closed, in files of 1,000 and 100,000 texts: the dock must add
// nothing that grows with the file (typing changes no original, so nothing is
// looked up).

#include "CEditorApp.h"
#include "CInPlaceEdit.h"
#include "CMainFrame.h"
#include "CMyEditView.h"
#include "CProfile.h"
#include "CSuggestionsController.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"
#include "TypeKey.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_KeystrokeWithSuggestionsDock(benchmark::State& state)
{
    const bool dockOpen = state.range(1) != 0;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    // A memory of its own, never the user's.
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), dir.filePath(QStringLiteral("Edit.tra")));
    CProfile::SetFile(dir.filePath(QStringLiteral("profile.ini")));
    const QString path = dir.filePath(QStringLiteral("keys.tra"));
    WriteLanguageFile(*MakeSampleLanguage(int(state.range(0)), 5), path.toStdString());
    auto app = std::make_unique<CEditorApp>();
    app->SetCommandLine({path});
    if (!app->InitInstance()) {
        state.SkipWithError("the editor did not start");
        return;
    }
    CMainFrame& frame = *app->GetMainFrame();
    CSuggestionsController& suggestions = *frame.GetSuggestions();
    suggestions.GetDock()->setHidden(!dockOpen);
    CMyEditView& view = *frame.GetEditView();
    int row = 0;
    while (row < view.GetRowCount() &&
           (view.GetRow(row)->node->ChildCount() > 0 || !view.GetRow(row)->freeSize))
        ++row;
    view.SetCurrentRow(row);
    view.RevealCurrentRow();
    view.WritePositionPane();
    view.OpenEditorInCurrentRow(false, false);
    while (suggestions.IsLookingUp())
        QTest::qWait(5);
    CInPlaceEdit* editor = view.GetEditor();
    for (auto _ : state) {
        TypeKey(editor, Qt::Key_X, QStringLiteral("x"));
        TypeKey(editor, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rows"] = view.GetRowCount();
    state.counters["lookups_pending"] = suggestions.IsLookingUp() ? 1 : 0;
    delete &frame;
    app->ExitInstance();
}
BENCHMARK(BM_KeystrokeWithSuggestionsDock)
    ->ArgNames({"texts", "dock"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
