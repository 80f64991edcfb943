#include "base/apperror.h"

#include <cstring>

AppError::AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

OSError::OSError(int code)
    : AppError(QStringLiteral("System Error.  Code: %1.\n%2")
                   .arg(code)
                   .arg(QString::fromLocal8Bit(std::strerror(code)))),
      m_code(code)
{
}

QString errorBoxText(const QString &message)
{
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

QString exceptionText(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->message();
    return QString::fromUtf8(error.what());
}
