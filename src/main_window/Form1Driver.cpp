#include "main_window/Form1Driver.h"

#include "main_window/Form1.h"
#include "main_window/Picture.h"
#include "main_window/Sheet.h"

#include <QLineEdit>
#include <QPushButton>

namespace main_window {

Form1Driver::Form1Driver(Form1& form) : form_(form) {
    form_.setErrorReporter([this](const QString& message) { errors_ << message; });
}

void Form1Driver::setInputs(const QString& temperature, const QString& salinity,
                            const QString& depth) {
    form_.Text1->setText(temperature);
    form_.Text2->setText(salinity);
    form_.Text4->setText(depth);
}

QString Form1Driver::pressCalcolo() {
    return pressed(*form_.Command1);
}

QString Form1Driver::pressGrafico() {
    return pressed(*form_.Command2);
}

QString Form1Driver::pressed(QPushButton& button) {
    const qsizetype before = errors_.size();
    button.setFocus(Qt::MouseFocusReason); // where a click with the mouse leaves it
    button.click();
    return errors_.size() > before ? errors_.last() : QString();
}

const platform::Timer& Form1Driver::plotTimer() const {
    return *form_.Timer1;
}

bool Form1Driver::savePicture(const QString& path, QString* problem) const {
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
               ? Picture::savePdf(form_, path, problem)
               : Picture::savePng(form_, path, problem);
}

bool Form1Driver::saveSheet(const QString& path, QString* problem) const {
    return Sheet::savePdf(form_, path, problem);
}

} // namespace main_window
