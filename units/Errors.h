// Exceptions of the program. Every handler catches std::exception and shows what().
#pragma once

#include <QString>
#include <stdexcept>

namespace tubalon {

// Base of the program's own errors; the message is UTF-8.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A text that is not a number was read as one.
class EConvertError : public Error {
public:
    explicit EConvertError(const QString& text)
        : Error(QStringLiteral("'%1' is not a valid floating point value").arg(text)) {}
};

// Engineering arithmetic that cannot be carried out with the given inputs.
class ECalcError : public Error {
public:
    using Error::Error;
};

} // namespace tubalon
