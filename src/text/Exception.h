#pragma once

#include <QString>

#include <stdexcept>

namespace quillomat {

// The program's general error: raised for programming faults such as a bad index into a
// catalogue list. It carries the message as text so that callers can show it unchanged.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quillomat
