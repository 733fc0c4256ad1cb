#pragma once
// A pseudo-terminal standing in for a serial device: the terminal opens the
// slave side by its path like any serial port; the virtual device reads and
// writes the master side. The slave is held open here too, in raw mode, so the
// master keeps working while the terminal closes and reopens its port.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <string_view>

class QSocketNotifier;

namespace pos::virt {

class TPty : public QObject {
    Q_OBJECT
public:
    explicit TPty(QObject* aParent = nullptr);
    ~TPty() override;

    bool open(QString* aError = nullptr);
    bool isOpen() const { return master_ >= 0; }
    const QString& slavePath() const { return slavePath_; }
    // Bytes to the terminal.
    bool write(std::string_view aBytes);

signals:
    void received(const QByteArray& aBytes);

private:
    void onReadable();
    void closeAll();

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace pos::virt
