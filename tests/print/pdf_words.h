#pragma once

#include <QList>
#include <QString>

namespace etq::test {

// The words of a PDF as pdftotext -bbox sees them: text, page (from 1) and box in millimetres
// from the top-left corner of the page.
struct PdfWord {
    QString text;
    int page;
    double left, top, right, bottom;
};

struct PdfText {
    int pages = 0;
    double pageWidth = 0, pageHeight = 0;  // millimetres, of the first page
    QList<PdfWord> words;
};

// Runs pdftotext; on failure returns the error in `error`.
PdfText readPdfWords(const QString& path, QString* error);

}  // namespace etq::test
