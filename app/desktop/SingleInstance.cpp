#include "SingleInstance.h"

#include "InstanceMessage.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QtDebug>

#include <memory>

namespace zarvok::app {
namespace {

constexpr int kConnectMs = 2000;

} // namespace

QString instanceSocketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/zarvok.socket");
}

bool handOverFolders(const QString& socketPath, const QStringList& folders)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(encodeFolders(folders));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kConnectMs))
            return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectMs);
    return true;
}

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::takeConnection);
}

bool InstanceServer::listen(const QString& socketPath, QString* problem)
{
    if (m_server->listen(socketPath))
        return true;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // In use by a live window, or left behind by one that crashed: only the latter is taken.
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(kConnectMs)) {
            *problem = QStringLiteral("another window already listens at ") + socketPath;
            return false;
        }
        if (QLocalServer::removeServer(socketPath) && m_server->listen(socketPath))
            return true;
    }
    *problem = m_server->errorString();
    return false;
}

void InstanceServer::takeConnection()
{
    while (QLocalSocket* client = m_server->nextPendingConnection()) {
        client->setParent(this);
        auto received = std::make_shared<QByteArray>();
        // One byte past the limit is enough to know the message is refused.
        const auto readSome = [client, received] {
            *received += client->read(kMaxMessageBytes + 1 - received->size());
        };
        connect(client, &QLocalSocket::readyRead, client, [client, received, readSome] {
            readSome();
            if (received->size() > kMaxMessageBytes) {
                qWarning() << "A message from another start of Zarvok was too long and was ignored";
                client->abort();
            }
        });
        connect(client, &QLocalSocket::disconnected, this, [this, client, received, readSome] {
            if (received->size() <= kMaxMessageBytes) {
                readSome();
                if (received->size() <= kMaxMessageBytes)
                    emit foldersArrived(decodeFolders(*received));
            }
            client->deleteLater();
        });
    }
}

} // namespace zarvok::app
