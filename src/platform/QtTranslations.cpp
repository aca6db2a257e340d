#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool installQtTranslations() {
    static QTranslator translator; // lives as long as the application uses it
    if (!translator.isEmpty())
        return true;
    const bool found =
        translator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return found && QCoreApplication::installTranslator(&translator);
}

} // namespace platform
