#include "app/item_grid.h"
#include "app/main_window.h"
#include "fakes/window_session.h"
#include "items/item_list_loader.h"

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
constexpr int kCycles = 1000;

}  // namespace

// A working day in one window: the list is read again, a quantity typed, a row printed and
// the rows read removed, a thousand times over. The grid ends each round as it began, and the
// leak checker of the sanitizer build looks at what is left when the program ends.
class TestLongUse : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void thousandRounds() {
        WindowSession<> session;
        session.temp.writeAppFile(QStringLiteral("etiquetas.csv"), kItems);
        session.printer.printers = {QStringLiteral("Sheets")};
        session.printer.defaultPrinter = QStringLiteral("Sheets");
        session.start();
        MainWindow* window = session.window.get();
        TempFolders& temp = session.temp;
        ScriptedMessageBox& messages = session.messages;
        RecordingPrinter& printer = session.printer;
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        FlexGrid& grid = window->grid();
        ItemGrid* view = window->FLEX1;
        QCOMPARE(grid.Rows(), 5);
        const int viewRows = view->model()->rowCount();
        const int columns = grid.Cols();
        auto click = [view](int row, int col) {
            const QModelIndex index = view->model()->index(row - FlexGrid::FixedRows, col);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(index).center());
        };

        for (int round = 0; round < kCycles; ++round) {
            messages.shown.clear();
            printer.calls.clear();
            printer.printed.clear();

            Carrega_etiquetas(grid, messages, temp.folders().application);
            QCoreApplication::processEvents();
            QCOMPARE(grid.Rows(), 8);
            QCOMPARE(grid.TextMatrix(4, 1), QStringLiteral("A1020"));

            // The quantity 3 of row 4 becomes 2.
            click(4, 0);
            QTest::keyClick(view, Qt::Key_Backspace);
            QTest::keyClicks(view, QStringLiteral("2"));
            QCOMPARE(grid.TextMatrix(4, 0), QStringLiteral("2"));

            // Row 4 alone: two labels of four texts each.
            QTest::mouseClick(window->command1, Qt::LeftButton);
            QCOMPARE(printer.printed.size(), 8);
            QCOMPARE(printer.printed[0].text, QStringLiteral("REF: A1020"));

            // The three rows read this round go, each after its question.
            click(4, 1);
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(view, Qt::Key_Delete);
            }
            QCOMPARE(messages.shown.size(), 3);
            QCOMPARE(grid.Rows(), 5);
            QCOMPARE(view->model()->rowCount(), viewRows);
            QCOMPARE(grid.Cols(), columns);
            QCOMPARE(grid.TextMatrix(3, 1), QStringLiteral("C9"));
            QVERIFY(grid.TextMatrix(4, 1).isEmpty());
        }
    }
};

QTEST_MAIN(TestLongUse)
#include "test_long_use.moc"
