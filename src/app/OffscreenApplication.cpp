#include "app/OffscreenApplication.h"

#include <QGuiApplication>

namespace app {

OffscreenApplication::OffscreenApplication(char* program) {
    // Qt's notes about the missing desktop session are no news here, and in English.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    argv_[0] = program;
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenApplication::~OffscreenApplication() = default;

} // namespace app
