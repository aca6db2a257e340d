#include "main_window/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QStandardPaths>

namespace main_window {

namespace {

// Pictures for a picture, Documents for the rest, or the home folder where
// the desktop has neither.
QString firstFolderFor(const QString& suggestedName) {
    const bool picture = suggestedName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    const QString folder = QStandardPaths::writableLocation(
        picture ? QStandardPaths::PicturesLocation : QStandardPaths::DocumentsLocation);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace

QString SystemDialogs::saveFileName(QWidget* parent, const QString& caption,
                                    const QString& suggestedName, const QString& filter) {
    const QString folder = lastFolder_.isEmpty() ? firstFolderFor(suggestedName) : lastFolder_;
    const QString path =
        QFileDialog::getSaveFileName(parent, caption, QDir(folder).filePath(suggestedName), filter);
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

bool SystemDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace main_window
