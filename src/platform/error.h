#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace etq {

// The one error type of the program: a number, the routine or symbology that raised it,
// and a description. Operations without a guard of their own let it pass to their caller.
class Error : public std::exception {
  public:
    // Numbers the program raises besides the barcode error.
    static constexpr std::int32_t Overflow = 6;
    static constexpr std::int32_t SubscriptOutOfRange = 9;
    static constexpr std::int32_t TypeMismatch = 13;
    static constexpr std::int32_t FileNotFound = 53;
    static constexpr std::int32_t PathNotFound = 76;
    static constexpr std::int32_t FileAccessError = 75;
    static constexpr std::int32_t InvalidProcedureCall = 5;

    Error(std::int32_t number, QString source, QString description);

    std::int32_t number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

  private:
    std::int32_t number_;
    QString source_;
    QString description_;
    QByteArray what_;
};

}  // namespace etq
