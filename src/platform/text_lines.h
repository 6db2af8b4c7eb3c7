#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace etq {

// Reads text line by line the way the program's text files are read: CR LF or a lone CR ends
// a line, a lone LF stays inside its line, and the last line may lack its terminator (a text
// that ends with a terminator has no empty line after it). The lines are views into the text.
class LineReader {
  public:
    explicit LineReader(QStringView text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    // The next line without its terminator; call only when not atEnd().
    QStringView next();

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

QStringList splitLines(QStringView text);

// Joins lines into file text, each followed by CR LF.
QString joinLinesCrLf(const QStringList& lines);

}  // namespace etq
