#pragma once

#include <QString>
#include <stdexcept>

namespace db {

/// A failed database operation. The text is the server's own message, so the
/// operator sees what MariaDB said rather than a generic failure.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, unsigned int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code) {}

    QString message() const { return m_message; }
    unsigned int code() const { return m_code; }

private:
    QString m_message;
    unsigned int m_code;
};

}  // namespace db
