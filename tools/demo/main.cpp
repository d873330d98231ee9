// glossmark-editor: the run-time layer translating the editor's own
// resources with the Edit.tra of the working folder; the language file
// named on the command line opens in the text tree view.

#include "CDemoApp.h"
#include "CResources.h"
#include "EditorFonts.h"
#include "EditorResources.h"
#include "QtStrings.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CResources::Set(&EditorResources());
    SetDefaultFonts();
    CDemoApp app;
    if (qtApp.arguments().size() > 1)
        app.SetLanguageFile(ToU16(qtApp.arguments().at(1)));
    return app.Run();
}
