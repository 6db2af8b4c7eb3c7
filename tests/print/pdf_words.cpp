#include "pdf_words.h"

#include <QProcess>
#include <QRegularExpression>

namespace etq::test {

namespace {

double mm(const QString& points) {
    return points.toDouble() * 25.4 / 72.0;
}

QString unescaped(QString text) {
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

}  // namespace

PdfText readPdfWords(const QString& path, QString* error) {
    PdfText result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error =
            QStringLiteral("pdftotext failed (poppler-utils installed?): %1 %2")
                .arg(process.errorString(), QString::fromLocal8Bit(process.readAllStandardError()));
        return result;
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(QString::fromLatin1(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!match.captured(1).isEmpty()) {
            if (++result.pages == 1) {
                result.pageWidth = mm(match.captured(1));
                result.pageHeight = mm(match.captured(2));
            }
            continue;
        }
        const QString text = unescaped(match.captured(7));
        result.words.append({text, result.pages, mm(match.captured(3)), mm(match.captured(4)),
                             mm(match.captured(5)), mm(match.captured(6))});
    }
    return result;
}

}  // namespace etq::test
