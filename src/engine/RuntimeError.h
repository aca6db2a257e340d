#pragma once

#include <QString>

#include <stdexcept>

namespace engine {

enum class ErrorKind {
    Overflow, // a 16-bit value or a conversion out of range
    DivisionByZero,
    InvalidArgument,       // e.g. the square root of a negative number
    FloatingPointOverflow, // a 64-bit result that is infinite or not a number
};

// The one run-time error of the program. It names its kind and, where the
// caller knows it, what the user can do about it; what() is the whole
// message, in UTF-8, so that the window can report it without knowing it.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(ErrorKind kind, QString hint = {});

    ErrorKind kind() const { return kind_; }
    const QString& hint() const { return hint_; }

    // The same error with a hint for the user, unless it already has one.
    RuntimeError withHint(const QString& hint) const;

    // Italian name of the kind, as shown to the user ("overflow", ...).
    static QString kindName(ErrorKind kind);

    // The full text for the message box: what(), as a QString.
    QString message() const;

  private:
    ErrorKind kind_;
    QString hint_;
};

} // namespace engine
