// Prints N rows of 14 labels each through the sheet print job and the Qt printer service into
// a PDF file, and reports wall time, pages per second and peak memory.
//
// Usage: print_bench ROWS OUTPUT.pdf [CSV]   (CSV: also write the label texts for a peer)

#include "items/detail_panel.h"
#include "platform/qt/qt_printer_service.h"
#include "print/sheet_printing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr int kLabelsPerRow = 14;

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct RowTexts {
    QString reference, colour, size, order;
};

RowTexts textsOf(int row) {
    return {QStringLiteral("A%1").arg(row, 4, 10, QLatin1Char('0')),
            row % 2 ? QStringLiteral("AZUL MARINHO") : QStringLiteral("PRETO"),
            QString::number(34 + row % 12), QString::number(450000 + row)};
}

// One CSV record per label, the way a mail-merge peer prints one label per record.
bool writeCsv(const QString& path, int rows) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write("ref,cor,tam,ped\n");
    for (int row = 1; row <= rows; ++row) {
        const RowTexts t = textsOf(row);
        const QByteArray line =
            QStringLiteral("%1,%2,%3,%4\n").arg(t.reference, t.colour, t.size, t.order).toUtf8();
        for (int i = 0; i < kLabelsPerRow; ++i) {
            file.write(line);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROWS OUTPUT.pdf [LABELS.csv]\n", argv[0]);
        return 2;
    }
    const int rows = QString::fromLocal8Bit(argv[1]).toInt();
    if (rows < 1 || rows > 32000) {
        std::fprintf(stderr, "ROWS must lie between 1 and 32000\n");
        return 2;
    }
    if (argc > 3 && !writeCsv(QString::fromLocal8Bit(argv[3]), rows)) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }

    etq::FlexGrid grid;
    grid.setCols(6);
    grid.setRows(rows + 2);
    for (int row = 1; row <= rows; ++row) {
        const RowTexts t = textsOf(row);
        const QString cells[] = {QString::number(kLabelsPerRow),
                                 t.reference,
                                 t.colour,
                                 t.size,
                                 t.order,
                                 QStringLiteral("N")};
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(row, col, cells[col]);
        }
    }
    etq::PlainTextField ref, cor, num, qte, ped, linha;
    etq::DetailPanel panel{ref, cor, num, qte, ped, linha};
    etq::QtPrinterService printer;
    printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));

    const long baselineKb = peakResidentKb();
    QElapsedTimer timer;
    timer.start();
    etq::imprime_etiquetas(grid, panel, printer, QString(), 1, static_cast<qint16>(rows), 1, 1);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const int labels = rows * kLabelsPerRow;
    const int pages = (labels + 13) / 14;
    std::printf(
        "labels %d  pages %d  wall %.3f s  pages/s %.0f  peak RSS %.1f MB (%.1f MB "
        "before printing)  PDF %.1f MB\n",
        labels, pages, seconds, pages / seconds, peakResidentKb() / 1024.0, baselineKb / 1024.0,
        QFile(QString::fromLocal8Bit(argv[2])).size() / 1048576.0);
    return 0;
}
