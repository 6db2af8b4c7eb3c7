#pragma once

#include "app/work_dialog.h"

class QDoubleSpinBox;

namespace etq {

struct Platform;

// "Calibrar impressora": the horizontal and vertical offsets, in millimetres, that every sheet
// label printed to one printer is shifted by, kept per printer in the settings file; prints a
// calibration sheet with the offsets shown, to hold against a label sheet.
class CalibrationDialog : public WorkDialog {
    Q_OBJECT

  public:
    CalibrationDialog(QWidget* window, Platform& platform, const QString& printerName);

  private:
    void save();
    void printSheet();

    Platform& platform_;
    QString printerName_;
    QDoubleSpinBox* horizontal_ = nullptr;
    QDoubleSpinBox* vertical_ = nullptr;
};

}  // namespace etq
