#pragma once

#include "platform/flex_grid.h"

#include <QStringView>

namespace etq::item_stream {

// Fills columns 2 to 7 of every data row whose reference (blanks around it aside) has a label
// in the stream, from the first such label: the Code 128 data and five text fields, all but
// the one of column 5 with their accents folded. Fields the label lacks leave their cells as
// they are.
void fillDetails(QStringView stream, FlexGrid& grid);

}  // namespace etq::item_stream
