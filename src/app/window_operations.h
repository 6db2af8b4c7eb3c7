#pragma once

#include "app/main_window.h"
#include "platform/command_runner.h"
#include "platform/mouse_pointer.h"
#include "platform/text_field.h"
#include "routines/column_sorter.h"
#include "routines/record_import.h"
#include "zpl/label_stream_separation.h"
#include "zpl/marketplace_settings.h"

#include <QStringList>

#include <array>
#include <cstdint>

class QLineEdit;

namespace etq {

// The operations the window offers without invoking them from any control: the marketplace
// label job, the ZPL stream readers, the record import, the settings files and the field
// routines, together with the fields they read and write. The window has no widgets for those
// fields, so they are plain texts and lists here; whoever drives an operation fills them first.
class WindowOperations {
  public:
    WindowOperations(MainWindow& window, Platform& platform, CommandRunner& commands,
                     MousePointer& pointer);

    // Thermal labels for grid rows linha_ini to linha_fim, layout A or B.
    void imprime_wms_1(qint16 linha_ini, qint16 linha_fim);
    void imprime_wms_2(qint16 linha_ini, qint16 linha_fim);
    // The texts of the thermal label job.
    std::array<PlainTextField, 8> marketplaceFields;
    MarketplaceSettings marketplace;

    // Rows from the ZPL stream in texto_zpl.
    void SEPARA_1();
    void SEPARA_2();
    void Pega_Itens();
    PlainTextField texto_zpl;
    PlainTextField etiqueta_atual;
    PlainTextField texto_resto;

    // The record import and its collaborators.
    void importa_arquivo();
    PlainTextField txtarquivo;
    int optlinha = 0;
    QStringList lstregistros;
    QStringList lstlinhas;
    QStringList lstchaves;

    // Settings files.
    QString Carrega_ini(const QString& Titulo, const QString& Campo) const;
    QString GravaNomeUsuario_ini(const QString& Titulo, const QString& Campo,
                                 const QString& Valor) const;

    // Field routines on the window's text boxes and grid.
    static void entra1(QLineEdit* obj);
    static void sai1(QLineEdit* obj);
    static void seleciona(QLineEdit* OB);
    void imp_2linha(float linha, float coluna, const QString& texto, std::int16_t Posicao,
                    const QString& FONTE, float Tamanho, bool Negrito, bool italico,
                    bool Sublinhado);
    void soma_etiquetas();
    void ordena_coluna(std::int16_t col, FlexGrid& grid);

  private:
    MainWindow& window_;
    Platform& platform_;
    CommandRunner& commands_;
    MousePointer& pointer_;
    LabelStreamFields streamFields_;
    RecordImport import_;
    ColumnSorter sorter_;
};

}  // namespace etq
