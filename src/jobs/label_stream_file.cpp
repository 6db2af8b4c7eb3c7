#include "jobs/label_stream_file.h"

#include "platform/text_encoding.h"
#include "platform/text_field.h"
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

QString labelStreamText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.sliced(3));
    }
    return isMultibyteUtf8(bytes) ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

int readLabelStream(StreamReader reader, const QString& stream, FlexGrid& grid,
                    PendingEvents& events, MousePointer& pointer) {
    const DefaultPointerAtEnd atEnd(pointer);
    const int before = grid.Rows();
    PlainTextField texto_zpl(stream);
    PlainTextField etiqueta_atual;
    PlainTextField texto_resto;
    LabelStreamFields fields{texto_zpl, etiqueta_atual, texto_resto};
    switch (reader) {
        case StreamReader::Pega_Itens:
            Pega_Itens(texto_zpl, grid, events, pointer);
            break;
        case StreamReader::SEPARA_1:
            SEPARA_1(fields, grid, events);
            break;
        case StreamReader::SEPARA_2:
            SEPARA_2(fields, grid, events);
            break;
    }
    return grid.Rows() - before;
}

}  // namespace etq
