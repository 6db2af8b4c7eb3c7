#pragma once

#include <QStringView>

namespace etq::item_stream {

// The item labels carry the reference in a field at (3, 113), font 0 at 28 by 28 dots; the
// reference runs from after this key to the field's end.
inline constexpr QStringView kItemKey = u"^FT3,113^A0N,28,28^FH\\^FD";
inline constexpr QStringView kFieldEnd = u"^FS";
inline constexpr QStringView kLabelEnd = u"^XZ";
inline constexpr QStringView kQuantity = u"^PQ";

}  // namespace etq::item_stream
