// The fast stream readers against the plain step-by-step versions, on generated streams:
// well-formed labels, labels with fields missing or unterminated, markers in lower case, stray
// or missing markers, junk between labels, references already in the grid.

#include "fakes/counting_mouse_pointer.h"
#include "fakes/counting_pending_events.h"
#include "literal_stream_readers.h"
#include "zpl/item_stream_reader.h"
#include "zpl/label_stream_separation.h"

#include <QRandomGenerator>
#include <QTest>

using namespace etq;

namespace {

constexpr int kStreams = 3000;

class Generator {
  public:
    explicit Generator(quint32 seed) : rng_(seed) {}

    int below(int n) { return static_cast<int>(rng_.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const QList<T>& list) {
        return list[below(static_cast<int>(list.size()))];
    }

    QString value() {
        static const QList<QString> values = {QString(),
                                              QStringLiteral("12"),
                                              QStringLiteral("A1020"),
                                              QStringLiteral(" 7 "),
                                              QStringLiteral("Ação"),
                                              QStringLiteral("x,y"),
                                              QStringLiteral("d'água"),
                                              QStringLiteral("ÁÉÍÓÚ çñ"),
                                              QStringLiteral("\r\n")};
        return pick(values);
    }

    QString junk() {
        static const QList<QString> pieces = {QStringLiteral("^XA"),
                                              QStringLiteral("^XZ"),
                                              QStringLiteral("^xa"),
                                              QStringLiteral("^xZ"),
                                              QStringLiteral("^"),
                                              QStringLiteral(","),
                                              QStringLiteral(" "),
                                              QStringLiteral("\r\n"),
                                              QStringLiteral("^FS"),
                                              QStringLiteral("^PQ"),
                                              QStringLiteral("X"),
                                              QStringLiteral("^FD>;"),
                                              QStringLiteral("^FO10,10^FDjunk"),
                                              QStringLiteral("          ")};
        QString text;
        for (int n = below(6); n > 0; --n) {
            text += pick(pieces);
        }
        return text;
    }

    QString marker(const QString& upper) {
        return chance(15)
                   ? (chance(50) ? upper.toLower() : upper.left(2) + upper.right(1).toLower())
                   : upper;
    }

    // A stream for the separating readers.
    QString separationStream() {
        QString stream;
        for (int labels = below(6); labels > 0; --labels) {
            if (chance(20)) {
                stream += junk();
            }
            QString label = marker(QStringLiteral("^XA"));
            QList<QString> fields;
            for (const literal::Key& key : literal::separationKeys()) {
                if (chance(75)) {
                    fields << key.text + value() + (chance(85) ? key.terminator : QString());
                }
            }
            while (!fields.isEmpty()) {
                label += fields.takeAt(below(static_cast<int>(fields.size())));
                if (chance(30)) {
                    label += QStringLiteral("^FS");
                }
            }
            if (chance(90)) {
                label += marker(QStringLiteral("^XZ"));
            }
            stream += label;
            if (chance(60)) {
                stream += QStringLiteral("\r\n");
            }
        }
        if (chance(30)) {
            stream += junk();
        }
        return stream;
    }

    QString reference() {
        static const QList<QString> references = {QStringLiteral("A1"), QStringLiteral(" A1 "),
                                                  QStringLiteral("B2"), QString(),
                                                  QStringLiteral("C^FS3")};
        return pick(references);
    }

    // A stream for the item reader.
    QString itemStream() {
        static const QList<QString> details = {QStringLiteral("^FD>:"),
                                               QStringLiteral("^FT282,342^A0N,23,24^FH\\^FD"),
                                               QStringLiteral("^FT117,224^A0N,23,24^FH\\^FD"),
                                               QStringLiteral("^FT488,342^A0N,23,24^FH\\^FD"),
                                               QStringLiteral("^FT177,265^A0N,23,24^FH\\^FD"),
                                               QStringLiteral("^FT264,307^A0N,23,24^FH\\^FD")};
        QString stream;
        for (int labels = below(7); labels > 0; --labels) {
            QString label = QStringLiteral("^XA");
            if (chance(10)) {  // a reference field cut short by the label's end
                stream += label + literal::itemKey() + reference() + QStringLiteral("^XZ");
                continue;
            }
            if (chance(40)) {
                label += QStringLiteral("^PQ") + pick(QList<QString>{"2", "3", "x", ""}) +
                         (chance(80) ? QStringLiteral(",0,1,Y") : QStringLiteral("^FS"));
            }
            if (chance(20)) {
                label += pick(details) + value() + QStringLiteral("^FS");
            }
            label += literal::itemKey() + reference() + (chance(90) ? "^FS" : "");
            for (const QString& detail : details) {
                if (chance(70)) {
                    label += detail + value() + (chance(85) ? "^FS" : "");
                }
            }
            if (chance(90)) {
                label += QStringLiteral("^XZ");
            }
            if (chance(15)) {
                label += junk();
            }
            stream += label;
        }
        return stream;
    }

    // Rows already in the grid before the item reader runs.
    void existingRows(FlexGrid& grid) {
        for (int rows = below(3); rows > 0; --rows) {
            const int last = grid.Rows() - 1;
            grid.setTextMatrix(last, 0, pick(QList<QString>{"1", "5", "abc", " 2 "}));
            grid.setTextMatrix(last, 1, reference());
            grid.setRows(last + 2);
        }
    }

  private:
    QRandomGenerator rng_;
};

void prepare(FlexGrid& grid) {
    grid.setCols(6);
    grid.setTextMatrix(0, 1, QStringLiteral("Referência"));
}

QStringList cellsOf(const FlexGrid& grid) {
    QStringList cells{QString::number(grid.Rows()), QString::number(grid.Cols())};
    for (int row = 0; row < grid.Rows(); ++row) {
        for (int col = 0; col < grid.Cols(); ++col) {
            cells << grid.TextMatrix(row, col);
        }
    }
    return cells;
}

}  // namespace

class TestStreamReadersProperty : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void separatingReadersMatchStepByStep_data() {
        QTest::addColumn<bool>("second");
        QTest::newRow("SEPARA_1") << false;
        QTest::newRow("SEPARA_2") << true;
    }

    void separatingReadersMatchStepByStep() {
        QFETCH(bool, second);
        Generator gen(second ? 2002 : 1001);
        int rows = 0;
        for (int n = 0; n < kStreams; ++n) {
            const QString stream = gen.separationStream();
            PlainTextField zpl(stream), etq(QStringLiteral("before")), resto(QStringLiteral("-"));
            PlainTextField zplL(stream), etqL(QStringLiteral("before")),
                restoL(QStringLiteral("-"));
            FlexGrid grid, gridL;
            prepare(grid);
            prepare(gridL);
            test::CountingPendingEvents events;
            LabelStreamFields fields{zpl, etq, resto};
            if (second) {
                SEPARA_2(fields, grid, events);
                literal::SEPARA_2({zplL, etqL, restoL}, gridL);
            } else {
                SEPARA_1(fields, grid, events);
                literal::SEPARA_1({zplL, etqL, restoL}, gridL);
            }
            const QString context = QStringLiteral("stream %1: %2").arg(n).arg(stream);
            QVERIFY2(cellsOf(grid) == cellsOf(gridL), qPrintable(context));
            QVERIFY2(zpl.text() == zplL.text(), qPrintable(context));
            QVERIFY2(etq.text() == etqL.text(), qPrintable(context));
            QVERIFY2(resto.text() == restoL.text(), qPrintable(context));
            QVERIFY(events.count >= 1);
            rows += grid.Rows() - 2;
        }
        // The generator must reach the row-writing paths, not only the malformed ones.
        QVERIFY(rows > kStreams);
    }

    void itemReaderMatchesStepByStep() {
        Generator gen(3003);
        int details = 0;
        for (int n = 0; n < kStreams; ++n) {
            const QString stream = gen.itemStream();
            FlexGrid grid;
            prepare(grid);
            gen.existingRows(grid);
            FlexGrid gridL;
            prepare(gridL);
            for (int row = 1; row < grid.Rows(); ++row) {
                gridL.setRows(grid.Rows());
                gridL.setTextMatrix(row, 0, grid.TextMatrix(row, 0));
                gridL.setTextMatrix(row, 1, grid.TextMatrix(row, 1));
            }
            PlainTextField zpl(stream), zplL(stream);
            test::CountingPendingEvents events;
            test::CountingMousePointer pointer;
            Pega_Itens(zpl, grid, events, pointer);
            literal::Pega_Itens(zplL, gridL);
            const QString context = QStringLiteral("stream %1: %2").arg(n).arg(stream);
            QVERIFY2(cellsOf(grid) == cellsOf(gridL), qPrintable(context));
            QCOMPARE(zpl.text(), stream);
            QCOMPARE(pointer.defaults, 1);
            QVERIFY(events.count >= 1);
            details += grid.Cols() == 8 ? 1 : 0;
        }
        QVERIFY(details > kStreams / 2);
    }
};

QTEST_GUILESS_MAIN(TestStreamReadersProperty)
#include "test_stream_readers_property.moc"
