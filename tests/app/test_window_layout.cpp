#include "app/item_grid.h"
#include "app/main_window.h"
#include "fakes/window_session.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

using namespace etq;
using namespace etq::test;

namespace {

const QByteArray kThreeItems =
    "Referencia,Cor,Tamanho,Qte,Pedido\r\nA1020,AZUL,38,3,4501\r\n"
    "B2210,A\xC7"
    "AFR\xC3"
    "O,P,5,4502\r\nC3105,PRETO,36,14,4503\r\n";

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

}  // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void controlsStandAtTheirTwipPositions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        auto add = [](const char* name, QRect twips, const QString& text = QString()) {
            QTest::newRow(name) << QString::fromLatin1(name) << twips << text;
        };
        add("FLEX1", {240, 240, 9375, 3135});
        add("Frame1", {315, 3480, 9375, 2535});
        add("Label1", {120, 240, 1695, 255}, QStringLiteral("Referência"));
        add("txtreduzido", {360, 480, 2055, 360}, QString());
        add("lblinha", {2880, 600, 975, 255}, QStringLiteral("0"));
        add("Label6", {3240, 120, 2295, 375}, QStringLiteral("Etiqueta 33,9mm x 101,6 m"));
        add("Label7", {3240, 480, 2295, 375}, QStringLiteral("7 Linhas x 2 Colunas"));
        add("Label4", {5880, 240, 1935, 255}, QStringLiteral("Linha da Etiqueta Inicial"));
        add("combolinha", {8040, 240, 1095, 315});
        add("Label5", {5880, 720, 1935, 255}, QStringLiteral("Coluna da Etiqueta Inicial"));
        add("combocoluna", {8040, 720, 1095, 315});
        add("Label9", {120, 960, 1095, 255}, QStringLiteral("Cor"));
        add("txtdescricao2", {360, 1200, 6735, 360}, QString());
        add("Label10", {120, 1680, 1215, 255}, QStringLiteral("Número"));
        add("txtnumero", {360, 1920, 735, 360}, QString());
        add("Label3", {2520, 1680, 1215, 255}, QStringLiteral("Quantidade"));
        add("txtQte", {2640, 1920, 855, 360}, QString());
        add("Label2", {5640, 1680, 1215, 255}, QStringLiteral("Pedido"));
        add("txtpedido", {5640, 1920, 1455, 360}, QString());
        add("lblprinterdefault", {7320, 1800, 1335, 255});
        add("Label8", {360, 6120, 3255, 255}, QStringLiteral("Impressora"));
        add("CMBPRINTER", {360, 6360, 6015, 315});
        add("command1", {6480, 6240, 1455, 375}, QStringLiteral("&Imprimir"));
        add("Command2", {8160, 6240, 1455, 375}, QStringLiteral("&Sair"));
    }
    void controlsStandAtTheirTwipPositions() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        WindowSession<> s;
        s.start();
        auto* widget = s.window->findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        const double dpiX = widget->logicalDpiX();
        const double dpiY = widget->logicalDpiY();
        auto px = [](int tw, double dpi) { return static_cast<int>(std::lround(tw * dpi / 1440)); };
        QCOMPARE(widget->geometry(), QRect(px(twips.x(), dpiX), px(twips.y(), dpiY),
                                           px(twips.width(), dpiX), px(twips.height(), dpiY)));
        const bool inPanel = widget->parentWidget() == s.window->Frame1;
        const bool panelControl = twips.y() < 3000 && name != QLatin1String("FLEX1");
        QCOMPARE(inPanel, panelControl);
        if (auto* label = qobject_cast<QLabel*>(widget); label && !text.isNull()) {
            QCOMPARE(label->text(), text);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            QVERIFY(box->text().isEmpty());
        }
    }

    void windowHasItsCaptionSizeAndColours() {
        WindowSession<> s;
        s.start();
        MainWindow& w = *s.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Impressão Etiquetas "));
        QCOMPARE(w.objectName(), QStringLiteral("Form1"));
        const int width = static_cast<int>(std::lround(9780 * w.logicalDpiX() / 1440.0));
        const int height = static_cast<int>(std::lround(6855 * w.logicalDpiY() / 1440.0));
        QCOMPARE(w.minimumSize(), QSize(width, height));
        QCOMPARE(w.maximumSize(), QSize(width, height));
        w.show();
        w.resize(width + 100, height + 50);
        QCOMPARE(w.size(), QSize(width, height));
        const QColor peach(255, 224, 192);
        QCOMPARE(w.palette().color(QPalette::Window), peach);
        QCOMPARE(w.Frame1->palette().color(QPalette::Window), peach);
        QVERIFY(w.Frame1->autoFillBackground());
        QVERIFY(w.Label6->autoFillBackground());
        QVERIFY(!w.Label1->autoFillBackground());
    }

    void fontsResolveToTheirMetricTwins() {
        WindowSession<> s;
        s.start();
        const QFont bold = s.window->txtreduzido->font();
        QCOMPARE(bold.family(), QStringLiteral("Arial"));
        QCOMPARE(bold.pointSizeF(), 9.75);
        QVERIFY(bold.bold());
        QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(s.window->Label6->font().pointSizeF(), 9.0);
        QCOMPARE(s.window->lblinha->font(), s.window->font());
    }

    void tabOrderAndFocus() {
        WindowSession<> s;
        s.start();
        MainWindow& w = *s.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.FLEX1));
        const QList<QWidget*> order = {w.txtreduzido, w.txtdescricao2, w.txtnumero,   w.txtQte,
                                       w.txtpedido,   w.combolinha,    w.combocoluna, w.CMBPRINTER,
                                       w.command1,    w.Command2,      w.FLEX1};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void accessKeysAndExit() {
        WindowSession<> s;
        s.temp.writeAppFile(QStringLiteral("etiquetas.csv"), kThreeItems);
        s.start();
        MainWindow& w = *s.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QSignalSpy printClicks(w.command1, &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(printClicks.size(), 1);  // an access key animates the click
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(s.messages.shown.isEmpty());
    }

    void startUpListsPrinters_data() {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("defaultPrinter");
        QTest::addColumn<int>("selected");
        QTest::newRow("none") << QStringList{} << QString() << -1;
        QTest::newRow("one") << QStringList{QStringLiteral("PDF")} << QStringLiteral("PDF") << 0;
        QTest::newRow("three, default second")
            << QStringList{QStringLiteral("Argox"), QStringLiteral("HP_LaserJet"),
                           QStringLiteral("zebra")}
            << QStringLiteral("HP_LaserJet") << 1;
        QTest::newRow("default not found: first")
            << QStringList{QStringLiteral("A"), QStringLiteral("B")} << QStringLiteral("b") << 0;
    }
    void startUpListsPrinters() {
        QFETCH(QStringList, printers);
        QFETCH(QString, defaultPrinter);
        QFETCH(int, selected);
        WindowSession<> s;
        s.printer.printers = printers;
        s.printer.defaultPrinter = defaultPrinter;
        s.temp.writeAppFile(QStringLiteral("etiquetas.csv"), kThreeItems);
        s.start();
        MainWindow& w = *s.window;
        QCOMPARE(itemsOf(w.CMBPRINTER), printers);
        QCOMPARE(w.CMBPRINTER->currentIndex(), selected);
        QCOMPARE(w.lblprinterdefault->text(), selected < 0 ? QString() : printers[selected]);
        QCOMPARE(w.grid().Rows(), 5);
        QCOMPARE(itemsOf(w.combolinha),
                 QString::fromLatin1("1 2 3 4 5 6 7").split(QLatin1Char(' ')));
        QCOMPARE(itemsOf(w.combocoluna), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(w.combolinha->currentText(), QStringLiteral("1"));
        QCOMPARE(w.combocoluna->currentText(), QStringLiteral("1"));
        QVERIFY(s.messages.shown.isEmpty());
    }

    void startUpLaysOutTheGrid() {
        WindowSession<> s;
        s.temp.writeAppFile(QStringLiteral("etiquetas.csv"), kThreeItems);
        s.start();
        const FlexGrid& grid = s.window->grid();
        QCOMPARE(grid.Cols(), 6);
        const QStringList headers = {QStringLiteral("Qte"),    QStringLiteral("Referência"),
                                     QStringLiteral("Cor"),    QStringLiteral("Tamanho"),
                                     QStringLiteral("Pedido"), QStringLiteral("Exclui")};
        const QList<int> widths = {600, 1300, 3000, 800, 1500, 0};
        for (int col = 0; col < 6; ++col) {
            QCOMPARE(grid.TextMatrix(0, col), headers[col]);
            QCOMPARE(grid.ColWidth(col), widths[col]);
            QCOMPARE(s.window->FLEX1->isColumnHidden(col), col == 5);
            QCOMPARE(s.window->FLEX1->model()->headerData(col, Qt::Horizontal).toString(),
                     headers[col]);
        }
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("AÇAFRÃO"));
        QCOMPARE(grid.TextMatrix(3, 5), QStringLiteral("N"));
        QCOMPARE(s.window->FLEX1->model()->rowCount(), 4);
        QCOMPARE(s.window->FLEX1->model()->index(2, 1).data().toString(), QStringLiteral("C3105"));
    }

    void startUpReportsAMissingItemList() {
        WindowSession<> s;
        s.start();
        QCOMPARE(s.messages.shown.size(), 1);
        const auto& box = s.messages.shown[0];
        QCOMPARE(box.text, QStringLiteral("O Arquivo ") + s.temp.folders().application +
                               QStringLiteral("/etiquetas.csv, não foi localizado!"));
        QCOMPARE(box.title, QStringLiteral("Impressão Etiquetas"));
        QCOMPARE(box.icon, MessageBox::Icon::None);
        QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
        QCOMPARE(s.window->grid().Rows(), 2);
        QCOMPARE(s.window->combolinha->currentText(), QStringLiteral("1"));
    }

    void aFolderNamedLikeTheListReachesTheLoader() {
        WindowSession<> s;
        QDir(s.temp.folders().application).mkdir(QStringLiteral("etiquetas.csv"));
        s.start();
        QCOMPARE(s.messages.shown.size(), 1);
        QCOMPARE(s.messages.shown[0].text, QStringLiteral("O arquivo não existe!"));
        QCOMPARE(s.messages.shown[0].title, QStringLiteral("ATENÇÃO!!!"));
    }

    void gridSelectionFollowsTheView() {
        WindowSession<> s;
        s.temp.writeAppFile(QStringLiteral("etiquetas.csv"), kThreeItems);
        s.start();
        MainWindow& w = *s.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        FlexGrid& grid = w.grid();
        QSignalSpy changes(&grid, &FlexGrid::selectionChanged);
        auto* view = w.FLEX1;
        const QRect third = view->visualRect(view->model()->index(2, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.Col(), 1);
        QCOMPARE(grid.RowSel(), 3);
        const QRect first = view->visualRect(view->model()->index(0, 2));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, first.center());
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.RowSel(), 3);
        QCOMPARE(grid.Col(), 2);
        QCOMPARE(grid.ColSel(), 1);
        QVERIFY(changes.size() >= 2);
        // A header click selects the whole column: every data row.
        const int x = view->horizontalHeader()->sectionViewportPosition(2) + 5;
        QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        QCOMPARE(std::min(grid.Row(), grid.RowSel()), 1);
        QCOMPARE(std::max(grid.Row(), grid.RowSel()), grid.Rows() - 1);
        QCOMPARE(grid.Col(), 2);
        // The model moving its current row moves the view.
        grid.setRow(2);
        QCOMPARE(view->currentIndex().row(), 1);
    }
};

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
