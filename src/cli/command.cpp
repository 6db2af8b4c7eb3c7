#include "cli/command.h"

#include "items/item_columns.h"
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

void addOptions(QCommandLineParser& parser, std::initializer_list<Option> options) {
    for (const Option& option : options) {
        parser.addOption({QString::fromUtf8(option.name), QString::fromUtf8(option.help),
                          QString::fromUtf8(option.value)});
    }
}

void addListOptions(QCommandLineParser& parser) {
    addOptions(parser,
               {{"lista",
                 "Lista de itens (padrão: etiquetas.csv na pasta do programa; - lê a "
                 "entrada padrão).",
                 "ARQ"},
                {"linhas", "Linhas da lista a imprimir, N ou N-M (padrão: todas).", "N[-M]"}});
}

bool given(const QCommandLineParser& parser, const char* name) {
    return parser.isSet(QLatin1String(name));
}

QString value(const QCommandLineParser& parser, const char* name, const QString& fallback) {
    return given(parser, name) ? parser.value(QLatin1String(name)) : fallback;
}

int number(const QCommandLineParser& parser, const char* name, int min, int max, int fallback) {
    if (!given(parser, name)) {
        return fallback;
    }
    bool ok = false;
    const int result = value(parser, name).toInt(&ok);
    if (!ok || result < min || result > max) {
        throw UsageError{QStringLiteral("--%1 deve ser um número inteiro de %2 a %3: \"%4\".")
                             .arg(QLatin1String(name))
                             .arg(min)
                             .arg(max)
                             .arg(value(parser, name))};
    }
    return result;
}

int choice(const QCommandLineParser& parser, const char* name,
           std::initializer_list<const char*> names) {
    const QString chosen = value(parser, name, QLatin1String(*names.begin())).toLower();
    QStringList all;
    for (const char* candidate : names) {
        if (chosen == QLatin1String(candidate)) {
            return static_cast<int>(all.size());
        }
        all.append(QLatin1String(candidate));
    }
    throw UsageError{QStringLiteral("--%1 deve ser %2 ou %3: \"%4\".")
                         .arg(QLatin1String(name), all.mid(0, all.size() - 1).join(", "),
                              all.last(), value(parser, name))};
}

void say(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
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

void loadListOption(ItemList& list, const QCommandLineParser& parser) {
    const QString path =
        value(parser, "lista",
              fileInFolder(Folders::standard().application, QStringLiteral("etiquetas.csv")));
    list.name = shownName(path);
    CommandLineMessages messages;
    setUpItemGrid(list.grid);
    if (path == QLatin1String("-")) {
        loadItemListBytes(list.grid, messages, readInput(path), list.name);
    } else {
        etq::loadItemList(list.grid, messages, path);
    }
    messages.throwIfShown(list.name);
    int items = list.grid.Rows() - 1;
    while (items > 0 && isEmptyRow(list.grid, items)) {
        --items;
    }
    if (items == 0) {
        throw Failure{list.name + QStringLiteral(": a lista não tem itens.")};
    }

    const QString rows = value(parser, "linhas", QStringLiteral("1-%1").arg(items));
    static const QRegularExpression form(QStringLiteral("^ *(\\d{1,5}) *(?:- *(\\d{1,5}) *)?$"));
    const QRegularExpressionMatch match = form.match(rows);
    const int first = match.captured(1).toInt();
    const int last = match.hasCaptured(2) ? match.captured(2).toInt() : first;
    if (!match.hasMatch() || first < 1 || last < first) {
        throw UsageError{
            QStringLiteral("--linhas deve ser N ou N-M, com 1 <= N <= M: \"%1\".").arg(rows)};
    }
    if (last > items) {
        throw Failure{QStringLiteral("--linhas %1: a lista %2 tem só %3 linha(s) de itens.")
                          .arg(rows, list.name)
                          .arg(items)};
    }
    list.first = static_cast<qint16>(first);
    list.last = static_cast<qint16>(last);
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
