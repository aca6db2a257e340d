#pragma once

#include "engine/RuntimeError.h"

#include <QString>

#include <optional>

// The run-time error that a call raised, if any.
template <typename Call> std::optional<engine::RuntimeError> errorOf(Call call) {
    try {
        call();
    } catch (const engine::RuntimeError& error) {
        return error;
    }
    return std::nullopt;
}

// The kind's Italian name, or "nessuno" when there was no error, for table columns.
inline QString kindOf(const std::optional<engine::RuntimeError>& error) {
    return error ? QString::fromStdString(engine::RuntimeError::kindName(error->kind()))
                 : QStringLiteral("nessuno");
}
