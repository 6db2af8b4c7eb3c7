// The operations the window offers to its callers reach the window's own grid, panel, labels
// and platform.
#include "app/item_grid.h"
#include "app/window_operations.h"
#include "fakes/counting_mouse_pointer.h"
#include "fakes/recording_command_runner.h"
#include "fakes/window_session.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace etq;
using namespace etq::test;

namespace {

// The window started on a list of two items, and its operations.
struct Started : WindowSession<> {
    RecordingCommandRunner commands;
    CountingMousePointer pointer;
    std::unique_ptr<WindowOperations> operations;

    Started() {
        temp.writeAppFile(QStringLiteral("etiquetas.csv"),
                          "h\r\nA1020,AZUL,38,3,4501\r\nB2210,PRETO,P,12,4502\r\n");
        start();
        operations = std::make_unique<WindowOperations>(*window, *platform, commands, pointer);
    }
};

}  // namespace

class TestWindowOperations : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void marketplaceJobWritesTheWindowsRows() {
        Started s;
        s.operations->marketplace.destino.setText(QStringLiteral("zebra"));
        s.operations->imprime_wms_1(1, 2);
        const QByteArray job = TempFolders::readFile(
            QDir(s.temp.folders().application).filePath(QStringLiteral("epltemp.prn")));
        QVERIFY(job.contains("^PQ3,,1,Y\r\n"));
        QVERIFY(job.contains("^FDB2210^FS\r\n"));
        QCOMPARE(s.window->grid().TextMatrix(2, 8), QStringLiteral("S"));
        QVERIFY(s.window->FLEX1->isColumnHidden(8));
        QCOMPARE(s.commands.started.size(), 1);
        QCOMPARE(s.window->txtreduzido->text(), QStringLiteral("B2210"));  // the last row read
    }

    void streamReadersFillTheWindowsGrid() {
        Started s;
        const QString label = QStringLiteral("^XA^PQ4,0,1,Y^FD>;789^FS^XZ");
        s.operations->texto_zpl.setText(label + label);
        s.operations->SEPARA_1();
        QCOMPARE(s.window->grid().Rows(), 6);
        QCOMPARE(s.window->grid().TextMatrix(3, 0), QStringLiteral("4"));
        QCOMPARE(s.window->grid().TextMatrix(4, 1), QStringLiteral("789"));
        QCOMPARE(s.window->FLEX1->model()->rowCount(), 5);
        QVERIFY(s.events.count >= 1);

        s.operations->texto_zpl.setText(QStringLiteral("^XA^FT3,113^A0N,28,28^FH\\^FDA1020^FS^XZ"));
        s.operations->Pega_Itens();
        QCOMPARE(s.window->grid().TextMatrix(1, 0), QStringLiteral("4"));  // 3 counted on
        QCOMPARE(s.pointer.defaults, 1);
    }

    void fieldRoutinesWorkOnTheWindowsControls() {
        Started s;
        s.operations->soma_etiquetas();
        QCOMPARE(s.window->Label5->text(), QStringLiteral("Total: 15"));

        s.window->txtpedido->setText(QStringLiteral("  ab  "));
        WindowOperations::entra1(s.window->txtpedido);
        QCOMPARE(s.window->txtpedido->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(s.window->txtpedido->selectionStart(), 0);
        QCOMPARE(s.window->txtpedido->selectionLength(), 2);
        WindowOperations::sai1(s.window->txtpedido);
        QCOMPARE(s.window->txtpedido->palette().color(QPalette::Base), QColor(Qt::white));

        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        s.operations->ordena_coluna(1, s.window->grid());
        QVERIFY(s.window->FLEX1->isVisible());
        QCOMPARE(s.window->FLEX1->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("> Referência"));
    }
};

QTEST_MAIN(TestWindowOperations)
#include "test_window_operations.moc"
