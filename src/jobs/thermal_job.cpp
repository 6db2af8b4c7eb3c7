#include "jobs/thermal_job.h"

#include "platform/error.h"

#include <QFile>
#include <QTemporaryDir>

namespace etq {

namespace {

// Notes that the job got as far as starting its batch, and starts nothing.
class HeldBatch : public CommandRunner {
  public:
    void startBatch(const QString&) override { started = true; }
    bool started = false;
};

}  // namespace

void printThermalLabels(ThermalLayout layout, qint16 first, qint16 last,
                        const MarketplaceJob& job) {
    if (layout == ThermalLayout::A) {
        imprime_wms_1(first, last, job);
    } else {
        imprime_wms_2(first, last, job);
    }
}

std::optional<QByteArray> thermalJobFile(ThermalLayout layout, qint16 first, qint16 last,
                                         FlexGrid& grid, DetailPanel& panel,
                                         const MarketplaceSettings& settings,
                                         MessageBox& messages) {
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        throw Error(Error::PathNotFound, QStringLiteral("thermalJobFile"), folder.errorString());
    }
    HeldBatch batch;
    printThermalLabels(layout, first, last,
                       {grid, panel, settings, messages, folder.path(), batch});
    if (!batch.started) {
        return std::nullopt;
    }
    QFile job(folder.filePath(QStringLiteral("epltemp.prn")));
    if (!job.open(QIODevice::ReadOnly)) {
        throw Error(Error::FileAccessError, QStringLiteral("thermalJobFile"), job.errorString());
    }
    return job.readAll();
}

}  // namespace etq
