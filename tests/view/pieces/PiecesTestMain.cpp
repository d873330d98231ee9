// Runs the piece and editor tests inside one QApplication, offscreen unless
// told otherwise, with the editor's resources and default fonts in place.
#include "CResources.h"
#include "EditorFonts.h"
#include "EditorResources.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CResources::Set(&EditorResources());
    SetDefaultFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
