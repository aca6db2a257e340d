#pragma once

#include "main_window/Form1.h"
#include "platform/Timer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

// The real window, shown offscreen and driven as a user would, with its
// run-time errors recorded instead of shown in a message box.
struct FormDriver {
    main_window::Form1 form;
    QStringList errors;

    FormDriver() {
        form.setErrorReporter([this](const QString& message) { errors << message; });
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the window was not shown");
    }

    template <typename Control = QWidget> Control* control(const char* name) const {
        auto* found = form.findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    platform::Timer* timer1() const { return control<platform::Timer>("Timer1"); }

    // Clears the three boxes and types the texts with key presses.
    void type(const QString& temperature, const QString& salinity, const QString& depth) {
        for (auto [box, text] :
             {std::pair{"Text1", temperature}, {"Text2", salinity}, {"Text4", depth}}) {
            control<QLineEdit>(box)->clear();
            QTest::keyClicks(control<QLineEdit>(box), text);
        }
    }
    void calcolo() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }
    void grafico() { QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton); }
    void calcolo(const QString& temperature, const QString& salinity, const QString& depth) {
        type(temperature, salinity, depth);
        calcolo();
    }

    // How many of Label1 to Label8 are shown.
    int axisLabelsShown() const {
        int shown = 0;
        for (int i = 1; i <= 8; ++i)
            shown += !control<QLabel>(qPrintable(QStringLiteral("Label%1").arg(i)))->isHidden();
        return shown;
    }
    const QStringList& report() const { return form.surface().lines(); }
    QRgb at(float xTwips, float yTwips) const { return form.surface().pixelAt(xTwips, yTwips); }
};
