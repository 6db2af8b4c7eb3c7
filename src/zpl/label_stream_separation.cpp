#include "zpl/label_stream_separation.h"

#include "zpl/label_stream_pacer.h"
#include "zpl/label_stream_search.h"

#include <array>
#include <optional>

namespace etq {

namespace {

constexpr int kColumns = 7;
// Cut texts this short hold no label worth a row (an empty format "^XA^XZ", stray line ends).
constexpr qsizetype kShortestLabel = 20;
// A tail this short, blanks aside, is what is left after the last label.
constexpr qsizetype kShortestStream = 10;

// A value of a label: the text right after its key, up to the terminator. The keys are the
// labels' own field commands: field position tails, orientation, font and ^FD.
struct ValueKey {
    QStringView key;
    QChar terminator;
    int column;
};

constexpr std::array<ValueKey, kColumns> kValueKeys{{
    {u"^FD>;", u'^', 1},
    {u"8182,63^FWN^A0,N37,35^FD", u'^', 2},
    {u"^PQ", u',', 0},
    {u"82,180.090909090909090909090909090909090909^FWN^A0,N32,30^FD", u'^', 3},
    {u"82,207.090909090909090909090909090909090909^FWN^A0,N32,30^FD", u'^', 4},
    {u"82,248.090909090909090909090909090909090909^FWN^A0,N28,26^FD", u'^', 5},
    {u"82,285.090909090909090909090909090909090909^FWN^A0,N28,26^FD", u'^', 6},
}};

// The value after the first occurrence of the key. A missing key makes the value start at the
// position equal to the key's length (1-based), as the labels' readers always did; a missing
// terminator lets the value run to the end of the label.
QString valueOf(QStringView label, const ValueKey& key) {
    const qsizetype found = label.indexOf(key.key);
    const qsizetype start = found < 0 ? key.key.size() - 1 : found + key.key.size();
    if (start >= label.size()) {
        return {};
    }
    qsizetype end = label.indexOf(key.terminator, start);
    if (end < 0) {
        end = label.size();
    }
    return label.mid(start, end - start).toString();
}

void appendRow(FlexGrid& grid, QStringView label) {
    std::array<QString, kColumns> values;
    for (const ValueKey& key : kValueKeys) {
        values[key.column] = valueOf(label, key);
    }
    grid.widenHidden(kColumns);
    const int row = grid.Rows() - 1;
    for (int col = 0; col < kColumns; ++col) {
        grid.setTextMatrix(row, col, values[col]);
    }
    grid.setRows(grid.Rows() + 1);
}

// One label's place in the stream: from the index of the "^XA" it starts with to just after
// the first "^XZ" that follows the part of the stream not yet consumed.
struct Cut {
    qsizetype start;
    qsizetype end;
};

// The first "^XA" and the first "^XZ", exactly as written.
class FirstMarkers {
  public:
    static constexpr bool cutsShortStream = true;

    explicit FirstMarkers(QStringView stream)
        : starts_(stream, QStringLiteral("^XA")), ends_(stream, QStringLiteral("^XZ")) {}

    std::optional<Cut> find(qsizetype from) {
        const qsizetype start = starts_.next(from);
        const qsizetype end = ends_.next(from);
        if (start < 0 || end < 0) {
            return std::nullopt;
        }
        return Cut{start, end + ends_.length()};
    }

  private:
    LabelStreamSearch starts_;
    LabelStreamSearch ends_;
};

// The first "^XZ" and the last "^XA" before it, both in any letter case. A stream that is
// already short is left alone: its end is tested before any label is cut.
class LastStartBeforeFirstEnd {
  public:
    static constexpr bool cutsShortStream = false;

    explicit LastStartBeforeFirstEnd(QStringView stream)
        : starts_(stream, QStringLiteral("^XA"), Qt::CaseInsensitive),
          ends_(stream, QStringLiteral("^XZ"), Qt::CaseInsensitive) {}

    std::optional<Cut> find(qsizetype from) {
        const qsizetype end = ends_.next(from);
        if (end < 0) {
            return std::nullopt;
        }
        qsizetype start = -1;
        for (qsizetype at = starts_.next(from); at >= 0 && at < end; at = starts_.next(at + 1)) {
            start = at;
        }
        if (start < 0) {
            return std::nullopt;
        }
        return Cut{start, end + ends_.length()};
    }

  private:
    LabelStreamSearch starts_;
    LabelStreamSearch ends_;
};

// Whether the stream from a position on, with spaces removed at both ends (CR and LF stay), is
// short enough to end the run. Positions only grow, so the stream is read once.
class StreamTail {
  public:
    explicit StreamTail(QStringView stream) : stream_(stream), last_(stream.size() - 1) {
        while (last_ >= 0 && stream_[last_] == u' ') {
            --last_;
        }
    }

    bool isShort(qsizetype from) {
        if (last_ < from) {
            return true;
        }
        if (first_ < from) {
            first_ = from;
            while (stream_[first_] == u' ') {
                ++first_;
            }
        }
        return last_ - first_ + 1 <= kShortestStream;
    }

  private:
    QStringView stream_;
    qsizetype last_;
    qsizetype first_ = -1;
};

// Both readers: the stream stays one buffer, labels are cut by position, and the fields are
// written once at the end with the last label cut and what followed it.
template <typename Boundaries>
void separate(LabelStreamFields& fields, FlexGrid& grid, PendingEvents& events) {
    LabelStreamPacer pacer(grid, events);
    pacer.pump();
    // Read after the first pause, as every pass reads the stream after letting events run.
    const QString stream = fields.texto_zpl.text();
    Boundaries boundaries(stream);
    StreamTail tail(stream);
    qsizetype consumed = 0;
    std::optional<QString> label;
    auto writeFields = [&] {
        if (!label) {
            return;
        }
        const QString rest = stream.mid(consumed);
        fields.etiqueta_atual.setText(*label);
        fields.texto_resto.setText(rest);
        fields.texto_zpl.setText(rest);
    };
    try {
        if (Boundaries::cutsShortStream || !tail.isShort(consumed)) {
            while (const std::optional<Cut> cut = boundaries.find(consumed)) {
                // The cut text runs from the label's start as many characters as the consumed
                // part grows by, so a label preceded by other text takes as many after its end.
                label = stream.mid(cut->start, cut->end - consumed);
                consumed = cut->end;
                if (label->size() > kShortestLabel) {
                    appendRow(grid, *label);
                }
                if (tail.isShort(consumed)) {
                    break;
                }
                pacer.tick();
            }
        }
    } catch (...) {
        writeFields();
        throw;
    }
    writeFields();
}

}  // namespace

void SEPARA_1(LabelStreamFields& fields, FlexGrid& grid, PendingEvents& events) {
    separate<FirstMarkers>(fields, grid, events);
}

void SEPARA_2(LabelStreamFields& fields, FlexGrid& grid, PendingEvents& events) {
    separate<LastStartBeforeFirstEnd>(fields, grid, events);
}

}  // namespace etq
