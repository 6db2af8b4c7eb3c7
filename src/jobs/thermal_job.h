#pragma once

#include "zpl/marketplace_job.h"

#include <QByteArray>

#include <optional>

namespace etq {

// The two label layouts of the marketplace job.
enum class ThermalLayout { A, B };

// imprime_wms_1 (layout A) or imprime_wms_2 (layout B) over the job.
void printThermalLabels(ThermalLayout layout, qint16 first, qint16 last, const MarketplaceJob& job);

// The job file that printThermalLabels would write for these rows, without running the print
// batch: the job runs in a temporary folder, so epltemp.prn and printmorv.bat of the
// application folder stay as they are. Nothing when the job refused (its message shown);
// file failures raise etq::Error. The rows get their printed mark as in a real job.
std::optional<QByteArray> thermalJobFile(ThermalLayout layout, qint16 first, qint16 last,
                                         FlexGrid& grid, DetailPanel& panel,
                                         const MarketplaceSettings& settings, MessageBox& messages);

}  // namespace etq
