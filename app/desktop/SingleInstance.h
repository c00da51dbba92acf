#pragma once
// One window per user: the first start listens on a local socket in the user's runtime folder
// (reachable by that user only); a later start hands its folders to it and ends.

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace zarvok::app {

// "<runtime folder>/zarvok.socket".
QString instanceSocketPath();

// Hands the folders to the window listening at `socketPath`; false when none listens there.
bool handOverFolders(const QString& socketPath, const QStringList& folders);

class InstanceServer final : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);

    // Listens at the path, taking over a socket left there by a program that ended without
    // removing it. False, with the reason, when the path is in use or cannot be listened on.
    bool listen(const QString& socketPath, QString* problem);

signals:
    // A later start's folders (possibly none): the window queues them and comes to the front.
    void foldersArrived(const QStringList& folders);

private:
    void takeConnection();

    QLocalServer* m_server;
};

} // namespace zarvok::app
