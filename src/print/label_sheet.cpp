#include "print/label_sheet.h"

namespace etq::sheet {

namespace {

// Offsets of a label's texts from its column-1 position and the row reference.
struct TextOffset {
    const char16_t* prefix;
    double x;
    float y;
};
// "Nº" with the masculine ordinal indicator, followed by two blanks.
constexpr TextOffset kTexts[] = {
    {u"REF: ", 5, 3},
    {u"COR: ", 5, 11},
    {u"N\u00BA  ", 20, 19},
    {u"", 60, 19},
};

}  // namespace

float rowReference(int row) {
    return static_cast<float>(FirstRowTop + RowPitch * (row - 1));
}

std::array<PlacedText, 4> labelTexts(const LabelContent& content, int row, int column) {
    const QString* values[] = {&content.reference, &content.colour, &content.size, &content.order};
    const float reference = rowReference(row);
    std::array<PlacedText, 4> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const TextOffset& offset = kTexts[i];
        const double x = offset.x + (column == 2 ? ColumnPitch : 0.0);
        texts[i] = {QString::fromUtf16(offset.prefix) + *values[i], static_cast<float>(x),
                    reference + offset.y};
    }
    return texts;
}

bool SlotCursor::advance() {
    ++column;
    if (column == Columns + 1) {
        column = 1;
        ++row;
    }
    if (row == Rows + 1) {
        row = 1;
        return true;
    }
    return false;
}

}  // namespace etq::sheet
