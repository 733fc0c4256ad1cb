// virtual-devices: the terminal's serial devices on pseudo-terminals and its
// kitchen printer on a loopback TCP port, for the demo and for a person who
// wants to see what the terminal printed.
//
//   virtual-devices --out DIR [--printer-state STATE] [--easycheck-reply REPLY]
//                   [--kitchen-port PORT]
//
// Writes DIR/devices.env (shell variables) and DIR/POS-devices.ini (the
// [SerialPorts] and [Kitchen] lines for the terminal's files), prints the same,
// then keeps running until it is stopped (SIGINT, SIGTERM, or "quit" on
// standard input). Commands on standard input, one per line:
//   printer STATE      ready | paper-out | cover-open | off-line | split-reply | no-reply
//   easycheck REPLY    ack | split-ack | nak | no-reply
//   quit

#include "VirtualDevices.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gSignalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &c, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing receipts needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("virtual-devices");

    QCommandLineParser parser;
    parser.setApplicationDescription("Virtual printers, card terminal and customer display for the terminal.");
    parser.addHelpOption();
    parser.addOption({"out", "Folder for the device files and what the devices received.", "dir", "virtual-devices"});
    parser.addOption({"printer-state", "How the receipt printer answers status requests.", "state", "ready"});
    parser.addOption({"easycheck-reply", "How the card terminal answers a slip.", "reply", "ack"});
    parser.addOption({"kitchen-port", "Loopback TCP port of the kitchen printer (0: any free port).", "port", "0"});
    parser.process(app);

    using namespace pos::virt;
    TPrinterState state;
    TEasyCheckReply reply;
    if (!StateFromName(parser.value("printer-state").toStdString(), &state) ||
        !EasyCheckReplyFromName(parser.value("easycheck-reply").toStdString(), &reply)) {
        std::fprintf(stderr, "virtual-devices: unknown printer state or card terminal reply\n");
        return 2;
    }
    const QString out = QDir(parser.value("out")).absolutePath();
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "virtual-devices: cannot create %s\n", qPrintable(out));
        return 1;
    }

    TVirtualReceiptPrinter printer("printer1");
    TVirtualKitchenPrinter kitchen("kitchen");
    TVirtualEasyCheck easyCheck("easycheck");
    TVirtualDisplay display("display");
    QString error;
    bool ok = printer.open(&error) && easyCheck.open(&error) && display.open(&error) &&
              kitchen.listen(quint16(parser.value("kitchen-port").toUInt()), &error);
    if (!ok) {
        std::fprintf(stderr, "virtual-devices: %s\n", qPrintable(error));
        return 1;
    }
    for (TVirtualDevice* device : std::initializer_list<TVirtualDevice*>{&printer, &kitchen, &easyCheck, &display})
        device->setOutputFolder(out);
    printer.setState(state);
    easyCheck.setReply(reply);

    const QString env = QStringLiteral(
                            "VDEV_OUT=%1\nVDEV_PRINTER1=%2\nVDEV_EASYCHECK=%3\nVDEV_DISPLAY=%4\n"
                            "VDEV_KITCHEN_HOST=127.0.0.1\nVDEV_KITCHEN_PORT=%5\nVDEV_PID=%6\n")
                            .arg(out, printer.path(), easyCheck.path(), display.path())
                            .arg(kitchen.port())
                            .arg(QCoreApplication::applicationPid());
    const QString ini = QStringLiteral(
                            "; POS.ini: the ports the terminal opens\n[SerialPorts]\nCOM1=%1\nCOM2=%2\nCOM4=%3\n"
                            "; POSIP.ini: the kitchen printer\n[Kitchen]\nHost=127.0.0.1\nPort=%4\n")
                            .arg(printer.path(), easyCheck.path(), display.path())
                            .arg(kitchen.port());
    for (const auto& [name, text] : {std::pair{QStringLiteral("devices.env"), env}, std::pair{QStringLiteral("POS-devices.ini"), ini}}) {
        // Whole or not at all: a script waiting for the file never reads half.
        const QString path = QDir(out).filePath(name);
        QFile file(path + ".tmp");
        const QByteArray bytes = text.toUtf8();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            std::fprintf(stderr, "virtual-devices: cannot write %s\n", qPrintable(path));
            return 1;
        }
        file.close();
        QFile::remove(path);
        if (!QFile::rename(path + ".tmp", path)) {
            std::fprintf(stderr, "virtual-devices: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("%s", qPrintable(env));
    std::fflush(stdout);

    // Signals end the program through the event loop, so files are closed.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
    }

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[256];
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {  // standard input closed: keep running, stop listening to it
            input.setEnabled(false);
            return;
        }
        line[n] = '\0';
        const QStringList words = QString::fromLocal8Bit(line).simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) return;
        if (words[0] == "quit") {
            app.quit();
        } else if (words.size() == 2 && words[0] == "printer" && StateFromName(words[1].toStdString(), &state)) {
            printer.setState(state);
            std::printf("printer: %s\n", StateName(state));
        } else if (words.size() == 2 && words[0] == "easycheck" && EasyCheckReplyFromName(words[1].toStdString(), &reply)) {
            easyCheck.setReply(reply);
            std::printf("easycheck: %s\n", qPrintable(words[1]));
        } else {
            std::printf("commands: printer STATE | easycheck REPLY | quit\n");
        }
        std::fflush(stdout);
    });

    return app.exec();
}
