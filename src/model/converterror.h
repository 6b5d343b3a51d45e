#pragma once

#include <QString>

#include <stdexcept>

// A text that cannot be converted to a number. The operation that met it stops
// at that point without writing; the front-end shows message() to the user.
class ConvertError : public std::runtime_error
{
public:
    explicit ConvertError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}

    // "'438x' is not a valid floating point value"
    static ConvertError floatValue(const QString &text)
    {
        return ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }

    // "'x' is not a valid integer value"
    static ConvertError integerValue(const QString &text)
    {
        return ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
