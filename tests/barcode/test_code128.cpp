#include "barcode/bar128.h"
#include "barcode/code128.h"
#include "pixel_grid_surface.h"
#include "platform/error.h"

#include <QTest>

using namespace etq;
using etq::test::PixelGridSurface;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const QString kStop = QStringLiteral("1100011101011");

void render(bool module, PixelGridSurface& surface, std::int16_t zBarH, const QString& text,
            bool caption = false) {
    if (module) {
        Code128::DrawCode128(surface, zBarH, text, caption);
    } else {
        Bar128 bar;
        bar.Code128(surface, zBarH, text);
    }
}

// The symbol values drawn from x = 12, 11 columns each, up to the stop pattern (-1 for a
// pattern that is no symbol value).
std::vector<int> drawnValues(const PixelGridSurface& surface) {
    std::vector<int> values;
    const int stopAt = surface.lastColumn() - 12;
    for (int x = 12; x < stopAt; x += 11) {
        const auto found = std::find(kCode128Patterns.begin(), kCode128Patterns.end(),
                                     surface.modules(x, x + 10).toStdString());
        values.push_back(found == kCode128Patterns.end()
                             ? -1
                             : static_cast<int>(found - kCode128Patterns.begin()));
    }
    return values;
}

}  // namespace

class TestCode128 : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void symbolValues_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::vector<int>>("values");

        // Start, data, check.
        QTest::newRow("ABC") << true << "ABC" << std::vector<int>{104, 33, 34, 35, 1};
        QTest::newRow("digits only: code set C")
            << true << "12345678" << std::vector<int>{105, 12, 34, 56, 78, 47};
        QTest::newRow("odd run: one digit in B, then switch")
            << true << "12345" << std::vector<int>{104, 17, 99, 23, 45, 53};
        QTest::newRow("letter then odd run")
            << true << "A12345" << std::vector<int>{104, 33, 17, 99, 23, 45, 64};
        QTest::newRow("two final digits stay in B")
            << true << "AB12" << std::vector<int>{104, 33, 34, 17, 18, 19};
        QTest::newRow("three digits") << true << "123" << std::vector<int>{104, 17, 18, 19, 8};
        QTest::newRow("inner run stays in B")
            << true << "1234A" << std::vector<int>{104, 17, 18, 19, 20, 33, 47};
        QTest::newRow("empty: no start") << true << "" << std::vector<int>{0};
        QTest::newRow("class: Start A") << false << "ABC" << std::vector<int>{103, 33, 34, 35, 0};
        QTest::newRow("class: lower case takes Start B")
            << false << "abc" << std::vector<int>{104, 65, 66, 67, 90};
        QTest::newRow("class: tilde takes Start B")
            << false << "A~" << std::vector<int>{104, 33, 94, 16};
        QTest::newRow("class: switch from A to C")
            << false << "A1234" << std::vector<int>{103, 33, 99, 12, 34, 94};
        QTest::newRow("class: digits only")
            << false << "12345678" << std::vector<int>{105, 12, 34, 56, 78, 47};
    }

    void symbolValues() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        QFETCH(std::vector<int>, values);

        PixelGridSurface surface;
        render(module, surface, 3, text);
        QCOMPARE(drawnValues(surface), values);
        const int k = static_cast<int>(values.size());
        QCOMPARE(surface.firstColumn(), 12);
        QCOMPARE(surface.lastColumn(), 24 + 11 * k);
        QCOMPARE(surface.modules(surface.lastColumn() - 12, surface.lastColumn()), kStop);
        for (const auto& line : surface.lines) {
            QCOMPARE(line.y1, 10);
            QCOMPARE(line.y2, 40);
        }
    }

    void countSymbols_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("ABC") << "ABC" << 3;
        QTest::newRow("set C") << "12345678" << 4;
        QTest::newRow("odd run") << "12345" << 4;
        QTest::newRow("letter, odd run") << "A12345" << 5;
        QTest::newRow("letter, even run") << "A1234" << 4;
        QTest::newRow("final pair in B") << "AB12" << 4;
        QTest::newRow("runs ended by letters") << "12A34B" << 6;
        QTest::newRow("inner run") << "1234A" << 5;
        QTest::newRow("odd digits only") << "1234567" << 5;
    }

    void countSymbols() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(int{Code128::CountSymbols(text)}, count);
        // The count is what the drawing holds besides start and check.
        PixelGridSurface surface;
        Code128::DrawCode128(surface, 1, text, false);
        QCOMPARE(static_cast<int>(drawnValues(surface).size()), count + (text.isEmpty() ? 1 : 2));
    }

    // Width and height in twips, 12 twips per pixel across and 15 down, bars 50 pixels.
    void surfaceSize_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("ABC") << true << "ABC" << false << 91 * 12.0 << 70 * 15.0;
        QTest::newRow("ABC, caption") << true << "ABC" << true << 91 * 12.0 << 87 * 15.0;
        QTest::newRow("empty") << true << "" << false << 58 * 12.0 << 70 * 15.0;
        QTest::newRow("12A34B holds six characters")
            << true << "12A34B" << false << 124 * 12.0 << 70 * 15.0;
        QTest::newRow("class ABC") << false << "ABC" << false << 1320.0 << 87 * 15.0;
        QTest::newRow("class 12A34B") << false << "12A34B" << false << 1980.0 << 87 * 15.0;
    }

    void surfaceSize() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        QFETCH(bool, caption);
        QFETCH(double, width);
        QFETCH(double, height);
        PixelGridSurface surface(12, 15);
        render(module, surface, 5, text, caption);
        QCOMPARE(surface.width, width);
        QCOMPARE(surface.height, height);
    }

    // Whatever the mix of letters and digit runs, the symbol fits the surface, in the module
    // with a 10-pixel margin on its right. (The class's fixed 220 twips a character leave
    // less than that margin for texts of one to three symbol characters.)
    void symbolFitsSurface_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        const QStringList texts = {"12A34B",      "1A2B3C4D", "123A456B789C", "A1B22C333D4444",
                                   "12345A67890", "9",        "A1",           "ABCDEFGHIJ1234567"};
        for (const QString& text : texts) {
            QTest::addRow("module %s", qPrintable(text)) << true << text;
            QTest::addRow("class %s", qPrintable(text)) << false << text;
        }
    }

    void symbolFitsSurface() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        PixelGridSurface surface;
        render(module, surface, 3, text);
        const int margin = module ? 10 : 0;
        QVERIFY(surface.lastColumn() + margin < surface.width / 15);
    }

    void caption_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<bool>("printed");
        QTest::newRow("module with caption") << true << true << true;
        QTest::newRow("module without caption") << true << false << false;
        QTest::newRow("class, always") << false << false << true;
    }

    // ABC: 5 symbol characters and the stop leave the counter at 14 + 55.
    void caption() {
        QFETCH(bool, module);
        QFETCH(bool, caption);
        QFETCH(bool, printed);
        PixelGridSurface surface;
        render(module, surface, 5, QStringLiteral("ABC"), caption);
        QCOMPARE(!surface.printed.empty(), printed);
        if (printed) {
            QCOMPARE(surface.printed[0].text, "ABC");
            QCOMPARE(surface.printed[0].x, (69 + 20) / 2.0 - 9);
            QCOMPARE(surface.printed[0].y, 65.0);
        }
        const QString first = module ? "Picture=none" : "Cls";
        QCOMPARE(surface.calls.first(), first);
        QCOMPARE(surface.calls.last() == "Picture=Image", module);
    }

    void characterOutsideSet_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("drawnBefore");
        QTest::newRow("tab after A") << true << "A\tB" << 2;
        QTest::newRow("accent first: start drawn") << true << QString::fromUtf8("éA") << 1;
        QTest::newRow("class: DEL") << false << "AB\x7f" << 3;
    }

    void characterOutsideSet() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        QFETCH(int, drawnBefore);
        PixelGridSurface surface;
        try {
            render(module, surface, 3, text);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), Error::SubscriptOutOfRange);
        }
        QCOMPARE(static_cast<int>(surface.lines.size()), 11 * drawnBefore);
        QVERIFY(!surface.calls.contains("Picture=Image"));
    }

    void overflow_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zBarH");
        QTest::addColumn<int>("lines");
        QTest::newRow("bar height") << "ABC" << 3277 << 0;
        // Weight 401 times the switch value 99 passes 32767 after 400 characters in B.
        QTest::newRow("weighted switch to C")
            << QString(400, QLatin1Char('A')) + "1234" << 1 << 11 * 402;
    }

    void overflow() {
        QFETCH(QString, text);
        QFETCH(int, zBarH);
        QFETCH(int, lines);
        PixelGridSurface surface;
        try {
            Code128::DrawCode128(surface, static_cast<std::int16_t>(zBarH), text, true);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), Error::Overflow);
        }
        QCOMPARE(static_cast<int>(surface.lines.size()), lines);
        if (lines == 0) {
            QCOMPARE(surface.calls, QStringList{"Picture=none"});
        }
    }

    // Long texts in code set B form their weighted products in 32 bits.
    void longTextInSetB() {
        PixelGridSurface surface;
        Code128::DrawCode128(surface, 1, QString(600, QLatin1Char('~')), false);
        QCOMPARE(static_cast<int>(drawnValues(surface).size()), 602);
    }
};

QTEST_APPLESS_MAIN(TestCode128)
#include "test_code128.moc"
