// Times the ZPL stream readers on a generated stream of item labels.
//
// Usage: zpl_stream_bench <separa1|separa2|pega> <labels> [runs]
// Prints: reader, labels, stream size, rows, median wall time over the runs, peak memory of the
// process (ru_maxrss, which includes the generated stream). One reader per process, so the
// peak belongs to that reader.

#include "platform/flex_grid.h"
#include "platform/text_field.h"
#include "zpl/item_stream_reader.h"
#include "zpl/label_stream_separation.h"

#include <QElapsedTimer>
#include <QString>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class IdleEvents : public etq::PendingEvents {
  public:
    void process() override { ++count; }
    int count = 0;
};

class StillPointer : public etq::MousePointer {
  public:
    void setDefault() override {}
};

// One thermal item label of about 500 characters that carries the fields both kinds of reader
// look for; `n` picks the values, references repeat every `distinct` labels.
QString itemLabel(int n, int distinct) {
    const QString ref = QStringLiteral("REF%1").arg(n % distinct, 5, 10, QLatin1Char('0'));
    const QString num = QString::number(n);
    return QStringLiteral("^XA^MMT^PW799^LL0400^LS0^CI28") + "^BY3,3,80^FT82,120^BCN,,Y,N^FD>;" +
           QStringLiteral("%1").arg(n, 8, 10, QChar('0')) + "^FS^FT8182,63^FWN^A0,N37,35^FD" + ref +
           "^FS" + "^FT82,180.090909090909090909090909090909090909^FWN^A0,N32,30^FDCAMISA " + num +
           "^FS^FT82,207.090909090909090909090909090909090909^FWN^A0,N32,30^FDAZUL^FS" +
           "^FT82,248.090909090909090909090909090909090909^FWN^A0,N28,26^FD38^FS" +
           "^FT82,285.090909090909090909090909090909090909^FWN^A0,N28,26^FDPED " + num +
           "^FS^FT3,113^A0N,28,28^FH\\^FD" + ref + "^FS^BY2^BCN,60,Y,N,N^FD>:789" + num +
           "^FS^FT282,342^A0N,23,24^FH\\^FDAção^FS^FT117,224^A0N,23,24^FH\\^FDCalça jeans^FS" +
           "^FT488,342^A0N,23,24^FH\\^FDPÊSSEGO^FS^FT177,265^A0N,23,24^FH\\^FDd'água^FS" +
           "^FT264,307^A0N,23,24^FH\\^FDTamanho 38^FS^PQ1,0,1,Y^XZ\r\n";
}

QString stream(int labels) {
    QString text;
    text.reserve(qsizetype(labels) * 800);
    for (int n = 0; n < labels; ++n) {
        text += itemLabel(n, std::max(1, labels / 10));
    }
    return text;
}

void prepare(etq::FlexGrid& grid) {
    grid.setCols(6);
    grid.setTextMatrix(0, 1, QStringLiteral("Referência"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <separa1|separa2|pega> <labels> [runs]\n", argv[0]);
        return 2;
    }
    const char* reader = argv[1];
    const int labels = std::atoi(argv[2]);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    if (std::strcmp(reader, "separa1") != 0 && std::strcmp(reader, "separa2") != 0 &&
        std::strcmp(reader, "pega") != 0) {
        std::fprintf(stderr, "unknown reader %s\n", reader);
        return 2;
    }
    const QString text = stream(labels);
    std::vector<double> times;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        etq::FlexGrid grid;
        prepare(grid);
        etq::PlainTextField zpl(text), label, rest;
        etq::LabelStreamFields fields{zpl, label, rest};
        IdleEvents events;
        StillPointer pointer;
        QElapsedTimer timer;
        timer.start();
        if (std::strcmp(reader, "separa1") == 0) {
            etq::SEPARA_1(fields, grid, events);
        } else if (std::strcmp(reader, "separa2") == 0) {
            etq::SEPARA_2(fields, grid, events);
        } else {
            etq::Pega_Itens(zpl, grid, events, pointer);
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
        rows = grid.Rows() - 2;
    }
    std::sort(times.begin(), times.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-8s labels=%6d size=%5.1fMB rows=%6d median=%8.1fms peak=%6.1fMB\n", reader,
                labels, text.size() / 1e6, rows, times[times.size() / 2], usage.ru_maxrss / 1024.0);
    return 0;
}
