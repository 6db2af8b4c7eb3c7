#include "items/detail_panel.h"
#include "platform/error.h"
#include "routines/quantity_total.h"

#include <QLocale>
#include <QTest>

using namespace etq;

namespace {

// A grid whose rows hold these quantities, then the empty row every item grid ends with.
void fill(FlexGrid& grid, const QStringList& quantities) {
    grid.setCols(6);
    grid.setTextMatrix(0, column::Qte, QStringLiteral("Qte"));
    grid.setRows(static_cast<int>(quantities.size()) + 2);
    for (int i = 0; i < quantities.size(); ++i) {
        grid.setTextMatrix(i + 1, column::Qte, quantities[i]);
        grid.setTextMatrix(i + 1, column::Referencia, QStringLiteral("R%1").arg(i));
    }
}

}  // namespace

class TestQuantityTotal : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void totals_data() {
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QString>("label");
        QTest::newRow("3, blank, 0 and 2") << QStringList{"3", "", "0", "2"} << "Total: 5";
        QTest::newRow("no item rows") << QStringList{} << "Total: 0";
        QTest::newRow("blanks only") << QStringList{"   ", ""} << "Total: 0";
        QTest::newRow("blanks around") << QStringList{" 3 ", "  4"} << "Total: 7";
        QTest::newRow("negatives and zeros left out")
            << QStringList{"-4", "1", "0,0", "-0,5"} << "Total: 1";
        QTest::newRow("fractions, no trailing zeros")
            << QStringList{"2,5", "0,25", "1,2000"} << "Total: 3,95";
        QTest::newRow("tenths add up exactly") << QStringList{"0,1", "0,2"} << "Total: 0,3";
        QTest::newRow("four decimals kept") << QStringList{"0,0001", "1"} << "Total: 1,0001";
        QTest::newRow("fifth decimal rounds to even, down") << QStringList{"0,00005"} << "Total: 0";
        QTest::newRow("fifth decimal rounds to even, up")
            << QStringList{"0,00015"} << "Total: 0,0002";
        QTest::newRow("beyond half rounds up") << QStringList{"0,000051"} << "Total: 0,0001";
        QTest::newRow("group separators read, not written")
            << QStringList{"1.000", "234"} << "Total: 1234";
        QTest::newRow("explicit plus sign") << QStringList{"+2"} << "Total: 2";
        QTest::newRow("largest total")
            << QStringList{"922337203685477,5806", "0,0001"} << "Total: 922337203685477,5807";
    }

    void totals() {
        QFETCH(QStringList, quantities);
        QFETCH(QString, label);
        FlexGrid grid;
        fill(grid, quantities);
        PlainTextField label5(QStringLiteral("Coluna da Etiqueta Inicial"));
        soma_etiquetas(grid, label5);
        QCOMPARE(label5.text(), label);
    }

    void otherLocale() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        FlexGrid grid;
        fill(grid, {"1,000.5", "0.25"});
        PlainTextField label5;
        soma_etiquetas(grid, label5);
        QCOMPARE(label5.text(), QStringLiteral("Total: 1000.75"));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<int>("number");
        QTest::newRow("letters") << QStringList{"3", "abc"} << int(Error::TypeMismatch);
        QTest::newRow("two decimal separators") << QStringList{"1,2,3"} << int(Error::TypeMismatch);
        QTest::newRow("blank inside") << QStringList{"1 2"} << int(Error::TypeMismatch);
        QTest::newRow("sign only") << QStringList{"-"} << int(Error::TypeMismatch);
        QTest::newRow("separator only") << QStringList{","} << int(Error::TypeMismatch);
        QTest::newRow("trailing group separator") << QStringList{"1."} << int(Error::TypeMismatch);
        QTest::newRow("quantity too large")
            << QStringList{"922337203685478"} << int(Error::Overflow);
        QTest::newRow("total too large")
            << QStringList{"922337203685477", "1"} << int(Error::Overflow);
    }

    void failures() {
        QFETCH(QStringList, quantities);
        QFETCH(int, number);
        FlexGrid grid;
        fill(grid, quantities);
        PlainTextField label5(QStringLiteral("Coluna da Etiqueta Inicial"));
        try {
            soma_etiquetas(grid, label5);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), number);
        }
        QCOMPARE(label5.text(), QStringLiteral("Coluna da Etiqueta Inicial"));
    }
};

QTEST_GUILESS_MAIN(TestQuantityTotal)
#include "test_quantity_total.moc"
