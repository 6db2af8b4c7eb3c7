#pragma once

#include "app/work_dialog.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace etq {

class MainWindow;
class MousePointer;
struct Platform;

// "Abrir etiquetas ZPL": a ZPL label stream from a file, or pasted, read into the window's grid
// by item (Pega_Itens) or label by label (SEPARA_1, or SEPARA_2 for markers in any letter
// case), with the busy pointer while the window keeps repainting.
class LabelStreamDialog : public WorkDialog {
    Q_OBJECT

  public:
    LabelStreamDialog(MainWindow& window, Platform& platform, MousePointer& pointer);

  private:
    void run();

    MainWindow& window_;
    Platform& platform_;
    MousePointer& pointer_;
    QLineEdit* file_ = nullptr;
    QPlainTextEdit* pasted_ = nullptr;
    QRadioButton* separa1_ = nullptr;
    QRadioButton* separa2_ = nullptr;
};

}  // namespace etq
