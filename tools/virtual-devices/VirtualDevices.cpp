#include "VirtualDevices.h"

#include "ReceiptImage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace pos::virt {

// ---- common ----------------------------------------------------------------

TVirtualDevice::TVirtualDevice(QString aName, QObject* aParent) : QObject(aParent), name_(std::move(aName)) {}

void TVirtualDevice::writeFile(const QString& aFileName, const std::string& aBytes, bool aAppend) const
{
    if (folder_.isEmpty()) return;
    QFile file(QDir(folder_).filePath(aFileName));
    if (!file.open(aAppend ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate)) return;
    file.write(aBytes.data(), qint64(aBytes.size()));
}

void TVirtualDevice::keepRaw(const QByteArray& aBytes)
{
    raw_.append(aBytes.constData(), std::size_t(aBytes.size()));
    writeFile(name_ + ".raw", aBytes.toStdString(), true);
    emit changed();
}

void TVirtualDevice::keepReadable(const std::string& aText)
{
    readable_ += aText;
    writeFile(name_ + ".txt", aText, true);
}

void TVirtualDevice::keepDocument(TPrintDocument aDoc)
{
    documents_.push_back(std::move(aDoc));
    const TPrintDocument& doc = documents_.back();
    const int index = int(documents_.size());
    const QString stem = QStringLiteral("%1-%2").arg(name_).arg(index, 4, 10, QLatin1Char('0'));
    keepReadable("==== " + stem.toStdString() + " ====\n" + doc.readable);
    writeFile(stem + ".txt", doc.readable, false);
    // Drawing needs the fonts of a GUI application; a console run keeps text.
    if (!folder_.isEmpty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        RenderReceipt(doc).save(QDir(folder_).filePath(stem + ".png"));
    emit documentPrinted(index - 1);
}

// ---- receipt printer -------------------------------------------------------

const char* StateName(TPrinterState aState)
{
    switch (aState) {
    case TPrinterState::Ready: return "ready";
    case TPrinterState::PaperOut: return "paper-out";
    case TPrinterState::CoverOpen: return "cover-open";
    case TPrinterState::OffLine: return "off-line";
    case TPrinterState::SplitReply: return "split-reply";
    case TPrinterState::NoReply: return "no-reply";
    }
    return "?";
}

bool StateFromName(const std::string& aName, TPrinterState* aState)
{
    for (TPrinterState s : {TPrinterState::Ready, TPrinterState::PaperOut, TPrinterState::CoverOpen,
                            TPrinterState::OffLine, TPrinterState::SplitReply, TPrinterState::NoReply}) {
        if (aName == StateName(s)) {
            *aState = s;
            return true;
        }
    }
    return false;
}

std::string TVirtualReceiptPrinter::StatusReply(TPrinterState aState)
{
    // Header (seven bytes), version, then status bytes 1-5: byte 3 bit 3 off
    // line, bit 5 cover open; byte 6 bit 3 paper out.
    std::string reply("\x0f\x00\x00\x00\x00\x00\x00", 7);
    switch (aState) {
    case TPrinterState::Ready:
    case TPrinterState::SplitReply: break;
    case TPrinterState::PaperOut: reply[2] = 0x08; reply[5] = 0x08; break;
    case TPrinterState::CoverOpen: reply[2] = 0x28; break;
    case TPrinterState::OffLine: reply[2] = 0x08; break;
    case TPrinterState::NoReply: return {};
    }
    return reply;
}

TVirtualReceiptPrinter::TVirtualReceiptPrinter(QString aName, QObject* aParent)
    : TVirtualDevice(std::move(aName), aParent)
{
    decoder_.onStatusRequest = [this] { answerStatus(); };
    decoder_.onDrawerKick = [this] {
        ++drawerKicks_;
        keepReadable("<DRAWER KICK>\n");
        emit drawerKicked();
    };
    decoder_.onDocument = [this](TPrintDocument aDoc) { keepDocument(std::move(aDoc)); };
    connect(&pty_, &TPty::received, this, [this](const QByteArray& aBytes) {
        keepRaw(aBytes);
        decoder_.feed(std::string_view(aBytes.constData(), std::size_t(aBytes.size())));
    });
}

bool TVirtualReceiptPrinter::open(QString* aError) { return pty_.open(aError); }

void TVirtualReceiptPrinter::answerStatus()
{
    ++statusRequests_;
    keepReadable(std::string("<STATUS REQUEST: ") + StateName(state_) + ">\n");
    const std::string reply = StatusReply(state_);
    if (state_ == TPrinterState::SplitReply) {
        pty_.write(std::string_view(reply).substr(0, 3));
        QTimer::singleShot(splitDelayMs_, this, [this, rest = reply.substr(3)] { pty_.write(rest); });
    } else if (!reply.empty()) {
        pty_.write(reply);
    }
    emit statusRequested();
}

// ---- kitchen printer -------------------------------------------------------

TVirtualKitchenPrinter::TVirtualKitchenPrinter(QString aName, QObject* aParent)
    : TVirtualDevice(std::move(aName), aParent), server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, &TVirtualKitchenPrinter::onConnection);
}

TVirtualKitchenPrinter::~TVirtualKitchenPrinter() = default;

bool TVirtualKitchenPrinter::listen(quint16 aPort, QString* aError)
{
    if (server_->listen(QHostAddress::LocalHost, aPort)) return true;
    if (aError) *aError = server_->errorString();
    return false;
}

void TVirtualKitchenPrinter::stop() { server_->close(); }

quint16 TVirtualKitchenPrinter::port() const { return server_->serverPort(); }

void TVirtualKitchenPrinter::onConnection()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        ++connections_;
        // One slip per connection: a decoder of its own.
        auto decoder = std::make_shared<TEscPosDecoder>();
        decoder->onDocument = [this](TPrintDocument aDoc) { keepDocument(std::move(aDoc)); };
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, decoder] {
            const QByteArray bytes = socket->readAll();
            keepRaw(bytes);
            decoder->feed(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, decoder] {
            // Text after the last cut (or a slip never cut) is kept as well.
            TPrintDocument rest = decoder->builder().snapshot();
            bool printed = false;
            for (const TPrintLine& line : rest.lines) printed = printed || !line.runs.empty() || line.logo;
            if (printed) keepDocument(std::move(rest));
            socket->deleteLater();
        });
    }
}

// ---- EasyCheck terminal ----------------------------------------------------

bool EasyCheckReplyFromName(const std::string& aName, TEasyCheckReply* aReply)
{
    if (aName == "ack") *aReply = TEasyCheckReply::Ack;
    else if (aName == "split-ack") *aReply = TEasyCheckReply::SplitAck;
    else if (aName == "nak") *aReply = TEasyCheckReply::Nak;
    else if (aName == "no-reply") *aReply = TEasyCheckReply::NoReply;
    else return false;
    return true;
}

TVirtualEasyCheck::TVirtualEasyCheck(QString aName, QObject* aParent) : TVirtualDevice(std::move(aName), aParent)
{
    decoder_.onFrame = [this](const std::string& aFrame, const std::string& aReadable) {
        frames_.push_back(aFrame);
        TPrintDocument doc;
        doc.readable = aReadable;
        keepDocument(std::move(doc));
        switch (reply_) {
        case TEasyCheckReply::Ack: pty_.write("\x06\x06\x06"); break;
        case TEasyCheckReply::SplitAck:
            pty_.write("\x06");
            QTimer::singleShot(30, this, [this] { pty_.write("\x06\x06"); });
            break;
        case TEasyCheckReply::Nak: pty_.write("\x15"); break;
        case TEasyCheckReply::NoReply: break;
        }
    };
    connect(&pty_, &TPty::received, this, [this](const QByteArray& aBytes) {
        keepRaw(aBytes);
        decoder_.feed(std::string_view(aBytes.constData(), std::size_t(aBytes.size())));
    });
}

bool TVirtualEasyCheck::open(QString* aError) { return pty_.open(aError); }

// ---- customer display ------------------------------------------------------

TVirtualDisplay::TVirtualDisplay(QString aName, QObject* aParent) : TVirtualDevice(std::move(aName), aParent)
{
    decoder_.onChange = [this] {
        const std::string shown = decoder_.readable();
        writeFile(name_ + "-now.txt", shown, false);
        keepReadable(shown);
    };
    connect(&pty_, &TPty::received, this, [this](const QByteArray& aBytes) {
        keepRaw(aBytes);
        decoder_.feed(std::string_view(aBytes.constData(), std::size_t(aBytes.size())));
    });
}

bool TVirtualDisplay::open(QString* aError) { return pty_.open(aError); }

}  // namespace pos::virt
