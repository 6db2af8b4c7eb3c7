#pragma once

#include "app/work_dialog.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace etq {

class WindowOperations;

// "Importar registros": the record import of the window (importa_arquivo) on the file named in
// txtarquivo, typed as the import takes it or chosen, in line or separator mode (optlinha), and
// the three lists it fills with their counts: kept records, lines read back, distinct keys.
class RecordImportDialog : public WorkDialog {
    Q_OBJECT

  public:
    RecordImportDialog(QWidget* window, MessageBox& messages, WindowOperations& operations);

  private:
    void run();

    WindowOperations& operations_;
    QLineEdit* txtarquivo_ = nullptr;
    QRadioButton* optlinha_ = nullptr;
    std::array<QLabel*, 3> captions_{};
    std::array<QListWidget*, 3> lists_{};
};

}  // namespace etq
