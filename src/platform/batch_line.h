#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace etq {

// The one command a print batch may hold: "type FILE > DEST", which copies the bytes of FILE
// to DEST (a file, a device or a printer queue).
struct BatchCopy {
    QString source;
    QString destination;
};

// Reads the text of a batch file. It must hold exactly one non-blank line of the form
// "type FILE > DEST": "type" in any letter case, FILE one word or a quoted name, DEST the rest
// of the line without surrounding blanks (quotes around it are removed). A line with another
// command, an appending ">>", a second redirection, a pipe or a command separator of the
// command interpreter (<, >, |, &) gives no copy.
std::optional<BatchCopy> parseBatchCopy(QStringView batchText);

}  // namespace etq
