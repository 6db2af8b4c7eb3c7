#include "zpl/item_stream_details.h"
#include "platform/blanks.h"

#include "zpl/accent_folding.h"
#include "zpl/item_stream_keys.h"
#include "zpl/label_stream_search.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace etq::item_stream {

namespace {

constexpr int kColumns = 8;

struct DetailKey {
    QStringView key;
    int column;
    bool folded;
};

// The barcode data (Code 128 begun in code set B) and five text fields by their positions.
constexpr std::array<DetailKey, 6> kDetailKeys{{
    {u"^FD>:", 2, true},
    {u"^FT282,342^A0N,23,24^FH\\^FD", 3, true},
    {u"^FT117,224^A0N,23,24^FH\\^FD", 4, true},
    {u"^FT488,342^A0N,23,24^FH\\^FD", 5, false},
    {u"^FT177,265^A0N,23,24^FH\\^FD", 6, true},
    {u"^FT264,307^A0N,23,24^FH\\^FD", 7, true},
}};

using Details = std::array<std::optional<QString>, kDetailKeys.size()>;

// Where the first label of each wanted reference starts: the first item key followed by
// exactly that reference and the field's end. A reference that itself holds a field end
// cannot be told from the field it sits in, so it is looked up on its own.
QHash<QString, qsizetype> firstLabels(QStringView stream, const QSet<QString>& wanted) {
    QHash<QString, qsizetype> first;
    qsizetype longest = 0;
    for (const QString& reference : wanted) {
        if (reference.contains(kFieldEnd)) {
            const QString key = kItemKey.toString() + reference + kFieldEnd.toString();
            const qsizetype at = stream.indexOf(key);
            if (at >= 0) {
                first.insert(reference, at);
            }
        } else {
            longest = std::max(longest, reference.size());
        }
    }
    LabelStreamSearch items(stream, kItemKey.toString());
    LabelStreamSearch fieldEnds(stream, kFieldEnd.toString());
    for (qsizetype item = items.next(0); item >= 0; item = items.next(item + kItemKey.size())) {
        const qsizetype start = item + kItemKey.size();
        const qsizetype end = fieldEnds.next(start);
        if (end < 0) {
            break;
        }
        if (end - start > longest) {
            continue;
        }
        const QString reference = stream.mid(start, end - start).toString();
        if (wanted.contains(reference) && !first.contains(reference)) {
            first.insert(reference, item);
        }
    }
    return first;
}

// The detail values of the labels starting at the given positions, taken in ascending order so
// that every search walks forward. A label's block runs from its reference field through its
// "^XZ" (or to the end of the stream); a value runs to its "^FS" (or to the end of the block).
QHash<qsizetype, Details> detailsAt(QStringView stream, std::vector<qsizetype> labels) {
    std::sort(labels.begin(), labels.end());
    labels.erase(std::unique(labels.begin(), labels.end()), labels.end());
    LabelStreamSearch labelEnds(stream, kLabelEnd.toString());
    std::vector<LabelStreamSearch> keys;
    std::vector<LabelStreamSearch> fieldEnds;
    for (const DetailKey& key : kDetailKeys) {
        keys.emplace_back(stream, key.key.toString());
        fieldEnds.emplace_back(stream, kFieldEnd.toString());
    }
    QHash<qsizetype, Details> details;
    for (const qsizetype label : labels) {
        const qsizetype labelEnd = labelEnds.next(label);
        const qsizetype blockEnd = labelEnd < 0 ? stream.size() : labelEnd + kLabelEnd.size();
        Details& values = details[label];
        for (std::size_t i = 0; i < kDetailKeys.size(); ++i) {
            const qsizetype at = keys[i].next(label);
            const qsizetype start = at + kDetailKeys[i].key.size();
            if (at < 0 || start > blockEnd) {
                continue;
            }
            const qsizetype fieldEnd = fieldEnds[i].next(at);
            const bool closed = fieldEnd >= 0 && fieldEnd + kFieldEnd.size() <= blockEnd;
            const QString value =
                stream.mid(start, (closed ? fieldEnd : blockEnd) - start).toString();
            values[i] = kDetailKeys[i].folded ? tira_acento(value) : value;
        }
    }
    return details;
}

}  // namespace

void fillDetails(QStringView stream, FlexGrid& grid) {
    const int rows = grid.Rows();
    std::vector<QString> references(rows);
    QSet<QString> wanted;
    for (int row = FlexGrid::FixedRows; row < rows; ++row) {
        references[row] = trimBlanks(grid.TextMatrix(row, 1)).toString();
        // A blank reference names no item: the empty last row keeps no details.
        if (!references[row].isEmpty()) {
            wanted.insert(references[row]);
        }
    }
    const QHash<QString, qsizetype> first = firstLabels(stream, wanted);
    const QHash<qsizetype, Details> details = detailsAt(stream, {first.cbegin(), first.cend()});
    for (int row = FlexGrid::FixedRows; row < rows; ++row) {
        const auto label = first.constFind(references[row]);
        if (label == first.cend()) {
            continue;
        }
        const Details& values = *details.constFind(*label);
        for (std::size_t i = 0; i < kDetailKeys.size(); ++i) {
            if (values[i]) {
                grid.widenHidden(kColumns);
                grid.setTextMatrix(row, kDetailKeys[i].column, *values[i]);
            }
        }
    }
}

}  // namespace etq::item_stream
