// The program's window: its controls, start-up, the grid under the mouse and the keys, the
// operations it offers to callers, and a long day of use.
#include "app/caption_label.h"
#include "app/item_grid.h"
#include "app/window_operations.h"
#include "fakes/counting_mouse_pointer.h"
#include "fakes/grid_rows.h"
#include "fakes/recording_command_runner.h"
#include "fakes/window_session.h"
#include "items/item_list_loader.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace etq;
using namespace etq::test;

namespace {

const char kItems[] = "h\r\nA1020,AZUL,38,3,4501\r\nB7,PRETO,40,1,4502\r\nC9,VERDE,42,x,4503\r\n";
const QStringList kRows = {"3|A1020|AZUL|38|4501|N", "1|B7|PRETO|40|4502|N", "x|C9|VERDE|42|4503|N",
                           "|||||"};
const QString kDeleteBox = QStringLiteral("Impressão Etiquetas|Question|YesNo|Excluir Este Item");

// Labels break their captions at blanks; buttons click at once on their access keys.
const char kLabel[] = "etq::CaptionLabel", kButton[] = "etq::AccessKeyButton";

enum Font { Plain, Arial975, Arial9 };  // "MS Sans Serif" 8.25, or Arial bold
enum Place { Window, Panel, PaintedPanel, PaintedWindow };
// Every control: class, text, twip geometry, font, place in the tab order (-1: none), parent
// (the window or the panel Frame1) and whether it paints its own background.
const struct Control {
    const char* name;
    const char* kind;
    const char* text;
    QRect twips;
    Font font;
    int tab;
    Place place;
} kControls[] = {
    {"FLEX1", "etq::ItemGrid", "", {240, 240, 9375, 3135}, Plain, 0, Window},
    {"Frame1", "QFrame", "", {315, 3480, 9375, 2535}, Plain, -1, PaintedWindow},
    {"Label1", kLabel, "Referência", {120, 240, 1695, 255}, Arial975, -1, Panel},
    {"txtreduzido", "QLineEdit", "", {360, 480, 2055, 360}, Arial975, 1, Panel},
    {"lblinha", kLabel, "0", {2880, 600, 975, 255}, Plain, -1, Panel},
    // clang-format off
    {"Label6", kLabel, "Etiqueta 33,9mm x 101,6 m", {3240, 120, 2295, 375}, Arial9, -1, PaintedPanel},
    // clang-format on
    {"Label7", kLabel, "7 Linhas x 2 Colunas", {3240, 480, 2295, 375}, Arial9, -1, PaintedPanel},
    {"Label4", kLabel, "Linha da Etiqueta Inicial", {5880, 240, 1935, 255}, Arial975, -1, Panel},
    {"combolinha", "QComboBox", "1", {8040, 240, 1095, 315}, Plain, 6, Panel},
    {"Label5", kLabel, "Coluna da Etiqueta Inicial", {5880, 720, 1935, 255}, Arial975, -1, Panel},
    {"combocoluna", "QComboBox", "1", {8040, 720, 1095, 315}, Plain, 7, Panel},
    {"Label9", kLabel, "Cor", {120, 960, 1095, 255}, Arial975, -1, Panel},
    {"txtdescricao2", "QLineEdit", "", {360, 1200, 6735, 360}, Arial975, 2, Panel},
    {"Label10", kLabel, "Número", {120, 1680, 1215, 255}, Arial975, -1, Panel},
    {"txtnumero", "QLineEdit", "", {360, 1920, 735, 360}, Arial975, 3, Panel},
    {"Label3", kLabel, "Quantidade", {2520, 1680, 1215, 255}, Arial975, -1, Panel},
    {"txtQte", "QLineEdit", "", {2640, 1920, 855, 360}, Arial975, 4, Panel},
    {"Label2", kLabel, "Pedido", {5640, 1680, 1215, 255}, Arial975, -1, Panel},
    {"txtpedido", "QLineEdit", "", {5640, 1920, 1455, 360}, Arial975, 5, Panel},
    {"lblprinterdefault", kLabel, "", {7320, 1800, 1335, 255}, Plain, -1, Panel},
    {"Label8", kLabel, "Impressora", {360, 6120, 3255, 255}, Arial975, -1, Window},
    {"CMBPRINTER", "QComboBox", "", {360, 6360, 6015, 315}, Plain, 8, Window},
    {"command1", kButton, "&Imprimir", {6480, 6240, 1455, 375}, Plain, 9, Window},
    {"Command2", kButton, "&Sair", {8160, 6240, 1455, 375}, Plain, 10, Window},
};

int px(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440));
}

// The window on kItems, shown and active.
struct Session : WindowSession<> {
    MainWindow* w = nullptr;
    Session() {
        w = &start(kItems);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // The detail panel as "ref|cor|num|qte|ped|linha".
    QString shown() const {
        return QStringList{w->txtreduzido->text(), w->txtdescricao2->text(), w->txtnumero->text(),
                           w->txtQte->text(),      w->txtpedido->text(),     w->lblinha->text()}
            .join(QLatin1Char('|'));
    }
    void click(int row, int col, bool twice = false, Qt::KeyboardModifiers keys = {}) {
        const QRect cell = w->FLEX1->visualRect(w->FLEX1->model()->index(row - 1, col));
        if (twice) {
            QTest::mouseDClick(w->FLEX1->viewport(), Qt::LeftButton, keys, cell.center());
        } else {
            QTest::mouseClick(w->FLEX1->viewport(), Qt::LeftButton, keys, cell.center());
        }
    }
};

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void controls_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kControls)); ++i) {
            QTest::newRow(kControls[i].name) << i;
        }
    }
    void controls() {
        QFETCH(int, i);
        const Control& c = kControls[i];
        WindowSession<> s;
        MainWindow& w = s.start(kItems);
        auto* widget = w.findChild<QWidget*>(QLatin1String(c.name));
        QVERIFY(widget);
        QCOMPARE(widget->metaObject()->className(), c.kind);
        QVERIFY(!widget->property("editable").toBool());  // the combos offer fixed lists
        const bool combo = qobject_cast<QComboBox*>(widget) != nullptr;
        QCOMPARE(widget->property(combo ? "currentText" : "text").toString(), c.text);
        const double x = widget->logicalDpiX(), y = widget->logicalDpiY();
        QCOMPARE(widget->geometry(), QRect(px(c.twips.x(), x), px(c.twips.y(), y),
                                           px(c.twips.width(), x), px(c.twips.height(), y)));
        const QFont font = widget->font();
        QCOMPARE(font.families().value(0), c.font == Plain ? "MS Sans Serif" : "Arial");
        QCOMPARE(font.pointSizeF(), c.font == Plain ? 8.25 : c.font == Arial9 ? 9.0 : 9.75);
        QCOMPARE(font.bold(), c.font != Plain);
        // At 96 dpi every caption shows whole words that fit its box.
        QCOMPARE(x, 96.0);
        const QFontMetricsF metrics(font);
        if (auto* label = qobject_cast<CaptionLabel*>(widget)) {
            const QStringList lines = label->shownLines();
            const QString caption = c.text;
            QVERIFY(caption.isEmpty() || !lines.isEmpty());
            QVERIFY(caption.startsWith(lines.join(' ')));
            QVERIFY(lines.size() * metrics.lineSpacing() <= widget->height() + 1);
            for (const QString& line : lines) {
                QVERIFY2(metrics.horizontalAdvance(line) <= widget->width(), qPrintable(line));
                const qsizetype end = caption.indexOf(line) + line.size();
                QVERIFY2(end == caption.size() || caption.at(end) == ' ', qPrintable(line));
            }
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QVERIFY(button->sizeHint().width() <= button->width());
        }
        const bool onPanel = c.place == Panel || c.place == PaintedPanel;
        QCOMPARE(widget->parentWidget(), onPanel ? w.Frame1 : w.client);
        QCOMPARE(widget->autoFillBackground(), c.place >= PaintedPanel);
    }

    void windowAsAWhole() {
        WindowSession<> s;
        MainWindow& w = s.start(kItems);
        QCOMPARE(w.windowTitle(), QStringLiteral("Impressão Etiquetas "));
        QCOMPARE(w.palette().color(QPalette::Window), QColor(255, 224, 192));
        QCOMPARE(w.Frame1->frameStyle(), QFrame::Box | QFrame::Sunken);
        const int widths[] = {600, 1300, 3000, 800, 1500, 0};
        const QStringList headers = {"Qte", "Referência", "Cor", "Tamanho", "Pedido", "Exclui"};
        for (int col = 0; col < 6; ++col) {
            QCOMPARE(w.grid().TextMatrix(0, col), headers[col]);
            QCOMPARE(w.FLEX1->model()->headerData(col, Qt::Horizontal).toString(), headers[col]);
            QCOMPARE(w.grid().ColWidth(col), widths[col]);
            QCOMPARE(w.FLEX1->isColumnHidden(col), col == 5);
            QCOMPARE(w.FLEX1->columnWidth(col), px(widths[col], w.logicalDpiX()));
            // Each shown header fits its column whole, inside the header's margins.
            const QHeaderView* header = w.FLEX1->horizontalHeader();
            QVERIFY(col == 5 || header->fontMetrics().horizontalAdvance(headers[col]) +
                                        2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin) <=
                                    w.FLEX1->columnWidth(col));
        }
        // The model offers text alone, and no header past the last column.
        QVERIFY(!w.FLEX1->model()->index(0, 1).data(Qt::ToolTipRole).isValid());
        QVERIFY(!w.FLEX1->model()->headerData(6, Qt::Horizontal).isValid());
        const QSize size(px(9780, w.logicalDpiX()), px(6855, w.logicalDpiY()));
        w.show();
        w.resize(size + QSize(100, 50));
        QCOMPARE(w.size(), size);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int tab = 0; tab <= 11; ++tab) {
            const auto* next = std::find_if(std::begin(kControls), std::end(kControls),
                                            [&](const Control& c) { return c.tab == tab % 11; });
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next->name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // An access key clicks at once, as often as it is pressed, on the row of the moment.
        QSignalSpy printClicks(w.command1, &QPushButton::clicked);
        const auto clickRow = [&](int row) {
            const QModelIndex cell = w.FLEX1->model()->index(row - 1, 1);
            QTest::mouseClick(w.FLEX1->viewport(), Qt::LeftButton, {},
                              w.FLEX1->visualRect(cell).center());
        };
        clickRow(2);
        for (int press = 1; press <= 20; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
            QCOMPARE(printClicks.size(), press);
        }
        clickRow(3);
        QStringList references;
        for (const auto& printed : s.printer.printed) {
            if (printed.text.startsWith("REF: "))
                references << printed.text;
        }
        QCOMPARE(references, QStringList(20, "REF: B7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(s.messages.seen(), QStringList());
    }

    void startUp_data() {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("defaultPrinter");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("list");  // 0: none, 1: a folder of its name, 2: kItems
        QTest::addColumn<QString>("box");
        QTest::newRow("no printer, no list")
            << QStringList() << QString() << -1 << 0
            << "Impressão Etiquetas|None|Ok|O Arquivo %1/etiquetas.csv, não foi localizado!";
        QTest::newRow("one printer, a folder named like the list")
            << QStringList{"PDF"} << "PDF" << 0 << 1
            << "ATENÇÃO!!!|Exclamation|Ok|O arquivo não existe!";
        QTest::newRow("three, default second")
            << QStringList{"Argox", "HP_LaserJet", "zebra"} << "HP_LaserJet" << 1 << 2 << "";
        QTest::newRow("default not found: first") << QStringList{"A", "B"} << "b" << 0 << 2 << "";
    }
    void startUp() {
        QFETCH(QStringList, printers);
        QFETCH(QString, defaultPrinter);
        QFETCH(int, selected);
        QFETCH(int, list);
        QFETCH(QString, box);
        WindowSession<> s;
        s.printer.printers = printers;
        s.printer.defaultPrinter = defaultPrinter;
        if (list == 1) {
            QDir(s.temp.folders().application).mkdir(QStringLiteral("etiquetas.csv"));
        }
        MainWindow& w = s.start(list == 2 ? kItems : nullptr);
        QCOMPARE(s.messages.seen().join(""), box.replace("%1", s.temp.folders().application));
        auto items = [](const QComboBox* combo) {
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
            return texts.join(' ') + '/' + combo->currentText();
        };
        QCOMPARE(items(w.CMBPRINTER), printers.join(' ') + '/' + printers.value(selected));
        QCOMPARE(w.lblprinterdefault->text(), printers.value(selected));
        QCOMPARE(items(w.combolinha), QStringLiteral("1 2 3 4 5 6 7/1"));
        QCOMPARE(items(w.combocoluna), QStringLiteral("1 2/1"));
        const QStringList rows = list == 2 ? kRows : QStringList{"|||||"};
        QCOMPARE(gridRows(w.grid()), rows);
        // The view's rows as the model announced them.
        QCOMPARE(w.FLEX1->verticalHeader()->count(), int(rows.size()));
        QCOMPARE(w.FLEX1->model()->index(2, 1).data().toString(), list == 2 ? "C9" : "");
    }

    // The grid's selection and the view's follow each other both ways; the panel shows the
    // row chosen by click or double-click, and the keys edit the quantity, move and delete.
    void mouseAndKeys() {
        Session s;
        FlexGrid& grid = s.w->grid();
        QSignalSpy changes(&grid, &FlexGrid::selectionChanged);
        s.click(3, 1);
        QCOMPARE(QList<int>({grid.Row(), grid.Col(), grid.RowSel()}), QList<int>({3, 1, 3}));
        s.click(1, 2, false, Qt::ShiftModifier);
        QCOMPARE(QList<int>({grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
                 QList<int>({1, 2, 3, 1}));
        s.click(1, 2);
        s.click(3, 1, false, Qt::ShiftModifier);
        QCOMPARE(QList<int>({grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
                 QList<int>({3, 1, 1, 2}));
        QVERIFY(changes.size() >= 2);
        // A header click selects the whole column: every data row.
        QHeaderView* header = s.w->FLEX1->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, 5));
        QCOMPARE(std::min(grid.Row(), grid.RowSel()), 1);
        QCOMPARE(std::max(grid.Row(), grid.RowSel()), 4);
        QCOMPARE(grid.Col(), 2);
        for (int row : {2, 1}) {
            grid.setRow(row);
            QCOMPARE(s.w->FLEX1->currentIndex().row(), row - 1);
        }
        // The row label keeps its number where the quantity is no number.
        const std::pair<int, const char*> picks[] = {{2, "B7|PRETO|40|1|4502|2"},
                                                     {4, "|||||2"},
                                                     {1, "A1020|AZUL|38|3|4501|1"},
                                                     {3, "|||||1"}};
        for (bool twice : {false, true}) {
            for (const auto& [row, shown] : picks) {
                s.click(row, 1, twice);
                QCOMPARE(s.shown(), QString::fromUtf8(shown));
            }
        }
        // Only column 0 of a row with a reference takes digits and Backspace; nothing typed
        // moves the current row.
        for (const auto& [row, col] : {std::pair{1, 0}, std::pair{1, 2}, std::pair{4, 0}}) {
            s.click(row, col);
            QTest::keyClicks(s.w->FLEX1, QStringLiteral("9/0:a,-"));
            QTest::keyClick(s.w->FLEX1, Qt::Key_Backspace);
            QTest::keyClicks(s.w->FLEX1, QStringLiteral("7"));
            QCOMPARE(grid.Row(), row);
        }
        QCOMPARE(gridRows(grid), QStringList({"397|A1020|AZUL|38|4501|N"}) + kRows.mid(1));
        s.click(1, 1);
        QTest::keyClick(s.w->FLEX1, Qt::Key_Down);
        QCOMPARE(s.shown(), QStringLiteral("B7|PRETO|40|1|4502|2"));
        QTest::keyClick(s.w->FLEX1, Qt::Key_Return);
        s.messages.answers = {MessageBox::Answer::No};
        QTest::keyClick(s.w->FLEX1, Qt::Key_Delete);
        QTest::keyClick(s.w->FLEX1, Qt::Key_Delete);
        QCOMPARE(s.messages.seen(), QStringList({kDeleteBox, kDeleteBox}));
        QCOMPARE(grid.Rows(), 4);
        QCOMPARE(grid.Row(), 2);
        // The row that moved up shows, though its quantity is no number.
        QCOMPARE(s.shown(), QStringLiteral("C9|VERDE|42|x|4503|2"));
        QCOMPARE(QApplication::focusWidget(), s.w->FLEX1);
        // Printing with the header row selected asks for an item instead.
        s.messages.shown.clear();
        s.w->command1->setFocus();
        grid.select(0, 0, 2, 0);
        QTest::mouseClick(s.w->command1, Qt::LeftButton);
        QCOMPARE(s.messages.seen(),
                 QStringList{"Impressão Etiquetas|None|Ok|Selecione o Item a ser impresso"});
        QVERIFY(s.printer.calls.isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), s.w->FLEX1);
    }

    // Outside the grid, Enter and Down move to the next control in tab order and Up to the
    // previous one, once the control has had its key; back in the grid the arrows move rows.
    void navigation() {
        Session s;
        const struct {
            const char *from, *to;
            Qt::Key key;
        } moves[] = {
            {"txtreduzido", "txtdescricao2", Qt::Key_Return},
            {"txtQte", "txtpedido", Qt::Key_Enter},
            {"txtdescricao2", "txtreduzido", Qt::Key_Up},
            {"txtpedido", "combolinha", Qt::Key_Down},
            {"command1", "Command2", Qt::Key_Down},
            {"txtnumero", "txtnumero", Qt::Key_Left},
            {"CMBPRINTER", "command1", Qt::Key_Tab},
            {"txtreduzido", "FLEX1", Qt::Key_Up},
            {"combolinha", "combocoluna", Qt::Key_Down},  // the combo has its Down first
        };
        for (const auto& move : moves) {
            QWidget* from = s.w->findChild<QWidget*>(QLatin1String(move.from));
            from->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), from);
            QTest::keyClick(from, move.key);
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), QLatin1String(move.to));
            QCoreApplication::processEvents();
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(move.to));
            if (move.to == QLatin1String("FLEX1")) {
                QTest::keyClick(s.w->FLEX1, Qt::Key_Down);
                QCoreApplication::processEvents();
                QCOMPARE(QApplication::focusWidget(), s.w->FLEX1);
                QCOMPARE(s.w->grid().Row(), 2);
            }
        }
        QCOMPARE(s.w->combolinha->currentText(), QStringLiteral("2"));
    }

    // The operations reach the window's own grid, panel, labels and platform.
    void operations() {
        struct Started : WindowSession<> {
            RecordingCommandRunner commands;
            CountingMousePointer pointer;
            MainWindow& w = start("h\r\nA1020,AZUL,38,3,4501\r\nB2210,PRETO,P,12,4502\r\n");
            WindowOperations operations{w, *platform, commands, pointer};
        } job, stream, fields;
        job.operations.marketplace.destino.setText(QStringLiteral("zebra"));
        job.operations.imprime_wms_1(1, 2);
        const QByteArray bytes =
            TempFolders::readFile(job.temp.folders().application + "/epltemp.prn");
        QVERIFY(bytes.contains("^PQ3,,1,Y\r\n") && bytes.contains("^FDB2210^FS\r\n"));
        QCOMPARE(job.w.grid().TextMatrix(2, 8), QStringLiteral("S"));
        QVERIFY(job.w.FLEX1->isColumnHidden(8));
        QCOMPARE(job.commands.started.size(), 1);
        QCOMPARE(job.w.txtreduzido->text(), QStringLiteral("B2210"));  // the last row read

        const QString label = QStringLiteral("^XA^PQ4,0,1,Y^FD>;789^FS^XZ");
        stream.operations.texto_zpl.setText(label + label);
        stream.operations.SEPARA_1();
        QCOMPARE(stream.w.grid().TextMatrix(3, 0), QStringLiteral("4"));
        QCOMPARE(stream.w.grid().TextMatrix(4, 1), QStringLiteral("789"));
        QCOMPARE(stream.w.FLEX1->verticalHeader()->count(), 5);
        QVERIFY(stream.events.count >= 1);
        stream.operations.texto_zpl.setText(
            QStringLiteral("^XA^FT3,113^A0N,28,28^FH\\^FDA1020^FS^XZ"));
        stream.operations.Pega_Itens();
        QCOMPARE(stream.w.grid().TextMatrix(1, 0), QStringLiteral("4"));  // 3 counted on
        QCOMPARE(stream.pointer.defaults, 1);

        fields.operations.soma_etiquetas();
        QCOMPARE(fields.w.Label5->text(), QStringLiteral("Total: 15"));
        QLineEdit* box = fields.w.txtpedido;
        box->setText(QStringLiteral("  ab  "));
        WindowOperations::entra1(box);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(QList<int>({box->selectionStart(), box->selectionLength()}), QList<int>({0, 2}));
        WindowOperations::sai1(box);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
        fields.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fields.w));
        fields.operations.ordena_coluna(1, fields.w.grid());
        QVERIFY(fields.w.FLEX1->isVisible());
        QCOMPARE(fields.w.FLEX1->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("> Referência"));
    }

    // A working day in one window: the list is read again, a quantity typed, a row printed and
    // the rows read removed, a thousand times over. The grid ends each round as it began, and
    // the leak checker of the sanitizer build looks at what is left when the program ends.
    void longUse() {
        Session s;
        for (int round = 0; round < 1000; ++round) {
            s.messages.shown.clear();
            s.printer.printed.clear();
            Carrega_etiquetas(s.w->grid(), s.messages, s.temp.folders().application);
            QCoreApplication::processEvents();
            QCOMPARE(s.w->grid().Rows(), 8);
            s.click(4, 0);
            QTest::keyClick(s.w->FLEX1, Qt::Key_Backspace);
            QTest::keyClicks(s.w->FLEX1, QStringLiteral("2"));
            QTest::mouseClick(s.w->command1, Qt::LeftButton);
            QCOMPARE(s.printer.printed.size(), 8);  // two labels of four texts
            QCOMPARE(s.printer.printed[0].text, QStringLiteral("REF: A1020"));
            s.click(4, 1);
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(s.w->FLEX1, Qt::Key_Delete);
            }
            QCOMPARE(s.messages.shown.size(), 3);
            QCOMPARE(gridRows(s.w->grid()), kRows);
            QCOMPARE(s.w->FLEX1->verticalHeader()->count(), 4);
        }
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
