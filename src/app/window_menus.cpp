#include "app/window_menus.h"

#include "app/calibration_dialog.h"
#include "app/item_grid.h"
#include "app/label_stream_dialog.h"
#include "app/main_window.h"
#include "app/record_import_dialog.h"
#include "app/thermal_label_dialog.h"
#include "app/window_operations.h"
#include "items/item_columns.h"
#include "platform/error.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_calibration.h"
#include "routines/settings_files.h"

#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace etq {

namespace {

template <typename Functor>
QAction* addItem(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                 Functor&& functor) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, menu, std::forward<Functor>(functor));
    return action;
}

}  // namespace

WindowMenus::WindowMenus(MainWindow& window, Platform& platform, WindowOperations& operations,
                         MousePointer& pointer)
    : QObject(&window),
      window_(window),
      platform_(platform),
      operations_(operations),
      pointer_(pointer) {
    auto* bar = new QMenuBar;
    QMenu* file = bar->addMenu(QStringLiteral("&Arquivo"));
    addItem(file, QStringLiteral("Abrir etiquetas &ZPL…"), QKeySequence(Qt::CTRL | Qt::Key_O),
            [this] { openDialog<LabelStreamDialog>(window_, platform_, pointer_); });
    addItem(file, QStringLiteral("I&mportar registros…"), {},
            [this] { openDialog<RecordImportDialog>(&window_, platform_.messages, operations_); });
    file->addSeparator();
    addItem(file, QStringLiteral("Sai&r"), QKeySequence(Qt::CTRL | Qt::Key_Q),
            [this] { window_.close(); });

    QMenu* grid = bar->addMenu(QStringLiteral("&Grade"));
    addItem(grid, QStringLiteral("&Total de etiquetas"), QKeySequence(Qt::Key_F9),
            [this] { total(); });
    addItem(grid, QStringLiteral("&Ordenar pela coluna atual"), {},
            [this] { sortColumn(window_.grid().Col()); });

    QMenu* printing = bar->addMenu(QStringLiteral("Im&pressão"));
    addItem(printing, QStringLiteral("&Visualizar impressão…"), QKeySequence(Qt::CTRL | Qt::Key_F2),
            [this] { preview(); });
    addItem(printing, QStringLiteral("&Calibrar impressora…"), {}, [this] { calibrate(); });
    printing->addSeparator();
    addItem(printing, QStringLiteral("Etiquetas &térmicas (ZPL)…"), {},
            [this] { openDialog<ThermalLabelDialog>(window_, platform_, operations_); });
    window_.setMenuBar(bar);

    // A right click on a column, on its header or on one of its cells, offers to sort by it.
    ItemGrid* view = window_.FLEX1;
    QHeaderView* header = view->horizontalHeader();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
        const int col = view->columnAt(pos.x());
        columnMenu(col, view->viewport()->mapToGlobal(pos));
    });
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        columnMenu(header->logicalIndexAt(pos), header->mapToGlobal(pos));
    });
}

template <typename Dialog, typename... Args>
void WindowMenus::openDialog(Args&&... args) {
    auto* dialog = new Dialog(std::forward<Args>(args)...);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void WindowMenus::total() {
    try {
        operations_.soma_etiquetas();
    } catch (const Error& error) {
        platform_.messages.show(error.description(), MessageBox::Buttons::Ok,
                                MessageBox::Icon::Exclamation, MessageBox::warningTitle());
    }
}

// The grid keeps its empty last row at the end, where new rows are written: a sort would
// otherwise move it among the items (an empty text sorts before any other), and the next
// rows read into the grid would overwrite the item that ended up last.
void WindowMenus::sortColumn(int col) {
    FlexGrid& grid = window_.grid();
    if (col < 0 || col >= grid.Cols()) {
        return;
    }
    const bool hadFocus = window_.FLEX1->hasFocus();
    const bool endsEmpty = isEmptyRow(grid, grid.Rows() - 1);
    operations_.ordena_coluna(static_cast<std::int16_t>(col), grid);
    for (int row = FlexGrid::FixedRows; endsEmpty && row < grid.Rows() - 1; ++row) {
        if (isEmptyRow(grid, row)) {
            grid.RemoveItem(row);
            grid.setRows(grid.Rows() + 1);
            break;
        }
    }
    // The sort hides the grid for a moment, which takes the focus away from it.
    if (hadFocus) {
        window_.FLEX1->setFocus();
    }
}

void WindowMenus::columnMenu(int col, const QPoint& globalPos) {
    if (col < 0) {
        return;
    }
    auto* menu = new QMenu(&window_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(QStringLiteral("&Ordenar por esta coluna")), &QAction::triggered, this,
            [this, col] { sortColumn(col); });
    menu->popup(globalPos);
}

// The preview draws the pages with the very code that prints them, on the preview's printer;
// printing from the preview draws them again on the printer its print dialog sets up.
void WindowMenus::preview() {
    const auto request = window_.sheetRequest();
    if (!request) {
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(request->printerName);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    auto* dialog = new QPrintPreviewDialog(printer.get(), &window_);
    dialog->setWindowTitle(QStringLiteral("Visualizar impressão"));
    dialog->resize(900, 700);  // room for the whole toolbar, the print button included
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QString settings = settingsFilePath(platform_.folders);
    connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
            [this, printer, request = *request, settings](QPrinter* target) {
                // A printer of the system has its own calibration; a file takes the one of the
                // printer chosen in the window.
                const bool system = target->outputFormat() == QPrinter::NativeFormat &&
                                    !target->printerName().isEmpty();
                QtPrinterService service(*target);
                printSheetLabels(settings, window_.grid(), window_.panel(), service,
                                 system ? target->printerName() : request.printerName,
                                 request.first, request.last, request.startRow,
                                 request.startColumn);
            });
    dialog->open();
}

void WindowMenus::calibrate() {
    const QString printer = window_.CMBPRINTER->currentText();
    if (printer.isEmpty()) {
        platform_.messages.show(QStringLiteral("Escolha a impressora antes de calibrá-la."),
                                MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                                MessageBox::warningTitle());
        return;
    }
    openDialog<CalibrationDialog>(&window_, platform_, printer);
}

}  // namespace etq
