#include "core/platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

namespace pos {
namespace {

constexpr char kRaise[] = "raise\n";
constexpr int kWaitMs = 2000;

QString lockPath(const QString& aName, const QString& aFolder)
{
    const QString folder = aFolder.isEmpty() ? QDir::tempPath() : aFolder;
    return QDir(folder).filePath(aName + ".lock");
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& aName, const QString& aLockFolder, QObject* aParent)
    : QObject(aParent), name_(aName), lock_(lockPath(aName, aLockFolder))
{
    lock_.setStaleLockTime(0);  // only a dead process's lock is stale, however old
    connect(&server_, &QLocalServer::newConnection, this, &TSingleInstance::onConnection);
}

bool TSingleInstance::Acquire()
{
    if (!lock_.tryLock(0)) {
        askRunningToRaise();
        return false;
    }
    // The lock is ours, so a socket file still there belongs to a terminal
    // that crashed: remove it before listening.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(name_);
    return true;
}

void TSingleInstance::askRunningToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) return;
    socket.write(kRaise);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
}

void TSingleInstance::onConnection()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Any complete line asks for the window; the text itself carries nothing.
            while (socket->canReadLine()) {
                socket->readLine();
                emit raiseRequested();
            }
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

}  // namespace pos
