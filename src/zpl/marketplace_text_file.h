#pragma once

#include <QFile>
#include <QString>

namespace etq {

// A text file opened for appending (created when absent) that takes whole lines, each written
// in the Windows code page with CR LF. Failures raise etq::Error; lines written before a
// failure stay in the file.
class AppendedTextFile {
  public:
    explicit AppendedTextFile(const QString& path);
    void writeLine(const QString& line);
    void close();

  private:
    [[noreturn]] void fail();

    QFile file_;
};

}  // namespace etq
