#pragma once

#include <QString>

#include <array>

namespace etq {

// The label sheet: 7 rows by 2 columns of labels 33.9 mm high and 101.6 mm wide on US Letter
// paper, positions in millimetres from the top-left corner of the printable area.
namespace sheet {

constexpr int Rows = 7;
constexpr int Columns = 2;
constexpr double FirstRowTop = 21.0;
constexpr double RowPitch = 33.9;
constexpr double ColumnPitch = 102.0;
constexpr double LabelWidth = 101.6;
constexpr double LabelHeight = 33.9;

// Reference line of a sheet row (1 to 7): computed in double precision, kept in single.
float rowReference(int row);

// What one label shows: the detail boxes of the row it belongs to.
struct LabelContent {
    QString reference;
    QString colour;
    QString size;
    QString order;
};

// One text of a label and the top-left corner where it stands.
struct PlacedText {
    QString text;
    float x;
    float y;
};

// The four texts of a label in slot (row, column), in printing order: reference, colour, size
// and, on the size's line, the order number.
std::array<PlacedText, 4> labelTexts(const LabelContent& content, int row, int column);

// The slot of the next label: left to right, then top to bottom, then the next sheet.
struct SlotCursor {
    int row = 1;
    int column = 1;

    // Moves to the next slot; true when the sheet was full and the next label starts a new
    // sheet at (1, 1).
    bool advance();
};

}  // namespace sheet
}  // namespace etq
