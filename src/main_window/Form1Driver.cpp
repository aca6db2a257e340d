#include "main_window/Form1Driver.h"

#include "main_window/Form1.h"
#include "platform/Timer.h"

#include <QLineEdit>
#include <QPushButton>

namespace main_window {

namespace {

template <typename Control> Control& named(const Form1& form, const char* name) {
    auto* found = form.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("Form1 has no %s", name);
    return *found;
}

} // namespace

Form1Driver::Form1Driver(Form1& form) : form_(form) {
    form_.setErrorReporter([this](const QString& message) { errors_ << message; });
}

void Form1Driver::setInputs(const QString& temperature, const QString& salinity,
                            const QString& depth) {
    named<QLineEdit>(form_, "Text1").setText(temperature);
    named<QLineEdit>(form_, "Text2").setText(salinity);
    named<QLineEdit>(form_, "Text4").setText(depth);
}

QString Form1Driver::pressCalcolo() {
    return pressed("Command1");
}

QString Form1Driver::pressGrafico() {
    return pressed("Command2");
}

QString Form1Driver::pressed(const char* name) {
    auto& button = named<QPushButton>(form_, name);
    const qsizetype before = errors_.size();
    button.setFocus(Qt::MouseFocusReason); // where a click with the mouse leaves it
    button.click();
    return errors_.size() > before ? errors_.last() : QString();
}

const platform::Timer& Form1Driver::plotTimer() const {
    return named<platform::Timer>(form_, "Timer1");
}

} // namespace main_window
