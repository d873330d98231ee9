// glossmark-editor: the run-time layer translating the editor's own
// resources with the Edit.tra of the working folder.

#include "CDemoApp.h"
#include "CResources.h"
#include "EditorResources.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CResources::Set(&EditorResources());
    CDemoApp app;
    return app.Run();
}
