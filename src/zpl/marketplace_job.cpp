#include "zpl/marketplace_job.h"
#include "platform/blanks.h"

#include "platform/error.h"
#include "platform/folders.h"
#include "platform/text_encoding.h"
#include "zpl/marketplace_label.h"
#include "zpl/marketplace_layout.h"
#include "zpl/marketplace_text.h"
#include "zpl/marketplace_text_file.h"
#include "zpl/marketplace_values.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <utility>

namespace etq {

namespace {

const QString kJobFile = QStringLiteral("epltemp.prn");
const QString kBatchFile = QStringLiteral("printmorv.bat");
constexpr int kMarkColumn = 8;
// The texts of a row that a label prints, besides its quantity.
constexpr std::pair<int, const char16_t*> kPrintedCells[] = {
    {column::Referencia, u"Referência"}, {column::Cor, u"Cor"}, {column::Tamanho, u"Tamanho"}};

// The message for the first row of the range whose quantity is not a count or whose texts hold
// a character the job cannot carry; rows beyond the grid are left to the job itself, which
// fails on them as it reaches them.
QString rowProblem(const FlexGrid& grid, int first, int last) {
    for (int row = std::max(first, 0); row <= last && row < grid.Rows(); ++row) {
        const QString quantity = trimBlanks(grid.TextMatrix(row, column::Qte)).toString();
        if (!isDecimalDigits(quantity)) {
            return QStringLiteral("A quantidade da linha %1 não é um número inteiro: \"%2\".")
                .arg(row)
                .arg(quantity);
        }
        for (const auto& [col, name] : kPrintedCells) {
            const QString character = outsideWindows1252(grid.TextMatrix(row, col));
            if (!character.isEmpty()) {
                return unprintableProblem(QStringLiteral("A linha %1 da grade (%2)")
                                              .arg(row)
                                              .arg(QString::fromUtf16(name)),
                                          character);
            }
        }
    }
    return {};
}

void removeOldJob(const QString& path) {
    QFile old(path);
    if (QFileInfo::exists(path) && !old.remove()) {
        throw Error(Error::FileAccessError, QStringLiteral("imprime_wms"),
                    QDir::toNativeSeparators(path) + QStringLiteral(": ") + old.errorString());
    }
}

void imprime_wms(const MarketplaceLayout& layout, qint16 linha_ini, qint16 linha_fim,
                 const MarketplaceJob& job) {
    QString problem;
    const std::optional<MarketplaceValues> values = readMarketplaceValues(job.settings, problem);
    if (problem.isEmpty()) {
        problem = rowProblem(job.grid, linha_ini, linha_fim);
    }
    if (!problem.isEmpty()) {
        job.messages.show(problem + QStringLiteral("\nNenhuma etiqueta foi impressa."),
                          MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                          MessageBox::warningTitle());
        return;
    }

    const QString jobPath = fileInFolder(job.applicationFolder, kJobFile);
    removeOldJob(jobPath);
    AppendedTextFile prn(jobPath);
    prn.writeLine(QStringLiteral("~SD") + values->densidade);
    {
        FlexGrid::Batch batch(job.grid);
        job.grid.widenHidden(kMarkColumn + 1);
        for (int row = linha_ini; row <= linha_fim; ++row) {
            const auto i = static_cast<qint16>(row);
            pega_rec(job.grid, job.panel, i);
            job.grid.setTextMatrix(i, kMarkColumn, QStringLiteral("S"));
            const MarketplaceRow texts{job.panel.txtQte.text(), job.panel.txtreduzido.text(),
                                       job.panel.txtdescricao2.text(), job.panel.txtnumero.text()};
            for (const QString& line : marketplaceLabel(layout, *values, texts)) {
                prn.writeLine(line);
            }
        }
    }
    prn.close();

    if (!QFileInfo::exists(fileInFolder(job.applicationFolder, kBatchFile))) {
        AppendedTextFile bat(fileInFolder(job.applicationFolder, kBatchFile));
        bat.writeLine(QStringLiteral("type epltemp.prn > ") + values->destino);
        bat.close();
    }
    job.runner.startBatch(fileInFolder(job.applicationFolder, QStringLiteral("printmorv.BAT")));
}

}  // namespace

void imprime_wms_1(qint16 linha_ini, qint16 linha_fim, const MarketplaceJob& job) {
    imprime_wms(kLayoutA, linha_ini, linha_fim, job);
}

void imprime_wms_2(qint16 linha_ini, qint16 linha_fim, const MarketplaceJob& job) {
    imprime_wms(kLayoutB, linha_ini, linha_fim, job);
}

}  // namespace etq
