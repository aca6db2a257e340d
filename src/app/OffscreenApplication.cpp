#include "app/OffscreenApplication.h"

#include "platform/QtTranslations.h"

#include <QApplication>

namespace app {

OffscreenApplication::OffscreenApplication(char* program, double scale) {
    // Qt's notes about the missing desktop session are no news here, and in English.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    argv_[0] = program;
    application_ = std::make_unique<QApplication>(argc_, argv_);
    platform::installQtTranslations();
}

OffscreenApplication::~OffscreenApplication() = default;

} // namespace app
