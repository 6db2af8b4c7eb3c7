// The marketplace label job over arbitrary grid cells and settings texts. Whatever the texts
// hold, a job file that gets written must keep the shape of its layout: the "~SD" line, then
// 22 lines per row, one "^XA" and one "^XZ" per row, and no field data that reaches outside
// its field (every line carries exactly the commands its template carries).
#include "zpl/marketplace_job.h"

#include "platform/text_encoding.h"
#include "platform/text_lines.h"

#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

namespace {

class NoRunner : public etq::CommandRunner {
  public:
    void startBatch(const QString&) override { ++started; }
    int started = 0;
};

constexpr int kRows = 3;
constexpr int kSettings = 8;

struct Job {
    etq::FlexGrid grid;
    std::array<etq::PlainTextField, 6> panelFields;
    etq::DetailPanel panel{panelFields[0], panelFields[1], panelFields[2],
                           panelFields[3], panelFields[4], panelFields[5]};
    std::array<etq::PlainTextField, kSettings> settingsFields;
    etq::MarketplaceSettings settings{settingsFields[0], settingsFields[1], settingsFields[2],
                                      settingsFields[3], settingsFields[4], settingsFields[5],
                                      settingsFields[6], settingsFields[7]};
    etq::fuzz::CountingMessages messages;
    NoRunner runner;

    // Runs the job in `folder` and returns the lines of the job file, if one was written.
    QStringList run(bool layoutB, const QString& folder) {
        QFile::remove(QDir(folder).filePath(QStringLiteral("epltemp.prn")));
        const etq::MarketplaceJob job{grid, panel, settings, messages, folder, runner};
        (layoutB ? etq::imprime_wms_2 : etq::imprime_wms_1)(1, kRows, job);
        QFile file(QDir(folder).filePath(QStringLiteral("epltemp.prn")));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        const QString text = etq::decodeWindows1252(file.readAll());
        require(text.endsWith(QLatin1String("\r\n")), "the job ends with a line end");
        return text.left(text.size() - 2).split(QStringLiteral("\r\n"));
    }
};

int countOf(const QString& line, QChar c) {
    return static_cast<int>(line.count(c));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    if (size == 0) {
        return 0;
    }
    const bool layoutB = data[0] & 1;
    // The texts: 8 settings, then the quantity, reference, colour and size of each row,
    // separated by NUL bytes.
    const QStringList parts =
        etq::decodeWindows1252(QByteArrayView(reinterpret_cast<const char*>(data) + 1,
                                              static_cast<qsizetype>(size - 1)))
            .split(QChar(0));
    auto part = [&parts](int i) { return i < parts.size() ? parts[i] : QString(); };

    Job fuzzed;
    Job plain;  // the same job with plain data: the shape every line must keep
    for (Job* job : {&fuzzed, &plain}) {
        job->grid.setCols(6);
        job->grid.setRows(kRows + 2);
    }
    for (int i = 0; i < kSettings; ++i) {
        fuzzed.settingsFields[i].setText(part(i));
    }
    plain.settingsFields[0].setText(QStringLiteral("15"));
    plain.settingsFields[1].setText(QStringLiteral("4"));
    for (int i = 3; i < kSettings; ++i) {
        plain.settingsFields[i].setText(QStringLiteral("x"));
    }
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 0; col < 4; ++col) {
            fuzzed.grid.setTextMatrix(row, col, part(kSettings + (row - 1) * 4 + col));
            plain.grid.setTextMatrix(row, col,
                                     col == 0 ? QStringLiteral("1") : QStringLiteral("x"));
        }
    }

    const QStringList lines = fuzzed.run(layoutB, dir.path());
    if (lines.isEmpty()) {
        require(fuzzed.messages.shown == 1 && fuzzed.runner.started == 0,
                "a refused job says so and runs nothing");
        for (int row = 1; row <= kRows; ++row) {
            require(fuzzed.grid.Cols() < 9 || fuzzed.grid.TextMatrix(row, 8).isEmpty(),
                    "a refused job marks no row");
        }
        return 0;
    }
    const QStringList shape = plain.run(layoutB, dir.path());
    require(shape.size() == 1 + 22 * kRows, "the plain job has its lines");
    require(lines.size() == shape.size(), "22 lines per row after the ~SD line");
    require(fuzzed.runner.started == 1, "the batch runs once");
    const QString all = lines.join(QLatin1Char('\n'));
    require(all.count(QLatin1String("^XA")) == kRows && all.count(QLatin1String("^XZ")) == kRows,
            "one ^XA and one ^XZ per row");
    for (int i = 0; i < lines.size(); ++i) {
        require(countOf(lines[i], QLatin1Char('^')) == countOf(shape[i], QLatin1Char('^')),
                "no command inside field data");
        require(countOf(lines[i], QLatin1Char('~')) == countOf(shape[i], QLatin1Char('~')),
                "no control command inside field data");
        require(!lines[i].contains(QLatin1Char('\r')) && !lines[i].contains(QLatin1Char('\n')),
                "no line break inside a line");
    }
    for (int row = 1; row <= kRows; ++row) {
        require(fuzzed.grid.TextMatrix(row, 8) == QLatin1String("S"), "every row is marked");
    }
    return 0;
}
