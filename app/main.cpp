// Program entry: one terminal per computer, then the terminal's life from
// the splash window to the shut-down (see TTerminalProgram).
#include "core/platform/SingleInstance.h"
#include "startup/ProgramOptions.h"
#include "startup/ui/ScreenGrab.h"
#include "startup/ui/TerminalProgram.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();

    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    const std::optional<pos::TProgramOptions> options = pos::ParseProgramOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "resortpos: %s\n%s", error.c_str(), pos::kProgramUsage);
        return 2;
    }
    if (options->help) {
        std::printf("%s", pos::kProgramUsage);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("POS"));

    pos::TSingleInstance instance(QString::fromStdString(options->instanceName));
    if (!instance.Acquire()) return 0;  // the running terminal has been asked to come forward

    const QString folder = options->folder.empty() ? QCoreApplication::applicationDirPath()
                                                   : QDir(QString::fromStdString(options->folder)).absolutePath();
    const pos::TScreenGrabOnSignal grab(QDir(folder).filePath(QStringLiteral("screen.png")));
    pos::TTerminalProgram program(*options, folder.toStdString(), started);
    QObject::connect(&instance, &pos::TSingleInstance::raiseRequested, &program, &pos::TTerminalProgram::RaiseTerminal);
    return program.Run();
}
