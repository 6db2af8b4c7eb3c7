#pragma once

#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/text_field.h"

#include <QString>
#include <QStringList>

namespace etq {

// The controls an import works on and does not own: the field that names the input file, the
// switch that chooses line mode (not 0) or separator mode (0), and the three lists it fills.
// The window has no such controls, so plain lists do: the caller shows them as it likes.
struct ImportControls {
    const TextField& txtarquivo;
    int optlinha;
    QStringList& lstregistros;
    QStringList& lstlinhas;
    QStringList& lstchaves;
};

// Imports a text file of fixed-width records: drops the two header records and every
// "FIM DO ARQUIVO" record, keeps the others in lstregistros, copies them to the work file
// "c:\SBTMP.TXT" (drive C being Folders::driveC), reads that file back into lstlinhas and lists
// the distinct values of characters 62 to 106 of the records in lstchaves. Before reading it
// deletes "c:\sbmorval.TXT".
class RecordImport {
  public:
    RecordImport(MessageBox& messages, Folders folders);

    // A missing or empty input file is reported by message box; any other file failure raises
    // etq::Error and leaves the lists as far as they were filled. The work file is replaced
    // whole or not at all.
    void importa_arquivo(const ImportControls& controls);
    // The same for the file at `path`, named exactly as given whatever its extension, as the
    // command line names files; txtarquivo is not read.
    void importFile(const QString& path, const ImportControls& controls);

    // The file the import removes, as the window keeps it: "c:\sbmorval.TXT" once an import
    // has run, empty before.
    const QString& sbmorval() const { return sbmorval_; }

  private:
    QString inputPath(const QString& typed) const;
    void import(const ImportControls& controls, const QString* path);
    void warn(const QString& text);

    MessageBox& messages_;
    Folders folders_;
    QString sbmorval_;
};

}  // namespace etq
