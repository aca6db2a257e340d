#include "main_window/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>

namespace main_window {

QString SystemDialogs::saveFileName(QWidget* parent, const QString& caption,
                                    const QString& suggestedName, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QDir::home().filePath(suggestedName),
                                        filter);
}

bool SystemDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace main_window
