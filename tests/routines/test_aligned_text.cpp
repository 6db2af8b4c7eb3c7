#include "fakes/counting_pending_events.h"
#include "fakes/recording_printer.h"
#include "platform/error.h"
#include "routines/aligned_text.h"

#include <QTest>

using namespace etq;
using etq::test::CountingPendingEvents;
using etq::test::RecordingPrinter;

class TestAlignedText : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The recording printer measures 2 units per character.
    void positions_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("posicao");
        QTest::addColumn<float>("coluna");
        QTest::addColumn<float>("x");
        QTest::newRow("0 starts at the column") << "abc" << 0 << 100.0f << 100.0f;
        QTest::newRow("1 centres on the column") << "abc" << 1 << 100.0f << 97.0f;
        QTest::newRow("2 ends at the column") << "abc" << 2 << 100.0f << 94.0f;
        QTest::newRow("any other value ends at the column") << "abc" << 7 << 100.0f << 94.0f;
        QTest::newRow("negative value ends at the column") << "abc" << -1 << 100.0f << 94.0f;
        QTest::newRow("blanks do not count when centring") << "  abcd  " << 1 << 50.0f << 46.0f;
        QTest::newRow("blanks do not count when ending") << " ab " << 2 << 50.0f << 46.0f;
        QTest::newRow("fractional position") << "a" << 1 << 10.5f << 9.5f;
        QTest::newRow("empty text") << "" << 2 << 10.0f << 10.0f;
    }

    void positions() {
        QFETCH(QString, texto);
        QFETCH(int, posicao);
        QFETCH(float, coluna);
        QFETCH(float, x);
        RecordingPrinter printer;
        CountingPendingEvents events;

        imp_2linha(printer, events, 33.5f, coluna, texto, static_cast<std::int16_t>(posicao),
                   QStringLiteral("Arial"), 12.0f, true, false, true);

        QCOMPARE(printer.printed.size(), 1);
        QCOMPARE(printer.printed[0].text, texto);
        QCOMPARE(printer.printed[0].x, x);
        QCOMPARE(printer.printed[0].y, 33.5f);
    }

    // Pending events run once before anything reaches the printer; then the font in its order.
    void orderOfSteps() {
        RecordingPrinter printer;
        CountingPendingEvents events;
        int callsWhenEventsRan = -1;
        events.onProcess = [&] { callsWhenEventsRan = static_cast<int>(printer.calls.size()); };

        imp_2linha(printer, events, 1.0f, 2.0f, QStringLiteral(" x "), 1,
                   QStringLiteral("Courier New"), 9.5f, false, true, false);

        QCOMPARE(events.count, 1);
        QCOMPARE(callsWhenEventsRan, 0);
        QStringList names;
        for (const auto& call : printer.calls) {
            names << call.name;
        }
        QCOMPARE(names, (QStringList{"setFontName", "setFontSize", "setFontBold", "setFontItalic",
                                     "setFontUnderline", "setCurrentY", "textWidth", "setCurrentX",
                                     "print"}));
        QCOMPARE(printer.calls[0].text, QStringLiteral("Courier New"));
        QCOMPARE(printer.calls[1].a, 9.5);
        QCOMPARE(printer.calls[2].flag, false);
        QCOMPARE(printer.calls[3].flag, true);
        QCOMPARE(printer.calls[4].flag, false);
        QCOMPARE(printer.calls[6].text, QStringLiteral("x"));
        QVERIFY(!names.contains("newPage") && !names.contains("endDoc"));
    }

    void printerErrorReachesTheCaller() {
        RecordingPrinter printer;
        printer.failing.insert(QStringLiteral("setFontName"));
        CountingPendingEvents events;
        QVERIFY_THROWS_EXCEPTION(
            Error, imp_2linha(printer, events, 1, 2, "x", 0, "Arial", 12, false, false, false));
        QVERIFY(printer.printed.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAlignedText)
#include "test_aligned_text.moc"
