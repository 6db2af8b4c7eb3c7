#pragma once

#include "items/detail_panel.h"
#include "platform/command_runner.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"
#include "zpl/marketplace_settings.h"

#include <QString>
#include <QtGlobal>

namespace etq {

// What a marketplace label job works with: the item grid and the detail panel through which it
// reads rows, the eight settings fields, the operator's message boxes, the application folder
// that holds epltemp.prn and printmorv.bat, and the runner of the print batch.
struct MarketplaceJob {
    FlexGrid& grid;
    DetailPanel& panel;
    const MarketplaceSettings& settings;
    MessageBox& messages;
    QString applicationFolder;
    CommandRunner& runner;
};

// Writes one label format per grid row linha_ini to linha_fim (none when linha_ini is greater)
// into a new epltemp.prn, marks each row "S" in grid column 8, creates printmorv.bat when it is
// missing and starts it without waiting. Settings or quantities that would corrupt the job are
// refused by message before anything is written or deleted. File failures raise etq::Error,
// leaving the lines already written; the batch is then not run.
// Layout A.
void imprime_wms_1(qint16 linha_ini, qint16 linha_fim, const MarketplaceJob& job);
// Layout B: the lower lines 10 dots higher, a narrower box, the supplier code before the colour.
void imprime_wms_2(qint16 linha_ini, qint16 linha_fim, const MarketplaceJob& job);

}  // namespace etq
