#include "VirtualDevices.h"

#include "ReceiptImage.h"
#include "TicketImage.h"

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
    keepDocument(std::move(aDoc), [this] { return RenderReceipt(documents_.back()); });
}

void TVirtualDevice::keepDocument(TPrintDocument aDoc, const std::function<QImage()>& aDraw)
{
    documents_.push_back(std::move(aDoc));
    const TPrintDocument& doc = documents_.back();
    const int index = int(documents_.size());
    const QString stem = QStringLiteral("%1-%2").arg(name_).arg(index, 4, 10, QLatin1Char('0'));
    keepReadable("==== " + stem.toStdString() + " ====\n" + doc.readable);
    writeFile(stem + ".txt", doc.readable, false);
    // Drawing needs the fonts of a GUI application; a console run keeps text.
    if (!folder_.isEmpty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        aDraw().save(QDir(folder_).filePath(stem + ".png"));
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
    case TPrinterState::NineByteReply: return "nine-byte-reply";
    case TPrinterState::CutterError: return "cutter-error";
    case TPrinterState::HeadError: return "head-error";
    case TPrinterState::Unrecoverable: return "unrecoverable-error";
    case TPrinterState::BufferFull: return "buffer-full";
    }
    return "?";
}

bool StateFromName(const std::string& aName, TPrinterState* aState)
{
    for (TPrinterState s : {TPrinterState::Ready, TPrinterState::PaperOut, TPrinterState::CoverOpen,
                            TPrinterState::OffLine, TPrinterState::SplitReply, TPrinterState::NoReply,
                            TPrinterState::NineByteReply, TPrinterState::CutterError, TPrinterState::HeadError,
                            TPrinterState::Unrecoverable, TPrinterState::BufferFull}) {
        if (aName == StateName(s)) {
            *aState = s;
            return true;
        }
    }
    return false;
}

std::string TVirtualReceiptPrinter::StatusReply(TPrinterState aState, bool aNineBytes)
{
    // The first byte is the header: it announces the length of the answer
    // (bits 1-3 and 5; 0x0F seven bytes, 0x23 nine) with bits 0 set and 4
    // and 7 clear. The second byte is the firmware version. Then the status
    // bytes: byte 3 bit 3 off line, bit 5 cover open; byte 4 bit 3 cutter
    // error, bit 5 unrecoverable error, bit 6 head too hot; byte 5 bit 6
    // receive buffer full; byte 6 bit 3 paper out. A printer that is not on
    // line always sets the off-line bit as well.
    if (aState == TPrinterState::NoReply) return {};
    if (aState == TPrinterState::NineByteReply) aNineBytes = true;
    // The nine-byte answer carries two more status bytes at its end; the
    // seven it shares with the older one mean the same.
    std::string reply = aNineBytes ? std::string("\x23\x00\x00\x00\x00\x00\x00\x00\x00", 9)
                                   : std::string("\x0f\x00\x00\x00\x00\x00\x00", 7);
    auto offLine = [&](std::size_t aByte, char aBit) {
        reply[2] |= 0x08;
        reply[aByte - 1] |= aBit;
    };
    switch (aState) {
    case TPrinterState::PaperOut: offLine(6, 0x08); break;
    case TPrinterState::CoverOpen: offLine(3, 0x20); break;
    case TPrinterState::OffLine: offLine(3, 0x08); break;
    case TPrinterState::CutterError: offLine(4, 0x08); break;
    case TPrinterState::Unrecoverable: offLine(4, 0x20); break;
    case TPrinterState::HeadError: offLine(4, 0x40); break;
    case TPrinterState::BufferFull: offLine(5, 0x40); break;
    default: break;
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

namespace {

// Answers a Star status request on aPty as a printer in aState does; a split
// answer comes in two writes aSplitDelayMs apart.
void answerStarStatus(TPty& aPty, TPrinterState aState, bool aNineBytes, int aSplitDelayMs, QObject* aContext)
{
    const std::string reply = TVirtualReceiptPrinter::StatusReply(aState, aNineBytes);
    if (aState == TPrinterState::SplitReply) {
        aPty.write(std::string_view(reply).substr(0, 3));
        QTimer::singleShot(aSplitDelayMs, aContext, [&aPty, rest = reply.substr(3)] { aPty.write(rest); });
    } else if (!reply.empty()) {
        aPty.write(reply);
    }
}

}  // namespace

void TVirtualReceiptPrinter::answerStatus()
{
    ++statusRequests_;
    keepReadable(std::string("<STATUS REQUEST: ") + StateName(state_) + ">\n");
    answerStarStatus(pty_, state_, nineBytes_, splitDelayMs_, this);
    emit statusRequested();
}

// ---- TSP800 in page mode -----------------------------------------------------

TVirtualPagePrinter::TVirtualPagePrinter(QString aName, QObject* aParent) : TVirtualDevice(std::move(aName), aParent)
{
    decoder_.onStatusRequest = [this] {
        ++statusRequests_;
        keepReadable(std::string("<STATUS REQUEST: ") + StateName(state_) + ">\n");
        answerStarStatus(pty_, state_, false, 30, this);
        emit statusRequested();
    };
    decoder_.onPage = [this](TPagePrint aPage) {
        pages_.push_back(std::move(aPage));
        TPrintDocument doc;
        doc.readable = pages_.back().readable();
        doc.cut = pages_.back().cut ? "full" : "";
        keepDocument(std::move(doc), [this] { return RenderPage(pages_.back()); });
    };
    connect(&pty_, &TPty::received, this, [this](const QByteArray& aBytes) {
        keepRaw(aBytes);
        decoder_.feed(std::string_view(aBytes.constData(), std::size_t(aBytes.size())));
    });
}

bool TVirtualPagePrinter::open(QString* aError) { return pty_.open(aError); }

// ---- Boca and Flotec -----------------------------------------------------------

const char* BocaStateName(TBocaState aState)
{
    switch (aState) {
    case TBocaState::Ready: return "ready";
    case TBocaState::PaperOut: return "paper-out";
    case TBocaState::PaperJam: return "paper-jam";
    case TBocaState::JamOnce: return "jam-once";
    case TBocaState::OffLine: return "off-line";
    case TBocaState::CutterError: return "cutter-error";
    case TBocaState::NoReply: return "no-reply";
    }
    return "?";
}

bool BocaStateFromName(const std::string& aName, TBocaState* aState)
{
    for (TBocaState s : {TBocaState::Ready, TBocaState::PaperOut, TBocaState::PaperJam, TBocaState::JamOnce,
                         TBocaState::OffLine, TBocaState::CutterError, TBocaState::NoReply}) {
        if (aName == BocaStateName(s)) {
            *aState = s;
            return true;
        }
    }
    return false;
}

std::string TVirtualBoca::StatusReply(TBocaState aState)
{
    // DC1 (17) is ready; the other answers name what is wrong: 10 paper out,
    // 24 paper jammed, 19 off line, 29 cutter.
    switch (aState) {
    case TBocaState::Ready:
    case TBocaState::JamOnce: return "\x11";
    case TBocaState::PaperOut: return "\x0a";
    case TBocaState::PaperJam: return "\x18";
    case TBocaState::OffLine: return "\x13";
    case TBocaState::CutterError: return "\x1d";
    case TBocaState::NoReply: break;
    }
    return {};
}

TVirtualBoca::TVirtualBoca(QString aName, bool aFlotec, QObject* aParent)
    : TVirtualDevice(std::move(aName), aParent), flotec_(aFlotec)
{
    decoder_.onStatusRequest = [this] {
        ++statusRequests_;
        keepReadable(std::string("<STATUS REQUEST: ") + BocaStateName(state_) + ">\n");
        pty_.write(StatusReply(state_));
        emit statusRequested();
    };
    decoder_.onStart = [this] {
        ++starts_;
        keepReadable("<START>\n");
    };
    decoder_.onTicket = [this](TBocaTicket aTicket) {
        tickets_.push_back(std::move(aTicket));
        TPrintDocument doc;
        doc.readable = std::string(flotec_ ? "<FLOTEC TICKET>\n" : "<BOCA TICKET>\n") + tickets_.back().readable();
        doc.cut = tickets_.back().cut ? "full" : "";
        keepDocument(std::move(doc), [this] { return RenderBocaTicket(tickets_.back()); });
        // The paper jams in the cutter once: the printer says so by itself.
        if (state_ == TBocaState::JamOnce) {
            state_ = TBocaState::Ready;
            pty_.write("\x18");
        }
    };
    connect(&pty_, &TPty::received, this, [this](const QByteArray& aBytes) {
        keepRaw(aBytes);
        decoder_.feed(std::string_view(aBytes.constData(), std::size_t(aBytes.size())));
    });
}

bool TVirtualBoca::open(QString* aError) { return pty_.open(aError); }

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
