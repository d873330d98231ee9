// glossmark-tra-widths.so: the only part of glossmark-tra that loads Qt Gui.

#include "WidthRuleModule.h"

#include "SizeLimit.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<QGuiApplication> g_application;

// The fonts are made by pixel size, so the off-screen platform measures as a
// desktop does; it is used unless told otherwise, so that a build script needs
// no display, and a display that is named but cannot be reached does not stop it.
bool Open(std::string& why)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes (such as a missing run-time folder) are no business of a
    // build script reading our output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "glossmark-tra: %s\n", message.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "glossmark-tra";
    static char* argv[] = {name, nullptr};
    g_application = std::make_unique<QGuiApplication>(argc, argv);
    if (!size_limit::CanMeasure()) {
        why = "no fonts are installed";
        return false;
    }
    return true;
}

void Close() { g_application.reset(); }

constexpr WidthRuleTable kTable{Open, size_limit::IsSizeLimitedKind, size_limit::Fits, Close};

} // namespace

extern "C" __attribute__((visibility("default"))) const void* glossmark_tra_width_rule()
{
    return &kTable;
}
