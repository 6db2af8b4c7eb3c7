// How symbols are drawn: where each renderer puts its bars, how it sizes the surface, what
// its caption says and where, and what an invalid text leaves behind, on a surface that
// records the calls; then how the image surface carries those calls out and saves the result.
// That the bars read as the intended text is proven by test_barcode_decoding.
#include "barcode/barcode_error.h"
#include "barcode/code128.h"
#include "pixel_grid_surface.h"
#include "platform/qt/image_surface.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <functional>

#include <sys/stat.h>

using namespace etq;
using etq::test::drawSymbol;
using etq::test::PixelGridSurface;

namespace {

const QString kInvalid = QStringLiteral("An Invalid Character Found in Bar Text");
const QString kLength12 = "Should be 12 Digit Numbers", kLength7 = "Should be 7 Digit Numbers";
const QString kPrepared = "BackColor=ffffff,AutoRedraw=1,ScaleMode=3,Height,Width";
const QString kE60(60, 'E'), kZ50(50, 'Z'), kTildes(600, '~');
const int kBar = kBarcodeErrorNumber, kOver = Error::Overflow, kRange = Error::SubscriptOutOfRange;

// Kind, text, zBarH, check, caption; what is drawn (Code 39 characters, Code 128 symbol values:
// start, data, check), the caption (null: none) and the width in twips.
// Code 39 width: 16 twips a column, whatever the screen, for 12 columns a character and 20
// more, unless the symbol needs more. Code 128 module width: 11 columns for each of start,
// data, check and stop, plus 25, in pixels of 15 twips; the class takes 220 twips a character.
using Linear = std::tuple<QString, QString, int, bool, bool, QString, QString, double>;
const Linear kLinear[] = {
    {"Code39", "A", 5, false, false, "*A*", {}, 896},
    {"Code39", "A", 3276, false, false, "*A*", {}, 896},  // the highest bars
    {"Code39", "code-39", 5, false, true, "*CODE-39*", "CODE-39", 2048},
    {"Code39", "*ABC*", 5, false, true, "*ABC*", "ABC", 1280},
    {"Code39", "CODE39", 5, true, true, "*CODE39W*", "CODE39", 2048},
    {"Code39", "", 5, false, true, "**", "", 704},
    {"Code39", "", 5, true, false, "*0*", {}, 896},
    // Sixty E are worth 840, and 840 mod 43 = 23: check character N.
    {"Code39", kE60, 5, true, false, "*" + kE60 + "N*", {}, (13.0 * 63 + 12) * 15},
    {"Bar39", "ABC", 5, true, false, "*ABCX*", "ABC", 1472},  // the class always has a caption
    {"Bar39", "*AB*", 5, false, false, "*AB*", "AB", 1088},
    {"Bar39", kZ50, 5, false, false, "*" + kZ50 + "*", kZ50, (13.0 * 52 + 12) * 15},
    {"Code128", "ABC", 5, false, true, "104 33 34 35 1", "ABC", 91 * 15},
    {"Code128", "12345678", 5, false, false, "105 12 34 56 78 47", {}, 102 * 15},
    {"Code128", "12345", 5, false, true, "104 17 99 23 45 53", "12345", 102 * 15},
    {"Code128", "A12345", 5, false, false, "104 33 17 99 23 45 64", {}, 113 * 15},
    {"Code128", "A1234", 5, false, false, "104 33 99 12 34 95", {}, 102 * 15},
    {"Code128", "AB12", 5, false, false, "104 33 34 17 18 19", {}, 102 * 15},
    {"Code128", "123", 5, false, false, "104 17 18 19 8", {}, 91 * 15},
    {"Code128", "1234A", 5, false, false, "104 17 18 19 20 33 47", {}, 113 * 15},
    {"Code128", "12A34B", 5, false, false, "104 17 18 33 19 20 34 18", {}, 124 * 15},
    {"Code128", "", 5, false, true, "0", "", 58 * 15},
    {"Bar128", "ABC", 5, false, false, "103 33 34 35 0", "ABC", 1320},
    {"Bar128", "abc", 5, false, false, "104 65 66 67 90", "abc", 1320},
    {"Bar128", "A~", 5, false, false, "104 33 94 16", "A~", 1100},
    {"Bar128", "A1234", 5, false, false, "103 33 99 12 34 94", "A1234", 1540},
    {"Bar128", "12345678", 5, false, false, "105 12 34 56 78 47", "12345678", 1540},
    // Long texts in code set B form their weighted products in 32 bits. The check: 104 + 94 x
    // (1 + 2 + ... + 600) = 66 (mod 103); the width: 603 x 11 + 25 pixels.
    {"Code128", kTildes, 1, false, false, "104" + QString(" 94").repeated(600) + " 66", {}, 99870},
};

// EAN-13 or EAN-8, text, caption, what is printed, height. Captions stand level with the lower
// end of the data bars, the check digit ending the right half; EAN-13 always prints its first
// digit left of the symbol.
using Ean = std::tuple<bool, QString, bool, QStringList, double>;
const Ean kEan[] = {
    {true, "400638133393", true, {"4@5,60", "006381@23,60", "333931@68,60"}, 1155},
    {true, "400638133393", false, {"4@5,60"}, 1155},
    {true, "000000000000", true, {"0@5,60", "000000@23,60", "000000@68,60"}, 1155},
    {false, "9638507", true, {"9638@23,60", "5074@53,60"}, 1305},
    {false, "9638507", false, {}, 1050},
    {false, "0000000", true, {"0000@23,60", "0000@53,60"}, 1305},
};

// Kind, text, zBarH; the error's number, source and the beginning of its description; the
// lines drawn before it.
using Failure = std::tuple<QString, QString, int, int, QString, QString, int>;
const Failure kFailures[] = {
    {"Code39", "AB_C", 5, kBar, "Bar 39", kInvalid, 0},
    {"Code39", "aé", 5, kBar, "Bar 39", kInvalid, 0},  // after upper-casing
    {"Bar39", "code-39", 5, kBar, "Bar 39", kInvalid, 0},
    {"Code39", "A", 3277, kOver, "Bar 39", "Overflow", 0},
    {"Bar39", "A", -3277, kOver, "Bar 39", "Overflow", 0},
    // Code 128 finds a character outside its set while drawing: what was drawn stays.
    {"Code128", "A\tB", 3, kRange, "Code128", "Subscript out of range", 22},
    {"Code128", "éA", 3, kRange, "Code128", "Subscript out of range", 11},
    {"Bar128", "AB\x7f", 3, kRange, "Bar128", "Subscript out of range", 33},
    {"Code128", "ABC", 3277, kOver, "Code128", "Overflow", 0},
    // Weight 401 times the switch value 99 passes 32767 after 400 characters in B.
    {"Code128", QString(400, 'A') + "1234", 1, kOver, "Code128", "Overflow", 11 * 402},
    {"EAN13", "4006381333931", 5, kBar, "EAN-13", kLength12, 0},
    {"EAN13", "ABC", 5, kBar, "EAN-13", kLength12, 0},  // length before characters
    {"EAN13", "", 5, kBar, "EAN-13", kLength12, 0},
    {"EAN13", " 40063813339", 5, kBar, "EAN-13", kInvalid, 0},  // nothing trimmed
    {"EAN13", "40063813339A", 5, kBar, "EAN-13", kInvalid, 0},
    {"EAN13", "40063813339٣", 5, kBar, "EAN-13", kInvalid, 0},
    {"EAN13", "400638133393", 3277, kOver, "EAN-13", "Overflow", 0},
    {"EAN8", "96385074", 5, kBar, "EAN-8", kLength7, 0},
    {"EAN8", "963850 ", 5, kBar, "EAN-8", kInvalid, 0},
    {"EAN8", "9638507", -3277, kOver, "EAN-8", "Overflow", 0},
};

// One data row per table entry, named by its position and text.
template <typename Row, std::size_t N>
void addRows(const Row (&table)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i) {
        QTest::addRow("%d %s", int(i), qPrintable(std::get<1>(table[i]).left(20))) << int(i);
    }
}

// The black pixels of an image, row by row: "x,y x,y ...".
QString blackPixels(const QImage& image) {
    QStringList found;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        if (image.pixel(i % image.width(), i / image.width()) == qRgb(0, 0, 0)) {
            found << QStringLiteral("%1,%2").arg(i % image.width()).arg(i / image.width());
        }
    }
    return found.join(' ');
}

// A white square surface, its side in pixels of 15 twips, drawing in pixels unless told
// otherwise.
void prepare(ImageSurface& surface, int side, std::int16_t scale = DrawingSurface::ScalePixels) {
    surface.setWidth(side * 15);
    surface.setHeight(side * 15);
    surface.setBackColor(kWhite);
    surface.setScaleMode(scale);
}

// `change` must fail with the surface's invalid-property-value error.
void refused(const std::function<void()>& change) {
    try {
        change();
        QFAIL("no error raised");
    } catch (const Error& error) {
        QCOMPARE(error.number(), 380);
        QCOMPARE(error.source(), "ImageSurface");
        QVERIFY(error.description().startsWith("Invalid property value"));
    }
}

QString columnsOf(std::string_view pattern) {
    return QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size()));
}

}  // namespace

class TestBarcodeDrawing : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Code 39 and Code 128: the columns from x = 12, the calls in order, bars from y = 10, the
    // size in twips and the caption centred under the bars, 5 pixels below them.
    void linear_data() { addRows(kLinear); }
    void linear() {
        QFETCH(int, row);
        const auto& [kind, text, zBarH, check, caption, drawn, printed, width] = kLinear[row];
        PixelGridSurface s;
        drawSymbol(kind, s, zBarH, text, check, caption);
        const int barH = 10 * zBarH;
        const bool cls = kind.startsWith("Bar");
        QString columns;
        if (kind.endsWith("39")) {
            for (const QChar c : drawn) {  // each character followed by its one-column gap
                columns += columnsOf(kCode39Patterns[kCode39CharSet.find(c.unicode())]) + '0';
            }
        } else {
            const QStringList values = drawn.split(' ');
            for (const QString& value : values) {
                columns += columnsOf(kCode128Patterns[value.toInt()]);
            }
            columns += columnsOf(kCode128Stop);
            // The count that sizes the surface: data characters and the switch to code set C.
            QCOMPARE(int{Code128::CountSymbols(text)}, values.size() - (text.isEmpty() ? 1 : 2));
        }
        QCOMPARE(s.modules(11, 12 + columns.size()), '.' + columns + '.');
        QCOMPARE(s.calls.join(','), (cls ? "Cls," : "Picture=none,") + kPrepared + ",Line" +
                                        (printed.isNull() ? "" : ",Print") +
                                        (cls ? "" : ",Picture=Image"));
        for (const auto& [column, line] : s.lines) {
            QVERIFY(line.x2 == column && line.y1 == 10 && line.y2 == 10 + barH);
        }
        QCOMPARE(s.width, width);
        QCOMPARE(s.height, (printed.isNull() ? barH + 20 : 12 + barH + 25) * 15.0);
        const double x = (s.lastColumn() - 10 + 20) / 2.0 - 3.0 * printed.size();
        const auto centred = QStringLiteral("%1@%2,%3").arg(printed).arg(x).arg(barH + 15);
        QCOMPARE(s.printed, printed.isNull() ? QStringList() : QStringList{centred});
    }

    // Guard bars 5 pixels longer than the data bars, both from y = 10.
    void ean_data() { addRows(kEan); }
    void ean() {
        QFETCH(int, row);
        const auto& [ean13, text, caption, printed, height] = kEan[row];
        PixelGridSurface s;
        drawSymbol(ean13 ? "EAN13" : "EAN8", s, 5, text, false, caption);
        const QString half(ean13 ? 42 : 28, 'S');
        QString shape;  // G, g: black and white guard bars; S: a data bar 5 pixels shorter
        for (const auto& [column, line] : s.lines) {
            QVERIFY(line.x2 == column && line.y1 == 10);
            shape += line.y2 == 60 ? 'S' : line.y2 != 65 ? '?' : line.color == kBlack ? 'G' : 'g';
        }
        QCOMPARE(shape, "GgG" + half + "gGgGg" + half + "GgG");
        QCOMPARE(s.lines.begin()->first, 16);
        QCOMPARE(s.lastColumn(), 15 + int(s.lines.size()));
        QCOMPARE(s.printed, printed);
        QCOMPARE(s.width, ean13 ? 2112.0 : 1520.0);
        QCOMPARE(s.height, height);
        QCOMPARE(s.calls.first(), "Picture=none");
        QCOMPARE(s.calls.last(), "Picture=Image");
    }

    void failures_data() { addRows(kFailures); }
    void failures() {
        QFETCH(int, row);
        const auto& [kind, text, zBarH, number, source, description, lines] = kFailures[row];
        QVERIFY(Bar39().CheckCode());  // nothing drawn yet: an empty text is valid
        PixelGridSurface s;
        try {
            drawSymbol(kind, s, zBarH, text);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.number(), number);
            QCOMPARE(error.source(), source);
            QVERIFY2(error.description().startsWith(description), qPrintable(error.description()));
        }
        // The class erases first, the module drops its picture; EAN-13 has its provisional size.
        QString calls = kind.startsWith("Bar") ? "Cls" : "Picture=none";
        if (kind == "EAN13") {
            calls += ",Width,Height";
            QCOMPARE(s.width, 5655.0);
            QCOMPARE(s.height, 2340.0);
        }
        QCOMPARE(s.calls.join(','), lines == 0 ? calls : calls + ',' + kPrepared + ",Line");
        QCOMPARE(int(s.lines.size()), lines);
    }

    // Twips per pixel, width and height in twips, and the pixels (invalid: refused).
    void sizes() {
        const std::tuple<double, double, double, QSize> cases[] = {
            {15, 1500, 750, {100, 50}},  {12, 1500, 750, {125, 63}},  // half a pixel rounds up
            {15, 2112, 1155, {141, 77}}, {15, 0, 300, {0, 0}},        {15, 150, -15, {}},
            {15, -1000, 150, {}},        {15, 15.0 * 40000, 150, {}}, {0, 150, 150, {}},
        };
        for (const auto& [twipsPerPixel, width, height, pixels] : cases) {
            const auto resize = [&] {
                ImageSurface surface(twipsPerPixel);
                surface.setWidth(width);
                surface.setHeight(height);
                QCOMPARE(QPointF(surface.TwipsPerPixelX(), surface.TwipsPerPixelY()),
                         QPointF(twipsPerPixel, twipsPerPixel));
                QCOMPARE(surface.image().size(), pixels);
            };
            pixels.isValid() ? resize() : refused(resize);
        }
        refused([] { ImageSurface().setScaleMode(2); });
    }

    // Lines leave out their end point; pixels off the image are dropped. Coordinates in
    // pixels, or in twips before the switch to pixels.
    void lines() {
        const auto px = DrawingSurface::ScalePixels;
        const std::tuple<QLine, std::int16_t, const char*> cases[] = {
            {{5, 2, 5, 6}, px, "5,2 5,3 5,4 5,5"},
            {{5, 6, 5, 2}, px, "5,3 5,4 5,5 5,6"},
            {{1, 1, 4, 1}, px, "1,1 2,1 3,1"},
            {{0, 0, 3, 3}, px, "0,0 1,1 2,2"},
            {{4, 4, 4, 4}, px, ""},
            {{-3, 2, -3, 9}, px, ""},
            {{2, 7, 2, INT_MAX}, px, "2,7 2,8 2,9"},
            {{2, 1, 2, INT_MIN}, px, "2,0 2,1"},
            {{INT_MIN, 3, INT_MAX, 3}, px, "0,3 1,3 2,3 3,3 4,3 5,3 6,3 7,3 8,3 9,3"},
            {{-100000, -100000, INT_MAX, INT_MAX}, px, "0,0 1,1 2,2 3,3 4,4 5,5 6,6 7,7 8,8 9,9"},
            {{9, 8, 9, 12}, px, "9,8 9,9"},
            {{30, 0, 30, 75}, DrawingSurface::ScaleTwips, "2,0 2,1 2,2 2,3 2,4"},
        };
        for (const auto& [line, scale, black] : cases) {
            ImageSurface surface;
            prepare(surface, 10, scale);
            surface.Line(line.x1(), line.y1(), line.x2(), line.y2(), kBlack);
            QCOMPARE(blackPixels(surface.image()), black);
        }
    }

    // Colours come as 00BBGGRR and survive the file, an ordinary file of the user's usual
    // permissions; a new background colour erases. One writer serves every file the surface
    // saves.
    void coloursAndFiles() {
        QTemporaryDir folder;
        const QString path = folder.filePath("colours.png");
        ImageSurface surface;
        prepare(surface, 10);
        surface.Line(0, 0, 0, 10, 0x0000FF);
        surface.Line(1, 0, 1, 10, 0x00FF00);
        surface.Line(2, 0, 2, 10, 0xFF0000);
        QVERIFY(!surface.save(folder.filePath("missing/symbol.png")));
        const mode_t umaskBefore = umask(022);
        QVERIFY(surface.save(path));
        umask(umaskBefore);
        struct stat written {};
        QVERIFY(stat(QFile::encodeName(path).constData(), &written) == 0);
        QCOMPARE(written.st_mode & 0777, 0644u);  // an ordinary file: no one may run it
        QImage read(path, "PNG");
        QVERIFY(!read.isGrayscale());
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), surface.image());
        QCOMPARE((QList<QRgb>{read.pixel(0, 9), read.pixel(1, 9), read.pixel(2, 9)}),
                 (QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}));
        surface.setBackColor(0xFF0000);
        QCOMPARE(surface.image().pixel(0, 0), qRgb(0, 0, 255));
        QVERIFY(surface.save(path) && read.load(path, "PNG"));
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), surface.image());
        QVERIFY(!ImageSurface().save(folder.filePath("empty.png")));
    }

    // A resize keeps the drawing at the top left; the picture keeps the drawing as it was
    // when it was taken, and erasing shows it again without what was drawn since.
    void resizePictureAndCls() {
        ImageSurface surface;
        prepare(surface, 10);
        surface.Line(1, 0, 1, 2, kBlack);
        surface.setWidth(12 * 15);
        QCOMPARE(surface.image().size(), QSize(12, 10));
        QCOMPARE(surface.image().pixel(11, 1), qRgb(255, 255, 255));
        surface.setPicture(surface.Image());
        surface.Line(3, 0, 3, 1, kBlack);
        QCOMPARE(blackPixels(surface.image()), "1,0 3,0 1,1");
        QCOMPARE(blackPixels(surface.picture()), "1,0 1,1");
        surface.Cls();
        QCOMPARE(surface.image(), surface.picture());
        surface.setPicture(nullptr);
        QVERIFY(surface.picture().isNull());
        surface.Cls();
        QCOMPARE(blackPixels(surface.image()), "");
    }

    // Text in black inside its box from the current position, which then moves to the start
    // of the next line; sizes in the current scale.
    void print() {
        ImageSurface surface;
        prepare(surface, 100);
        const double height = surface.TextHeight("ABC"), width = surface.TextWidth("ABC");
        QVERIFY(height > 5 && width > surface.TextWidth("A"));
        surface.setCurrentX(10);
        surface.setCurrentY(5);
        surface.Print("ABC");
        QCOMPARE(surface.currentX(), 0.0);
        QCOMPARE(surface.currentY(), 5 + height);
        QImage image = surface.image();
        QVERIFY(!blackPixels(image).isEmpty());
        // Nothing but white once the text's box is painted white.
        QPainter(&image).fillRect(QRect(10, 5, int(width) + 2, int(height) + 1), Qt::white);
        QImage white(image.size(), image.format());
        white.fill(Qt::white);
        QCOMPARE(image, white);
        surface.setScaleMode(DrawingSurface::ScaleTwips);
        QCOMPARE(surface.TextWidth("ABC"), width * 15);
        QCOMPARE(surface.TextHeight("ABC"), height * 15);
    }

    // Every image reads back pixel for pixel from its PNG, in the smallest kind that holds
    // it: one bit a pixel for black and white, grey, colour. Widths off a byte boundary and
    // runs longer than one deflate match (258) included. Identical rows of bars cost next to
    // nothing.
    void pngFiles() {
        const auto image = [](int width, int height, auto colourAt) {
            QImage made(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    made.setPixel(x, y, colourAt(x, y));
            }
            return made;
        };
        const auto bars = [](int x, int) { return x / 3 % 2 ? qRgb(255, 255, 255) : 0u; };
        const auto diagonal = [](int x, int y) { return x == y ? 0u : qRgb(255, 255, 255); };
        const auto grey = [](int x, int y) { return qRgb(x * 9 + y, x * 9 + y, x * 9 + y); };
        const auto colour = [](int x, int y) { return qRgb(x * 9, y, 255 - x); };
        const struct {
            QImage image;
            int bitDepth, colourType, atMostBytes;
        } cases[] = {
            {image(1, 1, bars), 1, 0, 100},      {image(7, 3, diagonal), 1, 0, 100},
            {image(8, 9, diagonal), 1, 0, 100},  {image(9, 9, diagonal), 1, 0, 100},
            {image(13, 2, bars), 1, 0, 100},     {image(2100, 3, bars), 1, 0, 400},
            {image(400, 200, bars), 1, 0, 1000}, {image(3000, 2, diagonal), 1, 0, 100},
            {image(20, 5, grey), 8, 0, 300},     {image(20, 5, colour), 8, 2, 600},
        };
        PngWriter writer;
        for (const auto& [made, bitDepth, colourType, atMostBytes] : cases) {
            const QByteArray png = writer.encode(made);
            const QString name = QStringLiteral("%1x%2").arg(made.width()).arg(made.height());
            QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n") && png.mid(12, 4) == "IHDR",
                     qPrintable(name));
            QCOMPARE(QList<int>({png.at(24), png.at(25)}), QList<int>({bitDepth, colourType}));
            QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), made);
            QVERIFY2(png.size() <= atMostBytes, qPrintable(name));
        }
    }
};

QTEST_MAIN(TestBarcodeDrawing)
#include "test_barcode_drawing.moc"
