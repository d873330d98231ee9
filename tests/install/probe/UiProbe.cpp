// Loaded into the installed editor as a Qt plugin (QT_QPA_GENERIC_PLUGINS),
// it reads what the user would see and prints it, so the install test needs
// no hook in the program itself:
//   menu: <first item of the menu bar>
//   file-dialog: <accept button>|<cancel button>|<folder shown>   (then cancels it)
// With GLOSSMARK_PROBE_SWITCH=<language name> it switches the language
// through the menu command and the switch dialog and prints the menu again.
// Then it closes the main window.

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

constexpr unsigned kSwitchCommand = 33007;

void Print(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

QString Plain(QString text) { return text.remove(u'&'); }

QAction* FindCommand(const QList<QAction*>& actions, unsigned id)
{
    for (QAction* action : actions) {
        if (action->data().toUInt() == id)
            return action;
        if (QAction* found = action->menu() ? FindCommand(action->menu()->actions(), id) : nullptr)
            return found;
    }
    return nullptr;
}

class UiProbe : public QObject {
public:
    UiProbe() : m_switchTo(qEnvironmentVariable("GLOSSMARK_PROBE_SWITCH"))
    {
        connect(&m_timer, &QTimer::timeout, this, &UiProbe::Poll);
        m_timer.start(100);
    }

private:
    void Poll()
    {
        if (++m_ticks > 300)
            qFatal("probe: nothing to read after 30 s");
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            auto* box = files->findChild<QDialogButtonBox*>();
            QPushButton* accept = box->button(QDialogButtonBox::Open);
            Print(QStringLiteral("file-dialog: %1|%2|%3")
                      .arg(Plain(accept ? accept->text() : QString()),
                           Plain(box->button(QDialogButtonBox::Cancel)->text()),
                           files->directory().absolutePath()));
            files->reject();
        } else if (modal && !m_switchTo.isEmpty()) {
            auto* list = modal->findChild<QListWidget*>();
            const auto found = list ? list->findItems(m_switchTo, Qt::MatchExactly) : QList<QListWidgetItem*>();
            if (found.size() != 1)
                qFatal("probe: no single \"%s\" in the switch dialog", qPrintable(m_switchTo));
            list->setCurrentItem(found.front());
            emit list->itemClicked(found.front());
            m_switchTo.clear();
            modal->findChildren<QPushButton*>().front()->click(); // OK, the first button
        } else if (!modal) {
            ReadMainWindow();
        }
    }

    void ReadMainWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* frame = qobject_cast<QMainWindow*>(widget);
            if (!frame || !frame->isVisible() || frame->menuBar()->actions().isEmpty())
                continue;
            Print(QStringLiteral("menu: ") + Plain(frame->menuBar()->actions().front()->text()));
            if (m_switchTo.isEmpty()) {
                m_timer.stop();
                frame->close();
                return;
            }
            QAction* command = FindCommand(frame->menuBar()->actions(), kSwitchCommand);
            if (!command)
                qFatal("probe: no language switch command in the menus");
            QTimer::singleShot(0, command, &QAction::trigger);
            return;
        }
    }

    QString m_switchTo;
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
