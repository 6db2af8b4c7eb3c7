#pragma once

#include <QString>
#include <QStringView>

namespace etq {

// True when the text is one or more of the digits 0 to 9 and nothing else.
bool isDecimalDigits(QStringView text);

}  // namespace etq
