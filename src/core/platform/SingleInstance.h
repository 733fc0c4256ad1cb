#pragma once
// One terminal per computer. The first process takes a lock file and listens
// on a local socket of the same name; a second start finds the lock taken,
// asks the running terminal through the socket to bring its sale window to
// the front, and ends. A lock left by a crashed terminal is stale (its
// process is gone) and is taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace pos {

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // aName names the lock and the socket ("ORVO_I"); the lock file lives in
    // aLockFolder (the system's temporary folder when empty), so every user
    // of the computer sees the same one.
    explicit TSingleInstance(const QString& aName, const QString& aLockFolder = QString(), QObject* aParent = nullptr);

    // True: this process is the terminal. False: another terminal runs and
    // has been asked to come to the front; this process should end.
    bool Acquire();

signals:
    // Another start asked this terminal to show itself.
    void raiseRequested();

private:
    void askRunningToRaise();
    void onConnection();

    QString name_;
    QLockFile lock_;
    QLocalServer server_;
};

}  // namespace pos
