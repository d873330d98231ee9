// Start-up of the editor with a file of 100,000 texts on the command line, up
// to the first paint of the main window, against what it cannot do without:
// reading the file and building the text tree view's rows (with that view's
// first paint). The difference is the frame, the head view, the toolbar, the
// status bar and the user-interface language.

#include "CEditorApp.h"
#include "CMainFrame.h"
#include "CMyEditView.h"
#include "CProfile.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The working folder of the runs: the English Edit.tra and the sample file.
QString SampleFile(int texts)
{
    static QString path;
    if (path.isEmpty()) {
        QDir::setCurrent(Folder().path());
        QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), Folder().filePath(QStringLiteral("Edit.tra")));
        CProfile::SetFile(Folder().filePath(QStringLiteral("profile.ini")));
        path = Folder().filePath(QStringLiteral("sample-%1.tra").arg(texts));
        WriteLanguageFile(*MakeSampleLanguage(texts, 5), path.toStdString());
    }
    return path;
}

// The program's start: InitInstance ends with the main window shown and painted.
void BM_StartupToFirstPaint(benchmark::State& state)
{
    const QString file = SampleFile(int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        auto app = std::make_unique<CEditorApp>();
        app->SetCommandLine({file});
        if (!app->InitInstance()) {
            state.SkipWithError("the editor did not start");
            break;
        }
        state.PauseTiming();
        rows = app->GetMainFrame()->GetEditView()->GetRowCount();
        delete app->GetMainFrame();
        app->ExitInstance();
        app.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_StartupToFirstPaint)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading the file and building the rows of a text tree view of the main
// window's tree-view size, with its first paint.
void BM_ReadFileAndBuildRows(benchmark::State& state)
{
    const QString file = SampleFile(int(state.range(0)));
    for (auto _ : state) {
        std::u16string startup = file.toStdU16String();
        auto doc = std::make_unique<CTransDoc>();
        auto view = std::make_unique<CMyEditView>();
        view->resize(CMainFrame::kInitialWidth, 400);
        doc->SetStartupFileSource(&startup);
        doc->OpenLanguage();
        doc->AddView(view.get());
        view->OnInitialUpdate();
        benchmark::DoNotOptimize(view->GetOffscreenImage().constBits());
        state.PauseTiming();
        view.reset();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadFileAndBuildRows)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
