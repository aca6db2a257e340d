#include "main_window/AtomicFile.h"

#include "engine/SystemError.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cerrno>

namespace main_window {

namespace {

// Why a file could not be written, in the program's words: the system's own
// message would be in English.
QString whyNotWritten(const QString& path, int errorNumber) {
    const QFileInfo file(path);
    if (!file.dir().exists())
        errorNumber = ENOENT;
    else if (file.isDir())
        errorNumber = EISDIR;
    return QString::fromStdString(engine::systemErrorText(errorNumber != 0 ? errorNumber : EIO));
}

} // namespace

bool AtomicFile::save(const QString& path, const Write& write, QString* problem) {
    QSaveFile file(path);
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return true;
    const int errorNumber = errno;
    file.cancelWriting();
    *problem = QStringLiteral("Impossibile scrivere il file \"%1\": %2.")
                   .arg(path, whyNotWritten(path, errorNumber));
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
