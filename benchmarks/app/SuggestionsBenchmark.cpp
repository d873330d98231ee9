// The suggestions dock in the running editor, open and closed, in files of
// 1,000 and 100,000 texts: one typed character (typing changes no original,
// so nothing is looked up) and the user-interface thread's part of going to
// another text (the file's guesses from the index, the checks of the
// suggestions, the request to the worker). Neither may grow with the file.

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
#include "EditorTyping.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The editor started on a sample file of texts, with the dock open or closed
// and the first text with an editor current.
class RunningEditor {
public:
    RunningEditor(int texts, bool dockOpen)
    {
        QDir::setCurrent(m_dir.path());
        // A memory of its own, never the user's.
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), m_dir.filePath(QStringLiteral("Edit.tra")));
        CProfile::SetFile(m_dir.filePath(QStringLiteral("profile.ini")));
        const QString path = m_dir.filePath(QStringLiteral("keys.tra"));
        WriteLanguageFile(*MakeSampleLanguage(texts, 5), path.toStdString());
        m_app->SetCommandLine({path});
        if (!m_app->InitInstance())
            return;
        frame = m_app->GetMainFrame();
        frame->GetSuggestions()->GetDock()->setHidden(!dockOpen);
        CMyEditView& view = *frame->GetEditView();
        row = FirstFreeTextRow(view);
        GoTo(row);
        view.OpenEditorInCurrentRow(false, false);
    }
    ~RunningEditor()
    {
        delete frame;
        m_app->ExitInstance();
    }

    void GoTo(int index)
    {
        CMyEditView& view = *frame->GetEditView();
        view.SetCurrentRow(index);
        view.WritePositionPane();
        while (frame->GetSuggestions()->IsLookingUp())
            QTest::qWait(1);
    }

    CMainFrame* frame = nullptr;
    int row = 0; // the first text with an editor

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorApp> m_app = std::make_unique<CEditorApp>();
};

void BM_KeystrokeWithSuggestionsDock(benchmark::State& state)
{
    RunningEditor editor(int(state.range(0)), state.range(1) != 0);
    if (!editor.frame) {
        state.SkipWithError("the editor did not start");
        return;
    }
    CInPlaceEdit* edit = editor.frame->GetEditView()->GetEditor();
    for (auto _ : state) {
        TypeKey(edit, Qt::Key_X, QStringLiteral("x"));
        TypeKey(edit, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["lookups_pending"] = editor.frame->GetSuggestions()->IsLookingUp() ? 1 : 0;
}
BENCHMARK(BM_KeystrokeWithSuggestionsDock)
    ->ArgNames({"texts", "dock"})
    ->ArgsProduct({{1000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// Back and forth between two texts; the worker's lookups are waited for
// outside the timing.
void BM_OtherTextWithSuggestionsDock(benchmark::State& state)
{
    RunningEditor editor(int(state.range(0)), state.range(1) != 0);
    if (!editor.frame) {
        state.SkipWithError("the editor did not start");
        return;
    }
    CMyEditView& view = *editor.frame->GetEditView();
    CSuggestionsController& suggestions = *editor.frame->GetSuggestions();
    int step = 0;
    for (auto _ : state) {
        view.SetCurrentRow(editor.row + (++step % 2));
        view.WritePositionPane();
        state.PauseTiming();
        while (suggestions.IsLookingUp())
            QTest::qWait(1);
        state.ResumeTiming();
    }
    state.counters["suggestions"] = double(suggestions.GetSuggestions().size());
    state.counters["siblings"] = view.GetRow(editor.row)->node->parent->ChildCount();
}
BENCHMARK(BM_OtherTextWithSuggestionsDock)
    ->ArgNames({"texts", "dock"})
    ->ArgsProduct({{1000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
