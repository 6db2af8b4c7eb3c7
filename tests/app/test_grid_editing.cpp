#include "fakes/grid_rows.h"
#include "fakes/scripted_message_box.h"
#include "items/grid_editing.h"
#include "items/locale_number.h"

#include <QLocale>
#include <QTest>

using namespace etq;
using etq::test::ScriptedMessageBox;

namespace {

// Data rows "qte|ref|cor|tam|ped|exclui"; no empty last row is added.
void fill(FlexGrid& grid, const QStringList& rows) {
    grid.setCols(6);
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells = rows[i].split(QLatin1Char('|'));
        for (int col = 0; col < cells.size(); ++col) {
            grid.setTextMatrix(i + 1, col, cells[col]);
        }
    }
}

struct Panel {
    PlainTextField ref, cor, num, qte, ped, linha{QStringLiteral("0")};
    DetailPanel panel{ref, cor, num, qte, ped, linha};
    // "ref|cor|num|qte|ped|linha"
    QString shown() const {
        return QStringList{ref.text(), cor.text(), num.text(), qte.text(), ped.text(), linha.text()}
            .join(QLatin1Char('|'));
    }
};

const QStringList kFour = {"3|A1020|AZUL|38|4501|N", "1|B7|PRETO|40|4502|N", "2|C9|VERDE|42|4503|N",
                           "|||||"};

}  // namespace

class TestGridEditing : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<int>("integer");  // -99999: no 16-bit value
        QTest::newRow("digits") << "14" << true << 14;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("blanks around") << "  5 " << true << 5;
        QTest::newRow("sign") << "-3" << true << -3;
        QTest::newRow("half to even down") << "2,5" << true << 2;
        QTest::newRow("half to even up") << "3,5" << true << 4;
        QTest::newRow("fraction") << "2,6" << true << 3;
        QTest::newRow("group separator") << "1.000" << true << 1000;
        QTest::newRow("exponent") << "1,5E2" << true << 150;
        QTest::newRow("top of range") << "32767" << true << 32767;
        QTest::newRow("bottom of range") << "-32768" << true << -32768;
        QTest::newRow("just above, rounds out") << "32767,5" << true << -99999;
        QTest::newRow("above range") << "32768" << true << -99999;
        QTest::newRow("far above range") << "1E10" << true << -99999;
        QTest::newRow("empty") << "" << false << -99999;
        QTest::newRow("blanks") << "   " << false << -99999;
        QTest::newRow("letters") << "abc" << false << -99999;
        QTest::newRow("digits then letter") << "12a" << false << -99999;
        QTest::newRow("point as decimal in pt_BR") << "2.5" << false << -99999;
        QTest::newRow("infinity") << "inf" << false << -99999;
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(int, integer);
        QCOMPARE(isNumericText(text), numeric);
        const std::optional<qint16> value = localeInteger16(text);
        QCOMPARE(value.has_value(), integer != -99999);
        if (value) {
            QCOMPARE(int(*value), integer);
        }
    }

    void showRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("item row") << 2 << "B7|PRETO|40|1|4502|2";
        QTest::newRow("empty last row keeps the number") << 4 << "|||||7";
        QTest::newRow("quantity not numeric") << 5 << "|||||7";
        QTest::newRow("quantity with blanks") << 6 << "D|ROSA|36| 4 |1|6";
    }
    void showRow() {
        QFETCH(int, row);
        QFETCH(QString, shown);
        FlexGrid grid;
        fill(grid, QStringList(kFour) << "x|E|F|G|H|N"
                                      << " 4 |D|ROSA|36|1|N");
        Panel p;
        p.ref.setText(QStringLiteral("old"));
        p.linha.setText(QStringLiteral("7"));
        grid.setRow(row);
        showCurrentRow(grid, p.panel);
        QCOMPARE(p.shown(), shown);
    }

    void deleteRow_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("shown");
        QTest::newRow("row 2 of four, yes")
            << kFour << 2 << true
            << QStringList{"3|A1020|AZUL|38|4501|N", "2|C9|VERDE|42|4503|N", "|||||"} << 2
            << "C9|VERDE|42|2|4503|2";
        QTest::newRow("row 2 of four, no") << kFour << 2 << false << kFour << 2 << "x|||||0";
        QTest::newRow("empty last row") << kFour << 4 << true << kFour.mid(0, 3) << 3 << "x|||||0";
        QTest::newRow("single data row is emptied")
            << QStringList{"3|A1020|AZUL|38|4501|N"} << 1 << true << QStringList{"|||||"} << 1
            << "x|||||0";
        QTest::newRow("single data row, no")
            << QStringList{"3|A1020|AZUL|38|4501|N"} << 1 << false
            << QStringList{"3|A1020|AZUL|38|4501|N"} << 1 << "x|||||0";
    }
    void deleteRow() {
        QFETCH(QStringList, rows);
        QFETCH(int, row);
        QFETCH(bool, yes);
        QFETCH(QStringList, after);
        QFETCH(int, current);
        QFETCH(QString, shown);
        FlexGrid grid;
        fill(grid, rows);
        grid.setRow(row);
        Panel p;
        p.ref.setText(QStringLiteral("x"));
        ScriptedMessageBox messages;
        messages.answers = {yes ? MessageBox::Answer::Yes : MessageBox::Answer::No};
        deleteCurrentRow(grid, p.panel, messages);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, QStringLiteral("Excluir Este Item"));
        QCOMPARE(messages.shown[0].buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(messages.shown[0].icon, MessageBox::Icon::Question);
        QCOMPARE(messages.shown[0].title, MessageBox::applicationTitle());
        QCOMPARE(test::gridRows(grid), after);
        QCOMPARE(grid.Row(), current);
        QCOMPARE(p.shown(), shown);
    }

    void typing_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");  // 'b' stands for Backspace
        QTest::addColumn<QString>("quantity");
        QTest::newRow("digit appended") << 1 << 0 << "5"
                                        << "25";
        QTest::newRow("backspace twice, then on empty") << 1 << 0 << "bbb"
                                                        << "";
        QTest::newRow("backspace then digits, leading zero stays") << 1 << 0 << "b007"
                                                                   << "007";
        QTest::newRow("letter, minus, comma, blank ignored") << 1 << 0 << "a-, "
                                                             << "2";
        QTest::newRow("digit in column 2 ignored") << 1 << 2 << "5"
                                                   << "2";
        QTest::newRow("row without reference") << 2 << 0 << "5"
                                               << "";
        QTest::newRow("many digits") << 1 << 0 << "99999999"
                                     << "299999999";
    }
    void typing() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(QString, quantity);
        FlexGrid grid;
        fill(grid, {"2|A1020|AZUL|38|4501|N", "|||||"});
        grid.setRow(row);
        grid.setCol(col);
        for (QChar key : keys) {
            typeQuantity(grid, key == QLatin1Char('b') ? BackspaceCode : key.unicode());
        }
        QCOMPARE(grid.TextMatrix(row, 0), quantity);
        QCOMPARE(grid.TextMatrix(1, 2), QStringLiteral("AZUL"));
    }
};

QTEST_GUILESS_MAIN(TestGridEditing)
#include "test_grid_editing.moc"
