#include "engine/RuntimeError.h"

namespace engine {

namespace {

QString fullMessage(ErrorKind kind, const QString& hint) {
    QString text = QStringLiteral("Errore di run-time: %1.").arg(RuntimeError::kindName(kind));
    if (!hint.isEmpty())
        text += QStringLiteral("\n\n") + hint;
    return text;
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, QString hint)
    : std::runtime_error(fullMessage(kind, hint).toStdString()), kind_(kind),
      hint_(std::move(hint)) {}

RuntimeError RuntimeError::withHint(const QString& hint) const {
    return hint_.isEmpty() ? RuntimeError(kind_, hint) : *this;
}

QString RuntimeError::kindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return QStringLiteral("overflow");
    case ErrorKind::DivisionByZero:
        return QStringLiteral("divisione per zero");
    case ErrorKind::InvalidArgument:
        return QStringLiteral("argomento non valido");
    case ErrorKind::FloatingPointOverflow:
        return QStringLiteral("overflow in virgola mobile");
    }
    return {};
}

QString RuntimeError::message() const {
    return QString::fromUtf8(what());
}

} // namespace engine
