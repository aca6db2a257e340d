// Usage: window_state SCALE ACTION...
// Drives the real window offscreen at a scale factor and writes what it
// shows, for the page's browser test to hold the page to. Actions, in order:
//   type:TEMPERATURE|SALINITY|DEPTH   the three boxes' texts
//   calcolo, grafico                  a click on the button
//   tick                              the plot's timer, until it has ticked
//                                     and rests or stops (however slow the
//                                     machine: no fixed wait)
//   save:PATH                         PATH.png, the picture under the controls
//                                     and captions (what the page's canvas
//                                     shows), and PATH.json, each control's
//                                     place, text, boldness, visibility and names (an
//                                     axis caption's background too), the
//                                     report, and the messages so far
#include "form/FormDescription.h"
#include "main_window/Form1.h"
#include "main_window/Form1Driver.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// As a browser's style gives it.
QString colour(const QColor& c) {
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

QJsonObject controlState(const main_window::Form1& form, const form::ControlDesign& design) {
    const auto* widget = form.findChild<QWidget*>(text(design.name));
    const QRect box(widget->mapTo(&form, QPoint(0, 0)), widget->size());
    const QVariant caption =
        widget->property("title").isValid() ? widget->property("title") : widget->property("text");
    return {{"nome", text(design.name)},
            {"x", box.x()},
            {"y", box.y()},
            {"w", box.width()},
            {"h", box.height()},
            {"testo", caption.toString()},
            {"grassetto", widget->font().bold()},
            {"sfondo", design.axisCaption
                           ? colour(widget->palette().color(widget->backgroundRole()))
                           : QString()},
            {"visibile", widget->isVisible()},
            {"nomeAccessibile", widget->accessibleName()},
            {"descrizione", widget->accessibleDescription()}};
}

bool save(const main_window::Form1& form, const main_window::Form1Driver& driver,
          const QString& path) {
    QJsonArray controls;
    for (const form::ControlDesign& design : form::controls())
        controls.append(controlState(form, design));
    const QJsonObject state{{"controlli", controls},
                            {"resoconto", form.reportText()},
                            {"errori", QJsonArray::fromStringList(driver.errors())}};
    QFile json(path + QStringLiteral(".json"));
    return form.surface().image().save(path + QStringLiteral(".png")) &&
           json.open(QIODevice::WriteOnly) && json.write(QJsonDocument(state).toJson()) > 0 &&
           json.flush();
}

// The plot's timer run until it is stopped, or has ticked at least once and
// no longer wakes at its interval: the picture is then all it will be. Ten
// seconds at most, for a timer that never rests.
void tickUntilRested(const platform::Timer& timer) {
    const long long before = timer.tickCount();
    const QDeadlineTimer deadline(10000);
    const auto rested = [&] {
        return !timer.isTicking() || (timer.tickCount() > before &&
                                      timer.wakeIntervalMs() == platform::Timer::kRestIntervalMs);
    };
    while (!rested() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("Uso: window_state SCALA AZIONE...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", argv[1]);
    QApplication app(argc, argv);
    main_window::Form1 form;
    form.show();
    main_window::Form1Driver driver(form);
    for (int i = 2; i < argc; ++i) {
        const QString action = QString::fromLocal8Bit(argv[i]);
        const QString argument = action.section(QLatin1Char(':'), 1);
        if (action.startsWith(QLatin1String("type:"))) {
            const QStringList texts = argument.split(QLatin1Char('|'));
            driver.setInputs(texts.value(0), texts.value(1), texts.value(2));
        } else if (action == QLatin1String("calcolo")) {
            driver.pressCalcolo();
        } else if (action == QLatin1String("grafico")) {
            driver.pressGrafico();
        } else if (action == QLatin1String("tick")) {
            tickUntilRested(driver.plotTimer());
        } else if (!action.startsWith(QLatin1String("save:")) || !save(form, driver, argument)) {
            std::fprintf(stderr, "window_state: %s non riuscito\n", qPrintable(action));
            return 1;
        }
    }
    return 0;
}
