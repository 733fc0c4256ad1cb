#include "devices/DevicePort.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTcpSocket>

#include <memory>

namespace pos {
namespace {

// A port that nobody reads from still must not grow without end: only the
// latest bytes can belong to an answer.
constexpr std::size_t kReceiveLimit = 64 * 1024;

}  // namespace

TDevicePort::TDevicePort(QString aName, QObject* aParent) : QObject(aParent), name_(std::move(aName))
{
    waitTimer_.setSingleShot(true);
    connect(&waitTimer_, &QTimer::timeout, this, [this] { finishWait(false); });
}

TDevicePort::~TDevicePort()
{
    // The transport goes first, while this object is still whole, so none of
    // its last signals can reach a half-destroyed port.
    dropTransport();
}

void TDevicePort::dropTransport()
{
    if (serial_) {
        serial_->disconnect(this);
        serial_->close();
        delete serial_;
        serial_ = nullptr;
    }
    if (tcp_) {
        tcp_->disconnect(this);
        tcp_->abort();
        delete tcp_;
        tcp_ = nullptr;
    }
}

QIODevice* TDevicePort::io() const
{
    if (serial_) return serial_;
    return tcp_;
}

bool TDevicePort::isOpen() const
{
    if (serial_) return serial_->isOpen();
    return tcp_ && tcp_->state() == QAbstractSocket::ConnectedState;
}

bool TDevicePort::openSerial(const QString& aPath, qint32 aBaudRate, QString* aError)
{
    dropTransport();
    writeFailed_ = false;
    received_.clear();
    serial_ = new QSerialPort(this);
    serial_->setPortName(aPath);
    serial_->setBaudRate(aBaudRate);
    serial_->setDataBits(QSerialPort::Data8);
    serial_->setParity(QSerialPort::NoParity);
    serial_->setStopBits(QSerialPort::OneStop);
    serial_->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_->open(QIODevice::ReadWrite)) {
        if (aError) *aError = serial_->errorString();
        dropTransport();
        return false;
    }
    // Line signals held inactive. A pseudo-terminal has none; that is no
    // reason to refuse the port.
    serial_->setDataTerminalReady(false);
    serial_->setRequestToSend(false);
    serial_->clearError();
    connect(serial_, &QSerialPort::readyRead, this, &TDevicePort::onReadyRead);
    connect(serial_, &QSerialPort::bytesWritten, this, &TDevicePort::poll);
    connect(serial_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) return;
        onError();
    });
    return true;
}

void TDevicePort::connectTcp(const QString& aHost, quint16 aPort, int aTimeoutMs, Done aDone)
{
    dropTransport();
    writeFailed_ = false;
    tcpFailed_ = false;
    received_.clear();
    tcp_ = new QTcpSocket(this);
    connect(tcp_, &QTcpSocket::readyRead, this, &TDevicePort::onReadyRead);
    connect(tcp_, &QTcpSocket::bytesWritten, this, &TDevicePort::poll);
    connect(tcp_, &QTcpSocket::connected, this, &TDevicePort::poll);
    connect(tcp_, &QTcpSocket::disconnected, this, &TDevicePort::poll);
    connect(tcp_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        tcpFailed_ = true;
        onError();
    });
    waitUntil(
        [this]() -> std::optional<bool> {
            if (tcpFailed_) return false;
            if (tcp_ && tcp_->state() == QAbstractSocket::ConnectedState) return true;
            return std::nullopt;
        },
        aTimeoutMs, [this, aDone = std::move(aDone)](bool aOk) {
            if (!aOk && tcp_) tcp_->abort();
            aDone(aOk);
        });
    if (aPort == 0 || aHost.isEmpty()) tcpFailed_ = true;  // nowhere to go: fails at the first check
    else tcp_->connectToHost(aHost, aPort);
}

void TDevicePort::closeTcp(int aTimeoutMs, Done aDone)
{
    if (!tcp_) {
        aDone(false);
        return;
    }
    const bool wasConnected = tcp_->state() == QAbstractSocket::ConnectedState;
    tcp_->disconnectFromHost();  // sends what is still buffered first
    waitUntil(
        [this]() -> std::optional<bool> {
            if (writeFailed_) return false;
            if (tcp_->state() == QAbstractSocket::UnconnectedState) return tcp_->bytesToWrite() == 0;
            return std::nullopt;
        },
        aTimeoutMs, [this, wasConnected, aDone = std::move(aDone)](bool aOk) {
            if (tcp_ && tcp_->state() != QAbstractSocket::UnconnectedState) tcp_->abort();
            aDone(aOk && wasConnected);
        });
}

void TDevicePort::close()
{
    if (serial_) serial_->close();
    if (tcp_) tcp_->abort();
}

void TDevicePort::flushAndClose(int aTimeoutMs)
{
    if (serial_ && serial_->isOpen() && serial_->bytesToWrite() > 0) serial_->waitForBytesWritten(aTimeoutMs);
    close();
}

bool TDevicePort::write(std::string_view aBytes)
{
    QIODevice* device = io();
    if (!device || !isOpen()) {
        writeFailed_ = true;
        return false;
    }
    const qint64 n = device->write(aBytes.data(), static_cast<qint64>(aBytes.size()));
    if (n != static_cast<qint64>(aBytes.size())) writeFailed_ = true;
    return !writeFailed_;
}

qint64 TDevicePort::bytesToWrite() const
{
    QIODevice* device = io();
    return device ? device->bytesToWrite() : 0;
}

void TDevicePort::drain(int aTimeoutMs, Done aDone)
{
    waitUntil(
        [this]() -> std::optional<bool> {
            if (writeFailed_ || !isOpen()) return false;
            if (bytesToWrite() == 0) return true;
            return std::nullopt;
        },
        aTimeoutMs, std::move(aDone));
}

void TDevicePort::pause(int aMs, Next aNext)
{
    waitUntil([]() -> std::optional<bool> { return std::nullopt; }, aMs, [aNext = std::move(aNext)](bool) { aNext(); });
}

void TDevicePort::awaitReply(std::function<bool(std::string_view)> aComplete, int aTimeoutMs, Done aDone)
{
    waitUntil(
        [this, aComplete = std::move(aComplete)]() -> std::optional<bool> {
            if (aComplete(received_)) return true;
            return std::nullopt;
        },
        aTimeoutMs, std::move(aDone));
}

void TDevicePort::waitUntil(std::function<std::optional<bool>()> aCheck, int aTimeoutMs, Done aDone)
{
    // A job does one thing at a time; a second wait would mean a driver lost
    // track of its own steps.
    Q_ASSERT(!waitDone_);
    waitCheck_ = std::move(aCheck);
    waitDone_ = std::move(aDone);
    waitTimer_.start(aTimeoutMs < 0 ? 0 : aTimeoutMs);
    // The answer may be there already; look once the caller has returned.
    QTimer::singleShot(0, this, &TDevicePort::poll);
}

void TDevicePort::poll()
{
    if (!waitDone_ || !waitCheck_) return;
    if (const std::optional<bool> result = waitCheck_()) finishWait(*result);
}

void TDevicePort::finishWait(bool aResult)
{
    if (!waitDone_) return;
    waitTimer_.stop();
    Done done = std::move(waitDone_);
    waitDone_ = nullptr;
    waitCheck_ = nullptr;
    done(aResult);
}

void TDevicePort::onReadyRead()
{
    QIODevice* device = io();
    if (!device) return;
    const QByteArray chunk = device->readAll();
    if (chunk.isEmpty()) return;
    received_.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    if (received_.size() > kReceiveLimit) received_.erase(0, received_.size() - kReceiveLimit);
    emit bytesArrived(chunk);
    poll();
}

void TDevicePort::onError()
{
    // A failed write, a vanished device or a lost connection: whatever waits
    // on this port learns it at its next check.
    if (serial_ && serial_->error() != QSerialPort::NoError) {
        writeFailed_ = true;
        if (serial_->error() == QSerialPort::ResourceError) serial_->close();
    }
    if (tcp_ && tcp_->state() != QAbstractSocket::ConnectedState) writeFailed_ = writeFailed_ || tcp_->bytesToWrite() > 0;
    poll();
}

void TDevicePort::enqueue(Job aJob)
{
    queue_.push_back(std::move(aJob));
    setRunning(running_);  // busy may have changed
    if (!running_ && !startPosted_) {
        startPosted_ = true;
        QTimer::singleShot(0, this, &TDevicePort::startNext);
    }
}

void TDevicePort::startNext()
{
    startPosted_ = false;
    if (running_ || queue_.empty()) {
        setRunning(running_);
        return;
    }
    Job job = std::move(queue_.front());
    queue_.pop_front();
    const quint64 serial = ++jobSerial_;
    setRunning(true);
    job([this, serial] {
        if (serial != jobSerial_ || !running_) return;  // a second call of the same finish
        ++jobSerial_;
        running_ = false;
        if (!queue_.empty()) {
            startPosted_ = true;
            QTimer::singleShot(0, this, &TDevicePort::startNext);
        }
        setRunning(false);
    });
}

void TDevicePort::setRunning(bool aRunning)
{
    running_ = aRunning;
    const bool nowBusy = busy();
    if (busyReported_ != nowBusy) {
        busyReported_ = nowBusy;
        emit busyChanged(nowBusy);
    }
}

bool WaitForDone(const std::function<void(std::function<void(bool)>)>& aStart)
{
    QEventLoop loop;
    auto state = std::make_shared<std::optional<bool>>();
    aStart([state, &loop](bool aOk) {
        *state = aOk;
        loop.quit();
    });
    // Input stays out while the operation runs; everything else goes on.
    while (!state->has_value()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return **state;
}

}  // namespace pos
