#include "barcode/bar39.h"
#include "barcode/barcode_error.h"
#include "barcode/code39.h"
#include "pixel_grid_surface.h"

#include <QTest>

using namespace etq;
using etq::test::PixelGridSurface;

namespace {

const QString kInvalid = QStringLiteral("An Invalid Character Found in Bar Text");

void render(bool module, PixelGridSurface& surface, std::int16_t zBarH, const QString& text,
            bool check, bool caption) {
    if (module) {
        Code39::DrawCode39(surface, zBarH, text, check, caption);
    } else {
        Bar39 bar;
        bar.Code39(surface, zBarH, text, check);
    }
}

// The characters drawn, read back 13 columns (12 modules and the gap) at a time from x = 12.
QString drawnCharacters(const PixelGridSurface& surface) {
    QString result;
    for (int x = 12; x < surface.lastColumn(); x += 13) {
        const QString chunk = surface.modules(x, x + 11);
        const auto found =
            std::find(kCode39Patterns.begin(), kCode39Patterns.end(), chunk.toStdString());
        if (found == kCode39Patterns.end() || surface.modules(x + 12, x + 12) != "0") {
            return result + QStringLiteral("?");
        }
        result += QChar(kCode39CharSet[found - kCode39Patterns.begin()]);
    }
    return result;
}

}  // namespace

class TestCode39 : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The letter A alone: start, A, stop, each followed by its one-column gap.
    void columnsOfA() {
        PixelGridSurface surface;
        Code39::DrawCode39(surface, 5, QStringLiteral("A"), false, false);
        const QString start = QStringLiteral("100101101101");
        const QString a = QStringLiteral("110101001011");
        QCOMPARE(surface.modules(11, 51), "." + start + "0" + a + "0" + start + "0.");
        for (const auto& line : surface.lines) {
            QCOMPARE(line.x2, line.x1);
            QCOMPARE(line.y1, 10);
            QCOMPARE(line.y2, 60);
        }
        QCOMPARE(surface.height, 1050.0);
        QCOMPARE(surface.width, 896.0);
        QVERIFY(surface.printed.empty());
        const QStringList order = {"Picture=none", "BackColor=ffffff", "AutoRedraw=1",
                                   "ScaleMode=3",  "Height",           "Width",
                                   "Line",         "Picture=Image"};
        QCOMPARE(surface.calls, order);
    }

    void encodes_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("captionText");
        QTest::addColumn<double>("width");

        QTest::newRow("lower case upper-cased") << true << "code-39" << false << true << "*CODE-39*"
                                                << "CODE-39" << 2048.0;
        QTest::newRow("asterisks removed") << true << "*ABC*" << false << true << "*ABC*"
                                           << "ABC" << 1280.0;
        QTest::newRow("check W") << true << "CODE39" << true << true << "*CODE39W*"
                                 << "CODE39" << 2048.0;
        QTest::newRow("no caption")
            << true << "CODE39" << true << false << "*CODE39W*" << QString() << 2048.0;
        QTest::newRow("empty") << true << "" << false << true << "**"
                               << "" << 704.0;
        QTest::newRow("empty with check")
            << true << "" << true << false << "*0*" << QString() << 896.0;
        QTest::newRow("class: check X, always a caption")
            << false << "ABC" << true << false << "*ABCX*"
            << "ABC" << 1472.0;
        QTest::newRow("class: whole symbol fits") << false << "A" << false << false << "*A*"
                                                  << "A" << 896.0;
        // 16 twips a column would cut a long symbol off; the surface widens to hold it all.
        // Sixty E are worth 840, and 840 mod 43 = 23: check character N.
        QTest::newRow("long text widens the surface")
            << true << QString(60, QLatin1Char('E')) << true << false
            << "*" + QString(60, QLatin1Char('E')) + "N*" << QString() << (13.0 * 63 + 12) * 15;
        QTest::newRow("class: long text widens the surface")
            << false << QString(50, QLatin1Char('Z')) << false << false
            << "*" + QString(50, QLatin1Char('Z')) + "*" << QString(50, QLatin1Char('Z'))
            << (13.0 * 52 + 12) * 15;
        QTest::newRow("class: blank, dollar, percent")
            << false << "A $%" << false << false << "*A $%*"
            << "A $%" << 1472.0;
    }

    void encodes() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        QFETCH(bool, check);
        QFETCH(bool, caption);
        QFETCH(QString, drawn);
        QFETCH(QString, captionText);
        QFETCH(double, width);

        PixelGridSurface surface;
        render(module, surface, 5, text, check, caption);
        QCOMPARE(drawnCharacters(surface), drawn);
        // The final gap is the last column, and the whole symbol fits the surface.
        QCOMPARE(surface.lastColumn(), 11 + 13 * static_cast<int>(drawn.size()));
        QVERIFY(surface.lastColumn() < width / 15);
        QCOMPARE(surface.width, width);
        if (captionText.isNull()) {
            QVERIFY(surface.printed.empty());
            return;
        }
        QCOMPARE(surface.printed.size(), std::size_t{1});
        const int endX = 1 + 13 * static_cast<int>(drawn.size());
        QCOMPARE(surface.printed[0].text, captionText);
        QCOMPARE(surface.printed[0].x, (endX + 20) / 2.0 - 3.0 * captionText.size());
        QCOMPARE(surface.printed[0].y, 65.0);
    }

    void heights_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<double>("height");
        // 15 twips per pixel vertically, 12 horizontally, bars 50 pixels, text 12 pixels.
        QTest::newRow("module, caption") << true << true << (12 + 50 + 25) * 15.0;
        QTest::newRow("module, no caption") << true << false << 70 * 15.0;
        QTest::newRow("class, caption always") << false << false << (12 + 50 + 25) * 15.0;
    }

    void heights() {
        QFETCH(bool, module);
        QFETCH(bool, caption);
        QFETCH(double, height);
        PixelGridSurface surface(12, 15);
        render(module, surface, 5, QStringLiteral("AB"), false, caption);
        QCOMPARE(surface.height, height);
        QCOMPARE(surface.width, 1088.0);  // 16 twips a module column, whatever the screen
    }

    void classDrawsWithoutTouchingPicture() {
        PixelGridSurface surface;
        Bar39 bar;
        bar.Code39(surface, 2, QStringLiteral("*AB*"), false);
        QCOMPARE(surface.calls.first(), "Cls");
        QVERIFY(!surface.calls.join(',').contains("Picture"));
        QVERIFY(bar.CheckCode());
    }

    void errors_data() {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zBarH");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("firstCall");

        QTest::newRow("underscore")
            << true << "AB_C" << 5 << kBarcodeErrorNumber << kInvalid << "Picture=none";
        QTest::newRow("accent after upper-casing")
            << true << QString::fromUtf8("aé") << 5 << kBarcodeErrorNumber << kInvalid
            << "Picture=none";
        QTest::newRow("class: lower case")
            << false << "code-39" << 5 << kBarcodeErrorNumber << kInvalid << "Cls";
        QTest::newRow("overflow") << true << "A" << 3277 << int{Error::Overflow} << "Overflow"
                                  << "Picture=none";
        QTest::newRow("negative overflow")
            << false << "A" << -3277 << int{Error::Overflow} << "Overflow"
            << "Cls";
    }

    void errors() {
        QFETCH(bool, module);
        QFETCH(QString, text);
        QFETCH(int, zBarH);
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, firstCall);

        PixelGridSurface surface;
        try {
            render(module, surface, static_cast<std::int16_t>(zBarH), text, true, true);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), number);
            QCOMPARE(error.source(), "Bar 39");
            QCOMPARE(error.description(), description);
        }
        // Nothing drawn, size and colours untouched.
        QCOMPARE(surface.calls, QStringList{firstCall});
    }

    void largestBarHeight() {
        PixelGridSurface surface;
        Code39::DrawCode39(surface, 3276, QStringLiteral("A"), false, false);
        QCOMPARE(surface.lines.front().y2, 10 + 32760);
    }
};

QTEST_APPLESS_MAIN(TestCode39)
#include "test_code39.moc"
