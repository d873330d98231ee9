// The tree view's GUI tests run in one QApplication with the editor's own
// resources installed, offscreen unless told otherwise.
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
