#pragma once

#include "app/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/platform.h"
#include "platform/qt/widget_text_field.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace etq {

class ItemGrid;

// Form1, the program's one window: the item grid, the detail panel, the sheet position, the
// printer list and the two buttons, laid out at fixed twip positions in a window of fixed size.
// Construction runs the start-up sequence (printers, grid columns, item list, sheet position).
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    FlexGrid& grid() { return grid_; }
    DetailPanel& panel() { return panel_; }

    // Client area of the window, in twips.
    static constexpr int ClientWidthTwips = 9780;
    static constexpr int ClientHeightTwips = 6855;

  private:
    void buildControls();
    void Form_Load();

    Platform& platform_;
    FlexGrid grid_;

  public:
    // The controls, named as the window names them.
    ItemGrid* FLEX1 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtreduzido = nullptr;
    QLabel* lblinha = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* combolinha = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* combocoluna = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* txtdescricao2 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* txtnumero = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtQte = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtpedido = nullptr;
    QLabel* lblprinterdefault = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* CMBPRINTER = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* Command2 = nullptr;

  private:
    LineEditField txtreduzidoField_{nullptr};
    LineEditField txtdescricao2Field_{nullptr};
    LineEditField txtnumeroField_{nullptr};
    LineEditField txtQteField_{nullptr};
    LineEditField txtpedidoField_{nullptr};
    LabelField lblinhaField_{nullptr};
    DetailPanel panel_;
};

}  // namespace etq
