#include "fakes/counting_mouse_pointer.h"
#include "fakes/counting_pending_events.h"
#include "fakes/grid_rows.h"
#include "zpl/item_stream_reader.h"

#include <QTest>

using namespace etq;

namespace {

const QString kItem = QStringLiteral("^FT3,113^A0N,28,28^FH\\^FD");

QString item(const QString& reference) {
    return kItem + reference + "^FS";
}

QString field(const char* key, const QString& value) {
    return QString::fromUtf8(key) + value + "^FS";
}

QString code(const QString& v) {
    return field("^BY2^BCN,60,Y,N,N^FD>:", v);
}
QString at282(const QString& v) {
    return field("^FT282,342^A0N,23,24^FH\\^FD", v);
}
QString at117(const QString& v) {
    return field("^FT117,224^A0N,23,24^FH\\^FD", v);
}
QString at488(const QString& v) {
    return field("^FT488,342^A0N,23,24^FH\\^FD", v);
}
QString at177(const QString& v) {
    return field("^FT177,265^A0N,23,24^FH\\^FD", v);
}
QString at264(const QString& v) {
    return field("^FT264,307^A0N,23,24^FH\\^FD", v);
}

// A label of one reference with all six details.
QString full(const QString& reference, const QString& suffix) {
    return "^XA" + item(reference) + code("789" + suffix) + at282("C" + suffix) +
           at117("D" + suffix) + at488("E" + suffix) + at177("F" + suffix) + at264("G" + suffix) +
           "^XZ";
}

QString bare(const QString& reference) {
    return "^XA" + item(reference) + "^XZ";
}

// The grid as start-up leaves it, with the given rows ("count|reference") before the empty one.
void prepare(FlexGrid& grid, const QStringList& rows) {
    grid.setCols(6);
    grid.setTextMatrix(0, 1, QStringLiteral("Referência"));
    for (const QString& row : rows) {
        const int last = grid.Rows() - 1;
        grid.setTextMatrix(last, 0, row.section('|', 0, 0));
        grid.setTextMatrix(last, 1, row.section('|', 1));
        grid.setRows(last + 2);
    }
}

}  // namespace

class TestItemStreamReader : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void readsItems_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QStringList>("after");
        const QString empty6 = "|||||";
        const QString empty8 = "|||||||";
        const QString details1 = "7891|C1|D1|E1|F1|G1";

        QTest::newRow("empty stream leaves the grid")
            << QStringList{"2|A1"} << "" << QStringList{"2|A1||||", empty6};
        QTest::newRow("^PQ2 then two labels: 3")
            << QStringList{} << "^XA^PQ2,0,1,Y" + item("A1") + "^XZ" + bare("A1")
            << QStringList{"3|A1||||", empty6};
        QTest::newRow("^PQ2 then three labels: 4")
            << QStringList{} << "^XA^PQ2,0,1,Y" + item("A1") + "^XZ" + bare("A1") + bare("A1")
            << QStringList{"4|A1||||", empty6};
        QTest::newRow("no ^PQ before the item: 1")
            << QStringList{} << "^XA" + item("A1") + "^PQ5,0,1,Y^XZ"
            << QStringList{"1|A1||||", empty6};
        QTest::newRow("^PQ of an earlier label")
            << QStringList{} << "^XA" + item("A1") + "^PQ5,0,1,Y^XZ" + bare("B2")
            << QStringList{"1|A1||||", "5|B2||||", empty6};
        QTest::newRow("nearest ^PQ wins")
            << QStringList{} << "^XA^PQ5,0^XZ^XA^PQ7,0" + item("A1") + "^XZ"
            << QStringList{"7|A1||||", empty6};
        QTest::newRow("^PQ without a comma ends at the next command")
            << QStringList{} << "^XA^PQ3^FS" + item("A1") + "^XZ"
            << QStringList{"3|A1||||", empty6};
        QTest::newRow("^PQ without a comma before the next label")
            << QStringList{} << "^XA" + item("A1") + "^XZ^PQ9" + bare("B2")
            << QStringList{"1|A1||||", "9|B2||||", empty6};
        QTest::newRow("all details, one folded set")
            << QStringList{} << full("A1", "1") << QStringList{"1|A1|" + details1, empty8};
        QTest::newRow("details from the first label of a reference")
            << QStringList{} << full("A1", "1") + full("A1", "2")
            << QStringList{"2|A1|" + details1, empty8};
        QTest::newRow("rows already in the grid are counted on")
            << QStringList{"2|A1", "1|X9"} << bare("A1") + full("B2", "1") + bare("A1")
            << QStringList{"4|A1||||||", "1|X9||||||", "1|B2|" + details1, empty8};
        QTest::newRow("count that is not a number counts as 0")
            << QStringList{"abc|A1", " 4 |B2"} << bare("A1") + bare("B2")
            << QStringList{"1|A1||||", "5|B2||||", empty6};
        // Blanks stay in the reference; the details come from the trimmed form only.
        QTest::newRow("references with blanks")
            << QStringList{} << full(" A1 ", "1") + full("A1", "2") + full(" B2", "3")
            << QStringList{"1| A1 |7892|C2|D2|E2|F2|G2", "1|A1|7892|C2|D2|E2|F2|G2", "1| B2||||||",
                           empty8};
        QTest::newRow("detail before the reference field is not taken")
            << QStringList{} << "^XA" + at282("X") + item("A1") + at117("D") + "^XZ"
            << QStringList{"1|A1|||D|||", empty8};
        QTest::newRow("detail of a later label is not taken")
            << QStringList{} << "^XA" + item("A1") + "^XZ^XA" + at282("X") + item("B2") + "^XZ"
            << QStringList{"1|A1||||", "1|B2||||", empty6};
        QTest::newRow("reference without ^FS is skipped")
            << QStringList{} << "^XA" + kItem + "A1^XZ" << QStringList{empty6};
        QTest::newRow("reference whose ^FS lies in a later label is skipped")
            << QStringList{} << "^XA" + kItem + "A1^XZ" + full("B2", "1")
            << QStringList{"1|B2|" + details1, empty8};
        QTest::newRow("detail without ^FS runs to the end of the label")
            << QStringList{} << "^XA" + item("A1") + "^FT282,342^A0N,23,24^FH\\^FDAção^XZ"
            << QStringList{"1|A1||Acao^XZ||||", empty8};
        QTest::newRow("label without ^XZ runs to the end of the stream")
            << QStringList{} << "^XA" + item("A1") + at177("F")
            << QStringList{"1|A1|||||F|", empty8};
        // An empty reference names no item: the grid keeps its empty last row.
        QTest::newRow("empty reference before an item")
            << QStringList{} << bare("") + bare("A1") << QStringList{"1|A1||||", empty6};
        QTest::newRow("empty reference with details, last")
            << QStringList{} << bare("A1") + "^XA" + item("") + at177("F") + "^XZ"
            << QStringList{"1|A1||||", empty6};
        QTest::newRow("hex escapes and blanks are kept")
            << QStringList{} << "^XA" + item("A_5F1") + at488(" x ") + "^XZ"
            << QStringList{"1|A_5F1|||| x ||", empty8};
    }

    void readsItems() {
        QFETCH(QStringList, before);
        QFETCH(QString, stream);
        QFETCH(QStringList, after);
        FlexGrid grid;
        prepare(grid, before);
        PlainTextField texto_zpl(stream);
        test::CountingPendingEvents events;
        test::CountingMousePointer pointer;
        Pega_Itens(texto_zpl, grid, events, pointer);
        QCOMPARE(test::gridRows(grid), after);
        QCOMPARE(texto_zpl.text(), stream);
        QCOMPARE(pointer.defaults, 1);
        QVERIFY(events.count >= 1);
        for (int col = 6; col < grid.Cols(); ++col) {
            QCOMPARE(grid.ColWidth(col), 0);
        }
    }

    void foldsAccentsExceptColumn5() {
        const QString word = QString::fromUtf8("Ação");
        const QString stream = "^XA" + item("A1") + code(word) + at282(word) + at117("d'água") +
                               at488(word) + at177(QString::fromUtf8("PÊSSEGO")) +
                               at264(QString::fromUtf8("Ñandú")) + "^XZ";
        FlexGrid grid;
        prepare(grid, {});
        PlainTextField texto_zpl(stream);
        test::CountingPendingEvents events;
        test::CountingMousePointer pointer;
        Pega_Itens(texto_zpl, grid, events, pointer);
        QCOMPARE(test::gridRows(grid).constFirst(),
                 QString::fromUtf8("1|A1|Acao|Acao|d agua|Ação|PESSEGO|Ñandu"));
    }

    // A handler that runs while the reader pauses removes the reference's row: the labels
    // after it start a new row, as a search of the grid at every label would.
    void seesGridChangedWhileEventsRun() {
        const int labels = 100000;
        FlexGrid grid;
        prepare(grid, {});
        PlainTextField texto_zpl(bare("A1").repeated(labels));
        test::CountingPendingEvents events;
        test::CountingMousePointer pointer;
        int countWhenRemoved = -1;
        events.onProcess = [&] {
            if (events.count == 2) {
                countWhenRemoved = grid.TextMatrix(1, 0).toInt();
                grid.RemoveItem(1);
            }
        };
        Pega_Itens(texto_zpl, grid, events, pointer);
        QVERIFY2(countWhenRemoved > 0, "the reader never paused during the run");
        QVERIFY(events.count < labels / 10);
        QCOMPARE(test::gridRows(grid),
                 (QStringList{QString::number(labels - countWhenRemoved) + "|A1||||", "|||||"}));
    }
};

QTEST_GUILESS_MAIN(TestItemStreamReader)
#include "test_item_stream_reader.moc"
