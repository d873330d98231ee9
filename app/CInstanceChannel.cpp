#include "CInstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

namespace {
constexpr int kMaxPathBytes = 64 * 1024;
}

QString CInstanceChannel::DefaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QStringLiteral("user");
    // Each desktop session (display) has its editor: a file opened on one
    // screen never goes to an editor shown on another.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    QString name = QStringLiteral("glossmark-editor-") + user + u'-' + display;
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != u'-')
            c = u'_';
    }
    return name;
}

bool CInstanceChannel::SendToRunning(const QString& name, const QString& path, int timeoutMs)
{
    if (name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine().trimmed() == "ok";
}

CInstanceChannel::CInstanceChannel(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

CInstanceChannel::~CInstanceChannel() = default;

bool CInstanceChannel::IsListening() const { return m_server && m_server->isListening(); }

bool CInstanceChannel::Listen(FileHandler handler)
{
    if (m_name.isEmpty())
        return false;
    m_handler = std::move(handler);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &CInstanceChannel::OnNewConnection);
    }
    if (m_server->listen(m_name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Someone answers: that editor keeps the channel. Nobody: a socket left behind.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void CInstanceChannel::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxPathBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QString path = QString::fromUtf8(socket->readLine()).trimmed();
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            // Opening may ask questions: not inside the socket's own signal.
            QPointer<CInstanceChannel> self(this);
            QTimer::singleShot(0, this, [self, path] {
                if (self && self->m_handler && !path.isEmpty())
                    self->m_handler(path);
            });
        });
    }
}
