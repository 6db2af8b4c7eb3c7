#include "platform/error.h"

namespace etq {

Error::Error(std::int32_t number, QString source, QString description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_((source_ + QStringLiteral(": ") + description_).toUtf8()) {}

}  // namespace etq
