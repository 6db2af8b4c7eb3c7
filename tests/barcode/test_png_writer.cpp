#include "platform/qt/png_writer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace etq;

class TestPngWriter : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // What is written reads back pixel for pixel, grey or in colour, and the writer can be
    // used again after images of other sizes.
    void roundTrip_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("colour");
        QTest::newRow("one grey pixel") << QSize(1, 1) << false;
        QTest::newRow("one colour pixel") << QSize(1, 1) << true;
        QTest::newRow("grey symbol size") << QSize(141, 77) << false;
        QTest::newRow("colour, odd width") << QSize(37, 5) << true;
        QTest::newRow("tall") << QSize(3, 400) << false;
    }

    void roundTrip() {
        QFETCH(QSize, size);
        QFETCH(bool, colour);
        static PngWriter writer;
        QRandomGenerator random(size.width() * 1000 + size.height());
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const int r = random.bounded(256);
                image.setPixel(
                    x, y,
                    colour ? qRgb(r, random.bounded(256), random.bounded(256)) : qRgb(r, r, r));
            }
        }
        const QImage read = QImage::fromData(writer.encode(image), "PNG");
        QCOMPARE(read.isGrayscale(), !colour);
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), image);
    }

    // Identical rows cost next to nothing.
    void barsCompress() {
        QImage image(400, 200, QImage::Format_RGB32);
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                image.setPixel(x, y, (x / 3) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
        PngWriter writer;
        QVERIFY(writer.encode(image).size() < 1000);
        QVERIFY(!writer.write(QImage(), QStringLiteral("/tmp/never-written.png")));
    }
};

QTEST_APPLESS_MAIN(TestPngWriter)
#include "test_png_writer.moc"
