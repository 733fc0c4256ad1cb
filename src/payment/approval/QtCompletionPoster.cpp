#include "payment/approval/QtCompletionPoster.h"

#include <QMetaObject>
#include <QObject>

namespace pos {

TQtCompletionPoster::TQtCompletionPoster() : receiver_(std::make_unique<QObject>()) {}

TQtCompletionPoster::~TQtCompletionPoster() = default;

void TQtCompletionPoster::Post(std::function<void()> aTask)
{
    QMetaObject::invokeMethod(receiver_.get(), std::move(aTask), Qt::QueuedConnection);
}

}  // namespace pos
