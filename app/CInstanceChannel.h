#pragma once

// The way a file reaches an editor that is already running: the desktop
// starts the program with the file's name, the new process hands the name to
// the running one over a local socket and ends. The running editor opens it
// as if it had been chosen there.
//
// Protocol: the client writes the absolute path in UTF-8 and a newline; the
// server answers "ok\n" at once and handles the path once the event loop is
// free again (the handling may ask questions).

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    using FileHandler = std::function<void(const QString&)>;

    // One channel per user and display.
    static QString DefaultName();

    // Gives path to the editor listening on name; true when it took it.
    static bool SendToRunning(const QString& name, const QString& path, int timeoutMs = 2000);

    explicit CInstanceChannel(const QString& name, QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // Starts listening (a channel left behind by an editor that died is
    // taken over); false when another editor listens already or the socket
    // cannot be made.
    bool Listen(FileHandler handler);
    bool IsListening() const;

private:
    void OnNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
    FileHandler m_handler;
};
