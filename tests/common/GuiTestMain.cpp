// Runs a GUI test binary inside one QApplication, offscreen unless told
// otherwise. Binaries of the editor's own layers also get the editor's
// resources and default fonts, as the application sets them at start.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef GLOSSMARK_EDITOR_SETUP
#include "CResources.h"
#include "EditorFonts.h"
#include "EditorResources.h"
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The editor's language follows the locale: the same neutral one on every machine.
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(variable);
    qputenv("LANG", "C.UTF-8");
    // The editor feeds the user's translation memory and writes the user's settings
    // (language, recent files, dictionaries); tests keep theirs to themselves.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", data.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
#ifdef GLOSSMARK_EDITOR_SETUP
    CResources::Set(&EditorResources());
    SetDefaultFonts();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
