#include "QtTestApp.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include <gtest/gtest.h>

namespace pos::test {
namespace {

// One GUI application for the whole program (receipt drawing needs fonts);
// offscreen, so no screen is needed.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "device_io_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QGuiApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

bool SpinUntil(const std::function<bool()>& aDone, int aGuardMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!aDone()) {
        if (timer.elapsed() > aGuardMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!aDone()) QThread::msleep(1);
    }
    return true;
}

void Spin(int aMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < aMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

}  // namespace pos::test
