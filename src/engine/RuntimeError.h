#pragma once

#include <stdexcept>
#include <string>

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
    explicit RuntimeError(ErrorKind kind, std::string hint = {});

    ErrorKind kind() const { return kind_; }
    const std::string& hint() const { return hint_; }

    // The same error with a hint for the user, unless it already has one.
    RuntimeError withHint(const std::string& hint) const;

    // Italian name of the kind, as shown to the user ("overflow", ...).
    static std::string kindName(ErrorKind kind);

  private:
    ErrorKind kind_;
    std::string hint_;
};

} // namespace engine
