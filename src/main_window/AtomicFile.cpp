#include "main_window/AtomicFile.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace main_window {

bool AtomicFile::save(const QString& path, const Write& write, QString* problem) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return true;
    file.cancelWriting();
    *problem = QStringLiteral("Impossibile scrivere il file \"%1\": %2.")
                   .arg(path, file.errorString().isEmpty() ? QStringLiteral("errore di scrittura")
                                                           : file.errorString());
    return false;
}

bool AtomicFile::savePdf(const QString& path, const QPageSize& pageSize, int dotsPerInch,
                         const QString& title, const Paint& paint, QString* problem) {
    return save(
        path,
        [&](QIODevice& file) {
            QPdfWriter pdf(&file);
            pdf.setResolution(dotsPerInch);
            pdf.setPageSize(pageSize);
            pdf.setPageMargins(QMarginsF());
            pdf.setTitle(title);
            QPainter painter;
            if (!painter.begin(&pdf))
                return false;
            paint(painter);
            return painter.end();
        },
        problem);
}

} // namespace main_window
