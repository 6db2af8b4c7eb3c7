#include "barcode/barcode_error.h"
#include "barcode/numa_barcode.h"
#include "pixel_grid_surface.h"

#include <QTest>

using namespace etq;
using etq::test::PixelGridSurface;

class TestNumaBarcode : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Each method reaches its own symbology with its switches in place.
    void forwards_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<int>("lastColumn");
        QTest::addColumn<QStringList>("printed");

        // Code 39: 13 columns a character, the final gap last.
        QTest::newRow("Code39 caption, no check")
            << "Code39"
            << "CODE39" << false << true << 11 + 13 * 8 << QStringList{"CODE39"};
        QTest::newRow("Code39 check, no caption")
            << "Code39"
            << "CODE39" << true << false << 11 + 13 * 9 << QStringList{};
        // Code 128: start, 3 data, check, stop.
        QTest::newRow("Code128") << "Code128"
                                 << "ABC" << false << true << 24 + 11 * 5 << QStringList{"ABC"};
        QTest::newRow("EAN13") << "EAN13"
                               << "400638133393" << false << true << 110
                               << QStringList{"4", "006381", "333931"};
        QTest::newRow("EAN8") << "EAN8"
                              << "9638507" << false << false << 82 << QStringList{};
    }

    void forwards() {
        QFETCH(QString, method);
        QFETCH(QString, text);
        QFETCH(bool, check);
        QFETCH(bool, caption);
        QFETCH(int, lastColumn);
        QFETCH(QStringList, printed);

        const numaBarcode barcode;
        PixelGridSurface surface;
        if (method == "Code39") {
            barcode.Code39(surface, 5, text, check, caption);
        } else if (method == "Code128") {
            barcode.Code128(surface, 5, text, caption);
        } else if (method == "EAN13") {
            barcode.EAN13(surface, 5, text, caption);
        } else {
            barcode.EAN8(surface, 5, text, caption);
        }
        QCOMPARE(surface.lastColumn(), lastColumn);
        QStringList texts;
        for (const auto& p : surface.printed) {
            texts << p.text;
        }
        QCOMPARE(texts, printed);
        QVERIFY(surface.hasPicture());
    }

    void passesErrorsOn() {
        const numaBarcode barcode;
        PixelGridSurface surface;
        try {
            barcode.EAN13(surface, 5, QStringLiteral("4006381333931"), true);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), kBarcodeErrorNumber);
            QCOMPARE(error.source(), "EAN-13");
            QCOMPARE(error.description(), "Should be 12 Digit Numbers");
        }
    }
};

QTEST_APPLESS_MAIN(TestNumaBarcode)
#include "test_numa_barcode.moc"
