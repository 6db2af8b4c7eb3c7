// Loads an item list of 32,766 items into the grid model and opens the window with it,
// printing the median times and the peak memory of the process.
#include "app/main_window.h"
#include "items/item_list_loader.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_pending_events.h"
#include "platform/qt/qt_printer_service.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kItems = 32766;
constexpr int kRuns = 7;

QByteArray itemList() {
    static const char* const colours[] = {"AZUL",
                                          "MARROM",
                                          "A\xC7"
                                          "AFR\xC3"
                                          "O",
                                          "VERDE LIM\xC3"
                                          "O",
                                          "PRETO",
                                          "CAF\xC9"};
    QByteArray text = "Referencia,Cor,Tamanho,Qte,Pedido\r\n";
    for (int i = 0; i < kItems; ++i) {
        text += "R" + QByteArray::number(10000 + i) + ',' + colours[i % 6] + ',' +
                QByteArray::number(34 + i % 11) + ',' + QByteArray::number(1 + i % 14) + ',' +
                QByteArray::number(4500 + i / 20) + "\r\n";
    }
    return text;
}

template <typename Run>
double medianMs(Run run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

class SilentMessages : public etq::MessageBox {
  public:
    Answer show(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("etiquetas.csv")));
    const QByteArray bytes = itemList();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the item list\n");
        return 1;
    }
    file.close();

    SilentMessages messages;
    const double load = medianMs([&] {
        etq::FlexGrid grid;
        grid.setCols(6);
        etq::Carrega_etiquetas(grid, messages, dir.path());
        if (grid.Rows() != kItems + 2) {
            std::fprintf(stderr, "loaded %d rows\n", grid.Rows());
            std::exit(1);
        }
    });

    etq::QtPrinterService printer;
    etq::QtPendingEvents events;
    etq::Platform platform{messages, printer, events, {dir.path(), dir.path()}};
    const double window = medianMs([&] {
        etq::MainWindow form(platform);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) {
            std::exit(1);
        }
    });

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("item list of %d items (%.1f MB)\n", kItems, bytes.size() / 1e6);
    std::printf("load into the grid model: %.1f ms (median of %d)\n", load, kRuns);
    std::printf("open and show the window with it: %.1f ms (median of %d)\n", window, kRuns);
    std::printf("peak memory of this process: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
