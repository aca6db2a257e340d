#include "engine/RuntimeError.h"

namespace engine {

namespace {

std::string fullMessage(ErrorKind kind, const std::string& hint) {
    std::string text = "Errore di run-time: " + RuntimeError::kindName(kind) + ".";
    if (!hint.empty())
        text += "\n\n" + hint;
    return text;
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string hint)
    : std::runtime_error(fullMessage(kind, hint)), kind_(kind), hint_(std::move(hint)) {}

RuntimeError RuntimeError::withHint(const std::string& hint) const {
    return hint_.empty() ? RuntimeError(kind_, hint) : *this;
}

std::string RuntimeError::kindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::DivisionByZero:
        return "divisione per zero";
    case ErrorKind::InvalidArgument:
        return "argomento non valido";
    case ErrorKind::FloatingPointOverflow:
        return "overflow in virgola mobile";
    }
    return {};
}

} // namespace engine
