// The item list loader over arbitrary bytes of etiquetas.csv.
#include "items/item_list_loader.h"

#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("etiquetas.csv")));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "temporary file");
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    etq::FlexGrid grid;
    grid.setCols(6);
    etq::fuzz::CountingMessages messages;
    etq::Carrega_etiquetas(grid, messages, dir.path());

    const int rows = grid.Rows();
    require(rows >= 2 && rows - 2 <= etq::MaxRowNumber - 1, "at most 32766 items");
    for (int col = 0; col < grid.Cols(); ++col) {
        require(grid.TextMatrix(rows - 1, col).isEmpty(), "the grid ends with its empty row");
    }
    for (int row = 1; row < rows - 1; ++row) {
        require(grid.TextMatrix(row, 5) == QLatin1String("N"), "every item row is marked N");
        const QString& reference = grid.TextMatrix(row, 1);
        require(reference.count(QLatin1Char(' ')) < reference.size(),
                "no item with a blank reference");
    }
    require(messages.shown <= 1, "at most one message");
    require(size > 0 || messages.shown == 1, "an empty file is reported");
    return 0;
}
