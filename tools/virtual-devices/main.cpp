// virtual-devices: the terminal's serial devices on pseudo-terminals and its
// kitchen printer on a loopback TCP port, for the demo and for a person who
// wants to see what the terminal printed.
//
//   virtual-devices --out DIR [--printer1 KIND] [--printer-state STATE]
//                   [--easycheck-reply REPLY] [--kitchen-port PORT]
//
// KIND is the printer on the first port: tsp600 (the receipt printer, line
// mode; also what a TSP700 speaks), tsp800 (page mode), boca or flotec. Without
// --printer1 the environment variable VDEV_PRINTER1_KIND names it (tsp600 when
// unset), so a script that starts this program unchanged can still get a
// ticket printer.
//
// Writes DIR/devices.env (shell variables) and DIR/POS-devices.ini (the
// [SerialPorts], [Printer1] and [Kitchen] lines for the terminal's files),
// prints the same, then keeps running until it is stopped (SIGINT, SIGTERM,
// or "quit" on standard input). Commands on standard input, one per line:
//   printer STATE      Star printers (tsp600, tsp800): ready | paper-out |
//                      cover-open | off-line | split-reply | no-reply |
//                      nine-byte-reply | cutter-error | head-error |
//                      unrecoverable-error | buffer-full
//                      Boca, Flotec: ready | paper-out | paper-jam | jam-once |
//                      off-line | cutter-error | no-reply
//   printer-reply N    Star printers: answer in 7 bytes (older firmware) or 9
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
#include <memory>
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

// The virtual device on the first port, of the kind asked for.
class TPrinter1 {
public:
    explicit TPrinter1(const QString& aKind)
    {
        using namespace pos::virt;
        if (aKind == "tsp600") star_ = std::make_unique<TVirtualReceiptPrinter>("printer1");
        else if (aKind == "tsp800") page_ = std::make_unique<TVirtualPagePrinter>("printer1");
        else if (aKind == "boca" || aKind == "flotec") boca_ = std::make_unique<TVirtualBoca>("printer1", aKind == "flotec");
    }
    bool valid() const { return device() != nullptr; }
    pos::virt::TVirtualDevice* device() const
    {
        if (star_) return star_.get();
        if (page_) return page_.get();
        return boca_.get();
    }
    // The type text of "POS.ini" for this printer.
    QString typeText() const
    {
        if (page_) return QStringLiteral("TSP800");
        if (boca_) return boca_->flotec() ? QStringLiteral("FLOTEC") : QStringLiteral("BOCA");
        return QStringLiteral("TSP600");
    }
    bool open(QString* aError)
    {
        if (star_) return star_->open(aError);
        if (page_) return page_->open(aError);
        return boca_->open(aError);
    }
    QString path() const
    {
        if (star_) return star_->path();
        if (page_) return page_->path();
        return boca_->path();
    }
    bool setState(const std::string& aName)
    {
        using namespace pos::virt;
        if (boca_) {
            TBocaState state;
            if (!BocaStateFromName(aName, &state)) return false;
            boca_->setState(state);
            return true;
        }
        TPrinterState state;
        if (!StateFromName(aName, &state)) return false;
        if (star_) star_->setState(state);
        if (page_) page_->setState(state);
        return true;
    }
    bool setReplyLength(const QString& aLength)
    {
        if (!star_ || (aLength != "7" && aLength != "9")) return false;
        star_->setNineByteReplies(aLength == "9");
        return true;
    }

private:
    std::unique_ptr<pos::virt::TVirtualReceiptPrinter> star_;
    std::unique_ptr<pos::virt::TVirtualPagePrinter> page_;
    std::unique_ptr<pos::virt::TVirtualBoca> boca_;
};

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
    const QString defaultKind = qEnvironmentVariableIsEmpty("VDEV_PRINTER1_KIND")
                                    ? QStringLiteral("tsp600")
                                    : qEnvironmentVariable("VDEV_PRINTER1_KIND");
    parser.addOption({"printer1", "The printer on the first port: tsp600, tsp800, boca or flotec.", "kind", defaultKind});
    parser.addOption({"printer-state", "How the first printer answers status requests.", "state", "ready"});
    parser.addOption({"easycheck-reply", "How the card terminal answers a slip.", "reply", "ack"});
    parser.addOption({"kitchen-port", "Loopback TCP port of the kitchen printer (0: any free port).", "port", "0"});
    parser.process(app);

    using namespace pos::virt;
    const QString kind = parser.value("printer1").toLower();
    TPrinter1 printer(kind);
    TEasyCheckReply reply;
    if (!printer.valid() || !printer.setState(parser.value("printer-state").toStdString()) ||
        !EasyCheckReplyFromName(parser.value("easycheck-reply").toStdString(), &reply)) {
        std::fprintf(stderr, "virtual-devices: unknown printer kind, printer state or card terminal reply\n");
        return 2;
    }
    const QString out = QDir(parser.value("out")).absolutePath();
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "virtual-devices: cannot create %s\n", qPrintable(out));
        return 1;
    }

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
    for (TVirtualDevice* device : std::initializer_list<TVirtualDevice*>{printer.device(), &kitchen, &easyCheck, &display})
        device->setOutputFolder(out);
    easyCheck.setReply(reply);

    const QString env = QStringLiteral(
                            "VDEV_OUT=%1\nVDEV_PRINTER1=%2\nVDEV_EASYCHECK=%3\nVDEV_DISPLAY=%4\n"
                            "VDEV_KITCHEN_HOST=127.0.0.1\nVDEV_KITCHEN_PORT=%5\nVDEV_PID=%6\n"
                            "VDEV_PRINTER1_KIND=%7\nVDEV_PRINTER1_TYPE=%8\n")
                            .arg(out, printer.path(), easyCheck.path(), display.path())
                            .arg(kitchen.port())
                            .arg(QCoreApplication::applicationPid())
                            .arg(kind, printer.typeText());
    const QString ini = QStringLiteral(
                            "; POS.ini: the ports the terminal opens\n[SerialPorts]\nCOM1=%1\nCOM2=%2\nCOM4=%3\n"
                            "; POS.ini: the printer on COM1\n[Printer1]\nType=%5\n"
                            "; POSIP.ini: the kitchen printer\n[Kitchen]\nHost=127.0.0.1\nPort=%4\n")
                            .arg(printer.path(), easyCheck.path(), display.path())
                            .arg(kitchen.port())
                            .arg(printer.typeText());
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
        } else if (words.size() == 2 && words[0] == "printer" && printer.setState(words[1].toStdString())) {
            std::printf("printer: %s\n", qPrintable(words[1]));
        } else if (words.size() == 2 && words[0] == "printer-reply" && printer.setReplyLength(words[1])) {
            std::printf("printer-reply: %s bytes\n", qPrintable(words[1]));
        } else if (words.size() == 2 && words[0] == "easycheck" && EasyCheckReplyFromName(words[1].toStdString(), &reply)) {
            easyCheck.setReply(reply);
            std::printf("easycheck: %s\n", qPrintable(words[1]));
        } else {
            std::printf("commands: printer STATE | printer-reply 7|9 | easycheck REPLY | quit\n");
        }
        std::fflush(stdout);
    });

    return app.exec();
}
