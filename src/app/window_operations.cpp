#include "app/window_operations.h"

#include "platform/qt/line_edit_text_box.h"
#include "platform/qt/widget_text_field.h"
#include "routines/aligned_text.h"
#include "routines/field_focus.h"
#include "routines/quantity_total.h"
#include "routines/settings_files.h"
#include "zpl/item_stream_reader.h"
#include "zpl/marketplace_job.h"

namespace etq {

WindowOperations::WindowOperations(MainWindow& window, Platform& platform, CommandRunner& commands,
                                   MousePointer& pointer)
    : marketplace{marketplaceFields[0], marketplaceFields[1], marketplaceFields[2],
                  marketplaceFields[3], marketplaceFields[4], marketplaceFields[5],
                  marketplaceFields[6], marketplaceFields[7]},
      window_(window),
      platform_(platform),
      commands_(commands),
      pointer_(pointer),
      streamFields_{texto_zpl, etiqueta_atual, texto_resto},
      import_(platform.messages, platform.folders) {}

void WindowOperations::imprime_wms_1(qint16 linha_ini, qint16 linha_fim) {
    etq::imprime_wms_1(linha_ini, linha_fim,
                       {window_.grid(), window_.panel(), marketplace, platform_.messages,
                        platform_.folders.application, commands_});
}

void WindowOperations::imprime_wms_2(qint16 linha_ini, qint16 linha_fim) {
    etq::imprime_wms_2(linha_ini, linha_fim,
                       {window_.grid(), window_.panel(), marketplace, platform_.messages,
                        platform_.folders.application, commands_});
}

void WindowOperations::SEPARA_1() {
    etq::SEPARA_1(streamFields_, window_.grid(), platform_.events);
}

void WindowOperations::SEPARA_2() {
    etq::SEPARA_2(streamFields_, window_.grid(), platform_.events);
}

void WindowOperations::Pega_Itens() {
    etq::Pega_Itens(texto_zpl, window_.grid(), platform_.events, pointer_);
}

void WindowOperations::importa_arquivo() {
    import_.importa_arquivo({txtarquivo, optlinha, lstregistros, lstlinhas, lstchaves});
}

QString WindowOperations::Carrega_ini(const QString& Titulo, const QString& Campo) const {
    return etq::Carrega_ini(platform_.folders, Titulo, Campo);
}

QString WindowOperations::GravaNomeUsuario_ini(const QString& Titulo, const QString& Campo,
                                               const QString& Valor) const {
    return etq::GravaNomeUsuario_ini(platform_.folders, Titulo, Campo, Valor);
}

void WindowOperations::entra1(QLineEdit* obj) {
    LineEditTextBox box(obj);
    etq::entra1(box);
}

void WindowOperations::sai1(QLineEdit* obj) {
    LineEditTextBox box(obj);
    etq::sai1(box);
}

void WindowOperations::seleciona(QLineEdit* OB) {
    LineEditTextBox box(OB);
    etq::seleciona(box);
}

void WindowOperations::imp_2linha(float linha, float coluna, const QString& texto,
                                  std::int16_t Posicao, const QString& FONTE, float Tamanho,
                                  bool Negrito, bool italico, bool Sublinhado) {
    etq::imp_2linha(platform_.printer, platform_.events, linha, coluna, texto, Posicao, FONTE,
                    Tamanho, Negrito, italico, Sublinhado);
}

void WindowOperations::soma_etiquetas() {
    LabelField label5(window_.Label5);
    etq::soma_etiquetas(window_.grid(), label5);
}

void WindowOperations::ordena_coluna(std::int16_t col, FlexGrid& grid) {
    sorter_.ordena_coluna(col, grid);
}

}  // namespace etq
