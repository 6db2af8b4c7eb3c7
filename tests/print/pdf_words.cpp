#include "pdf_words.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace etq::test {

PdfText readPdfWords(const QString& path, QString* error) {
    PdfText result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = "pdftotext: " + process.errorString() + ' ' + process.readAllStandardError();
        return result;
    }
    const auto mm = [](QStringView points) { return points.toDouble() * 25.4 / 72.0; };
    for (QXmlStreamReader xml(process.readAllStandardOutput()); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"word") {
            result.words.append({xml.readElementText(), result.pages, mm(a.value("xMin")),
                                 mm(a.value("yMin")), mm(a.value("xMax")), mm(a.value("yMax"))});
        } else if (xml.name() == u"page" && ++result.pages == 1) {
            result.pageWidth = mm(a.value("width"));
            result.pageHeight = mm(a.value("height"));
        }
    }
    return result;
}

}  // namespace etq::test
