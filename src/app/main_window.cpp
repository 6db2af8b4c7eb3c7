#include "app/main_window.h"

#include "app/access_key_button.h"
#include "app/caption_label.h"
#include "app/item_grid.h"
#include "app/twips.h"
#include "items/grid_editing.h"
#include "items/item_list_loader.h"
#include "platform/resume_next.h"
#include "print/printer_calibration.h"
#include "print/sheet_printing.h"
#include "routines/settings_files.h"

#include <QApplication>

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace etq {

namespace {

const QColor kBackground(255, 224, 192);

const QString kItemListName = QStringLiteral("etiquetas.csv");

enum class FontKind { Default, Arial975Bold, Arial9Bold };

// The window's fonts. "MS Sans Serif" 8.25 pt, the grid's font and the default font of the
// other controls, is not on this system: Liberation Sans Narrow comes closest to its widths
// (the letters a-z and A-Z average 5.3 pixels at 96 dpi against about 5.8, where the
// system's default sans face takes 6.8 and Liberation Sans 6.4), so captions that fit there
// fit here. "Arial" resolves to its metric twin, Liberation Sans.
QFont fontOf(FontKind kind) {
    QFont font;
    if (kind == FontKind::Default) {
        font.setFamilies(
            {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow")});
        font.setPointSizeF(8.25);
        return font;
    }
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(kind == FontKind::Arial9Bold ? 9.0 : 9.75);
    font.setBold(true);
    return font;
}

void paintBackground(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kBackground);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), panel_{txtreduzidoField_, txtdescricao2Field_,
                                                   txtnumeroField_,   txtQteField_,
                                                   txtpedidoField_,   lblinhaField_} {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Impressão Etiquetas "));
    paintBackground(this);
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    paintBackground(client);
    // The window keeps one size, that of its client area and menu bar; minimising and
    // restoring still work.
    client->setFixedSize(twipsToPixelsX(*this, ClientWidthTwips),
                         twipsToPixelsY(*this, ClientHeightTwips));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);
    buildControls();
    Form_Load();
    connectHandlers();
    layout->activate();
    FLEX1->setFocus();
}

// The controls go first: the grid view and the panel fields refer to members of the window.
MainWindow::~MainWindow() {
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void MainWindow::setMenuBar(QMenuBar* menuBar) {
    menuBar->setParent(this);
    layout()->setMenuBar(menuBar);
    layout()->activate();
}

void MainWindow::buildControls() {
    auto place = [&](QWidget* widget, const char* name, QWidget* container, QRect twips,
                     FontKind font) {
        widget->setParent(container);
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(twipsRect(*this, twips.x(), twips.y(), twips.width(), twips.height()));
        widget->setFont(fontOf(font));
    };
    auto label = [&](QLabel*& member, const char* name, QWidget* container, const QString& text,
                     QRect twips, FontKind font) {
        member = new CaptionLabel(text);
        place(member, name, container, twips, font);
        member->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    auto textBox = [&](QLineEdit*& member, const char* name, QRect twips) {
        member = new QLineEdit;
        place(member, name, Frame1, twips, FontKind::Arial975Bold);
    };
    auto combo = [&](QComboBox*& member, const char* name, QWidget* container, QRect twips) {
        member = new QComboBox;
        member->setEditable(false);
        place(member, name, container, twips, FontKind::Default);
    };
    auto button = [&](QPushButton*& member, const char* name, const QString& text, QRect twips) {
        member = new AccessKeyButton(text);
        member->setAutoDefault(false);
        place(member, name, client, twips, FontKind::Default);
    };

    FLEX1 = new ItemGrid(grid_);
    place(FLEX1, "FLEX1", client, {240, 240, 9375, 3135}, FontKind::Default);

    Frame1 = new QFrame;
    place(Frame1, "Frame1", client, {315, 3480, 9375, 2535}, FontKind::Default);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    paintBackground(Frame1);

    const auto bold = FontKind::Arial975Bold;
    label(Label1, "Label1", Frame1, QStringLiteral("Referência"), {120, 240, 1695, 255}, bold);
    textBox(txtreduzido, "txtreduzido", {360, 480, 2055, 360});
    label(lblinha, "lblinha", Frame1, QStringLiteral("0"), {2880, 600, 975, 255},
          FontKind::Default);
    label(Label6, "Label6", Frame1, QStringLiteral("Etiqueta 33,9mm x 101,6 m"),
          {3240, 120, 2295, 375}, FontKind::Arial9Bold);
    label(Label7, "Label7", Frame1, QStringLiteral("7 Linhas x 2 Colunas"), {3240, 480, 2295, 375},
          FontKind::Arial9Bold);
    label(Label4, "Label4", Frame1, QStringLiteral("Linha da Etiqueta Inicial"),
          {5880, 240, 1935, 255}, bold);
    combo(combolinha, "combolinha", Frame1, {8040, 240, 1095, 315});
    label(Label5, "Label5", Frame1, QStringLiteral("Coluna da Etiqueta Inicial"),
          {5880, 720, 1935, 255}, bold);
    combo(combocoluna, "combocoluna", Frame1, {8040, 720, 1095, 315});
    label(Label9, "Label9", Frame1, QStringLiteral("Cor"), {120, 960, 1095, 255}, bold);
    textBox(txtdescricao2, "txtdescricao2", {360, 1200, 6735, 360});
    label(Label10, "Label10", Frame1, QStringLiteral("Número"), {120, 1680, 1215, 255}, bold);
    textBox(txtnumero, "txtnumero", {360, 1920, 735, 360});
    label(Label3, "Label3", Frame1, QStringLiteral("Quantidade"), {2520, 1680, 1215, 255}, bold);
    textBox(txtQte, "txtQte", {2640, 1920, 855, 360});
    label(Label2, "Label2", Frame1, QStringLiteral("Pedido"), {5640, 1680, 1215, 255}, bold);
    textBox(txtpedido, "txtpedido", {5640, 1920, 1455, 360});
    label(lblprinterdefault, "lblprinterdefault", Frame1, QStringLiteral("Label6"),
          {7320, 1800, 1335, 255}, FontKind::Default);
    // Label6 and Label7 carry the panel's colour; the other panel labels are transparent.
    paintBackground(Label6);
    paintBackground(Label7);

    label(Label8, "Label8", client, QStringLiteral("Impressora"), {360, 6120, 3255, 255}, bold);
    combo(CMBPRINTER, "CMBPRINTER", client, {360, 6360, 6015, 315});
    button(command1, "command1", QStringLiteral("&Imprimir"), {6480, 6240, 1455, 375});
    button(Command2, "Command2", QStringLiteral("&Sair"), {8160, 6240, 1455, 375});

    const QList<QWidget*> tabOrder = {FLEX1,      txtreduzido, txtdescricao2, txtnumero,
                                      txtQte,     txtpedido,   combolinha,    combocoluna,
                                      CMBPRINTER, command1,    Command2};
    for (int i = 0; i + 1 < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
    }
    for (QWidget* control : tabOrder) {
        control->installEventFilter(this);
    }

    txtreduzidoField_ = LineEditField(txtreduzido);
    txtdescricao2Field_ = LineEditField(txtdescricao2);
    txtnumeroField_ = LineEditField(txtnumero);
    txtQteField_ = LineEditField(txtQte);
    txtpedidoField_ = LineEditField(txtpedido);
    lblinhaField_ = LabelField(lblinha);

    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
}

// The grid's handlers have no guard of their own; an error stops the handler where it
// happened and must not unwind through Qt's event loop.
void MainWindow::connectHandlers() {
    auto showRow = [this] { resumeNext([this] { showCurrentRow(grid_, panel_); }); };
    connect(&grid_, &FlexGrid::selectionChanged, this, showRow);
    connect(FLEX1, &QAbstractItemView::doubleClicked, this, showRow);
    connect(FLEX1, &ItemGrid::keyDown, this, [this](int key) {
        if (key == Qt::Key_Delete) {
            resumeNext([this] { deleteCurrentRow(grid_, panel_, platform_.messages); });
        }
    });
    connect(FLEX1, &ItemGrid::keyPress, this,
            [this](int code) { resumeNext([&] { typeQuantity(grid_, code); }); });
    connect(command1, &QPushButton::clicked, this, &MainWindow::command1_Click);
}

void MainWindow::pega_rec(const qint16& m_posicao) {
    etq::pega_rec(grid_, panel_, m_posicao);
}

void MainWindow::proximo(const qint16& tecla) {
    if (tecla != KeyEnter && tecla != KeyDown && tecla != KeyUp) {
        return;
    }
    const bool backward = tecla == KeyUp;
    // Sent to whichever control has the focus once the current key has been handled.
    QMetaObject::invokeMethod(
        this,
        [this, backward] {
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr || target->window() != this) {
                return;
            }
            QKeyEvent tab(QEvent::KeyPress, backward ? Qt::Key_Backtab : Qt::Key_Tab,
                          backward ? Qt::ShiftModifier : Qt::NoModifier);
            QCoreApplication::sendEvent(target, &tab);
        },
        Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FLEX1) {
        if (event->type() == QEvent::FocusIn) {
            keyPreview_ = false;
        } else if (event->type() == QEvent::FocusOut) {
            keyPreview_ = true;
        }
    } else if (keyPreview_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            proximo(KeyEnter);
        } else if (arrow) {
            proximo(key == Qt::Key_Up ? KeyUp : KeyDown);
            // Qt's buttons move the focus with the arrows themselves; the window's move is
            // the only one here.
            if (qobject_cast<QPushButton*>(watched) != nullptr) {
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<MainWindow::SheetRequest> MainWindow::sheetRequest() {
    const PrintRange range = selectedRows(grid_);
    firstRow_ = range.first;
    lastRow_ = range.last;
    if (firstRow_ == 0) {
        platform_.messages.show(QStringLiteral("Selecione o Item a ser impresso"),
                                MessageBox::Buttons::Ok, MessageBox::Icon::None);
        FLEX1->setFocus();
        return std::nullopt;
    }
    bool rowOk = false;
    bool columnOk = false;
    const qint16 startRow = combolinha->currentText().toShort(&rowOk);
    const qint16 startColumn = combocoluna->currentText().toShort(&columnOk);
    // The combos hold fixed lists of numbers; without them there is no slot to start from.
    if (!rowOk || !columnOk) {
        return std::nullopt;
    }
    return SheetRequest{firstRow_, lastRow_, startRow, startColumn, CMBPRINTER->currentText()};
}

void MainWindow::command1_Click() {
    if (const auto request = sheetRequest()) {
        printSheetLabels(settingsFilePath(platform_.folders), grid_, panel_, platform_.printer,
                         request->printerName, request->first, request->last, request->startRow,
                         request->startColumn);
    }
}

// Every step runs on its own: one that fails is skipped and the next one runs.
void MainWindow::Form_Load() {
    resumeNext([&] { CMBPRINTER->clear(); });
    int d = 0;
    resumeNext([&] {
        const QString defaultName = platform_.printer.defaultPrinterName();
        int i = 0;
        for (const QString& name : platform_.printer.printerNames()) {
            if (defaultName == name) {
                d = i;
            }
            CMBPRINTER->addItem(name);
            ++i;
        }
    });
    resumeNext([&] { CMBPRINTER->setCurrentIndex(d); });
    resumeNext([&] { lblprinterdefault->setText(CMBPRINTER->currentText()); });
    resumeNext([&] { setUpItemGrid(grid_); });
    resumeNext([&] {
        const QString& folder = platform_.folders.application;
        if (!existsVisible(fileInFolder(folder, kItemListName))) {
            platform_.messages.show(QStringLiteral("O Arquivo ") +
                                        QDir::toNativeSeparators(folder) +
                                        QStringLiteral("/etiquetas.csv, não foi localizado!"),
                                    MessageBox::Buttons::Ok, MessageBox::Icon::None);
            return;
        }
        Carrega_etiquetas(grid_, platform_.messages, folder);
    });
    resumeNext([&] {
        combolinha->clear();
        for (int row = 1; row <= 7; ++row) {
            combolinha->addItem(QString::number(row));
        }
        combolinha->setCurrentIndex(0);
    });
    resumeNext([&] {
        combocoluna->clear();
        combocoluna->addItems({QStringLiteral("1"), QStringLiteral("2")});
        combocoluna->setCurrentIndex(0);
    });
}

}  // namespace etq
