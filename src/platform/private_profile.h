#pragma once

#include <QString>

namespace etq {

// Single values in settings files of the sectioned key-value kind: "[section]" lines open a
// section, "key=value" lines hold values. Files are Windows-1252 text; lines end in CR LF,
// though LF or CR alone are read as line ends too. Section and key names match without regard
// to letter case, and blanks and tabs around names and values do not count. A line that is
// none of these (no "=", no closing "]", a comment starting with ";") is left alone: it is
// never read as a value and a write keeps it as it was.

// The value of `key` in the first section named `section` of the file at `path`, or
// `defaultValue` when the file, the section or the key is missing or the file cannot be read.
// A value stored between a pair of double or single quotes is returned without them.
// Like a buffer of `bufferSize` characters that keeps its last place for the terminator, the
// result holds at most bufferSize - 1 characters.
QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue, int bufferSize);

// Stores `value` under `key` in `section` of the file at `path`, creating the file, the section
// or the key as needed; an existing key gets its value replaced on its own line, and every other
// line keeps its bytes. The file is replaced as a whole (written beside it, then renamed over
// it), so a failed write leaves the old file intact; only a folder that refuses the file beside
// it has the file rewritten in place. Returns false, changing nothing, when the
// file cannot be read or written, or when a name or the value could not be read back as given
// (line breaks, "]" in a section name, "=" in a key, characters outside the code page).
bool writeProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

}  // namespace etq
