#include "platform/batch_runner.h"

#include "platform/batch_line.h"
#include "platform/error.h"
#include "platform/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <utility>

namespace etq {

namespace {

const QString kSource = QStringLiteral("startBatch");

// The printer queues of the print system, by lpstat; none when it cannot tell.
QStringList installedQueues() {
    QProcess lpstat;
    lpstat.setStandardInputFile(QProcess::nullDevice());
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-e")});
    if (!lpstat.waitForFinished(5000) || lpstat.exitStatus() != QProcess::NormalExit ||
        lpstat.exitCode() != 0) {
        lpstat.kill();
        lpstat.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The queue named by the destination, as the print system spells it; empty when none is.
QString queueNamed(const QString& destination) {
    if (destination.contains(QLatin1Char('/'))) {
        return {};
    }
    for (const QString& queue : installedQueues()) {
        if (queue.trimmed().compare(destination, Qt::CaseInsensitive) == 0) {
            return queue.trimmed();
        }
    }
    return {};
}

// True when this user may write the file, or create it when it is missing. The copy runs
// detached and nobody sees it fail, so a destination it cannot write is refused beforehand.
bool mayWrite(const QFileInfo& destination) {
    return destination.exists() ? destination.isWritable()
                                : QFileInfo(destination.absolutePath()).isWritable();
}

// True when the last name of the destination is a device name of the command interpreter
// (LPT1, COM2, PRN, NUL...), which names that device whatever the extension and never a file.
// Such a port does not exist here; copying into a file of that name would print nothing.
bool namesWindowsDevice(const QString& destination) {
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString name = destination.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
    return device.match(name).hasMatch();
}

// The first character of the destination that a command interpreter would read as more than a
// character of a name (; & | < > ` $ ( ) ' " and control characters), described for the
// operator; empty when there is none.
QString interpreterCharacter(const QString& destination) {
    static const QString special = QStringLiteral(";&|<>`$()'\"");
    for (const QChar c : destination) {
        if (special.contains(c)) {
            return QStringLiteral("\"%1\"").arg(c);
        }
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("de controle U+%1")
                .arg(
                    QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
    }
    return {};
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

BatchRunner::BatchRunner(MessageBox& messages, Folders folders)
    : messages_(messages), folders_(std::move(folders)) {}

void BatchRunner::refuse(const QString& text) {
    messages_.show(text + QStringLiteral("\nNada foi enviado à impressora."),
                   MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                   MessageBox::warningTitle());
}

void BatchRunner::startBatch(const QString& batchPath) {
    QFile batch(batchPath);
    if (!batch.open(QIODevice::ReadOnly)) {
        throw Error(batch.exists() ? Error::FileAccessError : Error::FileNotFound, kSource,
                    shown(batchPath) + QStringLiteral(": ") + batch.errorString());
    }
    const std::optional<BatchCopy> copy = parseBatchCopy(decodeWindows1252(batch.readAll()));
    if (!copy) {
        refuse(QStringLiteral("O arquivo %1 não contém o comando de impressão esperado, "
                              "uma única linha na forma: type epltemp.prn > DESTINO\n"
                              "Apague-o para que o próximo trabalho o grave de novo com o "
                              "destino informado.")
                   .arg(shown(batchPath)));
        return;
    }
    const QString workingFolder = QDir::currentPath();
    const QString source = localPath(folders_, copy->source, workingFolder);
    if (!isOrdinaryFile(source)) {
        refuse(QStringLiteral("O arquivo %1 não foi encontrado.").arg(shown(source)));
        return;
    }

    QString program;
    QStringList arguments;
    const QString queue = queueNamed(copy->destination);
    const QString special = interpreterCharacter(copy->destination);
    if (!special.isEmpty() && queue != copy->destination) {
        // A command interpreter would have run or redirected something here, not written a
        // file of that name; only a queue of exactly that name is taken at its word.
        refuse(QStringLiteral("O destino %1 contém o caractere %2, que o interpretador de "
                              "comandos não lê como parte de um nome, e não é o nome de uma "
                              "impressora instalada.\nCorrija o destino e apague o arquivo %3 "
                              "para que o próximo trabalho o grave de novo.")
                   .arg(copy->destination, special, shown(batchPath)));
        return;
    }
    if (!queue.isEmpty()) {
        program = QStringLiteral("lp");
        arguments = {QStringLiteral("-d"), queue, QStringLiteral("-o"), QStringLiteral("raw"),
                     source};
    } else {
        // A destination with a backslash is a Windows path or share (\\servidor\zebra), and a
        // Windows port name is a device: neither names anything on this system.
        const QFileInfo destination(QDir(workingFolder).absoluteFilePath(copy->destination));
        if (copy->destination.contains(QLatin1Char('\\')) ||
            namesWindowsDevice(copy->destination) || destination.isDir() ||
            !destination.dir().exists() || !mayWrite(destination)) {
            refuse(QStringLiteral("O destino %1 não é uma impressora instalada nem um arquivo "
                                  "que possa ser gravado.")
                       .arg(shown(destination.filePath())));
            return;
        }
        // -T: a destination is never taken as a folder to copy into.
        program = QStringLiteral("cp");
        arguments = {QStringLiteral("-T"), QStringLiteral("--"), source, destination.filePath()};
    }

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        throw Error(Error::FileNotFound, kSource,
                    program + QStringLiteral(": ") + process.errorString());
    }
}

}  // namespace etq
