#include "app/item_grid.h"
#include "app/main_window.h"
#include "fakes/window_session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace etq;
using namespace etq::test;

namespace {

// Three items, then the empty last row: rows 1 to 3, Rows() == 5.
const QByteArray kItems =
    "Referencia,Cor,Tamanho,Qte,Pedido\r\n"
    "A1020,AZUL,38,3,4501\r\n"
    "B7,PRETO,40,1,4502\r\n"
    "C9,VERDE,42,x,4503\r\n";

// The window on a temporary application folder, scripted boxes and a recording printer.
struct Fixture : WindowSession<> {
    Fixture() {
        temp.writeAppFile(QStringLiteral("etiquetas.csv"), kItems);
        printer.printers = {QStringLiteral("Laser"), QStringLiteral("Sheets")};
        printer.defaultPrinter = QStringLiteral("Sheets");
        start();
        window->show();
        window->activateWindow();
    }

    QString shown() const {
        const MainWindow& w = *window;
        return QStringList{w.txtreduzido->text(), w.txtdescricao2->text(), w.txtnumero->text(),
                           w.txtQte->text(),      w.txtpedido->text(),     w.lblinha->text()}
            .join(QLatin1Char('|'));
    }

    // Centre of grid cell (row, col) in the viewport.
    QPoint cell(int row, int col) const {
        ItemGrid* grid = window->FLEX1;
        return grid->visualRect(grid->model()->index(row - FlexGrid::FixedRows, col)).center();
    }
    void click(int row, int col) {
        QTest::mouseClick(window->FLEX1->viewport(), Qt::LeftButton, {}, cell(row, col));
    }
};

}  // namespace

class TestGridEditingWindow : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QCOMPARE(f.window->grid().Rows(), 5);
    }

    void selectionShowsRow_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("click") << false;
        QTest::newRow("double-click") << true;
    }
    void selectionShowsRow() {
        QFETCH(bool, doubleClick);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto pick = [&](int row) {
            if (doubleClick) {
                QTest::mouseDClick(f.window->FLEX1->viewport(), Qt::LeftButton, {}, f.cell(row, 1));
            } else {
                f.click(row, 1);
            }
        };
        pick(2);
        QCOMPARE(f.shown(), QStringLiteral("B7|PRETO|40|1|4502|2"));
        pick(4);  // the empty last row
        QCOMPARE(f.shown(), QStringLiteral("|||||2"));
        pick(1);
        QCOMPARE(f.shown(), QStringLiteral("A1020|AZUL|38|3|4501|1"));
        pick(3);  // quantity not numeric
        QCOMPARE(f.shown(), QStringLiteral("|||||1"));
    }

    // The arrow keys move inside the grid and the panel follows the current row.
    void keysMoveInsideGrid() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.click(1, 0);
        QTest::keyClick(f.window->FLEX1, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(f.window->grid().Row(), 2);
        QCOMPARE(f.shown(), QStringLiteral("B7|PRETO|40|1|4502|2"));
        QCOMPARE(QApplication::focusWidget(), f.window->FLEX1);
        QTest::keyClick(f.window->FLEX1, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), f.window->FLEX1);
    }

    void deleteKey_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("shown");
        QTest::newRow("yes") << true << 4 << "C9|VERDE|42|x|4503|2";
        QTest::newRow("no") << false << 5 << "B7|PRETO|40|1|4502|2";
    }
    void deleteKey() {
        QFETCH(bool, yes);
        QFETCH(int, rows);
        QFETCH(QString, shown);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.click(2, 1);
        f.messages.answers = {yes ? MessageBox::Answer::Yes : MessageBox::Answer::No};
        QTest::keyClick(f.window->FLEX1, Qt::Key_Delete);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, QStringLiteral("Excluir Este Item"));
        QCOMPARE(f.window->grid().Rows(), rows);
        QCOMPARE(f.window->grid().Row(), 2);
        // pega_rec of the row that moved up fills the panel even though its quantity is not
        // a number.
        QCOMPARE(f.shown(), shown);
    }

    void typingQuantity_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("quantity");
        QTest::newRow("column 0") << 1 << 0 << "375";
        QTest::newRow("column 2") << 1 << 2 << "3";
        QTest::newRow("empty last row") << 4 << 0 << "";
    }
    void typingQuantity() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, quantity);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.click(row, col);
        QTest::keyClicks(f.window->FLEX1, QStringLiteral("7a,-5"));
        QTest::keyClick(f.window->FLEX1, Qt::Key_Backspace);
        QTest::keyClicks(f.window->FLEX1, QStringLiteral("5"));
        QCOMPARE(f.window->grid().TextMatrix(row, 0), quantity);
        // Typed letters do not move the current row.
        QCOMPARE(f.window->grid().Row(), row);
    }

    void navigation_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("linha");  // text of combolinha afterwards
        QTest::newRow("Enter") << "txtreduzido" << int(Qt::Key_Return) << "txtdescricao2"
                               << "1";
        QTest::newRow("keypad Enter") << "txtQte" << int(Qt::Key_Enter) << "txtpedido"
                                      << "1";
        QTest::newRow("Up") << "txtdescricao2" << int(Qt::Key_Up) << "txtreduzido"
                            << "1";
        QTest::newRow("Down into the combo") << "txtpedido" << int(Qt::Key_Down) << "combolinha"
                                             << "1";
        QTest::newRow("Up into the grid") << "txtreduzido" << int(Qt::Key_Up) << "FLEX1"
                                          << "1";
        QTest::newRow("combo gets its Down first")
            << "combolinha" << int(Qt::Key_Down) << "combocoluna"
            << "2";
        QTest::newRow("button") << "command1" << int(Qt::Key_Down) << "Command2"
                                << "1";
        QTest::newRow("other keys stay") << "txtnumero" << int(Qt::Key_Left) << "txtnumero"
                                         << "1";
        QTest::newRow("Tab as usual") << "CMBPRINTER" << int(Qt::Key_Tab) << "command1"
                                      << "1";
    }
    void navigation() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(QString, linha);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QCOMPARE(QApplication::focusWidget(), f.window->FLEX1);
        auto* start = f.window->findChild<QWidget*>(from);
        QVERIFY(start);
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(start, Qt::Key(key));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), to);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(f.window->combolinha->currentText(), linha);
    }

    // Back in the grid the arrow keys move between cells and do not move the focus.
    void gridAfterNavigation() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->txtreduzido->setFocus();
        QTest::keyClick(f.window->txtreduzido, Qt::Key_Up);
        QTRY_COMPARE(QApplication::focusWidget(), f.window->FLEX1);
        QTest::keyClick(f.window->FLEX1, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), f.window->FLEX1);
        QCOMPARE(f.window->grid().Row(), 2);
    }

    void printButton() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        // Bottom-up selection, rows 2 to 1; start slot (7, 2).
        f.window->grid().select(2, 1, 1, 1);
        f.window->combolinha->setCurrentIndex(6);
        f.window->combocoluna->setCurrentIndex(1);
        f.window->CMBPRINTER->setCurrentIndex(0);
        QTest::mouseClick(f.window->command1, Qt::LeftButton);
        QStringList printed;
        for (const RecordingPrinter::Printed& p : f.printer.printed) {
            printed << QStringLiteral("%1@%2,%3,%4").arg(p.text).arg(p.x).arg(p.y).arg(p.page);
        }
        QCOMPARE(printed.size(), 16);
        QCOMPARE(printed[0], QStringLiteral("REF: A1020@107,227.4,1"));
        QCOMPARE(printed[4], QStringLiteral("REF: A1020@5,24,2"));
        QCOMPARE(printed[12], QStringLiteral("REF: B7@5,57.9,2"));
        QCOMPARE(f.printer.current, QStringLiteral("Laser"));
        QVERIFY(f.messages.shown.isEmpty());
        // The panel shows the last row printed; the selection stays.
        QCOMPARE(f.shown(), QStringLiteral("B7|PRETO|40|1|4502|2"));
        QCOMPARE(f.window->grid().Row(), 2);
        QCOMPARE(f.window->grid().RowSel(), 1);
    }

    void printButtonAtHeader() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->command1->setFocus();
        f.window->grid().select(0, 0, 2, 0);
        QTest::mouseClick(f.window->command1, Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, QStringLiteral("Selecione o Item a ser impresso"));
        QCOMPARE(f.messages.shown[0].buttons, MessageBox::Buttons::Ok);
        QCOMPARE(f.messages.shown[0].title, MessageBox::applicationTitle());
        QVERIFY(f.printer.calls.isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), f.window->FLEX1);
    }
};

QTEST_MAIN(TestGridEditingWindow)
#include "test_grid_editing_window.moc"
