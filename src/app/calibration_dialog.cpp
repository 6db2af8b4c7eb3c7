#include "app/calibration_dialog.h"

#include "jobs/calibration_sheet.h"
#include "platform/platform.h"
#include "print/printer_calibration.h"
#include "routines/settings_files.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace etq {

namespace {

QDoubleSpinBox* offsetBox(const char* name, double millimetres) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(-Calibration::Limit, Calibration::Limit);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(millimetres);
    return box;
}

}  // namespace

CalibrationDialog::CalibrationDialog(QWidget* window, Platform& platform,
                                     const QString& printerName)
    : WorkDialog(platform.messages, QStringLiteral("Calibrar impressora"), window),
      platform_(platform),
      printerName_(printerName) {
    const Calibration current = readCalibration(settingsFilePath(platform.folders), printerName);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Impressora:"), new QLabel(printerName));
    horizontal_ = offsetBox("horizontal", current.x);
    vertical_ = offsetBox("vertical", current.y);
    form->addRow(QStringLiteral("&Horizontal (+ para a direita):"), horizontal_);
    form->addRow(QStringLiteral("&Vertical (+ para baixo):"), vertical_);
    QDialogButtonBox* box = buttons(QStringLiteral("&Gravar"), [this] { save(); });
    QPushButton* sheet =
        box->addButton(QStringLiteral("Imprimir folha de &teste"), QDialogButtonBox::ActionRole);
    sheet->setObjectName(QStringLiteral("sheet"));
    sheet->setAutoDefault(false);
    connect(sheet, &QPushButton::clicked, this, &CalibrationDialog::printSheet);
    form->addRow(box);
}

void CalibrationDialog::save() {
    const QString path = settingsFilePath(platform_.folders);
    if (!writeCalibration(path, printerName_, {horizontal_->value(), vertical_->value()})) {
        warn(QStringLiteral("A calibração não pôde ser gravada em %1.")
                 .arg(QDir::toNativeSeparators(path)));
        return;
    }
    accept();
}

// The sheet shows the offsets as they stand in the dialog, saved or not, so the operator can
// try a correction before keeping it.
void CalibrationDialog::printSheet() {
    runWork([this] {
        printCalibrationSheet(platform_.printer, platform_.events, printerName_,
                              {horizontal_->value(), vertical_->value()});
    });
}

}  // namespace etq
