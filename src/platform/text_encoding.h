#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace etq {

// The single-byte code page of the program's text files. Every byte decodes to one character
// (the five bytes the code page leaves undefined decode to the control characters of the same
// number, so they survive a round trip); a character without a byte encodes as 0x1A.
QString decodeWindows1252(QByteArrayView bytes);
QByteArray encodeWindows1252(QStringView text);
// True when every character of the text has a byte in the code page.
bool fitsWindows1252(QStringView text);
// The first character of the text without a byte in the code page, quoted and with its code
// point, as a message shows it ("Ł" (U+0141)); empty when every character has one.
QString outsideWindows1252(QStringView text);

// True when the bytes are well-formed UTF-8 and hold at least one multi-byte sequence: text
// that a Windows-1252 reading would garble.
bool isMultibyteUtf8(QByteArrayView bytes);

}  // namespace etq
