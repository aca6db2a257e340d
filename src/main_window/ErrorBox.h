#pragma once

#include <QMessageBox>

#include <memory>

namespace main_window {

// The message box of a run-time error, titled like the window and announced
// to screen readers as "Errore".
std::unique_ptr<QMessageBox> makeErrorBox(QWidget* window, const QString& message);

} // namespace main_window
