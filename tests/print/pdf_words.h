#pragma once

#include <QList>
#include <QString>

namespace etq::test {

// The words of a PDF as pdftotext -bbox sees them: text, page (from 1) and box in millimetres
// from the top-left corner of the page.
struct PdfWord {
    QString text;
    int page;
    double left;
    double top;
    double right;
    double bottom;
};

struct PdfText {
    int pages = 0;
    double pageWidth = 0;  // millimetres, of the first page
    double pageHeight = 0;
    QList<PdfWord> words;
};

// Runs pdftotext; on failure returns the error in `error`.
PdfText readPdfWords(const QString& path, QString* error);

}  // namespace etq::test
