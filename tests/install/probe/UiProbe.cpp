// Loaded into the installed editor as a Qt plugin (QT_QPA_GENERIC_PLUGINS),
// it prints what the user sees, so the program carries no test hook:
//   menu: <first item of the menu bar>, then closes the main window;
//   file-dialog: <accept button>|<cancel button>|<folder shown>, then cancels.
// With GLOSSMARK_PROBE_SWITCH=<language name> it first switches to that
// language through the menu command and the switch dialog.

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGenericPlugin>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

QString Plain(QString text) { return text.remove(u'&'); }

QAction* FindCommand(const QList<QAction*>& actions, unsigned id)
{
    for (QAction* action : actions) {
        QAction* found = action->menu() ? FindCommand(action->menu()->actions(), id) : nullptr;
        if (found || action->data().toUInt() == id)
            return found ? found : action;
    }
    return nullptr;
}

class UiProbe : public QObject {
public:
    UiProbe()
    {
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        m_timer.callOnTimeout(this, &UiProbe::Poll);
        m_timer.start(100);
    }

private:
    void Poll()
    {
        if (++m_ticks > 300)
            qFatal("probe: nothing to read after 30 s");
        QWidget* modal = QApplication::activeModalWidget();
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (files) {
            auto* box = files->findChild<QDialogButtonBox*>();
            const auto text = [box](auto button) { return Plain(box->button(button)->text()); };
            std::printf("file-dialog: %s|%s|%s\n", qPrintable(text(QDialogButtonBox::Open)),
                        qPrintable(text(QDialogButtonBox::Cancel)),
                        qPrintable(files->directory().absolutePath()));
            files->reject();
        } else if (modal && !m_switchTo.isEmpty()) {
            auto* list = modal->findChild<QListWidget*>();
            const auto found = list->findItems(std::exchange(m_switchTo, {}), Qt::MatchExactly);
            list->setCurrentItem(found.value(0));
            emit list->itemClicked(found.value(0));
            modal->findChildren<QPushButton*>().front()->click(); // OK, the first button
        }
        QMainWindow* frame = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            frame = window->isVisible() && qobject_cast<QMainWindow*>(window)
                        ? static_cast<QMainWindow*>(window)
                        : frame;
        if (modal || !frame || frame->menuBar()->actions().isEmpty())
            return;
        std::printf("menu: %s\n", qPrintable(Plain(frame->menuBar()->actions().front()->text())));
        if (m_switchTo.isEmpty())
            frame->close();
        else if (QAction* command = FindCommand(frame->menuBar()->actions(), 33007))
            QTimer::singleShot(0, command, &QAction::trigger);
    }

    QString m_switchTo = qEnvironmentVariable("GLOSSMARK_PROBE_SWITCH");
    QTimer m_timer;
    int m_ticks = 0;
};

class UiProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")
public:
    QObject* create(const QString&, const QString&) override { return new UiProbe; }
};

} // namespace

#include "UiProbe.moc"
