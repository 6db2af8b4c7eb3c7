// Figures for the record import, the settings files, the grid sort and the quantity total on
// inputs far larger than an operator would give them.
#include "platform/flex_grid.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"
#include "routines/column_sorter.h"
#include "routines/quantity_total.h"
#include "routines/record_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace etq;

namespace {

class SilentMessageBox : public MessageBox {
  public:
    Answer show(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
};

// Wall time and the process's processor time since the timer started: on a shared machine
// the wall time also counts the other programs' turns.
class Timer {
  public:
    Timer() { restart(); }
    void restart() {
        wall_.start();
        cpu_ = std::clock();
    }
    void report(const char* what, qint64 items, const char* unit) const {
        const double wallMs = wall_.nsecsElapsed() / 1e6;
        const double cpuMs = (std::clock() - cpu_) * 1000.0 / CLOCKS_PER_SEC;
        std::printf("%-46s %8.1f ms wall %8.1f ms cpu %10.0f %s/s (cpu)\n", what, wallMs, cpuMs,
                    items * 1000.0 / cpuMs, unit);
    }

  private:
    QElapsedTimer wall_;
    std::clock_t cpu_;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// Records of 150 characters whose key field takes one of `keys` values.
QByteArray recordFile(int records, int keys, const QByteArray& separator) {
    QByteArray bytes = "HEADER 1" + separator + "HEADER 2" + separator;
    auto* random = QRandomGenerator::global();
    for (int i = 0; i < records; ++i) {
        QByteArray record = QByteArray::number(i).rightJustified(61, '0');
        record += QByteArray::number(random->bounded(keys)).leftJustified(45, ' ');
        record += QByteArray(44, 'r');
        bytes += record + separator;
    }
    return bytes + "FIM DO ARQUIVO" + separator;
}

void benchImport(const Folders& folders, const char* what, int optlinha,
                 const QByteArray& separator) {
    constexpr int kRecords = 200000;
    writeFile(QDir(folders.application).filePath("pedidos.txt"),
              recordFile(kRecords, 2000, separator));
    SilentMessageBox messages;
    RecordImport import(messages, folders);
    PlainTextField txtarquivo(QStringLiteral("pedidos"));
    QStringList registros, linhas, chaves;
    Timer timer;
    import.importa_arquivo({txtarquivo, optlinha, registros, linhas, chaves});
    timer.report(what, registros.size(), "records");
}

void benchSettings(const QString& folder) {
    const QString path = QDir(folder).filePath("big.ini");
    QByteArray bytes;
    for (int s = 0; s < 500; ++s) {
        bytes += "[Section" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20; ++k) {
            bytes += "Key" + QByteArray::number(k) + "=value " + QByteArray::number(s * k) + "\r\n";
        }
    }
    writeFile(path, bytes);
    constexpr int kReads = 200;
    Timer timer;
    for (int i = 0; i < kReads; ++i) {
        readProfileString(path, QStringLiteral("section%1").arg(i % 500), "KEY19", "none", 128);
    }
    timer.report("settings read, 10000-key file", kReads, "reads");
    constexpr int kWrites = 50;
    timer.restart();
    for (int i = 0; i < kWrites; ++i) {
        writeProfileString(path, QStringLiteral("Section%1").arg(i * 10), "Key5", "new");
    }
    timer.report("settings write, 10000-key file", kWrites, "writes");
}

void benchGrid() {
    constexpr int kRows = 32766;
    FlexGrid grid;
    grid.setCols(6);
    grid.setRows(kRows + 1);
    auto* random = QRandomGenerator::global();
    for (int row = 1; row < kRows; ++row) {
        grid.setTextMatrix(row, 0, QString::number(random->bounded(1, 100)));
        grid.setTextMatrix(row, 1, QStringLiteral("REF%1").arg(random->bounded(100000)));
        grid.setTextMatrix(row, 2, random->bounded(2) ? QStringLiteral("Ação") : "AZUL");
    }
    ColumnSorter sorter;
    Timer timer;
    sorter.ordena_coluna(0, grid);
    timer.report("ordena_coluna quantities, 32766 rows", kRows, "rows");
    timer.restart();
    sorter.ordena_coluna(1, grid);
    timer.report("ordena_coluna references, 32766 rows", kRows, "rows");
    timer.restart();
    sorter.ordena_coluna(1, grid);
    timer.report("ordena_coluna references again (descending)", kRows, "rows");
    PlainTextField label5;
    timer.restart();
    soma_etiquetas(grid, label5);
    timer.report("soma_etiquetas, 32766 rows", kRows, "rows");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QTemporaryDir root;
    QDir(root.path()).mkpath("app");
    QDir(root.path()).mkpath("c");
    const Folders folders{root.filePath("app"), root.filePath("c")};
    benchImport(folders, "importa_arquivo line mode, 200000 records", 1, "\r\n");
    benchImport(folders, "importa_arquivo separator mode, 200000 records", 0, "\x8D");
    benchSettings(root.path());
    benchGrid();
    return 0;
}
