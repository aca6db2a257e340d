#include "app/Window.h"

#include "app/Exit.h"

#include "main_window/Form1.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

void tellNoDisplay(const char* cause) {
    std::fprintf(stderr,
                 "raggio-limite: la finestra non si può aprire: %s. Senza finestra i sottocomandi "
                 "funzionano lo stesso, per esempio raggio-limite calcolo 60 35 10 (vedere "
                 "raggio-limite --help).\n",
                 cause);
}

// Qt's platform plugin ends the program when it finds no display, after
// notes in English; one line of ours says it instead.
void quietUntilShown(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg)
        return;
    tellNoDisplay("non si riesce a collegarsi allo schermo");
    std::_Exit(Exit::kFailed);
}

bool mayHaveDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int runWindow(int argc, char* argv[], const std::function<void(main_window::Form1& form)>& shown) {
    if (!mayHaveDisplay()) {
        tellNoDisplay("non c'è uno schermo (DISPLAY non è impostata)");
        return Exit::kFailed;
    }
    const QtMessageHandler usual = qInstallMessageHandler(quietUntilShown);
    QApplication application(argc, argv);
    qInstallMessageHandler(usual);
    platform::installQtTranslations();
    main_window::Form1 form;
    form.show();
    if (shown)
        QTimer::singleShot(0, &form, [&] { shown(form); });
    return QApplication::exec();
}

} // namespace app
