// glossmark-editor: the Glossmark Editor. One optional argument, the language
// file to open; when an editor runs already, the file is handed to it.

#include "CEditorApp.h"
#include "CInstanceChannel.h"
#include "CResources.h"
#include "EditorResources.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CResources::Set(&EditorResources());
    CEditorApp app;
    app.SetCommandLine(qtApp.arguments().mid(1));
    app.SetInstanceChannel(CInstanceChannel::DefaultName());
    if (app.HandOverToRunningEditor())
        return 0;
    return app.Run();
}
