// Times the marketplace label job: rows written per second into epltemp.prn, and the field
// escapes alone. Prints figures; never fails on speed.
#include "platform/command_runner.h"
#include "platform/message_box.h"
#include "platform/text_field.h"
#include "zpl/marketplace_job.h"
#include "zpl/zpl_escape.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace etq;

namespace {

class SilentMessages : public MessageBox {
  public:
    Answer show(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
};

class NoRunner : public CommandRunner {
  public:
    void startBatch(const QString&) override {}
};

void benchJob(int rows, int layout) {
    QTemporaryDir dir;
    FlexGrid grid;
    grid.setCols(6);
    grid.setRows(rows + 2);
    for (int row = 1; row <= rows; ++row) {
        grid.setTextMatrix(row, 0, QString::number(1 + row % 9));
        grid.setTextMatrix(row, 1, QStringLiteral("REF%1^X").arg(row));
        grid.setTextMatrix(row, 2, QStringLiteral("AZUL MARINHO"));
        grid.setTextMatrix(row, 3, QStringLiteral("38"));
    }
    PlainTextField ref, cor, num, qte, ped, lbl;
    DetailPanel panel{ref, cor, num, qte, ped, lbl};
    PlainTextField densidade(QStringLiteral("15")), velocidade(QStringLiteral("4")), margem,
        fornecedor(QStringLiteral("F-77")), descricao(QStringLiteral("CAMISA POLO MANGA CURTA")),
        terceiro(QStringLiteral("T900")), barras(QStringLiteral("7891234567890")),
        destino(QStringLiteral("out.prn"));
    MarketplaceSettings settings{densidade, velocidade, margem, fornecedor,
                                 descricao, terceiro,   barras, destino};
    SilentMessages messages;
    NoRunner runner;
    const MarketplaceJob job{grid, panel, settings, messages, dir.path(), runner};

    QElapsedTimer timer;
    timer.start();
    (layout == 1 ? imprime_wms_1 : imprime_wms_2)(1, static_cast<qint16>(rows), job);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const qint64 bytes = QFileInfo(dir.filePath(QStringLiteral("epltemp.prn"))).size();
    std::printf("imprime_wms_%d  %6d rows  %9.1f ms  %8.0f rows/s  %6.2f MB job file\n", layout,
                rows, ms, rows / (ms / 1000.0), static_cast<double>(bytes) / 1e6);
}

void benchEscapes() {
    const QString data = QStringLiteral("REF^1~2\\3 AZUL\nMARINHO 38 >:7891234567890 ");
    constexpr int kRounds = 1000000;
    qsizetype total = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i) {
        total += zplHexEscaped(data).size() + code128Escaped(data).size();
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("escapes        %d x 2 fields of %lld chars  %9.1f ms  %6.0f ns/field (%lld)\n",
                kRounds, static_cast<long long>(data.size()), ms, ms * 1e6 / (2.0 * kRounds),
                static_cast<long long>(total));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (const int rows : {100, 1000, 10000, 32000}) {
        benchJob(rows, 1);
    }
    benchJob(32000, 2);
    benchEscapes();
    return 0;
}
