#pragma once

#include "app/main_window.h"
#include "fakes/counting_pending_events.h"
#include "fakes/recording_printer.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"

#include <memory>

namespace etq::test {

// One run of the program for a window test: a temporary application folder, scripted message
// boxes, a printer service (recording by default) and the window, opened by start() on the
// item list given (none when null) once the test has put its printers in place.
template <typename Printer = RecordingPrinter>
struct WindowSession {
    TempFolders temp;
    ScriptedMessageBox messages;
    Printer printer;
    CountingPendingEvents events;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<MainWindow> window;

    MainWindow& start(const QByteArray& items = QByteArray()) {
        if (!items.isNull()) {
            temp.writeAppFile(QStringLiteral("etiquetas.csv"), items);
        }
        platform = std::make_unique<Platform>(Platform{messages, printer, events, temp.folders()});
        window = std::make_unique<MainWindow>(*platform);
        return *window;
    }
};

}  // namespace etq::test
