#pragma once
// The virtual devices the terminal can be pointed at instead of hardware:
// a Star receipt printer, the ticket printers (TSP800 in page mode, Boca,
// Flotec), the network kitchen printer, the EasyCheck card terminal and the
// customer display. Each keeps the raw bytes it received and
// decodes them into readable text; the printers also into documents that can
// be drawn as images. With an output folder set, each device writes what it
// got there as it goes:
//   <name>.raw                 every byte received
//   <name>.txt                 the readable text of everything printed
//   <name>-0001.txt / .png     one file pair per cut (printers)
//   <name>-now.txt             the display as it shows now

#include "BocaDecoder.h"
#include "PageDecoder.h"
#include "PrintDocument.h"
#include "PrinterDecoders.h"
#include "Pty.h"
#include "SlipDecoders.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

#include <memory>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace pos::virt {

// Common part: raw bytes, documents, the output folder.
class TVirtualDevice : public QObject {
    Q_OBJECT
public:
    TVirtualDevice(QString aName, QObject* aParent);

    const QString& name() const { return name_; }
    void setOutputFolder(const QString& aFolder) { folder_ = aFolder; }
    const std::string& raw() const { return raw_; }
    const std::vector<TPrintDocument>& documents() const { return documents_; }
    // Everything readable so far, one device's log.
    const std::string& readable() const { return readable_; }

signals:
    void documentPrinted(int aIndex);
    void changed();

protected:
    void keepRaw(const QByteArray& aBytes);
    void keepReadable(const std::string& aText);
    void keepDocument(TPrintDocument aDoc);
    // A document with a picture of its own (tickets); aDraw is only called
    // when the picture is written.
    void keepDocument(TPrintDocument aDoc, const std::function<QImage()>& aDraw);
    void writeFile(const QString& aFileName, const std::string& aBytes, bool aAppend) const;

    QString name_;
    QString folder_;
    std::string raw_;
    std::string readable_;
    std::vector<TPrintDocument> documents_;
};

// How a virtual Star printer answers a status request: on line (in seven
// bytes, nine bytes as the newer firmware sends, or in two pieces), off line
// by cause, or not at all.
enum class TPrinterState {
    Ready,
    PaperOut,
    CoverOpen,
    OffLine,
    SplitReply,
    NoReply,
    NineByteReply,
    CutterError,
    HeadError,
    Unrecoverable,
    BufferFull,
};
const char* StateName(TPrinterState aState);
bool StateFromName(const std::string& aName, TPrinterState* aState);

class TVirtualReceiptPrinter : public TVirtualDevice {
    Q_OBJECT
public:
    explicit TVirtualReceiptPrinter(QString aName = "printer1", QObject* aParent = nullptr);

    bool open(QString* aError = nullptr);
    QString path() const { return pty_.slavePath(); }
    void setState(TPrinterState aState) { state_ = aState; }
    TPrinterState state() const { return state_; }
    // The newer firmware answers every state in nine bytes instead of seven.
    void setNineByteReplies(bool aNine) { nineBytes_ = aNine; }
    bool nineByteReplies() const { return nineBytes_; }
    // Pause between the two pieces of a split answer.
    void setSplitDelay(int aMs) { splitDelayMs_ = aMs; }
    int statusRequests() const { return statusRequests_; }
    int drawerKicks() const { return drawerKicks_; }
    // Readable text of the paper not cut yet.
    std::string pendingText() const { return decoder_.builder().snapshot().readable; }

    // The bytes a printer in aState answers (empty: no answer), in seven
    // bytes or, from the newer firmware, nine.
    static std::string StatusReply(TPrinterState aState, bool aNineBytes = false);

signals:
    void statusRequested();
    void drawerKicked();

private:
    void answerStatus();

    TPty pty_;
    TStarDecoder decoder_;
    TPrinterState state_ = TPrinterState::Ready;
    bool nineBytes_ = false;
    int splitDelayMs_ = 30;
    int statusRequests_ = 0;
    int drawerKicks_ = 0;
};

// A TSP800 in page mode on a pseudo-terminal: answers status requests like
// the receipt printer and decodes each printed page into its fields, text and
// a picture.
class TVirtualPagePrinter : public TVirtualDevice {
    Q_OBJECT
public:
    explicit TVirtualPagePrinter(QString aName = "printer1", QObject* aParent = nullptr);

    bool open(QString* aError = nullptr);
    QString path() const { return pty_.slavePath(); }
    void setState(TPrinterState aState) { state_ = aState; }
    TPrinterState state() const { return state_; }
    int statusRequests() const { return statusRequests_; }
    const std::vector<TPagePrint>& pages() const { return pages_; }

signals:
    void statusRequested();

private:
    TPty pty_;
    TStarPageDecoder decoder_;
    TPrinterState state_ = TPrinterState::Ready;
    int statusRequests_ = 0;
    std::vector<TPagePrint> pages_;
};

// How a virtual Boca or Flotec answers its status request (one byte), and
// whether it reports a jam by itself after the next ticket.
enum class TBocaState { Ready, PaperOut, PaperJam, JamOnce, OffLine, CutterError, NoReply };
const char* BocaStateName(TBocaState aState);
bool BocaStateFromName(const std::string& aName, TBocaState* aState);

class TVirtualBoca : public TVirtualDevice {
    Q_OBJECT
public:
    // aFlotec: the same language under the other maker's name.
    explicit TVirtualBoca(QString aName = "printer1", bool aFlotec = false, QObject* aParent = nullptr);

    bool open(QString* aError = nullptr);
    QString path() const { return pty_.slavePath(); }
    bool flotec() const { return flotec_; }
    void setState(TBocaState aState) { state_ = aState; }
    TBocaState state() const { return state_; }
    int statusRequests() const { return statusRequests_; }
    int startCommands() const { return starts_; }
    const std::vector<TBocaTicket>& tickets() const { return tickets_; }
    // Sends status bytes unasked, as the printer does when something goes
    // wrong while it prints.
    void reportStatus(std::string_view aBytes) { pty_.write(aBytes); }

    // The byte a printer in aState answers a status request with (none: no
    // answer).
    static std::string StatusReply(TBocaState aState);

signals:
    void statusRequested();

private:
    TPty pty_;
    TBocaDecoder decoder_;
    bool flotec_;
    TBocaState state_ = TBocaState::Ready;
    int statusRequests_ = 0;
    int starts_ = 0;
    std::vector<TBocaTicket> tickets_;
};

class TVirtualKitchenPrinter : public TVirtualDevice {
    Q_OBJECT
public:
    explicit TVirtualKitchenPrinter(QString aName = "kitchen", QObject* aParent = nullptr);
    ~TVirtualKitchenPrinter() override;

    // Listens on the loopback interface; aPort 0 takes a free port.
    bool listen(quint16 aPort = 0, QString* aError = nullptr);
    void stop();
    quint16 port() const;
    int connections() const { return connections_; }

private:
    void onConnection();

    QTcpServer* server_;
    int connections_ = 0;
};

enum class TEasyCheckReply { Ack, SplitAck, Nak, NoReply };
bool EasyCheckReplyFromName(const std::string& aName, TEasyCheckReply* aReply);

class TVirtualEasyCheck : public TVirtualDevice {
    Q_OBJECT
public:
    explicit TVirtualEasyCheck(QString aName = "easycheck", QObject* aParent = nullptr);

    bool open(QString* aError = nullptr);
    QString path() const { return pty_.slavePath(); }
    void setReply(TEasyCheckReply aReply) { reply_ = aReply; }
    const std::vector<std::string>& frames() const { return frames_; }

private:
    TPty pty_;
    TEasyCheckDecoder decoder_;
    TEasyCheckReply reply_ = TEasyCheckReply::Ack;
    std::vector<std::string> frames_;
};

class TVirtualDisplay : public TVirtualDevice {
    Q_OBJECT
public:
    explicit TVirtualDisplay(QString aName = "display", QObject* aParent = nullptr);

    bool open(QString* aError = nullptr);
    QString path() const { return pty_.slavePath(); }
    const TDisplayDecoder& display() const { return decoder_; }

private:
    TPty pty_;
    TDisplayDecoder decoder_;
};

}  // namespace pos::virt
