#pragma once

#include <QString>
#include <QStringView>

namespace etq {

// Field data for a field opened with "^FH\": "^", "~", "\", CR and LF become the hexadecimal
// escapes "\5E", "\7E", "\5C", "\0D" and "\0A", so the data can neither end the field, start
// a command, nor split the line; the label prints them as themselves. Everything else stands.
QString zplHexEscaped(QStringView data);

// Code 128 data after a start code (">:"), in a field without "^FH": ">" becomes ">0", "^"
// becomes "><" and "~" becomes ">=", the invocation codes that print those characters.
// Everything else stands.
QString code128Escaped(QStringView data);

}  // namespace etq
