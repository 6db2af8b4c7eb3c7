#pragma once

#include <QObject>

class QMenu;
class QPoint;

namespace etq {

class MainWindow;
class MousePointer;
class WindowOperations;
struct Platform;

// The window's menu bar and the grid's context menu: the operations the window carries beyond
// sheet printing, each behind a dialog or run at once.
//   Arquivo:   Abrir etiquetas ZPL…, Importar registros…, Sair
//   Grade:     Total de etiquetas, Ordenar pela coluna atual
//   Impressão: Visualizar impressão…, Calibrar impressora…, Etiquetas térmicas (ZPL)…
// No menu title takes I or S as its access key: Alt+I prints and Alt+S leaves, as before.
class WindowMenus : public QObject {
    Q_OBJECT

  public:
    WindowMenus(MainWindow& window, Platform& platform, WindowOperations& operations,
                MousePointer& pointer);

  private:
    template <typename Dialog, typename... Args>
    void openDialog(Args&&... args);
    void total();
    void sortColumn(int col);
    void columnMenu(int col, const QPoint& globalPos);
    void preview();
    void calibrate();

    MainWindow& window_;
    Platform& platform_;
    WindowOperations& operations_;
    MousePointer& pointer_;
};

}  // namespace etq
