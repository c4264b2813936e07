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

// A text that is not a number was read as one. With a field, the message names it by its
// caption ("质量流量：“abc” 不是有效的数字") and fieldName() is the field's object name.
class EConvertError : public Error {
public:
    explicit EConvertError(const QString& text, const QString& caption = {},
                           const QString& fieldName = {})
        : Error(MessageOf(text, caption)), text_(text), fieldName_(fieldName) {}
    QString text() const { return text_; }
    QString fieldName() const { return fieldName_; }

    static QString MessageOf(const QString& text, const QString& caption) {
        const QString what = text.isEmpty() ? QStringLiteral("没有数值")
                                            : QStringLiteral("“%1” 不是有效的数字").arg(text);
        return caption.isEmpty() ? what : caption + QStringLiteral("：") + what;
    }

private:
    QString text_;
    QString fieldName_;
};

// Engineering arithmetic that cannot be carried out with the given inputs.
class ECalcError : public Error {
public:
    using Error::Error;
};

} // namespace tubalon
