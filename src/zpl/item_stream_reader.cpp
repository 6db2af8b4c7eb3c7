#include "zpl/item_stream_reader.h"

#include "zpl/item_stream_details.h"
#include "zpl/item_stream_keys.h"
#include "zpl/label_stream_pacer.h"
#include "zpl/label_stream_search.h"

#include <QHash>

#include <limits>

namespace etq {

namespace {

using namespace item_stream;

// The first data row holding each reference in column 1, the grid's last (empty) row included,
// kept in step with the rows the count appends.
class ReferenceRows {
  public:
    explicit ReferenceRows(const FlexGrid& grid) { rebuild(grid); }

    void rebuild(const FlexGrid& grid) {
        first_.clear();
        for (int row = FlexGrid::FixedRows; row < grid.Rows(); ++row) {
            note(grid.TextMatrix(row, 1), row);
        }
    }

    int find(const QString& reference) const { return first_.value(reference, -1); }

    // The last row took `reference` in place of `previous`, and a new empty row followed it.
    void lastRowTaken(int row, const QString& previous, const QString& reference) {
        if (first_.value(previous, -1) == row) {
            first_.remove(previous);
        }
        first_.insert(reference, row);
        note(QString(), row + 1);
    }

  private:
    void note(const QString& reference, int row) {
        if (!first_.contains(reference)) {
            first_.insert(reference, row);
        }
    }

    QHash<QString, int> first_;
};

// The print quantity of the nearest "^PQ" before a label's reference: its first parameter,
// which ends at the "," that follows it or, where the command has no second parameter, at the
// next command.
class QuantityBefore {
  public:
    explicit QuantityBefore(QStringView stream)
        : stream_(stream), commands_(stream, kQuantity.toString()), next_(commands_.next(0)) {}

    // Positions asked for only grow.
    QString at(qsizetype position) {
        while (next_ >= 0 && next_ <= position) {
            nearest_ = next_;
            next_ = commands_.next(next_ + 1);
        }
        if (nearest_ < 0) {
            return QStringLiteral("1");
        }
        if (quantityOf_ != nearest_) {
            const qsizetype start = nearest_ + kQuantity.size();
            qsizetype end = start;
            while (end < stream_.size() && stream_[end] != u',' && stream_[end] != u'^') {
                ++end;
            }
            quantity_ = stream_.mid(start, end - start).toString();
            quantityOf_ = nearest_;
        }
        return quantity_;
    }

  private:
    QStringView stream_;
    LabelStreamSearch commands_;
    qsizetype next_;
    qsizetype nearest_ = -1;
    qsizetype quantityOf_ = -1;
    QString quantity_;
};

// A count cell as a number: a whole number with blanks around it; anything else counts as 0.
qint64 countIn(const QString& cell) {
    bool ok = false;
    const qint64 count = cell.trimmed().toLongLong(&ok);
    return ok && count < std::numeric_limits<qint64>::max() ? count : 0;
}

// One row per distinct reference: the first label of a reference brings its "^PQ" quantity
// (or 1), every further label adds 1.
void countLabels(QStringView stream, FlexGrid& grid, LabelStreamPacer& pacer) {
    LabelStreamSearch items(stream, kItemKey.toString());
    LabelStreamSearch fieldEnds(stream, kFieldEnd.toString());
    LabelStreamSearch labelEnds(stream, kLabelEnd.toString());
    QuantityBefore quantities(stream);
    ReferenceRows rows(grid);
    // The next search starts one character past the key's end, as the count always did; a
    // key that directly follows another key's end is not seen.
    const qsizetype step = kItemKey.size() + 1;
    for (qsizetype item = items.next(0); item >= 0; item = items.next(item + step)) {
        // A reference field without its "^FS" is skipped, also when the "^FS" found lies beyond
        // the end of the label: the text up to it would span whole labels.
        const qsizetype end = fieldEnds.next(item);
        const qsizetype labelEnd = labelEnds.next(item);
        // An empty reference names no item: counted, it would fill the grid's empty last row.
        const qsizetype start = item + kItemKey.size();
        if (end > start && (labelEnd < 0 || end < labelEnd)) {
            const QString reference = stream.mid(start, end - start).toString();
            const int row = rows.find(reference);
            if (row >= 0) {
                grid.setTextMatrix(row, 0, QString::number(countIn(grid.TextMatrix(row, 0)) + 1));
            } else {
                const int last = grid.Rows() - 1;
                const QString previous = grid.TextMatrix(last, 1);
                grid.setTextMatrix(last, 0, quantities.at(item));
                grid.setTextMatrix(last, 1, reference);
                grid.setRows(last + 2);
                rows.lastRowTaken(last, previous, reference);
            }
        }
        if (pacer.tick()) {
            rows.rebuild(grid);
        }
    }
}

}  // namespace

void Pega_Itens(TextField& texto_zpl, FlexGrid& grid, PendingEvents& events,
                MousePointer& pointer) {
    const QString stream = texto_zpl.text();
    {
        LabelStreamPacer pacer(grid, events);
        pacer.pump();
        countLabels(stream, grid, pacer);
        fillDetails(stream, grid);
    }
    pointer.setDefault();
}

}  // namespace etq
