#include "barcode/barcode_error.h"
#include "barcode/ean13and8.h"
#include "pixel_grid_surface.h"

#include <QTest>

using namespace etq;
using etq::test::PixelGridSurface;

namespace {

const QString kInvalid = QStringLiteral("An Invalid Character Found in Bar Text");
const QString kLength12 = QStringLiteral("Should be 12 Digit Numbers");
const QString kLength7 = QStringLiteral("Should be 7 Digit Numbers");

void render(bool ean13, PixelGridSurface& surface, std::int16_t zBarH, const QString& text,
            bool caption) {
    if (ean13) {
        EAN13and8::DrawEAN13(surface, zBarH, text, caption);
    } else {
        EAN13and8::DrawEAN8(surface, zBarH, text, caption);
    }
}

// The lower end of the line drawn in column x.
int barEnd(const PixelGridSurface& surface, int x) {
    for (const auto& line : surface.lines) {
        if (line.x1 == x) {
            return line.y2;
        }
    }
    return -1;
}

QString joined(const PixelGridSurface& surface) {
    QStringList texts;
    for (const auto& printed : surface.printed) {
        texts << QStringLiteral("%1@%2,%3").arg(printed.text).arg(printed.x).arg(printed.y);
    }
    return texts.join(QLatin1Char(' '));
}

}  // namespace

class TestEan13And8 : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Guards where they belong, 5 pixels longer than the data bars; bars 50 pixels high.
    void guards_data() {
        QTest::addColumn<bool>("ean13");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("guardStarts");
        QTest::addColumn<int>("last");
        QTest::newRow("EAN-13") << true << "400638133393" << QList<int>{16, 61, 108} << 110;
        QTest::newRow("EAN-8") << false << "9638507" << QList<int>{16, 47, 80} << 82;
    }

    void guards() {
        QFETCH(bool, ean13);
        QFETCH(QString, text);
        QFETCH(QList<int>, guardStarts);
        QFETCH(int, last);
        PixelGridSurface surface;
        render(ean13, surface, 5, text, true);
        QCOMPARE(surface.firstColumn(), 16);
        QCOMPARE(surface.lastColumn(), last);
        QCOMPARE(surface.modules(guardStarts[0], guardStarts[0] + 2), "101");
        QCOMPARE(surface.modules(guardStarts[1], guardStarts[1] + 4), "01010");
        QCOMPARE(surface.modules(guardStarts[2], guardStarts[2] + 2), "101");
        for (int x = 16; x <= last; ++x) {
            const bool guard =
                x < 19 || (x >= guardStarts[1] && x < guardStarts[1] + 5) || x >= guardStarts[2];
            QCOMPARE(barEnd(surface, x), guard ? 65 : 60);
        }
    }

    // Left halves by the parity of the first digit, right halves in set C, check included.
    void halves_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        const QString odd0 = "0001101", right0 = "1110010";
        const QString odd9 = "0001011", even9 = "0010111", right9 = "1110100";
        QTest::newRow("zeros, check 0") << "000000000000" << odd0.repeated(6) << right0.repeated(6);
        QTest::newRow("nines: parity OEEOEO")
            << "999999999999" << odd9 + even9 + even9 + odd9 + even9 + odd9 << right9.repeated(5);
    }

    void halves() {
        QFETCH(QString, text);
        QFETCH(QString, left);
        QFETCH(QString, right);
        PixelGridSurface surface;
        EAN13and8::DrawEAN13(surface, 5, text, false);
        QCOMPARE(surface.modules(19, 60), left);
        QCOMPARE(surface.modules(66, 65 + right.size()), right);
    }

    void zerosEan8() {
        PixelGridSurface surface;
        EAN13and8::DrawEAN8(surface, 5, QStringLiteral("0000000"), false);
        QCOMPARE(surface.modules(19, 46), QString("0001101").repeated(4));
        QCOMPARE(surface.modules(52, 79), QString("1110010").repeated(4));
    }

    // Caption texts and positions with bars 50 pixels high: the check digit ends the right half.
    void captions_data() {
        QTest::addColumn<bool>("ean13");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<QString>("printed");
        QTest::newRow("EAN-13 check 1")
            << true << "400638133393" << true << "4@5,60 006381@23,60 333931@68,60";
        QTest::newRow("EAN-13 without caption: first digit only")
            << true << "400638133393" << false << "4@5,60";
        QTest::newRow("EAN-13 check 0")
            << true << "000000000000" << true << "0@5,60 000000@23,60 000000@68,60";
        QTest::newRow("EAN-8 check 4") << false << "9638507" << true << "9638@23,60 5074@53,60";
        QTest::newRow("EAN-8 without caption") << false << "9638507" << false << "";
        QTest::newRow("EAN-8 check 0") << false << "0000000" << true << "0000@23,60 0000@53,60";
    }

    void captions() {
        QFETCH(bool, ean13);
        QFETCH(QString, text);
        QFETCH(bool, caption);
        QFETCH(QString, printed);
        PixelGridSurface surface;
        render(ean13, surface, 5, text, caption);
        QCOMPARE(joined(surface), printed);
    }

    // Bars 50 pixels high, 15 twips per pixel down and 12 across, text 12 pixels high.
    void sizes_data() {
        QTest::addColumn<bool>("ean13");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("EAN-13") << true << true << 2112.0 << 1155.0;
        QTest::newRow("EAN-13 without caption") << true << false << 2112.0 << 1155.0;
        QTest::newRow("EAN-8") << false << true << 1520.0 << 87 * 15.0;
        QTest::newRow("EAN-8 without caption") << false << false << 1520.0 << 1050.0;
    }

    void sizes() {
        QFETCH(bool, ean13);
        QFETCH(bool, caption);
        QFETCH(double, width);
        QFETCH(double, height);
        PixelGridSurface surface(12, 15);
        render(ean13, surface, 5, ean13 ? "400638133393" : "9638507", caption);
        QCOMPARE(surface.width, width);
        QCOMPARE(surface.height, height);
        QCOMPARE(surface.calls.first(), "Picture=none");
        QCOMPARE(surface.calls.last(), "Picture=Image");
    }

    void errors_data() {
        QTest::addColumn<bool>("ean13");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zBarH");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");

        const int barcode = kBarcodeErrorNumber;
        QTest::newRow("13 digits") << true << "4006381333931" << 5 << barcode << kLength12;
        QTest::newRow("length before characters") << true << "ABC" << 5 << barcode << kLength12;
        QTest::newRow("empty") << true << "" << 5 << barcode << kLength12;
        QTest::newRow("space not trimmed") << true << " 40063813339" << 5 << barcode << kInvalid;
        QTest::newRow("letter") << true << "40063813339A" << 5 << barcode << kInvalid;
        QTest::newRow("Arabic-Indic digit")
            << true << QString::fromUtf8("40063813339٣") << 5 << barcode << kInvalid;
        QTest::newRow("EAN-13 overflow")
            << true << "400638133393" << 3277 << int{Error::Overflow} << "Overflow";
        QTest::newRow("8 digits") << false << "96385074" << 5 << barcode << kLength7;
        QTest::newRow("trailing space") << false << "963850 " << 5 << barcode << kInvalid;
        QTest::newRow("EAN-8 overflow")
            << false << "9638507" << -3277 << int{Error::Overflow} << "Overflow";
    }

    void errors() {
        QFETCH(bool, ean13);
        QFETCH(QString, text);
        QFETCH(int, zBarH);
        QFETCH(int, number);
        QFETCH(QString, description);
        PixelGridSurface surface;
        try {
            render(ean13, surface, static_cast<std::int16_t>(zBarH), text, true);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), number);
            QCOMPARE(error.source(), ean13 ? "EAN-13" : "EAN-8");
            QCOMPARE(error.description(), description);
        }
        QVERIFY(surface.lines.empty());
        // EAN-13 has its provisional size already; nothing else reached the surface.
        const QStringList before =
            ean13 ? QStringList{"Picture=none", "Width", "Height"} : QStringList{"Picture=none"};
        QCOMPARE(surface.calls, before);
        if (ean13) {
            QCOMPARE(surface.width, 5655.0);
            QCOMPARE(surface.height, 2340.0);
        }
    }
};

QTEST_APPLESS_MAIN(TestEan13And8)
#include "test_ean13and8.moc"
