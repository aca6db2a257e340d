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
    form_.temperature_->setText(temperature);
    form_.salinity_->setText(salinity);
    form_.depth_->setText(depth);
}

QString Form1Driver::pressCalcolo() {
    return pressed(*form_.calcolo_);
}

QString Form1Driver::pressGrafico() {
    return pressed(*form_.grafico_);
}

QString Form1Driver::pressed(QPushButton& button) {
    const qsizetype before = errors_.size();
    button.setFocus(Qt::MouseFocusReason); // where a click with the mouse leaves it
    button.click();
    return errors_.size() > before ? errors_.last() : QString();
}

const platform::Timer& Form1Driver::plotTimer() const {
    return *form_.plotTimer_;
}

bool Form1Driver::savePicture(const QString& path, QString* problem) const {
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
               ? Picture::savePdf(form_.view(), path, problem)
               : Picture::savePng(form_.view(), path, problem);
}

bool Form1Driver::saveSheet(const QString& path, QString* problem) const {
    return Sheet::savePdf(form_.lastCalculation(), form_.captions(), path, problem);
}

} // namespace main_window
