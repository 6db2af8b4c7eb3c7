// Renders symbols into images, writes them as PNG files and reads them back with zbarimg
// (zbar-tools): what a real decoder reads must be the text that was meant.
#include "pixel_grid_surface.h"
#include "platform/qt/image_surface.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace etq;
using etq::test::drawSymbol;

namespace {

// Kind, text, check, caption, and what a decoder must read.
using Case = std::tuple<QString, QString, bool, bool, QString>;

// The check digit of an EAN number, counting weights 3, 1, 3... from the right.
QString withCheckDigit(const QString& digits) {
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        sum += (digits[i].unicode() - u'0') * ((digits.size() - i) % 2 != 0 ? 3 : 1);
    }
    return digits + QString::number((10 - sum % 10) % 10);
}

QString code128Value(int value) {
    return QString(QChar(u' ' + value));
}

std::vector<Case> allCases() {
    std::vector<Case> cases = {
        {"Code39", "code-39", false, false, "CODE-39"},  // upper-cased
        {"Code39", "CODE39", true, true, "CODE39W"},
        {"Code39", "*ABC*", false, true, "ABC"},
        {"Bar39", "A", false, false, "A"},  // one letter fits
        {"Bar39", "ABC", true, false, "ABCX"},
        {"EAN13", "400638133393", false, true, "4006381333931"},
        {"EAN8", "9638507", false, true, "96385074"},
    };
    // Every Code 39 character, in both forms.
    for (const QString text : {"0123456789A", "BCDEFGHIJKL", "MNOPQRSTUVW", "XYZ-. $/+%"}) {
        cases.push_back({"Code39", text, false, true, text});
        cases.push_back({"Bar39", text, false, false, text});
    }
    // Every code set B character, digit runs inside the text included.
    QString setB;
    for (int value = 0; value <= 94; ++value) {
        setB += code128Value(value);
    }
    for (qsizetype at = 0; at < setB.size(); at += 24) {
        cases.push_back({"Code128", setB.mid(at, 24), false, true, setB.mid(at, 24)});
    }
    for (const QString& text : QStringLiteral("ABC|12345678|12345|A12345|AB12|123|1234A|A1234|"
                                              "12A34B|0000|99999999|9|Etiqueta 2026/12 lote 0042")
                                   .split('|')) {
        cases.push_back({"Code128", text, false, false, text});
    }
    // A check character of every value 0-102, from two set B characters: the first is
    // check - 104 - 2 x second (mod 103), the second the lowest that leaves it in set B.
    for (int check = 0; check <= 102; ++check) {
        int second = 0;
        while ((check + 205 - 2 * second) % 103 > 94) {
            ++second;
        }
        const QString text = code128Value((check + 205 - 2 * second) % 103) + code128Value(second);
        cases.push_back({"Code128", text, false, false, text});
    }
    for (const QString text :
         {"ABC", "abc", "Hello, World!", "A1234", "12345678", "{x|y}~`", "ZPL_^FD"}) {
        cases.push_back({"Bar128", text, false, false, text});
    }
    // EAN-13 and EAN-8 with every first digit, with and without caption.
    for (int first = 0; first <= 9; ++first) {
        const QString text13 = QString::number(first) + "00638133393";
        const QString text8 = QString::number(first) + "638507";
        cases.push_back({"EAN13", text13, false, first % 2 == 0, withCheckDigit(text13)});
        cases.push_back({"EAN8", text8, false, first % 2 == 0, withCheckDigit(text8)});
    }
    return cases;
}

}  // namespace

class TestBarcodeDecoding : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // zbar's names of the symbologies, each read in one run of zbarimg.
    void decodes_data() {
        QTest::addColumn<QString>("symbology");
        for (const char* symbology : {"code39", "code128", "ean13", "ean8"}) {
            QTest::newRow(symbology) << symbology;
        }
    }

    void decodes() {
        QFETCH(QString, symbology);
        QTemporaryDir folder;
        QStringList files, texts;
        for (const auto& [kind, text, check, caption, read] : allCases()) {
            if (symbology != (kind.startsWith("EAN") ? kind.toLower()
                              : kind.endsWith("39")  ? "code39"
                                                     : "code128")) {
                continue;
            }
            const QString name = kind + ' ' + text;
            ImageSurface surface;
            drawSymbol(kind, surface, 4, text, check, caption);
            QVERIFY2(surface.autoRedraw(), qPrintable(name));  // the drawing is persistent
            // The file holds the drawing exactly, one bit a pixel.
            const QString raw = folder.filePath("raw.png");
            QVERIFY2(surface.save(raw), qPrintable(name));
            const QImage image(raw);
            QVERIFY2(image.depth() == 1 &&
                         image.convertToFormat(QImage::Format_RGB32) == surface.image(),
                     qPrintable(name));
            // Three pixels a module inside a white border: zbar is unreliable at one.
            QImage framed(image.size() * 3 + QSize(60, 60), QImage::Format_RGB32);
            framed.fill(Qt::white);
            QPainter(&framed).drawImage(30, 30, image.scaled(image.size() * 3));
            files << folder.filePath(QStringLiteral("%1.png").arg(files.size()));
            QVERIFY(framed.save(files.last()));
            texts << read;
        }
        QProcess zbar;
        zbar.start("zbarimg", QStringList{"--raw", "--nodbus", "-q", "-Sdisable",
                                          "-S" + symbology + ".enable"} +
                                  files);
        QVERIFY2(zbar.waitForStarted(),
                 "zbarimg could not be started: install zbar-tools (scripts/install-deps.sh test)");
        QVERIFY(zbar.waitForFinished(120000));
        // One line for each file, in the order given.
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                 texts);
    }
};

QTEST_MAIN(TestBarcodeDecoding)
#include "test_barcode_decoding.moc"
