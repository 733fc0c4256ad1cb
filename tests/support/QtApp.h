#pragma once
// One QApplication for the whole test program (GoogleTest owns main), made on
// first use and kept until the process ends.

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace pos::test {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "pos-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// First member of a fixture that owns widgets: the application exists
// before they are made, whichever test runs first.
struct AppFirst {
    AppFirst() { App(); }
};

// Shows aWindow and makes it the active window, so that the focus and the
// keys typed by touch keys reach its fields.
inline bool ShowActive(QWidget& aWindow)
{
    aWindow.show();
    aWindow.activateWindow();
    return QTest::qWaitForWindowActive(&aWindow);
}

}  // namespace pos::test
