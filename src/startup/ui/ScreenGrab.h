#pragma once
// A picture of the whole screen on request: SIGUSR1 makes the terminal save
// what its display shows into a PNG file. The demo runs the terminal under a
// virtual display where nobody can see it; "scripts/demo shot" asks for the
// picture this way.

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace pos {

class TScreenGrabOnSignal : public QObject {
    Q_OBJECT
public:
    // aFile is replaced whole on each request (written beside it, then renamed).
    explicit TScreenGrabOnSignal(QString aFile, QObject* aParent = nullptr);
    ~TScreenGrabOnSignal() override;

    // Saves the screen now; false when it cannot be written.
    bool Grab() const;

private:
    void onSignal();

    QString file_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace pos
