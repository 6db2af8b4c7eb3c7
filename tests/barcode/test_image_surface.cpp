#include "barcode/numa_barcode.h"
#include "platform/error.h"
#include "platform/qt/image_surface.h"

#include <QTemporaryDir>
#include <QTest>

#include <climits>

using namespace etq;

Q_DECLARE_METATYPE(QList<QPoint>)

namespace {

bool isBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// A white surface of the given pixel size, drawing in pixels.
void preparePixels(ImageSurface& surface, int width, int height) {
    surface.setWidth(width * surface.TwipsPerPixelX());
    surface.setHeight(height * surface.TwipsPerPixelY());
    surface.setBackColor(kWhite);
    surface.setScaleMode(DrawingSurface::ScalePixels);
}

int blackPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += isBlack(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class TestImageSurface : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void size_data() {
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("96 dpi") << 15.0 << 1500.0 << 750.0 << QSize(100, 50);
        QTest::newRow("120 dpi, half pixel rounds up") << 12.0 << 1500.0 << 750.0 << QSize(125, 63);
        QTest::newRow("fractional twips") << 15.0 << 2112.0 << 1155.0 << QSize(141, 77);
        QTest::newRow("zero width") << 15.0 << 0.0 << 300.0 << QSize(0, 0);
    }

    void size() {
        QFETCH(double, twipsPerPixel);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QSize, pixels);
        ImageSurface surface(twipsPerPixel);
        surface.setWidth(width);
        surface.setHeight(height);
        QCOMPARE(surface.image().size(), pixels);
        QCOMPARE(surface.TwipsPerPixelX(), twipsPerPixel);
        QCOMPARE(surface.TwipsPerPixelY(), twipsPerPixel);
    }

    // Lines leave out their end point; pixels off the image are dropped.
    void lines_data() {
        QTest::addColumn<QRect>("line");  // from top-left to bottom-right corner as given
        QTest::addColumn<QList<QPoint>>("black");
        QTest::newRow("down") << QRect(QPoint(5, 2), QPoint(5, 6))
                              << QList<QPoint>{{5, 2}, {5, 3}, {5, 4}, {5, 5}};
        QTest::newRow("up") << QRect(QPoint(5, 6), QPoint(5, 2))
                            << QList<QPoint>{{5, 6}, {5, 5}, {5, 4}, {5, 3}};
        QTest::newRow("across") << QRect(QPoint(1, 1), QPoint(4, 1))
                                << QList<QPoint>{{1, 1}, {2, 1}, {3, 1}};
        QTest::newRow("diagonal") << QRect(QPoint(0, 0), QPoint(3, 3))
                                  << QList<QPoint>{{0, 0}, {1, 1}, {2, 2}};
        QTest::newRow("a point is nothing") << QRect(QPoint(4, 4), QPoint(4, 4)) << QList<QPoint>{};
        QTest::newRow("clipped") << QRect(QPoint(-3, 2), QPoint(-3, 9)) << QList<QPoint>{};
        QTest::newRow("far below")
            << QRect(QPoint(2, 7), QPoint(2, INT_MAX)) << QList<QPoint>{{2, 7}, {2, 8}, {2, 9}};
        QTest::newRow("far above")
            << QRect(QPoint(2, 1), QPoint(2, INT_MIN)) << QList<QPoint>{{2, 1}, {2, 0}};
        QTest::newRow("level, far both ways")
            << QRect(QPoint(INT_MIN, 3), QPoint(INT_MAX, 3))
            << QList<QPoint>{{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3},
                             {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}};
        QTest::newRow("slanted, far off")
            << QRect(QPoint(-100000, -100000), QPoint(INT_MAX, INT_MAX))
            << QList<QPoint>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4},
                             {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}};
        QTest::newRow("through the edge")
            << QRect(QPoint(9, 8), QPoint(9, 12)) << QList<QPoint>{{9, 8}, {9, 9}};
    }

    void lines() {
        QFETCH(QRect, line);
        QFETCH(QList<QPoint>, black);
        ImageSurface surface;
        preparePixels(surface, 10, 10);
        surface.Line(line.left(), line.top(), line.right(), line.bottom(), kBlack);
        for (const QPoint& p : black) {
            QVERIFY2(isBlack(surface.image(), p.x(), p.y()),
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        }
        QCOMPARE(blackPixels(surface.image()), black.size());
    }

    void twipsCoordinatesBeforePixelScale() {
        ImageSurface surface(15);
        surface.setWidth(150);
        surface.setHeight(150);
        surface.setBackColor(kWhite);
        surface.Line(30, 0, 30, 75, kBlack);  // column 2, rows 0 to 4
        QCOMPARE(blackPixels(surface.image()), 5);
        QVERIFY(isBlack(surface.image(), 2, 4));
    }

    void colours() {
        ImageSurface surface;
        preparePixels(surface, 4, 4);
        surface.Line(0, 0, 0, 4, 0x0000FF);  // 00BBGGRR: red
        QCOMPARE(surface.image().pixel(0, 0), qRgb(255, 0, 0));
        // A new background colour erases the drawing.
        surface.setBackColor(0xFF0000);
        QCOMPARE(surface.image().pixel(0, 0), qRgb(0, 0, 255));
    }

    void resizeKeepsDrawing() {
        ImageSurface surface;
        preparePixels(surface, 4, 4);
        surface.Line(1, 0, 1, 4, kBlack);
        surface.setWidth(8 * 15);
        QCOMPARE(surface.image().size(), QSize(8, 4));
        QVERIFY(isBlack(surface.image(), 1, 3));
        QCOMPARE(surface.image().pixel(7, 3), qRgb(255, 255, 255));
    }

    void pictureAndCls() {
        ImageSurface surface;
        preparePixels(surface, 4, 4);
        surface.Line(2, 0, 2, 4, kBlack);
        surface.setPicture(surface.Image());
        QCOMPARE(surface.picture(), surface.image());
        surface.Line(3, 0, 3, 4, kBlack);
        // The picture keeps the drawing as it was when it was taken.
        QVERIFY(!isBlack(surface.picture(), 3, 0));
        QVERIFY(isBlack(surface.image(), 3, 0));
        // Erasing shows the picture again, without what was drawn since.
        surface.Cls();
        QCOMPARE(surface.image(), surface.picture());
        surface.setPicture(nullptr);
        QVERIFY(surface.picture().isNull());
        surface.Cls();
        QCOMPARE(blackPixels(surface.image()), 0);
    }

    void printMovesToNextLine() {
        ImageSurface surface;
        preparePixels(surface, 100, 60);
        surface.setCurrentX(10);
        surface.setCurrentY(5);
        const double height = surface.TextHeight(QStringLiteral("ABC"));
        QVERIFY(height > 5);
        QVERIFY(surface.TextWidth(QStringLiteral("ABC")) > surface.TextWidth(QStringLiteral("A")));
        surface.Print(QStringLiteral("ABC"));
        QCOMPARE(surface.currentX(), 0.0);
        QCOMPARE(surface.currentY(), 5 + height);
        // Ink only inside the text's box.
        const QImage& image = surface.image();
        QVERIFY(blackPixels(image) > 0);
        const int right = 10 + static_cast<int>(surface.TextWidth(QStringLiteral("ABC"))) + 1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    QVERIFY(x >= 10 && x <= right && y >= 5 && y <= 5 + height);
                }
            }
        }
    }

    void textInTwips() {
        ImageSurface surface(15);
        const double pixels = surface.TextWidth(QStringLiteral("12345"));
        surface.setScaleMode(DrawingSurface::ScaleTwips);
        QCOMPARE(surface.TextWidth(QStringLiteral("12345")), pixels);
        surface.setScaleMode(DrawingSurface::ScalePixels);
        QCOMPARE(surface.TextWidth(QStringLiteral("12345")) * 15, pixels);
    }

    void savesPng() {
        QTemporaryDir folder;
        ImageSurface surface;
        preparePixels(surface, 20, 10);
        surface.Line(3, 1, 3, 9, kBlack);
        const QString path = folder.filePath(QStringLiteral("symbol.png"));
        QVERIFY(surface.save(path));
        const QImage read(path, "PNG");
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), surface.image());
        // Colour survives the file too.
        surface.Line(5, 1, 5, 9, 0x00FF00);
        QVERIFY(surface.save(path));
        QCOMPARE(QImage(path, "PNG").pixel(5, 1), qRgb(0, 255, 0));
        QVERIFY(!surface.save(folder.filePath(QStringLiteral("missing/symbol.png"))));
        QVERIFY(!ImageSurface().save(folder.filePath(QStringLiteral("empty.png"))));
    }

    // What a module renderer leaves behind: its size, settings and the drawing as picture.
    void rendererLeavesSurface() {
        ImageSurface surface(15);
        numaBarcode().EAN8(surface, 5, QStringLiteral("9638507"), false);
        QCOMPARE(surface.image().size(), QSize(1520 / 15, 1050 / 15));
        QVERIFY(surface.autoRedraw());
        QCOMPARE(surface.scaleMode(), DrawingSurface::ScalePixels);
        QCOMPARE(surface.picture(), surface.image());
        QCOMPARE(surface.image().pixel(0, 0), qRgb(255, 255, 255));
        QVERIFY(isBlack(surface.image(), 16, 10));  // start guard
        QVERIFY(!isBlack(surface.image(), 16, 9));
    }

    void invalidValues_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("negative height") << 0;
        QTest::newRow("negative width") << 1;
        QTest::newRow("too wide") << 2;
        QTest::newRow("scale mode 2") << 3;
        QTest::newRow("zero twips per pixel") << 4;
    }

    void invalidValues() {
        QFETCH(int, which);
        try {
            ImageSurface surface(which == 4 ? 0.0 : 15.0);
            switch (which) {
                case 0:
                    surface.setHeight(-15);
                    break;
                case 1:
                    surface.setWidth(-1000);
                    break;
                case 2:
                    surface.setWidth(15.0 * 40000);
                    break;
                default:
                    surface.setScaleMode(2);
            }
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), 380);
            QCOMPARE(error.source(), "ImageSurface");
            QVERIFY(error.description().startsWith("Invalid property value"));
        }
    }
};

QTEST_MAIN(TestImageSurface)
#include "test_image_surface.moc"
