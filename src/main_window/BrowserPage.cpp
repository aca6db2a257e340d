#include "main_window/BrowserPage.h"

#include "main_window/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace main_window {

QString BrowserPage::location() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../" RAGGIO_LIMITE_PAGE_DIR "/raggio-limite.html");
    for (const QString& path : {installed, QStringLiteral(RAGGIO_LIMITE_BUILT_PAGE)})
        if (QFileInfo(path).isFile())
            return QFileInfo(path).canonicalFilePath();
    return {};
}

bool BrowserPage::save(const QString& path, QString* problem) {
    QFile page(location());
    if (page.fileName().isEmpty() || !page.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("La pagina per il browser non è disponibile: questo programma non "
                                  "la porta con sé (si costruisce con script/web).");
        return false;
    }
    const QByteArray bytes = page.readAll();
    return AtomicFile::save(
        path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); }, problem);
}

} // namespace main_window
