// Runs the benchmarks linked with it inside an application set up as the editor's:
// on the off-screen platform unless another is named, with the editor's resources
// and default fonts, so that the widgets measure and paint as they do in the program;
// settings and the translation memory in a folder of the run, never the user's.

#include "CProfile.h"
#include "CResources.h"
#include "EditorFonts.h"
#include "EditorResources.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    QApplication app(argc, argv);
    CProfile::SetFile(home.filePath(QStringLiteral("profile.ini")));
    CResources::Set(&EditorResources());
    SetDefaultFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
