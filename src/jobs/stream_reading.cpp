#include "jobs/stream_reading.h"

#include "platform/text_encoding.h"
#include "zpl/item_stream_reader.h"
#include "zpl/label_stream_separation.h"

namespace etq {

namespace {

class DefaultPointerAtEnd {
  public:
    explicit DefaultPointerAtEnd(MousePointer& pointer) : pointer_(pointer) {}
    ~DefaultPointerAtEnd() { pointer_.setDefault(); }
    DefaultPointerAtEnd(const DefaultPointerAtEnd&) = delete;
    DefaultPointerAtEnd& operator=(const DefaultPointerAtEnd&) = delete;

  private:
    MousePointer& pointer_;
};

}  // namespace

void readLabelStream(StreamReader reader, const QString& stream, FlexGrid& grid,
                     PendingEvents& events, MousePointer& pointer) {
    DefaultPointerAtEnd atEnd(pointer);
    PlainTextField texto_zpl(stream);
    if (reader == StreamReader::Itens) {
        Pega_Itens(texto_zpl, grid, events, pointer);
        return;
    }
    PlainTextField etiqueta_atual;
    PlainTextField texto_resto;
    LabelStreamFields fields{texto_zpl, etiqueta_atual, texto_resto};
    if (reader == StreamReader::Separa1) {
        SEPARA_1(fields, grid, events);
    } else {
        SEPARA_2(fields, grid, events);
    }
}

QString decodeLabelStream(QByteArrayView bytes) {
    return isMultibyteUtf8(bytes) ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

}  // namespace etq
