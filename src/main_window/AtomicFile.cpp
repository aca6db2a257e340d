#include "main_window/AtomicFile.h"

#include "engine/SystemError.h"

#include <QBuffer>
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
// message would be in English. Qt leaves ENOENT for a target that is a
// folder, and no errno for some failures; the path tells those apart.
QString whyNotWritten(const QString& path, int errorNumber) {
    const QFileInfo file(path);
    if (file.isDir())
        errorNumber = EISDIR;
    else if (errorNumber == 0)
        errorNumber = file.dir().exists() ? EIO : ENOENT;
    return QString::fromStdString(engine::systemErrorText(errorNumber));
}

// A device or a pipe (/dev/full, a FIFO), or a link to one, is written to
// directly: renaming a finished file over it would replace the device itself.
bool isDevice(const QString& path) {
    const QFileInfo target(path);
    return target.exists() && !target.isFile() && !target.isDir();
}

} // namespace

bool AtomicFile::save(const QString& path, const Write& write, QString* problem) {
    // Made in memory first: then a failed write is the file's, with its
    // errno, and no encoder (libpng) prints a line of its own in English.
    QBuffer content;
    const bool made = content.open(QIODevice::WriteOnly) && write(content);
    int errorNumber = 0;
    if (isDevice(path)) {
        QFile device(path);
        errno = 0;
        if (made && device.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
            device.write(content.data()) == content.size())
            return true;
        errorNumber = errno;
    } else {
        QSaveFile file(path);
        errno = 0;
        // Unbuffered: a write that the disk cuts short is seen here. Buffered, a
        // small file goes out only at commit, whose failure leaves errno unset.
        if (made && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
            file.write(content.data()) == content.size() && file.commit())
            return true;
        errorNumber = errno;
        file.cancelWriting();
    }
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
            paint(painter, pdf);
            return painter.end();
        },
        problem);
}

} // namespace main_window
