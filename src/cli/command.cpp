#include "cli/command.h"

#include "items/item_list_loader.h"
#include "items/locale_number.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace etq::cli {

MessageBox::Answer CommandLineMessages::show(const QString& text, Buttons buttons, Icon,
                                             const QString&) {
    if (first_.isEmpty()) {
        first_ = text.simplified();
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

void CommandLineMessages::throwIfShown(const QString& subject) const {
    if (first_.isEmpty()) {
        return;
    }
    const bool named = subject.isEmpty() || first_.contains(QFileInfo(subject).fileName());
    throw Failure{named ? first_ : subject + QStringLiteral(": ") + first_};
}

Folders folders() {
    return Folders::standard();
}

void say(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
}

int numberOption(const QCommandLineParser& parser, const QString& name, int min, int max,
                 int fallback) {
    if (!parser.isSet(name)) {
        return fallback;
    }
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < min || value > max) {
        throw UsageError{QStringLiteral("--%1 deve ser um número inteiro de %2 a %3: \"%4\".")
                             .arg(name)
                             .arg(min)
                             .arg(max)
                             .arg(parser.value(name))};
    }
    return value;
}

QString shownName(const QString& pathOrDash) {
    return pathOrDash == QLatin1String("-") ? QStringLiteral("entrada padrão")
                                            : QDir::toNativeSeparators(pathOrDash);
}

QByteArray readInput(const QString& pathOrDash) {
    QFile file;
    if (pathOrDash == QLatin1String("-")) {
        file.open(stdin, QIODevice::ReadOnly);
    } else if (!isOrdinaryFile(pathOrDash)) {
        throw Failure{shownName(pathOrDash) + QStringLiteral(": O arquivo não existe!")};
    } else {
        file.setFileName(pathOrDash);
        file.open(QIODevice::ReadOnly);
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Failure{shownName(pathOrDash) +
                      QStringLiteral(": não foi possível ler (%1).").arg(file.errorString())};
    }
    if (bytes.isEmpty()) {
        throw Failure{shownName(pathOrDash) + QStringLiteral(": O arquivo está em branco!")};
    }
    return bytes;
}

void writeOutput(const QString& pathOrDash, const QByteArray& bytes) {
    if (pathOrDash == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) !=
                static_cast<size_t>(bytes.size()) ||
            std::fflush(stdout) != 0) {
            throw Failure{QStringLiteral("não foi possível escrever na saída padrão.")};
        }
        return;
    }
    QSaveFile file(pathOrDash);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Failure{QStringLiteral("não foi possível gravar %1 (%2).")
                          .arg(shownName(pathOrDash), file.errorString())};
    }
}

namespace {

bool rowIsEmpty(const FlexGrid& grid, int row) {
    for (int col = 0; col < grid.Cols(); ++col) {
        if (!grid.TextMatrix(row, col).isEmpty()) {
            return false;
        }
    }
    return true;
}

void takeRows(ItemList& list, const QCommandLineParser& parser) {
    if (list.items == 0) {
        throw Failure{list.name + QStringLiteral(": a lista não tem itens.")};
    }
    if (!parser.isSet(QStringLiteral("linhas"))) {
        list.first = 1;
        list.last = static_cast<qint16>(list.items);
        return;
    }
    const QString text = parser.value(QStringLiteral("linhas"));
    static const QRegularExpression form(QStringLiteral("^ *(\\d{1,5}) *(?:- *(\\d{1,5}) *)?$"));
    const QRegularExpressionMatch match = form.match(text);
    const int first = match.captured(1).toInt();
    const int last = match.hasCaptured(2) ? match.captured(2).toInt() : first;
    if (!match.hasMatch() || first < 1 || last < first) {
        throw UsageError{
            QStringLiteral("--linhas deve ser N ou N-M, com 1 <= N <= M: \"%1\".").arg(text)};
    }
    if (last > list.items) {
        throw Failure{QStringLiteral("--linhas %1: a lista %2 tem só %3 linha(s) de itens.")
                          .arg(text, list.name)
                          .arg(list.items)};
    }
    list.first = static_cast<qint16>(first);
    list.last = static_cast<qint16>(last);
}

}  // namespace

void loadListOption(ItemList& list, const QCommandLineParser& parser) {
    const QString option = parser.value(QStringLiteral("lista"));
    const QString path = option.isEmpty()
                             ? fileInFolder(folders().application, QStringLiteral("etiquetas.csv"))
                             : option;
    list.name = shownName(path);
    CommandLineMessages messages;
    setUpItemGrid(list.grid);
    if (path == QLatin1String("-")) {
        loadItemListBytes(list.grid, messages, readInput(path), list.name);
    } else {
        etq::loadItemList(list.grid, messages, path);
    }
    messages.throwIfShown(list.name);
    list.items = list.grid.Rows() - 1;
    while (list.items > 0 && rowIsEmpty(list.grid, list.items)) {
        --list.items;
    }
    takeRows(list, parser);
}

QString rowsPhrase(const ItemList& list) {
    return list.first == list.last
               ? QStringLiteral("da linha %1").arg(list.first)
               : QStringLiteral("das linhas %1 a %2").arg(list.first).arg(list.last);
}

int labelCount(const ItemList& list) {
    int count = 0;
    for (int row = list.first; row <= list.last; ++row) {
        count +=
            std::max<int>(0, localeInteger16(list.grid.TextMatrix(row, column::Qte)).value_or(0));
    }
    return count;
}

}  // namespace etq::cli
