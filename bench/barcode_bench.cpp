// Rendering speed of the barcode set: symbols per second drawn into an in-memory image, and
// PNG files written per second. Prints figures; never judges them.
#include "barcode/bar128.h"
#include "barcode/bar39.h"
#include "barcode/numa_barcode.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/png_writer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>

using namespace etq;

namespace {

struct Kind {
    const char* name;
    std::function<void(ImageSurface&, int)> draw;
};

QString digits(int i, int width) {
    return QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
}

std::vector<Kind> kinds() {
    static const numaBarcode barcode;
    static Bar39 bar39;
    static Bar128 bar128;
    return {
        {"Code 128 (numaBarcode)",
         [](ImageSurface& s, int i) {
             barcode.Code128(s, 5, QStringLiteral("A1020-AZUL-38-") + digits(i, 6), true);
         }},
        {"Code 39 (numaBarcode, check)",
         [](ImageSurface& s, int i) {
             barcode.Code39(s, 5, QStringLiteral("A1020 ") + digits(i, 6), true, true);
         }},
        {"EAN-13 (numaBarcode)",
         [](ImageSurface& s, int i) { barcode.EAN13(s, 5, "789100" + digits(i, 6), true); }},
        {"EAN-8 (numaBarcode)",
         [](ImageSurface& s, int i) { barcode.EAN8(s, 5, "78" + digits(i, 5), true); }},
        {"Bar39",
         [](ImageSurface& s, int i) { bar39.Code39(s, 5, "A1020 " + digits(i, 6), false); }},
        {"Bar128",
         [](ImageSurface& s, int i) { bar128.Code128(s, 5, "a1020-azul-" + digits(i, 6)); }},
    };
}

// Wall-clock and processor time of one run: on a shared machine the processor time is the
// steadier figure.
class Stopwatch {
  public:
    Stopwatch() : cpuStart_(std::clock()) { wall_.start(); }
    QString rates(int count) const {
        const double wall = wall_.nsecsElapsed() / 1e9;
        const double cpu = static_cast<double>(std::clock() - cpuStart_) / CLOCKS_PER_SEC;
        return QStringLiteral("%1 /s wall  %2 /s CPU")
            .arg(wall > 0 ? count / wall : 0, 8, 'f', 0)
            .arg(cpu > 0 ? count / cpu : 0, 8, 'f', 0);
    }

  private:
    QElapsedTimer wall_;
    std::clock_t cpuStart_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args[1].toInt() : 10000;
    const int files = args.size() > 2 ? args[2].toInt() : 1000;
    QTextStream out(stdout);

    out << "In memory, " << count << " symbols of each kind (one surface reused):\n";
    for (const Kind& kind : kinds()) {
        ImageSurface surface;
        kind.draw(surface, 0);  // fonts and tables loaded outside the timing
        const Stopwatch watch;
        for (int i = 0; i < count; ++i) {
            kind.draw(surface, i);
        }
        out << QStringLiteral("  %1 %2\n")
                   .arg(QString::fromLatin1(kind.name), -30)
                   .arg(watch.rates(count));
    }

    out << "PNG encoding in memory, " << count << " of each kind (render + encode):\n";
    for (const Kind& kind : kinds()) {
        ImageSurface surface;
        PngWriter writer;
        qsizetype bytes = 0;
        const Stopwatch watch;
        for (int i = 0; i < count; ++i) {
            kind.draw(surface, i);
            bytes += writer.encode(surface.image()).size();
        }
        out << QStringLiteral("  %1 %2  %3 bytes a file\n")
                   .arg(QString::fromLatin1(kind.name), -30)
                   .arg(watch.rates(count))
                   .arg(count > 0 ? bytes / count : 0);
    }

    QTemporaryDir folder;
    out << "PNG files, " << files << " of each kind (render + save):\n";
    {
        // File creation and the compressor settle during a first untimed round.
        QDir(folder.path()).mkdir(QStringLiteral("warm-up"));
        const QDir warmUp(folder.filePath(QStringLiteral("warm-up")));
        ImageSurface surface;
        for (int i = 0; i < std::min(files, 200); ++i) {
            kinds().front().draw(surface, i);
            (void)surface.save(warmUp.filePath(QStringLiteral("w%1.png").arg(i)));
        }
    }
    int kindNumber = 0;
    for (const Kind& kind : kinds()) {
        // New files in a folder of their own: replacing files costs the file system more.
        const QString subfolder = QStringLiteral("kind%1").arg(kindNumber++);
        QDir(folder.path()).mkdir(subfolder);
        const QDir target(folder.filePath(subfolder));
        ImageSurface surface;
        int failed = 0;
        const Stopwatch watch;
        for (int i = 0; i < files; ++i) {
            kind.draw(surface, i);
            failed += surface.save(target.filePath(QStringLiteral("s%1.png").arg(i))) ? 0 : 1;
        }
        out << QStringLiteral("  %1 %2")
                   .arg(QString::fromLatin1(kind.name), -30)
                   .arg(watch.rates(files));
        out << (failed > 0 ? QStringLiteral("  (%1 not written)\n").arg(failed) : "\n");
    }
    return 0;
}
