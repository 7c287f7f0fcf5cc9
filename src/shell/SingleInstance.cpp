#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace dvq3 {
namespace {

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit activationRequested();
        }
    });
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    const QString folder = RuntimeFolder();
    lock_ = std::make_unique<QLockFile>(folder + u'/' + key_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    const QString serverName = folder + u'/' + key_ + QStringLiteral(".socket");
    if (lock_->tryLock(100)) {
        QLocalServer::removeServer(serverName);
        server_.listen(serverName);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (socket.waitForConnected(1000)) {
        socket.write("raise");
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}

} // namespace dvq3
