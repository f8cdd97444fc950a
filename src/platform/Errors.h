#pragma once
#include <QString>
#include <functional>
#include <stdexcept>

// A failure that ends the user's action and reaches the default error box.
class SystemError : public std::runtime_error {
public:
    explicit SystemError(const QString& text) : std::runtime_error(text.toStdString()), msg(text) {}
    QString text() const { return msg; }

private:
    QString msg;
};

class DatabaseError : public SystemError {
public:
    using SystemError::SystemError;
};

class ConvertError : public SystemError {
public:
    using SystemError::SystemError;
};

// The text of any caught exception, as the error box shows it.
QString exceptionText(const std::exception& e);

// Runs a GUI handler; an exception becomes the default error box, never unwinds
// through the event loop. Returns false when the handler failed.
bool runGuarded(const std::function<void()>& handler);
