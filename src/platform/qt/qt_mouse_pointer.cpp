#include "platform/qt/qt_mouse_pointer.h"

#include <QGuiApplication>

namespace etq {

void QtMousePointer::setDefault() {
    while (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace etq
