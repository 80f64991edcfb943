#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Errors travel as exceptions up to the handler that the user or a timer started. Each handler
// the main window wires is wrapped where it is connected (showingErrors, app/application.h), so
// that its error is shown in the application's error box before its slot returns and the event
// loop goes on: no exception leaves a slot. Application::notify() catches what still escapes an
// event handler, as a last resort. Code that must not raise (the conversion) answers instead.

// An error that travels up to the application's error box (or to a caller that catches it).
// Carries its text as a Unicode string; what() gives the same text in UTF-8.
class AppError : public std::exception
{
public:
    explicit AppError(QString message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// An operating-system error: "System Error.  Code: <code>." and, on the next line, the
// system's text for the code.
class OSError : public AppError
{
public:
    explicit OSError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

// The text an error box shows: the message with a "." appended, unless it is empty or its
// last character is "." or one that comes before "." in code order (a blank, "!", ",", ...).
QString errorBoxText(const QString &message);

// The text of any exception: an AppError's message, otherwise what() read as UTF-8.
QString exceptionText(const std::exception &error);
