#pragma once

#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/platform.h"
#include "platform/qt/widget_text_field.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace etq {

class ItemGrid;

// Form1, the program's one window: the item grid, the detail panel, the sheet position, the
// printer list and the two buttons, laid out at fixed twip positions in a client area of fixed
// size, with room for a menu bar above it. Construction runs the start-up sequence (printers,
// grid columns, item list, sheet position).
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    FlexGrid& grid() { return grid_; }
    DetailPanel& panel() { return panel_; }

    // Puts the menu bar above the client area; the window grows by its height.
    void setMenuBar(QMenuBar* menuBar);

    // What a print of sheet labels covers: the selected rows, the first slot and the printer.
    struct SheetRequest {
        qint16 first;
        qint16 last;
        qint16 startRow;
        qint16 startColumn;
        QString printerName;
    };
    // The request the print button makes; none, after telling the operator, when the
    // selection starts at the header row.
    std::optional<SheetRequest> sheetRequest();

    // Copies grid row m_posicao into the detail panel.
    void pega_rec(const qint16& m_posicao);
    // Moves the focus as the window's key-down does outside the grid: Enter and Down to the
    // next control in tab order, Up to the previous one. The move is queued behind the key
    // being handled, so the focused control still gets that key first.
    void proximo(const qint16& tecla);

    // Key codes of the window's key-down event.
    static constexpr qint16 KeyEnter = 13;
    static constexpr qint16 KeyUp = 38;
    static constexpr qint16 KeyDown = 40;

    // Client area of the window, in twips.
    static constexpr int ClientWidthTwips = 9780;
    static constexpr int ClientHeightTwips = 6855;

  protected:
    // Key preview: while a control other than the grid has the focus, the window sees its
    // keys first and moves the focus with Enter and the arrow keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void Form_Load();
    void connectHandlers();
    void command1_Click();

    Platform& platform_;
    FlexGrid grid_;
    bool keyPreview_ = false;
    // The last print range.
    qint16 firstRow_ = 0;
    qint16 lastRow_ = 0;

  public:
    // The client area, which holds the controls below; its origin is the top-left corner of
    // the twip layout.
    QWidget* client = nullptr;
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
