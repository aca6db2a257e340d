#include "main_window/ErrorBox.h"

#include <QLabel>

namespace main_window {

std::unique_ptr<QMessageBox> makeErrorBox(QWidget* window, const QString& message) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, window->windowTitle(), message,
                                             QMessageBox::Ok, window);
    box->setAccessibleName(QStringLiteral("Errore"));
    if (auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
        icon->setAccessibleName(QStringLiteral("Icona di errore"));
    return box;
}

} // namespace main_window
