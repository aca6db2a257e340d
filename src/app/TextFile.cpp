#include "app/TextFile.h"

#include "engine/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace app {

namespace {

QString why(int errorNumber) {
    return QString::fromStdString(engine::systemErrorText(errorNumber));
}

// A device or a pipe (/dev/full, a FIFO), or a link to one, is written to
// directly: renaming a finished file over it would replace the device itself.
bool isDevice(const QString& path) {
    const QFileInfo target(path);
    return target.exists() && !target.isFile() && !target.isDir();
}

} // namespace

bool TextFile::save(const QString& path, std::string_view bytes, QString* problem) {
    const auto size = qint64(bytes.size());
    // Unbuffered: a write that the disk cuts short is seen here. Buffered,
    // QSaveFile flushes on commit, drops a failure there and keeps the
    // short file.
    constexpr auto mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    int errorNumber = 0;
    if (isDevice(path)) {
        QFile device(path);
        errno = 0;
        if (device.open(mode) && device.write(bytes.data(), size) == size)
            return true;
        errorNumber = errno;
    } else {
        QSaveFile file(path);
        errno = 0;
        if (file.open(mode) && file.write(bytes.data(), size) == size && file.commit())
            return true;
        errorNumber = errno;
        file.cancelWriting();
    }
    // Qt leaves ENOENT for a target that is a folder, and no errno for
    // some failures; the path tells those apart.
    const QFileInfo target(path);
    if (target.isDir())
        errorNumber = EISDIR;
    else if (errorNumber == 0)
        errorNumber = target.dir().exists() ? EIO : ENOENT;
    *problem =
        QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(path, why(errorNumber));
    return false;
}

bool TextFile::load(const QString& path, QByteArray* bytes, QString* problem) {
    QFile file(path);
    errno = 0;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : file.open(QIODevice::ReadOnly);
    if (opened && !QFileInfo(path).isDir()) {
        *bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    const int errorNumber = QFileInfo(path).isDir() ? EISDIR : errno != 0 ? errno : EIO;
    const QString reason =
        errorNumber == ENOENT ? QStringLiteral("il file non esiste") : why(errorNumber);
    *problem = QStringLiteral("Impossibile leggere il file \"%1\": %2.").arg(path, reason);
    return false;
}

bool TextFile::hasExtension(const QString& path, const QString& extension) {
    const QString name = QFileInfo(path).fileName();
    return name.endsWith(extension, Qt::CaseInsensitive) && name.size() > extension.size();
}

} // namespace app
