#pragma once
// One device port: its transport (a serial port or a TCP connection), its
// receive buffer and its job queue.
//
// Jobs on a port run one at a time, in the order they were queued; a job that
// waits for its printer keeps the port until it finishes, so a job started by
// a timer or another screen meanwhile waits its turn instead of mixing its
// bytes into the first one. Waits are asynchronous: a job hands the port a
// continuation and returns to the event loop, so the screen keeps painting and
// no driver code ever runs inside another.
//
// Received bytes accumulate in the buffer until a job empties it, so an answer
// that arrives in several pieces is seen whole.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QIODevice;
class QSerialPort;
class QTcpSocket;

namespace pos {

class TDevicePort : public QObject {
    Q_OBJECT
public:
    using Next = std::function<void()>;
    using Done = std::function<void(bool)>;
    // A job gets the function that ends it; it must call it exactly once.
    using Job = std::function<void(Next aFinish)>;

    explicit TDevicePort(QString aName, QObject* aParent = nullptr);
    ~TDevicePort() override;

    const QString& name() const { return name_; }

    // Serial transport: 8 data bits, no parity, one stop bit, no flow control,
    // DTR and RTS inactive. False with aError when the port cannot be opened.
    bool openSerial(const QString& aPath, qint32 aBaudRate, QString* aError = nullptr);
    // TCP transport: aDone(true) once connected, aDone(false) on refusal, an
    // unknown host or the time running out.
    void connectTcp(const QString& aHost, quint16 aPort, int aTimeoutMs, Done aDone);
    // Ends the TCP connection once every written byte has left; aDone(false)
    // when they could not all be delivered.
    void closeTcp(int aTimeoutMs, Done aDone);
    void close();
    // For the end of the program: gives written bytes up to aTimeoutMs to
    // leave, then closes.
    void flushAndClose(int aTimeoutMs);
    bool isOpen() const;

    // Hands bytes to the transport. False when the port is closed or the
    // transport refused them; a later failure shows in writeFailed().
    bool write(std::string_view aBytes);
    bool writeFailed() const { return writeFailed_; }
    // Starts a new exchange: an earlier failed write no longer counts.
    void clearWriteFailed() { writeFailed_ = false; }
    // aDone(true) once every written byte has gone to the device.
    void drain(int aTimeoutMs, Done aDone);

    void clearReceived() { received_.clear(); }
    const std::string& received() const { return received_; }

    // Continues with aNext after aMs, letting the event loop run meanwhile.
    void pause(int aMs, Next aNext);
    // aDone(true) as soon as aComplete says the received bytes hold a whole
    // answer (checked at once and after every arrival), aDone(false) when
    // aTimeoutMs pass first.
    void awaitReply(std::function<bool(std::string_view)> aComplete, int aTimeoutMs, Done aDone);

    void enqueue(Job aJob);
    // A job runs or waits to run.
    bool busy() const { return running_ || !queue_.empty(); }

signals:
    void busyChanged(bool aBusy);
    // Every piece of received bytes, after it was added to the buffer.
    void bytesArrived(const QByteArray& aChunk);

private:
    // One wait at a time: aCheck says whether it is over (and with what
    // result); it is asked on every event of the transport.
    void waitUntil(std::function<std::optional<bool>()> aCheck, int aTimeoutMs, Done aDone);
    void poll();
    void finishWait(bool aResult);
    void onReadyRead();
    void onError();
    void startNext();
    void setRunning(bool aRunning);
    QIODevice* io() const;
    qint64 bytesToWrite() const;
    void dropTransport();

    QString name_;
    QSerialPort* serial_ = nullptr;
    QTcpSocket* tcp_ = nullptr;
    bool writeFailed_ = false;
    bool tcpFailed_ = false;
    std::string received_;

    QTimer waitTimer_;
    std::function<std::optional<bool>()> waitCheck_;
    Done waitDone_;

    std::deque<Job> queue_;
    bool running_ = false;
    bool startPosted_ = false;
    bool busyReported_ = false;
    quint64 jobSerial_ = 0;
};

// Runs one asynchronous device operation to its end and gives its result,
// for callers that need it before they go on. The event loop keeps running
// (painting, timers, the device's own events) but takes no user input; timers
// that could start device work check TDevices::busy() and skip their turn.
bool WaitForDone(const std::function<void(std::function<void(bool)>)>& aStart);

}  // namespace pos
