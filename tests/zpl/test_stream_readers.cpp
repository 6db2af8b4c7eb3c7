// The fast stream readers against the plain step-by-step versions on generated streams; then
// what those cannot show: accent folding, which both use, and the pauses for pending events.

#include "fakes/counting_mouse_pointer.h"
#include "fakes/counting_pending_events.h"
#include "fakes/grid_rows.h"
#include "literal_stream_readers.h"
#include "platform/error.h"
#include "zpl/item_stream_reader.h"
#include "zpl/label_stream_separation.h"

#include <QRandomGenerator>
#include <QTest>

using namespace etq;

namespace {

constexpr int kStreams = 3000;

QStringList pieces(const char* joined) {
    return QString::fromUtf8(joined).split(QLatin1Char('|'));
}

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
        static const QStringList values = pieces("|12|A1020| 7 |Ação|x,y|d'água|ÁÉÍÓÚ çñ|\r\n");
        return pick(values);
    }

    QString junk() {
        static const QStringList junk =
            pieces("^XA|^XZ|^xa|^xZ|^|,| |\r\n|^FS|^PQ|X|^FD>;|^FO10,10^FDjunk|          ");
        QString text;
        for (int n = below(6); n > 0; --n) {
            text += pick(junk);
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
            stream += chance(20) ? junk() : QString();
            QString label = marker(QStringLiteral("^XA"));
            QList<QString> fields;
            for (const literal::Key& key : literal::separationKeys()) {
                if (chance(75)) {
                    fields << key.text + value() + (chance(85) ? key.terminator : QString());
                }
            }
            while (!fields.isEmpty()) {
                label += fields.takeAt(below(static_cast<int>(fields.size())));
                label += chance(30) ? QStringLiteral("^FS") : QString();
            }
            label += chance(90) ? marker(QStringLiteral("^XZ")) : QString();
            stream += label + (chance(60) ? QStringLiteral("\r\n") : QString());
        }
        return stream + (chance(30) ? junk() : QString());
    }

    QString reference() {
        static const QStringList references = pieces("A1| A1 |B2||C^FS3");
        return pick(references);
    }

    // A stream for the item reader.
    QString itemStream() {
        static const QStringList details = pieces(
            "^FD>:|^FT282,342^A0N,23,24^FH\\^FD|^FT117,224^A0N,23,24^FH\\^FD|"
            "^FT488,342^A0N,23,24^FH\\^FD|^FT177,265^A0N,23,24^FH\\^FD|"
            "^FT264,307^A0N,23,24^FH\\^FD");
        QString stream;
        for (int labels = below(7); labels > 0; --labels) {
            QString label = QStringLiteral("^XA");
            if (chance(10)) {  // a reference field cut short by the label's end
                stream += label + literal::kItemKey + reference() + QStringLiteral("^XZ");
                continue;
            }
            label += chance(40)
                         ? QStringLiteral("^PQ") + pick(pieces("2|3|x|")) +
                               (chance(80) ? QStringLiteral(",0,1,Y") : QStringLiteral("^FS"))
                         : QString();
            label += chance(20) ? pick(details) + value() + QStringLiteral("^FS") : QString();
            label += literal::kItemKey + reference() + (chance(90) ? "^FS" : "");
            for (const QString& detail : details) {
                label += chance(70) ? detail + value() + (chance(85) ? "^FS" : "") : QString();
            }
            label += chance(90) ? QStringLiteral("^XZ") : QString();
            stream += label + (chance(15) ? junk() : QString());
        }
        return stream;
    }

    // Rows already in the grid before the item reader runs.
    void existingRows(FlexGrid& grid) {
        for (int rows = below(3); rows > 0; --rows) {
            const int last = grid.Rows() - 1;
            grid.setTextMatrix(last, 0, pick(pieces("1|5|abc| 2 ")));
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

}  // namespace

class TestStreamReaders : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void separatingReadersMatchStepByStep() {
        for (const bool second : {false, true}) {
            Generator gen(second ? 2002 : 1001);
            int rows = 0;
            for (int n = 0; n < kStreams; ++n) {
                const QString stream = gen.separationStream();
                PlainTextField zpl(stream), etq("before"), resto("-");
                PlainTextField zplL(stream), etqL("before"), restoL("-");
                FlexGrid grid, gridL;
                prepare(grid);
                prepare(gridL);
                test::CountingPendingEvents events;
                LabelStreamFields fields{zpl, etq, resto};
                (second ? SEPARA_2 : SEPARA_1)(fields, grid, events);
                (second ? literal::SEPARA_2 : literal::SEPARA_1)(zplL, etqL, restoL, gridL);
                QVERIFY2(
                    test::gridRows(grid) == test::gridRows(gridL) && zpl.text() == zplL.text() &&
                        etq.text() == etqL.text() && resto.text() == restoL.text() &&
                        events.count >= 1,
                    qPrintable(QStringLiteral("SEPARA_%1, stream %2: %3")
                                   .arg(QString::number(second + 1), QString::number(n), stream)));
                rows += grid.Rows() - 2;
            }
            // The generator must reach the row-writing paths, not only the malformed ones.
            QVERIFY(rows > kStreams);
        }
    }

    void itemReaderMatchesStepByStep() {
        Generator gen(3003);
        int details = 0;
        for (int n = 0; n < kStreams; ++n) {
            const QString stream = gen.itemStream();
            FlexGrid grid, gridL;
            prepare(grid);
            prepare(gridL);
            Generator same = gen;  // the same rows for both
            gen.existingRows(grid);
            same.existingRows(gridL);
            PlainTextField zpl(stream), zplL(stream);
            test::CountingPendingEvents events;
            test::CountingMousePointer pointer;
            Pega_Itens(zpl, grid, events, pointer);
            literal::Pega_Itens(zplL, gridL);
            // The stream field stays; the pointer is reset once; events run at least once.
            QVERIFY2(test::gridRows(grid) == test::gridRows(gridL) && zpl.text() == stream &&
                         pointer.defaults == 1 && events.count >= 1,
                     qPrintable(QStringLiteral("stream %1: %2").arg(n).arg(stream)));
            details += grid.Cols() == 8 ? 1 : 0;
        }
        QVERIFY(details > kStreams / 2);
    }

    void foldsAccents() {
        // The second text empty: the text stays as it is.
        const char* const rows[][2] = {
            {"ÁÀÃÂÄáàãâäÉÈÊËéèêëÍÌÎÏíìîïÓÒÕÔÖóòõôöÚÙÛÜúùûüÇç",
             "AAAAAaaaaaEEEEeeeeIIIIiiiiOOOOOoooooUUUUuuuuCc"},
            {"D'ÁGUA, Ação ^FS\r\n", "D AGUA, Acao ^FS\r\n"},
            {"outside the table: ñÑýÝÿÅåøØæ, a\xcc\x81 (decomposed), \xe2\x80\x99 ` \"", ""}};
        for (const auto& [text, folded] : rows) {
            const QString expected = QString::fromUtf8(*folded ? folded : text);
            QCOMPARE(tira_acento(QString::fromUtf8(text)), expected);
        }
    }

    // A long stream: events run now and then, never once per label; a failure raised while
    // they run ends the reader with the rows so far kept and the fields telling where it got.
    void separationPausesAndStopsOnFailure() {
        QString one = QStringLiteral("^XA");
        for (const literal::Key& key : literal::separationKeys()) {
            one += key.text + QStringLiteral("v%1").arg(key.column) + key.terminator;
        }
        one += QStringLiteral("^XZ\r\n");
        const int labels = 40000;
        for (auto separate : {&SEPARA_1, &SEPARA_2}) {
            PlainTextField zpl(one.repeated(labels)), etq, resto;
            LabelStreamFields fields{zpl, etq, resto};
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
            QVERIFY2(rows > 1 && rows < labels, qPrintable(QString::number(rows)));
            QCOMPARE(test::gridRows(grid, grid.Rows() - 1).constLast(),
                     QStringLiteral("v0|v1|v2|v3|v4|v5|v6"));
            QCOMPARE(etq.text(), one);
            QCOMPARE(zpl.text(), "\r\n" + one.repeated(labels - rows));
            QCOMPARE(resto.text(), zpl.text());
        }
    }

    // A handler that runs while the item reader pauses removes the reference's row: the
    // labels after it start a new row, as a search of the grid at every label would.
    void itemReaderSeesGridChangedWhileEventsRun() {
        const int labels = 100000;
        FlexGrid grid;
        prepare(grid);
        PlainTextField zpl(("^XA" + literal::kItemKey + "A1^FS^XZ").repeated(labels));
        test::CountingPendingEvents events;
        test::CountingMousePointer pointer;
        int countWhenRemoved = -1;
        events.onProcess = [&] {
            if (events.count == 2) {
                countWhenRemoved = grid.TextMatrix(1, 0).toInt();
                grid.RemoveItem(1);
            }
        };
        Pega_Itens(zpl, grid, events, pointer);
        QVERIFY2(countWhenRemoved > 0, "the reader never paused during the run");
        QVERIFY(events.count < labels / 10);
        QCOMPARE(test::gridRows(grid),
                 (QStringList{QString::number(labels - countWhenRemoved) + "|A1||||", "|||||"}));
    }
};

QTEST_GUILESS_MAIN(TestStreamReaders)
#include "test_stream_readers.moc"
