#pragma once

#include "app/work_dialog.h"

#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace etq {

class MainWindow;
class WindowOperations;
struct Platform;

// "Etiquetas térmicas (ZPL)": the eight settings of the thermal label job, kept in the settings
// file, the layout and the grid rows to print; runs imprime_wms_1 (layout A) or imprime_wms_2
// (layout B) on the window's grid.
class ThermalLabelDialog : public WorkDialog {
    Q_OBJECT

  public:
    ThermalLabelDialog(MainWindow& window, Platform& platform, WindowOperations& operations);

  private:
    void run();
    void offerNewDestination(const QString& destino);

    Platform& platform_;
    WindowOperations& operations_;
    std::array<QLineEdit*, 7> fields_{};
    QComboBox* destino_ = nullptr;
    QRadioButton* layoutB_ = nullptr;
    QSpinBox* first_ = nullptr;
    QSpinBox* last_ = nullptr;
};

}  // namespace etq
