#include "FormDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

FormDriver::FormDriver() {
    form.setErrorReporter(
        [this](const platform::RuntimeError& error) { errors << error.message(); });
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("the window was not shown");
}

void FormDriver::type(const QString& temperature, const QString& salinity, const QString& depth) {
    for (auto [box, text] :
         {std::pair{form.Text1, temperature}, {form.Text2, salinity}, {form.Text4, depth}}) {
        box->clear();
        QTest::keyClicks(box, text);
    }
}

void FormDriver::calcolo() {
    QTest::mouseClick(form.Command1, Qt::LeftButton);
}
void FormDriver::grafico() {
    QTest::mouseClick(form.Command2, Qt::LeftButton);
}

bool FormDriver::axisLabelsVisible() const {
    return std::none_of(form.axisLabels.begin(), form.axisLabels.end(),
                        [](QLabel* label) { return label->isHidden(); });
}

bool FormDriver::axisLabelsHidden() const {
    return std::all_of(form.axisLabels.begin(), form.axisLabels.end(),
                       [](QLabel* label) { return label->isHidden(); });
}
