#include "app/OffscreenWindow.h"

#include "main_window/Form1.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace app {

OffscreenWindow::OffscreenWindow(char* program, double scale) {
    // Qt's notes about the missing desktop session are no news here, and in English.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    argv_[0] = program;
    application_ = std::make_unique<QApplication>(argc_, argv_);
    platform::installQtTranslations();
    form_ = std::make_unique<main_window::Form1>();
    form_->setErrorReporter([this](const QString& message) { error_ = message; });
}

OffscreenWindow::~OffscreenWindow() = default;

QString OffscreenWindow::press(const QStringList& texts, bool plot) {
    const char* boxes[] = {"Text1", "Text2", "Text4"};
    for (int i = 0; i < 3; ++i)
        form_->findChild<QLineEdit*>(QLatin1String(boxes[i]))->setText(texts[i]);
    for (const char* button : {"Command1", "Command2"}) {
        form_->findChild<QPushButton*>(QLatin1String(button))->click();
        if (!error_.isEmpty() || !plot)
            break;
    }
    return error_;
}

} // namespace app
