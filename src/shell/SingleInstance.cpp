#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace dvq3 {
namespace {

QString RuntimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return !folder.isEmpty() && QDir().mkpath(folder) ? folder : QDir::tempPath();
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
        if (!server_.listen(serverName))
            qWarning("dvq3test: a later launch cannot bring this station forward (%s)",
                     qPrintable(server_.errorString()));
        return true;
    }
    // A lock that cannot even be made (a folder nobody may write) is no other station: this one
    // runs unguarded rather than not at all.
    if (lock_->error() != QLockFile::LockFailedError) {
        qWarning("dvq3test: cannot make the lock file in %s; a second station is not prevented",
                 qPrintable(QDir::toNativeSeparators(folder)));
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
