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

} // namespace

bool TextFile::save(const QString& path, std::string_view bytes, QString* problem) {
    QSaveFile file(path);
    errno = 0;
    const auto size = qint64(bytes.size());
    // Unbuffered: a write that the disk cuts short is seen here. Buffered,
    // QSaveFile flushes on commit, drops a failure there and keeps the
    // short file.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes.data(), size) == size && file.commit())
        return true;
    int errorNumber = errno;
    file.cancelWriting();
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
