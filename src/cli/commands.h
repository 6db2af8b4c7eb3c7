#pragma once

#include <QCommandLineParser>

namespace etq::cli {

// Each command adds its options to the parser, then runs on what was parsed: it says what it did
// on standard output, or throws Failure or UsageError.

// folhas: sheet labels on a printer or into a PDF file.
void addSheetOptions(QCommandLineParser& parser);
void runSheet(const QCommandLineParser& parser);

// termica: the marketplace thermal label job.
void addThermalOptions(QCommandLineParser& parser);
void runThermal(const QCommandLineParser& parser);

// zpl: an item list from a file of ZPL labels.
void addStreamOptions(QCommandLineParser& parser);
void runStream(const QCommandLineParser& parser);

// barras: barcodes as PNG files.
void addBarcodeOptions(QCommandLineParser& parser);
void runBarcode(const QCommandLineParser& parser);

// importar: the fixed-width record import.
void addImportOptions(QCommandLineParser& parser);
void runImport(const QCommandLineParser& parser);

}  // namespace etq::cli
