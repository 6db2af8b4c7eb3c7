#include "items/item_list_loader.h"

#include "items/detail_panel.h"
#include "platform/folders.h"
#include "platform/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstring>

namespace etq {

namespace {

const QString kFileName = QStringLiteral("etiquetas.csv");

// Cuts raw file bytes into lines: CR LF or a lone CR ends a line, a lone LF stays in it.
// Both encodings of the file keep CR and LF as single bytes, so lines are cut before decoding.
class ByteLines {
  public:
    explicit ByteLines(QByteArrayView bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    QByteArrayView next() {
        const char* begin = bytes_.data() + pos_;
        const auto left = static_cast<size_t>(bytes_.size() - pos_);
        const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', left));
        if (cr == nullptr) {
            pos_ = bytes_.size();
            return {begin, static_cast<qsizetype>(left)};
        }
        pos_ += (cr - begin) + 1;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
            ++pos_;
        }
        return {begin, cr - begin};
    }

  private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

// True when a line ends the list: no first field, or one of blanks only.
bool endsList(QByteArrayView line) {
    for (const char c : line) {
        if (c == ',') {
            return true;
        }
        if (c != ' ') {
            return false;
        }
    }
    return true;
}

QString unreadable(const QString& path) {
    return QStringLiteral(
               "Não foi possível ler o arquivo %1. Verifique se ele pode ser aberto "
               "por este usuário.")
        .arg(QDir::toNativeSeparators(path));
}

void warn(MessageBox& messages, const QString& text) {
    messages.show(text, MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                  MessageBox::warningTitle());
}

// Appends the item lines of the file's bytes to the grid; `name` names the file in messages.
void appendItems(FlexGrid& grid, MessageBox& messages, QByteArrayView bytes, const QString& name) {
    // Spreadsheets save UTF-8 today; everything else is read in the Windows code page.
    bool utf8 = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
        utf8 = true;
    } else {
        utf8 = isMultibyteUtf8(bytes);
    }
    auto decode = [utf8](QByteArrayView line) {
        // A mark inside the file is a character of its line, not one to drop; a broken
        // sequence at the end of a line becomes a replacement character, not nothing.
        return utf8
                   ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                              QStringDecoder::Flag::Stateless)(line)
                   : decodeWindows1252(line);
    };

    ByteLines lines(bytes);
    if (!lines.atEnd()) {
        lines.next();  // the header line
    }
    FlexGrid::Batch batch(grid);
    int notLoaded = 0;
    while (!lines.atEnd()) {
        const QByteArrayView line = lines.next();
        if (endsList(line)) {
            break;
        }
        const int row = grid.Rows() - 1;
        if (row >= MaxRowNumber) {
            ++notLoaded;  // no row number left for it; counted for the operator
            continue;
        }
        const QStringList fields = decode(line).split(QLatin1Char(','));
        auto field = [&fields](int n) { return n <= fields.size() ? fields[n - 1] : QString(); };
        grid.setTextMatrix(row, column::Qte, field(4));
        grid.setTextMatrix(row, column::Referencia, field(1));
        grid.setTextMatrix(row, column::Cor, field(2));
        grid.setTextMatrix(row, column::Tamanho, field(3));
        grid.setTextMatrix(row, column::Pedido, field(5));
        grid.setTextMatrix(row, column::Exclui, QStringLiteral("N"));
        grid.setRows(grid.Rows() + 1);
    }
    if (notLoaded > 0) {
        warn(messages, QStringLiteral("A lista comporta no máximo %1 itens: %2 linha(s) do "
                                      "arquivo %3 não foram carregadas.")
                           .arg(MaxRowNumber - 1)
                           .arg(notLoaded)
                           .arg(name));
    }
}

}  // namespace

void Carrega_etiquetas(FlexGrid& grid, MessageBox& messages, const QString& applicationFolder) {
    loadItemList(grid, messages, fileInFolder(applicationFolder, kFileName));
}

void loadItemList(FlexGrid& grid, MessageBox& messages, const QString& path) {
    if (!isOrdinaryFile(path)) {
        warn(messages, QStringLiteral("O arquivo não existe!"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(messages, unreadable(path));
        return;
    }
    if (file.size() == 0) {
        warn(messages, QStringLiteral("O arquivo está em branco!"));
        return;
    }
    // A mapped file costs no copy, however large it is.
    if (const uchar* mapped = file.map(0, file.size())) {
        appendItems(grid, messages,
                    QByteArrayView(reinterpret_cast<const char*>(mapped), file.size()),
                    QFileInfo(path).fileName());
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        warn(messages, unreadable(path));
        return;
    }
    appendItems(grid, messages, bytes, QFileInfo(path).fileName());
}

void loadItemListBytes(FlexGrid& grid, MessageBox& messages, QByteArrayView bytes,
                       const QString& name) {
    if (bytes.isEmpty()) {
        warn(messages, QStringLiteral("O arquivo está em branco!"));
        return;
    }
    appendItems(grid, messages, bytes, name);
}

}  // namespace etq
