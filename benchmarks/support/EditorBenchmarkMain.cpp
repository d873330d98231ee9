// Runs the benchmarks linked with it inside an application set up as the editor's:
// on the off-screen platform unless another is named, with the editor's resources
// and default fonts, so that the widgets measure and paint as they do in the program.

#include "CResources.h"
#include "EditorFonts.h"
#include "EditorResources.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CResources::Set(&EditorResources());
    SetDefaultFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
