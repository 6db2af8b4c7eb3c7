#include "platform/qt/qt_pending_events.h"

#include <QCoreApplication>

namespace etq {

void QtPendingEvents::process() {
    QCoreApplication::processEvents();
}

}  // namespace etq
