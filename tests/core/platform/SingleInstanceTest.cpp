#include "TempDir.h"
#include "core/platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace pos {
namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

QString uniqueName()
{
    std::random_device rd;
    return QString("resortpos-test-%1").arg(rd());
}

TEST(SingleInstanceTest, SecondStartEndsAndRaisesTheFirst)
{
    app();
    test::TempDir dir;
    const QString name = uniqueName();
    const QString folder = QString::fromStdString(dir.path().string());

    TSingleInstance first(name, folder);
    ASSERT_TRUE(first.Acquire());
    QSignalSpy raised(&first, &TSingleInstance::raiseRequested);

    TSingleInstance second(name, folder);
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(raised.count() > 0 || raised.wait(3000));
    EXPECT_EQ(raised.count(), 1);
}

TEST(SingleInstanceTest, LockOfACrashedTerminalIsTakenOver)
{
    app();
    test::TempDir dir;
    const QString name = uniqueName();
    const QString folder = QString::fromStdString(dir.path().string());
    // A lock file naming a process that no longer exists.
    QFile stale(folder + "/" + name + ".lock");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("999999\nresortpos\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    TSingleInstance terminal(name, folder);
    EXPECT_TRUE(terminal.Acquire());
}

}  // namespace
}  // namespace pos
