#include "app/main_window.h"
#include "app/window_menus.h"
#include "app/window_operations.h"
#include "cli/command_line.h"
#include "platform/batch_runner.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_mouse_pointer.h"
#include "platform/qt/qt_pending_events.h"
#include "platform/qt/qt_printer_service.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a terse message; tell the operator what is missing instead.
bool hasDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    // A command runs without a window; no arguments open the window.
    if (argc > 1) {
        return etq::runCommandLine(argc, argv);
    }
    if (!hasDisplay()) {
        std::fputs(
            "etiquetas: não há tela disponível (DISPLAY não definido). Inicie o programa "
            "numa sessão gráfica, ou com QT_QPA_PLATFORM=offscreen para testes.\n",
            stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("etiquetas"));

    etq::QtMessageBox messages;
    etq::QtPrinterService printer;
    etq::QtPendingEvents events;
    etq::Platform platform{messages, printer, events, etq::Folders::standard()};
    // The print batch names its job file without a folder, as a batch started from the
    // program's folder would: work there.
    QDir::setCurrent(platform.folders.application);
    etq::MainWindow window(platform);
    messages.setParent(&window);
    etq::BatchRunner commands(messages, platform.folders);
    etq::QtMousePointer pointer;
    etq::WindowOperations operations(window, platform, commands, pointer);
    etq::WindowMenus menus(window, platform, operations, pointer);
    window.show();
    return app.exec();
}
