#include "fakes/counting_pending_events.h"
#include "fakes/grid_rows.h"
#include "platform/error.h"
#include "zpl/label_stream_separation.h"

#include <QTest>

using namespace etq;

namespace {

using Separate = void (*)(LabelStreamFields&, FlexGrid&, PendingEvents&);

// A label with the seven fields at their places, values as given, the quantity in ^PQ.
QString label(const QString& quantity, const QString& code, const QString& t2 = "T2",
              const QString& t3 = "T3", const QString& t4 = "T4", const QString& t5 = "T5",
              const QString& t6 = "T6") {
    return "^XA^MMT^PW799^LL0400^LS0^BY3,3,80^FT82,120^BCN,,Y,N^FD>;" + code + "^FS" +
           "^FT8182,63^FWN^A0,N37,35^FD" + t2 + "^FS" +
           "^FT82,180.090909090909090909090909090909090909^FWN^A0,N32,30^FD" + t3 + "^FS" +
           "^FT82,207.090909090909090909090909090909090909^FWN^A0,N32,30^FD" + t4 + "^FS" +
           "^FT82,248.090909090909090909090909090909090909^FWN^A0,N28,26^FD" + t5 + "^FS" +
           "^FT82,285.090909090909090909090909090909090909^FWN^A0,N28,26^FD" + t6 + "^FS" + "^PQ" +
           quantity + ",0,1,Y^XZ";
}

const QString L1 = label("2", "12345678", "AZUL", "38", "4501", "CAMISA", "M");
const QString L2 = label("1", "87654321", "PRETO", "40", "4502", "CALÇA", "G");
const QString R1 = "2|12345678|AZUL|38|4501|CAMISA|M";
const QString R2 = "1|87654321|PRETO|40|4502|CALÇA|G";

// The grid as start-up leaves it: six columns, a header, one empty data row.
void prepare(FlexGrid& grid) {
    grid.setCols(6);
    grid.setTextMatrix(0, 0, QStringLiteral("Qte"));
    grid.setTextMatrix(0, 1, QStringLiteral("Referência"));
}

}  // namespace

class TestLabelStreamSeparation : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void separates_data() {
        QTest::addColumn<int>("twin");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("zpl");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("rest");
        auto both = [](const char* name, const QString& stream, const QStringList& rows,
                       const QString& zpl, const QString& label, const QString& rest) {
            for (int twin : {1, 2}) {
                QTest::addRow("%s (SEPARA_%d)", name, twin)
                    << twin << stream << rows << zpl << label << rest;
            }
        };
        const QString crlf = QStringLiteral("\r\n");
        // The second cut starts at its ^XA and takes the two characters after its ^XZ.
        both("two labels, CR LF between", L1 + crlf + L2 + crlf, {R1, R2}, crlf, L2 + crlf, crlf);
        both("empty format gives no row", "^XA^XZ" + L1, {R1}, "", L1, "");
        both("cut of 20 characters gives no row", "^XA^FD>;123456^FS^XZ" + L1, {R1}, "", L1, "");
        // 21 characters: a row. No ^PQ: the quantity starts at position 3 (the key's length)
        // and, lacking a comma, runs to the end of the label; keys 2 to 7 start beyond it.
        both("cut of 21 characters gives a row", "^XA^FD>;1234567^FS^XZ" + L1,
             {"A^FD>;1234567^FS^XZ|1234567|||||", R1}, "", L1, "");
        // No ^FD>; key: the value starts at position 5 ("M" of ^MMT) and runs to the next caret.
        QString noCode = L1;
        noCode.replace("^FD>;12345678", "^FD12345678");
        both("missing key", noCode + crlf, {"2|MMT|AZUL|38|4501|CAMISA|M"}, crlf, noCode, crlf);
        const QString emptyValues = label("", "", "", "", "", "", "");
        both("keys directly followed by their terminators", emptyValues, {"||||||"}, "",
             emptyValues, "");
        both("empty stream", "", {}, "", "ETQ", "RESTO");
        both("long tail without markers is kept", L1 + crlf + "no labels in this tail", {R1},
             crlf + "no labels in this tail", L1, crlf + "no labels in this tail");
        both("tail of twelve line-end characters is kept", L1 + crlf.repeated(6), {R1},
             crlf.repeated(6), L1, crlf.repeated(6));
        both("label without ^XZ is kept whole", L1 + crlf + "^XA^FD>;99^FS^PQ1,0", {R1},
             crlf + "^XA^FD>;99^FS^PQ1,0", L1, crlf + "^XA^FD>;99^FS^PQ1,0");
        // Preceded by 4 characters, the cut runs 4 characters past the ^XZ; the stream goes on
        // right after the ^XZ.
        both("label preceded by other text", "junk" + L1 + crlf + "0123456789AB", {R1},
             crlf + "0123456789AB", L1 + crlf + "01", crlf + "0123456789AB");
        both("short tail of blanks and text ends the run", L1 + "   tail12   ", {R1},
             "   tail12   ", L1, "   tail12   ");

        const QString lower = QString(L1).replace("^XA", "^xa").replace("^XZ", "^xZ");
        const QString mixed = QString(L2).replace("^XA", "^Xa").replace("^XZ", "^xz");
        QTest::newRow("lower-case markers (SEPARA_2)")
            << 2 << lower + crlf + mixed << QStringList{R1, R2} << "" << mixed << "";
        QTest::newRow("lower-case markers (SEPARA_1): no label, kept")
            << 1 << lower + crlf + mixed << QStringList{} << lower + crlf + mixed << "ETQ"
            << "RESTO";
        // SEPARA_1 cuts before it tests the stream's length; SEPARA_2 tests first.
        QTest::newRow("short stream (SEPARA_1)") << 1 << "^XA^XZ" << QStringList{} << ""
                                                 << "^XA^XZ"
                                                 << "";
        QTest::newRow("short stream (SEPARA_2)") << 2 << "^XA^XZ" << QStringList{} << "^XA^XZ"
                                                 << "ETQ"
                                                 << "RESTO";
        // SEPARA_1 cuts 3 characters from the later ^XA, then the label; SEPARA_2 meets the
        // ^XZ with no ^XA before it and keeps the stream.
        QTest::newRow("^XZ before any ^XA (SEPARA_1)")
            << 1 << "^XZ" + crlf + L1 << QStringList{R1} << "" << L1 << "";
        QTest::newRow("^XZ before any ^XA (SEPARA_2)")
            << 2 << "^XZ" + crlf + L1 << QStringList{} << "^XZ" + crlf + L1 << "ETQ"
            << "RESTO";
        QTest::newRow("stray ^XZ after a label (SEPARA_2)")
            << 2 << L1 + "^XZ" + L2 << QStringList{R1} << "^XZ" + L2 << L1 << "^XZ" + L2;
        // SEPARA_2 cuts from the last ^XA before the first ^XZ; SEPARA_1 from the first.
        QTest::newRow("two starts before one end (SEPARA_2)")
            << 2 << "^XA^FD>;00^FS" + L1 << QStringList{R1} << "" << L1 << "";
        QTest::newRow("two starts before one end (SEPARA_1)")
            << 1 << "^XA^FD>;00^FS" + L1 << QStringList{"2|00|AZUL|38|4501|CAMISA|M"} << ""
            << "^XA^FD>;00^FS" + L1 << "";
    }

    void separates() {
        QFETCH(int, twin);
        QFETCH(QString, stream);
        QFETCH(QStringList, rows);
        QFETCH(QString, zpl);
        QFETCH(QString, label);
        QFETCH(QString, rest);
        PlainTextField texto_zpl(stream), etiqueta_atual("ETQ"), texto_resto("RESTO");
        LabelStreamFields fields{texto_zpl, etiqueta_atual, texto_resto};
        FlexGrid grid;
        prepare(grid);
        test::CountingPendingEvents events;
        (twin == 1 ? SEPARA_1 : SEPARA_2)(fields, grid, events);
        QCOMPARE(test::gridRows(grid, grid.Rows() - 1), rows);
        QCOMPARE(grid.TextMatrix(grid.Rows() - 1, 0), QString());
        QCOMPARE(texto_zpl.text(), zpl);
        QCOMPARE(etiqueta_atual.text(), label);
        QCOMPARE(texto_resto.text(), rest);
        QVERIFY(events.count >= 1);
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("Referência"));
    }

    // Seven columns only once a row is written; the added one hidden, the others untouched.
    void widensGridWhenWriting_data() {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<int>("cols");
        QTest::newRow("no row") << "^XA^XZ" << 6;
        QTest::newRow("a row") << L1 << 7;
    }

    void widensGridWhenWriting() {
        QFETCH(QString, stream);
        QFETCH(int, cols);
        for (Separate separate : {&SEPARA_1, &SEPARA_2}) {
            PlainTextField texto_zpl(stream), etiqueta_atual, texto_resto;
            LabelStreamFields fields{texto_zpl, etiqueta_atual, texto_resto};
            FlexGrid grid;
            prepare(grid);
            grid.setColWidth(5, 0);
            grid.setColWidth(1, 1500);
            test::CountingPendingEvents events;
            separate(fields, grid, events);
            QCOMPARE(grid.Cols(), cols);
            QCOMPARE(grid.ColWidth(1), 1500);
            QCOMPARE(grid.ColWidth(cols - 1), 0);
        }
    }

    // A long stream: events run now and then, never once per label; a failure raised while
    // they run ends the reader with the rows so far kept and the fields telling where it got.
    void pumpsEventsAndStopsOnFailure() {
        const int labels = 40000;
        const QString one = L1 + "\r\n";
        for (Separate separate : {&SEPARA_1, &SEPARA_2}) {
            PlainTextField texto_zpl(one.repeated(labels)), etiqueta_atual, texto_resto;
            LabelStreamFields fields{texto_zpl, etiqueta_atual, texto_resto};
            FlexGrid grid;
            prepare(grid);
            test::CountingPendingEvents events;
            events.onProcess = [&] {
                if (events.count == 3) {
                    throw Error(Error::SubscriptOutOfRange, "FlexGrid", "failure");
                }
            };
            QVERIFY_THROWS_EXCEPTION(Error, separate(fields, grid, events));
            const int rows = grid.Rows() - 2;
            QCOMPARE(events.count, 3);
            QVERIFY2(rows > 1 && rows < labels, qPrintable(QString::number(rows)));
            QCOMPARE(test::gridRows(grid, grid.Rows() - 1).constLast(), R1);
            QCOMPARE(etiqueta_atual.text(), one);
            QCOMPARE(texto_zpl.text(), "\r\n" + one.repeated(labels - rows));
            QCOMPARE(texto_resto.text(), texto_zpl.text());
        }
    }
};

QTEST_GUILESS_MAIN(TestLabelStreamSeparation)
#include "test_label_stream_separation.moc"
