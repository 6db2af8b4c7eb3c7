#pragma once

#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/text_field.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QtGlobal>

#include <initializer_list>

namespace etq::cli {

// A refusal or failure of a command: one line for standard error, exit status 1.
struct Failure {
    QString text;
};
// A command line that cannot be run as written: the line, then the command's usage; status 2.
struct UsageError {
    QString text;
};

// The message boxes of an operation run from the command line. Nobody can answer them: the
// operation goes on as after OK (a question is answered No), and the first message then ends
// the command as a failure.
class CommandLineMessages : public MessageBox {
  public:
    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    // Throws the first message shown as a Failure, behind `subject` (the file at fault) unless
    // the message names that file itself.
    void throwIfShown(const QString& subject = QString()) const;

  private:
    QString first_;
};

// An option of a command: its name, its help and, when it takes a value, the value's name.
struct Option {
    const char* name;
    const char* help;
    const char* value = nullptr;
};
void addOptions(QCommandLineParser& parser, std::initializer_list<Option> options);
// Options "lista" and "linhas", which loadListOption reads.
void addListOptions(QCommandLineParser& parser);

bool given(const QCommandLineParser& parser, const char* name);
// The option's value; `fallback` when it was not given.
QString value(const QCommandLineParser& parser, const char* name, const QString& fallback = {});
// The whole number of an option between `min` and `max`; `fallback` when it was not given.
int number(const QCommandLineParser& parser, const char* name, int min, int max, int fallback);
// Which of `names` the option's value is (letter case aside); the first when it was not given.
int choice(const QCommandLineParser& parser, const char* name,
           std::initializer_list<const char*> names);

// Writes one line to standard output.
void say(const QString& line);
// The bytes of a file, or of standard input for "-". A missing or empty file is a Failure.
QByteArray readInput(const QString& pathOrDash);
// Writes the bytes to a new or replaced file, or to standard output for "-".
void writeOutput(const QString& pathOrDash, const QByteArray& bytes);
// How messages name a file given on the command line.
QString shownName(const QString& pathOrDash);

// An item list loaded for a job, with the detail panel through which the job reads rows.
struct ItemList {
    FlexGrid grid;
    PlainTextField reference, colour, size, quantity, order, row;
    DetailPanel panel{reference, colour, size, quantity, order, row};
    QString name;
    qint16 first = 0;  // the rows the job covers
    qint16 last = 0;
};

// Loads the list of option "lista" (etiquetas.csv in the application folder by default, "-"
// for standard input) and takes the rows of option "linhas" ("N" or "N-M", all by default).
void loadListOption(ItemList& list, const QCommandLineParser& parser);

// "da linha N" or "das linhas N a M", for what a command says it did.
QString rowsPhrase(const ItemList& list);

// The labels rows first..last yield: the sum of their quantities that are positive whole
// numbers, as the jobs count them.
int labelCount(const ItemList& list);

}  // namespace etq::cli
